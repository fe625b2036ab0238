#include "windows/RangeBar.h"

#include <wx/dcclient.h>
#include <wx/gdicmn.h>

namespace vdx::gui {

namespace {
constexpr int kRowY[4] = {116, 148, 180, 212};
} // namespace

RangeBar::RangeBar(wxWindow* parent, int row) : wxWindow(parent, wxID_ANY), row_(row) {
    // The page shows through where no box is.
    SetBackgroundStyle(wxBG_STYLE_SYSTEM);
    SetMinSize(wxSize(kRangeMatchWidth * kMaxMatches, kRangeBarHeight));
    Bind(wxEVT_PAINT, &RangeBar::OnPaint, this);
}

void RangeBar::ShowBoxes(const std::vector<ColouredBox>& graphic) {
    std::vector<ColouredBox> mine;
    for (ColouredBox box : graphic) {
        if (box.y != kRowY[row_]) continue;
        box.x -= kRangeGraphicLeft;
        box.y = 0;
        mine.push_back(box);
    }
    if (mine == boxes_) return;
    boxes_ = std::move(mine);
    Refresh();
}

void RangeBar::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    Draw(dc, GetClientSize());
}

void RangeBar::Draw(wxDC& dc, const wxSize& size) const {
    const int top = (size.y - kRangeBarHeight) / 2;
    for (const ColouredBox& box : boxes_) {
        const wxColour colour = wxTheColourDatabase->Find(box.colour);
        dc.SetPen(wxPen(colour));
        dc.SetBrush(wxBrush(colour));
        dc.DrawRectangle(box.x, top + box.y, box.width, box.height);
    }
}

} // namespace vdx::gui
