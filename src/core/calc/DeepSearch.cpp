#include "calc/DeepSearch.h"

#include "calc/Engine.h"
#include "calc/Improvement.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

namespace vdx {

namespace {

using Clock = std::chrono::steady_clock;

// Work (lines weighed or brought up to date) between two looks at the clock
// and the stop flag: well under a millisecond. Counted in work rather than
// moves, since a taken move on 1000 lines costs as much as hundreds declined.
constexpr long long kWorkBetweenChecks = 1 << 16;
// Weight of a pair grows by this factor per equal tip, so the walk cares most
// for the pairs at the top while still feeling the levels below.
constexpr int kWeightBase = 5;
// Temperatures of an epoch, in units of what one pair gains by rising to the
// start's top level.
constexpr double kHotTemperature = 0.6;
constexpr double kColdTemperature = 0.04;
// Repeatable mode: one epoch stands for this many seconds, with this much work
// per stream: a move weighs every line as a partner once and costs about as
// much again as a hundred more; the moves taken, which bring the costs of all
// lines and matches up to date, make large rounds dearer still. About a second
// for the four streams on two cores of today.
constexpr double kEpochSeconds = 1.0;
constexpr double kWorkPerSecond = 2.4e8;

class Rng {
public:
    explicit Rng(uint64_t seed) : s_(seed) {}
    uint64_t Next() {
        uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0..n-1
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(((Next() >> 32) * n) >> 32); }
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

private:
    uint64_t s_;
};

uint64_t StreamSeed(uint32_t seed, int epoch, int stream) {
    Rng mix((static_cast<uint64_t>(seed) << 32) ^ (static_cast<uint64_t>(epoch) << 8) ^ static_cast<uint64_t>(stream));
    mix.Next();
    return mix.Next();
}

// What all walks share: the shape of the problem and which conditions bind.
struct Problem {
    int n = 0, m = 0;
    std::vector<int> movable; // matches with at least two kinds of tips
    int K = 0;                // no-duplicate matches at positions 0..K-1, when that condition takes part
    bool dupTakesPart = false, dupHard = false;
    std::array<bool, 2> rangeTakesPart{}, rangeHard{};
    bool anyCondition = false;
    bool anyHard = false;         // some condition the start meets must stay met
    const DistributionState* start = nullptr;

    explicit Problem(const DistributionState& s) : n(s.lineCount), m(s.matchCount), start(&s) {
        for (int p = 0; p < m; ++p) {
            int seen[4] = {0, 0, 0, 0};
            for (int l = 0; l < n; ++l) seen[s.tips[p][l] & 3] = 1;
            if (seen[0] + seen[1] + seen[2] + seen[3] >= 2) movable.push_back(p);
        }
        dupTakesPart = s.conditions[kSwitchDuplicates] && s.noDuplicateCount > 0;
        K = dupTakesPart ? s.noDuplicateCount : 0;
        dupHard = dupTakesPart && s.DuplicateCount() == 0;
        for (int g = 0; g < 2; ++g) {
            rangeTakesPart[g] = s.conditions[1 + g];
            rangeHard[g] = rangeTakesPart[g] && TopEntry(s.violations[g]) <= 0;
        }
        anyCondition = dupTakesPart || rangeTakesPart[0] || rangeTakesPart[1];
        anyHard = dupHard || rangeHard[0] || rangeHard[1];
    }
    int Category(int g, int p, int tip) const { return start->categoryMaps[g][p][tip & 3] % 3; }
    int Min(int g, int c) const { return start->bounds[g][c][0]; }
    int Max(int g, int c) const { return start->bounds[g][c][1]; }
    // Entry of the violation histogram for a count, or -1 within the range.
    int Miss(int g, int c, int count) const {
        if (count < Min(g, c)) return std::min(Min(g, c) - count, kEqualsLevels - 1);
        if (count > Max(g, c)) return std::min(count - Max(g, c), kEqualsLevels - 1);
        return -1;
    }
};

// The figures rounds are compared by.
struct Measures {
    Histogram equals{};
    Histogram duplicates{};
    std::array<Histogram, 2> violations{};
};

// One walk: the tips, the pair tables kept up to date move by move, and the
// best it has seen.
class Walk {
public:
    explicit Walk(const Problem& problem)
        : pr_(problem), n_(problem.n), rng_(1), probeBest_(std::make_unique<DistributionState>(*problem.start)),
          probeNow_(std::make_unique<DistributionState>(*problem.start)) {
        tips_.resize(static_cast<size_t>(pr_.m) * n_);
        eq_.resize(static_cast<size_t>(n_) * n_);
        if (pr_.dupTakesPart) nd_.resize(static_cast<size_t>(n_) * n_);
        costs_.resize(static_cast<size_t>(n_) * pr_.m * 4);
        lineTips_.resize(static_cast<size_t>(n_) * pr_.m);
        for (int g = 0; g < 2; ++g)
            if (pr_.rangeTakesPart[g]) cat_[g].resize(static_cast<size_t>(n_) * 3);
    }

    void Start(const std::vector<uint8_t>& tips, const Measures& measures, uint64_t seed) {
        tips_ = tips;
        bestTips_ = tips;
        best_ = measures;
        rng_ = Rng(seed);
        Rebuild();
        steps_ = 0;
        improved_ = false;
        topLevel_ = -1;
    }

    // Starts from the same tips as other, which has just started: its tables
    // are copied instead of counted again.
    void StartLike(const Walk& other, uint64_t seed) {
        tips_ = other.tips_;
        bestTips_ = other.bestTips_;
        best_ = other.best_;
        now_ = other.now_;
        eq_ = other.eq_;
        nd_ = other.nd_;
        cat_ = other.cat_;
        costs_ = other.costs_;
        lineTips_ = other.lineTips_;
        std::copy(std::begin(other.weight_), std::end(other.weight_), std::begin(weight_));
        std::copy(std::begin(other.up_), std::end(other.up_), std::begin(up_));
        std::copy(std::begin(other.down_), std::end(other.down_), std::begin(down_));
        rng_ = Rng(seed);
        steps_ = 0;
        improved_ = false;
        topLevel_ = -1;
        topPairs_.clear();
    }

    // Anneals from hot to cold over the steps, or until the deadline, or until stopped.
    void Run(long long steps, Clock::time_point deadline, bool timed, const std::atomic<bool>& stop,
             std::atomic<long long>& counter) {
        const int top = std::max(0, TopEntry(now_.equals));
        const double unit = static_cast<double>(weight_[top] - (top > 0 ? weight_[top - 1] : 0));
        const auto begin = Clock::now();
        const double span = std::chrono::duration<double>(deadline - begin).count();
        double temperature = kHotTemperature * unit;
        long long work = kWorkBetweenChecks, uncounted = 0;
        for (long long i = 0; timed || i < steps; ++i) {
            if (work >= kWorkBetweenChecks) {
                counter.fetch_add(uncounted, std::memory_order_relaxed);
                uncounted = 0;
                work = 0;
                if (stop.load(std::memory_order_relaxed)) break;
                double done;
                if (timed) {
                    const auto now = Clock::now();
                    if (now >= deadline) break;
                    done = span > 0 ? std::chrono::duration<double>(now - begin).count() / span : 1.0;
                } else {
                    done = static_cast<double>(i) / static_cast<double>(steps);
                }
                temperature = unit * kHotTemperature * std::pow(kColdTemperature / kHotTemperature, done);
            }
            work += Step(temperature);
            ++uncounted;
            ++steps_;
        }
        counter.fetch_add(uncounted, std::memory_order_relaxed);
    }

    // Runs hot and tells whether the kept costs agree with a fresh count after every move.
    bool RunChecked(long long steps) {
        const int top = std::max(0, TopEntry(now_.equals));
        const double unit = static_cast<double>(weight_[top] - (top > 0 ? weight_[top - 1] : 0));
        for (long long i = 0; i < steps; ++i) {
            Step(unit);
            if (!CostsAgree()) return false;
        }
        return true;
    }

    const std::vector<uint8_t>& BestTips() const { return bestTips_; }
    const Measures& Best() const { return best_; }
    bool Improved() const { return improved_; }
    long long Steps() const { return steps_; }

private:
    uint8_t* Row(int line) { return eq_.data() + static_cast<size_t>(line) * n_; }
    uint8_t* NdRow(int line) { return nd_.data() + static_cast<size_t>(line) * n_; }
    uint8_t* Tips(int p) { return tips_.data() + static_cast<size_t>(p) * n_; }

    void Rebuild() {
        for (int e = 0; e < 17; ++e) weight_[e] = 0;
        int64_t w = 1;
        for (int e = 0; e < kEqualsLevels; ++e) {
            weight_[e] = w;
            w *= kWeightBase;
        }
        weight_[kEqualsLevels] = w;
        for (int e = 0; e < kEqualsLevels; ++e) {
            up_[e] = weight_[e + 1] - weight_[e];
            down_[e] = e > 0 ? weight_[e - 1] - weight_[e] : 0;
        }
        // The diagonal reads as level 15, which weighs nothing either way.
        up_[15] = down_[15] = 0;

        for (int p = 0; p < pr_.m; ++p)
            for (int l = 0; l < n_; ++l) lineTips_[static_cast<size_t>(l) * pr_.m + p] = Tips(p)[l];
        std::fill(eq_.begin(), eq_.end(), 0);
        if (!nd_.empty()) std::fill(nd_.begin(), nd_.end(), 0);
        for (int p = 0; p < pr_.m; ++p) {
            const uint8_t* t = Tips(p);
            for (int a = 0; a < n_; ++a) {
                uint8_t* row = Row(a);
                uint8_t* ndRow = nd_.empty() ? nullptr : NdRow(a);
                for (int b = 0; b < n_; ++b)
                    if (t[a] == t[b]) {
                        ++row[b];
                        if (ndRow && p < pr_.K) ++ndRow[b];
                    }
            }
        }
        now_ = Measures();
        for (int a = 0; a < n_; ++a) Row(a)[a] = 15;
        for (int p = 0; p < pr_.m; ++p)
            for (int l = 0; l < n_; ++l) Recount(p, l);
        for (int a = 0; a < n_; ++a) {
            for (int b = a + 1; b < n_; ++b) {
                ++now_.equals[Row(a)[b]];
                if (!nd_.empty()) ++now_.duplicates[NdRow(a)[b]];
            }
        }
        for (int g = 0; g < 2; ++g) {
            if (cat_[g].empty()) continue;
            std::fill(cat_[g].begin(), cat_[g].end(), 0);
            for (int p = 0; p < pr_.m; ++p)
                for (int l = 0; l < n_; ++l) ++cat_[g][static_cast<size_t>(l) * 3 + pr_.Category(g, p, Tips(p)[l])];
            for (int l = 0; l < n_; ++l)
                for (int c = 0; c < 3; ++c) {
                    const int miss = pr_.Miss(g, c, cat_[g][static_cast<size_t>(l) * 3 + c]);
                    if (miss >= 0) ++now_.violations[g][miss];
                }
        }
    }

    // A pair at the walk's top level, at random.
    bool PickTopPair(int& a, int& b) {
        // A list of the pairs at the top, kept by Apply; entries that have
        // left the top are dropped as they are drawn.
        const int top = TopEntry(now_.equals);
        if (top != topLevel_ || topPairs_.size() > 4 * static_cast<size_t>(now_.equals[top]) + 1024) ListTopPairs(top);
        for (int listed = 0; listed < 2; ++listed) {
            if (listed == 1) ListTopPairs(top);
            while (!topPairs_.empty()) {
                const size_t i = rng_.Below(static_cast<uint32_t>(topPairs_.size()));
                a = static_cast<int>(topPairs_[i] >> 16);
                b = static_cast<int>(topPairs_[i] & 0xFFFF);
                if (Row(a)[b] == top) return top > 0;
                topPairs_[i] = topPairs_.back();
                topPairs_.pop_back();
            }
        }
        return false;
    }

    void ListTopPairs(int top) {
        topLevel_ = top;
        topPairs_.clear();
        for (int x = 0; x < n_; ++x) {
            const uint8_t* row = Row(x);
            for (int y = x + 1; y < n_; ++y)
                if (row[y] == top) topPairs_.push_back(static_cast<uint32_t>(x) << 16 | static_cast<uint32_t>(y));
        }
    }

    void NoteIfTop(int x, int y, int equals) {
        if (equals == topLevel_)
            topPairs_.push_back(static_cast<uint32_t>(std::min(x, y)) << 16 | static_cast<uint32_t>(std::max(x, y)));
    }

    // What a line's pairs add when it gives up its tip in match p for tip v.
    int64_t* Costs(int p, int line) { return costs_.data() + (static_cast<size_t>(p) * n_ + line) * 4; }

    // A line's costs in match p counted afresh: it leaves the lines that hold
    // its tip and joins those that hold v.
    void Recount(int p, int line) {
        const uint8_t* t = Tips(p);
        const uint8_t* row = Row(line);
        // Separate sums per tip instead of adding into an array indexed by
        // the tip, which chains every addition through memory.
        int64_t j0 = 0, j1 = 0, j2 = 0, l0 = 0, l1 = 0, l2 = 0;
        for (int d = 0; d < n_; ++d) {
            const int64_t u = up_[row[d]], w = down_[row[d]];
            const uint8_t td = t[d];
            j0 += td == 0 ? u : 0;
            j1 += td == 1 ? u : 0;
            j2 += td == 2 ? u : 0;
            l0 += td == 0 ? w : 0;
            l1 += td == 1 ? w : 0;
            l2 += td == 2 ? w : 0;
        }
        const int64_t join[4] = {j0, j1, j2, 0}, leave[4] = {l0, l1, l2, 0};
        int64_t* cost = Costs(p, line);
        for (int v = 0; v < 4; ++v) cost[v] = leave[t[line]] + join[v];
    }

    // Whether the kept costs agree with a fresh count (a check for the tests).
    bool CostsAgree() {
        const std::vector<int64_t> kept = costs_;
        for (int p = 0; p < pr_.m; ++p)
            for (int l = 0; l < n_; ++l) Recount(p, l);
        const bool agree = kept == costs_;
        costs_ = kept;
        return agree;
    }

    // One move: a pair at the top is parted by handing one of its lines' tip
    // in a match they share to another line, in exchange for that line's tip.
    // Every possible partner is weighed (two kept costs each) and the best is
    // taken when the temperature allows.
    // Returns the work done, in lines weighed or brought up to date.
    long long Step(double temperature) {
        // Drawing the pair and its shared matches weighs about as much as this many lines.
        constexpr long long kOverhead = 32;
        int a = -1, b = -1;
        if (!PickTopPair(a, b)) return kOverhead;
        int shared[kMaxMatches];
        int sharedCount = 0;
        for (int q : pr_.movable)
            if (Tips(q)[a] == Tips(q)[b]) shared[sharedCount++] = q;
        if (sharedCount == 0) return kOverhead;

        const int p = shared[rng_.Below(static_cast<uint32_t>(sharedCount))];
        const int x = rng_.Below(2) ? a : b;
        const uint8_t* t = Tips(p);
        const uint8_t tx = t[x];
        const uint8_t* rx = Row(x);
        // A partner with x's own tip changes nothing: it weighs as never taken.
        constexpr int64_t kNever = INT64_MAX / 4;
        int64_t half[4];
        std::copy(Costs(p, x), Costs(p, x) + 4, half);
        half[tx] = kNever;
        const int64_t* costs = Costs(p, 0);
        int64_t bestDelta = kNever;
        int bc = -1;
        // From a random line on, so that ties fall to any of them.
        const int from = static_cast<int>(rng_.Below(static_cast<uint32_t>(n_)));
        auto scan = [&](int begin, int end) {
            for (int c = begin; c < end; ++c) {
                // The pair x-c keeps its equals; both halves counted it as rising.
                const int64_t delta = half[t[c]] + costs[4 * c + tx] - 2 * up_[rx[c]];
                if (delta < bestDelta && (!pr_.anyHard || KeepsHardConditions(p, x, c, tx, t[c]))) {
                    bestDelta = delta;
                    bc = c;
                }
            }
        };
        scan(from, n_);
        scan(0, from);
        if (bc < 0 || bestDelta >= kNever) return kOverhead + n_;
        if (bestDelta > 0 && rng_.Unit() >= std::exp(-static_cast<double>(bestDelta) / temperature))
            return kOverhead + n_;
        const uint8_t tc = t[bc];
        Apply(p, x, bc, tx, tc);
        if (Better()) {
            bestTips_ = tips_;
            best_ = now_;
            improved_ = true;
        }
        return kOverhead + n_ + static_cast<long long>(n_) * pr_.m;
    }

    // Whether the exchange keeps every condition that the start meets.
    bool KeepsHardConditions(int p, int a, int b, uint8_t ta, uint8_t tb) {
        for (int g = 0; g < 2; ++g) {
            if (!pr_.rangeHard[g]) continue;
            const int ca = pr_.Category(g, p, ta), cb = pr_.Category(g, p, tb);
            if (ca == cb) continue;
            // a trades a ca for a cb, b the other way round.
            const uint8_t* la = &cat_[g][static_cast<size_t>(a) * 3];
            const uint8_t* lb = &cat_[g][static_cast<size_t>(b) * 3];
            if (la[ca] - 1 < pr_.Min(g, ca) || la[cb] + 1 > pr_.Max(g, cb)) return false;
            if (lb[cb] - 1 < pr_.Min(g, cb) || lb[ca] + 1 > pr_.Max(g, ca)) return false;
        }
        if (pr_.dupHard && p < pr_.K) {
            const uint8_t* t = Tips(p);
            const uint8_t* na = NdRow(a);
            const uint8_t* nb = NdRow(b);
            const int limit = pr_.K - 1;
            for (int c = 0; c < n_; ++c) {
                if (c == a || c == b) continue;
                if (t[c] == tb && na[c] >= limit) return false;
                if (t[c] == ta && nb[c] >= limit) return false;
            }
        }
        return true;
    }

    void Apply(int p, int a, int b, uint8_t ta, uint8_t tb) {
        uint8_t* t = Tips(p);
        uint8_t* ra = Row(a);
        uint8_t* rb = Row(b);
        const bool nd = pr_.dupTakesPart && p < pr_.K;
        uint8_t* na = nd ? NdRow(a) : nullptr;
        uint8_t* nb = nd ? NdRow(b) : nullptr;
        Histogram& h = now_.equals;
        uint8_t tipsA[kMaxMatches], tipsB[kMaxMatches];
        for (int q = 0; q < pr_.m; ++q) {
            tipsA[q] = Tips(q)[a];
            tipsB[q] = Tips(q)[b];
        }
        tipsA[p] = tb;
        tipsB[p] = ta;
        int64_t* costs = Costs(p, 0);
        for (int c = 0; c < n_; ++c) {
            if (c == a || c == b) continue;
            const uint8_t tc = t[c];
            // c sees a's tip go from ta to tb and b's from tb to ta in p
            // (a's and b's own costs there are counted afresh below).
            {
                const int64_t ua = up_[ra[c]], ub = up_[rb[c]];
                const int64_t leave = tc == ta ? down_[rb[c]] - down_[ra[c]] : tc == tb ? down_[ra[c]] - down_[rb[c]] : 0;
                int64_t* cost = costs + 4 * c;
                for (int v = 0; v < 4; ++v) cost[v] += leave;
                cost[ta] += ub - ua;
                cost[tb] += ua - ub;
            }
            int da;
            if (tc == ta) da = -1;
            else if (tc == tb) da = 1;
            else continue;
            ShiftLevel(c, a, tipsA, ra[c], static_cast<uint8_t>(ra[c] + da));
            ShiftLevel(c, b, tipsB, rb[c], static_cast<uint8_t>(rb[c] - da));
            // a's pair moves by da, b's by -da.
            --h[ra[c]];
            --h[rb[c]];
            ra[c] = static_cast<uint8_t>(ra[c] + da);
            rb[c] = static_cast<uint8_t>(rb[c] - da);
            ++h[ra[c]];
            ++h[rb[c]];
            Row(c)[a] = ra[c];
            Row(c)[b] = rb[c];
            NoteIfTop(a, c, ra[c]);
            NoteIfTop(b, c, rb[c]);
            if (nd) {
                Histogram& d = now_.duplicates;
                --d[na[c]];
                --d[nb[c]];
                na[c] = static_cast<uint8_t>(na[c] + da);
                nb[c] = static_cast<uint8_t>(nb[c] - da);
                ++d[na[c]];
                ++d[nb[c]];
                NdRow(c)[a] = na[c];
                NdRow(c)[b] = nb[c];
            }
        }
        for (int g = 0; g < 2; ++g) {
            if (cat_[g].empty()) continue;
            const int ca = pr_.Category(g, p, ta), cb = pr_.Category(g, p, tb);
            if (ca == cb) continue;
            MoveCategory(g, a, ca, cb);
            MoveCategory(g, b, cb, ca);
        }
        t[a] = tb;
        t[b] = ta;
        lineTips_[static_cast<size_t>(a) * pr_.m + p] = tb;
        lineTips_[static_cast<size_t>(b) * pr_.m + p] = ta;
        Recount(p, a);
        Recount(p, b);
    }

    // The pair c-o moves from equals e to f: both lines' costs follow in
    // every match (tipsO: o's tips after the exchange).
    void ShiftLevel(int c, int o, const uint8_t* tipsO, uint8_t e, uint8_t f) {
        const int64_t du = up_[f] - up_[e], dd = down_[f] - down_[e];
        const uint8_t* tipsC = &lineTips_[static_cast<size_t>(c) * pr_.m];
        for (int q = 0; q < pr_.m; ++q) {
            // Each line sees the other's tip in q: it joins that tip for du,
            // and leaves it for dd when it holds the same tip.
            int64_t* cc = Costs(q, c);
            int64_t* co = Costs(q, o);
            if (tipsO[q] == tipsC[q]) {
                for (int v = 0; v < 4; ++v) {
                    cc[v] += dd;
                    co[v] += dd;
                }
            }
            cc[tipsO[q]] += du;
            co[tipsC[q]] += du;
        }
    }

    // A line trades one tip of category from for one of category to.
    void MoveCategory(int g, int line, int from, int to) {
        uint8_t* counts = &cat_[g][static_cast<size_t>(line) * 3];
        Histogram& v = now_.violations[g];
        for (int c : {from, to}) {
            const int miss = pr_.Miss(g, c, counts[c]);
            if (miss >= 0) --v[miss];
        }
        --counts[from];
        ++counts[to];
        for (int c : {from, to}) {
            const int miss = pr_.Miss(g, c, counts[c]);
            if (miss >= 0) ++v[miss];
        }
    }

    // Whether the walk now stands better than its best, as rounds are compared.
    bool Better() {
        if (!pr_.anyCondition) {
            for (int e = std::min(pr_.m, kEqualsLevels - 1); e >= 0; --e)
                if (now_.equals[e] != best_.equals[e]) return now_.equals[e] < best_.equals[e];
            return false;
        }
        Fill(*probeBest_, best_);
        Fill(*probeNow_, now_);
        if (CompareDistributions(*probeBest_, *probeNow_) <= 0) return false;
        // A condition the start meets stays met (the moves keep it; this is the guard).
        for (int g = 0; g < 2; ++g)
            if (pr_.rangeHard[g] && TopEntry(now_.violations[g]) > 0) return false;
        if (pr_.dupHard && now_.duplicates[pr_.K] > 0) return false;
        return true;
    }

    static void Fill(DistributionState& probe, const Measures& m) {
        probe.equalsHistogram = m.equals;
        probe.duplicateHistogram = m.duplicates;
        probe.violations = m.violations;
    }

    const Problem& pr_;
    int n_;
    Rng rng_;
    std::vector<uint8_t> tips_, bestTips_;
    std::vector<uint8_t> eq_, nd_;
    std::array<std::vector<uint8_t>, 2> cat_;
    Measures now_, best_;
    int64_t weight_[17] = {};
    int64_t up_[16] = {}, down_[16] = {};
    // Per match, line and tip v: what the line's pairs add when it gives up
    // its tip there for v. An exchange is weighed from two of these; Apply
    // keeps them up to date.
    std::vector<int64_t> costs_;
    std::vector<uint8_t> lineTips_;  // tips line by line: [line * m + match]
    std::unique_ptr<DistributionState> probeBest_, probeNow_;
    long long steps_ = 0;
    bool improved_ = false;
    std::vector<uint32_t> topPairs_;  // pairs (first << 16 | second) that were at topLevel_ when listed
    int topLevel_ = -1;
};

std::vector<uint8_t> TipsOf(const DistributionState& s) {
    std::vector<uint8_t> tips(static_cast<size_t>(s.matchCount) * s.lineCount);
    for (int p = 0; p < s.matchCount; ++p)
        std::copy(s.tips[p].begin(), s.tips[p].begin() + s.lineCount, tips.begin() + static_cast<size_t>(p) * s.lineCount);
    return tips;
}

void PutTips(DistributionState& s, const std::vector<uint8_t>& tips) {
    for (int p = 0; p < s.matchCount; ++p)
        std::copy(tips.begin() + static_cast<size_t>(p) * s.lineCount,
                  tips.begin() + static_cast<size_t>(p + 1) * s.lineCount, s.tips[p].begin());
}

Measures MeasuresOf(const DistributionState& s) {
    return {s.equalsHistogram, s.duplicateHistogram, s.violations};
}

} // namespace

SearchOutcome DeepSearch(DistributionState& best, const SearchOptions& options, CalculationProgress* progress) {
    SearchOutcome outcome;
    const auto begin = Clock::now();
    if (options.seconds <= 0 && !(options.repeatable && options.steps > 0 && options.epochs > 0)) return outcome;
    if (best.lineCount < 2 || best.symbolsRestored) return outcome;
    // The recorded histograms must describe the tips we start from.
    const Evaluation counted = EvaluateState(best);
    best.equalsHistogram = counted.equals;
    best.duplicateHistogram = counted.duplicates;
    best.violations = counted.violations;
    const Problem problem(best);
    if (problem.movable.empty()) return outcome;
    outcome.ran = true;

    int threads = options.threads > 0 ? options.threads : static_cast<int>(std::thread::hardware_concurrency());
    threads = std::max(1, threads);
    const int streams = options.repeatable ? kRepeatableStreams : threads;
    threads = std::min(threads, streams);

    const auto start = std::make_unique<DistributionState>(best);

    std::vector<uint8_t> current = TipsOf(best);
    Measures currentMeasures = MeasuresOf(best);

    const long long plannedMs = static_cast<long long>(options.seconds * 1000.0);
    const auto deadline = begin + std::chrono::milliseconds(plannedMs);
    int epochsPlanned = 0;
    long long epochSteps = 0;
    if (options.repeatable) {
        epochsPlanned = options.epochs > 0 ? options.epochs
                                           : std::max(1, static_cast<int>(std::lround(options.seconds / kEpochSeconds)));
        const double visits = problem.n + 100.0 + problem.n * problem.n / 250.0;
        epochSteps = options.steps > 0 ? options.steps
                                       : std::max(1000LL, static_cast<long long>(kWorkPerSecond * kEpochSeconds / visits));
    }
    // Timed epochs: long enough to cool down properly, short enough that the
    // walks meet at the best a few times.
    const double epochSeconds = std::clamp(options.seconds / 4.0, 0.5, 8.0);

    std::vector<std::unique_ptr<Walk>> walks;
    for (int s = 0; s < streams; ++s) walks.push_back(std::make_unique<Walk>(problem));

    std::atomic<bool> stop{false};
    std::atomic<long long> counter{0};
    bool stopped = false;
    auto lastReport = Clock::now();
    auto report = [&](bool force) {
        if (!progress) return;
        const auto now = Clock::now();
        if (!force && now - lastReport < std::chrono::milliseconds(200)) return;
        lastReport = now;
        SearchReport r;
        r.elapsedMilliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(now - begin).count();
        r.plannedMilliseconds = options.repeatable ? 0 : plannedMs;
        r.epochsDone = outcome.epochs;
        r.epochsPlanned = epochsPlanned;
        r.steps = counter.load();
        progress->Searching(r, best);
    };

    for (int epoch = 0;; ++epoch) {
        const auto epochEnd = std::min(deadline, Clock::now() + std::chrono::milliseconds(
                                                                    static_cast<long long>(epochSeconds * 1000.0)));
        std::atomic<int> running{threads};
        std::vector<std::thread> pool;
        // The first thread counts the start's tables (tens of milliseconds on
        // large rounds) and hands them to the others, while this thread
        // keeps serving the progress.
        std::atomic<bool> started{false};
        for (int t = 0; t < threads; ++t)
            pool.emplace_back([&, t] {
                if (t == 0) {
                    walks[0]->Start(current, currentMeasures, StreamSeed(options.seed, epoch, 0));
                    for (int s = 1; s < streams; ++s) walks[s]->StartLike(*walks[0], StreamSeed(options.seed, epoch, s));
                    started = true;
                } else {
                    while (!started.load()) std::this_thread::yield();
                }
                for (int s = t; s < streams; s += threads)
                    walks[s]->Run(epochSteps, epochEnd, !options.repeatable, stop, counter);
                running.fetch_sub(1);
            });
        // This thread serves the progress and its stop requests meanwhile.
        while (running.load() > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            if (progress) {
                progress->Yield();
                const StopRequests requests = progress->Requests();
                if (requests.stopCalculation || requests.stopRound) {
                    stop = true;
                    stopped = true;
                }
                report(false);
            }
        }
        for (std::thread& th : pool) th.join();

        // The best of the walks, the first one on a tie, carries on.
        for (int s = 0; s < streams; ++s) {
            if (!walks[s]->Improved()) continue;
            auto probeNow = std::make_unique<DistributionState>(*start);
            auto probeBest = std::make_unique<DistributionState>(*start);
            const Measures& m = walks[s]->Best();
            probeNow->equalsHistogram = m.equals;
            probeNow->duplicateHistogram = m.duplicates;
            probeNow->violations = m.violations;
            probeBest->equalsHistogram = currentMeasures.equals;
            probeBest->duplicateHistogram = currentMeasures.duplicates;
            probeBest->violations = currentMeasures.violations;
            if (CompareDistributions(*probeBest, *probeNow) > 0) {
                current = walks[s]->BestTips();
                currentMeasures = m;
            }
        }
        for (const auto& w : walks) outcome.steps += w->Steps();
        outcome.epochs = epoch + 1;
        PutTips(best, current);
        best.equalsHistogram = currentMeasures.equals;
        best.duplicateHistogram = currentMeasures.duplicates;
        best.violations = currentMeasures.violations;
        report(true);
        if (stopped) break;
        if (options.repeatable ? outcome.epochs >= epochsPlanned : Clock::now() >= deadline) break;
    }

    // Recount from the tips, and never leave anything worse than the start.
    PutTips(best, current);
    const Evaluation final = EvaluateState(best);
    best.equalsHistogram = final.equals;
    best.duplicateHistogram = final.duplicates;
    best.violations = final.violations;
    bool keep = CompareDistributions(*start, best) > 0;
    for (int g = 0; g < 2 && keep; ++g)
        if (problem.rangeHard[g] && TopEntry(best.violations[g]) > 0) keep = false;
    if (keep && problem.dupHard && best.DuplicateCount() > 0) keep = false;
    if (!keep) best = *start;
    best.recordedTips = best.tips;
    outcome.improved = keep;
    outcome.stopped = stopped;
    outcome.elapsedMilliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - begin).count();
    return outcome;
}

bool DeepSearchKeepsItsCosts(const DistributionState& start, long long steps, uint32_t seed) {
    auto s = std::make_unique<DistributionState>(start);
    const Evaluation counted = EvaluateState(*s);
    s->equalsHistogram = counted.equals;
    s->duplicateHistogram = counted.duplicates;
    s->violations = counted.violations;
    const Problem problem(*s);
    Walk walk(problem);
    walk.Start(TipsOf(*s), MeasuresOf(*s), seed);
    return walk.RunChecked(steps);
}

SearchOutcome SearchAfterRounds(DistributionState& best, int seconds, bool repeatable, uint32_t seed,
                                CalculationProgress* progress) {
    if (seconds <= 0) return {};
    if (progress) {
        const StopRequests requests = progress->Requests();
        if (requests.stopCalculation) return {};
        if (requests.stopRound) progress->StopRoundServed();
    }
    SearchOptions options;
    options.seconds = seconds;
    options.repeatable = repeatable;
    options.seed = seed;
    return DeepSearch(best, options, progress);
}

} // namespace vdx
