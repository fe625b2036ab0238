#pragma once
// How a running calculation talks to whoever shows it: progress events out,
// stop requests in. The GUI's calculation window and vdxtool implement it.

#include <array>
#include <string>
#include <vector>

namespace vdx {

struct DistributionState;

// Where the deeper search after the rounds stands.
struct SearchReport {
    long long elapsedMilliseconds = 0;
    long long plannedMilliseconds = 0; // 0 in the repeatable mode, which counts epochs
    int epochsDone = 0;
    int epochsPlanned = 0;             // 0 with a time budget
    long long steps = 0;               // moves looked at so far, all streams
};

struct StopRequests {
    bool noMoreRounds = false;   // finish this round, start no other
    bool stopRound = false;      // end this round at its next try boundary
    bool stopCalculation = false; // end this round and start no other
};

// One of the rounds that run side by side, as it stands.
struct RunningRound {
    int roundIndex = 0;
    long tries = 0;
    int topLevel = -1; // highest equals level with pairs, -1 before the construction ends
    int topPairs = 0;  // pairs at that level
};

class CalculationProgress {
public:
    virtual ~CalculationProgress() = default;

    // Once per match step of the improvement phase; the GUI serves its event loop here.
    virtual void Yield() {}
    // The stop requests as they are now.
    virtual StopRequests Requests() const { return {}; }
    // The last round began, or a round saw the no-more-rounds request: the command is off now.
    virtual void NoMoreRoundsTaken() {}
    // The stop-round request was served; the next round starts clean.
    virtual void StopRoundServed() {}

    // A round finished its construction phase.
    virtual void ConstructionEnded(const DistributionState& /*state*/) {}
    // An improvement was recorded at a level: 1 duplicates, 2 1/X/2 ranges,
    // 3 favourites ranges, e + 4 equals level e.
    virtual void Improved(const DistributionState& /*state*/, int /*level*/) {}
    // Every tenth try (counter only).
    virtual void TriesPassed(const DistributionState& /*state*/, long /*tries*/) {}
    // A round ended; best is the best so far (after comparing).
    virtual void RoundEnded(int /*roundIndex*/, const DistributionState& /*best*/) {}

    // Rounds side by side: the running rounds, oldest first (the others' events are
    // those of the oldest). Called about every 20 ms while they run.
    virtual void RoundsRunning(const std::vector<RunningRound>& /*rounds*/) {}

    // Every 200 ms or so of the deeper search after the rounds, and once at its
    // end; best is the best distribution so far (its recorded histograms).
    virtual void Searching(const SearchReport& /*report*/, const DistributionState& /*best*/) {}

    // Called by the rounds loop only.
    // A round (from 0) is about to be set up.
    virtual void RoundStarting(int /*roundIndex*/) {}
    // A line for the application log ("... Start of the calculation ...", "End of calculation, ...").
    virtual void Log(const std::string& /*line*/) {}
};

} // namespace vdx
