#pragma once
// The conditions: their state, the effective bounds and the evaluation of a document's lines.

#include "document/PoolsDocument.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vdx {

enum ConditionKind { kCondDuplicates = 0, kCondTips1X2 = 1, kCondFavourites = 2 };

// Bits of lineConditionFlags.
enum LineConditionFlag { kLineDuplicate = 1, kLineOutside1X2 = 2, kLineOutsideFavourites = 4 };

using Histogram = std::array<int, kEqualsLevels>;

// categoryMaps of every match: [0] identity, [1] tip -> rank (identity without data).
void UpdateCategoryMaps(PoolsDocument& doc);

// Expected number of tips of each kind in a line of N matches: N/3 when the
// weights add up to zero or less, else N * weight / sum.
std::array<float, 3> ExpectedTips(const std::array<int, 3>& weights, int N);
// Converts ranges of one group between percent and numbers of matches.
void ConvertRangesUnit(int ranges[3][2], int N, const float E[3], bool toAbsolute);
// (minimum, maximum) number of tips per kind from one group's ranges in the given unit.
void BoundsFromRanges(const int ranges[3][2], int N, const float E[3], bool absolute, int bounds[3][2]);
// Derives effectiveBounds from conditionRanges, converting the unit to env.rangesAbsolute first.
void DeriveEffectiveBounds(PoolsDocument& doc);

void UpdateConditionState(PoolsDocument& doc);
// 0 when the condition is not used in the calculation, else its state
// (for the duplicates only the bit that says it has an effect).
int ConditionInCalculation(const PoolsDocument& doc, int which);

// Pair statistics of the document's lines over the matches with tips.
struct PairHistograms {
    Histogram equals{};     // entry e: pairs with equal tips in exactly e matches
    Histogram duplicates{}; // entry k: pairs with equal tips in exactly k marked matches
    int markedMatches = 0;  // K
};
// With duplicateLines given, it is sized to tipLineCount and holds 1 for each line
// of a pair equal in all K marked matches (none while K is 0).
PairHistograms CountPairEquals(const PoolsDocument& doc, bool useLastMarks,
                               std::vector<uint8_t>* duplicateLines = nullptr);
// Fills the histograms, K, the duplicate flags and the number of duplicate lines.
void EvaluateDuplicates(PoolsDocument& doc, bool useLastMarks);
// Full evaluation of the lines as they were calculated (last marks, last maps, last bounds).
void EvaluateConditions(PoolsDocument& doc);

// Violation histograms of the document's lines under the current categoryMaps and
// effectiveBounds: [0] 1/X/2, [1] favourites. Entry d counts the categories that
// miss their bound by d.
void ViolationHistograms(const PoolsDocument& doc, Histogram out[2]);

// max(0, matches - limit): conditions count while no pair of lines agrees in more matches.
int EqualsLimit(int matches, int conditionLimit);
// Whether the highest non-empty entry of the equals histogram is within the limit.
bool ConditionsCount(const Histogram& equals, int equalsLimit);

bool ConditionsUnchanged(const PoolsDocument& doc);
// Copies the conditions into their last-calculation copies; true (and the
// document modified) when anything that takes part changed.
bool RecordConditions(PoolsDocument& doc);
// After a document was read or imported: maps and bounds (only when readOk), state, evaluation.
void RecomputeConditionBookkeeping(PoolsDocument& doc, bool readOk);

} // namespace vdx
