// Block optimisation: the outside tables and the enumeration of the candidates.

#include "calc/EngineCore.h"

#include <algorithm>
#include <array>
#include <type_traits>
#include <utility>
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif
#include <cstring>
#include <vector>

// 32-byte vectors are passed between functions of this file only, so the note
// about their calling convention without AVX does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace vdx {

namespace {

// Rank patterns of a block of h lines with c0 favourites and c1 neutrals, in the
// order of the enumeration: favourite positions (outer) and neutral positions
// among the rest (inner), each as ascending lists in lexicographic order.
struct Pattern {
    uint8_t rank[kMaxBlockSize];
    uint8_t offset[kMaxBlockSize];     // 3 * a + rank[a]: entry of the block line's outside table
    uint8_t restOffset[kMaxBlockSize]; // the offsets of the lines without the favourite
    uint8_t restPairs[10];             // PairIndex of the neutral pairs and the outsider pairs
    uint8_t descents;                  // bit a: rank[a] > rank[a + 1]
    uint8_t group;                     // index of its PatternGroup
    uint16_t same;                     // bit PairIndex(a, b): both lines get the same rank
    // restOffset, restPairs and group as byte offsets into their tables of
    // histograms, so the plain choice adds without scaling an index.
    uint16_t restAt[kMaxBlockSize];
    uint16_t restPairAt[10];
    uint16_t groupAt;
};

// The patterns that share one choice of favourite positions (the outer loop).
struct PatternGroup {
    uint8_t favOffset[kMaxBlockSize];
    uint8_t favPairs[10]; // PairIndex of the pairs of favourites
    uint16_t first, count;
};

struct PatternList {
    std::vector<Pattern> patterns;
    std::vector<PatternGroup> groups;
};

constexpr int kPairIndex[kMaxBlockSize][kMaxBlockSize] = {
    {-1, 0, 1, 2, 3}, {-1, -1, 4, 5, 6}, {-1, -1, -1, 7, 8}, {-1, -1, -1, -1, 9}, {-1, -1, -1, -1, -1}};

bool NextCombination(int* x, int k, int n) {
    int i = k - 1;
    while (i >= 0 && x[i] == n - k + i) --i;
    if (i < 0) return false;
    ++x[i];
    for (int j = i + 1; j < k; ++j) x[j] = x[j - 1] + 1;
    return true;
}

class PatternTable {
public:
    PatternTable() {
        for (int h = 1; h <= kMaxBlockSize; ++h)
            for (int c0 = 0; c0 <= h; ++c0)
                for (int c1 = 0; c0 + c1 <= h; ++c1) Generate(h, c0, c1);
    }
    const PatternList& Get(int h, int c0, int c1) const { return lists_[h][c0][c1]; }

private:
    PatternList lists_[kMaxBlockSize + 1][kMaxBlockSize + 1][kMaxBlockSize + 1];

    void Generate(int h, int c0, int c1) {
        std::vector<Pattern>& out = lists_[h][c0][c1].patterns;
        std::vector<PatternGroup>& groups = lists_[h][c0][c1].groups;
        int fav[kMaxBlockSize], neu[kMaxBlockSize], rest[kMaxBlockSize];
        for (int i = 0; i < c0; ++i) fav[i] = i;
        do {
            int ranks[kMaxBlockSize];
            for (int a = 0; a < h; ++a) ranks[a] = 2;
            for (int i = 0; i < c0; ++i) ranks[fav[i]] = 0;
            int restCount = 0;
            for (int a = 0; a < h; ++a)
                if (ranks[a] != 0) rest[restCount++] = a;
            PatternGroup group{};
            for (int i = 0; i < c0; ++i) group.favOffset[i] = static_cast<uint8_t>(3 * fav[i]);
            int favPairs = 0;
            for (int i = 0; i < c0; ++i)
                for (int j = i + 1; j < c0; ++j) group.favPairs[favPairs++] = static_cast<uint8_t>(kPairIndex[fav[i]][fav[j]]);
            group.first = static_cast<uint16_t>(out.size());
            for (int i = 0; i < c1; ++i) neu[i] = i;
            do {
                Pattern p{};
                for (int a = 0; a < h; ++a) p.rank[a] = ranks[a] == 0 ? 0 : 2;
                for (int i = 0; i < c1; ++i) p.rank[rest[neu[i]]] = 1;
                for (int a = 0; a < h; ++a) p.offset[a] = static_cast<uint8_t>(3 * a + p.rank[a]);
                for (int a = 0; a + 1 < h; ++a)
                    if (p.rank[a] > p.rank[a + 1]) p.descents |= static_cast<uint8_t>(1u << a);
                for (int a = 0; a < h; ++a)
                    for (int b = a + 1; b < h; ++b)
                        if (p.rank[a] == p.rank[b]) p.same |= static_cast<uint16_t>(1u << kPairIndex[a][b]);
                int restPairs = 0;
                for (int r = 1; r < 3; ++r)
                    for (int a = 0; a < h; ++a)
                        for (int b = a + 1; b < h; ++b)
                            if (p.rank[a] == r && p.rank[b] == r)
                                p.restPairs[restPairs++] = static_cast<uint8_t>(kPairIndex[a][b]);
                for (int k = 0; k < restCount; ++k) p.restOffset[k] = p.offset[rest[k]];
                p.group = static_cast<uint8_t>(groups.size());
                constexpr int kSize = static_cast<int>(sizeof(BlockHistogram));
                for (int k = 0; k < restCount; ++k) p.restAt[k] = static_cast<uint16_t>(kSize * p.restOffset[k]);
                for (int k = 0; k < restPairs; ++k) p.restPairAt[k] = static_cast<uint16_t>(kSize * p.restPairs[k]);
                p.groupAt = static_cast<uint16_t>(kSize * p.group);
                out.push_back(p);
            } while (NextCombination(neu, c1, restCount));
            group.count = static_cast<uint16_t>(out.size() - group.first);
            groups.push_back(group);
        } while (NextCombination(fav, c0, h));
    }
};

const PatternTable kPatterns;

struct ConditionTerms {
    bool weigh = false;        // conditions take part in this block at all
    bool dup = false;
    bool range[2] = {false, false};
    int limit = 0;
    uint16_t dupPairs = 0;     // block pairs that become duplicates when they share a rank
};

// The comparison mask of histograms known at every level (two bits per level).
constexpr uint32_t kAllLanes = 0xFFFFFFFFu;

struct ChooseArgs {
    int h = 0;
    int favourites = 0;
    int neutrals = 0;
    const Pattern* patterns = nullptr;
    const PatternGroup* groups = nullptr;
    int groupCount = 0;
    int patternCount = 0;
    uint8_t runMask = 0;
    const BlockHistogram* outside = nullptr;      // [a][rank] flattened
    const BlockHistogram* base = nullptr;
    BlockHistogram pairDelta[10]; // only the block's pairs are set
    const ConditionTerms* cond = nullptr;
    const int* dupOutside = nullptr;              // [a][rank] flattened
    const BlockHistogram* violation[2] = {};      // [a][rank] flattened per group
    EngineRandom* rng = nullptr;
    int* tie = nullptr;
    // Levels the plain choice compares; with fewer than all, a tie there ends it with -1.
    uint32_t lanes = kAllLanes;
    // No histogram entry can exceed 255: the block touches at most that many pairs.
    bool byteCounts = false;
};

// One histogram per pair level: a pair with e equals moves to e + 1 when both
// lines get the same rank.
struct PairDeltas {
    BlockHistogram delta[kEqualsLevels];
    PairDeltas() {
        for (int e = 0; e < kEqualsLevels; ++e) {
            BlockHistogram d{};
            d[e] = -1;
            if (e + 1 < 16) d[e + 1] = 1;
            delta[e] = d;
        }
    }
};

const PairDeltas kDeltas;

// One-hot histograms for every counter value a pair table row can hold below
// 16, and none for the others (a byte indexes it without a mask).
struct LevelOne {
    BlockHistogram level[256] = {};
    LevelOne() {
        for (int e = 0; e < 16; ++e) {
            BlockHistogram v{};
            v[e] = 1;
            level[e] = v;
        }
    }
};

const LevelOne kLevelOne;

// The same for a line with tip t, counted in bits 5t..5t+4 of the entry: up
// to 31 lines per tip and level fit, enough for rounds of up to 32 lines.
struct TipLevelOne {
    BlockHistogram key[48] = {};
    TipLevelOne() {
        for (int t = 0; t < 3; ++t)
            for (int e = 0; e < 16; ++e) key[16 * t + e][e] = static_cast<int16_t>(1 << (5 * t));
    }
};

const TipLevelOne kTipLevelOne;

} // namespace

// ---------------------------------------------------------------------------
// The candidate loop per instruction set. Histograms compare from the top
// entry down; the first entry that differs decides, fewer pairs is better.

#if defined(__GNUC__) && defined(__x86_64__)
#define VDX_X86_CHOOSERS 1
// clang ignores the GCC pragma and wants the target on every function instead.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
namespace avx2 {
namespace {
using Vec = __m256i;
inline Vec LoadV(const BlockHistogram* p) { return _mm256_load_si256(reinterpret_cast<const __m256i*>(p)); }
inline Vec AddV(Vec a, Vec b) { return _mm256_add_epi16(a, b); }
inline Vec ZeroV() { return _mm256_setzero_si256(); }
inline Vec SubV(Vec a, Vec b) { return _mm256_sub_epi16(a, b); }
inline Vec LoadU(const uint16_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
inline void StoreV(BlockHistogram* p, Vec v) { _mm256_store_si256(reinterpret_cast<__m256i*>(p), v); }
// Every count one level up; level 0 becomes 0.
inline Vec ShiftUpV(Vec v) { return _mm256_alignr_epi8(v, _mm256_permute2x128_si256(v, v, 0x08), 14); }
using Bytes = __m256i;
inline Bytes LoadB(const uint8_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
inline void StoreB(uint8_t* p, Bytes v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
inline Bytes Set1B(uint8_t v) { return _mm256_set1_epi8(static_cast<char>(v)); }
inline Bytes AndB(Bytes a, Bytes b) { return _mm256_and_si256(a, b); }
inline Bytes AddB(Bytes a, Bytes b) { return _mm256_add_epi8(a, b); }
inline Bytes SubB(Bytes a, Bytes b) { return _mm256_sub_epi8(a, b); }
inline Bytes EqB(Bytes a, Bytes b) { return _mm256_cmpeq_epi8(a, b); }
inline Bytes ZeroB() { return _mm256_setzero_si256(); }
inline Bytes OrB(Bytes a, Bytes b) { return _mm256_or_si256(a, b); }
inline Bytes AndNotB(Bytes a, Bytes b) { return _mm256_andnot_si256(a, b); } // b and not a
inline uint32_t MaskB(Bytes v) { return static_cast<uint32_t>(_mm256_movemask_epi8(v)); }
inline Bytes MaxB(Bytes a, Bytes b) { return _mm256_max_epu8(a, b); }
inline Bytes MaxSignedB(Bytes a, Bytes b) { return _mm256_max_epi8(a, b); }
inline int SumB(Bytes v) {
    const __m256i s = _mm256_sad_epu8(v, _mm256_setzero_si256());
    const __m128i t = _mm_add_epi64(_mm256_castsi256_si128(s), _mm256_extracti128_si256(s, 1));
    return _mm_cvtsi128_si32(_mm_add_epi64(t, _mm_unpackhi_epi64(t, t)));
}
inline int HMaxB(Bytes v) {
    __m128i m = _mm_max_epu8(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
    m = _mm_max_epu8(m, _mm_srli_si128(m, 8));
    m = _mm_max_epu8(m, _mm_srli_si128(m, 4));
    m = _mm_max_epu8(m, _mm_srli_si128(m, 2));
    m = _mm_max_epu8(m, _mm_srli_si128(m, 1));
    return _mm_cvtsi128_si32(m) & 0xFF;
}
inline int CountEqB(Bytes v, uint8_t x) {
    return __builtin_popcount(static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, Set1B(x)))));
}
inline int TopV(Vec v) {
    const unsigned set = ~static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi16(v, ZeroV())));
    return set ? (31 - __builtin_clz(set)) / 2 : -1;
}
inline uint32_t FewerMaskV(Vec a, Vec b) { return static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpgt_epi16(b, a))); }
// Entries 0..7 as bytes into low, 8..15 into high (entries of 0..255 only).
inline void PackV(Vec v, uint64_t* low, uint64_t* high) {
    const __m128i b = _mm_packus_epi16(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
    *low = static_cast<uint64_t>(_mm_cvtsi128_si64(b));
    *high = static_cast<uint64_t>(_mm_extract_epi64(b, 1));
}
// Entries 2..9 as bytes, entry 2 lowest.
inline uint64_t PackMiddleV(Vec v) {
    const __m128i b = _mm_packus_epi16(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
    return static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_srli_si128(b, 2)));
}
inline Vec OrV(Vec a, Vec b) { return _mm256_or_si256(a, b); }
inline Vec UnbeatenV() { return _mm256_setr_epi16(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x7FFF); }
inline Vec SelectV(int mask, Vec a, Vec b) { return _mm256_blendv_epi8(b, a, _mm256_set1_epi32(mask)); }
template <int kShift>
inline Vec FieldV(Vec v) { return _mm256_and_si256(_mm256_srli_epi16(v, kShift), _mm256_set1_epi16(31)); }
inline int CompareV(Vec a, Vec b) {
    const unsigned differs = ~static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi16(a, b)));
    if (!differs) return 0;
    const int bit = 31 - __builtin_clz(differs);
    const unsigned fewer = static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpgt_epi16(b, a)));
    return (fewer >> bit) & 1 ? -1 : 1;
}
#include "calc/EngineKernels.h"
} // namespace
} // namespace avx2
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

namespace sse2 {
namespace {
struct Vec {
    __m128i lo, hi;
};
inline Vec LoadV(const BlockHistogram* p) {
    const __m128i* q = reinterpret_cast<const __m128i*>(p);
    return {_mm_load_si128(q), _mm_load_si128(q + 1)};
}
inline Vec AddV(Vec a, Vec b) { return {_mm_add_epi16(a.lo, b.lo), _mm_add_epi16(a.hi, b.hi)}; }
inline Vec ZeroV() { return {_mm_setzero_si128(), _mm_setzero_si128()}; }
inline Vec SubV(Vec a, Vec b) { return {_mm_sub_epi16(a.lo, b.lo), _mm_sub_epi16(a.hi, b.hi)}; }
inline Vec LoadU(const uint16_t* p) {
    const __m128i* q = reinterpret_cast<const __m128i*>(p);
    return {_mm_loadu_si128(q), _mm_loadu_si128(q + 1)};
}
inline void StoreV(BlockHistogram* p, Vec v) {
    __m128i* q = reinterpret_cast<__m128i*>(p);
    _mm_store_si128(q, v.lo);
    _mm_store_si128(q + 1, v.hi);
}
inline Vec ShiftUpV(Vec v) { return {_mm_slli_si128(v.lo, 2), _mm_or_si128(_mm_slli_si128(v.hi, 2), _mm_srli_si128(v.lo, 14))}; }
struct Bytes {
    __m128i lo, hi;
};
inline Bytes LoadB(const uint8_t* p) {
    const __m128i* q = reinterpret_cast<const __m128i*>(p);
    return {_mm_loadu_si128(q), _mm_loadu_si128(q + 1)};
}
inline void StoreB(uint8_t* p, Bytes v) {
    __m128i* q = reinterpret_cast<__m128i*>(p);
    _mm_storeu_si128(q, v.lo);
    _mm_storeu_si128(q + 1, v.hi);
}
inline Bytes Set1B(uint8_t v) {
    const __m128i x = _mm_set1_epi8(static_cast<char>(v));
    return {x, x};
}
inline Bytes AndB(Bytes a, Bytes b) { return {_mm_and_si128(a.lo, b.lo), _mm_and_si128(a.hi, b.hi)}; }
inline Bytes AddB(Bytes a, Bytes b) { return {_mm_add_epi8(a.lo, b.lo), _mm_add_epi8(a.hi, b.hi)}; }
inline Bytes SubB(Bytes a, Bytes b) { return {_mm_sub_epi8(a.lo, b.lo), _mm_sub_epi8(a.hi, b.hi)}; }
inline Bytes EqB(Bytes a, Bytes b) { return {_mm_cmpeq_epi8(a.lo, b.lo), _mm_cmpeq_epi8(a.hi, b.hi)}; }
inline Bytes ZeroB() { return {_mm_setzero_si128(), _mm_setzero_si128()}; }
inline Bytes OrB(Bytes a, Bytes b) { return {_mm_or_si128(a.lo, b.lo), _mm_or_si128(a.hi, b.hi)}; }
inline Bytes AndNotB(Bytes a, Bytes b) { return {_mm_andnot_si128(a.lo, b.lo), _mm_andnot_si128(a.hi, b.hi)}; }
inline uint32_t MaskB(Bytes v) {
    return static_cast<uint32_t>(_mm_movemask_epi8(v.lo)) | static_cast<uint32_t>(_mm_movemask_epi8(v.hi)) << 16;
}
inline Bytes MaxB(Bytes a, Bytes b) { return {_mm_max_epu8(a.lo, b.lo), _mm_max_epu8(a.hi, b.hi)}; }
inline Bytes MaxSignedB(Bytes a, Bytes b) {
    const Bytes bias = Set1B(0x80);
    auto flip = [&](Bytes v) { return Bytes{_mm_xor_si128(v.lo, bias.lo), _mm_xor_si128(v.hi, bias.hi)}; };
    return flip(MaxB(flip(a), flip(b)));
}
inline int SumB(Bytes v) {
    const __m128i z = _mm_setzero_si128();
    const __m128i t = _mm_add_epi64(_mm_sad_epu8(v.lo, z), _mm_sad_epu8(v.hi, z));
    return _mm_cvtsi128_si32(_mm_add_epi64(t, _mm_unpackhi_epi64(t, t)));
}
inline int HMaxB(Bytes v) {
    __m128i m = _mm_max_epu8(v.lo, v.hi);
    m = _mm_max_epu8(m, _mm_srli_si128(m, 8));
    m = _mm_max_epu8(m, _mm_srli_si128(m, 4));
    m = _mm_max_epu8(m, _mm_srli_si128(m, 2));
    m = _mm_max_epu8(m, _mm_srli_si128(m, 1));
    return _mm_cvtsi128_si32(m) & 0xFF;
}
inline int CountEqB(Bytes v, uint8_t x) {
    const Bytes e = EqB(v, Set1B(x));
    return __builtin_popcount(static_cast<unsigned>(_mm_movemask_epi8(e.lo))) +
           __builtin_popcount(static_cast<unsigned>(_mm_movemask_epi8(e.hi)));
}
inline unsigned Mask(__m128i lo, __m128i hi) {
    return static_cast<unsigned>(_mm_movemask_epi8(lo)) | static_cast<unsigned>(_mm_movemask_epi8(hi)) << 16;
}
inline int TopV(Vec v) {
    const __m128i z = _mm_setzero_si128();
    const unsigned set = ~Mask(_mm_cmpeq_epi16(v.lo, z), _mm_cmpeq_epi16(v.hi, z));
    return set ? (31 - __builtin_clz(set)) / 2 : -1;
}
inline uint32_t FewerMaskV(Vec a, Vec b) { return Mask(_mm_cmpgt_epi16(b.lo, a.lo), _mm_cmpgt_epi16(b.hi, a.hi)); }
inline void PackV(Vec v, uint64_t* low, uint64_t* high) {
    const __m128i b = _mm_packus_epi16(v.lo, v.hi);
    *low = static_cast<uint64_t>(_mm_cvtsi128_si64(b));
    *high = static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(b, b)));
}
inline uint64_t PackMiddleV(Vec v) { return static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_srli_si128(_mm_packus_epi16(v.lo, v.hi), 2))); }
inline Vec OrV(Vec a, Vec b) { return {_mm_or_si128(a.lo, b.lo), _mm_or_si128(a.hi, b.hi)}; }
inline Vec UnbeatenV() { return {_mm_setzero_si128(), _mm_setr_epi16(0, 0, 0, 0, 0, 0, 0, 0x7FFF)}; }
template <int kShift>
inline Vec FieldV(Vec v) {
    const __m128i m = _mm_set1_epi16(31);
    return {_mm_and_si128(_mm_srli_epi16(v.lo, kShift), m), _mm_and_si128(_mm_srli_epi16(v.hi, kShift), m)};
}
inline Vec SelectV(int mask, Vec a, Vec b) {
    const __m128i m = _mm_set1_epi32(mask);
    return {_mm_or_si128(_mm_and_si128(m, a.lo), _mm_andnot_si128(m, b.lo)), _mm_or_si128(_mm_and_si128(m, a.hi), _mm_andnot_si128(m, b.hi))};
}
inline int CompareV(Vec a, Vec b) {
    const unsigned differs = ~Mask(_mm_cmpeq_epi16(a.lo, b.lo), _mm_cmpeq_epi16(a.hi, b.hi));
    if (!differs) return 0;
    const int bit = 31 - __builtin_clz(differs);
    const unsigned fewer = Mask(_mm_cmpgt_epi16(b.lo, a.lo), _mm_cmpgt_epi16(b.hi, a.hi));
    return (fewer >> bit) & 1 ? -1 : 1;
}
#include "calc/EngineKernels.h"
} // namespace
} // namespace sse2
#endif

// Portable: plain vector types of the compiler; the only set on other machines.
namespace plain {
namespace {
using Vec = BlockHistogram;
inline Vec LoadV(const BlockHistogram* p) { return *p; }
inline Vec AddV(Vec a, Vec b) { return a + b; }
inline Vec ZeroV() { return Vec{}; }
inline Vec SubV(Vec a, Vec b) { return a - b; }
inline Vec LoadU(const uint16_t* p) {
    Vec v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline void StoreV(BlockHistogram* p, Vec v) { *p = v; }
inline Vec ShiftUpV(Vec v) {
    Vec up{};
    for (int e = 1; e < 16; ++e) up[e] = v[e - 1];
    return up;
}
typedef uint8_t Bytes __attribute__((vector_size(32)));
inline Bytes LoadB(const uint8_t* p) {
    Bytes v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline void StoreB(uint8_t* p, Bytes v) { std::memcpy(p, &v, sizeof v); }
inline Bytes Set1B(uint8_t v) { return Bytes{} + v; }
inline Bytes AndB(Bytes a, Bytes b) { return a & b; }
inline Bytes AddB(Bytes a, Bytes b) { return a + b; }
inline Bytes SubB(Bytes a, Bytes b) { return a - b; }
inline Bytes EqB(Bytes a, Bytes b) { return static_cast<Bytes>(a == b); }
inline Bytes ZeroB() { return Bytes{}; }
inline Bytes OrB(Bytes a, Bytes b) { return a | b; }
inline Bytes AndNotB(Bytes a, Bytes b) { return ~a & b; }
inline uint32_t MaskB(Bytes v) {
    uint32_t m = 0;
    for (int k = 0; k < 32; ++k) m |= static_cast<uint32_t>(v[k] >> 7) << k;
    return m;
}
inline Bytes MaxB(Bytes a, Bytes b) { return a > b ? a : b; }
typedef int8_t SignedBytes __attribute__((vector_size(32)));
inline Bytes MaxSignedB(Bytes a, Bytes b) {
    const SignedBytes x = reinterpret_cast<SignedBytes>(a), y = reinterpret_cast<SignedBytes>(b);
    return reinterpret_cast<Bytes>(x > y ? x : y);
}
inline int SumB(Bytes v) {
    int sum = 0;
    for (int k = 0; k < 32; ++k) sum += v[k];
    return sum;
}
inline int HMaxB(Bytes v) {
    int m = 0;
    for (int k = 0; k < 32; ++k) m = v[k] > m ? v[k] : m;
    return m;
}
inline int CountEqB(Bytes v, uint8_t x) {
    int c = 0;
    for (int k = 0; k < 32; ++k) c += v[k] == x ? 1 : 0;
    return c;
}
inline int TopV(Vec v) {
    for (int e = 15; e >= 0; --e)
        if (v[e] != 0) return e;
    return -1;
}
inline uint32_t FewerMaskV(Vec a, Vec b) {
    uint32_t m = 0;
    for (int e = 0; e < 16; ++e) m |= (a[e] < b[e] ? 3u : 0u) << (2 * e);
    return m;
}
inline void PackV(Vec v, uint64_t* low, uint64_t* high) {
    uint64_t l = 0, u = 0;
    for (int e = 0; e < 8; ++e) {
        l |= static_cast<uint64_t>(static_cast<uint8_t>(v[e])) << (8 * e);
        u |= static_cast<uint64_t>(static_cast<uint8_t>(v[e + 8])) << (8 * e);
    }
    *low = l;
    *high = u;
}
inline uint64_t PackMiddleV(Vec v) {
    uint64_t m = 0;
    for (int e = 2; e < 10; ++e) m |= static_cast<uint64_t>(static_cast<uint8_t>(v[e])) << (8 * (e - 2));
    return m;
}
inline Vec OrV(Vec a, Vec b) { return a | b; }
inline Vec UnbeatenV() {
    Vec v{};
    v[15] = 0x7FFF;
    return v;
}
inline Vec SelectV(int mask, Vec a, Vec b) { return mask ? a : b; }
template <int kShift>
inline Vec FieldV(Vec v) { return (v >> kShift) & 31; }
inline int CompareV(Vec a, Vec b) {
    for (int e = 15; e >= 0; --e)
        if (a[e] != b[e]) return a[e] < b[e] ? -1 : 1;
    return 0;
}
#include "calc/EngineKernels.h"
} // namespace
} // namespace plain

namespace {

using ChooseFn = int (*)(const ChooseArgs&);
using SmallFn = void (*)(const uint8_t* const*, int, const uint8_t*, int, BlockHistogram (*)[3]);
using LargeFn = void (*)(const uint16_t (*)[80], int, BlockHistogram (*)[3]);
using UpdateFn = void (*)(uint8_t*, size_t, const uint8_t*, int, uint8_t);
using ExchangeFn = void (*)(uint8_t*, size_t, const uint8_t*, const uint8_t*, int);
using TopsFn = void (*)(const uint8_t*, size_t, const uint8_t*, int, uint8_t*, uint8_t*);
using MarkFn = uint32_t (*)(const uint8_t*, const uint8_t*, const uint8_t*, uint8_t, uint8_t);
using RowTopFn = int (*)(const uint8_t*, const uint8_t*, int, int*);
using MaximaFn = void (*)(const uint8_t*, size_t, const uint8_t*, int, uint8_t*);
using ValueFn = int (*)(const uint8_t*, const uint8_t*, int, int, int*);
using PairsFn = void (*)(const uint8_t* const*, const int*, int, BlockHistogram*, BlockHistogram*);
using DropAllFn = void (*)(uint8_t*, const uint8_t*, const uint8_t* const*, int, const uint8_t*, int);
using ExchangeTopsFn = void (*)(uint8_t*, size_t, const uint8_t*, const uint8_t*, int, const uint8_t*, uint8_t*, uint8_t*);
using UpdateTopsFn = void (*)(uint8_t*, size_t, const uint8_t*, int, uint8_t, const uint8_t*, uint8_t*, uint8_t*);
using TipKeysFn = void (*)(const uint8_t*, int, uint8_t*);
using BetweenKeysFn = int (*)(const uint8_t*, const uint8_t*, int, int, int, uint16_t*);
using PairLevelsFn = void (*)(const uint8_t*, size_t, int, int, int64_t*);

struct Kernels {
    ChooseFn choose;
    SmallFn small;
    LargeFn large;
    UpdateFn update;
    ExchangeFn exchange;
    TopsFn tops;
    MarkFn mark;
    RowTopFn rowTop;
    MaximaFn maxima;
    ValueFn withValue;
    PairsFn pairs;
    DropAllFn dropAll;
    ExchangeTopsFn exchangeTops;
    UpdateTopsFn updateTops;
    TipKeysFn tipKeys;
    BetweenKeysFn betweenKeys;
    PairLevelsFn pairLevels;
};

#define VDX_KERNEL_SET(ns)                                                                                        \
    Kernels {                                                                                                     \
        ns::Choose, ns::SmallOutsideTables, ns::LargeOutsideTables, ns::UpdateRows, ns::ExchangeRows, ns::SmallTops, ns::MarkChunk, \
            ns::RowTop, ns::RowMaxima, ns::FreeWithValue, ns::BlockPairs,        \
            ns::DropTopPartners, ns::ExchangeRowsTops, ns::UpdateRowsTops, ns::TipKeys, ns::CountBetweenKeys, ns::PairLevels \
    }

const Kernels kPortable = VDX_KERNEL_SET(plain);
#ifdef VDX_X86_CHOOSERS
const Kernels kBaseline = VDX_KERNEL_SET(sse2);
const Kernels kAvx2 = VDX_KERNEL_SET(avx2);
#else
const Kernels kBaseline = kPortable;
#endif

const Kernels* BestKernels() {
#ifdef VDX_X86_CHOOSERS
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) return &kAvx2;
#endif
    return &kBaseline;
}

const Kernels* gKernels = BestKernels();
inline const Kernels& Pick() { return *gKernels; }

} // namespace

void UseEngineKernels(EngineKernelSet set) {
    switch (set) {
    case EngineKernelSet::Best: gKernels = BestKernels(); break;
    case EngineKernelSet::Baseline: gKernels = &kBaseline; break;
    case EngineKernelSet::Portable: gKernels = &kPortable; break;
    }
}

namespace {


// The kernels read whole chunks of 32 tips: a copy padded with a tip no line has.
uint8_t* PaddedTips(uint8_t* out, const uint8_t* tips, int n) {
    std::memcpy(out, tips, static_cast<size_t>(n));
    std::memset(out + n, kRankUnassigned, 32);
    return out;
}

// Counts of (tip << 4 | equals) over a row. The keys are built in one vector
// pass and then read back one byte each, so every line costs a load and an
// increment; eight tables keep the increments from waiting on each other.
VDX_VECTOR_CLONES
void CountLarge(const uint8_t* row, const uint8_t* tips, int n, uint8_t* keys, uint16_t* sum) {
    const int whole = (n + 7) / 8 * 8;
    for (int j = 0; j < n; ++j) keys[j] = static_cast<uint8_t>((tips[j] << 4) | (row[j] & 15));
    for (int j = n; j < whole; ++j) keys[j] = 63;
    uint16_t t[8][64] = {};
    for (int j = 0; j < whole; j += 8)
        for (int k = 0; k < 8; ++k) ++t[k][keys[j + k]];
    for (int k = 0; k < 64; ++k)
        sum[k] = static_cast<uint16_t>(t[0][k] + t[1][k] + t[2][k] + t[3][k] + t[4][k] + t[5][k] + t[6][k] + t[7][k]);
}

// Outside tables of the block lines (see OutsideTables).
void BuildOutsideTables(const uint8_t* const* rows, int h, const uint8_t* tips, int n, uint8_t* keys,
                        BlockHistogram (*outside)[3]) {
    if (n < 128) {
        Pick().small(rows, h, tips, n, outside);
        return;
    }
    alignas(32) uint16_t sum[kMaxBlockSize][80];
    for (int a = 0; a < h; ++a) {
        sum[a][0] = 0;
        CountLarge(rows[a], tips, n, keys, sum[a] + 1);
        for (int k = 65; k < 80; ++k) sum[a][k] = 0;
    }
    Pick().large(sum, h, outside);
}

// Many lines: the candidates nearly always differ within the few highest
// levels, which only a few outside lines reach. The outside tables are
// counted from those lines alone and the choice compares those levels; a tie
// there needs more levels (no draw is made before), and after a second try
// the caller counts all (-1).
constexpr int kTopLevelLines = 128;

int ChooseByTopLevels(const uint8_t* const* rows, int h, const uint8_t* tips, int n, EngineWork& w, ChooseArgs& args) {
    const uint8_t* padded = PaddedTips(w.exchangeScratch.data(), tips, n);
    // Levels from the highest counter of the last block on; the first pass
    // takes everything up to the top, whatever it is now.
    int from = std::max(1, w.topGuess - 1);
    int below = kEqualsLevels;
    alignas(32) uint16_t sum[kMaxBlockSize][80] = {};
    uint8_t* tipKeys = w.keys.data();
    Pick().tipKeys(padded, n, tipKeys);
    int top = 0; // the highest level counted so far
    for (int pass = 0; pass < 2; ++pass) {
        if (from < 1) return -1;
        for (int a = 0; a < h; ++a) top = std::max(top, Pick().betweenKeys(rows[a], tipKeys, n, from, below, sum[a] + 1));
        if (top > 0) w.topGuess = top;
        Pick().large(sum, h, w.outside);
        // Entry e of an outside table needs the counts at e and e - 1.
        args.lanes = kAllLanes << (2 * (from + 1));
        const int chosen = Pick().choose(args);
        if (chosen >= 0) return chosen;
        below = from;
        from -= 2;
    }
    return -1;
}

} // namespace

void UpdatePairTable(PairTable& table, const uint8_t* tips, int n, uint8_t delta, uint8_t* scratch) {
    PaddedTips(scratch, tips, n);
    Pick().update(table.Row(0), table.Stride(), scratch, n, delta);
}

void ExchangePairTableMatches(PairTable& table, const uint8_t* added, const uint8_t* removed, int n, uint8_t* scratch) {
    const uint8_t* a = PaddedTips(scratch, added, n);
    const uint8_t* r = PaddedTips(scratch + n + 32, removed, n);
    Pick().exchange(table.Row(0), table.Stride(), a, r, n);
}

void UpdatePairTableTops(PairTable& table, const uint8_t* tips, int n, uint8_t delta, uint8_t* scratch,
                         const uint8_t* valid, uint8_t* tops, uint8_t* counts) {
    PaddedTips(scratch, tips, n);
    Pick().updateTops(table.Row(0), table.Stride(), scratch, n, delta, valid, tops, counts);
}

void ExchangePairTableMatchesTops(PairTable& table, const uint8_t* added, const uint8_t* removed, int n, uint8_t* scratch,
                                  const uint8_t* valid, uint8_t* tops, uint8_t* counts) {
    const uint8_t* a = PaddedTips(scratch, added, n);
    const uint8_t* r = PaddedTips(scratch + n + 32, removed, n);
    Pick().exchangeTops(table.Row(0), table.Stride(), a, r, n, valid, tops, counts);
}

void SmallTops(const PairTable& table, const uint8_t* freeMask, int n, uint8_t* tops, uint8_t* counts) {
    Pick().tops(table.Row(0), table.Stride(), freeMask, n, tops, counts);
}

int FreeRowTop(const uint8_t* row, const uint8_t* freeMask, int n, int* count) {
    return Pick().rowTop(row, freeMask, n, count);
}

void FreeRowMaxima(const PairTable& table, const uint8_t* freeMask, int n, uint8_t* top) {
    Pick().maxima(table.Row(0), table.Stride(), freeMask, n, top);
}

int FreeWithValue(const uint8_t* row, const uint8_t* freeMask, int n, int c, int* out) {
    return Pick().withValue(row, freeMask, n, c, out);
}

void DropTopPartners(uint8_t* partners, const uint8_t* top, const uint8_t* const* rows, int h, const uint8_t* freeMask, int n) {
    Pick().dropAll(partners, top, rows, h, freeMask, n);
}

int CountBetweenByKeys(const uint8_t* row, const uint8_t* tips, int n, int from, int below, uint16_t* sum, uint8_t* tipKeys) {
    Pick().tipKeys(tips, n, tipKeys);
    return Pick().betweenKeys(row, tipKeys, n, from, below, sum);
}

ChoiceMarkFn ChoiceMarkKernel() { return Pick().mark; }

void CountPairLevels(const PairTable& table, int n, int levels, int64_t* out) {
    Pick().pairLevels(table.Row(0), table.Stride(), n, levels, out);
}

void EngineCore::OptimiseBlock(int p) {
    const int n = s.lineCount;
    const int h = w.blockSize;
    auto& tips = s.tips[p];
    const int K = s.noDuplicateCount;

    ConditionTerms cond;
    cond.weigh = s.improving && s.conditionsActive &&
                 (UsesNoDup() || s.conditions[kSwitch1X2] || s.conditions[kSwitchFavourites]);
    cond.dup = cond.weigh && UsesNoDup() && p < K && s.duplicatePossible;
    cond.range[0] = cond.weigh && s.conditions[kSwitch1X2];
    cond.range[1] = cond.weigh && s.conditions[kSwitchFavourites];
    cond.limit = s.equalsLimit;

    // A block whose lines all get the same rank has a single candidate.
    const PatternList& list = kPatterns.Get(h, w.blockRanks[0], w.blockRanks[1]);
    if (list.patterns.size() == 1) {
        for (int a = 0; a < h; ++a) tips[w.block[a]] = list.patterns[0].rank[a];
        w.tieCounter = 0;
        w.useRuns = false;
        return;
    }

    // The block's own lines are not outside lines.
    for (int a = 0; a < h; ++a) tips[w.block[a]] = kRankUnassigned;

    const uint8_t* rows[kMaxBlockSize] = {};
    for (int a = 0; a < h; ++a) rows[a] = pe.Row(w.block[a]);
    if (cond.weigh) {
        for (int a = 0; a < h; ++a) {
            const int line = w.block[a];
            if (cond.dup) {
                // A pair becomes a duplicate when it already agrees in the other K - 1 matches.
                const uint8_t* row = nd.Row(line);
                int d[4] = {0, 0, 0, 0};
                for (int o = 0; o < n; ++o) d[tips[o]] += row[o] == K - 1 ? 1 : 0;
                for (int r = 0; r < 3; ++r) w.dupOutside[a][r] = d[r];
            }
            for (int g = 0; g < 2; ++g) {
                if (!cond.range[g]) continue;
                const auto& have = s.categoryCounts[g][line];
                for (int r = 0; r < 3; ++r) {
                    BlockHistogram v{};
                    const int cat = s.categoryMaps[g][p][r];
                    for (int c = 0; c < 3; ++c) {
                        const int count = have[c] + (c == cat ? 1 : 0);
                        const int lo = s.bounds[g][c][0], hi = s.bounds[g][c][1];
                        if (count < lo) ++v[std::min(lo - count, kEqualsLevels - 1)];
                        else if (count > hi) ++v[std::min(count - hi, kEqualsLevels - 1)];
                    }
                    w.violation[g][a][r] = v;
                }
            }
        }
    }

    // Pairs inside the block: e equals, e + 1 when both get the same rank.
    ChooseArgs args;
    Pick().pairs(rows, w.block.data(), h, &w.base, args.pairDelta);
    if (cond.dup)
        for (int a = 0; a < h; ++a)
            for (int b = a + 1; b < h; ++b)
                if (nd.Get(w.block[a], w.block[b]) == K - 1) cond.dupPairs |= static_cast<uint16_t>(1u << kPairIndex[a][b]);

    uint8_t runMask = 0;
    if (w.useRuns)
        for (int a = 0; a + 1 < h; ++a)
            if (w.runs[a] > 0) runMask |= static_cast<uint8_t>(1u << a);

    // Enumerate the candidates, keep the best and write it into the tips.
    args.h = h;
    args.favourites = w.blockRanks[0];
    args.neutrals = w.blockRanks[1];
    args.patterns = list.patterns.data();
    args.groups = list.groups.data();
    args.groupCount = static_cast<int>(list.groups.size());
    args.patternCount = static_cast<int>(list.patterns.size());
    args.runMask = runMask;
    args.outside = &w.outside[0][0];
    args.base = &w.base;
    args.cond = &cond;
    args.dupOutside = &w.dupOutside[0][0];
    args.violation[0] = &w.violation[0][0][0];
    args.violation[1] = &w.violation[1][0][0];
    args.rng = &ctx.random;
    args.tie = &w.tieCounter;
    args.byteCounts = h * (n - h) + h * (h - 1) / 2 <= 255;
    int chosen = -1;
    if (!cond.weigh && n >= kTopLevelLines) chosen = ChooseByTopLevels(rows, h, tips.data(), n, w, args);
    if (chosen < 0) {
        // Outside tables: a line outside with equals e adds e + 1 under its own rank, e under the others.
        BuildOutsideTables(rows, h, tips.data(), n, w.keys.data(), w.outside);
        args.lanes = kAllLanes;
        chosen = Pick().choose(args);
    }
    for (int a = 0; a < h; ++a) tips[w.block[a]] = list.patterns[chosen].rank[a];
    w.useRuns = false;
}

} // namespace vdx
