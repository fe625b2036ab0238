#pragma once
// Every message box of the program goes through ShowMessage, so that one
// place decides how a message reaches the user (and tests can answer them).

#include <wx/defs.h>
#include <wx/string.h>

#include <functional>

class wxWindow;

namespace vdx::gui {

// The title of the program's message boxes.
wxString ProgramTitle();

// Shows a message box; style as for wxMessageBox. Returns wxOK, wxYES, wxNO or wxCANCEL.
int ShowMessage(const wxString& text, long style = wxOK | wxICON_INFORMATION,
                const wxString& title = ProgramTitle(), wxWindow* parent = nullptr);

using MessageHandler =
    std::function<int(const wxString& text, const wxString& title, long style)>;
// Replaces the message box by handler (empty: the real box again); returns the previous one.
MessageHandler SetMessageHandler(MessageHandler handler);

// The sound of a refused action.
void PlayWarningSound();

} // namespace vdx::gui
