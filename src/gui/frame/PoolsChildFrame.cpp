#include "frame/PoolsChildFrame.h"

#include "frame/CommandIds.h"
#include "frame/FrameBitmaps.h"
#include "frame/FrameCommands.h"
#include "frame/KeyMap.h"
#include "frame/MenuBuilder.h"
#include "frame/WindowList.h"

#include <wx/menu.h>
#include <wx/sizer.h>

using namespace vdx::gui;

int ChildFrameHeight(int games) { return 525 - 17 * (14 - games); }

PoolsChildFrame::PoolsChildFrame(wxDocument* doc, wxView* view, wxFrame* parent, int games)
    : wxDocChildFrame(doc, view, parent, kIdPoolsChildFrame, "VdxView", wxPoint(10, 10),
                      wxSize(550, ChildFrameHeight(games)), wxDEFAULT_FRAME_STYLE, "frame") {
    SetIcons(FrameIcon("fussball2"));
    MenuOptions options = CurrentMenuOptions();
    options.single = false;
    SetMenuBar(BuildMenuBar(FrameKind::PoolsChild, options));
    BuildToolBar(this, FrameKind::PoolsChild, options);
    CreateStatusBar();
    SetSizer(new wxBoxSizer(wxVERTICAL));
    BindKeyMap(this, this, true);
    BindDesktopKeys(this);
    BindFrameCommands(this, FrameKind::PoolsChild);
    AppWindows().Register(this);
}

void PoolsChildFrame::ShowContent(wxWindow* window) {
    GetSizer()->Add(window, 1, wxEXPAND);
    BindKeyMap(window, this, true);
    Layout();
    Centre();
    Show();
}
