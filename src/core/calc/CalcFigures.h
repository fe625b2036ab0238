#pragma once
// The texts and figures that the calculation window and vdxtool show about a
// running or finished calculation. Pure functions of plain numbers so that
// both front ends print exactly the same words.

#include "calc/Improvement.h"
#include "calc/Progress.h"
#include "document/PoolsDocument.h"

#include <array>
#include <string>
#include <vector>

namespace vdx {

// Round index -1 names the document's old distribution.
constexpr int kOldDistributionRound = -1;

// "h:mm:ss,hh" with the hundredths cut off, not rounded: the figure that the
// sentences about a finished calculation take.
std::string ElapsedText(long long elapsedMilliseconds);
// "time spent: h:mm:ss,hh".
std::string TimeSpentText(long long elapsedMilliseconds);

// Milliseconds the rounds still to come will take at the pace of those done:
// elapsed / done * (rounds - done). -1 while no round is done (no pace yet);
// 0 once every round is.
long long RemainingMilliseconds(long long elapsedMilliseconds, int roundsDone, int rounds);
// A duration as "h:mm:ss", the seconds rounded up so that a last bit of time
// does not read as nothing.
std::string DurationText(long long milliseconds);

// Match numbers (from 1, ascending) as "1-3,5": runs of two or more joined by "-".
std::string MatchNumbersText(const std::vector<int>& numbers);

// One line naming the conditions that take part in a calculation of doc, e.g.
// "No duplicates: matches 1-3,5; Tip 1: 2-6, Tip X: 0-4, Tip 2: 1-5";
// conditions switched on without effect are named with ": no effect".
// Empty when no condition is switched on for the calculation.
std::string ConditionsSummary(const PoolsDocument& doc);

// Figure of a range condition: "+" when fulfilled, else "%d:%d" (highest
// amount of violation, number of violations of that amount).
std::string ViolationFigure(const std::array<int, kEqualsLevels>& violations);
// Figure of the duplicates condition: "+" or the number of duplicate pairs.
std::string DuplicateFigure(int duplicatePairs);
// Figure of one equals level: the number of pairs or "-" for none.
std::string EqualsFigure(int pairs);
// The figure of one condition (0 duplicates, 1 1/X/2, 2 favourites) of a state's recorded evaluation.
std::string ConditionFigure(const DistributionState& state, int which);
// Adds the mark of the row whose improvement was just recorded; wide figures
// of an equals row lose the blank so the column keeps its width.
std::string MarkImproved(const std::string& figure, bool equalsRow);

// "Difference: %d", "Difference: -", "Difference: +", "Conditions ok" or "Conditions fault".
std::string DifferenceText(int difference);

// "Round %d" (from 1) or "old distribution"; the short form is the bare number or "old".
std::string RoundName(int roundIndex, bool shortForm = false);
// "best so far: %s" while running, "best: %s" when finished.
std::string BestText(int roundIndex, bool finished, bool shortForm = false);
// Status line after a round: "%d/%d rounds passed, best so far: %s[ (frozen window)]".
// bestRoundIndex below -1 means no best yet.
std::string RoundsPassedText(int passed, int rounds, int bestRoundIndex, bool frozen);
// "Current Round: %d" (from 1).
std::string CurrentRoundText(int roundIndex);
// Rounds side by side: "Rounds running: %s" with each round (from 1) and, once
// built, its highest equals level and the pairs there, e.g. "4 (6:74), 5 (-)".
// Empty with one round or none.
std::string RunningRoundsText(const std::vector<RunningRound>& rounds);

} // namespace vdx
