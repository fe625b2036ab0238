#include "calc/Probabilities.h"

namespace vdx {

EngineRandom& GlobalRandom() {
    static EngineRandom rng;
    return rng;
}

bool UpdateProbabilities(MatchEntry& m) {
    const auto before = m.probability;
    if (m.chances[0] != -1) {
        m.probability = m.chances;
    } else {
        float sum1 = 0.0f, sum2 = 0.0f;
        int bookies = 0;
        for (const OddsEntry& e : m.odds) {
            if (e.odds[0] == -1 || e.odds[1] == -1 || e.odds[2] == -1) continue;
            float inv1 = 1.0f / static_cast<float>(e.odds[0]);
            float invX = 1.0f / static_cast<float>(e.odds[1]);
            float inv2 = 1.0f / static_cast<float>(e.odds[2]);
            float total = inv1 + invX + inv2;
            sum1 += inv1 / total;
            sum2 += inv2 / total;
            ++bookies;
        }
        if (bookies > 0) {
            m.probability[0] = static_cast<int>(sum1 * 1000.0f / static_cast<float>(bookies));
            m.probability[1] = static_cast<int>(sum2 * 1000.0f / static_cast<float>(bookies));
        } else {
            m.probability = {-1, -1};
        }
    }
    return m.probability != before;
}

int CountMatchesWithData(const PoolsDocument& doc) {
    int n = 0;
    for (int i = 0; i < doc.matchCount; ++i)
        if (doc.matches[i].hasData()) ++n;
    return n;
}

namespace {

struct Quotas {
    std::array<int, 3> quota{};
    std::array<int, 3> remainder{};
    std::array<int, 3> order{0, 1, 2};
    int missing = 0;
};

Quotas ComputeQuotas(int lines, int p1, int p2) {
    Quotas q;
    const std::array<int, 3> p{p1, 1000 - p1 - p2, p2};
    int sum = 0;
    for (int t = 0; t < 3; ++t) {
        q.quota[t] = p[t] * lines / 1000;
        q.remainder[t] = p[t] * lines % 1000;
        sum += q.quota[t];
    }
    q.missing = lines - sum;
    return q;
}

} // namespace

void PlanTipCounts(MatchEntry& m, int lines, EngineRandom& rng) {
    if (!m.hasData()) {
        m.targetCounts = {-1, -1, -1};
        return;
    }
    if (IsApportionment(m.targetCounts, lines, m.p1(), m.p2())) return;
    if (IsApportionment(m.tipCounts, lines, m.p1(), m.p2())) {
        m.targetCounts = m.tipCounts;
        return;
    }
    Quotas q = ComputeQuotas(lines, m.p1(), m.p2());
    for (int i = 0; i < 2; ++i)
        for (int j = i + 1; j < 3; ++j) {
            int ri = q.remainder[q.order[i]], rj = q.remainder[q.order[j]];
            if (ri < rj || (ri == rj && rng.RandomUpTo(1) == 1)) std::swap(q.order[i], q.order[j]);
        }
    m.targetCounts = q.quota;
    for (int k = 0; k < q.missing && k < 3; ++k) ++m.targetCounts[q.order[k]];
}

bool IsApportionment(const std::array<int, 3>& counts, int lines, int p1, int p2) {
    if (p1 < 0 || counts[0] + counts[1] + counts[2] != lines) return false;
    Quotas q = ComputeQuotas(lines, p1, p2);
    for (int i = 0; i < 2; ++i)
        for (int j = i + 1; j < 3; ++j)
            if (q.remainder[q.order[i]] < q.remainder[q.order[j]]) std::swap(q.order[i], q.order[j]);
    std::array<int, 3> expected = q.quota;
    int given = q.missing < 0 ? 0 : (q.missing > 3 ? 3 : q.missing);
    for (int k = 0; k < given; ++k) ++expected[q.order[k]];
    bool tie = false;
    int tiedRemainder = 0;
    if (given > 0) {
        tiedRemainder = q.remainder[q.order[given - 1]];
        for (int k = given; k < 3; ++k)
            if (q.remainder[q.order[k]] == tiedRemainder) {
                ++expected[q.order[k]];
                tie = true;
            }
    }
    if (!tie) return counts == expected;
    for (int t = 0; t < 3; ++t) {
        if (counts[t] == expected[t]) continue;
        if (counts[t] == expected[t] - 1 && q.remainder[t] == tiedRemainder) continue;
        return false;
    }
    return true;
}

const std::array<int, 3>& TipCountsForCalculation(const PoolsDocument& doc, const MatchEntry& m) {
    return doc.tipsUpToDate ? m.tipCounts : m.targetCounts;
}

std::array<int, 3> RankTips(int p1, int pX, int p2) {
    std::array<int, 3> tip{0, 1, 2};
    std::array<int, 3> p{p1, pX, p2};
    for (int i = 0; i < 2; ++i)
        for (int j = i + 1; j < 3; ++j)
            if (p[i] < p[j]) {
                std::swap(p[i], p[j]);
                std::swap(tip[i], tip[j]);
            }
    return tip;
}

std::array<int, 3> RankOfTips(int p1, int pX, int p2) {
    std::array<int, 3> order = RankTips(p1, pX, p2);
    std::array<int, 3> rank{};
    for (int r = 0; r < 3; ++r) rank[order[r]] = r;
    return rank;
}

} // namespace vdx
