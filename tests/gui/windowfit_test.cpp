// Every window at the size it opens with, under a window manager, in the
// language given by VDX_TEST_LANGUAGE ("en" unless set): the page dialogs,
// the statistics and the format editor show all they hold, and every button
// is as wide as its label.

#include "Desktop.h"
#include "GuiTestSupport.h"

#include "calc/StatisticsPanel.h"
#include "calc/StatisticsWindow.h"
#include "frame/CommandIds.h"
#include "ticketprint/FormatCanvas.h"
#include "ticketprint/FormatEditorFrame.h"
#include "ticketprint/TicketFormatDoc.h"
#include "windows/ChartsFrame.h"
#include "windows/ConditionsDialog.h"
#include "windows/MyNotebook.h"
#include "windows/NotebookPage.h"
#include "windows/SettingsDialog.h"

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/sizer.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace vdx::gui;
using namespace vdx::guitest;

namespace {

std::string Language() {
    const char* code = std::getenv("VDX_TEST_LANGUAGE");
    return code && *code ? code : "en";
}

// The controls of a window and of the windows inside it, the window itself excluded.
void CollectControls(wxWindow* window, std::vector<wxWindow*>& out) {
    for (wxWindow* child : window->GetChildren()) {
        if (child->IsTopLevel() || !child->IsShown()) continue;
        out.push_back(child);
        CollectControls(child, out);
    }
}

// What is wrong with the page shown in frame: controls cut off by the frame,
// buttons narrower than their label, a client area below the sizer's minimum.
std::string Faults(MyNotebookFrame* frame) {
    std::string faults;
    const wxSize client = frame->GetClientSize();
    const wxSize needed = frame->GetSizer()->CalcMin();
    if (client.x < needed.x || client.y < needed.y)
        faults += "client " + std::to_string(client.x) + "x" + std::to_string(client.y) + " below " +
                  std::to_string(needed.x) + "x" + std::to_string(needed.y) + "; ";
    NotebookPage* page = frame->Book()->Page(frame->Book()->GetSelection());
    std::vector<wxWindow*> controls;
    CollectControls(page, controls);
    for (wxWindow* control : controls) {
        const std::string name = control->GetLabel().utf8_string();
        if (!VisibleInFrame(control)) faults += "cut off: " + name + "; ";
        if (auto* button = dynamic_cast<wxButton*>(control)) {
            if (button->GetBestSize().x > button->GetSize().x)
                faults += "button too narrow: " + name + " (" + std::to_string(button->GetSize().x) + " < " +
                          std::to_string(button->GetBestSize().x) + "); ";
        }
    }
    return faults;
}

class WindowFitTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        fs::copy_file(VDX_RESOURCES_DIR "/example.vdx", dir_ / "example.vdx");
        doc_ = Open(dir_ / "example.vdx");
        ASSERT_NE(doc_, nullptr);
        ASSERT_TRUE(doc_->Data().hasTips);
    }
    void TearDown() override {
        CloseAllDocuments();
        AppTest::TearDown();
    }

    // Opens a page dialog many times: each time, once the window manager had
    // its say, the page shown (a different one each time) holds everything.
    void OpenManyTimes(const char* what, const std::function<MyNotebookFrame*()>& open, const wxPoint& place) {
        for (int opening = 0; opening < 15; ++opening) {
            SCOPED_TRACE(testing::Message() << what << ", opening " << opening);
            const bool placed = place != wxDefaultPosition;
            MyNotebookFrame* frame = open();
            ASSERT_NE(frame, nullptr);
            frame->Book()->SetSelection(static_cast<size_t>(opening % frame->Book()->PageCount()));
            SettleUntil([&] {
                return frame->IsShownOnScreen() && Faults(frame).empty() &&
                       (!placed || frame->GetPosition() == place);
            });
            EXPECT_EQ(Faults(frame), "");
            if (placed) {
                EXPECT_EQ(frame->GetPosition(), place);
            }
            // A marked apply button is wider than the plain one.
            NotebookPage* page = frame->Book()->Page(frame->Book()->GetSelection());
            if (opening == 0 && page->ApplyButton()->IsShown()) {
                page->ValuesChanged();
                for (int i = 0; i < frame->Book()->PageCount(); ++i) frame->Book()->Page(i)->UpdateMarking();
                SettleUntil([&] { return Faults(frame).empty(); }, 1000);
                EXPECT_EQ(Faults(frame), "") << "with changes pending";
            }
            frame->Close(true);
            Settle(20);
        }
    }

    VdxDocument* doc_ = nullptr;
};

TEST_F(WindowFitTest, PageDialogsShowEveryControlEveryTimeTheyOpen) {
    OpenManyTimes("conditions", [&] { return ShowConditions(doc_); }, wxPoint(100, 50));
    OpenManyTimes("default conditions", [] { return ShowDefaultConditions(); }, wxPoint(100, 50));
    // The window manager places the settings window now and then on its own
    // (at the top left); its size is what counts here.
    OpenManyTimes("settings", [] { return ShowSettings(); }, wxDefaultPosition);
    OpenManyTimes("charts", [&] { return OpenChartsFrame(doc_); }, wxDefaultPosition);
}

TEST_F(WindowFitTest, StatisticsOpenLargeEnoughForTheExample) {
    ASSERT_EQ(doc_->Data().matchCount, 12);
    SendCommand(&Main(), kIdStatistics);
    StatisticsWindow* window = FindStatisticsWindow(doc_);
    ASSERT_NE(window, nullptr);
    StatisticsPanel* panel = window->Panel();
    const vdx::StatisticsLayout& drawing = panel->Drawing();
    const wxRect screen = wxDisplay(window).GetClientArea();
    ASSERT_LE(drawing.height, screen.height - 100) << "the example fits on the test screen";
    SettleUntil([&] {
        const wxSize client = panel->GetClientSize();
        return window->IsShownOnScreen() && client.x >= drawing.width && client.y >= drawing.height;
    });
    SaveScreenshot(("statistics-" + Language()).c_str());
    EXPECT_GE(panel->GetClientSize().x, drawing.width);
    EXPECT_GE(panel->GetClientSize().y, drawing.height);
    EXPECT_TRUE(screen.Contains(window->GetScreenRect())) << "within the screen";
    window->Close(true);
    Settle(50);
}

TEST_F(WindowFitTest, FormatEditorShowsEveryTextApartAndInside) {
    FormatEditorFrame::OpenFile(VDX_RESOURCES_DIR "/slip12.vdf");
    FormatEditorFrame* editor = FormatEditorFrame::Instance();
    ASSERT_NE(editor, nullptr);
    FormatCanvas* canvas = editor->Canvas();
    SettleUntil([&] { return editor->IsShownOnScreen() && editor->Document() != nullptr; });
    ASSERT_NE(editor->Document(), nullptr);
    canvas->Rebuild();
    const vdx::FormatPreview& preview = canvas->Preview();
    const wxSize needed(preview.width, preview.height);
    SettleUntil([&] {
        const wxSize client = canvas->GetClientSize();
        return client.x >= needed.x && client.y >= needed.y;
    });
    SaveScreenshot(("formateditor-" + Language()).c_str());

    std::vector<wxRect> boxes;
    wxClientDC dc(canvas);
    for (const vdx::PreviewText& t : preview.texts) {
        dc.SetFont(canvas->PreviewFont(t.fontStep));
        boxes.emplace_back(wxPoint(t.x, t.y), dc.GetTextExtent(wxString::FromUTF8(t.text)));
    }
    const wxRect client(canvas->GetClientSize());
    for (size_t i = 0; i < boxes.size(); ++i) {
        const std::string text = preview.texts[i].text;
        EXPECT_TRUE(client.Contains(boxes[i])) << "cut off: " << text;
        for (size_t j = i + 1; j < boxes.size(); ++j)
            // A few pixels apart, or neighbouring values read as one.
            EXPECT_FALSE(wxRect(boxes[i]).Inflate(4, 0).Intersects(boxes[j])) << text << " / " << preview.texts[j].text;
    }
    EXPECT_TRUE(wxRect(wxDisplay(editor).GetClientArea()).Contains(editor->GetScreenRect())) << "within the screen";

    editor->Document()->Modify(false);
    editor->Close(true);
    SettleUntil([] { return FormatEditorFrame::Instance() == nullptr; });
}

} // namespace

int main(int argc, char** argv) {
    const WindowManager manager;
    GuiTestOptions options;
    options.arguments = {"-l=" + Language()};
    return RunGuiTests(argc, argv, options);
}
