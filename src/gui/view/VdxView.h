#pragma once
// The ticket view of a pools document: draws the lines as tickets, pages
// through them and highlights one line at a time. In single-document mode it
// draws into the main frame's canvas; otherwise each document gets a child frame.

#include "view/TicketCanvas.h"
#include "view/TicketLayout.h"
#include "view/TicketPaging.h"

#include <wx/docview.h>

#include <array>
#include <string>

class VdxDocument;
class wxDC;

class VdxView : public wxView {
public:
    VdxView() = default;

    bool OnCreate(wxDocument* doc, long flags) override;
    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint = nullptr) override;
    bool OnClose(bool deleteWindow = true) override;
    // The document on paper, three tickets a page.
    wxPrintout* OnCreatePrintout() override;

    VdxDocument* Document() const;
    TicketCanvas* Canvas() const { return canvas_; }
    // Older name of Canvas(), for callers that read the view as text.
    TicketCanvas* TextControl() const { return canvas_; }

    // Draws the shown ticket (screen) or the three tickets of a printed page
    // (printing) with the canvas's font, and returns what was drawn.
    vdx::TicketLayout Draw(wxDC& dc, bool printing, int page);
    // The font the tickets are drawn with, on screen and on paper.
    wxFont CanvasFont() const;
    // A printed page as Draw would place it on dc, drawing nothing.
    vdx::TicketLayout PrintedLayout(wxDC& dc, int page) const;
    // The shown ticket as the next drawing would place it, drawing nothing.
    vdx::TicketLayout CurrentLayout() const;

    // The paging state with the geometry taken afresh from the document.
    vdx::TicketPaging Paging() const;
    // Paging and highlighting (7187-7192, 7176): true when id is one of them.
    // The ticket is redrawn at once.
    bool DoCommand(int id);
    // Whether such a command would do something; false for other ids.
    bool CanDoCommand(int id) const;

    // The window size is checked after the next drawing (new or read
    // document, applied options, a calculation started).
    void RequestLayout() { needsLayout_ = true; }
    bool LayoutRequested() const { return needsLayout_; }

    // The match names as last drawn, shortened to fit.
    const std::array<std::string, vdx::kMaxMatches>& ShownNames() const { return shownNames_; }

private:
    void SyncPaging();
    void EnlargeToFit(const vdx::TicketLayout& layout);

    bool single_ = true;
    TicketCanvas* canvas_ = nullptr;
    vdx::TicketPaging paging_;
    bool needsLayout_ = false;
    std::array<std::string, vdx::kMaxMatches> shownNames_;

    wxDECLARE_DYNAMIC_CLASS(VdxView);
};
