#pragma once
// A dialog that asks for one or more numbers, each in a text field with a
// spin button, with a fixed range, two step sizes, a number of decimals and a
// scale between the shown number and the stored whole number.

#include "text/NumberText.h"

#include <wx/dialog.h>
#include <wx/spinbutt.h>
#include <wx/string.h>

#include <cstdint>
#include <optional>
#include <vector>

class wxTextCtrl;

namespace vdx::gui {

// One field of a NumericEntryDialog. The caller creates it, hands it to the
// dialog, reads ResultValue() after a confirmed dialog and destroys it; the
// dialog creates and owns the field's controls.
class NumericEntry {
public:
    // Values are stored values (shown number × scale). With showRange the
    // label becomes "label (min unit - max unit)".
    NumericEntry(int32_t initialValue, const wxString& label, int32_t minimum, int32_t maximum,
                 int32_t smallStep, int32_t largeStep, int decimals, int32_t scale, bool showRange,
                 const wxString& unit = wxString(), long spinStyle = wxSP_VERTICAL | wxSP_ARROW_KEYS);
    NumericEntry(const NumericEntry&) = delete;
    NumericEntry& operator=(const NumericEntry&) = delete;

    const vdx::NumericField& Field() const { return field_; }
    int32_t InitialValue() const { return initialValue_; }
    // The confirmed value; 0 until the dialog was confirmed with OK.
    int32_t ResultValue() const { return resultValue_; }
    const wxString& Label() const { return label_; }
    long SpinStyle() const { return spinStyle_; }

    // The field's text (the control's once the dialog made it).
    wxString Text() const;
    void SetText(const wxString& text);
    // The value the spin button holds: the last step, or the last valid text.
    int32_t SpinValue() const { return spinValue_; }

    // Moves the value by one step: direction +1 or -1, large for the page step.
    // An unreadable text starts from the spin value and gives the warning sound;
    // a valid text at a bound stays as typed.
    void Step(int direction, bool large);
    // The stored value of the text, or nothing when it is not a number in range.
    std::optional<int32_t> Value() const;
    // The message shown when the text is refused.
    wxString InvalidMessage() const;

    wxTextCtrl* TextField() const { return text_; }
    wxSpinButton* SpinButton() const { return spin_; }

private:
    friend class NumericEntryDialog;
    void CreateControls(wxWindow* parent, int index);
    void SetSpinValue(int32_t value);
    void OnKeyDown(wxKeyEvent& event);
    void OnChar(wxKeyEvent& event);
    void OnTextChanged(wxCommandEvent& event);

    vdx::NumericField field_;
    int32_t initialValue_;
    int32_t resultValue_ = 0;
    int32_t spinValue_;
    wxString label_;
    long spinStyle_;
    wxString pendingText_; // the text while no control exists
    wxTextCtrl* text_ = nullptr;
    wxSpinButton* spin_ = nullptr;
};

// The modal dialog over a set of entries (window name "dialog"). ShowModal
// returns -1 for Cancel, else the number of entries whose value changed.
class NumericEntryDialog : public wxDialog {
public:
    // Field i gets the text field id FirstTextId + i and the spin button id
    // FirstSpinId + i.
    static constexpr int FirstTextId = 7000;
    static constexpr int FirstSpinId = 7050;

    NumericEntryDialog(wxWindow* parent, const wxString& prompt, const wxString& title,
                       const std::vector<NumericEntry*>& entries);

    // What OK does: checks every entry; the first invalid one gets the focus
    // and the error message, and nothing is returned. Otherwise every result
    // value is set and the number of changed entries returned.
    std::optional<int> Confirm();

private:
    void OnOk(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);

    std::vector<NumericEntry*> entries_;
};

} // namespace vdx::gui
