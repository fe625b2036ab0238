#include "app/MyDocManager.h"

#include "app/MyFileHistory.h"
#include "app/VdxApp.h"
#include "document/VdxDocument.h"
#include "frame/CommandRouting.h"
#include "frame/MainFrame.h"

#include <climits>
#include <vector>

// Initialised here, not by the base constructor, so our file history is the one made.
MyDocManager::MyDocManager() : wxDocManager(0, false) {
    Initialize();
    // Bound handlers come before the framework's own ones for the same ids.
    Bind(wxEVT_MENU, &MyDocManager::OnSave, this, wxID_SAVE);
    Bind(wxEVT_MENU, &MyDocManager::OnSaveAs, this, wxID_SAVEAS);
    Bind(wxEVT_UPDATE_UI, &MyDocManager::OnUpdateSave, this, wxID_SAVE);
    for (int id : {wxID_PRINT, wxID_PRINT_SETUP, wxID_PREVIEW})
        Bind(wxEVT_MENU, &MyDocManager::OnPrintCommand, this, id);
    // Only pools documents go on paper; the page setup needs none.
    for (int id : {wxID_PRINT, wxID_PREVIEW})
        Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(CurrentVdxDocument() != nullptr); }, id);
    Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& event) { event.Enable(true); }, wxID_PRINT_SETUP);
}

void MyDocManager::SetSingleDocument(bool single) {
    singleDocument_ = single;
    SetMaxDocsOpen(single ? 1 : INT_MAX);
}

VdxDocument* MyDocManager::CurrentVdxDocument() const {
    return dynamic_cast<VdxDocument*>(GetCurrentDocument());
}

bool MyDocManager::AnyCalculationRunning() {
    for (wxObject* object : GetDocuments()) {
        auto* doc = dynamic_cast<VdxDocument*>(object);
        if (doc && doc->Data().calculationRunning) return true;
    }
    return false;
}

wxDocTemplate* MyDocManager::TemplateForOpening(const wxString& path) {
    if (wxDocTemplate* found = FindTemplateForPath(path)) return found;
    // The framework takes the only template there is for any other name.
    wxDocTemplate* only = nullptr;
    for (wxObject* object : GetTemplates()) {
        auto* candidate = static_cast<wxDocTemplate*>(object);
        if (!candidate->IsVisible()) continue;
        if (only) return nullptr;
        only = candidate;
    }
    return only;
}

wxDocument* MyDocManager::CreateDocument(const wxString& requested, long flags) {
    FrameBusyScope busy;
    if (!singleDocument_ || (flags & wxDOC_NEW) || GetDocuments().GetCount() == 0)
        return wxDocManager::CreateDocument(requested, flags);

    wxString path = requested;
    if (path.empty()) {
        // Asked here rather than by the framework, which would close the
        // current document before the new one is read.
        std::vector<wxDocTemplate*> visible;
        for (wxObject* object : GetTemplates()) {
            auto* candidate = static_cast<wxDocTemplate*>(object);
            if (candidate->IsVisible()) visible.push_back(candidate);
        }
        if (visible.empty()) return nullptr;
        if (!SelectDocumentPath(visible.data(), static_cast<int>(visible.size()), path, flags)) return nullptr;
        flags &= ~wxDOC_SILENT; // with a path the framework only picks the template
    }
    wxDocTemplate* docTemplate = TemplateForOpening(path);
    if (!FindDocumentByPath(path) && docTemplate && docTemplate->GetDocClassInfo() == CLASSINFO(VdxDocument)) {
        auto ahead = std::make_unique<ReadAhead>(ReadAhead{path, vdx::PoolsDocument(CurrentAppConfig())});
        if (!ReadDocumentFile(path, ahead->data)) return nullptr;
        readAhead_ = std::move(ahead);
    }
    wxDocument* created = wxDocManager::CreateDocument(path, flags);
    readAhead_.reset(); // unused when the close of the current document was cancelled
    return created;
}

bool MyDocManager::TakeReadAhead(const wxString& path, vdx::PoolsDocument& into) {
    if (!readAhead_ || readAhead_->path != path) return false;
    into = std::move(readAhead_->data);
    readAhead_.reset();
    return true;
}

wxFileHistory* MyDocManager::OnCreateFileHistory() { return new MyFileHistory; }

void MyDocManager::OnSave(wxCommandEvent&) {
    FrameBusyScope busy;
    if (wxDocument* doc = GetCurrentDocument()) doc->Save();
}

void MyDocManager::OnSaveAs(wxCommandEvent&) {
    FrameBusyScope busy;
    if (wxDocument* doc = GetCurrentDocument()) doc->SaveAs();
}

// Save is offered only when there is something to save.
void MyDocManager::OnUpdateSave(wxUpdateUIEvent& event) {
    const wxDocument* doc = GetCurrentDocument();
    event.Enable(doc && doc->IsModified());
}

void MyDocManager::OnPrintCommand(wxCommandEvent& event) {
    if (!vdx::gui::RoutePrintCommand(this, event.GetId())) event.Skip();
}
