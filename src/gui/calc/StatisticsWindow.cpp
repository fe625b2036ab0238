#include "calc/StatisticsWindow.h"

#include "calc/StatisticsPanel.h"
#include "controls/Help.h"
#include "document/VdxDocument.h"
#include "frame/FrameBitmaps.h"
#include "frame/FrameCommands.h"
#include "frame/MenuBuilder.h"
#include "windows/DocumentWindows.h"

#include <wx/display.h>
#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/sizer.h>

#include <algorithm>

namespace vdx::gui {

namespace {

constexpr int kIdStatisticsHelp = 7056;

const MenuTable& StatisticsMenus() {
    static const MenuTable menus = {
        {wxTRANSLATE("&Help"),
         {MenuItem(kIdStatisticsHelp, wxTRANSLATE("&Help (Statistics)"), "F1",
                   wxTRANSLATE("displays help on the statistics (F1)"))}},
    };
    return menus;
}

// The page of 780 x 525 pixels with room for both scroll bars.
wxSize DefaultSize() {
    return wxSize(780 + wxSystemSettings::GetMetric(wxSYS_VSCROLL_X),
                  525 + wxSystemSettings::GetMetric(wxSYS_HSCROLL_Y));
}

} // namespace

StatisticsWindow::StatisticsWindow(VdxDocument* doc)
    : wxFrame(nullptr, wxID_ANY, DocumentWindowTitle(doc, DocWindow::Statistics), wxDefaultPosition,
              DefaultSize()) {
    SetIcons(FrameIcon("fussball2"));
    BuildWindowMenusAndTools(this, StatisticsMenus(), CurrentMenuOptions());
    Bind(wxEVT_MENU, [](wxCommandEvent&) { ShowHelpSection(HelpSection::Statistics); }, kIdStatisticsHelp);

    panel_ = new StatisticsPanel(this, doc);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(panel_, 1, wxEXPAND);
    SetSizer(sizer);
    SetClientSize(WholePageClientSize());
    // Frame extents that arrive late take their room from the client area:
    // it grows back, once per size it was left with.
    Bind(wxEVT_IDLE, [this](wxIdleEvent& event) {
        event.Skip();
        if (!IsShown() || IsMaximized() || IsIconized()) return;
        const wxSize client = GetClientSize();
        const wxSize wanted = WholePageClientSize();
        if ((client.x < wanted.x || client.y < wanted.y) && client != grownFrom_) {
            grownFrom_ = client;
            SetClientSize(wxSize(std::max(client.x, wanted.x), std::max(client.y, wanted.y)));
        }
    });
    doc->Subscribe(this, [this](DocumentChange) { panel_->Recompute(); });
}

wxSize StatisticsWindow::WholePageClientSize() const {
    const vdx::StatisticsLayout& page = panel_->Drawing();
    const wxSize client = GetClientSize();
    wxSize wanted(std::max(client.x, page.width), std::max(client.y, page.height));
    const wxRect screen = wxDisplay(this).GetClientArea();
    const wxSize frame = GetSize() - client;
    wanted.DecTo(screen.GetSize() - frame);
    return wanted;
}

StatisticsWindow* FindStatisticsWindow(const VdxDocument* doc) {
    return FindDocumentWindow<StatisticsWindow>(doc, DocWindow::Statistics);
}

StatisticsWindow* OpenStatisticsWindow(VdxDocument* doc) {
    return OpenDocumentWindow<StatisticsWindow>(doc, DocWindow::Statistics,
                                                [doc] { return new StatisticsWindow(doc); });
}

} // namespace vdx::gui
