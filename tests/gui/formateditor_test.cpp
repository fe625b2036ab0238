// The format editor under a virtual display with a window manager: opening
// it, the value commands through their dialogs and through clicks in the
// preview, undo and redo, saving, and the questions when it closes.

#include "GuiTestSupport.h"

#include "Desktop.h"
#include "app/FileChooser.h"
#include "app/Messages.h"
#include "controls/Sound.h"
#include "frame/CommandIds.h"
#include "frame/FrameCommands.h"
#include "frame/WindowList.h"
#include "ticketprint/FormatCanvas.h"
#include "ticketprint/FormatEditing.h"
#include "ticketprint/FormatEditorFrame.h"
#include "ticketprint/TicketFormatDoc.h"
#include "ticketprint/VdfFile.h"

#include <gtest/gtest.h>

#include <wx/cmdproc.h>
#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/toolbar.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

namespace fs = std::filesystem;
using namespace vdx::gui;
using namespace vdx::guitest;

namespace {


void Pause(int milliseconds) { SettleUntil([] { return false; }, milliseconds); }

wxDialog* ModalDialog() {
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog && dialog->IsModal()) return dialog;
    return nullptr;
}

// Runs act from inside the modal loop of the next dialog, once it is on
// screen and has the keyboard; looked for every 20 ms by a timer, which also
// fires inside the dialog's own loop.
void WhenModal(std::function<void(wxDialog*)> act, int tries = 300) {
    auto* timer = new wxTimer;
    timer->Bind(wxEVT_TIMER, [timer, act, tries](wxTimerEvent&) {
        // Kept here: the timer with this handler goes before act has ended.
        const std::function<void(wxDialog*)> run = act;
        const int left = tries;
        wxDialog* dialog = ModalDialog();
        wxWindow* focus = wxWindow::FindFocus();
        wxTheApp->CallAfter([timer] { delete timer; });
        if (!dialog || !dialog->IsShownOnScreen() || !focus || wxGetTopLevelParent(focus) != dialog) {
            if (left > 0) WhenModal(run, left - 1);
            return;
        }
        run(dialog);
    });
    timer->StartOnce(20);
}

// Presses keys in the next dialog.
void PressInDialog(const std::vector<std::pair<int, int>>& keys) {
    WhenModal([keys](wxDialog*) {
        wxUIActionSimulator keyboard;
        for (const auto& [key, modifiers] : keys) keyboard.Char(key, modifiers);
    });
}

bool HasText(const wxString& text) {
    for (const Message& m : g_messages)
        if (m.text == text) return true;
    return false;
}

class FormatEditorTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        previousSave_ = SetSaveFileHandler([this](const wxString&, const wxString&) { return saveAs_; });
    }
    void TearDown() override {
        if (FormatEditorFrame* editor = FormatEditorFrame::Instance()) {
            if (TicketFormatDoc* doc = editor->Document()) doc->Modify(false);
            g_answer = wxNO;
            editor->Close(true);
            SettleUntil([] { return FormatEditorFrame::Instance() == nullptr; });
        }
        SetSaveFileHandler(previousSave_);
        App().SetTicketFormatFile(wxString());
        AppTest::TearDown();
    }

    // Opens the editor from the main frame's menu, with a new format, and
    // gives it the keyboard.
    FormatEditorFrame* OpenEditorWithNewFormat() {
        SendCommand(&Main(), kIdFormatEditor);
        FormatEditorFrame* editor = FormatEditorFrame::Instance();
        if (!editor) return nullptr;
        SettleUntil([&] { return editor->IsShownOnScreen(); });
        Focus(editor);
        Press('n', wxMOD_CONTROL);
        SettleUntil([&] { return editor->Document() != nullptr; });
        return editor;
    }

    void Focus(FormatEditorFrame* editor) {
        editor->Raise();
        editor->Canvas()->SetFocus();
        SettleUntil([&] { return wxWindow::FindFocus() == editor->Canvas(); });
        // Without a window manager the keyboard follows the pointer.
        wxUIActionSimulator().MouseMove(editor->Canvas()->GetScreenRect().GetPosition() + wxPoint(3, 3));
        Pause(100);
    }

    void Press(int key, int modifiers = wxMOD_NONE) {
        wxUIActionSimulator().Char(key, modifiers);
        Pause(150);
    }

    // Clicks the preview item of target with the left (up) or right button.
    void Click(FormatEditorFrame* editor, vdx::PreviewTarget target, int index, bool left) {
        FormatCanvas* canvas = editor->Canvas();
        canvas->Rebuild();
        std::optional<vdx::PreviewHit> found; // a copy: a repaint builds the preview anew
        for (const vdx::PreviewHit& hit : canvas->Preview().hits)
            if (hit.target == target && hit.index == index) found = hit;
        ASSERT_TRUE(found.has_value());
        // Scrolled into sight first, as a user would.
        canvas->Scroll(std::max(0, (found->rect.x - 100) / 20), std::max(0, (found->rect.y - 100) / 20));
        Pause(100);
        const wxPoint inside = canvas->CalcScrolledPosition(
            wxPoint(found->rect.x + found->rect.width / 2, found->rect.y + found->rect.height / 2));
        ASSERT_TRUE(canvas->GetClientRect().Contains(inside))
            << "item out of sight: " << inside.x << "," << inside.y << " in " << canvas->GetClientSize().x << "x"
            << canvas->GetClientSize().y;
        wxUIActionSimulator mouse;
        mouse.MouseMove(canvas->ClientToScreen(inside));
        Pause(50);
        mouse.MouseClick(left ? wxMOUSE_BTN_LEFT : wxMOUSE_BTN_RIGHT);
        Pause(150);
    }

    wxString saveAs_;
    SaveFileHandler previousSave_;
};

// The editor opens from the main menu with its own menus and toolbar; the
// main menu no longer calls it unavailable.
TEST_F(FormatEditorTest, OpensFromTheMainMenuWithItsOwnMenus) {
    SendCommand(&Main(), kIdFormatEditor);
    FormatEditorFrame* editor = FormatEditorFrame::Instance();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(g_messages.empty()) << g_messages[0].text;
    EXPECT_EQ(editor->GetTitle(), "VendrixPlanner Format Editor");
    EXPECT_EQ(editor->GetId(), kIdFormatEditorFrame);
    EXPECT_EQ(App().FormatEditor(), editor);
    EXPECT_TRUE(AppWindows().Contains(editor));

    wxMenuBar* bar = editor->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->GetMenuCount(), 4u);
    EXPECT_EQ(bar->GetMenuLabel(0), "&File");
    EXPECT_EQ(bar->GetMenuLabel(1), "&Edit");
    EXPECT_EQ(bar->GetMenuLabel(2), "&Window");
    EXPECT_EQ(bar->GetMenuLabel(3), "&Help");
    for (int id = kIdFormatInsertDirection; id <= kIdFormatLineGaps; ++id)
        EXPECT_NE(bar->FindItem(id), nullptr) << id;
    // Value commands wait for a format.
    EXPECT_FALSE(IsEnabledIn(editor, kIdFormatMatches));
    ASSERT_NE(editor->GetToolBar(), nullptr);
    EXPECT_NE(editor->GetToolBar()->FindById(kIdFormatSizeOfX), nullptr);

    // A second request raises the same window.
    SendCommand(&Main(), kIdFormatEditor);
    EXPECT_EQ(FormatEditorFrame::Instance(), editor);
    SaveScreenshot("format-editor-empty");
}

// The main path: Ctrl+N, a value changed in its dialog by the keyboard, undo
// and redo by their keys, Ctrl+S saving under a new name, and closing the
// editor, which offers the saved format for printing.
TEST_F(FormatEditorTest, EditUndoRedoSaveAndSelectForPrinting) {
    FormatEditorFrame* editor = OpenEditorWithNewFormat();
    ASSERT_NE(editor, nullptr);
    TicketFormatDoc* doc = editor->Document();
    ASSERT_NE(doc, nullptr) << "Ctrl+N made no format";
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(IsEnabledIn(editor, kIdFormatMatches));
    EXPECT_NE(LogText().Find("New format document created"), wxNOT_FOUND);

    // Ctrl+L: the Lines dialog; two steps down and Enter.
    PressInDialog({{WXK_DOWN, wxMOD_NONE}, {WXK_DOWN, wxMOD_NONE}, {WXK_RETURN, wxMOD_NONE}});
    Press('l', wxMOD_CONTROL);
    ASSERT_TRUE(SettleUntil([&] { return doc->Values().maxLines == 10; })) << doc->Values().maxLines;
    EXPECT_TRUE(doc->IsModified());
    wxCommandProcessor* history = doc->GetCommandProcessor();
    ASSERT_TRUE(history->CanUndo());
    EXPECT_EQ(history->GetUndoMenuLabel(), "&Undo Lines\tCtrl+Z");
    EXPECT_EQ(editor->GetMenuBar()->GetLabel(wxID_UNDO), "&Undo Lines\tCtrl+Z");

    Focus(editor);
    Press('z', wxMOD_CONTROL);
    EXPECT_TRUE(SettleUntil([&] { return doc->Values().maxLines == 12; })) << "Ctrl+Z did not undo";
    EXPECT_FALSE(doc->IsModified()) << "back at the saved values";
    Press('y', wxMOD_CONTROL);
    EXPECT_TRUE(SettleUntil([&] { return doc->Values().maxLines == 10; })) << "Ctrl+Y did not redo";

    // Ctrl+S on a new format asks for the name.
    const fs::path file = dir_ / "my slip.vdf";
    saveAs_ = wxString::FromUTF8(file.string());
    Press('s', wxMOD_CONTROL);
    ASSERT_TRUE(SettleUntil([&] { return fs::exists(file); })) << "Ctrl+S saved nothing";
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(fs::file_size(file), static_cast<uintmax_t>(vdx::VdfFileSize(12, 10)));
    vdx::TicketFormat read;
    vdx::FileProblem problem;
    ASSERT_EQ(vdx::ReadVdfFile(file.string(), read, problem), vdx::kFormatReadOk);
    EXPECT_EQ(read.values().maxLines, 10);
    EXPECT_EQ(editor->GetTitle(), "Format Editor - my slip.vdf");

    // Closing offers it for printing; Yes selects it and names it in the menu.
    g_messages.clear();
    g_answer = wxYES;
    editor->Close();
    ASSERT_TRUE(SettleUntil([] { return FormatEditorFrame::Instance() == nullptr; }));
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].text, "Shall \"my slip\" be selected\nas the new format used to print tickets?");
    EXPECT_EQ(g_messages[0].title, "Format Editor");
    EXPECT_EQ(wxString::FromUTF8(App().Config().ticketFormat), saveAs_);
    wxMenuItem* print = Main().GetMenuBar()->FindItem(kIdPrintTickets);
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(print->GetItemLabel(), "&Print Tickets (my slip)...\tCtrl+G");
    EXPECT_FALSE(App().FormatEditor());
}

// While the editor holds a changed format the program does not quit; the
// editor itself asks whether to save, and Cancel keeps it open.
TEST_F(FormatEditorTest, ClosingRules) {
    FormatEditorFrame* editor = OpenEditorWithNewFormat();
    ASSERT_NE(editor, nullptr);
    TicketFormatDoc* doc = editor->Document();
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(SubmitFormatChange(doc, {vdx::FormatChange::kOutputRatio, -1, 90, {}}, "Output Ratio", editor));
    ASSERT_TRUE(doc->IsModified());

    g_messages.clear();
    EXPECT_FALSE(Main().Close()) << "the program quit with a changed format";
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].text, "Please close the Format Editor\nbefore you quit the application!");
    EXPECT_EQ(FormatEditorFrame::Instance(), editor);

    // Alt+F4 in the editor: the question; Cancel keeps everything.
    g_messages.clear();
    g_answer = wxCANCEL;
    Focus(editor);
    Press(WXK_F4, wxMOD_ALT);
    ASSERT_TRUE(SettleUntil([] { return !g_messages.empty(); })) << "Alt+F4 did not ask";
    EXPECT_TRUE(g_messages[0].text.StartsWith("Do you want to save changes to unnamed")) << g_messages[0].text;
    Pause(100);
    ASSERT_EQ(FormatEditorFrame::Instance(), editor);
    EXPECT_EQ(editor->Document(), doc);

    // No: closed without saving, and nothing to offer for printing.
    g_messages.clear();
    g_answer = wxNO;
    editor->Close();
    ASSERT_TRUE(SettleUntil([] { return FormatEditorFrame::Instance() == nullptr; }));
    EXPECT_EQ(g_messages.size(), 1u);
    EXPECT_TRUE(App().Config().ticketFormat.empty());
}

// Clicks on the preview step the value under the pointer, each as a change
// of its own; a value beyond its range sounds and records nothing.
TEST_F(FormatEditorTest, ClicksInThePreviewStepValues) {
    FormatEditorFrame* editor = OpenEditorWithNewFormat();
    ASSERT_NE(editor, nullptr);
    TicketFormatDoc* doc = editor->Document();
    ASSERT_NE(doc, nullptr);
    wxCommandProcessor* history = doc->GetCommandProcessor();

    Click(editor, vdx::PreviewTarget::kInsertDirection, -1, false);
    EXPECT_EQ(doc->Values().insertDirection, 3) << "right click at \"up\" gives \"left\"";
    Click(editor, vdx::PreviewTarget::kMatches, -1, true);
    Click(editor, vdx::PreviewTarget::kMatches, -1, true);
    EXPECT_EQ(doc->Values().maxMatches, 14);
    {
        SoundCounter sounds;
        Click(editor, vdx::PreviewTarget::kMatches, -1, true);
        EXPECT_EQ(sounds.count, 1);
    }
    EXPECT_EQ(doc->Values().maxMatches, 14);
    EXPECT_EQ(history->GetUndoMenuLabel(), "&Undo Matches\tCtrl+Z");
    ASSERT_TRUE(history->Undo());
    EXPECT_EQ(doc->Values().maxMatches, 13) << "the refused click took a place in the history";

    Click(editor, vdx::PreviewTarget::kSide, vdx::kSideLeft, true);
    EXPECT_EQ(doc->Values().spacesToSides[vdx::kSideLeft], 530);
    EXPECT_EQ(history->GetUndoMenuLabel(), "&Undo Space to Left\tCtrl+Z");
    Click(editor, vdx::PreviewTarget::kLineGap, 4, false);
    EXPECT_EQ(doc->Values().spacesBetweenLines[4], 375);
    EXPECT_EQ(history->GetUndoMenuLabel(), "&Undo Spaces between Lines\tCtrl+Z");

    g_messages.clear();
    Click(editor, vdx::PreviewTarget::kTotalHeight, -1, true);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].title, "Format Editor");
    EXPECT_EQ(g_messages[0].text, wxString(vdx::kTotalsMessage));
    SaveScreenshot("format-editor");
}

// A new size of X asks before raising; Cancel keeps everything, OK records
// the raised values apart from the size, so the first Undo restores only it.
TEST_F(FormatEditorTest, SizeOfXRaisesOtherValuesAsChangesOfTheirOwn) {
    FormatEditorFrame* editor = OpenEditorWithNewFormat();
    ASSERT_NE(editor, nullptr);
    TicketFormatDoc* doc = editor->Document();
    ASSERT_NE(doc, nullptr);
    wxCommandProcessor* history = doc->GetCommandProcessor();
    const vdx::FormatChangeValue size{vdx::FormatChange::kSizeOfX, -1, 450, {}};

    const MessageHandler previous = SetMessageHandler([](const wxString& text, const wxString&, long) {
        g_messages.push_back({text, "", 0});
        return wxCANCEL;
    });
    EXPECT_FALSE(SubmitFormatChange(doc, size, "Size of 'X'", editor));
    SetMessageHandler(previous);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].text, "The following value(s) will be increased\nto apply the new size of an 'X':\n\n"
                                  "Space between 'X's\nSpaces between Matches\nSpaces between Lines\n");
    EXPECT_EQ(doc->Values(), vdx::TicketFormatValues());
    EXPECT_FALSE(history->CanUndo());

    // Through its dialog: Ctrl+X, 4.50 typed over the selected 2.00, Enter; the question answered OK.
    PressInDialog({{'4', 0}, {'.', 0}, {'5', 0}, {'0', 0}, {WXK_RETURN, 0}});
    Focus(editor);
    Press('x', wxMOD_CONTROL);
    ASSERT_TRUE(SettleUntil([&] { return doc->Values().sizeOfX == 450; })) << doc->Values().sizeOfX;
    EXPECT_EQ(doc->Values().spaceBetweenXs, 450);
    EXPECT_EQ(doc->Values().spacesBetweenMatches[10], 450);
    EXPECT_EQ(doc->Values().spacesBetweenLines[0], 450);
    EXPECT_EQ(history->GetCommands().GetCount(), 4u);

    ASSERT_TRUE(history->Undo());
    EXPECT_EQ(doc->Values().sizeOfX, 200);
    EXPECT_EQ(doc->Values().spaceBetweenXs, 450) << "the first Undo restores only the size";
    ASSERT_TRUE(history->Redo());
    EXPECT_EQ(doc->Values().sizeOfX, 450);
    EXPECT_EQ(history->GetCommands().GetCount(), 4u);
}

// Lowering the lines and undoing refills the new gaps from gap 8 through the
// setter; the choice of the same justification records nothing.
TEST_F(FormatEditorTest, UndoOfLinesAndAnUnchangedChoice) {
    FormatEditorFrame* editor = OpenEditorWithNewFormat();
    ASSERT_NE(editor, nullptr);
    TicketFormatDoc* doc = editor->Document();
    ASSERT_NE(doc, nullptr);
    wxCommandProcessor* history = doc->GetCommandProcessor();
    ASSERT_TRUE(SubmitFormatChange(doc, {vdx::FormatChange::kLineGap, 9, 700, {}}, "x", editor));
    ASSERT_TRUE(SubmitFormatChange(doc, {vdx::FormatChange::kMaxLines, -1, 10, {}}, "Lines", editor));
    ASSERT_TRUE(history->Undo());
    EXPECT_EQ(doc->Values().maxLines, 12);
    EXPECT_EQ(doc->Values().spacesBetweenLines[9], 380) << "refilled from gap 8";

    // Ctrl+F: the justification dialog, Enter on the current choice.
    const size_t before = history->GetCommands().GetCount();
    PressInDialog({{WXK_RETURN, 0}});
    Focus(editor);
    Press('f', wxMOD_CONTROL);
    Pause(300);
    EXPECT_FALSE(ModalDialog());
    EXPECT_EQ(history->GetCommands().GetCount(), before);
}

// The file keys of the canvas: Ctrl+F12 opens, Shift+F12 saves, F12 saves as.
TEST_F(FormatEditorTest, CanvasFileKeys) {
    FormatEditorFrame* editor = OpenEditorWithNewFormat();
    ASSERT_NE(editor, nullptr);
    const std::vector<std::pair<int, int>> keys = {
        {wxMOD_CONTROL, wxID_OPEN}, {wxMOD_SHIFT, wxID_SAVE}, {wxMOD_NONE, wxID_SAVEAS}};
    for (const auto& [modifiers, command] : keys) {
        Focus(editor);
        CommandRecorder recorder(editor); // recorded, not run
        Press(WXK_F12, modifiers);
        EXPECT_TRUE(SettleUntil([&] { return !recorder.ids.empty(); })) << "F12 with " << modifiers;
        EXPECT_EQ(recorder.ids, std::vector<int>{command}) << "F12 with " << modifiers;
    }
}

// A ".vdf" file that is no format is refused with its message and leaves no
// format open; a good one opens straight into the editor.
TEST_F(FormatEditorTest, OpensFilesDirectly) {
    const fs::path bad = dir_ / "bad.vdf";
    std::ofstream(bad) << "Vdx not a format at all";
    FormatEditorFrame::OpenFile(wxString::FromUTF8(bad.string()));
    FormatEditorFrame* editor = FormatEditorFrame::Instance();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Document(), nullptr);
    EXPECT_TRUE(HasText(wxString::Format("File %s is not a Ticketformat-File!", bad.string())));

    const fs::path good = dir_ / "good.vdf";
    vdx::TicketFormat format;
    ASSERT_TRUE(format.setTipsOrder(4));
    ASSERT_TRUE(vdx::SaveVdfFile(good.string(), format).ok);
    FormatEditorFrame::OpenFile(wxString::FromUTF8(good.string()));
    ASSERT_NE(editor->Document(), nullptr);
    EXPECT_EQ(editor->Document()->Values().tipsOrder, 4);
    EXPECT_NE(LogText().Find(wxString::Format("Format file %s opened for editing", good.string())), wxNOT_FOUND);
    EXPECT_EQ(editor->GetTitle(), "Format Editor - good.vdf");
}

} // namespace

int main(int argc, char** argv) {
    const WindowManager manager;
    return RunGuiTests(argc, argv);
}
