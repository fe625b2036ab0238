#include "GuiTestMain.h"

#include "GuiTestSupport.h"

#include "app/Messages.h"
#include "app/VdxApp.h"
#include "frame/MainFrame.h"

#include <gtest/gtest.h>

#include <wx/init.h>
#include <wx/log.h>
#include <wx/utils.h>

#include <cstdio>
#include <filesystem>

namespace vdx::guitest {

std::vector<Message> g_messages;
std::vector<Message> g_startMessages;
int g_answer = wxNO;

namespace {

int g_assertions = 0;

void RecordAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
    ++g_assertions;
    ADD_FAILURE() << "wx assertion " << cond << " in " << func << " (" << file << ":" << line
                  << "): " << msg;
}

// Removes the run's home folder however the run ends.
struct HomeFolder {
    std::filesystem::path path = MakeTempDir("vdxhome");
    ~HomeFolder() { RemoveTree(path); }
};

int StartAndRun(char* program, std::vector<std::string> arguments) {
    wxApp::SetInstance(new VdxApp);
    std::vector<char*> wxArgv = {program};
    for (std::string& argument : arguments) wxArgv.push_back(argument.data());
    wxArgv.push_back(nullptr);
    int wxArgc = static_cast<int>(wxArgv.size()) - 1;
    if (!wxEntryStart(wxArgc, wxArgv.data())) {
        fprintf(stderr, "cannot start wxWidgets (no display?)\n");
        return 1;
    }
    wxSetAssertHandler(RecordAssert);
    delete wxLog::SetActiveTarget(new wxLogStderr);
    vdx::gui::SetMessageHandler([](const wxString& text, const wxString& title, long style) {
        g_messages.push_back({text, title, style});
        return (style & wxYES_NO) ? g_answer : int(wxOK);
    });
    if (!wxTheApp->CallOnInit()) {
        fprintf(stderr, "the application did not start\n");
        wxEntryCleanup();
        return 1;
    }
    g_startMessages.swap(g_messages);

    int result = RUN_ALL_TESTS();

    const int assertionsInTests = g_assertions;
    VdxApp::Get()->Frame()->Close(true);
    wxTheApp->OnExit();
    wxEntryCleanup();
    if (g_assertions != assertionsInTests) {
        fprintf(stderr, "wx assertions while shutting down\n");
        result = 1;
    }
    return result;
}

} // namespace

int RunGuiTests(int argc, char** argv, const GuiTestOptions& options) {
    ::testing::InitGoogleTest(&argc, argv);
    // A home of its own: every run starts from the default settings, and the
    // settings the application writes when it exits never reach the user's.
    HomeFolder home;
    if (home.path.empty()) {
        fprintf(stderr, "cannot make a home folder for the run\n");
        return 1;
    }
    wxSetEnv("HOME", home.path.string());
    wxSetEnv("XDG_CONFIG_HOME", (home.path / ".config").string());
    if (options.helpWarning)
        wxUnsetEnv("VDX_NO_HELP_WARNING");
    else
        wxSetEnv("VDX_NO_HELP_WARNING", "1");
    return StartAndRun(argv[0], options.arguments);
}

} // namespace vdx::guitest
