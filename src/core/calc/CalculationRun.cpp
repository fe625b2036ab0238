#include "calc/CalculationRun.h"

#include "calc/CalcFigures.h"
#include "calc/Conditions.h"
#include "calc/Engine.h"
#include "calc/Improvement.h"
#include "calc/LineScoring.h"
#include "calc/Probabilities.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

namespace vdx {

const char* const kTextTooFewMatches =
    "I cannot calculate the distribution because there are\nnot enough matches with specified chances or odds.";
const char* const kTextUnsavedWillBeLost = "The current distribution is not saved\nand will be lost. Calculate nevertheless?";
const char* const kTextUnsavedNewConditions =
    "The current distribution is not saved.\nSince new conditions are set it may be lost.\nCalculate nevertheless?";
const char* const kTextNoImprovement = "Calculation brought no improvement.";
const char* const kTextEngineFault =
    "The distribution cannot be calculated: the planned tips could not be placed on the lines.";

std::string PartialDataQuestion(int matchesWithData, int matchCount) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "Chances or odds of only %d of %d matches\nare specified. %sCalculate nevertheless?",
                  matchesWithData, matchCount, "");
    return buffer;
}

namespace {

InputCheck Refusal(CalcRefusal refusal, const char* format, int a = 0, int b = 0, int c = 0, int d = 0) {
    char buffer[320];
    std::snprintf(buffer, sizeof buffer, format, a, b, c, d);
    return {refusal, buffer};
}

// While the lines count as current the engine starts from them and from their
// counts: every line must hold a tip of every match with data, counted as claimed.
bool LinesFitCounts(const MatchEntry& m, int lines) {
    const std::array<int, 3>& claimed = m.tipCounts;
    if (claimed[0] < 0 || claimed[1] < 0 || claimed[2] < 0 || claimed[0] + claimed[1] + claimed[2] != lines)
        return false;
    if (static_cast<int>(m.tips.size()) < lines) return false;
    std::array<int, 3> counted{0, 0, 0};
    for (int l = 0; l < lines; ++l) {
        if (m.tips[l] > 2) return false;
        ++counted[m.tips[l]];
    }
    return counted == claimed;
}

} // namespace

InputCheck CheckCalculationInput(const PoolsDocument& doc) {
    if (doc.matchCount < 2 || doc.matchCount > kMaxMatches || doc.lineCount < 1 || doc.lineCount > kMaxLines)
        return Refusal(CalcRefusal::kBadSize,
                       "The distribution cannot be calculated: the document has %d matches and %d lines,\n"
                       "but 2 to 14 matches and 1 to 1000 lines are possible.",
                       doc.matchCount, doc.lineCount);
    for (int i = 0; i < doc.matchCount; ++i) {
        const MatchEntry& m = doc.matches[i];
        if (!m.hasData()) continue;
        const int p1 = m.p1(), p2 = m.p2();
        if (p1 < 0 || p2 < 0 || p1 > 1000 || p2 > 1000 || p1 + p2 > 1000)
            return Refusal(CalcRefusal::kBadProbability,
                           "The distribution cannot be calculated: the probabilities of match %d\n"
                           "(%d and %d per mille for 1 and 2) are out of range.",
                           i + 1, p1, p2);
    }
    if (CountMatchesWithData(doc) < 2) return {CalcRefusal::kTooFewMatches, kTextTooFewMatches};
    if (doc.tipsUpToDate) {
        if (doc.tipMatchCount != doc.matchCount || doc.tipLineCount != doc.lineCount)
            return Refusal(CalcRefusal::kLinesDoNotFit,
                           "The distribution cannot be calculated: the lines of the document count as current,\n"
                           "but they are lines of %d matches and %d lines, not of %d matches and %d lines.\n"
                           "The file may be damaged.",
                           doc.tipMatchCount, doc.tipLineCount, doc.matchCount, doc.lineCount);
        for (int i = 0; i < doc.matchCount; ++i)
            if (doc.matches[i].hasData() && !LinesFitCounts(doc.matches[i], doc.lineCount))
                return Refusal(CalcRefusal::kLinesDoNotFit,
                               "The distribution cannot be calculated: the lines of the document count as current,\n"
                               "but the tips of match %d do not fit its tip counts.\nThe file may be damaged.",
                               i + 1);
    }
    return {};
}

StartCheck CheckCalculationStart(PoolsDocument& doc, const StartQuestionHandler& ask) {
    if (doc.calculationRunning) return {StartVerdict::kAlreadyRunning, {}};
    const InputCheck input = CheckCalculationInput(doc);
    if (input.refusal != CalcRefusal::kNone) return {StartVerdict::kRefused, input.message};
    const int withData = CountMatchesWithData(doc);
    auto asked = [&ask](StartQuestion question, const std::string& text) { return ask && ask(question, text); };
    if (withData != doc.matchCount) {
        if (withData < 2) return {StartVerdict::kRefused, kTextTooFewMatches};
        if (!asked(StartQuestion::kPartialData, PartialDataQuestion(withData, doc.matchCount)))
            return {StartVerdict::kDeclined, {}};
    }
    if (doc.calculatedNotSaved) {
        if (!doc.tipsUpToDate) {
            if (!asked(StartQuestion::kUnsavedWillBeLost, kTextUnsavedWillBeLost)) return {StartVerdict::kDeclined, {}};
        } else if (!ConditionsUnchanged(doc)) {
            if (!asked(StartQuestion::kUnsavedNewConditions, kTextUnsavedNewConditions))
                return {StartVerdict::kDeclined, {}};
        }
    }
    // Only a calculation that goes ahead changes the count: the statistics of
    // the lines still shown divide by it.
    doc.calcMatchCount = withData;
    return {StartVerdict::kCalculate, {}};
}

uint32_t ClockSeed(long long millisecondsSinceEpoch) {
    const unsigned long long ms = static_cast<unsigned long long>(millisecondsSinceEpoch);
    return static_cast<uint32_t>((ms / 1000) * 1024 + ms % 1000);
}

namespace {

// Clears the calculating flag however the run ends.
class RunningFlag {
public:
    explicit RunningFlag(PoolsDocument& doc) : doc_(doc) { doc_.calculationRunning = true; }
    ~RunningFlag() { doc_.calculationRunning = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    PoolsDocument& doc_;
};

int Override(int value, int documentValue, int low, int high) {
    return std::clamp(value >= 0 ? value : documentValue, low, high);
}

struct EffectiveOptions {
    int rounds, tries, extra, difference;
};

StateOptions RoundOptions(const PoolsDocument& doc, int roundIndex, const EffectiveOptions& o) {
    StateOptions s = StateOptionsFromDocument(doc, roundIndex);
    s.lastRoundIndex = o.rounds - 1;
    s.triesLimit = o.tries;
    s.extraTries = o.extra;
    s.difference = o.difference;
    return s;
}

void WriteBack(PoolsDocument& doc, DistributionState& best) {
    RestoreSymbols(best);
    doc.tipMatchCount = doc.matchCount;
    doc.tipLineCount = doc.lineCount;
    doc.resizeTipArrays();
    int row = 0;
    for (int i = 0; i < kMaxMatches; ++i) {
        MatchEntry& m = doc.matches[i];
        m.lastCategoryMaps = m.categoryMaps;
        m.lastProbability = m.probability;
        const bool inDistribution = i < doc.matchCount && m.hasData() && row < best.matchCount;
        m.hasTips = inDistribution;
        if (inDistribution) {
            for (int l = 0; l < doc.lineCount; ++l) m.tips[l] = static_cast<uint8_t>(best.TipAt(row, l));
            ++row;
        }
    }
    doc.tipsUpToDate = true;
    doc.hasTips = true;
    for (MatchEntry& m : doc.matches) m.recomputeTipCounts(doc.tipLineCount);
    doc.recomputeCorrectTips();
    SortLines(doc, doc.sortMode);
    EvaluateConditions(doc);
    doc.calculatedNotSaved = true;
    doc.modified = true;
}

void FillFigures(CalcResult& result, const DistributionState& best) {
    result.bestRound = best.roundIndex;
    result.matchesWithData = best.matchCount;
    result.lineCount = best.lineCount;
    result.duplicateMatchCount = best.conditions[kSwitchDuplicates] ? best.noDuplicateCount : 0;
    result.conditions = best.conditions;
    result.equalsHistogram = best.equalsHistogram;
    result.duplicatePairs = best.DuplicateCount();
    result.violations = best.violations;
}

} // namespace

CalcResult RunCalculation(PoolsDocument& doc, const CalcOptions& options, CalculationProgress* progress) {
    CalcResult result;
    if (doc.calculationRunning) return result;
    const InputCheck input = CheckCalculationInput(doc);
    if (input.refusal != CalcRefusal::kNone) {
        result.refusal = input.refusal;
        result.message = input.message;
        return result;
    }
    const int withData = CountMatchesWithData(doc);
    RunningFlag running(doc);
    result.ran = true;
    doc.calcMatchCount = withData;

    const EffectiveOptions o{Override(options.rounds, doc.rounds, 1, 1000),
                             Override(options.unsuccessfulTries, doc.unsuccessfulTries, 2, 10000),
                             Override(options.extraTries, doc.extraTries, 0, 10000),
                             Override(options.difference, doc.upToDifference, 0, 100)};
    result.rounds = o.rounds;
    EngineRandom& random = options.random ? *options.random : GlobalRandom();

    // The engine places exactly the planned numbers of tips; they must fit the
    // current probabilities and number of lines, as must the maps the conditions count with.
    doc.resizeTipArrays();
    for (int i = 0; i < doc.matchCount; ++i) PlanTipCounts(doc.matches[i], doc.lineCount, random);
    UpdateCategoryMaps(doc);
    UpdateConditionState(doc);

    const auto start = std::chrono::steady_clock::now();
    doc.lastCalculationText.clear();
    if (progress) progress->Log(options.documentTitle + " Start of the calculation of the distribution");

    if (!options.resetRandom) {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        random.Seed(ClockSeed(std::chrono::duration_cast<std::chrono::milliseconds>(now).count()));
    }

    {
        EngineContext ctx(random);
        ctx.resetRandom = options.resetRandom;
        ctx.progress = progress;

        auto best = std::make_unique<DistributionState>();
        auto state = std::make_unique<DistributionState>();
        bool haveBest = false;
        bool noImprovement = false;
        bool faulty = false;
        if (doc.tipsUpToDate && MakeOldDistributionState(*best, doc, RoundOptions(doc, kOldDistributionRound, o))) {
            best->best = best.get();
            haveBest = true;
            noImprovement = true;
        }

        int last = 0;
        for (int r = 0; r < o.rounds && last != 3; ++r) {
            if (progress) {
                const StopRequests requests = progress->Requests();
                // With a best in hand a stop between rounds ends the calculation at once;
                // without one the first round still runs so that there is a result.
                if (haveBest && (requests.stopCalculation || requests.noMoreRounds)) break;
                if (requests.stopRound) progress->StopRoundServed();
                progress->RoundStarting(r);
            }
            InitState(*state, RoundOptions(doc, r, o), haveBest ? best.get() : nullptr);
            if (r == 0)
                PrepareState(*state, doc);
            else
                PrepareStateFromBest(*state, *best);
            last = RunRound(*state, ctx);
            // Stopped while being built (only with a best in hand), or not buildable.
            if (last == kRoundNotBuilt) break;
            if (last == kRoundFailed) {
                faulty = true;
                break;
            }
            result.totalTries += state->totalTries;
            if (!haveBest || CompareDistributions(*best, *state) > 0) {
                *best = *state;
                best->best = best.get();
                if (haveBest) noImprovement = false;
                haveBest = true;
            }
            result.roundsPassed = r + 1;
            doc.currentRound = r + 1;
            if (progress) progress->RoundEnded(r, *best);
        }

        if (!haveBest) {
            // Only a fault of the engine itself gets here: the input was checked.
            result.ran = false;
            result.refusal = CalcRefusal::kEngineFault;
            result.message = kTextEngineFault;
            if (progress) progress->Log(options.documentTitle + " " + kTextEngineFault);
            return result;
        }
        if (faulty && progress) progress->Log(options.documentTitle + " " + kTextEngineFault);

        const int searchSeconds = Override(options.searchSeconds, doc.searchSeconds, 0, kMaxSearchSeconds);
        if (searchSeconds > 0 && !faulty) {
            result.search = SearchAfterRounds(*best, searchSeconds, options.resetRandom,
                                              options.resetRandom ? 7u : random.State(), progress);
            if (result.search.improved) noImprovement = false;
        }

        if (RecordConditions(doc)) doc.modified = true;

        if (noImprovement) {
            if (progress) progress->Log(kTextNoImprovement);
            EvaluateConditions(doc);
        } else {
            WriteBack(doc, *best);
        }
        result.improved = !noImprovement;
        FillFigures(result, *best);
        // The states and the pair tables go with this scope.
    }

    result.elapsedMilliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    result.timeSpentText = TimeSpentText(result.elapsedMilliseconds);
    doc.lastCalculationText = result.timeSpentText;
    if (progress) progress->Log("End of calculation, " + result.timeSpentText);
    return result;
}

} // namespace vdx
