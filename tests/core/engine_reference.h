#pragma once
// A plain, slow second implementation of a round, for tests only: triangular
// pair table, full rescans in block forming, outside tables counted pair by
// pair, sentinel best candidates. The fast engine must make exactly the same
// choices and draws.

#include "calc/DistributionState.h"
#include "calc/Engine.h"
#include "calc/EngineRandom.h"
#include "calc/Improvement.h"
#include "calc/Progress.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace vdx::ref {

class ReferenceRound {
public:
    ReferenceRound(DistributionState& state, EngineRandom& rng, CalculationProgress* progress = nullptr)
        : s(state), rng_(rng), progress_(progress) {}

    int Run(bool resetRandom) {
        if (resetRandom) rng_.Seed(static_cast<uint32_t>(s.roundIndex + 7));
        if (Construct() == 2) return 2;
        return (Improve() & kNoFurtherRounds) ? 3 : 1;
    }

    int Construct() {
        const int n = s.lineCount, m = s.matchCount;
        s.improving = false;
        pe_.assign(static_cast<size_t>(n) * (n > 0 ? n - 1 : 0) / 2, 0);
        nd_ = pe_;
        for (auto& row : s.tips) row.fill(kRankUnassigned);
        for (auto& g : s.categoryCounts)
            for (auto& l : g) l = {0, 0, 0};
        G_ = (n - 1) / 5 + 1;
        sizes_.assign(G_, n / G_);
        for (int b = 0; b < n - G_ * (n / G_); ++b) ++sizes_[b];
        s.blockCount = G_;
        int single = 0;
        for (int p = 0; p < m; ++p) {
            if (s.counts[p][1] == 0 && s.counts[p][2] == 0) {
                for (int l = 0; l < n; ++l) s.tips[p][l] = 0;
                ++single;
            } else if (p == 0) {
                int l = 0;
                for (int r = 0; r < 3; ++r)
                    for (int c = 0; c < s.counts[p][r]; ++c) s.tips[p][l++] = static_cast<uint8_t>(r);
            } else {
                std::vector<std::array<int, 3>> quota = Apportion(p);
                free_.assign(n, true);
                for (int b = 0; b < G_; ++b) {
                    FormBlock(b);
                    c_ = quota[b];
                    IdenticalRuns(p);
                    Optimise(p, true);
                }
            }
            AddMatchConstruction(p);
        }
        Record(CountAll());
        s.recordedTips = s.tips;
        s.totalTries = 0;
        s.triesSinceImprovement = 0;
        return single >= m - 1 ? 2 : 1;
    }

    int Improve() {
        const int m = s.matchCount;
        const int K = NoDup() ? s.noDuplicateCount : 0;
        s.improving = true;
        s.currentMatch = 0;
        s.triesSinceImprovement = 0;
        s.extraTriesGiven = false;
        highestReached_ = K;
        dupPossible_ = true;
        int flags = 0;
        bool stopping = false, taken = false;
        Evaluation last;
        for (;;) {
            StopRequests req;
            if (progress_) {
                progress_->Yield();
                req = progress_->Requests();
            }
            if (req.stopRound || req.stopCalculation) {
                stopping = true;
                flags |= kRoundStopped;
                if (req.stopCalculation) flags |= kNoFurtherRounds;
            }
            if (req.noMoreRounds || s.roundIndex >= s.lastRoundIndex) {
                flags |= kNoFurtherRounds;
                if (!taken && progress_) progress_->NoMoreRoundsTaken();
                taken = true;
            }
            bool ending = false;
            if (s.currentMatch == 0) {
                ++s.totalTries;
                ++s.triesSinceImprovement;
                if (s.triesSinceImprovement > s.triesLimit) {
                    if (!s.extraTriesGiven && s.extraTries > 0 &&
                        (!s.best || DifferenceToBest(s, *s.best) <= s.difference)) {
                        s.triesLimit += s.extraTries;
                        s.extraTriesGiven = true;
                    } else {
                        ending = true;
                        flags |= kRoundTriesEnded;
                    }
                }
                if (stopping) ending = true;
                last = CountAll();
                active_ = s.equalsLimit >= std::max(TopEntry(last.equals), TopEntry(s.equalsHistogram));
                s.conditionsActive = active_;
                const int level = ImprovementLevel(s, last, active_);
                if (level > 0) {
                    Record(last);
                    s.recordedTips = s.tips;
                    s.triesSinceImprovement = 1;
                    if (progress_) progress_->Improved(s, level);
                }
                if (progress_ && s.totalTries % 10 == 0) progress_->TriesPassed(s, s.totalTries);
            }
            if (ending) break;
            const int p = s.currentMatch;
            if (!(s.counts[p][1] == 0 && s.counts[p][2] == 0)) {
                ChangeMatch(p, -1);
                if (p < K) dupPossible_ = highestReached_ + 1 >= K;
                free_.assign(s.lineCount, true);
                for (int b = 0; b < G_; ++b) {
                    const int draw = rng_.RandomUpTo(9);
                    if (draw != 0 && s.triesSinceImprovement != 1) {
                        block_.clear();
                        while (static_cast<int>(block_.size()) < sizes_[b]) {
                            const int x = rng_.RandomUpTo(s.lineCount - 1);
                            if (free_[x]) {
                                free_[x] = false;
                                block_.push_back(x);
                            }
                        }
                    } else {
                        FormBlock(b);
                    }
                    c_ = {0, 0, 0};
                    for (int line : block_) ++c_[s.tips[p][line]];
                    runs_.assign(block_.size(), 0);
                    Optimise(p, false);
                }
                ChangeMatch(p, +1);
            }
            s.currentMatch = (p + 1) % m;
        }
        if (last.equals != s.equalsHistogram || last.duplicates != s.duplicateHistogram ||
            last.violations != s.violations)
            s.tips = s.recordedTips;
        s.improving = false;
        return flags;
    }

    int PairEquals(int a, int b) const { return pe_[Index(a, b)]; }

private:
    DistributionState& s;
    EngineRandom& rng_;
    CalculationProgress* progress_;
    std::vector<uint8_t> pe_, nd_;
    int G_ = 0;
    std::vector<int> sizes_;
    std::vector<bool> free_;
    std::vector<int> block_;
    std::vector<int> runs_;
    std::array<int, 3> c_{};
    bool active_ = false;
    bool dupPossible_ = true;
    int highestReached_ = 0;

    static size_t Index(int a, int b) {
        if (a > b) std::swap(a, b);
        return static_cast<size_t>(a) + static_cast<size_t>(b) * (b - 1) / 2;
    }
    bool NoDup() const { return s.conditions[kSwitchDuplicates] && s.noDuplicateCount > 0; }

    std::vector<std::array<int, 3>> Apportion(int p) {
        const int n = s.lineCount;
        std::vector<std::array<int, 3>> quota(G_), rem(G_);
        for (int b = 0; b < G_; ++b)
            for (int r = 0; r < 3; ++r) {
                quota[b][r] = s.counts[p][r] * sizes_[b] / n;
                rem[b][r] = s.counts[p][r] * sizes_[b] % n;
            }
        auto blockSum = [&](int b) { return quota[b][0] + quota[b][1] + quota[b][2]; };
        auto rankSum = [&](int r) {
            int t = 0;
            for (int b = 0; b < G_; ++b) t += quota[b][r];
            return t;
        };
        auto open = [&](int b, int r) { return blockSum(b) < sizes_[b] && rankSum(r) < s.counts[p][r]; };
        for (;;) {
            int total = 0;
            for (int b = 0; b < G_; ++b) total += blockSum(b);
            if (total >= n) break;
            int highest = -1;
            std::vector<std::pair<int, int>> cells;
            for (int b = 0; b < G_; ++b)
                for (int r = 0; r < 3; ++r) {
                    if (!open(b, r)) continue;
                    if (rem[b][r] > highest) {
                        highest = rem[b][r];
                        cells.clear();
                    }
                    if (rem[b][r] == highest) cells.emplace_back(b, r);
                }
            const int pick = cells.size() > 1 ? rng_.RandomUpTo(static_cast<int>(cells.size()) - 1) : 0;
            ++quota[cells[pick].first][cells[pick].second];
            rem[cells[pick].first][cells[pick].second] = 0;
        }
        return quota;
    }

    void FormBlock(int b) {
        const int n = s.lineCount;
        block_.clear();
        if (b == G_ - 1) {
            for (int l = 0; l < n; ++l)
                if (free_[l]) {
                    free_[l] = false;
                    block_.push_back(l);
                }
            return;
        }
        while (static_cast<int>(block_.size()) < sizes_[b]) {
            int c = -1, chosen = -1, most = 0, ties = 0;
            for (int i = 0; i < n; ++i) {
                if (!free_[i]) continue;
                int mi = -1, cnt = 0;
                for (int j = 0; j < n; ++j) {
                    if (j == i || !free_[j]) continue;
                    const int e = PairEquals(i, j);
                    if (e > mi) {
                        mi = e;
                        cnt = 1;
                    } else if (e == mi) {
                        ++cnt;
                    }
                }
                if (mi < 0) continue;
                if (mi > c) {
                    c = mi;
                    chosen = i;
                    most = cnt;
                    ties = 0;
                } else if (mi == c) {
                    if (cnt > most) {
                        chosen = i;
                        most = cnt;
                    } else if (cnt == most) {
                        ++ties;
                        if (rng_.RandomUpTo(ties) == 0) chosen = i;
                    }
                }
            }
            std::vector<int> partners;
            for (int j = 0; j < n; ++j)
                if (free_[j] && j != chosen && PairEquals(chosen, j) == c) partners.push_back(j);
            free_[chosen] = false;
            block_.push_back(chosen);
            const int room = sizes_[b] - static_cast<int>(block_.size());
            int skip = std::max(0, static_cast<int>(partners.size()) - room);
            const bool thin = skip > 0;
            int left = static_cast<int>(partners.size());
            for (int j : partners) {
                if (thin && rng_.RandomUpTo(left - 1) < skip) {
                    --skip;
                } else {
                    free_[j] = false;
                    block_.push_back(j);
                }
                --left;
            }
        }
    }

    void IdenticalRuns(int assigned) {
        const int h = static_cast<int>(block_.size());
        for (int i = 0; i < h; ++i) {
            int insert = i + 1;
            for (int j = i + 1; j < h; ++j)
                if (PairEquals(block_[i], block_[j]) == assigned) {
                    const int line = block_[j];
                    block_.erase(block_.begin() + j);
                    block_.insert(block_.begin() + insert, line);
                    ++insert;
                }
        }
        runs_.assign(h, 0);
        for (int i = 0; i < h; ++i)
            for (int k = i + 1; k < h && PairEquals(block_[i], block_[k]) == assigned; ++k) ++runs_[i];
    }

    struct Cand {
        Histogram eq{};
        int dup = 0;
        std::array<Histogram, 2> viol{};
    };

    static int Cmp(const Histogram& a, const Histogram& b) { // < 0: a better
        for (int e = kEqualsLevels - 1; e >= 0; --e)
            if (a[e] != b[e]) return a[e] < b[e] ? -1 : 1;
        return 0;
    }

    void Optimise(int p, bool construction) {
        const int n = s.lineCount, h = static_cast<int>(block_.size());
        const int K = NoDup() ? s.noDuplicateCount : 0;
        const bool weigh = !construction && s.improving && active_;
        const bool weighDup = weigh && NoDup() && p < K && dupPossible_;
        std::vector<bool> inBlock(n, false);
        for (int l : block_) inBlock[l] = true;
        // Outside table, pair by pair.
        std::vector<std::array<Histogram, 3>> table(h);
        std::vector<std::array<int, 3>> dupTable(h, {0, 0, 0});
        for (int a = 0; a < h; ++a) {
            for (auto& t : table[a]) t.fill(0);
            for (int o = 0; o < n; ++o) {
                if (inBlock[o] || s.tips[p][o] == kRankUnassigned) continue;
                const int e = PairEquals(block_[a], o);
                for (int r = 0; r < 3; ++r) ++table[a][r][e + (s.tips[p][o] == r ? 1 : 0)];
                if (weighDup)
                    for (int r = 0; r < 3; ++r)
                        if (nd_[Index(block_[a], o)] + (s.tips[p][o] == r ? 1 : 0) == K) ++dupTable[a][r];
            }
        }
        Cand best;
        best.eq[kEqualsLevels - 1] = n * (n - 1) / 2 + 1;
        best.dup = n * (n - 1) / 2 + 1;
        best.viol[0][kEqualsLevels - 1] = 1001;
        best.viol[1][kEqualsLevels - 1] = 1001;
        std::vector<int> bestRanks(h, 0);
        int tie = 0;
        std::vector<int> fav(c_[0]);
        for (int i = 0; i < c_[0]; ++i) fav[i] = i;
        for (;;) {
            std::vector<int> rest;
            for (int a = 0; a < h; ++a)
                if (std::find(fav.begin(), fav.end(), a) == fav.end()) rest.push_back(a);
            std::vector<int> neu(c_[1]);
            for (int i = 0; i < c_[1]; ++i) neu[i] = i;
            for (;;) {
                std::vector<int> ranks(h, 2);
                for (int f : fav) ranks[f] = 0;
                for (int i : neu) ranks[rest[i]] = 1;
                bool canonical = true;
                if (construction)
                    for (int a = 0; a + 1 < h; ++a)
                        if (runs_[a] > 0 && ranks[a] > ranks[a + 1]) canonical = false;
                if (canonical) {
                    for (int a = 0; a < h; ++a) s.tips[p][block_[a]] = static_cast<uint8_t>(ranks[a]);
                    Cand cand;
                    for (int a = 0; a < h; ++a)
                        for (int e = 0; e < kEqualsLevels; ++e) cand.eq[e] += table[a][ranks[a]][e];
                    for (int a = 0; a < h; ++a)
                        for (int b2 = a + 1; b2 < h; ++b2)
                            ++cand.eq[PairEquals(block_[a], block_[b2]) + (ranks[a] == ranks[b2] ? 1 : 0)];
                    if (weighDup) {
                        for (int a = 0; a < h; ++a) cand.dup += dupTable[a][ranks[a]];
                        for (int a = 0; a < h; ++a)
                            for (int b2 = a + 1; b2 < h; ++b2)
                                if (nd_[Index(block_[a], block_[b2])] + (ranks[a] == ranks[b2] ? 1 : 0) == K)
                                    ++cand.dup;
                    }
                    for (int g = 0; g < 2 && weigh; ++g) {
                        if (!s.conditions[1 + g]) continue;
                        for (int a = 0; a < h; ++a) {
                            std::array<int, 3> cats = {s.categoryCounts[g][block_[a]][0],
                                                       s.categoryCounts[g][block_[a]][1],
                                                       s.categoryCounts[g][block_[a]][2]};
                            ++cats[s.categoryMaps[g][p][ranks[a]]];
                            for (int c = 0; c < 3; ++c) {
                                const int lo = s.bounds[g][c][0], hi = s.bounds[g][c][1];
                                if (cats[c] < lo) ++cand.viol[g][std::min(lo - cats[c], 14)];
                                else if (cats[c] > hi) ++cand.viol[g][std::min(cats[c] - hi, 14)];
                            }
                        }
                    }
                    int cmp = 0;
                    if (weigh && std::max(TopEntry(cand.eq), TopEntry(best.eq)) <= s.equalsLimit) {
                        if (weighDup && cand.dup != best.dup) cmp = cand.dup < best.dup ? -1 : 1;
                        for (int g = 0; g < 2 && cmp == 0; ++g)
                            if (s.conditions[1 + g]) cmp = Cmp(cand.viol[g], best.viol[g]);
                    }
                    if (cmp == 0) cmp = Cmp(cand.eq, best.eq);
                    bool take = cmp < 0;
                    if (cmp == 0) {
                        ++tie;
                        take = rng_.RandomUpTo(tie) == 0;
                    }
                    if (take) {
                        best = cand;
                        bestRanks = ranks;
                        tie = 0;
                    }
                }
                if (!Next(neu, static_cast<int>(rest.size()))) break;
            }
            if (!Next(fav, h)) break;
        }
        for (int a = 0; a < h; ++a) s.tips[p][block_[a]] = static_cast<uint8_t>(bestRanks[a]);
    }

    static bool Next(std::vector<int>& x, int n) {
        const int k = static_cast<int>(x.size());
        int i = k - 1;
        while (i >= 0 && x[i] == n - k + i) --i;
        if (i < 0) return false;
        ++x[i];
        for (int j = i + 1; j < k; ++j) x[j] = x[j - 1] + 1;
        return true;
    }

    void Categories(int p, int delta) {
        for (int g = 0; g < 2; ++g) {
            if (!s.conditions[1 + g]) continue;
            for (int l = 0; l < s.lineCount; ++l)
                s.categoryCounts[g][l][s.categoryMaps[g][p][s.tips[p][l]]] =
                    static_cast<uint8_t>(s.categoryCounts[g][l][s.categoryMaps[g][p][s.tips[p][l]]] + delta);
        }
    }

    void AddMatchConstruction(int p) {
        const int n = s.lineCount;
        for (int j = 1; j < n; ++j)
            for (int i = 0; i < j; ++i)
                if (s.tips[p][i] == s.tips[p][j]) ++pe_[Index(i, j)];
        Categories(p, +1);
        if (NoDup() && p == s.noDuplicateCount - 1) nd_ = pe_;
    }

    void ChangeMatch(int p, int delta) {
        const int n = s.lineCount;
        const bool marked = NoDup() && p < s.noDuplicateCount;
        int highest = -1;
        for (int j = 1; j < n; ++j)
            for (int i = 0; i < j; ++i)
                if (s.tips[p][i] == s.tips[p][j]) {
                    pe_[Index(i, j)] = static_cast<uint8_t>(pe_[Index(i, j)] + delta);
                    if (marked) {
                        nd_[Index(i, j)] = static_cast<uint8_t>(nd_[Index(i, j)] + delta);
                        highest = std::max<int>(highest, nd_[Index(i, j)]);
                    }
                }
        if (marked && delta > 0 && highest >= 0) highestReached_ = highest;
        Categories(p, delta);
    }

    Evaluation CountAll() const {
        Evaluation ev;
        const int n = s.lineCount;
        for (int j = 1; j < n; ++j)
            for (int i = 0; i < j; ++i) {
                ++ev.equals[pe_[Index(i, j)]];
                if (NoDup()) ++ev.duplicates[nd_[Index(i, j)]];
            }
        for (int g = 0; g < 2; ++g) {
            if (!s.conditions[1 + g]) continue;
            for (int l = 0; l < n; ++l)
                for (int c = 0; c < 3; ++c) {
                    const int v = s.categoryCounts[g][l][c];
                    const int lo = s.bounds[g][c][0], hi = s.bounds[g][c][1];
                    if (v < lo) ++ev.violations[g][std::min(lo - v, 14)];
                    else if (v > hi) ++ev.violations[g][std::min(v - hi, 14)];
                }
        }
        return ev;
    }

    void Record(const Evaluation& ev) {
        s.equalsHistogram = ev.equals;
        s.duplicateHistogram = ev.duplicates;
        s.violations = ev.violations;
    }
};

} // namespace vdx::ref
