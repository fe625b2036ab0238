#pragma once
// A window manager for the virtual display of a GUI test program, so that
// frames are decorated, placed and sized as on a desktop: what a window looks
// like at its first showing depends on the frame extents a manager reports.

#include <sys/types.h>

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

} // namespace vdx::guitest
