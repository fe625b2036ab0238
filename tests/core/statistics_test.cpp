// The statistics: line probability figures, buckets, the results line, the
// totals with their "n.a." rules, the correct tips, and the view's texts.

#include "calc/Statistics.h"
#include "calc/StatisticsView.h"
#include "text/StatisticsText.h"
#include "TestLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vdx {
namespace {

using testlines::WithLines;

// Three matches at 400 / 300 / 300, four lines, results 1, X, 1.
// Tip counts: match 1 {3, 0, 1}, match 2 {2, 2, 0}, match 3 {2, 1, 1}.
PoolsDocument FourLines() {
    PoolsDocument doc = WithLines({"11X", "1X2", "2X1", "111"});
    doc.calcMatchCount = 3;
    doc.match(0).result = 0;
    doc.match(1).result = 1;
    doc.match(2).result = 0;
    return doc;
}

const StatisticsRow* RowTitled(const StatisticsView& v, const std::string& title) {
    for (const StatisticsRow& r : v.table)
        if (r.cells[kStatTitle].text == title) return &r;
    return nullptr;
}

TEST(StatisticsTest, BucketsOfTheFigures) {
    struct Case { double figure, min, max; int bucket; };
    const Case cases[] = {
        {50, 50, 50, 0},
        {50, 50, 50.00000005, 0}, // within 0.0000001: all in the first bucket
        {40, 40, 60, 0},
        {60, 40, 60, 24}, // 25 becomes 24
        {50, 40, 60, 12},
        {45, 40, 60, 6},
    };
    for (const Case& c : cases) EXPECT_EQ(ProbabilityBucket(c.figure, c.min, c.max), c.bucket) << c.figure;
}

TEST(StatisticsTest, PositionOfTheResultsLine) {
    struct Case { double figure, min, max; int position; };
    const Case cases[] = {
        {60, 50, 50, 25}, {50, 50, 50, 0}, {40, 50, 50, -1},
        {61, 40, 60, 25}, {39, 40, 60, -1}, {60, 40, 60, 24},
        {40, 40, 60, 0},  {50, 40, 60, 12}, {59.9, 40, 60, 24},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResultsLinePosition(c.figure, c.min, c.max), c.position) << c.figure << " in " << c.min << ".." << c.max;
}

TEST(StatisticsTest, FiguresWithoutTheNumberOfCalculatedMatches) {
    PoolsDocument doc = FourLines();
    doc.calcMatchCount = 0; // as read from a file that does not hold it
    const Statistics s = ComputeStatistics(doc);
    ASSERT_EQ(s.lineFigures.size(), 4u);
    EXPECT_DOUBLE_EQ(s.lineFigures[3], 700.0 / 12);
    EXPECT_EQ(s.buckets[12], 2);
}

TEST(StatisticsTest, FiguresOfFourLines) {
    const Statistics s = ComputeStatistics(FourLines());
    ASSERT_TRUE(s.valid);
    // Agreeing lines per match, times 100, over 4 lines x 3 matches.
    ASSERT_EQ(s.lineFigures.size(), 4u);
    EXPECT_DOUBLE_EQ(s.lineFigures[0], 50.0);
    EXPECT_DOUBLE_EQ(s.lineFigures[1], 50.0);
    EXPECT_DOUBLE_EQ(s.lineFigures[2], 500.0 / 12);
    EXPECT_DOUBLE_EQ(s.lineFigures[3], 700.0 / 12);
    EXPECT_DOUBLE_EQ(s.minFigure, 500.0 / 12);
    EXPECT_DOUBLE_EQ(s.maxFigure, 700.0 / 12);
    std::array<int, kProbabilityBuckets> buckets{};
    buckets[0] = 1;
    buckets[12] = 2;
    buckets[24] = 1;
    EXPECT_EQ(s.buckets, buckets);
    EXPECT_EQ(s.largestBucket, 2);
    // The results 1, X, 1 are the line "111": the highest figure.
    EXPECT_DOUBLE_EQ(s.resultsFigure, 700.0 / 12);
    EXPECT_EQ(s.resultsPosition, 24);

    EXPECT_EQ(s.sum.count, (std::array<int, 3>{7, 3, 2}));
    EXPECT_TRUE(s.results.available);
    EXPECT_EQ(s.results.count, (std::array<int, 3>{2, 1, 0}));
    EXPECT_EQ(s.correct.count, (std::array<int, 3>{5, 2, 0}));
    EXPECT_EQ(s.knownResults, 3);
    EXPECT_EQ(s.correctHistogram, (std::vector<int>{0, 1, 3, 0}));
    EXPECT_EQ(s.highestCorrect, 2);
}

TEST(StatisticsTest, ViewOfFourLines) {
    const StatisticsView v = MakeStatisticsView(ComputeStatistics(FourLines()), false);
    ASSERT_EQ(v.table.size(), 1u + 3u + 3u);
    EXPECT_EQ(v.table[0].cells[kStatNumber].text, "Chances and Tips ");
    EXPECT_EQ(v.table[0].cells[kStatChance1 + 1].text, "X");
    const StatisticsRow& first = v.table[1];
    EXPECT_EQ(first.cells[kStatNumber].text, "1:");
    EXPECT_EQ(first.cells[kStatChance1].text, "40.0%");
    EXPECT_EQ(first.cells[kStatTips1 + 2].text, "1");
    // The column of the result is highlighted.
    EXPECT_TRUE(first.cells[kStatChance1].highlighted);
    EXPECT_TRUE(first.cells[kStatTips1].highlighted);
    EXPECT_FALSE(first.cells[kStatTips1 + 1].highlighted);
    EXPECT_TRUE(v.table[2].cells[kStatTips1 + 1].highlighted);

    const StatisticsRow* sum = RowTitled(v, "Sum");
    ASSERT_NE(sum, nullptr);
    EXPECT_EQ(sum->cells[kStatTips1].text, "7");
    EXPECT_EQ(sum->cells[kStatChance1].text, "58.3%");
    EXPECT_EQ(sum->cells[kStatChance1 + 2].text, "16.7%");
    const StatisticsRow* correct = RowTitled(v, "Correct Tips");
    ASSERT_NE(correct, nullptr);
    EXPECT_EQ(correct->cells[kStatTips1 + 2].text, "0");
    EXPECT_EQ(correct->cells[kStatChance1].text, "71.4%");

    EXPECT_TRUE(v.showProbabilities);
    EXPECT_EQ(v.probabilitiesHeading, "Probabilities");
    EXPECT_EQ(v.minimumText, "41.7%");
    EXPECT_EQ(v.maximumText, "58.3%");
    EXPECT_EQ(v.markerPosition, 24);
    EXPECT_EQ(v.markerText, "58.3%");

    EXPECT_EQ(v.correctTipsHeading, "Correct Tips");
    EXPECT_EQ(v.correctTipsRows, 2);
    ASSERT_EQ(v.correctTips.size(), 4u);
    struct Place { int column, row; const char* number; const char* lines; bool highlighted; };
    const Place places[] = {{0, 0, "0:", "0", false}, {0, 1, "1:", "1", false}, {1, 0, "2:", "3", true}, {1, 1, "3:", "0", false}};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(v.correctTips[c].column, places[c].column) << c;
        EXPECT_EQ(v.correctTips[c].row, places[c].row) << c;
        EXPECT_EQ(v.correctTips[c].number, places[c].number);
        EXPECT_EQ(v.correctTips[c].lines, places[c].lines);
        EXPECT_EQ(v.correctTips[c].highlighted, places[c].highlighted);
    }
}

TEST(StatisticsTest, MissingResultMakesResultsNotAvailable) {
    PoolsDocument doc = FourLines();
    doc.match(1).result = -1;
    const Statistics s = ComputeStatistics(doc);
    EXPECT_FALSE(s.results.available);
    EXPECT_FALSE(s.correct.available);
    EXPECT_EQ(s.resultsPosition, kNoResultsLine) << "no results line";
    EXPECT_EQ(s.knownResults, 2);
    const StatisticsView v = MakeStatisticsView(s, false);
    for (const char* title : {"Results", "Correct Tips"}) {
        const StatisticsRow* row = RowTitled(v, title);
        ASSERT_NE(row, nullptr) << title;
        for (int t = 0; t < 3; ++t) {
            EXPECT_EQ(row->cells[kStatTips1 + t].text, "n.a.");
            EXPECT_EQ(row->cells[kStatChance1 + t].text, "n.a.%");
        }
    }
    EXPECT_EQ(RowTitled(v, "Sum")->cells[kStatTips1].text, "7");
    EXPECT_EQ(v.correctTipsHeading, "Correct Tips (known Results: 2 of 3) ");
    EXPECT_TRUE(v.markerText.empty());
    EXPECT_EQ(CorrectTipsHeading(7, 10), "Correct Tips (known Results: 7 of 10) ");
}

TEST(StatisticsTest, SevenOfTenResultsKnown) {
    PoolsDocument doc = WithLines({"1111111111", "XXXXXXXXXX", "2222222222"});
    doc.calcMatchCount = 10;
    for (int m = 0; m < 7; ++m) doc.match(m).result = m % 3;
    const StatisticsView v = MakeStatisticsView(ComputeStatistics(doc), false);
    EXPECT_EQ(v.correctTipsHeading, "Correct Tips (known Results: 7 of 10) ");
    EXPECT_EQ(RowTitled(v, "Results")->cells[kStatTips1].text, "n.a.");
    EXPECT_EQ(v.correctTipsRows, 6);
    EXPECT_EQ(v.correctTips.size(), 11u);
}

TEST(StatisticsTest, DocumentWithoutLines) {
    PoolsDocument doc;
    doc.matchCount = 3;
    doc.match(0).probability = {450, 250};
    doc.match(0).targetCounts = {9, 6, 5};
    doc.match(1).probability = {500, 200};
    doc.match(1).targetCounts = {10, 6, 4};
    doc.match(0).result = 0;
    const Statistics s = ComputeStatistics(doc);
    EXPECT_FALSE(s.hasTips);
    EXPECT_FALSE(s.valid);
    const StatisticsView v = MakeStatisticsView(s, true);
    ASSERT_EQ(v.table.size(), 4u) << "heading and matches, no totals";
    EXPECT_EQ(v.table[0].cells[kStatTips1 + 1].text, "0");
    EXPECT_EQ(v.table[1].cells[kStatChance1].text, "45.0%");
    EXPECT_EQ(v.table[1].cells[kStatChance1 + 1].text, "30.0%");
    EXPECT_EQ(v.table[1].cells[kStatChance1 + 2].text, "25.0%");
    for (int t = 0; t < 3; ++t) {
        EXPECT_EQ(v.table[1].cells[kStatTips1 + t].text, "-");
        EXPECT_EQ(v.table[3].cells[kStatChance1 + t].text, "n.a.%") << "match without data";
    }
    EXPECT_FALSE(v.showProbabilities);
    EXPECT_FALSE(v.showCorrectTips);
}

TEST(StatisticsTest, StaleLinesShowOnlyTheSum) {
    PoolsDocument doc = FourLines();
    doc.tipsUpToDate = false;
    for (int m = 0; m < 3; ++m) doc.match(m).targetCounts = {2, 1, 1};
    const StatisticsView v = MakeStatisticsView(ComputeStatistics(doc), false);
    EXPECT_NE(RowTitled(v, "Sum"), nullptr);
    EXPECT_EQ(RowTitled(v, "Sum")->cells[kStatTips1].text, "6") << "the planned counts";
    EXPECT_EQ(RowTitled(v, "Results"), nullptr);
    EXPECT_EQ(RowTitled(v, "Correct Tips"), nullptr);
    EXPECT_FALSE(v.showProbabilities);
}

TEST(StatisticsTest, EqualFiguresFallIntoTheFirstBar) {
    PoolsDocument doc = WithLines({"111", "111", "111"});
    doc.calcMatchCount = 3;
    for (int m = 0; m < 3; ++m) doc.match(m).result = 0;
    Statistics s = ComputeStatistics(doc);
    EXPECT_EQ(s.buckets[0], 3);
    EXPECT_EQ(s.largestBucket, 3);
    EXPECT_EQ(s.resultsPosition, 0) << "the results line has the same figure";
    for (int m = 0; m < 3; ++m) doc.match(m).result = 1;
    s = ComputeStatistics(doc);
    EXPECT_EQ(s.resultsPosition, -1) << "no line carries a draw";
}

TEST(StatisticsTest, PlainText) {
    PoolsDocument doc = FourLines();
    doc.match(0).name = "Köln - Mainz"; // columns count characters, not bytes
    doc.match(1).name = "Bremen - Kiel";
    const std::string text = StatisticsAsText(MakeStatisticsView(ComputeStatistics(doc), false));
    const std::string expected =
        "Chances and Tips        1       X       2     1   X   2\n"
        " 1: Köln - Mainz    40.0%*  30.0%   30.0%     3*  0   1\n"
        " 2: Bremen - Kiel   40.0%   30.0%*  30.0%     2   2*  0\n"
        " 3:                 40.0%*  30.0%   30.0%     2*  1   1\n"
        "    Sum             58.3%   25.0%   16.7%     7   3   2\n"
        "    Results         66.7%   33.3%    0.0%     2   1   0\n"
        "    Correct Tips    71.4%   28.6%    0.0%     5   2   0\n"
        "\n"
        "Probabilities\n"
        "  from 41.7% to 58.3%, lines per bucket:\n"
        "  1 0 0 0 0 0 0 0 0 0 0 0 2 0 0 0 0 0 0 0 0 0 0 0 1\n"
        "  line of the results: 58.3% (bucket 25)\n"
        "\n"
        "Correct Tips\n"
        "  0: 0       2: 3*\n"
        "  1: 1       3: 0\n";
    EXPECT_EQ(text, expected);
}

} // namespace
} // namespace vdx
