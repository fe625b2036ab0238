#include "windows/MyNotebookFrame.h"

#include "app/Messages.h"
#include "controls/Help.h"
#include "document/VdxDocument.h"
#include "frame/FrameBitmaps.h"
#include "frame/FrameCommands.h"
#include "frame/MenuBuilder.h"
#include "frame/WindowList.h"
#include "windows/MyNotebook.h"
#include "windows/NotebookPage.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/sizer.h>

#include <algorithm>

namespace vdx::gui {

namespace {
constexpr int kIdNotebookHelp = 7055;
// What a tab takes beyond its text: the theme's padding and borders.
constexpr int kTabPadding = 64;
} // namespace

MyNotebookFrame::MyNotebookFrame(VdxDocument* doc, const wxString& title, const wxPoint& position,
                                 const wxSize& size, wxWindowID id)
    : wxFrame(nullptr, id, title, position, size, wxDEFAULT_FRAME_STYLE, "MyNotebookFrame"),
      doc_(doc) {
    SetIcons(FrameIcon("fussball2"));

    static const MenuTable menus = {WindowMenuDef(),
                                    {wxTRANSLATE("&Help"), {MenuItem(kIdNotebookHelp, wxTRANSLATE("&Help"), "F1", "")}}};
    BuildWindowMenusAndTools(this, menus, CurrentMenuOptions());
    BindWindowMenuCommands(this);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { ShowHelpSection(HelpSectionNumber()); }, kIdNotebookHelp);

    Bind(wxEVT_CHAR_HOOK, &MyNotebookFrame::OnKey, this);
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) {
        // Pending changes are dropped without a question.
        ForgetInOwner();
        Destroy();
    });
}

void MyNotebookFrame::Prepare() {
    if (prepared_) return;
    prepared_ = true;
    // The pages' texts are filled first: the sizes follow them.
    book_->RefreshAllFromData();
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(book_, 1, wxEXPAND);
    SetSizer(sizer);
    // Grows to show the pages whole, never below the first size.
    const wxSize first = GetSize();
    wxSize largestPage;
    for (int i = 0; i < book_->PageCount(); ++i)
        largestPage.IncTo(book_->Page(i)->GetSizer()->GetMinSize());
    wxSize needed = book_->CalcSizeFromPage(largestPage);
    // Wide enough for every tab, so that none hides behind the scroll arrows.
    int tabs = 0;
    for (int i = 0; i < book_->PageCount(); ++i)
        tabs += book_->GetTextExtent(book_->GetPageText(static_cast<size_t>(i))).x + FromDIP(kTabPadding);
    needed.IncTo(wxSize(tabs, 0));
    book_->SetMinSize(needed);
    // The minimum as a client size: the window manager's frame extents, known
    // only once the frame is mapped, then count on top of it.
    sizer->SetSizeHints(this);
    SetSize(wxSize(std::max(first.x, GetSize().x), std::max(first.y, GetSize().y)));
    // Frame extents that arrive late shrink the client area of a frame larger
    // than its minimum; it then grows back (once per size it lacks), and the
    // pages are laid out for the client area it has.
    Bind(wxEVT_IDLE, [this](wxIdleEvent& event) {
        event.Skip();
        const wxSize client = GetClientSize();
        const wxSize minimum = GetSizer()->GetMinSize();
        if ((client.x < minimum.x || client.y < minimum.y) && client != grownFrom_) {
            grownFrom_ = client;
            SetMinClientSize(minimum);
            SetClientSize(wxSize(std::max(client.x, minimum.x), std::max(client.y, minimum.y)));
        }
        if (book_->GetSize() != GetClientSize()) Layout();
    });
    for (int i = 0; i < book_->PageCount(); ++i) book_->Page(i)->UpdateMarking();
    if (NotebookPage* page = book_->Page(book_->GetSelection())) page->OkButton()->SetFocus();
}

void MyNotebookFrame::Open() {
    Prepare();
    AppWindows().Register(this);
    Show();
}

bool MyNotebookFrame::HandleKey(int keyCode, int modifiers, wxWindow* focus) {
    const bool plain = (modifiers & (wxMOD_SHIFT | wxMOD_CONTROL | wxMOD_ALT)) == 0;
    switch (keyCode) {
    case WXK_F1:
        if (!plain) return false;
        ShowHelpSection(HelpSectionNumber());
        return true;
    case WXK_ESCAPE:
        if (!plain) return false;
        Close(true);
        return true;
    case WXK_PAGEUP:
    case WXK_PAGEDOWN:
        book_->TurnPage(keyCode == WXK_PAGEUP ? -1 : +1);
        return true;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER: {
        auto* page = focus ? dynamic_cast<NotebookPage*>(focus->GetParent()) : nullptr;
        if (page && (focus == page->CancelButton() || focus == page->DefaultButton())) {
            PlayWarningSound();
            return true;
        }
        if (dynamic_cast<wxCheckBox*>(focus)) {
            if (book_->Pending())
                book_->ApplyAll();
            else
                Close(true);
            return true;
        }
        return false;
    }
    default: return false;
    }
}

void MyNotebookFrame::OnKey(wxKeyEvent& event) {
    auto* focus = dynamic_cast<wxWindow*>(event.GetEventObject());
    if (!focus || focus == this) focus = wxWindow::FindFocus();
    if (!HandleKey(event.GetKeyCode(), event.GetModifiers(), focus)) event.Skip();
}

void RaiseNotebookFrame(MyNotebookFrame* frame) {
    if (frame) AppWindows().ActivateWindow(frame);
}

} // namespace vdx::gui
