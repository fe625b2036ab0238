// The pools document on paper without a printer: pages rendered into bitmaps
// of several paper sizes and into a PostScript file, checked by the drawing
// data of the ticket view and by the pixels at its places; the print commands
// and the preview frame.

#include "Desktop.h"
#include "GuiTestSupport.h"

#include "document/VdxFile.h"
#include "frame/CommandIds.h"
#include "frame/WindowList.h"
#include "view/PagePrintout.h"
#include "view/PrintCommands.h"
#include "view/PrintPreviewFrame.h"
#include "view/TicketPrintout.h"
#include "view/TicketRender.h"
#include "view/VdxView.h"
#include "windows/DocumentWindows.h"

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/dcps.h>
#include <wx/image.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/weakref.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace vdx::gui;
using namespace vdx::guitest;

namespace {

VdxView* ViewOf(VdxDocument* doc) { return doc ? dynamic_cast<VdxView*>(doc->GetFirstView()) : nullptr; }

// One printed page on a white bitmap, with what was drawn and where.
struct PrintedPage {
    bool printed = false;
    wxImage image;
    vdx::TicketLayout layout;
    vdx::PageMapping mapping;
    int textHeight = 0;

    std::vector<vdx::TicketItem> Items(vdx::TicketPart part) const {
        std::vector<vdx::TicketItem> found;
        for (const vdx::TicketItem& item : layout.items)
            if (item.part == part) found.push_back(item);
        return found;
    }
    // The item's text box on the bitmap.
    wxRect Box(const vdx::TicketItem& item, int logicalWidth) const {
        const int x = mapping.deviceX(item.x), y = mapping.deviceY(item.y);
        return wxRect(x, y, mapping.deviceX(item.x + logicalWidth) - x, mapping.deviceY(item.y + textHeight) - y);
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
        return Count(box, [](int r, int g, int b) { return r < 160 && g < 160 && b < 160; });
    }
    int Coloured(const wxRect& box) const {
        return Count(box, [](int r, int g, int b) { return std::max({r, g, b}) - std::min({r, g, b}) > 80; });
    }
    // The lowest row with ink, -1 for a blank page.
    int LowestInk() const {
        for (int y = image.GetHeight() - 1; y >= 0; --y)
            if (Inked(wxRect(0, y, image.GetWidth(), 1)) > 0) return y;
        return -1;
    }
};

// Prints page (from 1) of the view's printout onto a bitmap of the paper's
// size in pixels at ppi.
PrintedPage PrintOnBitmap(VdxView* view, int page, int width, int height, int ppi = 96) {
    std::unique_ptr<PagePrintout> printout = CreateTicketPrintout(view);
    wxBitmap bitmap(width, height, 24);
    PrintedPage result;
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        result.printed = PrintPageOnto(*printout, dc, page, ppi);
        dc.SetUserScale(1, 1);
        result.textHeight = WxTextMeasure(dc, view->CanvasFont()).textHeight();
    }
    result.image = bitmap.ConvertToImage();
    result.layout = TicketPagesOf(printout.get())->LastLayout();
    result.mapping = printout->LastMapping();
    return result;
}

using PrintTest = AppTest;

TEST_F(PrintTest, PagesHoldThreeTicketsEach) {
    struct Case {
        int lines, perTicket;
        int pages;
    };
    const std::vector<Case> cases = {{25, 12, 1}, {100, 12, 3}, {0, 12, 1}, {37, 12, 2}, {1000, 2, 167}};
    for (const Case& c : cases) {
        VdxView* view = ViewOf(Open(WriteCalculatedRound(dir_ / "round.vdx", c.lines, c.perTicket)));
        ASSERT_NE(view, nullptr);
        std::unique_ptr<PagePrintout> printout = CreateTicketPrintout(view);
        int minPage = 0, maxPage = 0, from = 0, to = 0;
        printout->GetPageInfo(&minPage, &maxPage, &from, &to);
        EXPECT_EQ(minPage, 1) << c.lines;
        EXPECT_EQ(maxPage, c.pages) << c.lines;
        EXPECT_TRUE(printout->HasPage(c.pages)) << c.lines;
        EXPECT_FALSE(printout->HasPage(c.pages + 1)) << c.lines;
        EXPECT_FALSE(printout->HasPage(0)) << c.lines;
        CloseAllDocuments();
    }
}

TEST_F(PrintTest, PageOnA4ShowsItsTicketsInBlackWhereTheDrawingPlacesThem) {
    VdxView* view = ViewOf(Open(WriteCalculatedRound(dir_ / "round.vdx", 100, 12)));
    ASSERT_NE(view, nullptr);
    // A4 at 96 pixels an inch: the drawing keeps the screen's size.
    const PrintedPage page = PrintOnBitmap(view, 2, 794, 1123);
    ASSERT_TRUE(page.printed);
    EXPECT_NEAR(page.mapping.scaleX, 1.0, 1e-9);

    const std::vector<vdx::TicketItem> titles = page.Items(vdx::TicketPart::Title);
    ASSERT_EQ(titles.size(), 3u);
    EXPECT_EQ(titles[0].text, "Ticket No. 4 of 9 (Line 37 to 48 of 100)");
    EXPECT_EQ(titles[2].text, "Ticket No. 6 of 9 (Line 61 to 72 of 100)");
    EXPECT_EQ(titles[1].y - titles[0].y, page.layout.ticketDistance);
    EXPECT_GE(page.layout.ticketDistance, 330);
    // The first column of tips at (27 + 250) units: the printing offset.
    EXPECT_EQ(page.Items(vdx::TicketPart::Tip).front().x, 277);
    for (const vdx::TicketItem& title : titles) EXPECT_GT(page.Inked(page.Box(title, 200)), 20) << title.text;
    // Between the first ticket's last text and the next title there is no ink.
    EXPECT_EQ(page.Inked(wxRect(0, titles[1].y - 8, 794, 6)), 0);

    // Results and hits are black and bold on paper, never red as on screen.
    const std::vector<vdx::TicketItem> results = page.Items(vdx::TicketPart::Result);
    ASSERT_FALSE(results.empty());
    EXPECT_TRUE(results[0].style.bold);
    EXPECT_GT(page.Inked(page.Box(results[0], 10)), 5);
    EXPECT_EQ(page.Coloured(wxRect(0, 0, 794, 1123)), 0);
    // Beyond the ticket's width the page stays white.
    EXPECT_EQ(page.Inked(wxRect(600, 0, 194, 1123)), 0);

    // The last page holds what is left: ticket 7 to 9 on page 3, and no page 4.
    EXPECT_EQ(PrintOnBitmap(view, 3, 794, 1123).Items(vdx::TicketPart::Title).size(), 3u);
    EXPECT_FALSE(PrintOnBitmap(view, 4, 794, 1123).printed);
}

TEST_F(PrintTest, EveryTicketFitsPaperOfOtherShapes) {
    VdxView* view = ViewOf(Open(WriteCalculatedRound(dir_ / "round.vdx", 100, 12)));
    ASSERT_NE(view, nullptr);
    struct Case {
        const char* what;
        int width, height, ppi;
    };
    const std::vector<Case> cases = {
        {"A4 landscape", 1123, 794, 96},
        {"A5 portrait", 559, 794, 96},
        {"A4 at 300 dpi, scaled down to a preview's picture", 794, 1123, 300},
    };
    for (const Case& c : cases) {
        const PrintedPage page = PrintOnBitmap(view, 1, c.width, c.height, c.ppi);
        ASSERT_TRUE(page.printed) << c.what;
        // Shrunk evenly: the last ticket's correct tips stand on the paper, inked.
        const std::vector<vdx::TicketItem> tips = page.Items(vdx::TicketPart::CorrectTips);
        ASSERT_FALSE(tips.empty()) << c.what;
        const vdx::TicketItem& last = tips.back();
        EXPECT_EQ(last.ticket, 2) << c.what;
        const wxRect box = page.Box(last, 12);
        EXPECT_LT(box.GetBottom(), c.height) << c.what;
        EXPECT_GT(page.Inked(box), 0) << c.what;
        EXPECT_NEAR(page.mapping.scaleX, page.mapping.scaleY, 1e-9) << c.what;
        EXPECT_LT(page.LowestInk(), c.height - 1) << c.what;
        EXPECT_EQ(page.Inked(wxRect(page.mapping.deviceX(600), 0, 5, c.height)), 0) << c.what;
    }
}

TEST_F(PrintTest, PostScriptFileHoldsTheTextsOfThePage) {
    VdxView* view = ViewOf(Open(WriteCalculatedRound(dir_ / "round.vdx", 25, 12)));
    ASSERT_NE(view, nullptr);
    const fs::path file = dir_ / "page.ps";
    std::unique_ptr<PagePrintout> printout = CreateTicketPrintout(view);
    const std::string ps = PrintFirstPageToPostScript(*printout, file);
    EXPECT_EQ(ps.rfind("%!PS-Adobe", 0), 0u);
    const vdx::TicketLayout& drawn = TicketPagesOf(printout.get())->LastLayout();
    int titles = 0;
    for (const vdx::TicketItem& item : drawn.items) {
        if (item.part != vdx::TicketPart::Title) continue;
        ++titles;
        // Parentheses are escaped in PostScript strings.
        wxString text(item.text);
        text.Replace("(", "\\(");
        text.Replace(")", "\\)");
        EXPECT_NE(ps.find(text.ToStdString()), std::string::npos) << item.text;
    }
    EXPECT_EQ(titles, 3);
    EXPECT_NE(ps.find("Home 12 - Away 12"), std::string::npos);
    EXPECT_NE(ps.find("Correct Tips"), std::string::npos);
}

// Presses a key as the user would, at the window that has the focus.
void PressKey(int key) {
    wxUIActionSimulator simulator;
    simulator.Char(key);
}

TEST_F(PrintTest, PreviewFollowsItsDocumentAndKeepsItsZoom) {
    VdxDocument* doc = Open(WriteCalculatedRound(dir_ / "round.vdx", 100, 12));
    ASSERT_NE(doc, nullptr);
    SendCommand(&Main(), wxID_PREVIEW);
    auto* frame = FindDocumentWindow<PrintPreviewFrame>(doc, DocWindow::Preview);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(g_messages.empty()) << g_messages.front().text;
    EXPECT_TRUE(frame->GetTitle().EndsWith(": Print Preview")) << frame->GetTitle();
    EXPECT_TRUE(AppWindows().Contains(frame));
    Settle(300); // the preview reads its pages when it first draws
    wxPrintPreviewBase* preview = frame->Preview();
    EXPECT_EQ(preview->GetZoom(), 100);
    EXPECT_EQ(preview->GetMaxPage(), 3);
    SaveScreenshot("print-preview");

    // The user zooms and goes to page 3; then the document changes.
    preview->SetZoom(55);
    preview->SetCurrentPage(3);
    doc->Data().match(0).name = "Renamed Home - Away";
    doc->MarkChanged();
    Settle(300);
    EXPECT_EQ(FindDocumentWindow<PrintPreviewFrame>(doc, DocWindow::Preview), frame);
    EXPECT_NE(frame->Preview(), preview); // a fresh preview of the new data
    preview = frame->Preview();
    EXPECT_EQ(preview->GetZoom(), 55);
    EXPECT_EQ(preview->GetCurrentPage(), 3);
    const vdx::TicketLayout& shown = TicketPagesOf(preview->GetPrintout())->LastLayout();
    ASSERT_FALSE(shown.items.empty());
    bool renamed = false;
    for (const vdx::TicketItem& item : shown.items)
        renamed |= item.part == vdx::TicketPart::Name && item.text == "Renamed Home - Away";
    EXPECT_TRUE(renamed);

    // Fewer lines: one page left, shown at the same zoom.
    doc->Data().tipLineCount = 25;
    doc->Data().lineCount = 25;
    doc->MarkChanged();
    Settle(300);
    preview = frame->Preview();
    EXPECT_EQ(preview->GetMaxPage(), 1);
    EXPECT_EQ(preview->GetCurrentPage(), 1);
    EXPECT_EQ(preview->GetZoom(), 55);

    // Asked again: the same frame comes to the front.
    SendCommand(&Main(), wxID_PREVIEW);
    EXPECT_EQ(FindDocumentWindow<PrintPreviewFrame>(doc, DocWindow::Preview), frame);
    int previews = 0;
    for (wxWindow* window : wxTopLevelWindows) previews += dynamic_cast<PrintPreviewFrame*>(window) ? 1 : 0;
    EXPECT_EQ(previews, 1);

    // Closing the document closes its preview.
    wxWeakRef<wxFrame> gone(frame);
    CloseAllDocuments();
    EXPECT_FALSE(gone);
}

TEST_F(PrintTest, PrintCommandsAreThereAndNotAnnouncedAsMissing) {
    EXPECT_FALSE(IsEnabledIn(&Main(), wxID_PRINT));
    EXPECT_FALSE(IsEnabledIn(&Main(), wxID_PREVIEW));
    EXPECT_TRUE(IsEnabledIn(&Main(), wxID_PRINT_SETUP));
    VdxDocument* doc = Open(WriteCalculatedRound(dir_ / "round.vdx", 25, 12));
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(IsEnabledIn(&Main(), wxID_PRINT));
    EXPECT_TRUE(IsEnabledIn(&Main(), wxID_PREVIEW));
}

// Clicks at (x, y) inside the window titled title, as the user does.
bool ClickInWindow(const char* title, int x, int y) {
    const std::string click = std::string("xdotool search --name '") + title + "' | head -1 | "
                              "xargs -I{} xdotool mousemove --window {} " + std::to_string(x) + " " +
                              std::to_string(y) + " click 1";
    const bool clicked = std::system(click.c_str()) == 0;
    Settle(300);
    return clicked;
}

TEST_F(PrintTest, PrintSetupKeepsWhatTheUserChose) {
    ProgramPrintData().GetPrintData().SetOrientation(wxPORTRAIT);
    struct Case {
        const char* what;
        int x, y;            // the button that ends the dialog
        int orientation;     // kept afterwards
    };
    // Landscape is chosen each time; Apply keeps it, Cancel does not.
    const std::vector<Case> cases = {{"Cancel", 290, 207, wxPORTRAIT}, {"Apply", 375, 207, wxLANDSCAPE}};
    for (const Case& c : cases) {
        Later choose(2500, [&c] {
            SaveScreenshot("print-setup");
            if (const char* dir = std::getenv("VDX_SCREENSHOT_DIR")) {
                const std::string grab = std::string("xwd -silent -id $(xdotool search --name 'Page Setup' | "
                                                     "head -1) | convert xwd:- '") + dir + "/print-setup-dialog.png'";
                if (std::system(grab.c_str()) != 0) std::fprintf(stderr, "no picture of the dialog\n");
            }
            ClickInWindow("Page Setup", 115, 170); // Landscape
            ClickInWindow("Page Setup", c.x, c.y);
        });
        Later safety(9000, [] { PressKey(WXK_ESCAPE); });
        SendCommand(&Main(), wxID_PRINT_SETUP);
        EXPECT_TRUE(choose.done) << c.what; // the dialog was open meanwhile
        EXPECT_EQ(ProgramPrintData().GetPrintData().GetOrientation(), c.orientation) << c.what;
    }
    EXPECT_TRUE(g_messages.empty()) << g_messages.front().text;
    ProgramPrintData().GetPrintData().SetOrientation(wxPORTRAIT);
}

TEST_F(PrintTest, PrintDialogPrintsToAPdfFileWithoutAPrinter) {
    VdxDocument* doc = Open(WriteCalculatedRound(dir_ / "round.vdx", 100, 12));
    ASSERT_NE(doc, nullptr);
    // The dialog's file printer writes "output.pdf" into the working folder
    // unless the user names another file.
    const fs::path pdf = dir_ / "output.pdf";
    const fs::path previous = fs::current_path();
    fs::current_path(dir_);
    ProgramPrintData().GetPrintData().SetPrinterName("Print to File");
    Later enter(2000, [] {
        SaveScreenshot("print-dialog");
        PressKey(WXK_RETURN);
    });
    SendCommand(&Main(), wxID_PRINT);
    EXPECT_TRUE(enter.done);
    SettleUntil([&] { return fs::exists(pdf) && fs::file_size(pdf) > 1000; }, 5000);
    fs::current_path(previous);
    ASSERT_TRUE(fs::exists(pdf));
    const std::string bytes = ReadBytes(pdf);
    EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
    // Three pages of three tickets.
    EXPECT_NE(bytes.find("/Count 3"), std::string::npos);
    EXPECT_TRUE(g_messages.empty()) << g_messages.front().text;
}

} // namespace

int main(int argc, char** argv) {
    const WindowManager manager;
    return RunGuiTests(argc, argv);
}
