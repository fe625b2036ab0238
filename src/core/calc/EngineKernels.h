// The engine's innermost loops, written once for several vector instruction
// sets. Included by EngineOptimise.cpp inside a namespace that provides the
// 16 x int16 operations (Vec, LoadV, LoadU, StoreV, AddV, SubV, OrV, ZeroV, ShiftUpV,
// FewerMaskV, TopV, CompareV, PackV, PackMiddleV) and the 32 x byte ones (Bytes,
// LoadB, StoreB, Set1B, AndB, AddB, SubB, SumB, EqB, MaxB, MaxSignedB);
// deliberately no include guard.

// The candidates of a choice and the histograms they add up. Kept in locals:
// the draw among equals writes through a pointer, which would make the
// compiler read the arguments again for every candidate. C0 = -1 leaves the
// number of favourites to run time.
struct Candidates {
    const Pattern* patterns;
    int count;
    uint8_t runMask;
    const char* outsideAt;
    const char* pairAt;
    const char* outerAt;
    BlockHistogram outer[10]; // per group of patterns, the favourites' part

    template <int C0>
    explicit Candidates(const ChooseArgs& x, std::integral_constant<int, C0>)
        : patterns(x.patterns), count(x.patternCount), runMask(x.runMask),
          outsideAt(reinterpret_cast<const char*>(x.outside)), pairAt(reinterpret_cast<const char*>(x.pairDelta)),
          outerAt(reinterpret_cast<const char*>(outer)) {
        const int c0 = C0 >= 0 ? C0 : x.favourites;
        const int favPairs = c0 * (c0 - 1) / 2;
        const Vec base = LoadV(x.base);
        for (int g = 0; g < x.groupCount; ++g) {
            const PatternGroup& group = x.groups[g];
            Vec o = base;
            for (int k = 0; k < c0; ++k) o = AddV(o, LoadV(x.outside + group.favOffset[k]));
            for (int k = 0; k < favPairs; ++k) o = AddV(o, LoadV(&x.pairDelta[group.favPairs[k]]));
            StoreV(&outer[g], o);
        }
    }

    // Whether candidate i is the same assignment as an earlier one.
    bool Repeats(int i) const { return patterns[i].descents & runMask; }

    // The equals histogram of candidate i.
    template <int H, int C0, int C1>
    Vec Sum(int i) const {
        constexpr int kRest = H - C0, C2 = kRest - C1;
        constexpr int kRestPairs = C1 * (C1 - 1) / 2 + C2 * (C2 - 1) / 2;
        const Pattern& pat = patterns[i];
        auto at = [](const char* table, uint16_t offset) { return LoadV(reinterpret_cast<const BlockHistogram*>(table + offset)); };
        Vec eq = at(outerAt, pat.groupAt);
        for (int k = 0; k < kRest; ++k) eq = AddV(eq, at(outsideAt, pat.restAt[k]));
        for (int k = 0; k < kRestPairs; ++k) eq = AddV(eq, at(pairAt, pat.restPairAt[k]));
        return eq;
    }
};

// Candidate i equals the best so far: the draw among equals, with falling chances.
inline void DrawAmongEquals(const ChooseArgs& x, int i, int& ties, int& chosen) {
    ++ties;
    if (x.rng->RandomUpTo(ties) == 0) {
        ties = 0;
        chosen = i;
    }
}

// The choice that weighs conditions too. C0 and C1 are the counts of a block
// of H lines; -1 leaves them to run time (no loop bounds known).
template <int H, int C0, int C1, bool kWeigh>
inline int ChooseFor(const ChooseArgs& x) {
    const int c0 = C0 >= 0 ? C0 : x.favourites;
    const int c1 = C1 >= 0 ? C1 : x.neutrals;
    const int rest = H - c0, c2 = rest - c1;
    const int restPairs = c1 * (c1 - 1) / 2 + c2 * (c2 - 1) / 2;
    bool haveBest = false;
    int ties = 0, chosen = 0;
    Vec bestEq = ZeroV(), bestViol0 = ZeroV(), bestViol1 = ZeroV();
    int bestDup = 0;
    // The favourites' part is shared by the whole group.
    const Candidates candidates(x, std::integral_constant<int, C0>());
    for (int g = 0; g < x.groupCount; ++g) {
        const Vec outer = LoadV(&candidates.outer[g]);
        const PatternGroup& group = x.groups[g];
        const int end = group.first + group.count;
        for (int i = group.first; i < end; ++i) {
            const Pattern& pat = x.patterns[i];
            if (candidates.Repeats(i)) continue;
            Vec eq = outer;
            for (int k = 0; k < rest; ++k) eq = AddV(eq, LoadV(x.outside + pat.restOffset[k]));
            for (int k = 0; k < restPairs; ++k) eq = AddV(eq, LoadV(&x.pairDelta[pat.restPairs[k]]));
            int dup = 0;
            Vec viol0 = ZeroV(), viol1 = ZeroV();
            if (kWeigh) {
                if (x.cond->dup) {
                    for (int a = 0; a < H; ++a) dup += x.dupOutside[pat.offset[a]];
                    dup += __builtin_popcount(pat.same & x.cond->dupPairs);
                }
                if (x.cond->range[0])
                    for (int a = 0; a < H; ++a) viol0 = AddV(viol0, LoadV(x.violation[0] + pat.offset[a]));
                if (x.cond->range[1])
                    for (int a = 0; a < H; ++a) viol1 = AddV(viol1, LoadV(x.violation[1] + pat.offset[a]));
            }
            int cmp = -1;
            if (haveBest) {
                cmp = 0;
                if (kWeigh && (TopV(eq) > TopV(bestEq) ? TopV(eq) : TopV(bestEq)) <= x.cond->limit) {
                    if (x.cond->dup && dup != bestDup) cmp = dup < bestDup ? -1 : 1;
                    if (cmp == 0 && x.cond->range[0]) cmp = CompareV(viol0, bestViol0);
                    if (cmp == 0 && x.cond->range[1]) cmp = CompareV(viol1, bestViol1);
                }
                if (cmp == 0) cmp = CompareV(eq, bestEq);
                if (cmp > 0) continue;
            }
            bool take = cmp < 0;
            if (cmp == 0) {
                ++ties;
                take = x.rng->RandomUpTo(ties) == 0;
            }
            if (take) {
                haveBest = true;
                ties = 0;
                chosen = i;
                bestEq = eq;
                if (kWeigh) {
                    bestDup = dup;
                    bestViol0 = viol0;
                    bestViol1 = viol1;
                }
            }
        }
    }
    *x.tie = ties;
    return chosen;
}

// The common case without conditions, with every loop bound known at compile
// time. The starting best has an entry no candidate reaches (entry 15 stays
// empty), so the first one wins. kTopLevels: only x.lanes are compared. The
// groups are summed first, then one loop runs over all candidates: groups hold
// only a few, and leaving so short a loop is what the processor mispredicts most.
template <int H, int C0, int C1, bool kTopLevels>
inline int ChoosePlain(const ChooseArgs& x) {
    int ties = 0, chosen = 0;
    const uint32_t lanes = kTopLevels ? x.lanes : kAllLanes;
    Vec best = UnbeatenV();
    const Candidates candidates(x, std::integral_constant<int, C0>());
    for (int i = 0; i < candidates.count; ++i) {
        if (candidates.Repeats(i)) continue;
        const Vec eq = candidates.Sum<H, C0, C1>(i);
        // Lanes where the candidate has fewer pairs, and where it has more: as
        // numbers, the larger of the two masks holds the highest lane that differs.
        const uint32_t fewer = FewerMaskV(eq, best) & lanes, more = FewerMaskV(best, eq) & lanes;
        if (fewer == more) { // equal histograms
            // Only the top levels are known: the lower ones would have to decide.
            if (kTopLevels) return -1;
            DrawAmongEquals(x, i, ties, chosen);
            continue;
        }
        // Whether a candidate beats the best follows no pattern: taken by masks
        // rather than by a branch.
        const int better = -static_cast<int>(fewer > more);
        best = SelectV(better, eq, best);
        chosen ^= (chosen ^ i) & better;
        ties &= ~better;
    }
    *x.tie = ties;
    return chosen;
}

// A smaller number becomes the best. Whether it is follows no pattern, so
// this must select rather than branch; compilers tend to branch on 64 bits.
inline void TakeIfLess(uint64_t number, int i, uint64_t& best, int& chosen, int& ties) {
#if defined(__GNUC__) && defined(__x86_64__)
    asm("cmp %[best], %[number]\n\t"
        "cmovb %[number], %[best]\n\t"
        "cmovb %[i], %[chosen]\n\t"
        "cmovb %[zero], %[ties]"
        : [best] "+r"(best), [chosen] "+r"(chosen), [ties] "+r"(ties)
        : [number] "r"(number), [i] "r"(i), [zero] "r"(0)
        : "cc");
#else
    const uint64_t take = -static_cast<uint64_t>(number < best);
    best ^= (best ^ number) & take;
    const int better = static_cast<int>(take);
    chosen ^= (chosen ^ i) & better;
    ties &= ~better;
#endif
}

#ifdef __SIZEOF_INT128__
inline void TakeIfLess(unsigned __int128 number, int i, unsigned __int128& best, int& chosen, int& ties) {
    const bool better = number < best;
    best = better ? number : best;
    chosen = better ? i : chosen;
    ties = better ? 0 : ties;
}
#endif

// ChoosePlain for blocks whose pairs number at most 255 (x.byteCounts): every
// histogram packs into a number, an entry per byte and the higher entries in
// the higher bytes, and numbers compare as the histograms do. The running best
// then waits on a scalar compare rather than on a vector compare, a mask and a
// blend. Entries 0 and 1 need no byte: every candidate has the same number of
// pairs and the same sum of their equals (the ranks' counts are given), so two
// candidates that agree from entry 2 up agree in all. While no candidate can
// reach entry 10, entries 2..9 fit in 64 bits (kShort).
template <int H, int C0, int C1, typename Number, bool kShort>
inline int ChooseByNumbersFor(const ChooseArgs& x) {
    int ties = 0, chosen = 0;
    Number best = ~Number{0}; // above every histogram: entry 15 stays empty
    const Candidates candidates(x, std::integral_constant<int, C0>());
    for (int i = 0; i < candidates.count; ++i) {
        if (candidates.Repeats(i)) continue;
        const Vec eq = candidates.Sum<H, C0, C1>(i);
        Number number;
        if constexpr (kShort) {
            number = PackMiddleV(eq);
        } else {
            uint64_t low, high;
            PackV(eq, &low, &high);
            number = static_cast<Number>(high) << 64 | low;
        }
        if (number == best) {
            DrawAmongEquals(x, i, ties, chosen);
            continue;
        }
        TakeIfLess(number, i, best, chosen, ties);
    }
    *x.tie = ties;
    return chosen;
}

template <int H, int C0, int C1>
inline int ChooseByNumbers(const ChooseArgs& x) {
    // Every entry a candidate can reach is set in one of its parts.
    Vec any = LoadV(x.base);
    for (int k = 0; k < 3 * H; ++k) any = OrV(any, LoadV(x.outside + k));
    for (int a = 0; a < H; ++a)
        for (int b = a + 1; b < H; ++b) any = OrV(any, LoadV(&x.pairDelta[kPairIndex[a][b]]));
    if (TopV(any) <= 9) return ChooseByNumbersFor<H, C0, C1, uint64_t, true>(x);
#ifdef __SIZEOF_INT128__
    return ChooseByNumbersFor<H, C0, C1, unsigned __int128, false>(x);
#else
    return ChoosePlain<H, C0, C1, false>(x);
#endif
}

// Without conditions every loop bound is known at compile time; with them
// the counts are read at run time.
using ChooseFn = int (*)(const ChooseArgs&);

template <int H, int C0, int C1>
int ChooseCounts(const ChooseArgs& x) {
    if (x.cond->weigh) return ChooseFor<H, -1, -1, true>(x);
    if (x.byteCounts && x.lanes == kAllLanes) return ChooseByNumbers<H, C0, C1>(x);
    return x.lanes == kAllLanes ? ChoosePlain<H, C0, C1, false>(x) : ChoosePlain<H, C0, C1, true>(x);
}

template <int H, int C0, int... C1>
constexpr std::array<ChooseFn, kMaxBlockSize + 1> ChooseRow(std::integer_sequence<int, C1...>) {
    return {{(C0 + C1 <= H ? &ChooseCounts<H, C0, (C0 + C1 <= H ? C1 : 0)> : nullptr)...}};
}

template <int H, int... C0>
constexpr std::array<std::array<ChooseFn, kMaxBlockSize + 1>, kMaxBlockSize + 1> ChooseTable(std::integer_sequence<int, C0...>) {
    return {{ChooseRow<H, (C0 <= H ? C0 : 0)>(std::make_integer_sequence<int, kMaxBlockSize + 1>())...}};
}

using Counts = std::make_integer_sequence<int, kMaxBlockSize + 1>;
const std::array<std::array<ChooseFn, kMaxBlockSize + 1>, kMaxBlockSize + 1> kChoose[kMaxBlockSize + 1] = {
    {}, ChooseTable<1>(Counts()), ChooseTable<2>(Counts()), ChooseTable<3>(Counts()), ChooseTable<4>(Counts()),
    ChooseTable<5>(Counts())};

int Choose(const ChooseArgs& x) { return kChoose[x.h][x.favourites][x.neutrals](x); }

// Counts of (tip, equals) per block line, sum[a][1 + 16 t + e], turned into the
// outside tables: a line outside with e equals adds e + 1 under its own rank
// and e under the two others. sum[a][0] is 0, and so is every entry e = 15
// (counters stay below 14), so sum[a] + 16 t reads as the counts one level up.
inline void OutsideTables(const uint16_t (*sum)[80], int h, BlockHistogram (*outside)[3]) {
    for (int a = 0; a < h; ++a) {
        Vec at[3], below[3];
        for (int t = 0; t < 3; ++t) {
            at[t] = LoadU(sum[a] + 1 + 16 * t);
            below[t] = LoadU(sum[a] + 16 * t);
        }
        const Vec all = AddV(AddV(at[0], at[1]), at[2]);
        for (int r = 0; r < 3; ++r) StoreV(&outside[a][r], AddV(SubV(all, at[r]), below[r]));
    }
}

// Few lines: per block line and tip, the counts of the equals levels are
// summed in registers as one-hot vectors, the outside lines of each tip found
// by a byte compare. Only assigned lines are visited, so no counter is the 0xFF
// of a line with itself.
template <int H>
inline void SmallOutsideFor(const uint8_t* const* rows, const uint8_t* tips, int n, BlockHistogram (*outside)[3]) {
    Vec at[3][H];
    for (int t = 0; t < 3; ++t) {
        Vec s[H];
        for (int a = 0; a < H; ++a) s[a] = ZeroV();
        const Bytes tip = Set1B(static_cast<uint8_t>(t));
        for (int base = 0; base < n; base += 32) {
            uint32_t bits = MaskB(EqB(LoadB(tips + base), tip));
            if (n - base < 32) bits &= (uint32_t{1} << (n - base)) - 1;
            while (bits) {
                const int j = base + __builtin_ctz(bits);
                bits &= bits - 1;
                for (int a = 0; a < H; ++a) s[a] = AddV(s[a], LoadV(&kLevelOne.level[rows[a][j]]));
            }
        }
        for (int a = 0; a < H; ++a) at[t][a] = s[a];
    }
    // A line outside with e equals adds e + 1 under its own rank and e under the others.
    for (int a = 0; a < H; ++a) {
        const Vec all = AddV(AddV(at[0][a], at[1][a]), at[2][a]);
        for (int r = 0; r < 3; ++r) StoreV(&outside[a][r], AddV(SubV(all, at[r][a]), ShiftUpV(at[r][a])));
    }
}

// Up to 32 lines: every assigned line in one pass, each tip counted in a
// field of its own (see TipLevelOne), so there is one loop to leave rather
// than three.
template <int H>
inline void TinyOutsideFor(const uint8_t* const* rows, const uint8_t* tips, int n, BlockHistogram (*outside)[3]) {
    Vec s[H];
    for (int a = 0; a < H; ++a) s[a] = ZeroV();
    uint32_t bits = ~MaskB(EqB(LoadB(tips), Set1B(kRankUnassigned)));
    if (n < 32) bits &= (uint32_t{1} << n) - 1;
    if (!bits) { // the first block of a step: no line outside is placed yet
        for (int a = 0; a < H; ++a)
            for (int r = 0; r < 3; ++r) StoreV(&outside[a][r], ZeroV());
        return;
    }
    while (bits) {
        const int j = __builtin_ctz(bits);
        bits &= bits - 1;
        const BlockHistogram* key = kTipLevelOne.key + 16 * tips[j];
        for (int a = 0; a < H; ++a) s[a] = AddV(s[a], LoadV(key + rows[a][j]));
    }
    for (int a = 0; a < H; ++a) {
        const Vec at[3] = {FieldV<0>(s[a]), FieldV<5>(s[a]), FieldV<10>(s[a])};
        const Vec all = AddV(AddV(at[0], at[1]), at[2]);
        for (int r = 0; r < 3; ++r) StoreV(&outside[a][r], AddV(SubV(all, at[r]), ShiftUpV(at[r])));
    }
}

void SmallOutsideTables(const uint8_t* const* rows, int h, const uint8_t* tips, int n, BlockHistogram (*outside)[3]) {
    auto count = [&](auto size) {
        constexpr int kH = decltype(size)::value;
        if (n <= 32) TinyOutsideFor<kH>(rows, tips, n, outside);
        else SmallOutsideFor<kH>(rows, tips, n, outside);
    };
    switch (h) {
    case 1: count(std::integral_constant<int, 1>()); break;
    case 2: count(std::integral_constant<int, 2>()); break;
    case 3: count(std::integral_constant<int, 3>()); break;
    case 4: count(std::integral_constant<int, 4>()); break;
    default: count(std::integral_constant<int, 5>()); break;
    }
}

// The block's own pairs: their histogram (e equals each) into base, and per
// pair the move from e to e + 1 it makes when both lines get the same rank.
void BlockPairs(const uint8_t* const* rows, const int* block, int h, BlockHistogram* base,
                BlockHistogram* pairDelta) {
    Vec sum = ZeroV();
    for (int a = 0; a < h; ++a)
        for (int b = a + 1; b < h; ++b) {
            const int e = rows[a][block[b]];
            sum = AddV(sum, LoadV(&kLevelOne.level[e]));
            StoreV(&pairDelta[kPairIndex[a][b]], LoadV(&kDeltas.delta[e]));
        }
    StoreV(base, sum);
}

void LargeOutsideTables(const uint16_t (*sum)[80], int h, BlockHistogram (*outside)[3]) { OutsideTables(sum, h, outside); }

// Adds delta to the counter of every pair of lines with equal tips. tips holds
// whole chunks of 32 (padded with 3, which no line has); rows are padded as far.
void UpdateRows(uint8_t* base, size_t stride, const uint8_t* tips, int n, uint8_t delta) {
    const int chunks = (n + 31) / 32;
    const Bytes d = Set1B(delta);
    for (int i = 0; i < n; ++i) {
        uint8_t* row = base + static_cast<size_t>(i) * stride;
        const Bytes mine = Set1B(tips[i]);
        for (int c = 0; c < chunks; ++c)
            StoreB(row + 32 * c, AddB(LoadB(row + 32 * c), AndB(EqB(LoadB(tips + 32 * c), mine), d)));
        row[i] = 0xFF; // a line is no partner of its own
    }
}

// One pass for two matches: adds 1 for every pair with equal tips in `added`
// and takes 1 for every pair with equal tips in `removed`.
void ExchangeRows(uint8_t* base, size_t stride, const uint8_t* added, const uint8_t* removed, int n) {
    const int chunks = (n + 31) / 32;
    for (int i = 0; i < n; ++i) {
        uint8_t* row = base + static_cast<size_t>(i) * stride;
        const Bytes mineAdded = Set1B(added[i]), mineRemoved = Set1B(removed[i]);
        for (int c = 0; c < chunks; ++c) {
            // The masks are -1 where the tips agree.
            const Bytes change = SubB(EqB(LoadB(removed + 32 * c), mineRemoved), EqB(LoadB(added + 32 * c), mineAdded));
            StoreB(row + 32 * c, AddB(LoadB(row + 32 * c), change));
        }
        row[i] = 0xFF;
    }
}

// The highest counter of a row plus 1 found on the way (0 for none) turned
// into the entries of tops and counts: the counter, and how many lines have
// it (255: too many to track). valid is 0xFF for the lines, 0 for the padding.
inline void CountTop(const uint8_t* row, int chunks, const uint8_t* valid, int top, uint8_t* topOut, uint8_t* countOut) {
    if (top == 0) {
        *topOut = 0;
        *countOut = 0;
        return;
    }
    const Bytes t = Set1B(static_cast<uint8_t>(top - 1));
    Bytes times = ZeroB();
    for (int c = 0; c + 1 < chunks; ++c) times = SubB(times, EqB(LoadB(row + 32 * c), t));
    const int last = 32 * (chunks - 1);
    times = SubB(times, AndB(EqB(LoadB(row + last), t), LoadB(valid + last)));
    const int count = SumB(times);
    *topOut = static_cast<uint8_t>(top - 1);
    *countOut = static_cast<uint8_t>(count < 255 ? count : 255);
}

// ExchangeRows, and on the way per row the highest counter and the number of
// lines at it over every line (see CountTop): what the greedy forming of the
// next match step starts from. The own counter stays 0xFF and drops out as 0.
void ExchangeRowsTops(uint8_t* base, size_t stride, const uint8_t* added, const uint8_t* removed, int n,
                      const uint8_t* valid, uint8_t* tops, uint8_t* counts) {
    const int chunks = (n + 31) / 32;
    const Bytes one = Set1B(1);
    for (int i = 0; i < n; ++i) {
        uint8_t* row = base + static_cast<size_t>(i) * stride;
        const Bytes mineAdded = Set1B(added[i]), mineRemoved = Set1B(removed[i]);
        Bytes best = ZeroB();
        for (int c = 0; c < chunks; ++c) {
            const Bytes change = SubB(EqB(LoadB(removed + 32 * c), mineRemoved), EqB(LoadB(added + 32 * c), mineAdded));
            const Bytes now = AddB(LoadB(row + 32 * c), change);
            StoreB(row + 32 * c, now);
            // The padding of the last chunk is masked out below.
            best = MaxB(best, c + 1 < chunks ? AddB(now, one) : AndB(AddB(now, one), LoadB(valid + 32 * c)));
        }
        row[i] = 0xFF;
        CountTop(row, chunks, valid, HMaxB(best), tops + i, counts + i);
    }
}

// UpdateRows likewise.
void UpdateRowsTops(uint8_t* base, size_t stride, const uint8_t* tips, int n, uint8_t delta, const uint8_t* valid,
                    uint8_t* tops, uint8_t* counts) {
    const int chunks = (n + 31) / 32;
    const Bytes d = Set1B(delta), one = Set1B(1);
    for (int i = 0; i < n; ++i) {
        uint8_t* row = base + static_cast<size_t>(i) * stride;
        const Bytes mine = Set1B(tips[i]);
        // The own counter gets delta too (its tip is its own): start it so that it ends at 0xFF.
        row[i] = static_cast<uint8_t>(0xFF - delta);
        Bytes best = ZeroB();
        for (int c = 0; c < chunks; ++c) {
            const Bytes now = AddB(LoadB(row + 32 * c), AndB(EqB(LoadB(tips + 32 * c), mine), d));
            StoreB(row + 32 * c, now);
            best = MaxB(best, c + 1 < chunks ? AddB(now, one) : AndB(AddB(now, one), LoadB(valid + 32 * c)));
        }
        CountTop(row, chunks, valid, HMaxB(best), tops + i, counts + i);
    }
}

// Up to 64 lines: per line the highest counter with a free partner, plus 1 (0
// when there is none), and the number of such partners. freeMask and the rows
// reach 64 bytes.
void SmallTops(const uint8_t* base, size_t stride, const uint8_t* freeMask, int n, uint8_t* tops, uint8_t* counts) {
    const Bytes one = Set1B(1);
    const Bytes free0 = LoadB(freeMask), free1 = LoadB(freeMask + 32);
    for (int i = 0; i < n; ++i) {
        const uint8_t* row = base + static_cast<size_t>(i) * stride;
        const Bytes v0 = AndB(AddB(LoadB(row), one), free0);
        const Bytes v1 = n > 32 ? AndB(AddB(LoadB(row + 32), one), free1) : ZeroB();
        const int top = HMaxB(MaxB(v0, v1));
        tops[i] = static_cast<uint8_t>(top);
        counts[i] = static_cast<uint8_t>(top ? CountEqB(v0, static_cast<uint8_t>(top)) + CountEqB(v1, static_cast<uint8_t>(top)) : 0);
    }
}

// The free lines among 32 that can matter to a greedy choice, as a bit mask:
// top + 1 above level (= c + 1), or at it with at least `most` partners, or an
// unknown count (0 or 255) whose bound reaches it.
uint32_t MarkChunk(const uint8_t* top, const uint8_t* partners, const uint8_t* freeMask, uint8_t level, uint8_t most) {
    const Bytes t = AddB(LoadB(top), Set1B(1));
    const Bytes p = LoadB(partners);
    const Bytes lv = Set1B(level);
    const Bytes known = EqB(MaxB(AddB(p, Set1B(0xFF)), Set1B(253)), Set1B(253)); // p - 1 <= 253
    const Bytes atLeastLevel = EqB(MaxB(t, lv), t);
    const Bytes atLevel = EqB(t, lv);
    const Bytes enough = EqB(MaxB(p, Set1B(most)), p);
    const Bytes above = AndNotB(atLevel, atLeastLevel);
    const Bytes knownCounts = OrB(above, AndB(atLevel, enough));
    const Bytes counts = OrB(AndB(known, knownCounts), AndNotB(known, atLeastLevel));
    return MaskB(AndB(counts, LoadB(freeMask)));
}

// Highest counter of a row with a free partner, plus 1 (0 when there is none),
// and the number of such partners. Rows and masks reach a whole chunk of 32.
// One pass: per byte lane the highest value so far and how often it came.
int RowTop(const uint8_t* row, const uint8_t* freeMask, int n, int* count) {
    const int chunks = (n + 31) / 32;
    const Bytes one = Set1B(1);
    Bytes best = ZeroB(), times = ZeroB();
    for (int c = 0; c < chunks; ++c) {
        const Bytes v = AndB(AddB(LoadB(row + 32 * c), one), LoadB(freeMask + 32 * c));
        const Bytes higher = MaxB(best, v);
        // Lanes that keep their best keep their count; a lane where v is the best adds one (the mask is -1).
        times = SubB(AndB(times, EqB(higher, best)), EqB(v, higher));
        best = higher;
    }
    const int top = HMaxB(best);
    *count = top ? SumB(AndB(times, EqB(best, Set1B(static_cast<uint8_t>(top))))) : 0;
    return top;
}

// For every free line the highest counter with a free partner (0 when none).
void RowMaxima(const uint8_t* base, size_t stride, const uint8_t* freeMask, int n, uint8_t* top) {
    const int chunks = (n + 31) / 32;
    const Bytes one = Set1B(1);
    for (int i = 0; i < n; ++i) {
        if (!freeMask[i]) continue;
        const uint8_t* row = base + static_cast<size_t>(i) * stride;
        Bytes best = ZeroB();
        for (int c = 0; c < chunks; ++c)
            best = MaxB(best, AndB(AddB(LoadB(row + 32 * c), one), LoadB(freeMask + 32 * c)));
        const int m = HMaxB(best);
        top[i] = static_cast<uint8_t>(m == 0 ? 0 : m - 1);
    }
}

// The free lines (ascending) whose counter in the row equals c.
int FreeWithValue(const uint8_t* row, const uint8_t* freeMask, int n, int c, int* out) {
    const int chunks = (n + 31) / 32;
    const Bytes value = Set1B(static_cast<uint8_t>(c));
    int listed = 0;
    for (int k = 0; k < chunks; ++k) {
        uint32_t bits = MaskB(AndB(EqB(LoadB(row + 32 * k), value), LoadB(freeMask + 32 * k)));
        while (bits) {
            out[listed++] = 32 * k + __builtin_ctz(bits);
            bits &= bits - 1;
        }
    }
    return listed;
}

// A line left the free set: free lines with a known count that had it as a
// top partner lose one (row is the leaving line's).

// Adds to sum[tip << 4 | equals] the assigned lines (tip below 3) of a row
// with from <= equals < below: CountLarge's counts for those entries, the
// others are not touched. Near the top few lines qualify, so they are found
// by a vector compare and counted one by one. tips reaches a whole chunk of
// 32, padded with 3.

// Several lines left the free set together: free lines with a known count
// that had one of them as a top partner lose one for each, as if the lines
// left one at a time (a known count stops at 0, which makes it unknown).
void DropTopPartners(uint8_t* partners, const uint8_t* top, const uint8_t* const* rows, int h, const uint8_t* freeMask, int n) {
    const int chunks = (n + 31) / 32;
    for (int k = 0; k < chunks; ++k) {
        const Bytes p = LoadB(partners + 32 * k), t = LoadB(top + 32 * k);
        Bytes hits = ZeroB();
        for (int a = 0; a < h; ++a) hits = SubB(hits, EqB(LoadB(rows[a] + 32 * k), t));
        hits = AndB(hits, LoadB(freeMask + 32 * k));
        const Bytes known = EqB(MaxB(AddB(p, Set1B(0xFF)), Set1B(253)), Set1B(253)); // p - 1 <= 253
        const Bytes fewer = SubB(AddB(p, hits), MaxB(p, hits)); // the smaller of the two, modulo 256
        StoreB(partners + 32 * k, SubB(p, AndB(known, fewer)));
    }
}

// Adds to out[e] the pairs i < j of the table whose counter is e, for e below
// `levels` (at most 16). The lines before i + 1 and from n on are set to 0xFF
// in the chunk, which no level matches; byte counters are summed up before
// they could overflow.
void PairLevels(const uint8_t* base, size_t stride, int n, int levels, int64_t* out) {
    const int chunks = (n + 31) / 32;
    alignas(32) uint8_t before[64], after[64];
    for (int k = 0; k < 64; ++k) {
        before[k] = k < 32 ? 0xFF : 0; // before + 32 - r: the first r lanes 0xFF
        after[k] = k < 32 ? 0 : 0xFF;  // after + 32 - r: lanes r.. 0xFF
    }
    Bytes level[16], count[16];
    for (int e = 0; e < 16; ++e) {
        level[e] = Set1B(static_cast<uint8_t>(e));
        count[e] = ZeroB();
    }
    int counted = 0; // chunks in the byte counters
    for (int i = 0; i + 1 < n; ++i) {
        const uint8_t* row = base + static_cast<size_t>(i) * stride;
        const int firstChunk = (i + 1) / 32;
        if (counted + chunks > 255) {
            for (int e = 0; e < levels; ++e) {
                out[e] += SumB(count[e]);
                count[e] = ZeroB();
            }
            counted = 0;
        }
        counted += chunks - firstChunk;
        for (int c = firstChunk; c < chunks; ++c) {
            Bytes v = LoadB(row + 32 * c);
            if (c == firstChunk) v = OrB(v, LoadB(before + 32 - (i + 1 - 32 * c)));
            if (c == chunks - 1) v = OrB(v, LoadB(after + 32 - (n - 32 * c)));
            for (int e = 0; e < levels; ++e) count[e] = SubB(count[e], EqB(v, level[e]));
        }
    }
    for (int e = 0; e < levels; ++e) out[e] += SumB(count[e]);
}

// tip << 4 for whole chunks of 32 tips (the padding 3 becomes 0x30).
void TipKeys(const uint8_t* tips, int n, uint8_t* keys) {
    const int chunks = (n + 31) / 32;
    for (int c = 0; c < chunks; ++c) {
        Bytes k = LoadB(tips + 32 * c);
        for (int s = 0; s < 4; ++s) k = AddB(k, k);
        StoreB(keys + 32 * c, k);
    }
}

// Adds to sum[tip << 4 | equals] the assigned lines of a row with from <= equals
// < below, with the keys tip << 4 | equals built for a chunk at once
// (tipKeys from TipKeys). Near the top nearly every line that qualifies is at
// the levels from and from + 1: those are counted per tip in byte lanes, with
// no branch per chunk (a lane gains at most one per chunk). Lines above them
// are rare and counted one by one afterwards. Unassigned lines (tip 3) are not
// counted. Returns the highest level counted, 0 for none.
int CountBetweenKeys(const uint8_t* row, const uint8_t* tipKeys, int n, int from, int below, uint16_t* sum) {
    const int chunks = (n + 31) / 32;
    const int lanes = below - from < 2 ? below - from : 2;
    Bytes key[3][2];
    for (int t = 0; t < 3; ++t)
        for (int l = 0; l < 2; ++l) key[t][l] = Set1B(static_cast<uint8_t>((t << 4) | (from + l)));
    // The highest counter over the row: compared as signed bytes, the line's
    // own 0xFF is below every counter.
    Bytes highest = ZeroB();
    int top = 0;
    for (int start = 0; start < chunks; start += 255) {
        const int end = chunks - start < 255 ? chunks : start + 255;
        Bytes count[3][2];
        for (int t = 0; t < 3; ++t) count[t][0] = count[t][1] = ZeroB();
        for (int c = start; c < end; ++c) {
            const Bytes r = LoadB(row + 32 * c);
            const Bytes k = OrB(r, LoadB(tipKeys + 32 * c));
            for (int t = 0; t < 3; ++t) {
                count[t][0] = SubB(count[t][0], EqB(k, key[t][0]));
                count[t][1] = SubB(count[t][1], EqB(k, key[t][1]));
            }
            highest = MaxSignedB(highest, r);
        }
        for (int t = 0; t < 3; ++t)
            for (int l = 0; l < lanes; ++l) {
                const int counted = SumB(count[t][l]);
                sum[(t << 4) | (from + l)] = static_cast<uint16_t>(sum[(t << 4) | (from + l)] + counted);
                if (counted && from + l > top) top = from + l;
            }
    }
    if (below - from <= 2 || HMaxB(highest) <= from + 1) return top;
    const Bytes high = Set1B(static_cast<uint8_t>(from + 2)), ceiling = Set1B(static_cast<uint8_t>(below - 1));
    alignas(32) uint8_t keys[32];
    for (int c = 0; c < chunks; ++c) {
        const Bytes r = LoadB(row + 32 * c);
        uint32_t bits = MaskB(AndB(EqB(MaxB(r, high), r), EqB(MaxB(r, ceiling), ceiling)));
        if (!bits) continue;
        StoreB(keys, OrB(r, LoadB(tipKeys + 32 * c)));
        do {
            const uint8_t k = keys[__builtin_ctz(bits)];
            if (k < 48) {
                ++sum[k];
                if ((k & 15) > top) top = k & 15;
            }
            bits &= bits - 1;
        } while (bits);
    }
    return top;
}
