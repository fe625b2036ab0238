#include "windows/DocumentWindows.h"

#include "document/VdxDocument.h"
#include "frame/WindowList.h"

#include <wx/app.h>
#include <wx/toplevel.h>

namespace vdx::gui {

namespace {

bool Closing(wxTopLevelWindow* window) {
    return window->IsBeingDeleted() || (wxTheApp && wxTheApp->IsScheduledForDestruction(window));
}

} // namespace

wxTopLevelWindow* FindDocumentWindow(const VdxDocument* doc, DocWindow kind) {
    if (!doc) return nullptr;
    wxTopLevelWindow* window = doc->WindowOf(kind);
    return window && !Closing(window) ? window : nullptr;
}

void AttachDocumentWindow(VdxDocument* doc, DocWindow kind, wxTopLevelWindow* window) {
    if (!doc || !window) return;
    wxWeakRef<wxTopLevelWindow>& slot = doc->WindowSlot(kind);
    wxTopLevelWindow* old = slot.get();
    if (old == window) return;
    slot = window;
    FollowDocumentTitle(window, doc, kind);
    if (old && !Closing(old)) {
        window->SetSize(old->GetRect());
        AppWindows().Replace(old, window);
        old->Destroy();
    } else {
        AppWindows().Register(window);
    }
}

void RaiseDocumentWindow(wxTopLevelWindow* window) {
    if (!window) return;
    if (AppWindows().Contains(window)) {
        AppWindows().ActivateWindow(window);
        return;
    }
    // A full window list leaves the window out; it is raised all the same.
    if (window->IsIconized()) window->Iconize(false);
    if (!window->IsShown()) window->Show();
    window->Raise();
}

bool DocumentWindowsAllowClose(VdxDocument* doc) {
    for (int k = 0; k < kDocWindowKinds; ++k) {
        auto* guard = dynamic_cast<DocumentCloseGuard*>(FindDocumentWindow(doc, static_cast<DocWindow>(k)));
        if (guard && !guard->AllowDocumentClose()) return false;
    }
    return true;
}

void CloseDocumentWindows(VdxDocument* doc) {
    if (!doc) return;
    for (int k = 0; k < kDocWindowKinds; ++k) {
        wxWeakRef<wxTopLevelWindow>& slot = doc->WindowSlot(static_cast<DocWindow>(k));
        wxTopLevelWindow* window = slot.get();
        slot = nullptr;
        if (!window || window->IsBeingDeleted()) continue;
        AppWindows().Unregister(window);
        window->Destroy();
    }
}

} // namespace vdx::gui
