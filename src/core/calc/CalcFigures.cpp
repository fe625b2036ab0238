#include "calc/CalcFigures.h"

#include "calc/Conditions.h"
#include "text/Tr.h"

#include <cstdio>

namespace vdx {

namespace {

std::string ConditionName(int which, bool zeroForDraw) {
    switch (which) {
    case kCondDuplicates: return Translate(N_("Conditions for Duplicates"));
    case kCondTips1X2: return TrFormat(N_("Conditions for 1, %s and 2"), zeroForDraw ? "0" : "X");
    default: return Translate(N_("Conditions for Favourites"));
    }
}

} // namespace

std::string ElapsedText(long long elapsedMilliseconds) {
    if (elapsedMilliseconds < 0) elapsedMilliseconds = 0; // a clock set back
    const long long hundredths = elapsedMilliseconds / 10;
    const long long hours = hundredths / 360000;
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%lld:%02d:%02d,%02d", hours, static_cast<int>(hundredths / 6000 % 60),
                  static_cast<int>(hundredths / 100 % 60), static_cast<int>(hundredths % 100));
    return buffer;
}

std::string TimeSpentText(long long elapsedMilliseconds) {
    return TrFormat(N_("time spent: %s"), ElapsedText(elapsedMilliseconds).c_str());
}

long long RemainingMilliseconds(long long elapsedMilliseconds, int roundsDone, int rounds) {
    if (roundsDone <= 0) return -1;
    if (roundsDone >= rounds) return 0;
    if (elapsedMilliseconds < 0) elapsedMilliseconds = 0; // a clock set back
    // Long double: 1000 rounds of days in milliseconds overflow no product.
    const long double perRound = static_cast<long double>(elapsedMilliseconds) / roundsDone;
    return static_cast<long long>(perRound * (rounds - roundsDone) + 0.5L);
}

std::string DurationText(long long milliseconds) {
    if (milliseconds < 0) milliseconds = 0;
    const long long seconds = (milliseconds + 999) / 1000;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%lld:%02d:%02d", seconds / 3600, static_cast<int>(seconds / 60 % 60),
                  static_cast<int>(seconds % 60));
    return buffer;
}

std::string MatchNumbersText(const std::vector<int>& numbers) {
    std::string text;
    size_t i = 0;
    while (i < numbers.size()) {
        size_t j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1) ++j;
        if (!text.empty()) text += ",";
        text += std::to_string(numbers[i]);
        if (j > i) text += "-" + std::to_string(numbers[j]);
        i = j + 1;
    }
    return text;
}

std::string ConditionsSummary(const PoolsDocument& doc) {
    static const char* const kRangeLabels[2][3] = {{N_("Tip 1:"), N_("Tip X:"), N_("Tip 2:")},
                                                   {N_("Favourites:"), N_("Neutrals:"), N_("Outsiders:")}};
    std::string summary;
    auto append = [&summary](const std::string& part) {
        if (!summary.empty()) summary += "; ";
        summary += part;
    };
    for (int which = kCondDuplicates; which <= kCondFavourites; ++which) {
        const int inCalc = ConditionInCalculation(doc, which);
        if (inCalc == 0) {
            if (doc.conditionEnabled[which] && doc.conditionUseInCalc[which])
                append(TrFormat(N_("%s: no effect"), ConditionName(which, doc.zeroForDraw).c_str()));
            continue;
        }
        if (which == kCondDuplicates) {
            std::vector<int> marked;
            for (int m = 0; m < doc.matchCount && m < kMaxMatches; ++m)
                if (doc.matches[m].hasData() && doc.matches[m].noDuplicates) marked.push_back(m + 1);
            append(TrFormat(N_("No duplicates: matches %s"), MatchNumbersText(marked).c_str()));
            continue;
        }
        const int group = which - kCondTips1X2;
        std::string part;
        for (int kind = 0; kind < 3; ++kind) {
            const std::string label =
                Translate(group == 0 && kind == 1 && doc.zeroForDraw ? N_("Tip 0:") : kRangeLabels[group][kind]);
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%s %d-%d", label.c_str(), doc.effectiveBounds[group][kind][0],
                          doc.effectiveBounds[group][kind][1]);
            if (!part.empty()) part += ", ";
            part += buffer;
        }
        append(part);
    }
    return summary;
}

std::string ViolationFigure(const std::array<int, kEqualsLevels>& violations) {
    const int top = TopEntry(violations);
    if (top <= 0) return "+"; // entry 0 never counts: a miss is at least 1
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d:%d", top, violations[top]);
    return buffer;
}

std::string DuplicateFigure(int duplicatePairs) {
    return duplicatePairs <= 0 ? "+" : std::to_string(duplicatePairs);
}

std::string ConditionFigure(const DistributionState& state, int which) {
    if (which == kSwitchDuplicates) return DuplicateFigure(state.DuplicateCount());
    return ViolationFigure(state.violations[which - kSwitch1X2]);
}

std::string EqualsFigure(int pairs) { return pairs == 0 ? "-" : std::to_string(pairs); }

std::string MarkImproved(const std::string& figure, bool equalsRow) {
    // Figures of six digits and more would push the mark out of the column.
    const bool wide = equalsRow && figure.size() >= 6 && figure.find_first_not_of("0123456789") == std::string::npos;
    return figure + (wide ? "*" : " *");
}

std::string DifferenceText(int difference) {
    switch (difference) {
    case kDifferenceConditionsFault: return Translate(N_("Conditions fault"));
    case kDifferenceConditionsOk: return Translate(N_("Conditions ok"));
    case kDifferenceLevelBetter: return Translate(N_("Difference: -"));
    case kDifferenceLevelWorse: return Translate(N_("Difference: +"));
    default: return TrFormat(N_("Difference: %d"), difference);
    }
}

std::string RoundName(int roundIndex, bool shortForm) {
    if (roundIndex < 0) return Translate(shortForm ? N_("old") : N_("old distribution"));
    return shortForm ? std::to_string(roundIndex + 1) : TrFormat(N_("Round %d"), roundIndex + 1);
}

std::string BestText(int roundIndex, bool finished, bool shortForm) {
    const std::string round = RoundName(roundIndex, shortForm);
    return finished ? TrFormat(N_("best: %s"), round.c_str()) : TrFormat(N_("best so far: %s"), round.c_str());
}

std::string RoundsPassedText(int passed, int rounds, int bestRoundIndex, bool frozen) {
    if (bestRoundIndex < -1) {
        return frozen ? TrFormatPlural(NP_("%1$d/%2$d round passed (frozen window)",
                                           "%1$d/%2$d rounds passed (frozen window)"),
                                       rounds, passed, rounds)
                      : TrFormatPlural(NP_("%1$d/%2$d round passed", "%1$d/%2$d rounds passed"), rounds, passed,
                                       rounds);
    }
    const std::string best = RoundName(bestRoundIndex, true);
    return frozen ? TrFormatPlural(NP_("%1$d/%2$d round passed, best so far: %3$s (frozen window)",
                                       "%1$d/%2$d rounds passed, best so far: %3$s (frozen window)"),
                                   rounds, passed, rounds, best.c_str())
                  : TrFormatPlural(NP_("%1$d/%2$d round passed, best so far: %3$s",
                                       "%1$d/%2$d rounds passed, best so far: %3$s"),
                                   rounds, passed, rounds, best.c_str());
}

std::string CurrentRoundText(int roundIndex) { return TrFormat(N_("Current Round: %d"), roundIndex + 1); }

std::string RunningRoundsText(const std::vector<RunningRound>& rounds) {
    if (rounds.size() < 2) return std::string();
    std::string list;
    for (const RunningRound& r : rounds) {
        if (!list.empty()) list += ", ";
        char item[48];
        if (r.topLevel >= 0)
            std::snprintf(item, sizeof item, "%d (%d:%d)", r.roundIndex + 1, r.topLevel, r.topPairs);
        else
            std::snprintf(item, sizeof item, "%d (-)", r.roundIndex + 1);
        list += item;
    }
    return TrFormat(N_("Rounds running: %s"), list.c_str());
}

} // namespace vdx
