#pragma once
// The program's document manager. In single-document mode it keeps at most
// one document: opening or creating one closes the current one first.

#include <wx/docview.h>

class VdxDocument;

class MyDocManager : public wxDocManager {
public:
    MyDocManager();

    void SetSingleDocument(bool single);
    bool IsSingleDocument() const { return singleDocument_; }
    // The pools document of the active view, or nullptr.
    VdxDocument* CurrentVdxDocument() const;
    // True when some pools document is calculating.
    bool AnyCalculationRunning();

    // Loading keeps the main frame busy, so a close meanwhile waits for it.
    wxDocument* CreateDocument(const wxString& path, long flags = 0) override;
    wxFileHistory* OnCreateFileHistory() override;

private:
    void OnSave(wxCommandEvent& event);
    void OnSaveAs(wxCommandEvent& event);
    void OnUpdateSave(wxUpdateUIEvent& event);
    void OnPrintCommand(wxCommandEvent& event);

    bool singleDocument_ = false;
};
