#include "calc/CalculationRun.h"

#include "calc/CalcFigures.h"
#include "calc/Conditions.h"
#include "calc/Probabilities.h"
#include "calc/SampleRound.h"

#include "TestLines.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vdx {
namespace {

using testlines::GiveOrderedLines;

// Equals histogram of the document's lines, counted the plain way.
Histogram RecountEquals(const PoolsDocument& doc) {
    Histogram h{};
    for (int a = 0; a < doc.tipLineCount; ++a)
        for (int b = a + 1; b < doc.tipLineCount; ++b) {
            int equal = 0;
            for (int m = 0; m < doc.tipMatchCount; ++m)
                if (doc.matches[m].hasTips && doc.matches[m].tips[a] == doc.matches[m].tips[b]) ++equal;
            ++h[equal];
        }
    return h;
}

// What a calculation must leave behind, however it ended.
void ExpectWrittenBack(const PoolsDocument& doc, const CalcResult& result) {
    ASSERT_TRUE(result.ran);
    EXPECT_TRUE(doc.hasTips);
    EXPECT_TRUE(doc.tipsUpToDate);
    EXPECT_FALSE(doc.calculationRunning);
    EXPECT_EQ(doc.tipLineCount, doc.lineCount);
    EXPECT_EQ(doc.tipMatchCount, doc.matchCount);
    EXPECT_EQ(doc.calcMatchCount, CountMatchesWithData(doc));
    EXPECT_EQ(result.matchesWithData, CountMatchesWithData(doc));
    for (int i = 0; i < doc.matchCount; ++i) {
        const MatchEntry& m = doc.matches[i];
        SCOPED_TRACE("match " + std::to_string(i));
        if (!m.hasData()) {
            EXPECT_FALSE(m.hasTips);
            EXPECT_EQ(m.tipCounts, (std::array<int, 3>{-1, -1, -1}));
            continue;
        }
        EXPECT_TRUE(m.hasTips);
        for (int l = 0; l < doc.lineCount; ++l) ASSERT_LE(m.tips[l], 2) << "line " << l;
        // The engine only chooses where the planned tips go.
        EXPECT_EQ(m.tipCounts, m.targetCounts);
        EXPECT_TRUE(IsApportionment(m.tipCounts, doc.lineCount, m.p1(), m.p2()));
    }
    const Histogram recount = RecountEquals(doc);
    EXPECT_EQ(result.equalsHistogram, recount);
    EXPECT_EQ(doc.evaluation.equalsHistogram, recount);
    EXPECT_EQ("time spent: " + doc.lastCalculationText, result.timeSpentText);
    EXPECT_EQ(doc.lastCalculationText, ElapsedText(result.elapsedMilliseconds));
}

std::vector<std::vector<uint8_t>> Lines(const PoolsDocument& doc) {
    std::vector<std::vector<uint8_t>> tips;
    for (const MatchEntry& m : doc.matches)
        tips.emplace_back(m.tips.begin(), m.tips.begin() + std::min<size_t>(m.tips.size(), doc.lineCount));
    return tips;
}

CalcOptions Quick(int rounds = 4, int tries = 100, int extra = 100) {
    CalcOptions o;
    o.rounds = rounds;
    o.unsuccessfulTries = tries;
    o.extraTries = extra;
    o.resetRandom = true;
    o.documentTitle = "Test";
    return o;
}

class ScriptedProgress : public CalculationProgress {
public:
    enum class Moment { kNever, kAfterConstruction, kAfterYields, kAtRoundEnd };
    enum class Request { kStopCalculation, kStopRound, kNoMoreRounds };

    explicit ScriptedProgress(const PoolsDocument* doc = nullptr) : doc_(doc) {}

    void At(Moment moment, int when, Request request) {
        moment_ = moment;
        when_ = when;
        request_ = request;
    }

    void Yield() override {
        ++yields;
        if (moment_ == Moment::kAfterYields && yields == when_) Fire();
    }
    StopRequests Requests() const override { return requests; }
    void StopRoundServed() override {
        ++stopRoundServed;
        requests.stopRound = false;
    }
    void ConstructionEnded(const DistributionState&) override {
        ++constructions;
        if (moment_ == Moment::kAfterConstruction && constructions - 1 == when_) Fire();
    }
    void RoundStarting(int roundIndex) override {
        roundsStarted.push_back(roundIndex);
        if (doc_ && !doc_->calculationRunning) runningFlagMissing = true;
    }
    void RoundEnded(int roundIndex, const DistributionState& best) override {
        lastBest = std::make_unique<DistributionState>(best);
        if (moment_ == Moment::kAtRoundEnd && roundIndex == when_) Fire();
    }
    void Log(const std::string& line) override { log.push_back(line); }

    StopRequests requests;
    int yields = 0, constructions = 0, stopRoundServed = 0;
    std::vector<int> roundsStarted;
    bool runningFlagMissing = false;
    std::unique_ptr<DistributionState> lastBest;
    std::vector<std::string> log;

private:
    void Fire() {
        switch (request_) {
        case Request::kStopCalculation: requests.stopCalculation = true; break;
        case Request::kStopRound: requests.stopRound = true; break;
        case Request::kNoMoreRounds: requests.noMoreRounds = true; break;
        }
    }
    const PoolsDocument* doc_;
    Moment moment_ = Moment::kNever;
    int when_ = 0;
    Request request_ = Request::kStopCalculation;
};

// --- start checks -----------------------------------------------------------

struct StartCase {
    const char* name;
    std::function<void(PoolsDocument&)> setup;
    std::vector<bool> answers; // given in order; a question beyond them is answered Yes
    std::vector<std::string> expectedQuestions;
    StartVerdict verdict;
};

void DropData(PoolsDocument& doc, int from) {
    for (int i = from; i < doc.matchCount; ++i) {
        MatchEntry& m = doc.match(i);
        m.chances = {-1, -1};
        m.odds.clear();
        UpdateProbabilities(m);
        PlanTipCounts(m, doc.lineCount, GlobalRandom());
    }
    RecomputeConditionBookkeeping(doc, true);
}

// After a calculation the 1/X/2 ranges are switched on with an effect.
void NewConditionsAfterCalculation(PoolsDocument& doc) {
    RunCalculation(doc, Quick(1, 10, 0));
    ASSERT_TRUE(doc.tipsUpToDate);
    doc.env.rangesAbsolute = doc.conditionRangesAbsolute = true;
    doc.conditionEnabled[kCondTips1X2] = true;
    for (int k = 0; k < 3; ++k) {
        doc.conditionRanges[0][k][0] = 1;
        doc.conditionRanges[0][k][1] = 2;
    }
    DeriveEffectiveBounds(doc);
    UpdateConditionState(doc);
    ASSERT_FALSE(ConditionsUnchanged(doc));
}

TEST(CalculationStart, QuestionsAndVerdicts) {
    const std::string partial = "Chances or odds of only 12 of 13 matches\nare specified. Calculate nevertheless?";
    const StartCase cases[] = {
        {"all matches with data", [](PoolsDocument&) {}, {}, {}, StartVerdict::kCalculate},
        {"already calculating", [](PoolsDocument& d) { d.calculationRunning = true; }, {}, {},
         StartVerdict::kAlreadyRunning},
        {"one match with data", [](PoolsDocument& d) { DropData(d, 1); }, {}, {}, StartVerdict::kRefused},
        {"no match with data", [](PoolsDocument& d) { DropData(d, 0); }, {}, {}, StartVerdict::kRefused},
        {"12 of 13, yes", [](PoolsDocument& d) { DropData(d, 12); }, {true}, {partial}, StartVerdict::kCalculate},
        {"12 of 13, no", [](PoolsDocument& d) { DropData(d, 12); }, {false}, {partial}, StartVerdict::kDeclined},
        {"unsaved and stale, no",
         [](PoolsDocument& d) {
             d.calculatedNotSaved = true;
             d.tipsUpToDate = false;
         },
         {false}, {kTextUnsavedWillBeLost}, StartVerdict::kDeclined},
        {"partial, then unsaved and stale, both yes",
         [](PoolsDocument& d) {
             DropData(d, 12);
             d.calculatedNotSaved = true;
             d.tipsUpToDate = false;
         },
         {true, true}, {partial, kTextUnsavedWillBeLost}, StartVerdict::kCalculate},
        {"partial no stops before the second question",
         [](PoolsDocument& d) {
             DropData(d, 12);
             d.calculatedNotSaved = true;
         },
         {false}, {partial}, StartVerdict::kDeclined},
        {"unsaved, up to date, same conditions",
         [](PoolsDocument& d) {
             RunCalculation(d, Quick(1, 10, 0));
             ASSERT_TRUE(d.calculatedNotSaved);
             ASSERT_TRUE(d.tipsUpToDate);
         },
         {}, {}, StartVerdict::kCalculate},
        {"unsaved, up to date, new conditions", NewConditionsAfterCalculation, {false},
         {kTextUnsavedNewConditions}, StartVerdict::kDeclined},
        {"saved lines, new conditions: no question",
         [](PoolsDocument& d) {
             NewConditionsAfterCalculation(d);
             d.calculatedNotSaved = false;
         },
         {}, {}, StartVerdict::kCalculate},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        PoolsDocument doc = MakeSampleRound(13, 20, 11);
        c.setup(doc);
        doc.calcMatchCount = 99;
        std::vector<std::string> asked;
        const StartCheck check = CheckCalculationStart(doc, [&](StartQuestion, const std::string& text) {
            const size_t i = asked.size();
            asked.push_back(text);
            return i < c.answers.size() ? c.answers[i] : true;
        });
        EXPECT_EQ(check.verdict, c.verdict);
        EXPECT_EQ(asked, c.expectedQuestions);
        if (c.verdict == StartVerdict::kRefused) {
            EXPECT_EQ(check.message, kTextTooFewMatches);
        }
        if (c.verdict == StartVerdict::kCalculate) {
            EXPECT_EQ(doc.calcMatchCount, CountMatchesWithData(doc));
        } else {
            EXPECT_EQ(doc.calcMatchCount, 99) << "only a calculation that goes ahead changes the count";
        }
    }
}

TEST(CalculationStart, QuestionKindsTellTheTitleApart) {
    PoolsDocument doc = MakeSampleRound(13, 20, 3);
    DropData(doc, 12);
    doc.calculatedNotSaved = true;
    doc.tipsUpToDate = false;
    std::vector<StartQuestion> kinds;
    CheckCalculationStart(doc, [&](StartQuestion q, const std::string&) {
        kinds.push_back(q);
        return true;
    });
    EXPECT_EQ(kinds, (std::vector<StartQuestion>{StartQuestion::kPartialData, StartQuestion::kUnsavedWillBeLost}));
}

// --- the run ----------------------------------------------------------------

TEST(CalculationRun, RepeatableWithReset) {
    struct Case {
        int matches, lines;
        bool conditions;
    } cases[] = {{12, 20, false}, {13, 37, true}, {4, 9, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.matches) + "x" + std::to_string(c.lines));
        PoolsDocument doc = MakeSampleRound(c.matches, c.lines, 5);
        if (c.conditions) {
            doc.conditionEnabled = {true, true, false};
            for (int i = 0; i < 4; ++i) doc.match(i).noDuplicates = true;
            RecomputeConditionBookkeeping(doc, true);
        }
        PoolsDocument first = doc, second = doc;
        const CalcResult a = RunCalculation(first, Quick());
        // The generator's state before the run must not matter.
        for (int i = 0; i < 17; ++i) GlobalRandom().Next();
        const CalcResult b = RunCalculation(second, Quick());
        ExpectWrittenBack(first, a);
        ExpectWrittenBack(second, b);
        EXPECT_EQ(Lines(first), Lines(second));
        EXPECT_EQ(a.bestRound, b.bestRound);
        EXPECT_EQ(a.totalTries, b.totalTries);
        EXPECT_EQ(a.violations, b.violations);
        EXPECT_EQ(a.duplicatePairs, b.duplicatePairs);
    }
}

TEST(CalculationRun, WritesBackTheBestWithPlannedCounts) {
    PoolsDocument doc = MakeSampleRound(13, 25, 8);
    DropData(doc, 12); // the last match has no data
    {
        MatchEntry& m = doc.match(4);
        m.chances = {-1, -1};
        UpdateProbabilities(m);
        PlanTipCounts(m, doc.lineCount, GlobalRandom());
    }
    RecomputeConditionBookkeeping(doc, true);
    doc.sortMode = 1;
    ScriptedProgress progress(&doc);
    const CalcResult result = RunCalculation(doc, Quick(3), &progress);
    ExpectWrittenBack(doc, result);
    EXPECT_TRUE(result.improved);
    EXPECT_EQ(result.matchesWithData, 11);
    EXPECT_EQ(result.roundsPassed, 3);
    EXPECT_EQ(doc.currentRound, 3);
    EXPECT_TRUE(doc.calculatedNotSaved);
    EXPECT_TRUE(doc.modified);
    EXPECT_FALSE(progress.runningFlagMissing);
    EXPECT_EQ(progress.roundsStarted, (std::vector<int>{0, 1, 2}));
    for (int i = 0; i < doc.matchCount; ++i) {
        EXPECT_EQ(doc.match(i).lastProbability, doc.match(i).probability);
        EXPECT_EQ(doc.match(i).lastCategoryMaps, doc.match(i).categoryMaps);
    }
    // The best that the window saw last is what the document got.
    ASSERT_TRUE(progress.lastBest);
    EXPECT_EQ(progress.lastBest->equalsHistogram, result.equalsHistogram);
    EXPECT_EQ(progress.lastBest->roundIndex, result.bestRound);
    ASSERT_EQ(progress.log.size(), 2u);
    EXPECT_EQ(progress.log[0], "Test Start of the calculation of the distribution");
    EXPECT_EQ(progress.log[1], "End of calculation, " + result.timeSpentText);
    // Lines sorted by probability, most unlikely first: the sums never fall.
    int sum = -1;
    for (int l = 0; l < doc.tipLineCount; ++l) {
        int s = 0;
        for (int i = 0; i < doc.matchCount; ++i) {
            const MatchEntry& m = doc.match(i);
            if (!m.hasData()) continue;
            const int t = m.tips[l];
            s += t == 0 ? m.p1() : t == 1 ? m.pX() : m.p2();
        }
        EXPECT_GE(s, sum) << "line " << l;
        sum = s;
    }
}

TEST(CalculationRun, OptionsOverrideOnlyThisRun) {
    PoolsDocument doc = MakeSampleRound(6, 12, 2);
    doc.rounds = 100;
    CalcOptions o = Quick(2);
    const CalcResult result = RunCalculation(doc, o);
    EXPECT_EQ(result.rounds, 2);
    EXPECT_EQ(result.roundsPassed, 2);
    EXPECT_EQ(doc.rounds, 100);

    // Out-of-range overrides are clamped, never taken as they are.
    o.rounds = 0;
    o.unsuccessfulTries = 1;
    EXPECT_EQ(RunCalculation(doc, o).roundsPassed, 1);
}

TEST(CalculationRun, RefusesWhatItCannotCalculate) {
    PoolsDocument busy = MakeSampleRound(5, 10, 1);
    busy.calculationRunning = true;
    const auto before = Lines(busy);
    EXPECT_FALSE(RunCalculation(busy, Quick()).ran);
    EXPECT_TRUE(busy.calculationRunning) << "the running calculation keeps its flag";
    EXPECT_EQ(Lines(busy), before);
    EXPECT_FALSE(busy.hasTips);

    PoolsDocument empty = MakeSampleRound(5, 10, 1);
    DropData(empty, 1);
    ScriptedProgress progress;
    EXPECT_FALSE(RunCalculation(empty, Quick(), &progress).ran);
    EXPECT_FALSE(empty.hasTips);
    EXPECT_FALSE(empty.calculationRunning);
    EXPECT_TRUE(progress.log.empty());
}

struct StopCase {
    const char* name;
    ScriptedProgress::Moment moment;
    int when;
    ScriptedProgress::Request request;
    int roundsPassed;
};

TEST(CalculationRun, StopsLeaveTheBestSoFarWrittenBack) {
    using M = ScriptedProgress::Moment;
    using R = ScriptedProgress::Request;
    const StopCase cases[] = {
        {"stop after the first construction", M::kAfterConstruction, 0, R::kStopCalculation, 1},
        {"stop in the middle of the first round", M::kAfterYields, 40, R::kStopCalculation, 1},
        {"stop in the middle of the third round", M::kAtRoundEnd, 1, R::kStopCalculation, 2},
        {"no more rounds in the middle of a round", M::kAfterYields, 40, R::kNoMoreRounds, 1},
        {"no more rounds between rounds", M::kAtRoundEnd, 2, R::kNoMoreRounds, 3},
        {"stop the second round only", M::kAfterConstruction, 1, R::kStopRound, 5},
    };
    for (const StopCase& c : cases) {
        SCOPED_TRACE(c.name);
        PoolsDocument doc = MakeSampleRound(12, 30, 21);
        ScriptedProgress progress(&doc);
        progress.At(c.moment, c.when, c.request);
        const CalcResult result = RunCalculation(doc, Quick(5, 300, 300), &progress);
        ExpectWrittenBack(doc, result);
        EXPECT_EQ(result.roundsPassed, c.roundsPassed);
        EXPECT_EQ(doc.currentRound, c.roundsPassed);
        ASSERT_TRUE(progress.lastBest);
        EXPECT_EQ(progress.lastBest->equalsHistogram, result.equalsHistogram);
        EXPECT_EQ(progress.lastBest->roundIndex, result.bestRound);
        EXPECT_TRUE(doc.calculatedNotSaved);
        if (c.request == R::kStopRound) {
            EXPECT_EQ(progress.stopRoundServed, 1);
            EXPECT_FALSE(progress.requests.stopRound);
        }
    }
}

TEST(CalculationRun, StoppedRoundEndsEarly) {
    // A round stopped right after its construction does far fewer tries than a full one.
    PoolsDocument doc = MakeSampleRound(12, 30, 21);
    PoolsDocument stoppedDoc = doc;
    const CalcResult full = RunCalculation(doc, Quick(1, 300, 300));
    ScriptedProgress progress;
    progress.At(ScriptedProgress::Moment::kAfterConstruction, 0, ScriptedProgress::Request::kStopCalculation);
    const CalcResult stopped = RunCalculation(stoppedDoc, Quick(1, 300, 300), &progress);
    EXPECT_GE(full.totalTries, 300);
    EXPECT_LE(stopped.totalTries, 2);
}

// --- the old distribution -----------------------------------------------------

// Two matches of three lines, chances 33.3/33.3/33.4: one tip of each kind per match.
PoolsDocument ThreeWayDocument() {
    PoolsDocument doc;
    doc.setMatchCount(2);
    doc.setLineCount(3);
    for (bool& on : doc.conditionEnabled) on = false;
    for (int i = 0; i < 2; ++i) {
        MatchEntry& m = doc.match(i);
        m.chances = {333, 334};
        UpdateProbabilities(m);
        PlanTipCounts(m, 3, GlobalRandom());
    }
    RecomputeConditionBookkeeping(doc, true);
    return doc;
}

TEST(CalculationRun, OptimalOldDistributionStays) {
    PoolsDocument doc = ThreeWayDocument();
    // No two lines agree anywhere: nothing can beat it.
    const uint8_t lines[2][3] = {{2, 0, 1}, {1, 2, 0}};
    for (int i = 0; i < 2; ++i) {
        MatchEntry& m = doc.match(i);
        for (int l = 0; l < 3; ++l) m.tips[l] = lines[i][l];
        m.hasTips = true;
    }
    doc.tipLineCount = 3;
    doc.tipMatchCount = 2;
    doc.hasTips = true;
    for (MatchEntry& m : doc.matches) m.recomputeTipCounts(3);
    doc.setTipsUpToDate(-1);
    ASSERT_TRUE(doc.tipsUpToDate);
    RecomputeConditionBookkeeping(doc, true);
    doc.calculatedNotSaved = false;
    const auto before = Lines(doc);

    ScriptedProgress progress;
    const CalcResult result = RunCalculation(doc, Quick(5), &progress);
    EXPECT_FALSE(result.improved);
    EXPECT_EQ(result.bestRound, kOldDistributionRound);
    EXPECT_EQ(result.roundsPassed, 5);
    EXPECT_EQ(Lines(doc), before) << "the lines stay as they were, unsorted";
    EXPECT_FALSE(doc.calculatedNotSaved);
    EXPECT_EQ(result.equalsHistogram[0], 3);
    ASSERT_EQ(progress.log.size(), 3u);
    EXPECT_EQ(progress.log[1], "Calculation brought no improvement.");
    EXPECT_EQ(doc.evaluation.equalsHistogram[0], 3);
}

TEST(CalculationRun, StopBeforeTheFirstRoundKeepsTheOldDistribution) {
    PoolsDocument doc = MakeSampleRound(12, 20, 4);
    GiveOrderedLines(doc);
    ASSERT_TRUE(doc.tipsUpToDate);
    const auto before = Lines(doc);
    ScriptedProgress progress;
    progress.requests.stopCalculation = true;
    const CalcResult result = RunCalculation(doc, Quick(1), &progress);
    EXPECT_FALSE(result.improved);
    EXPECT_EQ(result.roundsPassed, 0);
    EXPECT_EQ(Lines(doc), before);
    EXPECT_EQ(result.equalsHistogram, RecountEquals(doc));
    EXPECT_NE(std::find(progress.log.begin(), progress.log.end(), std::string(kTextNoImprovement)),
              progress.log.end());
    EXPECT_FALSE(doc.calculationRunning);
}

TEST(CalculationRun, BeatenOldDistributionIsReplaced) {
    PoolsDocument doc = MakeSampleRound(12, 20, 4);
    GiveOrderedLines(doc);
    const Histogram old = RecountEquals(doc);
    ScriptedProgress progress;
    const CalcResult result = RunCalculation(doc, Quick(2), &progress);
    ExpectWrittenBack(doc, result);
    EXPECT_TRUE(result.improved);
    EXPECT_GE(result.bestRound, 0);
    EXPECT_LT(TopEntry(result.equalsHistogram), TopEntry(old));
    EXPECT_EQ(std::find(progress.log.begin(), progress.log.end(), std::string(kTextNoImprovement)),
              progress.log.end());
}

TEST(CalculationRun, ConditionsTakePartAndAreRecorded) {
    PoolsDocument doc = MakeSampleRound(10, 20, 9);
    doc.conditionEnabled = {true, false, false};
    for (int i = 0; i < 4; ++i) doc.match(i).noDuplicates = true;
    RecomputeConditionBookkeeping(doc, true);
    ASSERT_NE(ConditionInCalculation(doc, kCondDuplicates), 0);
    ASSERT_FALSE(ConditionsUnchanged(doc));
    const CalcResult result = RunCalculation(doc, Quick(2));
    EXPECT_TRUE(ConditionsUnchanged(doc));
    EXPECT_EQ(doc.lastConditionState[kCondDuplicates], ConditionInCalculation(doc, kCondDuplicates));
    EXPECT_TRUE(result.conditions[kCondDuplicates]);
    EXPECT_FALSE(result.conditions[kCondTips1X2]);
    EXPECT_EQ(result.duplicateMatchCount, 4);
    // 81 combinations of four matches for 20 lines: the condition can be met
    // (without it this round leaves duplicate pairs behind).
    EXPECT_EQ(result.duplicatePairs, 0);
    EXPECT_EQ(doc.evaluation.duplicateHistogram[4], 0);
    EXPECT_EQ(doc.evaluation.flaggedLineCounts[0], 0);
}

// --- documents the engine cannot take -------------------------------------------

struct InputCase {
    const char* name;
    std::function<void(PoolsDocument&)> damage;
    CalcRefusal refusal;
    const char* says; // part of the message
};

TEST(CalculationInput, RefusesWhatTheEngineCannotTake) {
    const InputCase cases[] = {
        {"the calculated document as it is", [](PoolsDocument&) {}, CalcRefusal::kNone, ""},
        // Once made the calculation loop for ever in the apportionment.
        {"line count patched from 23 to 24",
         [](PoolsDocument& d) {
             d.lineCount = 24;
             d.resizeTipArrays();
         },
         CalcRefusal::kLinesDoNotFit, "lines of 5 matches and 23 lines, not of 5 matches and 24 lines"},
        {"both line counts patched to 24",
         [](PoolsDocument& d) {
             d.lineCount = d.tipLineCount = 24;
             d.resizeTipArrays();
             for (MatchEntry& m : d.matches) m.recomputeTipCounts(24);
         },
         CalcRefusal::kLinesDoNotFit, "the tips of match 1 do not fit"},
        {"tip counts that claim a tip too many", [](PoolsDocument& d) { ++d.matches[2].tipCounts[0]; },
         CalcRefusal::kLinesDoNotFit, "the tips of match 3 do not fit"},
        {"tip counts of other tips", [](PoolsDocument& d) {
             std::array<int, 3>& c = d.matches[3].tipCounts;
             c = {c[1], c[2], c[0]};
             if (c == d.matches[3].targetCounts) c = {c[1], c[2], c[0]};
         },
         CalcRefusal::kLinesDoNotFit, "the tips of match 4 do not fit"},
        {"a line without the tip of a match", [](PoolsDocument& d) { d.matches[1].tips[4] = kNoTip; },
         CalcRefusal::kLinesDoNotFit, "the tips of match 2 do not fit"},
        {"match count patched", [](PoolsDocument& d) { d.matchCount = 4; }, CalcRefusal::kLinesDoNotFit,
         "lines of 5 matches and 23 lines, not of 4 matches and 23 lines"},
        {"probabilities above 1000 together", [](PoolsDocument& d) { d.matches[3].probability = {700, 400}; },
         CalcRefusal::kBadProbability, "match 4\n(700 and 400 per mille"},
        {"a negative probability", [](PoolsDocument& d) { d.matches[0].probability = {500, -2}; },
         CalcRefusal::kBadProbability, "match 1\n(500 and -2 per mille"},
        {"a probability above 1000", [](PoolsDocument& d) { d.matches[4].probability = {1001, 0}; },
         CalcRefusal::kBadProbability, "match 5"},
        {"15 matches", [](PoolsDocument& d) { d.matchCount = 15; }, CalcRefusal::kBadSize, "has 15 matches and 23 lines"},
        {"no lines", [](PoolsDocument& d) { d.lineCount = 0; }, CalcRefusal::kBadSize, "has 5 matches and 0 lines"},
        {"1001 lines", [](PoolsDocument& d) { d.lineCount = 1001; }, CalcRefusal::kBadSize, "and 1001 lines"},
        {"one match with data", [](PoolsDocument& d) { DropData(d, 1); }, CalcRefusal::kTooFewMatches,
         kTextTooFewMatches},
    };
    PoolsDocument calculated = MakeSampleRound(5, 23, 7);
    ASSERT_TRUE(RunCalculation(calculated, Quick(1, 10, 0)).ran);
    ASSERT_TRUE(calculated.tipsUpToDate);
    for (const InputCase& c : cases) {
        SCOPED_TRACE(c.name);
        PoolsDocument doc = calculated;
        c.damage(doc);
        const auto before = Lines(doc);

        const InputCheck input = CheckCalculationInput(doc);
        EXPECT_EQ(input.refusal, c.refusal);
        EXPECT_NE(input.message.find(c.says), std::string::npos) << input.message;
        int questions = 0;
        const StartCheck start = CheckCalculationStart(doc, [&questions](StartQuestion, const std::string&) {
            ++questions;
            return true;
        });
        ScriptedProgress progress(&doc);
        const CalcResult result = RunCalculation(doc, Quick(1, 2, 0), &progress);
        EXPECT_FALSE(doc.calculationRunning);
        if (c.refusal == CalcRefusal::kNone) {
            EXPECT_EQ(start.verdict, StartVerdict::kCalculate);
            EXPECT_TRUE(input.message.empty());
            ExpectWrittenBack(doc, result);
            continue;
        }
        EXPECT_EQ(start.verdict, StartVerdict::kRefused);
        EXPECT_EQ(start.message, input.message);
        EXPECT_EQ(questions, 0) << "refused before any question";
        EXPECT_FALSE(result.ran);
        EXPECT_EQ(result.refusal, c.refusal);
        EXPECT_EQ(result.message, input.message);
        EXPECT_EQ(progress.constructions, 0);
        EXPECT_TRUE(progress.log.empty());
        EXPECT_EQ(Lines(doc), before) << "a refused document keeps its lines";
    }
}

// --- stops during the construction ------------------------------------------------

TEST(CalculationRun, StopDuringTheConstructionWithABestAbandonsTheRound) {
    // A long construction must not keep a stop waiting when there is a best to fall back on.
    PoolsDocument doc = MakeSampleRound(14, 300, 4);
    GiveOrderedLines(doc);
    ASSERT_TRUE(doc.tipsUpToDate);
    const auto before = Lines(doc);
    ScriptedProgress progress(&doc);
    progress.At(ScriptedProgress::Moment::kAfterYields, 3, ScriptedProgress::Request::kStopCalculation);
    const CalcResult result = RunCalculation(doc, Quick(3), &progress);
    EXPECT_TRUE(result.ran);
    EXPECT_EQ(progress.yields, 3) << "one yield per match built, none after the stop";
    EXPECT_EQ(progress.constructions, 0);
    EXPECT_EQ(result.roundsPassed, 0);
    EXPECT_EQ(result.totalTries, 0);
    EXPECT_FALSE(result.improved);
    EXPECT_EQ(result.bestRound, kOldDistributionRound);
    EXPECT_EQ(Lines(doc), before);
    EXPECT_FALSE(doc.calculationRunning);
}

TEST(CalculationRun, StopDuringTheFirstConstructionStillGivesLines) {
    // Without a best the round is built to the end and improved no further.
    PoolsDocument doc = MakeSampleRound(14, 300, 4);
    ScriptedProgress progress(&doc);
    progress.At(ScriptedProgress::Moment::kAfterYields, 3, ScriptedProgress::Request::kStopCalculation);
    const CalcResult result = RunCalculation(doc, Quick(3), &progress);
    ExpectWrittenBack(doc, result);
    EXPECT_EQ(progress.constructions, 1);
    EXPECT_EQ(result.roundsPassed, 1);
    EXPECT_LE(result.totalTries, 1);
}

TEST(ClockSeed, SecondsTimes1024PlusMilliseconds) {
    EXPECT_EQ(ClockSeed(0), 0u);
    EXPECT_EQ(ClockSeed(1999), 1024u + 999u);
    EXPECT_EQ(ClockSeed(1700000000123LL), static_cast<uint32_t>(1700000000ULL * 1024 + 123));
    EXPECT_EQ(ClockSeed(4194304000LL + 5), 5u); // 4194304 * 1024 = 2^32
}

} // namespace
} // namespace vdx
