#pragma once
// Scores of lines: probability sums, correct tips, sorting; totals for the conditions.

#include "document/PoolsDocument.h"

#include <array>

namespace vdx {

int LineProbabilitySum(const PoolsDocument& doc, int line);
int CorrectTips(const PoolsDocument& doc, int line);
// Sorts the lines by sortMode (0 tips, 1 probability, 2 correct tips), then
// re-evaluates the conditions and the correct tips.
void SortLines(PoolsDocument& doc, int criterion);

struct TipTotals {
    std::array<int, 3> perTip{};      // "1", "X", "2"
    std::array<int, 3> perPosition{}; // largest, middle, smallest count of each match
};
TipTotals TotalsForConditions(const PoolsDocument& doc);

} // namespace vdx
