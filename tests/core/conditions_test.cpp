// The conditions: category maps, unit conversion and effective bounds, condition
// state, the evaluation of a document's lines, and the last-calculation copies.

#include "calc/Conditions.h"
#include "calc/EngineRandom.h"
#include "calc/LineScoring.h"
#include "calc/Probabilities.h"
#include "document/PoolsDocument.h"
#include "TestLines.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace vdx {
namespace {

using testlines::WithLines;
using Map = std::array<int, 3>;

TEST(CategoryMapsTest, IdentityAndRanks) {
    PoolsDocument doc;
    doc.match(0).probability = {300, 400}; // X 300: favourite "2", neutral "X", outsider "1"
    doc.match(1).probability = {500, 200};
    doc.match(2).categoryMaps = {{{2, 2, 2}, {1, 1, 1}}}; // no data
    UpdateCategoryMaps(doc);
    EXPECT_EQ(doc.match(0).categoryMaps[1], (Map{2, 1, 0}));
    EXPECT_EQ(doc.match(1).categoryMaps[1], (Map{0, 1, 2}));
    EXPECT_EQ(doc.match(2).categoryMaps[1], (Map{0, 1, 2}));
    for (const MatchEntry& m : doc.matches) EXPECT_EQ(m.categoryMaps[0], (Map{0, 1, 2}));
}

TEST(ExpectedTipsTest, FromWeights) {
    struct Case { std::array<int, 3> weights; int N; std::array<float, 3> E; };
    const Case cases[] = {
        {{0, 0, 0}, 12, {4.0f, 4.0f, 4.0f}},
        {{-3, 1, 1}, 12, {4.0f, 4.0f, 4.0f}},
        {{10, 5, 5}, 12, {6.0f, 3.0f, 3.0f}},
        {{1, 1, 1}, 14, {14.0f / 3.0f, 14.0f / 3.0f, 14.0f / 3.0f}},
        {{0, 0, 9}, 5, {0.0f, 0.0f, 5.0f}},
    };
    for (const Case& c : cases) EXPECT_EQ(ExpectedTips(c.weights, c.N), c.E) << c.weights[0] << " " << c.N;
}

struct RangeCase {
    int lower, upper;
    float E;
    int N;
    int expectedLower, expectedUpper;
};

void CheckConversion(const RangeCase& c, bool toAbsolute) {
    int ranges[3][2] = {{c.lower, c.upper}, {0, 0}, {0, 0}};
    const float E[3] = {c.E, 1.0f, 1.0f};
    ConvertRangesUnit(ranges, c.N, E, toAbsolute);
    EXPECT_EQ(ranges[0][0], c.expectedLower) << c.lower << "/" << c.upper << " E " << c.E;
    EXPECT_EQ(ranges[0][1], c.expectedUpper) << c.lower << "/" << c.upper << " E " << c.E;
}

TEST(ConvertRangesUnitTest, NumbersToPercent) {
    const RangeCase cases[] = {
        {2, 3, 4.0f, 12, 50, 63},    // 50; 62.5 rounds up
        {0, 0, 4.0f, 12, 100, 100},  // widest
        {6, 0, 4.0f, 12, 0, 100},    // beyond the average: clamped to 0
        {20, -3, 4.0f, 12, 0, 100},  // settings clamped to 0..N first
        {0, 3, 0.0f, 12, 0, 75},     // E = 0: zero divisor
        {6, 0, 12.0f, 12, 50, 0},    // N - E = 0: zero divisor
    };
    for (const RangeCase& c : cases) CheckConversion(c, false);
}

TEST(ConvertRangesUnitTest, PercentToNumbers) {
    const RangeCase cases[] = {
        {50, 63, 4.0f, 12, 2, 3},   // 2; 2.96
        {100, 100, 4.0f, 12, 0, 0},
        {0, 0, 4.0f, 12, 4, 8},
        {150, -20, 4.0f, 12, 0, 8}, // clamped to 0..100 first
        {25, 100, 6.0f, 12, 5, 0},  // 4.5 rounds up
        {0, 0, 14.0f / 3.0f, 14, 5, 9},
        {50, 50, 14.0f / 3.0f, 14, 2, 5},
    };
    for (const RangeCase& c : cases) CheckConversion(c, true);
}

TEST(ConvertRangesUnitTest, RoundTripKeepsNumbers) {
    const float E[3] = {4.0f, 4.0f, 4.0f};
    for (int lower = 0; lower <= 4; ++lower)
        for (int upper = 0; upper <= 8; ++upper) {
            int ranges[3][2] = {{lower, upper}, {lower, upper}, {lower, upper}};
            ConvertRangesUnit(ranges, 12, E, false);
            ConvertRangesUnit(ranges, 12, E, true);
            EXPECT_EQ(ranges[1][0], lower);
            EXPECT_EQ(ranges[1][1], upper);
        }
}

struct BoundsCase {
    bool absolute;
    int lower, upper;
    float E;
    int minimum, maximum;
    const char* why;
};

TEST(BoundsFromRangesTest, Cases) {
    const int N = 12;
    const BoundsCase cases[] = {
        {true, 2, 3, 4.0f, 2, 9, "numbers"},
        {true, 6, 10, 4.0f, 4, 4, "never narrower than the average"},
        {true, 6, 10, 4.2f, 4, 5, "average between two numbers"},
        {true, 0, 8, 4.0f, 0, 4, "an exact average is not rounded up"},
        {true, 1, 12, 0.0f, 0, 0, "kind never tipped"},
        {true, 12, 0, 12.0f, 12, 12, "kind always tipped"},
        {true, -2, -2, 4.0f, 0, 12, "damaged settings clamped"},
        {false, 100, 100, 4.0f, 0, 12, "widest"},
        {false, 0, 0, 4.0f, 4, 4, "narrowest, exact average"},
        {false, 0, 0, 4.6f, 4, 5, "narrowest: minimum rounded up is reduced"},
        {false, 0, 0, 4.2f, 4, 5, "narrowest: maximum rounded down is raised"},
        {false, 50, 50, 4.0f, 2, 8, "half"},
        {false, 25, 100, 6.0f, 5, 12, "4.5 rounds up"},
        {false, 100, 100, 12.0f, 12, 12, "average at N: minimum N"},
        {false, 100, 100, 0.0f, 0, 0, "average 0: maximum 0"},
        {false, 300, -50, 4.0f, 0, 4, "damaged settings clamped"},
    };
    for (const BoundsCase& c : cases) {
        const int ranges[3][2] = {{c.lower, c.upper}, {0, 0}, {0, 0}};
        const float E[3] = {c.E, 4.0f, 4.0f};
        int bounds[3][2] = {};
        BoundsFromRanges(ranges, N, E, c.absolute, bounds);
        EXPECT_EQ(bounds[0][0], c.minimum) << c.why;
        EXPECT_EQ(bounds[0][1], c.maximum) << c.why;
    }
}

// Six matches: three planned 6/3/3 and three 3/6/3 for 12 lines. Weights per tip
// 27, 27, 18 (E 2.25, 2.25, 1.5), per position 36, 18, 18 (E 3, 1.5, 1.5).
PoolsDocument WeightedDocument() {
    PoolsDocument doc;
    doc.matchCount = 6;
    doc.lineCount = 12;
    for (int m = 0; m < 6; ++m) {
        doc.match(m).probability = {300, 300};
        doc.match(m).targetCounts = m < 3 ? std::array<int, 3>{6, 3, 3} : std::array<int, 3>{3, 6, 3};
    }
    return doc;
}

void SetRanges(PoolsDocument& doc, int g, std::array<std::array<int, 2>, 3> r) {
    for (int k = 0; k < 3; ++k)
        for (int b = 0; b < 2; ++b) doc.conditionRanges[g][k][b] = r[k][b];
}

std::array<std::array<int, 2>, 3> Bounds(const PoolsDocument& doc, int g) {
    std::array<std::array<int, 2>, 3> out{};
    for (int k = 0; k < 3; ++k) out[k] = {doc.effectiveBounds[g][k][0], doc.effectiveBounds[g][k][1]};
    return out;
}

std::array<std::array<int, 2>, 3> Ranges(const PoolsDocument& doc, int g) {
    std::array<std::array<int, 2>, 3> out{};
    for (int k = 0; k < 3; ++k) out[k] = {doc.conditionRanges[g][k][0], doc.conditionRanges[g][k][1]};
    return out;
}

using Triple = std::array<std::array<int, 2>, 3>;

TEST(DeriveEffectiveBoundsTest, GroupsUseTheirOwnWeights) {
    PoolsDocument doc = WeightedDocument();
    doc.env.rangesAbsolute = doc.conditionRangesAbsolute = true;
    SetRanges(doc, 0, {{{2, 1}, {0, 0}, {1, 6}}});
    SetRanges(doc, 1, {{{3, 3}, {2, 2}, {0, 4}}});
    DeriveEffectiveBounds(doc);
    EXPECT_EQ(Bounds(doc, 0), (Triple{{{2, 5}, {0, 6}, {1, 2}}}));
    EXPECT_EQ(Bounds(doc, 1), (Triple{{{3, 3}, {1, 4}, {0, 2}}}));
    EXPECT_EQ(Ranges(doc, 0), (Triple{{{2, 1}, {0, 0}, {1, 6}}})); // no conversion
}

TEST(DeriveEffectiveBoundsTest, ConvertsToTheUnitInEffect) {
    PoolsDocument doc = WeightedDocument();
    doc.conditionRangesAbsolute = false;
    doc.env.rangesAbsolute = true;
    SetRanges(doc, 0, {{{50, 50}, {100, 100}, {100, 0}}});
    DeriveEffectiveBounds(doc);
    EXPECT_TRUE(doc.conditionRangesAbsolute);
    // E 2.25: 1.125 -> 1, 1.875 -> 2; E 1.5: 0, 4.5 -> 5.
    EXPECT_EQ(Ranges(doc, 0), (Triple{{{1, 2}, {0, 0}, {0, 5}}}));
    EXPECT_EQ(Bounds(doc, 0), (Triple{{{1, 4}, {0, 6}, {0, 2}}}));

    doc.env.rangesAbsolute = false;
    DeriveEffectiveBounds(doc);
    EXPECT_FALSE(doc.conditionRangesAbsolute);
    // E 2.25: (2.25 - 1) / 2.25 = 55.6%, (3.75 - 2) / 3.75 = 46.7%; E 1.5: 100, (4.5 - 5) < 0.
    EXPECT_EQ(Ranges(doc, 0), (Triple{{{56, 47}, {100, 100}, {100, 0}}}));
}

struct StateCase {
    const char* name;
    std::function<void(PoolsDocument&)> setup;
    std::array<int, 3> state;
    std::array<int, 3> inCalculation;
};

// Four matches with data of five in use; every bound at its widest.
PoolsDocument StateDocument() {
    PoolsDocument doc;
    doc.matchCount = 5;
    for (int m = 0; m < 4; ++m) doc.match(m).probability = {400, 300};
    for (MatchEntry& m : doc.matches) m.noDuplicates = false;
    for (int g = 0; g < 2; ++g)
        for (int k = 0; k < 3; ++k) {
            doc.effectiveBounds[g][k][0] = 0;
            doc.effectiveBounds[g][k][1] = 5;
        }
    return doc;
}

void Mark(PoolsDocument& doc, std::vector<int> matches) {
    for (int m : matches) doc.match(m).noDuplicates = true;
}

TEST(ConditionStateTest, Cases) {
    const std::vector<StateCase> cases = {
        {"nothing on", [](PoolsDocument&) {}, {0, 0, 0}, {0, 0, 0}},
        {"widest ranges have no effect", [](PoolsDocument& d) { d.conditionEnabled = {false, true, true}; },
         {0, 0, 0}, {0, 0, 0}},
        {"a minimum", [](PoolsDocument& d) { d.conditionEnabled[1] = true; d.effectiveBounds[0][1][0] = 1; },
         {0, 1, 0}, {0, 1, 0}},
        {"a maximum below N", [](PoolsDocument& d) { d.conditionEnabled[2] = true; d.effectiveBounds[1][2][1] = 4; },
         {0, 0, 1}, {0, 0, 1}},
        {"bounds of a switched-off condition", [](PoolsDocument& d) { d.effectiveBounds[0][0][0] = 2; },
         {0, 0, 0}, {0, 0, 0}},
        {"two of four marked", [](PoolsDocument& d) { d.conditionEnabled[0] = true; Mark(d, {0, 2}); },
         {1, 0, 0}, {1, 0, 0}},
        {"one marked", [](PoolsDocument& d) { d.conditionEnabled[0] = true; Mark(d, {0}); }, {0, 0, 0}, {0, 0, 0}},
        {"marks on matches without data",
         [](PoolsDocument& d) { d.conditionEnabled[0] = true; Mark(d, {0, 4, 5}); }, {0, 0, 0}, {0, 0, 0}},
        {"all marked", [](PoolsDocument& d) { d.conditionEnabled[0] = true; Mark(d, {0, 1, 2, 3}); },
         {0, 0, 0}, {0, 0, 0}},
        {"all marked with a range in effect",
         [](PoolsDocument& d) {
             d.conditionEnabled = {true, true, false};
             d.effectiveBounds[0][0][1] = 3;
             Mark(d, {0, 1, 2, 3});
         },
         {1, 1, 0}, {1, 1, 0}},
        {"marked match with lines",
         [](PoolsDocument& d) {
             d.conditionEnabled[0] = true;
             Mark(d, {1, 3});
             d.hasTips = true;
             d.tipMatchCount = 5;
             d.match(3).hasTips = true;
         },
         {3, 0, 0}, {1, 0, 0}},
        {"all marked with lines",
         [](PoolsDocument& d) {
             d.conditionEnabled[0] = true;
             Mark(d, {0, 1, 2, 3});
             d.hasTips = true;
             d.tipMatchCount = 5;
             d.match(0).hasTips = true;
         },
         {2, 0, 0}, {0, 0, 0}},
        {"not used in the calculation",
         [](PoolsDocument& d) {
             d.conditionEnabled = {true, true, false};
             d.conditionUseInCalc = {false, false, true};
             d.effectiveBounds[0][0][0] = 1;
             Mark(d, {0, 1});
         },
         {1, 1, 0}, {0, 0, 0}},
    };
    for (const StateCase& c : cases) {
        PoolsDocument doc = StateDocument();
        c.setup(doc);
        UpdateConditionState(doc);
        EXPECT_EQ(doc.conditionState, c.state) << c.name;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(ConditionInCalculation(doc, i), c.inCalculation[i]) << c.name << " " << i;
    }
}

// Six matches, the first three marked: lines 0 and 1 read 1 X 2 there and differ elsewhere.
PoolsDocument DuplicateDocument() {
    PoolsDocument doc = WithLines({"1X2111", "1X2XX2", "2X1111"});
    for (int m = 0; m < kMaxMatches; ++m) doc.match(m).noDuplicates = doc.match(m).lastNoDuplicates = m < 3;
    return doc;
}

using Hist = Histogram;

Hist H(std::initializer_list<std::pair<int, int>> entries) {
    Hist h{};
    for (auto [e, n] : entries) h[e] = n;
    return h;
}

TEST(DuplicatesTest, MarkedMatchesAllEqualFlagBothLines) {
    PoolsDocument doc = DuplicateDocument();
    EvaluateDuplicates(doc, false);
    const ConditionEvaluation& ev = doc.evaluation;
    // Pairs: (0,1) 3 equals, all 3 marked; (0,2) 4 equals, 1 marked; (1,2) 1 equal, 1 marked.
    EXPECT_EQ(ev.equalsHistogram, H({{1, 1}, {3, 1}, {4, 1}}));
    EXPECT_EQ(ev.duplicateHistogram, H({{1, 2}, {3, 1}}));
    EXPECT_EQ(ev.duplicateMatchCount, 3);
    EXPECT_EQ(ev.lineConditionFlags[0] & kLineDuplicate, kLineDuplicate);
    EXPECT_EQ(ev.lineConditionFlags[1] & kLineDuplicate, kLineDuplicate);
    EXPECT_EQ(ev.lineConditionFlags[2] & kLineDuplicate, 0);
    EXPECT_EQ(ev.flaggedLineCounts[kCondDuplicates], 2);
}

TEST(DuplicatesTest, LastMarksOrCurrentMarks) {
    PoolsDocument doc = DuplicateDocument();
    for (int m = 0; m < 6; ++m) doc.match(m).lastNoDuplicates = m >= 3;
    EvaluateDuplicates(doc, true);
    // Over matches 4-6 lines 0 and 2 agree, lines 0 and 1 do not.
    EXPECT_EQ(doc.evaluation.duplicateHistogram, H({{0, 2}, {3, 1}}));
    EXPECT_EQ(doc.evaluation.lineConditionFlags[0] & kLineDuplicate, kLineDuplicate);
    EXPECT_EQ(doc.evaluation.lineConditionFlags[1] & kLineDuplicate, 0);
    EXPECT_EQ(doc.evaluation.lineConditionFlags[2] & kLineDuplicate, kLineDuplicate);

    EvaluateDuplicates(doc, false); // stale flags are replaced, not added to
    EXPECT_EQ(doc.evaluation.lineConditionFlags[2] & kLineDuplicate, 0);
    EXPECT_EQ(doc.evaluation.flaggedLineCounts[kCondDuplicates], 2);
}

TEST(DuplicatesTest, WithoutMarkedMatchesNoLineIsADuplicate) {
    PoolsDocument doc = DuplicateDocument();
    for (MatchEntry& m : doc.matches) m.noDuplicates = false;
    EvaluateDuplicates(doc, false);
    EXPECT_EQ(doc.evaluation.duplicateMatchCount, 0);
    EXPECT_EQ(doc.evaluation.duplicateHistogram, H({{0, 3}}));
    EXPECT_EQ(doc.evaluation.flaggedLineCounts[kCondDuplicates], 0);
    for (int l = 0; l < 3; ++l) EXPECT_EQ(doc.evaluation.lineConditionFlags[l], 0);
}

TEST(DuplicatesTest, OnlyMatchesWithTipsCount) {
    PoolsDocument doc = DuplicateDocument();
    doc.match(5).hasTips = false;  // the last match drops out
    doc.match(1).hasTips = false;  // and a marked one
    PoolsDocument wider = doc;
    wider.tipMatchCount = 4;       // matches 5 and 6 beyond the distribution
    EvaluateDuplicates(doc, false);
    // Matches 1, 3, 4, 5 remain: (0,1) 2 equal, (0,2) 2, (1,2) 0; marked: 1, 3.
    EXPECT_EQ(doc.evaluation.equalsHistogram, H({{0, 1}, {2, 2}}));
    EXPECT_EQ(doc.evaluation.duplicateMatchCount, 2);
    EXPECT_EQ(doc.evaluation.duplicateHistogram, H({{0, 2}, {2, 1}}));
    EvaluateDuplicates(wider, false);
    EXPECT_EQ(wider.evaluation.equalsHistogram, H({{0, 1}, {1, 1}, {2, 1}}));
}

TEST(DuplicatesTest, AgreesWithPairByPairCounting) {
    EngineRandom rng;
    rng.Seed(7);
    std::vector<std::string> text(150, std::string(14, '1'));
    for (std::string& line : text)
        for (char& c : line) c = "1X2"[rng.RandomUpTo(2)];
    PoolsDocument doc = WithLines(text);
    for (int m = 0; m < 14; ++m) doc.match(m).noDuplicates = rng.RandomUpTo(2) == 0;
    doc.match(6).hasTips = false;
    doc.match(9).result = 1; // results play no part

    Hist equals{}, duplicates{};
    std::vector<int> flagged(150, 0);
    int K = 0;
    for (int m = 0; m < 14; ++m) K += doc.match(m).hasTips && doc.match(m).noDuplicates;
    for (int i = 0; i < 150; ++i)
        for (int j = i + 1; j < 150; ++j) {
            int l = 0, k = 0;
            for (int m = 0; m < 14; ++m)
                if (doc.match(m).hasTips && text[i][m] == text[j][m]) {
                    ++l;
                    k += doc.match(m).noDuplicates;
                }
            ++equals[l];
            ++duplicates[k];
            if (K > 0 && k == K) flagged[i] = flagged[j] = 1;
        }
    std::vector<uint8_t> lines;
    const PairHistograms h = CountPairEquals(doc, false, &lines);
    EXPECT_EQ(h.equals, equals);
    EXPECT_EQ(h.duplicates, duplicates);
    EXPECT_EQ(h.markedMatches, K);
    ASSERT_EQ(lines.size(), 150u);
    for (int l = 0; l < 150; ++l) EXPECT_EQ(lines[l], flagged[l]) << l;
}

// Four matches; the ranks recorded at the last calculation make "2" the favourite,
// "1" the neutral and "X" the outsider everywhere.
PoolsDocument RangeDocument() {
    PoolsDocument doc = WithLines({"1111", "XX22", "2221", "1X2X"});
    for (int m = 0; m < 4; ++m) doc.match(m).lastCategoryMaps[1] = {1, 2, 0};
    const int last[2][3][2] = {{{1, 3}, {0, 4}, {0, 4}}, {{0, 2}, {0, 4}, {0, 4}}};
    for (int g = 0; g < 2; ++g)
        for (int k = 0; k < 3; ++k)
            for (int b = 0; b < 2; ++b) {
                doc.lastConditionBounds[g][k][b] = last[g][k][b];
                doc.effectiveBounds[g][k][b] = b == 0 ? 0 : 4; // current bounds: nothing outside
            }
    return doc;
}

TEST(EvaluateConditionsTest, RangesUseTheLastMapsAndBounds) {
    PoolsDocument doc = RangeDocument();
    int notified = 0;
    doc.onEvaluationChanged = [&notified] { ++notified; };
    EvaluateConditions(doc);
    const ConditionEvaluation& ev = doc.evaluation;
    using Cat = std::array<uint8_t, 3>;
    const Cat tips[4] = {{4, 0, 0}, {0, 2, 2}, {1, 0, 3}, {1, 2, 1}};
    const Cat ranks[4] = {{0, 4, 0}, {2, 0, 2}, {3, 1, 0}, {1, 1, 2}};
    const int flags[4] = {kLineOutside1X2, kLineOutside1X2, kLineOutsideFavourites, 0};
    for (int l = 0; l < 4; ++l) {
        EXPECT_EQ(ev.lineCategoryCounts[l][0], tips[l]) << l;
        EXPECT_EQ(ev.lineCategoryCounts[l][1], ranks[l]) << l;
        EXPECT_EQ(ev.lineConditionFlags[l], flags[l]) << l;
    }
    EXPECT_EQ(ev.flaggedLineCounts, (std::array<int, 3>{0, 2, 1}));
    EXPECT_EQ(notified, 1);
}

TEST(EvaluateConditionsTest, UsesTheLastMarks) {
    PoolsDocument doc = DuplicateDocument();
    for (int m = 0; m < 6; ++m) doc.match(m).noDuplicates = false;
    EvaluateConditions(doc);
    EXPECT_EQ(doc.evaluation.duplicateMatchCount, 3);
    EXPECT_EQ(doc.evaluation.flaggedLineCounts[kCondDuplicates], 2);
}

TEST(EvaluateConditionsTest, NothingWithoutLines) {
    PoolsDocument doc;
    int notified = 0;
    doc.onEvaluationChanged = [&notified] { ++notified; };
    EvaluateConditions(doc);
    EXPECT_EQ(doc.evaluation.lineConditionFlags[0], -1);
    EXPECT_EQ(notified, 0);
}

TEST(ViolationHistogramsTest, NineTipsOneUnderRangeTwoToSix) {
    PoolsDocument doc = WithLines({"111111111"});
    UpdateCategoryMaps(doc); // 400 / 300 / 300: "1" is the favourite
    for (int g = 0; g < 2; ++g)
        for (int k = 0; k < 3; ++k) {
            doc.effectiveBounds[g][k][0] = 0;
            doc.effectiveBounds[g][k][1] = 9;
        }
    doc.effectiveBounds[0][0][0] = 2;
    doc.effectiveBounds[0][0][1] = 6;
    Hist out[2];
    ViolationHistograms(doc, out);
    EXPECT_EQ(out[0], H({{3, 1}}));
    EXPECT_EQ(out[1], Hist{});

    // A second line and narrower X and favourites bounds.
    doc = WithLines({"111111111", "XXXXXXXXX"});
    UpdateCategoryMaps(doc);
    const int bounds[2][3][2] = {{{2, 6}, {1, 5}, {0, 9}}, {{0, 7}, {0, 9}, {0, 9}}};
    for (int g = 0; g < 2; ++g)
        for (int k = 0; k < 3; ++k)
            for (int b = 0; b < 2; ++b) doc.effectiveBounds[g][k][b] = bounds[g][k][b];
    ViolationHistograms(doc, out);
    // Line 1: "1" 9 > 6 by 3, X 0 < 1 by 1. Line 2: "1" 0 < 2 by 2, X 9 > 5 by 4.
    EXPECT_EQ(out[0], H({{1, 1}, {2, 1}, {3, 1}, {4, 1}}));
    // Nine favourites against at most 7; X is neutral, within 0-9.
    EXPECT_EQ(out[1], H({{2, 1}}));
}

TEST(EqualsLimitTest, Cases) {
    struct Case { int matches, limit, expected; };
    const Case cases[] = {{12, 3, 9}, {12, 12, 0}, {12, 20, 0}, {5, 0, 5}, {14, 2, 12}};
    for (const Case& c : cases) EXPECT_EQ(EqualsLimit(c.matches, c.limit), c.expected);

    // With 12 matches and L = 3 conditions count while no pair agrees in more than 9.
    EXPECT_TRUE(ConditionsCount(H({{5, 10}, {9, 1}}), EqualsLimit(12, 3)));
    EXPECT_FALSE(ConditionsCount(H({{5, 10}, {10, 1}}), EqualsLimit(12, 3)));
    // L at least matchCount: only when no two lines agree in any match.
    EXPECT_TRUE(ConditionsCount(H({{0, 45}}), EqualsLimit(12, 12)));
    EXPECT_FALSE(ConditionsCount(H({{0, 44}, {1, 1}}), EqualsLimit(12, 14)));
    EXPECT_TRUE(ConditionsCount(Hist{}, 0));
}

// Duplicates and 1/X/2 take part, favourites switched on but not used; recorded.
PoolsDocument RecordedDocument() {
    PoolsDocument doc = StateDocument();
    doc.conditionEnabled = {true, true, true};
    doc.conditionUseInCalc = {true, true, false};
    Mark(doc, {0, 1});
    doc.effectiveBounds[0][0][0] = 1;
    doc.effectiveBounds[1][0][0] = 1;
    doc.conditionLimit = 3;
    UpdateCategoryMaps(doc);
    for (MatchEntry& m : doc.matches) m.lastCategoryMaps = m.categoryMaps;
    UpdateConditionState(doc);
    RecordConditions(doc);
    doc.modified = false;
    return doc;
}

TEST(ConditionsUnchangedTest, Cases) {
    struct Case {
        const char* name;
        std::function<void(PoolsDocument&)> change;
        bool unchanged;
    };
    const std::vector<Case> cases = {
        {"nothing", [](PoolsDocument&) {}, true},
        {"bounds of the condition not taking part", [](PoolsDocument& d) { d.effectiveBounds[1][2][1] = 2; }, true},
        {"bounds of a condition taking part", [](PoolsDocument& d) { d.effectiveBounds[0][2][1] = 2; }, false},
        {"a mark", [](PoolsDocument& d) { d.match(2).noDuplicates = true; }, false},
        {"the limit", [](PoolsDocument& d) { d.conditionLimit = 4; }, false},
        {"a favourite", [](PoolsDocument& d) { d.match(2).categoryMaps[1] = {2, 1, 0}; }, false},
        {"a condition switched off",
         [](PoolsDocument& d) {
             d.conditionEnabled[1] = false;
             UpdateConditionState(d);
         },
         false},
    };
    for (const Case& c : cases) {
        PoolsDocument doc = RecordedDocument();
        ASSERT_EQ(doc.lastConditionState, (std::array<int, 3>{1, 1, 0}));
        c.change(doc);
        EXPECT_EQ(ConditionsUnchanged(doc), c.unchanged) << c.name;
    }
}

TEST(ConditionsUnchangedTest, NothingTakingPartIsUnchanged) {
    PoolsDocument doc = StateDocument();
    UpdateConditionState(doc);
    RecordConditions(doc);
    doc.conditionLimit = 9;
    doc.match(0).categoryMaps[1] = {2, 0, 1};
    EXPECT_TRUE(ConditionsUnchanged(doc));
}

TEST(RecordConditionsTest, ReportsRelevantChangesAndCopies) {
    PoolsDocument doc = StateDocument();
    doc.conditionEnabled[1] = true;
    doc.effectiveBounds[0][1][1] = 3;
    UpdateConditionState(doc);
    EXPECT_TRUE(RecordConditions(doc)); // the switch value went from 0 to 1
    EXPECT_TRUE(doc.modified);
    EXPECT_EQ(doc.lastConditionState, (std::array<int, 3>{0, 1, 0}));
    EXPECT_EQ(doc.lastConditionBounds[0][1][1], 3);
    EXPECT_EQ(doc.lastConditionLimit, doc.conditionLimit);

    doc.modified = false;
    EXPECT_FALSE(RecordConditions(doc));
    EXPECT_FALSE(doc.modified);

    // Changes that do not take part are copied but not reported.
    doc.effectiveBounds[1][0][0] = 2;
    doc.match(4).noDuplicates = !doc.match(4).noDuplicates;
    EXPECT_FALSE(RecordConditions(doc));
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(doc.lastConditionBounds[1][0][0], 2);
    EXPECT_EQ(doc.match(4).lastNoDuplicates, doc.match(4).noDuplicates);

    doc.conditionLimit = 1;
    EXPECT_TRUE(RecordConditions(doc));
    doc.effectiveBounds[0][2][0] = 1;
    EXPECT_TRUE(RecordConditions(doc));
    EXPECT_TRUE(ConditionsUnchanged(doc));
}

TEST(RecordConditionsTest, MarksCountOnlyWhileDuplicatesTakePart) {
    PoolsDocument doc = RecordedDocument();
    doc.match(2).noDuplicates = true;
    EXPECT_TRUE(RecordConditions(doc));

    doc = StateDocument();
    doc.conditionLimit = 5;
    doc.match(0).noDuplicates = true;
    EXPECT_FALSE(RecordConditions(doc)); // nothing takes part
}

// A calculated document as it comes back from a file: the last maps are not
// stored, so they read as identity until the bookkeeping is recomputed.
PoolsDocument ReloadedDocument() {
    PoolsDocument doc = WithLines({"2222", "1111", "XX22", "1X2X"});
    for (int m = 0; m < 4; ++m) doc.match(m).probability = doc.match(m).lastProbability = {300, 400};
    doc.env.rangesAbsolute = doc.conditionRangesAbsolute = true;
    doc.conditionEnabled = {false, false, true};
    SetRanges(doc, 0, {{{0, 0}, {0, 0}, {0, 0}}});
    // At most 2 favourites, raised to 3 by their average of 2.25 per line.
    SetRanges(doc, 1, {{{0, 2}, {0, 0}, {0, 0}}});
    for (int m = 0; m < 4; ++m) doc.match(m).targetCounts = doc.match(m).tipCounts;
    UpdateCategoryMaps(doc);
    DeriveEffectiveBounds(doc);
    UpdateConditionState(doc);
    RecordConditions(doc);
    for (MatchEntry& m : doc.matches) m.lastCategoryMaps = {{{0, 1, 2}, {0, 1, 2}}};
    return doc;
}

TEST(RecomputeBookkeepingTest, AfterAReadTheLastRanksComeFromTheLastProbabilities) {
    PoolsDocument doc = ReloadedDocument();
    ASSERT_EQ(doc.lastConditionState, (std::array<int, 3>{0, 0, 1}));
    RecomputeConditionBookkeeping(doc, true);
    for (int m = 0; m < 4; ++m) EXPECT_EQ(doc.match(m).lastCategoryMaps[1], (Map{2, 1, 0})) << m;
    EXPECT_TRUE(ConditionsUnchanged(doc));
    // "2" is the favourite: only the line 2222 has more than three favourites.
    EXPECT_EQ(doc.evaluation.lineConditionFlags[0], kLineOutsideFavourites);
    EXPECT_EQ(doc.evaluation.flaggedLineCounts[kCondFavourites], 1);
}

TEST(RecomputeBookkeepingTest, FailedReadKeepsMapsAndBounds) {
    PoolsDocument doc = ReloadedDocument();
    doc.effectiveBounds[1][1][0] = 1;
    doc.env.rangesAbsolute = false; // a derivation would convert the ranges
    RecomputeConditionBookkeeping(doc, false);
    EXPECT_EQ(doc.effectiveBounds[1][1][0], 1);
    EXPECT_TRUE(doc.conditionRangesAbsolute);
    EXPECT_EQ(doc.match(0).lastCategoryMaps[1], (Map{0, 1, 2}));
    EXPECT_EQ(doc.conditionState, (std::array<int, 3>{0, 0, 1}));
    EXPECT_NE(doc.evaluation.lineConditionFlags[0], -1); // evaluated all the same
}

} // namespace
} // namespace vdx
