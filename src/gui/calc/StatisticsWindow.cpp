#include "calc/StatisticsWindow.h"

#include "calc/StatisticsPanel.h"
#include "controls/Help.h"
#include "document/VdxDocument.h"
#include "frame/FrameBitmaps.h"
#include "frame/WindowList.h"
#include "windows/DocumentTitle.h"

#include <wx/app.h>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/sizer.h>

namespace vdx::gui {

namespace {

constexpr int kIdStatisticsHelp = 7056;

// The page of 780 x 525 pixels with room for both scroll bars.
wxSize DefaultSize() {
    return wxSize(780 + wxSystemSettings::GetMetric(wxSYS_VSCROLL_X),
                  525 + wxSystemSettings::GetMetric(wxSYS_HSCROLL_Y));
}

} // namespace

StatisticsWindow::StatisticsWindow(VdxDocument* doc)
    : wxFrame(nullptr, wxID_ANY, DocumentWindowTitle(doc) + _(": Statistics"), wxDefaultPosition, DefaultSize()),
      doc_(doc) {
    SetIcons(FrameIcon("fussball2"));
    FollowDocumentTitle(this, doc, _(": Statistics"));

    auto* bar = new wxMenuBar;
    auto* help = new wxMenu;
    help->Append(kIdStatisticsHelp, _("&Help (Statistics)") + "\tF1");
    bar->Append(help, _("&Help"));
    SetMenuBar(bar);
    Bind(wxEVT_MENU, [](wxCommandEvent&) { ShowHelpSection(HelpSection::Statistics); }, kIdStatisticsHelp);

    panel_ = new StatisticsPanel(this, doc);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(panel_, 1, wxEXPAND);
    SetSizer(sizer);

    // The window goes with its document.
    Bind(wxEVT_IDLE, [this](wxIdleEvent& event) {
        event.Skip();
        if (!doc_ && !IsBeingDeleted()) {
            AppWindows().Unregister(this);
            Destroy();
        }
    });
    AppWindows().Register(this);
}

StatisticsWindow* FindStatisticsWindow(const VdxDocument* doc) {
    if (!doc) return nullptr;
    for (wxWindow* window : wxTopLevelWindows) {
        auto* statistics = dynamic_cast<StatisticsWindow*>(window);
        if (statistics && !statistics->IsBeingDeleted() && !wxTheApp->IsScheduledForDestruction(statistics) &&
            statistics->Document() == doc)
            return statistics;
    }
    return nullptr;
}

StatisticsWindow* OpenStatisticsWindow(VdxDocument* doc) {
    if (!doc) return nullptr;
    if (StatisticsWindow* existing = FindStatisticsWindow(doc)) {
        AppWindows().ActivateWindow(existing);
        return existing;
    }
    auto* window = new StatisticsWindow(doc);
    window->Show();
    return window;
}

} // namespace vdx::gui
