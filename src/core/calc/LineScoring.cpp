#include "calc/LineScoring.h"

#include "calc/Conditions.h"
#include "calc/Probabilities.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vdx {

namespace {

int TipMatches(const PoolsDocument& doc) { return std::clamp(doc.tipMatchCount, 0, kMaxMatches); }

int ProbabilityOfTip(const MatchEntry& m, int tip) {
    switch (tip) {
    case kTip1: return m.p1();
    case kTipX: return m.pX();
    case kTip2: return m.p2();
    default: return 0;
    }
}

// Matches whose result differs from the line's tip; an unknown result always differs.
int WrongTips(const PoolsDocument& doc, int line) {
    int wrong = 0;
    for (int m = 0; m < TipMatches(doc); ++m) {
        const int result = doc.matches[m].result;
        if (result < 0 || result > 2 || doc.tipOf(m, line) != result) ++wrong;
    }
    return wrong;
}

// The exchange procedure: for i < j, exchange when the key at j comes before the
// key at i. Not stable; the order it leaves among equal keys is part of the result.
template <typename Key, typename Before>
void ExchangeSort(std::vector<Key>& key, std::vector<int>& perm, Before before) {
    const size_t n = key.size();
    for (size_t i = 0; i + 1 < n; ++i)
        for (size_t j = i + 1; j < n; ++j)
            if (before(key[j], key[i])) {
                std::swap(key[i], key[j]);
                std::swap(perm[i], perm[j]);
            }
}

// Puts line source[pos] at pos in every match entry (all 14, so no row is left behind).
void PermuteLines(PoolsDocument& doc, const std::vector<int>& source) {
    const size_t n = source.size();
    std::vector<uint8_t> row(n);
    for (MatchEntry& m : doc.matches) {
        if (m.tips.size() < n) continue;
        for (size_t pos = 0; pos < n; ++pos) row[pos] = m.tips[source[pos]];
        std::copy(row.begin(), row.end(), m.tips.begin());
    }
}

} // namespace

int LineProbabilitySum(const PoolsDocument& doc, int line) {
    int sum = 0;
    for (int m = 0; m < TipMatches(doc); ++m) {
        const MatchEntry& e = doc.matches[m];
        if (e.hasData()) sum += ProbabilityOfTip(e, doc.tipOf(m, line));
    }
    return sum;
}

int CorrectTips(const PoolsDocument& doc, int line) {
    int correct = 0;
    for (int m = 0; m < TipMatches(doc); ++m) {
        const int result = doc.matches[m].result;
        if (result >= 0 && result <= 2 && doc.tipOf(m, line) == result) ++correct;
    }
    return correct;
}

void SortLines(PoolsDocument& doc, int criterion) {
    const int n = doc.hasTips ? std::min(doc.tipLineCount, kMaxLines) : 0;
    if (n < 1) return;
    const int matches = TipMatches(doc);

    // Two bits per match, the first match highest: comparing the words compares the
    // lines by their first differing match ("none" below "1" below "X" below "2").
    std::vector<uint32_t> word(n, 0);
    for (int l = 0; l < n; ++l)
        for (int m = 0; m < matches; ++m)
            word[l] |= static_cast<uint32_t>(doc.tipOf(m, l) + 1) << (2 * (kMaxMatches - 1 - m));

    std::vector<int> byTips(n);
    for (int l = 0; l < n; ++l) byTips[l] = l;
    ExchangeSort(word, byTips, [](uint32_t a, uint32_t b) { return a < b; });

    // byKey[pos]: position in the order by tips of the line that ends at pos.
    std::vector<int> byKey(n);
    for (int p = 0; p < n; ++p) byKey[p] = p;
    if (criterion == static_cast<int>(SortMode::ByProbability) ||
        criterion == static_cast<int>(SortMode::ByCorrectTips)) {
        std::vector<int> key(n);
        for (int p = 0; p < n; ++p)
            key[p] = criterion == static_cast<int>(SortMode::ByProbability)
                         ? LineProbabilitySum(doc, byTips[p])
                         : WrongTips(doc, byTips[p]);
        if (criterion == static_cast<int>(SortMode::ByProbability) && !doc.env.sortUnlikelyFirst)
            ExchangeSort(key, byKey, [](int a, int b) { return a > b; });
        else
            ExchangeSort(key, byKey, [](int a, int b) { return a < b; });
    }

    std::vector<int> source(n);
    for (int p = 0; p < n; ++p) {
        source[p] = byTips[byKey[p]];
        doc.lineOrigin[p] = byKey[p];
    }
    PermuteLines(doc, source);

    EvaluateConditions(doc);
    doc.recomputeCorrectTips();
}

TipTotals TotalsForConditions(const PoolsDocument& doc) {
    TipTotals totals;
    for (int i = 0; i < doc.matchCount && i < kMaxMatches; ++i) {
        const MatchEntry& m = doc.matches[i];
        if (!m.hasData()) continue;
        std::array<int, 3> c = TipCountsForCalculation(doc, m);
        if (c[0] < 0 || c[1] < 0 || c[2] < 0) continue; // not planned yet
        for (int t = 0; t < 3; ++t) totals.perTip[t] += c[t];
        std::sort(c.begin(), c.end(), [](int a, int b) { return a > b; });
        for (int k = 0; k < 3; ++k) totals.perPosition[k] += c[k];
    }
    return totals;
}

} // namespace vdx
