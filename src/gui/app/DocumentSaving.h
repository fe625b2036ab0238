#pragma once
// What every kind of document does alike when it is saved under a new name or
// closed with changes: one place, so the kinds cannot drift apart.

#include <wx/string.h>

class wxDocument;

namespace vdx::gui {

// Asks for the name to save doc under (in SaveAsFolder's folder, with its
// template's filter and extension); empty when the user cancels.
wxString ChooseSaveAsName(wxDocument& doc);

// The question before a changed document closes: Yes saves it, No drops the
// changes; false keeps it open (Cancel, or a failed save). title names the box.
bool SaveModifiedAfterAsking(wxDocument& doc, const wxString& title);

} // namespace vdx::gui
