#include "ticketprint/FormatChange.h"
#include "ticketprint/TicketFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vdx {
namespace {

TEST(TicketFormat, DefaultsGiveTheTotalsOfTheDefaultSlip) {
    const TicketFormat f;
    EXPECT_EQ(TotalLength(f.values()), 14400);
    EXPECT_EQ(TotalHeight(f.values()), 10800);
    EXPECT_FALSE(f.modified());
    EXPECT_FALSE(f.savedSinceOpen());
}

TEST(TicketFormat, TotalsCountOnlyTheGapsInUse) {
    TicketFormat f;
    ASSERT_TRUE(f.setMaxMatches(3));
    ASSERT_TRUE(f.setMaxLines(2));
    ASSERT_TRUE(f.setMatchGap(1, 1000)); // in use
    ASSERT_TRUE(f.setMatchGap(5, 1000)); // beyond the count
    ASSERT_TRUE(f.setLineGap(0, 700));
    ASSERT_TRUE(f.setLineGap(3, 1000));
    EXPECT_EQ(TotalHeight(f.values()), 2079 + 391 + 1000 + 4420);
    EXPECT_EQ(TotalLength(f.values()), 520 + 2 * 2 * 380 + 700 + 580);
    EXPECT_EQ(MatchPosition(f.values(), 2), 2079 + 391 + 1000);
    EXPECT_EQ(LineBlockPosition(f.values(), 1), 520 + 760 + 700);
}

TEST(TicketFormat, TipSlotsOfEveryOrder) {
    // slot of "1", "X", "2"
    const int kSlots[6][3] = {{0, 2, 1}, {0, 1, 2}, {1, 2, 0}, {2, 1, 0}, {1, 0, 2}, {2, 0, 1}};
    const char* kNames[6] = {"12X", "1X2", "21X", "2X1", "X12", "X21"};
    for (int order = 0; order < 6; ++order) {
        EXPECT_STREQ(TipsOrderText(order), kNames[order]);
        for (int tip = 0; tip < 3; ++tip) {
            EXPECT_EQ(TipSlot(order, tip), kSlots[order][tip]) << kNames[order] << " tip " << tip;
            EXPECT_EQ(TipAtSlot(order, kSlots[order][tip]), tip);
        }
    }
}

TEST(TicketFormat, CodesStepRound) {
    struct Case {
        bool (TicketFormat::*set)(int);
        int TicketFormatValues::*field;
        int largest;
    };
    const Case cases[] = {{&TicketFormat::setInsertDirection, &TicketFormatValues::insertDirection, 3},
                          {&TicketFormat::setJustification, &TicketFormatValues::justification, 2},
                          {&TicketFormat::setTipsOrder, &TicketFormatValues::tipsOrder, 5}};
    for (const Case& c : cases) {
        TicketFormat f;
        ASSERT_TRUE((f.*c.set)(0));
        EXPECT_TRUE((f.*c.set)(-1));
        EXPECT_EQ(f.values().*c.field, c.largest); // "12X" stepped down gives "X21"
        EXPECT_TRUE((f.*c.set)(c.largest + 1));
        EXPECT_EQ(f.values().*c.field, 0);         // "X21" stepped up gives "12X"
        EXPECT_TRUE((f.*c.set)(c.largest));
        EXPECT_EQ(f.values().*c.field, c.largest);
    }
}

TEST(TicketFormat, RangedSettersRejectOutsideAndChangeNothing) {
    struct Case {
        const char* what;
        bool (TicketFormat::*set)(int);
        int low, high;
    };
    const Case cases[] = {
        {"output ratio", &TicketFormat::setOutputRatio, 10, 200},
        {"matches", &TicketFormat::setMaxMatches, 2, 14},
        {"lines", &TicketFormat::setMaxLines, 2, 12},
        {"size of X", &TicketFormat::setSizeOfX, 100, 500},
        {"space between X's", &TicketFormat::setSpaceBetweenXs, 200, 1000}, // from the default size of X
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int bad : {c.low - 1, c.high + 1, -32768}) {
            TicketFormat f;
            EXPECT_FALSE((f.*c.set)(bad)) << bad;
            EXPECT_EQ(f.values(), TicketFormatValues());
        }
        for (int good : {c.low, c.high}) {
            TicketFormat f;
            EXPECT_TRUE((f.*c.set)(good)) << good;
        }
    }
}

TEST(TicketFormat, SideAndGapSettersClampOnceThenReject) {
    struct Case {
        const char* what;
        int start;  // current value before the setter
        int value;  // asked for
        bool accepted;
        int stored;
    };
    // Size of X 200: sides 100..20000, gaps 200..1000.
    const Case sides[] = {
        {"in range", 2079, 150, true, 150},
        {"below the least clamps", 2079, 20, true, 100},
        {"below at the least rejects", 100, 99, false, 100},
        {"above clamps", 2079, 25000, true, 20000},
        {"above at the largest rejects", 20000, 20001, false, 20000},
        {"largest itself", 19990, 20000, true, 20000},
    };
    for (const Case& c : sides) {
        SCOPED_TRACE(c.what);
        TicketFormat f;
        ASSERT_TRUE(f.setSideSpace(kSideBottom, c.start));
        EXPECT_EQ(f.setSideSpace(kSideBottom, c.value), c.accepted);
        EXPECT_EQ(f.values().spacesToSides[kSideBottom], c.stored);
    }
    const Case gaps[] = {
        {"in range", 391, 500, true, 500},
        {"below clamps", 391, 5, true, 200},
        {"below at the least rejects", 200, 195, false, 200},
        {"above clamps", 391, 1005, true, 1000},
        {"above at the largest rejects", 1000, 1005, false, 1000},
    };
    for (const Case& c : gaps) {
        SCOPED_TRACE(c.what);
        for (bool matches : {true, false}) {
            TicketFormat f;
            const auto set = [&](int v) { return matches ? f.setMatchGap(10, v) : f.setLineGap(10, v); };
            const auto get = [&] { return matches ? f.values().spacesBetweenMatches[10] : f.values().spacesBetweenLines[10]; };
            ASSERT_TRUE(set(c.start));
            EXPECT_EQ(set(c.value), c.accepted);
            EXPECT_EQ(get(), c.stored);
        }
    }
    TicketFormat f;
    EXPECT_FALSE(f.setMatchGap(13, 400));
    EXPECT_FALSE(f.setLineGap(11, 400));
    EXPECT_FALSE(f.setSideSpace(4, 400));
    EXPECT_FALSE(f.setSideSpace(-1, 400));
    EXPECT_EQ(f.values(), TicketFormatValues());
}

TEST(TicketFormat, RaisingMatchesCopiesTheLastGapInUse) {
    TicketFormat f;
    ASSERT_TRUE(f.setMaxMatches(10));
    ASSERT_TRUE(f.setMatchGap(8, 555));
    ASSERT_TRUE(f.setMatchGap(9, 222));
    ASSERT_TRUE(f.setMatchGap(10, 333));
    ASSERT_TRUE(f.setMatchGap(11, 444));
    ASSERT_TRUE(f.setMaxMatches(12));
    const auto& g = f.values().spacesBetweenMatches;
    EXPECT_EQ(g[8], 555);
    EXPECT_EQ(g[9], 555);
    EXPECT_EQ(g[10], 555);
    EXPECT_EQ(g[11], 444); // still beyond the count
    // Lowering keeps the values.
    ASSERT_TRUE(f.setMaxMatches(3));
    EXPECT_EQ(f.values().spacesBetweenMatches[10], 555);
}

TEST(TicketFormat, LoweringAndRaisingLinesRefillsFromTheLastGap) {
    TicketFormat f;
    ASSERT_TRUE(f.setLineGap(8, 600));
    ASSERT_TRUE(f.setLineGap(9, 700));
    ASSERT_TRUE(f.setMaxLines(10));
    EXPECT_EQ(f.values().spacesBetweenLines[9], 700);
    ASSERT_TRUE(f.setMaxLines(12)); // as an undo of the lowering does
    EXPECT_EQ(f.values().spacesBetweenLines[9], 600);
    EXPECT_EQ(f.values().spacesBetweenLines[10], 600);
}

TEST(TicketFormat, SizeOfXOnTheDefaultListsSpacesAndGapsButNoSide) {
    TicketFormat f;
    const std::vector<SizeRaise> raises = f.sizeRaises(450);
    ASSERT_EQ(raises.size(), 3u);
    EXPECT_EQ(raises[0].kind, SizeRaise::kSpaceBetweenXs);
    EXPECT_EQ(raises[0].value, 450);
    EXPECT_EQ(raises[1].kind, SizeRaise::kMatchGaps);
    EXPECT_EQ(raises[1].gaps, std::vector<int>(11, 450));
    EXPECT_EQ(raises[2].kind, SizeRaise::kLineGaps);
    EXPECT_EQ(raises[2].gaps, std::vector<int>(11, 450));
    EXPECT_EQ(SizeRaiseMessage(raises), "The following value(s) will be increased\nto apply the new size of an "
                                        "'X':\n\nSpace between 'X's\nSpaces between Matches\nSpaces between Lines\n");
    // Asking changes nothing (Cancel leaves 200).
    EXPECT_EQ(f.values(), TicketFormatValues());

    // OK: the raising changes one by one, then the size.
    for (const SizeRaise& r : raises) {
        const FormatChangeValue c = AsFormatChange(r);
        if (IsArrayChange(c.kind))
            EXPECT_TRUE(SetFormatArray(f, c.kind, c.array));
        else
            EXPECT_TRUE(SetFormatValue(f, c.kind, c.index, c.value));
    }
    EXPECT_TRUE(f.sizeRaises(450).empty());
    ASSERT_TRUE(f.setSizeOfX(450));
    const TicketFormatValues& v = f.values();
    EXPECT_EQ(v.sizeOfX, 450);
    EXPECT_EQ(v.spaceBetweenXs, 450);
    for (int k = 0; k < 11; ++k) {
        EXPECT_EQ(v.spacesBetweenMatches[k], 450);
        EXPECT_EQ(v.spacesBetweenLines[k], 450);
    }
    EXPECT_EQ(v.spacesBetweenMatches[11], 391); // beyond the count: untouched
    EXPECT_EQ(v.spacesToSides, (std::array<int, 4>{2079, 580, 4420, 520}));
}

TEST(TicketFormat, SizeOfXRaisesLowSidesInTheirOrderAndKeepsHigherGaps) {
    TicketFormat f;
    ASSERT_TRUE(f.setSideSpace(kSideRight, 150));
    ASSERT_TRUE(f.setSideSpace(kSideLeft, 100));
    ASSERT_TRUE(f.setMatchGap(3, 900));
    const std::vector<SizeRaise> raises = f.sizeRaises(401);
    ASSERT_EQ(raises.size(), 5u);
    EXPECT_EQ(raises[1].kind, SizeRaise::kSideSpace);
    EXPECT_EQ(raises[1].side, kSideRight);
    EXPECT_EQ(raises[1].value, 201);
    EXPECT_EQ(raises[2].side, kSideLeft);
    EXPECT_EQ(raises[3].gaps[3], 900);
    EXPECT_EQ(raises[3].gaps[0], 401);
    EXPECT_EQ(SizeRaiseMessage(raises), "The following value(s) will be increased\nto apply the new size of an "
                                        "'X':\n\nSpace between 'X's\nSpace to Right\nSpace to Left\n"
                                        "Spaces between Matches\nSpaces between Lines\n");
    // The setter on its own raises the same, so the values never fall below a cross.
    ASSERT_TRUE(f.setSizeOfX(401));
    EXPECT_EQ(f.values().spacesToSides, (std::array<int, 4>{2079, 201, 4420, 201}));
    EXPECT_EQ(f.values().spaceBetweenXs, 401);
    EXPECT_EQ(f.values().spacesBetweenMatches[3], 900);
    EXPECT_EQ(f.values().spacesBetweenLines[0], 401);
}

TEST(TicketFormat, LoweringTheSizeOfXRaisesNothing) {
    TicketFormat f;
    EXPECT_TRUE(f.sizeRaises(100).empty());
    ASSERT_TRUE(f.setSizeOfX(100));
    EXPECT_EQ(f.values().spaceBetweenXs, 380);
}

TEST(TicketFormat, ModifiedFollowsTheSavedValuesEvenBeyondTheCounts) {
    TicketFormat f;
    ASSERT_TRUE(f.setMatchGap(12, 400)); // maxMatches 12 uses gaps 0..10
    EXPECT_TRUE(f.modified());
    ASSERT_TRUE(f.setMatchGap(12, 391));
    EXPECT_FALSE(f.modified());
    ASSERT_TRUE(f.setOutputRatio(90));
    f.saved();
    EXPECT_FALSE(f.modified());
    EXPECT_TRUE(f.savedSinceOpen());
    EXPECT_EQ(f.savedValues().outputRatio, 90);
    ASSERT_TRUE(f.setOutputRatio(100));
    EXPECT_TRUE(f.modified());
}

TEST(FormatChange, KindsReachTheirValuesAndLabels) {
    TicketFormat f;
    struct Case {
        FormatChange kind;
        int index;
        int value;
        const char* name;
    };
    const Case cases[] = {
        {FormatChange::kInsertDirection, -1, 2, "Insert Direction"},
        {FormatChange::kJustification, -1, 0, "Justification"},
        {FormatChange::kOutputRatio, -1, 95, "Output Ratio"},
        {FormatChange::kMaxMatches, -1, 13, "Matches"},
        {FormatChange::kMaxLines, -1, 8, "Lines"},
        {FormatChange::kTipsOrder, -1, 4, "Tips Order"},
        {FormatChange::kSizeOfX, -1, 250, "Size of 'X'"},
        {FormatChange::kSpaceBetweenXs, -1, 420, "Space between 'X's"},
        {FormatChange::kSide, 2, 4000, "Space to Bottom"},
        {FormatChange::kMatchGap, 12, 500, "Spaces between Matches"},
        {FormatChange::kLineGap, 7, 450, "Spaces between Lines"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WithoutFirstAmpersand(FormatChangeLabel(c.kind, c.index)), c.name);
        EXPECT_TRUE(SetFormatValue(f, c.kind, c.index, c.value)) << c.name;
        EXPECT_EQ(FormatValue(f.values(), c.kind, c.index), c.value) << c.name;
    }
    EXPECT_EQ(FormatArray(f.values(), FormatChange::kAllMatchGaps).size(), 12u);
    EXPECT_EQ(FormatArray(f.values(), FormatChange::kAllLineGaps).size(), 7u);
    EXPECT_EQ(FormatArray(f.values(), FormatChange::kAllSides).size(), 4u);
    EXPECT_TRUE(SetFormatArray(f, FormatChange::kAllSides, {300, 400, 500, 600}));
    EXPECT_EQ(f.values().spacesToSides, (std::array<int, 4>{300, 400, 500, 600}));
    // Entries below clamp to the size of X; once there, they are rejected,
    // which fails the change while the other entries are still set.
    EXPECT_TRUE(SetFormatArray(f, FormatChange::kAllLineGaps, {700, 10, 10, 10, 10, 10, 10}));
    EXPECT_EQ(f.values().spacesBetweenLines[1], 250);
    EXPECT_FALSE(SetFormatArray(f, FormatChange::kAllLineGaps, {10, 10, 10, 10, 10, 10, 800}));
    EXPECT_EQ(f.values().spacesBetweenLines[0], 250);
    EXPECT_EQ(f.values().spacesBetweenLines[6], 800);
    EXPECT_EQ(FormatValueRange(f.values(), FormatChange::kSide).low, 125);
    EXPECT_EQ(FormatValueRange(f.values(), FormatChange::kMatchGap).low, 250);
}

} // namespace
} // namespace vdx
