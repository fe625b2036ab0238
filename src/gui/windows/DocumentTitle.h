#pragma once
// The windows of a document carry its name in their titles: one whole sentence
// per kind of window, with the document's name and modified mark as its own
// window shows them.

#include <wx/string.h>

class VdxDocument;
class wxTopLevelWindow;

namespace vdx::gui {

// The windows a document has at most one of.
enum class DocWindow { Input, Options, Conditions, Charts, Statistics, Calculation, Preview };
constexpr int kDocWindowKinds = 7;

// The document's name with "*" while it is modified.
wxString DocumentWindowTitle(const VdxDocument* doc);

// The title of doc's window of kind, e.g. "example.vdx*: Options".
wxString DocumentWindowTitle(const VdxDocument* doc, DocWindow kind);

// Keeps window's title at DocumentWindowTitle(doc, kind) through every rename,
// save and change of the document; looked at whenever the program is idle.
void FollowDocumentTitle(wxTopLevelWindow* window, VdxDocument* doc, DocWindow kind);

} // namespace vdx::gui
