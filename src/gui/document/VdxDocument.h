#pragma once
// The pools document of the document/view framework: a thin shell around
// vdx::PoolsDocument that reads and writes ".vdx" files.

#include "document/PoolsDocument.h"

#include <wx/docview.h>

class VdxDocument : public wxDocument {
public:
    VdxDocument();

    vdx::PoolsDocument& Data() { return data_; }
    const vdx::PoolsDocument& Data() const { return data_; }

    // After an edit: marks the document modified and redraws its views.
    void MarkChanged();

    bool OnNewDocument() override;
    bool OnCloseDocument() override;
    // The framework's question whether to save, asked through ShowMessage.
    bool OnSaveModified() override;
    bool Close() override;
    bool Save() override;
    bool SaveAs() override;
    bool IsModified() const override;
    void Modify(bool modified) override;

protected:
    bool DoOpenDocument(const wxString& file) override;
    bool DoSaveDocument(const wxString& file) override;

private:
    void WarnAboutLostText(bool replaced, bool truncated);

    vdx::PoolsDocument data_;
    // The framework closes a document twice (once itself, once through its view).
    bool closed_ = false;
    bool warnedReplaced_ = false;
    bool warnedTruncated_ = false;

    wxDECLARE_DYNAMIC_CLASS(VdxDocument);
};

// Reads the pools document file into `into`; on failure shows the error with
// its reason and returns false.
bool ReadDocumentFile(const wxString& file, vdx::PoolsDocument& into);
