#include "windows/ConditionPage.h"

#include <wx/checkbox.h>
#include <wx/intl.h>
#include <wx/sizer.h>

namespace vdx::gui {

ConditionPage::ConditionPage(ConditionsNotebook* book, int page)
    : NotebookPage(book, wxString::FromUTF8(ConditionPageLabel(page, book->Context().zeroForDraw))),
      conditions_(book) {}

bool ConditionPage::ApplyPage() { return conditions_->WritePage(Index()); }

wxCheckBox* ConditionPage::BuildEnableBox(wxSizer* sizer) {
    enable_ = new wxCheckBox(this, wxID_ANY, wxGetTranslation(kTextEnableConditions));
    enable_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        if (!filling_) ReadControls();
    });
    sizer->Add(enable_, 0, wxBOTTOM, FromDIP(12));
    return enable_;
}

void ConditionPage::ResetToDefaults() {
    ResetPage(Shown(), Index(), Context(), conditions_->DefaultsForReset());
    ShowValues();
}

void ConditionPage::CompareWithStored() {
    if (PageDiffers(Shown(), conditions_->Stored(), Index())) ValuesChanged();
}

} // namespace vdx::gui
