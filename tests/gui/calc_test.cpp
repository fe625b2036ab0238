// The "&Calculate" command in the running application under a virtual display:
// start checks, the calculation window while it runs (stop requests, freezing,
// refused closes) and the document it leaves behind.

#include "Desktop.h"
#include "GuiTestSupport.h"

#include "calc/CalcFigures.h"
#include "calc/CalculateCommand.h"
#include "calc/CalculationRun.h"
#include "calc/CalculationWindow.h"
#include "calc/Conditions.h"
#include "calc/Probabilities.h"
#include "calc/ProgressRows.h"
#include "document/VdxFile.h"
#include "frame/CommandIds.h"
#include "frame/CommandRouting.h"
#include "frame/WindowList.h"
#include "view/TicketCanvas.h"
#include "view/VdxView.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/timer.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace vdx::gui;
using namespace vdx::guitest;

namespace {

// Pairs of lines per number of equal tips, counted from the document's lines.
std::vector<int> PairsPerEquals(const vdx::PoolsDocument& doc) {
    std::vector<int> pairs(vdx::kEqualsLevels, 0);
    for (int a = 0; a < doc.tipLineCount; ++a)
        for (int b = a + 1; b < doc.tipLineCount; ++b) {
            int equal = 0;
            for (int m = 0; m < doc.matchCount; ++m)
                if (doc.matches[m].hasData() && doc.tipOf(m, a) == doc.tipOf(m, b)) ++equal;
            ++pairs[equal];
        }
    return pairs;
}

class CalcTest : public AppTest {
protected:
    // A document of `matches` matches of which the first `withData` have chances.
    VdxDocument* OpenDocument(int matches, int withData, int lines, int rounds, int tries) {
        vdx::PoolsDocument data;
        data.setMatchCount(matches);
        data.setLineCount(lines);
        data.rounds = rounds;
        data.unsuccessfulTries = tries;
        data.extraTries = 0;
        static const int kChances[][2] = {{500, 200}, {400, 300}, {700, 100}, {350, 350},
                                          {450, 250}, {600, 150}, {300, 400}, {550, 200}};
        for (int m = 0; m < withData; ++m) {
            data.match(m).name = "Match " + std::to_string(m + 1);
            data.match(m).chances = {kChances[m % 8][0], kChances[m % 8][1]};
            vdx::UpdateProbabilities(data.match(m));
        }
        const fs::path path = dir_ / ("doc" + std::to_string(++files_) + ".vdx");
        EXPECT_TRUE(vdx::SaveVdxFile(path.string(), data).ok);
        return Open(path);
    }

    int files_ = 0;
    SoundCounter sounds_;
};

TEST_F(CalcTest, CalculateLeavesUpToDateLinesAndAFinishedWindow) {
    VdxDocument* doc = OpenDocument(6, 6, 30, 3, 20);
    ASSERT_NE(doc, nullptr);
    const vdx::PoolsDocument& data = doc->Data();
    ASSERT_FALSE(data.tipsUpToDate);

    ASSERT_TRUE(RouteDocumentCommand(doc, kIdCalculate));
    EXPECT_TRUE(g_messages.empty()) << g_messages.front().text;

    // Every line has a tip in every match, with each match's planned counts.
    EXPECT_TRUE(data.tipsUpToDate);
    EXPECT_TRUE(data.hasTips);
    EXPECT_TRUE(data.calculatedNotSaved);
    EXPECT_FALSE(data.calculationRunning);
    EXPECT_TRUE(doc->IsModified());
    ASSERT_EQ(data.tipLineCount, 30);
    for (int m = 0; m < data.matchCount; ++m) {
        std::array<int, 3> counted{};
        for (int l = 0; l < data.tipLineCount; ++l) {
            const int tip = data.tipOf(m, l);
            ASSERT_TRUE(tip >= 0 && tip <= 2) << "match " << m << " line " << l;
            ++counted[tip];
        }
        EXPECT_EQ(counted, data.match(m).tipCounts) << "match " << m;
        EXPECT_EQ(counted[0] + counted[1] + counted[2], 30);
    }

    CalculationWindow* window = FindCalculationWindow(doc);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->GetTitle().EndsWith(": Calculation of Distribution")) << window->GetTitle();
    EXPECT_TRUE(AppWindows().Contains(window));
    EXPECT_FALSE(window->Running());
    const wxString timeSpent = "time spent: " + wxString::FromUTF8(data.lastCalculationText);
    EXPECT_TRUE(timeSpent.StartsWith("time spent: 0:00:")) << timeSpent;
    EXPECT_EQ(window->Message(), "Finished the calculation! " + timeSpent);
    EXPECT_EQ(window->StatusText(1), timeSpent);
    EXPECT_EQ(App().Frame()->GetStatusBar()->GetStatusText(0), "Last calculation: " + timeSpent);
    // Commands of the finished state.
    for (int id : {kIdCalcFreeze, kIdCalcThaw, kIdCalcNoMoreRounds, kIdCalcStopRound, kIdCalcStopCalculation})
        EXPECT_FALSE(window->CommandEnabled(id)) << id;
    EXPECT_TRUE(window->CommandEnabled(kIdCalcCloseWindow));
    EXPECT_TRUE(window->CommandEnabled(int(kIdCalculate)));

    // The final display shows the written-back best: its equals rows agree
    // with the pairs counted from the lines.
    const ProgressDisplay& display = window->Display();
    EXPECT_TRUE(display.finished);
    EXPECT_EQ(display.roundText, "Calculation finished");
    const std::vector<int> pairs = PairsPerEquals(data);
    int equalsRows = 0;
    for (const ProgressRow& row : display.rows) {
        if (row.kind != ProgressRow::Kind::Equals) continue;
        const int level = std::stoi(row.label);
        EXPECT_EQ(row.bestFigure, vdx::EqualsFigure(pairs[level])) << "level " << level;
        ++equalsRows;
    }
    EXPECT_EQ(equalsRows, 7); // levels 0..6

    const wxString log = LogText();
    EXPECT_NE(log.Find(doc->GetUserReadableName() + " Start of the calculation of the distribution"), wxNOT_FOUND);
    EXPECT_NE(log.Find("End of calculation, " + timeSpent), wxNOT_FOUND);

    // Once finished the window closes; closing the document forgets a window too.
    const wxWeakRef<CalculationWindow> weak(window);
    EXPECT_TRUE(window->Close());
    wxTheApp->ProcessIdle();
    EXPECT_FALSE(weak);
    EXPECT_FALSE(AppWindows().Contains(window));
}

TEST_F(CalcTest, ASecondCalculationReplacesTheWindowAndClosingTheDocumentClosesIt) {
    VdxDocument* doc = OpenDocument(4, 4, 12, 2, 10);
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(RunCalculateCommand(doc));
    const wxWeakRef<CalculationWindow> first(FindCalculationWindow(doc));
    ASSERT_TRUE(first);
    first->SetSize(wxSize(700, 480));
    const size_t listed = AppWindows().Count();

    // The window's own Calculate starts the next run once its handler is left;
    // the lines are up to date now and are that run's first best.
    const std::string logBefore = LogText().utf8_string();
    SendCommand(first.get(), kIdCalculate);
    EXPECT_EQ(FindCalculationWindow(doc), first.get());
    wxTheApp->ProcessPendingEvents();
    EXPECT_NE(LogText().utf8_string().size(), logBefore.size());
    EXPECT_TRUE(doc->Data().tipsUpToDate);
    wxTheApp->ProcessIdle();
    CalculationWindow* second = FindCalculationWindow(doc);
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(first);
    EXPECT_EQ(second->GetSize(), wxSize(700, 480));
    EXPECT_EQ(AppWindows().Count(), listed);
    EXPECT_TRUE(AppWindows().Contains(second));

    const wxWeakRef<CalculationWindow> weak(second);
    doc->Modify(false);
    ASSERT_TRUE(Manager().CloseDocuments(true));
    wxTheApp->ProcessIdle();
    wxTheApp->ProcessIdle();
    EXPECT_FALSE(weak);
}

struct StartCase {
    const char* name;
    int matches, withData;
    bool calculatedNotSaved;
    const char* text;   // the message shown
    const char* title;  // nullptr: the document window's title
    long style;
};

class CalcStartTest : public CalcTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(CalcStartTest, RefusalOrNoEndsTheCommandWithoutACalculation) {
    const StartCase& c = GetParam();
    VdxDocument* doc = OpenDocument(c.matches, c.withData, 10, 1, 10);
    ASSERT_NE(doc, nullptr);
    doc->Data().calculatedNotSaved = c.calculatedNotSaved;
    g_answer = wxNO;

    EXPECT_FALSE(RunCalculateCommand(doc));
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].text, wxString::FromUTF8(c.text));
    const wxString title = c.title ? wxString(c.title) : doc->GetDocumentWindow()->GetLabel();
    EXPECT_EQ(g_messages[0].title, title);
    EXPECT_EQ(g_messages[0].style & (wxOK | wxYES_NO | wxICON_INFORMATION | wxICON_QUESTION), c.style);
    EXPECT_EQ(FindCalculationWindow(doc), nullptr);
    EXPECT_FALSE(doc->Data().hasTips);
    EXPECT_FALSE(doc->Data().calculationRunning);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, CalcStartTest,
    ::testing::Values(
        StartCase{"OneMatchWithData", 5, 1, false, vdx::kTextTooFewMatches, "VendrixPlanner",
                  wxOK | wxICON_INFORMATION},
        StartCase{"TwelveOfThirteen", 13, 12, false,
                  "Chances or odds of only 12 of 13 matches\nare specified. Calculate nevertheless?", nullptr,
                  wxYES_NO | wxICON_QUESTION},
        StartCase{"UnsavedLinesNotUpToDate", 4, 4, true, vdx::kTextUnsavedWillBeLost, "VendrixPlanner",
                  wxYES_NO | wxICON_QUESTION}),
    [](const ::testing::TestParamInfo<StartCase>& info) { return std::string(info.param.name); });

// A long calculation, driven from a timer while it runs: the window refuses to
// close, asks first when not frozen, ignores a second Calculate, and stops on request.
TEST_F(CalcTest, StopTheCalculationFromTheWindowWhileItRuns) {
    VdxDocument* doc = OpenDocument(8, 8, 200, 1000, 10000);
    ASSERT_NE(doc, nullptr);
    const vdx::PoolsDocument& data = doc->Data();

    bool checked = false;
    int step = 0;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        CalculationWindow* window = FindCalculationWindow(doc);
        if (!window || !data.calculationRunning) return;
        ++step;
        if (step == 1) {
            EXPECT_TRUE(window->Running());
            EXPECT_FALSE(window->Frozen());
            // A second Calculate is refused with the warning sound.
            EXPECT_FALSE(DocumentCommandEnabled(doc, kIdCalculate).value_or(true));
            EXPECT_FALSE(window->CommandEnabled(kIdCalculate));
            EXPECT_FALSE(window->CommandEnabled(kIdCalcCloseWindow));
            const int soundsBefore = sounds_.count;
            RouteDocumentCommand(doc, kIdCalculate);
            EXPECT_EQ(sounds_.count, soundsBefore + 1);
            // The document cannot be closed either.
            EXPECT_FALSE(doc->Close());

            // Closing asks; No keeps it running.
            g_messages.clear();
            g_answer = wxNO;
            EXPECT_FALSE(window->Close());
            ASSERT_EQ(g_messages.size(), 1u);
            EXPECT_EQ(g_messages[0].text, "Do you really want to stop the calculation?");
            EXPECT_EQ(g_messages[0].title, "VendrixPlanner");
            EXPECT_FALSE(window->Requests().stopCalculation);

            // Frozen: closing neither asks nor closes; the stop commands are off.
            SendCommand(window, kIdCalcFreeze);
            EXPECT_TRUE(window->Frozen());
            EXPECT_EQ(window->StatusText(1), " (frozen window)");
            EXPECT_FALSE(window->CommandEnabled(kIdCalcStopCalculation));
            EXPECT_TRUE(window->CommandEnabled(kIdCalcThaw));
            g_messages.clear();
            EXPECT_FALSE(window->Close());
            EXPECT_TRUE(g_messages.empty());
            EXPECT_FALSE(window->Requests().stopCalculation);
            return;
        }
        if (step == 2) {
            SendCommand(window, kIdCalcThaw);
            EXPECT_FALSE(window->Frozen());
            EXPECT_TRUE(window->CommandEnabled(kIdCalcStopCalculation));
            EXPECT_FALSE(window->Display().rows.empty());
            SendCommand(window, kIdCalcStopCalculation);
            EXPECT_TRUE(window->Requests().stopCalculation);
            checked = true;
            timer.Stop();
        }
    });
    timer.Start(150);

    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(RouteDocumentCommand(doc, kIdCalculate));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    timer.Stop();
    ASSERT_TRUE(checked) << "the calculation ended before the timer ran";
    EXPECT_LT(seconds, 30.0);
    EXPECT_LT(data.currentRound, 1000);

    // The best found so far is written back as after a full run.
    EXPECT_TRUE(data.tipsUpToDate);
    EXPECT_EQ(data.tipLineCount, 200);
    for (int m = 0; m < data.matchCount; ++m) {
        std::array<int, 3> counted{};
        for (int l = 0; l < data.tipLineCount; ++l) {
            const int tip = data.tipOf(m, l);
            ASSERT_TRUE(tip >= 0 && tip <= 2);
            ++counted[tip];
        }
        EXPECT_EQ(counted, data.match(m).tipCounts);
    }
    CalculationWindow* window = FindCalculationWindow(doc);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->Message().StartsWith("Finished the calculation! time spent: "));
}

// The heaviest calculation runs on worker threads: the window repaints at
// once when asked, shows the rounds running side by side, and a stop ends
// them all quickly with the best written back.
TEST_F(CalcTest, WindowStaysResponsiveWhileRoundsRunSideBySide) {
    VdxDocument* doc = OpenDocument(14, 14, 1000, 100, 1000);
    ASSERT_NE(doc, nullptr);
    const vdx::PoolsDocument& data = doc->Data();
    std::vector<long long> waits; // from a refresh request to its paint, ms
    std::string running;
    using Clock = std::chrono::steady_clock;
    Clock::time_point asked{}, stopAt{};
    bool painted = true;
    wxTimer timer;
    CalculationWindow* seen = nullptr;
    auto onPaint = [&](wxPaintEvent& event) {
        event.Skip();
        if (painted) return;
        painted = true;
        waits.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - asked).count());
    };
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        CalculationWindow* window = FindCalculationWindow(doc);
        if (!window || !data.calculationRunning) return;
        if (window != seen) {
            seen = window;
            window->ProgressArea()->Bind(wxEVT_PAINT, onPaint);
        }
        if (!window->Display().runningText.empty()) running = window->Display().runningText;
        if (waits.size() >= 20 && !running.empty()) {
            stopAt = Clock::now();
            SendCommand(window, kIdCalcStopCalculation);
            timer.Stop();
            return;
        }
        if (!painted) return;
        painted = false;
        asked = Clock::now();
        window->ProgressArea()->Refresh();
    });
    timer.Start(30);
    ASSERT_TRUE(RouteDocumentCommand(doc, kIdCalculate));
    const long long stopping =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - stopAt).count();
    timer.Stop();
    ASSERT_GE(waits.size(), 20u) << "the calculation ended before the window was watched";
    std::sort(waits.begin(), waits.end());
    // Most repaints come at once; the machine running the tests may be busy.
    EXPECT_LT(waits[waits.size() * 9 / 10], 50) << "slowest repaints (ms): " << waits.back();
    EXPECT_TRUE(running.rfind("Rounds running: ", 0) == 0) << running;
    EXPECT_LT(stopping, 500) << "from the stop command to the end of the run (ms)";
    EXPECT_TRUE(data.tipsUpToDate);
    EXPECT_GE(data.currentRound, 1);
}

// A long run tells how much longer it will take, from the rounds done so far.
TEST_F(CalcTest, ALongRunShowsTheTimeLeft) {
    VdxDocument* doc = OpenDocument(8, 8, 200, 1000, 300);
    ASSERT_NE(doc, nullptr);
    const vdx::PoolsDocument& data = doc->Data();
    wxString seen;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        CalculationWindow* window = FindCalculationWindow(doc);
        if (!window || !data.calculationRunning || data.currentRound < 2) return;
        seen = window->Message();
        SendCommand(window, kIdCalcStopCalculation);
        timer.Stop();
    });
    timer.Start(100);
    ASSERT_TRUE(RouteDocumentCommand(doc, kIdCalculate));
    timer.Stop();
    EXPECT_TRUE(seen.StartsWith("Time left: about ")) << seen;
    EXPECT_TRUE(seen.Matches("Time left: about *:??:??")) << seen;
    EXPECT_TRUE(FindCalculationWindow(doc)->Message().StartsWith("Finished the calculation! "));
}

// Fourteen matches with all three conditions give the most rows the display
// has; the window opens showing every one of them.
TEST_F(CalcTest, EveryRowIsVisibleAtTheDefaultSize) {
    vdx::PoolsDocument data;
    data.setMatchCount(14);
    data.setLineCount(60);
    data.rounds = 2;
    data.unsuccessfulTries = 30;
    data.extraTries = 10;
    static const int kChances[][2] = {{500, 200}, {400, 300}, {700, 100}, {350, 350}, {450, 250}};
    for (int m = 0; m < 14; ++m) {
        data.match(m).name = "Match " + std::to_string(m + 1);
        data.match(m).chances = {kChances[m % 5][0], kChances[m % 5][1]};
        data.match(m).noDuplicates = m < 6;
        vdx::UpdateProbabilities(data.match(m));
    }
    data.conditionEnabled = {true, true, true};
    data.conditionUseInCalc = {true, true, true};
    data.conditionLimit = 14; // the limit line below the last equals row
    const fs::path path = dir_ / "fourteen.vdx";
    ASSERT_TRUE(vdx::SaveVdxFile(path.string(), data).ok);
    VdxDocument* doc = Open(path);
    ASSERT_NE(doc, nullptr);
    // Narrow ranges of tips and favourites per line, so both conditions take part.
    vdx::PoolsDocument& d = doc->Data();
    for (int group = 0; group < 2; ++group)
        for (int kind = 0; kind < 3; ++kind) {
            d.conditionRanges[group][kind][0] = 3;
            d.conditionRanges[group][kind][1] = 3;
        }
    vdx::DeriveEffectiveBounds(d);
    vdx::UpdateConditionState(d);

    ASSERT_TRUE(RouteDocumentCommand(doc, kIdCalculate));
    CalculationWindow* window = FindCalculationWindow(doc);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->Display().rows.size(), 3u + 15u + 1u) << "three conditions, levels 0 to 14, the limit";
    Settle(300);
    // The default size, taller where the rows need it.
    EXPECT_GE(window->GetSize().x, 768);
    EXPECT_GE(window->GetSize().y, 525);
    window->ProgressArea()->Refresh();
    window->ProgressArea()->Update();

    const wxWindow* area = window->ProgressArea();
    const wxRect areaRect(area->ClientToScreen(wxPoint(0, 0)), area->GetClientSize());
    EXPECT_TRUE(VisibleInFrame(window->ProgressArea()));
    const std::vector<wxRect> items = window->ProgressItemsOnScreen();
    // Per row a label and two figures at least, the heads, the difference, the summary.
    EXPECT_GE(items.size(), 19u * 2u + 4u);
    for (const wxRect& item : items)
        EXPECT_TRUE(areaRect.Contains(item)) << "item at " << item.x << "," << item.y << " size " << item.width
                                             << "x" << item.height << " outside " << areaRect.y << "+"
                                             << areaRect.height;
    SaveScreenshot("calculation-window");
}

// The rows of the display, from plain figures.
TEST(ProgressRowsTest, ConditionRowsLimitLineAndMarks) {
    StateFigures best;
    best.valid = true;
    best.matchCount = 4;
    best.equalsLimit = 2;
    best.conditions = {true, false, true};
    best.equals = {0, 3, 5, 2, 0};
    best.duplicatePairs = 0;
    best.violations[1][2] = 4; // favourites: 4 misses by 2
    StateFigures current = best;
    current.equals = {1, 2, 6, 100000, 0};
    current.duplicatePairs = 3;
    current.violations[1] = {};

    struct Case {
        int marked;
        std::vector<std::string> current; // figures top to bottom, "|" for the limit line
    } cases[] = {
        {0, {"3", "+", "1", "2", "6", "|", "100000", "-"}},
        {1, {"3 *", "+", "1", "2", "6", "|", "100000", "-"}},
        {3, {"3", "+ *", "1", "2", "6", "|", "100000", "-"}},
        {5, {"3", "+", "1", "2 *", "6", "|", "100000", "-"}},
        {7, {"3", "+", "1", "2", "6", "|", "100000*", "-"}},
    };
    for (const Case& c : cases) {
        const std::vector<ProgressRow> rows = MakeProgressRows(best, current, c.marked, false);
        ASSERT_EQ(rows.size(), c.current.size()) << "mark " << c.marked;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (c.current[i] == "|") {
                EXPECT_EQ(rows[i].kind, ProgressRow::Kind::Limit);
                EXPECT_EQ(rows[i].label, "___________________");
            } else {
                EXPECT_EQ(rows[i].currentFigure, c.current[i]) << "mark " << c.marked << " row " << i;
            }
        }
    }
    const std::vector<ProgressRow> rows = MakeProgressRows(best, current, 0, false);
    EXPECT_EQ(rows[0].label, "Duplicates");
    EXPECT_EQ(rows[0].bestFigure, "+");
    EXPECT_EQ(rows[1].label, "Favourites");
    EXPECT_EQ(rows[1].bestFigure, "2:4");
    EXPECT_EQ(rows[1].bestValue, 8);
    EXPECT_EQ(rows[2].bestFigure, "-"); // level 0: no pairs
    EXPECT_EQ(rows[4].bestValue, 5);

    // Without conditions there is no limit line; without any figures no rows.
    best.conditions = {};
    current.conditions = {};
    EXPECT_EQ(MakeProgressRows(best, current, 0, false).size(), 5u);
    EXPECT_TRUE(MakeProgressRows(StateFigures(), StateFigures(), 0, false).empty());
}

TEST_F(CalcTest, TheTicketViewGrowsForTheConditionRowsOfACalculation) {
    // 1/X/2 ranges of half the room on each side take part in the calculation.
    vdx::PoolsDocument data;
    data.setMatchCount(12);
    data.setLineCount(12);
    data.rounds = 2;
    data.unsuccessfulTries = 20;
    data.extraTries = 0;
    data.conditionEnabled[1] = true;
    data.conditionRangesAbsolute = false;
    for (auto& range : data.conditionRanges[0]) range[0] = range[1] = 50;
    for (int m = 0; m < 12; ++m) {
        data.match(m).chances = {450 + 10 * (m % 3), 250};
        vdx::UpdateProbabilities(data.match(m));
    }
    const fs::path path = dir_ / "conditions.vdx";
    ASSERT_TRUE(vdx::SaveVdxFile(path.string(), data).ok);
    VdxDocument* doc = Open(path);
    ASSERT_NE(doc, nullptr);
    auto* view = dynamic_cast<VdxView*>(doc->GetFirstView());
    ASSERT_NE(view, nullptr);
    TicketCanvas* canvas = view->Canvas();

    // The window fits the ticket without tips; then it is made exactly that high.
    Main().Show();
    Settle(300);
    const auto fitted = [&] { return !view->LayoutRequested(); };
    canvas->Refresh();
    Settle(300);
    ASSERT_TRUE(fitted());
    const int before = view->CurrentLayout().neededHeight;
    const wxSize client = canvas->GetClientSize();
    Main().SetClientSize(Main().GetClientSize() - wxSize(0, client.y - before));
    Settle(300);
    ASSERT_EQ(canvas->GetClientSize().y, before);

    ASSERT_TRUE(RouteDocumentCommand(doc, kIdCalculate));
    ASSERT_NE(doc->Data().lastConditionState[1], 0);
    Main().Raise();
    canvas->Refresh();
    Settle(500);
    // Correct tips and the condition row lie below the old bottom, and the view now holds them.
    const vdx::TicketLayout after = view->CurrentLayout();
    EXPECT_GT(after.neededHeight, before);
    EXPECT_GE(canvas->GetClientSize().y, after.neededHeight);
}

} // namespace

int main(int argc, char** argv) {
    const WindowManager manager;
    return RunGuiTests(argc, argv);
}
