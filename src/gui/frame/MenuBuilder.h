#pragma once
// Builds the menu bars and toolbars of every frame from tables of items: the
// three frames of the documents share one table, each other window kind brings
// its own.

#include <wx/string.h>

#include <vector>

class wxFrame;
class wxMenu;
class wxMenuBar;
class wxToolBar;

namespace vdx::gui {

// Window: any frame with a table of its own (input, calculation, ...).
enum class FrameKind { Main = 0, PoolsChild = 1, TextChild = 2, Window = 3 };

struct MenuOptions {
    bool single = true;          // one document at a time, drawn in the main frame
    bool bitmapsInMenus = false; // the toolbar pictures also on the menu items
    wxString ticketFormatFile;   // selected ticket format (label of Print Tickets)
};

// In which frames of the documents an item (or a separator) appears; a
// window's own table shows everything.
enum class Shown {
    Always,
    Document, // the document commands: single mode, or a child frame
    Pools,    // the pools document commands: single mode, or a pools child frame
    MainOnly,
};

constexpr int kMenuSeparator = 0;

struct MenuItemDef {
    int id = kMenuSeparator;         // kMenuSeparator: a menu separator
    const char* label = nullptr;     // wxTRANSLATE'd; translated when built
    const char* accel = "";
    const char* help = "";           // wxTRANSLATE'd status-bar help
    const char* hint = "";           // shortcut hint appended to the help text
    const char* childHint = nullptr; // hint in child frames when it differs
    Shown shown = Shown::Always;
    bool hintInMainOnly = false;
    const char* bitmap = nullptr;    // toolbar picture, with a "_mono" twin; nullptr: menu only
    bool toolSeparatorBefore = false;
};

struct MenuDef {
    const char* title = nullptr; // wxTRANSLATE'd
    std::vector<MenuItemDef> items;
    bool windowMenu = false;     // the common "&Window" menu; items unused
};

using MenuTable = std::vector<MenuDef>;

// Table entries.
MenuItemDef MenuItem(int id, const char* label, const char* accel, const char* help, const char* hint = "",
                     const char* bitmap = nullptr, bool toolSeparatorBefore = false);
MenuItemDef MenuSeparator(Shown shown = Shown::Always);
MenuDef WindowMenuDef();

// The table of the main frame and the document frames.
const MenuTable& DocumentFrameMenus();

wxMenuBar* BuildMenuBar(const MenuTable& table, const MenuOptions& options, FrameKind kind = FrameKind::Window);
wxMenuBar* BuildMenuBar(FrameKind kind, const MenuOptions& options);

// Creates the frame's toolbar from the items with a picture and widens the
// frame, within the screen, so that every tool shows; nullptr when no item
// has a picture.
wxToolBar* BuildToolBar(wxFrame* frame, const MenuTable& table, const MenuOptions& options,
                        FrameKind kind = FrameKind::Window);
wxToolBar* BuildToolBar(wxFrame* frame, FrameKind kind, const MenuOptions& options);

// Menu bar and toolbar of a window with its own table.
void BuildWindowMenusAndTools(wxFrame* frame, const MenuTable& table, const MenuOptions& options);

// The fixed part of a "&Window" menu; the window list adds one item per window.
// The main frame cannot be closed from it.
wxMenu* BuildWindowMenu(bool mainFrame);

// The status-bar help of an item: its help text and, when given, the shortcut hint.
wxString HelpWithHint(const wxString& help, const wxString& hint);

// "&Print Tickets (name)...\tCtrl+G", the name part only when a format is selected.
wxString PrintTicketsLabel(const wxString& formatFile);

} // namespace vdx::gui
