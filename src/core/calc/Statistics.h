#pragma once
// The figures of the statistics window: chances and tip counts per match,
// totals of tips, results and correct tips, how probable the lines are, and
// how many lines reached how many correct tips.

#include "document/PoolsDocument.h"

#include <array>
#include <string>
#include <vector>

namespace vdx {

constexpr int kProbabilityBuckets = 25;
// Position of the results line when it was not computed.
constexpr int kNoResultsLine = -2;

struct StatisticsMatch {
    std::string title;
    int result = kTipNone;
    std::array<int, 3> chance{-1, -1, -1};   // per mille of "1", "X", "2"; -1 without data
    std::array<int, 3> tipCount{-1, -1, -1}; // -1 without data or without lines
};

struct StatisticsTotal {
    std::array<int, 3> count{};
    bool available = true;
};

struct Statistics {
    int matchCount = 0;
    std::vector<StatisticsMatch> matches;
    int knownResults = 0;
    bool hasTips = false;
    bool valid = false;       // the lines fit the current input
    StatisticsTotal sum;      // tips per tip over the matches with data
    StatisticsTotal results;  // matches with data whose result is "1", "X", "2"
    StatisticsTotal correct;  // per result tip: lines carrying it where it came true

    // Line probability figures (percent), only for valid lines.
    std::vector<double> lineFigures;
    double minFigure = 100.0;
    double maxFigure = 0.0;
    std::array<int, kProbabilityBuckets> buckets{};
    int largestBucket = 0;
    double resultsFigure = 0.0;
    int resultsPosition = kNoResultsLine; // -1..25 when computed

    // correctHistogram[c]: lines with exactly c correct tips, c = 0..matchCount.
    std::vector<int> correctHistogram;
    int highestCorrect = -1;
};

// The average share in percent of the lines that agree with the given tips,
// over the matches with data (tips indexed by match; -1 counts nothing).
double LineProbabilityFigure(const PoolsDocument& doc, const std::array<int, kMaxMatches>& tips);
// Bucket 0..24 of a line's figure.
int ProbabilityBucket(double figure, double minimum, double maximum);
// Position -1..25 of the results line among the buckets.
int ResultsLinePosition(double figure, double minimum, double maximum);

Statistics ComputeStatistics(const PoolsDocument& doc);

} // namespace vdx
