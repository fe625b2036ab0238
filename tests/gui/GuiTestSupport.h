#pragma once
// What the GUI test programs share besides their start: the parts of the
// running application, commands and keys as the frames receive them, files
// and folders, and a fixture that begins and ends without open documents.

#include "GuiTestMain.h"

#include "app/MyDocManager.h"
#include "app/VdxApp.h"
#include "document/VdxDocument.h"
#include "frame/MainFrame.h"

#include <gtest/gtest.h>

#include <wx/arrstr.h>
#include <wx/event.h>
#include <wx/log.h>
#include <wx/timer.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vdx::gui {
class PagePrintout;
}

namespace vdx::guitest {

VdxApp& App();
MyDocManager& Manager();
MainFrame& Main();

// Collects what reaches the log while it lives (and keeps it from the log window).
class LogRecorder : public wxLog {
public:
    LogRecorder() { previous_ = wxLog::SetActiveTarget(this); }
    ~LogRecorder() override { wxLog::SetActiveTarget(previous_); }
    LogRecorder(const LogRecorder&) = delete;
    LogRecorder& operator=(const LogRecorder&) = delete;
    wxArrayString messages;

protected:
    void DoLogRecord(wxLogLevel, const wxString& message, const wxLogRecordInfo&) override { messages.Add(message); }

private:
    wxLog* previous_;
};

// The text of the application's log window.
wxString LogText();

// How often part stands in text (overlapping ones too).
int Occurrences(const wxString& text, const wxString& part);

// Sends the command to window as its menu would.
void SendCommand(wxWindow* window, int id);

// Enabled state of a command as the frame's update handlers decide it.
bool IsEnabledIn(wxWindow* frame, int id);

// A typed character or key, as wxEVT_CHAR brings it.
wxKeyEvent CharEvent(int key, bool ctrl = false, bool alt = false);

// Records the commands that reach a window instead of running them.
class CommandRecorder : public wxEvtHandler {
public:
    explicit CommandRecorder(wxWindow* window);
    ~CommandRecorder() override;
    std::vector<int> ids;

private:
    wxWindow* window_;
};

// Counts the warning sounds, instead of playing them, while it lives.
struct SoundCounter {
    SoundCounter();
    ~SoundCounter();
    SoundCounter(const SoundCounter&) = delete;
    SoundCounter& operator=(const SoundCounter&) = delete;
    int count = 0;
};

std::string ReadBytes(const std::filesystem::path& path);

// Opens a file as the File menu does, without messages of its own; nullptr when refused.
VdxDocument* Open(const std::filesystem::path& path);

// Closes every document without questions, even one marked as calculating,
// and lets the closed windows go.
void CloseAllDocuments();

// A new empty folder <prefix>-XXXXXX in the temporary folder; an empty path
// when none could be made.
std::filesystem::path MakeTempDir(const std::string& prefix);

// Writes a calculated round of lines x 12 matches (tips cycling through 1, X, 2
// so neighbouring lines differ; the first three matches have results) with
// perTicket lines a ticket; lines 0 writes the matches without lines.
std::filesystem::path WriteCalculatedRound(const std::filesystem::path& path, int lines, int perTicket);

// Prints the first page of printout into a PostScript file on A4 paper and
// returns the file's bytes.
std::string PrintFirstPageToPostScript(vdx::gui::PagePrintout& printout, const std::filesystem::path& file);
// Removes folder with everything in it; a folder left read-only by a test too.
void RemoveTree(const std::filesystem::path& folder);

// A test with no document open at its start and end, no messages recorded,
// questions answered No, and a folder of its own (dir_) for files.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::filesystem::path dir_;
};

// Runs action after milliseconds, also while a dialog runs its own loop.
class Later : public wxEvtHandler {
public:
    Later(int milliseconds, std::function<void()> action) : timer_(this), action_(std::move(action)) {
        Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
            done = true;
            action_();
        });
        timer_.StartOnce(milliseconds);
    }
    bool done = false;

private:
    wxTimer timer_;
    std::function<void()> action_;
};

} // namespace vdx::guitest
