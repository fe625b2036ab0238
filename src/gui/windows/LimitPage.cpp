#include "windows/LimitPage.h"

#include <wx/choice.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace vdx::gui {

LimitPage::LimitPage(ConditionsNotebook* book) : ConditionPage(book, kPageLimit) {
    Content()->Add(new wxStaticText(this, wxID_ANY, wxGetTranslation(kTextLimitExplanation)), 0, wxBOTTOM,
                   FromDIP(16));
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_ANY, wxGetTranslation(kTextLimitLabel)), 0,
             wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(8));
    list_ = new wxChoice(this, wxID_ANY);
    list_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        if (!filling_) ReadControls();
    });
    row->Add(list_, 0, wxALIGN_CENTER_VERTICAL);
    Content()->Add(row);
}

void LimitPage::ShowValues() {
    filling_ = true;
    list_->SetSelection(LimitListIndex(Shown().limit, Context().matchCount));
    filling_ = false;
}

void LimitPage::RefreshFromData() {
    const int N = Context().matchCount;
    if (N != listFor_) {
        listFor_ = N;
        wxArrayString entries;
        for (const std::string& entry : LimitListEntries(N)) entries.Add(wxString::FromUTF8(entry));
        list_->Set(entries);
    }
    ShowValues();
    ReadControls();
}

void LimitPage::ReadControls() {
    // A stored limit outside 0..N shows as the last entry and stays as it is
    // until the user picks another.
    const int selection = list_->GetSelection();
    if (selection != wxNOT_FOUND && selection != LimitListIndex(Shown().limit, Context().matchCount))
        Shown().limit = selection;
    ReadPage(Shown(), Index(), Context());
    CompareWithStored();
}

} // namespace vdx::gui
