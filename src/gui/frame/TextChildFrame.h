#pragma once
// The frame of one plain text document (only when several documents may be
// open): the document commands without those of pools documents.

#include <wx/docview.h>

class TextChildFrame : public wxDocChildFrame {
public:
    // games: the configured number of matches; the frame is sized like a pools frame.
    TextChildFrame(wxDocument* doc, wxView* view, wxFrame* parent, int games);

    // Puts the view's text control into the frame, filling it, and shows the frame.
    void ShowContent(wxWindow* window);
};
