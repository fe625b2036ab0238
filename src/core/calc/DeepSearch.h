#pragma once
// A deeper search after the rounds: simulated annealing over exchanges of two
// lines' tips within one match, so the planned tip counts never change. Every
// move sets out to part a pair at the walk's top level, the only pairs whose
// loss counts at once, and weighs every line as the partner of the exchange:
// per line and match the walk keeps what the line's pairs would add if it
// changed its tip there, so a partner costs two lookups, and only a taken
// move pays for bringing these sums up to date.
//
// Several independent walks start from the best distribution with their own
// random streams; after each epoch the best of them becomes the start of the
// next epoch. The walks are steered by a smooth measure (pairs weighted
// steeply by their equals), while what they keep is judged exactly as rounds
// are compared: conditions that take part first, then the equals histogram
// from the top. A condition the start meets is never broken, and nothing worse
// than the start is ever returned.
//
// With a time budget the result depends on the machine's speed. The
// repeatable mode runs a fixed number of streams for a fixed number of steps
// instead: the same start gives the same lines for any number of threads.

#include "calc/DistributionState.h"
#include "calc/Progress.h"

#include <cstdint>

namespace vdx {

struct SearchOptions {
    double seconds = 0;       // time budget; 0 or less: no search
    bool repeatable = false;  // bounded by steps, not by time
    long long steps = 0;      // repeatable mode: steps per stream and epoch; 0 derives them from seconds
    int epochs = 0;           // repeatable mode: epochs; 0 derives them from seconds
    int threads = 0;          // 0: every core
    uint32_t seed = 1;
};

struct SearchOutcome {
    bool ran = false;         // false: nothing to search (no match with two kinds of tips)
    bool improved = false;    // the distribution changed for the better
    bool stopped = false;     // a stop request ended the search
    long long steps = 0;      // moves looked at, all streams together
    int epochs = 0;
    long long elapsedMilliseconds = 0;
};

// The search as the calculation runs it after its rounds: skipped when the user
// stopped the calculation; a stop of the last round still pending is served
// first. The repeatable mode is taken with the reset setting.
SearchOutcome SearchAfterRounds(DistributionState& best, int seconds, bool repeatable, uint32_t seed,
                                CalculationProgress* progress);

// Streams of the repeatable mode, whatever the number of threads.
constexpr int kRepeatableStreams = 4;

// Searches from best (tips in ranks and engine order, histograms recorded) and
// leaves the best distribution found in it, with its histograms recounted.
// Reads stop requests and reports through progress from the calling thread.
SearchOutcome DeepSearch(DistributionState& best, const SearchOptions& options, CalculationProgress* progress = nullptr);

// For the tests: one hot walk of the given steps from start; whether the sums
// it keeps per line and match agree with a fresh count after every move.
bool DeepSearchKeepsItsCosts(const DistributionState& start, long long steps, uint32_t seed);

} // namespace vdx
