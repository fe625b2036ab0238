#include "frame/WindowList.h"

#include "app/Messages.h"
#include "frame/CommandIds.h"

#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/toplevel.h>

namespace vdx::gui {

namespace {

// The window part of window's "&Window" menu, or nullptr when it has none.
wxMenu* WindowMenuOf(wxTopLevelWindow* window) {
    auto* frame = dynamic_cast<wxFrame*>(window);
    wxMenuBar* bar = frame ? frame->GetMenuBar() : nullptr;
    if (!bar) return nullptr;
    wxMenu* menu = nullptr;
    return bar->FindItem(kIdWindowMinimize, &menu) ? menu : nullptr;
}

wxString MenuLabelOf(const wxString& title) {
    wxString label = title;
    label.Replace("&", "&&");
    label.Replace("\t", " "); // a tab would start an accelerator
    return label;
}

// Restores the flag even when a window operation throws.
class BusyFlag {
public:
    explicit BusyFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyFlag() { flag_ = false; }

private:
    bool& flag_;
};

} // namespace

WindowList& AppWindows() {
    static WindowList list;
    return list;
}

void BindWindowMenuCommands(wxTopLevelWindow* window) {
    window->Bind(wxEVT_MENU, [window](wxCommandEvent& event) {
        AppWindows().HandleCommand(window, event.GetId());
    }, kIdWindowMinimize, kIdWindowLast);
}

int WindowList::IndexOf(const wxTopLevelWindow* window) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].window == window) return static_cast<int>(i);
    return -1;
}

bool WindowList::Contains(const wxTopLevelWindow* window) const { return IndexOf(window) >= 0; }

wxTopLevelWindow* WindowList::At(size_t index) const {
    return index < entries_.size() ? entries_[index].window : nullptr;
}

bool WindowList::Register(wxTopLevelWindow* window) {
    if (!window) return false;
    if (Contains(window)) return true;
    if (entries_.size() >= static_cast<size_t>(kMaxListedWindows)) return false;
    entries_.push_back({window, window->GetSize(), wxDefaultSize, wxString()});
    Hook(window);
    active_ = window;
    RewriteMenus();
    return true;
}

void WindowList::Unregister(wxTopLevelWindow* window) {
    const int index = IndexOf(window);
    if (index < 0) return;
    if (!window->IsBeingDeleted()) Unhook(window);
    entries_.erase(entries_.begin() + index);
    if (active_ == window) active_ = entries_.empty() ? nullptr : entries_.front().window;
    // The window's own menu keeps its items: it is going away or not listed any more.
    RewriteMenus();
}

void WindowList::Replace(wxTopLevelWindow* oldWindow, wxTopLevelWindow* newWindow) {
    const int index = IndexOf(oldWindow);
    if (index < 0 || !newWindow) {
        Register(newWindow);
        return;
    }
    if (Contains(newWindow)) {
        Unregister(oldWindow);
        return;
    }
    if (!oldWindow->IsBeingDeleted()) Unhook(oldWindow);
    entries_[index].window = newWindow;
    Hook(newWindow);
    if (active_ == oldWindow) active_ = newWindow;
    RewriteMenus();
}

void WindowList::Hook(wxTopLevelWindow* window) {
    window->Bind(wxEVT_DESTROY, &WindowList::OnDestroy, this);
    window->Bind(wxEVT_ACTIVATE, &WindowList::OnActivate, this);
}

void WindowList::Unhook(wxTopLevelWindow* window) {
    window->Unbind(wxEVT_DESTROY, &WindowList::OnDestroy, this);
    window->Unbind(wxEVT_ACTIVATE, &WindowList::OnActivate, this);
}

void WindowList::OnDestroy(wxWindowDestroyEvent& event) {
    event.Skip();
    // Destroy events of child windows pass by here too.
    auto* window = dynamic_cast<wxTopLevelWindow*>(event.GetEventObject());
    if (window && Contains(window)) Unregister(window);
}

void WindowList::OnActivate(wxActivateEvent& event) {
    event.Skip();
    auto* window = dynamic_cast<wxTopLevelWindow*>(event.GetEventObject());
    if (event.GetActive() && window && Contains(window)) SetActive(window);
}

void WindowList::SetActive(wxTopLevelWindow* window) {
    if (!Contains(window) || active_ == window) return;
    active_ = window;
    UpdateChecks();
}

void WindowList::Refresh() { RewriteMenus(); }

void WindowList::RefreshIfTitlesChanged() {
    for (const Entry& entry : entries_) {
        if (entry.window->GetTitle() != entry.title) {
            RewriteMenus();
            return;
        }
    }
}

void WindowList::RewriteMenus() {
    BusyFlag busy(busy_);
    for (Entry& entry : entries_) entry.title = entry.window->GetTitle();
    for (const Entry& owner : entries_) {
        if (owner.window->IsBeingDeleted()) continue;
        wxMenu* menu = WindowMenuOf(owner.window);
        if (!menu) continue;
        for (int id = kIdWindowFirst; id <= kIdWindowLast; ++id)
            if (menu->FindChildItem(id)) menu->Destroy(id);
        for (size_t i = 0; i < entries_.size(); ++i) {
            const int id = kIdWindowFirst + static_cast<int>(i);
            menu->AppendCheckItem(id, MenuLabelOf(entries_[i].title));
            menu->Check(id, entries_[i].window == active_);
        }
    }
}

void WindowList::UpdateChecks() {
    for (const Entry& owner : entries_) {
        if (owner.window->IsBeingDeleted()) continue;
        wxMenu* menu = WindowMenuOf(owner.window);
        if (!menu) continue;
        for (size_t i = 0; i < entries_.size(); ++i) {
            const int id = kIdWindowFirst + static_cast<int>(i);
            if (menu->FindChildItem(id)) menu->Check(id, entries_[i].window == active_);
        }
    }
}

void WindowList::ActivateWindow(wxTopLevelWindow* window) {
    if (!Contains(window)) return;
    {
        BusyFlag busy(busy_);
        if (window->IsIconized()) window->Iconize(false);
        if (!window->IsShown()) window->Show();
        window->Raise();
    }
    SetActive(window);
}

void WindowList::Zoom(Entry& entry) {
    const wxSize now = entry.window->GetSize();
    if (now != entry.registeredSize) {
        entry.sizeBefore = now;
        entry.window->SetSize(entry.registeredSize);
    } else if (entry.sizeBefore != wxDefaultSize) {
        entry.window->SetSize(entry.sizeBefore);
    }
}

void WindowList::HandleCommand(wxTopLevelWindow* source, int id) {
    if (busy_) {
        PlayWarningSound();
        return;
    }
    const int index = IndexOf(source);
    switch (id) {
    case kIdWindowMinimize:
        source->Iconize(true);
        return;
    case kIdWindowMinimizeAll: {
        BusyFlag busy(busy_);
        for (const Entry& entry : entries_)
            if (entry.window->IsShown()) entry.window->Iconize(true);
        return;
    }
    case kIdWindowZoom:
        if (index >= 0) {
            BusyFlag busy(busy_);
            Zoom(entries_[index]);
        }
        return;
    case kIdWindowClose:
        source->Close();
        return;
    case kIdWindowNext:
        if (!entries_.empty())
            ActivateWindow(entries_[(index + 1) % static_cast<int>(entries_.size())].window);
        return;
    default:
        if (id >= kIdWindowFirst && id <= kIdWindowLast) {
            const size_t i = static_cast<size_t>(id - kIdWindowFirst);
            if (i < entries_.size()) ActivateWindow(entries_[i].window);
        }
        return;
    }
}

} // namespace vdx::gui
