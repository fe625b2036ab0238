#pragma once
// The language choice: a dialog with one radio button per language of the
// program. The choice takes effect at the next start.

#include <wx/dialog.h>

class wxRadioBox;

class LanguageDialog : public wxDialog {
public:
    // current: the code to preselect; English when it is none of ours.
    LanguageDialog(wxWindow* parent, const wxString& current);

    // Two-letter code of the selected language.
    wxString SelectedCode() const;
    // Selects the language of code; false when it is none of ours.
    bool SelectCode(const wxString& code);
    wxRadioBox* Choices() const { return choices_; }

private:
    wxRadioBox* choices_ = nullptr;
};

namespace vdx::gui {

// The codes offered, in the dialog's order.
const wxArrayString& LanguageCodes();

// Whether choosing chosen needs a restart, given the language the program runs in.
bool LanguageNeedsRestart(const wxString& inUse, const wxString& chosen);

// Stores chosen as the language of the next start and, when that differs from
// the language in use, asks the user to restart.
void ApplyLanguageChoice(const wxString& chosen, wxWindow* parent = nullptr);

// The whole command: the dialog, then ApplyLanguageChoice on OK.
void RunLanguageDialog(wxWindow* parent);

} // namespace vdx::gui
