// The pools document's own bookkeeping: creation from the defaults, tip arrays,
// correct tips, tip counts and whether the lines still fit the data.

#include "calc/Probabilities.h"
#include "document/PoolsDocument.h"
#include "TestLines.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace vdx {
namespace {

using Counts = std::array<int, 3>;

using testlines::WithLines;

TEST(DocumentTest, NewDocumentTakesTheDefaults) {
    AppConfig config;
    config.options.matchCount = 12;
    config.options.lineCount = 30;
    config.options.sortMode = 2;
    config.conditions.enabled = {true, false, true};
    config.conditions.noDuplicates.fill(false);
    config.conditions.noDuplicates[3] = true;
    config.conditions.limit = 4;
    config.conditions.ranges[1][2][1] = 55;
    config.settings.rangesAbsolute = true;

    const PoolsDocument doc(config);
    EXPECT_EQ(doc.matches.size(), 14u);
    EXPECT_EQ(doc.matchCount, 12);
    EXPECT_EQ(doc.tipMatchCount, 12);
    EXPECT_EQ(doc.lineCount, 30);
    EXPECT_EQ(doc.sortMode, 2);
    EXPECT_EQ(doc.tipLineCount, -1);
    EXPECT_FALSE(doc.hasTips);
    EXPECT_FALSE(doc.tipsUpToDate);
    EXPECT_EQ(doc.conditionEnabled, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(doc.conditionUseInCalc, (std::array<bool, 3>{true, true, true}));
    EXPECT_EQ(doc.conditionLimit, 4);
    EXPECT_EQ(doc.lastConditionLimit, -1);
    EXPECT_TRUE(doc.conditionRangesAbsolute);
    EXPECT_EQ(doc.conditionRanges[1][2][1], 55);
    for (int m = 0; m < kMaxMatches; ++m) {
        EXPECT_EQ(doc.match(m).noDuplicates, m == 3) << m;
        EXPECT_EQ(doc.match(m).tips.size(), 30u);
        EXPECT_EQ(doc.tipOf(m, 0), -1);
    }
    for (int g = 0; g < 2; ++g)
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(doc.effectiveBounds[g][k][0], 0);
            EXPECT_EQ(doc.effectiveBounds[g][k][1], 1000);
            EXPECT_EQ(doc.lastConditionBounds[g][k][0], -1);
            EXPECT_EQ(doc.lastConditionBounds[g][k][1], -1);
        }
    // Not evaluated yet: the ticket view shows no condition rows.
    EXPECT_EQ(doc.evaluation.lineConditionFlags[0], -1);
}

TEST(DocumentTest, RaisingTheLineCountGrowsEveryTipArray) {
    PoolsDocument doc = WithLines(std::vector<std::string>(20, "12X"));
    doc.setLineCount(50);
    EXPECT_TRUE(doc.modified);
    for (const MatchEntry& m : doc.matches) {
        ASSERT_EQ(m.tips.size(), 50u);
        for (int l = 20; l < 50; ++l) EXPECT_EQ(m.tips[l], kNoTip);
    }
    EXPECT_EQ(doc.tipOf(0, 19), 0);
    EXPECT_EQ(doc.tipOf(1, 19), 2);
    EXPECT_EQ(doc.tipOf(1, 20), -1);

    // Never shrinks: the lines of the distribution stay readable.
    doc.setLineCount(5);
    EXPECT_EQ(doc.match(0).tips.size(), 50u);
    EXPECT_EQ(doc.tipOf(2, 19), 1);
}

TEST(DocumentTest, SettersClampAndKeepTheLimitInRange) {
    PoolsDocument doc;
    doc.conditionLimit = 10;
    doc.setMatchCount(6);
    EXPECT_EQ(doc.conditionLimit, 6);
    doc.setMatchCount(99);
    EXPECT_EQ(doc.matchCount, kMaxMatches);
    doc.setMatchCount(1);
    EXPECT_EQ(doc.matchCount, kMinMatches);
    doc.setLineCount(5000);
    EXPECT_EQ(doc.lineCount, kMaxLines);
    EXPECT_EQ(doc.match(13).tips.size(), static_cast<size_t>(kMaxLines));
    doc.setLinesPerTicket(1);
    EXPECT_EQ(doc.linesPerTicket, kMinLinesPerTicket);
}

TEST(DocumentTest, CorrectTipsCountKnownResultsOfTheCalculatedMatches) {
    // 3 matches were calculated; match 3 (beyond tipMatchCount) keeps old tips.
    PoolsDocument doc = WithLines({"1X2", "111", "222", "X2-"});
    doc.matchCount = 5;
    doc.match(3).hasTips = true;
    doc.match(3).tips[0] = 0;
    doc.match(3).result = 0;        // beyond tipMatchCount: ignored
    doc.match(0).result = 0;
    doc.match(1).result = kTipNone; // unknown: ignored
    doc.match(2).result = 2;
    doc.recomputeCorrectTips();
    EXPECT_EQ((std::vector<int>(doc.correctTips.begin(), doc.correctTips.begin() + 4)),
              (std::vector<int>{2, 1, 1, 0}));
}

TEST(DocumentTest, CorrectTipsWithoutDistributionDoNothing) {
    PoolsDocument doc;
    doc.correctTips[0] = 7;
    doc.match(0).result = 0;
    doc.recomputeCorrectTips();
    EXPECT_EQ(doc.correctTips[0], 7);
}

TEST(DocumentTest, CorrectTipsNotifyTheCharts) {
    PoolsDocument doc = WithLines({"11", "22"});
    int calls = 0;
    doc.onEvaluationChanged = [&calls] { ++calls; };
    doc.recomputeCorrectTips();
    EXPECT_EQ(calls, 1);
}

TEST(DocumentTest, TipCountsOfAMatch) {
    MatchEntry m;
    m.tips = {0, 2, 2, 1, kNoTip, 0, 0};
    m.probability = {500, 200};
    m.recomputeTipCounts(5); // lines beyond the distribution do not count
    EXPECT_EQ(m.tipCounts, (Counts{1, 1, 2}));
    m.probability = {-1, -1};
    m.recomputeTipCounts(5);
    EXPECT_EQ(m.tipCounts, (Counts{-1, -1, -1}));
}

TEST(DocumentTest, ChanceOfDrawAndTipTexts) {
    MatchEntry m;
    EXPECT_EQ(m.chanceX(), -1);
    m.chances = {450, 250};
    EXPECT_EQ(m.chanceX(), 300);

    struct Case { int tip; bool zero, placeholder; const char* text; };
    const Case cases[] = {
        {0, false, false, "1"}, {1, false, false, "X"}, {1, true, false, "0"}, {2, true, true, "2"},
        {-1, false, true, "-"}, {-1, false, false, ""}, {255, true, true, "-"},
    };
    for (const Case& c : cases) EXPECT_EQ(TipText(c.tip, c.zero, c.placeholder), c.text) << c.tip;
}

TEST(DocumentTest, BookieColumnsFollowTheLongestOddsList) {
    PoolsDocument doc;
    EXPECT_EQ(doc.bookieColumnCount(), 1);
    doc.match(13).odds.resize(3);
    doc.match(2).odds.resize(2);
    EXPECT_EQ(doc.bookieColumnCount(), 3);
}

// 10 lines over 3 matches with tip counts that fit 33.3 / 33.3 / 33.4 (3, 3, 4).
PoolsDocument FittingDocument() {
    PoolsDocument doc = WithLines({"111", "111", "111", "XXX", "XXX", "XXX", "222", "222", "222", "222"});
    for (int m = 0; m < 3; ++m) {
        doc.match(m).probability = {333, 334};
        doc.match(m).recomputeTipCounts(doc.tipLineCount);
    }
    return doc;
}

TEST(DocumentTest, SetTipsUpToDateWorksItOut) {
    struct Case {
        const char* name;
        void (*change)(PoolsDocument&);
        bool upToDate;
    };
    const Case cases[] = {
        {"unchanged", [](PoolsDocument&) {}, true},
        {"more matches", [](PoolsDocument& d) { d.matchCount = 4; }, false},
        {"fewer lines", [](PoolsDocument& d) { d.lineCount = 9; }, false},
        {"new probabilities", [](PoolsDocument& d) { d.match(1).probability = {500, 200}; }, false},
        {"match lost its data",
         [](PoolsDocument& d) {
             d.match(2).probability = {-1, -1};
             d.match(2).recomputeTipCounts(d.tipLineCount);
         },
         true},
        {"match without data keeps counts", [](PoolsDocument& d) { d.match(2).probability = {-1, -1}; }, false},
        {"another valid apportionment", [](PoolsDocument& d) { d.match(0).probability = {330, 340}; }, true},
        {"no distribution", [](PoolsDocument& d) { d.tipLineCount = -1; }, false},
    };
    for (const Case& c : cases) {
        PoolsDocument doc = FittingDocument();
        for (int m = 0; m < 3; ++m) doc.match(m).hasTips = false;
        c.change(doc);
        doc.setTipsUpToDate(-1);
        EXPECT_EQ(doc.tipsUpToDate, c.upToDate) << c.name;
        if (c.upToDate) {
            for (int m = 0; m < 3; ++m) EXPECT_EQ(doc.match(m).hasTips, doc.match(m).hasData()) << c.name;
        }
    }
}

TEST(DocumentTest, SetTipsUpToDateWithAFlag) {
    PoolsDocument doc; // no lines at all
    doc.setTipsUpToDate(1);
    EXPECT_TRUE(doc.tipsUpToDate);
    doc.setTipsUpToDate(0);
    EXPECT_FALSE(doc.tipsUpToDate);
}

} // namespace
} // namespace vdx
