#include "controls/Help.h"

#include "app/VdxApp.h"
#include "controls/Sound.h"

#include <wx/filename.h>
#include <wx/html/helpctrl.h>
#include <wx/log.h>

namespace vdx::gui {

const std::vector<int>& HelpSectionNumbers() {
    static const std::vector<int> sections = {
        HelpSection::Contents,           HelpSection::TicketView,    HelpSection::DocumentOptions,
        HelpSection::Input,              HelpSection::Calculation,   HelpSection::Statistics,
        HelpSection::DocumentConditions, HelpSection::Charts,        HelpSection::FormatEditor,
        HelpSection::TicketPrinting,     HelpSection::Defaults,      HelpSection::Settings};
    return sections;
}

wxString EnglishHelpBase(const wxString& programDir) {
    return wxFileName(programDir, "VdxHelp").GetFullPath();
}

bool InitializeHelp(wxHtmlHelpController& help, const wxString& basePath,
                    const wxString& fallbackBase) {
    wxLogNull quiet; // the caller reports a failure in its own words
    if (!basePath.empty() && help.Initialize(basePath)) return true;
    return !fallbackBase.empty() && fallbackBase != basePath && help.Initialize(fallbackBase);
}

void ShowHelpSection(int section) {
    const VdxApp* app = VdxApp::Get();
    wxHtmlHelpController* help = app ? app->Help() : nullptr;
    if (!help) {
        PlayBellsSound();
        return;
    }
    if (section > 0)
        help->Display(section);
    else
        help->DisplayContents();
}

} // namespace vdx::gui
