#include "calc/DeepSearch.h"

#include "calc/CalculationRun.h"
#include "calc/Conditions.h"
#include "calc/Engine.h"
#include "calc/Improvement.h"
#include "calc/Probabilities.h"
#include "calc/SampleRound.h"

#include "TestLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace vdx {
namespace {

using testlines::GiveOrderedLines;

using Clock = std::chrono::steady_clock;

CalcOptions Quick(int rounds = 2, int tries = 50) {
    CalcOptions o;
    o.rounds = rounds;
    o.unsuccessfulTries = tries;
    o.extraTries = 0;
    o.resetRandom = true;
    return o;
}

// The document's lines as the engine sees them (ranks, engine order).
std::unique_ptr<DistributionState> StateOf(const PoolsDocument& doc) {
    auto s = std::make_unique<DistributionState>();
    EXPECT_TRUE(MakeOldDistributionState(*s, doc, StateOptionsFromDocument(doc, -1)));
    return s;
}

std::array<std::array<int, 3>, kMaxMatches> RankCounts(const DistributionState& s) {
    std::array<std::array<int, 3>, kMaxMatches> counts{};
    for (int p = 0; p < s.matchCount; ++p)
        for (int l = 0; l < s.lineCount; ++l) ++counts[p][s.tips[p][l]];
    return counts;
}

// What every search must leave: the planned counts, histograms that describe
// the tips, nothing worse than the start and no condition broken that the start met.
void ExpectSound(const DistributionState& start, const DistributionState& result) {
    EXPECT_EQ(RankCounts(start), RankCounts(result));
    const Evaluation recount = EvaluateState(result);
    EXPECT_EQ(recount.equals, result.equalsHistogram);
    EXPECT_EQ(recount.duplicates, result.duplicateHistogram);
    EXPECT_EQ(recount.violations, result.violations);
    EXPECT_GE(CompareDistributions(start, result), 0);
    if (start.conditions[kSwitchDuplicates] && start.DuplicateCount() == 0) {
        EXPECT_EQ(result.DuplicateCount(), 0);
    }
    for (int g = 0; g < 2; ++g) {
        if (start.conditions[1 + g] && TopEntry(start.violations[g]) <= 0) {
            EXPECT_LE(TopEntry(result.violations[g]), 0) << "range condition " << g;
        }
    }
}

TEST(DeepSearch, ImprovesAPoorStartAndKeepsTheCounts) {
    struct Case {
        int matches, lines;
    } cases[] = {{12, 20}, {5, 7}, {13, 60}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.matches) + "x" + std::to_string(c.lines));
        PoolsDocument doc = MakeSampleRound(c.matches, c.lines, 3);
        GiveOrderedLines(doc);
        auto state = StateOf(doc);
        const auto start = std::make_unique<DistributionState>(*state);
        SearchOptions options;
        options.seconds = 0.3;
        options.threads = 2;
        const SearchOutcome outcome = DeepSearch(*state, options);
        EXPECT_TRUE(outcome.ran);
        EXPECT_TRUE(outcome.improved);
        EXPECT_GT(outcome.steps, 0);
        ExpectSound(*start, *state);
        EXPECT_GT(CompareDistributions(*start, *state), 0);
        EXPECT_EQ(state->tips, state->recordedTips);
    }
}

TEST(DeepSearch, KeptCostsFollowEveryMove) {
    // The walk weighs exchanges from sums it brings up to date move by move; a
    // slip there would only steer it badly, so it is checked against a recount.
    // Two kinds of tips only in some matches, and lines that share most tips.
    struct Case {
        int matches, lines;
        uint32_t seed;
    } cases[] = {{12, 20, 1}, {5, 7, 2}, {13, 60, 3}, {14, 40, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.matches) + "x" + std::to_string(c.lines));
        PoolsDocument doc = MakeSampleRound(c.matches, c.lines, c.seed);
        doc.match(0).chances = {700, 300};
        UpdateProbabilities(doc.match(0));
        PlanTipCounts(doc.match(0), doc.lineCount, GlobalRandom());
        GiveOrderedLines(doc);
        EXPECT_TRUE(DeepSearchKeepsItsCosts(*StateOf(doc), 3000, c.seed));
    }
}

TEST(DeepSearch, NeverWorseThanTheRoundsBest) {
    // A good start: a short search often finds nothing better, and must then
    // hand back the start itself.
    for (uint32_t seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(seed);
        PoolsDocument doc = MakeSampleRound(6, 9, seed);
        RunCalculation(doc, Quick(20, 200));
        auto state = StateOf(doc);
        const auto start = std::make_unique<DistributionState>(*state);
        SearchOptions options;
        options.seconds = 0.05;
        options.threads = 2;
        options.seed = seed;
        const SearchOutcome outcome = DeepSearch(*state, options);
        ExpectSound(*start, *state);
        if (!outcome.improved) EXPECT_EQ(state->tips, start->tips);
        else EXPECT_GT(CompareDistributions(*start, *state), 0);
    }
}

TEST(DeepSearch, KeepsTheConditionsTheStartMeets) {
    // Tight ranges and no duplicates over eight matches, met by the rounds.
    // Where the conditions count the comparison itself guards them; where the
    // equals are above their limit they do not count, and only the search's own
    // care keeps a condition that the start met.
    struct Case {
        const char* name;
        std::array<bool, 3> enabled;
        bool counted;
    } cases[] = {{"duplicates", {true, false, false}, true},
                 {"1/X/2 ranges", {false, true, false}, true},
                 {"favourite ranges", {false, false, true}, true},
                 {"all three", {true, true, true}, true},
                 {"duplicates, not counted", {true, false, false}, false},
                 {"1/X/2 ranges, not counted", {false, true, false}, false},
                 {"favourite ranges, not counted", {false, false, true}, false},
                 {"all three, not counted", {true, true, true}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PoolsDocument doc = MakeSampleRound(12, 40, 11);
        doc.conditionEnabled = c.enabled;
        doc.env.rangesAbsolute = doc.conditionRangesAbsolute = true;
        std::array<std::array<int, 3>, 2> totals{};
        for (int i = 0; i < 12; ++i) {
            std::array<int, 3> counts = doc.match(i).targetCounts;
            for (int k = 0; k < 3; ++k) totals[0][k] += counts[k];
            std::sort(counts.rbegin(), counts.rend());
            for (int k = 0; k < 3; ++k) totals[1][k] += counts[k];
        }
        for (int g = 0; g < 2; ++g)
            for (int k = 0; k < 3; ++k) {
                doc.conditionRanges[g][k][0] = std::max(0, totals[g][k] / 40 - 2);
                // The upper bound is kept as the distance from the number of matches.
                doc.conditionRanges[g][k][1] = std::max(0, 12 - ((totals[g][k] + 39) / 40 + 2));
            }
        for (int i = 0; i < 12; ++i) doc.match(i).noDuplicates = i < 8;
        doc.conditionLimit = 0; // the rounds weigh the conditions whatever the equals
        RecomputeConditionBookkeeping(doc, true);
        RunCalculation(doc, Quick(3, 300));
        auto state = StateOf(doc);
        ASSERT_FALSE(BreaksConditions(*state)) << "the rounds should meet these conditions";
        if (!c.counted) state->equalsLimit = 0;
        const auto start = std::make_unique<DistributionState>(*state);
        SearchOptions options;
        options.repeatable = true;
        options.steps = 40000;
        options.epochs = 3;
        const SearchOutcome outcome = DeepSearch(*state, options);
        ExpectSound(*start, *state);
        EXPECT_FALSE(BreaksConditions(*state));
        // Within the conditions there is still room to improve.
        EXPECT_TRUE(outcome.improved);
    }
}

TEST(DeepSearch, RepeatableModeGivesTheSameLinesForAnyThreadCount) {
    PoolsDocument doc = MakeSampleRound(12, 30, 7);
    GiveOrderedLines(doc);
    const auto start = StateOf(doc);
    std::vector<std::array<std::array<uint8_t, kMaxLines>, kMaxMatches>> results;
    for (int threads : {1, 2, 3}) {
        auto state = std::make_unique<DistributionState>(*start);
        SearchOptions options;
        options.repeatable = true;
        options.steps = 20000;
        options.epochs = 3;
        options.threads = threads;
        options.seed = 5;
        const SearchOutcome outcome = DeepSearch(*state, options);
        EXPECT_EQ(outcome.epochs, 3);
        EXPECT_EQ(outcome.steps, 3LL * kRepeatableStreams * 20000);
        ExpectSound(*start, *state);
        results.push_back(state->tips);
    }
    EXPECT_EQ(results[0], results[1]);
    EXPECT_EQ(results[0], results[2]);
    // Another seed walks elsewhere.
    auto other = std::make_unique<DistributionState>(*start);
    SearchOptions options;
    options.repeatable = true;
    options.steps = 20000;
    options.epochs = 3;
    options.seed = 6;
    DeepSearch(*other, options);
    EXPECT_NE(other->tips, results[0]);
}

// Asks to stop after a while and notes when the request was first seen.
class StopAfter : public CalculationProgress {
public:
    explicit StopAfter(std::chrono::milliseconds after, bool stopRound = false)
        : after_(after), stopRound_(stopRound), begin_(Clock::now()) {}
    StopRequests Requests() const override {
        StopRequests r;
        if (Clock::now() - begin_ >= after_) {
            if (!asked_) asked_ = Clock::now();
            (stopRound_ ? r.stopRound : r.stopCalculation) = true;
        }
        return r;
    }
    void Yield() override { ++yields; }
    void Searching(const SearchReport& report, const DistributionState& best) override {
        ++reports;
        lastReport = report;
        lastTop = TopEntry(best.equalsHistogram);
    }
    void StopRoundServed() override { ++served; }

    std::optional<Clock::time_point> Asked() const { return asked_; }
    int yields = 0, reports = 0, served = 0, lastTop = -1;
    SearchReport lastReport;

private:
    std::chrono::milliseconds after_;
    bool stopRound_;
    Clock::time_point begin_;
    mutable std::optional<Clock::time_point> asked_;
};

TEST(DeepSearch, StopsWithin100MillisecondsKeepingTheBest) {
    for (bool stopRound : {false, true}) {
        SCOPED_TRACE(stopRound ? "stop round" : "stop calculation");
        PoolsDocument doc = MakeSampleRound(14, 1000, 2);
        GiveOrderedLines(doc);
        auto state = StateOf(doc);
        const auto start = std::make_unique<DistributionState>(*state);
        StopAfter progress(std::chrono::milliseconds(400), stopRound);
        SearchOptions options;
        options.seconds = 30;
        const SearchOutcome outcome = DeepSearch(*state, options, &progress);
        const auto returned = Clock::now();
        ASSERT_TRUE(progress.Asked());
        EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(returned - *progress.Asked()).count(),
                  100 * VDX_TIME_SCALE);
        EXPECT_TRUE(outcome.stopped);
        EXPECT_TRUE(outcome.improved);
        ExpectSound(*start, *state);
        EXPECT_GT(progress.yields, 10);
        EXPECT_GE(progress.reports, 2);
        EXPECT_EQ(progress.lastReport.plannedMilliseconds, 30000);
        EXPECT_EQ(progress.lastTop, TopEntry(state->equalsHistogram));
    }
}

TEST(DeepSearch, RunsForItsTime) {
    PoolsDocument doc = MakeSampleRound(12, 20, 4);
    GiveOrderedLines(doc);
    auto state = StateOf(doc);
    SearchOptions options;
    options.seconds = 0.6;
    const auto begin = Clock::now();
    const SearchOutcome outcome = DeepSearch(*state, options);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - begin).count();
    EXPECT_GE(ms, 600);
    EXPECT_LT(ms, 900);
    EXPECT_GE(outcome.epochs, 1);
}

TEST(DeepSearch, NothingToSearch) {
    // Every match with one kind of tip only: no exchange changes anything.
    PoolsDocument doc = MakeSampleRound(3, 5, 1);
    for (int i = 0; i < 3; ++i) {
        doc.match(i).chances = {1000, 0};
        UpdateProbabilities(doc.match(i));
        PlanTipCounts(doc.match(i), doc.lineCount, GlobalRandom());
    }
    GiveOrderedLines(doc);
    auto state = StateOf(doc);
    const auto before = state->tips;
    SearchOptions options;
    options.seconds = 5;
    const SearchOutcome outcome = DeepSearch(*state, options);
    EXPECT_FALSE(outcome.ran);
    EXPECT_EQ(state->tips, before);
}

TEST(CalculationWithSearch, SearchAfterTheRounds) {
    PoolsDocument plain = MakeSampleRound(12, 20, 9);
    PoolsDocument searched = plain;
    PoolsDocument off = plain;
    const CalcResult a = RunCalculation(plain, Quick(2, 30));
    CalcOptions withSearch = Quick(2, 30);
    withSearch.searchSeconds = 1;
    const CalcResult b = RunCalculation(searched, withSearch);
    // Off by default: the classic calculation, line for line.
    off.searchSeconds = 0;
    const CalcResult c = RunCalculation(off, Quick(2, 30));
    EXPECT_FALSE(a.search.ran);
    EXPECT_TRUE(b.search.ran);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(plain.match(i).tips, off.match(i).tips);
    EXPECT_EQ(a.equalsHistogram, c.equalsHistogram);
    // Same rounds, then the search: never worse, and the document shows what was found.
    const int top = TopEntry(a.equalsHistogram);
    EXPECT_LE(TopEntry(b.equalsHistogram), top);
    if (TopEntry(b.equalsHistogram) == top) {
        EXPECT_LE(b.equalsHistogram[top], a.equalsHistogram[top]);
    }
    EXPECT_EQ(searched.evaluation.equalsHistogram, b.equalsHistogram);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(searched.match(i).tipCounts, searched.match(i).targetCounts);
}

TEST(CalculationWithSearch, TheDocumentsSecondsCountAndAStoppedCalculationSkipsIt) {
    PoolsDocument doc = MakeSampleRound(8, 12, 2);
    doc.searchSeconds = 1;
    // Timed only without the repeatable mode, which counts steps instead.
    CalcOptions timed = Quick(1, 10);
    timed.resetRandom = false;
    const CalcResult r = RunCalculation(doc, timed);
    EXPECT_TRUE(r.search.ran);
    EXPECT_GE(r.elapsedMilliseconds, 1000);

    PoolsDocument stopped = MakeSampleRound(8, 12, 2);
    stopped.searchSeconds = 30;
    StopAfter progress(std::chrono::milliseconds(0));
    const CalcResult s = RunCalculation(stopped, Quick(1, 10), &progress);
    EXPECT_FALSE(s.search.ran);
    EXPECT_LT(s.elapsedMilliseconds, 5000);
}

} // namespace
} // namespace vdx
