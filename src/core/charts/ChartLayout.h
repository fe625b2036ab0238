#pragma once
// Where a page of the charts window puts its labels and bars, and what it
// paints, as plain rectangles and lines.

#include "charts/ChartPage.h"
#include "view/TicketLayout.h"

#include <vector>

namespace vdx {

struct ChartMetrics {
    int rowHeight = 13;   // 13, or the text height of a row label when larger
    int labelExtra = 0;   // width the row labels need beyond 18 pixels
    int valueExtra = 0;   // width the value labels need beyond 12 pixels
};

struct ChartRect {
    int x = 0, y = 0, width = 0, height = 0;
};

struct ChartColumnPlace {
    int rowLabelX = 0, rowLabelWidth = 0;   // "%d:", right-aligned
    int valueX = 0, valueWidth = 0;         // value label, right-aligned
    int barX = 0;                           // the 100-pixel box
    int headerX = 0, headerWidth = 185;     // centred
};

ChartColumnPlace ChartColumnPlacement(const ChartMetrics& metrics, int column);
// Top of the row of k (k = 14 the first row).
int ChartRowY(const ChartMetrics& metrics, int k);
// The headers sit 20 pixels above the top visible row.
int ChartHeaderY(const ChartMetrics& metrics, int calcMatchCount);
// 588 x 377, taller by 15 * rowHeight - 195 for rows above 13 pixels, wider by valueExtra.
ChartRect ChartFrameSize(const ChartMetrics& metrics);
// "%d:" of row k.
std::string ChartRowLabel(int k);

struct ChartShape {
    enum Kind { kBox, kLine } kind = kBox;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0; // box: x1, y1 and width x2, height y2; line: from (x1, y1) to (x2, y2)
    const char* pen = "BLACK";          // colour name of the pen
    int penWidth = 1;
    const char* brush = "";             // colour name of a box's fill

    bool operator==(const ChartShape& o) const;
};

// The metrics of the three pages in the window's font: the row height and the
// room the row labels need follow the text height; the value labels need the
// room of the widest count. The two range pages share their value room so that
// their columns line up.
std::array<ChartMetrics, kChartPageCount> MeasureChartPages(const std::array<ChartPage, kChartPageCount>& pages,
                                                            const TextMeasure& measure);

// A text of a page: row label, value label or column header, placed in a box
// and aligned in it.
struct ChartText {
    enum Part { kRowLabel, kValue, kHeader } part = kRowLabel;
    enum Align { kLeft, kRight, kCentre } align = kRight;
    std::string text;
    int x = 0, y = 0, width = 0, height = 0;
    int column = 0;
    int k = -1;           // row number, -1 for a header
};

// The texts of the visible rows and columns of a page.
std::vector<ChartText> ChartPageTexts(const ChartPage& page, const ChartMetrics& metrics);
// Width and height of everything a page draws, with a margin right and below.
ChartRect ChartDrawingSize(const ChartMetrics& metrics);

// Everything a page paints, in order: per column and visible row the bar
// (green or red part, then the black rest), then the red bracket of the
// allowed range, then the green line of the results.
std::vector<ChartShape> PaintChartPage(const ChartPage& page, const ChartMetrics& metrics);

} // namespace vdx
