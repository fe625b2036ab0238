#pragma once
// One candidate distribution of one round with everything needed to evaluate it.
// A plain record of fixed size: rounds copy it whole when it becomes the best.
//
// Inside the engine tips are ranks (0 favourite, 1 neutral, 2 outsider,
// 3 unassigned) and rows are in engine match order; RestoreSymbols turns them
// back into tips "1"/"X"/"2" with row k = k-th match with data of the document.

#include "document/PoolsDocument.h"

#include <array>
#include <cstdint>

namespace vdx {

constexpr int kMaxBlockSize = 5;
constexpr int kMaxBlocks = (kMaxLines - 1) / kMaxBlockSize + 1;
constexpr int kRankUnassigned = 3;

using Histogram = std::array<int32_t, kEqualsLevels>;

// Range condition groups and condition switches.
enum { kRanges1X2 = 0, kRangesFavourites = 1 };
enum { kSwitchDuplicates = 0, kSwitch1X2 = 1, kSwitchFavourites = 2 };

// What a round's state takes from the calculation before it is prepared.
struct StateOptions {
    int lineCount = 0;       // N, 1..1000
    int matchCount = 0;      // M, matches with data, 1..14
    int roundIndex = 0;      // -1 for the old distribution
    int lastRoundIndex = 0;  // rounds - 1
    int triesLimit = 1000;   // "Unsuccessful Tries"
    int difference = 5;
    int extraTries = 1000;
    int equalsLimit = 0;     // conditions count while no pair has more equals than this
    // duplicates, 1/X/2 ranges, favourites ranges: whether each takes part.
    std::array<bool, 3> conditions{};
    // Per match with data, in document order: marked for no duplicate tips.
    std::array<bool, kMaxMatches> noDuplicateMarks{};
    // [group][category][min, max] per line.
    int bounds[2][3][2] = {{{0, 14}, {0, 14}, {0, 14}}, {{0, 14}, {0, 14}, {0, 14}}};
};

struct DistributionState {
    // --- set up and prepared --------------------------------------------------
    int lineCount = 0;   // N
    int matchCount = 0;  // M
    int roundIndex = 0;
    int lastRoundIndex = 0;
    int triesLimit = 0;  // raised once by the extra tries
    int difference = 0;
    int extraTries = 0;
    int equalsLimit = 0;
    std::array<bool, 3> conditions{};
    std::array<bool, kMaxMatches> noDuplicateMarks{};
    int bounds[2][3][2] = {};
    // Best state of the calculation so far, or null.
    const DistributionState* best = nullptr;

    // Per engine match position.
    std::array<std::array<int, 3>, kMaxMatches> counts{};        // lines per rank
    std::array<std::array<uint8_t, 3>, kMaxMatches> swapMarks{}; // rank sort: (0,1), (0,2), (1,2)
    std::array<std::array<int, 3>, kMaxMatches> probabilities{}; // per mille, rank order
    std::array<int, kMaxMatches> permutation{};                   // index among matches with data
    // [group][match][rank] -> category counted by the range condition.
    std::array<std::array<std::array<uint8_t, 3>, kMaxMatches>, 2> categoryMaps{};
    int noDuplicateCount = 0; // K: no-duplicate matches sit at positions 0..K-1
    bool prepared = false;

    // --- the distribution --------------------------------------------------------
    std::array<std::array<uint8_t, kMaxLines>, kMaxMatches> tips{};
    bool symbolsRestored = false;

    // --- recorded evaluation (the last improvement) ------------------------------
    Histogram equalsHistogram{};
    Histogram duplicateHistogram{};        // over the no-duplicate matches
    std::array<Histogram, 2> violations{}; // entry v: (line, category) pairs missing by v

    // --- round bookkeeping ------------------------------------------------------
    int blockCount = 0;
    std::array<int16_t, kMaxBlocks> blockSizes{};
    int singleTipMatches = 0;
    long totalTries = 0;
    int triesSinceImprovement = 0; // j
    bool extraTriesGiven = false;
    bool conditionsActive = false;
    bool duplicatePossible = true;
    int highestNoDupEquals = 0;
    int currentMatch = 0;
    bool improving = false;        // improvement phase running
    int constructionResult = 0;    // 1 or 2
    int lastImprovementLevel = 0;  // 1 duplicates, 2/3 ranges, e + 4 equals level e

    // Per line, per range group, category counts over the matches counted so far.
    std::array<std::array<std::array<uint8_t, 3>, kMaxLines>, 2> categoryCounts{};

    // Tips as they were at the last recorded improvement.
    std::array<std::array<uint8_t, kMaxLines>, kMaxMatches> recordedTips{};

    // --- accessors ------------------------------------------------------------------
    int DuplicateCount() const { return noDuplicateCount > 0 ? duplicateHistogram[noDuplicateCount] : 0; }
    // Tip of the k-th match with data on a line; symbols and document order after RestoreSymbols.
    int TipAt(int k, int line) const { return tips[k][line]; }
    bool SingleTip(int position) const;
};

// Sets the options of a fresh state; best may be null.
void InitState(DistributionState& state, const StateOptions& options, const DistributionState* best);
// The options a round takes from the document (conditions as they take part in the calculation).
StateOptions StateOptionsFromDocument(const PoolsDocument& doc, int roundIndex);

// Highest non-empty entry of a histogram, or -1.
int TopEntry(const Histogram& h);

} // namespace vdx
