#include "windows/ChartsFrame.h"

#include "charts/ChartLayout.h"
#include "controls/Help.h"
#include "document/VdxDocument.h"
#include "view/TicketRender.h"
#include "windows/ChartsPage.h"
#include "windows/DocumentTitle.h"
#include "windows/MyNotebook.h"

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/intl.h>
#include <wx/settings.h>

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
    return wxRect(r.x, r.y, r.width, r.height);
}

} // namespace

ChartsFrame::ChartsFrame(VdxDocument* doc)
    : MyNotebookFrame(doc, DocumentWindowTitle(doc) + _(": Charts"), FirstPlace(doc).GetPosition(),
                      FirstPlace(doc).GetSize()) {
    FollowDocumentTitle(this, doc, _(": Charts"));
    auto* book = new MyNotebook(this);
    for (int group = 0; group < vdx::kChartPageCount; ++group) new ChartsPage(book, group);
    // Each evaluation of the lines against the conditions reaches the pages.
    doc->Data().onEvaluationChanged = [this] { RefreshCharts(); };
}

ChartsFrame::~ChartsFrame() { ForgetInOwner(); }

int ChartsFrame::HelpSectionNumber() const { return HelpSection::Charts; }

void ChartsFrame::ForgetInOwner() {
    if (VdxDocument* doc = Document()) doc->Data().onEvaluationChanged = nullptr;
}

ChartsPage* ChartsFrame::ChartPage(int group) const {
    return Book() ? dynamic_cast<ChartsPage*>(Book()->Page(group)) : nullptr;
}

void ChartsFrame::RefreshCharts() {
    if (Book()) Book()->RefreshAllFromData();
}

ChartsFrame* FindChartsFrame(const VdxDocument* doc) {
    if (!doc) return nullptr;
    for (wxWindow* window : wxTopLevelWindows) {
        auto* charts = dynamic_cast<ChartsFrame*>(window);
        if (charts && !charts->IsBeingDeleted() && !wxTheApp->IsScheduledForDestruction(charts) &&
            charts->Document() == doc)
            return charts;
    }
    return nullptr;
}

ChartsFrame* OpenChartsFrame(VdxDocument* doc) {
    if (!doc) return nullptr;
    if (ChartsFrame* existing = FindChartsFrame(doc)) {
        RaiseNotebookFrame(existing);
        return existing;
    }
    auto* frame = new ChartsFrame(doc);
    frame->Open();
    return frame;
}

} // namespace vdx::gui
