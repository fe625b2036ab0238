#pragma once
// The options window: a small frame holding one OptionsDialog panel, either
// for the options of one pools document or for the defaults that new
// documents take. Both are modeless; each owner has at most one.

#include "options/Options.h"

#include <wx/panel.h>
#include <wx/string.h>

#include <array>

class VdxDocument;
class wxButton;
class wxCheckBox;
class wxChoice;
class wxKeyEvent;
class wxRadioBox;
class wxSpinButton;
class wxSpinEvent;
class wxTextCtrl;

namespace vdx::gui {

class OptionsDialog : public wxPanel {
public:
    explicit OptionsDialog(wxWindow* frame);

    // --- what the two variants do differently -------------------------------
    // The values the controls are filled from.
    virtual OptionValues StoredValues() const = 0;
    // Writes checked values to the target.
    virtual void WriteValues(const OptionValues& values) = 0;
    // What "&default" puts into the controls.
    virtual OptionValues ResetValues() const = 0;
    virtual int HelpSectionNumber() const = 0;
    // The owner no longer refers to this window.
    virtual void Forget() = 0;
    // Whether the target takes values now; a refusal sounds the warning.
    virtual bool CanWrite() const;

    // --- shared behaviour ------------------------------------------------------
    // Shows the stored values; "a&pply" off, focus on the OK button.
    void Fill();
    // Checks the texts; on success writes every value and returns true,
    // else reports the first invalid text and changes nothing.
    bool ValidateAndApply();
    void PressOk();
    void PressApply();
    void PressDefault();
    void CloseWindow();
    // One step of a number field, as its Up/Down key or spin arrow does.
    void Step(OptionField field, int direction);
    // The panel's key handling; true when the key was used up.
    bool HandleKey(int keyCode, int modifiers, wxWindow* focus);

    // The values as the controls show them now (the texts unchecked: a
    // text that is not a number leaves the value as stored).
    OptionValues ShownValues() const;

    wxChoice* MatchesList() const { return matches_; }
    wxChoice* LinesPerTicketList() const { return linesPerTicket_; }
    wxRadioBox* SortBox() const { return sort_; }
    wxCheckBox* CommaBox() const { return comma_; }
    wxCheckBox* DrawBox() const { return draw_; }
    wxTextCtrl* FieldText(OptionField field) const { return fields_[field].text; }
    wxSpinButton* FieldSpin(OptionField field) const { return fields_[field].spin; }
    wxButton* OkButton() const { return ok_; }
    wxButton* CancelButton() const { return cancel_; }
    wxButton* ApplyButton() const { return apply_; }
    wxButton* DefaultButton() const { return default_; }

protected:
    // Relabels the first sorting choice when the stored draw symbol changed.
    void LabelSortChoice();
    // The log line of this window is written only once.
    bool TakeLogTurn();

private:
    struct Field {
        wxTextCtrl* text = nullptr;
        wxSpinButton* spin = nullptr;
    };

    void BuildControls();
    void ShowValues(const OptionValues& values, bool withTexts);
    void EnableApply();
    int SelectedLinesPerTicket() const;
    int FieldAt(const wxWindow* window) const; // -1: none
    void OnKey(wxKeyEvent& event);
    void OnSpin(wxSpinEvent& event, OptionField field, int direction);

    wxChoice* matches_ = nullptr;
    wxChoice* linesPerTicket_ = nullptr;
    wxRadioBox* sort_ = nullptr;
    wxCheckBox* comma_ = nullptr;
    wxCheckBox* draw_ = nullptr;
    std::array<Field, kOptionFieldCount> fields_;
    wxButton* ok_ = nullptr;
    wxButton* cancel_ = nullptr;
    wxButton* apply_ = nullptr;
    wxButton* default_ = nullptr;

    bool changeLogged_ = false;
    bool labelled_ = false;
    bool labelledZero_ = false;
    bool filling_ = false; // control events while filling are not the user's changes
};

// The options window of doc, created or raised.
OptionsDialog* ShowDocumentOptions(VdxDocument* doc);
// The document's options window, or nullptr.
OptionsDialog* FindDocumentOptions(const VdxDocument* doc);

// The default-options window, created or raised.
OptionsDialog* ShowDefaultOptions();
// The default-options window, or nullptr.
OptionsDialog* FindDefaultOptions();

} // namespace vdx::gui
