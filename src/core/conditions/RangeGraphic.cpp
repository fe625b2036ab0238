#include "conditions/RangeGraphic.h"

#include <algorithm>
#include <cstring>

namespace vdx {

bool ColouredBox::operator==(const ColouredBox& o) const {
    return x == o.x && y == o.y && width == o.width && height == o.height && std::strcmp(colour, o.colour) == 0;
}

namespace {

constexpr int kRowY[4] = {116, 148, 180, 212};

struct Painter {
    std::vector<ColouredBox>& out;
    int left;
    bool enabled;
    // A piece from offset `from` to offset `to` of the row.
    void piece(int row, int from, int to, const char* colour) const {
        if (to <= from) return;
        out.push_back({left + from, kRowY[row], to - from, kRangeBarHeight, enabled ? colour : "LIGHT GREY"});
    }
};

} // namespace

std::vector<ColouredBox> RangeGraphic(const std::array<float, 3>& expected, int matchCount,
                                      const KindBounds& bounds, bool enabled, int x0) {
    std::vector<ColouredBox> boxes;
    const Painter p{boxes, x0 + kRangeGraphicLeft, enabled};
    const int W = kRangeMatchWidth;
    const int N = matchCount;
    const int a = static_cast<int>(W * expected[0]);
    const int b = static_cast<int>(W * expected[1]);
    const int e = W * N - a - b;

    // Row 0 grows from the left.
    const int m0 = W * bounds[0][0], M0 = W * bounds[0][1];
    p.piece(0, 0, m0, "LIME GREEN");
    p.piece(0, m0, M0, "GREEN");

    // Row 1 sits around the middle of the average line.
    const int m1 = W * bounds[1][0], M1 = W * bounds[1][1];
    const int g = a + b / 2 - m1 / 2;
    const int q = a + e == 0 ? 0 : a - a * (M1 - b) / (a + e);
    if (m1 > 0) {
        p.piece(1, q, std::min(g, q + M1), "MEDIUM SLATE BLUE");
        p.piece(1, std::max(q, g + m1), q + M1, "MEDIUM SLATE BLUE");
        p.piece(1, g, g + m1, "MEDIUM BLUE");
    } else {
        p.piece(1, q, q + M1, "MEDIUM SLATE BLUE");
    }

    // Row 2 grows from the right.
    const int m2 = bounds[2][0], M2 = bounds[2][1];
    p.piece(2, W * (N - M2), W * (N - m2), "RED");
    p.piece(2, W * (N - m2), W * N, "VIOLET RED");

    // How an average line splits into the three kinds.
    p.piece(3, 0, a, "GREEN");
    p.piece(3, a, a + b, "MEDIUM SLATE BLUE");
    p.piece(3, a + b, W * N, "RED");
    return boxes;
}

ColouredBox RangeGraphicArea(int matchCount, int x0) {
    return {x0 + 401, 115, kRangeMatchWidth * matchCount + 57, 88, ""};
}

} // namespace vdx
