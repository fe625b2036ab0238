#include "calc/Improvement.h"

#include "calc/Engine.h"
#include "calc/EngineCore.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace vdx {

namespace {

// > 0 when b has fewer at the highest differing entry (b is better).
int CompareFromTop(const Histogram& a, const Histogram& b, int top) {
    for (int e = top; e >= 0; --e)
        if (a[e] != b[e]) return a[e] > b[e] ? 1 : -1;
    return 0;
}

} // namespace

bool BreaksConditions(const DistributionState& s) {
    if (s.conditions[kSwitchDuplicates] && s.DuplicateCount() > 0) return true;
    for (int g = 0; g < 2; ++g)
        if (s.conditions[1 + g] && TopEntry(s.violations[g]) > 0) return true;
    return false;
}

int CompareDistributions(const DistributionState& best, const DistributionState& candidate) {
    const int top = std::max(TopEntry(best.equalsHistogram), TopEntry(candidate.equalsHistogram));
    if (best.equalsLimit >= top) {
        if (best.conditions[kSwitchDuplicates]) {
            const int b = best.DuplicateCount(), c = candidate.DuplicateCount();
            if (b != c) return b > c ? 1 : -1;
        }
        for (int g = 0; g < 2; ++g) {
            if (!best.conditions[1 + g]) continue;
            const int d = CompareFromTop(best.violations[g], candidate.violations[g], kEqualsLevels - 1);
            if (d != 0) return d;
        }
    }
    return CompareFromTop(best.equalsHistogram, candidate.equalsHistogram, std::min(best.matchCount, kEqualsLevels - 1));
}

int DifferenceToBest(const DistributionState& state, const DistributionState& best) {
    if (BreaksConditions(state)) return kDifferenceConditionsFault;
    if (BreaksConditions(best)) return kDifferenceConditionsOk;
    for (int e = std::min(std::max(state.matchCount, best.matchCount), kEqualsLevels - 1); e >= 0; --e) {
        const int mine = state.equalsHistogram[e], theirs = best.equalsHistogram[e];
        if (mine == 0 && theirs == 0) continue;
        if (mine == 0) return kDifferenceLevelBetter;
        if (theirs == 0) return kDifferenceLevelWorse;
        return mine - theirs;
    }
    return 0;
}

void RestoreSymbols(DistributionState& s) {
    if (s.symbolsRestored) return;
    for (int p = 0; p < s.matchCount; ++p) {
        // Undo the rank sort's exchanges in reverse order, applied to each rank.
        std::array<uint8_t, 4> value{0, 1, 2, 3};
        for (int r = 0; r < 3; ++r) {
            int v = r;
            if (s.swapMarks[p][2] && (v == 1 || v == 2)) v = 3 - v;
            if (s.swapMarks[p][1] && (v == 0 || v == 2)) v = 2 - v;
            if (s.swapMarks[p][0] && (v == 0 || v == 1)) v = 1 - v;
            value[r] = static_cast<uint8_t>(v);
        }
        for (int l = 0; l < s.lineCount; ++l) s.tips[p][l] = value[s.tips[p][l] & 3];
    }
    // Back to document order.
    auto tips = s.tips;
    auto maps = s.categoryMaps;
    for (int p = 0; p < s.matchCount; ++p) {
        const int d = s.permutation[p];
        tips[d] = s.tips[p];
        for (int g = 0; g < 2; ++g) maps[g][d] = s.categoryMaps[g][p];
    }
    s.tips = tips;
    s.categoryMaps = maps;
    s.symbolsRestored = true;
}

int ImprovementLevel(const DistributionState& s, const Evaluation& now, bool conditionsActive) {
    // Conditions first, each only while it takes part; the first measure that
    // differs decides, and only a gain counts.
    if (conditionsActive) {
        if (s.conditions[kSwitchDuplicates] && s.noDuplicateCount > 0) {
            const int before = s.duplicateHistogram[s.noDuplicateCount];
            const int after = now.duplicates[s.noDuplicateCount];
            if (after != before) return after < before ? 1 : 0;
        }
        for (int g = 0; g < 2; ++g) {
            if (!s.conditions[1 + g]) continue;
            const int d = CompareFromTop(s.violations[g], now.violations[g], kEqualsLevels - 1);
            if (d != 0) return d > 0 ? 2 + g : 0;
        }
    }
    for (int e = kEqualsLevels - 1; e >= 0; --e)
        if (now.equals[e] != s.equalsHistogram[e]) return now.equals[e] < s.equalsHistogram[e] ? e + 4 : 0;
    return 0;
}

bool DeservesExtraTries(const DistributionState& s, const DistributionState* best) {
    return best == nullptr || DifferenceToBest(s, *best) <= s.difference;
}

namespace {

// What the loop below does when the round ends: back to the recorded tips
// when the last evaluation differs from them.
bool LastDiffersFromRecorded(const DistributionState& s, const Evaluation& last) {
    return last.equals != s.equalsHistogram || last.duplicates != s.duplicateHistogram ||
           last.violations != s.violations;
}

// The same on a copy without pair tables: tips and category counters only.
void EndCopy(DistributionState& s, const Evaluation& last) {
    if (LastDiffersFromRecorded(s, last)) {
        s.tips = s.recordedTips;
        for (int g = 0; g < 2; ++g) {
            if (!s.conditions[1 + g]) continue;
            for (int l = 0; l < s.lineCount; ++l) {
                std::array<uint8_t, 3> c{0, 0, 0};
                for (int p = 0; p < s.matchCount; ++p) ++c[s.categoryMaps[g][p][s.tips[p][l] & 3] % 3];
                s.categoryCounts[g][l] = c;
            }
        }
    }
    s.improving = false;
}

} // namespace

int ImproveDistribution(DistributionState& s, EngineContext& ctx) {
    EngineCore core(s, ctx);
    CalculationProgress* progress = ctx.progress;
    const int m = s.matchCount;
    const int K = s.noDuplicateCount;
    s.improving = true;
    s.currentMatch = 0;
    s.triesSinceImprovement = 0;
    s.extraTriesGiven = false;
    s.duplicatePossible = true;
    s.highestNoDupEquals = K; // no update yet: assume a duplicate can appear
    int flags = 0;
    bool stopping = false;
    bool noMoreRoundsTaken = false;
    bool verdictOpen = false;
    Evaluation last;
    for (;;) {
        // Let the window work and read its requests.
        StopRequests requests;
        if (progress) {
            progress->Yield();
            requests = progress->Requests();
        }
        if (requests.stopRound || requests.stopCalculation) {
            stopping = true;
            flags |= kRoundStopped;
            if (requests.stopCalculation) flags |= kNoFurtherRounds;
        }
        if (requests.noMoreRounds || s.roundIndex >= s.lastRoundIndex) {
            flags |= kNoFurtherRounds;
            if (!noMoreRoundsTaken && progress) progress->NoMoreRoundsTaken();
            noMoreRoundsTaken = true;
        }

        // A try boundary: count the try, judge the distribution.
        bool ending = false;
        if (s.currentMatch == 0) {
            ++s.totalTries;
            ++s.triesSinceImprovement;
            bool judgedOpen = false;
            if (s.triesSinceImprovement > s.triesLimit) {
                bool give = false;
                if (!s.extraTriesGiven && s.extraTries > 0) {
                    if (ctx.judge && !stopping) {
                        const ExtraTriesJudge::Verdict v = ctx.judge->Judge(s);
                        judgedOpen = v == ExtraTriesJudge::Verdict::kOpen;
                        give = v != ExtraTriesJudge::Verdict::kEnd; // open: go on as if given
                    } else {
                        give = DeservesExtraTries(s, s.best);
                    }
                }
                if (give) {
                    s.triesLimit += s.extraTries;
                    s.extraTriesGiven = true;
                } else {
                    ending = true;
                    flags |= kRoundTriesEnded;
                }
            }
            if (stopping) ending = true;
            core.CheckTables("at a try boundary");
            last = core.CountTables();
            s.conditionsActive =
                s.equalsLimit >= std::max(TopEntry(last.equals), TopEntry(s.equalsHistogram));
            const int level = ImprovementLevel(s, last, s.conditionsActive);
            if (level > 0) {
                s.equalsHistogram = last.equals;
                s.duplicateHistogram = last.duplicates;
                s.violations = last.violations;
                s.recordedTips = s.tips;
                s.triesSinceImprovement = 1;
                s.lastImprovementLevel = level;
                if (progress) progress->Improved(s, level);
            }
            if (judgedOpen) {
                auto ended = std::make_unique<DistributionState>(s);
                ended->triesLimit -= s.extraTries;
                ended->extraTriesGiven = false;
                EndCopy(*ended, last);
                ctx.judge->KeepEnded(*ended, flags | kRoundTriesEnded);
                verdictOpen = true;
            } else if (verdictOpen && !ending) {
                const ExtraTriesJudge::Verdict v = ctx.judge->Settled();
                if (v == ExtraTriesJudge::Verdict::kEnd) {
                    s.improving = false;
                    return flags | kRoundEndedAtCopy;
                }
                if (v == ExtraTriesJudge::Verdict::kGive) verdictOpen = false;
            }
            if (progress && s.totalTries % 10 == 0) progress->TriesPassed(s, s.totalTries);
        }
        if (ending) break;

        // Re-place the tips of the current match block by block.
        const int p = s.currentMatch;
        if (!s.SingleTip(p)) {
            core.RemoveMatch(p);
            if (core.UsesNoDup() && p < K) s.duplicatePossible = s.highestNoDupEquals + 1 >= K;
            core.FreeAll();
            for (int b = 0; b < s.blockCount; ++b) {
                // Mostly random blocks, so the search does not settle; greedy ones
                // right after an improvement. The block after a random fill is
                // re-optimised like any other: every block is, in every step.
                const bool random = ctx.random.RandomUpTo(9) != 0 && s.triesSinceImprovement != 1;
                if (random) core.RandomFill(b);
                else core.FormBlock(b);
                core.CountBlockRanks(p);
                core.OptimiseBlock(p);
            }
            core.AddMatch(p);
        }
        s.currentMatch = (p + 1) % m;
    }

    // The round's result is the distribution its recorded histograms describe.
    // Tries taken while conditions did not count may have left it worse in the
    // conditions than that; go back to the recorded tips then.
    if (LastDiffersFromRecorded(s, last)) {
        s.tips = s.recordedTips;
        core.RebuildTables();
    }
    s.improving = false;
    return flags;
}

} // namespace vdx
