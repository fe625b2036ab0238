#pragma once
// What the statistics window draws, top to bottom, as texts in a grid: the
// window measures the texts in its font and renders them; vdxtool prints the
// same view as text.

#include "calc/Statistics.h"

#include <array>
#include <string>
#include <vector>

namespace vdx {

// Columns of the table: match number, title, the chances of "1", "X", "2",
// the tip counts of "1", "X", "2". Total rows put their shares under the
// chances and their counts under the tip counts.
enum StatisticsColumn : int {
    kStatNumber = 0,
    kStatTitle = 1,
    kStatChance1 = 2,
    kStatTips1 = 5,
    kStatColumnCount = 8
};
// Every column but the title is right-aligned.
bool StatisticsColumnRightAligned(int column);

struct StatisticsCell {
    std::string text;
    bool highlighted = false; // the column of the match's result; the highest correct tips
};

struct StatisticsRow {
    enum Kind { kHeading, kMatch, kTotal } kind = kMatch;
    std::array<StatisticsCell, kStatColumnCount> cells;
};

struct CorrectTipsEntry {
    int column = 0, row = 0;  // two columns of (matches + 2) / 2 rows
    std::string number;       // "%d:" correct tips
    std::string lines;        // "%d" lines
    bool highlighted = false; // the highest number reached
};

struct StatisticsView {
    std::vector<StatisticsRow> table;

    bool showProbabilities = false;
    std::string probabilitiesHeading;
    std::array<int, kProbabilityBuckets> bars{}; // bucket counts
    int largestBar = 0;                          // to scale the bars
    std::string minimumText, maximumText;        // under the left and right end
    int markerPosition = kNoResultsLine;         // -1 left of the first bar .. 25 right of the last
    std::string markerText;

    bool showCorrectTips = false;
    std::string correctTipsHeading;
    int correctTipsRows = 0;                     // rows per column
    std::vector<CorrectTipsEntry> correctTips;
};

// "%.1f%%" of a percentage.
std::string PercentText(double percent);
// A share of a total as "%.1f%%" (0.0% of a total of 0).
std::string ShareText(int count, int total);
// "Correct Tips (known Results: %d of %d) ", or "Correct Tips" when all are known.
std::string CorrectTipsHeading(int knownResults, int matchCount);
// The window's title: "%s: Statistics".
std::string StatisticsFrameTitle(const std::string& documentTitle);

StatisticsView MakeStatisticsView(const Statistics& statistics, bool zeroForDraw);

} // namespace vdx
