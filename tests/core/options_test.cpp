// The options' number fields (stepping and checking) and writing the options
// into a document or into the defaults of new documents.

#include "options/Options.h"

#include "TestLines.h"
#include "TestNames.h"
#include "calc/Conditions.h"
#include "calc/Probabilities.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vdx;

namespace {

struct StepCase {
    OptionField field;
    int linesPerTicket;
    std::string text;
    int direction;
    bool changed;
    int value;
};

const char* const kFieldNames[kOptionFieldCount] = {"Lines", "Rounds", "Tries", "Difference", "Extra",
                                                     "Search"};

class OptionStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(OptionStepTest, StepsToMultiplesWithinTheRange) {
    const StepCase& c = GetParam();
    const OptionStep step = StepOptionField(RuleOf(c.field, c.linesPerTicket), c.text, c.direction);
    EXPECT_EQ(step.changed, c.changed);
    EXPECT_EQ(step.value, c.value);
    EXPECT_EQ(step.text, std::to_string(c.value));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, OptionStepTest,
    ::testing::Values(
        StepCase{kOptionRounds, 12, "100", +1, true, 125},
        StepCase{kOptionRounds, 12, "100", -1, true, 75},
        StepCase{kOptionRounds, 12, "110", -1, true, 100},
        StepCase{kOptionRounds, 12, "20", -1, true, 15},
        StepCase{kOptionRounds, 12, "25", -1, true, 20},  // not above the step: small step
        StepCase{kOptionRounds, 12, "", +1, true, 50},    // unreadable counts as the step
        StepCase{kOptionRounds, 12, "", -1, true, 20},
        StepCase{kOptionRounds, 12, "3", -1, true, 1},    // clamped to the minimum
        StepCase{kOptionRounds, 12, "1", -1, false, 1},   // already there: text stays
        StepCase{kOptionRounds, 12, "1000", +1, false, 1000},
        StepCase{kOptionRounds, 12, "990", +1, true, 1000},
        StepCase{kOptionRounds, 12, "100,6", -1, true, 100}, // read as 101
        StepCase{kOptionRounds, 12, "99999999999", +1, true, 1000},
        StepCase{kOptionLines, 12, "20", +1, true, 24},
        StepCase{kOptionLines, 12, "20", -1, true, 12},
        StepCase{kOptionLines, 12, "12", -1, true, 11},
        StepCase{kOptionLines, 5, "20", -1, true, 15},
        StepCase{kOptionLines, 2, "1", -1, false, 1},
        StepCase{kOptionUnsuccessfulTries, 12, "2", -1, false, 2},
        StepCase{kOptionUnsuccessfulTries, 12, "9990", +1, true, 10000},
        StepCase{kOptionDifference, 12, "5", +1, true, 6},
        StepCase{kOptionDifference, 12, "5", -1, true, 4},
        StepCase{kOptionDifference, 12, "0", -1, false, 0},
        StepCase{kOptionDifference, 12, "100", +1, false, 100},
        StepCase{kOptionExtraTries, 12, "0", -1, false, 0},
        StepCase{kOptionExtraTries, 12, "7", +1, true, 25},
        StepCase{kOptionSearchSeconds, 12, "0", +1, true, 15},
        StepCase{kOptionSearchSeconds, 12, "0", -1, false, 0},  // off stays off
        StepCase{kOptionSearchSeconds, 12, "15", -1, true, 10},
        StepCase{kOptionSearchSeconds, 12, "5", -1, true, 0},
        StepCase{kOptionSearchSeconds, 12, "3", -1, true, 0},   // clamped to off
        StepCase{kOptionSearchSeconds, 12, "50", -1, true, 45},
        StepCase{kOptionSearchSeconds, 12, "60", +1, true, 75},
        StepCase{kOptionSearchSeconds, 12, "", +1, true, 30},
        StepCase{kOptionSearchSeconds, 12, "3590", +1, true, 3600},
        StepCase{kOptionSearchSeconds, 12, "3600", +1, false, 3600}),
    [](const ::testing::TestParamInfo<StepCase>& info) {
        const StepCase& c = info.param;
        std::string name = std::string(kFieldNames[c.field]) + "_" + testnames::Part(c.text) +
                           (c.direction > 0 ? "_up" : "_down");
        if (c.field == kOptionLines) name += "_ticket" + std::to_string(c.linesPerTicket);
        return name;
    });

struct CheckCase {
    std::array<std::string, kOptionFieldCount> texts; // lines, rounds, tries, difference, extra, search
    int firstInvalid;
    std::string message; // of the first invalid text
};

class OptionCheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(OptionCheckTest, ReportsTheFirstInvalidTextWithItsRange) {
    const CheckCase& c = GetParam();
    const OptionTextCheck check = CheckOptionTexts(c.texts, OptionValues());
    ASSERT_EQ(check.firstInvalid, c.firstInvalid);
    if (check.ok()) return;
    EXPECT_EQ(InvalidOptionMessage(RuleOf(static_cast<OptionField>(check.firstInvalid), 12)), c.message);
    EXPECT_EQ(check.texts[c.firstInvalid], c.texts[c.firstInvalid]); // the invalid text stays as typed
}

INSTANTIATE_TEST_SUITE_P(
    Texts, OptionCheckTest,
    ::testing::Values(
        CheckCase{{"1000", "1", "2", "0", "0", "0"}, kOptionFieldCount, ""},
        CheckCase{{"1001", "1", "2", "0", "0", "0"}, kOptionLines,
                  "Entry of Lines is invalid!\nValid entries are numbers from 1 to 1000"},
        CheckCase{{"0", "x", "1", "0", "0", "0"}, kOptionLines,
                  "Entry of Lines is invalid!\nValid entries are numbers from 1 to 1000"},
        CheckCase{{"20", "1001", "1", "0", "0", "0"}, kOptionRounds,
                  "Entry of Rounds is invalid!\nValid entries are numbers from 1 to 1000"},
        CheckCase{{"20", "100", "1", "0", "0", "0"}, kOptionUnsuccessfulTries,
                  "Entry of Unsuccessful Tries is invalid!\nValid entries are numbers from 2 to 10000"},
        CheckCase{{"20", "100", "2", "101", "0", "0"}, kOptionDifference,
                  "Entry of Difference is invalid!\nValid entries are numbers from 0 to 100"},
        CheckCase{{"20", "100", "2", "100", "", "0"}, kOptionExtraTries,
                  "Entry of Extra Tries is invalid!\nValid entries are numbers from 0 to 10000"},
        CheckCase{{"20", "100", "2", "5", "0", "3601"}, kOptionSearchSeconds,
                  "Entry of Search Further is invalid!\nValid entries are numbers from 0 to 3600"},
        CheckCase{{"20", "100", "2", "5", "0", ""}, kOptionSearchSeconds,
                  "Entry of Search Further is invalid!\nValid entries are numbers from 0 to 3600"},
        CheckCase{{"20", "100", "2", "5", "0", "-0,6"}, kOptionSearchSeconds,
                  "Entry of Search Further is invalid!\nValid entries are numbers from 0 to 3600"},
        CheckCase{{"20", "100", "2", "5", "0", "3600"}, kOptionFieldCount, ""},
        // The range is checked before rounding.
        CheckCase{{"1000.4", "100", "2", "0", "0", "0"}, kOptionLines,
                  "Entry of Lines is invalid!\nValid entries are numbers from 1 to 1000"},
        CheckCase{{"20", "0,6", "2", "0", "0", "0"}, kOptionRounds,
                  "Entry of Rounds is invalid!\nValid entries are numbers from 1 to 1000"}),
    [](const ::testing::TestParamInfo<CheckCase>& info) {
        const CheckCase& c = info.param;
        if (c.firstInvalid == kOptionFieldCount)
            return "Valid_search" + testnames::Part(c.texts[kOptionSearchSeconds]);
        return std::string(kFieldNames[c.firstInvalid]) + "_" + testnames::Part(c.texts[c.firstInvalid]);
    });

TEST(OptionCheckTest, ValidTextsAreRoundedAndRewritten) {
    const OptionTextCheck check =
        CheckOptionTexts({"20.5", "999,5", "0002", "4.49", "10000", "89,5"}, OptionValues());
    ASSERT_TRUE(check.ok());
    EXPECT_EQ(check.texts, (std::array<std::string, kOptionFieldCount>{"21", "1000", "2", "4", "10000", "90"}));
    EXPECT_EQ(check.values.lineCount, 21);
    EXPECT_EQ(check.values.rounds, 1000);
    EXPECT_EQ(check.values.unsuccessfulTries, 2);
    EXPECT_EQ(check.values.upToDifference, 4);
    EXPECT_EQ(check.values.extraTries, 10000);
    EXPECT_EQ(check.values.searchSeconds, 90);
}

TEST(OptionCheckTest, TextsBeforeTheInvalidOneAreRewrittenTheRestStay) {
    const OptionTextCheck check = CheckOptionTexts({"20,4", "7.6", "1", "4.49", "0012", "030"}, OptionValues());
    EXPECT_EQ(check.firstInvalid, kOptionUnsuccessfulTries);
    EXPECT_EQ(check.texts, (std::array<std::string, kOptionFieldCount>{"20", "8", "1", "4.49", "0012", "030"}));
}

// Three matches at 400/300/300 and ten lines that fit them: four "1", three
// "X" and three "2" per match, so the lines are up to date.
PoolsDocument FittingDocument() {
    PoolsDocument doc = testlines::WithLines({"11X", "1X1", "X21", "212", "1X2", "X21", "21X", "1XX", "X22", "211"});
    for (int m = 0; m < 3; ++m)
        EXPECT_TRUE(IsApportionment(doc.match(m).tipCounts, doc.lineCount, doc.match(m).p1(), doc.match(m).p2()));
    doc.setTipsUpToDate(-1);
    EXPECT_TRUE(doc.tipsUpToDate);
    doc.modified = false;
    return doc;
}

TEST(ApplyOptionsTest, UnchangedOptionsLeaveTheDocumentAlone) {
    PoolsDocument doc = FittingDocument();
    const std::vector<std::string> before = testlines::AllLines(doc);
    const OptionsApplied applied = ApplyOptions(doc, OptionsOf(doc));
    EXPECT_FALSE(applied.changed);
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(testlines::AllLines(doc), before);
}

TEST(ApplyOptionsTest, EveryValueIsWrittenAndTheDocumentMarkedModified) {
    PoolsDocument doc = FittingDocument();
    OptionValues v = OptionsOf(doc);
    v.linesPerTicket = 5;
    v.rounds = 7;
    v.unsuccessfulTries = 30;
    v.upToDifference = 0;
    v.extraTries = 0;
    v.searchSeconds = 45;
    v.useComma = doc.decimalPoint; // flipped
    v.zeroForDraw = !doc.zeroForDraw;
    const OptionsApplied applied = ApplyOptions(doc, v);
    EXPECT_TRUE(applied.changed);
    EXPECT_TRUE(applied.drawSymbolChanged);
    EXPECT_FALSE(applied.matchCountChanged);
    EXPECT_FALSE(applied.sortModeChanged);
    EXPECT_EQ(OptionsOf(doc), v);
    EXPECT_TRUE(doc.modified);
    EXPECT_TRUE(doc.tipsUpToDate); // matches and lines are as calculated
}

TEST(ApplyOptionsTest, ANewSortModeResortsTheLines) {
    PoolsDocument doc = FittingDocument();
    doc.match(0).result = kTip2;
    doc.match(1).result = kTip1;
    doc.match(2).result = kTip1;
    OptionValues v = OptionsOf(doc);
    v.sortMode = static_cast<int>(SortMode::ByCorrectTips);
    EXPECT_TRUE(ApplyOptions(doc, v).sortModeChanged);
    EXPECT_EQ(testlines::LineText(doc, 0), "211"); // the only line with three correct tips
    EXPECT_EQ(doc.correctTips[0], 3);
    for (int l = 1; l < doc.tipLineCount; ++l) EXPECT_LE(doc.correctTips[l], doc.correctTips[l - 1]);

    v.sortMode = static_cast<int>(SortMode::ByTips);
    ApplyOptions(doc, v);
    std::vector<std::string> lines = testlines::AllLines(doc);
    EXPECT_EQ(lines.front(), "11X");
    EXPECT_EQ(lines.back(), "212");
}

TEST(ApplyOptionsTest, ChangedLinesMakeTheDistributionStaleButKeepIt) {
    PoolsDocument doc = FittingDocument();
    const std::vector<std::string> before = testlines::AllLines(doc);
    OptionValues v = OptionsOf(doc);
    v.lineCount = 12;
    EXPECT_TRUE(ApplyOptions(doc, v).lineCountChanged);
    EXPECT_FALSE(doc.tipsUpToDate);
    EXPECT_TRUE(doc.hasTips);
    EXPECT_EQ(doc.tipLineCount, 10);
    EXPECT_EQ(testlines::AllLines(doc), before);

    v.lineCount = 10; // back to the calculated size: the lines fit again
    ApplyOptions(doc, v);
    EXPECT_TRUE(doc.tipsUpToDate);
}

TEST(ApplyOptionsTest, FewerMatchesLowerTheLimitForConditions) {
    PoolsDocument doc = FittingDocument();
    doc.conditionLimit = 3;
    OptionValues v = OptionsOf(doc);
    v.matchCount = 2;
    const OptionsApplied applied = ApplyOptions(doc, v);
    EXPECT_TRUE(applied.matchCountChanged);
    EXPECT_FALSE(applied.fitViewToContent); // the document has lines
    EXPECT_EQ(doc.matchCount, 2);
    EXPECT_EQ(doc.conditionLimit, 2);
    EXPECT_FALSE(doc.tipsUpToDate);
    EXPECT_EQ(doc.tipMatchCount, 3);

    v.matchCount = 14; // more matches leave the limit where it is
    ApplyOptions(doc, v);
    EXPECT_EQ(doc.conditionLimit, 2);
}

TEST(ApplyOptionsTest, NewMatchCountRecomputesFavouritesAndBounds) {
    PoolsDocument doc;
    doc.match(0).probability = {100, 200}; // "X" is the favourite
    doc.conditionEnabled[kCondTips1X2] = true;
    doc.conditionRanges[0][0][0] = doc.conditionRanges[0][0][1] = 0; // "1" fixed to its expectation
    doc.modified = false;
    OptionValues v = OptionsOf(doc);
    v.matchCount = 6;
    const OptionsApplied applied = ApplyOptions(doc, v);
    EXPECT_TRUE(applied.fitViewToContent); // no lines: the view fits the new size
    EXPECT_EQ(doc.match(0).categoryMaps[1][kTipX], 0);
    EXPECT_LE(doc.effectiveBounds[0][0][1], 6); // derived for six matches, no longer (0, 1000)
    EXPECT_EQ(doc.conditionState[kCondTips1X2], 1);
}

TEST(ApplyDefaultOptionsTest, NewDocumentsTakeTheDefaults) {
    AppConfig config;
    config.conditions.limit = 9;
    OptionValues v;
    v.matchCount = 8;
    v.lineCount = 48;
    v.linesPerTicket = 6;
    v.rounds = 3;
    v.unsuccessfulTries = 40;
    v.upToDifference = 0;
    v.extraTries = 0;
    v.searchSeconds = 20;
    v.sortMode = 1;
    v.useComma = false;
    v.zeroForDraw = true;
    ApplyDefaultOptions(config, v);
    EXPECT_EQ(OptionsOf(config.options), v);
    EXPECT_TRUE(config.options.decimalPoint);
    EXPECT_EQ(config.conditions.limit, 8);

    const PoolsDocument doc(config);
    EXPECT_EQ(OptionsOf(doc), v);
    EXPECT_EQ(doc.conditionLimit, 8);
}

TEST(ResetValuesTest, DocumentResetKeepsCommaOnAndXWhateverTheDefaults) {
    DefaultOptions d;
    d.matchCount = 9;
    d.lineCount = 33;
    d.decimalPoint = true;
    d.zeroForDraw = true;
    const OptionValues v = DocumentResetValues(d);
    EXPECT_EQ(v.matchCount, 9);
    EXPECT_EQ(v.lineCount, 33);
    EXPECT_TRUE(v.useComma);
    EXPECT_FALSE(v.zeroForDraw);

    const OptionValues b = BuiltInOptionValues();
    EXPECT_EQ(b.matchCount, 12);
    EXPECT_EQ(b.linesPerTicket, 12);
    EXPECT_EQ(b.sortMode, 0);
    EXPECT_TRUE(b.useComma);
    EXPECT_FALSE(b.zeroForDraw);
    EXPECT_EQ(b.lineCount, 20);
    EXPECT_EQ(b.rounds, 100);
    EXPECT_EQ(b.unsuccessfulTries, 1000);
    EXPECT_EQ(b.upToDifference, 5);
    EXPECT_EQ(b.extraTries, 1000);
    EXPECT_EQ(b.searchSeconds, 0); // the classic calculation
}

} // namespace
