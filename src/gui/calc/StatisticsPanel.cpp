#include "calc/StatisticsPanel.h"

#include "document/VdxDocument.h"
#include "view/TicketRender.h"

#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>

namespace vdx::gui {

namespace {

// Step of the scroll bars in pixels.
constexpr int kScrollStep = 8;

wxColour InkColour(vdx::StatInk ink) {
    switch (ink) {
    case vdx::StatInk::Highlight: return wxColour(255, 228, 150);
    case vdx::StatInk::Bar: return wxColour(40, 90, 170);
    case vdx::StatInk::Marker: return *wxRED;
    case vdx::StatInk::Rule: return wxColour(128, 128, 128);
    case vdx::StatInk::Text: break;
    }
    return *wxBLACK;
}

wxFont PanelFont(const wxWindow* window) {
    const wxFont font = window->GetFont();
    return font.IsOk() ? font : wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
}

} // namespace

void RenderStatistics(wxDC& dc, const vdx::StatisticsLayout& drawing, const wxFont& font) {
    for (const vdx::StatShape& shape : drawing.shapes) {
        const wxColour colour = InkColour(shape.ink);
        if (shape.kind == vdx::StatShape::kBox) {
            dc.SetPen(wxPen(colour));
            dc.SetBrush(wxBrush(colour));
            dc.DrawRectangle(shape.x, shape.y, shape.width, shape.height);
        } else {
            dc.SetPen(wxPen(colour, shape.ink == vdx::StatInk::Marker ? 2 : 1));
            dc.DrawLine(shape.x, shape.y, shape.x + shape.width, shape.y + shape.height);
        }
    }
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    for (const vdx::StatText& text : drawing.texts) {
        dc.SetFont(TicketFont(font, text.style));
        dc.SetTextForeground(InkColour(text.ink));
        dc.DrawText(wxString::FromUTF8(text.text), text.x, text.y);
    }
}

StatisticsPanel::StatisticsPanel(wxWindow* parent, VdxDocument* doc)
    : wxScrolledCanvas(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxHSCROLL | wxVSCROLL | wxFULL_REPAINT_ON_RESIZE),
      doc_(doc) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetScrollRate(kScrollStep, kScrollStep);
    Bind(wxEVT_PAINT, &StatisticsPanel::OnPaint, this);
    Recompute();
}

void StatisticsPanel::Recompute() {
    if (!doc_) return;
    const vdx::PoolsDocument& data = doc_->Data();
    figures_ = vdx::ComputeStatistics(data);
    view_ = vdx::MakeStatisticsView(figures_, data.zeroForDraw);
    // A memory context measures as the screen does, shown or not.
    wxBitmap bitmap(1, 1);
    wxMemoryDC dc(bitmap);
    drawing_ = vdx::LayOutStatistics(view_, WxTextMeasure(dc, PanelFont(this)));
    SetVirtualSize(drawing_.width, drawing_.height);
    Refresh();
}

void StatisticsPanel::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    DoPrepareDC(dc);
    dc.SetBackground(*wxWHITE_BRUSH); // the inks are chosen for a white page
    dc.Clear();
    RenderStatistics(dc, drawing_, PanelFont(this));
}

} // namespace vdx::gui
