#pragma once
// A window manager for the virtual display of a GUI test program, so that
// frames are decorated, placed and sized as on a desktop: what a window looks
// like at its first showing depends on the frame extents a manager reports.

#include <sys/types.h>

#include <functional>

class wxWindow;

namespace vdx::guitest {

class WindowManager {
public:
    // Starts openbox on $DISPLAY and waits until it manages the screen. Without
    // openbox, or when another manager holds the display, nothing is started.
    WindowManager();
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    bool Running() const { return pid_ > 0; }

private:
    pid_t pid_ = -1;
};

// Runs the event loop for a while: the display and the window manager map,
// place and size the windows shown.
void Settle(int milliseconds);

// Runs the event loop until done() holds or timeout has passed; a loaded
// machine delivers the window manager's answers late. Returns done().
bool SettleUntil(const std::function<bool()>& done, int timeoutMilliseconds = 3000);

// Whether window is shown and lies wholly inside the client area of every
// window around it, up to its frame.
bool VisibleInFrame(wxWindow* window);

// With VDX_SCREENSHOT_DIR set: a picture of the screen as that folder's
// name.png, for looking at the windows a test left open (needs xwd and convert).
void SaveScreenshot(const char* name);

} // namespace vdx::guitest
