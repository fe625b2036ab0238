// The conditions dialog's core: the shown bounds against the document's own,
// the texts and entries of the controls, the duplicates rows, the range
// graphic, and the rules of reading, resetting and applying a page.

#include "calc/Conditions.h"
#include "conditions/ConditionValues.h"
#include "conditions/RangeGraphic.h"
#include "document/PoolsDocument.h"
#include "text/Tr.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vdx {
namespace {

// Six matches: three planned 6/3/3 and three 3/6/3 for 12 lines. E per tip
// 2.25, 2.25, 1.5; per position 3, 1.5, 1.5.
PoolsDocument WeightedDocument() {
    PoolsDocument doc;
    doc.matchCount = 6;
    doc.lineCount = 12;
    for (int m = 0; m < 6; ++m) {
        doc.match(m).probability = {300, 300};
        doc.match(m).targetCounts = m < 3 ? std::array<int, 3>{6, 3, 3} : std::array<int, 3>{3, 6, 3};
    }
    return doc;
}

KindBounds DocumentBounds(const PoolsDocument& doc, int g) {
    KindBounds out{};
    for (int k = 0; k < 3; ++k) out[k] = {doc.effectiveBounds[g][k][0], doc.effectiveBounds[g][k][1]};
    return out;
}

TEST(ConditionsDialogTest, ShownBoundsAreTheDocumentsEffectiveBounds) {
    struct Case {
        bool storedAbsolute, shownAbsolute;
        RangeSettings ranges;
    };
    const Case cases[] = {
        {true, true, {{{{{2, 1}, {0, 0}, {1, 6}}}, {{{3, 3}, {2, 2}, {0, 4}}}}}},
        {false, false, {{{{{50, 50}, {100, 100}, {100, 0}}}, {{{0, 0}, {30, 70}, {100, 100}}}}}},
        // Stored in the other unit: the pages show them converted, with the same bounds.
        {false, true, {{{{{50, 50}, {100, 100}, {100, 0}}}, {{{0, 0}, {30, 70}, {100, 100}}}}}},
        {true, false, {{{{{2, 1}, {0, 0}, {1, 6}}}, {{{3, 3}, {2, 2}, {0, 4}}}}}},
    };
    for (const Case& c : cases) {
        PoolsDocument doc = WeightedDocument();
        doc.conditionRangesAbsolute = c.storedAbsolute;
        doc.env.rangesAbsolute = c.shownAbsolute;
        for (int g = 0; g < 2; ++g)
            for (int k = 0; k < 3; ++k)
                for (int b = 0; b < 2; ++b) doc.conditionRanges[g][k][b] = c.ranges[g][k][b];
        const ConditionValues shown = ConditionsOf(doc);
        const ConditionContext context = ContextOf(doc);
        DeriveEffectiveBounds(doc);
        for (int g = 0; g < 2; ++g) {
            EXPECT_EQ(ShownBounds(shown, context, g), DocumentBounds(doc, g))
                << "stored " << c.storedAbsolute << " shown " << c.shownAbsolute << " group " << g;
            for (int k = 0; k < 3; ++k)
                EXPECT_EQ(shown.ranges[g][k], (std::array<int, 2>{doc.conditionRanges[g][k][0], doc.conditionRanges[g][k][1]}));
        }
    }
}

TEST(ConditionsDialogTest, ExpectedNumbersOfTheDocumentAndTheDefaults) {
    const ConditionContext doc = ContextOf(WeightedDocument());
    EXPECT_EQ(doc.expected[0], (std::array<float, 3>{2.25f, 2.25f, 1.5f}));
    EXPECT_EQ(doc.expected[1], (std::array<float, 3>{3.0f, 1.5f, 1.5f}));

    PoolsDocument unplanned; // no match has data: the weights add up to 0
    unplanned.matchCount = 9;
    EXPECT_EQ(ContextOf(unplanned).expected[0], (std::array<float, 3>{3.0f, 3.0f, 3.0f}));

    AppConfig config;
    config.options.matchCount = 12;
    const ConditionContext defaults = DefaultsContext(config);
    EXPECT_TRUE(defaults.defaults);
    EXPECT_EQ(defaults.expected[1], (std::array<float, 3>{4.0f, 4.0f, 4.0f}));
}

TEST(ConditionsDialogTest, ShownBoundsEdgeCases) {
    struct Case {
        bool absolute;
        std::array<float, 3> E;
        std::array<int, 2> range; // of kind 0
        std::array<int, 2> bounds;
        const char* why;
    };
    const Case cases[] = {
        {false, {4.0f, 4.0f, 4.0f}, {100, 100}, {0, 12}, "both sliders at 100: 0 to N"},
        {false, {0.0f, 6.0f, 6.0f}, {100, 100}, {0, 0}, "E 0: no tips of the kind"},
        {false, {12.0f, 0.0f, 0.0f}, {100, 100}, {12, 12}, "E N: every tip of the kind"},
        {false, {4.0f, 4.0f, 4.0f}, {0, 0}, {4, 4}, "both sliders at 0: the average"},
        {true, {4.0f, 4.0f, 4.0f}, {0, 0}, {0, 12}, "lists at index 0: 0 to N"},
        {true, {2.5f, 4.75f, 4.75f}, {5, 11}, {2, 3}, "never narrower than the average"},
    };
    for (const Case& c : cases) {
        ConditionContext context;
        context.matchCount = 12;
        context.absolute = c.absolute;
        context.expected[0] = c.E;
        ConditionValues v;
        v.ranges[0][0] = c.range;
        EXPECT_EQ(ShownBounds(v, context, 0)[0], c.bounds) << c.why;
    }
}

TEST(ConditionsDialogTest, NumberOfTipsHeader) {
    ConditionContext c;
    c.matchCount = 12;
    c.matchesWithData = 12;
    EXPECT_EQ(NumberOfTipsHeader(c), "-> Number of Tips");
    c.matchesWithData = 10;
    EXPECT_EQ(NumberOfTipsHeader(c), "-> Number of Tips (10/12 Matches)");
    c.defaults = true;
    EXPECT_EQ(NumberOfTipsHeader(c), "-> Number of Tips (Average)");
    EXPECT_EQ(BoundMinimumText(3), "3 -");
    EXPECT_EQ(BoundMaximumText(11), "11");
}

TEST(ConditionsDialogTest, TextsFollowTheDrawSymbol) {
    EXPECT_EQ(ConditionPageLabel(kPageTips1X2, false), "Conditions for 1, X and 2");
    EXPECT_EQ(ConditionPageLabel(kPageTips1X2, true), "Conditions for 1, 0 and 2");
    EXPECT_EQ(ConditionPageLabel(kPageFavourites, true), "Conditions for Favourites ");
    EXPECT_EQ(RangeRowLabel(0, 1, true), "Tip &0:");
    EXPECT_EQ(RangeRowLabel(1, 2, true), "&Outsiders:");
    EXPECT_EQ(RangeHeaderText(0, true, true), "Specify the maximal and minimal numbers of 1, 0 and 2.");
    EXPECT_EQ(RangeHeaderText(0, false, false), "Set the allowed range for tips 1, X and 2.");
    EXPECT_EQ(RangeHeaderText(1, false, false), "Set the allowed range for likely and unlikely tips.");
    EXPECT_EQ(ConditionsFrameTitle("round.vdx", false), "round.vdx: Conditions");
    EXPECT_EQ(ConditionsFrameTitle("round.vdx", true), "+++ Default Conditions +++");
    EXPECT_EQ(ConditionsChangedLogLine("round.vdx", false), "round.vdx: Conditions changed");
    EXPECT_EQ(ConditionsChangedLogLine("round.vdx", true), "Default Conditions changed");
}

TEST(ConditionsDialogTest, MatchLabelsOfTheDuplicatesPage) {
    ConditionContext c;
    c.matchNames[0] = "Köln - Mainz";
    EXPECT_EQ(DuplicateMatchLabel(c, 0), "Köln - Mainz");
    EXPECT_EQ(DuplicateMatchLabel(c, 1), "Match 2");
    c.defaults = true;
    EXPECT_EQ(DuplicateMatchLabel(c, 0), "Match 1");
    EXPECT_EQ(DuplicateRowNumber(13), "14:");
}

// The formats are translated before the values go in; without a translator they stay English.
TEST(ConditionsDialogTest, TextsAreTranslatedBeforeTheValuesGoIn) {
    SetTranslator([](const char* text) {
        const std::string english = text;
        if (english == "%s: Conditions changed") return std::string("%s: Bedingungen ge\xC3\xA4ndert");
        if (english == "-> Number of Tips (%d/%d Matches)") return std::string("-> Anzahl der Tipps (%d/%d Spiele)");
        return english;
    }, {});
    ConditionContext c;
    c.matchCount = 12;
    c.matchesWithData = 10;
    EXPECT_EQ(ConditionsChangedLogLine("a.vdx", false), "a.vdx: Bedingungen ge\xC3\xA4ndert");
    EXPECT_EQ(NumberOfTipsHeader(c), "-> Anzahl der Tipps (10/12 Spiele)");
    SetTranslator({}, {});
    EXPECT_EQ(ConditionsChangedLogLine("a.vdx", false), "a.vdx: Conditions changed");
}

TEST(ConditionsDialogTest, ListsAndSliders) {
    EXPECT_EQ(MinimumListEntries(3), (std::vector<std::string>{"0", "1", "2", "3"}));
    EXPECT_EQ(MaximumListEntries(3), (std::vector<std::string>{"3", "2", "1", "0"}));
    EXPECT_EQ(RangeListIndex(5, 3), 3);
    EXPECT_EQ(RangeListIndex(-1, 3), 0);

    // The limit list for 12 matches reads 12 down to 0; the stored limit 2 shows 10.
    const std::vector<std::string> limits = LimitListEntries(12);
    ASSERT_EQ(limits.size(), 13u);
    EXPECT_EQ(limits.front(), "12");
    EXPECT_EQ(limits.back(), "0");
    struct LimitCase { int limit, index; };
    for (const LimitCase c : {LimitCase{2, 2}, {0, 0}, {12, 12}, {-1, 12}, {13, 12}})
        EXPECT_EQ(LimitListIndex(c.limit, 12), c.index) << c.limit;
    EXPECT_EQ(limits[LimitListIndex(2, 12)], "10");

    struct SliderCase { int value, direction, next; };
    for (const SliderCase c : {SliderCase{50, -1, 49}, {50, +1, 51}, {0, -1, 0}, {100, +1, 100}})
        EXPECT_EQ(SliderKeyStep(c.value, c.direction), c.next) << c.value << " " << c.direction;
    EXPECT_EQ(SliderLabel(37), "(37)");
}

TEST(ConditionsDialogTest, DuplicateRowsInTwoColumns) {
    struct Case { int matches, firstColumn, shownFirst, shownSecond; };
    const Case cases[] = {
        {12, 6, 6, 6},
        {14, 6, 6, 8},
        {5, 6, 5, 0},
        {9, 6, 6, 3},
        {10, 6, 6, 4}, // 3 x (13 / 6) = 6
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DuplicateFirstColumnRows(c.matches), c.firstColumn);
        int shown[2] = {0, 0};
        for (const DuplicateRow& r : DuplicateRows(c.matches, 16))
            if (r.shown) ++shown[r.column];
        EXPECT_EQ(shown[0], c.shownFirst) << c.matches;
        EXPECT_EQ(shown[1], c.shownSecond) << c.matches;
    }
    const std::vector<DuplicateRow> rows = DuplicateRows(14, 16);
    // Grouped by three, 4 more pixels between groups.
    EXPECT_EQ(rows[0].y, 74);
    EXPECT_EQ(rows[2].y, 74 + 32);
    EXPECT_EQ(rows[3].y, 74 + 48 + 4);
    EXPECT_EQ(rows[6].column, 1);
    EXPECT_EQ(rows[6].row, 0);
    EXPECT_EQ(rows[6].labelX, 215);
    EXPECT_EQ(rows[6].boxX, 255);
    EXPECT_EQ(rows[13].y, 74 + 7 * 16 + 2 * 4);
}

TEST(ConditionsDialogTest, ResetToDefaults) {
    DefaultConditions d;
    d.enabled = {true, true, false};
    d.noDuplicates.fill(false);
    d.noDuplicates[4] = true;
    d.ranges[0][1][0] = 2;
    d.ranges[0][1][1] = 3;
    d.limit = 4;

    ConditionValues start;
    start.enabled = {false, false, true};
    start.useInCalc = {false, false, false};
    start.noDuplicates.fill(true);
    for (auto& g : start.ranges)
        for (auto& k : g) k = {5, 5};
    start.limit = 7;

    ConditionContext doc;
    doc.matchCount = 12;
    doc.absolute = true;
    ConditionContext defaults = doc;
    defaults.defaults = true;

    ConditionValues v = start;
    ResetPage(v, kPageDuplicates, doc, d);
    EXPECT_TRUE(v.enabled[0]);
    EXPECT_EQ(v.noDuplicates, d.noDuplicates);
    EXPECT_TRUE(v.useInCalc[0]) << "a reset is read as a user change";
    EXPECT_EQ(v.ranges, start.ranges) << "other pages stay";

    v = start;
    ResetPage(v, kPageTips1X2, doc, d);
    EXPECT_TRUE(v.enabled[1]);
    EXPECT_EQ(v.ranges[0][1], (std::array<int, 2>{2, 3}));
    EXPECT_EQ(v.ranges[1], start.ranges[1]);

    v = start;
    ResetPage(v, kPageLimit, doc, d);
    EXPECT_EQ(v.limit, 4);

    // Defaults variant: off, every mark on, widest ranges, limit 2.
    v = start;
    ResetPage(v, kPageDuplicates, defaults, d);
    EXPECT_FALSE(v.enabled[0]);
    for (bool mark : v.noDuplicates) EXPECT_TRUE(mark);
    v = start;
    ResetPage(v, kPageFavourites, defaults, d);
    EXPECT_FALSE(v.enabled[2]);
    for (const auto& k : v.ranges[1]) EXPECT_EQ(k, (std::array<int, 2>{0, 0}));
    defaults.absolute = false;
    ResetPage(v, kPageFavourites, defaults, d);
    for (const auto& k : v.ranges[1]) EXPECT_EQ(k, (std::array<int, 2>{100, 100}));
    v = start;
    ResetPage(v, kPageLimit, defaults, d);
    EXPECT_EQ(v.limit, 2);
    EXPECT_EQ(LimitListEntries(12)[LimitListIndex(v.limit, 12)], "10");
}

TEST(ConditionsDialogTest, ReadingAPageMarksItForTheCalculation) {
    ConditionContext c;
    c.matchCount = 6;
    c.absolute = true;
    ConditionValues v;
    v.useInCalc = {false, false, false};
    v.ranges[0][0] = {9, -2};
    v.limit = 8;
    ReadPage(v, kPageTips1X2, c);
    EXPECT_EQ(v.useInCalc, (std::array<bool, 3>{false, true, false}));
    EXPECT_EQ(v.ranges[0][0], (std::array<int, 2>{6, 0}));
    ReadPage(v, kPageLimit, c);
    EXPECT_EQ(v.limit, 6);
    EXPECT_EQ(v.useInCalc, (std::array<bool, 3>{false, true, false}));
    c.absolute = false;
    v.ranges[1][2] = {130, 100};
    ReadPage(v, kPageFavourites, c);
    EXPECT_EQ(v.ranges[1][2], (std::array<int, 2>{100, 100}));
}

TEST(ConditionsDialogTest, ApplyWritesTheDocumentAndDerivesItsBounds) {
    PoolsDocument doc = WeightedDocument();
    doc.env.rangesAbsolute = doc.conditionRangesAbsolute = true;
    DeriveEffectiveBounds(doc);
    UpdateConditionState(doc);
    doc.modified = false;

    // Nothing changed: nothing written, the document stays unmodified.
    ConditionsApplied applied = ApplyConditions(doc, ConditionsOf(doc));
    EXPECT_FALSE(applied.changed);
    EXPECT_FALSE(doc.modified);

    ConditionValues v = ConditionsOf(doc);
    v.enabled[1] = true;
    v.ranges[0][0] = {2, 1}; // tip 1: 2 to 5
    v.limit = 3;
    applied = ApplyConditions(doc, v);
    EXPECT_TRUE(applied.changed);
    EXPECT_EQ(applied.pages, (std::array<bool, kConditionPageCount>{false, true, false, true}));
    EXPECT_TRUE(doc.modified);
    EXPECT_TRUE(doc.conditionEnabled[1]);
    EXPECT_EQ(doc.conditionLimit, 3);
    EXPECT_EQ(doc.effectiveBounds[0][0][0], 2);
    EXPECT_EQ(doc.effectiveBounds[0][0][1], 5);
    EXPECT_EQ(doc.conditionState[1], 1) << "the condition state follows";

    // A limit above the number of matches is brought down to it.
    v.limit = 9;
    ApplyConditions(doc, v);
    EXPECT_EQ(doc.conditionLimit, 6);

    // Only the use flag differs (as after reading the page): that is a change too.
    doc.conditionUseInCalc[2] = false;
    v = ConditionsOf(doc);
    ReadPage(v, kPageFavourites, ContextOf(doc));
    applied = ApplyConditions(doc, v);
    EXPECT_EQ(applied.pages, (std::array<bool, kConditionPageCount>{false, false, true, false}));
    EXPECT_TRUE(doc.conditionUseInCalc[2]);
}

// Applying one page writes that page's part and nothing of the others.
TEST(ConditionsDialogTest, TakePageCopiesOnlyThatPage) {
    ConditionValues shown;
    shown.enabled = {true, true, true};
    shown.useInCalc = {true, true, true};
    shown.noDuplicates.fill(true);
    for (auto& g : shown.ranges)
        for (auto& k : g) k = {7, 8};
    shown.limit = 5;
    ConditionValues stored;
    stored.useInCalc = {false, false, false};
    stored.limit = 1;
    for (int page = 0; page < kConditionPageCount; ++page) {
        ConditionValues to = stored;
        TakePage(to, shown, page);
        for (int other = 0; other < kConditionPageCount; ++other)
            EXPECT_EQ(PageDiffers(to, shown, other), other != page) << "page " << page << ", other " << other;
    }
}

TEST(ConditionsDialogTest, ApplyWritesTheDefaults) {
    AppConfig config;
    config.options.matchCount = 8;
    ConditionValues v = ConditionsOf(config.conditions);
    EXPECT_FALSE(ApplyDefaultConditions(config, v).changed);
    v.enabled[0] = true;
    v.noDuplicates[13] = false;
    v.ranges[1][2] = {40, 60};
    v.limit = 10;
    const ConditionsApplied applied = ApplyDefaultConditions(config, v);
    EXPECT_EQ(applied.pages, (std::array<bool, kConditionPageCount>{true, false, true, true}));
    EXPECT_TRUE(config.conditions.enabled[0]);
    EXPECT_FALSE(config.conditions.noDuplicates[13]);
    EXPECT_EQ(config.conditions.ranges[1][2][0], 40);
    EXPECT_EQ(config.conditions.ranges[1][2][1], 60);
    EXPECT_EQ(config.conditions.limit, 8) << "within the default number of matches";
}

// --- range graphic ----------------------------------------------------------------

std::vector<ColouredBox> Expected(int x0, std::vector<ColouredBox> boxes) {
    for (ColouredBox& b : boxes) {
        b.x += x0 + kRangeGraphicLeft;
        b.height = kRangeBarHeight;
    }
    return boxes;
}

std::string Describe(const std::vector<ColouredBox>& boxes) {
    std::string s;
    for (const ColouredBox& b : boxes)
        s += std::to_string(b.x) + "," + std::to_string(b.y) + " w" + std::to_string(b.width) + " " + b.colour + "\n";
    return s;
}

TEST(RangeGraphicTest, Geometry) {
    struct Case {
        const char* name;
        std::array<float, 3> E;
        int N;
        KindBounds bounds;
        std::vector<ColouredBox> boxes; // x from the start of the graphic
    };
    const Case cases[] = {
        // a = 90, b = 45, e = 45; q = 90 - 90 * (60 - 45) / 135 = 80; g = 90 + 22 - 7 = 105.
        {"range 1 around its minimum",
         {6.0f, 3.0f, 3.0f}, 12, {{{2, 8}, {1, 4}, {1, 5}}},
         {{0, 116, 30, 0, "LIME GREEN"}, {30, 116, 90, 0, "GREEN"},
          {80, 148, 25, 0, "MEDIUM SLATE BLUE"}, {120, 148, 20, 0, "MEDIUM SLATE BLUE"}, {105, 148, 15, 0, "MEDIUM BLUE"},
          {105, 180, 60, 0, "RED"}, {165, 180, 15, 0, "VIOLET RED"},
          {0, 212, 90, 0, "GREEN"}, {90, 212, 45, 0, "MEDIUM SLATE BLUE"}, {135, 212, 45, 0, "RED"}}},
        // a = b = e = 60; a narrow maximum moves q right: 60 - 60 * (30 - 60) / 120 = 75.
        {"narrow range 1, no minimum",
         {4.0f, 4.0f, 4.0f}, 12, {{{0, 12}, {0, 2}, {0, 12}}},
         {{0, 116, 180, 0, "GREEN"},
          {75, 148, 30, 0, "MEDIUM SLATE BLUE"},
          {0, 180, 180, 0, "RED"},
          {0, 212, 60, 0, "GREEN"}, {60, 212, 60, 0, "MEDIUM SLATE BLUE"}, {120, 212, 60, 0, "RED"}}},
        // Only draws: a + e = 0 puts q at 0; whole parts of 15 * E.
        {"every tip a draw",
         {0.0f, 3.0f, 0.0f}, 3, {{{0, 0}, {3, 3}, {0, 0}}},
         {{0, 148, 45, 0, "MEDIUM BLUE"},
          {0, 212, 45, 0, "MEDIUM SLATE BLUE"}}},
    };
    for (const Case& c : cases) {
        const std::vector<ColouredBox> got = RangeGraphic(c.E, c.N, c.bounds, true, 10);
        EXPECT_EQ(got, Expected(10, c.boxes)) << c.name << "\n" << Describe(got);
    }
}

TEST(RangeGraphicTest, SwitchedOffDrawsTheSameBoxesInGrey) {
    const KindBounds bounds{{{2, 8}, {1, 4}, {1, 5}}};
    const std::array<float, 3> E{6.0f, 3.0f, 3.0f};
    const std::vector<ColouredBox> on = RangeGraphic(E, 12, bounds, true, 0);
    const std::vector<ColouredBox> off = RangeGraphic(E, 12, bounds, false, 0);
    ASSERT_EQ(on.size(), off.size());
    for (size_t i = 0; i < on.size(); ++i) {
        ColouredBox grey = on[i];
        grey.colour = "LIGHT GREY";
        EXPECT_EQ(off[i], grey);
    }
}

TEST(RangeGraphicTest, RepaintArea) {
    const ColouredBox area = RangeGraphicArea(12, 10);
    EXPECT_EQ(area.x, 411);
    EXPECT_EQ(area.y, 115);
    EXPECT_EQ(area.width, 15 * 12 + 57);
    EXPECT_EQ(area.height, 88);
    // The three rows of the values lie within it; the average line changes only with E,
    // which repaints the whole page.
    for (const ColouredBox& b : RangeGraphic({4.0f, 4.0f, 4.0f}, 12, {{{0, 12}, {0, 12}, {0, 12}}}, true, 10)) {
        if (b.y == 212) continue;
        EXPECT_GE(b.x, area.x);
        EXPECT_LE(b.x + b.width, area.x + area.width);
        EXPECT_GE(b.y, area.y);
        EXPECT_LE(b.y + b.height, area.y + area.height);
    }
}

} // namespace
} // namespace vdx
