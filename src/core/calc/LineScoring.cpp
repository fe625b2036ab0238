#include "calc/LineScoring.h"
// Placeholder bodies; replaced by the real implementation.
namespace vdx {
int LineProbabilitySum(const PoolsDocument&, int) { return 0; }
int CorrectTips(const PoolsDocument&, int) { return 0; }
void SortLines(PoolsDocument&, int) {}
TipTotals TotalsForConditions(const PoolsDocument&) { return {}; }
}
