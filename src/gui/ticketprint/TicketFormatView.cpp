#include "ticketprint/TicketFormatView.h"

#include "app/AppLog.h"
#include "app/Messages.h"
#include "app/VdxApp.h"
#include "frame/WindowList.h"
#include "ticketprint/FormatCanvas.h"
#include "ticketprint/FormatEditorFrame.h"
#include "ticketprint/TicketFormatDoc.h"
#include "ticketprint/TicketPrint.h"

#include <wx/cmdproc.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/menu.h>

using vdx::gui::AppLog;

wxIMPLEMENT_DYNAMIC_CLASS(TicketFormatView, wxView);

bool TicketFormatView::OnCreate(wxDocument* doc, long) {
    editor_ = FormatEditorFrame::Instance();
    if (!editor_) return false;
    canvas_ = editor_->Canvas();
    canvas_->SetView(this);
    SetFrame(editor_);
    Activate(true);
    if (wxCommandProcessor* history = doc->GetCommandProcessor()) {
        if (wxMenuBar* bar = editor_->GetMenuBar()) {
            const int edit = bar->FindMenu(_("&Edit"));
            if (edit != wxNOT_FOUND) history->SetEditMenu(bar->GetMenu(edit));
        }
        history->Initialize();
        history->SetMenuStrings();
    }
    if (doc->GetFilename().empty())
        AppLog(_("New format document created"));
    else
        AppLog(wxString::Format(_("Format file %s opened for editing"), doc->GetFilename()));
    canvas_->Rebuild();
    editor_->GrowToShow(wxSize(canvas_->Preview().width, canvas_->Preview().height));
    canvas_->Refresh();
    return true;
}

void TicketFormatView::OnDraw(wxDC* dc) {
    if (canvas_) {
        canvas_->Rebuild();
        canvas_->Render(*dc);
    }
}

void TicketFormatView::OnUpdate(wxView*, wxObject*) {
    if (canvas_) canvas_->Refresh();
}

void TicketFormatView::OnChangeFilename() {
    if (!editor_) return;
    editor_->SetTitle(wxString::Format(_("Format Editor - %s"), GetDocument()->GetUserReadableName()));
    vdx::gui::AppWindows().Refresh();
}

bool TicketFormatView::OnClose(bool) {
    auto* doc = dynamic_cast<TicketFormatDoc*>(GetDocument());
    if (!doc || !doc->Close()) return false;

    // A format saved here may be the one to print with from now on.
    VdxApp* app = VdxApp::Get();
    const wxString file = doc->GetFilename();
    if (app && doc->SavedSinceOpen() && !file.empty() &&
        !vdx::SameFormatFile(file.utf8_string(), app->Config().ticketFormat)) {
        const wxString question = wxString::Format(_("Shall \"%s\" be selected\nas the new format used to print tickets?"),
                                                   wxFileName(file).GetName());
        if (vdx::gui::ShowMessage(question, wxYES_NO | wxICON_QUESTION, _("Format Editor"), editor_) == wxYES)
            app->SetTicketFormatFile(file);
    }

    if (wxCommandProcessor* history = doc->GetCommandProcessor()) {
        history->ClearCommands();
        history->SetMenuStrings();
        history->SetEditMenu(nullptr);
    }
    if (canvas_) {
        canvas_->SetView(nullptr);
        canvas_->Refresh();
    }
    if (editor_) editor_->SetTitle(_("VendrixPlanner Format Editor"));
    canvas_ = nullptr;
    editor_ = nullptr;
    Activate(false);
    SetFrame(nullptr);
    vdx::gui::AppWindows().Refresh();
    return true;
}
