#include "view/PrintPages.h"

#include "view/TicketLayout.h"

#include <algorithm>
#include <cmath>

namespace vdx {

namespace {
// Room left under the last ticket of a page.
constexpr int kBottomMargin = 20;

double Ratio(int numerator, int denominator) {
    return denominator > 0 ? static_cast<double>(numerator) / denominator : 1.0;
}
} // namespace

int PageCountFor(int ticketCount, int perPage) {
    if (perPage < 1) perPage = 1;
    return std::max(1, (ticketCount + perPage - 1) / perPage);
}

PageTickets TicketsOnPage(int ticketCount, int perPage, int page) {
    if (perPage < 1) perPage = 1;
    const int tickets = std::max(ticketCount, 1);
    PageTickets result;
    if (page < 0 || page >= PageCountFor(tickets, perPage)) return result;
    result.first = page * perPage;
    result.count = std::min(perPage, tickets - result.first);
    return result;
}

int PageMapping::deviceX(double logicalX) const { return static_cast<int>(std::lround(originX + logicalX * scaleX)); }
int PageMapping::deviceY(double logicalY) const { return static_cast<int>(std::lround(originY + logicalY * scaleY)); }

PageMapping FitScreenDrawing(const PaperMetrics& paper, int drawingWidth, int drawingHeight) {
    // The surface is the page itself on a printer and a smaller copy in a preview.
    const double surfaceX = Ratio(paper.surfaceWidth, paper.pageWidthPx);
    const double surfaceY = Ratio(paper.surfaceHeight, paper.pageHeightPx);
    PageMapping mapping;
    mapping.scaleX = Ratio(paper.printerPpiX, paper.screenPpiX) * surfaceX;
    mapping.scaleY = Ratio(paper.printerPpiY, paper.screenPpiY) * surfaceY;
    double shrink = 1.0;
    if (paper.surfaceWidth > 0 && drawingWidth > 0 && drawingWidth * mapping.scaleX > paper.surfaceWidth)
        shrink = std::min(shrink, paper.surfaceWidth / (drawingWidth * mapping.scaleX));
    if (paper.surfaceHeight > 0 && drawingHeight > 0 && drawingHeight * mapping.scaleY > paper.surfaceHeight)
        shrink = std::min(shrink, paper.surfaceHeight / (drawingHeight * mapping.scaleY));
    mapping.scaleX *= shrink;
    mapping.scaleY *= shrink;
    return mapping;
}

PageMapping HundredthsOfMillimetre(const PaperMetrics& paper) {
    const double surfaceX = Ratio(paper.surfaceWidth, paper.pageWidthPx);
    const double surfaceY = Ratio(paper.surfaceHeight, paper.pageHeightPx);
    PageMapping mapping;
    mapping.scaleX = paper.printerPpiX / 2540.0 * surfaceX;
    mapping.scaleY = paper.printerPpiY / 2540.0 * surfaceY;
    mapping.originX = paper.paperLeftPx * surfaceX;
    mapping.originY = paper.paperTopPx * surfaceY;
    return mapping;
}

DrawingSize TicketPageSize(int scale, int perPage, int distance, int ticketBottom) {
    DrawingSize size;
    size.width = (kTicketViewWidth + 2 * PrinterGeometry().xOffset) * scale / 100;
    size.height = distance * (std::max(perPage, 1) - 1) + std::max(ticketBottom, 0) + kBottomMargin;
    return size;
}

} // namespace vdx
