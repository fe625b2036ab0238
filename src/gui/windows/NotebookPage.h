#pragma once
// One page of a page dialog: the page's own controls above the four buttons
// every page has ("o&k", "Cancel", "a&pply", "&default"). A dialog derives
// its pages from this class and fills in the operations it needs.

#include <wx/panel.h>
#include <wx/string.h>

class VdxDocument;
class wxButton;
class wxCheckBox;
class wxDC;
class wxSizer;

namespace vdx::gui {

class MyNotebook;
class MyNotebookFrame;

class NotebookPage : public wxPanel {
public:
    // Adds itself to notebook under label; its index is its place there.
    NotebookPage(MyNotebook* notebook, const wxString& label);

    int Index() const { return index_; }
    MyNotebook* Book() const { return book_; }
    MyNotebookFrame* Frame() const;
    // The frame's document; nullptr in a default variant or once it closed.
    VdxDocument* Document() const;

    // --- the operations a page may fill in, in slot order -------------------
    // Shows the stored data (when the window opens and when the data changed).
    virtual void RefreshFromData() {}
    // Writes the page's values; true when anything stored changed.
    virtual bool ApplyPage() { return false; }
    // Creates the page's enable check box into sizer; nullptr for none.
    virtual wxCheckBox* BuildEnableBox(wxSizer* sizer);
    // Takes the values from the controls after a change by the user; calls
    // ValuesChanged() when they differ from what the page held.
    virtual void ReadControls() {}
    // The "&default" button: ResetToDefaults, ReadControls, the marking.
    virtual void PressDefault();
    // Puts the default values into the controls.
    virtual void ResetToDefaults() {}
    // Draws on the page (pages that draw); called from the page's paint event.
    virtual void PaintPage(wxDC&) {}

    // --- shared behaviour ------------------------------------------------------
    // The sizer the page's controls go into, above the buttons.
    wxSizer* Content() const { return content_; }
    // A value of the page differs from the stored one: apply is enabled and
    // marked as default on every page.
    void ValuesChanged();
    // Shows the marking for the notebook's state: "* o&k *" while nothing is
    // pending (apply disabled), "* a&pply *" otherwise.
    void UpdateMarking();
    // Only the first button stays, relabelled (a window that only displays).
    void KeepOnlyFirstButton(const wxString& label, const wxString& tip);

    wxButton* OkButton() const { return ok_; }
    wxButton* CancelButton() const { return cancel_; }
    wxButton* ApplyButton() const { return apply_; }
    wxButton* DefaultButton() const { return default_; }
    // The label a button shows while it is the default one.
    static wxString Marked(const wxString& label) { return "* " + label + " *"; }

private:
    void SetLabelKeepingFocus(wxButton* button, const wxString& label);

    MyNotebook* book_;
    int index_;
    wxSizer* content_ = nullptr;
    wxButton* ok_ = nullptr;
    wxButton* cancel_ = nullptr;
    wxButton* apply_ = nullptr;
    wxButton* default_ = nullptr;
    wxString okLabel_;
};

} // namespace vdx::gui
