#pragma once
// Builds the menu bars and toolbars of the three kinds of frame from one table.

#include <wx/string.h>

class wxFrame;
class wxMenu;
class wxMenuBar;
class wxToolBar;

namespace vdx::gui {

enum class FrameKind { Main = 0, PoolsChild = 1, TextChild = 2, FormatEditor = 3 };

struct MenuOptions {
    bool single = true;          // one document at a time, drawn in the main frame
    bool bitmapsInMenus = false; // the toolbar pictures also on the menu items
    wxString ticketFormatFile;   // selected ticket format (label of Print Tickets)
};

wxMenuBar* BuildMenuBar(FrameKind kind, const MenuOptions& options);

// Creates the frame's toolbar from the items with a picture and widens the
// frame, within the screen, so that every tool shows; nullptr when the frame
// kind has none.
wxToolBar* BuildToolBar(wxFrame* frame, FrameKind kind, const MenuOptions& options);

// The fixed part of a "&Window" menu; the window list adds one item per window.
// The main frame cannot be closed from it.
wxMenu* BuildWindowMenu(bool mainFrame);

// The status-bar help of an item: its help text and, when given, the shortcut hint.
wxString HelpWithHint(const wxString& help, const wxString& hint);

// "&Print Tickets (name)...\tCtrl+G", the name part only when a format is selected.
wxString PrintTicketsLabel(const wxString& formatFile);

} // namespace vdx::gui
