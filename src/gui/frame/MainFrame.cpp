#include "frame/MainFrame.h"

#include "app/Messages.h"
#include "app/MyDocManager.h"
#include "app/VdxApp.h"
#include "frame/CommandIds.h"
#include "frame/FrameBitmaps.h"
#include "frame/FrameCommands.h"
#include "frame/KeyMap.h"
#include "frame/WindowList.h"

#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/sizer.h>

using namespace vdx::gui;

MainFrame::MainFrame(MyDocManager* manager, int games, const MenuOptions& options)
    : wxDocParentFrame(manager, nullptr, kIdMainFrame, "VendrixPlanner", wxPoint(0, 0),
                       wxSize(550, 17 * games + 287), wxDEFAULT_FRAME_STYLE, "frame"),
      single_(options.single) {
    SetIcons(FrameIcon("fussball"));

    wxMenuBar* bar = BuildMenuBar(FrameKind::Main, options);
    SetMenuBar(bar);
    if (wxMenu* file = bar->GetMenu(0)) manager->FileHistoryUseMenu(file);
    BuildToolBar(this, FrameKind::Main, options);
    CreateStatusBar();

    canvas_ = new wxPanel(this, wxID_ANY);
    canvas_->SetBackgroundColour(*wxWHITE);
    canvas_->ClearBackground();
    canvas_->SetSizer(new wxBoxSizer(wxVERTICAL));
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(canvas_, 1, wxEXPAND);
    SetSizer(sizer);

    // Ticket keys only where tickets are shown: with several documents each has its own frame.
    BindKeyMap(this, this, single_);
    BindKeyMap(canvas_, this, single_);
    BindDesktopKeys(this);
    BindFrameCommands(this, FrameKind::Main);
    // Bound after the base class: runs first and may keep the frame open.
    Bind(wxEVT_CLOSE_WINDOW, &MainFrame::OnClose, this);
    Bind(wxEVT_IDLE, &MainFrame::OnIdle, this);
}

void MainFrame::ShowInCanvas(wxWindow* window) {
    canvas_->GetSizer()->Clear(false); // the views own their windows
    canvas_->GetSizer()->Add(window, 1, wxEXPAND);
    BindKeyMap(window, this, true);
    canvas_->Layout();
}

void MainFrame::EndBusy() {
    if (busy_ > 0) --busy_;
}

MainFrame::QuitCheck MainFrame::CheckQuit() {
    auto* manager = static_cast<MyDocManager*>(GetDocumentManager());
    if (manager && manager->AnyCalculationRunning()) {
        ShowMessage(_("Please stop the calculation\nbefore you quit the application!"),
                    wxOK | wxICON_INFORMATION, ProgramTitle(), this);
        return QuitCheck::Refuse;
    }
    if (busy_ > 0) {
        closePending_ = true;
        return QuitCheck::Defer;
    }
    if (VdxApp* app = VdxApp::Get()) {
        if (wxFrame* editor = app->FormatEditor()) {
            if (app->FormatEditorModified()) {
                ShowMessage(_("Please close the Format Editor\nbefore you quit the application!"),
                            wxOK | wxICON_INFORMATION, ProgramTitle(), this);
                return QuitCheck::Refuse;
            }
            app->SetFormatEditor(nullptr, {});
            editor->Destroy();
        }
    }
    return QuitCheck::Proceed;
}

void MainFrame::OnClose(wxCloseEvent& event) {
    if (event.CanVeto()) {
        if (CheckQuit() != QuitCheck::Proceed) {
            event.Veto();
            return;
        }
        // Each document may ask to be saved, and may refuse to close.
        if (GetDocumentManager() && !GetDocumentManager()->CloseDocuments(false)) {
            event.Veto();
            return;
        }
    }
    AppWindows().Unregister(this);
    event.Skip(); // the base class lets the document manager finish and destroys the frame
}

// The deferred close is tried again once the operation that held it is over.
void MainFrame::OnIdle(wxIdleEvent& event) {
    event.Skip();
    if (closePending_ && busy_ == 0) {
        closePending_ = false;
        Close();
        return;
    }
    AppWindows().RefreshIfTitlesChanged();
}

FrameBusyScope::FrameBusyScope() {
    VdxApp* app = VdxApp::Get();
    frame_ = app ? app->Frame() : nullptr;
    if (frame_) frame_->BeginBusy();
}

FrameBusyScope::~FrameBusyScope() {
    if (frame_) frame_->EndBusy();
}
