#pragma once
// Shows a pools document as plain text. In single-document mode it lives in
// the main frame's canvas; otherwise each document gets a child frame.

#include <wx/docview.h>

class VdxDocument;
class wxTextCtrl;

class VdxView : public wxView {
public:
    VdxView() = default;

    bool OnCreate(wxDocument* doc, long flags) override;
    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint = nullptr) override;
    bool OnClose(bool deleteWindow = true) override;

    VdxDocument* Document() const;
    wxTextCtrl* TextControl() const { return text_; }

private:
    bool single_ = true;
    wxTextCtrl* text_ = nullptr;

    wxDECLARE_DYNAMIC_CLASS(VdxView);
};
