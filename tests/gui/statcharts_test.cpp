// The statistics window and the charts window on the example: opened by their
// commands, raised when asked again, following the document when results are
// applied in the input window or the lines are calculated, and closed with it.

#include "Desktop.h"
#include "GuiTestSupport.h"

#include "calc/CalculationWindow.h"
#include "calc/Statistics.h"
#include "calc/StatisticsPanel.h"
#include "calc/StatisticsWindow.h"
#include "charts/ChartLayout.h"
#include "charts/ChartPage.h"
#include "frame/CommandIds.h"
#include "frame/WindowList.h"
#include "windows/ChartCanvas.h"
#include "windows/ChartsFrame.h"
#include "windows/ChartsPage.h"
#include "windows/InputWindow.h"
#include "windows/MyNotebook.h"

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/grid.h>
#include <wx/image.h>
#include <wx/uiaction.h>

#include <filesystem>
#include <numeric>
#include <string>

namespace fs = std::filesystem;
using namespace vdx::gui;
using namespace vdx::guitest;

namespace {

// The results of the example's twelve matches; the example knows the first four.
const char* const kResults[12] = {"1", "X", "2", "1", "1", "2", "X", "1", "1", "2", "X", "1"};

class WindowsTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        savedProgramDir_ = App().ProgramDir();
        fs::copy_file(VDX_EXAMPLE_FILE, dir_ / "example.vdx");
        App().SetProgramDir(wxString(dir_.string()));
        SendCommand(&Main(), kIdExample);
        doc_ = Manager().CurrentVdxDocument();
        ASSERT_NE(doc_, nullptr);
        ASSERT_TRUE(doc_->Data().hasTips);
        ASSERT_EQ(doc_->Data().tipLineCount, 20);
    }
    void TearDown() override {
        CloseAllDocuments();
        App().SetProgramDir(savedProgramDir_);
        AppTest::TearDown();
    }

    // Types every result into the input window and applies it as its command does.
    void ApplyAllResults() {
        InputWindow* input = OpenInputWindow(doc_);
        ASSERT_NE(input, nullptr);
        for (int m = 0; m < 12; ++m) input->Grid()->SetCellValue(m, 1, kResults[m]);
        SendCommand(input, kIdInputApply);
        ASSERT_TRUE(g_messages.empty()) << g_messages.front().text;
        for (int m = 0; m < 12; ++m) ASSERT_GE(doc_->Data().match(m).result, 0) << m;
        input->Close(true);
        Settle(100);
    }

    // A few quick rounds instead of the example's long calculation.
    void Calculate() {
        doc_->Data().rounds = 2;
        doc_->Data().unsuccessfulTries = 20;
        doc_->Data().extraTries = 0;
        SendCommand(&Main(), kIdCalculate);
        ASSERT_TRUE(g_messages.empty()) << g_messages.front().text;
        ASSERT_TRUE(doc_->Data().tipsUpToDate);
        if (CalculationWindow* window = FindCalculationWindow(doc_)) window->Close(true);
        Settle(100);
    }

    static int Count(const vdx::StatisticsLayout& drawing, const std::string& text) {
        int n = 0;
        for (const vdx::StatText& t : drawing.texts) n += t.text == text;
        return n;
    }

    VdxDocument* doc_ = nullptr;
    wxString savedProgramDir_;
};

TEST_F(WindowsTest, StatisticsFollowTheResultsAndTheLines) {
    SendCommand(&Main(), kIdStatistics);
    EXPECT_TRUE(g_messages.empty()) << "no longer \"not available\"";
    StatisticsWindow* window = FindStatisticsWindow(doc_);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetTitle(), "example.vdx: Statistics");
    EXPECT_TRUE(AppWindows().Contains(window));
    Settle(300);

    // What is drawn is the core's view of the example: four of twelve results known.
    StatisticsPanel* panel = window->Panel();
    const vdx::StatisticsLayout& before = panel->Drawing();
    EXPECT_EQ(Count(before, "Correct Tips (known Results: 4 of 12) "), 1);
    EXPECT_EQ(Count(before, "n.a."), 6) << "Results and Correct Tips rows";
    EXPECT_EQ(panel->Figures().knownResults, 4);
    // The panel scrolls over the whole drawing.
    EXPECT_GE(panel->GetVirtualSize().x, before.width);
    EXPECT_GE(panel->GetVirtualSize().y, before.height);
    int stepX = 0, stepY = 0;
    panel->GetScrollPixelsPerUnit(&stepX, &stepY);
    EXPECT_EQ(stepX, 8);
    EXPECT_EQ(stepY, 8);

    // Asked again, the same window comes up.
    SendCommand(&Main(), kIdStatistics);
    EXPECT_EQ(FindStatisticsWindow(doc_), window);

    ApplyAllResults();
    const vdx::StatisticsLayout& after = panel->Drawing();
    EXPECT_EQ(panel->Figures().knownResults, 12);
    EXPECT_EQ(Count(after, "Correct Tips (known Results: 4 of 12) "), 0);
    EXPECT_EQ(Count(after, "n.a."), 0);
    EXPECT_EQ(panel->View().markerPosition, vdx::ComputeStatistics(doc_->Data()).resultsPosition);
    EXPECT_NE(panel->View().markerPosition, vdx::kNoResultsLine) << "every result known: the results line";

    // A calculation brings new lines; the drawn figures are those of the new lines.
    Calculate();
    const vdx::Statistics fresh = vdx::ComputeStatistics(doc_->Data());
    EXPECT_EQ(panel->Figures().lineFigures, fresh.lineFigures);
    EXPECT_EQ(panel->Figures().correctHistogram, fresh.correctHistogram);

    // The window goes with its document.
    CloseAllDocuments();
    Settle(200);
    EXPECT_EQ(FindStatisticsWindow(doc_), nullptr);
}

TEST_F(WindowsTest, ChartsShowThePagesOfTheDocumentAndFollowIt) {
    SendCommand(&Main(), kIdCharts);
    EXPECT_TRUE(g_messages.empty()) << "no longer \"not available\"";
    ChartsFrame* frame = FindChartsFrame(doc_);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetTitle(), "example.vdx: Charts");
    EXPECT_EQ(frame->GetName(), "MyNotebookFrame");
    Settle(300);
    MyNotebook* book = frame->Book();
    ASSERT_EQ(book->PageCount(), 3);
    EXPECT_EQ(book->GetPageText(0), "Conditions for Duplicates");
    EXPECT_EQ(book->GetPageText(1), "Conditions for 1, X and 2");
    EXPECT_EQ(book->GetPageText(2), "Conditions for Favourites ");
    for (int g = 0; g < 3; ++g) {
        ChartsPage* page = frame->ChartPage(g);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->Canvas()->Page(), vdx::ComputeChartPage(doc_->Data(), g)) << g;
        EXPECT_EQ(page->OkButton()->GetLabel(), "* &Close *");
        EXPECT_FALSE(page->CancelButton()->IsShown());
    }
    const vdx::ChartColumn& all = frame->ChartPage(0)->Canvas()->Page().columns[0];
    EXPECT_EQ(std::accumulate(all.count.begin(), all.count.end(), 0), 190) << "all pairs of 20 lines";
    // Four of twelve results: no result markers.
    for (const vdx::ChartColumn& column : frame->ChartPage(1)->Canvas()->Page().columns)
        EXPECT_EQ(column.resultCount, -1);

    // Asked again, the same window comes up.
    SendCommand(&Main(), kIdCharts);
    EXPECT_EQ(FindChartsFrame(doc_), frame);

    // Every result applied: the 1/X/2 page marks how many results of each kind there are.
    ChartCanvas* tips = frame->ChartPage(1)->Canvas();
    const int renewals = tips->Renewals();
    ApplyAllResults();
    EXPECT_GT(tips->Renewals(), renewals);
    const std::array<int, 3> expected = {6, 3, 3}; // kResults: six "1", three "X", three "2"
    for (int c = 0; c < 3; ++c) EXPECT_EQ(tips->Page().columns[c].resultCount, expected[c]) << c;
    int markers = 0;
    for (const vdx::ChartShape& shape : vdx::PaintChartPage(tips->Page(), tips->Metrics()))
        markers += shape.kind == vdx::ChartShape::kLine && shape.penWidth == 3;
    EXPECT_EQ(markers, 3);
    // The duplicates page did not change and was not drawn again.
    const int duplicatesRenewals = frame->ChartPage(0)->Canvas()->Renewals();
    frame->RefreshCharts();
    EXPECT_EQ(frame->ChartPage(0)->Canvas()->Renewals(), duplicatesRenewals);

    // A calculation: the pages show the new lines.
    Calculate();
    for (int g = 0; g < 3; ++g)
        EXPECT_EQ(frame->ChartPage(g)->Canvas()->Page(), vdx::ComputeChartPage(doc_->Data(), g)) << g;

    CloseAllDocuments();
    Settle(200);
    EXPECT_EQ(FindChartsFrame(doc_), nullptr);
}

TEST_F(WindowsTest, DrawnChartsColourTheirBars) {
    SendCommand(&Main(), kIdCharts);
    ChartsFrame* frame = FindChartsFrame(doc_);
    ASSERT_NE(frame, nullptr);
    ChartCanvas* canvas = frame->ChartPage(0)->Canvas();
    // A drawing of the duplicates page: the longest bar of "All matches" is green over its whole box.
    const vdx::ChartRect size = vdx::ChartDrawingSize(canvas->Metrics());
    wxBitmap bitmap(size.width, size.height);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    RenderChartPage(dc, canvas->Page(), canvas->Metrics(), canvas->GetFont());
    dc.SelectObject(wxNullBitmap);
    const wxImage image = bitmap.ConvertToImage();
    const vdx::ChartColumn& all = canvas->Page().columns[0];
    const int largest = static_cast<int>(std::max_element(all.count.begin(), all.count.end()) - all.count.begin());
    const int x = vdx::ChartColumnPlacement(canvas->Metrics(), 0).barX + 50;
    const int y = vdx::ChartRowY(canvas->Metrics(), largest) + canvas->Metrics().rowHeight / 2;
    EXPECT_EQ(image.GetRed(x, y), 0);
    EXPECT_GT(image.GetGreen(x, y), 100);
    // A row without pairs is a black box.
    const int empty = vdx::ChartRowY(canvas->Metrics(), 12) + canvas->Metrics().rowHeight / 2;
    ASSERT_EQ(all.count[12], 0);
    EXPECT_EQ(image.GetGreen(x, empty), 0);
    EXPECT_EQ(image.GetRed(x, empty), 0);
}

TEST_F(WindowsTest, BothWindowsAtTheirDefaultSizeShowEverything) {
    SendCommand(&Main(), kIdStatistics);
    StatisticsWindow* statistics = FindStatisticsWindow(doc_);
    ASSERT_NE(statistics, nullptr);
    Settle(600);
    SaveScreenshot("statistics");
    const wxSize client = statistics->Panel()->GetClientSize();
    const vdx::StatisticsLayout& drawing = statistics->Panel()->Drawing();
    EXPECT_GE(client.x, drawing.width) << "the example's statistics fit the default width";
    statistics->Close(true);

    SendCommand(&Main(), kIdCharts);
    ChartsFrame* charts = FindChartsFrame(doc_);
    ASSERT_NE(charts, nullptr);
    Settle(600);
    SaveScreenshot("charts");
    for (int g = 0; g < 3; ++g) {
        charts->Book()->SetSelection(g);
        Settle(200);
        if (g == 1) SaveScreenshot("charts-tips");
        EXPECT_TRUE(VisibleInFrame(charts->ChartPage(g)->OkButton())) << g;
        ChartCanvas* canvas = charts->ChartPage(g)->Canvas();
        const vdx::ChartRect size = vdx::ChartDrawingSize(canvas->Metrics());
        EXPECT_GE(canvas->GetClientSize().x, size.width) << g;
        EXPECT_GE(canvas->GetClientSize().y, size.height) << g;
    }
}

TEST_F(WindowsTest, ClickingCloseAndPressingEscapeCloseTheCharts) {
    SendCommand(&Main(), kIdCharts);
    ChartsFrame* frame = FindChartsFrame(doc_);
    ASSERT_NE(frame, nullptr);
    Settle(500);
    wxButton* close = frame->ChartPage(0)->OkButton();
    ASSERT_TRUE(VisibleInFrame(close));
    wxUIActionSimulator pointer;
    pointer.MouseMove(close->GetScreenRect().GetPosition() + close->GetSize() / 2);
    Settle(100);
    pointer.MouseClick();
    Settle(300);
    EXPECT_EQ(FindChartsFrame(doc_), nullptr);
    EXPECT_TRUE(doc_->Data().hasTips) << "closing changes nothing";

    SendCommand(&Main(), kIdCharts);
    frame = FindChartsFrame(doc_);
    ASSERT_NE(frame, nullptr);
    Settle(500);
    frame->Raise();
    frame->ChartPage(0)->OkButton()->SetFocus();
    Settle(200);
    wxUIActionSimulator().Char(WXK_ESCAPE);
    Settle(300);
    EXPECT_EQ(FindChartsFrame(doc_), nullptr);
}

} // namespace

int main(int argc, char** argv) {
    const WindowManager manager;
    return RunGuiTests(argc, argv);
}
