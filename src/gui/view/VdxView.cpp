#include "view/VdxView.h"

#include "app/VdxApp.h"
#include "document/VdxDocument.h"
#include "frame/MainFrame.h"
#include "frame/PoolsChildFrame.h"
#include "text/DocumentText.h"

#include <wx/textctrl.h>

wxIMPLEMENT_DYNAMIC_CLASS(VdxView, wxView);

bool VdxView::OnCreate(wxDocument* doc, long flags) {
    if (!wxView::OnCreate(doc, flags)) return false;
    VdxApp* app = VdxApp::Get();
    MainFrame* mainFrame = app ? app->Frame() : nullptr;
    if (!mainFrame) return false;

    single_ = !app->Config().settings.multiDocument;
    wxWindow* parent = nullptr;
    if (single_) {
        SetFrame(mainFrame);
        parent = mainFrame->Canvas();
    } else {
        auto* child = new PoolsChildFrame(doc, this, mainFrame, app->Config().options.matchCount);
        parent = child;
    }

    text_ = new wxTextCtrl(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                           wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP | wxHSCROLL);
    text_->SetFont(wxFontInfo(10).Family(wxFONTFAMILY_TELETYPE));
    if (single_)
        mainFrame->ShowInCanvas(text_);
    else
        static_cast<PoolsChildFrame*>(parent)->ShowContent(text_);

    OnUpdate(nullptr);
    Activate(true);
    return true;
}

VdxDocument* VdxView::Document() const { return wxDynamicCast(GetDocument(), VdxDocument); }

void VdxView::OnDraw(wxDC*) {}

void VdxView::OnUpdate(wxView*, wxObject*) {
    VdxDocument* doc = Document();
    if (!text_ || !doc) return;
    text_->ChangeValue(wxString::FromUTF8(vdx::DocumentAsText(doc->Data())));
}

bool VdxView::OnClose(bool deleteWindow) {
    if (!wxView::OnClose(deleteWindow)) return false;
    Activate(false);

    if (single_) {
        // The main frame stays: only our control goes, and the title is the program's again.
        if (text_) text_->Destroy();
        text_ = nullptr;
        if (auto* frame = wxDynamicCast(GetFrame(), wxFrame)) frame->SetTitle("VendrixPlanner");
        SetFrame(nullptr);
    } else if (deleteWindow && GetFrame()) {
        GetFrame()->Destroy();
        SetFrame(nullptr);
        text_ = nullptr;
    }
    return true;
}
