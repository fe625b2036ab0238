#pragma once
// Printed pages as plain numbers: which tickets a page holds, how large the
// drawing of a page of tickets is, and how its units map onto a sheet of paper
// of a given size (a printer's page or the preview's picture of it).

namespace vdx {

// The tickets of one printed page: first index and how many (0 when the page
// does not exist).
struct PageTickets {
    int first = 0;
    int count = 0;
};

// Number of pages for ticketCount tickets, perPage on a page; at least 1 (a
// document without tips prints its empty ticket).
int PageCountFor(int ticketCount, int perPage);
// The tickets on page (0-based).
PageTickets TicketsOnPage(int ticketCount, int perPage, int page);

// What a printout is told about the paper. Pixels are the printer's; the
// surface is what is drawn on: the printer's page itself, or a smaller
// picture of it in a preview.
struct PaperMetrics {
    int pageWidthPx = 0, pageHeightPx = 0;       // the printable page
    int surfaceWidth = 0, surfaceHeight = 0;     // the device drawn on
    int printerPpiX = 0, printerPpiY = 0;
    int screenPpiX = 0, screenPpiY = 0;
    int paperLeftPx = 0, paperTopPx = 0;         // the paper's corner from the page's (zero or negative)
};

// device = origin + logical x scale.
struct PageMapping {
    double scaleX = 1.0, scaleY = 1.0;
    double originX = 0.0, originY = 0.0;
    int deviceX(double logicalX) const;
    int deviceY(double logicalY) const;
};

// Logical units of one screen pixel, so a drawing made for the screen comes
// out at its size in inches; when it would not fit the page (wider than high
// paper, large fonts) it is shrunk evenly until it does. The drawing begins
// at the page's corner.
PageMapping FitScreenDrawing(const PaperMetrics& paper, int drawingWidth, int drawingHeight);

// Logical units of a hundredth of a millimetre from the paper's own corner,
// for drawings placed on the sheet by measure (printing onto betting slips).
PageMapping HundredthsOfMillimetre(const PaperMetrics& paper);

// The size of a page of tickets as the ticket drawing places them: width
// from the ticket's units at the scale with the printing offset on both
// sides; height down to the last of perPage tickets, which stand distance
// apart, the first one's last text ending at ticketBottom (logical units).
struct DrawingSize {
    int width = 0, height = 0;
};
DrawingSize TicketPageSize(int scale, int perPage, int distance, int ticketBottom);

} // namespace vdx
