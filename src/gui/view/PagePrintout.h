#pragma once
// A printout of numbered pages whose drawing comes from a PrintPages object:
// the same printout serves the printer, the preview and pictures made
// without a printer. The pages say how their units lie on the paper (the
// screen's size, shrunk to fit; or hundredths of a millimetre from the
// paper's corner) and draw each page with the device context prepared so.

#include "view/PrintPages.h"

#include <wx/prntbase.h>

#include <memory>

class wxDC;

namespace vdx::gui {

class PrintPages {
public:
    virtual ~PrintPages() = default;
    // Pages to print, at least 1.
    virtual int PageCount() = 0;
    // How the logical units of the drawing lie on the paper; dc is the device
    // that will be drawn on (for measuring texts), its user scale that of the
    // screen's size on this paper.
    virtual vdx::PageMapping MapPage(const vdx::PaperMetrics& paper, wxDC& dc) = 0;
    // Draws page (0-based) in logical units; the mapping is set on dc.
    virtual bool DrawPage(wxDC& dc, int page) = 0;
};

class PagePrintout : public wxPrintout {
public:
    PagePrintout(const wxString& title, std::shared_ptr<PrintPages> pages);

    bool OnPrintPage(int page) override; // page counts from 1
    bool HasPage(int page) override;
    void GetPageInfo(int* minPage, int* maxPage, int* selFrom, int* selTo) override;

    PrintPages& Pages() { return *pages_; }
    // The paper as the framework has described it to this printout.
    vdx::PaperMetrics Paper() const;
    // The mapping of the page printed last.
    const vdx::PageMapping& LastMapping() const { return lastMapping_; }

private:
    std::shared_ptr<PrintPages> pages_;
    vdx::PageMapping lastMapping_;
};

// Prints page (from 1) of printout onto dc as onto a printer of the dc's size
// at ppi pixels an inch, without a printer: for pictures and tests.
bool PrintPageOnto(PagePrintout& printout, wxDC& dc, int page, int ppi);

} // namespace vdx::gui
