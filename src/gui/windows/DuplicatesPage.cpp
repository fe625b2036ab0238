#include "windows/DuplicatesPage.h"

#include <wx/checkbox.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace vdx::gui {

DuplicatesPage::DuplicatesPage(ConditionsNotebook* book) : ConditionPage(book, kPageDuplicates) {
    BuildEnableBox(Content());
    Content()->Add(new wxStaticText(this, wxID_ANY, wxGetTranslation(kTextCheckDuplicates)), 0, wxBOTTOM,
                   FromDIP(8));
    for (int m = 0; m < kMaxMatches; ++m) {
        numbers_[m] = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(DuplicateRowNumber(m)));
        boxes_[m] = new wxCheckBox(this, wxID_ANY, wxString());
        boxes_[m]->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
            if (!filling_) ReadControls();
        });
    }
    columns_ = new wxBoxSizer(wxHORIZONTAL);
    Content()->Add(columns_, 1, wxEXPAND);
    ArrangeRows();
}

void DuplicatesPage::ArrangeRows() {
    const int N = Context().matchCount;
    if (N == arrangedFor_) return;
    arrangedFor_ = N;
    columns_->Clear(false); // the windows stay, the old column sizers go
    const int pitch = 0;    // the sizers space the rows; the groups of three come from DuplicateRows
    wxFlexGridSizer* column[2] = {new wxFlexGridSizer(2, wxSize(FromDIP(6), 0)),
                                  new wxFlexGridSizer(2, wxSize(FromDIP(6), 0))};
    for (const DuplicateRow& row : DuplicateRows(N, pitch)) {
        // 4 more pixels above the first row of every group of three.
        const int gap = row.row > 0 && row.row % 3 == 0 ? FromDIP(6) : FromDIP(2);
        column[row.column]->Add(numbers_[row.match], 0, wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL | wxTOP, gap);
        column[row.column]->Add(boxes_[row.match], 0, wxALIGN_CENTER_VERTICAL | wxTOP, gap);
        numbers_[row.match]->Show(row.shown);
        boxes_[row.match]->Show(row.shown);
    }
    columns_->Add(column[0], 0, wxRIGHT, FromDIP(30));
    columns_->Add(column[1], 0);
    Layout();
}

void DuplicatesPage::ShowValues() {
    filling_ = true;
    EnableBox()->SetValue(Shown().enabled[0]);
    for (int m = 0; m < kMaxMatches; ++m) boxes_[m]->SetValue(Shown().noDuplicates[m]);
    filling_ = false;
}

void DuplicatesPage::RefreshFromData() {
    ArrangeRows();
    for (int m = 0; m < kMaxMatches; ++m) {
        wxString label = wxString::FromUTF8(DuplicateMatchLabel(Context(), m));
        label.Replace("&", "&&"); // a name is no mnemonic
        if (boxes_[m]->GetLabel() != label) boxes_[m]->SetLabel(label);
    }
    ShowValues();
    ReadControls();
    Layout();
}

void DuplicatesPage::ReadControls() {
    ConditionValues& v = Shown();
    v.enabled[0] = EnableBox()->GetValue();
    for (int m = 0; m < kMaxMatches; ++m) {
        v.noDuplicates[m] = boxes_[m]->GetValue();
        numbers_[m]->Enable(v.enabled[0]);
        boxes_[m]->Enable(v.enabled[0]);
    }
    ReadPage(v, Index(), Context());
    CompareWithStored();
}

} // namespace vdx::gui
