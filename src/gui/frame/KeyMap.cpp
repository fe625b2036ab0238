#include "frame/KeyMap.h"

#include "frame/CommandIds.h"

#include <wx/defs.h>
#include <wx/event.h>
#include <wx/window.h>

namespace vdx::gui {

int KeyMapCommand(int keyCode, int modifiers, bool ticketKeys) {
    const int ctrlAlt = wxMOD_CONTROL | wxMOD_ALT;
    if (keyCode == WXK_F12) {
        switch (modifiers & (ctrlAlt | wxMOD_SHIFT)) {
        case wxMOD_NONE: return wxID_SAVEAS;
        case wxMOD_SHIFT: return wxID_SAVE;
        case wxMOD_CONTROL: return wxID_OPEN;
        default: return 0;
        }
    }
    if (!ticketKeys) return 0;

    // Shift is ignored where it may be needed to type the character itself.
    const int mods = modifiers & (ctrlAlt | wxMOD_SHIFT);
    const int charMods = modifiers & ctrlAlt;
    const bool plainOrCtrl = charMods == wxMOD_NONE || charMods == wxMOD_CONTROL;
    switch (keyCode) {
    case '+':
    case WXK_NUMPAD_ADD:
        if (plainOrCtrl) return kIdNextTicket;
        return charMods == ctrlAlt ? kIdLastTicket : 0;
    case '-':
    case WXK_NUMPAD_SUBTRACT:
        if (plainOrCtrl) return kIdPreviousTicket;
        return charMods == ctrlAlt ? kIdFirstTicket : 0;
    case '.': return plainOrCtrl ? kIdNextLine : 0;
    // Space is also the menu's accelerator, but GTK's input method turns a
    // plain Space in the focused canvas into a typed character and keeps it
    // from the accelerators; so it is mapped here too. Ctrl+Space is not typed
    // and stays with the menu.
    case ' ':
    case WXK_NUMPAD_SPACE: return mods == wxMOD_NONE ? kIdNextLine : 0;
    case ',': return plainOrCtrl ? kIdPreviousLine : 0;
    case WXK_END:
    case WXK_NUMPAD_END: return mods == wxMOD_NONE ? kIdLastTicket : 0;
    case WXK_HOME:
    case WXK_NUMPAD_HOME: return mods == wxMOD_NONE ? kIdFirstTicket : 0;
    case WXK_RIGHT:
    case WXK_DOWN:
    case WXK_NUMPAD_RIGHT:
    case WXK_NUMPAD_DOWN: return mods == wxMOD_NONE ? kIdNextLine : 0;
    case WXK_LEFT:
    case WXK_UP:
    case WXK_NUMPAD_LEFT:
    case WXK_NUMPAD_UP: return mods == wxMOD_NONE ? kIdPreviousLine : 0;
    case WXK_DELETE:
    case WXK_NUMPAD_DELETE:
        return (mods == wxMOD_NONE || mods == wxMOD_CONTROL) ? kIdStopHighlighting : 0;
    default: return 0;
    }
}

bool ApplyKeyMap(wxWindow* frame, const wxKeyEvent& event, bool ticketKeys) {
    if (!frame) return false;
    const int id = KeyMapCommand(event.GetKeyCode(), event.GetModifiers(), ticketKeys);
    if (id == 0) return false;

    // A disabled command does nothing, as its menu item would.
    wxUpdateUIEvent state(id);
    state.SetEventObject(frame);
    frame->ProcessWindowEvent(state);
    if (state.GetSetEnabled() && !state.GetEnabled()) return false;

    wxCommandEvent command(wxEVT_MENU, id);
    command.SetEventObject(frame);
    frame->ProcessWindowEvent(command);
    return true;
}

void BindKeyMap(wxWindow* window, wxWindow* frame, bool ticketKeys) {
    window->Bind(wxEVT_CHAR, [frame, ticketKeys](wxKeyEvent& event) {
        if (!ApplyKeyMap(frame, event, ticketKeys)) event.Skip();
    });
}

} // namespace vdx::gui
