#include "calc/Conditions.h"

#include "calc/LineScoring.h"
#include "calc/Probabilities.h"

#include <algorithm>
#include <cmath>

namespace vdx {

namespace {

constexpr std::array<int, 3> kIdentityMap{0, 1, 2};

// Adds 0.5 and cuts off the fraction.
int RoundHalfUp(double x) { return static_cast<int>(x + 0.5); }

int TipMatches(const PoolsDocument& doc) { return std::clamp(doc.tipMatchCount, 0, kMaxMatches); }

int LinesOf(const PoolsDocument& doc) {
    return doc.hasTips ? std::clamp(doc.tipLineCount, 0, kMaxLines) : 0;
}

bool HasLines(const PoolsDocument& doc) { return LinesOf(doc) > 0; }

// Entries among the first tipMatchCount that hold lines.
std::vector<int> MatchesWithTips(const PoolsDocument& doc) {
    std::vector<int> used;
    for (int m = 0; m < TipMatches(doc); ++m)
        if (doc.matches[m].hasTips) used.push_back(m);
    return used;
}

void Notify(PoolsDocument& doc) {
    if (doc.onEvaluationChanged) doc.onEvaluationChanged();
}

// Per line and category, the tips of the line in the given maps.
std::array<int, 3> CategoryCounts(const PoolsDocument& doc, const std::vector<int>& used, int line,
                                  bool lastMaps, int group) {
    std::array<int, 3> counts{};
    for (int m : used) {
        const int tip = doc.tipOf(m, line);
        if (tip < 0) continue;
        const MatchEntry& e = doc.matches[m];
        ++counts[(lastMaps ? e.lastCategoryMaps : e.categoryMaps)[group][tip]];
    }
    return counts;
}

int PopCount(uint32_t x) { return __builtin_popcount(x); }

} // namespace

void UpdateCategoryMaps(PoolsDocument& doc) {
    for (MatchEntry& m : doc.matches) {
        m.categoryMaps[0] = kIdentityMap;
        m.categoryMaps[1] = m.hasData() ? RankOfTips(m.p1(), m.pX(), m.p2()) : kIdentityMap;
    }
}

std::array<float, 3> ExpectedTips(const std::array<int, 3>& weights, int N) {
    std::array<float, 3> E{};
    const int sum = weights[0] + weights[1] + weights[2];
    for (int k = 0; k < 3; ++k)
        E[k] = sum <= 0 ? static_cast<float>(N) / 3.0f
                        : static_cast<float>(N) * static_cast<float>(weights[k]) / static_cast<float>(sum);
    return E;
}

void ConvertRangesUnit(int ranges[3][2], int N, const float E[3], bool toAbsolute) {
    const float n = static_cast<float>(N);
    for (int k = 0; k < 3; ++k) {
        int& lower = ranges[k][0];
        int& upper = ranges[k][1];
        if (toAbsolute) {
            lower = std::clamp(lower, 0, 100);
            upper = std::clamp(upper, 0, 100);
            lower = RoundHalfUp(static_cast<float>(100 - lower) * E[k] / 100.0f);
            upper = RoundHalfUp(static_cast<float>(100 - upper) * (n - E[k]) / 100.0f);
        } else {
            lower = std::clamp(lower, 0, N);
            upper = std::clamp(upper, 0, N);
            const float rest = n - E[k];
            lower = E[k] == 0.0f ? 0 : RoundHalfUp((E[k] - static_cast<float>(lower)) / E[k] * 100.0f);
            upper = rest == 0.0f ? 0 : RoundHalfUp((rest - static_cast<float>(upper)) / rest * 100.0f);
            lower = std::clamp(lower, 0, 100);
            upper = std::clamp(upper, 0, 100);
        }
    }
}

void BoundsFromRanges(const int ranges[3][2], int N, const float E[3], bool absolute, int bounds[3][2]) {
    const float n = static_cast<float>(N);
    for (int k = 0; k < 3; ++k) {
        const double e = E[k];
        int minimum, maximum;
        if (absolute) {
            // Settings from a damaged file are brought into range first.
            minimum = std::clamp(ranges[k][0], 0, N);
            maximum = N - std::clamp(ranges[k][1], 0, N);
            // Never demand fewer than the average allows, whatever the setting.
            const int floorE = static_cast<int>(e + 0.0000001);
            const int ceilE = static_cast<int>(e + 0.9999999);
            if (floorE < minimum) minimum = floorE;
            if (maximum < ceilE) maximum = ceilE;
        } else {
            const int lower = std::clamp(ranges[k][0], 0, 100);
            const int upper = std::clamp(ranges[k][1], 0, 100);
            if (e > N - 0.000001) {
                minimum = N;
            } else {
                minimum = RoundHalfUp(static_cast<float>(100 - lower) * E[k] / 100.0f);
                if (minimum > e + 0.000001) --minimum;
            }
            if (std::fabs(e) <= 0.0000001) {
                maximum = 0;
            } else {
                maximum = RoundHalfUp(E[k] + (n - E[k]) * static_cast<float>(upper) / 100.0f);
                if (e > maximum + 0.000001) ++maximum;
            }
        }
        bounds[k][0] = minimum;
        bounds[k][1] = maximum;
    }
}

void DeriveEffectiveBounds(PoolsDocument& doc) {
    const TipTotals totals = TotalsForConditions(doc);
    const int N = doc.matchCount;
    const bool convert = doc.env.rangesAbsolute != doc.conditionRangesAbsolute;
    for (int g = 0; g < 2; ++g) {
        const std::array<float, 3> E = ExpectedTips(g == 0 ? totals.perTip : totals.perPosition, N);
        if (convert) ConvertRangesUnit(doc.conditionRanges[g], N, E.data(), doc.env.rangesAbsolute);
        BoundsFromRanges(doc.conditionRanges[g], N, E.data(), doc.env.rangesAbsolute, doc.effectiveBounds[g]);
    }
    doc.conditionRangesAbsolute = doc.env.rangesAbsolute;
}

void UpdateConditionState(PoolsDocument& doc) {
    std::array<int, 3> state{};
    for (int g = 0; g < 2; ++g) {
        if (!doc.conditionEnabled[g + 1]) continue;
        for (int k = 0; k < 3; ++k)
            if (doc.effectiveBounds[g][k][0] != 0 || doc.effectiveBounds[g][k][1] != doc.matchCount)
                state[g + 1] = 1;
    }
    if (doc.conditionEnabled[kCondDuplicates]) {
        int marked = 0;
        for (int m = 0; m < doc.matchCount && m < kMaxMatches; ++m)
            if (doc.matches[m].hasData() && doc.matches[m].noDuplicates) ++marked;
        // With every match marked a duplicate is an identical line, which the
        // equals measure already avoids, unless a range condition pushes towards it.
        if (marked >= 2 &&
            (marked < CountMatchesWithData(doc) || state[kCondTips1X2] == 1 || state[kCondFavourites] == 1))
            state[kCondDuplicates] = 1;
        if (doc.hasTips) {
            for (int m = 0; m < TipMatches(doc); ++m)
                if (doc.matches[m].hasTips && doc.matches[m].noDuplicates) {
                    state[kCondDuplicates] += 2;
                    break;
                }
        }
    }
    doc.conditionState = state;
}

int ConditionInCalculation(const PoolsDocument& doc, int which) {
    if (which < 0 || which > 2 || !doc.conditionUseInCalc[which]) return 0;
    const int state = doc.conditionState[which];
    return which == kCondDuplicates ? (state & 1) : state;
}

PairHistograms CountPairEquals(const PoolsDocument& doc, bool useLastMarks, std::vector<uint8_t>* duplicateLines) {
    PairHistograms h;
    const int n = LinesOf(doc);
    const std::vector<int> used = MatchesWithTips(doc);

    // Two bits per match with tips; a field of a ^ b is zero where the lines agree.
    uint32_t allFields = 0, markedFields = 0;
    for (size_t p = 0; p < used.size(); ++p) {
        const MatchEntry& e = doc.matches[used[p]];
        allFields |= 1u << (2 * p);
        if (useLastMarks ? e.lastNoDuplicates : e.noDuplicates) {
            markedFields |= 1u << (2 * p);
            ++h.markedMatches;
        }
    }
    std::vector<uint32_t> word(n, 0);
    for (int l = 0; l < n; ++l)
        for (size_t p = 0; p < used.size(); ++p)
            word[l] |= static_cast<uint32_t>(doc.tipOf(used[p], l) + 1) << (2 * p);

    if (duplicateLines) duplicateLines->assign(n, 0);
    const int matches = static_cast<int>(used.size());
    const int K = h.markedMatches;
    for (int i = 0; i + 1 < n; ++i) {
        const uint32_t a = word[i];
        for (int j = i + 1; j < n; ++j) {
            const uint32_t x = a ^ word[j];
            const uint32_t differ = (x | (x >> 1)) & allFields;
            const int equal = matches - PopCount(differ);
            const int equalMarked = K - PopCount(differ & markedFields);
            ++h.equals[equal];
            ++h.duplicates[equalMarked];
            if (duplicateLines && K > 0 && equalMarked == K) (*duplicateLines)[i] = (*duplicateLines)[j] = 1;
        }
    }
    return h;
}

void EvaluateDuplicates(PoolsDocument& doc, bool useLastMarks) {
    std::vector<uint8_t> duplicate;
    const PairHistograms h = CountPairEquals(doc, useLastMarks, &duplicate);
    ConditionEvaluation& ev = doc.evaluation;
    ev.equalsHistogram = h.equals;
    ev.duplicateHistogram = h.duplicates;
    ev.duplicateMatchCount = h.markedMatches;
    if (!duplicate.empty() && ev.lineConditionFlags[0] == -1)
        std::fill(ev.lineConditionFlags.begin(), ev.lineConditionFlags.end(), 0);
    ev.flaggedLineCounts[kCondDuplicates] = 0;
    for (size_t l = 0; l < duplicate.size(); ++l) {
        ev.lineConditionFlags[l] &= ~kLineDuplicate;
        if (duplicate[l]) {
            ev.lineConditionFlags[l] |= kLineDuplicate;
            ++ev.flaggedLineCounts[kCondDuplicates];
        }
    }
}

void EvaluateConditions(PoolsDocument& doc) {
    if (!HasLines(doc)) return;
    ConditionEvaluation& ev = doc.evaluation;
    for (auto& line : ev.lineCategoryCounts) line = {};
    std::fill(ev.lineConditionFlags.begin(), ev.lineConditionFlags.end(), 0);
    ev.flaggedLineCounts = {};

    EvaluateDuplicates(doc, true);

    const int n = LinesOf(doc);
    const std::vector<int> used = MatchesWithTips(doc);
    for (int g = 0; g < 2; ++g) {
        const int flag = g == 0 ? kLineOutside1X2 : kLineOutsideFavourites;
        for (int l = 0; l < n; ++l) {
            const std::array<int, 3> counts = CategoryCounts(doc, used, l, true, g);
            bool outside = false;
            for (int k = 0; k < 3; ++k) {
                ev.lineCategoryCounts[l][g][k] = static_cast<uint8_t>(counts[k]);
                if (counts[k] < doc.lastConditionBounds[g][k][0] || counts[k] > doc.lastConditionBounds[g][k][1])
                    outside = true;
            }
            if (outside) {
                ev.lineConditionFlags[l] |= flag;
                ++ev.flaggedLineCounts[g + 1];
            }
        }
    }
    Notify(doc);
}

void ViolationHistograms(const PoolsDocument& doc, Histogram out[2]) {
    out[0] = {};
    out[1] = {};
    const int n = LinesOf(doc);
    const std::vector<int> used = MatchesWithTips(doc);
    for (int g = 0; g < 2; ++g)
        for (int l = 0; l < n; ++l) {
            const std::array<int, 3> counts = CategoryCounts(doc, used, l, false, g);
            for (int k = 0; k < 3; ++k) {
                const int minimum = doc.effectiveBounds[g][k][0];
                const int maximum = doc.effectiveBounds[g][k][1];
                int miss = 0;
                if (counts[k] < minimum) miss = minimum - counts[k];
                else if (counts[k] > maximum) miss = counts[k] - maximum;
                if (miss > 0) ++out[g][std::min(miss, kEqualsLevels - 1)];
            }
        }
}

int EqualsLimit(int matches, int conditionLimit) { return std::max(0, matches - conditionLimit); }

bool ConditionsCount(const Histogram& equals, int equalsLimit) {
    for (int e = kEqualsLevels - 1; e > equalsLimit; --e)
        if (equals[e] != 0) return false;
    return true;
}

bool ConditionsUnchanged(const PoolsDocument& doc) {
    std::array<int, 3> state{};
    for (int i = 0; i < 3; ++i) state[i] = ConditionInCalculation(doc, i);
    if (state != doc.lastConditionState) return false;
    if (state == std::array<int, 3>{0, 0, 0}) return true;
    if (state[kCondDuplicates] != 0)
        for (const MatchEntry& m : doc.matches)
            if (m.noDuplicates != m.lastNoDuplicates) return false;
    for (int g = 0; g < 2; ++g) {
        if (state[g + 1] == 0) continue;
        for (int k = 0; k < 3; ++k)
            for (int b = 0; b < 2; ++b)
                if (doc.effectiveBounds[g][k][b] != doc.lastConditionBounds[g][k][b]) return false;
    }
    if (doc.conditionLimit != doc.lastConditionLimit) return false;
    for (const MatchEntry& m : doc.matches)
        if (m.categoryMaps != m.lastCategoryMaps) return false;
    return true;
}

bool RecordConditions(PoolsDocument& doc) {
    std::array<int, 3> state{};
    for (int i = 0; i < 3; ++i) state[i] = ConditionInCalculation(doc, i);
    const bool anyTakesPart = state != std::array<int, 3>{0, 0, 0};

    bool changed = state != doc.lastConditionState;
    for (MatchEntry& m : doc.matches) {
        if (m.noDuplicates != m.lastNoDuplicates && state[kCondDuplicates] != 0) changed = true;
        m.lastNoDuplicates = m.noDuplicates;
    }
    for (int g = 0; g < 2; ++g)
        for (int k = 0; k < 3; ++k)
            for (int b = 0; b < 2; ++b) {
                if (doc.effectiveBounds[g][k][b] != doc.lastConditionBounds[g][k][b] && state[g + 1] != 0)
                    changed = true;
                doc.lastConditionBounds[g][k][b] = doc.effectiveBounds[g][k][b];
            }
    if (doc.conditionLimit != doc.lastConditionLimit && anyTakesPart) changed = true;
    doc.lastConditionLimit = doc.conditionLimit;
    doc.lastConditionState = state;
    if (changed) doc.modified = true;
    return changed;
}

void RecomputeConditionBookkeeping(PoolsDocument& doc, bool readOk) {
    if (readOk) {
        UpdateCategoryMaps(doc);
        // The maps of the last calculation are not stored; they are the ranks of
        // the probabilities of that calculation, which are.
        for (MatchEntry& m : doc.matches) {
            const int p1 = m.lastProbability[0], p2 = m.lastProbability[1];
            m.lastCategoryMaps[0] = kIdentityMap;
            m.lastCategoryMaps[1] = p1 != -1 ? RankOfTips(p1, 1000 - p1 - p2, p2) : kIdentityMap;
        }
        DeriveEffectiveBounds(doc);
    }
    UpdateConditionState(doc);
    EvaluateConditions(doc);
}

} // namespace vdx
