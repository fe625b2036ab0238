#include "windows/DocumentTitle.h"

#include "document/VdxDocument.h"

#include <wx/intl.h>
#include <wx/toplevel.h>
#include <wx/weakref.h>

namespace vdx::gui {

namespace {

// Whole sentences, so that a language may place the name where it wants.
wxString TitleFormat(DocWindow kind) {
    switch (kind) {
    case DocWindow::Input: return _("%s: Matches, Chances, Odds");
    case DocWindow::Options: return _("%s: Options");
    case DocWindow::Conditions: return _("%s: Conditions");
    case DocWindow::Charts: return _("%s: Charts");
    case DocWindow::Statistics: return _("%s: Statistics");
    case DocWindow::Calculation: return _("%s: Calculation of Distribution");
    case DocWindow::Preview: return _("%s: Print Preview");
    }
    return "%s";
}

} // namespace

wxString DocumentWindowTitle(const VdxDocument* doc) {
    if (!doc) return wxString();
    // As the framework labels the document's own frame.
    wxString title = doc->GetUserReadableName();
    if (doc->IsModified()) title += "*";
    return title;
}

wxString DocumentWindowTitle(const VdxDocument* doc, DocWindow kind) {
    return wxString::Format(TitleFormat(kind), DocumentWindowTitle(doc));
}

void FollowDocumentTitle(wxTopLevelWindow* window, VdxDocument* doc, DocWindow kind) {
    window->SetTitle(DocumentWindowTitle(doc, kind));
    window->Bind(wxEVT_IDLE, [window, kind, document = wxWeakRef<VdxDocument>(doc)](wxIdleEvent& event) {
        event.Skip();
        if (!document) return;
        const wxString title = DocumentWindowTitle(document.get(), kind);
        if (window->GetTitle() != title) window->SetTitle(title);
    });
}

} // namespace vdx::gui
