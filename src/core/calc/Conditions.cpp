#include "calc/Conditions.h"
// Placeholder bodies; replaced by the real implementation.
namespace vdx {
void UpdateCategoryMaps(PoolsDocument&) {}
void ConvertRangesUnit(int[3][2], int, const float[3], bool) {}
void DeriveEffectiveBounds(PoolsDocument&) {}
void UpdateConditionState(PoolsDocument&) {}
int ConditionInCalculation(const PoolsDocument&, int) { return 0; }
void EvaluateDuplicates(PoolsDocument&, bool) {}
void EvaluateConditions(PoolsDocument&) {}
bool ConditionsUnchanged(const PoolsDocument&) { return true; }
bool RecordConditions(PoolsDocument&) { return false; }
void RecomputeConditionBookkeeping(PoolsDocument&, bool) {}
}
