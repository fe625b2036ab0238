// Printed pages: the tickets of each page, the size of a page of tickets and
// how it is placed on paper of several sizes, on a printer and in a preview.

#include "view/PrintPages.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vdx;

TEST(PrintPagesTest, TicketsAreDealtOutPageByPage) {
    struct Case {
        int tickets, perPage, page;
        int pages, first, count;
    };
    const std::vector<Case> cases = {
        {3, 3, 0, 1, 0, 3},  // 25 lines at 12 a ticket: one page
        {9, 3, 2, 3, 6, 3},  // 100 lines at 12 a ticket: three pages
        {10, 3, 3, 4, 9, 1}, // the last page holds what is left
        {10, 3, 4, 4, 0, 0}, // past the last page: none
        {10, 3, -1, 4, 0, 0},
        {0, 3, 0, 1, 0, 1},  // without tips: one page with the empty ticket
        {5, 1, 4, 5, 4, 1},  // one ticket a page, as on betting slips
        {5, 0, 1, 5, 1, 1},  // a page holds at least one ticket
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PageCountFor(c.tickets, c.perPage), c.pages) << c.tickets << "/" << c.perPage;
        const PageTickets t = TicketsOnPage(c.tickets, c.perPage, c.page);
        EXPECT_EQ(t.first, c.first) << c.tickets << "/" << c.perPage << " page " << c.page;
        EXPECT_EQ(t.count, c.count) << c.tickets << "/" << c.perPage << " page " << c.page;
    }
}

TEST(PrintPagesTest, DrawingKeepsItsScreenSizeWhereItFitsAndShrinksEvenlyWhereNot) {
    // A4 at 600 dpi is 4961 x 7016 pixels; the screen has 96 pixels an inch.
    const DrawingSize tickets = TicketPageSize(100, 3, 330, 375);
    struct Case {
        const char* what;
        PaperMetrics paper;
        double scaleX, scaleY;
    };
    const std::vector<Case> cases = {
        {"portrait", {4961, 7016, 4961, 7016, 600, 600, 96, 96, 0, 0}, 6.25, 6.25},
        {"preview at a tenth", {4961, 7016, 496, 701, 600, 600, 96, 96, 0, 0}, 0.625, 0.62489},
        {"landscape", {7016, 4961, 7016, 4961, 600, 600, 96, 96, 0, 0}, 4961.0 / tickets.height,
         4961.0 / tickets.height},
        {"landscape preview", {7016, 4961, 701, 496, 600, 600, 96, 96, 0, 0}, 496.0 / tickets.height,
         496.0 / tickets.height},
        {"printer of 300 by 600 dpi", {2480, 7016, 2480, 7016, 300, 600, 96, 96, 0, 0}, 3.125, 6.25},
        {"narrow strip", {1000, 7016, 1000, 7016, 600, 600, 96, 96, 0, 0}, 1000.0 / tickets.width,
         1000.0 / tickets.width},
        {"nothing known", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 1.0, 1.0},
    };
    for (const Case& c : cases) {
        const PageMapping m = FitScreenDrawing(c.paper, tickets.width, tickets.height);
        EXPECT_NEAR(m.scaleX, c.scaleX, 1e-3) << c.what;
        EXPECT_NEAR(m.scaleY, c.scaleY, 1e-3) << c.what;
        EXPECT_EQ(m.deviceX(0), 0) << c.what;
        if (c.paper.surfaceWidth > 0) {
            // Everything lies on the surface.
            EXPECT_LE(m.deviceX(tickets.width), c.paper.surfaceWidth) << c.what;
            EXPECT_LE(m.deviceY(tickets.height), c.paper.surfaceHeight) << c.what;
        }
    }
}

TEST(PrintPagesTest, TicketPageReachesDownToItsLastTicket) {
    struct Case {
        int scale, perPage, distance, bottom;
        int width, height;
    };
    const std::vector<Case> cases = {
        {100, 3, 330, 345, 592, 660 + 345 + 20},
        {150, 3, 330, 345, 888, 660 + 345 + 20},
        {100, 1, 330, 345, 592, 345 + 20},       // one ticket a page
        {100, 3, 444, 469, 592, 888 + 469 + 20}, // tall tickets stand further apart
    };
    for (const Case& c : cases) {
        const DrawingSize size = TicketPageSize(c.scale, c.perPage, c.distance, c.bottom);
        EXPECT_EQ(size.width, c.width);
        EXPECT_EQ(size.height, c.height);
    }
}

TEST(PrintPagesTest, HundredthsOfMillimetreCountFromThePapersCorner) {
    // 600 dpi: 2540 hundredths of a millimetre (one inch) are 600 pixels.
    PaperMetrics paper{4961, 7016, 4961, 7016, 600, 600, 96, 96, -71, -47};
    PageMapping m = HundredthsOfMillimetre(paper);
    EXPECT_EQ(m.deviceX(0), -71);
    EXPECT_EQ(m.deviceY(0), -47);
    EXPECT_EQ(m.deviceX(2540) - m.deviceX(0), 600);
    EXPECT_EQ(m.deviceY(21000) - m.deviceY(0), 4961); // 210 mm
    // In a preview at a tenth everything is a tenth.
    paper.surfaceWidth = 496;
    paper.surfaceHeight = 701;
    m = HundredthsOfMillimetre(paper);
    EXPECT_NEAR(m.scaleX, 600.0 / 2540 * 496 / 4961, 1e-9);
    EXPECT_EQ(m.deviceX(0), -7);
}
