#include "Desktop.h"

#include <wx/app.h>
#include <wx/time.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace vdx::guitest {

WindowManager::WindowManager() {
    if (!std::getenv("DISPLAY")) return;
    // openbox runs its startup command once it manages the screen.
    char flagTemplate[] = "/tmp/vdxwm-XXXXXX";
    const int fd = mkstemp(flagTemplate);
    if (fd < 0) return;
    close(fd);
    const std::string flag = flagTemplate;
    std::filesystem::remove(flag);
    const std::string startup = "touch " + flag;

    const pid_t pid = fork();
    if (pid < 0) return;
    if (pid == 0) {
        // Quiet: its own messages are no part of the tests' output.
        // (Should /dev/null fail to open, openbox merely talks.)
        if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr)) {
        }
        execlp("openbox", "openbox", "--sm-disable", "--startup", startup.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }

    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
        if (std::filesystem::exists(flag)) {
            pid_ = pid;
            break;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) break; // not installed, or the display has a manager
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::error_code ignored;
    std::filesystem::remove(flag, ignored);
    if (pid_ < 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        std::fprintf(stderr, "note: no window manager started (is openbox installed?)\n");
    }
}

WindowManager::~WindowManager() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

void Settle(int milliseconds) {
    const wxLongLong end = wxGetLocalTimeMillis() + milliseconds;
    while (wxGetLocalTimeMillis() < end) {
        wxYield();
        wxMilliSleep(5);
    }
}

bool SettleUntil(const std::function<bool()>& done, int timeoutMilliseconds) {
    const wxLongLong end = wxGetLocalTimeMillis() + timeoutMilliseconds;
    while (!done() && wxGetLocalTimeMillis() < end) {
        wxYield();
        wxMilliSleep(5);
    }
    return done();
}

bool VisibleInFrame(wxWindow* window) {
    if (!window->IsShownOnScreen()) return false;
    // Each window against its parent's client area, in the parent's own
    // coordinates: screen coordinates lag behind when a loaded window manager
    // moves the frame late, which says nothing about what the user can see.
    for (wxWindow* w = window; w && !w->IsTopLevel(); w = w->GetParent()) {
        wxWindow* parent = w->GetParent();
        if (!parent) break;
        const wxRect rect(w->GetPosition(), w->GetSize());
        if (!wxRect(wxPoint(0, 0), parent->GetClientSize()).Contains(rect)) return false;
    }
    return true;
}

void SaveScreenshot(const char* name) {
    const char* dir = std::getenv("VDX_SCREENSHOT_DIR");
    if (!dir) return;
    Settle(300);
    const std::string command =
        std::string("xwd -root -silent | convert xwd:- '") + dir + "/" + name + ".png'";
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "no screenshot %s\n", name);
}

} // namespace vdx::guitest
