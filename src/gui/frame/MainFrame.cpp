#include "frame/MainFrame.h"

#include "app/Messages.h"
#include "app/MyDocManager.h"
#include "app/VdxApp.h"
#include "frame/AppIcon.h"
#include "frame/CommandIds.h"
#include "frame/MenuBuilder.h"

#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/sizer.h>

using namespace vdx::gui;

MainFrame::MainFrame(MyDocManager* manager, int games, bool single)
    : wxDocParentFrame(manager, nullptr, kIdMainFrame, "VendrixPlanner", wxPoint(0, 0),
                       wxSize(550, 17 * games + 287), wxDEFAULT_FRAME_STYLE, "frame") {
    SetIcon(MakeFootballIcon());

    wxMenuBar* bar = BuildMenuBar(FrameKind::Main, single);
    SetMenuBar(bar);
    if (wxMenu* file = bar->GetMenu(0)) manager->FileHistoryUseMenu(file);
    CreateStatusBar();

    canvas_ = new wxPanel(this, wxID_ANY);
    canvas_->SetBackgroundColour(*wxWHITE);
    canvas_->SetSizer(new wxBoxSizer(wxVERTICAL));
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(canvas_, 1, wxEXPAND);
    SetSizer(sizer);

    // Bound after the base class: runs first and may keep the frame open.
    Bind(wxEVT_CLOSE_WINDOW, &MainFrame::OnClose, this);
    Bind(wxEVT_MENU, [](wxCommandEvent&) { if (VdxApp* app = VdxApp::Get()) app->OpenExample(); },
         kIdExample);
    Bind(wxEVT_MENU, [](wxCommandEvent&) { if (VdxApp* app = VdxApp::Get()) app->ShowLog(); },
         kIdShowLog);
}

void MainFrame::ShowInCanvas(wxWindow* window) {
    canvas_->GetSizer()->Clear(false); // the views own their windows
    canvas_->GetSizer()->Add(window, 1, wxEXPAND);
    canvas_->Layout();
}

void MainFrame::OnClose(wxCloseEvent& event) {
    auto* manager = static_cast<MyDocManager*>(GetDocumentManager());
    if (event.CanVeto() && manager && manager->AnyCalculationRunning()) {
        ShowMessage(_("Please stop the calculation\nbefore you quit the application!"),
                    wxOK | wxICON_INFORMATION, ProgramTitle(), this);
        event.Veto();
        return;
    }
    event.Skip(); // the document manager closes the documents, each may ask to save
}
