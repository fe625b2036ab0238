// The charts pages: counts, value labels, bar lengths, ranges, brackets and
// result markers from a document's evaluation, and what a page paints.

#include "calc/Conditions.h"
#include "charts/ChartLayout.h"
#include "charts/ChartPage.h"
#include "TestLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <string>
#include <vector>

namespace vdx {
namespace {

using testlines::WithLines;

// Twelve matches, ten lines with 0, 2, 3, 4, 5, 6, 6, 7, 8 and 12 tips "1".
const std::vector<std::string> kTenLines = {
    "XXXXXXXXXXXX", "11XXXXXXXXXX", "111XXXXX2222", "1111XXXX2222", "11111XXX2222",
    "111111XX2222", "111111222222", "1111111XXXXX", "11111111XXXX", "111111111111",
};

// A calculated document: the lines evaluated as they were calculated.
PoolsDocument Calculated(const std::vector<std::string>& lines) {
    PoolsDocument doc = WithLines(lines);
    doc.calcMatchCount = doc.matchCount;
    UpdateCategoryMaps(doc);
    for (MatchEntry& m : doc.matches) m.lastCategoryMaps = m.categoryMaps;
    return doc;
}

void Evaluate(PoolsDocument& doc) { EvaluateConditions(doc); }

TEST(ChartBarTest, Lengths) {
    struct Case { int count, largest, length; };
    const Case cases[] = {
        {100, 100, 100}, // the largest gets the full bar
        {50, 100, 70},   // half of it: 100 * sin(pi/4)
        {1, 100, 4},     // 1.57 is raised to the minimum of 4
        {0, 100, 0},
        {1, 1, 100},
        {3, 4, 92},
        {499500, 499500, 100},
    };
    for (const Case& c : cases) EXPECT_EQ(ChartBarLength(c.count, c.largest), c.length) << c.count << "/" << c.largest;
}

TEST(ChartBarTest, ValueTexts) {
    struct Case { int count; bool decimalComma; const char* text; };
    const Case cases[] = {
        {0, true, "-"}, {7, true, "7"}, {999, false, "999"},
        {1234, true, "1.234"}, {1234, false, "1,234"}, {499500, true, "499.500"},
    };
    for (const Case& c : cases) EXPECT_EQ(ChartValueText(c.count, c.decimalComma), c.text);
}

TEST(ChartPageTest, AllMatchesOfTwelveMatchesAndTenLines) {
    PoolsDocument doc = Calculated(kTenLines);
    Evaluate(doc);
    const ChartPage page = ComputeChartPage(doc, kChartDuplicates);
    const ChartColumn& all = page.columns[0];
    EXPECT_EQ(page.tabLabel, "Conditions for Duplicates");
    EXPECT_EQ(all.header, "All matches");
    EXPECT_TRUE(all.shown);
    EXPECT_EQ(all.topRow, 12);
    EXPECT_FALSE(all.rowShown(13));
    EXPECT_FALSE(all.rowShown(14));
    EXPECT_EQ(std::accumulate(all.count.begin(), all.count.end(), 0), 45) << "all pairs of ten lines";
    // The duplicates condition took no part: its column and header are hidden.
    EXPECT_FALSE(page.duplicatesActive);
    EXPECT_FALSE(page.columns[1].shown);
    EXPECT_FALSE(page.columns[2].shown);
    for (int k = 0; k < kChartRows; ++k) {
        EXPECT_FALSE(all.outOfRange[k]);
        EXPECT_EQ(all.valueText[k], all.count[k] == 0 ? "-" : std::to_string(all.count[k]));
    }
    EXPECT_EQ(all.rangeLow, -1);
    EXPECT_EQ(all.resultCount, -1);
    // The largest count gets the full bar.
    const int largest = *std::max_element(all.count.begin(), all.count.end());
    for (int k = 0; k < kChartRows; ++k)
        if (all.count[k] == largest) {
            EXPECT_EQ(all.barLength[k], 100);
        }
    // Headers move down with fewer matches.
    EXPECT_EQ(ChartHeaderY(ChartMetrics{}, 12), 13 * 2 + 20);
}

TEST(ChartPageTest, DuplicatesColumnWhenTheConditionTookPart) {
    PoolsDocument doc = Calculated(kTenLines);
    for (int m = 0; m < kMaxMatches; ++m) doc.match(m).lastNoDuplicates = m < 3;
    doc.lastConditionState[0] = 1;
    Evaluate(doc);
    const ChartPage page = ComputeChartPage(doc, kChartDuplicates);
    const ChartColumn& dup = page.columns[1];
    EXPECT_TRUE(page.duplicatesActive);
    EXPECT_EQ(page.markedMatches, 3);
    EXPECT_TRUE(dup.shown);
    EXPECT_EQ(dup.header, "Conditions for Duplicates");
    EXPECT_EQ(dup.topRow, 3);
    EXPECT_EQ(std::accumulate(dup.count.begin(), dup.count.end(), 0), 45);
    for (int k = 0; k <= 3; ++k) EXPECT_EQ(dup.outOfRange[k], k == 3) << k;
    EXPECT_EQ(dup.rangeLow, 0);
    EXPECT_EQ(dup.rangeHigh, 2);
    // Lines 8 and 9 (and more) share "111" in the marked matches.
    EXPECT_GT(dup.count[3], 0);

    // With K = 0 no row is out of range and there is no bracket.
    for (MatchEntry& m : doc.matches) m.lastNoDuplicates = false;
    Evaluate(doc);
    const ChartColumn none = ComputeChartPage(doc, kChartDuplicates).columns[1];
    EXPECT_EQ(none.topRow, 0);
    EXPECT_EQ(none.rangeLow, -1);
    for (bool out : none.outOfRange) EXPECT_FALSE(out);
}

TEST(ChartPageTest, RangeOfTipOneMarksRowsAndBracket) {
    PoolsDocument doc = Calculated(kTenLines);
    doc.lastConditionState[1] = 1;
    const int bounds[3][2] = {{3, 6}, {0, 12}, {0, 12}};
    for (int k = 0; k < 3; ++k)
        for (int b = 0; b < 2; ++b) doc.lastConditionBounds[0][k][b] = bounds[k][b];
    Evaluate(doc);
    const ChartPage page = ComputeChartPage(doc, kChartTips1X2);
    const ChartColumn& tip1 = page.columns[0];
    EXPECT_EQ(tip1.header, "Tip 1");
    const std::array<int, kChartRows> counts{1, 0, 1, 1, 1, 1, 2, 1, 1, 0, 0, 0, 1, 0, 0};
    EXPECT_EQ(tip1.count, counts);
    for (int k = 0; k <= 12; ++k) EXPECT_EQ(tip1.outOfRange[k], k < 3 || k > 6) << k;
    EXPECT_FALSE(tip1.rowShown(13));
    EXPECT_EQ(tip1.rangeLow, 3);
    EXPECT_EQ(tip1.rangeHigh, 6);
    // Columns of X and 2 have the whole range: no row out of it, bracket over every row shown.
    EXPECT_EQ(page.columns[1].rangeHigh, 12);
    for (int k = 0; k < kChartRows; ++k) EXPECT_FALSE(page.columns[2].outOfRange[k]);

    // What is painted: red bars in rows 0 to 2 and 7 to 14 that have lines, green in 3 to 6.
    const ChartMetrics metrics;
    const int barX = ChartColumnPlacement(metrics, 0).barX;
    int red = 0, green = 0;
    for (const ChartShape& s : PaintChartPage(page, metrics)) {
        if (s.kind != ChartShape::kBox || s.x1 != barX) continue;
        const int k = 14 - (s.y1 - 42) / 13;
        if (std::string(s.brush) == "RED") {
            ++red;
            EXPECT_TRUE(k < 3 || k > 6) << k;
        } else if (std::string(s.brush) == "GREEN") {
            ++green;
            EXPECT_TRUE(k >= 3 && k <= 6) << k;
        }
    }
    EXPECT_EQ(red, 5);   // rows 0, 2, 7, 8, 12
    EXPECT_EQ(green, 4); // rows 3, 4, 5, 6
    // The bracket: bottom edge of row 3, top edge of row 6, joined at the right end.
    const std::vector<ChartShape> shapes = PaintChartPage(page, metrics);
    const int bottom = 42 + 11 * 13 + 13, top = 42 + 8 * 13;
    const ChartShape b1{ChartShape::kLine, barX - 7, bottom, barX + 107, bottom, "RED", 1, ""};
    const ChartShape b2{ChartShape::kLine, barX - 7, top, barX + 107, top, "RED", 1, ""};
    const ChartShape b3{ChartShape::kLine, barX + 107, top, barX + 107, bottom, "RED", 1, ""};
    EXPECT_NE(std::find(shapes.begin(), shapes.end(), b1), shapes.end());
    EXPECT_NE(std::find(shapes.begin(), shapes.end(), b2), shapes.end());
    EXPECT_NE(std::find(shapes.begin(), shapes.end(), b3), shapes.end());
}

TEST(ChartPageTest, BarsFillTheirBoxes) {
    PoolsDocument doc = Calculated(kTenLines);
    Evaluate(doc);
    const ChartPage page = ComputeChartPage(doc, kChartTips1X2);
    const ChartMetrics metrics{16, 0, 0};
    int boxes = 0;
    for (int i = 0; i < 3; ++i) {
        const int barX = ChartColumnPlacement(metrics, i).barX;
        for (int k = 0; k <= 12; ++k) {
            int width = 0;
            for (const ChartShape& s : PaintChartPage(page, metrics))
                if (s.kind == ChartShape::kBox && s.y1 == ChartRowY(metrics, k) && s.x1 >= barX && s.x1 < barX + 100) {
                    width += s.x2;
                    EXPECT_EQ(s.y2, 16);
                    ++boxes;
                }
            EXPECT_EQ(width, 100) << "column " << i << " row " << k;
        }
    }
    EXPECT_GE(boxes, 3 * 13);
}

TEST(ChartPageTest, ResultMarkersNeedEveryResult) {
    PoolsDocument doc = Calculated(kTenLines);
    // Favourites: match 0 has "2" as its favourite.
    doc.match(0).probability = {200, 500};
    UpdateCategoryMaps(doc);
    for (MatchEntry& m : doc.matches) m.lastCategoryMaps = m.categoryMaps;
    const int results[12] = {2, 0, 0, 1, 1, 1, 2, 2, 2, 2, 0, 1};
    for (int m = 0; m < 11; ++m) doc.match(m).result = results[m];
    Evaluate(doc);
    for (int c = 0; c < 3; ++c) EXPECT_EQ(ComputeChartPage(doc, kChartTips1X2).columns[c].resultCount, -1);

    doc.match(11).result = results[11];
    Evaluate(doc);
    const ChartPage tips = ComputeChartPage(doc, kChartTips1X2);
    EXPECT_EQ(tips.columns[0].resultCount, 3);
    EXPECT_EQ(tips.columns[1].resultCount, 4);
    EXPECT_EQ(tips.columns[2].resultCount, 5);
    // By rank: the "2" of match 0 is a favourite; elsewhere "1" is, "X" is neutral.
    const ChartPage ranks = ComputeChartPage(doc, kChartFavourites);
    EXPECT_EQ(ranks.columns[0].resultCount, 4);
    EXPECT_EQ(ranks.columns[1].resultCount, 4);
    EXPECT_EQ(ranks.columns[2].resultCount, 4);
    EXPECT_EQ(ranks.columns[0].header, "Favourites");
    EXPECT_NE(ranks.columns[0].count, tips.columns[0].count) << "the favourites follow the ranks";
    EXPECT_EQ(ComputeChartPage(doc, kChartDuplicates).columns[0].resultCount, -1);

    // The green line through the middle of row k = 3.
    const ChartMetrics metrics;
    const int barX = ChartColumnPlacement(metrics, 0).barX;
    const int y = 12 * 13 - 6 + 41;
    const ChartShape marker{ChartShape::kLine, barX - 7, y, barX + 107, y, "GREEN", 3, ""};
    const std::vector<ChartShape> shapes = PaintChartPage(tips, metrics);
    EXPECT_NE(std::find(shapes.begin(), shapes.end(), marker), shapes.end());
}

TEST(ChartPageTest, ThousandsSeparatorsFollowTheCommaOption) {
    PoolsDocument doc = Calculated(std::vector<std::string>(50, "1X"));
    Evaluate(doc);
    doc.decimalPoint = false; // comma: "." between thousands
    EXPECT_EQ(ComputeChartPage(doc, kChartDuplicates).columns[0].valueText[2], "1.225");
    doc.decimalPoint = true;
    EXPECT_EQ(ComputeChartPage(doc, kChartDuplicates).columns[0].valueText[2], "1,225");
    EXPECT_EQ(WidestValueText(ComputeChartPage(doc, kChartDuplicates)), "1,225");
}

TEST(ChartPageTest, DrawSymbolInLabels) {
    PoolsDocument doc = Calculated(kTenLines);
    doc.zeroForDraw = true;
    const ChartPage page = ComputeChartPage(doc, kChartTips1X2);
    EXPECT_EQ(page.tabLabel, "Conditions for 1, 0 and 2");
    EXPECT_EQ(page.columns[1].header, "Tip 0");
    EXPECT_EQ(ComputeChartPage(doc, kChartFavourites).tabLabel, "Conditions for Favourites ");
    EXPECT_EQ(ChartsFrameTitle("round.vdx"), "round.vdx: Charts");
}

TEST(ChartLayoutTest, Placement) {
    const ChartMetrics m{13, 2, 5};
    const ChartColumnPlace c0 = ChartColumnPlacement(m, 0);
    const ChartColumnPlace c1 = ChartColumnPlacement(m, 1);
    EXPECT_EQ(c0.rowLabelX, 15);
    EXPECT_EQ(c0.valueX, 2 + 43);
    EXPECT_EQ(c0.barX, 7 + 65);
    EXPECT_EQ(c1.rowLabelX, 185 + 7 + 15);
    EXPECT_EQ(c1.rowLabelWidth, 20);
    EXPECT_EQ(c1.valueX, 185 + 4 + 5 + 43);
    EXPECT_EQ(c1.valueWidth, 17);
    EXPECT_EQ(c1.barX, 185 + 14 + 65);
    EXPECT_EQ(c1.headerX, 185 + 14 + 23);
    EXPECT_EQ(ChartRowY(m, 14), 42);
    EXPECT_EQ(ChartRowY(m, 0), 42 + 14 * 13);
    EXPECT_EQ(ChartRowLabel(7), "7:");

    const ChartRect plain = ChartFrameSize(ChartMetrics{});
    EXPECT_EQ(plain.width, 588);
    EXPECT_EQ(plain.height, 377);
    const ChartRect big = ChartFrameSize(ChartMetrics{16, 0, 9});
    EXPECT_EQ(big.width, 597);
    EXPECT_EQ(big.height, 377 + 15 * 16 - 195);
}

// Every character 7 pixels wide; the text height is chosen per case.
class FixedMeasure : public TextMeasure {
public:
    explicit FixedMeasure(int height) : height_(height) {}
    int textWidth(const std::string& text, const TextStyle&) const override {
        return 7 * static_cast<int>(text.size());
    }
    int textHeight() const override { return height_; }

private:
    int height_;
};

TEST(ChartLayoutTest, MetricsFollowTheFontAndTheWidestCount) {
    PoolsDocument doc = Calculated(kTenLines);
    Evaluate(doc);
    std::array<ChartPage, kChartPageCount> pages;
    for (int p = 0; p < kChartPageCount; ++p) pages[p] = ComputeChartPage(doc, p);
    // Value texts of one, two and six characters on the three pages.
    pages[kChartDuplicates].columns[0].valueText[0] = "12.345";
    pages[kChartTips1X2].columns[2].valueText[0] = "99";
    pages[kChartFavourites].columns[0].valueText[3] = "7";
    pages[kChartFavourites].columns[0].valueText[14] = "123456"; // hidden row: not measured

    struct Case { int height, rowHeight, labelExtra; };
    const Case cases[] = {{10, 13, 3}, {13, 13, 3}, {17, 17, 3}};
    for (const Case& c : cases) {
        const auto m = MeasureChartPages(pages, FixedMeasure(c.height));
        for (int p = 0; p < kChartPageCount; ++p) {
            EXPECT_EQ(m[p].rowHeight, c.rowHeight) << c.height;
            EXPECT_EQ(m[p].labelExtra, c.labelExtra) << "\"14:\" is 21 pixels";
        }
        EXPECT_EQ(m[kChartDuplicates].valueExtra, 42 - 12);
        EXPECT_EQ(m[kChartTips1X2].valueExtra, 14 - 12) << "shared with the favourites page";
        EXPECT_EQ(m[kChartFavourites].valueExtra, 14 - 12);
    }
}

TEST(ChartLayoutTest, TextsOfTwelveMatchesFollowTheRows) {
    PoolsDocument doc = Calculated(kTenLines);
    doc.decimalPoint = false;
    Evaluate(doc);
    const ChartPage page = ComputeChartPage(doc, kChartDuplicates);
    const ChartMetrics m{13, 3, 2};
    const std::vector<ChartText> texts = ChartPageTexts(page, m);
    // One header and rows 12 down to 0 of the one shown column.
    ASSERT_EQ(texts.size(), 1u + 2u * 13u);
    const ChartText& header = texts[0];
    EXPECT_EQ(header.part, ChartText::kHeader);
    EXPECT_EQ(header.text, "All matches");
    EXPECT_EQ(header.align, ChartText::kCentre);
    EXPECT_EQ(header.y, 13 * 2 + 20);
    EXPECT_EQ(header.y + 22, ChartRowY(m, 12)) << "20 pixels plus the row's own offset above the top row";
    EXPECT_EQ(header.x, ChartColumnPlacement(m, 0).headerX);
    for (const ChartText& t : texts) {
        EXPECT_EQ(t.column, 0);
        if (t.part == ChartText::kHeader) continue;
        EXPECT_LE(t.k, 12);
        EXPECT_EQ(t.y, ChartRowY(m, t.k));
        EXPECT_EQ(t.height, 13);
        EXPECT_EQ(t.align, ChartText::kRight);
        if (t.part == ChartText::kRowLabel) {
            EXPECT_EQ(t.text, std::to_string(t.k) + ":");
            EXPECT_EQ(t.x, 15);
            EXPECT_EQ(t.width, 21);
        } else {
            EXPECT_EQ(t.text, page.columns[0].valueText[t.k]);
            EXPECT_EQ(t.x, ChartColumnPlacement(m, 0).valueX);
            EXPECT_EQ(t.width, 14);
        }
    }
    // The drawing holds the third column's bars and the lowest row.
    const ChartRect size = ChartDrawingSize(m);
    EXPECT_GE(size.width, ChartColumnPlacement(m, 2).barX + kChartBarWidth);
    EXPECT_GE(size.height, ChartRowY(m, 0) + m.rowHeight);
}

} // namespace
} // namespace vdx
