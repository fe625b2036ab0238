#pragma once
// From chances and odds to per-mille probabilities, planned tip counts and ranks.

#include "calc/EngineRandom.h"
#include "document/PoolsDocument.h"

#include <array>

namespace vdx {

// Recomputes P(1) and P(2) from chances, else from complete odds entries; true when they changed.
bool UpdateProbabilities(MatchEntry& match);
inline bool HasData(const MatchEntry& match) { return match.hasData(); }
int CountMatchesWithData(const PoolsDocument& doc);

// Sets targetCounts of the match for the given number of lines (ties drawn from rng).
void PlanTipCounts(MatchEntry& match, int lines, EngineRandom& rng);
// Whether the counts are a valid apportionment of lines by the probabilities.
bool IsApportionment(const std::array<int, 3>& counts, int lines, int p1, int p2);
// tipCounts while the document is up to date, else targetCounts.
const std::array<int, 3>& TipCountsForCalculation(const PoolsDocument& doc, const MatchEntry& match);

// Favourite, neutral, outsider as tip codes, by the exchange procedure (not a stable sort).
std::array<int, 3> RankTips(int p1, int pX, int p2);
// tip -> rank map derived from RankTips.
std::array<int, 3> RankOfTips(int p1, int pX, int p2);

} // namespace vdx
