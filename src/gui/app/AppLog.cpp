#include "app/AppLog.h"

#include <wx/datetime.h>
#include <wx/log.h>
#include <wx/generic/logg.h>

namespace vdx::gui {

namespace {
wxLogWindow* g_logWindow = nullptr;
}

void SetAppLogWindow(wxLogWindow* window) { g_logWindow = window; }

void AppLog(const wxString& line) {
    if (!g_logWindow) return;
    // Straight to the window: these lines are not for the previous log target.
    g_logWindow->LogTextAtLevel(wxLOG_Message, wxDateTime::Now().FormatISOTime() + ": " + line);
}

} // namespace vdx::gui
