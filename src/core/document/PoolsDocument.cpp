#include "document/PoolsDocument.h"

#include "calc/Probabilities.h"

#include <algorithm>

namespace vdx {

void MatchEntry::recomputeTipCounts(int tipLineCount) {
    if (!hasData()) {
        tipCounts = {-1, -1, -1};
        return;
    }
    tipCounts = {0, 0, 0};
    const int n = std::min<int>(tipLineCount, static_cast<int>(tips.size()));
    for (int l = 0; l < n; ++l)
        if (tips[l] <= 2) ++tipCounts[tips[l]];
}

PoolsDocument::PoolsDocument(const AppConfig& config) {
    const DefaultOptions& o = config.options;
    matchCount = o.matchCount;
    lineCount = o.lineCount;
    linesPerTicket = o.linesPerTicket;
    rounds = o.rounds;
    unsuccessfulTries = o.unsuccessfulTries;
    upToDifference = o.upToDifference;
    extraTries = o.extraTries;
    searchSeconds = o.searchSeconds;
    sortMode = o.sortMode;
    decimalPoint = o.decimalPoint;
    zeroForDraw = o.zeroForDraw;
    tipMatchCount = o.matchCount;

    const DefaultConditions& c = config.conditions;
    conditionEnabled = c.enabled;
    conditionUseInCalc = {true, true, true};
    conditionRangesAbsolute = config.settings.rangesAbsolute;
    conditionLimit = c.limit;
    for (int g = 0; g < 2; ++g)
        for (int k = 0; k < 3; ++k)
            for (int b = 0; b < 2; ++b) {
                conditionRanges[g][k][b] = c.ranges[g][k][b];
                lastConditionBounds[g][k][b] = -1;
                effectiveBounds[g][k][b] = b == 0 ? 0 : 1000;
            }
    for (int i = 0; i < kMaxMatches; ++i) matches[i].noDuplicates = c.noDuplicates[i];

    env.rangesAbsolute = config.settings.rangesAbsolute;
    env.sortUnlikelyFirst = config.settings.sortUnlikelyFirst;
    resizeTipArrays();
}

void PoolsDocument::setMatchCount(int n) {
    matchCount = std::clamp(n, kMinMatches, kMaxMatches);
    if (conditionLimit > matchCount) conditionLimit = matchCount;
    modified = true;
}

void PoolsDocument::setLineCount(int n) {
    lineCount = std::clamp(n, 1, kMaxLines);
    resizeTipArrays();
    modified = true;
}

void PoolsDocument::setLinesPerTicket(int n) {
    linesPerTicket = std::clamp(n, kMinLinesPerTicket, kMaxLinesPerTicket);
    modified = true;
}

int PoolsDocument::bookieColumnCount() const {
    size_t n = 1;
    for (const MatchEntry& m : matches) n = std::max(n, m.odds.size());
    return static_cast<int>(n);
}

void PoolsDocument::recomputeCorrectTips() {
    if (tipLineCount == -1) return;
    std::fill(correctTips.begin(), correctTips.begin() + tipLineCount, 0);
    for (int m = 0; m < tipMatchCount && m < kMaxMatches; ++m) {
        const MatchEntry& e = matches[m];
        if (e.result < 0 || e.result > 2) continue;
        for (int l = 0; l < tipLineCount; ++l)
            if (tipOf(m, l) == e.result) ++correctTips[l];
    }
    if (onEvaluationChanged) onEvaluationChanged();
}

void PoolsDocument::resizeTipArrays() {
    const size_t size = static_cast<size_t>(std::max(lineCount, tipLineCount));
    for (MatchEntry& m : matches)
        if (m.tips.size() < size) m.tips.resize(size, kNoTip);
}

int PoolsDocument::tipOf(int match, int line) const {
    const MatchEntry& m = matches.at(match);
    if (!m.hasTips || line < 0 || line >= static_cast<int>(m.tips.size())) return -1;
    return m.tips[line] <= 2 ? m.tips[line] : -1;
}

void PoolsDocument::setTipsUpToDate(int flag) {
    if (flag != -1) {
        tipsUpToDate = flag != 0;
        return;
    }
    bool upToDate = matchCount == tipMatchCount && lineCount == tipLineCount;
    for (int i = 0; upToDate && i < matchCount; ++i) {
        const MatchEntry& m = matches[i];
        if (m.hasData())
            upToDate = IsApportionment(m.tipCounts, lineCount, m.p1(), m.p2());
        else
            upToDate = m.tipCounts == std::array<int, 3>{-1, -1, -1};
    }
    tipsUpToDate = upToDate;
    if (upToDate)
        for (int i = 0; i < matchCount; ++i) matches[i].hasTips = matches[i].hasData();
}

int PoolsDocument::countMatchesWithData() const { return CountMatchesWithData(*this); }

std::string TipText(int tip, bool zeroForDraw, bool placeholder) {
    switch (tip) {
    case kTip1: return "1";
    case kTipX: return zeroForDraw ? "0" : "X";
    case kTip2: return "2";
    default: return placeholder ? "-" : "";
    }
}

std::string PoolsDocument::tipText(int tip, bool placeholder) const {
    return TipText(tip, zeroForDraw, placeholder);
}

} // namespace vdx
