#include "calc/StatisticsWindow.h"

#include "calc/StatisticsPanel.h"
#include "controls/Help.h"
#include "document/VdxDocument.h"
#include "frame/FrameBitmaps.h"
#include "frame/FrameCommands.h"
#include "frame/MenuBuilder.h"
#include "windows/DocumentWindows.h"

#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/sizer.h>

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
    doc->Subscribe(this, [this](DocumentChange) { panel_->Recompute(); });
}

StatisticsWindow* FindStatisticsWindow(const VdxDocument* doc) {
    return FindDocumentWindow<StatisticsWindow>(doc, DocWindow::Statistics);
}

StatisticsWindow* OpenStatisticsWindow(VdxDocument* doc) {
    return OpenDocumentWindow<StatisticsWindow>(doc, DocWindow::Statistics,
                                                [doc] { return new StatisticsWindow(doc); });
}

} // namespace vdx::gui
