#pragma once
// Scores of lines: probability sums, correct tips, sorting; totals for the conditions.

#include "document/PoolsDocument.h"

#include <array>

namespace vdx {

// Sum of the per-mille probabilities of the line's tips over the matches with data.
int LineProbabilitySum(const PoolsDocument& doc, int line);
// Matches among the first tipMatchCount whose known result equals the line's tip.
int CorrectTips(const PoolsDocument& doc, int line);
// Sorts the lines 0..tipLineCount-1 by their tips, then, for criterion 1
// (probability) or 2 (correct tips), by that key; sets lineOrigin, then
// re-evaluates the conditions and the correct tips.
void SortLines(PoolsDocument& doc, int criterion);

struct TipTotals {
    std::array<int, 3> perTip{};      // "1", "X", "2"
    std::array<int, 3> perPosition{}; // largest, middle, smallest count of each match
};
// Tip counts of the matches with data (TipCountsForCalculation), summed; the
// weights of the two range conditions.
TipTotals TotalsForConditions(const PoolsDocument& doc);

} // namespace vdx
