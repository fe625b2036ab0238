#pragma once
// The charts window of a pools document: how the lines of the last
// calculation comply with the conditions, as three pages of histograms. It
// only displays, and follows every re-evaluation of the document.

#include "windows/MyNotebookFrame.h"

class VdxDocument;

namespace vdx::gui {

class ChartsPage;

class ChartsFrame : public MyNotebookFrame {
public:
    explicit ChartsFrame(VdxDocument* doc);

    int HelpSectionNumber() const override;

    ChartsPage* ChartPage(int group) const;
    // Every page recomputes from the document and repaints where it changed.
    void RefreshCharts();
};

// The document's charts window, or nullptr.
ChartsFrame* FindChartsFrame(const VdxDocument* doc);

// Raises the document's charts window, or opens one.
ChartsFrame* OpenChartsFrame(VdxDocument* doc);

} // namespace vdx::gui
