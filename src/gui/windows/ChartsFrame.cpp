#include "windows/ChartsFrame.h"

#include "charts/ChartLayout.h"
#include "controls/Help.h"
#include "document/VdxDocument.h"
#include "view/TicketRender.h"
#include "windows/ChartsPage.h"
#include "windows/DocumentWindows.h"
#include "windows/MyNotebook.h"

#include <wx/dcmemory.h>
#include <wx/intl.h>
#include <wx/settings.h>

#include <algorithm>
#include <array>

namespace vdx::gui {

namespace {

// 588 x 377 at (100, 50), larger when the font's rows or the counts need more room.
wxRect FirstPlace(const VdxDocument* doc) {
    std::array<vdx::ChartPage, vdx::kChartPageCount> pages;
    for (int p = 0; p < vdx::kChartPageCount; ++p) pages[p] = vdx::ComputeChartPage(doc->Data(), p);
    wxBitmap bitmap(1, 1);
    wxMemoryDC dc(bitmap);
    const auto metrics =
        vdx::MeasureChartPages(pages, WxTextMeasure(dc, wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT)));
    vdx::ChartMetrics largest = metrics[0];
    for (const vdx::ChartMetrics& m : metrics) largest.valueExtra = std::max(largest.valueExtra, m.valueExtra);
    const vdx::ChartRect r = vdx::ChartFrameSize(largest);
    // Wide enough for the three tabs side by side (room for a tab's padding is a guess at the theme's).
    int tabs = 0;
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    for (const vdx::ChartPage& page : pages) tabs += dc.GetTextExtent(wxString::FromUTF8(page.tabLabel)).x + 36;
    return wxRect(r.x, r.y, std::max(r.width, tabs + 40), r.height);
}

} // namespace

ChartsFrame::ChartsFrame(VdxDocument* doc)
    : MyNotebookFrame(doc, DocumentWindowTitle(doc, DocWindow::Charts), FirstPlace(doc).GetPosition(),
                      FirstPlace(doc).GetSize()) {
    auto* book = new MyNotebook(this);
    for (int group = 0; group < vdx::kChartPageCount; ++group) new ChartsPage(book, group);
    // Every change (an edit, new lines, other conditions) re-evaluates the lines;
    // a page repaints only when what it shows differs.
    doc->Subscribe(this, [this](DocumentChange) { RefreshCharts(); });
}

int ChartsFrame::HelpSectionNumber() const { return HelpSection::Charts; }

ChartsPage* ChartsFrame::ChartPage(int group) const {
    return Book() ? dynamic_cast<ChartsPage*>(Book()->Page(group)) : nullptr;
}

void ChartsFrame::RefreshCharts() {
    if (Book()) Book()->RefreshAllFromData();
}

ChartsFrame* FindChartsFrame(const VdxDocument* doc) { return FindDocumentWindow<ChartsFrame>(doc, DocWindow::Charts); }

ChartsFrame* OpenChartsFrame(VdxDocument* doc) {
    return OpenDocumentWindow<ChartsFrame>(doc, DocWindow::Charts, [doc] {
        auto* frame = new ChartsFrame(doc);
        frame->Open();
        return frame;
    });
}

} // namespace vdx::gui
