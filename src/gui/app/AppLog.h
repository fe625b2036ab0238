#pragma once
// The application log: one line per event, written to the "Log" window only.

#include <wx/string.h>

class wxLogWindow;

namespace vdx::gui {

// Lines go to this window from now on; nullptr stops logging.
void SetAppLogWindow(wxLogWindow* window);
// Writes one time-stamped line; does nothing while there is no log window.
void AppLog(const wxString& line);

} // namespace vdx::gui
