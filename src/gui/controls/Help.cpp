#include "controls/Help.h"

#include "app/VdxApp.h"
#include "controls/Sound.h"

#include <wx/display.h>
#include <wx/filename.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpfrm.h>
#include <wx/html/helpwnd.h>
#include <wx/log.h>
#include <wx/splitter.h>
#include <wx/weakref.h>

#include <algorithm>

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

namespace {

// The controller opens its window at a size where the contents are cut off;
// a new help window gets room to read, and Escape closes it.
void PrepareHelpFrame(wxFrame* frame, wxSplitterWindow* splitter) {
    const int index = wxDisplay::GetFromWindow(frame);
    const wxRect screen = wxDisplay(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index)).GetClientArea();
    const wxSize wanted = frame->FromDIP(wxSize(1000, 720));
    const wxSize size = frame->GetSize(); // a larger size kept from earlier stays
    frame->SetSize(std::max(size.x, std::min(wanted.x, screen.width * 9 / 10)),
                   std::max(size.y, std::min(wanted.y, screen.height * 9 / 10)));
    frame->CentreOnScreen();
    if (splitter && splitter->IsSplit() && splitter->GetSashPosition() < frame->FromDIP(320))
        splitter->SetSashPosition(frame->FromDIP(320));
    frame->Bind(wxEVT_CHAR_HOOK, [frame](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE && event.GetModifiers() == wxMOD_NONE)
            frame->Close();
        else
            event.Skip();
    });
}

} // namespace

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

    static wxWeakRef<wxFrame> prepared; // gone with the window it was
    wxHtmlHelpFrame* frame = help->GetFrame();
    if (frame && prepared.get() != frame) {
        wxHtmlHelpWindow* window = frame->GetHelpWindow();
        PrepareHelpFrame(frame, window ? window->GetSplitterWindow() : nullptr);
        prepared = frame;
    }
}

} // namespace vdx::gui
