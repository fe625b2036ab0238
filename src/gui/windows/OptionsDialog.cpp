#include "windows/OptionsDialog.h"

#include "app/AppLog.h"
#include "app/Messages.h"
#include "app/VdxApp.h"
#include "controls/Help.h"
#include "document/VdxDocument.h"
#include "frame/FrameBitmaps.h"
#include "frame/FrameCommands.h"
#include "frame/MenuBuilder.h"
#include "frame/WindowList.h"
#include "view/VdxView.h"
#include "windows/DocumentWindows.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/radiobox.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>
#include <wx/weakref.h>

#include <algorithm>

namespace vdx::gui {

namespace {

constexpr int kIdOptionsHelp = 7260;

wxString SortChoiceLabel(bool zeroForDraw) {
    return wxString::Format(_("&1 before %s before 2"), zeroForDraw ? "0" : "X");
}

struct FieldLook {
    const char* label;
    const char* tip;
};

// In the order of OptionField.
const FieldLook kFieldLooks[kOptionFieldCount] = {
    {wxTRANSLATE("Number of &Lines"), wxTRANSLATE("Specify the number of lines you want to bet.")},
    {wxTRANSLATE("&Rounds"),
     wxTRANSLATE("Every round produces a complete distribution of the tips, and the best distribution "
                 "will finally be used.")},
    {wxTRANSLATE("&Unsuccessful Tries"),
     wxTRANSLATE("A round is stopped after a series of unsuccessful tries.")},
    {wxTRANSLATE("Up to Diff&erence"),
     wxTRANSLATE("Difference to the best distribution so far that leads to extra tries yet.")},
    {wxTRANSLATE("E&xtra Tries"),
     wxTRANSLATE("A round with a distribution (almost) as good as the best so far gets a number of "
                 "extra tries.")},
    {wxTRANSLATE("&Search Further (Seconds, 0 = Off)"),
     wxTRANSLATE("After the rounds, the best distribution is improved further by exchanging tips between "
                 "lines for this many seconds. 0 keeps the calculation as it is.")},
};

// Field names of the message about an invalid entry, for the catalogs.
[[maybe_unused]] const char* const kFieldNames[] = {wxTRANSLATE("Lines"), wxTRANSLATE("Rounds"),
                                                    wxTRANSLATE("Unsuccessful Tries"),
                                                    wxTRANSLATE("Difference"), wxTRANSLATE("Extra Tries"),
                                                    wxTRANSLATE("Search Further")};

// The small frame around a panel; closing it makes the panel forget itself.
class OptionsFrame : public wxFrame {
public:
    explicit OptionsFrame(const wxString& title)
        : wxFrame(nullptr, wxID_ANY, title, wxPoint(100, 50), wxSize(665, 270)) {
        SetIcons(FrameIcon("fussball2"));
        Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) {
            if (panel_) panel_->Forget();
            Destroy();
        });
    }

    // helpLabel: untranslated, marked with wxTRANSLATE.
    void SetPanel(OptionsDialog* panel, const char* helpLabel) {
        panel_ = panel;
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(panel, 1, wxEXPAND);
        SetSizer(sizer);

        const MenuTable menus = {WindowMenuDef(), {wxTRANSLATE("&Help"), {MenuItem(kIdOptionsHelp, helpLabel, "F1", "")}}};
        BuildWindowMenusAndTools(this, menus, CurrentMenuOptions());
        Bind(wxEVT_MENU, [this](wxCommandEvent&) { ShowHelpSection(panel_->HelpSectionNumber()); },
             kIdOptionsHelp);
        BindWindowMenuCommands(this);
        sizer->SetSizeHints(this);
        // A window manager may hand over the frame's decorations after the last
        // size event, leaving the panel laid out for the smaller client area.
        Bind(wxEVT_IDLE, [this](wxIdleEvent& event) {
            event.Skip();
            if (panel_ && panel_->GetSize() != GetClientSize()) Layout();
        });
    }

    OptionsDialog* Panel() const { return panel_; }

private:
    OptionsDialog* panel_ = nullptr;
};

class DocumentOptionsDialog : public OptionsDialog {
public:
    DocumentOptionsDialog(wxWindow* frame, VdxDocument* doc) : OptionsDialog(frame), doc_(doc) {}

    VdxDocument* Document() const { return doc_.get(); }

    OptionValues StoredValues() const override {
        return doc_ ? OptionsOf(doc_->Data()) : OptionsOf(CurrentAppConfig().options);
    }

    void WriteValues(const OptionValues& values) override {
        if (!doc_) return;
        const OptionsApplied applied = ApplyOptions(doc_->Data(), values);
        if (!applied.changed) return;
        if (applied.fitViewToContent)
            for (wxObject* view : doc_->GetViews())
                if (auto* ticketView = dynamic_cast<VdxView*>(view)) ticketView->RequestLayout();
        if (applied.drawSymbolChanged) LabelSortChoice();
        doc_->Modify(true);
        doc_->NotifyChange(applied.matchCountChanged ? DocumentChange::MatchCount : DocumentChange::Data);
        if (TakeLogTurn()) AppLog(wxString::Format(_("%s: options changed"), doc_->GetUserReadableName()));
    }

    OptionValues ResetValues() const override { return DocumentResetValues(CurrentAppConfig().options); }
    int HelpSectionNumber() const override { return HelpSection::DocumentOptions; }
    void Forget() override { doc_ = nullptr; }

    // A running calculation reads these values between its turns.
    bool CanWrite() const override { return doc_ && !doc_->Data().calculationRunning; }

private:
    wxWeakRef<VdxDocument> doc_;
};

wxWeakRef<OptionsFrame> g_defaultOptionsFrame;

class DefaultOptionsDialog : public OptionsDialog {
public:
    using OptionsDialog::OptionsDialog;

    OptionValues StoredValues() const override { return OptionsOf(CurrentAppConfig().options); }

    void WriteValues(const OptionValues& values) override {
        VdxApp* app = VdxApp::Get();
        if (!app) return;
        ApplyDefaultOptions(app->Config(), values);
        LabelSortChoice();
        if (TakeLogTurn()) AppLog(_("default options changed"));
    }

    OptionValues ResetValues() const override { return BuiltInOptionValues(); }
    int HelpSectionNumber() const override { return HelpSection::Defaults; }
    void Forget() override { g_defaultOptionsFrame = nullptr; }
};

void RaiseFrame(wxWindow* window) {
    auto* frame = dynamic_cast<wxFrame*>(window);
    if (!frame) return;
    AppWindows().ActivateWindow(frame);
}

void OpenFrame(OptionsFrame* frame, OptionsDialog* panel, const char* helpLabel) {
    frame->SetPanel(panel, helpLabel);
    panel->Fill();
    AppWindows().Register(frame);
    frame->Show();
}

} // namespace

// ---------------------------------------------------------------------------

OptionsDialog::OptionsDialog(wxWindow* frame)
    : wxPanel(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "MyPanel") {
    BuildControls();
    Bind(wxEVT_CHAR_HOOK, &OptionsDialog::OnKey, this);
}

void OptionsDialog::BuildControls() {
    auto withTip = [](wxWindow* window, const wxString& tip) {
        window->SetToolTip(tip);
        return window;
    };

    // General
    auto* general = new wxStaticBoxSizer(wxVERTICAL, this, _("&General"));
    wxWindow* generalBox = general->GetStaticBox();
    auto* generalGrid = new wxFlexGridSizer(2, wxSize(8, 6));

    // A labelled choice of the numbers from high down to low.
    auto addCountChoice = [&](const wxString& label, const wxString& tip, int high, int low) {
        wxArrayString entries;
        for (int n = high; n >= low; --n) entries.Add(wxString::Format("%d", n));
        generalGrid->Add(withTip(new wxStaticText(generalBox, wxID_ANY, label), tip), 0, wxALIGN_CENTER_VERTICAL);
        auto* choice = new wxChoice(generalBox, wxID_ANY, wxDefaultPosition, wxDefaultSize, entries);
        generalGrid->Add(withTip(choice, tip));
        return choice;
    };
    matches_ = addCountChoice(_("&Number of Matches"),
                              _("Specify the number of matches that are to be forecasted on the ticket."), kMaxMatches,
                              kMinMatches);

    auto addField = [this, &withTip](wxWindow* parent, wxFlexGridSizer* grid, OptionField field) {
        const wxString tip = wxGetTranslation(kFieldLooks[field].tip);
        grid->Add(withTip(new wxStaticText(parent, wxID_ANY, wxGetTranslation(kFieldLooks[field].label)), tip),
                  0, wxALIGN_CENTER_VERTICAL);
        const OptionFieldRule rule = RuleOf(field, kMaxLinesPerTicket);
        // Wide enough for the largest number whatever the toolkit's margins.
        const int width = std::max(parent->FromDIP(38), parent->GetTextExtent("100000").x + parent->FromDIP(16));
        auto* text = new wxTextCtrl(parent, wxID_ANY, "", wxDefaultPosition, wxSize(width, -1), 0,
                                    wxTextValidator(wxFILTER_DIGITS));
        auto* spin = new wxSpinButton(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                      wxSP_VERTICAL | wxSP_ARROW_KEYS);
        spin->SetRange(rule.minimum, rule.maximum);
        withTip(text, tip);
        withTip(spin, tip);
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        row->Add(text, 0, wxALIGN_CENTER_VERTICAL);
        row->Add(spin, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 2);
        grid->Add(row);
        fields_[field] = {text, spin};
        text->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { EnableApply(); });
        spin->Bind(wxEVT_SPIN_UP, [this, field](wxSpinEvent& e) { OnSpin(e, field, +1); });
        spin->Bind(wxEVT_SPIN_DOWN, [this, field](wxSpinEvent& e) { OnSpin(e, field, -1); });
    };
    addField(generalBox, generalGrid, kOptionLines);

    linesPerTicket_ = addCountChoice(_("L&ines per Ticket"),
                                     _("Specify the number of lines that are displayed on one ticket."),
                                     kMaxLinesPerTicket, kMinLinesPerTicket);
    general->Add(generalGrid, 0, wxALL, 4);

    const wxString sortChoices[] = {SortChoiceLabel(false), _("Pro&bability"), _("Correct &Tips")};
    sort_ = new wxRadioBox(generalBox, wxID_ANY, _("S&orting of the Lines"), wxDefaultPosition, wxDefaultSize,
                           3, sortChoices, 1, wxRA_SPECIFY_COLS);
    withTip(sort_, _("Specify the criterion for sorting the lines."));
    comma_ = new wxCheckBox(generalBox, wxID_ANY, _("&Comma instead of Decimal Point"));
    withTip(comma_, _("Check this option if the Input-Window shall display a comma instead of a decimal point."));
    draw_ = new wxCheckBox(generalBox, wxID_ANY, _("&0 instead of X for Draw"));
    withTip(draw_, _("Check this option if a draw shall be represented by \"0\" instead of \"X\"."));

    auto* checks = new wxBoxSizer(wxVERTICAL);
    checks->Add(comma_, 0, wxBOTTOM, 6);
    checks->Add(draw_);
    general->Add(sort_, 0, wxEXPAND | wxALL, 4);
    general->Add(checks, 0, wxALL, 4);

    // Calculate
    auto* calculate = new wxStaticBoxSizer(wxVERTICAL, this, _("C&alculate"));
    wxWindow* calculateBox = calculate->GetStaticBox();
    calculateBox->SetToolTip(_("This box contains options for advanced users."));
    auto* calculateGrid = new wxFlexGridSizer(2, wxSize(8, 6));
    for (OptionField field :
         {kOptionRounds, kOptionUnsuccessfulTries, kOptionExtraTries, kOptionDifference, kOptionSearchSeconds})
        addField(calculateBox, calculateGrid, field);
    calculate->Add(calculateGrid, 0, wxALL, 4);

    // Buttons
    ok_ = new wxButton(this, wxID_OK, _("* o&k *"));
    ok_->SetToolTip(_("checks and applies the changes, closes the window"));
    cancel_ = new wxButton(this, wxID_CANCEL, _("Cancel"));
    cancel_->SetToolTip(_("closes the window without applying the changes"));
    apply_ = new wxButton(this, wxID_APPLY, _("a&pply"));
    apply_->SetToolTip(_("checks and applies the changes"));
    default_ = new wxButton(this, wxID_ANY, _("&default"));
    default_->SetToolTip(_("resets all options to the default values\n"));
    ok_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { PressOk(); });
    cancel_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { CloseWindow(); });
    apply_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { PressApply(); });
    default_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { PressDefault(); });

    auto* boxes = new wxBoxSizer(wxHORIZONTAL);
    boxes->Add(general, 1, wxEXPAND | wxRIGHT, 8);
    boxes->Add(calculate, 0, wxEXPAND);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    for (wxButton* button : {ok_, cancel_, apply_, default_}) buttons->Add(button, 0, wxRIGHT, 8);
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(boxes, 1, wxEXPAND | wxALL, 8);
    top->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 8);
    SetSizerAndFit(top);

    for (wxWindow* window : std::initializer_list<wxWindow*>{matches_, linesPerTicket_})
        window->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { EnableApply(); });
    sort_->Bind(wxEVT_RADIOBOX, [this](wxCommandEvent&) { EnableApply(); });
    comma_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { EnableApply(); });
    draw_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { EnableApply(); });
}

void OptionsDialog::EnableApply() {
    if (!filling_) apply_->Enable();
}

void OptionsDialog::ShowValues(const OptionValues& v, bool withTexts) {
    const bool wasFilling = filling_;
    filling_ = true;
    matches_->SetSelection(kMaxMatches - v.matchCount);
    linesPerTicket_->SetSelection(kMaxLinesPerTicket - v.linesPerTicket);
    sort_->SetSelection(v.sortMode);
    comma_->SetValue(v.useComma);
    draw_->SetValue(v.zeroForDraw);
    if (withTexts)
        for (int f = 0; f < kOptionFieldCount; ++f) {
            const int value = FieldOf(v, static_cast<OptionField>(f));
            fields_[f].text->ChangeValue(wxString::Format("%d", value));
            fields_[f].spin->SetValue(value);
        }
    filling_ = wasFilling;
}

OptionValues OptionsDialog::ShownValues() const {
    OptionValues v = StoredValues();
    if (matches_->GetSelection() != wxNOT_FOUND) v.matchCount = kMaxMatches - matches_->GetSelection();
    v.linesPerTicket = SelectedLinesPerTicket();
    if (sort_->GetSelection() != wxNOT_FOUND) v.sortMode = sort_->GetSelection();
    v.useComma = comma_->GetValue();
    v.zeroForDraw = draw_->GetValue();
    for (int f = 0; f < kOptionFieldCount; ++f) {
        const auto field = static_cast<OptionField>(f);
        if (auto value = OptionFieldValue(RuleOf(field, v.linesPerTicket),
                                          fields_[f].text->GetValue().utf8_string()))
            SetField(v, field, *value);
    }
    return v;
}

int OptionsDialog::SelectedLinesPerTicket() const {
    const int selection = linesPerTicket_->GetSelection();
    return selection == wxNOT_FOUND ? StoredValues().linesPerTicket : kMaxLinesPerTicket - selection;
}

void OptionsDialog::Fill() {
    changeLogged_ = false;
    filling_ = true;
    ShowValues(StoredValues(), true);
    ok_->SetDefault();
    apply_->Disable();
    ok_->SetFocus();
    LabelSortChoice();
    filling_ = false;
}

void OptionsDialog::LabelSortChoice() {
    const bool zero = StoredValues().zeroForDraw;
    if (labelled_ && zero == labelledZero_) return;
    labelled_ = true;
    labelledZero_ = zero;
    wxString label = SortChoiceLabel(zero);
    if (sort_->GetString(0) == label) return; // keeps the mnemonic the item was made with
#ifdef __WXGTK__
    // GTK shows the '&' of a changed item as it is.
    label = wxStripMenuCodes(label);
#endif
    sort_->SetString(0, label);
}

bool OptionsDialog::TakeLogTurn() {
    if (changeLogged_) return false;
    changeLogged_ = true;
    return true;
}

bool OptionsDialog::CanWrite() const { return true; }

bool OptionsDialog::ValidateAndApply() {
    std::array<std::string, kOptionFieldCount> texts;
    for (int f = 0; f < kOptionFieldCount; ++f) texts[f] = fields_[f].text->GetValue().utf8_string();
    OptionValues base = ShownValues();
    const OptionTextCheck check = CheckOptionTexts(texts, base);

    auto writeBack = [&] {
        const bool wasFilling = filling_;
        filling_ = true;
        for (int f = 0; f < kOptionFieldCount; ++f)
            if (fields_[f].text->GetValue().utf8_string() != check.texts[f])
                fields_[f].text->ChangeValue(wxString::FromUTF8(check.texts[f]));
        filling_ = wasFilling;
    };
    if (!check.ok()) {
        const OptionFieldRule rule = RuleOf(static_cast<OptionField>(check.firstInvalid), base.linesPerTicket);
        writeBack();
        fields_[check.firstInvalid].text->SetFocus();
        ShowMessage(wxString::FromUTF8(InvalidOptionMessage(rule)), wxOK | wxICON_ERROR, ProgramTitle(), this);
        return false;
    }
    writeBack();
    // A refused write (the document is calculating) leaves the dialog as it is.
    if (!CanWrite()) {
        PlayWarningSound();
        return false;
    }
    WriteValues(check.values);
    apply_->Disable();
    ok_->SetFocus();
    return true;
}

void OptionsDialog::PressOk() {
    if (ValidateAndApply()) CloseWindow();
}

void OptionsDialog::PressApply() { ValidateAndApply(); }

void OptionsDialog::PressDefault() {
    const OptionValues reset = ResetValues();
    const OptionValues before = ShownValues();
    bool textsDiffer = false;
    for (int f = 0; f < kOptionFieldCount; ++f)
        textsDiffer |= fields_[f].text->GetValue() != wxString::Format("%d", FieldOf(reset, static_cast<OptionField>(f)));
    ShowValues(reset, true);
    if (before != reset || textsDiffer) EnableApply();
    ok_->SetFocus();
}

void OptionsDialog::CloseWindow() {
    if (wxWindow* frame = GetParent()) frame->Close(true);
}

void OptionsDialog::Step(OptionField field, int direction) {
    Field& f = fields_[field];
    const OptionStep step = StepOptionField(RuleOf(field, SelectedLinesPerTicket()),
                                            f.text->GetValue().utf8_string(), direction);
    if (step.changed) {
        f.text->ChangeValue(wxString::FromUTF8(step.text));
        f.spin->SetValue(step.value);
        EnableApply();
    }
    f.text->SetFocus();
}

void OptionsDialog::OnSpin(wxSpinEvent& event, OptionField field, int direction) {
    // The field's own rule decides the new value; the spin button follows it.
    event.Veto();
    Step(field, direction);
    const int value = fields_[field].spin->GetValue();
    wxWeakRef<wxSpinButton> spin(fields_[field].spin);
    CallAfter([spin, value] {
        if (spin) spin->SetValue(value);
    });
}

int OptionsDialog::FieldAt(const wxWindow* window) const {
    for (int f = 0; f < kOptionFieldCount; ++f)
        if (window && (window == fields_[f].text || window == fields_[f].spin)) return f;
    return -1;
}

bool OptionsDialog::HandleKey(int keyCode, int modifiers, wxWindow* focus) {
    if (modifiers & (wxMOD_SHIFT | wxMOD_CONTROL | wxMOD_ALT)) return false;
    wxChoice* list = focus == matches_ || focus == linesPerTicket_ ? static_cast<wxChoice*>(focus) : nullptr;
    const int field = FieldAt(focus);
    int direction = 0;
    switch (keyCode) {
    case WXK_F1:
        ShowHelpSection(HelpSectionNumber());
        return true;
    case WXK_ESCAPE:
        CloseWindow();
        return true;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER: {
        const bool inRadioBox = focus && (focus == sort_ || focus->GetParent() == sort_);
        if (focus == comma_ || focus == draw_ || inRadioBox) {
            PressOk();
            return true;
        }
        if (focus == default_ || focus == cancel_) {
            PlayWarningSound();
            return true;
        }
        return false;
    }
    case WXK_LEFT:
        if (!list) return false;
        direction = +1;
        break;
    case WXK_RIGHT:
        if (!list) return false;
        direction = -1;
        break;
    case WXK_UP:
    case WXK_PAGEUP:
        direction = +1;
        break;
    case WXK_DOWN:
    case WXK_PAGEDOWN:
        direction = -1;
        break;
    default: return false;
    }

    if (list) {
        // Up goes towards larger numbers, which come first in the list.
        const int selection = list->GetSelection();
        const int next = std::clamp(selection - direction, 0, static_cast<int>(list->GetCount()) - 1);
        if (next != selection) {
            list->SetSelection(next);
            EnableApply();
        }
    } else if (field >= 0) {
        Step(static_cast<OptionField>(field), direction);
    }
    return true; // other controls do nothing with these keys
}

void OptionsDialog::OnKey(wxKeyEvent& event) {
    // The event comes from the window that has the focus.
    auto* focus = dynamic_cast<wxWindow*>(event.GetEventObject());
    if (!focus) focus = wxWindow::FindFocus();
    if (!HandleKey(event.GetKeyCode(), event.GetModifiers(), focus)) event.Skip();
}

// ---------------------------------------------------------------------------

OptionsDialog* FindDocumentOptions(const VdxDocument* doc) {
    auto* frame = FindDocumentWindow<OptionsFrame>(doc, DocWindow::Options);
    return frame ? frame->Panel() : nullptr;
}

OptionsDialog* ShowDocumentOptions(VdxDocument* doc) {
    auto* frame = OpenDocumentWindow<OptionsFrame>(doc, DocWindow::Options, [doc] {
        auto* created = new OptionsFrame(DocumentWindowTitle(doc, DocWindow::Options));
        created->SetPanel(new DocumentOptionsDialog(created, doc), wxTRANSLATE("&Help (Options)"));
        created->Panel()->Fill();
        return created;
    });
    return frame ? frame->Panel() : nullptr;
}

OptionsDialog* FindDefaultOptions() {
    OptionsFrame* frame = g_defaultOptionsFrame.get();
    return frame && !frame->IsBeingDeleted() ? frame->Panel() : nullptr;
}

OptionsDialog* ShowDefaultOptions() {
    if (OptionsDialog* open = FindDefaultOptions()) {
        RaiseFrame(open->GetParent());
        return open;
    }
    auto* frame = new OptionsFrame(_("+++ Default Options +++"));
    auto* panel = new DefaultOptionsDialog(frame);
    g_defaultOptionsFrame = frame;
    OpenFrame(frame, panel, wxTRANSLATE("&Help (Default Options)"));
    return panel;
}

} // namespace vdx::gui
