#pragma once
// Small builders shared by the engine and improvement tests.

#include "calc/DistributionState.h"
#include "calc/Engine.h"
#include "calc/Improvement.h"
#include "calc/EngineRandom.h"
#include "calc/Probabilities.h"
#include "document/PoolsDocument.h"

#include <array>
#include <memory>
#include <vector>

namespace vdx::testing {

// Chances in per mille for "1" and "2" of every match.
using Chances = std::vector<std::array<int, 2>>;

inline PoolsDocument MakeDocument(const Chances& chances, int lines, uint32_t planSeed = 99) {
    PoolsDocument doc;
    doc.setMatchCount(static_cast<int>(chances.size()));
    doc.setLineCount(lines);
    doc.resizeTipArrays();
    EngineRandom rng;
    rng.Seed(planSeed);
    for (size_t i = 0; i < chances.size(); ++i) {
        MatchEntry& m = doc.match(static_cast<int>(i));
        m.chances = chances[i];
        UpdateProbabilities(m);
        PlanTipCounts(m, lines, rng);
    }
    return doc;
}

// Varied chances: a strong favourite now and then, equal chances now and then.
inline Chances SomeChances(int matches, uint32_t seed) {
    EngineRandom rng;
    rng.Seed(seed);
    Chances c;
    for (int i = 0; i < matches; ++i) {
        switch (rng.RandomUpTo(5)) {
        case 0: c.push_back({1000, 0}); break;  // single tip
        case 1: c.push_back({333, 333}); break; // three equal chances
        default: {
            const int one = 200 + rng.RandomUpTo(500);
            const int two = rng.RandomUpTo(1000 - one);
            c.push_back({one, two});
        }
        }
    }
    return c;
}

inline StateOptions Options(int lines, int matches, int tries, int extra) {
    StateOptions o;
    o.lineCount = lines;
    o.matchCount = matches;
    o.roundIndex = 0;
    o.lastRoundIndex = 9;
    o.triesLimit = tries;
    o.extraTries = extra;
    o.difference = 5;
    o.equalsLimit = 0;
    return o;
}

// Bounds of one range group: the same minimum and maximum for each category.
inline void SetRanges(StateOptions& o, int group, int lo, int hi) {
    for (int c = 0; c < 3; ++c) {
        o.bounds[group][c][0] = lo;
        o.bounds[group][c][1] = hi;
    }
}

// The planned counts a state's match must keep, per rank.
inline bool KeepsCounts(const DistributionState& s) {
    for (int p = 0; p < s.matchCount; ++p) {
        std::array<int, 4> seen{};
        for (int l = 0; l < s.lineCount; ++l) ++seen[s.tips[p][l] & 3];
        if (seen[3] != 0) return false;
        for (int r = 0; r < 3; ++r)
            if (seen[r] != s.counts[p][r]) return false;
    }
    return true;
}

inline bool RecordedMatchesTips(const DistributionState& s) {
    const Evaluation ev = EvaluateState(s);
    return ev.equals == s.equalsHistogram && ev.duplicates == s.duplicateHistogram && ev.violations == s.violations;
}

// Runs rounds 0..rounds-1 as a calculation does, each after the first starting
// from the best so far, checking every round with check(state, round); returns
// the best.
template <typename Check>
std::unique_ptr<DistributionState> RunRoundsKeepingBest(const PoolsDocument& doc, StateOptions o, EngineContext& ctx,
                                                        int rounds, Check check) {
    auto best = std::make_unique<DistributionState>();
    for (int round = 0; round < rounds; ++round) {
        auto s = std::make_unique<DistributionState>();
        o.roundIndex = round;
        InitState(*s, o, round == 0 ? nullptr : best.get());
        if (round == 0) PrepareState(*s, doc);
        else PrepareStateFromBest(*s, *best);
        RunRound(*s, ctx);
        check(*s, round);
        if (round == 0 || CompareDistributions(*best, *s) > 0) *best = *s;
    }
    return best;
}

} // namespace vdx::testing
