#pragma once
// Keys that work outside the menus: F12 with its variants for the file
// commands, the desktop's Ctrl+Q and Shift+Ctrl+S and, in the frames that
// show tickets, the paging and highlighting keys.

class wxKeyEvent;
class wxWindow;

namespace vdx::gui {

// The command of a key (a character or a WXK_ code) with its wxMOD_ modifiers;
// 0 when the key has none. ticketKeys: the frame shows tickets.
int KeyMapCommand(int keyCode, int modifiers, bool ticketKeys);

// Sends the key's command to frame when it has one and it is enabled there;
// returns true then. Other keys are left to the caller (skip the event).
bool ApplyKeyMap(wxWindow* frame, const wxKeyEvent& event, bool ticketKeys);

// Character events of window go through the key map of frame.
void BindKeyMap(wxWindow* window, wxWindow* frame, bool ticketKeys);

// The keys that desktop programs share, besides the program's own: Ctrl+Q
// quits, Shift+Ctrl+S saves under a new name. 0 for any other key.
int DesktopKeyCommand(int keyCode, int modifiers);

// The desktop keys work in frame whichever of its windows has the focus.
void BindDesktopKeys(wxWindow* frame);

} // namespace vdx::gui
