#include "calc/CalculationRun.h"

#include "calc/CalcFigures.h"
#include "calc/Conditions.h"
#include "calc/Engine.h"
#include "calc/Improvement.h"
#include "calc/LineScoring.h"
#include "calc/Probabilities.h"
#include "text/Tr.h"
#include "calc/RoundsRunner.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

namespace vdx {

const char* const kTextTooFewMatches =
    N_("I cannot calculate the distribution because there are\nnot enough matches with specified chances or odds.");
const char* const kTextUnsavedWillBeLost =
    N_("The current distribution is not saved\nand will be lost. Calculate nevertheless?");
const char* const kTextUnsavedNewConditions =
    N_("The current distribution is not saved.\nSince new conditions are set it may be lost.\nCalculate nevertheless?");
const char* const kTextNoImprovement = N_("Calculation brought no improvement.");
const char* const kTextEngineFault =
    N_("The distribution cannot be calculated: the planned tips could not be placed on the lines.");

std::string PartialDataQuestion(int matchesWithData, int matchCount) {
    return TrFormat(N_("Chances or odds of only %1$d of %2$d matches\nare specified. Calculate nevertheless?"),
                    matchesWithData, matchCount);
}

namespace {

InputCheck Refusal(CalcRefusal refusal, const char* format, int a = 0, int b = 0, int c = 0, int d = 0) {
    return {refusal, TrFormat(format, a, b, c, d)};
}

// While the lines count as current the engine starts from them and from their
// counts: every line must hold a tip of every match with data, counted as claimed.
std::string EngineFaultLogLine(const std::string& documentTitle) {
    return TrFormat(N_("%s The distribution cannot be calculated: the planned tips could not be placed on the lines."),
                    documentTitle.c_str());
}

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
                       N_("The distribution cannot be calculated: the document has %1$d matches and %2$d lines,\n"
                          "but 2 to 14 matches and 1 to 1000 lines are possible."),
                       doc.matchCount, doc.lineCount);
    for (int i = 0; i < doc.matchCount; ++i) {
        const MatchEntry& m = doc.matches[i];
        if (!m.hasData()) continue;
        const int p1 = m.p1(), p2 = m.p2();
        if (p1 < 0 || p2 < 0 || p1 > 1000 || p2 > 1000 || p1 + p2 > 1000)
            return Refusal(CalcRefusal::kBadProbability,
                           N_("The distribution cannot be calculated: the probabilities of match %1$d\n"
                              "(%2$d and %3$d per mille for 1 and 2) are out of range."),
                           i + 1, p1, p2);
    }
    if (CountMatchesWithData(doc) < 2) return {CalcRefusal::kTooFewMatches, Translate(kTextTooFewMatches)};
    if (doc.tipsUpToDate) {
        if (doc.tipMatchCount != doc.matchCount || doc.tipLineCount != doc.lineCount)
            return Refusal(CalcRefusal::kLinesDoNotFit,
                           N_("The distribution cannot be calculated: the lines of the document count as current,\n"
                              "but they are lines of %1$d matches and %2$d lines, not of %3$d matches and %4$d lines.\n"
                              "The file may be damaged."),
                           doc.tipMatchCount, doc.tipLineCount, doc.matchCount, doc.lineCount);
        for (int i = 0; i < doc.matchCount; ++i)
            if (doc.matches[i].hasData() && !LinesFitCounts(doc.matches[i], doc.lineCount))
                return Refusal(CalcRefusal::kLinesDoNotFit,
                               N_("The distribution cannot be calculated: the lines of the document count as current,\n"
                                  "but the tips of match %d do not fit its tip counts.\nThe file may be damaged."),
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
        if (withData < 2) return {StartVerdict::kRefused, Translate(kTextTooFewMatches)};
        if (!asked(StartQuestion::kPartialData, PartialDataQuestion(withData, doc.matchCount)))
            return {StartVerdict::kDeclined, {}};
    }
    if (doc.calculatedNotSaved) {
        if (!doc.tipsUpToDate) {
            if (!asked(StartQuestion::kUnsavedWillBeLost, Translate(kTextUnsavedWillBeLost))) return {StartVerdict::kDeclined, {}};
        } else if (!ConditionsUnchanged(doc)) {
            if (!asked(StartQuestion::kUnsavedNewConditions, Translate(kTextUnsavedNewConditions)))
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
    if (progress)
        progress->Log(TrFormat(N_("%s Start of the calculation of the distribution"), options.documentTitle.c_str()));

    if (!options.resetRandom) {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        random.Seed(ClockSeed(std::chrono::duration_cast<std::chrono::milliseconds>(now).count()));
    }

    {
        auto best = std::make_unique<DistributionState>();
        bool haveOld = false;
        if (doc.tipsUpToDate && MakeOldDistributionState(*best, doc, RoundOptions(doc, kOldDistributionRound, o))) {
            best->best = best.get();
            haveOld = true;
        }
        // Every round sees the match data the first one prepares.
        auto prepared = std::make_unique<DistributionState>();
        InitState(*prepared, RoundOptions(doc, 0, o), nullptr);
        PrepareState(*prepared, doc);

        RoundsJob job;
        job.rounds = o.rounds;
        job.options = [&doc, &o](int r) { return RoundOptions(doc, r, o); };
        job.prepared = prepared.get();
        job.resetRandom = options.resetRandom;
        job.random = &random;
        job.progress = progress;
        job.roundsPassed = &doc.currentRound;
        const int threads = WorkerThreads(options.threads);
        job.threads = threads == 1 && !options.keepCallerFree ? 0 : threads;
        result.threads = threads;
        const RoundsOutcome rounds = RunRounds(job, *best, haveOld);
        const bool haveBest = rounds.haveBest;
        bool noImprovement = !rounds.improved;
        const bool faulty = rounds.faulty;
        result.totalTries = rounds.totalTries;
        result.roundsPassed = rounds.roundsPassed;
        doc.currentRound = rounds.roundsPassed;

        if (!haveBest) {
            // Only a fault of the engine itself gets here: the input was checked.
            result.ran = false;
            result.refusal = CalcRefusal::kEngineFault;
            result.message = Translate(kTextEngineFault);
            if (progress) progress->Log(EngineFaultLogLine(options.documentTitle));
            return result;
        }
        if (faulty && progress) progress->Log(EngineFaultLogLine(options.documentTitle));
        // Whatever works on the rounds' best goes here, before the write-back.

        const int searchSeconds = Override(options.searchSeconds, doc.searchSeconds, 0, kMaxSearchSeconds);
        if (searchSeconds > 0 && !faulty) {
            result.search = SearchAfterRounds(*best, searchSeconds, options.resetRandom,
                                              options.resetRandom ? 7u : random.State(), progress);
            if (result.search.improved) noImprovement = false;
        }

        if (RecordConditions(doc)) doc.modified = true;

        if (noImprovement) {
            if (progress) progress->Log(Translate(kTextNoImprovement));
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
    doc.lastCalculationText = ElapsedText(result.elapsedMilliseconds);
    if (progress) progress->Log(TrFormat(N_("End of calculation, time spent: %s"), doc.lastCalculationText.c_str()));
    return result;
}

} // namespace vdx
