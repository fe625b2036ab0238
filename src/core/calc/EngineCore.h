#pragma once
// The engine's block machinery, shared by the construction and the improvement
// phase. Internal to the calc directory.

#include "calc/Engine.h"
#include "calc/PairTable.h"

#include <array>
#include <cstdint>
#include <vector>

// The hot loops are written so the compiler can vectorise them; on x86 they are
// also compiled for AVX2 and picked at run time.
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__)) && !defined(__SANITIZE_ADDRESS__)
#define VDX_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define VDX_VECTOR_CLONES
#endif

namespace vdx {

constexpr int kPaddedLines = (kMaxLines + 63) / 64 * 64;

// Candidate histograms only cover the pairs that touch the block (at most
// 5 * 1000 + 10), so 16-bit counters are enough and one histogram fits a vector.
typedef int16_t BlockHistogram __attribute__((vector_size(32)));

struct EngineWork {
    // 0xFF while the line is free in the current match step, 0 otherwise (padding stays 0).
    alignas(64) std::array<uint8_t, kPaddedLines> freeMask{};
    int freeCount = 0;

    // Greedy block forming: per free line the highest equals with a free partner
    // and the number of such partners. A count of 1..254 is exact; 0 (a top
    // partner left) and 255 (too many to track) make top an upper bound only.
    alignas(64) std::array<uint8_t, kPaddedLines> top{};
    alignas(64) std::array<uint8_t, kPaddedLines> partners{};
    bool partnersValid = false;
    // Lines that left the free set since the counts were last brought up to
    // date: their drops are made together, just before the counts are read.
    std::array<int, kMaxLines> pendingDrops{};
    int pendingCount = 0;
    // The same over all lines, taken with the last update of the pair table of
    // a step with many lines; fullTopsValid while the table has not changed since.
    alignas(64) std::array<uint8_t, kPaddedLines> fullTop{};
    alignas(64) std::array<uint8_t, kPaddedLines> fullPartners{};
    alignas(64) std::array<uint8_t, kPaddedLines> lineMask{}; // 0xFF for lines 0..lineMaskLines - 1
    int lineMaskLines = 0;
    bool fullTopsValid = false;

    // The block being formed and optimised.
    std::array<int, kMaxBlockSize> block{};
    int blockSize = 0;   // lines in the block so far
    int blockTarget = 0; // h
    std::array<int, 3> blockRanks{}; // c0, c1, c2
    std::array<int, kMaxBlockSize> runs{};
    bool useRuns = false;

    // Apportionment of a match's counts to the blocks.
    std::array<std::array<int, 3>, kMaxBlocks> quota{};
    std::array<std::array<int, 3>, kMaxBlocks> remainder{};

    // Block outside tables: per block line and rank, the equals histogram of the
    // pairs with the lines outside the block; the same for duplicates (entry K
    // only) and range violations while conditions are weighed.
    BlockHistogram outside[kMaxBlockSize][3];
    BlockHistogram base; // the block's own pairs, all with different ranks
    int dupOutside[kMaxBlockSize][3];
    BlockHistogram violation[2][kMaxBlockSize][3];
    alignas(64) std::array<uint8_t, kPaddedLines + 64> keys{};
    alignas(64) std::array<uint8_t, 2 * (kPaddedLines + 64)> exchangeScratch{};

    int tieCounter = 0;
    // The highest counter the last block of many lines saw (where counting starts).
    int topGuess = 0;

    // Random fills: the line each upper half of the generator's state draws
    // among drawLines lines.
    std::vector<uint16_t> drawLine;
    std::vector<uint8_t> drawLineByte; // instead, for up to 256 lines
    int drawLines = 0;
};

// The vector code the engine runs: the best the processor offers, the x86-64
// baseline (SSE2), or the portable one. Results are the same; tests switch.
enum class EngineKernelSet { Best, Baseline, Portable };
void UseEngineKernels(EngineKernelSet set);

// Adds delta (1 or 0xFF for -1) to the counter of every pair of lines with
// equal tips; scratch holds lineCount + 32 bytes.
void UpdatePairTable(PairTable& table, const uint8_t* tips, int n, uint8_t delta, uint8_t* scratch);

// The same for two fully assigned matches at once: adds `added`, takes out
// `removed`; scratch holds 2 * (lineCount + 32) bytes.
void ExchangePairTableMatches(PairTable& table, const uint8_t* added, const uint8_t* removed, int n, uint8_t* scratch);

// UpdatePairTable and ExchangePairTableMatches that also give per line the
// highest counter over all lines and the number of lines at it (255: too many
// to track); valid is 0xFF for lines 0..n-1 and 0 up to a whole chunk of 32.
void UpdatePairTableTops(PairTable& table, const uint8_t* tips, int n, uint8_t delta, uint8_t* scratch,
                         const uint8_t* valid, uint8_t* tops, uint8_t* counts);
void ExchangePairTableMatchesTops(PairTable& table, const uint8_t* added, const uint8_t* removed, int n, uint8_t* scratch,
                                  const uint8_t* valid, uint8_t* tops, uint8_t* counts);

// Blocks of a step with up to this many lines are formed by looking at every
// free line afresh; above it tops and partner counts are kept up to date.
constexpr int kDirectFormingLines = 64;

// Up to 64 lines: per line the highest counter with a free partner, plus 1 (0
// when there is none), and the number of such partners.
void SmallTops(const PairTable& table, const uint8_t* freeMask, int n, uint8_t* tops, uint8_t* counts);

// Highest counter of a row with a free partner, plus 1 (0 when there is none),
// and the number of such partners.
int FreeRowTop(const uint8_t* row, const uint8_t* freeMask, int n, int* count);
// For every free line the highest counter with a free partner (0 when none).
void FreeRowMaxima(const PairTable& table, const uint8_t* freeMask, int n, uint8_t* top);
// The free lines (ascending) whose counter in the row equals c.
int FreeWithValue(const uint8_t* row, const uint8_t* freeMask, int n, int c, int* out);
// h lines (rows) left the free set together: free lines with a known count
// that had one of them as a top partner lose one for each, in one pass.
void DropTopPartners(uint8_t* partners, const uint8_t* top, const uint8_t* const* rows, int h, const uint8_t* freeMask, int n);

// Adds to sum[tip << 4 | equals] the assigned lines (tip below 3) of a row with
// from <= equals < below; tips reach a whole chunk of 32, padded with 3;
// tipKeys is scratch of the padded size. It returns the highest level it
// counted, 0 for none.
int CountBetweenByKeys(const uint8_t* row, const uint8_t* tips, int n, int from, int below, uint16_t* sum, uint8_t* tipKeys);

// Adds to out[e] the number of pairs i < j < n whose counter is e, for every
// e below levels (at most 16).
void CountPairLevels(const PairTable& table, int n, int levels, int64_t* out);

// The kernel that sets bit j when free line j of a chunk of 32 can matter to a
// greedy choice with the running c and the most partners found at it (see
// FormBlock); level is c + 1 (0 for c = -1), most at most 255. Taken once per
// block: it is called for every chunk.
using ChoiceMarkFn = uint32_t (*)(const uint8_t* top, const uint8_t* partners, const uint8_t* freeMask, uint8_t level, uint8_t most);
ChoiceMarkFn ChoiceMarkKernel();

class EngineCore {
public:
    EngineCore(DistributionState& state, EngineContext& ctx);

    DistributionState& s;
    EngineContext& ctx;
    EngineWork& w;
    PairTable& pe;
    PairTable& nd;

    bool UsesNoDup() const { return s.conditions[kSwitchDuplicates] && s.noDuplicateCount > 0; }
    bool UsesRanges() const { return s.conditions[kSwitch1X2] || s.conditions[kSwitchFavourites]; }

    // Zero the pair tables for the state's lines.
    void ResetTables();
    // Count match p (fully assigned) into the pair tables and the category counters,
    // or take it out again.
    void AddMatch(int p);
    void RemoveMatch(int p);
    // AddMatch(p) followed by RemoveMatch(q), with one pass over the pair table.
    void ExchangeMatches(int p, int q);

    void FreeAll();
    void TakeLine(int line);
    // Takes free lines in line order until the block holds h lines.
    void TakeFirstFree(int h);
    // Forms block b of the current step greedily (the last block takes every free line).
    void FormBlock(int b);
    // Fills block b with free lines drawn at random.
    void RandomFill(int b);
    // c0, c1, c2 from the block lines' current tips in match p.
    void CountBlockRanks(int p);
    // Groups lines that are identical over the first `assigned` matches.
    void FindIdenticalRuns(int assigned);
    // Chooses the ranks of the block lines in match p.
    void OptimiseBlock(int p);

    // Histograms counted from the pair tables and category counters.
    Evaluation CountTables() const;
    // Rebuild the pair tables and category counters from the tips.
    void RebuildTables();
    // Whether the tables agree with a recount from the tips.
    bool TablesMatchTips() const;
    void CheckTables(const char* where) const;

private:
    int FillPartners(int line);
    // Makes the pending drops of top partners.
    void DropPending();
    const uint8_t* LineMask();
};

} // namespace vdx
