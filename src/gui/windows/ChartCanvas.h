#pragma once
// The drawing of one charts page: row labels, value labels, column headers,
// bars, the brackets of the allowed ranges and the result markers, all placed
// by the core. It scrolls when its window is smaller than the drawing.

#include "charts/ChartLayout.h"
#include "charts/ChartPage.h"

#include <wx/scrolwin.h>

class wxDC;

namespace vdx::gui {

class ChartCanvas : public wxScrolledCanvas {
public:
    explicit ChartCanvas(wxWindow* parent);

    // Shows page with metrics; repaints and returns true only when something differs from what is shown.
    bool ShowPage(const vdx::ChartPage& page, const vdx::ChartMetrics& metrics);

    const vdx::ChartPage& Page() const { return page_; }
    const vdx::ChartMetrics& Metrics() const { return metrics_; }
    // How often the drawing was renewed (for tests: an unchanged page is not repainted).
    int Renewals() const { return renewals_; }

private:
    void OnPaint(wxPaintEvent& event);

    vdx::ChartPage page_;
    vdx::ChartMetrics metrics_;
    bool shown_ = false;
    int renewals_ = 0;
};

// Draws a charts page: the shapes, then the texts in font.
void RenderChartPage(wxDC& dc, const vdx::ChartPage& page, const vdx::ChartMetrics& metrics, const wxFont& font);

} // namespace vdx::gui
