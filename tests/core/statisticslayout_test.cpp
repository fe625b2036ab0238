// Where the statistics window draws: columns that line up, highlights behind
// their texts, bars scaled to the largest bucket, the marker of the results
// line at both ends, and a drawing that grows with the font.

#include "calc/Statistics.h"
#include "calc/StatisticsLayout.h"
#include "calc/StatisticsView.h"
#include "TestLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vdx {
namespace {

using testlines::WithLines;

// Every character as wide as half the text height, bold a little wider.
class FixedMeasure : public TextMeasure {
public:
    explicit FixedMeasure(int height) : height_(height) {}
    int textWidth(const std::string& text, const TextStyle& style) const override {
        int w = 0;
        for (unsigned char c : text)
            if ((c & 0xC0) != 0x80) w += height_ / 2 + (style.bold ? 1 : 0);
        return w;
    }
    int textHeight() const override { return height_; }

private:
    int height_;
};

// Three matches at 400 / 300 / 300, four lines, results 1, X, 1.
PoolsDocument FourLines() {
    PoolsDocument doc = WithLines({"11X", "1X2", "2X1", "111"});
    doc.calcMatchCount = 3;
    doc.match(0).result = 0;
    doc.match(1).result = 1;
    doc.match(2).result = 0;
    doc.match(0).name = "Home - Away";
    return doc;
}

StatisticsView ViewOf(const PoolsDocument& doc) { return MakeStatisticsView(ComputeStatistics(doc), false); }

struct Box {
    int left, top, right, bottom;
};

Box BoxOf(const StatText& t, const TextMeasure& m) {
    return {t.x, t.y, t.x + m.textWidth(t.text, t.style), t.y + m.textHeight()};
}

bool Overlap(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

const StatText* Find(const StatisticsLayout& l, StatPart part, int row = -1, int column = -1) {
    for (const StatText& t : l.texts)
        if (t.part == part && (row < 0 || t.row == row) && (column < 0 || t.column == column)) return &t;
    return nullptr;
}

TEST(StatisticsLayoutTest, NoTextsOverlapAndEverythingLiesInside) {
    for (int height : {10, 14, 28}) {
        const FixedMeasure m(height);
        const StatisticsLayout l = LayOutStatistics(ViewOf(FourLines()), m);
        ASSERT_FALSE(l.texts.empty());
        for (size_t i = 0; i < l.texts.size(); ++i) {
            const Box a = BoxOf(l.texts[i], m);
            EXPECT_GE(a.left, 0);
            EXPECT_LE(a.right, l.width) << l.texts[i].text;
            EXPECT_LE(a.bottom, l.height) << l.texts[i].text;
            for (size_t j = i + 1; j < l.texts.size(); ++j)
                EXPECT_FALSE(Overlap(a, BoxOf(l.texts[j], m)))
                    << "height " << height << ": '" << l.texts[i].text << "' and '" << l.texts[j].text << "'";
        }
        for (const StatShape& s : l.shapes) {
            EXPECT_LE(s.x + s.width, l.width);
            EXPECT_LE(s.y + s.height, l.height);
        }
    }
}

TEST(StatisticsLayoutTest, NumbersAreRightAlignedAndHighlightsSitBehindTheirTexts) {
    const FixedMeasure m(14);
    const StatisticsView v = ViewOf(FourLines());
    const StatisticsLayout l = LayOutStatistics(v, m);
    for (int c = kStatChance1; c < kStatColumnCount; ++c) {
        int right = -1;
        for (const StatText& t : l.texts) {
            if (t.column != c || t.part == StatPart::Heading) continue;
            const int r = t.x + m.textWidth(t.text, t.style);
            if (right < 0) right = r;
            EXPECT_EQ(r, right) << "column " << c << ": " << t.text;
        }
    }
    // Row 1 is match 1 with the result "1": its two "1" cells are highlighted, bold, on a box.
    int highlights = 0;
    for (const StatShape& s : l.shapes) {
        if (s.ink != StatInk::Highlight || s.index != 1) continue;
        ++highlights;
    }
    EXPECT_EQ(highlights, 2);
    for (int c : {int(kStatChance1), int(kStatTips1)}) {
        const StatText* cell = Find(l, StatPart::Cell, 1, c);
        ASSERT_NE(cell, nullptr);
        EXPECT_TRUE(cell->style.bold);
        const Box b = BoxOf(*cell, m);
        bool covered = false;
        for (const StatShape& s : l.shapes)
            covered |= s.ink == StatInk::Highlight && s.x <= b.left && s.x + s.width >= b.right && s.y <= b.top &&
                       s.y + s.height >= b.bottom;
        EXPECT_TRUE(covered) << "column " << c;
    }
    EXPECT_FALSE(Find(l, StatPart::Cell, 1, kStatChance1 + 1)->style.bold);
    // The highest number of correct tips (2) is highlighted as well.
    const StatText* best = Find(l, StatPart::CorrectNumber, 2);
    ASSERT_NE(best, nullptr);
    EXPECT_TRUE(best->style.bold);
    EXPECT_FALSE(Find(l, StatPart::CorrectNumber, 1)->style.bold);
}

TEST(StatisticsLayoutTest, BarsFollowTheBucketsAndTheMarkerItsPosition) {
    const FixedMeasure m(14);
    StatisticsView v = ViewOf(FourLines()); // buckets 0: 1, 12: 2, 24: 1; marker at 24
    struct Case { int position; bool leftOfFirst, rightOfLast; };
    const Case cases[] = {{-1, true, false}, {0, false, false}, {24, false, false}, {25, false, true}};
    for (const Case& c : cases) {
        v.markerPosition = c.position;
        const StatisticsLayout l = LayOutStatistics(v, m);
        std::vector<const StatShape*> bars;
        const StatShape* marker = nullptr;
        for (const StatShape& s : l.shapes) {
            if (s.ink == StatInk::Bar) bars.push_back(&s);
            if (s.ink == StatInk::Marker) marker = &s;
        }
        ASSERT_EQ(bars.size(), 3u);
        EXPECT_EQ(bars[0]->index, 0);
        EXPECT_EQ(bars[1]->index, 12);
        EXPECT_EQ(bars[1]->height, l.barsHeight) << "the largest bucket fills the height";
        EXPECT_EQ(bars[0]->height, l.barsHeight / 2);
        for (const StatShape* b : bars) EXPECT_EQ(b->y + b->height, l.barsBottom);
        ASSERT_NE(marker, nullptr);
        const int firstBar = l.barsLeft, lastBarEnd = l.barsLeft + 24 * l.barStep + l.barWidth;
        EXPECT_EQ(marker->x < firstBar, c.leftOfFirst) << c.position;
        EXPECT_EQ(marker->x > lastBarEnd, c.rightOfLast) << c.position;
        if (c.position >= 0 && c.position <= 24) {
            EXPECT_GT(marker->x, l.barsLeft + c.position * l.barStep);
            EXPECT_LT(marker->x, l.barsLeft + c.position * l.barStep + l.barWidth);
        }
        const StatText* figure = Find(l, StatPart::MarkerText);
        ASSERT_NE(figure, nullptr);
        EXPECT_EQ(figure->text, "58.3%");
        // The minimum under the left end, the maximum ending with the last bar.
        const StatText* minimum = Find(l, StatPart::MinimumText);
        const StatText* maximum = Find(l, StatPart::MaximumText);
        ASSERT_TRUE(minimum && maximum);
        EXPECT_EQ(minimum->x, l.barsLeft);
        EXPECT_EQ(maximum->x + m.textWidth(maximum->text, maximum->style), lastBarEnd);
        EXPECT_GT(minimum->y, l.barsBottom);
    }
    // Without the results line there is no marker.
    v.markerPosition = kNoResultsLine;
    v.markerText.clear();
    const StatisticsLayout l = LayOutStatistics(v, m);
    EXPECT_EQ(Find(l, StatPart::MarkerText), nullptr);
    for (const StatShape& s : l.shapes) EXPECT_NE(s.ink, StatInk::Marker);
}

TEST(StatisticsLayoutTest, BarHeights) {
    struct Case { int count, largest, full, height; };
    const Case cases[] = {{0, 5, 84, 0}, {5, 5, 84, 84}, {1, 2, 84, 42}, {1, 1000, 84, 1}, {3, 0, 84, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(StatisticsBarHeight(c.count, c.largest, c.full), c.height) << c.count << "/" << c.largest;
}

TEST(StatisticsLayoutTest, ALargerFontGivesALargerDrawingAndLongTitlesAreShortened) {
    PoolsDocument doc = FourLines();
    doc.match(1).name = std::string(200, 'n');
    const StatisticsView v = ViewOf(doc);
    const StatisticsLayout small = LayOutStatistics(v, FixedMeasure(12));
    const StatisticsLayout large = LayOutStatistics(v, FixedMeasure(24));
    EXPECT_GT(large.width, small.width * 3 / 2);
    EXPECT_GT(large.height, small.height * 3 / 2);
    EXPECT_GT(large.barsHeight, small.barsHeight);
    for (int h : {12, 24}) {
        const FixedMeasure m(h);
        const StatisticsLayout layout = LayOutStatistics(v, m); // Find points into it
        const StatText* title = Find(layout, StatPart::Cell, 2, kStatTitle);
        ASSERT_NE(title, nullptr);
        EXPECT_LE(m.textWidth(title->text, title->style), kStatTitleHeights * h);
        EXPECT_GT(title->text.size(), 10u);
    }
}

TEST(StatisticsLayoutTest, WithoutLinesOnlyTheTableIsDrawn) {
    PoolsDocument doc;
    doc.matchCount = 2;
    doc.match(0).probability = {450, 250};
    const StatisticsLayout l = LayOutStatistics(ViewOf(doc), FixedMeasure(14));
    EXPECT_TRUE(l.shapes.empty());
    EXPECT_EQ(Find(l, StatPart::MinimumText), nullptr);
    EXPECT_EQ(Find(l, StatPart::CorrectNumber), nullptr);
    int headings = 0;
    for (const StatText& t : l.texts) headings += t.part == StatPart::Heading;
    EXPECT_EQ(headings, 1) << "only \"Chances and Tips \"";
}

TEST(StatisticsLayoutTest, CorrectTipsStandInTwoColumns) {
    PoolsDocument doc = WithLines({"1111111111", "XXXXXXXXXX", "2222222222"});
    doc.calcMatchCount = 10;
    for (int m = 0; m < 10; ++m) doc.match(m).result = m % 3;
    const FixedMeasure m(14);
    const StatisticsLayout l = LayOutStatistics(ViewOf(doc), m); // 11 entries, 6 rows each column
    const StatText* zero = Find(l, StatPart::CorrectNumber, 0);
    const StatText* five = Find(l, StatPart::CorrectNumber, 5);
    const StatText* six = Find(l, StatPart::CorrectNumber, 6);
    ASSERT_TRUE(zero && five && six);
    EXPECT_EQ(six->y, zero->y);
    EXPECT_EQ(five->y, zero->y + 5 * l.rowHeight);
    EXPECT_GT(six->x, Find(l, StatPart::CorrectLines, 0)->x);
}

} // namespace
} // namespace vdx
