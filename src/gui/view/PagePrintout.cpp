#include "view/PagePrintout.h"

#include <wx/dc.h>

#include <cmath>

namespace vdx::gui {

PagePrintout::PagePrintout(const wxString& title, std::shared_ptr<PrintPages> pages)
    : wxPrintout(title), pages_(std::move(pages)) {}

vdx::PaperMetrics PagePrintout::Paper() const {
    vdx::PaperMetrics paper;
    GetPageSizePixels(&paper.pageWidthPx, &paper.pageHeightPx);
    if (wxDC* dc = GetDC()) dc->GetSize(&paper.surfaceWidth, &paper.surfaceHeight);
    GetPPIPrinter(&paper.printerPpiX, &paper.printerPpiY);
    GetPPIScreen(&paper.screenPpiX, &paper.screenPpiY);
    const wxRect paperRect = GetPaperRectPixels();
    paper.paperLeftPx = paperRect.x;
    paper.paperTopPx = paperRect.y;
    return paper;
}

bool PagePrintout::OnPrintPage(int page) {
    wxDC* dc = GetDC();
    if (!dc || !dc->IsOk() || !HasPage(page)) return false;
    const vdx::PaperMetrics paper = Paper();
    // The pages measure their texts with the screen's size on this paper.
    const vdx::PageMapping natural = vdx::FitScreenDrawing(paper, 0, 0);
    dc->SetDeviceOrigin(0, 0);
    dc->SetUserScale(natural.scaleX, natural.scaleY);
    lastMapping_ = pages_->MapPage(paper, *dc);
    dc->SetDeviceOrigin(static_cast<wxCoord>(std::lround(lastMapping_.originX)),
                        static_cast<wxCoord>(std::lround(lastMapping_.originY)));
    dc->SetUserScale(lastMapping_.scaleX, lastMapping_.scaleY);
    return pages_->DrawPage(*dc, page - 1);
}

bool PagePrintout::HasPage(int page) { return page >= 1 && page <= pages_->PageCount(); }

void PagePrintout::GetPageInfo(int* minPage, int* maxPage, int* selFrom, int* selTo) {
    *minPage = 1;
    *maxPage = pages_->PageCount();
    *selFrom = 1;
    *selTo = *maxPage;
}

bool PrintPageOnto(PagePrintout& printout, wxDC& dc, int page, int ppi) {
    const wxSize size = dc.GetSize();
    printout.SetDC(&dc);
    printout.SetPPIPrinter(ppi, ppi);
    printout.SetPPIScreen(96, 96); // a screen of the usual resolution, whatever the display
    printout.SetPageSizePixels(size.x, size.y);
    printout.SetPaperRectPixels(wxRect(0, 0, size.x, size.y));
    printout.SetPageSizeMM(size.x * 254 / (10 * ppi), size.y * 254 / (10 * ppi));
    const bool printed = printout.OnPrintPage(page);
    printout.SetDC(nullptr);
    return printed;
}

} // namespace vdx::gui
