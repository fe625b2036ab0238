#pragma once
// The view of a plain text document: a text control filling a child frame.

#include <wx/docview.h>

class wxTextCtrl;

class TextEditView : public wxView {
public:
    TextEditView() = default;

    bool OnCreate(wxDocument* doc, long flags) override;
    void OnDraw(wxDC*) override {} // the control draws itself
    void OnUpdate(wxView*, wxObject* = nullptr) override {}
    bool OnClose(bool deleteWindow = true) override;

    wxTextCtrl* TextControl() const { return text_; }

private:
    wxTextCtrl* text_ = nullptr;

    wxDECLARE_DYNAMIC_CLASS(TextEditView);
};
