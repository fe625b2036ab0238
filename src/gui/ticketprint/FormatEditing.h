#pragma once
// How the format editor turns a wanted change into entries of the document's
// undo history.

#include "ticketprint/FormatChange.h"

#include <wx/string.h>

class TicketFormatDoc;
class wxWindow;

namespace vdx::gui {

// The name of a change in the Undo and Redo items: its label without the
// first '&', translated.
wxString FormatChangeName(vdx::FormatChange kind, int index = -1);

// Records one change on the document's command processor. A new size of X
// that would leave other values below a cross asks first (Cancel changes
// nothing); on OK each raised value is recorded as a change of its own, then
// the size. False when nothing was recorded.
bool SubmitFormatChange(TicketFormatDoc* doc, const vdx::FormatChangeValue& change, const wxString& name,
                        wxWindow* parent);

} // namespace vdx::gui
