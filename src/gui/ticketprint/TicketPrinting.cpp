#include "ticketprint/TicketPrinting.h"

#include "app/AppLog.h"
#include "app/Messages.h"
#include "app/VdxApp.h"
#include "document/VdxDocument.h"
#include "ticketprint/FormatEditorFrame.h"
#include "ticketprint/SlipPrintout.h"
#include "ticketprint/TicketFormatDoc.h"
#include "ticketprint/TicketPrint.h"
#include "ticketprint/VdfFile.h"
#include "view/PrintCommands.h"
#include "view/VdxView.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/print.h>
#include <wx/utils.h>

#include <memory>

namespace vdx::gui {

namespace {

std::unique_ptr<vdx::TicketFormat> g_printFormat;
FormatFileChooser g_chooser;

wxString AskFormatFile(wxWindow* parent) {
    if (g_chooser) return g_chooser(parent);
    wxFileDialog dialog(parent, wxGetTranslation(vdx::kChooseFormatPrompt), wxEmptyString, wxEmptyString, "*.vdf",
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST | wxFD_CHANGE_DIR);
    return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
}

// Reads the selected file into the format for printing; a file that cannot be
// read is said so and no longer selected.
bool LoadPrintFormat(VdxApp& app) {
    if (g_printFormat) return true;
    const wxString path = wxString::FromUTF8(app.Config().ticketFormat);
    AppLog(wxString::Format(wxGetTranslation(vdx::kFormatOpenedForPrintingLog), path));
    auto format = std::make_unique<vdx::TicketFormat>();
    vdx::FileProblem problem;
    const int result = vdx::ReadVdfFile(std::string(static_cast<const char*>(path.fn_str())), *format, problem);
    if (result != vdx::kFormatReadOk) {
        ShowMessage(wxString::FromUTF8(vdx::FormatReadMessage(result, path.utf8_string(), problem)),
                    wxOK | wxICON_ERROR);
        app.SetTicketFormatFile(wxString());
        return false;
    }
    g_printFormat = std::move(format);
    return true;
}

// A format changed in the editor and not saved yet is printed as saved,
// unless the user saves it now.
void OfferToSaveEditedFormat(const VdxApp& app) {
    FormatEditorFrame* editor = FormatEditorFrame::Instance();
    TicketFormatDoc* doc = editor ? editor->Document() : nullptr;
    if (!doc || !doc->IsModified() ||
        !vdx::SameFormatFile(doc->GetFilename().utf8_string(), app.Config().ticketFormat))
        return;
    const wxString question = wxString::FromUTF8(vdx::FormatChangedQuestion(doc->GetFilename().utf8_string()));
    if (ShowMessage(question, wxYES_NO | wxICON_QUESTION, wxGetTranslation(vdx::kFormatChangedTitle)) != wxYES)
        return;
    wxCommandEvent save(wxEVT_MENU, wxID_SAVE);
    save.SetEventObject(editor);
    editor->GetEventHandler()->ProcessEvent(save);
}

} // namespace

const vdx::TicketFormat* PrintFormat() { return g_printFormat.get(); }

void DropPrintFormat() { g_printFormat.reset(); }

void DropPrintFormatOf(const wxString& file) {
    const VdxApp* app = VdxApp::Get();
    if (app && vdx::SameFormatFile(file.utf8_string(), app->Config().ticketFormat)) DropPrintFormat();
}

FormatFileChooser SetFormatFileChooser(FormatFileChooser chooser) {
    FormatFileChooser previous = std::move(g_chooser);
    g_chooser = std::move(chooser);
    return previous;
}

void SelectTicketFormat(wxWindow* parent) {
    VdxApp* app = VdxApp::Get();
    if (!app) return;
    const wxString path = AskFormatFile(parent);
    if (path.empty()) return;
    const wxString full = wxFileName(path).GetFullPath();
    app->SetTicketFormatFile(full);
    AppLog(wxString::Format(wxGetTranslation(vdx::kFormatSelectedLog), full));
}

bool PrintTickets(VdxView* view) {
    VdxApp* app = VdxApp::Get();
    VdxDocument* doc = view ? dynamic_cast<VdxDocument*>(view->GetDocument()) : nullptr;
    if (!app || !doc || app->Config().ticketFormat.empty()) return false;
    wxWindow* parent = view->GetFrame();
    // Nothing else may change the document or the format meanwhile.
    const wxWindowDisabler others(parent);

    OfferToSaveEditedFormat(*app);
    if (!LoadPrintFormat(*app)) return false;
    const vdx::TicketFormatValues format = g_printFormat->values();
    if (!vdx::TicketFitsFormat(doc->Data(), format)) {
        ShowMessage(wxGetTranslation(vdx::kTicketTooLargeMessage), wxOK | wxICON_INFORMATION,
                    wxGetTranslation(vdx::kTicketTooLargeTitle), parent);
        return false;
    }
    std::unique_ptr<PagePrintout> printout = CreateSlipPrintout(doc->Data(), format, doc->GetUserReadableName());
    wxPrinter printer(&ProgramPrintData());
    const bool printed = printer.Print(parent, printout.get(), true);
    ProgramPrintData() = printer.GetPrintDialogData();
    if (!printed && wxPrinter::GetLastError() == wxPRINTER_ERROR)
        ShowMessage(_("The tickets could not be printed. Please check the printer and its settings."),
                    wxOK | wxICON_ERROR, ProgramTitle(), parent);
    return printed;
}

} // namespace vdx::gui
