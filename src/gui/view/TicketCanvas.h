#pragma once
// The window the ticket view draws on: paints through the view, and a double
// click with the left button opens the input window.

#include <wx/window.h>

class VdxView;

class TicketCanvas : public wxWindow {
public:
    TicketCanvas(wxWindow* parent, VdxView* view);

    // The view is gone: paint only the background from now on.
    void DetachView() { view_ = nullptr; }
    VdxView* View() const { return view_; }

    // The texts of the ticket as drawn, one per line (for reading the view
    // without looking at pixels).
    wxString GetValue() const;

private:
    void OnPaint(wxPaintEvent& event);
    void OnDoubleClick(wxMouseEvent& event);

    VdxView* view_;
};
