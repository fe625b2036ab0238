#include "frame/PoolsChildFrame.h"

#include "app/VdxApp.h"
#include "frame/AppIcon.h"
#include "frame/CommandIds.h"
#include "frame/MenuBuilder.h"

#include <wx/menu.h>
#include <wx/sizer.h>

using namespace vdx::gui;

PoolsChildFrame::PoolsChildFrame(wxDocument* doc, wxView* view, wxFrame* parent, int games)
    : wxDocChildFrame(doc, view, parent, kIdPoolsChildFrame, "VdxView", wxPoint(10, 10),
                      wxSize(550, 525 - 17 * (14 - games)), wxDEFAULT_FRAME_STYLE, "frame") {
    SetIcon(MakeFootballIcon());
    SetMenuBar(BuildMenuBar(FrameKind::PoolsChild, false));
    CreateStatusBar();
    SetSizer(new wxBoxSizer(wxVERTICAL));
    Bind(wxEVT_MENU, [](wxCommandEvent&) { if (VdxApp* app = VdxApp::Get()) app->OpenExample(); },
         kIdExample);
    Bind(wxEVT_MENU, [](wxCommandEvent&) { if (VdxApp* app = VdxApp::Get()) app->ShowLog(); },
         kIdShowLog);
}

void PoolsChildFrame::ShowContent(wxWindow* window) {
    GetSizer()->Add(window, 1, wxEXPAND);
    Layout();
    Centre();
    Show();
}
