#pragma once
// What a page of the charts window shows, computed from a document's
// evaluation of its lines: per column the counts for k = 0..14, their value
// labels and bar lengths, the rows outside the allowed range, the bracket of
// the range and the marker of the results.

#include "document/PoolsDocument.h"

#include <array>
#include <string>

namespace vdx {

// Pages of the charts window, in notebook order.
enum ChartPageIndex : int { kChartDuplicates = 0, kChartTips1X2 = 1, kChartFavourites = 2, kChartPageCount = 3 };

constexpr int kChartRows = 15;      // k = 0..14
constexpr int kChartBarWidth = 100; // pixels of a full bar

struct ChartColumn {
    bool shown = false;                   // column and its header
    std::string header;
    int topRow = -1;                      // highest k shown; rows 0..topRow are visible
    std::array<int, kChartRows> count{};
    std::array<std::string, kChartRows> valueText; // "-" for 0, else grouped digits
    std::array<bool, kChartRows> outOfRange{};
    std::array<int, kChartRows> barLength{};       // 0..100
    int rangeLow = -1, rangeHigh = -1;    // rows of the red bracket; -1 = none
    int resultCount = -1;                 // row of the green marker; -1 = none

    bool rowShown(int k) const { return shown && k >= 0 && k <= topRow; }
    bool operator==(const ChartColumn& o) const;
    bool operator!=(const ChartColumn& o) const { return !(*this == o); }
};

struct ChartPage {
    int page = kChartDuplicates;
    std::string tabLabel;
    int shownMatches = 0;        // calcMatchCount the rows follow
    int shownLines = 0;          // tipLineCount
    int markedMatches = 0;       // duplicates page: K
    bool duplicatesActive = false;
    std::array<ChartColumn, 3> columns;

    bool operator==(const ChartPage& o) const;
    bool operator!=(const ChartPage& o) const { return !(*this == o); }
};

// The page computed from the document as it was evaluated last.
ChartPage ComputeChartPage(const PoolsDocument& doc, int page);

// Length of the coloured part of a bar: 0 for a count of 0, else
// max(4, whole part of 100 * sin(pi/2 * count / largest)).
int ChartBarLength(int count, int largest);
// "-" for 0, else the count with thousands separators ("." when the document
// writes a decimal comma, "," otherwise).
std::string ChartValueText(int count, bool decimalComma);
// The window's title: "%s: Charts".
std::string ChartsFrameTitle(const std::string& documentTitle);
// The longest value text of the page (for the width of the value labels).
std::string WidestValueText(const ChartPage& page);

extern const char* const kTextChartsClose;        // "&Close"
extern const char* const kTextChartsCloseTip;     // "closes the window"
extern const char* const kTextChartsDescription;  // what the window shows

} // namespace vdx
