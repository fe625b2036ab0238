#include "frame/KeyMap.h"

#include "app/VdxApp.h"
#include "frame/CommandIds.h"
#include "frame/MainFrame.h"

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

int DesktopKeyCommand(int keyCode, int modifiers) {
    const int mods = modifiers & (wxMOD_CONTROL | wxMOD_ALT | wxMOD_SHIFT);
    if (keyCode == 'Q' && mods == wxMOD_CONTROL) return wxID_EXIT;
    if (keyCode == 'S' && mods == (wxMOD_CONTROL | wxMOD_SHIFT)) return wxID_SAVEAS;
    return 0;
}

namespace {

// Sends id to frame as its menu item would; a disabled command does nothing.
bool SendIfEnabled(wxWindow* frame, int id) {
    wxUpdateUIEvent state(id);
    state.SetEventObject(frame);
    frame->ProcessWindowEvent(state);
    if (state.GetSetEnabled() && !state.GetEnabled()) return false;

    wxCommandEvent command(wxEVT_MENU, id);
    command.SetEventObject(frame);
    frame->ProcessWindowEvent(command);
    return true;
}

} // namespace

bool ApplyKeyMap(wxWindow* frame, const wxKeyEvent& event, bool ticketKeys) {
    if (!frame) return false;
    const int id = KeyMapCommand(event.GetKeyCode(), event.GetModifiers(), ticketKeys);
    return id != 0 && SendIfEnabled(frame, id);
}

void BindKeyMap(wxWindow* window, wxWindow* frame, bool ticketKeys) {
    window->Bind(wxEVT_CHAR, [frame, ticketKeys](wxKeyEvent& event) {
        if (!ApplyKeyMap(frame, event, ticketKeys)) event.Skip();
    });
}

void BindDesktopKeys(wxWindow* frame) {
    // The hook sees the key before the focused control and before GTK's
    // input method, whichever window of the frame has the focus.
    frame->Bind(wxEVT_CHAR_HOOK, [frame](wxKeyEvent& event) {
        const int id = DesktopKeyCommand(event.GetKeyCode(), event.GetModifiers());
        // Quitting is the main frame's, from whichever frame it is asked.
        wxWindow* target = frame;
        if (id == wxID_EXIT && VdxApp::Get() && VdxApp::Get()->Frame()) target = VdxApp::Get()->Frame();
        if (id == 0 || !SendIfEnabled(target, id)) event.Skip();
    });
}

} // namespace vdx::gui
