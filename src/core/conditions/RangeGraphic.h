#pragma once
// The graphic of a range page of the conditions dialog as plain rectangles:
// three rows of the allowed numbers of tips and the line of an average line,
// 15 pixels per match.

#include "conditions/ConditionValues.h"

#include <array>
#include <vector>

namespace vdx {

struct ColouredBox {
    int x = 0, y = 0, width = 0, height = 0;
    const char* colour = ""; // a colour name of the GUI's colour database, e.g. "LIME GREEN"

    bool operator==(const ColouredBox& o) const;
};

constexpr int kRangeGraphicLeft = 457; // from x0, the extra width of long labels
constexpr int kRangeMatchWidth = 15;
constexpr int kRangeBarHeight = 12;

// Boxes of one page, drawn in order; boxes of no width are left out. With the
// page's conditions switched off every box is "LIGHT GREY".
std::vector<ColouredBox> RangeGraphic(const std::array<float, 3>& expected, int matchCount,
                                      const KindBounds& bounds, bool enabled, int x0);

// The area repainted after a change of the values alone.
ColouredBox RangeGraphicArea(int matchCount, int x0);

} // namespace vdx
