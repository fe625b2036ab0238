#pragma once
// The application's list of top-level windows (frames and the log window),
// shown in the "&Window" menu of every registered frame that has one.

#include <wx/gdicmn.h>
#include <wx/string.h>

#include <cstddef>
#include <vector>

class wxTopLevelWindow;
class wxWindowDestroyEvent;
class wxActivateEvent;

namespace vdx::gui {

class WindowList {
public:
    // Adds window at the end and makes it the active one; false when the list
    // is full (the window then lists no windows). A destroyed window leaves the
    // list by itself.
    bool Register(wxTopLevelWindow* window);
    void Unregister(wxTopLevelWindow* window);
    // newWindow takes the place of oldWindow (which is forgotten).
    void Replace(wxTopLevelWindow* oldWindow, wxTopLevelWindow* newWindow);

    bool Contains(const wxTopLevelWindow* window) const;
    size_t Count() const { return entries_.size(); }
    wxTopLevelWindow* At(size_t index) const;
    wxTopLevelWindow* Active() const { return active_; }
    void SetActive(wxTopLevelWindow* window);
    bool Busy() const { return busy_; }

    // Rewrites the window items of every menu (after a title change).
    void Refresh();
    // Refresh when a registered window's title changed since the last rewrite.
    void RefreshIfTitlesChanged();

    // A window-menu command given in source's menu.
    void HandleCommand(wxTopLevelWindow* source, int id);
    // Shows, restores and raises the window, and marks it active.
    void ActivateWindow(wxTopLevelWindow* window);

private:
    struct Entry {
        wxTopLevelWindow* window;
        wxSize registeredSize;
        wxSize sizeBefore; // before the last zoom; wxDefaultSize when none
        wxString title;    // as last written into the menus
    };

    int IndexOf(const wxTopLevelWindow* window) const;
    void Hook(wxTopLevelWindow* window);
    void Unhook(wxTopLevelWindow* window);
    void OnDestroy(wxWindowDestroyEvent& event);
    void OnActivate(wxActivateEvent& event);
    void RewriteMenus();
    void UpdateChecks();
    void Zoom(Entry& entry);

    std::vector<Entry> entries_;
    wxTopLevelWindow* active_ = nullptr;
    bool busy_ = false;
};

// The one list of the application.
WindowList& AppWindows();

// Window-menu commands of window go to the application's list.
void BindWindowMenuCommands(wxTopLevelWindow* window);

} // namespace vdx::gui
