#pragma once
// The improvement phase of a round, the comparison of finished rounds, the
// "Difference" figure and the way back from ranks to tips.

#include "calc/DistributionState.h"
#include "calc/Engine.h"

#include <climits>

namespace vdx {

// Result flags of ImproveDistribution.
enum {
    kRoundStopped = 1,      // a stop request ended the round
    kRoundTriesEnded = 2,   // the unsuccessful tries ran out
    kNoFurtherRounds = 4,   // no round is to follow this one
    kRoundEndedAtCopy = 8,  // the judge settled on the copy kept at the extra-tries decision
};

// Whether a round that ran out of tries gets its extra tries depends on the
// best of the rounds before it. Rounds that run side by side may not know that
// best yet: such a round goes on as if it got them, hands over a copy of
// itself as it would have ended without them, and asks at every try boundary
// whether the question is settled. Without a judge the state's best decides.
class ExtraTriesJudge {
public:
    enum class Verdict { kGive, kEnd, kOpen };
    virtual ~ExtraTriesJudge() = default;
    // At the decision; the state's recorded figures are those the rule reads.
    virtual Verdict Judge(const DistributionState& state) = 0;
    // After an open verdict: the round as it ends without extra tries, with its result flags.
    virtual void KeepEnded(const DistributionState& ended, int flags) = 0;
    // While the verdict is open, at every try boundary.
    virtual Verdict Settled() = 0;
};

// The rule itself: extra tries when there is no best or the difference to it is small enough.
bool DeservesExtraTries(const DistributionState& state, const DistributionState* best);

// Improves the constructed distribution try by try; returns the flags above.
int ImproveDistribution(DistributionState& state, EngineContext& ctx);

// > 0 when candidate is better than best, < 0 when worse, 0 when equal
// (recorded histograms only).
int CompareDistributions(const DistributionState& best, const DistributionState& candidate);

// Special values of DifferenceToBest.
constexpr int kDifferenceConditionsFault = INT_MAX - 1; // state breaks a condition
constexpr int kDifferenceConditionsOk = INT_MIN + 1;    // state keeps them, best does not
constexpr int kDifferenceLevelBetter = INT_MIN;         // state has no pairs at the best's top level
constexpr int kDifferenceLevelWorse = INT_MAX;          // best has no pairs where the state has

// Pairs at the highest level of equals where either has some: state minus best.
int DifferenceToBest(const DistributionState& state, const DistributionState& best);

// Level of the improvement of `now` over the state's recorded histograms, 0 for
// none: 1 duplicates, 2 1/X/2 ranges, 3 favourites ranges (these only while
// conditions are active), e + 4 fewer pairs at equals level e.
int ImprovementLevel(const DistributionState& state, const Evaluation& now, bool conditionsActive);

// Ranks back to tips, rows back to document order. Idempotent.
void RestoreSymbols(DistributionState& state);

// Whether a state breaks a condition that takes part (recorded histograms).
bool BreaksConditions(const DistributionState& state);

} // namespace vdx
