#include "document/VdxDocument.h"

#include "app/AppLog.h"
#include "app/DocumentSaving.h"
#include "app/Messages.h"
#include "app/MyDocManager.h"
#include "app/VdxApp.h"
#include "calc/CalculationWindow.h"
#include "document/VdxFile.h"
#include "windows/DocumentWindows.h"

#include <wx/filename.h>
#include <wx/intl.h>

#include <wx/app.h>

#include <algorithm>
#include <fstream>

using vdx::gui::AppLog;
using vdx::gui::ShowMessage;

wxIMPLEMENT_DYNAMIC_CLASS(VdxDocument, wxDocument);

namespace {

// Carries the kind of a change through the framework's hint.
class ChangeHint : public wxObject {
public:
    explicit ChangeHint(DocumentChange change) : change(change) {}
    DocumentChange change;
};

} // namespace

VdxDocument::VdxDocument() : data_(CurrentAppConfig()) {}

VdxDocument::~VdxDocument() { vdx::gui::CloseDocumentWindows(this); }

void VdxDocument::MarkChanged() {
    Modify(true);
    UpdateAllViews();
}

void VdxDocument::Subscribe(wxWindow* window, ChangeHandler handler) {
    if (!window || !handler) return;
    Unsubscribe(window);
    subscribers_.emplace_back(window, std::move(handler));
}

void VdxDocument::Unsubscribe(wxWindow* window) {
    for (auto& subscriber : subscribers_)
        if (subscriber.first.get() == window) subscriber.first = nullptr;
}

void VdxDocument::NotifyChange(DocumentChange change) {
    ChangeHint hint(change);
    UpdateAllViews(nullptr, &hint);
}

void VdxDocument::UpdateAllViews(wxView* sender, wxObject* hint) {
    wxDocument::UpdateAllViews(sender, hint);
    const auto* changeHint = dynamic_cast<const ChangeHint*>(hint);
    const DocumentChange change = changeHint ? changeHint->change : DocumentChange::Data;
    // Destroyed windows have left through their weak references; a handler may
    // subscribe or close windows, so the list is walked as it was.
    subscribers_.erase(std::remove_if(subscribers_.begin(), subscribers_.end(),
                                      [](const auto& subscriber) { return !subscriber.first; }),
                       subscribers_.end());
    const auto subscribers = subscribers_;
    for (const auto& [window, handler] : subscribers)
        if (window && !window->IsBeingDeleted() && !(wxTheApp && wxTheApp->IsScheduledForDestruction(window.get())))
            handler(change);
}

bool VdxDocument::OnNewDocument() {
    if (!wxDocument::OnNewDocument()) return false;
    data_ = vdx::PoolsDocument(CurrentAppConfig());
    Modify(false);
    AppLog(_("New document created"));
    UpdateAllViews();
    return true;
}

bool ReadDocumentFile(const wxString& file, vdx::PoolsDocument& into) {
    // Read into a fresh document so that a failed read changes nothing in `into`.
    vdx::PoolsDocument fresh(CurrentAppConfig());
    vdx::FileProblem problem;
    const int result = vdx::ReadVdxFile(std::string(static_cast<const char*>(file.fn_str())), fresh, problem);
    if (result != vdx::kReadOk) {
        ShowMessage(wxString::FromUTF8(
                        vdx::ReadFailureMessage(result, file.utf8_string(), fresh.importKind, problem)),
                    wxOK | wxICON_ERROR);
        return false;
    }
    into = std::move(fresh);
    return true;
}

bool VdxDocument::DoOpenDocument(const wxString& file) {
    auto* manager = dynamic_cast<MyDocManager*>(GetDocumentManager());
    vdx::PoolsDocument read(CurrentAppConfig());
    if (!(manager && manager->TakeReadAhead(file, read)) && !ReadDocumentFile(file, read)) return false;
    data_ = std::move(read);
    data_.modified = false;
    AppLog(wxString::Format(_("File %s opened"), file));
    return true;
}

bool VdxDocument::DoSaveDocument(const wxString& file) {
    // Written beside the target and renamed over it, so a failure keeps the old file.
    const vdx::WriteResult result =
        vdx::SaveVdxFile(std::string(static_cast<const char*>(file.fn_str())), data_);
    if (!result.ok) {
        const wxString text = wxString::Format(_("Error saving the file %s"), file);
        AppLog(text);
        if (!result.error.empty()) AppLog(wxString::FromUTF8(result.error));
        ShowMessage(wxString::FromUTF8(vdx::WithReason(text.utf8_string(), std::string(), result.problem)),
                    wxOK | wxICON_ERROR);
        return false;
    }
    AppLog(wxString::Format(_("File %s saved"), file));
    data_.saveAsOnSave = false;
    data_.calculatedNotSaved = false;
    WarnAboutLostText(result.replacedCharacters, result.truncated);
    return true;
}

// Once per document and kind: the user learns it, later saves stay quiet.
void VdxDocument::WarnAboutLostText(bool replaced, bool truncated) {
    if (replaced && !warnedReplaced_) {
        warnedReplaced_ = true;
        const wxString text = _("Some characters of this document cannot be stored in the "
                                "file and were saved as '?'.");
        AppLog(text);
        ShowMessage(text, wxOK | wxICON_WARNING);
    }
    if (truncated && !warnedTruncated_) {
        warnedTruncated_ = true;
        const wxString text =
            _("Some texts of this document are too long for the file and were shortened.");
        AppLog(text);
        ShowMessage(text, wxOK | wxICON_WARNING);
    }
}

bool VdxDocument::Save() {
    // The example and similar documents must not be written under their own name.
    if (data_.saveAsOnSave) return SaveAs();
    return wxDocument::Save();
}

// The framework's Save As, with the name asked through ChooseFileToSave. The
// document takes the new name only when the file was written.
bool VdxDocument::SaveAs() {
    const wxString fileName = vdx::gui::ChooseSaveAsName(*this);
    if (fileName.empty() || !OnSaveDocument(fileName)) return false;

    SetTitle(wxFileNameFromPath(fileName));
    SetFilename(fileName, true);
    if (GetDocumentTemplate()->FileMatchesTemplate(fileName))
        GetDocumentManager()->AddFileToHistory(fileName);
    return true;
}

bool VdxDocument::Close() {
    if (data_.calculationRunning) {
        vdx::gui::PlayWarningSound();
        return false;
    }
    // Unapplied input is offered first; its Cancel keeps the document open.
    if (!vdx::gui::DocumentWindowsAllowClose(this)) return false;
    return wxDocument::Close();
}

bool VdxDocument::OnSaveModified() { return vdx::gui::SaveModifiedAfterAsking(*this, vdx::gui::ProgramTitle()); }

bool VdxDocument::OnCloseDocument() {
    if (!closed_) {
        closed_ = true;
        if (GetDocumentSaved()) AppLog(wxString::Format(_("File %s closed"), GetFilename()));
        vdx::gui::ForgetCalculationStatus(this);
        vdx::gui::CloseDocumentWindows(this);
    }
    return wxDocument::OnCloseDocument();
}

bool VdxDocument::IsModified() const { return wxDocument::IsModified() || data_.modified; }

void VdxDocument::Modify(bool modified) {
    data_.modified = modified;
    wxDocument::Modify(modified);
}
