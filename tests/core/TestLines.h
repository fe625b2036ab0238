#pragma once
// Builds calculated documents from lines written as text, one string per line,
// one character per match: '1', 'X', '2', anything else for no tip.

#include "calc/Conditions.h"
#include "document/PoolsDocument.h"

#include <string>
#include <vector>

namespace vdx::testlines {

inline uint8_t TipFromChar(char c) {
    switch (c) {
    case '1': return 0;
    case 'X': return 1;
    case '2': return 2;
    default: return kNoTip;
    }
}

inline std::string LineText(const PoolsDocument& doc, int line) {
    std::string s;
    for (int m = 0; m < doc.tipMatchCount; ++m) {
        const int t = doc.tipOf(m, line);
        s += t == 0 ? '1' : t == 1 ? 'X' : t == 2 ? '2' : '-';
    }
    return s;
}

inline std::vector<std::string> AllLines(const PoolsDocument& doc) {
    std::vector<std::string> out;
    for (int l = 0; l < doc.tipLineCount; ++l) out.push_back(LineText(doc, l));
    return out;
}

// Every match with probabilities 400 / 300 / 300 unless changed afterwards.
inline PoolsDocument WithLines(const std::vector<std::string>& lines, PoolsDocument doc = PoolsDocument()) {
    const int matches = static_cast<int>(lines.at(0).size());
    doc.matchCount = doc.tipMatchCount = matches;
    doc.lineCount = doc.tipLineCount = static_cast<int>(lines.size());
    doc.hasTips = true;
    doc.tipsUpToDate = true;
    doc.resizeTipArrays();
    for (int m = 0; m < matches; ++m) {
        MatchEntry& e = doc.match(m);
        e.hasTips = true;
        e.probability = {400, 300};
        e.lastProbability = e.probability;
        for (size_t l = 0; l < lines.size(); ++l) e.tips[l] = TipFromChar(lines[l][m]);
        e.recomputeTipCounts(doc.tipLineCount);
    }
    return doc;
}

// Lines in match order: every match gets its planned tips, "1"s first; a poor
// but valid distribution that the document takes as up to date.
inline void GiveOrderedLines(PoolsDocument& doc) {
    doc.resizeTipArrays();
    for (int i = 0; i < doc.matchCount; ++i) {
        MatchEntry& m = doc.match(i);
        if (!m.hasData()) continue;
        int l = 0;
        for (int t = 0; t < 3; ++t)
            for (int c = 0; c < m.targetCounts[t]; ++c) m.tips[l++] = static_cast<uint8_t>(t);
        m.hasTips = true;
    }
    doc.tipLineCount = doc.lineCount;
    doc.tipMatchCount = doc.matchCount;
    doc.hasTips = true;
    for (MatchEntry& m : doc.matches) m.recomputeTipCounts(doc.tipLineCount);
    doc.setTipsUpToDate(-1);
    RecomputeConditionBookkeeping(doc, true);
}

} // namespace vdx::testlines
