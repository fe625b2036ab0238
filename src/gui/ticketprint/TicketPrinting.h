#pragma once
// Printing the lines of a pools document onto betting tickets: the format
// loaded for printing, and when it is dropped.

#include "ticketprint/TicketFormat.h"

#include <wx/string.h>

namespace vdx::gui {

// The format loaded from the selected file for printing; nullptr until the
// first print after a selection.
const vdx::TicketFormat* PrintFormat();
// Forgets it: the next print reads the selected file again.
void DropPrintFormat();
// Forgets it when file is the selected format file (after a save of it).
void DropPrintFormatOf(const wxString& file);

} // namespace vdx::gui
