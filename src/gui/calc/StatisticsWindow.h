#pragma once
// The statistics window of a pools document: chances and tip counts per
// match, the totals, how probable the lines are and how many lines reached
// how many correct tips, recomputed whenever the document changes.

#include <wx/frame.h>

class VdxDocument;

namespace vdx::gui {

class StatisticsPanel;

class StatisticsWindow : public wxFrame {
public:
    explicit StatisticsWindow(VdxDocument* doc);

    StatisticsPanel* Panel() const { return panel_; }

private:
    // The client size that shows the whole page, as far as the screen allows.
    wxSize WholePageClientSize() const;

    StatisticsPanel* panel_ = nullptr;
    wxSize grownFrom_;
};

// The document's statistics window, or nullptr.
StatisticsWindow* FindStatisticsWindow(const VdxDocument* doc);

// Raises the document's statistics window, or opens one.
StatisticsWindow* OpenStatisticsWindow(VdxDocument* doc);

} // namespace vdx::gui
