#pragma once
// The frame of one pools document when several documents may be open.

#include <wx/docview.h>

class PoolsChildFrame : public wxDocChildFrame {
public:
    // games: the configured number of matches, which sets the frame's height.
    PoolsChildFrame(wxDocument* doc, wxView* view, wxFrame* parent, int games);

    // Puts the view's window into the frame, filling it, and shows the frame.
    void ShowContent(wxWindow* window);
};

// The height of a document child frame for the configured number of matches.
int ChildFrameHeight(int games);
