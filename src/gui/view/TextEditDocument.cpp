#include "view/TextEditDocument.h"

#include "app/AppLog.h"
#include "app/DocumentSaving.h"
#include "app/Messages.h"
#include "app/MyDocManager.h"
#include "app/VdxApp.h"
#include "document/FileProblem.h"
#include "document/SafeSave.h"
#include "frame/WindowList.h"
#include "view/TextEditView.h"

#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/textctrl.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>

using vdx::gui::AppLog;
using vdx::gui::ShowMessage;

wxIMPLEMENT_DYNAMIC_CLASS(TextEditDocument, wxDocument);

namespace {

std::string NativePath(const wxString& file) { return std::string(static_cast<const char*>(file.fn_str())); }

// The file's bytes; false with the reason when it cannot be read. A file far
// too large is not read at all (its size alone refuses it).
bool ReadBytes(const std::string& path, std::string& bytes, vdx::FileProblem& problem) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        problem = vdx::SystemProblem(errno);
        return false;
    }
    if (info.st_size > vdx::kMaxPlainTextBytes) {
        bytes.assign(static_cast<size_t>(vdx::kMaxPlainTextBytes) + 1, ' '); // refused by its size
        return true;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        problem = vdx::SystemProblem(errno);
        return false;
    }
    std::ostringstream all;
    all << in.rdbuf();
    if (in.bad()) {
        problem = vdx::SystemProblem(errno);
        return false;
    }
    bytes = all.str();
    return true;
}

} // namespace

wxTextCtrl* TextEditDocument::Control() const {
    auto* view = dynamic_cast<TextEditView*>(GetFirstView());
    return view ? view->TextControl() : nullptr;
}

bool TextEditDocument::OnNewDocument() {
    if (!wxDocument::OnNewDocument()) return false;
    format_ = vdx::PlainText();
    AppLog(_("New document created"));
    vdx::gui::AppWindows().Refresh();
    return true;
}

bool TextEditDocument::DoOpenDocument(const wxString& file) {
    std::string bytes;
    vdx::FileProblem problem;
    if (!ReadBytes(NativePath(file), bytes, problem)) {
        ShowMessage(wxString::FromUTF8(vdx::WithReason(_("Error reading the file").utf8_string(),
                                                       file.utf8_string(), problem)),
                    wxOK | wxICON_ERROR);
        return false;
    }
    vdx::PlainText read;
    const vdx::PlainTextResult result = vdx::DecodePlainText(bytes, read);
    if (!result.ok()) {
        ShowMessage(wxString::FromUTF8(vdx::PlainTextProblemMessage(result, file.utf8_string())),
                    wxOK | wxICON_ERROR);
        return false;
    }
    wxTextCtrl* control = Control();
    if (!control) return false;
    control->ChangeValue(wxString::FromUTF8(read.text));
    control->DiscardEdits();
    read.text.clear(); // the control holds it from now on
    format_ = std::move(read);
    AppLog(wxString::Format(_("File %s opened"), file));
    if (format_.encoding == vdx::TextEncoding::Windows1252) {
        const wxString note = wxString::FromUTF8(vdx::Windows1252Note(file.utf8_string()));
        AppLog(note);
        ShowMessage(note, wxOK | wxICON_INFORMATION);
    }
    vdx::gui::AppWindows().Refresh();
    return true;
}

bool TextEditDocument::DoSaveDocument(const wxString& file) {
    wxTextCtrl* control = Control();
    if (!control) return false;
    vdx::PlainText text = format_;
    text.text = control->GetValue().utf8_string();
    std::string bytes, bad;
    if (!vdx::EncodePlainText(text, bytes, &bad)) {
        const int answer = ShowMessage(wxString::FromUTF8(vdx::UnsavableCharacterQuestion(bad)),
                                       wxYES_NO | wxICON_QUESTION, vdx::gui::ProgramTitle(), GetDocumentWindow());
        if (answer != wxYES) return false;
        text.encoding = vdx::TextEncoding::Utf8;
        vdx::EncodePlainText(text, bytes);
    }
    // Written beside the target and renamed over it: a failure keeps the old file.
    const vdx::SafeSaveResult saved = vdx::SafeSave(NativePath(file), [&bytes](std::ostream& out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out);
    });
    if (!saved.ok) {
        const wxString message = wxString::Format(_("Error saving the file %s"), file);
        AppLog(message);
        if (!saved.error.empty()) AppLog(wxString::FromUTF8(saved.error));
        ShowMessage(wxString::FromUTF8(vdx::WithReason(message.utf8_string(), std::string(), saved.problem)),
                    wxOK | wxICON_ERROR, vdx::gui::ProgramTitle(), GetDocumentWindow());
        return false;
    }
    format_.encoding = text.encoding;
    control->DiscardEdits();
    AppLog(wxString::Format(_("File %s saved"), file));
    vdx::gui::AppWindows().Refresh();
    return true;
}

// The framework's Save As, with the name asked through ChooseFileToSave.
bool TextEditDocument::SaveAs() {
    const wxString fileName = vdx::gui::ChooseSaveAsName(*this);
    if (fileName.empty() || !OnSaveDocument(fileName)) return false;
    SetTitle(wxFileNameFromPath(fileName));
    SetFilename(fileName, true);
    if (GetDocumentTemplate()->FileMatchesTemplate(fileName)) GetDocumentManager()->AddFileToHistory(fileName);
    vdx::gui::AppWindows().Refresh();
    return true;
}

bool TextEditDocument::OnSaveModified() { return vdx::gui::SaveModifiedAfterAsking(*this, vdx::gui::ProgramTitle()); }

bool TextEditDocument::OnCloseDocument() {
    if (closed_) return true;
    if (!wxDocument::OnCloseDocument()) return false;
    closed_ = true;
    if (GetDocumentSaved()) AppLog(wxString::Format(_("File %s closed"), GetFilename()));
    return true;
}

bool TextEditDocument::IsModified() const {
    const wxTextCtrl* control = Control();
    return wxDocument::IsModified() || (control && control->IsModified());
}

void TextEditDocument::Modify(bool modified) {
    wxDocument::Modify(modified);
    if (!modified)
        if (wxTextCtrl* control = Control()) control->DiscardEdits();
}

void RegisterTextTemplate(MyDocManager* manager) {
    if (!manager) return;
    for (wxObject* object : manager->GetTemplates())
        if (static_cast<wxDocTemplate*>(object)->GetDocClassInfo() == CLASSINFO(TextEditDocument)) return;
    new wxDocTemplate(manager, _("Text"), "*.txt", wxEmptyString, "txt", "Text Doc", "Text View",
                      CLASSINFO(TextEditDocument), CLASSINFO(TextEditView));
}
