#include "view/TicketLayout.h"

#include "TestLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vdx;

namespace {

// Every code point is `normal` pixels wide (`bold` in bold); 'W' is `wide`.
class FixedMeasure : public TextMeasure {
public:
    int normal = 6;
    int bold = 7;
    int wide = 6;
    int height = 14;
    int textWidth(const std::string& text, const TextStyle& style) const override {
        int w = 0;
        for (unsigned char c : text)
            if ((c & 0xC0) != 0x80) w += c == 'W' ? wide : style.bold ? bold : normal;
        return w;
    }
    int textHeight() const override { return height; }
};

// A calculated document: in line l match m carries tip (l + m) % 3.
PoolsDocument Calculated(int lines, int perTicket, int matches) {
    std::vector<std::string> text;
    for (int l = 0; l < lines; ++l) {
        std::string line;
        for (int m = 0; m < matches; ++m) line += "1X2"[(l + m) % 3];
        text.push_back(line);
    }
    PoolsDocument doc = testlines::WithLines(text);
    doc.linesPerTicket = perTicket;
    for (int m = 0; m < matches; ++m) doc.match(m).name = "Team " + std::to_string(m + 1);
    doc.recomputeCorrectTips();
    return doc;
}

TicketPaging PagingOf(const PoolsDocument& doc, int firstLine = 0, int highlight = kHighlightOff) {
    TicketPaging p;
    p.recount(doc);
    p.firstLine = firstLine;
    p.highlight = highlight;
    p.normalise();
    return p;
}

TicketLayout Screen(const PoolsDocument& doc, const TicketPaging& p, const FixedMeasure& m = FixedMeasure(),
                    int clientWidth = 538, int scale = 100) {
    TicketLayoutRequest r;
    r.scale = scale;
    r.clientWidth = clientWidth;
    return LayoutTickets(doc, p, r, m);
}

TicketLayout Printed(const PoolsDocument& doc, const TicketPaging& p, int page,
                     const FixedMeasure& m = FixedMeasure()) {
    TicketLayoutRequest r;
    r.printing = true;
    r.page = page;
    r.clientWidth = 2000; // no effect when printing
    return LayoutTickets(doc, p, r, m);
}

std::vector<TicketItem> Items(const TicketLayout& l, TicketPart part) {
    std::vector<TicketItem> out;
    for (const TicketItem& i : l.items)
        if (i.part == part) out.push_back(i);
    return out;
}

// The one item of a part for a row and a line (-1: any).
TicketItem One(const TicketLayout& l, TicketPart part, int row = -1, int line = -1, int ticket = -1) {
    std::vector<TicketItem> found;
    for (const TicketItem& i : l.items)
        if (i.part == part && (row < 0 || i.row == row) && (line < 0 || i.line == line) &&
            (ticket < 0 || i.ticket == ticket))
            found.push_back(i);
    EXPECT_EQ(found.size(), 1u) << "part " << static_cast<int>(part) << " row " << row << " line " << line;
    return found.empty() ? TicketItem{part, "", -999, -999, {}, Ink::Default, -1, -1, -1} : found[0];
}

const int kColumnX[12] = {250, 268, 298, 316, 346, 364, 394, 412, 442, 460, 490, 508};

} // namespace

TEST(TicketLayout, TitleNamesTicketAndLines) {
    struct Case {
        int lines, perTicket, firstLine;
        std::string title;
    };
    const std::vector<Case> cases = {
        {25, 12, 0, "Ticket No. 1 of 3 (Line 1 to 12 of 25)"},
        {25, 12, 12, "Ticket No. 2 of 3 (Line 13 to 24 of 25)"},
        {25, 12, 24, "Ticket No. 3 of 3 (Line 25 to 25 of 25)"},
        {24, 12, 12, "Ticket No. 2 of 2 (Line 13 to 24 of 24)"},
        {1, 2, 0, "Ticket No. 1 of 1 (Line 1 to 1 of 1)"},
        {1000, 12, 996, "Ticket No. 84 of 84 (Line 997 to 1000 of 1000)"},
        {1000, 12, 0, "Ticket No. 1 of 84 (Line 1 to 12 of 1000)"},
    };
    for (const Case& c : cases) {
        const PoolsDocument doc = Calculated(c.lines, c.perTicket, 3);
        const TicketLayout l = Screen(doc, PagingOf(doc, c.firstLine));
        const TicketItem title = One(l, TicketPart::Title);
        EXPECT_EQ(title.text, c.title);
        EXPECT_TRUE(title.style.bold);
        EXPECT_EQ(title.y, 25);
        EXPECT_TRUE(Items(l, TicketPart::StaleMark).empty());
        const int onTicket = std::min(c.perTicket, c.lines - c.firstLine);
        EXPECT_EQ(Items(l, TicketPart::Tip).size(), static_cast<size_t>(3 * onTicket)) << c.title;
        EXPECT_EQ(Items(l, TicketPart::CorrectTips).size(), static_cast<size_t>(onTicket));
    }
}

// The title stands over the tip columns; a title too long for that room moves
// left just so far that it ends inside the ticket, measured as the layout measures.
TEST(TicketLayout, TitleEndsInsideTheTicket) {
    struct Case {
        const char* what;
        int lines, firstLine;
        int bold;            // pixels per bold character
        int scale;
        bool printing;
        int clientWidth;     // wider than the ticket: long names shift the columns
        int expectedX;
    };
    // Titles: 25 lines: 38 characters; 1000 lines: 41 or 46 characters.
    const std::vector<Case> cases = {
        {"short title in its place", 25, 0, 7, 100, false, 538, 250},
        {"1000 lines, first ticket", 1000, 0, 7, 100, false, 538, 528 - 41 * 7},
        {"1000 lines, last ticket", 1000, 996, 7, 100, false, 538, 528 - 46 * 7},
        {"1000 lines, just fitting", 1000, 996, 6, 100, false, 538, 250},
        {"short title, larger scale", 25, 0, 8, 150, false, 807, 375},
        {"1000 lines, larger scale", 1000, 996, 10, 150, false, 807, 792 - 46 * 10},
        {"1000 lines, names shift", 1000, 996, 7, 100, false, 700, 528 + 80 - 46 * 7},
        {"1000 lines, huge font: no further than the left margin", 1000, 996, 14, 100, false, 538, 25},
        {"1000 lines on paper", 1000, 0, 7, 100, true, 538, 27 + 528 - 41 * 7},
        {"short title on paper", 25, 0, 7, 100, true, 538, 277},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PoolsDocument doc = Calculated(c.lines, 12, 4);
        doc.match(0).name = std::string(40, 'n'); // 80 pixels beyond the name room
        FixedMeasure m;
        m.bold = c.bold;
        TicketLayoutRequest r;
        r.printing = c.printing;
        r.scale = c.scale;
        r.clientWidth = c.clientWidth;
        const TicketLayout l = LayoutTickets(doc, PagingOf(doc, c.firstLine), r, m);
        const TicketItem title = l.items.front();
        ASSERT_EQ(title.part, TicketPart::Title);
        EXPECT_EQ(title.x, c.expectedX) << title.text;
        const int P = c.printing ? 27 : 0;
        const int ticketEnd = (P + kTicketViewWidth) * c.scale / 100 + l.nameShift;
        if (c.expectedX > 25) {
            EXPECT_LE(title.x + m.textWidth(title.text, title.style), ticketEnd) << title.text;
        }
        // Nothing else moves with it.
        EXPECT_EQ(One(l, TicketPart::Tip, 0, c.firstLine).x, (250 + P) * c.scale / 100 + l.nameShift);
    }
}

TEST(TicketLayout, StaleTicketShiftsTitleAndWarns) {
    struct Case {
        bool printing, upToDate, conditionsUnchanged;
        int titleX;
        bool mark;
        Ink markInk;
    };
    const std::vector<Case> cases = {
        {false, true, true, 250, false, Ink::Default},
        {false, false, true, 25, true, Ink::Red},
        {false, true, false, 25, true, Ink::Red},
        {true, true, true, 277, false, Ink::Default},
        {true, false, true, 52, true, Ink::Default},
    };
    for (const Case& c : cases) {
        PoolsDocument doc = Calculated(5, 12, 4);
        doc.tipsUpToDate = c.upToDate;
        TicketPaging p;
        p.recount(doc.tipLineCount, doc.linesPerTicket, c.conditionsUnchanged);
        const FixedMeasure m;
        const TicketLayout l = c.printing ? Printed(doc, p, 0, m) : Screen(doc, p, m);
        const TicketItem title = One(l, TicketPart::Title);
        EXPECT_EQ(title.x, c.titleX);
        const std::vector<TicketItem> marks = Items(l, TicketPart::StaleMark);
        ASSERT_EQ(marks.size(), c.mark ? 1u : 0u);
        if (c.mark) {
            EXPECT_EQ(marks[0].text, "Tips are not up-to-date!");
            EXPECT_EQ(marks[0].x, (c.printing ? 62 : 35) + m.textWidth(title.text, title.style));
            EXPECT_EQ(marks[0].y, title.y);
            EXPECT_EQ(marks[0].ink, c.markInk);
        }
    }
}

TEST(TicketLayout, WithoutTipsOnlyTitleAndMatches) {
    PoolsDocument doc;
    doc.matchCount = 4;
    doc.match(0).name = "Alpha - Beta";
    doc.match(0).result = kTip2;
    TicketPaging p;
    p.recount(doc);
    for (bool printing : {false, true}) {
        const TicketLayout l = printing ? Printed(doc, p, 0) : Screen(doc, p);
        const TicketItem title = One(l, TicketPart::Title);
        EXPECT_EQ(title.text, "Ticket (no tips calculated yet)");
        EXPECT_EQ(title.x, printing ? 277 : 250);
        EXPECT_EQ(l.ticketCount, 1);
        EXPECT_EQ(Items(l, TicketPart::Name).size(), 4u);
        EXPECT_EQ(One(l, TicketPart::Result, 0).text, "2");
        for (TicketPart none : {TicketPart::StaleMark, TicketPart::Tip, TicketPart::LineNumber, TicketPart::CorrectTips,
                                TicketPart::CorrectTipsLabel, TicketPart::ConditionLabel})
            EXPECT_TRUE(Items(l, none).empty()) << static_cast<int>(none);
    }
    EXPECT_EQ(PrintedPageCount(p), 1);
}

TEST(TicketLayout, MatchRowsNumbersNamesAndResults) {
    PoolsDocument doc = Calculated(3, 12, 12);
    doc.match(2).name.clear();
    doc.match(0).result = kTip1;
    doc.match(1).result = kTipX;
    const TicketLayout l = Screen(doc, PagingOf(doc));

    const TicketItem placeholder = One(l, TicketPart::Name, 2);
    EXPECT_EQ(placeholder.text, "Match 3");
    EXPECT_TRUE(placeholder.style.italic);
    EXPECT_FALSE(One(l, TicketPart::Name, 0).style.italic);
    EXPECT_EQ(One(l, TicketPart::Name, 0).text, "Team 1");
    EXPECT_EQ(l.shownNames[2], "Match 3");
    EXPECT_EQ(l.shownNames[11], "Team 12");
    EXPECT_EQ(One(l, TicketPart::Name, 5).x, 35);

    const std::vector<std::tuple<int, std::string, int>> numbers = {{0, "1:", 21}, {8, "9:", 21}, {9, "10:", 15},
                                                                     {11, "12:", 15}};
    for (const auto& [row, text, x] : numbers) {
        const TicketItem n = One(l, TicketPart::Number, row);
        EXPECT_EQ(n.text, text);
        EXPECT_EQ(n.x, x) << text;
    }
    const TicketItem r0 = One(l, TicketPart::Result, 0);
    EXPECT_EQ(r0.text, "1");
    EXPECT_EQ(r0.x, 208);
    EXPECT_TRUE(r0.style.bold);
    EXPECT_EQ(r0.ink, Ink::Red);
    EXPECT_EQ(One(l, TicketPart::Result, 1).text, "X");
    EXPECT_EQ(One(l, TicketPart::Result, 2).text, "-");

    const std::vector<TicketItem> titles = Items(l, TicketPart::ColumnTitle);
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0].text, "Matches");
    EXPECT_EQ(titles[0].x, 35);
    EXPECT_EQ(titles[1].text, "Res.");
    EXPECT_EQ(titles[1].x, 205);
}

TEST(TicketLayout, RowPositionsOnScreenAndPrinter) {
    struct Case {
        bool printing;
        int textHeight;
        int rowGap, columnTitleY;
        std::vector<std::pair<int, int>> rowY; // row, y
        int correctTipsY;
    };
    const std::vector<Case> cases = {
        {false, 14, 0, 52, {{0, 79}, {1, 96}, {2, 113}, {3, 140}, {11, 296}}, 323},
        {false, 20, 6, 58, {{0, 85}, {1, 108}, {2, 131}, {3, 164}, {11, 368}}, 395},
        {true, 10, 0, 66, {{0, 87}, {1, 100}, {3, 134}, {11, 254}}, 275},
        {true, 12, 2, 68, {{0, 89}, {3, 142}, {11, 278}}, 299},
    };
    const PoolsDocument doc = Calculated(12, 12, 12);
    for (const Case& c : cases) {
        FixedMeasure m;
        m.height = c.textHeight;
        const TicketLayout l = c.printing ? Printed(doc, PagingOf(doc), 0, m) : Screen(doc, PagingOf(doc), m);
        EXPECT_EQ(l.rowGap, c.rowGap);
        EXPECT_EQ(One(l, TicketPart::Title).y, c.printing ? 45 : 25);
        for (const TicketItem& t : Items(l, TicketPart::ColumnTitle)) EXPECT_EQ(t.y, c.columnTitleY);
        EXPECT_EQ(One(l, TicketPart::LineNumber, -1, 0).y, c.columnTitleY);
        for (const auto& [row, y] : c.rowY) {
            EXPECT_EQ(One(l, TicketPart::Number, row).y, y) << "row " << row << " height " << c.textHeight;
            EXPECT_EQ(One(l, TicketPart::Name, row).y, y);
            EXPECT_EQ(One(l, TicketPart::Tip, row, 4).y, y);
        }
        EXPECT_EQ(One(l, TicketPart::CorrectTips, -1, 0).y, c.correctTipsY);
        EXPECT_EQ(One(l, TicketPart::CorrectTipsLabel).y, c.correctTipsY);
    }
}

TEST(TicketLayout, TipColumnsAndLineNumbers) {
    const PoolsDocument doc = Calculated(24, 12, 3);
    for (bool printing : {false, true}) {
        const TicketPaging p = PagingOf(doc, 12);
        const TicketLayout l = printing ? Printed(doc, p, 0) : Screen(doc, p);
        // Screen shows the ticket with line 13; the printed page starts at the first.
        const int first = printing ? 0 : 12;
        const int shift = printing ? 27 : 0;
        for (int q = 0; q < 12; ++q) {
            const int line = first + q;
            const TicketItem tip = One(l, TicketPart::Tip, 1, line, 0 + (printing ? 0 : 1));
            EXPECT_EQ(tip.x, kColumnX[q] + shift) << "column " << q;
            EXPECT_EQ(tip.text, std::string(1, "1X2"[(line + 1) % 3]));
            const TicketItem number = One(l, TicketPart::LineNumber, -1, line, printing ? 0 : 1);
            EXPECT_EQ(number.text, std::to_string(q + 1));
            EXPECT_EQ(number.x, kColumnX[q] + shift - (q + 1) / 10 * 5) << "column " << q;
        }
    }
}

TEST(TicketLayout, ScaleMultipliesHorizontalUnits) {
    const PoolsDocument doc = Calculated(12, 12, 10);
    const TicketLayout l = Screen(doc, PagingOf(doc), FixedMeasure(), 538, 150);
    EXPECT_EQ(One(l, TicketPart::Number, 0).x, 31);  // 21 * 1.5, cut
    EXPECT_EQ(One(l, TicketPart::Number, 9).x, 22);
    EXPECT_EQ(One(l, TicketPart::Tip, 0, 1).x, 402);
    EXPECT_EQ(One(l, TicketPart::Tip, 0, 11).x, 762);
    EXPECT_EQ(One(l, TicketPart::Result, 0).x, 312);
    EXPECT_EQ(One(l, TicketPart::Title).x, 375);
    EXPECT_EQ(One(l, TicketPart::Number, 1).y, 96); // vertical units are pixels
    EXPECT_EQ(l.neededWidth, 807);
}

TEST(TicketLayout, AdjustedScaleFollowsTitleWidth) {
    struct Case {
        int charWidth, scale, expected;
    };
    // The title template has 41 characters.
    const std::vector<Case> cases = {{6, 100, 100}, {7, 100, 100}, {7, 130, 130}, {8, 100, 122}, {10, 100, 153}};
    for (const Case& c : cases) {
        FixedMeasure m;
        m.normal = c.charWidth;
        m.wide = c.charWidth;
        EXPECT_EQ(AdjustedTicketScale(c.scale, m), c.expected) << c.charWidth;
    }
}

TEST(TicketLayout, CorrectTipsAndHitsColouredOnScreenBoldOnPaper) {
    PoolsDocument doc = Calculated(3, 12, 12);
    // Results equal to line 0: it has 12 correct tips, line 1 none, line 2 none.
    for (int m = 0; m < 12; ++m) doc.match(m).result = m % 3;
    doc.match(5).result = kTipNone; // line 0 now 11 correct
    doc.recomputeCorrectTips();
    for (bool printing : {false, true}) {
        const TicketLayout l = printing ? Printed(doc, PagingOf(doc), 0) : Screen(doc, PagingOf(doc));
        const int shift = printing ? 27 : 0;
        const TicketItem c0 = One(l, TicketPart::CorrectTips, -1, 0);
        EXPECT_EQ(c0.text, "11");
        EXPECT_EQ(c0.x, 250 + shift - 5);
        EXPECT_TRUE(c0.style.bold);
        EXPECT_EQ(c0.ink, printing ? Ink::Default : Ink::Red);
        const TicketItem c1 = One(l, TicketPart::CorrectTips, -1, 1);
        EXPECT_EQ(c1.text, "0");
        EXPECT_EQ(c1.x, 268 + shift);
        EXPECT_EQ(One(l, TicketPart::CorrectTipsLabel).ink, printing ? Ink::Default : Ink::Red);
        EXPECT_EQ(One(l, TicketPart::CorrectTipsLabel).text, "Correct Tips");

        const TicketItem hit = One(l, TicketPart::Tip, 0, 0);
        EXPECT_EQ(hit.style.bold, printing);
        EXPECT_EQ(hit.ink, printing ? Ink::Default : Ink::Red);
        const TicketItem miss = One(l, TicketPart::Tip, 0, 1);
        EXPECT_FALSE(miss.style.bold);
        EXPECT_EQ(miss.ink, Ink::Default);
        // No result known: never a hit.
        EXPECT_EQ(One(l, TicketPart::Tip, 5, 0).ink, Ink::Default);
        EXPECT_FALSE(One(l, TicketPart::Tip, 5, 0).style.bold);
    }
}

TEST(TicketLayout, MissingTipsShowPlaceholder) {
    PoolsDocument doc = Calculated(4, 12, 3);
    doc.match(1).hasTips = false;
    doc.match(2).tips[3] = kNoTip;
    const TicketLayout l = Screen(doc, PagingOf(doc));
    for (int line = 0; line < 4; ++line) EXPECT_EQ(One(l, TicketPart::Tip, 1, line).text, "-");
    EXPECT_EQ(One(l, TicketPart::Tip, 2, 3).text, "-");
    EXPECT_EQ(One(l, TicketPart::Tip, 0, 3).text, "1");
}

TEST(TicketLayout, HighlightedLineOnScreenOnly) {
    const PoolsDocument doc = Calculated(25, 12, 4);
    const TicketPaging p = PagingOf(doc, 12, 13);
    const TicketLayout l = Screen(doc, p);
    for (int m = 0; m < 4; ++m) {
        const TicketItem lit = One(l, TicketPart::Tip, m, 13);
        const int rowY = One(l, TicketPart::Number, m).y;
        EXPECT_TRUE(lit.style.bold);
        EXPECT_EQ(lit.style.sizeDelta, 4);
        EXPECT_EQ(lit.y, rowY - 4);
        EXPECT_EQ(lit.x, 268 - 2);
        const TicketItem plain = One(l, TicketPart::Tip, m, 14);
        EXPECT_EQ(plain.style, TextStyle());
        EXPECT_EQ(plain.y, rowY);
    }
    const TicketLayout printed = Printed(doc, p, 0);
    for (const TicketItem& t : Items(printed, TicketPart::Tip)) EXPECT_EQ(t.style.sizeDelta, 0);
}

TEST(TicketLayout, ZeroForDrawWritesZero) {
    for (bool zero : {false, true}) {
        PoolsDocument doc = Calculated(3, 12, 3);
        doc.zeroForDraw = zero;
        doc.match(0).result = kTipX;
        doc.lastConditionState = {0, 1, 0};
        doc.evaluation.lineConditionFlags.assign(kMaxLines, 0);
        const TicketLayout l = Screen(doc, PagingOf(doc));
        const std::string draw = zero ? "0" : "X";
        EXPECT_EQ(One(l, TicketPart::Tip, 0, 1).text, draw); // (1 + 0) % 3 == 1: draw
        EXPECT_EQ(One(l, TicketPart::Result, 0).text, draw);
        EXPECT_EQ(One(l, TicketPart::ConditionLabel).text, "Conditions for 1, " + draw + " and 2");
    }
}

TEST(TicketLayout, ConditionRows) {
    struct Case {
        std::array<int, 3> lastState;
        bool evaluated;
        int matchCount; // tipMatchCount is 12
        std::vector<int> rows;
    };
    const std::vector<Case> cases = {
        {{1, 1, 1}, true, 12, {0, 1, 2}},
        {{3, 0, 1}, true, 12, {0, 2}},
        {{0, 1, 0}, true, 12, {1}},
        {{0, 0, 0}, true, 12, {}},
        {{1, 1, 1}, false, 12, {}},
        {{1, 1, 1}, true, 10, {0}}, // the range rows only for the matches of the calculation
    };
    const char* const labels[3] = {"Conditions for Duplicates", "Conditions for 1, X and 2",
                                   "Conditions for Favourites"};
    for (const Case& c : cases) {
        PoolsDocument doc = Calculated(12, 12, 12);
        doc.matchCount = c.matchCount;
        doc.lastConditionState = c.lastState;
        if (c.evaluated) {
            doc.evaluation.lineConditionFlags.assign(kMaxLines, 0);
            doc.evaluation.lineConditionFlags[0] = 1 | 4;
            doc.evaluation.lineConditionFlags[9] = 2;
            doc.evaluation.lineConditionFlags[11] = 4;
            doc.evaluation.flaggedLineCounts = {1, 0, 12};
        }
        // Line 9 has at least ten correct tips, which moves its column's numbers left.
        for (int m = 0; m < 12; ++m) doc.match(m).result = (9 + m) % 3;
        doc.recomputeCorrectTips();
        FixedMeasure m;
        m.height = 20; // row gap 6
        const TicketLayout l = Screen(doc, PagingOf(doc), m);
        ASSERT_EQ(l.conditionRows, static_cast<int>(c.rows.size()));
        const std::vector<TicketItem> labelItems = Items(l, TicketPart::ConditionLabel);
        ASSERT_EQ(labelItems.size(), c.rows.size());
        const int y0 = One(l, TicketPart::CorrectTipsLabel).y;
        for (size_t n = 0; n < c.rows.size(); ++n) {
            const int i = c.rows[n];
            const int y = (6 + 14) * static_cast<int>(n) + y0 + 6 + 20;
            EXPECT_EQ(labelItems[n].text, labels[i]);
            EXPECT_EQ(labelItems[n].y, y);
            EXPECT_EQ(labelItems[n].x, 35);
            EXPECT_EQ(labelItems[n].ink, Ink::Blue);
            const TicketItem count = One(l, TicketPart::ConditionCount, i);
            const char* const counts[3] = {"(-1)", "(+)", "(-12)"};
            const int countX[3] = {209, 209, 206};
            EXPECT_EQ(count.text, counts[i]);
            EXPECT_EQ(count.x, countX[i]);
            EXPECT_EQ(count.y, y);
            for (int line = 0; line < 12; ++line) {
                const TicketItem mark = One(l, TicketPart::ConditionMark, i, line);
                const bool fails = (line == 0 && i != 1) || (line == 9 && i == 1) || (line == 11 && i == 2);
                EXPECT_EQ(mark.text, fails ? "-" : "+") << "condition " << i << " line " << line;
                EXPECT_EQ(mark.x, One(l, TicketPart::CorrectTips, -1, line).x);
                EXPECT_EQ(mark.y, y);
            }
        }
        EXPECT_EQ(One(l, TicketPart::CorrectTips, -1, 9).text, "12");
        EXPECT_EQ(One(l, TicketPart::CorrectTips, -1, 9).x, kColumnX[9] - 5);
        EXPECT_EQ(l.neededWidth, 538);
        EXPECT_EQ(l.neededHeight, 20 * static_cast<int>(c.rows.size()) + y0 + 12 + 30);
    }
}

TEST(TicketLayout, LongNamesShiftColumnsWhenTheWindowIsWide) {
    struct Case {
        bool printing;
        int clientWidth;
        int shift;
        size_t nameLength;
    };
    // The longest name has 40 characters, 240 pixels.
    const std::vector<Case> cases = {
        {false, 538, 0, 26},   // no room: the name is cut to 160 pixels
        {false, 600, 62, 37},  // the spare width
        {false, 800, 80, 40},  // all the name needs
        {true, 2000, 0, 26},
    };
    PoolsDocument doc = Calculated(3, 12, 4);
    doc.match(1).name = std::string(40, 'n');
    for (const Case& c : cases) {
        const TicketLayout l = c.printing ? Printed(doc, PagingOf(doc), 0) : Screen(doc, PagingOf(doc), FixedMeasure(),
                                                                                 c.clientWidth);
        const int p = c.printing ? 27 : 0;
        EXPECT_EQ(l.nameShift, c.shift) << c.clientWidth;
        EXPECT_EQ(One(l, TicketPart::Name, 1).text.size(), c.nameLength) << c.clientWidth;
        EXPECT_EQ(l.shownNames[1].size(), c.nameLength);
        EXPECT_EQ(One(l, TicketPart::Name, 1).x, p + 35);
        EXPECT_EQ(One(l, TicketPart::Result, 1).x, p + 208 + c.shift);
        EXPECT_EQ(One(l, TicketPart::Tip, 1, 2).x, p + 298 + c.shift);
        EXPECT_EQ(One(l, TicketPart::CorrectTips, -1, 0).x, p + 250 + c.shift);
        EXPECT_EQ(One(l, TicketPart::Title).x, p + 250 + c.shift);
        EXPECT_EQ(Items(l, TicketPart::ColumnTitle)[0].x, p + 35);
        EXPECT_EQ(Items(l, TicketPart::ColumnTitle)[1].x, p + 205 + c.shift);
    }
    // Names that fit never shift.
    doc.match(1).name = std::string(26, 'n');
    EXPECT_EQ(Screen(doc, PagingOf(doc), FixedMeasure(), 800).nameShift, 0);
}

TEST(ShortenToWidth, RemovesCharactersFromTheEnd) {
    struct Case {
        std::string text;
        int width, charWidth, wide;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"Bremen - Hamburg", 200, 6, 6, "Bremen - Hamburg"},
        {"Bremen - Hamburg", 60, 6, 6, "Bremen - H"},
        {"Bremen - Hamburg", 0, 6, 6, ""},
        {"", 10, 6, 6, ""},
        // Several characters go at once, one per 12 pixels of excess.
        {"abcWWWW", 30, 6, 20, "ab"},
        // More to remove than there are characters: one at a time.
        {"abc", 150, 100, 100, "a"},
        // Whole UTF-8 characters only.
        {"Köln - München", 42, 6, 6, "Köln - "},
        {"ÄÖÜäöüß", 18, 6, 6, "ÄÖÜ"},
    };
    for (const Case& c : cases) {
        FixedMeasure m;
        m.normal = c.charWidth;
        m.wide = c.wide;
        EXPECT_EQ(ShortenToWidth(c.text, c.width, m), c.expected) << c.text << " in " << c.width;
    }
}

TEST(TicketLayout, PrintedPagesHoldThreeTickets) {
    const PoolsDocument doc = Calculated(100, 12, 3);
    const TicketPaging p = PagingOf(doc, 36, 40); // the screen position does not matter
    EXPECT_EQ(PrintedPageCount(p), 3);
    FixedMeasure m;
    m.height = 10; // no row gap on the printer
    const TicketLayout l = Printed(doc, p, 2, m);
    const std::vector<TicketItem> titles = Items(l, TicketPart::Title);
    ASSERT_EQ(titles.size(), 3u);
    const char* const expected[3] = {"Ticket No. 7 of 9 (Line 73 to 84 of 100)",
                                     "Ticket No. 8 of 9 (Line 85 to 96 of 100)",
                                     "Ticket No. 9 of 9 (Line 97 to 100 of 100)"};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(titles[k].text, expected[k]);
        EXPECT_EQ(titles[k].y, 45 + 330 * k);
        EXPECT_EQ(titles[k].ticket, 6 + k);
        EXPECT_EQ(One(l, TicketPart::Number, 0, -1, 6 + k).y, 87 + 330 * k);
    }
    EXPECT_EQ(One(l, TicketPart::Tip, 2, 96).x, 27 + 250);
    EXPECT_EQ(Items(l, TicketPart::Tip).size(), 3u * (12 + 12 + 4));
    EXPECT_TRUE(Printed(doc, p, 3).items.empty());

    const PoolsDocument small = Calculated(25, 12, 3);
    const TicketPaging sp = PagingOf(small);
    EXPECT_EQ(PrintedPageCount(sp), 1);
    EXPECT_EQ(Items(Printed(small, sp, 0), TicketPart::Title).size(), 3u);
}

TEST(TicketLayout, NeededSizeWithoutConditionRows) {
    const PoolsDocument doc = Calculated(12, 12, 12);
    const TicketLayout l = Screen(doc, PagingOf(doc));
    EXPECT_EQ(l.conditionRows, 0);
    EXPECT_EQ(l.neededWidth, 538);
    EXPECT_EQ(l.neededHeight, 323 + 30);
}

TEST(TicketLayout, InkColours) {
    EXPECT_EQ(InkColour(Ink::Red).r, 255);
    EXPECT_EQ(InkColour(Ink::Red).b, 0);
    EXPECT_EQ(InkColour(Ink::Blue).b, 255);
    EXPECT_EQ(InkColour(Ink::Default).r + InkColour(Ink::Default).g + InkColour(Ink::Default).b, 0);
}

// A font taller than the printer's rows moves every row down; the tickets of a
// page then stand further apart instead of overlapping.
TEST(TicketLayout, PrintedTicketsNeverOverlapWhateverTheFont) {
    const PoolsDocument doc = Calculated(100, 12, 14);
    const TicketPaging p = PagingOf(doc);
    struct Case {
        int height;
        int distance;
    };
    // 14 rows: rowY(13) = 4 x 8 + (13 + E) x 13 + 87 + E, correct tips 21 lower, E = height - 10.
    const std::vector<Case> cases = {
        {10, 330},                                                  // the rows as made: 330 apart
        {11, 330},                                                  // E = 1: still room enough
        {14, 4 * 8 + 17 * 13 + 87 + 4 + 21 + 14 - 45 + 20},        // 354
        {20, 4 * 8 + 23 * 13 + 87 + 10 + 21 + 20 - 45 + 20},       // taller: 444
        {30, 4 * 8 + 33 * 13 + 87 + 20 + 21 + 30 - 45 + 20},
    };
    for (const Case& c : cases) {
        FixedMeasure m;
        m.height = c.height;
        const TicketLayout l = Printed(doc, p, 0, m);
        EXPECT_EQ(l.ticketDistance, c.distance) << c.height;
        const std::vector<TicketItem> titles = Items(l, TicketPart::Title);
        ASSERT_EQ(titles.size(), 3u);
        for (int k = 0; k < 2; ++k) {
            int bottom = 0;
            for (const TicketItem& item : l.items)
                if (item.ticket == k) bottom = std::max(bottom, item.y + c.height);
            EXPECT_LE(bottom + 20, titles[k + 1].y) << "font " << c.height << ", ticket " << k;
            if (k == 0) {
                EXPECT_EQ(bottom, l.ticketBottom) << c.height;
            }
        }
    }

    // Three condition rows under each ticket need room too.
    PoolsDocument withConditions = doc;
    withConditions.lastConditionState = {1, 1, 1};
    withConditions.evaluation.lineConditionFlags.assign(kMaxLines, 0);
    for (int height : {10, 20}) {
        FixedMeasure m;
        m.height = height;
        const TicketLayout l = Printed(withConditions, PagingOf(withConditions), 0, m);
        ASSERT_EQ(l.conditionRows, 3);
        int bottom = 0;
        for (const TicketItem& item : l.items)
            if (item.ticket == 0) bottom = std::max(bottom, item.y + height);
        EXPECT_EQ(bottom, l.ticketBottom) << height;
        EXPECT_LE(bottom + 20, Items(l, TicketPart::Title)[1].y) << height;
    }
}
