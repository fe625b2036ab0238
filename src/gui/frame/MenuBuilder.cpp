#include "frame/MenuBuilder.h"

#include "frame/CommandIds.h"

#include <wx/intl.h>
#include <wx/menu.h>

#include <vector>

namespace vdx::gui {

namespace {

// The document commands keep the framework's ids, which are also ours.
static_assert(wxID_OPEN == 5000 && wxID_CLOSE == 5001 && wxID_NEW == 5002 &&
              wxID_SAVE == 5003 && wxID_SAVEAS == 5004 && wxID_EXIT == 5006);

// When an item appears.
enum class Shown {
    Always,
    DocumentCommands, // single mode, or a child frame
    MainOnly,
};

struct ItemDef {
    int id;                 // 0: separator
    const char* label;
    const char* accel;
    const char* help;
    const char* hint;       // shortcut hint appended to the help text, may be empty
    const char* childHint;  // hint in child frames when it differs, else nullptr
    Shown shown;
    bool mainHintOnly;      // the hint is shown in the main frame only
};

struct MenuDef {
    const char* title;
    std::vector<ItemDef> items;
};

const std::vector<MenuDef>& MenuTable() {
    static const std::vector<MenuDef> table = {
        {wxTRANSLATE("&File"),
         {
             {wxID_NEW, wxTRANSLATE("&New"), "Ctrl+N",
              wxTRANSLATE("creates a new, empty document"), "(Ctrl+N)", nullptr, Shown::Always,
              false},
             {wxID_OPEN, wxTRANSLATE("&Open..."), "Ctrl+O",
              wxTRANSLATE("opens an existing document"), "(Ctrl+O, Ctrl+F12)", nullptr,
              Shown::Always, false},
             {wxID_CLOSE, wxTRANSLATE("&Close File"), "Ctrl+F4",
              wxTRANSLATE("prompts you to save changes and closes the active document"),
              "(Ctrl+F4)", "(Ctrl+F4, Alt+F4)", Shown::DocumentCommands, false},
             {wxID_SAVE, wxTRANSLATE("&Save"), "Ctrl+S",
              wxTRANSLATE("saves the active document using the same filename"),
              "(Ctrl+S, Shift+F12)", nullptr, Shown::DocumentCommands, false},
             {wxID_SAVEAS, wxTRANSLATE("Save &As..."), "Ctrl+U",
              wxTRANSLATE("saves the active document to a specified file name"), "(Ctrl+U, F12)",
              nullptr, Shown::DocumentCommands, false},
             {0, nullptr, nullptr, nullptr, nullptr, nullptr, Shown::Always, false},
             // The recently used files go here, in front of E&xit.
             {wxID_EXIT, wxTRANSLATE("E&xit"), "Alt+F4",
              wxTRANSLATE("prompts you to save changes and quits the application"), "(Alt+F4)",
              nullptr, Shown::MainOnly, false},
         }},
        {wxTRANSLATE("&Help"),
         {
             {kIdExample, wxTRANSLATE("&Example"), "", wxTRANSLATE("opens an exemplary file"), "",
              nullptr, Shown::Always, false},
             {kIdShowLog, wxTRANSLATE("&Log"), "Ctrl+L",
              wxTRANSLATE("display the steps of the session so far"), "(Ctrl+L)", nullptr,
              Shown::Always, true},
         }},
    };
    return table;
}

bool IsShown(Shown shown, FrameKind kind, bool single) {
    switch (shown) {
    case Shown::Always: return true;
    case Shown::DocumentCommands: return single || kind != FrameKind::Main;
    case Shown::MainOnly: return kind == FrameKind::Main;
    }
    return false;
}

} // namespace

wxString HelpWithHint(const wxString& help, const wxString& hint) {
    return hint.empty() ? help : help + " " + hint;
}

wxMenuBar* BuildMenuBar(FrameKind kind, bool single) {
    auto* bar = new wxMenuBar;
    for (const MenuDef& menuDef : MenuTable()) {
        auto* menu = new wxMenu;
        for (const ItemDef& item : menuDef.items) {
            if (item.id == 0) {
                // No separator at the top or twice in a row.
                const size_t n = menu->GetMenuItemCount();
                if (n > 0 && !menu->FindItemByPosition(n - 1)->IsSeparator()) menu->AppendSeparator();
                continue;
            }
            if (!IsShown(item.shown, kind, single)) continue;
            wxString label = wxGetTranslation(item.label);
            if (*item.accel) label << "\t" << item.accel;
            const char* hint = (kind != FrameKind::Main && item.childHint) ? item.childHint : item.hint;
            if (item.mainHintOnly && kind != FrameKind::Main) hint = "";
            menu->Append(item.id, label, HelpWithHint(wxGetTranslation(item.help), hint));
        }
        const size_t n = menu->GetMenuItemCount();
        if (n > 0 && menu->FindItemByPosition(n - 1)->IsSeparator())
            menu->Destroy(menu->FindItemByPosition(n - 1));
        if (menu->GetMenuItemCount() == 0) {
            delete menu;
            continue;
        }
        bar->Append(menu, wxGetTranslation(menuDef.title));
    }
    return bar;
}

} // namespace vdx::gui
