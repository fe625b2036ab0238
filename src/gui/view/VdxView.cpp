#include "view/VdxView.h"

#include "app/VdxApp.h"
#include "document/VdxDocument.h"
#include "frame/CommandIds.h"
#include "frame/MainFrame.h"
#include "frame/PoolsChildFrame.h"
#include "view/TicketCanvas.h"
#include "view/TicketPrintout.h"
#include "view/TicketRender.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>
#include <wx/toplevel.h>

#include <algorithm>

using namespace vdx::gui;

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
        parent = new PoolsChildFrame(doc, this, mainFrame, app->Config().options.matchCount);
    }

    canvas_ = new TicketCanvas(parent, this);
    if (single_)
        mainFrame->ShowInCanvas(canvas_);
    else
        static_cast<PoolsChildFrame*>(parent)->ShowContent(canvas_);
    canvas_->SetFocus();

    needsLayout_ = true;
    paging_ = vdx::TicketPaging();
    Activate(true);
    return true;
}

VdxDocument* VdxView::Document() const { return dynamic_cast<VdxDocument*>(GetDocument()); }

wxFont VdxView::CanvasFont() const {
    wxFont font = canvas_ ? canvas_->GetFont() : wxFont();
    return font.IsOk() ? font : wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
}

void VdxView::SyncPaging() {
    if (const VdxDocument* doc = Document()) paging_.recount(doc->Data());
}

vdx::TicketPaging VdxView::Paging() const {
    vdx::TicketPaging paging = paging_;
    if (const VdxDocument* doc = Document()) paging.recount(doc->Data());
    return paging;
}

vdx::TicketLayout VdxView::Draw(wxDC& dc, bool printing, int page) {
    const VdxDocument* doc = Document();
    if (!doc) return {};
    if (paging_.needsRecount) SyncPaging();

    const wxFont font = CanvasFont();
    const WxTextMeasure measure(dc, font);
    const bool checkLayout = !printing && needsLayout_;
    if (checkLayout) SetTicketScale(vdx::AdjustedTicketScale(TicketScale(), measure));

    vdx::TicketLayoutRequest request;
    request.printing = printing;
    request.page = page;
    request.scale = TicketScale();
    request.clientWidth = canvas_ ? canvas_->GetClientSize().x : 0;
    const vdx::TicketLayout layout = vdx::LayoutTickets(doc->Data(), paging_, request, measure);
    RenderTicketLayout(dc, layout, font);
    shownNames_ = layout.shownNames;

    if (checkLayout) {
        needsLayout_ = false;
        EnlargeToFit(layout);
    }
    return layout;
}

vdx::TicketLayout VdxView::PrintedLayout(wxDC& dc, int page) const {
    const VdxDocument* doc = Document();
    if (!doc) return {};
    const WxTextMeasure measure(dc, CanvasFont());
    vdx::TicketLayoutRequest request;
    request.printing = true;
    request.page = page;
    request.scale = TicketScale();
    return vdx::LayoutTickets(doc->Data(), Paging(), request, measure);
}

wxPrintout* VdxView::OnCreatePrintout() { return CreateTicketPrintout(this).release(); }

vdx::TicketLayout VdxView::CurrentLayout() const {
    const VdxDocument* doc = Document();
    if (!doc) return {};
    // A memory context measures as the screen does without needing a shown window.
    wxBitmap bitmap(1, 1);
    wxMemoryDC dc(bitmap);
    const WxTextMeasure measure(dc, CanvasFont());
    vdx::TicketLayoutRequest request;
    request.scale = TicketScale();
    request.clientWidth = canvas_ ? canvas_->GetClientSize().x : 0;
    return vdx::LayoutTickets(doc->Data(), Paging(), request, measure);
}

// The frame grows by what the canvas lacks; it never shrinks.
void VdxView::EnlargeToFit(const vdx::TicketLayout& layout) {
    if (!canvas_) return;
    wxWindow* top = wxGetTopLevelParent(canvas_);
    if (!top) return;
    const wxSize client = canvas_->GetClientSize();
    const int missingX = std::max(0, layout.neededWidth - client.x);
    const int missingY = std::max(0, layout.neededHeight - client.y);
    if (missingX == 0 && missingY == 0) return;
    const wxSize frameClient = top->GetClientSize();
    top->SetClientSize(frameClient.x + missingX, frameClient.y + missingY);
}

void VdxView::OnDraw(wxDC* dc) {
    if (dc) Draw(*dc, false, 0);
}

void VdxView::OnUpdate(wxView*, wxObject*) {
    paging_.needsRecount = true;
    if (canvas_) canvas_->Refresh();
}

bool VdxView::CanDoCommand(int id) const {
    const vdx::TicketPaging paging = Paging();
    switch (id) {
    case kIdNextTicket:
    case kIdPreviousTicket:
    case kIdLastTicket:
    case kIdFirstTicket: return paging.canPageTickets();
    case kIdNextLine:
    case kIdPreviousLine: return paging.canMoveHighlight();
    case kIdStopHighlighting: return paging.canStopHighlighting();
    default: return false;
    }
}

bool VdxView::DoCommand(int id) {
    // The document may have changed since the last drawing.
    SyncPaging();
    switch (id) {
    case kIdNextTicket: paging_.nextTicket(); break;
    case kIdPreviousTicket: paging_.previousTicket(); break;
    case kIdLastTicket: paging_.lastTicket(); break;
    case kIdFirstTicket: paging_.firstTicket(); break;
    case kIdNextLine: paging_.nextLine(); break;
    case kIdPreviousLine: paging_.previousLine(); break;
    case kIdStopHighlighting: paging_.stopHighlighting(); break;
    default: return false;
    }
    paging_.needsRecount = true;
    if (canvas_) {
        canvas_->Refresh();
        canvas_->Update();
    }
    return true;
}

bool VdxView::OnClose(bool deleteWindow) {
    if (!wxView::OnClose(deleteWindow)) return false;
    Activate(false);
    if (canvas_) canvas_->DetachView();

    if (single_) {
        // The main frame stays: only our canvas goes, and the title is the program's again.
        if (canvas_) canvas_->Destroy();
        canvas_ = nullptr;
        if (auto* frame = dynamic_cast<wxFrame*>(GetFrame())) frame->SetTitle("VendrixPlanner");
        SetFrame(nullptr);
    } else if (deleteWindow && GetFrame()) {
        GetFrame()->Destroy();
        SetFrame(nullptr);
    }
    canvas_ = nullptr; // destroyed with its frame
    return true;
}
