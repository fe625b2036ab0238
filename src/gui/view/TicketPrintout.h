#pragma once
// The pools document on paper: three tickets a page, drawn by the ticket
// view's own drawing in its printing mode.

#include "view/PagePrintout.h"
#include "view/TicketLayout.h"

#include <wx/weakref.h>

#include <memory>

#include "view/VdxView.h"

namespace vdx::gui {

class TicketPrintPages : public PrintPages {
public:
    explicit TicketPrintPages(VdxView* view) : view_(view) {}

    int PageCount() override;
    // The screen's size, shrunk evenly where the page of tickets would not fit.
    vdx::PageMapping MapPage(const vdx::PaperMetrics& paper, wxDC& dc) override;
    bool DrawPage(wxDC& dc, int page) override;

    // What the last page drawn holds.
    const vdx::TicketLayout& LastLayout() const { return lastLayout_; }

private:
    wxWeakRef<VdxView> view_; // the printout may outlive a closed view
    vdx::TicketLayout lastLayout_;
};

// A printout of the view's document, titled with the document's name.
std::unique_ptr<PagePrintout> CreateTicketPrintout(VdxView* view);
// The ticket pages of a printout made by CreateTicketPrintout, else nullptr.
TicketPrintPages* TicketPagesOf(wxPrintout* printout);

} // namespace vdx::gui
