#pragma once
// Where the statistics window puts its texts, boxes and lines, measured in
// the window's font: every distance follows the font's text height, so a
// larger font gives a larger drawing. A renderer only draws the items.

#include "calc/StatisticsView.h"
#include "view/TicketLayout.h"

#include <string>
#include <vector>

namespace vdx {

// What an item shows, so callers can find and test items.
enum class StatPart {
    Heading,        // "Chances and Tips ", "Probabilities", the correct tips heading
    ColumnHead,     // "1", "X", "2" over the chances and the tips
    Cell,           // a cell of a match row or a total row (column in `column`)
    MinimumText,    // under the left end of the bars
    MaximumText,    // under the right end
    MarkerText,     // figure of the results line
    CorrectNumber,  // "%d:" correct tips
    CorrectLines,   // "%d" lines
};

// Colours by role; the renderer picks the shades.
enum class StatInk { Text, Highlight, Bar, Marker, Rule };

struct StatText {
    StatPart part;
    std::string text;
    int x = 0, y = 0;     // top-left corner
    TextStyle style;
    StatInk ink = StatInk::Text;
    int row = -1;         // table row, bar or correct tips number
    int column = -1;      // table column
};

// A filled box (bars, highlighted cells) or, with width or height 0, a line.
struct StatShape {
    enum Kind { kBox, kLine } kind = kBox;
    int x = 0, y = 0, width = 0, height = 0; // line: from (x, y) to (x + width, y + height)
    StatInk ink = StatInk::Bar;
    int index = -1;       // bar number, or the table row of a highlight
};

struct StatisticsLayout {
    std::vector<StatShape> shapes; // drawn first
    std::vector<StatText> texts;
    int rowHeight = 0;
    int barsLeft = 0, barWidth = 0, barStep = 0, barsBottom = 0, barsHeight = 0;
    int width = 0, height = 0;     // everything drawn lies inside
};

// Longest a match title may be drawn, in text heights.
constexpr int kStatTitleHeights = 14;

StatisticsLayout LayOutStatistics(const StatisticsView& view, const TextMeasure& measure);

// Height in pixels of the bar of a bucket count, scaled to the largest count;
// a count above 0 shows at least 1 pixel.
int StatisticsBarHeight(int count, int largest, int fullHeight);
// x of the centre of the results marker at position -1..25 (-1 left of the first bar, 25 right of the last).
int StatisticsMarkerX(const StatisticsLayout& layout, int position);

} // namespace vdx
