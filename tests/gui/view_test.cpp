// The ticket view in the running application under a virtual display: paging
// and highlighting through the frame's commands and the canvas keys, the
// enabling of those commands, the drawing itself and the window size.

#include "Desktop.h"
#include "GuiTestSupport.h"

#include "document/VdxFile.h"
#include "frame/CommandIds.h"
#include "view/TicketCanvas.h"
#include "view/TicketRender.h"
#include "view/VdxView.h"

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace vdx::gui;
using namespace vdx::guitest;

namespace {

VdxView* ViewOf(VdxDocument* doc) { return dynamic_cast<VdxView*>(doc->GetFirstView()); }

const vdx::TicketItem* FindItem(const vdx::TicketLayout& layout, vdx::TicketPart part, int row = -1,
                                int line = -1) {
    for (const vdx::TicketItem& item : layout.items)
        if (item.part == part && (row < 0 || item.row == row) && (line < 0 || item.line == line))
            return &item;
    return nullptr;
}

// A drawing of the view on a white bitmap.
struct Picture {
    wxImage image;
    vdx::TicketLayout layout;
    wxFont font;

    // The box an item's text takes, as the drawing measured it.
    wxRect Box(const vdx::TicketItem& item) const {
        wxBitmap bitmap(1, 1);
        wxMemoryDC dc(bitmap);
        const WxTextMeasure measure(dc, font);
        return wxRect(item.x, item.y, measure.textWidth(item.text, item.style), measure.textHeight());
    }
    template <class Pred> int Count(const wxRect& box, Pred pred) const {
        int n = 0;
        const wxRect r = box.Intersect(wxRect(0, 0, image.GetWidth(), image.GetHeight()));
        for (int y = r.GetTop(); y <= r.GetBottom(); ++y)
            for (int x = r.GetLeft(); x <= r.GetRight(); ++x)
                n += pred(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)) ? 1 : 0;
        return n;
    }
    int Inked(const wxRect& box) const {
        return Count(box, [](int r, int g, int b) { return r < 200 || g < 200 || b < 200; });
    }
    // Rows from the first to the last with ink.
    int InkHeight(const wxRect& box) const {
        int top = -1, bottom = -1;
        for (int y = box.GetTop(); y <= box.GetBottom(); ++y) {
            if (Inked(wxRect(box.x, y, box.width, 1)) == 0) continue;
            if (top < 0) top = y;
            bottom = y;
        }
        return top < 0 ? 0 : bottom - top + 1;
    }
    int Red(const wxRect& box) const {
        return Count(box, [](int r, int g, int b) { return r > 150 && g < 110 && b < 110; });
    }
};

Picture Draw(VdxView* view, int width = 800, int height = 700) {
    wxBitmap bitmap(width, height, 24);
    Picture picture;
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        picture.layout = view->Draw(dc, false, 0);
    }
    picture.image = bitmap.ConvertToImage();
    picture.font = view->Canvas()->GetFont();
    return picture;
}

// The title of the ticket as the view draws it now.
std::string Title(VdxView* view) {
    const Picture picture = Draw(view, 600, 500);
    const vdx::TicketItem* title = FindItem(picture.layout, vdx::TicketPart::Title);
    return title ? title->text : std::string();
}

class ViewTest : public AppTest {
protected:
    void TearDown() override {
        AppTest::TearDown();
        SetTicketScale(100);
    }
    VdxView* OpenRound(int lines, int perTicket) {
        const fs::path path = dir_ / "round.vdx";
        WriteCalculatedRound(path, lines, perTicket);
        VdxDocument* doc = Open(path);
        return doc ? ViewOf(doc) : nullptr;
    }
    fs::path dir_;
};

// 25 lines, 12 per ticket: tickets start at lines 0, 12 and 24.
TEST_F(ViewTest, PagingAndHighlightingCommandsMoveThroughTheTickets) {
    VdxView* view = OpenRound(25, 12);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Paging().firstLine, 0);
    EXPECT_EQ(view->Paging().highlight, vdx::kHighlightOff);

    struct Step {
        int id;
        int firstLine, highlight;
    };
    const int off = vdx::kHighlightOff;
    const std::vector<Step> steps = {
        {kIdNextTicket, 12, off},
        {kIdNextTicket, 24, off},
        {kIdNextTicket, 0, off},      // past the last ticket: the first
        {kIdPreviousTicket, 24, off}, // before the first: the last
        {kIdFirstTicket, 0, off},
        {kIdNextLine, 0, 0},          // highlighting starts on the shown ticket
        {kIdPreviousLine, 24, 24},    // back over the start: last line of the last ticket
        {kIdNextLine, 0, 0},          // on over the end: the first ticket
        {kIdNextTicket, 12, 12},      // the highlight follows to the new ticket's first line
        {kIdPreviousLine, 0, 11},     // and from there back to the previous ticket's last line
        {kIdNextLine, 12, 12},
        {kIdLastTicket, 24, 24},
        {kIdStopHighlighting, 24, off},
        {kIdNextLine, 24, 24},
        {kIdNextLine, 0, 0},          // the last ticket has one line
    };
    for (const Step& step : steps) {
        SendCommand(&Main(), step.id);
        const vdx::TicketPaging paging = view->Paging();
        EXPECT_EQ(paging.firstLine, step.firstLine) << "after command " << step.id;
        EXPECT_EQ(paging.highlight, step.highlight) << "after command " << step.id;
    }
    EXPECT_TRUE(g_messages.empty()) << g_messages.front().text;

    SendCommand(&Main(), kIdLastTicket);
    EXPECT_EQ(Title(view), "Ticket No. 3 of 3 (Line 25 to 25 of 25)");
}

TEST_F(ViewTest, CanvasKeysAndDoubleClickReachTheCommands) {
    VdxView* view = OpenRound(25, 12);
    ASSERT_NE(view, nullptr);
    TicketCanvas* canvas = view->Canvas();
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas->GetParent(), Main().Canvas());

    struct Key {
        int key;
        int firstLine, highlight;
    };
    const std::vector<Key> keys = {
        {'+', 12, vdx::kHighlightOff}, {WXK_END, 24, vdx::kHighlightOff},
        {WXK_HOME, 0, vdx::kHighlightOff}, {WXK_DOWN, 0, 0},
        {WXK_RIGHT, 0, 1}, {WXK_UP, 0, 0},
        {WXK_DELETE, 0, vdx::kHighlightOff}, {'-', 24, vdx::kHighlightOff},
    };
    for (const Key& k : keys) {
        wxKeyEvent event = CharEvent(k.key);
        event.SetEventObject(canvas);
        canvas->ProcessWindowEvent(event);
        EXPECT_EQ(view->Paging().firstLine, k.firstLine) << "key " << k.key;
        EXPECT_EQ(view->Paging().highlight, k.highlight) << "key " << k.key;
    }

    // Stop Highlighting with nothing highlighted is disabled: the key is passed on.
    wxKeyEvent del = CharEvent(WXK_DELETE);
    del.SetEventObject(canvas);
    canvas->ProcessWindowEvent(del);
    EXPECT_TRUE(del.GetSkipped());

    CommandRecorder recorder(&Main());
    wxMouseEvent click(wxEVT_LEFT_DCLICK);
    click.SetEventObject(canvas);
    canvas->ProcessWindowEvent(click);
    EXPECT_EQ(recorder.ids, std::vector<int>{kIdInput});
}

// Real key presses through the display, as the user types them into the ticket view.
TEST_F(ViewTest, PressedKeysMoveTheHighlight) {
    VdxView* view = OpenRound(25, 12);
    ASSERT_NE(view, nullptr);
    TicketCanvas* canvas = view->Canvas();
    ASSERT_NE(canvas, nullptr);
    Main().Show();
    Main().Raise();
    canvas->SetFocus();
    ASSERT_TRUE(SettleUntil([&] { return canvas->IsShownOnScreen() && wxWindow::FindFocus() == canvas; }))
        << "the ticket view did not get the keyboard focus";
    // Without a window manager the keyboard follows the pointer.
    wxUIActionSimulator().MouseMove(canvas->GetScreenRect().GetPosition() + wxPoint(5, 5));
    SettleUntil([] { return false; }, 200);

    struct Key {
        const char* what;
        int key, modifiers;
        int firstLine, highlight;
    };
    const int off = vdx::kHighlightOff;
    const std::vector<Key> keys = {
        {"Space", ' ', wxMOD_NONE, 0, 0},
        {"Space", ' ', wxMOD_NONE, 0, 1},
        {"Ctrl+Space", ' ', wxMOD_CONTROL, 0, 0},
        {"full stop", '.', wxMOD_NONE, 0, 1},
        {"Escape", WXK_ESCAPE, wxMOD_NONE, 0, off},
        {"End", WXK_END, wxMOD_NONE, 24, off},
        {"Space on the last ticket's only line", ' ', wxMOD_NONE, 24, 24},
        {"Space past the last line", ' ', wxMOD_NONE, 0, 0},
    };
    wxUIActionSimulator keyboard;
    for (const Key& k : keys) {
        const vdx::TicketPaging before = view->Paging();
        keyboard.Char(k.key, k.modifiers);
        const bool moved = SettleUntil([&] {
            const vdx::TicketPaging now = view->Paging();
            return now.firstLine != before.firstLine || now.highlight != before.highlight;
        });
        EXPECT_TRUE(moved) << k.what << " changed nothing";
        EXPECT_EQ(view->Paging().firstLine, k.firstLine) << k.what;
        EXPECT_EQ(view->Paging().highlight, k.highlight) << k.what;
    }
}

TEST_F(ViewTest, CommandsAreEnabledOnlyWhereTheyDoSomething) {
    struct Case {
        const char* what;
        int lines, perTicket;
        bool tickets, lineMoves, saveText;
    };
    const std::vector<Case> cases = {
        {"no lines", 0, 12, false, false, false},
        {"three tickets", 25, 12, true, true, true},
        {"exactly one ticket", 12, 12, false, true, true},
        {"two full tickets", 4, 2, true, true, true},
        {"a single line", 1, 12, false, false, true},
    };
    for (const Case& c : cases) {
        VdxView* view = OpenRound(c.lines, c.perTicket);
        ASSERT_NE(view, nullptr) << c.what;
        for (int id : {kIdNextTicket, kIdPreviousTicket, kIdLastTicket, kIdFirstTicket})
            EXPECT_EQ(IsEnabledIn(&Main(), id), c.tickets) << c.what << " " << id;
        for (int id : {kIdNextLine, kIdPreviousLine})
            EXPECT_EQ(IsEnabledIn(&Main(), id), c.lineMoves) << c.what << " " << id;
        EXPECT_EQ(IsEnabledIn(&Main(), kIdSaveAsText), c.saveText) << c.what;
        EXPECT_FALSE(IsEnabledIn(&Main(), kIdStopHighlighting)) << c.what;
        if (c.lineMoves) {
            SendCommand(&Main(), kIdNextLine);
            EXPECT_TRUE(IsEnabledIn(&Main(), kIdStopHighlighting)) << c.what;
        }
        Manager().CloseDocuments(true);
    }
    // Without a document nothing of the view is enabled.
    EXPECT_FALSE(IsEnabledIn(&Main(), kIdNextTicket));
    EXPECT_FALSE(IsEnabledIn(&Main(), kIdNextLine));
}

// A new distribution is shown from the ticket that was displayed, wrapped when it is gone.
TEST_F(ViewTest, PositionSurvivesRecalculationAndWrapsWhenTheTicketIsGone) {
    VdxView* view = OpenRound(25, 12);
    ASSERT_NE(view, nullptr);
    VdxDocument* doc = view->Document();
    SendCommand(&Main(), kIdNextTicket);
    SendCommand(&Main(), kIdNextLine);
    ASSERT_EQ(view->Paging().highlight, 12);

    doc->Data().tipLineCount = 24;
    doc->UpdateAllViews();
    EXPECT_EQ(view->Paging().firstLine, 12);
    EXPECT_EQ(Title(view), "Ticket No. 2 of 2 (Line 13 to 24 of 24)");

    doc->Data().tipLineCount = 10;
    doc->UpdateAllViews();
    EXPECT_EQ(view->Paging().firstLine, 0);
    EXPECT_EQ(view->Paging().highlight, 9); // clamped into the lines
    EXPECT_EQ(Title(view), "Ticket No. 1 of 1 (Line 1 to 10 of 10)");

    doc->Data().hasTips = false;
    doc->UpdateAllViews();
    EXPECT_EQ(Title(view), "Ticket (no tips calculated yet)");
    EXPECT_FALSE(IsEnabledIn(&Main(), kIdNextLine));
}

TEST_F(ViewTest, DrawingPutsEveryTextInItsPlaceAndColour) {
    VdxView* view = OpenRound(25, 12);
    ASSERT_NE(view, nullptr);
    SendCommand(&Main(), kIdNextLine); // a bold, larger line among the plain ones
    const Picture picture = Draw(view);
    const vdx::TicketLayout& layout = picture.layout;
    ASSERT_FALSE(layout.items.empty());
    EXPECT_EQ(layout.items.size(), view->CurrentLayout().items.size());

    const vdx::TicketItem* title = FindItem(layout, vdx::TicketPart::Title);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text, "Ticket No. 1 of 3 (Line 1 to 12 of 25)");
    const wxRect titleBox = picture.Box(*title);
    EXPECT_GT(picture.Inked(titleBox), titleBox.width / 2);
    EXPECT_EQ(picture.Red(titleBox), 0);
    // Beside the ticket nothing is drawn.
    EXPECT_EQ(picture.Inked(wxRect(layout.neededWidth + 40, 0, 800 - layout.neededWidth - 40, 700)), 0);

    // Every text leaves ink where the layout put it: nothing dropped or misplaced.
    int texts = 0;
    for (const vdx::TicketItem& item : layout.items) {
        if (item.text.empty()) continue;
        ++texts;
        EXPECT_GT(picture.Inked(picture.Box(item)), 0) << item.text << " at " << item.x << "," << item.y;
    }
    EXPECT_GT(texts, 12 * 12);

    // Results are red; a tip that hits its result is red, one that misses is not.
    const vdx::TicketItem* result = FindItem(layout, vdx::TicketPart::Result, 0);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->text, "1");
    EXPECT_GT(picture.Red(picture.Box(*result)), 0);
    const vdx::TicketItem* hit = FindItem(layout, vdx::TicketPart::Tip, 0, 3);   // (3 + 0) % 3 == "1"
    const vdx::TicketItem* miss = FindItem(layout, vdx::TicketPart::Tip, 0, 4);  // "X"
    ASSERT_NE(hit, nullptr);
    ASSERT_NE(miss, nullptr);
    EXPECT_GT(picture.Red(picture.Box(*hit)), 0);
    EXPECT_EQ(picture.Red(picture.Box(*miss)), 0);
    EXPECT_GT(picture.Inked(picture.Box(*miss)), 0);
    // Both are a red "1"; the result's is bold.
    EXPECT_GT(picture.Red(picture.Box(*result)), picture.Red(picture.Box(*hit)));

    // The highlighted line is drawn in a larger, bold type: its "2" is taller and takes more ink.
    const vdx::TicketItem* highlighted = FindItem(layout, vdx::TicketPart::Tip, 5, 0);
    const vdx::TicketItem* plain = FindItem(layout, vdx::TicketPart::Tip, 5, 3);
    ASSERT_NE(highlighted, nullptr);
    ASSERT_NE(plain, nullptr);
    const int highlightedHeight = picture.InkHeight(picture.Box(*highlighted).Inflate(2));
    const int plainHeight = picture.InkHeight(picture.Box(*plain).Inflate(2));
    EXPECT_GE(highlightedHeight, plainHeight + 3);
    EXPECT_GT(picture.Inked(picture.Box(*highlighted).Inflate(2)), picture.Inked(picture.Box(*plain).Inflate(2)));

    // The names drawn are kept for printing onto tickets.
    EXPECT_EQ(view->ShownNames()[0], "Home 1 - Away 1");
}

// The printer gets all three tickets of a page in black, one below the other.
TEST_F(ViewTest, PrintedPageHoldsThreeTicketsWithoutColour) {
    VdxView* view = OpenRound(25, 12);
    ASSERT_NE(view, nullptr);
    SendCommand(&Main(), kIdNextTicket); // the screen position does not matter to the printer
    wxBitmap bitmap(800, 1200, 24);
    vdx::TicketLayout layout;
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        layout = view->Draw(dc, true, 0);
    }
    Picture picture{bitmap.ConvertToImage(), layout, view->Canvas()->GetFont()};
    std::vector<std::string> titles;
    for (const vdx::TicketItem& item : layout.items)
        if (item.part == vdx::TicketPart::Title) titles.push_back(item.text);
    EXPECT_EQ(titles, (std::vector<std::string>{"Ticket No. 1 of 3 (Line 1 to 12 of 25)",
                                                "Ticket No. 2 of 3 (Line 13 to 24 of 25)",
                                                "Ticket No. 3 of 3 (Line 25 to 25 of 25)"}));
    EXPECT_EQ(picture.Red(wxRect(0, 0, 800, 1200)), 0);
    EXPECT_GT(picture.Inked(wxRect(0, 330, 800, 330)), 0);
    EXPECT_GT(picture.Inked(wxRect(0, 660, 800, 330)), 0);
    EXPECT_EQ(view->Paging().firstLine, 12);
}

// With several documents each child frame pages its own view.
TEST_F(ViewTest, ChildFramesPageTheirOwnDocument) {
    App().Config().settings.multiDocument = true;
    Manager().SetSingleDocument(false);
    const fs::path first = dir_ / "first.vdx", second = dir_ / "second.vdx";
    WriteCalculatedRound(first, 25, 12);
    WriteCalculatedRound(second, 25, 12);
    VdxDocument* one = Open(first);
    VdxDocument* two = Open(second);
    ASSERT_NE(one, nullptr);
    ASSERT_NE(two, nullptr);
    VdxView* viewOne = ViewOf(one);
    VdxView* viewTwo = ViewOf(two);
    ASSERT_NE(viewTwo->Canvas(), nullptr);
    EXPECT_EQ(viewTwo->Canvas()->GetParent(), viewTwo->GetFrame());

    SendCommand(viewTwo->GetFrame(), kIdLastTicket);
    wxKeyEvent key = CharEvent(WXK_DOWN);
    key.SetEventObject(viewTwo->Canvas());
    viewTwo->Canvas()->ProcessWindowEvent(key);
    EXPECT_EQ(viewTwo->Paging().firstLine, 24);
    EXPECT_EQ(viewTwo->Paging().highlight, 24);
    EXPECT_EQ(viewOne->Paging().firstLine, 0);
    EXPECT_EQ(viewOne->Paging().highlight, vdx::kHighlightOff);

    Manager().CloseDocuments(true);
    wxTheApp->ProcessIdle();
    App().Config().settings.multiDocument = false;
    Manager().SetSingleDocument(true);
}

TEST_F(ViewTest, TheFrameGrowsToHoldTheTicketAndALargeFontScalesIt) {
    Main().SetClientSize(300, 200);
    VdxView* view = OpenRound(25, 12);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->LayoutRequested());
    Main().Layout();
    const Picture picture = Draw(view);
    EXPECT_FALSE(view->LayoutRequested());
    Main().Layout();
    const wxSize client = view->Canvas()->GetClientSize();
    EXPECT_GE(client.x, picture.layout.neededWidth);
    EXPECT_GE(client.y, picture.layout.neededHeight);

    // A font whose title template is wider than the ticket's room raises the scale.
    view->Canvas()->SetFont(wxFontInfo(24).Family(wxFONTFAMILY_SWISS));
    view->RequestLayout();
    const int before = TicketScale();
    const Picture large = Draw(view, 1600, 1200);
    EXPECT_GT(TicketScale(), before);
    const vdx::TicketItem* title = FindItem(large.layout, vdx::TicketPart::Title);
    ASSERT_NE(title, nullptr);
    // The title still ends inside the ticket's width.
    EXPECT_LE(large.Box(*title).GetRight(), large.layout.neededWidth + 30);
}

} // namespace

int main(int argc, char** argv) { return RunGuiTests(argc, argv); }
