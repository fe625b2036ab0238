#include "windows/DocumentTitle.h"

#include "document/VdxDocument.h"

#include <wx/toplevel.h>
#include <wx/weakref.h>

namespace vdx::gui {

wxString DocumentWindowTitle(const VdxDocument* doc) {
    if (!doc) return wxString();
    // As the framework labels the document's own frame.
    wxString title = doc->GetUserReadableName();
    if (doc->IsModified()) title += "*";
    return title;
}

void FollowDocumentTitle(wxTopLevelWindow* window, VdxDocument* doc, const wxString& suffix) {
    window->SetTitle(DocumentWindowTitle(doc) + suffix);
    window->Bind(wxEVT_IDLE, [window, suffix, document = wxWeakRef<VdxDocument>(doc)](wxIdleEvent& event) {
        event.Skip();
        if (!document) return;
        const wxString title = DocumentWindowTitle(document.get()) + suffix;
        if (window->GetTitle() != title) window->SetTitle(title);
    });
}

} // namespace vdx::gui
