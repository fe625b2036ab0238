#pragma once
// The pools document of the document/view framework: a thin shell around
// vdx::PoolsDocument that reads and writes ".vdx" files.

#include "document/PoolsDocument.h"
#include "windows/DocumentTitle.h"

#include <wx/docview.h>
#include <wx/toplevel.h>
#include <wx/weakref.h>

#include <array>
#include <functional>
#include <utility>
#include <vector>

// What changed, for the windows that show a document. Every change may have
// changed any data; the kind tells what else a window may need to redo.
enum class DocumentChange {
    Data,       // an edit or a reading
    MatchCount, // the number of matches (rows come and go)
    Tips,       // a calculation wrote the lines
};

class VdxDocument : public wxDocument {
public:
    VdxDocument();
    ~VdxDocument() override;

    vdx::PoolsDocument& Data() { return data_; }
    const vdx::PoolsDocument& Data() const { return data_; }

    // After an edit: marks the document modified and redraws its views.
    void MarkChanged();

    // Change notices: the views and every subscribed window hear of each change.
    using ChangeHandler = std::function<void(DocumentChange)>;
    // window hears of every change until it is destroyed (or unsubscribes).
    void Subscribe(wxWindow* window, ChangeHandler handler);
    void Unsubscribe(wxWindow* window);
    void NotifyChange(DocumentChange change = DocumentChange::Data);
    // The framework's notice: the views, then the subscribed windows.
    void UpdateAllViews(wxView* sender = nullptr, wxObject* hint = nullptr) override;

    // The document's window of each kind (windows/DocumentWindows.h manages them).
    wxTopLevelWindow* WindowOf(vdx::gui::DocWindow kind) const { return windows_[static_cast<int>(kind)].get(); }
    wxWeakRef<wxTopLevelWindow>& WindowSlot(vdx::gui::DocWindow kind) { return windows_[static_cast<int>(kind)]; }

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
    std::array<wxWeakRef<wxTopLevelWindow>, vdx::gui::kDocWindowKinds> windows_;
    std::vector<std::pair<wxWeakRef<wxWindow>, ChangeHandler>> subscribers_;
    // The framework closes a document twice (once itself, once through its view).
    bool closed_ = false;
    bool warnedReplaced_ = false;
    bool warnedTruncated_ = false;

    wxDECLARE_DYNAMIC_CLASS(VdxDocument);
};

// Reads the pools document file into `into`; on failure shows the error with
// its reason and returns false.
bool ReadDocumentFile(const wxString& file, vdx::PoolsDocument& into);
