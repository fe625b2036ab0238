#pragma once
// One bar of the range graphic of a conditions page: the boxes of one row,
// drawn as the core computed them, 15 pixels per match.

#include "conditions/RangeGraphic.h"

#include <wx/window.h>

#include <vector>

namespace vdx::gui {

class RangeBar : public wxWindow {
public:
    // row: 0..2 the kinds, 3 the average line.
    RangeBar(wxWindow* parent, int row);

    // Takes the boxes of its row out of the page's graphic.
    void ShowBoxes(const std::vector<ColouredBox>& graphic);
    // Its boxes, at x from the bar's left edge.
    const std::vector<ColouredBox>& Boxes() const { return boxes_; }

    // Draws the boxes on dc over a client area of size.
    void Draw(wxDC& dc, const wxSize& size) const;

private:
    void OnPaint(wxPaintEvent& event);

    int row_;
    std::vector<ColouredBox> boxes_;
};

} // namespace vdx::gui
