#pragma once
// The main frame: menus, toolbar, status-bar help and, in single-document
// mode, the canvas where the document's view is shown.

#include "frame/MenuBuilder.h"

#include <wx/docview.h>
#include <wx/weakref.h>

class MyDocManager;
class wxPanel;

class MainFrame : public wxDocParentFrame {
public:
    // games: the configured number of matches, which sets the frame's height.
    MainFrame(MyDocManager* manager, int games, const vdx::gui::MenuOptions& options);

    wxPanel* Canvas() const { return canvas_; }
    // Puts a view's window into the canvas, filling it; its keys go through the key map.
    void ShowInCanvas(wxWindow* window);
    bool IsSingle() const { return single_; }

    // The checks before quitting, in order: a running calculation refuses; a
    // load or save in progress defers the close until it is over; a format
    // editor with unsaved changes refuses, an unchanged one is closed.
    enum class QuitCheck { Refuse, Defer, Proceed };
    QuitCheck CheckQuit();
    bool ClosePending() const { return closePending_; }

    // Raised while a document is loaded, saved or exported.
    void BeginBusy() { ++busy_; }
    void EndBusy();
    bool IsBusy() const { return busy_ > 0; }

private:
    void OnClose(wxCloseEvent& event);
    void OnIdle(wxIdleEvent& event);

    wxPanel* canvas_ = nullptr;
    bool single_ = true;
    int busy_ = 0;
    bool closePending_ = false;
};

// Keeps the running application's main frame busy while it lives.
class FrameBusyScope {
public:
    FrameBusyScope();
    ~FrameBusyScope();
    FrameBusyScope(const FrameBusyScope&) = delete;
    FrameBusyScope& operator=(const FrameBusyScope&) = delete;

private:
    wxWeakRef<MainFrame> frame_;
};
