#include "charts/ChartLayout.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace vdx {

namespace {

constexpr int kColumnPitch = 185;
constexpr int kMarkLength = 114; // bracket and result line, from 7 pixels left of the bar

ChartShape Box(int x, int y, int width, int height, const char* brush) {
    ChartShape s;
    s.kind = ChartShape::kBox;
    s.x1 = x;
    s.y1 = y;
    s.x2 = width;
    s.y2 = height;
    s.brush = brush;
    return s;
}

ChartShape Line(int x1, int y1, int x2, int y2, const char* pen, int width) {
    ChartShape s;
    s.kind = ChartShape::kLine;
    s.x1 = x1;
    s.y1 = y1;
    s.x2 = x2;
    s.y2 = y2;
    s.pen = pen;
    s.penWidth = width;
    return s;
}

} // namespace

bool ChartShape::operator==(const ChartShape& o) const {
    return kind == o.kind && x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2 && penWidth == o.penWidth &&
           std::strcmp(pen, o.pen) == 0 && std::strcmp(brush, o.brush) == 0;
}

ChartColumnPlace ChartColumnPlacement(const ChartMetrics& m, int i) {
    const int w = m.labelExtra + m.valueExtra;
    ChartColumnPlace p;
    p.rowLabelX = kColumnPitch * i + i * w + 15;
    p.rowLabelWidth = 18 + m.labelExtra;
    p.valueX = kColumnPitch * i + (i + 1) * m.labelExtra + i * m.valueExtra + 43;
    p.valueWidth = 12 + m.valueExtra;
    p.barX = kColumnPitch * i + (i + 1) * w + 65;
    p.headerX = kColumnPitch * i + (i + 1) * w + 23;
    return p;
}

int ChartRowY(const ChartMetrics& m, int k) { return 42 + (kChartRows - 1 - k) * m.rowHeight; }

int ChartHeaderY(const ChartMetrics& m, int calcMatchCount) { return m.rowHeight * (14 - calcMatchCount) + 20; }

ChartRect ChartFrameSize(const ChartMetrics& m) {
    ChartRect r{100, 50, 588, 377};
    if (m.rowHeight > 13) r.height += 15 * m.rowHeight - 195;
    if (m.valueExtra > 0) r.width += m.valueExtra;
    return r;
}

std::string ChartRowLabel(int k) { return std::to_string(k) + ":"; }

std::array<ChartMetrics, kChartPageCount> MeasureChartPages(const std::array<ChartPage, kChartPageCount>& pages,
                                                            const TextMeasure& measure) {
    const TextStyle normal;
    ChartMetrics common;
    common.rowHeight = std::max(13, measure.textHeight());
    common.labelExtra = std::max(0, measure.textWidth(ChartRowLabel(14), normal) - 18);
    std::array<ChartMetrics, kChartPageCount> metrics;
    for (int p = 0; p < kChartPageCount; ++p) {
        metrics[p] = common;
        metrics[p].valueExtra = std::max(0, measure.textWidth(WidestValueText(pages[p]), normal) - 12);
    }
    const int shared = std::max(metrics[kChartTips1X2].valueExtra, metrics[kChartFavourites].valueExtra);
    metrics[kChartTips1X2].valueExtra = metrics[kChartFavourites].valueExtra = shared;
    return metrics;
}

std::vector<ChartText> ChartPageTexts(const ChartPage& page, const ChartMetrics& m) {
    std::vector<ChartText> texts;
    for (int i = 0; i < 3; ++i) {
        const ChartColumn& c = page.columns[i];
        if (!c.shown) continue;
        const ChartColumnPlace place = ChartColumnPlacement(m, i);
        ChartText header;
        header.part = ChartText::kHeader;
        header.align = ChartText::kCentre;
        header.text = c.header;
        header.x = place.headerX;
        header.y = ChartHeaderY(m, page.shownMatches);
        header.width = place.headerWidth;
        header.height = m.rowHeight;
        header.column = i;
        texts.push_back(header);
        for (int k = kChartRows - 1; k >= 0; --k) {
            if (!c.rowShown(k)) continue;
            ChartText label;
            label.part = ChartText::kRowLabel;
            label.text = ChartRowLabel(k);
            label.x = place.rowLabelX;
            label.y = ChartRowY(m, k);
            label.width = place.rowLabelWidth;
            label.height = m.rowHeight;
            label.column = i;
            label.k = k;
            texts.push_back(label);
            ChartText value = label;
            value.part = ChartText::kValue;
            value.text = c.valueText[k];
            value.x = place.valueX;
            value.width = place.valueWidth;
            texts.push_back(value);
        }
    }
    return texts;
}

ChartRect ChartDrawingSize(const ChartMetrics& m) {
    ChartRect r;
    r.width = ChartColumnPlacement(m, 2).barX + kChartBarWidth + 15;
    r.height = ChartRowY(m, 0) + m.rowHeight + 10;
    return r;
}

std::vector<ChartShape> PaintChartPage(const ChartPage& page, const ChartMetrics& m) {
    std::vector<ChartShape> shapes;
    const int h = m.rowHeight;
    for (int i = 0; i < 3; ++i) {
        const ChartColumn& c = page.columns[i];
        if (!c.shown) continue;
        const int barX = ChartColumnPlacement(m, i).barX;
        for (int k = 0; k < kChartRows; ++k) {
            if (!c.rowShown(k)) continue;
            const int y = ChartRowY(m, k);
            const int length = c.barLength[k];
            if (length > 0) shapes.push_back(Box(barX, y, length, h, c.outOfRange[k] ? "RED" : "GREEN"));
            if (length < kChartBarWidth) shapes.push_back(Box(barX + length, y, kChartBarWidth - length, h, "BLACK"));
        }
        const int left = barX - 7, right = left + kMarkLength;
        if (c.rangeLow >= 0) {
            const int bottom = ChartRowY(m, c.rangeLow) + h; // bottom edge of the minimum's row
            const int top = ChartRowY(m, c.rangeHigh);       // top edge of the maximum's row
            shapes.push_back(Line(left, bottom, right, bottom, "RED", 1));
            shapes.push_back(Line(left, top, right, top, "RED", 1));
            shapes.push_back(Line(right, top, right, bottom, "RED", 1));
        }
        if (c.resultCount >= 0 && c.rowShown(c.resultCount)) {
            const int y = (15 - c.resultCount) * h - h / 2 + 41;
            shapes.push_back(Line(left, y, right, y, "GREEN", 3));
        }
    }
    return shapes;
}

} // namespace vdx
