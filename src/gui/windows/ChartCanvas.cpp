#include "windows/ChartCanvas.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

namespace vdx::gui {

namespace {

wxColour NamedColour(const char* name) {
    const wxColour colour(name);
    return colour.IsOk() ? colour : *wxBLACK;
}

} // namespace

void RenderChartPage(wxDC& dc, const vdx::ChartPage& page, const vdx::ChartMetrics& metrics, const wxFont& font) {
    for (const vdx::ChartShape& shape : vdx::PaintChartPage(page, metrics)) {
        if (shape.kind == vdx::ChartShape::kBox) {
            dc.SetPen(*wxBLACK_PEN);
            dc.SetBrush(wxBrush(NamedColour(shape.brush)));
            dc.DrawRectangle(shape.x1, shape.y1, shape.x2, shape.y2);
        } else {
            dc.SetPen(wxPen(NamedColour(shape.pen), shape.penWidth));
            dc.DrawLine(shape.x1, shape.y1, shape.x2, shape.y2);
        }
    }
    dc.SetFont(font);
    dc.SetTextForeground(*wxBLACK);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    for (const vdx::ChartText& text : vdx::ChartPageTexts(page, metrics)) {
        const wxString label = wxString::FromUTF8(text.text);
        const wxSize extent = dc.GetTextExtent(label);
        int x = text.x;
        if (text.align == vdx::ChartText::kRight) x += text.width - extent.x;
        if (text.align == vdx::ChartText::kCentre) x += (text.width - extent.x) / 2;
        dc.DrawText(label, x, text.y + (text.height - extent.y) / 2);
    }
}

ChartCanvas::ChartCanvas(wxWindow* parent)
    : wxScrolledCanvas(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxHSCROLL | wxVSCROLL) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetScrollRate(8, 8);
    Bind(wxEVT_PAINT, &ChartCanvas::OnPaint, this);
}

bool ChartCanvas::ShowPage(const vdx::ChartPage& page, const vdx::ChartMetrics& metrics) {
    const bool metricsChanged = metrics.rowHeight != metrics_.rowHeight || metrics.labelExtra != metrics_.labelExtra ||
                                metrics.valueExtra != metrics_.valueExtra;
    if (shown_ && !metricsChanged && page == page_) return false;
    shown_ = true;
    page_ = page;
    metrics_ = metrics;
    ++renewals_;
    const vdx::ChartRect size = vdx::ChartDrawingSize(metrics_);
    SetVirtualSize(size.width, size.height);
    SetMinSize(wxSize(size.width, size.height));
    Refresh();
    return true;
}

void ChartCanvas::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    DoPrepareDC(dc);
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    RenderChartPage(dc, page_, metrics_, GetFont());
}

} // namespace vdx::gui
