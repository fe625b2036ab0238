// The input window in the running application under a virtual display: Apply
// storing the grid in the document, validation errors, bookmaker groups, the
// clipboard commands and the close question.

#include "Desktop.h"
#include "GuiTestSupport.h"

#include "frame/CommandIds.h"
#include "frame/CommandRouting.h"
#include "app/FileChooser.h"
#include "calc/CalculationWindow.h"
#include "calc/Probabilities.h"
#include "frame/MainFrame.h"
#include "frame/WindowList.h"
#include "windows/OptionsDialog.h"
#include "windows/InputWindow.h"

#include <gtest/gtest.h>

#include <wx/clipbrd.h>
#include <wx/grid.h>
#include <wx/statusbr.h>

#include <string>
#include <vector>

using namespace vdx::gui;
using namespace vdx::guitest;

namespace {

void SetClipboardText(const wxString& text) {
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject(text));
    wxTheClipboard->Close();
}

wxString ClipboardText() {
    wxTextDataObject data;
    if (!wxTheClipboard->Open()) return "<closed>";
    wxTheClipboard->GetData(data);
    wxTheClipboard->Close();
    return data.GetText();
}

// A new document of four matches with its input window open.
class InputTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        if (HasFatalFailure()) return;
        doc_ = dynamic_cast<VdxDocument*>(Manager().CreateDocument(wxEmptyString, wxDOC_NEW));
        ASSERT_NE(doc_, nullptr);
        doc_->Data().setMatchCount(4);
        doc_->Data().setLineCount(10);
        doc_->Data().decimalPoint = true;
        doc_->Modify(false);
        ASSERT_TRUE(RouteDocumentCommand(doc_, kIdInput));
        window_ = FindInputWindow(doc_);
        ASSERT_NE(window_, nullptr);
        grid_ = window_->Grid();
    }

    void SetRow(int row, const std::vector<const char*>& texts) {
        for (size_t c = 0; c < texts.size(); ++c) grid_->SetCellValue(row, static_cast<int>(c), texts[c]);
    }
    std::vector<std::string> RowTexts(int row) const {
        std::vector<std::string> texts;
        for (int c = 0; c < grid_->GetNumberCols(); ++c) texts.push_back(grid_->GetCellValue(row, c).ToStdString());
        return texts;
    }

    VdxDocument* doc_ = nullptr;
    InputWindow* window_ = nullptr;
    wxGrid* grid_ = nullptr;
    SoundCounter sounds_; // refusals beep silently
};

TEST_F(InputTest, OpensOnceWithOneRowPerMatch) {
    EXPECT_TRUE(window_->GetTitle().EndsWith(": Matches, Chances, Odds")) << window_->GetTitle();
    EXPECT_TRUE(AppWindows().Contains(window_));
    EXPECT_EQ(grid_->GetNumberRows(), 4);
    EXPECT_EQ(grid_->GetNumberCols(), 9);
    EXPECT_EQ(grid_->GetColLabelValue(3), "Chance X");
    EXPECT_EQ(grid_->GetColLabelValue(8), "Notes");
    EXPECT_GE(grid_->GetColSize(8), 200);
    EXPECT_TRUE(grid_->GetCellFont(0, 1).GetWeight() == wxFONTWEIGHT_BOLD);
    // Bands of three rows.
    EXPECT_EQ(grid_->GetCellBackgroundColour(0, 0), wxColour(163, 208, 163));
    EXPECT_EQ(grid_->GetCellBackgroundColour(3, 2), wxColour(107, 35, 142));

    ASSERT_TRUE(RouteDocumentCommand(doc_, kIdInput));
    int windows = 0;
    for (wxWindow* window : wxTopLevelWindows)
        if (dynamic_cast<InputWindow*>(window) && !window->IsBeingDeleted()) ++windows;
    EXPECT_EQ(windows, 1);
    EXPECT_EQ(FindInputWindow(doc_), window_);
}

TEST_F(InputTest, ApplyStoresTheGridAndFillsItBackCanonically) {
    SetRow(0, {" Home - Away ", "x", "46", "", "25", "", "", "", "first"});
    SetRow(1, {"Second", "", "", "", "", "2", "3,00", "4"});
    SetRow(2, {"Third", "2", "40", "35", ""});
    SendCommand(window_, kIdInputApply);
    ASSERT_TRUE(g_messages.empty()) << g_messages.front().text;

    const vdx::PoolsDocument& data = doc_->Data();
    EXPECT_TRUE(doc_->IsModified());
    EXPECT_EQ(data.match(0).name, "Home - Away");
    EXPECT_EQ(data.match(0).notes, "first");
    EXPECT_EQ(data.match(0).result, vdx::kTipX);
    EXPECT_EQ(data.match(0).chances, (std::array<int, 2>{460, 250}));
    EXPECT_EQ(data.match(0).probability, (std::array<int, 2>{460, 250}));
    EXPECT_EQ(data.match(0).targetCounts, (std::array<int, 3>{5, 3, 2}));
    EXPECT_EQ(data.match(1).chances, (std::array<int, 2>{-1, -1}));
    ASSERT_EQ(data.match(1).odds.size(), 1u);
    EXPECT_EQ(data.match(1).odds[0].odds, (std::array<int32_t, 3>{200, 300, 400}));
    EXPECT_EQ(data.match(1).probability, (std::array<int, 2>{461, 230}));
    EXPECT_EQ(data.match(2).chances, (std::array<int, 2>{400, 250}));
    EXPECT_EQ(data.match(2).result, vdx::kTip2);
    EXPECT_FALSE(data.match(3).hasData());

    // Canonical texts, and nothing left to apply.
    EXPECT_EQ(RowTexts(0), (std::vector<std::string>{"Home - Away", "X", "46.0", "29.0", "25.0", "", "", "", "first"}));
    EXPECT_EQ(RowTexts(1)[6], "3.00");
    EXPECT_EQ(RowTexts(2)[4], "25.0");
    EXPECT_FALSE(window_->HasUnappliedChanges());

    const wxString logLine = doc_->GetUserReadableName() + ": Input changed";
    EXPECT_EQ(Occurrences(LogText(), logLine), 1);
    grid_->SetCellValue(3, 0, "Fourth");
    EXPECT_TRUE(window_->HasUnappliedChanges());
    EXPECT_TRUE(window_->Apply());
    EXPECT_EQ(data.match(3).name, "Fourth");
    EXPECT_EQ(Occurrences(LogText(), logLine), 1); // once per window
}

TEST_F(InputTest, ValidationErrorSelectsTheCellsAndChangesNothing) {
    const struct {
        std::vector<const char*> row;
        const char* message;
        int left, right;
    } cases[] = {
        {{"A", "", "50", "", ""}, "Invalid 'Chances': The sum is not 100.0", 2, 4},
        {{"A", "3"}, "'Result' is unreadable!\nValid entries are '1', 'X' (or also: 'x' and '0') and '2'.", 1, 1},
        {{"A", "", "", "", "", "2", "", "4"}, "'Odds' incomplete: need three entries", 5, 7},
        {{"A", "", "", "", "", "0.9", "3", "4"}, "'Odds' are unreadable!\nValid entries are numbers from 1.00 to 32000.00", 5, 5},
        {{"A", "", "", "", "", "", "", "", ""}, nullptr, 0, 0},
    };
    for (const auto& k : cases) {
        g_messages.clear();
        for (int c = 0; c < grid_->GetNumberCols(); ++c) grid_->SetCellValue(1, c, "");
        SetRow(1, k.row);
        const bool applied = window_->Apply();
        if (!k.message) {
            EXPECT_TRUE(applied);
            continue;
        }
        EXPECT_FALSE(applied) << k.message;
        ASSERT_EQ(g_messages.size(), 1u) << k.message;
        EXPECT_EQ(g_messages[0].text, k.message);
        EXPECT_EQ(g_messages[0].title, "VendrixPlanner");
        EXPECT_TRUE(g_messages[0].style & wxICON_ERROR);
        for (int c = 0; c < grid_->GetNumberCols(); ++c)
            EXPECT_EQ(grid_->IsInSelection(1, c), c >= k.left && c <= k.right) << k.message << " column " << c;
        EXPECT_EQ(grid_->GetGridCursorRow(), 1);
        EXPECT_EQ(grid_->GetGridCursorCol(), k.left);
        EXPECT_FALSE(doc_->IsModified()) << k.message;
        EXPECT_EQ(doc_->Data().match(1).name, "") << k.message;
    }
}

TEST_F(InputTest, EmptyBookmakerGroupsAreRemovedOnApply) {
    SendCommand(window_, kIdInputBookies);
    SendCommand(window_, kIdInputBookies);
    ASSERT_EQ(grid_->GetNumberCols(), 15);
    EXPECT_EQ(grid_->GetColLabelValue(8), "Odds 1");
    EXPECT_EQ(grid_->GetColLabelValue(14), "Notes");
    EXPECT_EQ(grid_->GetCellBackgroundColour(0, 8), wxColour(192, 192, 192));
    EXPECT_TRUE(window_->HasUnappliedChanges()); // the columns changed
    // Only the third group holds odds.
    SetRow(0, {"A", "", "", "", "", "", "", "", "", "", "", "1.5", "4", "6", "note"});
    ASSERT_TRUE(window_->Apply());
    EXPECT_EQ(window_->BookieGroups(), 1);
    ASSERT_EQ(grid_->GetNumberCols(), 9);
    EXPECT_EQ(RowTexts(0), (std::vector<std::string>{"A", "", "", "", "", "1.50", "4.00", "6.00", "note"}));
    ASSERT_EQ(doc_->Data().match(0).odds.size(), 1u);
}

TEST_F(InputTest, CopyAndPasteRectangularBlocks) {
    SetRow(0, {"a", "1", "b"});
    SetRow(1, {"c", "2", "d"});
    grid_->SelectBlock(0, 0, 1, 2);
    SendCommand(window_, kIdInputCopy);
    EXPECT_EQ(ClipboardText(), "a\t1\tb\r\nc\t2\td\r\n");
    EXPECT_TRUE(window_->CommandEnabled(kIdInputPaste));

    // Into a single cell with room, and into a block of the same size.
    grid_->ClearSelection();
    grid_->SetGridCursor(2, 5);
    SendCommand(window_, kIdInputPaste);
    ASSERT_TRUE(g_messages.empty()) << g_messages.front().text;
    EXPECT_EQ(grid_->GetCellValue(2, 5), "a");
    EXPECT_EQ(grid_->GetCellValue(3, 7), "d");
    EXPECT_TRUE(grid_->IsInSelection(3, 6));

    const struct {
        int top, left, bottom, right;
        const char* message; // nullptr: pasted
    } cases[] = {
        {1, 2, 2, 4, nullptr},
        {0, 6, 0, 6, nullptr}, // reaches the last column
        {3, 0, 3, 0, "Failed to paste: not enough space"},
        {0, 7, 0, 7, "Failed to paste: not enough space"},
        {0, 0, 2, 2, "Failed to paste: The cells in the clipboard and the\nselected cells have different dimensions."},
    };
    for (const auto& k : cases) {
        g_messages.clear();
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 9; ++c) grid_->SetCellValue(r, c, "");
        grid_->ClearSelection();
        grid_->SetGridCursor(k.top, k.left);
        if (k.bottom != k.top || k.right != k.left) grid_->SelectBlock(k.top, k.left, k.bottom, k.right);
        window_->Paste();
        if (k.message) {
            ASSERT_EQ(g_messages.size(), 1u);
            EXPECT_EQ(g_messages[0].text, k.message);
            EXPECT_EQ(grid_->GetCellValue(k.top, k.left), "");
        } else {
            EXPECT_TRUE(g_messages.empty());
            EXPECT_EQ(grid_->GetCellValue(k.top, k.left), "a");
            EXPECT_EQ(grid_->GetCellValue(k.top + 1, k.left + 2), "d");
        }
    }

    // Text without a final line break, and a paste into separated cells.
    SetClipboardText("x\ty");
    grid_->ClearSelection();
    grid_->SetGridCursor(3, 0);
    window_->Paste();
    EXPECT_EQ(RowTexts(3)[1], "y");
    g_messages.clear();
    grid_->ClearSelection();
    grid_->SelectBlock(0, 0, 0, 0);
    grid_->SelectBlock(0, 2, 0, 2, true);
    window_->Paste();
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].text, "Error: Command cannot be executed\non separated cells.");

    // Cut empties the block it copied.
    grid_->ClearSelection();
    grid_->SelectBlock(3, 0, 3, 1);
    SendCommand(window_, kIdInputCut);
    EXPECT_EQ(ClipboardText(), "x\ty\r\n");
    EXPECT_EQ(RowTexts(3)[0], "");
    EXPECT_EQ(RowTexts(3)[1], "");
}

TEST_F(InputTest, ExtraKeysRunTheirCommands) {
    auto press = [this](int key, bool shift, bool control) {
        wxKeyEvent event(wxEVT_CHAR_HOOK);
        event.m_keyCode = key;
        event.m_shiftDown = shift;
        event.m_controlDown = control;
        event.SetEventObject(window_);
        window_->ProcessWindowEvent(event);
    };
    SetRow(0, {"a", "1"});
    grid_->SetGridCursor(0, 0);
    press(WXK_INSERT, false, true); // Copy
    EXPECT_EQ(ClipboardText(), "a\r\n");
    press(WXK_DELETE, false, false); // Delete
    EXPECT_EQ(grid_->GetCellValue(0, 0), "");
    grid_->SetGridCursor(2, 0);
    press(WXK_INSERT, true, false); // Paste
    EXPECT_EQ(grid_->GetCellValue(2, 0), "a");
    grid_->ClearSelection(); // the paste selected what it wrote
    grid_->SetGridCursor(0, 1);
    press(WXK_DELETE, true, false); // Cut
    EXPECT_EQ(ClipboardText(), "1\r\n");
    EXPECT_EQ(grid_->GetCellValue(0, 1), "");
    press(WXK_F12, true, false); // Apply
    EXPECT_EQ(doc_->Data().match(2).name, "a");
    EXPECT_TRUE(FindInputWindow(doc_));
    grid_->SetCellValue(1, 0, "b");
    press(WXK_F12, false, false); // Apply and Close
    EXPECT_EQ(doc_->Data().match(1).name, "b");
    EXPECT_EQ(FindInputWindow(doc_), nullptr);
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(InputTest, CloseAsksOnlyAboutRealChanges) {
    // An edit typed back to its old text asks nothing.
    grid_->SetCellValue(0, 0, "typed");
    grid_->SetCellValue(0, 0, "");
    wxWeakRef<InputWindow> weak(window_);
    EXPECT_TRUE(window_->CloseCommand());
    wxTheApp->ProcessIdle();
    EXPECT_TRUE(g_messages.empty());
    EXPECT_FALSE(weak);

    // Cancel keeps the window; Yes applies and closes.
    window_ = OpenInputWindow(doc_);
    weak = window_;
    window_->Grid()->SetCellValue(0, 0, "Match");
    g_answer = wxCANCEL;
    EXPECT_FALSE(window_->CloseCommand());
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].text, "Data were changed!\nApply the changes?");
    EXPECT_EQ(g_messages[0].title, window_->GetTitle());
    EXPECT_TRUE(weak);

    // The document's close: Cancel keeps it open with its window.
    EXPECT_FALSE(doc_->Close());
    EXPECT_TRUE(weak);

    g_answer = wxYES;
    EXPECT_TRUE(window_->CloseCommand());
    wxTheApp->ProcessIdle();
    EXPECT_FALSE(weak);
    EXPECT_EQ(doc_->Data().match(0).name, "Match");
}

TEST_F(InputTest, RowsFollowTheNumberOfMatches) {
    SendCommand(window_, kIdInputApply);
    SetRow(3, {"Shown"});
    ASSERT_TRUE(window_->Apply());
    doc_->Data().setMatchCount(2);
    window_->MatchCountChanged();
    EXPECT_EQ(grid_->GetNumberRows(), 2);
    doc_->Data().setMatchCount(5);
    window_->MatchCountChanged();
    ASSERT_EQ(grid_->GetNumberRows(), 5);
    EXPECT_EQ(grid_->GetCellValue(3, 0), "Shown");
    EXPECT_EQ(grid_->GetCellBackgroundColour(4, 4), wxColour(107, 35, 142));
}

// A long match name widens the Matches column at Apply; the window grows so
// that the Notes column stays in sight.
TEST_F(InputTest, ApplyWithALongNameKeepsTheNotesColumnInSight) {
    Settle(200);
    const int notes = grid_->GetNumberCols() - 1;
    auto notesEnd = [&] {
        int end = grid_->GetRowLabelSize();
        for (int c = 0; c <= notes; ++c) end += grid_->GetColSize(c);
        return end;
    };
    ASSERT_LE(notesEnd(), grid_->GetClientSize().x);
    const int widthBefore = window_->GetSize().x;

    SetRow(0, {"Borussia Moenchengladbach II against Rot-Weiss Oberhausen after extra time"});
    ASSERT_TRUE(window_->Apply());
    Settle(300);
    EXPECT_GT(grid_->GetColSize(0), 300) << grid_->GetCellValue(0, 0);
    EXPECT_GT(window_->GetSize().x, widthBefore);
    EXPECT_LE(notesEnd(), grid_->GetClientSize().x) << "Notes ends at " << notesEnd();
    SaveScreenshot("input-window-long-name");
}

// The titles of the document's windows follow its name and modified mark,
// and the status of its last calculation goes when it closes.
TEST_F(InputTest, TitlesFollowTheDocumentAndTheStatusGoesWithIt) {
    for (int m = 0; m < 4; ++m) {
        doc_->Data().match(m).chances = {450, 250};
        vdx::UpdateProbabilities(doc_->Data().match(m));
    }
    doc_->Data().rounds = 1;
    doc_->Data().unsuccessfulTries = 5;
    doc_->Modify(false);
    wxTheApp->ProcessIdle();
    OptionsDialog* options = ShowDocumentOptions(doc_);
    ASSERT_NE(options, nullptr);
    ASSERT_TRUE(RouteDocumentCommand(doc_, kIdCalculate));
    CalculationWindow* calc = FindCalculationWindow(doc_);
    ASSERT_NE(calc, nullptr);
    wxWindow* optionsFrame = options->GetParent();
    auto titles = [&] {
        wxTheApp->ProcessIdle();
        return std::vector<std::string>{window_->GetTitle().utf8_string(), optionsFrame->GetLabel().utf8_string(),
                                        calc->GetTitle().utf8_string()};
    };
    const std::string name = doc_->GetUserReadableName().utf8_string();
    EXPECT_EQ(titles(), (std::vector<std::string>{name + "*: Matches, Chances, Odds", name + "*: Options",
                                                name + "*: Calculation of Distribution"}));

    const wxString target = wxString((dir_ / "renamed.vdx").string());
    vdx::gui::SetSaveFileHandler([&](const wxString&, const wxString&) { return target; });
    const bool saved = doc_->SaveAs();
    vdx::gui::SetSaveFileHandler({});
    ASSERT_TRUE(saved);
    EXPECT_EQ(titles(), (std::vector<std::string>{"renamed.vdx: Matches, Chances, Odds", "renamed.vdx: Options",
                                                "renamed.vdx: Calculation of Distribution"}));
    doc_->Modify(true);
    EXPECT_EQ(titles()[0], "renamed.vdx*: Matches, Chances, Odds");
    EXPECT_EQ(titles()[2], "renamed.vdx*: Calculation of Distribution");

    wxStatusBar* status = Main().GetStatusBar();
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(status->GetStatusText(0).StartsWith("Last calculation: time spent: "));
    doc_->Modify(false);
    ASSERT_TRUE(Manager().CloseDocument(doc_, false));
    doc_ = nullptr;
    EXPECT_EQ(status->GetStatusText(0).utf8_string(), "");
}

} // namespace

int main(int argc, char** argv) {
    const WindowManager manager;
    return RunGuiTests(argc, argv);
}
