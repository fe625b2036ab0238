#include "frame/MenuBuilder.h"

#include "frame/CommandIds.h"
#include "frame/FrameBitmaps.h"

#include <wx/display.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/toolbar.h>

#include <algorithm>
#include <vector>

namespace vdx::gui {

namespace {

// The document commands keep the framework's ids, so that its document manager
// handles them.
static_assert(wxID_OPEN == 5000 && wxID_CLOSE == 5001 && wxID_NEW == 5002 &&
              wxID_SAVE == 5003 && wxID_SAVEAS == 5004 && wxID_EXIT == 5006 &&
              wxID_PRINT == 5010 && wxID_PRINT_SETUP == 5011);

using ItemDef = MenuItemDef;
constexpr int kSeparator = kMenuSeparator;

ItemDef Separator(Shown shown) { return MenuSeparator(shown); }

ItemDef Item(int id, const char* label, const char* accel, const char* help, const char* hint,
             Shown shown, const char* bitmap = nullptr, bool toolSeparatorBefore = false) {
    ItemDef item = MenuItem(id, label, accel, help, hint, bitmap, toolSeparatorBefore);
    item.shown = shown;
    return item;
}

const MenuTable& MainTable() {
    static const MenuTable table = [] {
        ItemDef close = Item(wxID_CLOSE, wxTRANSLATE("&Close File"), "Ctrl+F4",
                             wxTRANSLATE("prompts you to save changes and closes the active document"),
                             "(Ctrl+F4)", Shown::Document);
        close.childHint = "(Ctrl+F4, Alt+F4)";
        ItemDef log = Item(kIdShowLog, wxTRANSLATE("&Log"), "Ctrl+L",
                           wxTRANSLATE("display the steps of the session so far"), "(Ctrl+L)",
                           Shown::Always);
        log.hintInMainOnly = true;

        return MenuTable{
            {wxTRANSLATE("&File"),
             {
                 Item(wxID_NEW, wxTRANSLATE("&New"), "Ctrl+N",
                      wxTRANSLATE("creates a new, empty document"), "(Ctrl+N)", Shown::Always, "new"),
                 Item(wxID_OPEN, wxTRANSLATE("&Open..."), "Ctrl+O",
                      wxTRANSLATE("opens an existing document"), "(Ctrl+O, Ctrl+F12)", Shown::Always,
                      "open"),
                 close,
                 Item(wxID_SAVE, wxTRANSLATE("&Save"), "Ctrl+S",
                      wxTRANSLATE("saves the active document using the same filename"),
                      "(Ctrl+S, Shift+F12)", Shown::Document, "save"),
                 Item(wxID_SAVEAS, wxTRANSLATE("Save &As..."), "Ctrl+U",
                      wxTRANSLATE("saves the active document to a specified file name"),
                      "(Ctrl+U, F12)", Shown::Document),
                 Separator(Shown::Document),
                 Item(kIdImportText, wxTRANSLATE("&Import Text File..."), "",
                      wxTRANSLATE("creates a new document and imports data of a text file"), "",
                      Shown::Always),
                 Item(kIdSaveAsText, wxTRANSLATE("Save as &Text File..."), "",
                      wxTRANSLATE("saves the current distribution as a text file"), "", Shown::Pools),
                 Separator(Shown::Pools),
                 Item(wxID_PRINT, wxTRANSLATE("&Print (DIN A4)..."), "Ctrl+P",
                      wxTRANSLATE("prints the document (Ctrl+P)"), "", Shown::Pools, "print", true),
                 Item(wxID_PRINT_SETUP, wxTRANSLATE("P&rint Setup..."), "Ctrl+R",
                      wxTRANSLATE("changes the printing options"), "(Ctrl+R)", Shown::Pools),
                 Item(wxID_PREVIEW, wxTRANSLATE("Print Pre&view"), "Ctrl+H",
                      wxTRANSLATE("displays the document on the screen as it would appear printed"),
                      "(Ctrl+H)", Shown::Pools, "preview"),
                 // The recently used files go in front of E&xit.
                 Separator(Shown::MainOnly),
                 Item(wxID_EXIT, wxTRANSLATE("E&xit"), "Alt+F4",
                      wxTRANSLATE("prompts you to save changes and quits the application"),
                      "(Alt+F4)", Shown::MainOnly, "redcenter", true),
             }},
            {wxTRANSLATE("&Edit"),
             {
                 Item(kIdOptions, wxTRANSLATE("&Options..."), "Ctrl+T",
                      wxTRANSLATE("specifies the settings for the active document (Ctrl+T)"), "",
                      Shown::Pools, "choice", true),
                 Item(kIdInput, wxTRANSLATE("&Input..."), "Ctrl+I",
                      wxTRANSLATE("opens a window for the input of the matches, results, chances "
                                  "and odds (Ctrl+I)"),
                      "", Shown::Pools, "greencopywdth"),
                 Separator(Shown::Pools),
                 Item(kIdCalculate, wxTRANSLATE("&Calculate"), "Ctrl+B",
                      wxTRANSLATE("calculates the optimal distribution of the tips (Ctrl+B)"), "",
                      Shown::Pools, "playgreen", true),
                 Item(kIdStatistics, wxTRANSLATE("&Statistics"), "Ctrl+A",
                      wxTRANSLATE("display statistic information of the calculated tips (Ctrl+A)"),
                      "", Shown::Pools, "woptions"),
             }},
            {wxTRANSLATE("E&xtras"),
             {
                 Item(kIdConditions, wxTRANSLATE("Con&ditions..."), "Ctrl+D",
                      wxTRANSLATE("specifies conditions for each line (Ctrl+D)"), "", Shown::Pools),
                 Item(kIdCharts, wxTRANSLATE("&Charts"), "Shift+Ctrl+D",
                      wxTRANSLATE("displays how the current tips comply with the conditions "
                                  "(Shift+Ctrl+D)"),
                      "", Shown::Pools),
             }},
            {wxTRANSLATE("&View"),
             {
                 Item(kIdNextTicket, wxTRANSLATE("Next Ticket"), "PgDn",
                      wxTRANSLATE("displays the next ticket"), "(PgDn, Ctrl+\"+\", \"+\")",
                      Shown::Pools, "southlightblue", true),
                 Item(kIdPreviousTicket, wxTRANSLATE("Previous Ticket"), "PgUp",
                      wxTRANSLATE("displays the previous ticket"), "(PgUp, Ctrl+\"-\", \"-\")",
                      Shown::Pools, "northlightblue"),
                 Item(kIdLastTicket, wxTRANSLATE("Last Ticket"), "Ctrl+PgDn",
                      wxTRANSLATE("displays the last ticket"), "(Ctrl+PgDn, End, Alt+Ctrl+\"+\")",
                      Shown::Pools, "southendlightblue"),
                 Item(kIdFirstTicket, wxTRANSLATE("First Ticket"), "Ctrl+PgUp",
                      wxTRANSLATE("displays the first ticket"), "(Ctrl+PgUp, Home, Alt+Ctrl+\"-\")",
                      Shown::Pools, "northendlightblue"),
                 Separator(Shown::Pools),
                 Item(kIdNextLine, wxTRANSLATE("Next Line"), "Space",
                      wxTRANSLATE("highlights the next line"),
                      "(Space, right arrow key, down arrow key, Ctrl+\".\", \".\")", Shown::Pools,
                      "wforwardblue", true),
                 Item(kIdPreviousLine, wxTRANSLATE("Previous Line"), "Ctrl+Space",
                      wxTRANSLATE("highlights the previous line"),
                      "(Ctrl+Space, left arrow key, up arrow key, Ctrl+\",\", \",\")", Shown::Pools,
                      "wbackblue"),
                 Item(kIdStopHighlighting, wxTRANSLATE("Stop Highlighting"), "Esc",
                      wxTRANSLATE("stops highlighting the lines"), "(Ctrl+Delete, Delete, Esc)",
                      Shown::Pools),
             }},
            {wxTRANSLATE("&Ticket"),
             {
                 // Its label names the selected format; see PrintTicketsLabel.
                 Item(kIdPrintTickets, wxTRANSLATE("Print Tickets"), "Ctrl+G",
                      wxTRANSLATE("prints the tickets using the current format (Ctrl+G) - Take "
                                  "care and read help first!"),
                      "", Shown::Pools, "ticket", true),
                 Separator(Shown::Pools),
                 Item(kIdSelectFormat, wxTRANSLATE("Select &Format"), "Ctrl+F",
                      wxTRANSLATE("lets you select the format used to print tickets (Ctrl+F)"), "",
                      Shown::MainOnly),
                 Item(kIdFormatEditor, wxTRANSLATE("Format &Editor"), "Ctrl+E",
                      wxTRANSLATE("starts the format editor (Ctrl+E)"), "", Shown::MainOnly),
             }},
            {wxTRANSLATE("&Preferences"),
             {
                 Item(kIdLanguage, wxTRANSLATE("&Language"), "",
                      wxTRANSLATE("lets you select the language that the application shall use"),
                      "", Shown::MainOnly),
                 Separator(Shown::MainOnly),
                 Item(kIdDefaultOptions, wxTRANSLATE("Default &Options"), "",
                      wxTRANSLATE("specifies the settings used for new documents and as default "
                                  "values"),
                      "", Shown::MainOnly),
                 Item(kIdDefaultConditions, wxTRANSLATE("Default &Conditions"), "",
                      wxTRANSLATE("specifies the conditions used for new documents and as default "
                                  "values"),
                      "", Shown::MainOnly),
                 Item(kIdMoreOptions, wxTRANSLATE("&More Options"), "",
                      wxTRANSLATE("sets permanent settings for the application"), "",
                      Shown::MainOnly),
             }},
            WindowMenuDef(),
            {wxTRANSLATE("&Help"),
             {
                 Item(wxID_HELP_CONTENTS, wxTRANSLATE("&Help (Topics)"), "F1",
                      wxTRANSLATE("displays the opening screen of Help (F1)"), "", Shown::Always),
                 Item(kIdExample, wxTRANSLATE("&Example"), "", wxTRANSLATE("opens an exemplary file"),
                      "", Shown::Always),
                 log,
                 Item(wxID_ABOUT, wxTRANSLATE("&About"), "",
                      wxTRANSLATE("displays program information"), "", Shown::Always),
             }},
        };
    }();
    return table;
}

bool IsShown(Shown shown, FrameKind kind, bool single) {
    if (kind == FrameKind::Window) return true;
    const bool singleMain = single && kind == FrameKind::Main;
    switch (shown) {
    case Shown::Always: return true;
    case Shown::Document: return singleMain || kind != FrameKind::Main;
    case Shown::Pools: return singleMain || kind == FrameKind::PoolsChild;
    case Shown::MainOnly: return kind == FrameKind::Main;
    }
    return false;
}

wxString ItemLabel(const ItemDef& item, const MenuOptions& options) {
    if (item.id == kIdPrintTickets) return PrintTicketsLabel(options.ticketFormatFile);
    wxString label = wxGetTranslation(item.label);
    if (*item.accel) label << "\t" << item.accel;
    return label;
}

wxString ItemHelp(const ItemDef& item, FrameKind kind) {
    const char* hint = (kind != FrameKind::Main && item.childHint) ? item.childHint : item.hint;
    if (item.hintInMainOnly && kind != FrameKind::Main) hint = "";
    return HelpWithHint(wxGetTranslation(item.help), hint);
}

bool LastIsSeparator(const wxMenu* menu) {
    const size_t n = menu->GetMenuItemCount();
    return n > 0 && menu->FindItemByPosition(n - 1)->IsSeparator();
}

} // namespace

MenuItemDef MenuItem(int id, const char* label, const char* accel, const char* help, const char* hint,
                     const char* bitmap, bool toolSeparatorBefore) {
    MenuItemDef item;
    item.id = id;
    item.label = label;
    item.accel = accel;
    item.help = help;
    item.hint = hint;
    item.bitmap = bitmap;
    item.toolSeparatorBefore = toolSeparatorBefore;
    return item;
}

MenuItemDef MenuSeparator(Shown shown) {
    MenuItemDef item;
    item.shown = shown;
    return item;
}

MenuDef WindowMenuDef() {
    MenuDef menu;
    menu.title = wxTRANSLATE("&Window");
    menu.windowMenu = true;
    return menu;
}

const MenuTable& DocumentFrameMenus() { return MainTable(); }

wxString HelpWithHint(const wxString& help, const wxString& hint) {
    return hint.empty() ? help : help + " " + hint;
}

wxString PrintTicketsLabel(const wxString& formatFile) {
    wxString label = _("&Print Tickets");
    if (!formatFile.empty()) label << " (" << wxFileName(formatFile).GetName() << ")";
    label << "...\tCtrl+G";
    return label;
}

wxMenu* BuildWindowMenu(bool mainFrame) {
    auto* menu = new wxMenu;
    menu->Append(kIdWindowMinimize, wxString(_("&Minimize")) + "\tCtrl+M");
    menu->Append(kIdWindowMinimizeAll, _("Minimize &All"));
    menu->Append(kIdWindowZoom, _("&Zoom"));
    menu->AppendSeparator();
    menu->Append(kIdWindowClose, wxString(_("&Close")) + "\tCtrl+W");
    menu->Append(kIdWindowNext, wxString(_("&Next Window")) + "\tCtrl+1");
    menu->AppendSeparator();
    if (mainFrame) menu->Enable(kIdWindowClose, false);
    return menu;
}

wxMenuBar* BuildMenuBar(FrameKind kind, const MenuOptions& options) {
    return BuildMenuBar(MainTable(), options, kind);
}

wxMenuBar* BuildMenuBar(const MenuTable& table, const MenuOptions& options, FrameKind kind) {
    auto* bar = new wxMenuBar;
    for (const MenuDef& menuDef : table) {
        if (menuDef.windowMenu) {
            bar->Append(BuildWindowMenu(kind == FrameKind::Main), wxGetTranslation(menuDef.title));
            continue;
        }
        auto* menu = new wxMenu;
        for (const ItemDef& item : menuDef.items) {
            if (!IsShown(item.shown, kind, options.single)) continue;
            if (item.id == kSeparator) {
                // Never at the top or twice in a row.
                if (menu->GetMenuItemCount() > 0 && !LastIsSeparator(menu)) menu->AppendSeparator();
                continue;
            }
            auto* entry = new wxMenuItem(menu, item.id, ItemLabel(item, options), ItemHelp(item, kind));
            if (options.bitmapsInMenus && item.bitmap) {
                entry->SetBitmap(FrameBitmap(item.bitmap));
#ifdef __WXMSW__
                entry->SetDisabledBitmap(FrameBitmap(item.bitmap, true).GetBitmap(wxDefaultSize));
#endif
            }
            menu->Append(entry);
        }
        if (LastIsSeparator(menu)) menu->Destroy(menu->FindItemByPosition(menu->GetMenuItemCount() - 1));
        if (menu->GetMenuItemCount() == 0) {
            delete menu;
            continue;
        }
        bar->Append(menu, wxGetTranslation(menuDef.title));
    }
    return bar;
}

wxToolBar* BuildToolBar(wxFrame* frame, FrameKind kind, const MenuOptions& options) {
    return BuildToolBar(frame, MainTable(), options, kind);
}

void BuildWindowMenusAndTools(wxFrame* frame, const MenuTable& table, const MenuOptions& options) {
    frame->SetMenuBar(BuildMenuBar(table, options));
    BuildToolBar(frame, table, options);
}

wxToolBar* BuildToolBar(wxFrame* frame, const MenuTable& table, const MenuOptions& options, FrameKind kind) {
    std::vector<const ItemDef*> tools;
    for (const MenuDef& menuDef : table)
        for (const ItemDef& item : menuDef.items)
            if (item.id != kSeparator && item.bitmap && IsShown(item.shown, kind, options.single))
                tools.push_back(&item);
    if (tools.empty()) return nullptr;

    wxToolBar* toolBar = frame->CreateToolBar();
    for (const ItemDef* item : tools) {
        if (item->toolSeparatorBefore && toolBar->GetToolsCount() > 0) toolBar->AddSeparator();
        const wxString shortHelp = wxStripMenuCodes(wxGetTranslation(item->label)).Strip(wxString::both);
        toolBar->AddTool(item->id, shortHelp, FrameBitmap(item->bitmap),
                         FrameBitmap(item->bitmap, true), wxITEM_NORMAL, shortHelp,
                         ItemHelp(*item, kind));
    }
    toolBar->Realize();

    // GTK hides the tools that do not fit behind an overflow arrow: the frame
    // is widened to the toolbar's full width, as far as the screen allows.
    const int needed = toolBar->GetBestSize().x;
    const wxSize client = frame->GetClientSize();
    if (needed > client.x) {
        const int index = wxDisplay::GetFromWindow(frame);
        const wxRect screen = wxDisplay(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index)).GetClientArea();
        const int border = frame->GetSize().x - client.x;
        frame->SetClientSize(std::min(needed, screen.width - border), client.y);
    }
    return toolBar;
}

} // namespace vdx::gui
