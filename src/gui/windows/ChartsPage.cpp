#include "windows/ChartsPage.h"

#include "charts/ChartLayout.h"
#include "document/VdxDocument.h"
#include "view/TicketRender.h"
#include "windows/ChartCanvas.h"
#include "windows/MyNotebook.h"

#include <wx/dcmemory.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/toplevel.h>

#include <algorithm>
#include <array>

namespace vdx::gui {

ChartsPage::ChartsPage(MyNotebook* book, int group) : NotebookPage(book, wxString()), group_(group) {
    KeepOnlyFirstButton(_("&Close"), _("closes the window"));
    canvas_ = new ChartCanvas(this);
    Content()->Add(canvas_, 1, wxEXPAND);
    // The tab label and the room the drawing needs are known before the window opens.
    RefreshFromData();
}

void ChartsPage::RefreshFromData() {
    const VdxDocument* doc = Document();
    if (!doc) return;
    // The metrics depend on all three pages: the range pages share their value room.
    std::array<vdx::ChartPage, vdx::kChartPageCount> pages;
    for (int p = 0; p < vdx::kChartPageCount; ++p) pages[p] = vdx::ComputeChartPage(doc->Data(), p);
    wxBitmap bitmap(1, 1);
    wxMemoryDC dc(bitmap);
    const auto metrics = vdx::MeasureChartPages(pages, WxTextMeasure(dc, canvas_->GetFont()));

    const vdx::ChartPage& page = pages[group_];
    const wxString label = wxString::FromUTF8(page.tabLabel);
    if (Book()->GetPageText(Index()) != label) Book()->SetPageText(Index(), label);
    if (!canvas_->ShowPage(page, metrics[group_])) return;
    // A drawing that needs more room than the canvas has makes the window larger.
    // (Before the window opens its first size is made to hold the drawing.)
    wxWindow* frame = wxGetTopLevelParent(this);
    if (!frame || !frame->IsShown()) return;
    const wxSize missing = canvas_->GetMinSize() - canvas_->GetClientSize();
    if (missing.x > 0 || missing.y > 0) {
        const wxSize grow(std::max(0, missing.x), std::max(0, missing.y));
        if (frame->GetMinSize().IsFullySpecified()) frame->SetMinSize(frame->GetMinSize() + grow);
        frame->SetSize(frame->GetSize() + grow);
    }
}

} // namespace vdx::gui
