#pragma once
// The start of every GUI test program: the real application under a display,
// in a home folder of its own, with its message boxes recorded and answered.
// A program's main() is just
//     int main(int argc, char** argv) { return vdx::guitest::RunGuiTests(argc, argv); }

#include <wx/string.h>

#include <string>
#include <vector>

namespace vdx::guitest {

// A message box as the program asked for it.
struct Message {
    wxString text, title;
    long style;
};

// The boxes shown so far; tests clear it when they begin to look.
extern std::vector<Message> g_messages;
// The boxes shown while the application started, before any test ran.
extern std::vector<Message> g_startMessages;
// The answer to questions (wxYES_NO boxes); every other box gets wxOK.
extern int g_answer;

struct GuiTestOptions {
    // Leaves "Cannot initialize the help system." live. Silenced by default, so
    // that programs which do not test the help book see only their own messages.
    bool helpWarning = false;
    // Command-line arguments after the program name, such as "-l=de".
    std::vector<std::string> arguments;
};

// Starts the application, runs the tests, then ends as the program does (the
// main frame closes, the application exits). Returns the exit code; wx
// assertions while shutting down count as a failure.
int RunGuiTests(int argc, char** argv, const GuiTestOptions& options = {});

} // namespace vdx::guitest
