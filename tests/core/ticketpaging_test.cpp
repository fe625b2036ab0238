#include "view/TicketPaging.h"

#include "TestLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vdx;

namespace {

enum class Command { NextTicket, PreviousTicket, FirstTicket, LastTicket, NextLine, PreviousLine, Stop };

const char* Name(Command c) {
    switch (c) {
    case Command::NextTicket: return "next ticket";
    case Command::PreviousTicket: return "previous ticket";
    case Command::FirstTicket: return "first ticket";
    case Command::LastTicket: return "last ticket";
    case Command::NextLine: return "next line";
    case Command::PreviousLine: return "previous line";
    case Command::Stop: return "stop";
    }
    return "";
}

void Apply(TicketPaging& p, Command c) {
    switch (c) {
    case Command::NextTicket: p.nextTicket(); break;
    case Command::PreviousTicket: p.previousTicket(); break;
    case Command::FirstTicket: p.firstTicket(); break;
    case Command::LastTicket: p.lastTicket(); break;
    case Command::NextLine: p.nextLine(); break;
    case Command::PreviousLine: p.previousLine(); break;
    case Command::Stop: p.stopHighlighting(); break;
    }
}

// Paging over the given lines, positioned on a ticket with a highlight.
TicketPaging At(int lines, int perTicket, int firstLine, int highlight) {
    TicketPaging p;
    p.recount(lines, perTicket, true);
    p.firstLine = firstLine;
    p.highlight = highlight;
    p.normalise();
    return p;
}

} // namespace

TEST(TicketPaging, CommandsMovePositionAndHighlight) {
    const int off = kHighlightOff;
    struct Case {
        int lines, perTicket, first, highlight;
        Command command;
        int wantFirst, wantHighlight, wantLast;
    };
    const std::vector<Case> cases = {
        // 25 lines at 12 per ticket: tickets start at 0, 12, 24.
        {25, 12, 24, off, Command::NextTicket, 0, off, 11},       // wraps to the first ticket
        {25, 12, 0, off, Command::PreviousTicket, 24, off, 24},   // wraps to the last ticket
        {25, 12, 12, off, Command::NextTicket, 24, off, 24},
        {25, 12, 0, off, Command::LastTicket, 24, off, 24},
        {25, 12, 24, off, Command::FirstTicket, 0, off, 11},
        {24, 12, 0, off, Command::LastTicket, 12, off, 23},
        {24, 12, 12, off, Command::NextTicket, 0, off, 11},
        {25, 12, 0, 5, Command::NextTicket, 12, 12, 23},          // highlight follows to the first line
        {25, 12, 12, 20, Command::PreviousTicket, 0, 0, 11},
        {25, 12, 12, 20, Command::LastTicket, 24, 24, 24},
        {25, 12, 12, off, Command::NextLine, 12, 12, 23},         // switching on takes the first line
        {25, 12, 12, off, Command::PreviousLine, 12, 12, 23},
        {25, 12, 0, 4, Command::NextLine, 0, 5, 11},
        {25, 12, 0, 4, Command::PreviousLine, 0, 3, 11},
        {25, 12, 0, 11, Command::NextLine, 12, 12, 23},           // past the ticket: next ticket
        {25, 12, 12, 23, Command::NextLine, 24, 24, 24},
        {25, 12, 24, 24, Command::NextLine, 0, 0, 11},            // past the last line: first ticket
        {25, 12, 12, 12, Command::PreviousLine, 0, 11, 11},       // before the ticket: its predecessor's last line
        {25, 12, 0, 0, Command::PreviousLine, 24, 24, 24},        // before the first line: the last line
        {24, 12, 0, 0, Command::PreviousLine, 12, 23, 23},
        {25, 12, 12, 15, Command::Stop, 12, off, 23},
        {2, 2, 0, 1, Command::NextLine, 0, 0, 1},                 // one ticket: wraps within it
    };
    for (const Case& c : cases) {
        TicketPaging p = At(c.lines, c.perTicket, c.first, c.highlight);
        p.needsRecount = false;
        Apply(p, c.command);
        const std::string what = std::string(Name(c.command)) + " from " + std::to_string(c.first) + "/" +
                                 std::to_string(c.highlight) + " of " + std::to_string(c.lines);
        EXPECT_EQ(p.firstLine, c.wantFirst) << what;
        EXPECT_EQ(p.highlight, c.wantHighlight) << what;
        EXPECT_EQ(p.lastLine, c.wantLast) << what;
        EXPECT_TRUE(p.needsRecount) << what;
    }
}

TEST(TicketPaging, WalkingAllLinesVisitsEachOnceAndReturns) {
    TicketPaging p = At(25, 12, 0, kHighlightOff);
    std::vector<int> seen;
    for (int i = 0; i < 26; ++i) {
        p.nextLine();
        seen.push_back(p.highlight);
        EXPECT_EQ(p.firstLine, p.highlight / 12 * 12);
    }
    for (int i = 0; i < 25; ++i) EXPECT_EQ(seen[i], i);
    EXPECT_EQ(seen[25], 0);
    for (int i = 24; i >= 0; --i) {
        p.previousLine();
        EXPECT_EQ(p.highlight, i);
        EXPECT_EQ(p.firstLine, i / 12 * 12);
    }
}

TEST(TicketPaging, EnabledCommands) {
    struct Case {
        int lines, perTicket;
        bool pages, moves;
    };
    const std::vector<Case> cases = {
        {-1, 12, false, false}, {1, 12, false, false}, {2, 12, false, true}, {12, 12, false, true},
        {13, 12, true, true},   {25, 12, true, true},  {3, 2, true, true},
    };
    for (const Case& c : cases) {
        TicketPaging p;
        p.recount(c.lines, c.perTicket, true);
        EXPECT_EQ(p.canPageTickets(), c.pages) << c.lines;
        EXPECT_EQ(p.canMoveHighlight(), c.moves) << c.lines;
        EXPECT_FALSE(p.canStopHighlighting());
    }
    TicketPaging p = At(25, 12, 0, kHighlightOff);
    p.nextLine();
    EXPECT_TRUE(p.canStopHighlighting());
}

TEST(TicketPaging, DisabledCommandsChangeNothing) {
    TicketPaging p = At(12, 12, 0, 3);
    p.nextTicket();
    p.lastTicket();
    p.previousTicket();
    EXPECT_EQ(p.firstLine, 0);
    EXPECT_EQ(p.highlight, 3);

    TicketPaging none;
    none.recount(-1, 12, false);
    none.nextLine();
    none.nextTicket();
    EXPECT_EQ(none.highlight, kHighlightOff);
    EXPECT_EQ(none.firstLine, -1);
}

TEST(TicketPaging, RecountKeepsTheTicketWhereItStillExists) {
    struct Case {
        int lines, perTicket, first, highlight;  // before
        int newLines, newPerTicket;
        int wantFirst, wantHighlight;
    };
    const std::vector<Case> cases = {
        {25, 12, 12, 14, 30, 12, 12, 14},           // a new distribution keeps the ticket
        {25, 12, 24, 24, 20, 12, 0, 11},            // the ticket is gone: back to the first
        {50, 12, 24, 30, 28, 12, 24, 27},           // highlight beyond the lines: last line
        {25, 12, 24, kHighlightOff, 25, 5, 20, kHighlightOff}, // new ticket size: ticket holding line 24
        {25, 12, 12, 13, 25, 5, 10, 13},
    };
    for (const Case& c : cases) {
        TicketPaging p = At(c.lines, c.perTicket, c.first, c.highlight);
        p.needsRecount = true;
        p.recount(c.newLines, c.newPerTicket, true);
        EXPECT_EQ(p.firstLine, c.wantFirst) << c.first << " -> " << c.newLines << "/" << c.newPerTicket;
        EXPECT_EQ(p.highlight, c.wantHighlight) << c.first << " -> " << c.newLines << "/" << c.newPerTicket;
        EXPECT_EQ(p.firstLine % p.perTicket, 0);
        EXPECT_FALSE(p.needsRecount);
    }
}

TEST(TicketPaging, LinesAppearingAfterNoneShowTheFirstTicket) {
    TicketPaging p;
    p.recount(-1, 12, false);
    EXPECT_EQ(p.firstLine, -1);
    EXPECT_EQ(p.lineTotal, -1);
    EXPECT_EQ(p.perTicket, -1);
    EXPECT_EQ(p.conditionsCurrent, -1);
    EXPECT_EQ(p.ticketCount(), 1);
    p.recount(40, 12, true);
    EXPECT_EQ(p.firstLine, 0);
    EXPECT_EQ(p.lastLine, 11);
    EXPECT_EQ(p.ticketCount(), 4);
}

TEST(TicketPaging, LosingTheLinesSwitchesHighlightingOff) {
    TicketPaging p = At(25, 12, 12, 13);
    p.recount(-1, 12, true);
    EXPECT_EQ(p.highlight, kHighlightOff);
    EXPECT_FALSE(p.canStopHighlighting());
}

TEST(TicketPaging, RecountFromDocument) {
    PoolsDocument doc = testlines::WithLines({"11", "1X", "12", "X1", "XX"});
    doc.linesPerTicket = 2;
    TicketPaging p;
    p.recount(doc);
    EXPECT_EQ(p.lineTotal, 5);
    EXPECT_EQ(p.perTicket, 2);
    EXPECT_EQ(p.ticketCount(), 3);
    EXPECT_EQ(p.conditionsCurrent, 1);

    // A condition that takes part now but did not at the calculation.
    doc.conditionState[1] = 1;
    p.recount(doc);
    EXPECT_EQ(p.conditionsCurrent, 0);

    doc.hasTips = false;
    p.recount(doc);
    EXPECT_EQ(p.lineTotal, -1);
    EXPECT_EQ(p.conditionsCurrent, -1);
}
