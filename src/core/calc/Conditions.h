#pragma once
// The conditions: their state, the effective bounds and the evaluation of a document's lines.

#include "document/PoolsDocument.h"

namespace vdx {

enum ConditionKind { kCondDuplicates = 0, kCondTips1X2 = 1, kCondFavourites = 2 };

// categoryMaps of every match from its probabilities (identity and rank).
void UpdateCategoryMaps(PoolsDocument& doc);
// Converts ranges of one group between percent and numbers of matches.
// N = matchCount, E[k] = expected number of tips of kind k in a line.
void ConvertRangesUnit(int ranges[3][2], int N, const float E[3], bool toAbsolute);
// Derives effectiveBounds from conditionRanges, converting the unit to env.rangesAbsolute first.
void DeriveEffectiveBounds(PoolsDocument& doc);
void UpdateConditionState(PoolsDocument& doc);
int ConditionInCalculation(const PoolsDocument& doc, int which);
void EvaluateDuplicates(PoolsDocument& doc, bool useLastMarks);
void EvaluateConditions(PoolsDocument& doc);
bool ConditionsUnchanged(const PoolsDocument& doc);
bool RecordConditions(PoolsDocument& doc);
// After a document was read or imported: maps, bounds (only when readOk), state, evaluation.
void RecomputeConditionBookkeeping(PoolsDocument& doc, bool readOk);

} // namespace vdx
