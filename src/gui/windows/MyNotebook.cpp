#include "windows/MyNotebook.h"

#include "windows/MyNotebookFrame.h"
#include "windows/NotebookPage.h"

namespace vdx::gui {

MyNotebook::MyNotebook(MyNotebookFrame* frame)
    : wxNotebook(frame, wxID_ANY, wxDefaultPosition, frame->GetClientSize(), 0, "notebook"), frame_(frame) {
    frame->book_ = this;
    // The page switched to shows the marking of the moment.
    Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, [this](wxBookCtrlEvent& event) {
        event.Skip();
        if (NotebookPage* page = Page(event.GetSelection())) page->UpdateMarking();
    });
}

NotebookPage* MyNotebook::Page(int index) const {
    if (index < 0 || index >= PageCount()) return nullptr;
    return dynamic_cast<NotebookPage*>(GetPage(static_cast<size_t>(index)));
}

void MyNotebook::ApplyAll() {
    for (int i = 0; i < PageCount(); ++i)
        if (NotebookPage* page = Page(i); page && page->ApplyPage()) changed_ = true;
    pending_ = false;
    for (int i = 0; i < PageCount(); ++i)
        if (NotebookPage* page = Page(i)) page->UpdateMarking();
    if (!changed_) return;
    if (!logged_) {
        WriteChangeLog();
        logged_ = true;
    }
    RecomputeAfterChange();
    changed_ = false;
}

void MyNotebook::SetPending() {
    if (pending_) return;
    pending_ = true;
    for (int i = 0; i < PageCount(); ++i)
        if (NotebookPage* page = Page(i)) page->UpdateMarking();
}

void MyNotebook::RefreshAllFromData() {
    for (int i = 0; i < PageCount(); ++i)
        if (NotebookPage* page = Page(i)) page->RefreshFromData();
}

void MyNotebook::TurnPage(int direction) {
    const int count = PageCount();
    if (count == 0) return;
    const int current = GetSelection() == wxNOT_FOUND ? 0 : GetSelection();
    SetSelection(static_cast<size_t>((current + direction + count) % count));
}

} // namespace vdx::gui
