#include "document/ImportCommand.h"

#include "app/AppLog.h"
#include "app/FileChooser.h"
#include "app/Messages.h"
#include "app/MyDocManager.h"
#include "app/VdxApp.h"
#include "document/TextImport.h"
#include "document/VdxFile.h"
#include "document/VdxDocument.h"
#include "frame/MainFrame.h"
#include "view/VdxView.h"

#include <wx/intl.h>

#include <string>

namespace vdx::gui {

namespace {

wxString ImportFilterText() {
    wxString filter;
    for (int kind = kImportText; kind <= kImportTotocalcio; ++kind) {
        const ImportFilterEntry entry = ImportFilter(kind);
        if (!filter.empty()) filter << '|';
        filter << wxGetTranslation(wxString::FromUTF8(entry.description)) << '|' << entry.pattern;
    }
    return filter;
}

// A new empty pools document with its view, made without asking for a
// template (there may be a text template too). In single-document mode the
// current document is closed first; nullptr when that was cancelled.
VdxDocument* NewPoolsDocument(MyDocManager& manager) {
    wxDocTemplate* pools = nullptr;
    for (wxObject* object : manager.GetTemplates()) {
        auto* candidate = static_cast<wxDocTemplate*>(object);
        if (candidate->GetDocClassInfo() == CLASSINFO(VdxDocument)) pools = candidate;
    }
    if (!pools) return nullptr;
    if (manager.IsSingleDocument() && !manager.CloseDocuments(false)) return nullptr;
    wxDocument* created = pools->CreateDocument(wxEmptyString, wxDOC_NEW);
    if (!created) return nullptr;
    created->SetDocumentName(pools->GetDocumentName());
    if (!created->OnNewDocument()) {
        created->DeleteAllViews();
        return nullptr;
    }
    return dynamic_cast<VdxDocument*>(created);
}

} // namespace

VdxDocument* ImportFileAsDocument(const wxString& path, int kind) {
    VdxApp* app = VdxApp::Get();
    MyDocManager* manager = app ? app->DocManager() : nullptr;
    if (!manager) return nullptr;
    FrameBusyScope busy;

    // Read before a document exists, so a refused file leaves nothing half made.
    PoolsDocument imported(CurrentAppConfig());
    FileProblem problem;
    const int result =
        ImportTextFile(std::string(static_cast<const char*>(path.fn_str())), kind, imported, problem);
    if (result != kReadOk) {
        ShowMessage(wxString::FromUTF8(ImportResultMessage(result, path.utf8_string(), kind, problem)),
                    wxOK | wxICON_ERROR);
        return nullptr;
    }

    // In single-document mode this closes the current document first (it may ask to save).
    VdxDocument* doc = NewPoolsDocument(*manager);
    if (!doc) return nullptr;
    doc->Data() = std::move(imported);
    // Never saved: Save asks for a name. Modified: closing asks before the lines are lost.
    doc->SetFilename(doc->GetTitle(), true);
    doc->SetDocumentSaved(false);
    if (auto* view = dynamic_cast<VdxView*>(doc->GetFirstView())) view->RequestLayout();
    doc->MarkChanged();
    AppLog(wxString::Format(wxGetTranslation(wxString::FromUTF8(kImportedLogFormat)), path));
    return doc;
}

VdxDocument* RunImportCommand(wxWindow* parent) {
    VdxApp* app = VdxApp::Get();
    if (!app || !app->DocManager()) return nullptr;
    if (app->DocManager()->AnyCalculationRunning()) {
        PlayWarningSound();
        return nullptr;
    }
    const ChosenFile chosen =
        ChooseFileOfType(parent, FileDialogKind::Open, wxGetTranslation(wxString::FromUTF8(kImportDialogTitle)),
                         app->DocManager()->GetLastDirectory(), wxEmptyString, ImportFilterText());
    if (chosen.path.empty()) return nullptr;
    return ImportFileAsDocument(chosen.path, chosen.filterIndex + kImportText);
}

} // namespace vdx::gui
