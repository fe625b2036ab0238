// Rounds on several threads: with the repeatable setting the lines must not
// depend on the number of threads, and must be the lines the one-thread
// calculation has always given (the fingerprints below were taken from it
// before the rounds ran in parallel).

#include "calc/CalculationRun.h"

#include "calc/Conditions.h"
#include "calc/SampleRound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace vdx {
namespace {

// FNV-1a over the lines, the tries and the best round.
uint64_t Fingerprint(const PoolsDocument& doc, const CalcResult& r) {
    uint64_t h = 1469598103934665603ull;
    auto add = [&h](uint64_t byte) {
        h ^= byte & 0xFF;
        h *= 1099511628211ull;
    };
    for (int i = 0; i < doc.matchCount; ++i)
        for (int l = 0; l < doc.lineCount && l < static_cast<int>(doc.matches[i].tips.size()); ++l)
            add(doc.matches[i].tips[l]);
    for (int s = 0; s < 64; s += 8) add(static_cast<uint64_t>(r.totalTries) >> s);
    add(static_cast<uint64_t>(r.bestRound + 1));
    add(static_cast<uint64_t>(r.roundsPassed));
    return h;
}

struct FixtureCase {
    const char* name;
    int matches, lines;
    uint32_t seed;
    int rounds, tries, extra, difference;
    int conditions; // 0 none, 1 no duplicates + 1/X/2, 2 favourites ranges
    bool oldLines;  // start from the lines of a short calculation
    uint64_t expected;
};

PoolsDocument MakeCaseDocument(const FixtureCase& c) {
    PoolsDocument doc = MakeSampleRound(c.matches, c.lines, c.seed);
    if (c.conditions == 1) {
        doc.conditionEnabled = {true, true, false};
        for (int i = 0; i < 4; ++i) doc.match(i).noDuplicates = true;
        RecomputeConditionBookkeeping(doc, true);
    } else if (c.conditions == 2) {
        doc.env.rangesAbsolute = doc.conditionRangesAbsolute = true;
        doc.conditionEnabled = {false, false, true};
        const int bounds[3][2] = {{3, 7}, {2, 5}, {1, 4}};
        for (int k = 0; k < 3; ++k)
            for (int b = 0; b < 2; ++b) doc.conditionRanges[1][k][b] = bounds[k][b];
        DeriveEffectiveBounds(doc);
        RecomputeConditionBookkeeping(doc, true);
    }
    if (c.oldLines) {
        CalcOptions first;
        first.rounds = 1;
        first.unsuccessfulTries = 2;
        first.extraTries = 0;
        first.resetRandom = true;
        RunCalculation(doc, first);
        doc.calculatedNotSaved = false;
    }
    return doc;
}

CalcOptions CaseOptions(const FixtureCase& c, int threads) {
    CalcOptions o;
    o.rounds = c.rounds;
    o.unsuccessfulTries = c.tries;
    o.extraTries = c.extra;
    o.difference = c.difference;
    o.resetRandom = true;
    o.threads = threads;
    return o;
}

const FixtureCase kCases[] = {
    {"plain 12x20", 12, 20, 3, 8, 200, 200, 5, 0, false, 0x1c3f707212d83b9aull},
    {"plain 9x40, wide difference", 9, 40, 11, 7, 60, 150, 40, 0, false, 0xae5fe5f3b74fdcabull},
    {"no duplicates and 1X2 ranges 13x37", 13, 37, 5, 6, 100, 100, 5, 1, false, 0x0ed3e69af21b5329ull},
    {"favourites ranges 11x25", 11, 25, 17, 6, 80, 120, 10, 2, false, 0x28cf0983aefa87d1ull},
    {"old lines 12x30", 12, 30, 23, 5, 60, 100, 20, 0, true, 0xcbda512e625f1cbfull},
    {"old lines with conditions 10x24", 10, 24, 29, 5, 60, 60, 30, 1, true, 0xec02adc79ffa5837ull},
    {"single round 6x12", 6, 12, 31, 1, 50, 50, 5, 0, false, 0xbf24bac1d586dd31ull},
};

TEST(ParallelRounds, RepeatableLinesDoNotDependOnThreads) {
    for (const FixtureCase& c : kCases) {
        SCOPED_TRACE(c.name);
        for (int threads : {1, 2, 3}) {
            SCOPED_TRACE("threads " + std::to_string(threads));
            PoolsDocument doc = MakeCaseDocument(c);
            const CalcResult r = RunCalculation(doc, CaseOptions(c, threads));
            ASSERT_TRUE(r.ran);
            const uint64_t fp = Fingerprint(doc, r);
            EXPECT_EQ(fp, c.expected);
        }
    }
}

// Equals histogram of the document's lines, counted the plain way.
Histogram RecountEquals(const PoolsDocument& doc) {
    Histogram h{};
    for (int a = 0; a < doc.lineCount; ++a)
        for (int b = a + 1; b < doc.lineCount; ++b) {
            int equal = 0;
            for (int m = 0; m < doc.matchCount; ++m)
                if (doc.matches[m].tips[a] == doc.matches[m].tips[b]) ++equal;
            ++h[equal];
        }
    return h;
}

// Sets a request once the chosen moment has come and notes when it did.
class RequestingProgress : public CalculationProgress {
public:
    enum class When { kAfterConstruction, kAfterFirstRound };
    RequestingProgress(When when, StopRequests request) : when_(when), request_(request) {}

    StopRequests Requests() const override { return requests; }
    void StopRoundServed() override {
        ++stopRoundServed;
        requests.stopRound = false;
    }
    void ConstructionEnded(const DistributionState&) override {
        if (when_ == When::kAfterConstruction) Fire();
    }
    void RoundEnded(int, const DistributionState&) override {
        ++roundsEnded;
        if (when_ == When::kAfterFirstRound) Fire();
    }
    void RoundsRunning(const std::vector<RunningRound>& rounds) override {
        maxRunning = std::max(maxRunning, static_cast<int>(rounds.size()));
    }

    StopRequests requests;
    std::chrono::steady_clock::time_point firedAt{};
    bool fired = false;
    int stopRoundServed = 0, roundsEnded = 0, maxRunning = 0;

private:
    void Fire() {
        if (fired) return;
        fired = true;
        firedAt = std::chrono::steady_clock::now();
        requests.stopCalculation |= request_.stopCalculation;
        requests.noMoreRounds |= request_.noMoreRounds;
        requests.stopRound |= request_.stopRound;
    }
    When when_;
    StopRequests request_;
};

StopRequests Request(bool stopCalculation, bool noMoreRounds, bool stopRound) {
    StopRequests r;
    r.stopCalculation = stopCalculation;
    r.noMoreRounds = noMoreRounds;
    r.stopRound = stopRound;
    return r;
}

CalcOptions SideBySide(int rounds, int threads) {
    CalcOptions o;
    o.rounds = rounds;
    o.unsuccessfulTries = 200;
    o.extraTries = 200;
    o.resetRandom = true;
    o.threads = threads;
    o.keepCallerFree = true;
    return o;
}

TEST(ParallelRounds, RequestsReachEveryRunningRound) {
    using W = RequestingProgress::When;
    struct Case {
        const char* name;
        W when;
        StopRequests request;
        bool allRounds; // the calculation still runs every round
    } cases[] = {
        {"stop the calculation", W::kAfterConstruction, Request(true, false, false), false},
        {"no more rounds", W::kAfterFirstRound, Request(false, true, false), false},
        {"stop the running rounds only", W::kAfterConstruction, Request(false, false, true), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PoolsDocument doc = MakeSampleRound(12, 40, 77);
        RequestingProgress progress(c.when, c.request);
        const CalcResult r = RunCalculation(doc, SideBySide(12, 2), &progress);
        ASSERT_TRUE(r.ran);
        EXPECT_TRUE(progress.fired);
        EXPECT_TRUE(doc.tipsUpToDate);
        EXPECT_EQ(r.equalsHistogram, RecountEquals(doc)) << "the best is the one written back";
        EXPECT_GE(r.roundsPassed, 1);
        if (c.allRounds) {
            EXPECT_EQ(r.roundsPassed, 12);
            EXPECT_EQ(progress.stopRoundServed, 1);
        } else {
            EXPECT_LT(r.roundsPassed, 12);
        }
        EXPECT_EQ(progress.roundsEnded, r.roundsPassed);
        if (c.allRounds) {
            EXPECT_EQ(progress.maxRunning, 2) << "two rounds ran side by side";
        }
    }
}

TEST(ParallelRounds, StopEndsAllRoundsWithin100Milliseconds) {
    // Best of three: the machine the tests run on may be busy.
    long long fastest = 1 << 30;
    for (int attempt = 0; attempt < 3 && fastest >= 100; ++attempt) {
        PoolsDocument doc = MakeSampleRound(14, 400, 5 + attempt);
        RequestingProgress progress(RequestingProgress::When::kAfterConstruction, Request(true, false, false));
        CalcOptions o = SideBySide(50, 2);
        o.unsuccessfulTries = 10000;
        const CalcResult r = RunCalculation(doc, o, &progress);
        const auto end = std::chrono::steady_clock::now();
        ASSERT_TRUE(r.ran);
        ASSERT_TRUE(progress.fired);
        EXPECT_TRUE(doc.tipsUpToDate);
        EXPECT_EQ(r.equalsHistogram, RecountEquals(doc));
        fastest = std::min<long long>(
            fastest, std::chrono::duration_cast<std::chrono::milliseconds>(end - progress.firedAt).count());
    }
    EXPECT_LT(fastest, 100 * VDX_TIME_SCALE);
}

} // namespace
} // namespace vdx
