#include "app/Messages.h"

#include "controls/Sound.h"

#include <wx/msgdlg.h>
#include <wx/utils.h>

namespace vdx::gui {

namespace {
MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}
} // namespace

wxString ProgramTitle() { return "VendrixPlanner"; }

int ShowMessage(const wxString& text, long style, const wxString& title, wxWindow* parent) {
    if (Handler()) return Handler()(text, title, style);
    return wxMessageBox(text, title, style, parent);
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    MessageHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

void PlayWarningSound() { PlayBellsSound(); }

} // namespace vdx::gui
