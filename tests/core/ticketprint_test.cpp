#include "ticketprint/TicketPrint.h"

#include "document/VdxFile.h"
#include "ticketprint/VdfFile.h"

#include "TestLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vdx {
namespace {

using testlines::WithLines;

// n lines over the given matches, each line "1" for every match.
PoolsDocument Lines(int count, int matches, int perTicket) {
    PoolsDocument doc = WithLines(std::vector<std::string>(count, std::string(matches, '1')));
    doc.linesPerTicket = perTicket;
    return doc;
}

const PrintedCross* Find(const TicketPrintout& t, int match, int line) {
    for (const PrintedCross& c : t.crosses)
        if (c.match == match && c.line == line) return &c;
    return nullptr;
}

TEST(TicketPrint, WorkedExampleOfTheFirstCross) {
    TicketFormatValues f;
    f.justification = 0; // left justified, up, 100 %
    const PoolsDocument doc = WithLines({"1X2", "2X1"});
    const TicketPrintout t = TicketCrosses(doc, f, 0);
    ASSERT_EQ(t.crosses.size(), 6u);
    EXPECT_EQ(t.halfSize, 100);
    EXPECT_EQ(t.penWidth, 2);
    const PrintedCross& c = t.crosses[0];
    EXPECT_EQ(c.match, 0);
    EXPECT_EQ(c.line, 0);
    EXPECT_EQ(c.tip, 0);
    EXPECT_EQ(c.centre, (PrintPoint{190, 2019}));
    // (90, 1919)-(290, 2119) and (90, 2119)-(290, 1919), at 26.5 hundredths a unit.
    EXPECT_EQ(c.strokes[0].from, (PrintPoint{3, 72}));
    EXPECT_EQ(c.strokes[0].to, (PrintPoint{10, 79}));
    EXPECT_EQ(c.strokes[1].from, (PrintPoint{3, 79}));
    EXPECT_EQ(c.strokes[1].to, (PrintPoint{10, 72}));

    // Order "12X": "X" in slot 2, "2" in slot 1; line 2 starts after the first
    // block and its gap; match 2 one match gap further down.
    EXPECT_EQ(Find(t, 1, 0)->centre, (PrintPoint{190 + 2 * 380, 2019 + 391}));
    EXPECT_EQ(Find(t, 2, 0)->centre, (PrintPoint{190 + 380, 2019 + 2 * 391}));
    EXPECT_EQ(Find(t, 0, 1)->centre, (PrintPoint{190 + 3 * 380 + 380, 2019}));
}

TEST(TicketPrint, InsertDirectionsAndJustifications) {
    // The "1" of match 1 in line 1 of the default format lies at (520, 2079)
    // on a ticket of 14400 x 10800.
    struct Case {
        int direction, justification;
        PrintPoint centre;
    };
    const Case cases[] = {
        {0, 0, {520 - 330, 2079 - 60}},
        {0, 1, {520 + 3300 - 330, 2079 - 60}},
        {0, 2, {520 + 6600 - 330, 2079 - 60}},
        {1, 0, {2079 - 330, 14400 - 520 - 60}},
        {1, 1, {2079 + 5100 - 330, 14400 - 520 - 60}},
        {1, 2, {2079 + 10200 - 330, 14400 - 520 - 60}},
        {2, 0, {14400 - 520 - 330, 10800 - 2079 - 60}},
        {2, 1, {14400 - 520 + 3300 - 330, 10800 - 2079 - 60}},
        {3, 0, {10800 - 2079 - 330, 520 - 60}},
        {3, 1, {10800 - 2079 + 5100 - 330, 520 - 60}},
        {3, 2, {10800 - 2079 + 10200 - 330, 520 - 60}},
    };
    const PoolsDocument doc = WithLines({"11", "11"});
    for (const Case& c : cases) {
        TicketFormatValues f;
        f.insertDirection = c.direction;
        f.justification = c.justification;
        const TicketPrintout t = TicketCrosses(doc, f, 0);
        ASSERT_FALSE(t.crosses.empty());
        EXPECT_EQ(t.crosses[0].centre, c.centre) << "direction " << c.direction << ", justification " << c.justification;
    }
}

TEST(TicketPrint, CentredOffsetDependsOnTheSideAcrossThePrinter) {
    TicketFormatValues f;
    for (int direction : {0, 2}) {
        f.insertDirection = direction;
        EXPECT_EQ(JustificationOffset(f), 3300);
    }
    for (int direction : {1, 3}) {
        f.insertDirection = direction;
        EXPECT_EQ(JustificationOffset(f), 5100);
    }
    // A ticket wider than the printer moves out to the left, rounding toward zero.
    f.insertDirection = 0;
    f.spacesToSides[kSideRight] = 7181; // 21001 wide
    EXPECT_EQ(JustificationOffset(f), 0);
    f.spacesToSides[kSideRight] = 7183; // 21003 wide
    EXPECT_EQ(JustificationOffset(f), -1);
}

TEST(TicketPrint, OutputRatioScalesTheLogicalUnits) {
    EXPECT_EQ(ToLogicalUnits(2650, 100), 100);
    EXPECT_EQ(ToLogicalUnits(2649, 100), 99);
    EXPECT_EQ(ToLogicalUnits(2650, 200), 200);
    EXPECT_EQ(ToLogicalUnits(2650, 10), 10);
    EXPECT_EQ(ToLogicalUnits(-90, 100), -3); // toward zero, not down
    TicketFormatValues f;
    f.justification = 0;
    f.outputRatio = 150;
    const TicketPrintout t = TicketCrosses(WithLines({"11", "11"}), f, 0);
    EXPECT_EQ(t.crosses[0].strokes[0].from, (PrintPoint{5, 108})); // 90 * 1.5 / 26.5, 1919 * 1.5 / 26.5
}

TEST(TicketPrint, PagesAndTheLinesOnEach) {
    const PoolsDocument doc = Lines(25, 3, 12);
    EXPECT_EQ(TicketPageCount(doc), 3);
    const TicketFormatValues f;
    const TicketPrintout last = TicketCrosses(doc, f, 2);
    ASSERT_EQ(last.crosses.size(), 3u); // one line of three matches
    for (const PrintedCross& c : last.crosses) {
        EXPECT_EQ(c.line, 24);
        EXPECT_EQ(c.centre.x, 520 + 3300 - 330); // in line block 0
    }
    const TicketPrintout second = TicketCrosses(doc, f, 1);
    EXPECT_EQ(second.crosses.size(), 36u);
    EXPECT_EQ(Find(second, 0, 12)->centre, TicketCrosses(doc, f, 0).crosses[0].centre);
    // The totals do not depend on how full the ticket is.
    EXPECT_EQ(last.totalLength, 14400);
    EXPECT_EQ(last.totalHeight, 10800);
    EXPECT_EQ(second.totalLength, 14400);
    EXPECT_TRUE(TicketCrosses(doc, f, 3).crosses.empty());
    EXPECT_EQ(TicketPageCount(PoolsDocument()), 0);
}

TEST(TicketPrint, MatchWithoutATipGetsNoCross) {
    const TicketPrintout t = TicketCrosses(WithLines({"1-2", "X1-"}), TicketFormatValues(), 0);
    EXPECT_EQ(t.crosses.size(), 4u);
    EXPECT_EQ(Find(t, 1, 0), nullptr);
    EXPECT_EQ(Find(t, 2, 1), nullptr);
}

TEST(TicketPrint, FitsTheFormat) {
    struct Case {
        const char* what;
        int lines, perTicket, matches, formatLines, formatMatches;
        bool fits;
    };
    const Case cases[] = {
        {"all within", 30, 12, 12, 12, 12, true},
        {"12 a ticket on a 10-line format", 30, 12, 12, 10, 12, false},
        {"all lines fit one ticket of 10", 10, 12, 12, 10, 12, true},
        {"11 lines on a 10-line format", 11, 12, 12, 10, 12, false},
        {"13 matches on a 12-match format", 30, 12, 13, 12, 12, false},
        {"fewer matches", 30, 8, 5, 8, 12, true},
    };
    for (const Case& c : cases) {
        PoolsDocument doc = Lines(c.lines, c.matches, c.perTicket);
        TicketFormatValues f;
        f.maxLines = c.formatLines;
        f.maxMatches = c.formatMatches;
        EXPECT_EQ(TicketFitsFormat(doc, f), c.fits) << c.what;
    }
}

TEST(TicketPrint, CountsChangedSinceTheCalculationDoNotSlipPastTheCheck) {
    TicketFormatValues f;
    f.maxLines = 10;
    // 20 lines calculated at 12 a ticket, then the line count lowered to 8.
    PoolsDocument doc = Lines(20, 12, 12);
    doc.lineCount = 8;
    EXPECT_FALSE(TicketFitsFormat(doc, f));
    // 13 matches calculated, then the match count lowered to 12.
    f = TicketFormatValues();
    doc = Lines(20, 13, 12);
    doc.matchCount = 12;
    EXPECT_FALSE(TicketFitsFormat(doc, f));
}

TEST(TicketPrint, EnablingAndTexts) {
    EXPECT_FALSE(PrintTicketsEnabled(false, true, true, false));
    EXPECT_TRUE(PrintTicketsEnabled(true, true, true, true));
    EXPECT_FALSE(PrintTicketsEnabled(true, true, false, false));
    EXPECT_TRUE(PrintTicketsEnabled(true, false, false, false));
    EXPECT_FALSE(PrintTicketsEnabled(true, false, false, true));
    EXPECT_TRUE(SameFormatFile("/home/a/Slip.VDF", "/home/a/slip.vdf"));
    EXPECT_FALSE(SameFormatFile("/home/a/slip.vdf", "/home/b/slip.vdf"));
    EXPECT_EQ(FormatChangedQuestion("slip.vdf"),
              "\"slip.vdf\" was changed with the Format Editor.\nThe changes are applied only after saving the "
              "file.\nShall \"slip.vdf\" be saved now?");
}

TEST(TicketPrint, ShippedSampleFormatTakesTheExamplesTickets) {
    PoolsDocument doc;
    FileProblem problem;
    ASSERT_EQ(ReadVdxFile(VDX_SOURCE_DIR "/resources/example.vdx", doc, problem), kReadOk);
    TicketFormat format;
    ASSERT_EQ(ReadVdfFile(VDX_SOURCE_DIR "/resources/slip12.vdf", format, problem), kFormatReadOk);
    ASSERT_TRUE(doc.hasTips);
    EXPECT_TRUE(TicketFitsFormat(doc, format.values()));
    EXPECT_EQ(TicketPageCount(doc), 2);
    // A full first ticket: one cross for each match and line.
    EXPECT_EQ(TicketCrosses(doc, format.values(), 0).crosses.size(), 12u * 12u);
    // The slip lies on the printer: every cross inside the feed width.
    for (const PrintedCross& c : TicketCrosses(doc, format.values(), 0).crosses) {
        EXPECT_GT(c.centre.x, 0);
        EXPECT_LT(c.centre.x, kPrinterFeedWidth);
    }
}

} // namespace
} // namespace vdx
