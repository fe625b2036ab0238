#include "calc/Engine.h"
#include "calc/Improvement.h"

#include "engine_fixtures.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace vdx;
using namespace vdx::testing;

namespace {

Histogram H(std::initializer_list<std::pair<int, int>> entries) {
    Histogram h{};
    for (auto [e, count] : entries) h[e] = count;
    return h;
}

// A state with recorded histograms only, as CompareDistributions and DifferenceToBest see it.
DistributionState Recorded(Histogram equals, int duplicates = 0, Histogram viol1X2 = {}, Histogram violFav = {},
                           std::array<bool, 3> conditions = {false, false, false}, int equalsLimit = 12) {
    DistributionState s;
    s.matchCount = 12;
    s.lineCount = 20;
    s.equalsLimit = equalsLimit;
    s.conditions = conditions;
    s.noDuplicateCount = 4;
    s.equalsHistogram = equals;
    s.duplicateHistogram[4] = duplicates;
    s.violations = {viol1X2, violFav};
    return s;
}

// Records what the engine reports and answers with scripted stop requests.
class ScriptedProgress : public CalculationProgress {
public:
    int yields = 0;             // of the improvement phase
    int constructionYields = 0; // the construction yields once per match
    int stopRoundAt = -1, stopCalculationAt = -1, noMoreRoundsAt = -1;
    int noMoreRoundsTaken = 0, constructions = 0;
    std::vector<int> levels;
    std::vector<long> tenths;

    void Yield() override { ++(constructions == 0 ? constructionYields : yields); }
    StopRequests Requests() const override {
        StopRequests r;
        r.stopRound = stopRoundAt >= 0 && yields >= stopRoundAt;
        r.stopCalculation = stopCalculationAt >= 0 && yields >= stopCalculationAt;
        r.noMoreRounds = noMoreRoundsAt >= 0 && yields >= noMoreRoundsAt;
        return r;
    }
    void NoMoreRoundsTaken() override { ++noMoreRoundsTaken; }
    void ConstructionEnded(const DistributionState&) override { ++constructions; }
    void Improved(const DistributionState&, int level) override { levels.push_back(level); }
    void TriesPassed(const DistributionState&, long tries) override { tenths.push_back(tries); }
};

// Two lines and matches with one favourite and one neutral each: every
// distribution has the two lines differing everywhere, so nothing ever improves.
std::unique_ptr<DistributionState> Unimprovable(int matches, int tries, int extra, const DistributionState* best,
                                                int difference = 5) {
    auto s = std::make_unique<DistributionState>();
    StateOptions o = Options(2, matches, tries, extra);
    o.difference = difference;
    InitState(*s, o, best);
    for (int p = 0; p < matches; ++p) {
        s->counts[p] = {1, 1, 0};
        s->permutation[p] = p;
    }
    s->prepared = true;
    return s;
}

} // namespace

TEST(ImprovementTest, LevelOfAnImprovement) {
    struct Case {
        const char* name;
        std::array<bool, 3> conditions;
        bool active;
        int dupBefore, dupAfter;
        Histogram violBefore, violAfter; // 1/X/2
        Histogram eqBefore, eqAfter;
        int expected;
    };
    const Histogram e1 = H({{5, 10}, {6, 3}}), e2 = H({{5, 12}, {6, 1}}), e3 = H({{5, 9}, {6, 4}});
    const Histogram v1 = H({{1, 4}}), v2 = H({{1, 2}}), v3 = H({{2, 1}});
    const Case cases[] = {
        {"equals only, fewer at level 6", {false, false, false}, true, 0, 0, {}, {}, e1, e2, 10},
        {"equals only, more at level 6", {false, false, false}, true, 0, 0, {}, {}, e1, e3, 0},
        {"no change", {true, true, false}, true, 3, 3, v1, v1, e1, e1, 0},
        {"fewer duplicates", {true, false, false}, true, 3, 1, {}, {}, e1, e3, 1},
        {"more duplicates, better equals", {true, false, false}, true, 1, 3, {}, {}, e1, e2, 0},
        {"duplicates not weighed while inactive", {true, false, false}, false, 1, 3, {}, {}, e1, e2, 10},
        {"better 1X2 ranges", {false, true, false}, true, 0, 0, v1, v2, e1, e3, 2},
        {"worse 1X2 ranges: a miss by 2", {false, true, false}, true, 0, 0, v1, v3, e1, e2, 0},
        {"same duplicates, better ranges", {true, true, false}, true, 2, 2, v1, v2, e1, e1, 2},
        {"favourites ranges", {false, false, true}, true, 0, 0, {}, {}, e1, e1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DistributionState s = Recorded(c.eqBefore, c.dupBefore, c.violBefore, {}, c.conditions);
        Evaluation now;
        now.equals = c.eqAfter;
        now.duplicates[4] = c.dupAfter;
        now.violations[0] = c.violAfter;
        EXPECT_EQ(ImprovementLevel(s, now, c.active), c.expected);
    }
    // Favourites ranges decide after equal 1/X/2 ranges.
    DistributionState s = Recorded(e1, 0, v1, v1, {false, true, true});
    Evaluation now;
    now.equals = e3;
    now.violations = {v1, v2};
    EXPECT_EQ(ImprovementLevel(s, now, true), 3);
}

TEST(ImprovementTest, CompareDistributionsOrdersObjectives) {
    struct Case {
        const char* name;
        DistributionState best, candidate;
        int sign;
    };
    const std::array<bool, 3> all{true, true, true};
    const Case cases[] = {
        {"fewer at the top level", Recorded(H({{8, 2}, {5, 40}})), Recorded(H({{8, 1}, {5, 90}})), 1},
        {"top level of either decides", Recorded(H({{7, 3}})), Recorded(H({{8, 1}})), -1},
        {"equal", Recorded(H({{7, 3}, {2, 5}})), Recorded(H({{7, 3}, {2, 5}})), 0},
        {"lower level decides when the top ties", Recorded(H({{7, 3}, {2, 5}})), Recorded(H({{7, 3}, {2, 4}})), 1},
        {"duplicates before equals", Recorded(H({{6, 1}}), 2, {}, {}, all), Recorded(H({{6, 9}}), 1, {}, {}, all), 1},
        {"1X2 ranges before equals", Recorded(H({{6, 1}}), 0, H({{1, 1}}), {}, all),
         Recorded(H({{6, 9}}), 0, H({{1, 2}}), {}, all), -1},
        {"favourites after 1X2", Recorded(H({{6, 1}}), 0, H({{1, 1}}), H({{2, 1}}), all),
         Recorded(H({{6, 9}}), 0, H({{1, 1}}), H({{1, 5}}), all), 1},
        // Above the limit the equals alone decide, whatever the conditions say.
        {"over the limit", Recorded(H({{9, 1}}), 0, {}, {}, all, 8), Recorded(H({{9, 2}}), 5, {}, {}, all, 8), -1},
        {"over the limit, better equals", Recorded(H({{9, 2}}), 0, {}, {}, all, 8), Recorded(H({{9, 1}}), 5, {}, {}, all, 8), 1},
        {"switched-off conditions are not weighed", Recorded(H({{6, 1}}), 0), Recorded(H({{6, 2}}), 0, H({{3, 9}})), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int result = CompareDistributions(c.best, c.candidate);
        EXPECT_EQ((result > 0) - (result < 0), c.sign);
    }
}

TEST(ImprovementTest, DifferenceToBestAndItsSpecialValues) {
    const std::array<bool, 3> dup{true, false, false};
    const std::array<bool, 3> ranges{false, true, true};
    struct Case {
        const char* name;
        DistributionState state, best;
        int expected;
    };
    const Case cases[] = {
        {"same", Recorded(H({{7, 3}})), Recorded(H({{7, 3}})), 0},
        {"pairs at the top level", Recorded(H({{7, 5}, {3, 1}})), Recorded(H({{7, 3}, {3, 9}})), 2},
        {"fewer pairs", Recorded(H({{7, 1}})), Recorded(H({{7, 3}})), -2},
        {"state has none at the best's top", Recorded(H({{6, 3}})), Recorded(H({{7, 1}})), kDifferenceLevelBetter},
        {"best has none at the state's top", Recorded(H({{8, 1}})), Recorded(H({{7, 9}})), kDifferenceLevelWorse},
        {"state breaks duplicates", Recorded(H({{2, 1}}), 1, {}, {}, dup), Recorded(H({{9, 9}}), 0, {}, {}, dup),
         kDifferenceConditionsFault},
        {"state misses a range", Recorded(H({{2, 1}}), 0, {}, H({{1, 1}}), ranges), Recorded(H({{9, 9}}), 0, {}, {}, ranges),
         kDifferenceConditionsFault},
        {"best breaks, state keeps", Recorded(H({{9, 9}}), 0, {}, {}, dup), Recorded(H({{2, 1}}), 3, {}, {}, dup),
         kDifferenceConditionsOk},
        {"a condition that does not take part", Recorded(H({{7, 4}}), 5), Recorded(H({{7, 3}})), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DifferenceToBest(c.state, c.best), c.expected);
    }
    EXPECT_EQ(kDifferenceConditionsFault, 2147483646);
    EXPECT_EQ(kDifferenceConditionsOk, -2147483647);
    EXPECT_EQ(kDifferenceLevelBetter, -2147483647 - 1);
    EXPECT_EQ(kDifferenceLevelWorse, 2147483647);
}

TEST(ImprovementTest, RestoreSymbolsUndoesTheRankSortAndTheMatchOrder) {
    struct Case {
        int p1, p2;
        std::array<int, 3> tipOfRank; // "1" = 0, "X" = 1, "2" = 2
    };
    const Case cases[] = {
        {500, 200, {0, 1, 2}}, {300, 400, {2, 1, 0}}, {300, 450, {2, 0, 1}}, {200, 300, {1, 2, 0}},
        {200, 500, {2, 1, 0}}, {333, 333, {1, 0, 2}}, {100, 200, {1, 2, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.p1) + "/" + std::to_string(c.p2));
        PoolsDocument doc = MakeDocument({{c.p1, c.p2}, {500, 250}}, 3);
        DistributionState s;
        InitState(s, Options(3, 2, 1, 1), nullptr);
        PrepareState(s, doc);
        for (int l = 0; l < 3; ++l) s.tips[0][l] = static_cast<uint8_t>(l);
        RestoreSymbols(s);
        for (int r = 0; r < 3; ++r) EXPECT_EQ(s.TipAt(0, r), c.tipOfRank[r]) << "rank " << r;
        RestoreSymbols(s); // a second call changes nothing
        for (int r = 0; r < 3; ++r) EXPECT_EQ(s.TipAt(0, r), c.tipOfRank[r]) << "rank " << r;
    }
    // With no duplicates on, the marked matches went to the front; they come back.
    PoolsDocument doc = MakeDocument({{500, 200}, {500, 200}, {500, 200}, {500, 200}}, 1);
    StateOptions o = Options(1, 4, 1, 1);
    o.conditions[kSwitchDuplicates] = true;
    o.noDuplicateMarks = {false, false, true, true};
    DistributionState s;
    InitState(s, o, nullptr);
    PrepareState(s, doc);
    ASSERT_EQ(s.permutation[0], 2);
    for (int p = 0; p < 4; ++p) s.tips[p][0] = static_cast<uint8_t>(s.permutation[p] % 3);
    RestoreSymbols(s);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(s.TipAt(k, 0), k % 3) << k;
}

TEST(ImprovementTest, RoundEndsAfterItsUnsuccessfulTries) {
    struct Case {
        const char* name;
        int tries, extra;
        bool withBest;
        int difference;
        long expectedTries;
    };
    const Case cases[] = {
        {"no best: extra tries always", 5, 3, false, 5, 5 + 1 + 3},
        {"close to the best: extra tries", 5, 3, true, 0, 5 + 1 + 3},
        {"far from the best: none", 5, 3, true, -1, 5 + 1},
        {"no extra tries set", 5, 0, false, 5, 5 + 1},
        {"no unsuccessful tries", 0, 2, false, 5, 0 + 1 + 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The best has the same single pair with no equals: difference 0.
        auto best = Unimprovable(3, 1, 0, nullptr);
        EngineContext ctx;
        ctx.verifyTables = true;
        RunRound(*best, ctx);
        auto s = Unimprovable(3, c.tries, c.extra, c.withBest ? best.get() : nullptr, c.difference);
        ScriptedProgress progress;
        ctx.progress = &progress;
        EXPECT_EQ(RunRound(*s, ctx), 1);
        EXPECT_EQ(s->totalTries, c.expectedTries);
        EXPECT_EQ(s->extraTriesGiven, c.expectedTries > c.tries + 1);
        // One yield per match step, the ending boundary included.
        EXPECT_EQ(progress.yields, 3 * (c.expectedTries - 1) + 1);
        EXPECT_EQ(progress.constructionYields, 3);
        EXPECT_TRUE(progress.levels.empty());
        EXPECT_EQ(progress.constructions, 1);
    }
}

TEST(ImprovementTest, StopRequestsEndTheRoundAtTheNextTryBoundary) {
    struct Case {
        const char* name;
        int stopRoundAt, stopCalculationAt, noMoreRoundsAt;
        int roundIndex;
        int expectedResult;
        int expectedYields;
        int expectedNoMoreTaken;
    };
    // 3 matches: yields 1-3 are try 1 (boundary at 1), 4-6 try 2, ...
    const Case cases[] = {
        {"stop round in the middle of try 2", 5, -1, -1, 0, 1, 7, 0},
        {"stop round at a boundary", 4, -1, -1, 0, 1, 4, 0},
        {"stop the calculation", 2, 2, -1, 0, 3, 4, 0},
        {"no more rounds lets the round run on", -1, -1, 2, 0, 3, 3 * 99 + 1, 1},
        {"the last round", -1, -1, -1, 9, 3, 3 * 99 + 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = Unimprovable(3, 99, 0, nullptr);
        s->roundIndex = c.roundIndex;
        ScriptedProgress progress;
        progress.stopRoundAt = c.stopRoundAt;
        progress.stopCalculationAt = c.stopCalculationAt;
        progress.noMoreRoundsAt = c.noMoreRoundsAt;
        EngineContext ctx;
        ctx.progress = &progress;
        EXPECT_EQ(RunRound(*s, ctx), c.expectedResult);
        EXPECT_EQ(progress.yields, c.expectedYields);
        EXPECT_EQ(progress.noMoreRoundsTaken, c.expectedNoMoreTaken);
        EXPECT_TRUE(RecordedMatchesTips(*s));
    }
}

TEST(ImprovementTest, ProgressHearsOfImprovementsAndEveryTenthTry) {
    const Chances chances = SomeChances(10, 3);
    PoolsDocument doc = MakeDocument(chances, 60);
    auto s = std::make_unique<DistributionState>();
    InitState(*s, Options(60, 10, 25, 0), nullptr);
    PrepareState(*s, doc);
    EngineRandom rng;
    rng.Seed(5);
    EngineContext ctx(rng);
    ScriptedProgress progress;
    ctx.progress = &progress;
    RunRound(*s, ctx);
    ASSERT_FALSE(progress.levels.empty());
    for (int level : progress.levels) EXPECT_GE(level, 4); // no conditions: equals levels only
    EXPECT_EQ(s->lastImprovementLevel, progress.levels.back());
    ASSERT_EQ(progress.tenths.size(), static_cast<size_t>(s->totalTries / 10));
    for (size_t i = 0; i < progress.tenths.size(); ++i) EXPECT_EQ(progress.tenths[i], static_cast<long>(10 * (i + 1)));
}

TEST(ImprovementTest, ConditionsCanBeMetWhenPossible) {
    // 12 matches, 20 lines, every line with 2 to 6 of each of "1", "X" and "2",
    // no two lines alike in the first six matches.
    const Chances chances = {{450, 250}, {400, 300}, {350, 350}, {500, 200}, {300, 400}, {420, 260},
                             {380, 320}, {460, 240}, {340, 330}, {300, 450}, {480, 220}, {360, 340}};
    PoolsDocument doc = MakeDocument(chances, 20);
    StateOptions o = Options(20, 12, 300, 300);
    o.conditions = {true, true, false};
    for (int k = 0; k < 12; ++k) o.noDuplicateMarks[k] = k < 6;
    o.equalsLimit = 12 - 3;
    SetRanges(o, kRanges1X2, 2, 6);
    EngineRandom rng;
    rng.Seed(11);
    EngineContext ctx(rng);
    ctx.verifyTables = true;
    const auto best = RunRoundsKeepingBest(doc, o, ctx, 5, [](const DistributionState& s, int round) {
        EXPECT_TRUE(RecordedMatchesTips(s)) << "round " << round;
    });
    EXPECT_EQ(best->DuplicateCount(), 0);
    EXPECT_EQ(TopEntry(best->violations[0]), -1);
    EXPECT_FALSE(BreaksConditions(*best));
    EXPECT_LE(TopEntry(best->equalsHistogram), 9);
    // The recount from the restored lines agrees.
    RestoreSymbols(*best);
    for (int a = 0; a < 20; ++a) {
        int tipCount[3] = {0, 0, 0};
        for (int k = 0; k < 12; ++k) ++tipCount[best->TipAt(k, a)];
        for (int t = 0; t < 3; ++t) {
            EXPECT_GE(tipCount[t], 2) << "line " << a;
            EXPECT_LE(tipCount[t], 6) << "line " << a;
        }
        for (int b = a + 1; b < 20; ++b) {
            bool same = true;
            for (int k = 0; k < 6; ++k) same = same && best->TipAt(k, a) == best->TipAt(k, b);
            EXPECT_FALSE(same) << a << "/" << b;
        }
    }
}
