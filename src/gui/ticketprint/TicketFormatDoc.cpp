#include "ticketprint/TicketFormatDoc.h"

#include "app/AppLog.h"
#include "app/DocumentSaving.h"
#include "app/Messages.h"
#include "app/VdxApp.h"
#include "ticketprint/TicketPrinting.h"
#include "ticketprint/VdfFile.h"

#include <wx/filename.h>
#include <wx/intl.h>

using vdx::gui::AppLog;
using vdx::gui::ShowMessage;

wxIMPLEMENT_DYNAMIC_CLASS(TicketFormatDoc, wxDocument);

namespace {
std::string NativePath(const wxString& file) { return std::string(static_cast<const char*>(file.fn_str())); }
} // namespace

bool TicketFormatDoc::SetValue(vdx::FormatChange kind, int index, int value) {
    if (!vdx::SetFormatValue(format_, kind, index, value)) {
        vdx::gui::PlayWarningSound();
        return false;
    }
    Changed();
    return true;
}

bool TicketFormatDoc::SetArray(vdx::FormatChange kind, const std::vector<int>& values) {
    const bool all = vdx::SetFormatArray(format_, kind, values);
    if (!all) vdx::gui::PlayWarningSound();
    Changed(); // the accepted entries stay
    return all;
}

void TicketFormatDoc::Changed() {
    wxDocument::Modify(format_.modified());
    UpdateAllViews();
}

bool TicketFormatDoc::OnNewDocument() {
    if (!wxDocument::OnNewDocument()) return false;
    format_ = vdx::TicketFormat();
    wxDocument::Modify(false);
    UpdateAllViews();
    return true;
}

bool TicketFormatDoc::DoOpenDocument(const wxString& file) {
    vdx::TicketFormat read;
    vdx::FileProblem problem;
    const int result = vdx::ReadVdfFile(NativePath(file), read, problem);
    if (result != vdx::kFormatReadOk) {
        ShowMessage(wxString::FromUTF8(vdx::FormatReadMessage(result, file.utf8_string(), problem)),
                    wxOK | wxICON_ERROR);
        return false;
    }
    format_ = read;
    return true;
}

bool TicketFormatDoc::DoSaveDocument(const wxString& file) {
    const vdx::SafeSaveResult result = vdx::SaveVdfFile(NativePath(file), format_);
    if (!result.ok) {
        AppLog(wxString::Format(_("Error saving the file %s"), file));
        if (!result.error.empty()) AppLog(wxString::FromUTF8(result.error));
        ShowMessage(wxString::FromUTF8(vdx::FormatSaveMessage(file.utf8_string(), result.problem)),
                    wxOK | wxICON_ERROR);
        return false;
    }
    AppLog(wxString::Format(_("File %s saved"), file));
    // The next print reads the saved file again.
    vdx::gui::DropPrintFormatOf(file);
    return true;
}

bool TicketFormatDoc::OnSaveDocument(const wxString& file) {
    if (!wxDocument::OnSaveDocument(file)) return false;
    UpdateAllViews();
    return true;
}

bool TicketFormatDoc::OnSaveModified() { return vdx::gui::SaveModifiedAfterAsking(*this, _(vdx::kFormatEditorTitle)); }

bool TicketFormatDoc::Close() {
    if (!wxDocument::Close()) return false;
    if (closedOnce_) AppLog(wxString::Format(_("Format file %s closed"), GetFilename()));
    closedOnce_ = true;
    return true;
}

// The framework's Save As, with the name asked through ChooseFileToSave; the
// document takes the new name only when the file was written.
bool TicketFormatDoc::SaveAs() {
    const wxString fileName = vdx::gui::ChooseSaveAsName(*this);
    if (fileName.empty() || !OnSaveDocument(fileName)) return false;
    SetTitle(wxFileNameFromPath(fileName));
    SetFilename(fileName, true);
    GetDocumentManager()->AddFileToHistory(fileName);
    return true;
}
