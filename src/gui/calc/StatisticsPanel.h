#pragma once
// The scrolled panel of the statistics window: it takes the figures of its
// document from the core, lays them out in its own font and draws them.

#include "calc/Statistics.h"
#include "calc/StatisticsLayout.h"
#include "calc/StatisticsView.h"

#include <wx/scrolwin.h>
#include <wx/weakref.h>

class VdxDocument;
class wxDC;

namespace vdx::gui {

class StatisticsPanel : public wxScrolledCanvas {
public:
    StatisticsPanel(wxWindow* parent, VdxDocument* doc);

    // Takes the figures afresh from the document and redraws them.
    void Recompute();

    const vdx::Statistics& Figures() const { return figures_; }
    const vdx::StatisticsView& View() const { return view_; }
    const vdx::StatisticsLayout& Drawing() const { return drawing_; }

private:
    void OnPaint(wxPaintEvent& event);

    wxWeakRef<VdxDocument> doc_;
    vdx::Statistics figures_;
    vdx::StatisticsView view_;
    vdx::StatisticsLayout drawing_;
};

// Draws a laid-out statistics page with font as the normal text font.
void RenderStatistics(wxDC& dc, const vdx::StatisticsLayout& drawing, const wxFont& font);

} // namespace vdx::gui
