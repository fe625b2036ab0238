#include "controls/NumericEntry.h"

#include "app/Messages.h"

#include <wx/button.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace vdx::gui {

namespace {

std::string Utf8(const wxString& s) { return s.utf8_string(); }
wxString FromUtf8(const std::string& s) { return wxString::FromUTF8(s); }

} // namespace

// ---------------------------------------------------------------------------
// NumericEntry

NumericEntry::NumericEntry(int32_t initialValue, const wxString& label, int32_t minimum,
                           int32_t maximum, int32_t smallStep, int32_t largeStep, int decimals,
                           int32_t scale, bool showRange, const wxString& unit, long spinStyle)
    : initialValue_(initialValue), spinValue_(initialValue), spinStyle_(spinStyle) {
    field_.minimum = minimum;
    field_.maximum = maximum;
    field_.smallStep = smallStep;
    field_.largeStep = largeStep;
    field_.decimals = decimals;
    field_.scale = scale == 0 ? 1 : scale; // a zero scale would divide by zero everywhere
    label_ = showRange ? FromUtf8(vdx::RangeLabel(Utf8(label), field_, Utf8(unit))) : label;
    pendingText_ = FromUtf8(vdx::FieldText(field_, initialValue));
}

wxString NumericEntry::Text() const { return text_ ? text_->GetValue() : pendingText_; }

void NumericEntry::SetText(const wxString& text) {
    if (!text_) {
        pendingText_ = text;
        return;
    }
    // ChangeValue: a text set by a step is not a typed change.
    text_->ChangeValue(text);
    text_->SetInsertionPointEnd();
}

void NumericEntry::SetSpinValue(int32_t value) {
    spinValue_ = value;
    if (spin_) spin_->SetValue(value);
}

void NumericEntry::Step(int direction, bool large) {
    const vdx::FieldStep step =
        vdx::StepField(field_, Utf8(Text()), spinValue_, direction, large);
    if (step.warn) PlayWarningSound();
    if (step.changed) {
        SetText(FromUtf8(step.text));
        SetSpinValue(step.value);
    }
    if (text_ && !text_->HasFocus()) text_->SetFocus();
}

std::optional<int32_t> NumericEntry::Value() const { return vdx::FieldValue(field_, Utf8(Text())); }

wxString NumericEntry::InvalidMessage() const {
    return FromUtf8(vdx::InvalidFieldMessage(Utf8(label_), field_));
}

void NumericEntry::CreateControls(wxWindow* parent, int index) {
    text_ = new wxTextCtrl(parent, NumericEntryDialog::FirstTextId + index, pendingText_,
                           wxDefaultPosition, wxDefaultSize, wxTE_RIGHT);
    spin_ = new wxSpinButton(parent, NumericEntryDialog::FirstSpinId + index, wxDefaultPosition,
                             wxDefaultSize, spinStyle_, "wxSpinButton");
    // 38 x 19, or larger where the toolkit cannot draw its spin button that small.
    const wxSize natural = spin_->GetBestSize();
    spin_->SetInitialSize(wxSize(std::max(natural.x, 38), std::max(natural.y, 19)));
    spin_->SetRange(field_.minimum, field_.maximum);
    spin_->SetValue(std::clamp(spinValue_, field_.minimum, field_.maximum));

    text_->Bind(wxEVT_KEY_DOWN, &NumericEntry::OnKeyDown, this);
    text_->Bind(wxEVT_CHAR, &NumericEntry::OnChar, this);
    text_->Bind(wxEVT_TEXT, &NumericEntry::OnTextChanged, this);
    // The spin button's own idea of the next value is replaced by ours; set
    // again once the control has finished its own update.
    const auto spinStep = [this](int direction) {
        Step(direction, false);
        const int32_t value = spinValue_;
        spin_->CallAfter([spin = spin_, value] { spin->SetValue(value); });
    };
    spin_->Bind(wxEVT_SPIN_UP, [spinStep](wxSpinEvent&) { spinStep(+1); });
    spin_->Bind(wxEVT_SPIN_DOWN, [spinStep](wxSpinEvent&) { spinStep(-1); });
}

void NumericEntry::OnKeyDown(wxKeyEvent& event) {
    if (event.GetModifiers() != wxMOD_NONE) {
        event.Skip();
        return;
    }
    switch (event.GetKeyCode()) {
    case WXK_UP:
    case WXK_NUMPAD_UP:
        Step(+1, false);
        break;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN:
        Step(-1, false);
        break;
    case WXK_PAGEUP:
    case WXK_NUMPAD_PAGEUP:
        Step(+1, true);
        break;
    case WXK_PAGEDOWN:
    case WXK_NUMPAD_PAGEDOWN:
        Step(-1, true);
        break;
    default:
        event.Skip();
    }
}

void NumericEntry::OnChar(wxKeyEvent& event) {
    const wxChar c = event.GetUnicodeKey();
    // Editing keys, shortcuts and control characters pass; of the printable
    // characters only digits and, with decimals, the two separators.
    if (c == WXK_NONE || c < 32 || c == 127 || event.ControlDown() || event.AltDown() ||
        vdx::FieldAcceptsChar(field_, static_cast<char32_t>(c))) {
        event.Skip();
        return;
    }
}

void NumericEntry::OnTextChanged(wxCommandEvent& event) {
    // A valid typed number becomes the spin value, so the spin button steps on from it.
    if (const std::optional<int32_t> value = Value()) {
        spinValue_ = *value;
        if (spin_) spin_->SetValue(*value);
    }
    event.Skip();
}

// ---------------------------------------------------------------------------
// NumericEntryDialog

NumericEntryDialog::NumericEntryDialog(wxWindow* parent, const wxString& prompt,
                                       const wxString& title,
                                       const std::vector<NumericEntry*>& entries)
    : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
               "dialog"),
      entries_(entries) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(new wxStaticText(this, wxID_ANY, prompt), 0, wxALL, 10);

    std::vector<wxStaticText*> labels;
    int labelWidth = 30;
    for (NumericEntry* entry : entries_) {
        wxStaticText* label = nullptr;
        if (!entry->Label().empty()) {
            label = new wxStaticText(this, wxID_ANY, entry->Label());
            labelWidth = std::max(labelWidth, label->GetBestSize().GetWidth());
        }
        labels.push_back(label);
    }

    auto* grid = new wxFlexGridSizer(3, 6, 6);
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (labels[i]) {
            labels[i]->SetMinSize(wxSize(labelWidth, 22));
            grid->Add(labels[i], 0, wxALIGN_CENTER_VERTICAL);
        } else {
            grid->AddSpacer(0);
        }
        entries_[i]->CreateControls(this, static_cast<int>(i));
        grid->Add(entries_[i]->TextField(), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(entries_[i]->SpinButton(), 0, wxALIGN_CENTER_VERTICAL);
    }
    top->Add(grid, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    top->Add(new wxStaticLine(this), 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 10);
    SetSizerAndFit(top);
    CentreOnScreen();

    Bind(wxEVT_BUTTON, &NumericEntryDialog::OnOk, this, wxID_OK);
    // Escape and the close box arrive here as the Cancel button too.
    Bind(wxEVT_BUTTON, &NumericEntryDialog::OnCancel, this, wxID_CANCEL);
    Bind(wxEVT_INIT_DIALOG, [this](wxInitDialogEvent& event) {
        event.Skip();
        if (!entries_.empty()) {
            entries_.front()->TextField()->SetFocus();
            entries_.front()->TextField()->SelectAll();
        }
    });
}

std::optional<int> NumericEntryDialog::Confirm() {
    std::vector<int32_t> values;
    for (NumericEntry* entry : entries_) {
        const std::optional<int32_t> value = entry->Value();
        if (!value) {
            entry->TextField()->SetFocus();
            ShowMessage(entry->InvalidMessage(), wxOK | wxICON_ERROR, _("Error"), this);
            return std::nullopt;
        }
        values.push_back(*value);
    }
    int changed = 0;
    for (size_t i = 0; i < entries_.size(); ++i) {
        entries_[i]->resultValue_ = values[i];
        if (values[i] != entries_[i]->InitialValue()) ++changed;
    }
    return changed;
}

void NumericEntryDialog::OnOk(wxCommandEvent&) {
    if (const std::optional<int> changed = Confirm()) EndModal(*changed);
}

void NumericEntryDialog::OnCancel(wxCommandEvent&) { EndModal(-1); }

} // namespace vdx::gui
