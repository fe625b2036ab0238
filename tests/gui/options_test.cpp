// The options window of a document and the default-options window in the
// running application under a virtual display: opening through the commands,
// applying to the document or to the defaults, refused entries, keys.

#include "../core/TestLines.h"
#include "GuiTestSupport.h"
#include "Desktop.h"

#include "document/VdxFile.h"
#include "frame/CommandIds.h"
#include "windows/OptionsDialog.h"

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/radiobox.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace vdx::gui;
using namespace vdx::guitest;
using vdx::OptionField;

namespace {

void SetText(OptionsDialog* dialog, OptionField field, const char* text) {
    dialog->FieldText(field)->SetValue(text); // as typed: the change event fires
}

// Puts the focus into the field with its text selected and types keys over it.
void TypeInto(wxTextCtrl* field, const char* keys) {
    wxGetTopLevelParent(field)->Raise();
    field->SetFocus();
    SettleUntil([field] { return wxWindow::FindFocus() == field; }, 1000);
    field->SelectAll();
    wxUIActionSimulator().Text(keys);
    Settle(120);
}

void PressKey(wxWindow* window, int key) {
    window->SetFocus();
    SettleUntil([window] { return wxWindow::FindFocus() == window; }, 1000);
    wxUIActionSimulator().Char(key);
    Settle(120);
}

// A real click in the middle of a button.
void Click(wxWindow* button) {
    SettleUntil([button] { return button->IsShownOnScreen(); }, 2000);
    wxUIActionSimulator pointer;
    const wxRect rect = button->GetScreenRect();
    pointer.MouseMove(rect.GetLeft() + rect.width / 2, rect.GetTop() + rect.height / 2);
    Settle(60);
    pointer.MouseClick();
    Settle(120);
}

class OptionsTest : public AppTest {
protected:
    void SetUp() override {
        savedConfig_ = App().Config();
        AppTest::SetUp();
    }
    void TearDown() override {
        if (OptionsDialog* defaults = FindDefaultOptions()) defaults->CloseWindow();
        AppTest::TearDown();
        App().Config() = savedConfig_;
    }

    // Three matches at 400/300/300 with ten calculated lines that fit them,
    // results 2, 1, 1 (only the line "211" has all three right).
    VdxDocument* OpenCalculatedDocument(const std::string& name) {
        vdx::PoolsDocument data = vdx::testlines::WithLines(
            {"11X", "1X1", "X21", "212", "1X2", "X21", "21X", "1XX", "X22", "211"});
        for (int m = 0; m < 3; ++m) data.match(m).name = "Match " + std::to_string(m + 1);
        data.match(0).result = vdx::kTip2;
        data.match(1).result = vdx::kTip1;
        data.match(2).result = vdx::kTip1;
        data.conditionLimit = 3;
        data.setTipsUpToDate(-1);
        const fs::path path = dir_ / name;
        EXPECT_TRUE(vdx::SaveVdxFile(path.string(), data).ok);
        VdxDocument* doc = Open(path);
        EXPECT_NE(doc, nullptr);
        if (doc) {
            EXPECT_TRUE(doc->Data().tipsUpToDate);
        }
        return doc;
    }

    OptionsDialog* OpenOptions(VdxDocument* doc) {
        SendCommand(App().Frame(), kIdOptions);
        OptionsDialog* dialog = FindDocumentOptions(doc);
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }

    SoundCounter sounds_;
    vdx::AppConfig savedConfig_;
};

TEST_F(OptionsTest, OpensFilledFromTheDocumentOnceAndRaisesAfterwards) {
    VdxDocument* doc = OpenCalculatedDocument("round.vdx");
    ASSERT_NE(doc, nullptr);
    OptionsDialog* dialog = OpenOptions(doc);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->GetParent()->GetLabel().EndsWith(": Options"));
    EXPECT_EQ(dialog->MatchesList()->GetStringSelection(), "3");
    EXPECT_EQ(dialog->LinesPerTicketList()->GetStringSelection(), "12");
    EXPECT_EQ(dialog->FieldText(vdx::kOptionLines)->GetValue(), "10");
    EXPECT_EQ(dialog->FieldText(vdx::kOptionRounds)->GetValue(), "100");
    EXPECT_EQ(dialog->FieldSpin(vdx::kOptionRounds)->GetValue(), 100);
    EXPECT_TRUE(dialog->CommaBox()->GetValue()); // decimalPoint 0
    EXPECT_FALSE(dialog->ApplyButton()->IsEnabled());
    EXPECT_EQ(wxStripMenuCodes(dialog->SortBox()->GetString(0)), "1 before X before 2");

    const size_t windows = wxTopLevelWindows.GetCount();
    EXPECT_EQ(OpenOptions(doc), dialog);
    EXPECT_EQ(wxTopLevelWindows.GetCount(), windows);
}

TEST_F(OptionsTest, ApplyWritesTheDocumentResortsLowersTheLimitAndLogsOnce) {
    VdxDocument* doc = OpenCalculatedDocument("round.vdx");
    ASSERT_NE(doc, nullptr);
    const std::vector<std::string> linesBefore = vdx::testlines::AllLines(doc->Data());
    OptionsDialog* dialog = OpenOptions(doc);
    ASSERT_NE(dialog, nullptr);
    const wxString logBefore = LogText();

    dialog->MatchesList()->SetStringSelection("2");
    dialog->LinesPerTicketList()->SetStringSelection("5");
    dialog->SortBox()->SetSelection(2);
    dialog->CommaBox()->SetValue(false);
    dialog->DrawBox()->SetValue(true);
    SetText(dialog, vdx::kOptionLines, "12");
    SetText(dialog, vdx::kOptionRounds, "7");
    SetText(dialog, vdx::kOptionUnsuccessfulTries, "30");
    SetText(dialog, vdx::kOptionDifference, "0");
    SetText(dialog, vdx::kOptionExtraTries, "0");
    EXPECT_TRUE(dialog->ApplyButton()->IsEnabled());
    EXPECT_EQ(wxStripMenuCodes(dialog->SortBox()->GetString(0)), "1 before X before 2"); // not before it is applied

    dialog->PressApply();
    const vdx::PoolsDocument& data = doc->Data();
    EXPECT_TRUE(g_messages.empty());
    EXPECT_EQ(data.matchCount, 2);
    EXPECT_EQ(data.lineCount, 12);
    EXPECT_EQ(data.linesPerTicket, 5);
    EXPECT_EQ(data.rounds, 7);
    EXPECT_EQ(data.unsuccessfulTries, 30);
    EXPECT_EQ(data.upToDifference, 0);
    EXPECT_EQ(data.extraTries, 0);
    EXPECT_EQ(data.sortMode, 2);
    EXPECT_TRUE(data.decimalPoint);
    EXPECT_TRUE(data.zeroForDraw);
    EXPECT_EQ(data.conditionLimit, 2);
    EXPECT_FALSE(data.tipsUpToDate);
    EXPECT_EQ(data.tipLineCount, 10); // the lines stay
    EXPECT_EQ(vdx::testlines::LineText(data, 0), "211"); // re-sorted by correct tips
    EXPECT_NE(vdx::testlines::AllLines(data), linesBefore);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_FALSE(dialog->ApplyButton()->IsEnabled());
    EXPECT_EQ(wxStripMenuCodes(dialog->SortBox()->GetString(0)), "1 before 0 before 2");
    const wxString logLine = wxString::Format("%s: options changed", doc->GetUserReadableName());
    EXPECT_EQ(Occurrences(LogText().Mid(logBefore.length()), logLine), 1);

    SetText(dialog, vdx::kOptionRounds, "8");
    dialog->PressOk();
    EXPECT_EQ(data.rounds, 8);
    EXPECT_EQ(Occurrences(LogText().Mid(logBefore.length()), logLine), 1); // once per window
    wxTheApp->ProcessIdle();
    EXPECT_EQ(FindDocumentOptions(doc), nullptr);
}

TEST_F(OptionsTest, AnInvalidEntryIsReportedAndNothingIsApplied) {
    struct Case {
        OptionField field;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {vdx::kOptionLines, "1001", "Entry of Lines is invalid!\nValid entries are numbers from 1 to 1000"},
        {vdx::kOptionUnsuccessfulTries, "1",
         "Entry of Unsuccessful Tries is invalid!\nValid entries are numbers from 2 to 10000"},
        {vdx::kOptionRounds, "", "Entry of Rounds is invalid!\nValid entries are numbers from 1 to 1000"},
        {vdx::kOptionSearchSeconds, "3601",
         "Entry of Search Further is invalid!\nValid entries are numbers from 0 to 3600"},
    };
    VdxDocument* doc = OpenCalculatedDocument("round.vdx");
    ASSERT_NE(doc, nullptr);
    const vdx::OptionValues before = vdx::OptionsOf(doc->Data());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        OptionsDialog* dialog = OpenOptions(doc);
        ASSERT_NE(dialog, nullptr);
        g_messages.clear();
        dialog->MatchesList()->SetStringSelection("2");
        SetText(dialog, vdx::kOptionLines, "0012");
        SetText(dialog, c.field, c.text);
        dialog->PressOk();
        ASSERT_EQ(g_messages.size(), 1u);
        EXPECT_EQ(g_messages[0].text, c.message);
        EXPECT_EQ(g_messages[0].title, "VendrixPlanner");
        EXPECT_TRUE(g_messages[0].style & wxICON_ERROR);
        EXPECT_EQ(vdx::OptionsOf(doc->Data()), before);
        EXPECT_FALSE(doc->IsModified());
        wxTheApp->ProcessIdle();
        EXPECT_EQ(FindDocumentOptions(doc), dialog); // still open
        EXPECT_EQ(wxWindow::FindFocus(), dialog->FieldText(c.field));
        dialog->CloseWindow();
        wxTheApp->ProcessIdle();
    }
    // Texts checked before the invalid one are shown as their numbers.
    OptionsDialog* dialog = OpenOptions(doc);
    ASSERT_NE(dialog, nullptr);
    SetText(dialog, vdx::kOptionLines, "0012");
    SetText(dialog, vdx::kOptionRounds, "0");
    dialog->PressApply();
    EXPECT_EQ(dialog->FieldText(vdx::kOptionLines)->GetValue(), "12");
    EXPECT_EQ(dialog->FieldText(vdx::kOptionRounds)->GetValue(), "0");
    EXPECT_EQ(doc->Data().lineCount, 10);
}

TEST_F(OptionsTest, OkWithoutChangesClosesWithoutALogLine) {
    VdxDocument* doc = OpenCalculatedDocument("round.vdx");
    ASSERT_NE(doc, nullptr);
    OptionsDialog* dialog = OpenOptions(doc);
    ASSERT_NE(dialog, nullptr);
    const wxString logBefore = LogText();
    dialog->PressOk();
    wxTheApp->ProcessIdle();
    EXPECT_EQ(FindDocumentOptions(doc), nullptr);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(LogText().Mid(logBefore.length()).Find("options changed"), wxNOT_FOUND);
}

TEST_F(OptionsTest, KeysStepListsAndFieldsAndCloseTheWindow) {
    VdxDocument* doc = OpenCalculatedDocument("round.vdx");
    ASSERT_NE(doc, nullptr);
    OptionsDialog* dialog = OpenOptions(doc);
    ASSERT_NE(dialog, nullptr);
    wxTextCtrl* rounds = dialog->FieldText(vdx::kOptionRounds);
    wxTextCtrl* lines = dialog->FieldText(vdx::kOptionLines);

    EXPECT_TRUE(dialog->HandleKey(WXK_UP, 0, rounds));
    EXPECT_EQ(rounds->GetValue(), "125");
    EXPECT_EQ(dialog->FieldSpin(vdx::kOptionRounds)->GetValue(), 125);
    EXPECT_TRUE(dialog->ApplyButton()->IsEnabled());
    EXPECT_TRUE(dialog->HandleKey(WXK_PAGEDOWN, 0, rounds));
    EXPECT_TRUE(dialog->HandleKey(WXK_DOWN, 0, rounds));
    EXPECT_EQ(rounds->GetValue(), "75");
    EXPECT_FALSE(dialog->HandleKey(WXK_UP, wxMOD_SHIFT, rounds)); // with Shift: the control's

    // The lines step by the lines per ticket chosen in the list, applied or not.
    dialog->LinesPerTicketList()->SetStringSelection("4");
    EXPECT_TRUE(dialog->HandleKey(WXK_UP, 0, lines));
    EXPECT_EQ(lines->GetValue(), "12");

    // Lists: Up and Left towards larger numbers, stopping at the ends.
    wxChoice* matches = dialog->MatchesList();
    EXPECT_TRUE(dialog->HandleKey(WXK_UP, 0, matches));
    EXPECT_EQ(matches->GetStringSelection(), "4");
    EXPECT_TRUE(dialog->HandleKey(WXK_RIGHT, 0, matches));
    EXPECT_TRUE(dialog->HandleKey(WXK_DOWN, 0, matches));
    EXPECT_EQ(matches->GetStringSelection(), "2");
    EXPECT_TRUE(dialog->HandleKey(WXK_PAGEDOWN, 0, matches));
    EXPECT_EQ(matches->GetStringSelection(), "2");

    // Other controls: arrows are used up, Left/Right passed on.
    const int sortMode = dialog->SortBox()->GetSelection();
    EXPECT_TRUE(dialog->HandleKey(WXK_DOWN, 0, dialog->SortBox()));
    EXPECT_EQ(dialog->SortBox()->GetSelection(), sortMode);
    EXPECT_FALSE(dialog->HandleKey(WXK_LEFT, 0, dialog->CommaBox()));

    // Return on Cancel or &default only sounds.
    EXPECT_TRUE(dialog->HandleKey(WXK_RETURN, 0, dialog->CancelButton()));
    EXPECT_TRUE(dialog->HandleKey(WXK_RETURN, 0, dialog->DefaultButton()));
    EXPECT_EQ(sounds_.count, 2);
    wxTheApp->ProcessIdle();
    ASSERT_EQ(FindDocumentOptions(doc), dialog);
    EXPECT_EQ(doc->Data().rounds, 100);

    // A real key event reaches the panel before the focused field.
    wxKeyEvent up(wxEVT_CHAR_HOOK);
    up.m_keyCode = WXK_UP;
    up.SetEventObject(rounds);
    rounds->ProcessWindowEvent(up);
    EXPECT_EQ(rounds->GetValue(), "100");

    // Escape closes without applying.
    EXPECT_TRUE(dialog->HandleKey(WXK_ESCAPE, 0, rounds));
    wxTheApp->ProcessIdle();
    EXPECT_EQ(FindDocumentOptions(doc), nullptr);
    EXPECT_EQ(doc->Data().rounds, 100);
    EXPECT_EQ(doc->Data().matchCount, 3);
}

TEST_F(OptionsTest, ReturnOnACheckBoxActsAsOk) {
    VdxDocument* doc = OpenCalculatedDocument("round.vdx");
    ASSERT_NE(doc, nullptr);
    OptionsDialog* dialog = OpenOptions(doc);
    ASSERT_NE(dialog, nullptr);
    dialog->DrawBox()->SetValue(true);
    EXPECT_TRUE(dialog->HandleKey(WXK_RETURN, 0, dialog->DrawBox()));
    EXPECT_TRUE(doc->Data().zeroForDraw);
    wxTheApp->ProcessIdle();
    EXPECT_EQ(FindDocumentOptions(doc), nullptr);
}

TEST_F(OptionsTest, DefaultButtonOfADocumentTakesTheDefaultsButCommaAndX) {
    App().Config().options.matchCount = 9;
    App().Config().options.lineCount = 33;
    App().Config().options.decimalPoint = true;
    App().Config().options.zeroForDraw = true;
    VdxDocument* doc = OpenCalculatedDocument("round.vdx");
    ASSERT_NE(doc, nullptr);
    OptionsDialog* dialog = OpenOptions(doc);
    ASSERT_NE(dialog, nullptr);
    dialog->CommaBox()->SetValue(false);
    dialog->PressDefault();
    EXPECT_EQ(dialog->MatchesList()->GetStringSelection(), "9");
    EXPECT_EQ(dialog->FieldText(vdx::kOptionLines)->GetValue(), "33");
    EXPECT_TRUE(dialog->CommaBox()->GetValue());
    EXPECT_FALSE(dialog->DrawBox()->GetValue());
    EXPECT_TRUE(dialog->ApplyButton()->IsEnabled());
    EXPECT_EQ(doc->Data().matchCount, 3); // nothing applied yet
}

TEST_F(OptionsTest, ACalculatingDocumentRefusesTheOptions) {
    VdxDocument* doc = OpenCalculatedDocument("round.vdx");
    ASSERT_NE(doc, nullptr);
    OptionsDialog* dialog = OpenOptions(doc);
    ASSERT_NE(dialog, nullptr);
    doc->Data().calculationRunning = true;
    SetText(dialog, vdx::kOptionLines, "500");
    dialog->PressOk();
    EXPECT_EQ(sounds_.count, 1);
    EXPECT_EQ(doc->Data().lineCount, 10);
    wxTheApp->ProcessIdle();
    EXPECT_EQ(FindDocumentOptions(doc), dialog);
    doc->Data().calculationRunning = false;
}

TEST_F(OptionsTest, ClosingTheDocumentClosesItsOptions) {
    VdxDocument* doc = OpenCalculatedDocument("round.vdx");
    ASSERT_NE(doc, nullptr);
    OptionsDialog* dialog = OpenOptions(doc);
    ASSERT_NE(dialog, nullptr);
    wxWeakRef<wxWindow> frame(dialog->GetParent());
    doc->Modify(false);
    Manager().CloseDocuments(true);
    for (int i = 0; i < 3 && frame; ++i) wxTheApp->ProcessIdle();
    EXPECT_FALSE(frame);
}

TEST_F(OptionsTest, DefaultOptionsChangeWhatFileNewGives) {
    SendCommand(App().Frame(), kIdDefaultOptions);
    OptionsDialog* dialog = FindDefaultOptions();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetParent()->GetLabel(), "+++ Default Options +++");
    SendCommand(App().Frame(), kIdDefaultOptions);
    EXPECT_EQ(FindDefaultOptions(), dialog);

    const wxString logBefore = LogText();
    dialog->PressApply(); // nothing changed, and still logged
    EXPECT_EQ(Occurrences(LogText().Mid(logBefore.length()), "default options changed"), 1);

    App().Config().conditions.limit = 9;
    dialog->MatchesList()->SetStringSelection("6");
    dialog->LinesPerTicketList()->SetStringSelection("3");
    dialog->SortBox()->SetSelection(1);
    dialog->DrawBox()->SetValue(true);
    SetText(dialog, vdx::kOptionLines, "30");
    SetText(dialog, vdx::kOptionExtraTries, "25");
    dialog->PressOk();
    EXPECT_TRUE(g_messages.empty());
    const vdx::DefaultOptions& d = App().Config().options;
    EXPECT_EQ(d.matchCount, 6);
    EXPECT_EQ(d.linesPerTicket, 3);
    EXPECT_EQ(d.lineCount, 30);
    EXPECT_EQ(d.extraTries, 25);
    EXPECT_EQ(d.sortMode, 1);
    EXPECT_TRUE(d.zeroForDraw);
    EXPECT_EQ(App().Config().conditions.limit, 6);
    EXPECT_EQ(Occurrences(LogText().Mid(logBefore.length()), "default options changed"), 1);
    wxTheApp->ProcessIdle();
    EXPECT_EQ(FindDefaultOptions(), nullptr);

    auto* doc = dynamic_cast<VdxDocument*>(Manager().CreateDocument(wxString(), wxDOC_NEW));
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->Data().matchCount, 6);
    EXPECT_EQ(doc->Data().lineCount, 30);
    EXPECT_EQ(doc->Data().linesPerTicket, 3);
    EXPECT_EQ(doc->Data().extraTries, 25);
    EXPECT_EQ(doc->Data().sortMode, 1);
    EXPECT_TRUE(doc->Data().zeroForDraw);
    EXPECT_EQ(doc->Data().conditionLimit, 6);

    // Its &default gives the built-in values, and its label follows the stored symbol.
    dialog = ShowDefaultOptions();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(wxStripMenuCodes(dialog->SortBox()->GetString(0)), "1 before 0 before 2");
    dialog->PressDefault();
    EXPECT_EQ(dialog->MatchesList()->GetStringSelection(), "12");
    EXPECT_EQ(dialog->LinesPerTicketList()->GetStringSelection(), "12");
    EXPECT_EQ(dialog->FieldText(vdx::kOptionUnsuccessfulTries)->GetValue(), "1000");
    EXPECT_EQ(dialog->FieldText(vdx::kOptionLines)->GetValue(), "20");
    EXPECT_FALSE(dialog->DrawBox()->GetValue());
    EXPECT_TRUE(dialog->ApplyButton()->IsEnabled());
}


// The seconds of the deeper search: typed, stepped with the keys and applied
// by a click on OK, in a document and in the defaults.
TEST_F(OptionsTest, TheSearchSecondsAreTypedSteppedAndApplied) {
    VdxDocument* doc = OpenCalculatedDocument("round.vdx");
    ASSERT_NE(doc, nullptr);
    OptionsDialog* dialog = OpenOptions(doc);
    ASSERT_NE(dialog, nullptr);
    wxTextCtrl* search = dialog->FieldText(vdx::kOptionSearchSeconds);
    EXPECT_EQ(search->GetValue(), "0"); // off unless chosen
    EXPECT_EQ(dialog->FieldSpin(vdx::kOptionSearchSeconds)->GetMax(), 3600);

    TypeInto(search, "4x5"); // only digits get in
    EXPECT_EQ(search->GetValue(), "45");
    EXPECT_TRUE(dialog->ApplyButton()->IsEnabled());
    PressKey(search, WXK_UP);
    EXPECT_EQ(search->GetValue(), "60");
    EXPECT_EQ(dialog->FieldSpin(vdx::kOptionSearchSeconds)->GetValue(), 60);
    PressKey(search, WXK_DOWN);
    PressKey(search, WXK_DOWN);
    EXPECT_EQ(search->GetValue(), "30");
    Click(dialog->OkButton());
    EXPECT_TRUE(g_messages.empty());
    EXPECT_EQ(doc->Data().searchSeconds, 30);
    EXPECT_EQ(doc->Data().rounds, 100); // the others as they were
    EXPECT_TRUE(doc->IsModified());
    wxTheApp->ProcessIdle();
    EXPECT_EQ(FindDocumentOptions(doc), nullptr);

    // Opened again it shows the document's value; &default the configured one.
    App().Config().options.searchSeconds = 90;
    dialog = OpenOptions(doc);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->FieldText(vdx::kOptionSearchSeconds)->GetValue(), "30");
    Click(dialog->DefaultButton());
    EXPECT_EQ(dialog->FieldText(vdx::kOptionSearchSeconds)->GetValue(), "90");
    dialog->CloseWindow();
    wxTheApp->ProcessIdle();
    EXPECT_EQ(doc->Data().searchSeconds, 30); // closing applies nothing

    // The defaults: what a new document starts with.
    dialog = ShowDefaultOptions();
    ASSERT_NE(dialog, nullptr);
    search = dialog->FieldText(vdx::kOptionSearchSeconds);
    EXPECT_EQ(search->GetValue(), "90");
    TypeInto(search, "120");
    Click(dialog->OkButton());
    EXPECT_TRUE(g_messages.empty());
    EXPECT_EQ(App().Config().options.searchSeconds, 120);
    auto* created = dynamic_cast<VdxDocument*>(Manager().CreateDocument(wxString(), wxDOC_NEW));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->Data().searchSeconds, 120);

    // The defaults' &default is the classic calculation again.
    dialog = ShowDefaultOptions();
    ASSERT_NE(dialog, nullptr);
    Click(dialog->DefaultButton());
    EXPECT_EQ(dialog->FieldText(vdx::kOptionSearchSeconds)->GetValue(), "0");
}

// Under a window manager the frame's decorations become known only after the
// first showing; the window used to shrink by them now and then.
TEST_F(OptionsTest, OpensAtItsPlaceAndSizeEveryTimeWithEveryControlVisible) {
    VdxDocument* doc = OpenCalculatedDocument("round.vdx");
    ASSERT_NE(doc, nullptr);
    for (bool defaults : {false, true}) {
        for (int opening = 0; opening < 20; ++opening) {
            SCOPED_TRACE(testing::Message() << (defaults ? "defaults" : "document") << ", opening " << opening);
            OptionsDialog* dialog = defaults ? ShowDefaultOptions() : OpenOptions(doc);
            ASSERT_NE(dialog, nullptr);
            wxWindow* frame = dialog->GetParent();
            const wxSize needed = dialog->GetBestSize();
            SettleUntil([&] {
                const wxSize client = frame->GetClientSize();
                return frame->GetPosition() == wxPoint(100, 50) && client.x >= needed.x &&
                       client.y >= needed.y && VisibleInFrame(dialog->DrawBox()) &&
                       VisibleInFrame(dialog->DefaultButton()) &&
                       VisibleInFrame(dialog->FieldText(vdx::kOptionDifference)) &&
                       VisibleInFrame(dialog->FieldSpin(vdx::kOptionSearchSeconds));
            });
            EXPECT_EQ(frame->GetPosition(), wxPoint(100, 50));
            const wxSize client = frame->GetClientSize();
            EXPECT_GE(client.x, needed.x);
            EXPECT_GE(client.y, needed.y);
            EXPECT_TRUE(VisibleInFrame(dialog->DrawBox()));
            EXPECT_TRUE(VisibleInFrame(dialog->DefaultButton()));
            EXPECT_TRUE(VisibleInFrame(dialog->FieldText(vdx::kOptionDifference)));
            EXPECT_TRUE(VisibleInFrame(dialog->FieldSpin(vdx::kOptionSearchSeconds)));
            if (opening == 0) SaveScreenshot(defaults ? "default-options" : "document-options");
            dialog->CloseWindow();
            Settle(20);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    const WindowManager manager;
    return RunGuiTests(argc, argv);
}
