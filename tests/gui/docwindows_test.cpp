// The shared furniture of document windows: menus and toolbars built from a
// window's own table, the one-window-per-kind helper, and change notices.

#include "Desktop.h"
#include "GuiTestSupport.h"

#include "calc/CalculateCommand.h"
#include "calc/CalculationWindow.h"
#include "calc/Probabilities.h"
#include "frame/CommandIds.h"
#include "frame/CommandRouting.h"
#include "frame/MenuBuilder.h"
#include "frame/WindowList.h"
#include "windows/DocumentWindows.h"
#include "windows/InputWindow.h"
#include "windows/OptionsDialog.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/toolbar.h>
#include <wx/weakref.h>

#include <memory>
#include <string>
#include <vector>

using namespace vdx::gui;
using namespace vdx::guitest;

namespace {

constexpr int S = -1; // a separator in the expected toolbar

class DocWindowsTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        if (HasFatalFailure()) return;
        doc_ = dynamic_cast<VdxDocument*>(Manager().CreateDocument(wxEmptyString, wxDOC_NEW));
        ASSERT_NE(doc_, nullptr);
        doc_->Data().setMatchCount(4);
        for (int m = 0; m < 4; ++m) {
            doc_->Data().match(m).chances = {450, 250};
            vdx::UpdateProbabilities(doc_->Data().match(m));
        }
        doc_->Data().rounds = 1;
        doc_->Data().unsuccessfulTries = 5;
        doc_->Modify(false);
    }
    void TearDown() override {
        if (doc_) doc_->Modify(false);
        AppTest::TearDown();
    }
    VdxDocument* doc_ = nullptr;
};

std::vector<std::string> MenuTitles(wxFrame* frame) {
    std::vector<std::string> titles;
    wxMenuBar* bar = frame->GetMenuBar();
    for (size_t i = 0; bar && i < bar->GetMenuCount(); ++i) titles.push_back(bar->GetMenuLabelText(i).utf8_string());
    return titles;
}

std::vector<int> ToolIds(wxFrame* frame) {
    std::vector<int> ids;
    wxToolBar* tools = frame->GetToolBar();
    for (size_t i = 0; tools && i < tools->GetToolsCount(); ++i) {
        const wxToolBarToolBase* tool = tools->GetToolByPos(static_cast<int>(i));
        ids.push_back(tool->IsSeparator() ? S : tool->GetId());
    }
    return ids;
}

// Every tool is also a menu item with the same status help, and its short help
// is the item's label without mnemonic and accelerator.
void ExpectToolsMatchTheMenus(wxFrame* frame) {
    wxToolBar* tools = frame->GetToolBar();
    ASSERT_NE(tools, nullptr);
    for (size_t i = 0; i < tools->GetToolsCount(); ++i) {
        const wxToolBarToolBase* tool = tools->GetToolByPos(static_cast<int>(i));
        if (tool->IsSeparator()) continue;
        const wxMenuItem* item = frame->GetMenuBar()->FindItem(tool->GetId());
        ASSERT_NE(item, nullptr) << "tool " << tool->GetId();
        EXPECT_EQ(tool->GetLongHelp(), item->GetHelp()) << tool->GetId();
        EXPECT_EQ(tool->GetShortHelp(), item->GetItemLabelText().Strip(wxString::both)) << tool->GetId();
        EXPECT_FALSE(tool->GetShortHelp().empty());
    }
}

TEST_F(DocWindowsTest, EveryWindowKindBuildsItsMenusAndToolsFromItsTable) {
    ASSERT_TRUE(RouteDocumentCommand(doc_, kIdInput));
    ASSERT_TRUE(RunCalculateCommand(doc_));
    OptionsDialog* options = ShowDocumentOptions(doc_);
    ASSERT_NE(options, nullptr);

    struct Case {
        const char* name;
        wxFrame* frame;
        std::vector<std::string> menus;
        std::vector<int> tools;
    };
    const std::vector<Case> cases = {
        {"input", FindInputWindow(doc_),
         {"Data", "Edit Cells", "Window", "Help"},
         {kIdInputApply, kIdInputApplyAndClose, kIdInputClose, S, kIdInputCut, kIdInputCopy, kIdInputPaste,
          kIdInputDelete, S, kIdInputBookies}},
        {"calculation", FindCalculationWindow(doc_),
         {"View", "Calculation", "Help"},
         {kIdCalcFreeze, kIdCalcThaw, kIdCalcCloseWindow, S, kIdCalculate, kIdCalcNoMoreRounds, kIdCalcStopRound,
          kIdCalcStopCalculation}},
        {"options", dynamic_cast<wxFrame*>(options->GetParent()), {"Window", "Help"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.frame, nullptr);
        EXPECT_EQ(MenuTitles(c.frame), c.menus);
        EXPECT_EQ(ToolIds(c.frame), c.tools);
        if (!c.tools.empty()) ExpectToolsMatchTheMenus(c.frame);
        // The status help carries the shortcut hint where the table gives one.
        if (c.frame == FindInputWindow(doc_)) {
            EXPECT_EQ(c.frame->GetMenuBar()->FindItem(kIdInputApply)->GetHelp(),
                      "checks and applies the changes (Ctrl+S, Shift+F12)");
            EXPECT_EQ(c.frame->GetMenuBar()->FindItem(kIdInputClose)->GetItemLabel(), "&Close \tAlt+F4");
        }
    }
}

TEST_F(DocWindowsTest, ATableOfANewWindowKindDropsStraySeparatorsAndGetsTheWindowMenu) {
    const MenuTable table = {
        {"&First", {MenuSeparator(), MenuItem(7900, "&One", "Ctrl+1", "one", "(Ctrl+1)", "new"), MenuSeparator(),
                    MenuSeparator(), MenuItem(7901, "&Two", "", "two", "", "open", true), MenuSeparator()}},
        {"&Empty", {MenuSeparator()}},
        WindowMenuDef(),
    };
    auto* frame = new wxFrame(nullptr, wxID_ANY, "table");
    BuildWindowMenusAndTools(frame, table, MenuOptions());
    EXPECT_EQ(MenuTitles(frame), (std::vector<std::string>{"First", "Window"}));
    wxMenu* first = frame->GetMenuBar()->GetMenu(0);
    ASSERT_EQ(first->GetMenuItemCount(), 3u);
    EXPECT_EQ(first->FindItemByPosition(0)->GetId(), 7900);
    EXPECT_TRUE(first->FindItemByPosition(1)->IsSeparator());
    EXPECT_EQ(first->FindItemByPosition(2)->GetId(), 7901);
    EXPECT_EQ(first->FindItemByPosition(0)->GetHelp(), "one (Ctrl+1)");
    EXPECT_EQ(ToolIds(frame), (std::vector<int>{7900, S, 7901}));
    EXPECT_NE(frame->GetMenuBar()->FindItem(kIdWindowNext), nullptr);
    frame->Destroy();
}

// A window of a kind the program adds later, made through the helper.
class GuardedFrame : public wxFrame, public DocumentCloseGuard {
public:
    explicit GuardedFrame(bool allow) : wxFrame(nullptr, wxID_ANY, "guarded"), allow_(allow) {}
    bool AllowDocumentClose() override {
        ++asked;
        return allow_;
    }
    int asked = 0;

private:
    bool allow_;
};

TEST_F(DocWindowsTest, OneWindowPerKindRaisedOnRequestTitledListedAndClosedWithItsDocument) {
    int created = 0;
    auto make = [&] {
        ++created;
        return new GuardedFrame(true);
    };
    GuardedFrame* charts = OpenDocumentWindow<GuardedFrame>(doc_, DocWindow::Charts, make);
    ASSERT_NE(charts, nullptr);
    charts->Iconize(true);
    EXPECT_EQ(OpenDocumentWindow<GuardedFrame>(doc_, DocWindow::Charts, make), charts);
    GuardedFrame* statistics = OpenDocumentWindow<GuardedFrame>(doc_, DocWindow::Statistics, make);
    EXPECT_EQ(created, 2);
    EXPECT_NE(statistics, charts);
    EXPECT_EQ(FindDocumentWindow(doc_, DocWindow::Charts), charts);
    EXPECT_EQ(FindDocumentWindow(doc_, DocWindow::Conditions), nullptr);
    EXPECT_FALSE(charts->IsIconized());
    EXPECT_TRUE(AppWindows().Contains(charts));
    EXPECT_TRUE(AppWindows().Contains(statistics));

    const std::string name = doc_->GetUserReadableName().utf8_string();
    wxTheApp->ProcessIdle();
    EXPECT_EQ(charts->GetTitle().utf8_string(), name + ": Charts");
    EXPECT_EQ(statistics->GetTitle().utf8_string(), name + ": Statistics");
    doc_->Modify(true);
    wxTheApp->ProcessIdle();
    EXPECT_EQ(charts->GetTitle().utf8_string(), name + "*: Charts");

    // Closed by the user: forgotten at once, a new request makes a new one.
    const wxWeakRef<wxFrame> closed(statistics);
    statistics->Close(true);
    EXPECT_EQ(FindDocumentWindow(doc_, DocWindow::Statistics), nullptr);
    wxTheApp->ProcessIdle();
    EXPECT_FALSE(closed);
    EXPECT_EQ(AppWindows().Count(), 2u); // the main frame and the charts
    statistics = OpenDocumentWindow<GuardedFrame>(doc_, DocWindow::Statistics, make);
    EXPECT_EQ(created, 3);

    const wxWeakRef<wxFrame> weakCharts(charts), weakStatistics(statistics);
    doc_->Modify(false);
    ASSERT_TRUE(Manager().CloseDocument(doc_));
    doc_ = nullptr;
    EXPECT_EQ(charts->asked, 1);
    EXPECT_FALSE(AppWindows().Contains(weakCharts.get()));
    wxTheApp->ProcessIdle();
    EXPECT_FALSE(weakCharts);
    EXPECT_FALSE(weakStatistics);
}

TEST_F(DocWindowsTest, AWindowThatRefusesKeepsItsDocumentOpen) {
    GuardedFrame* conditions =
        OpenDocumentWindow<GuardedFrame>(doc_, DocWindow::Conditions, [] { return new GuardedFrame(false); });
    ASSERT_NE(conditions, nullptr);
    EXPECT_FALSE(doc_->Close());
    EXPECT_EQ(conditions->asked, 1);
    EXPECT_EQ(FindDocumentWindow(doc_, DocWindow::Conditions), conditions);
    conditions->Close(true);
    wxTheApp->ProcessIdle();
    EXPECT_TRUE(doc_->Close());
}

TEST_F(DocWindowsTest, EverySubscribedWindowHearsOfChangesUntilItGoes) {
    auto* first = new wxFrame(nullptr, wxID_ANY, "first");
    auto* second = new wxFrame(nullptr, wxID_ANY, "second");
    std::vector<std::string> heard;
    auto name = [](DocumentChange change) {
        switch (change) {
        case DocumentChange::Data: return "data";
        case DocumentChange::MatchCount: return "matches";
        case DocumentChange::Tips: return "tips";
        }
        return "?";
    };
    doc_->Subscribe(first, [&](DocumentChange change) { heard.push_back(std::string("first ") + name(change)); });
    doc_->Subscribe(second, [&](DocumentChange change) { heard.push_back(std::string("second ") + name(change)); });

    doc_->MarkChanged();
    doc_->NotifyChange(DocumentChange::MatchCount);
    EXPECT_EQ(heard, (std::vector<std::string>{"first data", "second data", "first matches", "second matches"}));

    heard.clear();
    second->Destroy(); // closing: heard no more, even before it is gone
    doc_->NotifyChange(DocumentChange::Tips);
    wxTheApp->ProcessIdle();
    doc_->UpdateAllViews();
    doc_->Unsubscribe(first);
    doc_->NotifyChange();
    EXPECT_EQ(heard, (std::vector<std::string>{"first tips", "first data"}));
    first->Destroy();
    wxTheApp->ProcessIdle();
    doc_->NotifyChange(); // no destroyed window is called
}

// The options window changes the number of matches; the input window, which
// it does not know, hears of it and follows.
TEST_F(DocWindowsTest, TheInputWindowFollowsAMatchCountChangeItHearsOf) {
    ASSERT_TRUE(RouteDocumentCommand(doc_, kIdInput));
    InputWindow* input = FindInputWindow(doc_);
    ASSERT_NE(input, nullptr);
    doc_->Data().setMatchCount(6);
    doc_->NotifyChange(DocumentChange::MatchCount);
    EXPECT_EQ(input->Grid()->GetNumberRows(), 6);
}

} // namespace

int main(int argc, char** argv) {
    const WindowManager manager;
    return RunGuiTests(argc, argv);
}
