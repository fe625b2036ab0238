#pragma once
// Waiting for a window to settle on the screen and saving a picture of it,
// frame decorations included.

#include <wx/string.h>

#include <functional>
#include <set>

class wxTopLevelWindow;
class wxWindow;

namespace vdx::shots {

// Serves the event loop for a while.
void Settle(int milliseconds);

// The top-level windows that exist now.
std::set<wxWindow*> TopLevelWindows();

// Runs action and returns the top-level window it showed (a new one, else the
// active one), once it is on the screen; nullptr when none appeared in time.
wxTopLevelWindow* WindowOpenedBy(const std::function<void()>& action);

// Waits until window keeps its place and size (the window manager places and
// decorates it late) and has drawn itself.
void WaitUntilSettled(wxTopLevelWindow* window);

// Whether the window's client area holds what its sizer needs. Not always so
// at first: wxGTK may size a frame before it knows the manager's decorations.
bool ContentsFit(wxTopLevelWindow* window);

// Saves the window's outer rectangle of the screen as a PNG; false on failure.
bool SaveWindowPicture(wxTopLevelWindow* window, const wxString& path);

} // namespace vdx::shots
