#pragma once
// The format editor's drawing area: the to-scale preview of the format of
// the current view; a click on a value steps it (left up, right down).

#include "ticketprint/FormatPreview.h"

#include <wx/scrolwin.h>

class TicketFormatView;
class wxDC;

class FormatCanvas : public wxScrolledWindow {
public:
    explicit FormatCanvas(wxWindow* parent);

    void SetView(TicketFormatView* view) { view_ = view; }
    TicketFormatView* View() const { return view_; }

    // The preview of the shown format as last drawn (empty without a view).
    const vdx::FormatPreview& Preview() const { return preview_; }
    // Builds the preview of the view's format with this window's font.
    void Rebuild();
    // Draws it (also used for pictures of the preview).
    void Render(wxDC& dc) const;

    // What a click at a point of the preview does (unscrolled coordinates).
    void ClickAt(const wxPoint& point, bool up);

    // The preview's font: the normal one two points larger.
    wxFont PreviewFont(int step = 0) const;

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnKey(wxKeyEvent& event);

    TicketFormatView* view_ = nullptr;
    vdx::FormatPreview preview_;
};

// Draws a preview on any device context with the given font.
void RenderFormatPreview(wxDC& dc, const vdx::FormatPreview& preview, const wxFont& font);
