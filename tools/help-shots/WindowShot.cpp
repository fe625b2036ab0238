#include "WindowShot.h"

#include <wx/app.h>
#include <wx/display.h>
#include <wx/sizer.h>
#include <wx/time.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace vdx::shots {

namespace {

bool SettleUntil(const std::function<bool()>& done, int timeoutMilliseconds) {
    const wxLongLong end = wxGetLocalTimeMillis() + timeoutMilliseconds;
    while (!done() && wxGetLocalTimeMillis() < end) {
        wxYield();
        wxMilliSleep(10);
    }
    return done();
}

wxTopLevelWindow* NewShownWindow(const std::set<wxWindow*>& before) {
    for (wxWindow* window : wxTopLevelWindows) {
        auto* top = dynamic_cast<wxTopLevelWindow*>(window);
        if (top && !before.count(window) && top->IsShownOnScreen()) return top;
    }
    return nullptr;
}

} // namespace

void Settle(int milliseconds) {
    SettleUntil([] { return false; }, milliseconds);
}

std::set<wxWindow*> TopLevelWindows() {
    return {wxTopLevelWindows.begin(), wxTopLevelWindows.end()};
}

wxTopLevelWindow* WindowOpenedBy(const std::function<void()>& action) {
    const std::set<wxWindow*> before = TopLevelWindows();
    action();
    wxTopLevelWindow* found = nullptr;
    SettleUntil([&] { return (found = NewShownWindow(before)) != nullptr; }, 10000);
    return found;
}

void WaitUntilSettled(wxTopLevelWindow* window) {
    // The manager's frame arrives after the first mapping, and a move or a
    // resize may follow: the rectangle must hold still for a while.
    wxRect last = window->GetRect();
    wxLongLong stableSince = wxGetLocalTimeMillis();
    const wxLongLong end = stableSince + 8000;
    while (wxGetLocalTimeMillis() < end) {
        wxYield();
        wxMilliSleep(20);
        const wxRect now = window->GetRect();
        if (now != last) {
            last = now;
            stableSince = wxGetLocalTimeMillis();
        } else if (wxGetLocalTimeMillis() - stableSince > 700) {
            break;
        }
    }
    window->Raise();
    window->Refresh();
    window->Update();
    Settle(500);
}

bool ContentsFit(wxTopLevelWindow* window) {
    wxSizer* sizer = window->GetSizer();
    if (!sizer) return true;
    const wxSize needed = sizer->GetMinSize();
    const wxSize client = window->GetClientSize();
    return client.x >= needed.x && client.y >= needed.y;
}

bool SaveWindowPicture(wxTopLevelWindow* window, const wxString& path) {
    // In wxGTK a top-level window's rectangle is that of its manager's frame.
    wxRect rect = window->GetRect();
    rect.Intersect(wxDisplay(window).GetGeometry());
    if (rect.IsEmpty()) return false;
    const std::string crop = std::to_string(rect.width) + "x" + std::to_string(rect.height) + "+" +
                             std::to_string(rect.x) + "+" + std::to_string(rect.y);
    const std::string command = "xwd -root -silent | convert xwd:- -crop " + crop +
                                " +repage -strip -dither None -colors 256 'PNG8:" +
                                path.utf8_string() + "'";
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "could not save %s\n", path.utf8_str().data());
        return false;
    }
    return true;
}

} // namespace vdx::shots
