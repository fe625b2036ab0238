#pragma once
// A page of the charts window: one group of histograms of the document's
// lines (duplicates, 1/X/2 or favourites), drawn by its canvas.

#include "windows/NotebookPage.h"

namespace vdx::gui {

class ChartCanvas;

class ChartsPage : public NotebookPage {
public:
    // group: vdx::kChartDuplicates, kChartTips1X2 or kChartFavourites, in notebook order.
    ChartsPage(MyNotebook* book, int group);

    int Group() const { return group_; }
    ChartCanvas* Canvas() const { return canvas_; }

    // Recomputes the page from the document; the canvas repaints when it differs.
    void RefreshFromData() override;

private:
    int group_;
    ChartCanvas* canvas_ = nullptr;
};

} // namespace vdx::gui
