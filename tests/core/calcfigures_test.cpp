#include "calc/CalcFigures.h"

#include "calc/Conditions.h"
#include "calc/Probabilities.h"

#include <gtest/gtest.h>

namespace vdx {
namespace {

struct TimeCase {
    long long ms;
    const char* text;
};

TEST(TimeSpentText, TruncatesHundredthsAndCarriesUnits) {
    const TimeCase cases[] = {
        {((1 * 60 + 2) * 60 + 3) * 1000LL + 456, "time spent: 1:02:03,45"},
        {0, "time spent: 0:00:00,00"},
        {9, "time spent: 0:00:00,00"},
        {999, "time spent: 0:00:00,99"},
        {59999, "time spent: 0:00:59,99"},
        {60000, "time spent: 0:01:00,00"},
        {3599999, "time spent: 0:59:59,99"},
        {3600000, "time spent: 1:00:00,00"},
        {25LL * 3600000 + 10, "time spent: 25:00:00,01"},
        {-5, "time spent: 0:00:00,00"},
    };
    for (const TimeCase& c : cases) EXPECT_EQ(TimeSpentText(c.ms), c.text) << c.ms;
}

TEST(RemainingMilliseconds, ThePaceOfTheRoundsDoneForTheRoundsToCome) {
    const struct {
        long long elapsed;
        int done, rounds;
        long long left;
    } cases[] = {
        {5000, 0, 10, -1},                         // no round done: no pace yet
        {5000, 1, 10, 45000},                      // 5 s a round, nine to come
        {10000, 4, 10, 15000},                     // 2.5 s a round, six to come
        {1000, 3, 4, 333},                         // rounded to the millisecond
        {2000, 3, 4, 667},
        {7000, 10, 10, 0},                         // all done
        {7000, 12, 10, 0},                         // more reported than planned
        {-50, 2, 10, 0},                           // a clock set back
        {24LL * 3600000, 1, 1000, 999LL * 24 * 3600000}, // days a round: no overflow
    };
    for (const auto& c : cases)
        EXPECT_EQ(RemainingMilliseconds(c.elapsed, c.done, c.rounds), c.left)
            << c.elapsed << " ms, " << c.done << " of " << c.rounds;
}

TEST(DurationText, HoursMinutesAndSecondsRoundedUp) {
    const struct {
        long long ms;
        const char* text;
    } cases[] = {
        {0, "0:00:00"},       {1, "0:00:01"},         {1000, "0:00:01"},       {1001, "0:00:02"},
        {59500, "0:01:00"},   {3599000, "0:59:59"},   {3600000, "1:00:00"},    {-10, "0:00:00"},
        {(26LL * 3600 + 3 * 60 + 4) * 1000, "26:03:04"},
    };
    for (const auto& c : cases) EXPECT_EQ(DurationText(c.ms), c.text) << c.ms;
}

TEST(MatchNumbersText, JoinsRunsOfTwoOrMore) {
    const struct {
        std::vector<int> numbers;
        const char* text;
    } cases[] = {
        {{}, ""},
        {{4}, "4"},
        {{1, 2, 3, 5}, "1-3,5"},
        {{1, 2}, "1-2"},
        {{1, 3, 5}, "1,3,5"},
        {{2, 3, 7, 8, 9, 14}, "2-3,7-9,14"},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, "1-14"},
    };
    for (const auto& c : cases) EXPECT_EQ(MatchNumbersText(c.numbers), c.text);
}

TEST(Figures, ConditionAndEqualsFigures) {
    std::array<int, kEqualsLevels> v{};
    EXPECT_EQ(ViolationFigure(v), "+");
    v[1] = 7;
    EXPECT_EQ(ViolationFigure(v), "1:7");
    v[3] = 2;
    EXPECT_EQ(ViolationFigure(v), "3:2");
    v[14] = 1;
    EXPECT_EQ(ViolationFigure(v), "14:1");

    EXPECT_EQ(DuplicateFigure(0), "+");
    EXPECT_EQ(DuplicateFigure(12), "12");
    EXPECT_EQ(EqualsFigure(0), "-");
    EXPECT_EQ(EqualsFigure(190), "190");

    EXPECT_EQ(MarkImproved("190", true), "190 *");
    EXPECT_EQ(MarkImproved("99999", true), "99999 *");
    EXPECT_EQ(MarkImproved("100000", true), "100000*");
    EXPECT_EQ(MarkImproved("100000", false), "100000 *");
    EXPECT_EQ(MarkImproved("3:2", false), "3:2 *");
}

TEST(Figures, ConditionFigureOfAState) {
    DistributionState s;
    s.noDuplicateCount = 3;
    s.duplicateHistogram[3] = 4;
    s.duplicateHistogram[2] = 9; // not a duplicate: equal in only two of the three matches
    s.violations[1][2] = 5;
    EXPECT_EQ(ConditionFigure(s, kSwitchDuplicates), "4");
    EXPECT_EQ(ConditionFigure(s, kSwitch1X2), "+");
    EXPECT_EQ(ConditionFigure(s, kSwitchFavourites), "2:5");
    s.duplicateHistogram[3] = 0;
    EXPECT_EQ(ConditionFigure(s, kSwitchDuplicates), "+");
}

TEST(Figures, DifferenceSpecialValuesAndNumbers) {
    const struct {
        int value;
        const char* text;
    } cases[] = {
        {2147483646, "Conditions fault"},
        {-2147483647, "Conditions ok"},
        {-2147483647 - 1, "Difference: -"},
        {2147483647, "Difference: +"},
        {0, "Difference: 0"},
        {-12, "Difference: -12"},
        {5, "Difference: 5"},
    };
    for (const auto& c : cases) EXPECT_EQ(DifferenceText(c.value), c.text) << c.value;
}

TEST(Figures, RoundTexts) {
    EXPECT_EQ(RoundName(-1), "old distribution");
    EXPECT_EQ(RoundName(-1, true), "old");
    EXPECT_EQ(RoundName(0), "Round 1");
    EXPECT_EQ(RoundName(41, true), "42");
    EXPECT_EQ(BestText(2, false), "best so far: Round 3");
    EXPECT_EQ(BestText(-1, true), "best: old distribution");
    EXPECT_EQ(BestText(9, true, true), "best: 10");
    EXPECT_EQ(RoundsPassedText(3, 100, 1, false), "3/100 rounds passed, best so far: 2");
    EXPECT_EQ(RoundsPassedText(1, 5, -1, true), "1/5 rounds passed, best so far: old (frozen window)");
    EXPECT_EQ(RoundsPassedText(0, 5, -2, false), "0/5 rounds passed");
    EXPECT_EQ(CurrentRoundText(0), "Current Round: 1");
    RunningRound built, building;
    built.roundIndex = 3;
    built.topLevel = 6;
    built.topPairs = 74;
    building.roundIndex = 4;
    EXPECT_EQ(RunningRoundsText({built, building}), "Rounds running: 4 (6:74), 5 (-)");
    EXPECT_EQ(RunningRoundsText({built}), "") << "one round says nothing beyond the current round";
}

// A document with 6 matches, all with chances, ready for the conditions.
PoolsDocument SummaryDocument() {
    PoolsDocument doc;
    doc.setMatchCount(6);
    doc.setLineCount(20);
    const int chances[6][2] = {{500, 200}, {450, 300}, {400, 350}, {600, 150}, {350, 350}, {550, 200}};
    for (int m = 0; m < 6; ++m) {
        MatchEntry& e = doc.match(m);
        e.chances = {chances[m][0], chances[m][1]};
        UpdateProbabilities(e);
        PlanTipCounts(e, doc.lineCount, GlobalRandom());
        e.noDuplicates = false;
    }
    doc.conditionUseInCalc = {true, true, true};
    return doc;
}

TEST(ConditionsSummary, NamesTheConditionsTakingPart) {
    PoolsDocument doc = SummaryDocument();
    doc.conditionEnabled = {true, true, false};
    for (int m : {0, 1, 2, 4}) doc.match(m).noDuplicates = true;
    doc.env.rangesAbsolute = true;
    doc.conditionRangesAbsolute = true;
    const int ranges[3][2] = {{2, 4}, {1, 3}, {0, 2}};
    for (int k = 0; k < 3; ++k)
        for (int b = 0; b < 2; ++b) doc.conditionRanges[0][k][b] = ranges[k][b];
    UpdateCategoryMaps(doc);
    DeriveEffectiveBounds(doc);
    UpdateConditionState(doc);
    ASSERT_NE(ConditionInCalculation(doc, kCondDuplicates), 0);
    ASSERT_NE(ConditionInCalculation(doc, kCondTips1X2), 0);

    const std::string expected = "No duplicates: matches 1-3,5; Tip 1: " + std::to_string(doc.effectiveBounds[0][0][0]) +
                                 "-" + std::to_string(doc.effectiveBounds[0][0][1]) +
                                 ", Tip X: " + std::to_string(doc.effectiveBounds[0][1][0]) + "-" +
                                 std::to_string(doc.effectiveBounds[0][1][1]) +
                                 ", Tip 2: " + std::to_string(doc.effectiveBounds[0][2][0]) + "-" +
                                 std::to_string(doc.effectiveBounds[0][2][1]);
    EXPECT_EQ(ConditionsSummary(doc), expected);

    doc.zeroForDraw = true;
    EXPECT_NE(ConditionsSummary(doc).find(", Tip 0: "), std::string::npos);
    EXPECT_EQ(ConditionsSummary(doc).find("Tip X"), std::string::npos);

    // Not used in the calculation: not named at all.
    doc.conditionUseInCalc = {false, false, false};
    EXPECT_EQ(ConditionsSummary(doc), "");
}

TEST(ConditionsSummary, SwitchedOnWithoutEffect) {
    PoolsDocument doc = SummaryDocument();
    doc.conditionEnabled = {true, false, true};
    doc.match(3).noDuplicates = true; // one marked match cannot make a duplicate
    // Favourite ranges as wide as the line: nothing to demand.
    doc.env.rangesAbsolute = true;
    doc.conditionRangesAbsolute = true;
    for (int k = 0; k < 3; ++k) {
        doc.conditionRanges[1][k][0] = 0; // least number
        doc.conditionRanges[1][k][1] = 0; // distance of the greatest number from the line's length
    }
    UpdateCategoryMaps(doc);
    DeriveEffectiveBounds(doc);
    UpdateConditionState(doc);
    ASSERT_EQ(ConditionInCalculation(doc, kCondDuplicates), 0);
    ASSERT_EQ(ConditionInCalculation(doc, kCondFavourites), 0);
    EXPECT_EQ(ConditionsSummary(doc),
              "Conditions for Duplicates: no effect; Conditions for Favourites: no effect");
}

} // namespace
} // namespace vdx
