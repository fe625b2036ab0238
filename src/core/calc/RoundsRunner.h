#pragma once
// The loop over the rounds of a calculation, keeping the best: in the calling
// thread, or side by side on worker threads. Both give the same best, draw for
// draw, when every round seeds its own generator (the repeatable setting).

#include "calc/DistributionState.h"
#include "calc/EngineRandom.h"
#include "calc/Progress.h"

#include <functional>
#include <memory>

namespace vdx {

struct RoundsJob {
    int rounds = 1;
    // The options of round r (index from 0).
    std::function<StateOptions(int)> options;
    // Per-match data as the first round prepares it from the document.
    const DistributionState* prepared = nullptr;
    bool resetRandom = false;
    // In the calling thread: the generator the rounds draw from. Side by side:
    // each round's seed is drawn from it in round order (unless resetRandom).
    EngineRandom* random = nullptr;
    CalculationProgress* progress = nullptr;
    // Worker threads; 0 runs the rounds in the calling thread.
    int threads = 0;
    // Rounds passed so far, kept up to date in the calling thread (may be null).
    int* roundsPassed = nullptr;
};

struct RoundsOutcome {
    bool haveBest = false;
    bool improved = false; // a round beat the old distribution (or there was none)
    bool faulty = false;   // a round could not place the planned tips
    int roundsPassed = 0;
    long totalTries = 0;
};

// best holds the old distribution when haveOld is set, and the best afterwards
// (its best reference pointing at itself).
RoundsOutcome RunRounds(const RoundsJob& job, DistributionState& best, bool haveOld);

// Worker threads for a calculation: 0 means one per processor.
int WorkerThreads(int requested);

} // namespace vdx
