#pragma once
// The commands that every frame of the program offers (help, example, log,
// about, preferences, the pools document and view commands, the window menu)
// and the rules that enable them.

#include "frame/MenuBuilder.h"

class VdxDocument;
class VdxView;
class wxFrame;
class wxUpdateUIEvent;

namespace vdx::gui {

// The menu settings of the running application (built-in defaults without one).
MenuOptions CurrentMenuOptions();

// Binds the commands and their enabling to frame; the window-menu commands too.
void BindFrameCommands(wxFrame* frame, FrameKind kind);

// Decides whether the command of event is enabled in frame.
void UpdateCommandState(wxFrame* frame, FrameKind kind, wxUpdateUIEvent& event);

// The pools document (and its ticket view) that frame's commands act on: a
// child frame's own, else the document manager's current one; may be nullptr.
VdxDocument* FrameDocument(wxFrame* frame);
VdxView* FrameView(wxFrame* frame);

// Writes the label of Print Tickets for the selected ticket format into the
// frames that have it (only into the given frame when not nullptr).
void RefreshPrintTicketsLabels(wxFrame* only = nullptr);

} // namespace vdx::gui
