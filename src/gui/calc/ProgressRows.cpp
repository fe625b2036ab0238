#include "calc/ProgressRows.h"

#include "calc/CalcFigures.h"

#include <algorithm>

namespace vdx::gui {

namespace {

constexpr const char* kLimitLine = "___________________";

// How badly a range condition is broken: each violation weighted by its amount.
long long ViolationWeight(const Histogram& violations) {
    long long weight = 0;
    for (int amount = 1; amount < kEqualsLevels; ++amount) weight += 1LL * amount * violations[amount];
    return weight;
}

std::string ConditionLabel(int which, bool zeroForDraw) {
    switch (which) {
    case kSwitchDuplicates: return "Duplicates";
    case kSwitch1X2: return zeroForDraw ? "1/0/2" : "1/X/2";
    default: return "Favourites";
    }
}

std::string ConditionFigureOf(const StateFigures& s, int which) {
    if (!s.valid) return std::string();
    if (which == kSwitchDuplicates) return DuplicateFigure(s.duplicatePairs);
    return ViolationFigure(s.violations[which - kSwitch1X2]);
}

long long ConditionValueOf(const StateFigures& s, int which) {
    if (!s.valid) return 0;
    if (which == kSwitchDuplicates) return std::max(0, s.duplicatePairs);
    return ViolationWeight(s.violations[which - kSwitch1X2]);
}

} // namespace

StateFigures StateFigures::Of(const DistributionState& state) {
    StateFigures f;
    f.valid = true;
    f.roundIndex = state.roundIndex;
    f.matchCount = std::clamp(state.matchCount, 0, kEqualsLevels - 1);
    f.equalsLimit = state.equalsLimit;
    f.conditions = state.conditions;
    f.equals = state.equalsHistogram;
    f.duplicatePairs = state.conditions[kSwitchDuplicates] ? state.DuplicateCount() : 0;
    f.violations = state.violations;
    return f;
}

std::vector<ProgressRow> MakeProgressRows(const StateFigures& best, const StateFigures& current,
                                          int markedLevel, bool zeroForDraw) {
    std::vector<ProgressRow> rows;
    const StateFigures& shape = best.valid ? best : current;
    if (!shape.valid) return rows;

    bool anyCondition = false;
    for (int which = kSwitchDuplicates; which <= kSwitchFavourites; ++which) {
        if (!shape.conditions[which]) continue;
        anyCondition = true;
        ProgressRow row;
        row.kind = ProgressRow::Kind::Condition;
        row.label = ConditionLabel(which, zeroForDraw);
        row.bestFigure = ConditionFigureOf(best, which);
        row.currentFigure = ConditionFigureOf(current, which);
        row.bestValue = ConditionValueOf(best, which);
        row.currentValue = ConditionValueOf(current, which);
        if (current.valid && markedLevel == which + 1) row.currentFigure = MarkImproved(row.currentFigure, false);
        rows.push_back(row);
    }

    const int top = shape.matchCount;
    // Conditions count while no pair has more equals than the limit: the line
    // goes below that level (or below the last row when the limit is above them).
    const int limitAfter = std::clamp(shape.equalsLimit, 0, top);
    for (int level = 0; level <= top; ++level) {
        ProgressRow row;
        row.kind = ProgressRow::Kind::Equals;
        row.label = std::to_string(level);
        if (best.valid) {
            row.bestFigure = EqualsFigure(best.equals[level]);
            row.bestValue = best.equals[level];
        }
        if (current.valid) {
            row.currentFigure = EqualsFigure(current.equals[level]);
            row.currentValue = current.equals[level];
            if (markedLevel == level + 4) row.currentFigure = MarkImproved(row.currentFigure, true);
        }
        rows.push_back(row);
        if (anyCondition && level == limitAfter) {
            ProgressRow limit;
            limit.kind = ProgressRow::Kind::Limit;
            limit.label = kLimitLine;
            rows.push_back(limit);
        }
    }
    return rows;
}

} // namespace vdx::gui
