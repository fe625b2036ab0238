#include "calc/Engine.h"

#include "calc/Conditions.h"
#include "calc/EngineCore.h"
#include "calc/Improvement.h"
#include "calc/Probabilities.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>


namespace vdx {

bool DistributionState::SingleTip(int position) const {
    // Only lines with the favourite. A match whose neutral count is 0 can still
    // have outsiders when the two smaller chances are equal; it is placed like
    // any other match so that it keeps its planned counts.
    return counts[position][1] == 0 && counts[position][2] == 0;
}

int TopEntry(const Histogram& h) {
    for (int e = kEqualsLevels - 1; e >= 0; --e)
        if (h[e] != 0) return e;
    return -1;
}

// ---------------------------------------------------------------------------
// Context

EngineContext::EngineContext(EngineRandom& rng)
    : random(rng), pairs_(new PairTable), noDupPairs_(new PairTable), work_(new EngineWork) {}
EngineContext::~EngineContext() = default;
PairTable& EngineContext::Pairs() { return *pairs_; }
PairTable& EngineContext::NoDupPairs() { return *noDupPairs_; }
EngineWork& EngineContext::Work() { return *work_; }
int EngineContext::PairEquals(int a, int b) const { return pairs_->Get(a, b); }
int EngineContext::NoDupPairEquals(int a, int b) const { return noDupPairs_->Get(a, b); }

// ---------------------------------------------------------------------------
// Setting up a state

void InitState(DistributionState& s, const StateOptions& o, const DistributionState* best) {
    s = DistributionState();
    s.lineCount = std::clamp(o.lineCount, 0, kMaxLines);
    s.matchCount = std::clamp(o.matchCount, 0, kMaxMatches);
    s.roundIndex = o.roundIndex;
    s.lastRoundIndex = o.lastRoundIndex;
    s.triesLimit = o.triesLimit;
    s.difference = o.difference;
    s.extraTries = o.extraTries;
    s.equalsLimit = o.equalsLimit;
    s.conditions = o.conditions;
    s.noDuplicateMarks = o.noDuplicateMarks;
    for (int g = 0; g < 2; ++g)
        for (int k = 0; k < 3; ++k)
            for (int b = 0; b < 2; ++b) s.bounds[g][k][b] = o.bounds[g][k][b];
    s.best = best;
}

StateOptions StateOptionsFromDocument(const PoolsDocument& doc, int roundIndex) {
    StateOptions o;
    o.lineCount = doc.lineCount;
    o.matchCount = CountMatchesWithData(doc);
    o.roundIndex = roundIndex;
    o.lastRoundIndex = doc.rounds - 1;
    o.triesLimit = doc.unsuccessfulTries;
    o.difference = doc.upToDifference;
    o.extraTries = doc.extraTries;
    // The old distribution is judged by the matches it actually has.
    const int matches = roundIndex < 0 ? o.matchCount : doc.matchCount;
    o.equalsLimit = std::max(0, matches - doc.conditionLimit);
    for (int i = 0; i < 3; ++i) o.conditions[i] = ConditionInCalculation(doc, i) != 0;
    int k = 0;
    for (int i = 0; i < doc.matchCount && k < kMaxMatches; ++i)
        if (doc.matches[i].hasData()) o.noDuplicateMarks[k++] = doc.matches[i].noDuplicates;
    for (int g = 0; g < 2; ++g)
        for (int c = 0; c < 3; ++c)
            for (int b = 0; b < 2; ++b) o.bounds[g][c][b] = doc.effectiveBounds[g][c][b];
    return o;
}

namespace {

void SwapPositions(DistributionState& s, int a, int b) {
    std::swap(s.counts[a], s.counts[b]);
    std::swap(s.swapMarks[a], s.swapMarks[b]);
    std::swap(s.probabilities[a], s.probabilities[b]);
    std::swap(s.permutation[a], s.permutation[b]);
    for (int g = 0; g < 2; ++g) std::swap(s.categoryMaps[g][a], s.categoryMaps[g][b]);
}

} // namespace

void PrepareState(DistributionState& s, const PoolsDocument& doc) {
    int k = 0;
    for (int i = 0; i < doc.matchCount && k < s.matchCount; ++i) {
        const MatchEntry& m = doc.matches[i];
        if (!m.hasData()) continue;
        std::array<int, 3> p{m.p1(), m.pX(), m.p2()};
        std::array<int, 3> c = TipCountsForCalculation(doc, m);
        std::array<uint8_t, 3> map1x2{0, 1, 2};
        std::array<uint8_t, 3> marks{};
        // Exchange procedure, not a stable sort: equal probabilities stay put.
        int mark = 0;
        for (int a = 0; a < 2; ++a)
            for (int b = a + 1; b < 3; ++b, ++mark)
                if (p[a] < p[b]) {
                    std::swap(p[a], p[b]);
                    std::swap(c[a], c[b]);
                    std::swap(map1x2[a], map1x2[b]);
                    marks[mark] = 1;
                }
        s.probabilities[k] = p;
        s.counts[k] = c;
        s.swapMarks[k] = marks;
        s.permutation[k] = k;
        s.categoryMaps[kRanges1X2][k] = map1x2;
        s.categoryMaps[kRangesFavourites][k] = {0, 1, 2};
        ++k;
    }
    s.noDuplicateCount = 0;
    if (s.conditions[kSwitchDuplicates]) {
        std::array<bool, kMaxMatches> marked{};
        int K = 0;
        for (int i = 0; i < s.matchCount; ++i) {
            marked[i] = s.noDuplicateMarks[i];
            K += marked[i] ? 1 : 0;
        }
        int next = K;
        for (int pos = 0; pos < K; ++pos) {
            if (marked[pos]) continue;
            while (next < s.matchCount && !marked[next]) ++next;
            if (next >= s.matchCount) break;
            SwapPositions(s, pos, next);
            std::swap(marked[pos], marked[next]);
            ++next;
        }
        s.noDuplicateCount = K;
    }
    s.prepared = true;
}

void PrepareStateFromBest(DistributionState& s, const DistributionState& best) {
    s.counts = best.counts;
    s.swapMarks = best.swapMarks;
    s.probabilities = best.probabilities;
    s.permutation = best.permutation;
    s.categoryMaps = best.categoryMaps;
    s.noDuplicateCount = best.noDuplicateCount;
    s.prepared = best.prepared;
}

int BlockCount(int lineCount) { return lineCount <= 0 ? 0 : (lineCount - 1) / kMaxBlockSize + 1; }

int BlockSize(int lineCount, int block) {
    const int g = BlockCount(lineCount);
    const int base = lineCount / g;
    return base + (block < lineCount - g * base ? 1 : 0);
}

Evaluation EvaluateState(const DistributionState& s) {
    Evaluation ev;
    const int n = s.lineCount, m = s.matchCount;
    const int K = s.conditions[kSwitchDuplicates] ? s.noDuplicateCount : 0;
    for (int a = 0; a + 1 < n; ++a)
        for (int b = a + 1; b < n; ++b) {
            int equal = 0, dup = 0;
            for (int p = 0; p < m; ++p)
                if (s.tips[p][a] == s.tips[p][b]) {
                    ++equal;
                    if (p < K) ++dup;
                }
            ++ev.equals[equal];
            if (K > 0) ++ev.duplicates[dup];
        }
    for (int g = 0; g < 2; ++g) {
        if (!s.conditions[1 + g]) continue;
        for (int l = 0; l < n; ++l) {
            int cat[3] = {0, 0, 0};
            for (int p = 0; p < m; ++p) ++cat[s.categoryMaps[g][p][s.tips[p][l] & 3] % 3];
            for (int c = 0; c < 3; ++c) {
                const int lo = s.bounds[g][c][0], hi = s.bounds[g][c][1];
                if (cat[c] < lo) ++ev.violations[g][std::min(lo - cat[c], kEqualsLevels - 1)];
                else if (cat[c] > hi) ++ev.violations[g][std::min(cat[c] - hi, kEqualsLevels - 1)];
            }
        }
    }
    return ev;
}

bool MakeOldDistributionState(DistributionState& s, const PoolsDocument& doc, const StateOptions& options) {
    StateOptions o = options;
    o.roundIndex = -1;
    InitState(s, o, nullptr);
    PrepareState(s, doc);
    std::array<int, kMaxMatches> docIndex{};
    int k = 0;
    for (int i = 0; i < doc.matchCount && k < kMaxMatches; ++i)
        if (doc.matches[i].hasData()) docIndex[k++] = i;
    if (k < s.matchCount) return false;
    for (int p = 0; p < s.matchCount; ++p) {
        // Symbol -> rank: apply the rank sort's exchanges to the symbol order.
        std::array<int, 3> symbolAt{0, 1, 2};
        int mark = 0;
        for (int a = 0; a < 2; ++a)
            for (int b = a + 1; b < 3; ++b, ++mark)
                if (s.swapMarks[p][mark]) std::swap(symbolAt[a], symbolAt[b]);
        std::array<int, 3> rankOf{};
        for (int r = 0; r < 3; ++r) rankOf[symbolAt[r]] = r;
        const MatchEntry& m = doc.matches[docIndex[s.permutation[p]]];
        for (int l = 0; l < s.lineCount; ++l) {
            const int t = l < static_cast<int>(m.tips.size()) ? m.tips[l] : kNoTip;
            if (t > 2) return false;
            s.tips[p][l] = static_cast<uint8_t>(rankOf[t]);
        }
    }
    const Evaluation ev = EvaluateState(s);
    s.equalsHistogram = ev.equals;
    s.duplicateHistogram = ev.duplicates;
    s.violations = ev.violations;
    s.recordedTips = s.tips;
    return true;
}

// ---------------------------------------------------------------------------
// Vector kernels

namespace {

// Highest counter of the table (the diagonal excluded).
VDX_VECTOR_CLONES
int HighestPair(const PairTable& t, int n) {
    uint8_t best = 0;
    for (int i = 0; i < n; ++i) {
        const uint8_t* row = t.Row(i);
        for (int j = 0; j < n; ++j) {
            const uint8_t v = static_cast<uint8_t>(row[j] + 1); // the diagonal becomes 0
            best = v > best ? v : best;
        }
    }
    return static_cast<int>(best) - 1;
}






// Histogram of the counters of all pairs i < j.
Histogram PairHistogram(const PairTable& t, int n) {
    int64_t h[16] = {};
    if (n >= 64) {
        CountPairLevels(t, n, kEqualsLevels, h);
    } else {
        // Short rows: a compare per level and chunk would cost more than the pairs.
        for (int i = 0; i + 1 < n; ++i)
            for (int j = i + 1; j < n; ++j) ++h[t.Row(i)[j] & 15];
    }
    Histogram out{};
    for (int e = 0; e < kEqualsLevels; ++e) out[e] = static_cast<int32_t>(h[e]);
    return out;
}




} // namespace

// ---------------------------------------------------------------------------
// Block machinery

EngineCore::EngineCore(DistributionState& state, EngineContext& context)
    : s(state), ctx(context), w(context.Work()), pe(context.Pairs()), nd(context.NoDupPairs()) {}

void EngineCore::ResetTables() {
    w.freeMask.fill(0);
    w.fullTopsValid = false;
    pe.Reset(s.lineCount);
    if (UsesNoDup()) nd.Reset(s.lineCount);
}

const uint8_t* EngineCore::LineMask() {
    if (w.lineMaskLines != s.lineCount) {
        w.lineMask.fill(0);
        std::fill(w.lineMask.begin(), w.lineMask.begin() + s.lineCount, 0xFF);
        w.lineMaskLines = s.lineCount;
    }
    return w.lineMask.data();
}

void EngineCore::AddMatch(int p) {
    const int n = s.lineCount;
    w.fullTopsValid = false;
    UpdatePairTable(pe, s.tips[p].data(), n, 1, w.keys.data());
    if (UsesNoDup() && p < s.noDuplicateCount) {
        UpdatePairTable(nd, s.tips[p].data(), n, 1, w.keys.data());
        if (s.improving) s.highestNoDupEquals = HighestPair(nd, n);
    }
    for (int g = 0; g < 2; ++g) {
        if (!s.conditions[1 + g]) continue;
        const auto& map = s.categoryMaps[g][p];
        auto& counts = s.categoryCounts[g];
        for (int l = 0; l < n; ++l) ++counts[l][map[s.tips[p][l]]];
    }
}

void EngineCore::RemoveMatch(int p) {
    const int n = s.lineCount;
    // Many lines: the next step forms its blocks from the tops over all lines,
    // taken in the same pass.
    w.fullTopsValid = n > kDirectFormingLines;
    if (w.fullTopsValid)
        UpdatePairTableTops(pe, s.tips[p].data(), n, 0xFF, w.keys.data(), LineMask(), w.fullTop.data(), w.fullPartners.data());
    else
        UpdatePairTable(pe, s.tips[p].data(), n, 0xFF, w.keys.data());
    if (UsesNoDup() && p < s.noDuplicateCount) UpdatePairTable(nd, s.tips[p].data(), n, 0xFF, w.keys.data());
    for (int g = 0; g < 2; ++g) {
        if (!s.conditions[1 + g]) continue;
        const auto& map = s.categoryMaps[g][p];
        auto& counts = s.categoryCounts[g];
        for (int l = 0; l < n; ++l) --counts[l][map[s.tips[p][l]]];
    }
}

void EngineCore::ExchangeMatches(int p, int q) {
    const int n = s.lineCount;
    w.fullTopsValid = n > kDirectFormingLines;
    if (w.fullTopsValid)
        ExchangePairTableMatchesTops(pe, s.tips[p].data(), s.tips[q].data(), n, w.exchangeScratch.data(), LineMask(),
                                     w.fullTop.data(), w.fullPartners.data());
    else
        ExchangePairTableMatches(pe, s.tips[p].data(), s.tips[q].data(), n, w.exchangeScratch.data());
    // The rest in the order of AddMatch(p), RemoveMatch(q): the highest
    // no-duplicate pair is taken between the two.
    const int K = s.noDuplicateCount;
    if (UsesNoDup() && p < K) {
        UpdatePairTable(nd, s.tips[p].data(), n, 1, w.keys.data());
        if (s.improving) s.highestNoDupEquals = HighestPair(nd, n);
    }
    if (UsesNoDup() && q < K) UpdatePairTable(nd, s.tips[q].data(), n, 0xFF, w.keys.data());
    for (int g = 0; g < 2; ++g) {
        if (!s.conditions[1 + g]) continue;
        const auto& added = s.categoryMaps[g][p];
        const auto& removed = s.categoryMaps[g][q];
        auto& counts = s.categoryCounts[g];
        for (int l = 0; l < n; ++l) {
            ++counts[l][added[s.tips[p][l]]];
            --counts[l][removed[s.tips[q][l]]];
        }
    }
}

void EngineCore::FreeAll() {
    // Entries from lineCount on stay 0.
    std::fill(w.freeMask.begin(), w.freeMask.begin() + s.lineCount, 0xFF);
    w.freeCount = s.lineCount;
    // With the tops over all lines at hand the counts start exact and are kept
    // so through the random fills; otherwise the first greedy block takes bounds.
    w.partnersValid = w.fullTopsValid;
    w.pendingCount = 0;
    if (w.partnersValid) {
        w.top = w.fullTop;
        w.partners = w.fullPartners;
    }
}

void EngineCore::TakeLine(int line) {
    w.freeMask[line] = 0;
    --w.freeCount;
    w.block[w.blockSize++] = line;
    if (w.partnersValid) w.pendingDrops[w.pendingCount++] = line;
}

void EngineCore::DropPending() {
    // The drop kernel counts in bytes: at most 255 lines a pass.
    for (int first = 0; first < w.pendingCount; first += 255) {
        const int count = std::min(255, w.pendingCount - first);
        const uint8_t* rows[255];
        for (int k = 0; k < count; ++k) rows[k] = pe.Row(w.pendingDrops[first + k]);
        DropTopPartners(w.partners.data(), w.top.data(), rows, count, w.freeMask.data(), s.lineCount);
    }
    w.pendingCount = 0;
}

namespace {

// Bit k set when line k of a chunk of 32 is free (0xFF); the top bit of each
// byte is gathered by one multiplication per eight lines.
uint32_t FreeBits(const uint8_t* mask) {
    uint32_t bits = 0;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    for (int k = 0; k < 32; ++k) bits |= static_cast<uint32_t>(mask[k] >> 7) << k;
#else
    for (int q = 0; q < 4; ++q) {
        uint64_t word;
        std::memcpy(&word, mask + 8 * q, 8);
        bits |= static_cast<uint32_t>(((word & 0x8080808080808080ull) * 0x0002040810204081ull) >> 56) << (8 * q);
    }
#endif
    return bits;
}

} // namespace

void EngineCore::TakeFirstFree(int h) {
    // By bits rather than line by line: which lines are free follows no pattern.
    const int n = s.lineCount;
    for (int base = 0; base < n && w.blockSize < h; base += 32)
        for (uint32_t bits = FreeBits(w.freeMask.data() + base); bits && w.blockSize < h; bits &= bits - 1)
            TakeLine(base + __builtin_ctz(bits));
}

int EngineCore::FillPartners(int line) {
    int count = 0;
    const int top = FreeRowTop(pe.Row(line), w.freeMask.data(), s.lineCount, &count);
    w.top[line] = static_cast<uint8_t>(top == 0 ? 0 : top - 1);
    w.partners[line] = static_cast<uint8_t>(std::min(count, 255));
    return count;
}

void EngineCore::FormBlock(int b) {
    const int n = s.lineCount;
    const int h = BlockSize(n, b);
    w.blockSize = 0;
    w.blockTarget = h;
    if (b == s.blockCount - 1) {
        w.partnersValid = false; // nothing is formed greedily after the last block
        w.pendingCount = 0;
        TakeFirstFree(h);
        return;
    }
    EngineRandom& rng = ctx.random;
    // Few lines: every choice looks at all free lines afresh. Many lines: the
    // tops and partner counts are kept up to date as lines leave the free set.
    const bool direct = n <= kDirectFormingLines;
    if (!direct && !w.partnersValid) {
        // Upper bounds only; exact counts are taken when a line can matter.
        FreeRowMaxima(pe, w.freeMask.data(), n, w.top.data());
        std::fill(w.partners.begin(), w.partners.end(), 0);
        w.partnersValid = true;
        w.pendingCount = 0;
    }
    while (w.blockSize < h) {
        if (!direct) DropPending();
        // The line with most free partners at the highest equals; ties drawn in line order.
        int c = -1, chosen = -1, most = 0, ties = 0;
        auto consider = [&](int i, int m, int count) {
            if (m > c) {
                c = m;
                chosen = i;
                most = count;
                ties = 0;
            } else if (m == c) {
                if (count > most) {
                    chosen = i;
                    most = count;
                } else if (count == most) {
                    ++ties;
                    if (rng.RandomUpTo(ties) == 0) chosen = i;
                }
            }
        };
        if (direct) {
            uint8_t tops[64], counts[64];
            SmallTops(pe, w.freeMask.data(), n, tops, counts);
            // consider() on the free lines by key (top + 1) << 8 | count, with
            // only the draw among equals as a branch: which line beats the best
            // so far follows no pattern. A line without a partner has key 0.
            uint64_t free = static_cast<uint64_t>(FreeBits(w.freeMask.data())) |
                            static_cast<uint64_t>(FreeBits(w.freeMask.data() + 32)) << 32;
            int bestKey = 0;
            while (free) {
                const int i = __builtin_ctzll(free);
                free &= free - 1;
                const int key = tops[i] << 8 | counts[i];
                if (key == bestKey) {
                    if (key == 0) continue;
                    ++ties;
                    if (rng.RandomUpTo(ties) == 0) chosen = i;
                    continue;
                }
                const bool higher = key > bestKey;
                // A higher top starts the draw afresh; more partners at the same top do not.
                ties = (key >> 8) > (bestKey >> 8) ? 0 : ties;
                chosen = higher ? i : chosen;
                bestKey = higher ? key : bestKey;
            }
            c = (bestKey >> 8) - 1;
            most = bestKey & 255;
        } else {
            auto look = [&](int i) {
                int count = w.partners[i];
                if (count == 0 || count == 255) {
                    if (static_cast<int>(w.top[i]) < c) return; // top is an upper bound here
                    count = FillPartners(i);
                    if (count == 0) return;
                }
                consider(i, w.top[i], count);
            };
            // Only some free lines can change the choice or take part in a draw:
            // a top above c, a top at c with at least as many partners, or an
            // unknown count whose bound reaches c. Each chunk of 32 lines is
            // marked with c as it stands there; look() checks again anyway.
            const ChoiceMarkFn mark = ChoiceMarkKernel();
            int first = 0;
            while (first < n && !w.freeMask[first]) ++first;
            if (first < n) look(first);
            for (int base = (first + 1) / 32 * 32; base < n; base += 32) {
                // With c = -1 every free line counts.
                uint32_t bits = mark(w.top.data() + base, w.partners.data() + base, w.freeMask.data() + base,
                                     static_cast<uint8_t>(c + 1), static_cast<uint8_t>(std::min(most, 255)));
                while (bits) {
                    const int line = base + __builtin_ctz(bits);
                    bits &= bits - 1;
                    if (line > first) look(line);
                }
            }
        }
        if (chosen < 0) { // cannot happen with two free lines left; keep the block whole anyway
            TakeFirstFree(h);
            break;
        }
        int list[kMaxLines];
        const int listed = FreeWithValue(pe.Row(chosen), w.freeMask.data(), n, c, list);
        TakeLine(chosen);
        const int room = h - w.blockSize;
        if (listed <= room) {
            for (int k = 0; k < listed; ++k) TakeLine(list[k]);
        } else {
            // Selection sampling in line order.
            int skip = listed - room;
            int left = listed;
            for (int k = 0; k < listed; ++k, --left) {
                if (rng.RandomUpTo(left - 1) < skip) --skip;
                else TakeLine(list[k]);
            }
        }
    }
}

namespace {

// size counts bit x of left, which is then cleared.
inline void TakeBit(uint64_t& left, int x, int& size) {
#if defined(__GNUC__) && defined(__x86_64__)
    // Test, add the carry, reset: the compiler spells this out with shifts.
    asm("bt %[x], %[left]\n\t"
        "adc $0, %[size]\n\t"
        "btr %[x], %[left]"
        : [left] "+r"(left), [size] "+r"(size)
        : [x] "r"(static_cast<uint64_t>(x))
        : "cc");
#else
    size += static_cast<int>((left >> x) & 1u);
    left &= ~(uint64_t{1} << x);
#endif
}

} // namespace

void EngineCore::RandomFill(int b) {
    const int n = s.lineCount;
    const int h = BlockSize(n, b);
    w.blockSize = 0;
    w.blockTarget = h;
    // RandomUpTo(n - 1) spelled out on a local copy of the generator's state:
    // Reduce replaces the first division, and for draws below
    // 2^15 the product with the rounded-up reciprocal gives the exact quotient
    // for the second.
    const uint64_t reciprocal = ((uint64_t{1} << 32) + static_cast<uint64_t>(n) - 1) / static_cast<uint64_t>(n);
    uint32_t state = ctx.random.State();
    // Drawing is most of the work here; a draw that hits a taken line just rewrites
    // the same slot, so the loop does without a hard-to-predict branch.
    constexpr uint32_t kA = 22695477u, kA2 = kA * kA, kC2 = kA + 1u;
    auto line = [&](uint32_t st) {
        const uint32_t v = EngineRandom::Reduce(st >> 16);
        return static_cast<int>(v - static_cast<uint32_t>((v * reciprocal) >> 32) * static_cast<uint32_t>(n));
    };
    // The line depends on the upper half of the state only: look it up, in
    // bytes while lines fit (the table then takes half the cache).
    if (w.drawLines != n) {
        const size_t entries = size_t{1} << 16;
        w.drawLine.assign(n <= 256 ? 0 : entries, 0);
        w.drawLineByte.assign(n <= 256 ? entries : 0, 0);
        for (uint32_t upper = 0; upper < entries; ++upper) {
            if (n <= 256) w.drawLineByte[upper] = static_cast<uint8_t>(line(upper << 16));
            else w.drawLine[upper] = static_cast<uint16_t>(line(upper << 16));
        }
        w.drawLines = n;
    }
    int size = w.blockSize;
    // Local pointers: the byte stores would otherwise make the compiler reload them.
    uint8_t* const freeMask = w.freeMask.data();
    int* const block = w.block.data();
    // Draws until take(state) says the block is whole. Four steps of the
    // generator from one state: the chain of multiplications is then a quarter
    // as long as the draws. Ends: the block sizes add up to the lines, so at
    // least h lines are still free.
    constexpr uint32_t kA3 = kA2 * kA, kC3 = kC2 * kA + 1u, kA4 = kA3 * kA, kC4 = kC3 * kA + 1u;
    auto drawUntil = [&](auto take) {
        for (;;) {
            const uint32_t s1 = state * kA + 1u, s2 = state * kA2 + kC2, s3 = state * kA3 + kC3, s4 = state * kA4 + kC4;
            if (take(s1) || take(s2) || take(s3) || take(s4)) return;
        }
    };
    auto draw = [&](const auto* drawLine) {
        drawUntil([&](uint32_t st) {
            const int x = drawLine[st >> 16];
            block[size] = x;
            size += freeMask[x] & 1;
            freeMask[x] = 0;
            state = st;
            return size == h;
        });
    };
    if (n <= 64 && w.freeCount == h) {
        // The last block of a step takes every free line; most draws hit taken
        // lines. The lines still to come are kept as bits in a register, so a
        // draw waits on no memory; the bytes follow at the end.
        const uint8_t* const drawLine = w.drawLineByte.data();
        uint64_t left = static_cast<uint64_t>(FreeBits(freeMask)) | static_cast<uint64_t>(FreeBits(freeMask + 32)) << 32;
        drawUntil([&](uint32_t st) {
            const int x = drawLine[st >> 16];
            block[size] = x;
            TakeBit(left, x, size);
            state = st;
            return left == 0;
        });
        for (int a = 0; a < h; ++a) freeMask[block[a]] = 0;
    } else if (n <= 256) {
        draw(w.drawLineByte.data());
    } else {
        draw(w.drawLine.data());
    }
    ctx.random.Seed(state);
    w.blockSize = size;
    w.freeCount -= h;
    if (w.partnersValid)
        for (int a = 0; a < h; ++a) w.pendingDrops[w.pendingCount++] = w.block[a];
}

void EngineCore::CountBlockRanks(int p) {
    // Byte counters in one word: the increments do not wait on each other in memory.
    uint32_t counts = 0;
    for (int a = 0; a < w.blockSize; ++a) counts += 1u << (8 * (s.tips[p][w.block[a]] & 3));
    w.blockRanks = {static_cast<int>(counts & 0xFF), static_cast<int>((counts >> 8) & 0xFF),
                    static_cast<int>((counts >> 16) & 0xFF)};
}

void EngineCore::FindIdenticalRuns(int assigned) {
    const int h = w.blockSize;
    auto& blk = w.block;
    for (int i = 0; i < h; ++i) {
        int insert = i + 1;
        for (int j = i + 1; j < h; ++j) {
            if (pe.Get(blk[i], blk[j]) != assigned) continue;
            // Move line j directly behind the run of line i, keeping the order of the rest.
            const int line = blk[j];
            for (int k = j; k > insert; --k) blk[k] = blk[k - 1];
            blk[insert++] = line;
        }
    }
    for (int i = 0; i < h; ++i) {
        int run = 0;
        while (i + run + 1 < h && pe.Get(blk[i], blk[i + run + 1]) == assigned) ++run;
        w.runs[i] = run;
    }
    w.useRuns = true;
}

Evaluation EngineCore::CountTables() const {
    Evaluation ev;
    const int n = s.lineCount;
    ev.equals = PairHistogram(pe, n);
    if (UsesNoDup()) ev.duplicates = PairHistogram(nd, n);
    for (int g = 0; g < 2; ++g) {
        if (!s.conditions[1 + g]) continue;
        for (int l = 0; l < n; ++l)
            for (int c = 0; c < 3; ++c) {
                const int count = s.categoryCounts[g][l][c];
                const int lo = s.bounds[g][c][0], hi = s.bounds[g][c][1];
                if (count < lo) ++ev.violations[g][std::min(lo - count, kEqualsLevels - 1)];
                else if (count > hi) ++ev.violations[g][std::min(count - hi, kEqualsLevels - 1)];
            }
    }
    return ev;
}

void EngineCore::RebuildTables() {
    ResetTables();
    for (auto& g : s.categoryCounts)
        for (auto& line : g) line = {0, 0, 0};
    const bool improving = s.improving;
    s.improving = false; // a rebuild is no update of the phase
    for (int p = 0; p < s.matchCount; ++p) AddMatch(p);
    s.improving = improving;
}

bool EngineCore::TablesMatchTips() const {
    const int n = s.lineCount, m = s.matchCount;
    const int K = UsesNoDup() ? s.noDuplicateCount : 0;
    for (int a = 0; a < n; ++a) {
        if (pe.Get(a, a) != PairTable::kSelf) return false;
        for (int b = a + 1; b < n; ++b) {
            int equal = 0, dup = 0;
            for (int p = 0; p < m; ++p)
                if (s.tips[p][a] == s.tips[p][b]) {
                    ++equal;
                    if (p < K) ++dup;
                }
            if (pe.Get(a, b) != equal || pe.Get(b, a) != equal) return false;
            if (K > 0 && (nd.Get(a, b) != dup || nd.Get(b, a) != dup)) return false;
        }
    }
    for (int g = 0; g < 2; ++g) {
        if (!s.conditions[1 + g]) continue;
        for (int l = 0; l < n; ++l) {
            int cat[3] = {0, 0, 0};
            for (int p = 0; p < m; ++p) ++cat[s.categoryMaps[g][p][s.tips[p][l]]];
            for (int c = 0; c < 3; ++c)
                if (cat[c] != s.categoryCounts[g][l][c]) return false;
        }
    }
    return true;
}

void EngineCore::CheckTables(const char* where) const {
    if (!ctx.verifyTables) return;
    if (!TablesMatchTips()) {
        std::fprintf(stderr, "vdx engine: pair tables differ from the tips %s\n", where);
        std::abort();
    }
}

// ---------------------------------------------------------------------------
// Construction

namespace {

// Spreads the counts of match p over the blocks in proportion to their sizes.
// With counts adding up to the lines every pass finds a block with room and a
// rank still short, so each pass places one tip; false when none is found.
bool Apportion(EngineCore& core, int p) {
    DistributionState& s = core.s;
    EngineWork& w = core.w;
    const int n = s.lineCount, G = s.blockCount;
    const auto& counts = s.counts[p];
    int blockSum[kMaxBlocks] = {};
    int rankSum[3] = {0, 0, 0};
    int total = 0;
    for (int b = 0; b < G; ++b) {
        const int size = s.blockSizes[b];
        for (int r = 0; r < 3; ++r) {
            w.quota[b][r] = counts[r] * size / n;
            w.remainder[b][r] = counts[r] * size % n;
            blockSum[b] += w.quota[b][r];
            rankSum[r] += w.quota[b][r];
        }
        total += blockSum[b];
    }
    while (total < n) {
        int highest = -1, ties = 0;
        for (int b = 0; b < G; ++b) {
            if (blockSum[b] >= s.blockSizes[b]) continue;
            for (int r = 0; r < 3; ++r) {
                if (rankSum[r] >= counts[r]) continue;
                if (w.remainder[b][r] > highest) {
                    highest = w.remainder[b][r];
                    ties = 1;
                } else if (w.remainder[b][r] == highest) {
                    ++ties;
                }
            }
        }
        if (ties == 0) return false;
        int pick = ties > 1 ? core.ctx.random.RandomUpTo(ties - 1) : 0;
        for (int b = 0; b < G && pick >= 0; ++b) {
            if (blockSum[b] >= s.blockSizes[b]) continue;
            for (int r = 0; r < 3; ++r) {
                if (rankSum[r] >= counts[r] || w.remainder[b][r] != highest) continue;
                if (pick-- == 0) {
                    ++w.quota[b][r];
                    w.remainder[b][r] = 0;
                    ++blockSum[b];
                    ++rankSum[r];
                    ++total;
                    break;
                }
            }
        }
    }
    return true;
}

// The construction fills every line of every match from these counts.
bool CountsFitLines(const DistributionState& s) {
    if (s.lineCount < 1 || s.lineCount > kMaxLines || s.matchCount < 1 || s.matchCount > kMaxMatches) return false;
    for (int p = 0; p < s.matchCount; ++p) {
        const auto& c = s.counts[p];
        if (c[0] < 0 || c[1] < 0 || c[2] < 0 || c[0] + c[1] + c[2] != s.lineCount) return false;
    }
    return true;
}

} // namespace

int ConstructDistribution(DistributionState& s, EngineContext& ctx) {
    if (!CountsFitLines(s)) return kRoundFailed;
    EngineCore core(s, ctx);
    EngineWork& w = core.w;
    const int n = s.lineCount, m = s.matchCount;
    CalculationProgress* progress = ctx.progress;
    s.improving = false;
    s.symbolsRestored = false;
    core.ResetTables();
    for (int p = 0; p < kMaxMatches; ++p) std::fill(s.tips[p].begin(), s.tips[p].end(), kRankUnassigned);
    for (auto& g : s.categoryCounts)
        for (auto& line : g) line = {0, 0, 0};
    s.blockCount = BlockCount(n);
    for (int b = 0; b < s.blockCount; ++b) s.blockSizes[b] = static_cast<int16_t>(BlockSize(n, b));

    int single = 0;
    for (int p = 0; p < m; ++p) {
        if (progress) {
            progress->Yield();
            if (progress->Requests().stopCalculation && (s.best || ctx.earlierRoundGivesResult)) return kRoundNotBuilt;
        }
        auto& tips = s.tips[p];
        if (s.SingleTip(p)) {
            std::fill(tips.begin(), tips.begin() + n, 0);
            ++single;
        } else if (p == 0) {
            int l = 0;
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < s.counts[p][r] && l < n; ++c) tips[l++] = static_cast<uint8_t>(r);
        } else {
            if (!Apportion(core, p)) return kRoundFailed;
            core.FreeAll();
            for (int b = 0; b < s.blockCount; ++b) {
                core.FormBlock(b);
                w.blockRanks = w.quota[b];
                core.FindIdenticalRuns(p);
                core.OptimiseBlock(p);
            }
        }
        core.AddMatch(p);
    }
    s.constructionResult = single >= m - 1 ? 2 : 1;

    const Evaluation ev = core.CountTables();
    s.equalsHistogram = ev.equals;
    s.duplicateHistogram = ev.duplicates;
    s.violations = ev.violations;
    s.recordedTips = s.tips;
    s.totalTries = 0;
    s.triesSinceImprovement = 0;
    core.CheckTables("after the construction");
    if (ctx.progress) ctx.progress->ConstructionEnded(s);
    return s.constructionResult;
}

int RunRound(DistributionState& s, EngineContext& ctx) {
    if (ctx.resetRandom) ctx.random.Seed(static_cast<uint32_t>(s.roundIndex + 7));
    const int built = ConstructDistribution(s, ctx);
    if (built != 1) return built;
    return (ImproveDistribution(s, ctx) & kNoFurtherRounds) ? 3 : 1;
}

} // namespace vdx
