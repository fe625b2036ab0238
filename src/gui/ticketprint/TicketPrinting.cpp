#include "ticketprint/TicketPrinting.h"

#include "app/VdxApp.h"
#include "ticketprint/TicketPrint.h"

#include <memory>

namespace vdx::gui {

namespace {
std::unique_ptr<vdx::TicketFormat> g_printFormat;
} // namespace

const vdx::TicketFormat* PrintFormat() { return g_printFormat.get(); }

void DropPrintFormat() { g_printFormat.reset(); }

void DropPrintFormatOf(const wxString& file) {
    const VdxApp* app = VdxApp::Get();
    if (app && vdx::SameFormatFile(file.utf8_string(), app->Config().ticketFormat)) DropPrintFormat();
}

} // namespace vdx::gui
