// Ticket printing under a virtual display: slips rendered without a printer
// (into bitmaps and a PostScript file) with the crosses where the format puts
// them, the choice of the format, the checks before printing, and the whole
// way from a format made in the editor to a printed file.

#include "GuiTestSupport.h"

#include "Desktop.h"
#include "app/FileChooser.h"
#include "frame/CommandIds.h"
#include "ticketprint/FormatEditing.h"
#include "ticketprint/FormatEditorFrame.h"
#include "ticketprint/SlipPrintout.h"
#include "ticketprint/TicketFormatDoc.h"
#include "ticketprint/TicketPrinting.h"
#include "ticketprint/VdfFile.h"
#include "document/VdxFile.h"
#include "view/PrintCommands.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/dcps.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <chrono>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;
using namespace vdx::gui;
using namespace vdx::guitest;

namespace {


// A calculated round: lines x matches, tip of line j in match m = (j + m) % 3.
vdx::PoolsDocument Round(int lines, int perTicket, int matches = 12) {
    vdx::PoolsDocument doc;
    doc.matchCount = matches;
    doc.linesPerTicket = perTicket;
    doc.lineCount = lines;
    doc.hasTips = true;
    doc.tipsUpToDate = true;
    doc.tipLineCount = lines;
    doc.tipMatchCount = matches;
    for (int m = 0; m < matches; ++m) {
        vdx::MatchEntry& match = doc.match(m);
        match.name = "Home " + std::to_string(m + 1) + " - Away " + std::to_string(m + 1);
        match.hasTips = true;
        match.tips.assign(vdx::kMaxLines, vdx::kNoTip);
        for (int j = 0; j < lines; ++j) match.tips[j] = static_cast<uint8_t>((j + m) % 3);
    }
    return doc;
}

fs::path WriteRound(const fs::path& path, int lines, int perTicket, int matches = 12) {
    EXPECT_TRUE(vdx::SaveVdxFile(path.string(), Round(lines, perTicket, matches)).ok);
    return path;
}

fs::path WriteFormat(const fs::path& path, const vdx::TicketFormatValues& values) {
    vdx::TicketFormat format(values);
    EXPECT_TRUE(vdx::SaveVdfFile(path.string(), format).ok);
    return path;
}

vdx::TicketFormatValues LeftJustified() {
    vdx::TicketFormatValues v;
    v.justification = 0;
    return v;
}

struct Slip {
    wxImage image;
    vdx::TicketPrintout drawn;
    vdx::PageMapping mapping;
    bool InkAt(int x, int y) const {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int px = x + dx, py = y + dy;
                if (px < 0 || py < 0 || px >= image.GetWidth() || py >= image.GetHeight()) continue;
                if (image.GetRed(px, py) < 100 && image.GetGreen(px, py) < 100 && image.GetBlue(px, py) < 100)
                    return true;
            }
        return false;
    }
};

// Page (from 1) on an A4 bitmap at ppi, as on a printer of that size.
Slip PrintSlip(const vdx::PoolsDocument& doc, const vdx::TicketFormatValues& format, int page, int ppi) {
    std::unique_ptr<PagePrintout> printout = CreateSlipPrintout(doc, format, "slip");
    const int width = 210 * ppi * 100 / 2540, height = 297 * ppi * 100 / 2540;
    wxBitmap bitmap(width, height, 24);
    Slip slip;
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        EXPECT_TRUE(PrintPageOnto(*printout, dc, page, ppi));
    }
    slip.image = bitmap.ConvertToImage();
    slip.drawn = static_cast<SlipPages&>(printout->Pages()).LastDrawn();
    slip.mapping = printout->LastMapping();
    return slip;
}

class TicketPrintTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        previousChooser_ = SetFormatFileChooser([this](wxWindow*) { return chosen_; });
    }
    void TearDown() override {
        SetFormatFileChooser(previousChooser_);
        if (FormatEditorFrame* editor = FormatEditorFrame::Instance()) {
            if (TicketFormatDoc* doc = editor->Document()) doc->Modify(false);
            editor->Close(true);
            SettleUntil([] { return FormatEditorFrame::Instance() == nullptr; });
        }
        App().SetTicketFormatFile(wxString());
        AppTest::TearDown();
    }
    wxString chosen_;
    FormatFileChooser previousChooser_;
};

// The first cross of the worked example: the "1" of match 1 in line 1 is
// centred 1.90 mm across and 20.19 mm down; at 600 ppi its centre and both
// diagonals are inked, the centre of the free slot beside it is not.
TEST_F(TicketPrintTest, SlipOnABitmapHasTheCrossesWhereTheFormatPutsThem) {
    const vdx::PoolsDocument doc = Round(12, 12);
    const Slip slip = PrintSlip(doc, LeftJustified(), 1, 600);
    if (const char* dir = std::getenv("VDX_SCREENSHOT_DIR"))
        slip.image.GetSubImage(wxRect(0, 0, 1600, 1200)).SaveFile(wxString(dir) + "/slip.bmp", wxBITMAP_TYPE_BMP);
    ASSERT_EQ(slip.drawn.crosses.size(), 12u * 12u);
    const vdx::PrintedCross& first = slip.drawn.crosses[0];
    EXPECT_EQ(first.tip, 0);
    EXPECT_EQ(first.centre, (vdx::PrintPoint{190, 2019}));
    // The centre in millimetres on the paper, within a logical unit (0.265 mm).
    const double mmPerPixel = 25.4 / 600;
    const int cx = slip.mapping.deviceX((first.strokes[0].from.x + first.strokes[0].to.x) / 2.0);
    const int cy = slip.mapping.deviceY((first.strokes[0].from.y + first.strokes[0].to.y) / 2.0);
    EXPECT_NEAR(cx * mmPerPixel, 1.90, 0.3);
    EXPECT_NEAR(cy * mmPerPixel, 20.19, 0.3);
    EXPECT_TRUE(slip.InkAt(cx, cy));
    for (const vdx::PrintLine& stroke : first.strokes) {
        const int x = slip.mapping.deviceX((3 * stroke.from.x + stroke.to.x) / 4.0);
        const int y = slip.mapping.deviceY((3 * stroke.from.y + stroke.to.y) / 4.0);
        EXPECT_TRUE(slip.InkAt(x, y)) << "diagonal missing at " << x << "," << y;
    }
    // Slot 1 of the same line block ("2" in "12X") is free in line 1 of match 1.
    const int freeX = slip.mapping.deviceX(vdx::ToLogicalUnits(190 + 380, 100));
    EXPECT_FALSE(slip.InkAt(freeX, cy));

    // Every cross of the page is inked at its centre.
    int inked = 0;
    for (const vdx::PrintedCross& cross : slip.drawn.crosses) {
        const vdx::PrintLine& s = cross.strokes[0];
        inked += slip.InkAt(slip.mapping.deviceX((s.from.x + s.to.x) / 2.0),
                            slip.mapping.deviceY((s.from.y + s.to.y) / 2.0));
    }
    EXPECT_EQ(inked, 144);
}

// One ticket a page: 25 lines of 12 a ticket give three pages, the third with
// one line in line block 0.
TEST_F(TicketPrintTest, OneTicketAPage) {
    const vdx::PoolsDocument doc = Round(25, 12);
    std::unique_ptr<PagePrintout> printout = CreateSlipPrintout(doc, LeftJustified(), "slip");
    int minPage = 0, maxPage = 0, from = 0, to = 0;
    printout->GetPageInfo(&minPage, &maxPage, &from, &to);
    EXPECT_EQ(minPage, 1);
    EXPECT_EQ(maxPage, 3);
    const Slip third = PrintSlip(doc, LeftJustified(), 3, 150);
    ASSERT_EQ(third.drawn.crosses.size(), 12u);
    for (const vdx::PrintedCross& cross : third.drawn.crosses) EXPECT_EQ(cross.line, 24);
    EXPECT_EQ(third.drawn.crosses[0].centre.x, 190) << "line block 0";
}

// A PostScript file of a slip holds two strokes a cross.
TEST_F(TicketPrintTest, PostScriptFileHoldsTwoStrokesACross) {
    const vdx::PoolsDocument doc = Round(5, 12, 10);
    const fs::path file = dir_ / "slip.ps";
    std::unique_ptr<PagePrintout> printout = CreateSlipPrintout(doc, LeftJustified(), "slip");
    const std::string ps = PrintFirstPageToPostScript(*printout, file);
    ASSERT_EQ(ps.rfind("%!PS-Adobe", 0), 0u);
    int strokes = 0;
    for (size_t at = ps.find(" lineto"); at != std::string::npos; at = ps.find(" lineto", at + 1)) ++strokes;
    EXPECT_EQ(strokes, 2 * 5 * 10);
}

// Select Format takes the chosen file, names it in Print Tickets and logs it;
// Cancel keeps the selection.
TEST_F(TicketPrintTest, SelectFormatNamesTheFileInPrintTickets) {
    const fs::path file = WriteFormat(dir_ / "Weekly Slip.vdf", LeftJustified());
    chosen_ = wxString::FromUTF8(file.string());
    SendCommand(&Main(), kIdSelectFormat);
    EXPECT_TRUE(g_messages.empty());
    EXPECT_EQ(App().Config().ticketFormat, file.string());
    EXPECT_EQ(Main().GetMenuBar()->FindItem(kIdPrintTickets)->GetItemLabel(),
              "&Print Tickets (Weekly Slip)...\tCtrl+G");
    EXPECT_NE(LogText().Find(wxString::Format("Format file %s selected", chosen_)), wxNOT_FOUND);

    chosen_.clear();
    SendCommand(&Main(), kIdSelectFormat);
    EXPECT_EQ(App().Config().ticketFormat, file.string());

    // Print Tickets waits for calculated lines.
    EXPECT_FALSE(IsEnabledIn(&Main(), kIdPrintTickets));
    ASSERT_NE(Open(WriteRound(dir_ / "round.vdx", 12, 12)), nullptr);
    EXPECT_TRUE(IsEnabledIn(&Main(), kIdPrintTickets));
}

// The checks before printing: a document larger than the format is refused
// with its message and the format stays loaded; a format file that is gone
// is said so and no longer selected.
TEST_F(TicketPrintTest, ChecksBeforePrinting) {
    vdx::TicketFormatValues small = LeftJustified();
    small.maxLines = 10;
    const fs::path format = WriteFormat(dir_ / "small.vdf", small);
    App().SetTicketFormatFile(wxString::FromUTF8(format.string()));
    ASSERT_NE(Open(WriteRound(dir_ / "round.vdx", 24, 12)), nullptr);
    g_messages.clear();
    SendCommand(&Main(), kIdPrintTickets);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].title, "Message");
    EXPECT_EQ(g_messages[0].text, wxString(vdx::kTicketTooLargeMessage));
    ASSERT_NE(PrintFormat(), nullptr);
    EXPECT_EQ(PrintFormat()->values().maxLines, 10);
    EXPECT_NE(LogText().Find(wxString::Format("Format file %s opened for printing", format.string())), wxNOT_FOUND);

    // A new selection drops the loaded format; a missing file clears the selection.
    const fs::path gone = dir_ / "gone.vdf";
    App().SetTicketFormatFile(wxString::FromUTF8(gone.string()));
    EXPECT_EQ(PrintFormat(), nullptr);
    g_messages.clear();
    SendCommand(&Main(), kIdPrintTickets);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_TRUE(g_messages[0].text.StartsWith("Error reading the file")) << g_messages[0].text;
    EXPECT_TRUE(App().Config().ticketFormat.empty());
    EXPECT_EQ(Main().GetMenuBar()->FindItem(kIdPrintTickets)->GetItemLabel(), "&Print Tickets...\tCtrl+G");
}

// The selected format changed in the editor and not saved: printing asks
// whether to save it, and Yes prints with the saved values.
TEST_F(TicketPrintTest, ChangedFormatInTheEditorIsSavedBeforePrinting) {
    const fs::path format = WriteFormat(dir_ / "slip.vdf", LeftJustified());
    App().SetTicketFormatFile(wxString::FromUTF8(format.string()));
    ASSERT_NE(Open(WriteRound(dir_ / "round.vdx", 12, 12)), nullptr);
    FormatEditorFrame::OpenFile(wxString::FromUTF8(format.string()));
    TicketFormatDoc* edited = FormatEditorFrame::Instance() ? FormatEditorFrame::Instance()->Document() : nullptr;
    ASSERT_NE(edited, nullptr);
    // Fewer lines than the document has a ticket: the print stops after the check.
    ASSERT_TRUE(SubmitFormatChange(edited, {vdx::FormatChange::kMaxLines, -1, 11, {}}, "Lines", nullptr));

    g_messages.clear();
    g_answer = wxYES;
    SendCommand(&Main(), kIdPrintTickets);
    ASSERT_EQ(g_messages.size(), 2u);
    EXPECT_EQ(g_messages[0].title, "VendrixPlanner Format Editor");
    EXPECT_EQ(g_messages[0].text, wxString::FromUTF8(vdx::FormatChangedQuestion(format.string())));
    EXPECT_EQ(g_messages[1].title, "Message");
    EXPECT_FALSE(edited->IsModified());
    ASSERT_NE(PrintFormat(), nullptr);
    EXPECT_EQ(PrintFormat()->values().maxLines, 11) << "printed from the file as saved now";
}

// The whole way: a format made and saved in the editor, selected when the
// editor closes, and the lines of a round printed with it through the print
// dialog into a PDF file, one ticket a page.
TEST_F(TicketPrintTest, FormatFromTheEditorPrintsTheLinesAsCrosses) {
    SendCommand(&Main(), kIdFormatEditor);
    FormatEditorFrame* editor = FormatEditorFrame::Instance();
    ASSERT_NE(editor, nullptr);
    SendCommand(editor, wxID_NEW);
    TicketFormatDoc* format = editor->Document();
    ASSERT_NE(format, nullptr);
    ASSERT_TRUE(SubmitFormatChange(format, {vdx::FormatChange::kJustification, -1, 0, {}}, "Justification", editor));
    const fs::path file = dir_ / "made here.vdf";
    const SaveFileHandler previous =
        SetSaveFileHandler([&](const wxString&, const wxString&) { return wxString::FromUTF8(file.string()); });
    SendCommand(editor, wxID_SAVE);
    SetSaveFileHandler(previous);
    ASSERT_TRUE(fs::exists(file));
    g_answer = wxYES;
    editor->Close();
    ASSERT_TRUE(SettleUntil([] { return FormatEditorFrame::Instance() == nullptr; }));
    ASSERT_EQ(App().Config().ticketFormat, file.string());

    ASSERT_NE(Open(WriteRound(dir_ / "round.vdx", 30, 12)), nullptr);
    g_messages.clear();
    const fs::path pdf = dir_ / "output.pdf";
    const fs::path before = fs::current_path();
    fs::current_path(dir_);
    ProgramPrintData().GetPrintData().SetPrinterName("Print to File");
    Later enter(2000, [] {
        SaveScreenshot("print-tickets-dialog");
        wxUIActionSimulator().Char(WXK_RETURN);
    });
    SendCommand(&Main(), kIdPrintTickets);
    EXPECT_TRUE(enter.done);
    SettleUntil([&] { return fs::exists(pdf) && fs::file_size(pdf) > 500; }, 5000);
    fs::current_path(before);
    ASSERT_TRUE(fs::exists(pdf)) << "nothing printed";
    const std::string bytes = ReadBytes(pdf);
    EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
    EXPECT_NE(bytes.find("/Count 3"), std::string::npos) << "one ticket a page";
    EXPECT_TRUE(g_messages.empty()) << g_messages.front().text;
}

} // namespace

int main(int argc, char** argv) {
    const WindowManager manager;
    return RunGuiTests(argc, argv);
}
