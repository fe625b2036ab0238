#include "app/MyDocManager.h"

#include "app/MyFileHistory.h"
#include "document/VdxDocument.h"
#include "frame/CommandRouting.h"
#include "frame/MainFrame.h"

#include <climits>

// Initialised here, not by the base constructor, so our file history is the one made.
MyDocManager::MyDocManager() : wxDocManager(0, false) {
    Initialize();
    // Bound handlers come before the framework's own ones for the same ids.
    Bind(wxEVT_MENU, &MyDocManager::OnSave, this, wxID_SAVE);
    Bind(wxEVT_MENU, &MyDocManager::OnSaveAs, this, wxID_SAVEAS);
    Bind(wxEVT_UPDATE_UI, &MyDocManager::OnUpdateSave, this, wxID_SAVE);
    for (int id : {wxID_PRINT, wxID_PRINT_SETUP, wxID_PREVIEW})
        Bind(wxEVT_MENU, &MyDocManager::OnPrintCommand, this, id);
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

wxDocument* MyDocManager::CreateDocument(const wxString& path, long flags) {
    FrameBusyScope busy;
    return wxDocManager::CreateDocument(path, flags);
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
