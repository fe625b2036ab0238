#include "calc/Engine.h"
#include "calc/EngineCore.h"
#include "calc/Improvement.h"

#include "engine_fixtures.h"
#include "engine_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace vdx;
using namespace vdx::testing;

namespace {

// Switches the engine to another vector code for a test, and back to the best
// one when the test leaves, however it leaves.
class KernelSwitch {
public:
    ~KernelSwitch() { UseEngineKernels(EngineKernelSet::Best); }
    void Use(EngineKernelSet set) { UseEngineKernels(set); }
};

constexpr EngineKernelSet kEveryKernelSet[] = {EngineKernelSet::Best, EngineKernelSet::Baseline, EngineKernelSet::Portable};

struct ConditionSetup {
    const char* name;
    bool duplicates;
    bool ranges1X2;
    bool rangesFavourites;
    int limitBelowM; // equals limit = M - this
};

void ApplyConditions(StateOptions& o, const ConditionSetup& c) {
    o.conditions = {c.duplicates, c.ranges1X2, c.rangesFavourites};
    for (int k = 0; k < o.matchCount; ++k) o.noDuplicateMarks[k] = (k % 3) != 1; // mixed marks
    o.equalsLimit = std::max(0, o.matchCount - c.limitBelowM);
    const int third = o.matchCount / 3;
    SetRanges(o, kRanges1X2, third > 0 ? third - 1 : 0, third + 1);
    SetRanges(o, kRangesFavourites, third, third + 2);
}

// Runs a round with the engine and with the reference on equal starts and
// expects equal tips, histograms, tries and generator states.
void ExpectSameRound(const Chances& chances, int lines, const ConditionSetup& cond, uint32_t seed,
                     const DistributionState* best, DistributionState& fastOut) {
    const int m = static_cast<int>(chances.size());
    PoolsDocument doc = MakeDocument(chances, lines, seed);
    StateOptions o = Options(lines, m, 6, 4);
    ApplyConditions(o, cond);
    auto fast = std::make_unique<DistributionState>();
    InitState(*fast, o, best);
    PrepareState(*fast, doc);
    auto slow = std::make_unique<DistributionState>(*fast);

    EngineRandom rngFast, rngSlow;
    rngFast.Seed(seed * 7919u + 1);
    rngSlow.Seed(seed * 7919u + 1);
    EngineContext ctx(rngFast);
    ctx.verifyTables = true;
    const int fastResult = RunRound(*fast, ctx);
    ref::ReferenceRound reference(*slow, rngSlow);
    const int slowResult = reference.Run(false);

    ASSERT_EQ(fastResult, slowResult);
    ASSERT_EQ(rngFast.State(), rngSlow.State());
    ASSERT_EQ(fast->totalTries, slow->totalTries);
    for (int p = 0; p < m; ++p)
        for (int l = 0; l < lines; ++l) ASSERT_EQ(fast->tips[p][l], slow->tips[p][l]) << "match " << p << " line " << l;
    EXPECT_EQ(fast->equalsHistogram, slow->equalsHistogram);
    EXPECT_EQ(fast->duplicateHistogram, slow->duplicateHistogram);
    EXPECT_EQ(fast->violations, slow->violations);
    EXPECT_TRUE(KeepsCounts(*fast));
    EXPECT_TRUE(RecordedMatchesTips(*fast));
    fastOut = *fast;
}

const ConditionSetup kSetups[] = {
    {"none", false, false, false, 0},
    {"duplicates", true, false, false, 0},
    {"ranges 1X2", false, true, false, 0},
    {"favourites", false, false, true, 0},
    {"all, wide limit", true, true, true, 0},
    {"all, tight limit", true, true, true, 3},
};

// Every few-line round size against the reference, then the sizes where larger
// rounds form blocks and count tables their own way. `every` thins the table.
void ExpectSameRoundsAsReference(int every) {
    const int lineCounts[] = {1, 2, 3, 5, 6, 7, 10, 11, 13, 17, 23, 31, 40};
    const int matchCounts[] = {2, 3, 5, 8, 12, 14};
    uint32_t seed = 1;
    for (const ConditionSetup& cond : kSetups)
        for (int lines : lineCounts)
            for (int matches : matchCounts) {
                ++seed;
                if (seed % every != 0) continue;
                if ((seed % 3) != 0 && lines > 23) continue; // keep the slow side affordable
                SCOPED_TRACE(std::string(cond.name) + ", " + std::to_string(lines) + " lines, " +
                             std::to_string(matches) + " matches, seed " + std::to_string(seed));
                const Chances chances = SomeChances(matches, seed);
                auto first = std::make_unique<DistributionState>();
                ExpectSameRound(chances, lines, cond, seed, nullptr, *first);
                if (::testing::Test::HasFatalFailure()) return;
                // A second round against a best: exercises the extra-tries decision.
                auto second = std::make_unique<DistributionState>();
                ExpectSameRound(chances, lines, cond, seed + 1000, first.get(), *second);
                if (::testing::Test::HasFatalFailure()) return;
            }
    const std::pair<int, int> large[] = {{61, 8}, {70, 6}, {100, 4}, {130, 3}, {150, 5}, {257, 4}};
    for (const ConditionSetup& cond : {kSetups[0], kSetups[4]})
        for (auto [lines, matches] : large) {
            ++seed;
            if (seed % every != 0 && lines != 70 && lines != 150) continue;
            SCOPED_TRACE(std::string(cond.name) + ", " + std::to_string(lines) + " lines, " +
                         std::to_string(matches) + " matches");
            auto state = std::make_unique<DistributionState>();
            ExpectSameRound(SomeChances(matches, seed), lines, cond, seed, nullptr, *state);
            if (::testing::Test::HasFatalFailure()) return;
        }
}

} // namespace

TEST(EngineTest, FastPathMakesTheSameChoicesAndDrawsAsTheReference) { ExpectSameRoundsAsReference(1); }

TEST(EngineTest, EveryVectorCodeMakesTheSameChoices) {
    KernelSwitch kernels;
    for (EngineKernelSet set : {EngineKernelSet::Baseline, EngineKernelSet::Portable}) {
        SCOPED_TRACE(set == EngineKernelSet::Baseline ? "baseline" : "portable");
        kernels.Use(set);
        ExpectSameRoundsAsReference(4);
        if (HasFatalFailure()) return;
    }
}

// Lines that share the tips of most matches: every pair starts high, and the
// candidates of a block differ only at levels 10 and above.
TEST(EngineTest, ChoicesAmongPairsAtHighLevelsMatchTheReference) {
    KernelSwitch kernels;
    auto round = [](int singles, std::initializer_list<std::array<int, 2>> mixed) {
        Chances c(singles, {1000, 0});
        c.insert(c.end(), mixed.begin(), mixed.end());
        return c;
    };
    struct Case {
        Chances chances;
        int lines;
        uint32_t seed;
    };
    const Chances many = round(10, {{400, 300}, {340, 330}, {500, 200}, {300, 450}});
    const Case cases[] = {
        {many, 7, 84},
        {many, 20, 97},
        {many, 40, 117},
        // Blocks of three: only the pair of the last two lines reaches level 10.
        {round(7, {{400, 250}, {500, 250}, {600, 250}}), 6, 1},
        // One level of a block holds more than 255 pairs.
        {round(12, {{850, 100}, {850, 100}}), 100, 177},
    };
    for (EngineKernelSet set : kEveryKernelSet) {
        kernels.Use(set);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(c.lines) + " lines, kernel set " + std::to_string(static_cast<int>(set)));
            auto state = std::make_unique<DistributionState>();
            ExpectSameRound(c.chances, c.lines, kSetups[0], c.seed, nullptr, *state);
            if (HasFatalFailure()) return;
        }
    }
}

TEST(EngineTest, BlockSizesDifferByAtMostOne) {
    struct Case {
        int lines;
        std::vector<int> sizes;
    };
    const Case cases[] = {
        {1, {1}}, {5, {5}}, {6, {3, 3}}, {10, {5, 5}}, {11, {4, 4, 3}}, {14, {5, 5, 4}}, {16, {4, 4, 4, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        ASSERT_EQ(BlockCount(c.lines), static_cast<int>(c.sizes.size()));
        for (size_t b = 0; b < c.sizes.size(); ++b) EXPECT_EQ(BlockSize(c.lines, static_cast<int>(b)), c.sizes[b]);
    }
    EXPECT_EQ(BlockCount(1000), 200);
    EXPECT_EQ(BlockSize(1000, 199), 5);
    EXPECT_EQ(BlockCount(999), 200);
    EXPECT_EQ(BlockSize(999, 198), 5);
    EXPECT_EQ(BlockSize(999, 199), 4);
}

TEST(EngineTest, RankSortIsAnExchangeProcedure) {
    struct Case {
        int p1, p2;                       // per mille; X is the rest
        std::array<int, 3> rankedCounts;  // counts of favourite, neutral, outsider for 10 lines
        std::array<uint8_t, 3> marks;     // exchanges (0,1), (0,2), (1,2)
        std::array<uint8_t, 3> symbolMap; // 1/X/2 category of each rank
    };
    const Case cases[] = {
        // 300/300/400: only positions 0 and 2 are exchanged; favourite "2", neutral "X", outsider "1".
        {300, 400, {4, 3, 3}, {0, 1, 0}, {2, 1, 0}},
        {500, 200, {5, 3, 2}, {0, 0, 0}, {0, 1, 2}},
        {200, 500, {5, 3, 2}, {1, 1, 1}, {2, 1, 0}},
        {200, 300, {5, 3, 2}, {1, 0, 1}, {1, 2, 0}},
        {333, 333, {3, 4, 3}, {1, 0, 0}, {1, 0, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.p1) + "/" + std::to_string(c.p2));
        PoolsDocument doc = MakeDocument({{c.p1, c.p2}, {500, 200}}, 10);
        DistributionState s;
        InitState(s, Options(10, 2, 5, 5), nullptr);
        PrepareState(s, doc);
        EXPECT_EQ(s.swapMarks[0], c.marks);
        EXPECT_EQ(s.categoryMaps[kRanges1X2][0], c.symbolMap);
        EXPECT_EQ(s.counts[0][0] + s.counts[0][1] + s.counts[0][2], 10);
        EXPECT_GE(s.probabilities[0][0], s.probabilities[0][1]);
        EXPECT_GE(s.probabilities[0][1], s.probabilities[0][2]);
        if (c.p1 != 333) {
            EXPECT_EQ(s.counts[0], (std::array<int, 3>{c.rankedCounts}));
        }
    }
}

TEST(EngineTest, NoDuplicateMatchesMoveToTheFront) {
    PoolsDocument doc = MakeDocument({{500, 200}, {400, 300}, {600, 100}, {350, 350}, {450, 250}}, 12);
    DistributionState s;
    StateOptions o = Options(12, 5, 5, 5);
    o.conditions[kSwitchDuplicates] = true;
    o.noDuplicateMarks = {false, true, false, true, true};
    InitState(s, o, nullptr);
    PrepareState(s, doc);
    EXPECT_EQ(s.noDuplicateCount, 3);
    // Position 0 takes match 3, position 2 takes match 4; the displaced ones go behind.
    const std::array<int, 5> expected{3, 1, 4, 0, 2};
    for (int p = 0; p < 5; ++p) EXPECT_EQ(s.permutation[p], expected[p]) << p;
    EXPECT_EQ(s.probabilities[0][0], 350); // match 3: 350/350/300 (no exchange of equals)
    // Without the condition the order stays.
    o.conditions[kSwitchDuplicates] = false;
    InitState(s, o, nullptr);
    PrepareState(s, doc);
    EXPECT_EQ(s.noDuplicateCount, 0);
    for (int p = 0; p < 5; ++p) EXPECT_EQ(s.permutation[p], p);
}

TEST(EngineTest, EqualCandidatesAreTakenWithFallingChances) {
    // Three lines that differ in the first match; in the second every order of
    // favourite, neutral and outsider gives the same equals, so all six candidates
    // tie. The first is taken, the next tie with chance 1/2, then 1/3 ..., and a
    // taken tie restarts the count.
    const std::array<std::array<int, 3>, 6> order{{{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {2, 0, 1}, {1, 2, 0}, {2, 1, 0}}};
    int chosenCount[6] = {};
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        DistributionState s;
        InitState(s, Options(3, 2, 5, 5), nullptr);
        s.counts[0] = {1, 1, 1};
        s.counts[1] = {1, 1, 1};
        s.permutation = {0, 1};
        s.prepared = true;
        EngineRandom rng;
        rng.Seed(seed);
        EngineRandom replay = rng;
        int chosen = 0, tie = 0;
        for (int k = 1; k < 6; ++k) {
            ++tie;
            if (replay.RandomUpTo(tie) == 0) {
                chosen = k;
                tie = 0;
            }
        }
        EngineContext ctx(rng);
        ConstructDistribution(s, ctx);
        for (int l = 0; l < 3; ++l) ASSERT_EQ(s.tips[1][l], order[chosen][l]) << "seed " << seed;
        EXPECT_EQ(rng.State(), replay.State());
        ++chosenCount[chosen];
    }
    // The last candidate survives only the last tie after a taken one: it must occur.
    for (int k = 0; k < 6; ++k) EXPECT_GT(chosenCount[k], 0) << k;
}

TEST(EngineTest, SingleTipMatchesAndRoundResultTwo) {
    struct Case {
        const char* name;
        Chances chances;
        int lines;
        int expected;
    };
    const Case cases[] = {
        {"all but one single tip", {{1000, 0}, {500, 200}, {1000, 0}, {1000, 0}}, 9, 2},
        {"all single tip", {{1000, 0}, {1000, 0}}, 9, 2},
        {"two matches with tips", {{1000, 0}, {500, 200}, {400, 300}}, 9, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int m = static_cast<int>(c.chances.size());
        PoolsDocument doc = MakeDocument(c.chances, c.lines);
        auto s = std::make_unique<DistributionState>();
        InitState(*s, Options(c.lines, m, 3, 3), nullptr);
        PrepareState(*s, doc);
        EngineContext ctx;
        ctx.verifyTables = true;
        EXPECT_EQ(RunRound(*s, ctx), c.expected);
        EXPECT_TRUE(KeepsCounts(*s));
        for (int p = 0; p < m; ++p) {
            if (c.chances[p][0] != 1000) continue;
            for (int l = 0; l < c.lines; ++l) EXPECT_EQ(s->tips[p][l], 0);
        }
        if (c.expected == 2) {
            EXPECT_EQ(s->totalTries, 0);
        }
    }
}

TEST(EngineTest, CountsThatDoNotAddUpToTheLinesAreNotBuilt) {
    // Too few made the apportionment loop for ever, too many overran the
    // block's pattern tables; either way the round now ends without lines.
    struct Case {
        const char* name;
        std::array<int, 3> counts; // of the second match, 23 lines
    };
    const Case cases[] = {
        {"one tip short", {10, 7, 5}},
        {"one tip too many", {10, 7, 7}},
        {"a negative count", {20, 7, -4}},
        {"none at all", {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = std::make_unique<DistributionState>();
        InitState(*s, Options(23, 3, 4, 2), nullptr);
        s->counts[0] = {10, 7, 6};
        s->counts[1] = c.counts;
        s->counts[2] = {9, 8, 6};
        s->permutation = {0, 1, 2};
        s->prepared = true;
        EngineContext ctx;
        EXPECT_EQ(ConstructDistribution(*s, ctx), kRoundFailed);
        EXPECT_EQ(RunRound(*s, ctx), kRoundFailed);
    }
}

TEST(EngineTest, MatchWithoutNeutralsButWithOutsidersKeepsItsCounts) {
    // 60/20/20 for 3 lines plans 2 "1" and one of "X" or "2" (a drawn tie). When the
    // tip goes to "2" the neutral count is 0 but the match still has two tips.
    auto s = std::make_unique<DistributionState>();
    InitState(*s, Options(3, 3, 4, 2), nullptr);
    s->counts[0] = {1, 1, 1};
    s->counts[1] = {2, 0, 1};
    s->counts[2] = {2, 1, 0};
    s->permutation = {0, 1, 2};
    s->prepared = true;
    EngineContext ctx;
    ctx.verifyTables = true;
    EXPECT_EQ(RunRound(*s, ctx), 1);
    EXPECT_TRUE(KeepsCounts(*s));
}

TEST(EngineTest, InvariantsHoldAfterEveryRound) {
    struct Case {
        int lines, matches;
        bool duplicates, ranges;
    };
    const Case cases[] = {{100, 13, false, false}, {60, 12, true, true}, {37, 9, true, false}, {12, 14, false, true}};
    uint32_t seed = 5;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.lines) + "x" + std::to_string(c.matches));
        const Chances chances = SomeChances(c.matches, ++seed);
        PoolsDocument doc = MakeDocument(chances, c.lines);
        StateOptions o = Options(c.lines, c.matches, 30, 20);
        o.conditions = {c.duplicates, c.ranges, c.ranges};
        o.noDuplicateMarks.fill(true);
        o.equalsLimit = c.matches - 2;
        SetRanges(o, kRanges1X2, 2, 6);
        SetRanges(o, kRangesFavourites, 3, 7);
        EngineRandom rng;
        rng.Seed(seed);
        EngineContext ctx(rng);
        ctx.verifyTables = true;
        RunRoundsKeepingBest(doc, o, ctx, 3, [](const DistributionState& s, int round) {
            EXPECT_TRUE(KeepsCounts(s)) << "round " << round;
            EXPECT_TRUE(RecordedMatchesTips(s)) << "round " << round;
        });
    }
}

TEST(EngineTest, ResetGeneratorRepeatsACalculation) {
    const Chances chances = SomeChances(12, 77);
    PoolsDocument doc = MakeDocument(chances, 40);
    auto run = [&](uint32_t clockSeed) {
        EngineRandom rng;
        rng.Seed(clockSeed); // overridden by the reset setting
        EngineContext ctx(rng);
        ctx.resetRandom = true;
        auto s = std::make_unique<DistributionState>();
        StateOptions o = Options(40, 12, 20, 10);
        o.roundIndex = 3;
        InitState(*s, o, nullptr);
        PrepareState(*s, doc);
        RunRound(*s, ctx);
        return s;
    };
    auto a = run(1), b = run(123456);
    EXPECT_EQ(a->tips, b->tips);
    EXPECT_EQ(a->totalTries, b->totalTries);
    EXPECT_EQ(a->equalsHistogram, b->equalsHistogram);
}

TEST(EngineTest, OldDistributionKeepsTheDocumentLines) {
    // 300/250/450 takes two exchanges, (0,2) and (1,2): rank 0 is "2", 1 is "1", 2 is "X".
    const Chances chances = {{300, 400}, {500, 200}, {333, 333}, {100, 700}, {300, 450}};
    PoolsDocument doc = MakeDocument(chances, 15);
    EngineRandom rng;
    rng.Seed(4);
    for (int i = 0; i < 5; ++i) {
        MatchEntry& m = doc.match(i);
        for (int l = 0; l < 15; ++l) m.tips[l] = static_cast<uint8_t>(rng.RandomUpTo(2));
        m.hasTips = true;
        m.recomputeTipCounts(15);
    }
    doc.tipsUpToDate = true;
    StateOptions o = Options(15, 5, 5, 5);
    o.conditions = {true, true, false};
    o.noDuplicateMarks = {false, true, false, true, true};
    SetRanges(o, kRanges1X2, 1, 3);
    auto s = std::make_unique<DistributionState>();
    ASSERT_TRUE(MakeOldDistributionState(*s, doc, o));
    EXPECT_EQ(s->roundIndex, -1);
    EXPECT_TRUE(KeepsCounts(*s));
    EXPECT_TRUE(RecordedMatchesTips(*s));
    // Its equals histogram counts the document's lines directly.
    Histogram equals{};
    for (int a = 0; a < 15; ++a)
        for (int b = a + 1; b < 15; ++b) {
            int e = 0;
            for (int i = 0; i < 5; ++i) e += doc.match(i).tips[a] == doc.match(i).tips[b] ? 1 : 0;
            ++equals[e];
        }
    EXPECT_EQ(s->equalsHistogram, equals);
    RestoreSymbols(*s);
    for (int i = 0; i < 5; ++i)
        for (int l = 0; l < 15; ++l) EXPECT_EQ(s->TipAt(i, l), doc.match(i).tips[l]) << i << "/" << l;

    doc.match(2).tips[7] = kNoTip;
    EXPECT_FALSE(MakeOldDistributionState(*s, doc, o));
}

// Random fills drop the lines of a whole block from the partner counts in one
// pass; every vector code must agree with dropping them one by one, including
// counts that run out (they become unknown) and unknown ones (0 and 255).
TEST(EngineTest, BlockDropOfTopPartnersMatchesOneByOne) {
    KernelSwitch kernels;
    std::mt19937 random(12);
    constexpr int kPadded = 256;
    for (EngineKernelSet set : kEveryKernelSet) {
        kernels.Use(set);
        for (int round = 0; round < 200; ++round) {
            const int n = 1 + static_cast<int>(random() % 230);
            const int h = 1 + static_cast<int>(random() % kMaxBlockSize);
            std::vector<uint8_t> top(kPadded, 0), partners(kPadded, 0), freeMask(kPadded, 0);
            std::vector<std::vector<uint8_t>> rows(h, std::vector<uint8_t>(kPadded, 0));
            const uint8_t counts[] = {0, 1, 1, 2, 2, 3, 4, 5, 7, 253, 254, 255};
            for (int i = 0; i < n; ++i) {
                top[i] = static_cast<uint8_t>(random() % 3);
                partners[i] = counts[random() % std::size(counts)];
                freeMask[i] = random() % 4 ? 0xFF : 0;
                for (auto& row : rows) row[i] = static_cast<uint8_t>(random() % 3);
            }
            const uint8_t* rowPointers[kMaxBlockSize];
            for (int a = 0; a < h; ++a) rowPointers[a] = rows[a].data();
            std::vector<uint8_t> oneByOne = partners;
            // One line after the other, written out.
            for (int a = 0; a < h; ++a)
                for (int i = 0; i < n; ++i)
                    if (freeMask[i] && rows[a][i] == top[i] && oneByOne[i] >= 1 && oneByOne[i] <= 254) --oneByOne[i];
            DropTopPartners(partners.data(), top.data(), rowPointers, h, freeMask.data(), n);
            ASSERT_EQ(partners, oneByOne) << "kernel set " << static_cast<int>(set) << ", round " << round;
        }
    }
}

// The pair table updates that also take the tops over all lines must change
// the table as the plain ones do and give every line's highest counter and
// its number of partners there, counted here line by line (255 and more: 255).
TEST(EngineTest, TableUpdatesWithTopsMatchAPlainUpdateAndACount) {
    KernelSwitch kernels;
    std::mt19937 random(31);
    for (EngineKernelSet set : kEveryKernelSet) {
        kernels.Use(set);
        for (int round = 0; round < 60; ++round) {
            // Some large enough for counts beyond 255 when few levels are used.
            const int n = round % 10 == 0 ? 600 + static_cast<int>(random() % 100) : 1 + static_cast<int>(random() % 300);
            const int levels = round % 3 == 0 ? 2 : 12;
            PairTable plain, withTops;
            plain.Reset(n);
            withTops.Reset(n);
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < n; ++j)
                    if (i != j) plain.Row(i)[j] = withTops.Row(i)[j] = static_cast<uint8_t>(1 + random() % levels);
            std::vector<uint8_t> added(n), removed(n);
            for (int i = 0; i < n; ++i) {
                added[i] = static_cast<uint8_t>(random() % 3);
                removed[i] = static_cast<uint8_t>(random() % 3);
            }
            std::vector<uint8_t> scratch(2 * (n + 32)), valid((n + 31) / 32 * 32, 0), tops(n), counts(n);
            std::fill(valid.begin(), valid.begin() + n, 0xFF);
            const int kind = round % 3; // exchange, add, take out
            if (kind == 0) {
                ExchangePairTableMatches(plain, added.data(), removed.data(), n, scratch.data());
                ExchangePairTableMatchesTops(withTops, added.data(), removed.data(), n, scratch.data(), valid.data(),
                                             tops.data(), counts.data());
            } else {
                const uint8_t delta = kind == 1 ? 1 : 0xFF;
                UpdatePairTable(plain, added.data(), n, delta, scratch.data());
                UpdatePairTableTops(withTops, added.data(), n, delta, scratch.data(), valid.data(), tops.data(), counts.data());
            }
            SCOPED_TRACE("kernel set " + std::to_string(static_cast<int>(set)) + ", round " + std::to_string(round));
            for (int i = 0; i < n; ++i) {
                ASSERT_EQ(0, std::memcmp(plain.Row(i), withTops.Row(i), static_cast<size_t>(n))) << "row " << i;
                int top = -1, count = 0;
                for (int j = 0; j < n; ++j) {
                    if (j == i) continue;
                    const int v = plain.Get(i, j);
                    if (v > top) {
                        top = v;
                        count = 0;
                    }
                    if (v == top) ++count;
                }
                ASSERT_EQ(top < 0 ? 0 : top, tops[i]) << "line " << i;
                ASSERT_EQ(std::min(count, 255), counts[i]) << "line " << i;
            }
        }
    }
}

// Counting the top levels by keys built a chunk at a time must give the sums of
// the count line by line for the assigned tips, for any range of levels, with
// unassigned lines, the own 0xFF and sums that start non-zero.
TEST(EngineTest, PairLevelsCountEveryPairOnceWhateverTheLineCount) {
    KernelSwitch kernels;
    std::mt19937 random(53);
    for (EngineKernelSet set : kEveryKernelSet) {
        kernels.Use(set);
        // Around chunk edges, one row and many (the byte counters fill up), all lines.
        for (int n : {1, 2, 31, 32, 33, 63, 64, 65, 96, 257, 1000}) {
            PairTable table;
            table.Reset(n);
            for (int i = 0; i < n; ++i)
                for (int j = i + 1; j < n; ++j) {
                    const uint8_t e = static_cast<uint8_t>(random() % 15);
                    table.Row(i)[j] = table.Row(j)[i] = e;
                }
            int64_t expected[16] = {}, got[16] = {};
            for (int i = 0; i < n; ++i)
                for (int j = i + 1; j < n; ++j) ++expected[table.Get(i, j)];
            for (int e = 0; e < 16; ++e) got[e] = 7; // added to, not overwritten
            CountPairLevels(table, n, kEqualsLevels, got);
            for (int e = 0; e < kEqualsLevels; ++e)
                ASSERT_EQ(expected[e] + 7, got[e]) << "kernel set " << static_cast<int>(set) << ", " << n << " lines, level " << e;
            EXPECT_EQ(7, got[15]) << "levels beyond the asked ones stay untouched";
        }
    }
}

TEST(EngineTest, LevelCountsByKeysMatchTheLineByLineCount) {
    KernelSwitch kernels;
    std::mt19937 random(47);
    for (EngineKernelSet set : kEveryKernelSet) {
        kernels.Use(set);
        for (int round = 0; round < 300; ++round) {
            const int n = round % 7 == 0 ? 1000 : 1 + static_cast<int>(random() % 400);
            const int padded = (n + 31) / 32 * 32;
            std::vector<uint8_t> row(padded, 0), tips(padded, kRankUnassigned), keys(padded + 64);
            const int top = 1 + static_cast<int>(random() % 15);
            for (int j = 0; j < n; ++j) {
                row[j] = static_cast<uint8_t>(random() % (top + 1));
                tips[j] = static_cast<uint8_t>(random() % 8 ? random() % 3 : kRankUnassigned);
            }
            row[random() % n] = 0xFF; // the line's own counter
            const int from = 1 + static_cast<int>(random() % 15);
            const int below = from + 1 + static_cast<int>(random() % (16 - from));
            std::vector<uint16_t> expected(64), got(64);
            for (int k = 0; k < 64; ++k) expected[k] = got[k] = static_cast<uint16_t>(random() % 5);
            for (int j = 0; j < n; ++j)
                if (tips[j] < 3 && row[j] >= from && row[j] < below) ++expected[tips[j] << 4 | row[j]];
            const int highest = CountBetweenByKeys(row.data(), tips.data(), n, from, below, got.data(), keys.data());
            expected.resize(48);
            got.resize(48);
            ASSERT_EQ(expected, got) << "kernel set " << static_cast<int>(set) << ", round " << round << ", levels " << from
                                     << ".." << below - 1;
            int expectedTop = 0;
            for (int j = 0; j < n; ++j)
                if (tips[j] < 3 && row[j] >= from && row[j] < below) expectedTop = std::max(expectedTop, int{row[j]});
            ASSERT_EQ(expectedTop, highest) << "kernel set " << static_cast<int>(set) << ", round " << round;
        }
    }
}
