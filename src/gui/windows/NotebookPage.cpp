#include "windows/NotebookPage.h"

#include "windows/MyNotebook.h"
#include "windows/MyNotebookFrame.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/intl.h>
#include <wx/sizer.h>

#include <algorithm>

namespace vdx::gui {

namespace {

// The buttons share one width unless a label (a translation, a marked one)
// needs more.
void FitButtonToLabel(wxButton* button) {
    button->SetMinSize(wxDefaultSize);
    button->InvalidateBestSize();
    button->SetMinSize(wxSize(std::max(button->FromDIP(82), button->GetBestSize().x), -1));
}

} // namespace

NotebookPage::NotebookPage(MyNotebook* notebook, const wxString& label)
    : wxPanel(notebook, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "MyPanel"),
      book_(notebook), index_(notebook->PageCount()), okLabel_(_("o&k")) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    content_ = new wxBoxSizer(wxVERTICAL);
    top->Add(content_, 1, wxEXPAND | wxALL, FromDIP(10));

    const wxSize buttonSize(FromDIP(82), -1);
    ok_ = new wxButton(this, wxID_OK, Marked(okLabel_), wxDefaultPosition, buttonSize);
    ok_->SetToolTip(_("applies all changes, closes the window"));
    cancel_ = new wxButton(this, wxID_CANCEL, _("Cancel"), wxDefaultPosition, buttonSize);
    cancel_->SetToolTip(_("closes the window without applying the changes"));
    apply_ = new wxButton(this, wxID_APPLY, _("a&pply"), wxDefaultPosition, buttonSize);
    apply_->SetToolTip(_("applies all changes"));
    default_ = new wxButton(this, wxID_ANY, _("&default"), wxDefaultPosition, buttonSize);
    default_->SetToolTip(_("resets the options of this panel to the default values"));
    apply_->Disable();
    for (wxButton* button : {ok_, cancel_, apply_, default_}) FitButtonToLabel(button);

    ok_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (book_->Pending()) book_->ApplyAll();
        Frame()->Close(true);
    });
    cancel_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Frame()->Close(true); });
    apply_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { book_->ApplyAll(); });
    default_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { PressDefault(); });

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    for (wxButton* button : {ok_, cancel_, apply_, default_}) buttons->Add(button, 0, wxRIGHT, FromDIP(8));
    top->Add(buttons, 0, wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(10));
    SetSizer(top);

    Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxPaintDC dc(this);
        PaintPage(dc);
    });
    notebook->AddPage(this, label, index_ == 0);
}

MyNotebookFrame* NotebookPage::Frame() const { return book_->Frame(); }

VdxDocument* NotebookPage::Document() const { return Frame()->Document(); }

wxCheckBox* NotebookPage::BuildEnableBox(wxSizer*) { return nullptr; }

void NotebookPage::PressDefault() {
    ResetToDefaults();
    ReadControls();
    UpdateMarking();
}

void NotebookPage::ValuesChanged() { book_->SetPending(); }

void NotebookPage::SetLabelKeepingFocus(wxButton* button, const wxString& label) {
    if (button->GetLabel() == label) return;
    button->SetLabel(label);
    const wxSize before = button->GetMinSize();
    FitButtonToLabel(button);
    if (button->GetMinSize() != before) Layout();
}

void NotebookPage::UpdateMarking() {
    const bool pending = book_->Pending();
    SetLabelKeepingFocus(ok_, pending ? okLabel_ : Marked(okLabel_));
    SetLabelKeepingFocus(apply_, pending ? Marked(_("a&pply")) : _("a&pply"));
    if (pending) {
        apply_->Enable();
        apply_->SetDefault();
    } else {
        const bool applyHadFocus = FindFocus() == apply_;
        apply_->Disable();
        ok_->SetDefault();
        if (applyHadFocus) ok_->SetFocus();
    }
}

void NotebookPage::KeepOnlyFirstButton(const wxString& label, const wxString& tip) {
    okLabel_ = label;
    ok_->SetToolTip(tip);
    for (wxButton* button : {cancel_, apply_, default_}) button->Hide();
    UpdateMarking();
    Layout();
}

} // namespace vdx::gui
