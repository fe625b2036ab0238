#pragma once
// The print preview of a pools document: a frame of its own that stays open
// beside the document, redraws itself after every change of the document and
// keeps the zoom and page the user chose.

#include <wx/print.h>

class VdxDocument;
class VdxView;

namespace vdx::gui {

class PrintPreviewFrame : public wxPreviewFrame {
public:
    // Takes preview; shown by the caller.
    PrintPreviewFrame(VdxDocument* doc, VdxView* view, wxPrintPreview* preview);

    // A fresh preview of the document in place of the current one, at the
    // same zoom and page (the last one when that page is gone).
    bool Renew();

    wxPrintPreviewBase* Preview() const { return m_printPreview; }

private:
    VdxView* view_;
};

// A preview of the view's printout, or nullptr (after saying so) when none can be made.
wxPrintPreview* CreateTicketPreview(VdxView* view, int zoom);

// Raises the preview of the view's document, or opens one at zoom 100.
PrintPreviewFrame* ShowPrintPreview(VdxView* view);

} // namespace vdx::gui
