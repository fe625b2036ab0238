// The input grid's texts: reading and checking them, storing them into a
// document, the canonical texts filled back, blocks and the clipboard format.

#include "calc/Probabilities.h"
#include "input/InputGrid.h"

#include "TestNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vdx;

namespace {

// One grid row: name, result, three chances, then groups of three odds, notes last.
std::vector<std::string> Row(std::vector<std::string> middle, int groups = 1) {
    std::vector<std::string> row = std::move(middle);
    row.resize(InputColumnCount(groups));
    return row;
}

std::vector<std::string> ChanceRow(const std::string& c1, const std::string& cx, const std::string& c2) {
    return Row({"A - B", "", c1, cx, c2});
}

} // namespace

struct ChanceCase {
    const char* c1;
    const char* cx;
    const char* c2;
    bool accepted;
    std::array<int, 2> stored; // when accepted
    std::optional<InputErrorKind> error;
};

class ChanceRows : public ::testing::TestWithParam<ChanceCase> {};

TEST_P(ChanceRows, AreCompletedOrRejected) {
    const ChanceCase& k = GetParam();
    CellTexts cells{ChanceRow(k.c1, k.cx, k.c2)};
    const InputReading reading = ReadInputGrid(cells, 1);
    if (k.accepted) {
        ASSERT_FALSE(reading.error) << InputErrorMessage(reading.error->kind);
        EXPECT_EQ(reading.rows[0].chances, k.stored);
    } else {
        ASSERT_TRUE(reading.error);
        EXPECT_EQ(reading.error->kind, *k.error);
        if (*k.error == InputErrorKind::ChancesSum) {
            EXPECT_EQ(reading.error->cells, (CellBlock{0, 2, 0, 4}));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ChanceRows,
    ::testing::Values(
        ChanceCase{"50", "", "", false, {}, InputErrorKind::ChancesSum},
        ChanceCase{"100", "", "", true, {1000, 0}, {}},
        ChanceCase{"", "", "100", true, {0, 1000}, {}},
        ChanceCase{"40", "", "35", true, {400, 350}, {}},
        ChanceCase{"", "30", "25", true, {450, 250}, {}},
        ChanceCase{"", "", "", true, {-1, -1}, {}},
        ChanceCase{"0", "0", "", true, {-1, -1}, {}},
        ChanceCase{"0", "0", "0", false, {}, InputErrorKind::ChancesSum},
        ChanceCase{"0", "", "", false, {}, InputErrorKind::ChancesSum},
        ChanceCase{"33.33", "33.33", "33.34", false, {}, InputErrorKind::ChancesSum},
        ChanceCase{"33.35", "33.3", "33.3", true, {334, 333}, {}}, // halves away from zero
        ChanceCase{"45,5", "30", "24.5", true, {455, 245}, {}},
        ChanceCase{"60", "50", "", false, {}, InputErrorKind::ChancesSum},
        ChanceCase{"100.01", "", "", false, {}, InputErrorKind::ChancesUnreadable},
        ChanceCase{"-1", "", "", false, {}, InputErrorKind::ChancesUnreadable},
        ChanceCase{"abc", "", "", false, {}, InputErrorKind::ChancesUnreadable},
        ChanceCase{"  45 ", "\t30", "25\n", true, {450, 250}, {}}),
    [](const ::testing::TestParamInfo<ChanceCase>& info) {
        const ChanceCase& k = info.param;
        return testnames::Part(k.c1) + "_" + testnames::Part(k.cx) + "_" + testnames::Part(k.c2);
    });

struct OddsCase {
    const char* o1;
    const char* ox;
    const char* o2;
    std::optional<InputErrorKind> error;
    std::array<int, 3> stored; // when accepted
};

class OddsCells : public ::testing::TestWithParam<OddsCase> {};

TEST_P(OddsCells, AreReadInHundredthsOrRejected) {
    const OddsCase& k = GetParam();
    CellTexts cells{Row({"A - B", "", "", "", "", k.o1, k.ox, k.o2})};
    const InputReading reading = ReadInputGrid(cells, 1);
    if (!k.error) {
        ASSERT_FALSE(reading.error) << InputErrorMessage(reading.error->kind);
        ASSERT_EQ(reading.rows[0].odds.size(), 1u);
        EXPECT_EQ(reading.rows[0].odds[0].odds, k.stored);
        return;
    }
    ASSERT_TRUE(reading.error);
    EXPECT_EQ(reading.error->kind, *k.error);
    if (*k.error == InputErrorKind::OddsIncomplete) {
        EXPECT_EQ(reading.error->cells, (CellBlock{0, 5, 0, 7}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, OddsCells,
    ::testing::Values(OddsCase{"1,85", "3.40", "4", {}, {185, 340, 400}},
                      OddsCase{"32000", "1", "1.006", {}, {3200000, 100, 101}},
                      OddsCase{"0.9", "3", "4", InputErrorKind::OddsUnreadable, {}},
                      OddsCase{"2", "3", "32000.01", InputErrorKind::OddsUnreadable, {}},
                      OddsCase{"2", "x", "4", InputErrorKind::OddsUnreadable, {}},
                      OddsCase{"2", "", "4", InputErrorKind::OddsIncomplete, {}},
                      OddsCase{"", "", "4", InputErrorKind::OddsIncomplete, {}},
                      OddsCase{"", "", "", {}, {-1, -1, -1}}),
    [](const ::testing::TestParamInfo<OddsCase>& info) {
        const OddsCase& k = info.param;
        return testnames::Part(k.o1) + "_" + testnames::Part(k.ox) + "_" + testnames::Part(k.o2);
    });

TEST(InputResults, AcceptTheTipTextsOnly) {
    const struct {
        const char* text;
        int result; // -2: rejected
    } cases[] = {{"", -1}, {"1", 0}, {"X", 1}, {"x", 1}, {"0", 1}, {"2", 2},
                 {" 2 ", 2}, {"3", -2}, {"1X", -2}, {"-", -2}, {"11", -2}};
    for (const auto& k : cases) {
        CellTexts cells{Row({"A - B", k.text})};
        const InputReading reading = ReadInputGrid(cells, 1);
        if (k.result == -2) {
            ASSERT_TRUE(reading.error) << k.text;
            EXPECT_EQ(reading.error->kind, InputErrorKind::ResultUnreadable);
            EXPECT_EQ(reading.error->cells, (CellBlock{0, 1, 0, 1}));
        } else {
            ASSERT_FALSE(reading.error) << k.text;
            EXPECT_EQ(reading.rows[0].result, k.result) << k.text;
        }
    }
}

TEST(InputReadingPass, TrimsVisitedCellsAndStopsAtTheFirstError) {
    CellTexts cells{Row({" One ", " 1 ", "50", "", "", "", "", "", " note "}),
                    Row({" Two ", "7", " 10 ", "", ""})};
    const InputReading reading = ReadInputGrid(cells, 1);
    // The unreadable result of row 1 comes before the sum of row 0 is checked.
    ASSERT_TRUE(reading.error);
    EXPECT_EQ(reading.error->kind, InputErrorKind::ResultUnreadable);
    EXPECT_EQ(reading.error->cells, (CellBlock{1, 1, 1, 1}));
    EXPECT_EQ(cells[0][0], "One");
    EXPECT_EQ(cells[0][8], "note");
    EXPECT_EQ(cells[1][0], "Two");
    EXPECT_EQ(cells[1][2], " 10 "); // after the error: untouched
}

TEST(InputReadingPass, ChecksAllChancesBeforeTheOdds) {
    CellTexts cells{Row({"A", "", "", "", "", "2", "", ""}), Row({"B", "", "50", "", ""})};
    const InputReading reading = ReadInputGrid(cells, 1);
    ASSERT_TRUE(reading.error);
    EXPECT_EQ(reading.error->kind, InputErrorKind::ChancesSum);
    EXPECT_EQ(reading.error->cells, (CellBlock{1, 2, 1, 4}));
}

TEST(InputBookmakerGroups, EmptyGroupsGoWhileOneIsLeft) {
    // Groups 0 and 2 are empty everywhere, group 1 has odds in row 1 only.
    CellTexts cells{Row({"A", "", "", "", "", "", "", "", "", "", "", "", "", ""}, 3),
                    Row({"B", "", "", "", "", "", "", "", "2", "3", "4", "", "", ""}, 3)};
    const InputReading reading = ReadInputGrid(cells, 3);
    ASSERT_FALSE(reading.error);
    EXPECT_EQ(reading.removedGroups, (std::vector<int>{0, 1}));
    EXPECT_EQ(reading.bookieGroups, 1);
    ASSERT_EQ(reading.rows[1].odds.size(), 1u);
    EXPECT_EQ(reading.rows[1].odds[0].odds, (std::array<int, 3>{200, 300, 400}));
    EXPECT_TRUE(reading.rows[0].odds[0].empty());

    CellTexts empty{Row({"A"}, 2), Row({"B"}, 2)};
    const InputReading single = ReadInputGrid(empty, 2);
    ASSERT_FALSE(single.error);
    EXPECT_EQ(single.removedGroups, (std::vector<int>{0}));
    EXPECT_EQ(single.bookieGroups, 1);
}

TEST(InputColumns, KindsFollowTheGroups) {
    const std::vector<InputColumn> two = {
        InputColumn::Matches, InputColumn::Result, InputColumn::Chance1, InputColumn::ChanceX,
        InputColumn::Chance2, InputColumn::Odds1,  InputColumn::OddsX,   InputColumn::Odds2,
        InputColumn::Odds1,   InputColumn::OddsX,  InputColumn::Odds2,   InputColumn::Notes};
    ASSERT_EQ(InputColumnCount(2), 12);
    for (int c = 0; c < 12; ++c) EXPECT_EQ(InputColumnAt(c, 2), two[c]) << c;
    EXPECT_EQ(OddsGroupOf(10), 1);
}

TEST(ReplaceOdds, CountsChangesUpToTheLastUsedEntry) {
    const OddsEntry none;
    const OddsEntry a{{200, 300, 400}};
    const OddsEntry b{{210, 300, 400}};
    const struct {
        std::vector<OddsEntry> before, fresh;
        bool changed;
        size_t storedSize;
    } cases[] = {
        {{a}, {a, none}, false, 1},
        {{a, none}, {a}, false, 1},
        {{a}, {b}, true, 1},
        {{a}, {none, a}, true, 2},
        {{}, {none}, false, 0},
        {{none, a}, {none, none}, true, 0},
    };
    for (const auto& k : cases) {
        MatchEntry m;
        m.odds = k.before;
        EXPECT_EQ(ReplaceOdds(m, k.fresh), k.changed);
        EXPECT_EQ(m.odds.size(), k.storedSize);
    }
}

class StoreInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.setMatchCount(3);
        doc.setLineCount(10);
        doc.modified = false;
    }
    InputReading Read(CellTexts cells, int groups = 1) {
        InputReading reading = ReadInputGrid(cells, groups);
        EXPECT_FALSE(reading.error);
        return reading;
    }
    PoolsDocument doc;
    EngineRandom rng;
};

TEST_F(StoreInputTest, StoresValuesProbabilitiesAndPlannedCounts) {
    const InputReading reading = Read({Row({"A - B", "x", "33.3", "33.3", "33.4", "", "", "", "n"}),
                                       Row({"C - D", "", "", "", "", "2", "3", "4"}),
                                       Row({"E - F", "2", "", "", ""})});
    const InputChanges changes = StoreInput(doc, reading, rng);
    EXPECT_TRUE(changes.names && changes.notes && changes.results && changes.chances && changes.odds);
    EXPECT_TRUE(changes.probabilities);
    EXPECT_TRUE(doc.modified);

    const MatchEntry& a = doc.match(0);
    EXPECT_EQ(a.name, "A - B");
    EXPECT_EQ(a.notes, "n");
    EXPECT_EQ(a.result, kTipX);
    EXPECT_EQ(a.chances, (std::array<int, 2>{333, 334}));
    EXPECT_EQ(a.probability, (std::array<int, 2>{333, 334}));
    EXPECT_EQ(a.targetCounts, (std::array<int, 3>{3, 3, 4}));

    const MatchEntry& c = doc.match(1);
    EXPECT_EQ(c.chances, (std::array<int, 2>{-1, -1}));
    ASSERT_EQ(c.odds.size(), 1u);
    EXPECT_EQ(c.probability, (std::array<int, 2>{461, 230}));

    const MatchEntry& e = doc.match(2);
    EXPECT_EQ(e.result, kTip2);
    EXPECT_FALSE(e.hasData());
    EXPECT_TRUE(e.odds.empty()); // the empty group is not stored
    EXPECT_EQ(e.targetCounts, (std::array<int, 3>{-1, -1, -1}));
}

TEST_F(StoreInputTest, TheSameDataAgainChangesNothing) {
    CellTexts cells{Row({"A - B", "1", "50", "", "20", "1.5", "4", "6"}), Row({"C"}), Row({"D"})};
    StoreInput(doc, Read(cells), rng);
    doc.modified = false;

    CellTexts again(3);
    FillInputTexts(doc, again, 1);
    const InputChanges changes = StoreInput(doc, Read(again), rng);
    EXPECT_FALSE(changes.any());
    EXPECT_FALSE(doc.modified);
}

TEST_F(StoreInputTest, FillWritesCanonicalTexts) {
    doc.decimalPoint = true;
    StoreInput(doc, Read({Row({"A", "0", "40", "", "35", "1,85", "3.4", "4"}), Row({"B"}), Row({"C"})}), rng);
    CellTexts cells(3);
    FillInputTexts(doc, cells, 1);
    EXPECT_EQ(cells[0], Row({"A", "X", "40.0", "25.0", "35.0", "1.85", "3.40", "4.00", ""}));

    doc.decimalPoint = false;
    doc.zeroForDraw = true;
    cells[1][5] = "kept"; // no odds entry behind it: the cell stays
    FillInputTexts(doc, cells, 1);
    EXPECT_EQ(cells[0], Row({"A", "0", "40,0", "25,0", "35,0", "1,85", "3,40", "4,00", ""}));
    EXPECT_EQ(cells[1][5], "kept");
    EXPECT_EQ(cells[1][2], "");
}

TEST(InputSelection, RectanglesAndSeparatedCells) {
    using Cells = std::vector<std::pair<int, int>>;
    const struct {
        Cells selected;
        std::optional<CellBlock> block;
    } cases[] = {
        {{{1, 2}}, CellBlock{1, 2, 1, 2}},
        {{{0, 1}, {0, 2}, {1, 1}, {1, 2}}, CellBlock{0, 1, 1, 2}},
        {{{2, 3}, {2, 4}}, CellBlock{2, 3, 2, 4}}, // a run reaching the last column
        {{{0, 0}, {0, 2}}, std::nullopt},          // two runs in a row
        {{{0, 1}, {2, 1}}, std::nullopt},          // a gap of rows
        {{{0, 1}, {1, 2}}, std::nullopt},          // rows not aligned
        {{{0, 1}, {0, 2}, {1, 1}}, std::nullopt},  // rows of different width
    };
    for (const auto& k : cases) {
        auto selected = [&](int r, int c) {
            for (const auto& [sr, sc] : k.selected)
                if (sr == r && sc == c) return true;
            return false;
        };
        const std::optional<CellBlock> block = SelectionBlock(3, 5, selected);
        ASSERT_EQ(block.has_value(), k.block.has_value());
        if (block) {
            EXPECT_EQ(*block, *k.block);
        }
    }
}

TEST(InputClipboard, CopiedBlockReadsBackAndPastesAlike) {
    const CellTexts cells{{"a", "b", "c", "d"}, {"e", "", "g", "h"}, {"i", "j", "k", "l"}};
    const std::string text = BlockToClipboardText(cells, {0, 1, 1, 3});
    EXPECT_EQ(text, "b\tc\td\r\n\tg\th\r\n");

    const ClipboardCells clip = ParseClipboardText(text);
    EXPECT_EQ(clip.height(), 2);
    EXPECT_EQ(clip.width, 3);
    CellTexts target(3, std::vector<std::string>(4, "-"));
    WritePaste(target, clip, {1, 0, 2, 2});
    EXPECT_EQ(target[1], (std::vector<std::string>{"b", "c", "d", "-"}));
    EXPECT_EQ(target[2], (std::vector<std::string>{"", "g", "h", "-"}));
}

TEST(InputClipboard, RowEndsAndShortRows) {
    const struct {
        const char* text;
        std::vector<std::vector<std::string>> rows;
        int width;
    } cases[] = {
        {"a\tb", {{"a", "b"}}, 2},                         // no final line break
        {"a\tb\r\n", {{"a", "b"}}, 2},
        {"a\nb\rc\r\n", {{"a"}, {"b"}, {"c"}}, 1},
        {"a\tb\tc\nd\n", {{"a", "b", "c"}, {"d"}}, 3},
        {"\n", {{""}}, 1},
        {"", {{""}}, 1},
        {"a\n\nb", {{"a"}, {""}, {"b"}}, 1},
    };
    for (const auto& k : cases) {
        const ClipboardCells clip = ParseClipboardText(k.text);
        EXPECT_EQ(clip.rows, k.rows) << k.text;
        EXPECT_EQ(clip.width, k.width) << k.text;
    }
    // A short row leaves the rest of its area unchanged.
    CellTexts target(2, std::vector<std::string>(3, "-"));
    WritePaste(target, ParseClipboardText("a\tb\tc\nd\n"), {0, 0, 1, 2});
    EXPECT_EQ(target[1], (std::vector<std::string>{"d", "-", "-"}));
}

TEST(InputClipboard, PastePlacement) {
    const struct {
        CellBlock selection;
        int width, height;
        PasteFit fit;
        CellBlock area;
    } cases[] = {
        {{0, 0, 0, 0}, 3, 2, PasteFit::Ok, {0, 0, 1, 2}},
        {{2, 3, 2, 3}, 3, 2, PasteFit::Ok, {2, 3, 3, 5}},          // reaches the last row and column
        {{3, 3, 3, 3}, 3, 2, PasteFit::NoSpace, {}},
        {{2, 4, 2, 4}, 3, 2, PasteFit::NoSpace, {}},
        {{1, 1, 2, 3}, 3, 2, PasteFit::Ok, {1, 1, 2, 3}},
        {{0, 1, 2, 3}, 3, 2, PasteFit::DifferentDimensions, {}},   // 3 x 3 selected
        {{0, 1, 1, 2}, 3, 2, PasteFit::DifferentDimensions, {}},
    };
    for (const auto& k : cases) {
        const PasteTarget target = PlacePaste(k.selection, k.width, k.height, 4, 6);
        EXPECT_EQ(target.fit, k.fit);
        if (k.fit == PasteFit::Ok) {
            EXPECT_EQ(target.area, k.area);
        }
    }
}

TEST(InputSnapshot, ExactTextComparison) {
    const CellTexts snapshot{{"A", "1"}, {"B", ""}, {"old", "row"}};
    EXPECT_FALSE(DiffersFromSnapshot({{"A", "1"}, {"B", ""}}, snapshot));
    EXPECT_TRUE(DiffersFromSnapshot({{"a", "1"}, {"B", ""}}, snapshot));
    EXPECT_TRUE(DiffersFromSnapshot({{"A", "1", ""}, {"B", "", ""}}, snapshot));
}
