#include "ticketprint/FormatPreview.h"

#include "text/Tr.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace vdx {
namespace {

constexpr int kTick = 3;          // half length of a measurement's end mark
constexpr int kItemGap = 12;      // between header items
constexpr int kRowGap = 6;        // between the header rows
constexpr int kMinFontStep = -6;  // smallest font of a gap's text

int Px(int hundredths) { return hundredths / kPreviewHundredthsPerPixel; }

PreviewRect Union(const PreviewRect& a, const PreviewRect& b) {
    const int x = std::min(a.x, b.x), y = std::min(a.y, b.y);
    return {x, y, std::max(a.right(), b.right()) - x, std::max(a.bottom(), b.bottom()) - y};
}

class Builder {
public:
    Builder(const TicketFormatValues& v, const MeasureText& measure, const TranslateText& translate)
        : v_(v), measure_(measure), translate_(translate) {}

    FormatPreview build() {
        lineHeight_ = measure_("Ag", 0).height;
        header();
        ticket();
        for (const PreviewText& t : out_.texts) extend({t.x, t.y, measure_(t.text, t.fontStep).width, lineHeight_});
        for (const PreviewHit& h : out_.hits) extend(h.rect);
        extend(out_.ticket);
        out_.width += 20;
        out_.height += 20;
        return std::move(out_);
    }

private:
    std::string tr(const char* text) const { return translate_ ? translate_(text) : Translate(text); }
    std::string name(FormatChange kind, int index = -1) const {
        return WithoutAmpersands(tr(FormatChangeLabel(kind, index)));
    }

    PreviewRect text(const std::string& s, int x, int y, PreviewColour colour = PreviewColour::kBlack,
                     int fontStep = 0) {
        out_.texts.push_back({s, x, y, colour, fontStep});
        const PreviewTextSize size = measure_(s, fontStep);
        return {x, y, size.width, size.height};
    }
    void line(int x1, int y1, int x2, int y2, PreviewColour colour = PreviewColour::kBlack, int extra = 0) {
        out_.lines.push_back({x1, y1, x2, y2, colour, extra});
    }
    void hit(PreviewTarget target, int index, const PreviewRect& rect) { out_.hits.push_back({target, index, rect}); }
    void extend(const PreviewRect& r) {
        out_.width = std::max(out_.width, r.right());
        out_.height = std::max(out_.height, r.bottom());
    }

    // A red measurement with end marks; its rectangle for the hit test.
    PreviewRect horizontal(int x1, int x2, int y) {
        line(x1, y, x2, y, PreviewColour::kRed);
        line(x1, y - kTick, x1, y + kTick + 1, PreviewColour::kRed);
        line(x2, y - kTick, x2, y + kTick + 1, PreviewColour::kRed);
        return {std::min(x1, x2), y - kTick, std::abs(x2 - x1) + 1, 2 * kTick + 1};
    }
    PreviewRect vertical(int x, int y1, int y2) {
        line(x, y1, x, y2, PreviewColour::kRed);
        line(x - kTick, y1, x + kTick + 1, y1, PreviewColour::kRed);
        line(x - kTick, y2, x + kTick + 1, y2, PreviewColour::kRed);
        return {x - kTick, std::min(y1, y2), 2 * kTick + 1, std::abs(y2 - y1) + 1};
    }
    std::string measured(const std::string& label, int hundredths) const {
        return FormatText(tr(N_("%s: %.2f mm")).c_str(), label.c_str(), hundredths / 100.0);
    }

    void cross(int cx, int cy, int tip) {
        // In hundredths relative to the ticket, so that both halves round alike.
        const int h = v_.sizeOfX / 2;
        const PreviewColour c = TipColour(tip);
        line(X(cx - h), Y(cy - h), X(cx + h), Y(cy + h), c, 2);
        line(X(cx - h), Y(cy + h), X(cx + h), Y(cy - h), c, 2);
    }
    int X(int hundredths) const { return out_.ticket.x + Px(hundredths); }
    int Y(int hundredths) const { return out_.ticket.y + Px(hundredths); }

    void header() {
        static const char* const kDirections[] = {"wupgreen", "wforwardgreen", "wdowngreen", "wbackgreen"};
        static const char* const kJustifications[] = {"insertleft", "insertcentre", "insertright"};
        const int y = 20;
        int x = 20;
        std::vector<PreviewRect> items;
        const auto withBitmap = [&](PreviewTarget target, FormatChange kind, const char* bitmap) {
            const PreviewRect t = text(FormatText(tr(N_("%s: ")).c_str(), name(kind).c_str()), x, y);
            out_.bitmaps.push_back({bitmap, t.right(), y});
            const PreviewRect r{x, y, t.width + kPreviewBitmapSize, kPreviewBitmapSize};
            hit(target, -1, r);
            items.push_back(r);
            x = r.right() - 1 + kItemGap;
        };
        const auto plain = [&](PreviewTarget target, const std::string& s) {
            const PreviewRect r = text(s, x, y);
            hit(target, -1, r);
            items.push_back(r);
            x = r.right() - 1 + kItemGap;
        };
        withBitmap(PreviewTarget::kInsertDirection, FormatChange::kInsertDirection,
                   kDirections[std::clamp(v_.insertDirection, 0, 3)]);
        withBitmap(PreviewTarget::kJustification, FormatChange::kJustification,
                   kJustifications[std::clamp(v_.justification, 0, 2)]);
        plain(PreviewTarget::kOutputRatio,
              FormatText(tr(N_("%s: %d%%")).c_str(), name(FormatChange::kOutputRatio).c_str(), v_.outputRatio));
        plain(PreviewTarget::kMatches,
              FormatText(tr(N_("%s: %d")).c_str(), name(FormatChange::kMaxMatches).c_str(), v_.maxMatches));
        plain(PreviewTarget::kLines, FormatText(tr(N_("%s: %d")).c_str(), name(FormatChange::kMaxLines).c_str(), v_.maxLines));

        // Second row: the tips order with a sample of its three crosses,
        // which also shows the size of X and the space between X's.
        const int y2 = y + kPreviewBitmapSize + kRowGap;
        const PreviewRect order = text(FormatText(tr(N_("%s: %s ->")).c_str(), name(FormatChange::kTipsOrder).c_str(),
                                              TipsOrderText(v_.tipsOrder)),
                                       items[2].x, y2);
        hit(PreviewTarget::kTipsOrder, -1, order);
        const int size = Px(v_.sizeOfX);
        const int left = order.right() + 8;
        const int cy = y2 + lineHeight_ / 2;
        const int cx0 = left + size / 2;
        int samplesRight = left;
        for (int s = 0; s < 3; ++s) {
            const int cx = cx0 + Px(s * v_.spaceBetweenXs);
            const PreviewColour c = TipColour(TipAtSlot(v_.tipsOrder, s));
            line(cx - size / 2, cy - size / 2, cx + size / 2, cy + size / 2, c, 2);
            line(cx - size / 2, cy + size / 2, cx + size / 2, cy - size / 2, c, 2);
            samplesRight = cx + size / 2;
        }
        const int textX = samplesRight + 10;
        const int m1 = std::max(y2 + lineHeight_, cy + size / 2) + 6;
        PreviewRect r = horizontal(cx0 - size / 2, cx0 + size / 2, m1);
        r = Union(r, text(measured(name(FormatChange::kSizeOfX), v_.sizeOfX), textX, m1 - lineHeight_ / 2,
                          PreviewColour::kRed));
        hit(PreviewTarget::kSizeOfX, -1, r);
        const int m2 = m1 + lineHeight_ + 2;
        r = horizontal(cx0, cx0 + Px(v_.spaceBetweenXs), m2);
        r = Union(r, text(measured(name(FormatChange::kSpaceBetweenXs), v_.spaceBetweenXs), textX,
                          m2 - lineHeight_ / 2, PreviewColour::kRed));
        hit(PreviewTarget::kSpaceBetweenXs, -1, r);
        headerBottom_ = std::max({items[0].bottom(), m2 + lineHeight_ / 2 + 1, r.bottom()});
    }

    void ticket() {
        const int length = TotalLength(v_), height = TotalHeight(v_);
        out_.ticket = {kPreviewTicketLeft, headerBottom_ + 20, Px(length), Px(height)};
        out_.outlines.push_back(out_.ticket);
        const PreviewRect& t = out_.ticket;

        const int half = v_.sizeOfX / 2;
        const int firstX = LineBlockPosition(v_, 0), lastX = LineBlockPosition(v_, v_.maxLines - 1) + 2 * v_.spaceBetweenXs;
        const int firstY = MatchPosition(v_, 0), lastY = MatchPosition(v_, v_.maxMatches - 1);
        const int ax1 = X(firstX - half - 55), ax2 = X(lastX + half + 55);
        const int ay1 = Y(firstY - half - 55), ay2 = Y(lastY + half + 55);
        out_.outlines.push_back({ax1, ay1, ax2 - ax1 + 1, ay2 - ay1 + 1});
        for (int i = 0; i + 1 < v_.maxLines; ++i) {
            const int mid = LineBlockPosition(v_, i) + 2 * v_.spaceBetweenXs + v_.spacesBetweenLines[i] / 2;
            line(X(mid), ay1, X(mid), ay2);
        }
        for (int j = 0; j < v_.maxMatches; ++j)
            for (int i = 0; i < v_.maxLines; ++i)
                for (int s = 0; s < 3; ++s)
                    cross(LineBlockPosition(v_, i) + s * v_.spaceBetweenXs, MatchPosition(v_, j), TipAtSlot(v_.tipsOrder, s));

        // Top and bottom in the middle of the left side area, where no cross lies.
        const int mx = X(v_.spacesToSides[kSideLeft] / 2);
        PreviewRect r = vertical(mx, t.y, Y(firstY));
        sideText(kSideTop, r, mx + kTick + 3, (t.y + Y(firstY)) / 2);
        r = vertical(mx, Y(lastY), t.bottom());
        sideText(kSideBottom, r, mx + kTick + 3, (Y(lastY) + t.bottom()) / 2);

        // Match gaps right of the ticket.
        const int gx = t.right() + 10;
        for (int k = 0; k + 1 < v_.maxMatches; ++k) {
            const int y1 = Y(MatchPosition(v_, k)), y2 = Y(MatchPosition(v_, k + 1));
            r = vertical(gx, y1, y2);
            const std::string s = FormatText(tr(N_("Matches %1$d - %2$d: %3$.2f mm")).c_str(), k + 1, k + 2,
                                         v_.spacesBetweenMatches[k] / 100.0);
            int step = 0;
            while (step > kMinFontStep && measure_(s, step).height > y2 - y1) --step;
            const int th = measure_(s, step).height;
            r = Union(r, text(s, gx + kTick + 4, (y1 + y2) / 2 - th / 2, PreviewColour::kRed, step));
            hit(PreviewTarget::kMatchGap, k, r);
        }

        // Below the ticket: the left side, the line gaps and the right side on
        // one row, their names on the next.
        const int rowA = t.bottom() + 10;
        const int valueY = rowA + kTick + 3;
        const int unitWidth = measure_(FormatText(tr(N_("%.2f mm")).c_str(), 3.0), 0).width;
        int valuesBottom = valueY;
        for (int i = 0; i + 1 < v_.maxLines; ++i) {
            const int x1 = X(LineBlockPosition(v_, i) + 2 * v_.spaceBetweenXs), x2 = X(LineBlockPosition(v_, i + 1));
            r = horizontal(x1, x2, rowA);
            const bool unit = unitWidth <= x2 - x1;
            const double gap = v_.spacesBetweenLines[i] / 100.0;
            const std::string s = unit ? FormatText(tr(N_("%.2f mm")).c_str(), gap) : FormatText("%.2f", gap);
            // Neighbouring values stand one line block apart (room: the
            // distance to the nearest one): a smaller font keeps them apart.
            const int centre = (x1 + x2) / 2;
            int room = 1 << 20;
            if (i > 0) room = std::min(room, centre - (X(LineBlockPosition(v_, i) - v_.spacesBetweenLines[i - 1]) +
                                                       X(LineBlockPosition(v_, i))) / 2);
            if (i + 2 < v_.maxLines)
                room = std::min(room, (X(LineBlockPosition(v_, i + 1) + 2 * v_.spaceBetweenXs) +
                                       X(LineBlockPosition(v_, i + 2))) / 2 - centre);
            // Half a line of space between neighbours, or they read as one number.
            int step = 0;
            while (step > kMinFontStep && measure_(s, step).width > room - lineHeight_ / 2) --step;
            const int w = measure_(s, step).width;
            const PreviewRect box = text(s, centre - w / 2, valueY, PreviewColour::kRed, step);
            valuesBottom = std::max(valuesBottom, box.bottom());
            hit(PreviewTarget::kLineGap, i, Union(r, box));
        }
        const int rowB = std::max(valuesBottom, valueY + lineHeight_) + 2;
        // The sides' names stand on the row below, so only their texts are
        // clicked (a rectangle over both rows would cover the line gaps).
        horizontal(t.x, X(firstX), rowA);
        const PreviewRect leftName = text(measured(name(FormatChange::kSide, kSideLeft), v_.spacesToSides[kSideLeft]),
                                          t.x, rowB, PreviewColour::kRed);
        hit(PreviewTarget::kSide, kSideLeft, leftName);
        horizontal(X(lastX), t.right(), rowA);
        const std::string right = measured(name(FormatChange::kSide, kSideRight), v_.spacesToSides[kSideRight]);
        // Long names (or a narrow ticket) put the right side's on a row of its own.
        const int rightX = t.right() - measure_(right, 0).width;
        const int rightY = rightX < leftName.right() + kItemGap ? rowB + lineHeight_ + 2 : rowB;
        const PreviewRect rightName = text(right, rightX, rightY, PreviewColour::kRed);
        hit(PreviewTarget::kSide, kSideRight, rightName);

        const int rowC = rightName.bottom() + 10;
        hit(PreviewTarget::kTotalLength, -1, text(measured(tr(N_("Total Length")), length), t.x, rowC));
        hit(PreviewTarget::kTotalHeight, -1,
            text(measured(tr(N_("Total Height")), height), t.x, rowC + lineHeight_ + 2));
    }

    void sideText(int side, const PreviewRect& line, int x, int middle) {
        const PreviewRect r = text(measured(name(FormatChange::kSide, side), v_.spacesToSides[side]), x,
                                   middle - lineHeight_ / 2, PreviewColour::kRed);
        hit(PreviewTarget::kSide, side, Union(line, r));
    }

    const TicketFormatValues& v_;
    const MeasureText& measure_;
    const TranslateText& translate_;
    FormatPreview out_;
    int lineHeight_ = 0;
    int headerBottom_ = 0;
};

int Wrapped(int v, int largest) { return v < 0 ? largest : v > largest ? 0 : v; }

} // namespace

PreviewColour TipColour(int tip) {
    switch (tip) {
    case 1: return PreviewColour::kBlue;
    case 2: return PreviewColour::kGreen;
    default: return PreviewColour::kBlack;
    }
}

FormatPreview BuildFormatPreview(const TicketFormatValues& values, const MeasureText& measure,
                                 const TranslateText& translate) {
    return Builder(values, measure, translate).build();
}

const PreviewHit* PreviewHitAt(const FormatPreview& preview, int x, int y) {
    for (const PreviewHit& h : preview.hits)
        if (h.rect.contains(x, y)) return &h;
    return nullptr;
}

PreviewClick ClickOnPreview(const TicketFormatValues& v, const PreviewHit& hit, bool up) {
    PreviewClick c;
    const int sign = up ? 1 : -1;
    const auto step = [&](FormatChange kind, int index, int by) {
        c.kind = kind;
        c.index = index;
        c.value = FormatValue(v, kind, index) + sign * by;
        c.label = FormatChangeLabel(kind, index);
    };
    switch (hit.target) {
    case PreviewTarget::kInsertDirection:
        step(FormatChange::kInsertDirection, -1, 1);
        c.value = Wrapped(c.value, kInsertDirectionMax);
        break;
    case PreviewTarget::kJustification:
        step(FormatChange::kJustification, -1, 1);
        c.value = Wrapped(c.value, kJustificationMax);
        break;
    case PreviewTarget::kTipsOrder:
        step(FormatChange::kTipsOrder, -1, 1);
        c.value = Wrapped(c.value, kTipsOrderMax);
        break;
    case PreviewTarget::kOutputRatio: step(FormatChange::kOutputRatio, -1, 1); break;
    case PreviewTarget::kMatches: step(FormatChange::kMaxMatches, -1, 1); break;
    case PreviewTarget::kLines: step(FormatChange::kMaxLines, -1, 1); break;
    case PreviewTarget::kSizeOfX: step(FormatChange::kSizeOfX, -1, 5); break;
    case PreviewTarget::kSpaceBetweenXs: step(FormatChange::kSpaceBetweenXs, -1, 5); break;
    case PreviewTarget::kSide: step(FormatChange::kSide, hit.index, 10); break;
    case PreviewTarget::kMatchGap: step(FormatChange::kMatchGap, hit.index, 5); break;
    case PreviewTarget::kLineGap: step(FormatChange::kLineGap, hit.index, 5); break;
    case PreviewTarget::kTotalLength:
    case PreviewTarget::kTotalHeight: c.showTotalsMessage = true; break;
    }
    return c;
}

} // namespace vdx
