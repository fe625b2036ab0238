#include "view/TextEditView.h"

#include "app/VdxApp.h"
#include "frame/TextChildFrame.h"

#include <wx/textctrl.h>

wxIMPLEMENT_DYNAMIC_CLASS(TextEditView, wxView);

bool TextEditView::OnCreate(wxDocument* doc, long flags) {
    if (!wxView::OnCreate(doc, flags)) return false;
    VdxApp* app = VdxApp::Get();
    if (!app || !app->Frame()) return false;
    auto* frame = new TextChildFrame(doc, this, app->Frame(), app->Config().options.matchCount);
    text_ = new wxTextCtrl(frame, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                           wxTE_MULTILINE | wxTE_PROCESS_TAB | wxTE_DONTWRAP, wxDefaultValidator, "text");
    frame->ShowContent(text_);
    text_->SetFocus();
    Activate(true);
    return true;
}

bool TextEditView::OnClose(bool deleteWindow) {
    if (!wxView::OnClose(deleteWindow)) return false;
    Activate(false);
    if (deleteWindow && GetFrame()) {
        GetFrame()->Destroy();
        SetFrame(nullptr);
    }
    text_ = nullptr; // destroyed with its frame
    return true;
}
