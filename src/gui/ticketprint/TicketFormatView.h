#pragma once
// The format editor's view of a ticket format: it draws through the editor's
// canvas and names the editor frame after the format's file.

#include <wx/docview.h>

class FormatCanvas;
class FormatEditorFrame;

class TicketFormatView : public wxView {
public:
    TicketFormatView() = default;

    bool OnCreate(wxDocument* doc, long flags) override;
    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint = nullptr) override;
    void OnChangeFilename() override;
    bool OnClose(bool deleteWindow = true) override;

private:
    FormatEditorFrame* editor_ = nullptr;
    FormatCanvas* canvas_ = nullptr;

    wxDECLARE_DYNAMIC_CLASS(TicketFormatView);
};
