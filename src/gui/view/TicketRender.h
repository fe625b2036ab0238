#pragma once
// Draws a ticket layout with a wx device context: the screen's canvas, a
// printout's page or a bitmap all go through the same code.

#include "view/TicketLayout.h"

#include <wx/colour.h>
#include <wx/font.h>

class wxDC;

namespace vdx::gui {

// Measures texts as the device context draws them with the given base font.
class WxTextMeasure : public vdx::TextMeasure {
public:
    WxTextMeasure(const wxDC& dc, const wxFont& base) : dc_(dc), base_(base) {}
    int textWidth(const std::string& text, const vdx::TextStyle& style) const override;
    int textHeight() const override;

private:
    const wxDC& dc_;
    wxFont base_;
};

// The base font in the item's style: bold, slanted, and larger by sizeDelta points.
wxFont TicketFont(const wxFont& base, const vdx::TextStyle& style);

wxColour InkToColour(vdx::Ink ink, const wxColour& defaultInk = *wxBLACK);

// Draws every item of the layout at its place; returns the number drawn.
// The background is left as it is.
int RenderTicketLayout(wxDC& dc, const vdx::TicketLayout& layout, const wxFont& base,
                       const wxColour& defaultInk = *wxBLACK);

// The drawing scale in percent that all ticket views share. It only grows,
// when a view's font needs more room than the ticket's units give.
int TicketScale();
void SetTicketScale(int percent);

} // namespace vdx::gui
