#pragma once
// The notebook of a page dialog: its pages, whether some page wrote a changed
// value since the last notification (changed), whether the window wrote its
// log line about a change (logged), and whether changes are pending.

#include <wx/notebook.h>

#include <vector>

namespace vdx::gui {

class MyNotebookFrame;
class NotebookPage;

class MyNotebook : public wxNotebook {
public:
    explicit MyNotebook(MyNotebookFrame* frame);

    MyNotebookFrame* Frame() const { return frame_; }
    NotebookPage* Page(int index) const;
    int PageCount() const { return static_cast<int>(GetPageCount()); }

    // --- the operations a dialog may fill in, in order ---------------------------
    // After an apply that changed something (the document's recomputation).
    virtual void RecomputeAfterChange() {}
    // The log line of a change, written once in the life of the window.
    virtual void WriteChangeLog() {}

    // --- shared behaviour ------------------------------------------------------
    // Every page writes its values; then, when any changed, the log line (the
    // first time) and the recomputation. The marking returns to "* o&k *".
    void ApplyAll();
    // Some page has changes not yet applied.
    bool Pending() const { return pending_; }
    // A page holds a changed value: apply enabled and default on every page.
    void SetPending();
    void RefreshAllFromData();
    bool Changed() const { return changed_; }
    bool Logged() const { return logged_; }
    // Page Up / Page Down: the previous or next page, wrapping around.
    void TurnPage(int direction);

private:
    friend class NotebookPage;
    MyNotebookFrame* frame_;
    bool changed_ = false;
    bool logged_ = false;
    bool pending_ = false;
};

} // namespace vdx::gui
