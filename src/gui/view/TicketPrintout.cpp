#include "view/TicketPrintout.h"

#include "document/VdxDocument.h"
#include "view/TicketRender.h"
#include "view/VdxView.h"

#include <wx/dc.h>

#include <algorithm>

namespace vdx::gui {

int TicketPrintPages::PageCount() {
    if (!view_) return 1;
    return vdx::PageCountFor(view_->Paging().ticketCount(), vdx::kTicketsPerPage);
}

vdx::PageMapping TicketPrintPages::MapPage(const vdx::PaperMetrics& paper, wxDC& dc) {
    if (!view_) return vdx::FitScreenDrawing(paper, 0, 0);
    // The first page stands for all: every page is placed alike.
    const vdx::TicketLayout first = view_->PrintedLayout(dc, 0);
    const vdx::DrawingSize size =
        vdx::TicketPageSize(first.scale, vdx::kTicketsPerPage, first.ticketDistance, first.ticketBottom);
    return vdx::FitScreenDrawing(paper, size.width, size.height);
}

bool TicketPrintPages::DrawPage(wxDC& dc, int page) {
    if (!view_) return false;
    lastLayout_ = view_->Draw(dc, true, page);
    return true;
}

std::unique_ptr<PagePrintout> CreateTicketPrintout(VdxView* view) {
    const VdxDocument* doc = view ? view->Document() : nullptr;
    const wxString title = doc ? doc->GetUserReadableName() : wxString("VendrixPlanner");
    return std::make_unique<PagePrintout>(title, std::make_shared<TicketPrintPages>(view));
}

TicketPrintPages* TicketPagesOf(wxPrintout* printout) {
    auto* pages = dynamic_cast<PagePrintout*>(printout);
    return pages ? dynamic_cast<TicketPrintPages*>(&pages->Pages()) : nullptr;
}

} // namespace vdx::gui
