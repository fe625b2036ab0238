// The frames of the running application under a virtual display: menus and
// toolbars of the three kinds of frame, enabling, keys, example, language
// choice, window list, child frames and the checks before quitting.

#include "Desktop.h"
#include "GuiTestSupport.h"

#include "app/FileChooser.h"
#include "controls/Sound.h"
#include "document/VdxFile.h"
#include "frame/AboutDialog.h"
#include "frame/CommandIds.h"
#include "frame/FrameCommands.h"
#include "frame/KeyMap.h"
#include "frame/LanguageDialog.h"
#include "frame/MenuBuilder.h"
#include "frame/PoolsChildFrame.h"
#include "frame/WindowList.h"
#include "windows/InputWindow.h"

#include <gtest/gtest.h>

#include <wx/accel.h>
#include <wx/grid.h>
#include <wx/display.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/radiobox.h>
#include <wx/stattext.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace vdx::gui;
using namespace vdx::guitest;

namespace {

bool HasMessage(const wxString& text) {
    for (const Message& m : g_messages)
        if (m.text == text && m.title == "VendrixPlanner") return true;
    return false;
}

void WriteDocument(const fs::path& path, const std::string& firstMatch = "Alpha - Beta") {
    vdx::PoolsDocument doc;
    doc.match(0).name = firstMatch;
    ASSERT_TRUE(vdx::SaveVdxFile(path.string(), doc).ok) << path;
}

// Lines as a calculation leaves them: 25 lines, 12 per ticket (three tickets).
void GiveTips(VdxDocument* doc) {
    vdx::PoolsDocument& data = doc->Data();
    data.linesPerTicket = 12;
    data.hasTips = true;
    data.tipsUpToDate = true;
    data.tipLineCount = 25;
    data.tipMatchCount = data.matchCount;
    for (int m = 0; m < data.matchCount; ++m) {
        data.match(m).hasTips = true;
        data.match(m).tips.assign(vdx::kMaxLines, vdx::kTip1);
    }
}

class FrameTest : public AppTest {
protected:
    void SetUp() override {
        savedProgramDir_ = App().ProgramDir();
        AppTest::SetUp();
    }
    void TearDown() override {
        AppTest::TearDown();
        App().SetProgramDir(savedProgramDir_);
        App().Config().ticketFormat.clear();
    }
    wxString savedProgramDir_;
};

// ---------------------------------------------------------------------------
// Menus: the table every frame kind is built from.

// Which frames show an entry.
enum Mask : int {
    kMainSingle = 1,
    kMainMulti = 2,
    kPoolsChild = 4,
    kTextChild = 8,
    kAll = 15,
    kDocumentFrames = kMainSingle | kPoolsChild | kTextChild, // document commands
    kPoolsFrames = kMainSingle | kPoolsChild,                // pools document commands
    kMainFrames = kMainSingle | kMainMulti,
};

struct Row {
    int id; // wxID_SEPARATOR for a separator
    const char* label;
    const char* help;
    int mask;
    int accelFlags; // expected parse of the accelerator; key 0: none
    int accelKey;
};

struct MenuRows {
    const char* title;
    int mask;
    std::vector<Row> rows;
};

Row Sep(int mask) { return {wxID_SEPARATOR, "", "", mask, 0, 0}; }

const std::vector<MenuRows>& ExpectedMenus() {
    static const std::vector<MenuRows> menus = {
        {"&File", kAll,
         {
             {wxID_NEW, "&New\tCtrl+N", "creates a new, empty document (Ctrl+N)", kAll,
              wxACCEL_CTRL, 'N'},
             {wxID_OPEN, "&Open...\tCtrl+O", "opens an existing document (Ctrl+O, Ctrl+F12)", kAll,
              wxACCEL_CTRL, 'O'},
             {wxID_CLOSE, "&Close File\tCtrl+F4",
              "prompts you to save changes and closes the active document (Ctrl+F4)", kMainSingle,
              wxACCEL_CTRL, WXK_F4},
             {wxID_CLOSE, "&Close File\tCtrl+F4",
              "prompts you to save changes and closes the active document (Ctrl+F4, Alt+F4)",
              kPoolsChild | kTextChild, wxACCEL_CTRL, WXK_F4},
             {wxID_SAVE, "&Save\tCtrl+S",
              "saves the active document using the same filename (Ctrl+S, Shift+F12)",
              kDocumentFrames, wxACCEL_CTRL, 'S'},
             {wxID_SAVEAS, "Save &As...\tCtrl+U",
              "saves the active document to a specified file name (Ctrl+U, F12)", kDocumentFrames,
              wxACCEL_CTRL, 'U'},
             Sep(kDocumentFrames),
             {kIdImportText, "&Import Text File...",
              "creates a new document and imports data of a text file", kAll, 0, 0},
             {kIdSaveAsText, "Save as &Text File...", "saves the current distribution as a text file",
              kPoolsFrames, 0, 0},
             Sep(kPoolsFrames),
             {wxID_PRINT, "&Print (DIN A4)...\tCtrl+P", "prints the document (Ctrl+P)", kPoolsFrames,
              wxACCEL_CTRL, 'P'},
             {wxID_PRINT_SETUP, "P&rint Setup...\tCtrl+R", "changes the printing options (Ctrl+R)",
              kPoolsFrames, wxACCEL_CTRL, 'R'},
             {wxID_PREVIEW, "Print Pre&view\tCtrl+H",
              "displays the document on the screen as it would appear printed (Ctrl+H)",
              kPoolsFrames, wxACCEL_CTRL, 'H'},
             Sep(kMainFrames),
             {wxID_EXIT, "E&xit\tAlt+F4", "prompts you to save changes and quits the application (Alt+F4)",
              kMainFrames, wxACCEL_ALT, WXK_F4},
         }},
        {"&Edit", kPoolsFrames,
         {
             {kIdOptions, "&Options...\tCtrl+T",
              "specifies the settings for the active document (Ctrl+T)", kPoolsFrames, wxACCEL_CTRL,
              'T'},
             {kIdInput, "&Input...\tCtrl+I",
              "opens a window for the input of the matches, results, chances and odds (Ctrl+I)",
              kPoolsFrames, wxACCEL_CTRL, 'I'},
             Sep(kPoolsFrames),
             {kIdCalculate, "&Calculate\tCtrl+B",
              "calculates the optimal distribution of the tips (Ctrl+B)", kPoolsFrames, wxACCEL_CTRL,
              'B'},
             {kIdStatistics, "&Statistics\tCtrl+A",
              "display statistic information of the calculated tips (Ctrl+A)", kPoolsFrames,
              wxACCEL_CTRL, 'A'},
         }},
        {"E&xtras", kPoolsFrames,
         {
             {kIdConditions, "Con&ditions...\tCtrl+D", "specifies conditions for each line (Ctrl+D)",
              kPoolsFrames, wxACCEL_CTRL, 'D'},
             {kIdCharts, "&Charts\tShift+Ctrl+D",
              "displays how the current tips comply with the conditions (Shift+Ctrl+D)",
              kPoolsFrames, wxACCEL_CTRL | wxACCEL_SHIFT, 'D'},
         }},
        {"&View", kPoolsFrames,
         {
             {kIdNextTicket, "Next Ticket\tPgDn", "displays the next ticket (PgDn, Ctrl+\"+\", \"+\")",
              kPoolsFrames, wxACCEL_NORMAL, WXK_PAGEDOWN},
             {kIdPreviousTicket, "Previous Ticket\tPgUp",
              "displays the previous ticket (PgUp, Ctrl+\"-\", \"-\")", kPoolsFrames, wxACCEL_NORMAL,
              WXK_PAGEUP},
             {kIdLastTicket, "Last Ticket\tCtrl+PgDn",
              "displays the last ticket (Ctrl+PgDn, End, Alt+Ctrl+\"+\")", kPoolsFrames,
              wxACCEL_CTRL, WXK_PAGEDOWN},
             {kIdFirstTicket, "First Ticket\tCtrl+PgUp",
              "displays the first ticket (Ctrl+PgUp, Home, Alt+Ctrl+\"-\")", kPoolsFrames,
              wxACCEL_CTRL, WXK_PAGEUP},
             Sep(kPoolsFrames),
             {kIdNextLine, "Next Line\tSpace",
              "highlights the next line (Space, right arrow key, down arrow key, Ctrl+\".\", \".\")",
              kPoolsFrames, wxACCEL_NORMAL, WXK_SPACE},
             {kIdPreviousLine, "Previous Line\tCtrl+Space",
              "highlights the previous line (Ctrl+Space, left arrow key, up arrow key, Ctrl+\",\", "
              "\",\")",
              kPoolsFrames, wxACCEL_CTRL, WXK_SPACE},
             {kIdStopHighlighting, "Stop Highlighting\tEsc",
              "stops highlighting the lines (Ctrl+Delete, Delete, Esc)", kPoolsFrames,
              wxACCEL_NORMAL, WXK_ESCAPE},
         }},
        {"&Ticket", kMainFrames | kPoolsChild,
         {
             {kIdPrintTickets, "&Print Tickets...\tCtrl+G",
              "prints the tickets using the current format (Ctrl+G) - Take care and read help first!",
              kPoolsFrames, wxACCEL_CTRL, 'G'},
             Sep(kMainSingle),
             {kIdSelectFormat, "Select &Format\tCtrl+F",
              "lets you select the format used to print tickets (Ctrl+F)", kMainFrames,
              wxACCEL_CTRL, 'F'},
             {kIdFormatEditor, "Format &Editor\tCtrl+E", "starts the format editor (Ctrl+E)",
              kMainFrames, wxACCEL_CTRL, 'E'},
         }},
        {"&Preferences", kMainFrames,
         {
             {kIdLanguage, "&Language", "lets you select the language that the application shall use",
              kMainFrames, 0, 0},
             Sep(kMainFrames),
             {kIdDefaultOptions, "Default &Options",
              "specifies the settings used for new documents and as default values", kMainFrames, 0,
              0},
             {kIdDefaultConditions, "Default &Conditions",
              "specifies the conditions used for new documents and as default values", kMainFrames,
              0, 0},
             {kIdMoreOptions, "&More Options", "sets permanent settings for the application",
              kMainFrames, 0, 0},
         }},
        {"&Window", kAll,
         {
             {kIdWindowMinimize, "&Minimize\tCtrl+M", "", kAll, wxACCEL_CTRL, 'M'},
             {kIdWindowMinimizeAll, "Minimize &All", "", kAll, 0, 0},
             {kIdWindowZoom, "&Zoom", "", kAll, 0, 0},
             Sep(kAll),
             {kIdWindowClose, "&Close\tCtrl+W", "", kAll, wxACCEL_CTRL, 'W'},
             {kIdWindowNext, "&Next Window\tCtrl+1", "", kAll, wxACCEL_CTRL, '1'},
             Sep(kAll),
         }},
        {"&Help", kAll,
         {
             {wxID_HELP_CONTENTS, "&Help (Topics)\tF1", "displays the opening screen of Help (F1)",
              kAll, wxACCEL_NORMAL, WXK_F1},
             {kIdExample, "&Example", "opens an exemplary file", kAll, 0, 0},
             {kIdShowLog, "&Log\tCtrl+L", "display the steps of the session so far (Ctrl+L)",
              kMainFrames, wxACCEL_CTRL, 'L'},
             {kIdShowLog, "&Log\tCtrl+L", "display the steps of the session so far",
              kPoolsChild | kTextChild, wxACCEL_CTRL, 'L'},
             {wxID_ABOUT, "&About", "displays program information", kAll, 0, 0},
         }},
    };
    return menus;
}

struct FrameCase {
    const char* name;
    FrameKind kind;
    bool single;
    int mask;
};

const std::vector<FrameCase>& FrameCases() {
    static const std::vector<FrameCase> cases = {
        {"main frame, one document", FrameKind::Main, true, kMainSingle},
        {"main frame, several documents", FrameKind::Main, false, kMainMulti},
        {"pools document frame", FrameKind::PoolsChild, false, kPoolsChild},
        {"text document frame", FrameKind::TextChild, false, kTextChild},
    };
    return cases;
}

std::string Describe(int id, const wxString& label, const wxString& help) {
    if (id == wxID_SEPARATOR) return "----";
    return std::to_string(id) + " | " + label.utf8_string() + " | " + help.utf8_string();
}

TEST_F(FrameTest, MenusOfEveryFrameKindFollowTheTable) {
    for (const FrameCase& c : FrameCases()) {
        SCOPED_TRACE(c.name);
        MenuOptions options;
        options.single = c.single;
        std::unique_ptr<wxMenuBar> bar(BuildMenuBar(c.kind, options));

        std::vector<std::string> expectedTitles, actualTitles;
        for (const MenuRows& menu : ExpectedMenus())
            if (menu.mask & c.mask) expectedTitles.push_back(menu.title);
        for (size_t i = 0; i < bar->GetMenuCount(); ++i)
            actualTitles.push_back(bar->GetMenuLabel(i).utf8_string());
        ASSERT_EQ(actualTitles, expectedTitles);

        size_t menuIndex = 0;
        for (const MenuRows& menuRows : ExpectedMenus()) {
            if (!(menuRows.mask & c.mask)) continue;
            SCOPED_TRACE(menuRows.title);
            wxMenu* menu = bar->GetMenu(menuIndex++);
            std::vector<std::string> expected, actual;
            for (const Row& row : menuRows.rows)
                if (row.mask & c.mask) expected.push_back(Describe(row.id, row.label, row.help));
            for (wxMenuItem* item : menu->GetMenuItems())
                actual.push_back(Describe(item->IsSeparator() ? wxID_SEPARATOR : item->GetId(),
                                          item->GetItemLabel(), item->GetHelp()));
            EXPECT_EQ(actual, expected);

            // The accelerators are understood as the keys they name.
            for (const Row& row : menuRows.rows) {
                if (!(row.mask & c.mask) || row.accelKey == 0) continue;
                wxMenuItem* item = menu->FindChildItem(row.id);
                ASSERT_NE(item, nullptr) << row.label;
                std::unique_ptr<wxAcceleratorEntry> accel(item->GetAccel());
                ASSERT_NE(accel, nullptr) << row.label;
                EXPECT_EQ(accel->GetKeyCode(), row.accelKey) << row.label;
                EXPECT_EQ(accel->GetFlags(), row.accelFlags) << row.label;
            }
        }
    }
}

TEST_F(FrameTest, PrintTicketsNamesTheSelectedFormat) {
    EXPECT_EQ(PrintTicketsLabel(""), "&Print Tickets...\tCtrl+G");
    EXPECT_EQ(PrintTicketsLabel("/home/user/formats/Toto A.vdf"), "&Print Tickets (Toto A)...\tCtrl+G");

    App().SetTicketFormatFile("/home/user/formats/Weekly.vdf");
    EXPECT_EQ(Main().GetMenuBar()->GetLabel(kIdPrintTickets), "&Print Tickets (Weekly)...\tCtrl+G");
    App().SetTicketFormatFile("");
    EXPECT_EQ(Main().GetMenuBar()->GetLabel(kIdPrintTickets), "&Print Tickets...\tCtrl+G");
}

// The toolbar: the pictured items in menu order, with the separators between groups.
TEST_F(FrameTest, ToolbarsHoldThePicturedItemsInGroups) {
    constexpr int S = wxID_SEPARATOR;
    struct Case {
        FrameKind kind;
        bool single;
        std::vector<int> tools;
    };
    const std::vector<Case> cases = {
        {FrameKind::Main, true,
         {wxID_NEW, wxID_OPEN, wxID_SAVE, S, wxID_PRINT, wxID_PREVIEW, S, wxID_EXIT, S, kIdOptions,
          kIdInput, S, kIdCalculate, kIdStatistics, S, kIdNextTicket, kIdPreviousTicket,
          kIdLastTicket, kIdFirstTicket, S, kIdNextLine, kIdPreviousLine, S, kIdPrintTickets}},
        {FrameKind::Main, false, {wxID_NEW, wxID_OPEN, S, wxID_EXIT}},
        {FrameKind::PoolsChild, false,
         {wxID_NEW, wxID_OPEN, wxID_SAVE, S, wxID_PRINT, wxID_PREVIEW, S, kIdOptions, kIdInput, S,
          kIdCalculate, kIdStatistics, S, kIdNextTicket, kIdPreviousTicket, kIdLastTicket,
          kIdFirstTicket, S, kIdNextLine, kIdPreviousLine, S, kIdPrintTickets}},
        {FrameKind::TextChild, false, {wxID_NEW, wxID_OPEN, wxID_SAVE}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind) * 10 + c.single);
        auto* frame = new wxFrame(nullptr, wxID_ANY, "tools");
        MenuOptions options;
        options.single = c.single;
        wxToolBar* toolBar = BuildToolBar(frame, c.kind, options);
        ASSERT_NE(toolBar, nullptr);
        std::vector<int> tools;
        for (size_t i = 0; i < toolBar->GetToolsCount(); ++i) {
            const wxToolBarToolBase* tool = toolBar->GetToolByPos(static_cast<int>(i));
            tools.push_back(tool->IsSeparator() ? S : tool->GetId());
            if (!tool->IsSeparator()) {
                EXPECT_TRUE(tool->GetNormalBitmap().IsOk()) << tool->GetId();
            }
        }
        EXPECT_EQ(tools, c.tools);
        // The short help is the menu label without its mnemonic.
        const wxToolBarToolBase* open = toolBar->FindById(wxID_OPEN);
        ASSERT_NE(open, nullptr);
        EXPECT_EQ(open->GetShortHelp(), "Open...");
        delete frame;
    }
}

// GTK hides what does not fit behind an overflow arrow; at its first size
// the frame shows the toolbar whole, on a screen 1280 pixels wide.
TEST_F(FrameTest, EveryToolShowsAtTheDefaultSize) {
    const wxRect screen = wxDisplay(0u).GetClientArea();
    ASSERT_GE(screen.width, 1280) << "the test needs a screen 1280 pixels wide";
    auto check = [&](wxFrame* frame, const char* what) {
        SCOPED_TRACE(what);
        frame->Show();
        wxToolBar* toolBar = frame->GetToolBar();
        ASSERT_NE(toolBar, nullptr);
        ASSERT_TRUE(SettleUntil([&] { return toolBar->IsShownOnScreen() && toolBar->GetSize().x > 0; }));
        SettleUntil([] { return false; }, 100);
        // The best width is the sum of the tools, without the arrow.
        const int allTools = toolBar->GetBestSize().x;
        EXPECT_GT(allTools, 18 * 16);
        EXPECT_GE(toolBar->GetSize().x, allTools) << "some tools are behind the overflow arrow";
        EXPECT_GE(frame->GetSize().x, 550);
        EXPECT_LE(frame->GetSize().x, screen.width);
    };
    {
        // The program's own main frame as the start makes it.
        auto* frame = new MainFrame(&Manager(), 14, CurrentMenuOptions());
        check(frame, "main frame");
        Manager().FileHistoryRemoveMenu(frame->GetMenuBar()->GetMenu(0));
        frame->Destroy();
    }
    for (FrameKind kind : {FrameKind::Main, FrameKind::PoolsChild}) {
        auto* frame = new wxFrame(nullptr, wxID_ANY, "tools", wxDefaultPosition, wxSize(550, 500));
        MenuOptions options;
        options.single = kind == FrameKind::Main;
        BuildToolBar(frame, kind, options);
        check(frame, kind == FrameKind::Main ? "main kind" : "pools child kind");
        frame->Destroy();
    }
    wxTheApp->ProcessIdle();
}

// The running main frame in single-document mode, without and with a document.
TEST_F(FrameTest, CommandsAreEnabledByTheDocumentAndItsLines) {
    const std::vector<int> disabledWithoutDocument = {
        wxID_CLOSE, wxID_SAVE, wxID_SAVEAS, kIdSaveAsText, wxID_PRINT, wxID_PREVIEW, kIdOptions,
        kIdInput, kIdCalculate, kIdStatistics, kIdConditions, kIdCharts, kIdNextTicket,
        kIdPreviousTicket, kIdLastTicket, kIdFirstTicket, kIdNextLine, kIdPreviousLine,
        kIdStopHighlighting, kIdPrintTickets, kIdWindowClose};
    const std::vector<int> enabledWithoutDocument = {
        wxID_NEW, wxID_OPEN, kIdImportText, wxID_EXIT, kIdSelectFormat, kIdFormatEditor,
        kIdLanguage, kIdDefaultOptions, kIdDefaultConditions, kIdMoreOptions, kIdWindowMinimize,
        kIdWindowMinimizeAll, kIdWindowZoom, kIdWindowNext, wxID_HELP_CONTENTS, kIdExample,
        kIdShowLog, wxID_ABOUT};
    Main().UpdateWindowUI();
    wxMenuBar* bar = Main().GetMenuBar();
    wxToolBar* toolBar = Main().GetToolBar();
    for (int id : disabledWithoutDocument) {
        EXPECT_FALSE(bar->IsEnabled(id)) << id;
        if (toolBar->FindById(id)) {
            EXPECT_FALSE(toolBar->GetToolEnabled(id)) << id;
        }
    }
    for (int id : enabledWithoutDocument) {
        EXPECT_TRUE(bar->IsEnabled(id)) << id;
        if (toolBar->FindById(id)) {
            EXPECT_TRUE(toolBar->GetToolEnabled(id)) << id;
        }
    }

    // A document without lines: its windows are offered, paging and charts are not.
    const fs::path path = dir_ / "round.vdx";
    WriteDocument(path);
    VdxDocument* doc = Open(path);
    ASSERT_NE(doc, nullptr);
    struct Expect {
        int id;
        bool withoutLines, withLines;
    };
    const std::vector<Expect> expectations = {
        {kIdInput, true, true},          {kIdOptions, true, true},
        {kIdConditions, true, true},     {kIdStatistics, true, true},
        {kIdCalculate, true, true},      {kIdCharts, false, true},
        {kIdNextTicket, false, true},    {kIdFirstTicket, false, true},
        {kIdNextLine, false, true},      {kIdPreviousLine, false, true},
        {kIdStopHighlighting, false, false}, {kIdSaveAsText, false, true},
        {wxID_SAVE, false, false},       {wxID_SAVEAS, true, true},
        {kIdPrintTickets, false, false}, // no ticket format selected
    };
    for (const Expect& e : expectations) EXPECT_EQ(IsEnabledIn(&Main(), e.id), e.withoutLines) << e.id;
    GiveTips(doc);
    for (const Expect& e : expectations) EXPECT_EQ(IsEnabledIn(&Main(), e.id), e.withLines) << e.id;

    // Save follows the modified state; Print Tickets needs a selected format.
    doc->MarkChanged();
    EXPECT_TRUE(IsEnabledIn(&Main(), wxID_SAVE));
    App().Config().ticketFormat = (dir_ / "format.vdf").string();
    EXPECT_TRUE(IsEnabledIn(&Main(), kIdPrintTickets));
    doc->Data().hasTips = false;
    EXPECT_FALSE(IsEnabledIn(&Main(), kIdPrintTickets));
    // A running calculation refuses a second one.
    doc->Data().calculationRunning = true;
    EXPECT_FALSE(IsEnabledIn(&Main(), kIdCalculate));
}

// ---------------------------------------------------------------------------
// Keys outside the menus.

TEST(KeyMapTest, KeysGiveTheirCommands) {
    struct Case {
        int key, modifiers;
        int inTicketFrame, inTextFrame;
    };
    const int ctrlAlt = wxMOD_CONTROL | wxMOD_ALT;
    const std::vector<Case> cases = {
        {WXK_F12, wxMOD_NONE, wxID_SAVEAS, wxID_SAVEAS},
        {WXK_F12, wxMOD_SHIFT, wxID_SAVE, wxID_SAVE},
        {WXK_F12, wxMOD_CONTROL, wxID_OPEN, wxID_OPEN},
        {WXK_F12, wxMOD_ALT, 0, 0},
        {'+', wxMOD_NONE, kIdNextTicket, 0},
        {'+', wxMOD_SHIFT, kIdNextTicket, 0}, // shift may be needed to type it
        {'+', wxMOD_CONTROL, kIdNextTicket, 0},
        {WXK_NUMPAD_ADD, wxMOD_NONE, kIdNextTicket, 0},
        {'+', ctrlAlt, kIdLastTicket, 0},
        {WXK_NUMPAD_ADD, ctrlAlt, kIdLastTicket, 0},
        {'+', wxMOD_ALT, 0, 0},
        {'-', wxMOD_NONE, kIdPreviousTicket, 0},
        {WXK_NUMPAD_SUBTRACT, wxMOD_CONTROL, kIdPreviousTicket, 0},
        {'-', ctrlAlt, kIdFirstTicket, 0},
        {WXK_END, wxMOD_NONE, kIdLastTicket, 0},
        {WXK_END, wxMOD_CONTROL, 0, 0},
        {WXK_HOME, wxMOD_NONE, kIdFirstTicket, 0},
        {'.', wxMOD_NONE, kIdNextLine, 0},
        {'.', wxMOD_CONTROL, kIdNextLine, 0},
        {WXK_RIGHT, wxMOD_NONE, kIdNextLine, 0},
        {WXK_DOWN, wxMOD_NONE, kIdNextLine, 0},
        {WXK_DOWN, wxMOD_SHIFT, 0, 0},
        {' ', wxMOD_NONE, kIdNextLine, 0},
        {' ', wxMOD_SHIFT, 0, 0},
        {' ', wxMOD_CONTROL, 0, 0}, // the menu's Previous Line
        {',', wxMOD_NONE, kIdPreviousLine, 0},
        {',', wxMOD_CONTROL, kIdPreviousLine, 0},
        {WXK_LEFT, wxMOD_NONE, kIdPreviousLine, 0},
        {WXK_UP, wxMOD_NONE, kIdPreviousLine, 0},
        {WXK_DELETE, wxMOD_NONE, kIdStopHighlighting, 0},
        {WXK_DELETE, wxMOD_CONTROL, kIdStopHighlighting, 0},
        {'a', wxMOD_NONE, 0, 0},
        {WXK_PAGEDOWN, wxMOD_NONE, 0, 0}, // a menu accelerator, not the key map's
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyMapCommand(c.key, c.modifiers, true), c.inTicketFrame)
            << c.key << " mods " << c.modifiers;
        EXPECT_EQ(KeyMapCommand(c.key, c.modifiers, false), c.inTextFrame)
            << c.key << " mods " << c.modifiers;
    }
}

TEST_F(FrameTest, KeysReachTheFrameOnlyWhenTheirCommandIsEnabled) {
    CommandRecorder recorder(&Main());
    // Without a document the ticket keys are passed on; F12 variants still work.
    EXPECT_FALSE(ApplyKeyMap(&Main(), CharEvent('+'), true));
    EXPECT_TRUE(ApplyKeyMap(&Main(), CharEvent(WXK_F12, true), true));
    EXPECT_EQ(recorder.ids, std::vector<int>{wxID_OPEN});

    const fs::path path = dir_ / "round.vdx";
    WriteDocument(path);
    VdxDocument* doc = Open(path);
    ASSERT_NE(doc, nullptr);
    GiveTips(doc);
    recorder.ids.clear();
    EXPECT_TRUE(ApplyKeyMap(&Main(), CharEvent('+'), true));
    EXPECT_TRUE(ApplyKeyMap(&Main(), CharEvent('+', true, true), true));
    EXPECT_TRUE(ApplyKeyMap(&Main(), CharEvent(WXK_LEFT), true));
    EXPECT_FALSE(ApplyKeyMap(&Main(), CharEvent(WXK_DELETE), true)); // nothing highlighted
    EXPECT_FALSE(ApplyKeyMap(&Main(), CharEvent('q'), true));
    EXPECT_EQ(recorder.ids, (std::vector<int>{kIdNextTicket, kIdLastTicket, kIdPreviousLine}));
}

// The desktop's keys and the program's own, pressed on the keyboard while the
// ticket view has the focus.
TEST_F(FrameTest, DesktopKeysWorkBesideTheProgramsOwn) {
    const fs::path path = dir_ / "keys.vdx";
    WriteDocument(path);
    VdxDocument* doc = Open(path);
    ASSERT_NE(doc, nullptr);
    GiveTips(doc);
    doc->Modify(true); // Save is enabled only for a changed document
    Main().Show();
    Main().Raise();
    wxWindow* canvas = Main().Canvas()->GetChildren().empty() ? Main().Canvas() : Main().Canvas()->GetChildren()[0];
    canvas->SetFocus();
    ASSERT_TRUE(SettleUntil([&] { return wxWindow::FindFocus() == canvas; })) << "no focus in the main frame";
    // Without a window manager the keyboard follows the pointer.
    wxUIActionSimulator().MouseMove(canvas->GetScreenRect().GetPosition() + wxPoint(5, 5));
    SettleUntil([] { return false; }, 100);

    struct Key {
        const char* what;
        int key, modifiers;
        int command;
    };
    const std::vector<Key> keys = {
        {"Ctrl+Q", 'q', wxMOD_CONTROL, wxID_EXIT},
        {"Shift+Ctrl+S", 's', wxMOD_CONTROL | wxMOD_SHIFT, wxID_SAVEAS},
        {"Alt+F4", WXK_F4, wxMOD_ALT, wxID_EXIT},
        {"Ctrl+U", 'u', wxMOD_CONTROL, wxID_SAVEAS},
        {"Ctrl+S", 's', wxMOD_CONTROL, wxID_SAVE},
        {"F12", WXK_F12, wxMOD_NONE, wxID_SAVEAS},
        {"Shift+F12", WXK_F12, wxMOD_SHIFT, wxID_SAVE},
    };
    wxUIActionSimulator keyboard;
    for (const Key& k : keys) {
        CommandRecorder recorder(&Main()); // the commands are recorded, not run
        keyboard.Char(k.key, k.modifiers);
        EXPECT_TRUE(SettleUntil([&] { return !recorder.ids.empty(); })) << k.what << " gave no command";
        SettleUntil([] { return false; }, 50);
        EXPECT_EQ(recorder.ids, std::vector<int>{k.command}) << k.what;
    }
    EXPECT_EQ(DesktopKeyCommand('Q', wxMOD_CONTROL | wxMOD_ALT), 0);
    EXPECT_EQ(DesktopKeyCommand('Q', wxMOD_NONE), 0);
}

// Escape closes the input window as its Close command does: at once when
// nothing changed, after asking when something did.
TEST_F(FrameTest, EscapeClosesTheInputWindowAskingAsCloseDoes) {
    const fs::path path = dir_ / "input.vdx";
    WriteDocument(path);
    VdxDocument* doc = Open(path);
    ASSERT_NE(doc, nullptr);
    wxUIActionSimulator keyboard;
    auto pressEscapeIn = [&](InputWindow* window) {
        window->Raise();
        window->Grid()->SetFocus();
        EXPECT_TRUE(SettleUntil([&] { return wxWindow::FindFocus() && wxGetTopLevelParent(wxWindow::FindFocus()) == window; }))
            << "no focus in the input window";
        // Without a window manager the keyboard follows the pointer.
        keyboard.MouseMove(window->Grid()->GetScreenRect().GetPosition() + wxPoint(5, 5));
        SettleUntil([] { return false; }, 100);
        keyboard.Char(WXK_ESCAPE);
    };

    SendCommand(&Main(), kIdInput);
    InputWindow* window = FindInputWindow(doc);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(SettleUntil([&] { return window->IsShownOnScreen(); }));
    pressEscapeIn(window);
    EXPECT_TRUE(SettleUntil([&] { return FindInputWindow(doc) == nullptr; })) << "Escape left the window open";
    EXPECT_TRUE(g_messages.empty());

    SendCommand(&Main(), kIdInput);
    window = FindInputWindow(doc);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(SettleUntil([&] { return window->IsShownOnScreen(); }));
    window->Grid()->SetCellValue(0, 0, "Changed - Name");
    g_answer = wxCANCEL;
    pressEscapeIn(window);
    EXPECT_TRUE(SettleUntil([&] { return !g_messages.empty(); })) << "Escape did not ask";
    SettleUntil([] { return false; }, 100);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].text, "Data were changed!\nApply the changes?");
    EXPECT_EQ(FindInputWindow(doc), window) << "Cancel must keep the window";

    g_messages.clear();
    g_answer = wxNO;
    pressEscapeIn(window);
    EXPECT_TRUE(SettleUntil([&] { return FindInputWindow(doc) == nullptr; })) << "No must close the window";
    EXPECT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(doc->Data().match(0).name, "Alpha - Beta");
}

// ---------------------------------------------------------------------------
// Example, language, About.

TEST_F(FrameTest, ExampleOpensTheProgramsExampleSoThatSaveAsksForANewName) {
    const fs::path example = dir_ / "example.vdx";
    WriteDocument(example, "Example - Match");
    const std::string original = ReadBytes(example);
    App().SetProgramDir(wxString(dir_.string()));

    SendCommand(&Main(), kIdExample);
    VdxDocument* doc = Manager().CurrentVdxDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetFilename(), wxString(example.string()));
    EXPECT_EQ(doc->Data().match(0).name, "Example - Match");
    EXPECT_TRUE(doc->Data().saveAsOnSave);
    EXPECT_TRUE(g_messages.empty());

    // Save goes to a new file; the example stays as shipped.
    doc->Data().match(0).name = "Own - Match";
    doc->MarkChanged();
    int asked = 0;
    const fs::path copy = dir_ / "mine.vdx";
    SetSaveFileHandler([&](const wxString&, const wxString&) {
        ++asked;
        return wxString(copy.string());
    });
    SendCommand(&Main(), wxID_SAVE);
    SetSaveFileHandler({});
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ReadBytes(example), original);
    EXPECT_TRUE(fs::exists(copy));
    EXPECT_EQ(doc->GetFilename(), wxString(copy.string()));

    // During a calculation the example, the help and the log only sound.
    doc->Data().calculationRunning = true;
    int sounds = 0;
    SetWarningSoundHook([&sounds] { ++sounds; });
    for (int id : {int(kIdExample), int(wxID_HELP_CONTENTS), int(kIdShowLog)}) SendCommand(&Main(), id);
    SetWarningSoundHook({});
    EXPECT_EQ(sounds, 3);
    EXPECT_EQ(Manager().CurrentVdxDocument(), doc);
    EXPECT_EQ(Manager().GetDocuments().GetCount(), 1u);
    EXPECT_FALSE(App().LogWindow()->GetFrame()->IsShown());
    EXPECT_TRUE(g_messages.empty());
}

TEST(LanguageTest, RestartIsAskedForOnlyWhenTheLanguageChanges) {
    struct Case {
        const char* inUse;
        const char* chosen;
        bool restart;
    };
    const std::vector<Case> cases = {
        {"de", "fr", true}, {"de", "de", false}, {"en", "en", false}, // unset code on an English system
        {"en", "sv", true}, {"fr", "en", true},  {"nl", "it", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LanguageNeedsRestart(c.inUse, c.chosen), c.restart) << c.inUse << " -> " << c.chosen;
}

TEST_F(FrameTest, LanguageChoiceIsStoredAndAsksForARestart) {
    const std::string saved = App().Config().language;
    ASSERT_EQ(App().LanguageInUse(), "en"); // the test machine runs in English

    ApplyLanguageChoice("en");
    EXPECT_EQ(App().Config().language, "en");
    EXPECT_TRUE(g_messages.empty());

    ApplyLanguageChoice("fr");
    EXPECT_EQ(App().Config().language, "fr");
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_TRUE(HasMessage("Please restart the application\nto apply the selected language."));
    App().Config().language = saved;
}

TEST_F(FrameTest, LanguageDialogOffersTheSixLanguages) {
    LanguageDialog dialog(&Main(), "it");
    EXPECT_EQ(dialog.GetTitle(), "VendrixPlanner");
    EXPECT_EQ(dialog.GetPosition(), wxPoint(200, 150));
    wxRadioBox* box = dialog.Choices();
    ASSERT_EQ(box->GetCount(), 6u);
    EXPECT_EQ(box->GetLabel(), "Language");
    // Some toolkits keep the mnemonic in the text, others not.
    EXPECT_EQ(wxStripMenuCodes(box->GetString(1)), "Deutsch");
    EXPECT_EQ(wxStripMenuCodes(box->GetString(2)), wxString::FromUTF8("Fran\xc3\xa7" "ais"));
    EXPECT_EQ(dialog.SelectedCode(), "it");
    const char* codes[] = {"en", "de", "fr", "it", "nl", "sv"};
    for (int i = 0; i < 6; ++i) {
        box->SetSelection(i);
        EXPECT_EQ(dialog.SelectedCode(), codes[i]);
    }
    LanguageDialog unset(&Main(), "nx");
    EXPECT_EQ(unset.SelectedCode(), "en");
}

TEST_F(FrameTest, AboutShowsProductAndVersion) {
    AboutDialog about(&Main());
    EXPECT_EQ(about.GetTitle(), "About");
    std::vector<wxStaticText*> texts;
    for (wxWindow* child : about.GetChildren())
        if (auto* text = dynamic_cast<wxStaticText*>(child)) texts.push_back(text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->GetLabel(), "VendrixPlanner 2");
    EXPECT_EQ(texts[0]->GetFont().GetPointSize(), 12);
    EXPECT_EQ(texts[0]->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_EQ(texts[1]->GetLabel(), "Version 2.11e");
}

// ---------------------------------------------------------------------------
// The window list.

// A frame with a window menu, registered like the program's own frames.
wxFrame* ListedFrame(const wxString& title) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, title, wxDefaultPosition, wxSize(300, 200));
    auto* bar = new wxMenuBar;
    bar->Append(BuildWindowMenu(false), "&Window");
    frame->SetMenuBar(bar);
    BindWindowMenuCommands(frame);
    AppWindows().Register(frame);
    return frame;
}

// The window items of frame's window menu: label, and "*" when checked.
std::vector<std::string> WindowItems(wxFrame* frame) {
    wxMenu* menu = nullptr;
    frame->GetMenuBar()->FindItem(kIdWindowMinimize, &menu);
    std::vector<std::string> items;
    if (!menu) return items;
    for (wxMenuItem* item : menu->GetMenuItems()) {
        if (item->GetId() < kIdWindowFirst || item->GetId() > kIdWindowLast) continue;
        std::string text = std::to_string(item->GetId() - kIdWindowFirst) + " " +
                           item->GetItemLabel().utf8_string();
        if (item->IsChecked()) text += " *";
        items.push_back(text);
    }
    return items;
}

TEST_F(FrameTest, WindowMenusListEveryRegisteredWindow) {
    WindowList& list = AppWindows();
    ASSERT_EQ(list.Count(), 1u);
    ASSERT_EQ(list.At(0), &Main());
    const wxString mainTitle = Main().GetTitle();

    wxFrame* input = ListedFrame("Input & Odds");
    wxFrame* charts = ListedFrame("Charts");
    const std::string m = "0 " + mainTitle.utf8_string();
    std::vector<std::string> expected = {m, "1 Input && Odds", "2 Charts *"};
    for (wxFrame* frame : {static_cast<wxFrame*>(&Main()), input, charts})
        EXPECT_EQ(WindowItems(frame), expected);

    // Choosing a window activates it.
    SendCommand(input, kIdWindowFirst + 0);
    EXPECT_EQ(list.Active(), &Main());
    EXPECT_EQ(WindowItems(charts), (std::vector<std::string>{m + " *", "1 Input && Odds", "2 Charts"}));
    SendCommand(input, kIdWindowNext);
    EXPECT_EQ(list.Active(), charts);

    // A title change reaches every menu.
    charts->SetTitle("Charts of round.vdx");
    list.RefreshIfTitlesChanged();
    EXPECT_EQ(WindowItems(&Main()).back(), "2 Charts of round.vdx *");

    // Zoom switches between the registered size and the size before.
    input->SetSize(wxSize(420, 330));
    SendCommand(input, kIdWindowZoom);
    EXPECT_EQ(input->GetSize(), wxSize(300, 200));
    SendCommand(input, kIdWindowZoom);
    EXPECT_EQ(input->GetSize(), wxSize(420, 330));

    // A closed window leaves every list.
    delete input;
    expected = {m, "1 Charts of round.vdx *"};
    EXPECT_EQ(WindowItems(&Main()), expected);
    EXPECT_EQ(WindowItems(charts), expected);
    SendCommand(charts, kIdWindowClose);
    wxTheApp->ProcessIdle(); // the frame is deleted when idle
    EXPECT_EQ(list.Count(), 1u);
    EXPECT_EQ(WindowItems(&Main()), std::vector<std::string>{m + " *"});
}

TEST_F(FrameTest, WindowListHoldsAtMostAHundredWindows) {
    std::vector<wxFrame*> fillers;
    while (AppWindows().Count() < 99) {
        fillers.push_back(new wxFrame(nullptr, wxID_ANY, wxString::Format("W%zu", fillers.size())));
        ASSERT_TRUE(AppWindows().Register(fillers.back()));
    }
    wxFrame* hundredth = ListedFrame("Hundredth");
    EXPECT_EQ(AppWindows().Count(), 100u);
    EXPECT_EQ(WindowItems(hundredth).size(), 100u);
    EXPECT_EQ(WindowItems(hundredth).back(), "99 Hundredth *");

    wxFrame* beyond = ListedFrame("Beyond");
    EXPECT_FALSE(AppWindows().Contains(beyond));
    EXPECT_TRUE(WindowItems(beyond).empty());
    EXPECT_EQ(WindowItems(&Main()).size(), 100u);

    delete beyond;
    delete hundredth;
    for (wxFrame* frame : fillers) delete frame;
    EXPECT_EQ(AppWindows().Count(), 1u);
}

TEST_F(FrameTest, LogIsListedWhenShown) {
    wxFrame* logFrame = App().LogWindow()->GetFrame();
    ASSERT_NE(logFrame, nullptr);
    EXPECT_FALSE(AppWindows().Contains(logFrame));
    SendCommand(&Main(), kIdShowLog);
    EXPECT_TRUE(logFrame->IsShown());
    ASSERT_TRUE(AppWindows().Contains(logFrame));
    SendCommand(&Main(), kIdShowLog); // listed once
    EXPECT_EQ(AppWindows().Count(), 2u);
    EXPECT_EQ(WindowItems(&Main()).back(), "1 Log *");
    EXPECT_TRUE(LogText().Contains("Start of the application"));

    logFrame->Hide();
    AppWindows().Unregister(logFrame);
}

// ---------------------------------------------------------------------------
// Several documents: each in a child frame of its own.

TEST_F(FrameTest, DocumentsGetChildFramesWhenSeveralMayBeOpen) {
    App().Config().settings.multiDocument = true;
    Manager().SetSingleDocument(false);
    App().Config().ticketFormat = "/formats/Weekly.vdf";

    const fs::path first = dir_ / "first.vdx", second = dir_ / "second.vdx";
    WriteDocument(first);
    WriteDocument(second);
    VdxDocument* one = Open(first);
    VdxDocument* two = Open(second);
    ASSERT_NE(one, nullptr);
    ASSERT_NE(two, nullptr);
    auto* frameOne = dynamic_cast<PoolsChildFrame*>(one->GetFirstView()->GetFrame());
    auto* frameTwo = dynamic_cast<PoolsChildFrame*>(two->GetFirstView()->GetFrame());
    ASSERT_NE(frameOne, nullptr);
    ASSERT_NE(frameTwo, nullptr);

    EXPECT_EQ(frameOne->GetId(), kIdPoolsChildFrame);
    EXPECT_EQ(frameOne->GetName(), "frame");
    wxMenuBar* bar = frameOne->GetMenuBar();
    EXPECT_NE(bar->FindItem(kIdCalculate), nullptr);
    EXPECT_EQ(bar->FindItem(wxID_EXIT), nullptr);
    EXPECT_EQ(bar->GetHelpString(wxID_CLOSE),
              "prompts you to save changes and closes the active document (Ctrl+F4, Alt+F4)");
    EXPECT_EQ(bar->GetLabel(kIdPrintTickets), "&Print Tickets (Weekly)...\tCtrl+G");
    EXPECT_NE(frameOne->GetToolBar(), nullptr);

    // Each frame's commands act on its own document.
    EXPECT_EQ(FrameDocument(frameOne), one);
    EXPECT_EQ(FrameDocument(frameTwo), two);
    GiveTips(two);
    EXPECT_FALSE(IsEnabledIn(frameOne, kIdNextTicket));
    EXPECT_TRUE(IsEnabledIn(frameTwo, kIdNextTicket));
    EXPECT_TRUE(IsEnabledIn(frameOne, kIdWindowClose));

    // Both are listed; closing one takes it out of the list.
    EXPECT_TRUE(AppWindows().Contains(frameOne));
    EXPECT_TRUE(AppWindows().Contains(frameTwo));
    EXPECT_EQ(WindowItems(frameOne).size(), 3u);
    ASSERT_TRUE(Manager().CloseDocument(one));
    wxTheApp->ProcessIdle();
    EXPECT_EQ(AppWindows().Count(), 2u);
    EXPECT_EQ(WindowItems(frameTwo).size(), 2u);

    Manager().CloseDocuments(true);
    wxTheApp->ProcessIdle();
    EXPECT_EQ(AppWindows().Count(), 1u);
    App().Config().settings.multiDocument = false;
    Manager().SetSingleDocument(true);
}

// ---------------------------------------------------------------------------
// Quitting.

TEST_F(FrameTest, QuitIsRefusedDuringACalculation) {
    const fs::path path = dir_ / "round.vdx";
    WriteDocument(path);
    VdxDocument* doc = Open(path);
    ASSERT_NE(doc, nullptr);
    doc->Data().calculationRunning = true;
    EXPECT_EQ(Main().CheckQuit(), MainFrame::QuitCheck::Refuse);
    EXPECT_TRUE(HasMessage("Please stop the calculation\nbefore you quit the application!"));
    EXPECT_FALSE(Main().Close());
    EXPECT_TRUE(Main().IsShown());
    EXPECT_EQ(Manager().GetDocuments().GetCount(), 1u);
}

TEST_F(FrameTest, QuitDuringALoadWaitsAndIsTriedAgainAfterIt) {
    const fs::path path = dir_ / "round.vdx";
    WriteDocument(path);
    VdxDocument* doc = Open(path);
    ASSERT_NE(doc, nullptr);

    Main().BeginBusy();
    EXPECT_EQ(Main().CheckQuit(), MainFrame::QuitCheck::Defer);
    EXPECT_TRUE(Main().ClosePending());
    wxTheApp->ProcessIdle(); // still busy: nothing happens
    EXPECT_TRUE(Main().ClosePending());
    EXPECT_TRUE(g_messages.empty());
    Main().EndBusy();

    // The retry meets a calculation started meanwhile, so the frame stays.
    doc->Data().calculationRunning = true;
    wxTheApp->ProcessIdle();
    EXPECT_FALSE(Main().ClosePending());
    EXPECT_TRUE(HasMessage("Please stop the calculation\nbefore you quit the application!"));
    EXPECT_TRUE(Main().IsShown());
}

TEST_F(FrameTest, QuitIsRefusedWhileTheFormatEditorHoldsChanges) {
    wxWeakRef<wxFrame> editor = new wxFrame(nullptr, wxID_ANY, "Format Editor");
    bool modified = true;
    App().SetFormatEditor(editor, [&modified] { return modified; });

    EXPECT_EQ(Main().CheckQuit(), MainFrame::QuitCheck::Refuse);
    EXPECT_TRUE(HasMessage("Please close the Format Editor\nbefore you quit the application!"));
    EXPECT_EQ(App().FormatEditor(), editor.get());

    // Without changes the editor is closed and quitting goes on.
    modified = false;
    g_messages.clear();
    EXPECT_EQ(Main().CheckQuit(), MainFrame::QuitCheck::Proceed);
    EXPECT_TRUE(g_messages.empty());
    EXPECT_EQ(App().FormatEditor(), nullptr);
    wxTheApp->ProcessIdle();
    EXPECT_FALSE(editor);
}

} // namespace

int main(int argc, char** argv) { return RunGuiTests(argc, argv); }
