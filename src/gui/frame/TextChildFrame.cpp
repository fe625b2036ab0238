#include "frame/TextChildFrame.h"

#include "frame/CommandIds.h"
#include "frame/FrameBitmaps.h"
#include "frame/FrameCommands.h"
#include "frame/KeyMap.h"
#include "frame/MenuBuilder.h"
#include "frame/PoolsChildFrame.h"
#include "frame/WindowList.h"

#include <wx/sizer.h>

using namespace vdx::gui;

TextChildFrame::TextChildFrame(wxDocument* doc, wxView* view, wxFrame* parent, int games)
    : wxDocChildFrame(doc, view, parent, kIdTextChildFrame, "TextEditView", wxPoint(10, 10),
                      wxSize(550, ChildFrameHeight(games)), wxDEFAULT_FRAME_STYLE, "frame") {
    SetIcons(FrameIcon("notepad"));
    MenuOptions options = CurrentMenuOptions();
    options.single = false;
    SetMenuBar(BuildMenuBar(FrameKind::TextChild, options));
    BuildToolBar(this, FrameKind::TextChild, options);
    CreateStatusBar();
    SetSizer(new wxBoxSizer(wxVERTICAL));
    BindFrameCommands(this, FrameKind::TextChild);
    BindDesktopKeys(this);
    AppWindows().Register(this);
}

void TextChildFrame::ShowContent(wxWindow* window) {
    GetSizer()->Add(window, 1, wxEXPAND);
    // Typing stays with the text; only F12 and its variants are taken.
    BindKeyMap(window, this, false);
    Layout();
    Centre();
    Show();
}
