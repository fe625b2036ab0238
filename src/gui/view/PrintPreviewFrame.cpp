#include "view/PrintPreviewFrame.h"

#include "app/Messages.h"
#include "app/VdxApp.h"
#include "document/VdxDocument.h"
#include "view/PrintCommands.h"
#include "view/TicketPrintout.h"
#include "view/VdxView.h"
#include "windows/DocumentWindows.h"

#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/wupdlock.h>

#include <algorithm>

namespace vdx::gui {

wxPrintPreview* CreateTicketPreview(VdxView* view, int zoom) {
    // One printout to show, one for the preview's Print button.
    auto* preview = new wxPrintPreview(CreateTicketPrintout(view).release(), CreateTicketPrintout(view).release(),
                                       &ProgramPrintData());
    if (!preview->IsOk()) {
        delete preview;
        ShowMessage(_("Sorry, print preview needs a printer to be installed"), wxOK | wxICON_EXCLAMATION);
        return nullptr;
    }
    preview->SetZoom(zoom);
    return preview;
}

PrintPreviewFrame::PrintPreviewFrame(VdxDocument* doc, VdxView* view, wxPrintPreview* preview)
    : wxPreviewFrame(preview, VdxApp::Get() ? VdxApp::Get()->Frame() : nullptr,
                     DocumentWindowTitle(doc, DocWindow::Preview), wxPoint(100, 100), wxSize(600, 650),
                     wxDEFAULT_FRAME_STYLE),
      view_(view) {
    // Modeless: the document stays open to edits while its preview shows them.
    InitializeWithModality(wxPreviewFrame_NonModal);
    Centre();
    doc->Subscribe(this, [this](DocumentChange) { Renew(); });
}

bool PrintPreviewFrame::Renew() {
    const int zoom = m_printPreview ? m_printPreview->GetZoom() : 100;
    const int page = m_printPreview ? m_printPreview->GetCurrentPage() : 1;
    wxPrintPreview* fresh = CreateTicketPreview(view_, zoom);
    if (!fresh) return false;

    wxWindowUpdateLocker noFlicker(this);
    GetSizer()->Clear(true); // the control bar and canvas of the old preview
    m_printPreview->SetCanvas(nullptr);
    m_printPreview->SetFrame(nullptr);
    delete m_printPreview;
    m_printPreview = fresh;
    CreateCanvas();
    CreateControlBar();
    fresh->SetCanvas(m_previewCanvas);
    fresh->SetFrame(this);
    GetSizer()->Add(m_controlBar, 0, wxGROW | wxALL, 5);
    GetSizer()->Add(m_previewCanvas, 1, wxGROW | wxALL, 5);
    Layout();
    int minPage = 1, maxPage = 1, from = 1, to = 1;
    fresh->GetPrintout()->GetPageInfo(&minPage, &maxPage, &from, &to);
    fresh->SetCurrentPage(std::clamp(page, minPage, std::max(minPage, maxPage)));
    fresh->AdjustScrollbars(m_previewCanvas);
    return true;
}

PrintPreviewFrame* ShowPrintPreview(VdxView* view) {
    VdxDocument* doc = view ? view->Document() : nullptr;
    if (!doc) return nullptr;
    if (auto* open = FindDocumentWindow<PrintPreviewFrame>(doc, DocWindow::Preview)) {
        RaiseDocumentWindow(open);
        return open;
    }
    wxPrintPreview* preview = CreateTicketPreview(view, 100);
    if (!preview) return nullptr;
    return OpenDocumentWindow<PrintPreviewFrame>(doc, DocWindow::Preview,
                                                 [&] { return new PrintPreviewFrame(doc, view, preview); });
}

} // namespace vdx::gui
