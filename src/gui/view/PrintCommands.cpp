#include "view/PrintCommands.h"

#include "app/Messages.h"
#include "view/TicketPrintout.h"

#include <wx/intl.h>
#include <wx/print.h>
#include <wx/printdlg.h>

namespace vdx::gui {

wxPrintDialogData& ProgramPrintData() {
    static wxPrintDialogData data;
    return data;
}

bool PrintDocument(VdxView* view, wxWindow* parent) {
    if (!view) return false;
    std::unique_ptr<PagePrintout> printout = CreateTicketPrintout(view);
    wxPrinter printer(&ProgramPrintData());
    const bool printed = printer.Print(parent, printout.get(), true);
    ProgramPrintData() = printer.GetPrintDialogData();
    if (!printed && wxPrinter::GetLastError() == wxPRINTER_ERROR)
        ShowMessage(_("The document could not be printed. Please check the printer and its settings."),
                    wxOK | wxICON_ERROR, ProgramTitle(), parent);
    return printed;
}

void ShowPrintSetup(wxWindow* parent) {
    wxPageSetupDialogData data(ProgramPrintData().GetPrintData());
    wxPageSetupDialog dialog(parent, &data);
    if (dialog.ShowModal() == wxID_OK)
        ProgramPrintData().SetPrintData(dialog.GetPageSetupDialogData().GetPrintData());
}

} // namespace vdx::gui
