#include "ticketprint/SlipPrintout.h"

#include <wx/dc.h>

namespace vdx::gui {

namespace {
// Hundredths of a millimetre in one logical unit of the crosses.
constexpr double kHundredthsPerUnit = 26.5;
} // namespace

SlipPages::SlipPages(const vdx::PoolsDocument& doc, const vdx::TicketFormatValues& format)
    : doc_(doc), format_(format) {}

int SlipPages::PageCount() { return std::max(1, vdx::TicketPageCount(doc_)); }

vdx::PageMapping SlipPages::MapPage(const vdx::PaperMetrics& paper, wxDC&) {
    vdx::PageMapping mapping = vdx::HundredthsOfMillimetre(paper);
    mapping.scaleX *= kHundredthsPerUnit;
    mapping.scaleY *= kHundredthsPerUnit;
    return mapping;
}

bool SlipPages::DrawPage(wxDC& dc, int page) {
    lastDrawn_ = vdx::TicketCrosses(doc_, format_, page);
    wxPen pen = dc.GetPen();
    if (!pen.IsOk()) pen = *wxBLACK_PEN;
    pen.SetWidth(lastDrawn_.penWidth);
    pen.SetColour(*wxBLACK);
    dc.SetPen(pen);
    for (const vdx::PrintedCross& cross : lastDrawn_.crosses)
        for (const vdx::PrintLine& stroke : cross.strokes)
            dc.DrawLine(stroke.from.x, stroke.from.y, stroke.to.x, stroke.to.y);
    return true;
}

std::unique_ptr<PagePrintout> CreateSlipPrintout(const vdx::PoolsDocument& doc, const vdx::TicketFormatValues& format,
                                                 const wxString& title) {
    return std::make_unique<PagePrintout>(title, std::make_shared<SlipPages>(doc, format));
}

} // namespace vdx::gui
