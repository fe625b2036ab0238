#pragma once
// The pages of ticket printing: one betting slip a page, with a cross per
// match and line where the format puts it.

#include "document/PoolsDocument.h"
#include "ticketprint/TicketFormat.h"
#include "ticketprint/TicketPrint.h"
#include "view/PagePrintout.h"

#include <memory>

namespace vdx::gui {

class SlipPages : public PrintPages {
public:
    // Copies of the document and the format: what is printed does not change
    // while the printer works.
    SlipPages(const vdx::PoolsDocument& doc, const vdx::TicketFormatValues& format);

    int PageCount() override;
    // One logical unit is the drawing's unit on the slip (0.265 mm), from
    // the paper's corner.
    vdx::PageMapping MapPage(const vdx::PaperMetrics& paper, wxDC& dc) override;
    bool DrawPage(wxDC& dc, int page) override;

    // The crosses of the page drawn last.
    const vdx::TicketPrintout& LastDrawn() const { return lastDrawn_; }

private:
    vdx::PoolsDocument doc_;
    vdx::TicketFormatValues format_;
    vdx::TicketPrintout lastDrawn_;
};

// The printout of the document's tickets with a format.
std::unique_ptr<PagePrintout> CreateSlipPrintout(const vdx::PoolsDocument& doc, const vdx::TicketFormatValues& format,
                                                 const wxString& title);

} // namespace vdx::gui
