// The core's sentences go through the translation hook as whole format
// strings, before file names and numbers go in, and every text it asks for
// is in the template that the catalogs are made from.

#include "app/CommandLine.h"
#include "calc/CalcFigures.h"
#include "calc/CalculationRun.h"
#include "document/FileProblem.h"
#include "document/TextExport.h"
#include "document/VdxFile.h"
#include "options/Options.h"
#include "text/NumberText.h"
#include "text/Tr.h"
#include "view/TicketLayout.h"

#include "TestLines.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace vdx;

namespace {

// Marks what it translates: «text». Every msgid it is asked for is kept.
class PseudoTranslation : public ::testing::Test {
protected:
    void SetUp() override {
        SetTranslator(
            [this](const char* msgid) {
                asked.push_back(msgid);
                return "\xC2\xAB" + std::string(msgid) + "\xC2\xBB";
            },
            [this](const char* singular, const char* plural, long n) {
                asked.push_back(singular);
                asked.push_back(plural);
                return "\xC2\xAB" + std::string(n == 1 ? singular : plural) + "\xC2\xBB";
            });
    }
    void TearDown() override { SetTranslator({}, {}); }

    std::vector<std::string> asked;
};

std::string Marked(const std::string& text) { return "\xC2\xAB" + text + "\xC2\xBB"; }

// The msgids of po/vdx.pot, unescaped.
std::set<std::string> TemplateMsgids() {
    std::ifstream in(std::string(VDX_SOURCE_DIR) + "/po/vdx.pot");
    std::set<std::string> ids;
    std::string line, current;
    bool inId = false;
    const auto unquote = [](const std::string& quoted) {
        std::string s;
        for (size_t i = 1; i + 1 < quoted.size(); ++i) {
            if (quoted[i] == '\\' && i + 2 < quoted.size()) {
                const char c = quoted[++i];
                s += c == 'n' ? '\n' : c == 't' ? '\t' : c;
            } else {
                s += quoted[i];
            }
        }
        return s;
    };
    while (std::getline(in, line)) {
        if (line.rfind("msgid ", 0) == 0 || line.rfind("msgid_plural ", 0) == 0) {
            if (inId) ids.insert(current);
            current = unquote(line.substr(line.find('"')));
            inId = true;
        } else if (inId && !line.empty() && line[0] == '"') {
            current += unquote(line);
        } else {
            if (inId) ids.insert(current);
            inId = false;
        }
    }
    if (inId) ids.insert(current);
    return ids;
}

struct SentenceCase {
    const char* name;
    std::function<std::string()> make;
    std::string expected; // the sentence as the pseudo translation gives it
    std::vector<std::string> values; // go in after the translation: never part of a msgid
};

std::vector<SentenceCase> Sentences() {
    FileProblem oneMatch;
    oneMatch.kind = FileProblemKind::kMatchCount;
    oneMatch.value = 1;
    oneMatch.low = 2;
    oneMatch.high = 14;
    FileProblem manyLines = oneMatch;
    manyLines.kind = FileProblemKind::kLineCount;
    manyLines.value = 1001;
    manyLines.low = 1;
    manyLines.high = 1000;
    return {
        {"NotVdx", [] { return ReadResultMessage(kReadNotVdx, "pools.vdx", 0); },
         Marked("File pools.vdx is not a VendrixPlanner-File!"), {"pools.vdx"}},
        {"NotReversedText", [] { return ReadResultMessage(kReadNotText, "pools.txt", 2); },
         Marked("File pools.txt is not a suitable reversed text file."), {"pools.txt"}},
        {"NotTotocalcio", [] { return ReadResultMessage(kReadNotText, "pools.col", 3); },
         Marked("File pools.col is not a Totocalcio-File."), {"pools.col"}},
        {"TooManyLines", [] { return ReadResultMessage(kReadTooManyLines, "pools.txt", 1); },
         Marked("File pools.txt has too many lines."), {"pools.txt"}},
        {"OneMatchIsSingular", [oneMatch] { return FileProblemText(oneMatch); }, Marked("1 match, at least 2."),
         {}},
        {"LinesArePlural", [manyLines] { return FileProblemText(manyLines); },
         Marked("1001 lines, at most 1000."), {"1001"}},
        {"TimeSpent", [] { return TimeSpentText(61234); }, Marked("time spent: 0:01:01,23"), {"0:01:01,23"}},
        {"RoundsPassedFrozen", [] { return RoundsPassedText(1, 5, -1, true); },
         Marked("1/5 rounds passed, best so far: " + Marked("old") + " (frozen window)"), {"1/5"}},
        {"OneRoundPassed", [] { return RoundsPassedText(0, 1, -2, false); }, Marked("0/1 round passed"), {"0/1"}},
        {"CurrentRound", [] { return CurrentRoundText(6); }, Marked("Current Round: 7"), {}},
        {"Difference", [] { return DifferenceText(12); }, Marked("Difference: 12"), {}},
        {"PartialData", [] { return PartialDataQuestion(3, 12); },
         Marked("Chances or odds of only 3 of 12 matches\nare specified. Calculate nevertheless?"), {}},
        {"Usage", [] { return UsageText("vendrixplanner"); },
         Marked("vendrixplanner [-h] [-f=xxx] ...\n\n-h\tHelp = this message\n"
                "-c\tDelete the configuration file and quit the application.\n"
                "-f=xxx  File xxx.vdx is opened.\n-l=xx\tLanguage (en, de, ...)"),
         {"vendrixplanner"}},
        {"InvalidOption", [] { return InvalidOptionMessage(RuleOf(kOptionLines, 12)); },
         Marked("Entry of " + Marked("Lines") + " is invalid!\nValid entries are numbers from 1 to 1000"), {}},
        {"InvalidField",
         [] {
             NumericField field;
             field.minimum = 2;
             field.maximum = 14;
             return InvalidFieldMessage("&Matches", field);
         },
         Marked("Entry of \"Matches\" is invalid!\nValid entries are numbers from 2 to 14"), {"Matches"}},
        {"ExportLog", [] { return ExportLogLine(kExportUnix, "/tmp/lines.txt", true); },
         Marked("Text File for " + Marked("Unix") + ": File /tmp/lines.txt saved"), {"/tmp/lines.txt"}},
        {"ExportLogError", [] { return ExportLogLine(kExportMac, "/tmp/lines.txt", false); },
         Marked("Text File for " + Marked("Mac") + ": Error saving the file /tmp/lines.txt"), {"/tmp/lines.txt"}},
    };
}

TEST_F(PseudoTranslation, EachSentenceIsOneFormatTranslatedBeforeItsValues) {
    for (const SentenceCase& c : Sentences()) {
        asked.clear();
        EXPECT_EQ(c.make(), c.expected) << c.name;
        EXPECT_FALSE(asked.empty()) << c.name;
        for (const std::string& msgid : asked)
            for (const std::string& value : c.values)
                EXPECT_EQ(msgid.find(value), std::string::npos) << c.name << ": " << msgid;
    }
}

class FixedMeasure : public TextMeasure {
public:
    int textWidth(const std::string& text, const TextStyle&) const override { return 6 * static_cast<int>(text.size()); }
    int textHeight() const override { return 14; }
};

TEST_F(PseudoTranslation, TicketViewTextsAreTranslated) {
    PoolsDocument doc = testlines::WithLines({"1X2", "X21", "211"});
    doc.linesPerTicket = 12;
    doc.recomputeCorrectTips();
    TicketPaging paging;
    paging.recount(doc);
    paging.normalise();
    TicketLayoutRequest request;
    request.scale = 100;
    request.clientWidth = 538;
    const TicketLayout layout = LayoutTickets(doc, paging, request, FixedMeasure());
    std::set<std::string> texts;
    for (const TicketItem& item : layout.items) texts.insert(item.text);
    EXPECT_TRUE(texts.count(Marked("Ticket No. 1 of 1 (Line 1 to 3 of 3)"))) << "title";
    EXPECT_TRUE(texts.count(Marked("Matches")));
    EXPECT_TRUE(texts.count(Marked("Correct Tips")));
    EXPECT_TRUE(texts.count(Marked("Match 1")));
}

// A translator that swaps the two values: positional placeholders survive.
TEST(Translation, PositionalPlaceholdersMayChangeOrder) {
    SetTranslator(
        [](const char* msgid) {
            const std::string id = msgid;
            if (id == "Text File for %1$s: File %2$s saved") return std::string("%2$s gespeichert (%1$s)");
            return id;
        },
        {});
    EXPECT_EQ(ExportLogLine(kExportUnix, "a.txt", true), "a.txt gespeichert (Unix)");
    SetTranslator({}, {});
    EXPECT_EQ(ExportLogLine(kExportUnix, "a.txt", true), "Text File for Unix: File a.txt saved");
}

TEST(Translation, EnglishWithoutATranslator) {
    SetTranslator({}, {});
    EXPECT_EQ(Translate("Matches"), "Matches");
    EXPECT_EQ(TranslatePlural(NP_("%d line", "%d lines"), 1), "%d line");
    EXPECT_EQ(TranslatePlural(NP_("%d line", "%d lines"), 0), "%d lines");
    EXPECT_EQ(TrFormatPlural(NP_("%d line", "%d lines"), 2, 2), "2 lines");
}

// Every text the core asks to translate is in the template; a text that is
// translated but not marked would reach no catalog.
TEST_F(PseudoTranslation, EveryTextAskedForIsInTheTemplate) {
    const std::set<std::string> ids = TemplateMsgids();
    ASSERT_GT(ids.size(), 100u) << "po/vdx.pot not found or not read";
    for (const SentenceCase& c : Sentences()) c.make();
    FileProblem problem;
    for (FileProblemKind kind : {FileProblemKind::kEmpty, FileProblemKind::kEndsEarly, FileProblemKind::kValueOutOfRange,
                                 FileProblemKind::kTipsWord, FileProblemKind::kReadOnlyFile,
                                 FileProblemKind::kFolderNotWritable}) {
        problem.kind = kind;
        FileProblemText(problem);
    }
    for (int d : {kDifferenceConditionsFault, kDifferenceConditionsOk, kDifferenceLevelBetter, kDifferenceLevelWorse})
        DifferenceText(d);
    BestText(2, false);
    BestText(-1, true);
    for (int type = 0; type < 5; ++type) ExportLogLine(type, "a", true);
    ASSERT_FALSE(asked.empty());
    for (const std::string& msgid : asked) EXPECT_TRUE(ids.count(msgid)) << "not in po/vdx.pot: " << msgid;
}

} // namespace
