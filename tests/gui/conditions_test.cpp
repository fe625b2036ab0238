// The page dialogs in the running application under a virtual display: the
// conditions window of the example document, the default conditions and the
// settings window, driven by real clicks and keys.

#include "GuiTestSupport.h"
#include "Desktop.h"

#include "app/ConfigStore.h"
#include "app/SettingsChange.h"
#include "calc/CalculateCommand.h"
#include "calc/LineScoring.h"
#include "conditions/RangeGraphic.h"
#include "frame/CommandIds.h"
#include "windows/ConditionPages.h"
#include "windows/ConditionsDialog.h"
#include "windows/RangeBar.h"
#include "windows/SettingsDialog.h"

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dcmemory.h>
#include <wx/slider.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>
#include <wx/weakref.h>

#include <chrono>
#include <functional>
#include <string>

using namespace vdx::gui;
using namespace vdx::guitest;

namespace {

// A real click in window; with done given, waits until the click took effect.
void Click(wxWindow* window, const std::function<bool()>& done = {}) {
    SettleUntil([window] { return window->IsShownOnScreen(); }, 2000);
    SettleUntil([] { return false; }, 60); // the display places a page just switched to
    wxUIActionSimulator pointer;
    const wxRect rect = window->GetScreenRect();
    pointer.MouseMove(rect.GetLeft() + std::min(8, rect.width / 2), rect.GetTop() + rect.height / 2);
    SettleUntil([] { return false; }, 60);
    pointer.MouseClick();
    if (done)
        SettleUntil(done, 3000);
    else
        SettleUntil([] { return false; }, 120);
}

// Puts the keyboard focus on window (its frame raised) and presses key.
void Press(wxWindow* window, int key, int modifiers = wxMOD_NONE) {
    wxGetTopLevelParent(window)->Raise();
    window->SetFocus();
    SettleUntil([window] { return wxWindow::FindFocus() == window; }, 1000);
    wxUIActionSimulator().Char(key, modifiers);
    SettleUntil([] { return false; }, 120);
}

NotebookPage* PageOf(MyNotebookFrame* frame, int index) { return frame->Book()->Page(index); }

// Whether the page shows "nothing pending" (OK marked, apply off) or "pending".
void ExpectMarking(NotebookPage* page, bool pending) {
    EXPECT_EQ(page->OkButton()->GetLabel(), pending ? "o&k" : "* o&k *");
    EXPECT_EQ(page->ApplyButton()->GetLabel(), pending ? "* a&pply *" : "a&pply");
    EXPECT_EQ(page->ApplyButton()->IsEnabled(), pending);
}

// The bar drawn on a white bitmap; the colour at x (from its left edge) in its middle row.
wxColour DrawnAt(RangeBar* bar, int x) {
    const wxSize size(vdx::kRangeMatchWidth * vdx::kMaxMatches, 16);
    wxBitmap bitmap(size);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    bar->Draw(dc, size);
    dc.SelectObject(wxNullBitmap);
    const wxImage image = bitmap.ConvertToImage();
    return wxColour(image.GetRed(x, 8), image.GetGreen(x, 8), image.GetBlue(x, 8));
}

class ConditionsTest : public AppTest {
protected:
    void SetUp() override {
        savedConfig_ = App().Config();
        savedProgramDir_ = App().ProgramDir();
        AppTest::SetUp();
    }
    void TearDown() override {
        for (wxFrame* frame : {static_cast<wxFrame*>(FindDefaultConditions()), static_cast<wxFrame*>(FindSettings())})
            if (frame) frame->Close(true);
        SettleUntil([] { return false; }, 50);
        AppTest::TearDown();
        App().Config() = savedConfig_;
        App().SetProgramDir(savedProgramDir_);
    }

    VdxDocument* OpenExample() {
        App().SetProgramDir(VDX_RESOURCES_DIR);
        SendCommand(&Main(), kIdExample);
        VdxDocument* doc = Manager().CurrentVdxDocument();
        EXPECT_NE(doc, nullptr);
        return doc;
    }

    ConditionsFrame* OpenConditions(VdxDocument* doc) {
        SendCommand(&Main(), kIdConditions);
        ConditionsFrame* frame = FindConditions(doc);
        EXPECT_NE(frame, nullptr);
        if (frame) SettleUntil([frame] { return frame->IsShownOnScreen(); });
        SettleUntil([] { return false; }, 200);
        return frame;
    }

    SoundCounter sounds_;
    vdx::AppConfig savedConfig_;
    wxString savedProgramDir_;
};

TEST_F(ConditionsTest, RangePageOfTheExampleChangesTheDocumentAndItsNextCalculation) {
    VdxDocument* doc = OpenExample();
    ASSERT_NE(doc, nullptr);
    vdx::PoolsDocument& data = doc->Data();
    ASSERT_FALSE(data.env.rangesAbsolute) << "percent sliders by default";
    ConditionsFrame* frame = OpenConditions(doc);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetName(), "MyNotebookFrame");
    EXPECT_EQ(frame->Book()->GetName(), "notebook");
    EXPECT_TRUE(frame->GetTitle().EndsWith(": Conditions")) << frame->GetTitle();
    ASSERT_EQ(frame->Book()->PageCount(), 4);
    EXPECT_EQ(frame->Book()->GetPageText(1), "Conditions for 1, X and 2");
    EXPECT_EQ(frame->Book()->GetPageText(2), "Conditions for Favourites ");
    ExpectMarking(PageOf(frame, 0), false);
    // Asking again raises the same window.
    SendCommand(&Main(), kIdConditions);
    EXPECT_EQ(FindConditions(doc), frame);
    int windows = 0;
    for (wxWindow* w : wxTopLevelWindows) windows += dynamic_cast<ConditionsFrame*>(w) && !w->IsBeingDeleted();
    EXPECT_EQ(windows, 1);

    // Page Down goes to the 1/X/2 page.
    Press(PageOf(frame, 0)->OkButton(), WXK_PAGEDOWN);
    ASSERT_EQ(frame->Book()->GetSelection(), 1);
    auto* page = dynamic_cast<RangePage*>(PageOf(frame, 1));
    ASSERT_NE(page, nullptr);
    const int N = data.matchCount;
    EXPECT_EQ(page->ResultHeader()->GetLabel(), "-> Number of Tips");

    // A click on the enable box switches the condition on: apply is pending on every page.
    const bool wasEnabled = data.conditionEnabled[1];
    ASSERT_FALSE(wasEnabled);
    EXPECT_FALSE(page->MinimumSlider(0)->IsEnabled()) << "greyed while off";
    EXPECT_STREQ(page->Graphic().front().colour, "LIGHT GREY");
    Click(page->EnableBox(), [page] { return page->EnableBox()->GetValue(); });
    ASSERT_TRUE(page->EnableBox()->GetValue()) << "the click did not reach the enable box";
    EXPECT_TRUE(page->MinimumSlider(0)->IsEnabled());
    for (int p = 0; p < 4; ++p) ExpectMarking(PageOf(frame, p), true);

    // Left on the minimum slider of tip 1: one lower per press, its label follows.
    wxSlider* slider = page->MinimumSlider(0);
    ASSERT_EQ(slider->GetValue(), 100);
    for (int i = 0; i < 3; ++i) Press(slider, WXK_LEFT);
    EXPECT_EQ(slider->GetValue(), 97);
    EXPECT_EQ(page->SliderValue(slider)->GetLabel(), "(97)");
    Press(slider, WXK_RIGHT);
    EXPECT_EQ(slider->GetValue(), 98);
    // The maximum of tip 1 dragged (as the mouse does) to the narrowest setting.
    page->MaximumSlider(0)->SetValue(0);
    wxCommandEvent drag(wxEVT_SLIDER, page->MaximumSlider(0)->GetId());
    drag.SetEventObject(page->MaximumSlider(0));
    drag.SetInt(0);
    page->MaximumSlider(0)->GetEventHandler()->ProcessEvent(drag);
    EXPECT_EQ(page->SliderValue(page->MaximumSlider(0))->GetLabel(), "(0)");

    // The results and the graphic are those of the core for the shown values.
    auto* book = frame->Conditions();
    const vdx::KindBounds bounds = vdx::ShownBounds(book->Shown(), book->Context(), 0);
    EXPECT_EQ(page->Bounds(), bounds);
    EXPECT_LT(bounds[0][1], N) << "the maximum was narrowed";
    EXPECT_EQ(page->ResultMinimum(0)->GetLabel(), wxString::Format("%d -", bounds[0][0]));
    EXPECT_EQ(page->ResultMaximum(0)->GetLabel(), wxString::Format("%d", bounds[0][1]));
    EXPECT_EQ(page->Graphic(), vdx::RangeGraphic(book->Context().expected[0], N, bounds, true, 0));
    // Drawn: row 0 green up to 15 x maximum, nothing beyond.
    RangeBar* bar = page->Bar(0);
    ASSERT_FALSE(bar->Boxes().empty());
    EXPECT_EQ(DrawnAt(bar, vdx::kRangeMatchWidth * bounds[0][1] - 2), wxTheColourDatabase->Find("GREEN"));
    EXPECT_EQ(DrawnAt(bar, vdx::kRangeMatchWidth * bounds[0][1] + 2), *wxWHITE);
    EXPECT_EQ(DrawnAt(page->Bar(3), 1), wxTheColourDatabase->Find("GREEN")) << "the average line";

    // The document is untouched until apply is clicked.
    EXPECT_FALSE(data.conditionEnabled[1]);
    const wxString logBefore = LogText();
    Click(page->ApplyButton(), [&data] { return data.conditionEnabled[1]; });
    EXPECT_TRUE(data.conditionEnabled[1]);
    EXPECT_EQ(data.conditionRanges[0][0][0], 98);
    EXPECT_EQ(data.conditionRanges[0][0][1], 0);
    EXPECT_EQ(data.effectiveBounds[0][0][0], bounds[0][0]);
    EXPECT_EQ(data.effectiveBounds[0][0][1], bounds[0][1]);
    EXPECT_TRUE(doc->IsModified());
    for (int p = 0; p < 4; ++p) ExpectMarking(PageOf(frame, p), false);
    const wxString logLine = doc->GetUserReadableName() + ": Conditions changed";
    EXPECT_EQ(Occurrences(LogText().Mid(logBefore.length()), logLine), 1);

    // A second change is applied with Return on a check box; the log line is written once per window.
    Press(page->MaximumSlider(0), WXK_RIGHT);
    ExpectMarking(page, true);
    Press(page->EnableBox(), WXK_RETURN);
    EXPECT_EQ(data.conditionRanges[0][0][1], 1);
    EXPECT_TRUE(frame->IsShown()) << "Return applied, it did not close";
    EXPECT_EQ(Occurrences(LogText().Mid(logBefore.length()), logLine), 1);

    // The next calculation uses the condition as set.
    data.rounds = 2;
    data.unsuccessfulTries = 30;
    data.extraTries = 0;
    ASSERT_TRUE(RunCalculateCommand(doc));
    EXPECT_NE(data.lastConditionState[1], 0) << "the 1/X/2 condition took part";
    EXPECT_EQ(data.lastConditionBounds[0][0][1], data.effectiveBounds[0][0][1]);
    EXPECT_EQ(data.lastConditionBounds[0][0][1], vdx::ShownBounds(book->Shown(), book->Context(), 0)[0][1]);

    // Switching the page off greys its controls and its graphic, and is pending again.
    Click(page->EnableBox(), [page] { return !page->EnableBox()->GetValue(); });
    EXPECT_FALSE(page->EnableBox()->GetValue());
    EXPECT_FALSE(page->MaximumSlider(2)->IsEnabled());
    for (const vdx::ColouredBox& box : page->Graphic()) EXPECT_STREQ(box.colour, "LIGHT GREY");
    ExpectMarking(PageOf(frame, 3), true);

    // Escape closes without applying.
    Press(page->MaximumSlider(2), WXK_ESCAPE);
    EXPECT_TRUE(SettleUntil([doc] { return FindConditions(doc) == nullptr; })) << "Escape left the window open";
    EXPECT_TRUE(data.conditionEnabled[1]);
}

// With ranges as numbers of matches (the setting in effect) the rows are lists.
TEST_F(ConditionsTest, NumbersOfMatchesAreChosenFromLists) {
    App().Config().settings.rangesAbsolute = true;
    VdxDocument* doc = OpenExample();
    ASSERT_NE(doc, nullptr);
    vdx::PoolsDocument& data = doc->Data();
    ASSERT_TRUE(data.env.rangesAbsolute);
    const int N = data.matchCount;
    ConditionsFrame* frame = OpenConditions(doc);
    ASSERT_NE(frame, nullptr);
    frame->Book()->SetSelection(2);
    auto* page = dynamic_cast<RangePage*>(PageOf(frame, 2));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->MinimumSlider(0), nullptr);
    wxChoice* minimum = page->MinimumList(0);
    wxChoice* maximum = page->MaximumList(0);
    ASSERT_EQ(minimum->GetCount(), static_cast<unsigned>(N + 1));
    EXPECT_EQ(minimum->GetString(0), "0");
    EXPECT_EQ(maximum->GetString(0), wxString::Format("%d", N));
    EXPECT_EQ(page->HeaderText()->GetLabel(), "Specify the maximal and minimal numbers of likely and unlikely tips.");

    Click(page->EnableBox(), [page] { return page->EnableBox()->GetValue(); });
    // Favourites: at least 2, at most N - 3.
    for (auto [list, index] : {std::pair{minimum, 2}, std::pair{maximum, 3}}) {
        list->SetSelection(index);
        wxCommandEvent pick(wxEVT_CHOICE, list->GetId());
        pick.SetEventObject(list);
        pick.SetInt(index);
        list->GetEventHandler()->ProcessEvent(pick);
    }
    const vdx::KindBounds bounds = page->Bounds();
    EXPECT_EQ(page->ResultMinimum(0)->GetLabel(), wxString::Format("%d -", bounds[0][0]));
    Click(page->ApplyButton(), [&data] { return data.conditionEnabled[2]; });
    EXPECT_EQ(data.conditionRanges[1][0][0], 2);
    EXPECT_EQ(data.conditionRanges[1][0][1], 3);
    EXPECT_EQ(data.effectiveBounds[1][0][0], bounds[0][0]);
    EXPECT_EQ(data.effectiveBounds[1][0][1], bounds[0][1]);
    frame->Close(true);
    SettleUntil([doc] { return FindConditions(doc) == nullptr; });
}

TEST_F(ConditionsTest, CancelAfterChangesOnSeveralPagesLeavesTheDocumentUntouched) {
    VdxDocument* doc = OpenExample();
    ASSERT_NE(doc, nullptr);
    const vdx::ConditionValues before = vdx::ConditionsOf(doc->Data());
    ConditionsFrame* frame = OpenConditions(doc);
    ASSERT_NE(frame, nullptr);
    auto* duplicates = dynamic_cast<DuplicatesPage*>(PageOf(frame, 0));
    ASSERT_NE(duplicates, nullptr);
    // Rows for the example's matches only, with the match names.
    const int N = doc->Data().matchCount;
    for (int m = 0; m < vdx::kMaxMatches; ++m) EXPECT_EQ(duplicates->MatchBox(m)->IsShown(), m < N) << m;
    EXPECT_EQ(duplicates->MatchBox(0)->GetLabel(), wxString::FromUTF8(doc->Data().match(0).name));
    Click(duplicates->EnableBox(), [duplicates] { return duplicates->EnableBox()->GetValue(); });
    EXPECT_TRUE(duplicates->EnableBox()->GetValue());

    // Page Up wraps around to the limit page.
    Press(duplicates->OkButton(), WXK_PAGEUP);
    ASSERT_EQ(frame->Book()->GetSelection(), 3);
    auto* limit = dynamic_cast<LimitPage*>(PageOf(frame, 3));
    ASSERT_NE(limit, nullptr);
    EXPECT_EQ(limit->LimitList()->GetString(0), wxString::Format("%d", N));
    EXPECT_EQ(limit->LimitList()->GetString(static_cast<unsigned>(N)), "0");
    limit->LimitList()->SetSelection(5);
    wxCommandEvent pick(wxEVT_CHOICE, limit->LimitList()->GetId());
    pick.SetEventObject(limit->LimitList());
    pick.SetInt(5);
    limit->LimitList()->GetEventHandler()->ProcessEvent(pick);
    ExpectMarking(limit, true);

    // Return on Cancel only sounds; the click closes without a question.
    const int soundsBefore = sounds_.count;
    Press(limit->CancelButton(), WXK_RETURN);
    EXPECT_EQ(sounds_.count, soundsBefore + 1);
    EXPECT_TRUE(frame->IsShown());
    Click(limit->CancelButton(), [doc] { return FindConditions(doc) == nullptr; });
    EXPECT_TRUE(SettleUntil([doc] { return FindConditions(doc) == nullptr; }));
    EXPECT_TRUE(vdx::ConditionsOf(doc->Data()) == before);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(ConditionsTest, DefaultConditionsReachNewDocumentsAndTheConfiguration) {
    App().Config().conditions.limit = 5;
    App().Config().options.matchCount = 12;
    SendCommand(&Main(), kIdDefaultConditions);
    ConditionsFrame* frame = FindDefaultConditions();
    ASSERT_NE(frame, nullptr);
    SettleUntil([frame] { return frame->IsShownOnScreen(); });
    SendCommand(&Main(), kIdDefaultConditions);
    EXPECT_EQ(FindDefaultConditions(), frame);
    EXPECT_EQ(frame->GetTitle(), "+++ Default Conditions +++");
    EXPECT_EQ(dynamic_cast<RangePage*>(PageOf(frame, 2))->ResultHeader()->GetLabel(),
              "-> Number of Tips (Average)");
    EXPECT_EQ(dynamic_cast<DuplicatesPage*>(PageOf(frame, 0))->MatchBox(0)->GetLabel(), "Match 1");

    frame->Book()->SetSelection(3);
    Settle(150);
    SaveScreenshot("default-conditions");
    auto* limit = dynamic_cast<LimitPage*>(PageOf(frame, 3));
    ASSERT_NE(limit, nullptr);
    EXPECT_EQ(limit->LimitList()->GetStringSelection(), "7"); // 12 - 5
    Click(limit->DefaultButton(), [limit] { return limit->LimitList()->GetStringSelection() == "10"; });
    EXPECT_EQ(limit->LimitList()->GetStringSelection(), "10") << "the default limit 2 shows as 12 - 2";
    ExpectMarking(limit, true);
    // The first range page's default: off and the widest range.
    frame->Book()->SetSelection(1);
    auto* tips = dynamic_cast<RangePage*>(PageOf(frame, 1));
    Click(tips->DefaultButton(), [tips] { return tips->ApplyButton()->IsEnabled() && !tips->EnableBox()->GetValue(); });
    EXPECT_FALSE(tips->EnableBox()->GetValue());
    EXPECT_EQ(tips->MinimumSlider(1)->GetValue(), 100);

    const wxString logBefore = LogText();
    Click(tips->OkButton(), [] { return FindDefaultConditions() == nullptr; });
    EXPECT_TRUE(SettleUntil([] { return FindDefaultConditions() == nullptr; })) << "OK did not close";
    EXPECT_EQ(App().Config().conditions.limit, 2);
    EXPECT_EQ(Occurrences(LogText().Mid(logBefore.length()), "Default Conditions changed"), 1);

    SendCommand(&Main(), wxID_NEW);
    VdxDocument* doc = Manager().CurrentVdxDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->Data().conditionLimit, 2);
    vdx::MemoryConfigStore store;
    vdx::WriteAppConfig(store, App().Config());
    EXPECT_EQ(store.entries["ConditionsLimit"], "2");
}

TEST_F(ConditionsTest, WindowFollowsTheDocumentAndClosesWithIt) {
    VdxDocument* doc = OpenExample();
    ASSERT_NE(doc, nullptr);
    ConditionsFrame* frame = OpenConditions(doc);
    ASSERT_NE(frame, nullptr);
    auto* tips = dynamic_cast<RangePage*>(PageOf(frame, 1));
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(tips->RowLabel(1)->GetLabel(), "Tip &X:");

    // The draw written "0" and a match without data, changed elsewhere: the page follows.
    doc->Data().zeroForDraw = true;
    doc->Data().match(doc->Data().matchCount - 1).probability = {-1, -1};
    doc->MarkChanged();
    EXPECT_TRUE(SettleUntil([&] { return tips->RowLabel(1)->GetLabel() == "Tip &0:"; }));
    EXPECT_EQ(frame->Book()->GetPageText(1), "Conditions for 1, 0 and 2");
    const int N = doc->Data().matchCount;
    EXPECT_EQ(tips->ResultHeader()->GetLabel(), wxString::Format("-> Number of Tips (%d/%d Matches)", N - 1, N));
    ExpectMarking(tips, false);

    // Return on a check box with nothing pending closes the window.
    frame->Book()->SetSelection(1);
    Press(tips->EnableBox(), WXK_RETURN);
    EXPECT_TRUE(SettleUntil([doc] { return FindConditions(doc) == nullptr; })) << "Return did not close";

    // Open again; closing the document closes it.
    const wxWeakRef<ConditionsFrame> again(OpenConditions(doc));
    ASSERT_TRUE(again);
    CloseAllDocuments();
    EXPECT_TRUE(SettleUntil([&] { return !again; })) << "the window outlived its document";
}

TEST_F(ConditionsTest, PagesShowEverythingAtTheDefaultSize) {
    VdxDocument* doc = OpenExample();
    ASSERT_NE(doc, nullptr);
    ConditionsFrame* frame = OpenConditions(doc);
    ASSERT_NE(frame, nullptr);
    EXPECT_GE(frame->GetSize().x, 692);
    for (int p = 0; p < 4; ++p) {
        frame->Book()->SetSelection(static_cast<size_t>(p));
        Settle(150);
        NotebookPage* page = PageOf(frame, p);
        SaveScreenshot(("conditions-page" + std::to_string(p)).c_str());
        for (wxButton* button : {page->OkButton(), page->CancelButton(), page->ApplyButton(), page->DefaultButton()})
            EXPECT_TRUE(VisibleInFrame(button)) << "page " << p;
        if (auto* range = dynamic_cast<RangePage*>(page)) {
            EXPECT_TRUE(VisibleInFrame(range->Bar(3))) << "page " << p;
            EXPECT_TRUE(VisibleInFrame(range->MaximumSlider(2))) << "page " << p;
            EXPECT_TRUE(VisibleInFrame(range->ResultMaximum(2))) << "page " << p;
        }
        if (auto* duplicates = dynamic_cast<DuplicatesPage*>(page)) {
            EXPECT_TRUE(VisibleInFrame(duplicates->MatchBox(doc->Data().matchCount - 1)));
        }
        if (auto* limit = dynamic_cast<LimitPage*>(page)) {
            EXPECT_TRUE(VisibleInFrame(limit->LimitList()));
        }
    }
    frame->Book()->SetSelection(1);
    Settle(200);
    SaveScreenshot("conditions");
    frame->Close(true);
    Settle(50);
}

TEST_F(ConditionsTest, SettingsResortDocumentsSortedByProbabilityAndKeepTheRestForTheNextStart) {
    VdxDocument* doc = OpenExample();
    ASSERT_NE(doc, nullptr);
    vdx::PoolsDocument& data = doc->Data();
    ASSERT_TRUE(data.hasTips);
    ASSERT_TRUE(App().Config().settings.sortUnlikelyFirst);
    data.sortMode = static_cast<int>(vdx::SortMode::ByProbability);
    vdx::SortLines(data, data.sortMode);
    const int firstBefore = vdx::LineProbabilitySum(data, 0);
    const int lastBefore = vdx::LineProbabilitySum(data, data.tipLineCount - 1);
    ASSERT_LT(firstBefore, lastBefore) << "the most unlikely line first";

    SendCommand(&Main(), kIdMoreOptions);
    SettingsFrame* frame = FindSettings();
    ASSERT_NE(frame, nullptr);
    SettleUntil([frame] { return frame->IsShownOnScreen(); });
    SettleUntil([] { return false; }, 200);
    SendCommand(&Main(), kIdMoreOptions);
    EXPECT_EQ(FindSettings(), frame);
    EXPECT_EQ(frame->GetTitle(), "+++ Settings +++");
    EXPECT_EQ(frame->GetId(), 7232);
    ASSERT_EQ(frame->Book()->PageCount(), 2);
    EXPECT_EQ(frame->Book()->GetSelection(), 0);
    auto* general = dynamic_cast<SettingsPage*>(PageOf(frame, 0));
    ASSERT_NE(general, nullptr);
    ASSERT_EQ(general->BoxCount(), 4);
    EXPECT_TRUE(general->Box(1)->GetValue());
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(VisibleInFrame(general->Box(i))) << i;
    EXPECT_TRUE(VisibleInFrame(general->DefaultButton()));
    SaveScreenshot("settings");

    // Sorting: unlikely lines no longer first; more than one document: for the next start.
    Click(general->Box(1), [general] { return !general->Box(1)->GetValue(); });
    Click(general->Box(2), [general] { return general->Box(2)->GetValue(); });
    EXPECT_FALSE(general->Box(1)->GetValue());
    ExpectMarking(general, true);
    const wxString logBefore = LogText();
    Click(general->ApplyButton(), [] { return !App().Config().settings.sortUnlikelyFirst; });
    EXPECT_FALSE(App().Config().settings.sortUnlikelyFirst);
    EXPECT_EQ(vdx::LineProbabilitySum(data, 0), lastBefore) << "the most likely line comes first now";
    EXPECT_TRUE(App().Config().settings.nextMultiDocument);
    EXPECT_FALSE(App().Config().settings.multiDocument) << "acts at the next start only";
    EXPECT_EQ(Occurrences(LogText().Mid(logBefore.length()), "Settings changed"), 1);
    ExpectMarking(general, false);

    // "&default" only shows the defaults.
    Click(general->DefaultButton(), [general] { return general->Box(1)->GetValue(); });
    EXPECT_TRUE(general->Box(1)->GetValue());
    EXPECT_FALSE(general->Box(2)->GetValue());
    EXPECT_FALSE(App().Config().settings.sortUnlikelyFirst);
    ExpectMarking(general, true);

    // The calculation page: the progress setting acts at once; OK applies and closes.
    Press(general->OkButton(), WXK_PAGEDOWN);
    ASSERT_EQ(frame->Book()->GetSelection(), 1);
    auto* calculation = dynamic_cast<SettingsPage*>(PageOf(frame, 1));
    Click(calculation->Box(1), [calculation] { return calculation->Box(1)->GetValue(); });
    Click(calculation->OkButton(), [] { return FindSettings() == nullptr; });
    EXPECT_TRUE(SettleUntil([] { return FindSettings() == nullptr; }));
    EXPECT_TRUE(App().Config().settings.startFrozen);
    EXPECT_TRUE(App().Config().settings.sortUnlikelyFirst) << "the general page's defaults were applied too";
}

} // namespace

int main(int argc, char** argv) {
    const WindowManager manager;
    return RunGuiTests(argc, argv);
}
