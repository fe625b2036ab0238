#include "calc/StatisticsLayout.h"

#include <algorithm>
#include <cstdlib>

namespace vdx {

namespace {

const TextStyle kNormal;
const TextStyle kBold{true, false, 0};

class Builder {
public:
    Builder(const TextMeasure& measure, StatisticsLayout& out) : measure_(measure), out_(out) {}

    int width(const std::string& text, const TextStyle& style) const { return measure_.textWidth(text, style); }

    StatText& text(StatPart part, std::string text, int x, int y, const TextStyle& style = kNormal) {
        StatText item;
        item.part = part;
        item.text = std::move(text);
        item.x = x;
        item.y = y;
        item.style = style;
        out_.texts.push_back(std::move(item));
        StatText& added = out_.texts.back();
        reach(added.x + width(added.text, style), added.y + measure_.textHeight());
        return added;
    }

    void box(int x, int y, int w, int h, StatInk ink, int index) {
        out_.shapes.push_back(StatShape{StatShape::kBox, x, y, w, h, ink, index});
        reach(x + w, y + h);
    }

    void line(int x, int y, int dx, int dy, StatInk ink) {
        out_.shapes.push_back(StatShape{StatShape::kLine, x, y, dx, dy, ink, -1});
        reach(std::max(x, x + dx), std::max(y, y + dy));
    }

    void reach(int right, int bottom) {
        right_ = std::max(right_, right);
        bottom_ = std::max(bottom_, bottom);
    }
    int right() const { return right_; }
    int bottom() const { return bottom_; }

private:
    const TextMeasure& measure_;
    StatisticsLayout& out_;
    int right_ = 0, bottom_ = 0;
};

const TextStyle& CellStyle(const StatisticsRow& row, const StatisticsCell& cell) {
    return row.kind != StatisticsRow::kMatch || cell.highlighted ? kBold : kNormal;
}

} // namespace

int StatisticsBarHeight(int count, int largest, int fullHeight) {
    if (count <= 0 || largest <= 0 || fullHeight <= 0) return 0;
    const long long h = static_cast<long long>(count) * fullHeight / largest;
    return std::clamp(static_cast<int>(h), 1, fullHeight);
}

int StatisticsMarkerX(const StatisticsLayout& layout, int position) {
    return layout.barsLeft + position * layout.barStep + layout.barWidth / 2;
}

StatisticsLayout LayOutStatistics(const StatisticsView& view, const TextMeasure& measure) {
    StatisticsLayout out;
    Builder b(measure, out);
    const int h = std::max(measure.textHeight(), 8);
    const int margin = h;
    const int gap = h;
    const int rowHeight = h + std::max(2, h / 8);
    const int pad = std::max(2, h / 6); // around a highlighted text
    out.rowHeight = rowHeight;

    // Column widths from the widest text of each column; long titles are shortened.
    std::array<int, kStatColumnCount> widths{};
    int headingWidth = 0;
    const int titleLimit = kStatTitleHeights * h;
    for (const StatisticsRow& row : view.table)
        for (int c = 0; c < kStatColumnCount; ++c) {
            const StatisticsCell& cell = row.cells[c];
            const int w = b.width(cell.text, CellStyle(row, cell));
            if (row.kind == StatisticsRow::kHeading && c == kStatNumber)
                headingWidth = w;
            else
                widths[c] = std::max(widths[c], c == kStatTitle ? std::min(w, titleLimit) : w);
        }
    // The heading stands over the numbers and titles and must not run into the first head.
    widths[kStatTitle] = std::max(widths[kStatTitle], headingWidth - widths[kStatNumber] - gap / 2);

    std::array<int, kStatColumnCount> left{};
    left[kStatNumber] = margin;
    left[kStatTitle] = left[kStatNumber] + widths[kStatNumber] + gap / 2;
    int x = left[kStatTitle] + widths[kStatTitle] + gap;
    for (int c = kStatChance1; c < kStatColumnCount; ++c) {
        if (c == kStatTips1) x += gap; // the tips stand apart from the chances
        left[c] = x;
        x += widths[c] + gap;
    }
    const int tableRight = left[kStatColumnCount - 1] + widths[kStatColumnCount - 1];

    int y = margin;
    bool ruled = false;
    for (int r = 0; r < static_cast<int>(view.table.size()); ++r) {
        const StatisticsRow& row = view.table[r];
        if (row.kind == StatisticsRow::kTotal && !ruled) {
            ruled = true;
            y += h / 2;
            b.line(margin, y - h / 4, tableRight - margin, 0, StatInk::Rule);
        }
        for (int c = 0; c < kStatColumnCount; ++c) {
            const StatisticsCell& cell = row.cells[c];
            if (cell.text.empty()) continue;
            const TextStyle& style = CellStyle(row, cell);
            std::string text = cell.text;
            if (c == kStatTitle && row.kind == StatisticsRow::kMatch)
                text = ShortenToWidth(text, titleLimit, measure, style);
            int tx = left[c];
            if (row.kind == StatisticsRow::kHeading && c == kStatNumber)
                tx = margin;
            else if (StatisticsColumnRightAligned(c))
                tx = left[c] + widths[c] - b.width(text, style);
            if (cell.highlighted)
                b.box(left[c] - pad, y - 1, widths[c] + 2 * pad, rowHeight, StatInk::Highlight, r);
            const StatPart part = row.kind != StatisticsRow::kHeading ? StatPart::Cell
                                  : c == kStatNumber                   ? StatPart::Heading
                                                                       : StatPart::ColumnHead;
            StatText& item = b.text(part, std::move(text), tx, y, style);
            item.row = r;
            item.column = c;
        }
        y += rowHeight;
        if (row.kind == StatisticsRow::kHeading) y += h / 4;
    }

    // The probabilities and the correct tips stand side by side under the table.
    const int sectionTop = y + h / 2;
    int sectionLeft = margin;
    if (view.showProbabilities) {
        y = sectionTop;
        b.text(StatPart::Heading, view.probabilitiesHeading, margin, y, kBold);
        y += rowHeight + h / 4;
        out.barWidth = std::max(6, h * 3 / 4);
        out.barStep = out.barWidth + std::max(2, h / 5);
        out.barsLeft = margin + out.barStep; // room for the marker left of the first bar
        out.barsHeight = 4 * h;
        const bool marked = view.markerPosition != kNoResultsLine;
        const int barsTop = marked ? y + rowHeight : y; // the marker's figure stands above the bars
        out.barsBottom = barsTop + out.barsHeight;
        for (int i = 0; i < kProbabilityBuckets; ++i) {
            const int bar = StatisticsBarHeight(view.bars[i], view.largestBar, out.barsHeight);
            if (bar > 0) b.box(out.barsLeft + i * out.barStep, out.barsBottom - bar, out.barWidth, bar, StatInk::Bar, i);
        }
        const int barsRight = out.barsLeft + (kProbabilityBuckets - 1) * out.barStep + out.barWidth;
        b.line(out.barsLeft - out.barStep, out.barsBottom, barsRight - out.barsLeft + 2 * out.barStep, 0,
               StatInk::Rule);

        if (marked) {
            const int mx = StatisticsMarkerX(out, std::clamp(view.markerPosition, -1, kProbabilityBuckets));
            b.line(mx, barsTop - h / 4, 0, out.barsBottom + h / 2 - (barsTop - h / 4), StatInk::Marker);
            const int tw = b.width(view.markerText, kBold);
            b.text(StatPart::MarkerText, view.markerText, std::max(margin, mx - tw / 2), y, kBold).ink =
                StatInk::Marker;
        }
        const int under = out.barsBottom + h / 2 + 1;
        b.text(StatPart::MinimumText, view.minimumText, out.barsLeft, under);
        b.text(StatPart::MaximumText, view.maximumText, barsRight - b.width(view.maximumText, kNormal), under);
        // The marker may stand right of the last bar, its figure beyond it.
        int right = barsRight + out.barStep;
        for (const StatText& t : out.texts)
            if (t.part == StatPart::MarkerText || (t.part == StatPart::Heading && t.y == sectionTop))
                right = std::max(right, t.x + b.width(t.text, t.style));
        sectionLeft = right + 2 * gap;
    }

    if (view.showCorrectTips) {
        y = sectionTop;
        b.text(StatPart::Heading, view.correctTipsHeading, sectionLeft, y, kBold);
        y += rowHeight + h / 4;
        int numberWidth = 0, linesWidth = 0;
        for (const CorrectTipsEntry& e : view.correctTips) {
            numberWidth = std::max(numberWidth, b.width(e.number, kBold));
            linesWidth = std::max(linesWidth, b.width(e.lines, kBold));
        }
        const int block = numberWidth + gap / 2 + linesWidth + 3 * gap;
        for (const CorrectTipsEntry& e : view.correctTips) {
            const int x0 = sectionLeft + e.column * block;
            const int ey = y + e.row * rowHeight;
            const TextStyle& style = e.highlighted ? kBold : kNormal;
            if (e.highlighted)
                b.box(x0 - pad, ey - 1, numberWidth + gap / 2 + linesWidth + 2 * pad, rowHeight, StatInk::Highlight,
                      -1);
            StatText& number =
                b.text(StatPart::CorrectNumber, e.number, x0 + numberWidth - b.width(e.number, style), ey, style);
            const int n = std::atoi(e.number.c_str());
            number.row = n;
            b.text(StatPart::CorrectLines, e.lines, x0 + numberWidth + gap / 2 + linesWidth - b.width(e.lines, style),
                   ey, style)
                .row = n;
        }
    }

    out.width = b.right() + margin;
    out.height = b.bottom() + margin;
    return out;
}

} // namespace vdx
