#include "frame/LanguageDialog.h"

#include "app/Messages.h"
#include "app/VdxApp.h"

#include <wx/button.h>
#include <wx/intl.h>
#include <wx/radiobox.h>
#include <wx/sizer.h>

namespace vdx::gui {

const wxArrayString& LanguageCodes() {
    static const wxArrayString codes = [] {
        wxArrayString list;
        for (const char* code : {"en", "de", "fr", "it", "nl", "sv"}) list.Add(code);
        return list;
    }();
    return codes;
}

// Compared with the language in use rather than the stored code: an unset code
// runs in the system's language, which the choice may or may not change.
bool LanguageNeedsRestart(const wxString& inUse, const wxString& chosen) {
    return !chosen.empty() && chosen != inUse;
}

void ApplyLanguageChoice(const wxString& chosen, wxWindow* parent) {
    VdxApp* app = VdxApp::Get();
    if (!app) return;
    app->Config().language = chosen.utf8_string();
    if (LanguageNeedsRestart(app->LanguageInUse(), chosen))
        ShowMessage(_("Please restart the application\nto apply the selected language."),
                    wxOK | wxICON_INFORMATION, ProgramTitle(), parent);
}

void RunLanguageDialog(wxWindow* parent) {
    VdxApp* app = VdxApp::Get();
    LanguageDialog dialog(parent, app ? app->LanguageInUse() : wxString("en"));
    if (dialog.ShowModal() == wxID_OK) ApplyLanguageChoice(dialog.SelectedCode(), parent);
}

} // namespace vdx::gui

LanguageDialog::LanguageDialog(wxWindow* parent, const wxString& current)
    : wxDialog(parent, wxID_ANY, vdx::gui::ProgramTitle(), wxPoint(200, 150)) {
    // The names stay in their own language, whatever the program's language.
    const wxString names[] = {"&English", "&Deutsch", wxString::FromUTF8("&Fran\xc3\xa7" "ais"),
                              "&Italiano", "&Nederlands", "&Svenska"};
    choices_ = new wxRadioBox(this, wxID_ANY, _("Language"), wxDefaultPosition, wxDefaultSize,
                              WXSIZEOF(names), names, 1, wxRA_SPECIFY_COLS);
    if (!SelectCode(current)) choices_->SetSelection(0);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(choices_, 0, wxEXPAND | wxALL, 10);
    auto* ok = new wxButton(this, wxID_OK, _("o&k"));
    ok->SetDefault();
    sizer->Add(ok, 0, wxALIGN_CENTER | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(sizer);
    SetPosition(wxPoint(200, 150));
}

wxString LanguageDialog::SelectedCode() const {
    const int selection = choices_->GetSelection();
    const wxArrayString& codes = vdx::gui::LanguageCodes();
    return selection >= 0 && static_cast<size_t>(selection) < codes.size() ? codes[selection]
                                                                           : wxString("en");
}

bool LanguageDialog::SelectCode(const wxString& code) {
    const int index = vdx::gui::LanguageCodes().Index(code);
    if (index == wxNOT_FOUND) return false;
    choices_->SetSelection(index);
    return true;
}
