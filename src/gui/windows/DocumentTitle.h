#pragma once
// The windows of a document carry its name in their titles: the name and the
// modified mark as the document's own window shows them, then what the window is.

#include <wx/string.h>

class VdxDocument;
class wxTopLevelWindow;

namespace vdx::gui {

// The document's name with "*" while it is modified.
wxString DocumentWindowTitle(const VdxDocument* doc);

// Keeps window's title at DocumentWindowTitle(doc) + suffix through every
// rename, save and change of the document; looked at whenever the program is idle.
void FollowDocumentTitle(wxTopLevelWindow* window, VdxDocument* doc, const wxString& suffix);

} // namespace vdx::gui
