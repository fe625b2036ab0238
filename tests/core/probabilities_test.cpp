// Probabilities from chances and odds, planned tip counts, their validity, ranks,
// and the random generator whose sequence makes calculations repeatable.

#include "calc/EngineRandom.h"
#include "calc/Probabilities.h"
#include "document/PoolsDocument.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <set>
#include <vector>

namespace vdx {
namespace {

using Counts = std::array<int, 3>;

// The generator's formula, written out independently of the class.
std::vector<int> ReferenceSequence(uint32_t state, int count) {
    std::vector<int> out;
    for (int i = 0; i < count; ++i) {
        state = static_cast<uint32_t>((uint64_t{state} * 22695477u + 1u) & 0xFFFFFFFFu);
        out.push_back(static_cast<int>((state >> 16) % 32767u));
    }
    return out;
}

TEST(EngineRandomTest, FirstValuesFollowTheFormula) {
    struct Case { uint32_t seed; std::vector<int> expected; };
    const Case cases[] = {
        {1u, {346, 131, 10983, 1090, 11657}},
        {12345u, {15301, 24997, 10922, 23578, 19317, 10387}},
    };
    for (const Case& c : cases) {
        EngineRandom rng;
        rng.Seed(c.seed);
        std::vector<int> got;
        for (size_t i = 0; i < c.expected.size(); ++i) got.push_back(rng.Next());
        EXPECT_EQ(got, c.expected) << "seed " << c.seed;
        EXPECT_EQ(got, ReferenceSequence(c.seed, static_cast<int>(c.expected.size())));
    }
}

TEST(EngineRandomTest, UnseededStartsFromTheFixedState) {
    EngineRandom rng;
    EXPECT_EQ(rng.State(), 1159103127u);
    std::vector<int> got;
    for (int i = 0; i < 5; ++i) got.push_back(rng.Next());
    EXPECT_EQ(got, (std::vector<int>{10634, 5302, 28687, 17691, 32589}));
}

TEST(EngineRandomTest, RandomUpToIsTheRemainderOfNext) {
    EngineRandom a, b;
    a.Seed(777);
    b.Seed(777);
    for (int n : {0, 1, 2, 9, 999, 32766}) {
        const int r = a.RandomUpTo(n);
        EXPECT_EQ(r, b.Next() % (n + 1)) << "n " << n;
        EXPECT_GE(r, 0);
        EXPECT_LE(r, n);
    }
}

TEST(EngineRandomTest, RemainderIsExactForEveryDrawAndDivisor) {
    // Every value a draw can take, every divisor with a reciprocal and a few beyond.
    for (uint32_t d = 1; d <= 1100; ++d)
        for (uint32_t v = 0; v < 32767u; ++v) ASSERT_EQ(v % d, EngineRandom::Remainder(v, d)) << v << " % " << d;
}

TEST(EngineRandomTest, ReduceIsTheRemainderForEveryUpperHalf) {
    for (uint32_t upper = 0; upper < 65536u; ++upper) ASSERT_EQ(upper % 32767u, EngineRandom::Reduce(upper)) << upper;
}

TEST(EngineRandomTest, ValuesStayBelow32767OverALongRun) {
    EngineRandom rng;
    rng.Seed(0xFFFFFFFFu);
    int highest = 0;
    for (int i = 0; i < 200000; ++i) highest = std::max(highest, rng.Next());
    EXPECT_LE(highest, 32766);
    EXPECT_GT(highest, 32000); // the whole range is reached, not half of it
}

MatchEntry WithOdds(std::vector<OddsEntry> odds) {
    MatchEntry m;
    m.odds = std::move(odds);
    return m;
}

TEST(ProbabilitiesTest, FromOddsChancesOrNothing) {
    struct Case {
        const char* name;
        MatchEntry match;
        std::array<int, 2> expected;
    };
    MatchEntry chancesWin = WithOdds({OddsEntry{{200, 300, 400}}});
    chancesWin.chances = {450, 250};
    std::vector<Case> cases = {
        {"one bookie 2.00 3.00 4.00", WithOdds({OddsEntry{{200, 300, 400}}}), {461, 230}},
        {"two bookies averaged", WithOdds({OddsEntry{{200, 300, 400}}, OddsEntry{{250, 300, 300}}}), {418, 271}},
        {"three bookies", WithOdds({OddsEntry{{150, 400, 600}}, OddsEntry{{160, 380, 550}}, OddsEntry{{145, 420, 650}}}),
         {612, 155}},
        {"empty entries skipped", WithOdds({OddsEntry{}, OddsEntry{{200, 300, 400}}, OddsEntry{}}), {461, 230}},
        {"chances win over odds", chancesWin, {450, 250}},
        {"nothing given", WithOdds({}), {-1, -1}},
        {"only empty entries", WithOdds({OddsEntry{}, OddsEntry{}}), {-1, -1}},
    };
    for (Case& c : cases) {
        UpdateProbabilities(c.match);
        EXPECT_EQ(c.match.probability, c.expected) << c.name;
    }
}

TEST(ProbabilitiesTest, DrawTakesTheTruncationLoss) {
    MatchEntry m = WithOdds({OddsEntry{{200, 300, 400}}});
    UpdateProbabilities(m);
    EXPECT_EQ(m.pX(), 309);
}

TEST(ProbabilitiesTest, ReportsWhetherTheyChanged) {
    MatchEntry m = WithOdds({OddsEntry{{200, 300, 400}}});
    EXPECT_TRUE(UpdateProbabilities(m));
    EXPECT_FALSE(UpdateProbabilities(m));
    m.chances = {461, 230};
    EXPECT_FALSE(UpdateProbabilities(m)); // same values from another source
    m.chances = {-1, -1};
    m.odds.clear();
    EXPECT_TRUE(UpdateProbabilities(m));
    EXPECT_FALSE(m.hasData());
}

TEST(ProbabilitiesTest, CountsOnlyMatchesInUse) {
    PoolsDocument doc;
    doc.matchCount = 4;
    doc.match(0).probability = {400, 300};
    doc.match(2).probability = {0, 0};
    doc.match(5).probability = {400, 300}; // beyond matchCount
    EXPECT_EQ(CountMatchesWithData(doc), 2);
}

MatchEntry WithChances(int p1, int p2) {
    MatchEntry m;
    m.chances = {p1, p2};
    m.probability = {p1, p2};
    return m;
}

TEST(PlanTipCountsTest, LargestRemaindersWithoutTies) {
    struct Case { int p1, p2, lines; Counts expected; };
    const Case cases[] = {
        {333, 334, 10, {3, 3, 4}},     // 33.3 / 33.3 / 33.4
        {500, 200, 1, {1, 0, 0}},
        {461, 230, 20, {9, 6, 5}},     // remainders 220, 180, 600
        {1000, 0, 7, {7, 0, 0}},
        {0, 0, 5, {0, 5, 0}},
        {123, 456, 1000, {123, 421, 456}},
        {451, 98, 13, {6, 6, 1}},      // tied remainders 863, 863 both get a tip
    };
    for (const Case& c : cases) {
        MatchEntry m = WithChances(c.p1, c.p2);
        EngineRandom rng;
        PlanTipCounts(m, c.lines, rng);
        EXPECT_EQ(m.targetCounts, c.expected) << c.p1 << "/" << c.p2 << " for " << c.lines;
        EXPECT_TRUE(IsApportionment(m.targetCounts, c.lines, c.p1, c.p2));
    }
}

TEST(PlanTipCountsTest, TieIsDrawnFromTheGenerator) {
    // 50 / 0 / 50 for 3 lines: remainders 500, 0, 500. The comparison of "1" with
    // "2" is the only tie and draws one value; 1 moves "2" to the front.
    std::set<Counts> seen;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        EngineRandom rng, probe;
        rng.Seed(seed);
        probe.Seed(seed);
        const bool twoFirst = probe.RandomUpTo(1) == 1;
        MatchEntry m = WithChances(500, 500);
        PlanTipCounts(m, 3, rng);
        EXPECT_EQ(m.targetCounts, (twoFirst ? Counts{1, 0, 2} : Counts{2, 0, 1})) << "seed " << seed;
        EXPECT_EQ(rng.State(), probe.State()) << "exactly one draw";
        seen.insert(m.targetCounts);
    }
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_TRUE(IsApportionment({2, 0, 1}, 3, 500, 500));
    EXPECT_TRUE(IsApportionment({1, 0, 2}, 3, 500, 500));
}

TEST(PlanTipCountsTest, NoDrawWithoutTies) {
    EngineRandom rng;
    rng.Seed(99);
    MatchEntry m = WithChances(461, 230); // remainders 220, 180, 600 for 20 lines
    PlanTipCounts(m, 20, rng);
    EXPECT_EQ(rng.State(), 99u);
}

TEST(PlanTipCountsTest, KeepsOrCopiesValidCounts) {
    EngineRandom rng;
    // Valid planned counts stay, even when the generator would draw otherwise.
    MatchEntry kept = WithChances(500, 500);
    kept.targetCounts = {1, 0, 2};
    kept.tipCounts = {2, 0, 1};
    PlanTipCounts(kept, 3, rng);
    EXPECT_EQ(kept.targetCounts, (Counts{1, 0, 2}));

    MatchEntry copied = WithChances(500, 500);
    copied.targetCounts = {3, 0, 0};
    copied.tipCounts = {1, 0, 2};
    PlanTipCounts(copied, 3, rng);
    EXPECT_EQ(copied.targetCounts, (Counts{1, 0, 2}));

    // Neither fits a new number of lines: computed afresh.
    MatchEntry fresh = WithChances(461, 230);
    fresh.targetCounts = {3, 3, 4};
    fresh.tipCounts = {3, 3, 4};
    PlanTipCounts(fresh, 20, rng);
    EXPECT_EQ(fresh.targetCounts, (Counts{9, 6, 5}));

    MatchEntry none;
    none.targetCounts = {1, 1, 1};
    PlanTipCounts(none, 3, rng);
    EXPECT_EQ(none.targetCounts, (Counts{-1, -1, -1}));
}

TEST(IsApportionmentTest, Cases) {
    struct Case { Counts counts; int lines, p1, p2; bool valid; const char* why; };
    const Case cases[] = {
        {{3, 3, 4}, 10, 333, 334, true, "exact"},
        {{4, 3, 3}, 10, 333, 334, false, "extra tip on the wrong tip"},
        {{3, 3, 3}, 10, 333, 334, false, "sum short"},
        {{3, 4, 4}, 10, 333, 334, false, "sum over"},
        {{2, 0, 1}, 3, 500, 500, true, "tie at the cut, one way"},
        {{1, 0, 2}, 3, 500, 500, true, "tie at the cut, other way"},
        {{1, 1, 1}, 3, 500, 500, false, "tip without remainder"},
        {{3, 0, 0}, 3, 500, 500, false, "two above quota"},
        // 1/3 each for 2 lines: remainders 666, 668, 666; X first, then a tie of 1 and 2.
        {{1, 1, 0}, 2, 333, 333, true, "X and 1"},
        {{0, 1, 1}, 2, 333, 333, true, "X and 2"},
        {{1, 0, 1}, 2, 333, 333, false, "X must have its tip"},
        {{5, 0, 0}, 5, 1000, 0, true, "certain"},
        {{-1, -1, -1}, 3, 500, 500, false, "no counts"},
        {{1, 1, 1}, 3, -1, -1, false, "no data"},
        {{0, 0, 0}, 0, 500, 200, true, "no lines"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsApportionment(c.counts, c.lines, c.p1, c.p2), c.valid) << c.why;
}

TEST(RankTipsTest, ExchangeProcedureOrder) {
    struct Case { int p1, pX, p2; Counts order; };
    const Case cases[] = {
        {300, 300, 400, {2, 1, 0}}, // not stable: "X" stays neutral, "1" becomes outsider
        {500, 300, 200, {0, 1, 2}},
        {200, 300, 500, {2, 1, 0}},
        {400, 200, 400, {0, 2, 1}},
        {333, 334, 333, {1, 0, 2}},
        {200, 500, 300, {1, 2, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RankTips(c.p1, c.pX, c.p2), c.order) << c.p1 << "/" << c.pX << "/" << c.p2;
        const Counts rank = RankOfTips(c.p1, c.pX, c.p2);
        for (int r = 0; r < 3; ++r) EXPECT_EQ(rank[c.order[r]], r);
    }
}

TEST(TipCountsForCalculationTest, FollowsUpToDate) {
    PoolsDocument doc;
    MatchEntry& m = doc.match(0);
    m.tipCounts = {1, 2, 3};
    m.targetCounts = {4, 5, 6};
    doc.tipsUpToDate = true;
    EXPECT_EQ(TipCountsForCalculation(doc, m), (Counts{1, 2, 3}));
    doc.tipsUpToDate = false;
    EXPECT_EQ(TipCountsForCalculation(doc, m), (Counts{4, 5, 6}));
}

} // namespace
} // namespace vdx
