#pragma once
// The main frame: menus, status-bar help and, in single-document mode, the
// canvas where the document's view is shown.

#include <wx/docview.h>

class MyDocManager;
class wxPanel;

class MainFrame : public wxDocParentFrame {
public:
    // games: the configured number of matches, which sets the frame's height.
    MainFrame(MyDocManager* manager, int games, bool single);

    wxPanel* Canvas() const { return canvas_; }
    // Puts a view's window into the canvas, filling it.
    void ShowInCanvas(wxWindow* window);

private:
    void OnClose(wxCloseEvent& event);

    wxPanel* canvas_ = nullptr;
};
