#include "view/TicketRender.h"

#include <wx/dc.h>

#include <algorithm>

namespace vdx::gui {

namespace {
int g_ticketScale = 100;
} // namespace

int WxTextMeasure::textWidth(const std::string& text, const vdx::TextStyle& style) const {
    const wxFont font = TicketFont(base_, style);
    wxCoord width = 0, height = 0;
    dc_.GetTextExtent(wxString::FromUTF8(text), &width, &height, nullptr, nullptr, &font);
    return width;
}

int WxTextMeasure::textHeight() const {
    wxCoord width = 0, height = 0;
    // Letters with ascent and descent, so the height is that of a full line.
    dc_.GetTextExtent("Xg", &width, &height, nullptr, nullptr, &base_);
    return height;
}

wxFont TicketFont(const wxFont& base, const vdx::TextStyle& style) {
    wxFont font = base.IsOk() ? base : *wxNORMAL_FONT;
    if (style.bold) font.SetWeight(wxFONTWEIGHT_BOLD);
    if (style.italic) font.SetStyle(wxFONTSTYLE_ITALIC);
    if (style.sizeDelta != 0) {
        // Fractional sizes keep fonts given in pixels or fractions of points exact.
        const double size = font.GetFractionalPointSize();
        font.SetFractionalPointSize(std::max(1.0, size + style.sizeDelta));
    }
    return font;
}

wxColour InkToColour(vdx::Ink ink, const wxColour& defaultInk) {
    if (ink == vdx::Ink::Default) return defaultInk;
    const vdx::Rgb rgb = vdx::InkColour(ink);
    return wxColour(rgb.r, rgb.g, rgb.b);
}

int RenderTicketLayout(wxDC& dc, const vdx::TicketLayout& layout, const wxFont& base, const wxColour& defaultInk) {
    const int oldMode = dc.GetBackgroundMode();
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    // Consecutive items mostly share style and ink; set them only on change.
    vdx::TextStyle currentStyle;
    bool haveStyle = false;
    int drawn = 0;
    for (const vdx::TicketItem& item : layout.items) {
        if (!haveStyle || !(item.style == currentStyle)) {
            dc.SetFont(TicketFont(base, item.style));
            currentStyle = item.style;
            haveStyle = true;
        }
        dc.SetTextForeground(InkToColour(item.ink, defaultInk));
        dc.DrawText(wxString::FromUTF8(item.text), item.x, item.y);
        ++drawn;
    }
    dc.SetBackgroundMode(oldMode);
    return drawn;
}

int TicketScale() { return g_ticketScale; }

void SetTicketScale(int percent) { g_ticketScale = std::max(percent, 1); }

} // namespace vdx::gui
