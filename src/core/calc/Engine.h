#pragma once
// The distribution engine: preparation, construction of a round and the block
// machinery shared with the improvement phase.
//
// Typical use by the rounds loop:
//   EngineContext ctx(GlobalRandom());  ctx.resetRandom = ...; ctx.progress = ...;
//   DistributionState s;  InitState(s, StateOptionsFromDocument(doc, r), best);
//   r == 0 ? PrepareState(s, doc) : PrepareStateFromBest(s, *best);
//   int result = RunRound(s, ctx);      // 1, 2 or 3
//   if (!best || CompareDistributions(*best, s) > 0) *best = s;
//   ... RestoreSymbols(*best); best->TipAt(k, line) for the write-back.
//
// What a round tells its CalculationProgress: Yield() and Requests() once per
// match of the construction, then ConstructionEnded once; in the
// improvement phase Yield() and Requests() once per match step,
// NoMoreRoundsTaken() once when it sees that request or is the last round,
// Improved(level) for every recorded improvement and TriesPassed() every tenth
// try. With the reset setting a round repeats exactly, draw for draw.

#include "calc/DistributionState.h"
#include "calc/EngineRandom.h"
#include "calc/Progress.h"

#include <cstdint>
#include <memory>

namespace vdx {

class PairTable;
struct EngineWork;
class ExtraTriesJudge;

// Shared by all states of one calculation: the pair tables, the random
// generator, the reset setting and the progress sink.
class EngineContext {
public:
    explicit EngineContext(EngineRandom& rng = GlobalRandom());
    ~EngineContext();
    EngineContext(const EngineContext&) = delete;
    EngineContext& operator=(const EngineContext&) = delete;

    EngineRandom& random;
    bool resetRandom = false;               // seed every round with its index + 7
    CalculationProgress* progress = nullptr; // may be null
    // Decides on the extra tries in place of the state's best (rounds side by side).
    ExtraTriesJudge* judge = nullptr;
    // A stop during the construction may abandon the round even without a best in
    // the state: an earlier round gives the calculation its result.
    bool earlierRoundGivesResult = false;
    // Recount the pair tables after construction and after every try and abort on a
    // mismatch; on by default in debug builds (it costs a full recount per try).
    bool verifyTables =
#ifdef NDEBUG
        false;
#else
        true;
#endif

    // Equals of lines a and b over the matches counted so far (tests, diagnostics).
    int PairEquals(int a, int b) const;
    int NoDupPairEquals(int a, int b) const;

    // Internal.
    PairTable& Pairs();
    PairTable& NoDupPairs();
    EngineWork& Work();

private:
    std::unique_ptr<PairTable> pairs_;
    std::unique_ptr<PairTable> noDupPairs_;
    std::unique_ptr<EngineWork> work_;
};

// Per-match data from the document for the first round: probabilities and tip
// counts in rank order with swap marks, category maps, no-duplicate matches
// moved to the front.
void PrepareState(DistributionState& state, const PoolsDocument& doc);
// Later rounds take the prepared per-match data from the best so every round
// sees the same match order.
void PrepareStateFromBest(DistributionState& state, const DistributionState& best);

// The document's current lines as a state of round index -1 (the "old
// distribution"): prepared from the document, tips taken from its lines, all
// recorded histograms counted from them. False when a line lacks a tip.
bool MakeOldDistributionState(DistributionState& state, const PoolsDocument& doc, const StateOptions& options);

// What a round gives when it has no distribution to compare.
constexpr int kRoundNotBuilt = 0; // a stop of the calculation came during the construction (with a best only)
constexpr int kRoundFailed = -1;  // the planned counts cannot be placed (they do not add up to the lines)

// One round: construction, then the improvement phase unless nothing can be
// improved. Returns 1 (built and improved), 2 (built, at most one match with
// more than one tip), 3 (built and improved, no further rounds to follow),
// kRoundNotBuilt or kRoundFailed.
int RunRound(DistributionState& state, EngineContext& ctx);

// Construction phase alone; returns 1, 2, kRoundNotBuilt or kRoundFailed as
// RunRound (tests, benchmarks). Between matches it yields to the progress and
// reads its requests; a stop of the calculation abandons the round when the
// state has a best to fall back on, otherwise the round is finished.
int ConstructDistribution(DistributionState& state, EngineContext& ctx);

// Block sizes: G = (N-1)/5 + 1 blocks differing by at most one line.
int BlockCount(int lineCount);
int BlockSize(int lineCount, int block);

// Recounts every recorded histogram from the state's tips (ranks, engine order).
struct Evaluation {
    Histogram equals{};
    Histogram duplicates{};
    std::array<Histogram, 2> violations{};
};
Evaluation EvaluateState(const DistributionState& state);

} // namespace vdx
