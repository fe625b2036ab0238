#pragma once
// Printing the lines of a pools document onto betting tickets: the choice of
// the format file, the format loaded for printing and when it is dropped,
// the checks before printing and the print itself.

#include "ticketprint/TicketFormat.h"

#include <wx/string.h>

#include <functional>

class VdxView;
class wxWindow;

namespace vdx::gui {

// The format loaded from the selected file for printing; nullptr until the
// first print after a selection.
const vdx::TicketFormat* PrintFormat();
// Forgets it: the next print reads the selected file again.
void DropPrintFormat();
// Forgets it when file is the selected format file (after a save of it).
void DropPrintFormatOf(const wxString& file);

// "Select Format": asks for a format file; OK selects it.
void SelectTicketFormat(wxWindow* parent);

// The question for the format file (empty: cancelled); tests answer it.
using FormatFileChooser = std::function<wxString(wxWindow* parent)>;
FormatFileChooser SetFormatFileChooser(FormatFileChooser chooser);

// "Print Tickets" of the view's document with the selected format: offers
// to save a changed format in the editor, loads the format, checks that the
// tickets fit, then prints one ticket a page through the print dialog.
// True when something was printed.
bool PrintTickets(VdxView* view);

} // namespace vdx::gui
