#pragma once
// The windows that belong to one pools document (input, options, conditions,
// charts, statistics, calculation, preview). The document refers to at most
// one window of each kind: asking for it again raises it. A window taken on
// by the document follows its title, is entered in the window list, is
// forgotten when it goes and is closed with the document.

#include "windows/DocumentTitle.h"

class VdxDocument;
class wxTopLevelWindow;

namespace vdx::gui {

// A document window that may hold something the user has not applied yet
// derives from this too: it is asked before its document closes.
class DocumentCloseGuard {
public:
    virtual ~DocumentCloseGuard() = default;
    // May ask the user, apply and close itself; false keeps the document open.
    virtual bool AllowDocumentClose() = 0;
};

// The document's window of kind, or nullptr (also once it is closing).
wxTopLevelWindow* FindDocumentWindow(const VdxDocument* doc, DocWindow kind);

template <class Window>
Window* FindDocumentWindow(const VdxDocument* doc, DocWindow kind) {
    return dynamic_cast<Window*>(FindDocumentWindow(doc, kind));
}

// Makes window the document's window of kind: its title follows the document
// (DocumentWindowTitle(doc, kind)) and it is entered in the window list. An
// earlier window of the kind gives the new one its position, size and place in
// the list and is destroyed. Does not show the window.
void AttachDocumentWindow(VdxDocument* doc, DocWindow kind, wxTopLevelWindow* window);

// Shows, restores and raises the window and makes it the active one.
void RaiseDocumentWindow(wxTopLevelWindow* window);

// Raises the document's window of kind, or creates one with create() (which
// returns a new Window*), attaches and shows it.
template <class Window, class Create>
Window* OpenDocumentWindow(VdxDocument* doc, DocWindow kind, Create create) {
    if (!doc) return nullptr;
    if (Window* open = FindDocumentWindow<Window>(doc, kind)) {
        RaiseDocumentWindow(open);
        return open;
    }
    Window* window = create();
    AttachDocumentWindow(doc, kind, window);
    window->Show();
    return window;
}

// Before doc closes: each of its windows that is a DocumentCloseGuard is asked;
// false when one keeps the document open.
bool DocumentWindowsAllowClose(VdxDocument* doc);

// doc closes: its windows leave the window list and are destroyed.
void CloseDocumentWindows(VdxDocument* doc);

} // namespace vdx::gui
