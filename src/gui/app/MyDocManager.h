#pragma once
// The program's document manager. In single-document mode it keeps at most
// one document: opening or creating one closes the current one first.

#include "document/PoolsDocument.h"

#include <wx/docview.h>

#include <memory>

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

    // Loading keeps the main frame busy, so a close meanwhile waits for it. In
    // single-document mode a file is read before the current document is
    // closed: a file that cannot be read leaves the current one as it was.
    wxDocument* CreateDocument(const wxString& path, long flags = 0) override;
    // The contents of path when CreateDocument has read it already (taken
    // once); false when it has not.
    bool TakeReadAhead(const wxString& path, vdx::PoolsDocument& into);
    wxFileHistory* OnCreateFileHistory() override;

private:
    void OnSave(wxCommandEvent& event);
    void OnSaveAs(wxCommandEvent& event);
    void OnUpdateSave(wxUpdateUIEvent& event);
    void OnPrintCommand(wxCommandEvent& event);

    // The template whose documents a path opens as, or nullptr.
    wxDocTemplate* TemplateForOpening(const wxString& path);

    bool singleDocument_ = false;
    struct ReadAhead {
        wxString path;
        vdx::PoolsDocument data;
    };
    std::unique_ptr<ReadAhead> readAhead_;
};
