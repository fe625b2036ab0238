// vdxshots: starts the program in one language on a document, opens its
// windows one after the other as the menus do, and saves a picture of each
// at its default size as OUTDIR/<name>.png. Meant to run under a virtual
// display with a window manager, in a home folder of its own (see
// tools/help-screenshots.sh).
//
// Usage: vdxshots OUTDIR DOCUMENT LANGUAGE [NAME...]

#include "WindowShot.h"

#include "app/Messages.h"
#include "app/VdxApp.h"
#include "frame/CommandIds.h"
#include "ticketprint/FormatEditorFrame.h"

#include <wx/filename.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/toplevel.h>
#include <wx/time.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

using namespace vdx::gui;
using namespace vdx::shots;

namespace {

// Questions are answered Yes only while this is set (the start checks of a
// calculation); every other one No, so that nothing is saved or discarded.
bool g_answerYes = false;
// At the end the calculated document asks to be saved: No, without a word.
bool g_quitting = false;

void SendCommand(int id) {
    MainFrame* frame = VdxApp::Get()->Frame();
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(frame);
    frame->ProcessWindowEvent(event);
}

struct Shot {
    const char* name;
    std::function<void()> open; // empty: the main window, open from the start
    // Whether the window must hold all its sizer asks for (a preview's pages scroll instead).
    bool mustFit = true;
};

std::vector<Shot> AllShots() {
    return {
        {"main", {}},
        {"input", [] { SendCommand(kIdInput); }},
        {"options", [] { SendCommand(kIdOptions); }},
        {"defaults", [] { SendCommand(kIdDefaultOptions); }},
        {"conditions", [] { SendCommand(kIdConditions); }},
        {"statistics", [] { SendCommand(kIdStatistics); }},
        {"charts", [] { SendCommand(kIdCharts); }},
        // Returns when the calculation is over; its window stays open.
        {"calculation",
         [] {
             g_answerYes = true;
             SendCommand(kIdCalculate);
             g_answerYes = false;
         }},
        {"settings", [] { SendCommand(kIdMoreOptions); }},
        {"preview", [] { SendCommand(wxID_PREVIEW); }, false},
        // As a ".vdf" file named on the command line or opened from a file manager.
        {"formateditor",
         [] {
             wxFileName format(VdxApp::Get()->DataDir(), "slip12.vdf");
             FormatEditorFrame::OpenFile(format.GetFullPath());
         }},
    };
}

void CloseAndWait(wxTopLevelWindow* window, const char* name) {
    wxWeakRef<wxTopLevelWindow> gone(window);
    window->Close();
    const wxLongLong end = wxGetLocalTimeMillis() + 3000;
    while (gone && wxGetLocalTimeMillis() < end) {
        wxYield();
        wxMilliSleep(10);
    }
    if (gone) std::fprintf(stderr, "%s: the window did not close\n", name);
    Settle(300);
}

// Opens the shot's window; one that comes up too small for its contents is
// closed and opened again, as that is not how it looks on a desktop.
wxTopLevelWindow* OpenSettled(const Shot& shot) {
    if (!shot.open) {
        wxTopLevelWindow* main = VdxApp::Get()->Frame();
        WaitUntilSettled(main);
        return main;
    }
    for (int attempt = 1;; ++attempt) {
        wxTopLevelWindow* window = WindowOpenedBy(shot.open);
        if (!window) {
            std::fprintf(stderr, "%s: no window appeared\n", shot.name);
            return nullptr;
        }
        WaitUntilSettled(window);
        if (!shot.mustFit || ContentsFit(window)) return window;
        if (attempt == 3) {
            std::fprintf(stderr, "%s: the window is smaller than its contents\n", shot.name);
            return window;
        }
        std::fprintf(stderr, "%s: came up smaller than its contents, opened again\n", shot.name);
        CloseAndWait(window, shot.name);
    }
}

bool TakeShot(const Shot& shot, const wxString& outDir) {
    const wxString path = wxFileName(outDir, wxString(shot.name) + ".png").GetFullPath();
    wxTopLevelWindow* window = OpenSettled(shot);
    if (!window) return false;
    const bool saved = SaveWindowPicture(window, path);
    if (saved) {
        const wxRect rect = window->GetRect();
        std::printf("%s %dx%d at %d,%d\n", path.utf8_str().data(), rect.width, rect.height, rect.x, rect.y);
    }
    // Out of the way of the next picture.
    if (shot.open) CloseAndWait(window, shot.name);
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s OUTDIR DOCUMENT LANGUAGE [NAME...]\n", argv[0]);
        return 2;
    }
    const wxString outDir = wxString::FromUTF8(argv[1]);
    std::set<std::string> only(argv + 4, argv + argc);

    // The help book is not needed for pictures; its warning would stop the start.
    wxSetEnv("VDX_NO_HELP_WARNING", "1");
    std::string language = std::string("-l=") + argv[3];
    std::string document = std::string("-f=") + argv[2];
    std::vector<char*> appArgv = {argv[0], language.data(), document.data(), nullptr};
    int appArgc = static_cast<int>(appArgv.size()) - 1;

    wxApp::SetInstance(new VdxApp);
    if (!wxEntryStart(appArgc, appArgv.data())) {
        std::fprintf(stderr, "cannot start wxWidgets (no display?)\n");
        return 1;
    }
    delete wxLog::SetActiveTarget(new wxLogStderr);
    SetMessageHandler([](const wxString& text, const wxString& title, long style) {
        if (g_quitting && (style & wxYES_NO)) return int(wxNO);
        std::fprintf(stderr, "message box \"%s\": %s\n", title.utf8_str().data(), text.utf8_str().data());
        if (style & wxYES_NO) return g_answerYes ? int(wxYES) : int(wxNO);
        return int(wxOK);
    });
    if (!wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "the application did not start\n");
        wxEntryCleanup();
        return 1;
    }

    int failed = 0;
    for (const Shot& shot : AllShots())
        if (only.empty() || only.count(shot.name))
            if (!TakeShot(shot, outDir)) ++failed;

    g_quitting = true;
    VdxApp::Get()->Frame()->Close(true);
    wxTheApp->OnExit();
    wxEntryCleanup();
    return failed == 0 ? 0 : 1;
}
