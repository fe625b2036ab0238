// The common controls, pictures, warning sound and help book, tried inside the
// real application under a virtual display.

#include "Desktop.h"
#include "GuiTestSupport.h"

#include "app/Messages.h"
#include "controls/Bitmaps.h"
#include "controls/Help.h"
#include "controls/HyperLink.h"
#include "controls/NumericEntry.h"
#include "controls/Sound.h"

#include <gtest/gtest.h>

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpdata.h>
#include <wx/html/helpwnd.h>
#include <wx/html/htmlwin.h>
#include <wx/log.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/sound.h>
#include <wx/statbmp.h>
#include <wx/spinbutt.h>
#include <wx/splitter.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using namespace vdx::gui;
using namespace vdx::guitest;

namespace {

wxString InDataDir(const wxString& name) {
    return App().DataDir() + wxFILE_SEP_PATH + name;
}

std::string ReadFile(const wxString& path) { return ReadBytes(std::string(path.fn_str())); }

// ---------------------------------------------------------------------------
// Message boxes

// What a test saw of a box that ShowMessage had open.
struct SeenBox {
    bool found = false;
    wxString title;
    wxImage icon;
    int width = 0, titleWidth = 0;
    std::set<int> buttons;
};

wxDialog* ModalDialog() {
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog && dialog->IsModal()) return dialog;
    return nullptr;
}

// Shows a real box through ShowMessage; once it is open, looks at it and
// answers with the button answerId, or with Escape when answerId is WXK_ESCAPE.
int ShowAndLook(const wxString& text, const wxString& title, long style, int answerId, SeenBox& seen) {
    const MessageHandler previous = SetMessageHandler({});
    std::function<void(int)> look = [&](int tries) {
        wxDialog* dialog = ModalDialog();
        if (!dialog || !dialog->IsShownOnScreen()) {
            if (tries < 500) {
                wxMilliSleep(5);
                wxTheApp->CallAfter([&look, tries] { look(tries + 1); });
            } else {
                // Not our box: end whatever is open so the test goes on.
                wxUIActionSimulator().Char(WXK_ESCAPE);
            }
            return;
        }
        seen.found = true;
        seen.title = dialog->GetTitle();
        seen.width = dialog->GetSize().x;
        wxClientDC dc(dialog);
        dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).Bold());
        seen.titleWidth = dc.GetTextExtent(seen.title).x;
        for (wxWindow* child : dialog->GetChildren()) {
            if (auto* picture = dynamic_cast<wxStaticBitmap*>(child))
                seen.icon = picture->GetBitmap().ConvertToImage();
        }
        for (int id : {wxID_OK, wxID_YES, wxID_NO, wxID_CANCEL})
            if (dynamic_cast<wxButton*>(dialog->FindWindow(id))) seen.buttons.insert(id);
        if (answerId == WXK_ESCAPE) {
            wxKeyEvent escape(wxEVT_CHAR_HOOK);
            escape.m_keyCode = WXK_ESCAPE;
            escape.SetEventObject(dialog);
            dialog->ProcessWindowEvent(escape);
        } else if (auto* button = dynamic_cast<wxButton*>(dialog->FindWindow(answerId))) {
            wxCommandEvent click(wxEVT_BUTTON, answerId);
            click.SetEventObject(button);
            button->ProcessWindowEvent(click);
        }
    };
    wxTheApp->CallAfter([&look] { look(0); });
    const int answer = ShowMessage(text, style, title);
    SetMessageHandler(previous);
    return answer;
}

wxImage ArtImage(const wxArtID& id) {
    return wxArtProvider::GetBitmapBundle(id, wxART_MESSAGE_BOX).GetBitmap(wxDefaultSize).ConvertToImage();
}

bool SameImage(const wxImage& a, const wxImage& b) {
    if (!a.IsOk() || !b.IsOk() || a.GetSize() != b.GetSize()) return false;
    return std::equal(a.GetData(), a.GetData() + a.GetWidth() * a.GetHeight() * 3, b.GetData());
}

TEST(MessageBox, ShowsThePictureOfItsKindAndItsWholeTitle) {
    const wxArtID kinds[] = {wxART_ERROR, wxART_WARNING, wxART_QUESTION, wxART_INFORMATION};
    // The four pictures differ, so the comparison below can tell them apart.
    for (size_t i = 0; i < 4; ++i)
        for (size_t j = i + 1; j < 4; ++j) EXPECT_FALSE(SameImage(ArtImage(kinds[i]), ArtImage(kinds[j])));

    const wxString program = ProgramTitle();
    const wxString longTitle = "Options of a document with a rather long name.vdx - VendrixPlanner";
    struct Case {
        const char* what;
        wxString title;
        long style;
        wxArtID icon;
        std::set<int> buttons;
        int answerId;
        int answer;
    };
    const std::vector<Case> cases = {
        {"error", program, wxOK | wxICON_ERROR, wxART_ERROR, {wxID_OK}, wxID_OK, wxOK},
        {"warning", program, wxOK | wxICON_WARNING, wxART_WARNING, {wxID_OK}, wxID_OK, wxOK},
        {"information", program, wxOK | wxICON_INFORMATION, wxART_INFORMATION, {wxID_OK}, WXK_ESCAPE, wxOK},
        {"question, No", program, wxYES_NO | wxICON_QUESTION, wxART_QUESTION, {wxID_YES, wxID_NO}, wxID_NO, wxNO},
        {"question, Yes", program, wxYES_NO | wxICON_QUESTION, wxART_QUESTION, {wxID_YES, wxID_NO}, wxID_YES, wxYES},
        {"question, Escape", program, wxYES_NO | wxICON_QUESTION, wxART_QUESTION, {wxID_YES, wxID_NO}, WXK_ESCAPE,
         wxNO},
        {"question with Cancel", program, wxYES_NO | wxCANCEL | wxICON_QUESTION, wxART_QUESTION,
         {wxID_YES, wxID_NO, wxID_CANCEL}, wxID_CANCEL, wxCANCEL},
        {"question with Cancel, Escape", program, wxYES_NO | wxCANCEL | wxICON_WARNING, wxART_WARNING,
         {wxID_YES, wxID_NO, wxID_CANCEL}, WXK_ESCAPE, wxCANCEL},
        {"no kind given, Yes or No", program, wxYES_NO, wxART_QUESTION, {wxID_YES, wxID_NO}, wxID_YES, wxYES},
        {"no kind given, OK", program, wxOK, wxART_INFORMATION, {wxID_OK}, wxID_OK, wxOK},
        {"long title", longTitle, wxOK | wxICON_ERROR, wxART_ERROR, {wxID_OK}, wxID_OK, wxOK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SeenBox seen;
        // A short text makes a narrow box: the title must still fit.
        const int answer = ShowAndLook("No.", c.title, c.style, c.answerId, seen);
        ASSERT_TRUE(seen.found) << "no box of the program's own appeared";
        EXPECT_EQ(answer, c.answer);
        EXPECT_EQ(seen.title, c.title);
        EXPECT_TRUE(SameImage(seen.icon, ArtImage(c.icon))) << "not the picture of its kind";
        EXPECT_EQ(seen.buttons, c.buttons);
        // The caption's text and the title bar's icon and three buttons.
        EXPECT_GE(seen.width, seen.titleWidth + 4 * 24) << seen.width << " for a title " << seen.titleWidth;
    }
}

// ---------------------------------------------------------------------------
// Help

// Every section with the page that must answer it.
const std::map<int, std::string> kSectionPages = {
    {HelpSection::Contents, "welcome.html"},
    {HelpSection::TicketView, "ticketview.html"},
    {HelpSection::DocumentOptions, "options.html"},
    {HelpSection::Input, "input.html"},
    {HelpSection::Calculation, "calculation.html"},
    {HelpSection::Statistics, "statistics.html"},
    {HelpSection::DocumentConditions, "conditions.html"},
    {HelpSection::Charts, "charts.html"},
    {HelpSection::FormatEditor, "formateditor.html"},
    {HelpSection::TicketPrinting, "ticketprinting.html"},
    {HelpSection::Defaults, "defaults.html"},
    {HelpSection::Settings, "settings.html"},
};

TEST(HelpBook, StartsWithoutTheHelpWarning) {
    ASSERT_NE(App().Help(), nullptr);
    for (const Message& m : g_startMessages)
        EXPECT_NE(m.text, "Cannot initialize the help system.") << "shown at start";
}

TEST(HelpBook, EverySectionLeadsToItsOwnPage) {
    wxHtmlHelpData data;
    ASSERT_TRUE(data.AddBook(InDataDir("VdxHelp.hhp")));
    ASSERT_EQ(kSectionPages.size(), HelpSectionNumbers().size());
    for (int section : HelpSectionNumbers()) {
        ASSERT_EQ(kSectionPages.count(section), 1u) << section;
        const wxString page = data.FindPageById(section);
        EXPECT_TRUE(page.EndsWith("/" + kSectionPages.at(section))) << section << " -> " << page;
    }
    // Each contents entry carries its own number; an entry that inherited the
    // one before it would show up as a repeated number. (Level 0 is the book
    // itself, added by the reader.)
    // Pages the program does not open by number (walk-through, glossary...)
    // may carry numbers of their own.
    std::multiset<int> ids;
    const wxHtmlHelpDataItems& items = data.GetContentsArray();
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].level > 0) ids.insert(items[i].id);
    for (int id : ids) EXPECT_EQ(ids.count(id), 1u) << "contents number " << id << " repeated";
    for (int section : HelpSectionNumbers()) EXPECT_EQ(ids.count(section), 1u) << section;
}

// What a book holds, for comparing the books of all languages: the contents as
// (level, number, page) and, per page, its headings, links and pictures.
struct BookShape {
    std::vector<std::tuple<int, int, std::string>> contents;
    std::map<std::string, std::vector<std::string>> pageParts;
};

std::vector<std::string> Matches(const std::string& text, const std::regex& pattern) {
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1].str());
    return found;
}

// Reads the book at folder/hhp; pictures that do not exist are reported as missing.
BookShape ReadBookShape(const wxString& folder, const wxString& hhp, std::vector<std::string>& missing) {
    BookShape shape;
    wxHtmlHelpData data;
    EXPECT_TRUE(data.AddBook(folder + "/" + hhp)) << hhp;
    const wxHtmlHelpDataItems& items = data.GetContentsArray();
    for (size_t i = 0; i < items.size(); ++i) {
        // Every name shows, accented letters and all.
        EXPECT_FALSE(items[i].name.empty() || items[i].name.Contains(wxUniChar(0xFFFD)))
            << hhp << ": contents entry " << i << " (" << items[i].page << ") has no readable name";
        if (items[i].level == 0) continue; // the book itself
        const std::string page = wxFileName(items[i].page.BeforeFirst('#')).GetFullName().utf8_string();
        shape.contents.emplace_back(items[i].level, items[i].id, page);
    }
    const wxHtmlHelpDataItems& keywords = data.GetIndexArray();
    EXPECT_FALSE(keywords.empty()) << hhp << " has no index";
    for (size_t i = 0; i < keywords.size(); ++i)
        EXPECT_FALSE(keywords[i].name.empty() || keywords[i].name.Contains(wxUniChar(0xFFFD)))
            << hhp << ": index entry " << i << " (" << keywords[i].page << ") has no readable name";
    const std::regex heading("<(h[1-3])[ >]", std::regex::icase);
    const std::regex link("href=\"([^\"]*)\"", std::regex::icase);
    const std::regex picture("<img[^>]*src=\"([^\"]*)\"", std::regex::icase);
    for (const auto& [level, id, page] : shape.contents) {
        const std::string html = ReadFile(folder + "/helppages/" + wxString::FromUTF8(page));
        EXPECT_FALSE(html.empty()) << hhp << ": " << page;
        std::vector<std::string> parts = Matches(html, heading);
        std::vector<std::string> links = Matches(html, link);
        std::sort(links.begin(), links.end()); // a glossary sorts by its own words
        for (const std::string& l : links) parts.push_back("href " + l);
        for (const std::string& src : Matches(html, picture)) {
            parts.push_back("img " + src);
            if (!wxFileName::FileExists(folder + "/helppages/" + wxString::FromUTF8(src)))
                missing.push_back(hhp.utf8_string() + ": " + page + " shows " + src);
        }
        shape.pageParts[page] = parts;
    }
    return shape;
}

// Every language's book has the English book's contents, numbers, pages,
// headings, links and pictures (taken in its own language), so F1 lands on the
// same place whatever the language.
TEST(HelpBook, EveryLanguageHasTheWholeBook) {
    std::vector<std::string> missing;
    const BookShape english = ReadBookShape(App().DataDir(), "VdxHelp.hhp", missing);
    ASSERT_FALSE(english.contents.empty());
    for (const char* lang : {"de", "fr", "it", "sv"}) {
        SCOPED_TRACE(lang);
        const wxString folder = InDataDir(lang);
        const wxString hhp = wxString::Format("VdxHelp_%s.hhp", lang);
        const BookShape book = ReadBookShape(folder, hhp, missing);
        EXPECT_EQ(book.contents, english.contents);
        for (const auto& [page, parts] : english.pageParts)
            EXPECT_EQ(book.pageParts.count(page) ? book.pageParts.at(page) : std::vector<std::string>{}, parts)
                << page;
        wxHtmlHelpData data;
        ASSERT_TRUE(data.AddBook(folder + "/" + hhp));
        for (const auto& [section, page] : kSectionPages)
            EXPECT_TRUE(data.FindPageById(section).EndsWith(wxString::Format("%s/helppages/%s", lang, page)))
                << section << " -> " << data.FindPageById(section);
    }
    EXPECT_TRUE(missing.empty()) << missing.size() << " pictures missing, the first: " << missing.front();
}

// Every section number the windows can open is one the books are checked for:
// the numbers named in Help.h are the list, and the windows use only those.
TEST(HelpBook, TheWindowsOpenOnlySectionsTheBooksAreCheckedFor) {
    const std::string header = ReadFile(VDX_SOURCE_DIR "/src/gui/controls/Help.h");
    ASSERT_FALSE(header.empty());
    std::set<std::string> names;
    std::set<int> numbers;
    const std::regex constant("constexpr int (\\w+) = (\\d+);");
    for (auto it = std::sregex_iterator(header.begin(), header.end(), constant); it != std::sregex_iterator(); ++it) {
        names.insert((*it)[1].str());
        numbers.insert(std::stoi((*it)[2].str()));
    }
    EXPECT_EQ(numbers, std::set<int>(HelpSectionNumbers().begin(), HelpSectionNumbers().end()));
    const std::regex used("HelpSection::(\\w+)");
    const std::regex literal("ShowHelpSection\\(\\s*\\d");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(VDX_SOURCE_DIR "/src/gui")) {
        if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h") continue;
        const std::string code = ReadBytes(entry.path());
        EXPECT_FALSE(std::regex_search(code, literal)) << entry.path() << " opens a section by a bare number";
        for (const std::string& name : Matches(code, used))
            EXPECT_TRUE(names.count(name)) << entry.path() << " opens HelpSection::" << name;
    }
}

TEST(HelpBook, PagesExplainTheirWindow) {
    const std::regex tag("<[^>]*>");
    const std::regex word("[A-Za-z]{2,}");
    for (const auto& [section, page] : kSectionPages) {
        const std::string html = ReadFile(InDataDir("helppages/" + page));
        ASSERT_FALSE(html.empty()) << page;
        EXPECT_NE(html.find("<title>"), std::string::npos) << page;
        const std::string text = std::regex_replace(html, tag, " ");
        const auto words = std::distance(std::sregex_iterator(text.begin(), text.end(), word),
                                         std::sregex_iterator());
        EXPECT_GE(words, 120) << page << " is too thin to help anyone";
    }
}

TEST(HelpBook, ShowHelpSectionOpensTheSectionsPage) {
    wxHtmlHelpController* help = App().Help();
    ASSERT_NE(help, nullptr);
    for (const auto& [section, page] : kSectionPages) {
        ShowHelpSection(section);
        ASSERT_NE(help->GetHelpWindow(), nullptr) << section;
        wxHtmlWindow* html = help->GetHelpWindow()->GetHtmlWindow();
        ASSERT_NE(html, nullptr);
        EXPECT_TRUE(SettleUntil([&] { return html->GetOpenedPage().EndsWith(page); }))
            << section << " shows " << html->GetOpenedPage();
    }
    if (help->GetFrame()) help->GetFrame()->Close(true);
    SettleUntil([] { return false; }, 100); // let the frame go
}

// The help window opens large enough to read its contents beside the page,
// and Escape closes it.
TEST(HelpBook, HelpWindowOpensReadableAndEscapeClosesIt) {
    wxHtmlHelpController* help = App().Help();
    ASSERT_NE(help, nullptr);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "first opening" : "opened again");
        ShowHelpSection(HelpSection::Contents);
        wxFrame* frame = help->GetFrame();
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(SettleUntil([&] { return frame->IsShownOnScreen(); }));
        SettleUntil([] { return false; }, 200);
        const wxRect screen = wxDisplay(0u).GetClientArea();
        const wxSize size = frame->GetSize();
        EXPECT_GE(size.x, std::min(960, screen.width * 9 / 10)) << size.x << " x " << size.y;
        EXPECT_GE(size.y, std::min(680, screen.height * 9 / 10)) << size.x << " x " << size.y;
        EXPECT_LE(size.x, screen.width);
        EXPECT_LE(size.y, screen.height);
        // The contents pane is wide enough for the entries.
        wxSplitterWindow* splitter = help->GetHelpWindow()->GetSplitterWindow();
        ASSERT_NE(splitter, nullptr);
        EXPECT_GE(splitter->GetSashPosition(), 300);

        frame->Raise();
        help->GetHelpWindow()->GetHtmlWindow()->SetFocus();
        ASSERT_TRUE(SettleUntil([&] { return wxWindow::FindFocus() && wxGetTopLevelParent(wxWindow::FindFocus()) == frame; }))
            << "the help window did not get the focus";
        // Without a window manager the keyboard follows the pointer.
        wxUIActionSimulator keyboard;
        keyboard.MouseMove(help->GetHelpWindow()->GetHtmlWindow()->GetScreenRect().GetPosition() + wxPoint(5, 5));
        SettleUntil([] { return false; }, 100);
        keyboard.Char(WXK_ESCAPE);
        EXPECT_TRUE(SettleUntil([&] { return help->GetFrame() == nullptr; })) << "Escape left the help window open";
        if (help->GetFrame()) help->GetFrame()->Close(true);
        SettleUntil([] { return false; }, 100);
    }
}

TEST(HelpBook, MissingLanguageBookFallsBackToEnglishQuietly) {
    LogRecorder log;
    const wxString english = EnglishHelpBase(App().DataDir());
    {
        wxHtmlHelpController help;
        EXPECT_TRUE(InitializeHelp(help, InDataDir("de/VdxHelp_de"), english));
        EXPECT_FALSE(help.GetHelpData()->FindPageById(HelpSection::Input).empty());
    }
    {
        wxHtmlHelpController help;
        EXPECT_FALSE(InitializeHelp(help, "/nonexistent/de/VdxHelp_de", "/nonexistent/VdxHelp"));
    }
    EXPECT_EQ(log.messages.size(), 0u);
}

// ---------------------------------------------------------------------------
// Pictures

// Every pixel of a visible part has red = green = blue.
bool IsGrey(const wxImage& image) {
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) {
            if (image.HasAlpha() && image.GetAlpha(x, y) < 16) continue;
            const int r = image.GetRed(x, y), g = image.GetGreen(x, y), b = image.GetBlue(x, y);
            if (std::abs(r - g) > 2 || std::abs(g - b) > 2) return false;
        }
    return true;
}

int VisiblePixels(const wxImage& image) {
    int n = 0;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            if (!image.HasAlpha() || image.GetAlpha(x, y) >= 16) ++n;
    return n;
}

TEST(Pictures, EveryNamedBitmapLoadsInBothForms) {
    for (const std::string& name : ProgramBitmapNames()) {
        for (bool mono : {false, true}) {
            const wxBitmapBundle bundle = ProgramBitmap(name, mono);
            ASSERT_TRUE(bundle.IsOk()) << name << (mono ? "_mono" : "");
            for (int size : {16, 32}) {
                const wxBitmap bitmap = bundle.GetBitmap(wxSize(size, size));
                ASSERT_TRUE(bitmap.IsOk()) << name;
                EXPECT_EQ(bitmap.GetWidth(), size) << name;
            }
        }
        // The program's own drawing exists even where the theme serves, and
        // its twin is a grey picture of the same thing.
        const wxBitmapBundle own = OwnBitmap(name);
        const wxBitmapBundle twin = OwnBitmap(name + "_mono");
        ASSERT_TRUE(own.IsOk()) << name;
        ASSERT_TRUE(twin.IsOk()) << name << "_mono";
        const wxImage colour = own.GetBitmap(wxSize(32, 32)).ConvertToImage();
        const wxImage grey = twin.GetBitmap(wxSize(32, 32)).ConvertToImage();
        EXPECT_GT(VisiblePixels(colour), 32 * 32 / 10) << name << " is nearly empty";
        EXPECT_EQ(VisiblePixels(colour), VisiblePixels(grey)) << name;
        EXPECT_TRUE(IsGrey(grey)) << name << "_mono";
    }
    // The format editor asks for this twin by its short name.
    EXPECT_TRUE(ProgramBitmap("disthorgreenhor_mono").IsOk());
}

TEST(Pictures, IconsComeInSeveralSizes) {
    for (const std::string& name : ProgramIconNames()) {
        const wxIconBundle icons = ProgramIcon(name);
        ASSERT_FALSE(icons.IsEmpty()) << name;
        for (int size : {16, 32, 48}) {
            const wxIcon icon = icons.GetIcon(wxSize(size, size), wxIconBundle::FALLBACK_NONE);
            ASSERT_TRUE(icon.IsOk()) << name << " " << size;
            EXPECT_EQ(icon.GetWidth(), size) << name;
        }
    }
}

TEST(Pictures, UnknownNamesGiveEmptyResults) {
    LogRecorder log;
    EXPECT_FALSE(ProgramBitmap("no-such-picture").IsOk());
    EXPECT_FALSE(ProgramBitmap("no-such-picture", true).IsOk());
    EXPECT_FALSE(OwnBitmap("").IsOk());
    EXPECT_TRUE(ProgramIcon("no-such-icon").IsEmpty());
    EXPECT_EQ(log.messages.size(), 0u);
}

// ---------------------------------------------------------------------------
// Warning sound

uint32_t LittleEndian(const std::string& bytes, size_t at, int count) {
    uint32_t v = 0;
    for (int i = count - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

TEST(WarningSound, FileIsAShortPcmBell) {
    const std::string wav = ReadFile(BellsSoundPath());
    ASSERT_GT(wav.size(), 44u);
    ASSERT_EQ(wav.substr(0, 4), "RIFF");
    ASSERT_EQ(wav.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(LittleEndian(wav, 20, 2), 1u);  // PCM
    EXPECT_EQ(LittleEndian(wav, 22, 2), 1u);  // mono
    EXPECT_EQ(LittleEndian(wav, 34, 2), 16u); // bits
    const uint32_t rate = LittleEndian(wav, 24, 4);
    ASSERT_EQ(wav.substr(36, 4), "data");
    const uint32_t bytes = LittleEndian(wav, 40, 4);
    ASSERT_EQ(wav.size(), 44u + bytes);
    const double seconds = static_cast<double>(bytes) / 2 / rate;
    EXPECT_GT(seconds, 0.1);
    EXPECT_LT(seconds, 0.5);

    int peak = 0;
    for (size_t at = 44; at + 1 < wav.size(); at += 2)
        peak = std::max(peak, std::abs(static_cast<int16_t>(LittleEndian(wav, at, 2))));
    EXPECT_GT(peak, 16000) << "too quiet to be heard";
    // It ends at rest, so stopping does not click.
    const auto last = static_cast<int16_t>(LittleEndian(wav, wav.size() - 2, 2));
    EXPECT_LT(std::abs(last), 200);

    wxLogNull quiet;
    EXPECT_TRUE(wxSound(BellsSoundPath()).IsOk());
}

TEST(WarningSound, ReturnsAtOnceAndSaysNothing) {
    LogRecorder log;
    for (int i = 0; i < 3; ++i) {
        const auto start = std::chrono::steady_clock::now();
        PlayWarningSound();
        const auto spent = std::chrono::steady_clock::now() - start;
        // The sound lasts 0.42 s; waiting for it would take at least that.
        EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(spent).count(), 300);
    }
    EXPECT_EQ(log.messages.size(), 0u);
    EXPECT_EQ(g_messages.size(), 0u);
}

// ---------------------------------------------------------------------------
// Numeric entry

class NumericEntryTest : public ::testing::Test {
protected:
    void SetUp() override { g_messages.clear(); }
    void TearDown() override {
        if (dialog_) dialog_->Destroy();
    }
    // The field for the size of an 'X': 1.00 to 5.00 mm, stored in hundredths.
    static std::unique_ptr<NumericEntry> SizeOfX(int32_t initial = 490) {
        return std::make_unique<NumericEntry>(initial, "Size of '&X'", 100, 500, 5, 20, 2, 100, false);
    }
    NumericEntryDialog& Dialog(const std::vector<NumericEntry*>& entries) {
        dialog_ = new NumericEntryDialog(nullptr, "Specify a value", "Format Editor", entries);
        return *dialog_;
    }
    static bool Key(NumericEntry& entry, wxEventType type, int code, int modifiers = wxMOD_NONE) {
        wxKeyEvent event(type);
        event.m_keyCode = code;
        event.m_uniChar = code < WXK_START ? code : WXK_NONE;
        event.m_controlDown = (modifiers & wxMOD_CONTROL) != 0;
        event.m_shiftDown = (modifiers & wxMOD_SHIFT) != 0;
        event.SetEventObject(entry.TextField());
        event.SetId(entry.TextField()->GetId());
        return entry.TextField()->GetEventHandler()->ProcessEvent(event);
    }
    NumericEntryDialog* dialog_ = nullptr;
};

TEST_F(NumericEntryTest, LabelsShowTheRangeWhenAsked) {
    const NumericEntry ratio(100, "Output R&atio", 10, 200, 1, 10, 0, 1, true, "%");
    const NumericEntry matches(14, "Matches", 2, 14, 1, 1, 0, 1, true);
    const NumericEntry space(300, "Space to &Top", 250, 20000, 10, 50, 2, 100, false);
    const NumericEntry millimetres(300, "Size", 100, 500, 5, 20, 2, 100, true, " mm");
    EXPECT_EQ(ratio.Label(), "Output R&atio (10% - 200%)");
    EXPECT_EQ(matches.Label(), "Matches (2 - 14)");
    EXPECT_EQ(space.Label(), "Space to &Top");
    EXPECT_EQ(millimetres.Label(), "Size (1.00 mm - 5.00 mm)");
    EXPECT_EQ(space.Text(), "3.00");
    EXPECT_EQ(ratio.ResultValue(), 0);
}

TEST_F(NumericEntryTest, DialogBuildsOneNumberedRowPerEntry) {
    NumericEntry first(100, "Output R&atio", 10, 200, 1, 10, 0, 1, true, "%");
    auto second = SizeOfX(250);
    NumericEntryDialog& dialog = Dialog({&first, second.get()});
    EXPECT_EQ(dialog.GetName(), "dialog");
    EXPECT_EQ(dialog.GetTitle(), "Format Editor");
    const struct {
        NumericEntry* entry;
        int index;
        const char* text;
        int minimum, maximum, value;
    } rows[] = {{&first, 0, "100", 10, 200, 100}, {second.get(), 1, "2.50", 100, 500, 250}};
    for (const auto& row : rows) {
        auto* text = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(7000 + row.index));
        auto* spin = dynamic_cast<wxSpinButton*>(dialog.FindWindow(7050 + row.index));
        ASSERT_NE(text, nullptr);
        ASSERT_NE(spin, nullptr);
        EXPECT_EQ(text, row.entry->TextField());
        EXPECT_EQ(spin, row.entry->SpinButton());
        EXPECT_EQ(text->GetValue(), row.text);
        EXPECT_TRUE(text->HasFlag(wxTE_RIGHT));
        EXPECT_EQ(spin->GetName(), "wxSpinButton");
        EXPECT_EQ(spin->GetMin(), row.minimum);
        EXPECT_EQ(spin->GetMax(), row.maximum);
        EXPECT_EQ(spin->GetValue(), row.value);
    }
}

TEST_F(NumericEntryTest, ValueReadsEitherSeparatorAndChecksTheRoundedRange) {
    const struct {
        const char* text;
        std::optional<int32_t> value;
    } cases[] = {
        {"2,5", 250},   {"2.5", 250},  {"5.001", 500}, {"5.006", std::nullopt},
        {"0.995", 100}, {"0.994", std::nullopt},       {"abc", std::nullopt},
        {"", std::nullopt}, {"3.", 300}, {"1,000.5", std::nullopt},
    };
    auto entry = SizeOfX();
    for (const auto& c : cases) {
        entry->SetText(c.text);
        EXPECT_EQ(entry->Value(), c.value) << c.text;
    }
}

TEST_F(NumericEntryTest, KeysStepTheFieldUpToItsBounds) {
    auto entry = SizeOfX(490);
    Dialog({entry.get()});
    const struct {
        const char* before;
        int key;
        int modifiers;
        const char* after;
        int spin; // expected spin value, -1: unchanged
    } steps[] = {
        {"4.90", WXK_PAGEUP, wxMOD_NONE, "5.00", 500},
        {"5.00", WXK_PAGEUP, wxMOD_NONE, "5.00", 500}, // at the bound
        {"5.0", WXK_UP, wxMOD_NONE, "5.0", 500},       // a valid text at the bound stays as typed
        {"5.00", WXK_DOWN, wxMOD_NONE, "4.95", 495},
        {"2,5", WXK_PAGEDOWN, wxMOD_NONE, "2.30", 230},
        {"1.02", WXK_PAGEDOWN, wxMOD_NONE, "1.00", 100},
        {"1.00", WXK_UP, wxMOD_SHIFT, "1.00", -1},     // with a modifier the key passes on
        {"1.00", WXK_UP, wxMOD_CONTROL, "1.00", -1},
    };
    for (const auto& s : steps) {
        entry->SetText(s.before);
        const int spinBefore = entry->SpinButton()->GetValue();
        Key(*entry, wxEVT_KEY_DOWN, s.key, s.modifiers);
        EXPECT_EQ(entry->Text(), s.after) << s.before << " key " << s.key;
        EXPECT_EQ(entry->SpinButton()->GetValue(), s.spin < 0 ? spinBefore : s.spin) << s.before;
    }
}

TEST_F(NumericEntryTest, UnreadableTextStepsFromTheSpinValueWithTheWarning) {
    SoundCounter sounds;
    auto entry = SizeOfX(490);
    Dialog({entry.get()});
    entry->SetText("abc");
    Key(*entry, wxEVT_KEY_DOWN, WXK_UP);
    EXPECT_EQ(sounds.count, 1);
    EXPECT_EQ(entry->Text(), "4.95");
    EXPECT_EQ(entry->SpinButton()->GetValue(), 495);
    // A readable text steps silently.
    Key(*entry, wxEVT_KEY_DOWN, WXK_UP);
    EXPECT_EQ(sounds.count, 1);
    EXPECT_EQ(entry->Text(), "5.00");
}

TEST_F(NumericEntryTest, SpinClicksStepFromTheText) {
    auto entry = SizeOfX(300);
    Dialog({entry.get()});
    entry->SetText("2.5");
    wxSpinEvent up(wxEVT_SPIN_UP, entry->SpinButton()->GetId());
    up.SetEventObject(entry->SpinButton());
    entry->SpinButton()->GetEventHandler()->ProcessEvent(up);
    EXPECT_EQ(entry->Text(), "2.55");
    wxYield(); // the spin button settles on the stepped value
    EXPECT_EQ(entry->SpinButton()->GetValue(), 255);
    wxSpinEvent down(wxEVT_SPIN_DOWN, entry->SpinButton()->GetId());
    down.SetEventObject(entry->SpinButton());
    entry->SpinButton()->GetEventHandler()->ProcessEvent(down);
    entry->SpinButton()->GetEventHandler()->ProcessEvent(down);
    EXPECT_EQ(entry->Text(), "2.45");
}

TEST_F(NumericEntryTest, TypedCharactersAreLimitedToNumbers) {
    NumericEntry whole(5, "Lines", 2, 12, 1, 1, 0, 1, true);
    auto decimal = SizeOfX();
    Dialog({&whole, decimal.get()});
    // ProcessEvent is true when the field swallowed the character.
    const struct {
        NumericEntry* entry;
        int key;
        bool swallowed;
    } cases[] = {
        {&whole, '7', false},  {&whole, 'a', true},       {&whole, '.', true},
        {&whole, ',', true},   {&whole, '-', true},       {&whole, WXK_BACK, false},
        {decimal.get(), '.', false}, {decimal.get(), ',', false}, {decimal.get(), 'e', true},
        {decimal.get(), ' ', true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Key(*c.entry, wxEVT_CHAR, c.key), c.swallowed) << static_cast<char>(c.key);
}

TEST_F(NumericEntryTest, ConfirmRefusesTheFirstInvalidEntry) {
    NumericEntry matches(10, "Matches", 2, 14, 1, 1, 0, 1, true);
    auto size = SizeOfX(490);
    NumericEntryDialog& dialog = Dialog({&matches, size.get()});
    size->SetText("5.006");
    EXPECT_FALSE(dialog.Confirm().has_value());
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].text,
              "Entry of \"Size of 'X'\" is invalid!\nValid entries are numbers from 1.00 to 5.00");
    EXPECT_EQ(g_messages[0].title, "Error");
    EXPECT_TRUE(g_messages[0].style & wxICON_ERROR);
    EXPECT_EQ(matches.ResultValue(), 0);
    EXPECT_EQ(size->ResultValue(), 0);

    // Both invalid: only the first is named.
    g_messages.clear();
    matches.SetText("15");
    EXPECT_FALSE(dialog.Confirm().has_value());
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].text,
              "Entry of \"Matches (2 - 14)\" is invalid!\nValid entries are numbers from 2 to 14");
}

TEST_F(NumericEntryTest, ConfirmCountsTheChangedEntries) {
    NumericEntry matches(10, "Matches", 2, 14, 1, 1, 0, 1, true);
    auto size = SizeOfX(490);
    NumericEntryDialog& dialog = Dialog({&matches, size.get()});
    EXPECT_EQ(dialog.Confirm(), 0); // nothing changed: the caller records nothing
    EXPECT_EQ(matches.ResultValue(), 10);
    EXPECT_EQ(size->ResultValue(), 490);

    size->SetText("4,9");  // another text, the same value
    EXPECT_EQ(dialog.Confirm(), 0);
    size->SetText("5.001");
    EXPECT_EQ(dialog.Confirm(), 1);
    EXPECT_EQ(size->ResultValue(), 500);
    matches.SetText("12");
    EXPECT_EQ(dialog.Confirm(), 2);
    EXPECT_EQ(matches.ResultValue(), 12);
    EXPECT_TRUE(g_messages.empty());
}

// Runs the dialog modally and lets script act in its event loop.
int RunModal(NumericEntryDialog& dialog, std::function<void()> script) {
    dialog.CallAfter(std::move(script));
    // A dialog that refuses to end would hang the test: end it after a while.
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [&dialog](wxTimerEvent&) {
        ADD_FAILURE() << "the dialog did not end";
        dialog.EndModal(-99);
    });
    guard.StartOnce(10000);
    return dialog.ShowModal();
}

void PressButton(wxDialog& dialog, int id) {
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(dialog.FindWindow(id));
    dialog.GetEventHandler()->ProcessEvent(event);
}

TEST_F(NumericEntryTest, ShowModalEndsWithTheCountOrMinusOne) {
    {
        NumericEntry lines(5, "Lines", 2, 12, 1, 1, 0, 1, true);
        NumericEntryDialog& dialog = Dialog({&lines});
        const int result = RunModal(dialog, [&] {
            lines.SetText("13");
            PressButton(dialog, wxID_OK); // refused: the dialog stays open
            EXPECT_EQ(g_messages.size(), 1u);
            lines.SetText("7");
            PressButton(dialog, wxID_OK);
        });
        EXPECT_EQ(result, 1);
        EXPECT_EQ(lines.ResultValue(), 7);
        dialog_->Destroy();
        dialog_ = nullptr;
    }
    {
        NumericEntry lines(5, "Lines", 2, 12, 1, 1, 0, 1, true);
        NumericEntryDialog& dialog = Dialog({&lines});
        const int result = RunModal(dialog, [&] {
            lines.SetText("8");
            PressButton(dialog, wxID_CANCEL);
        });
        EXPECT_EQ(result, -1);
        EXPECT_EQ(lines.ResultValue(), 0);
    }
}

// ---------------------------------------------------------------------------
// Hyperlink

class HyperLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame_ = new wxFrame(nullptr, wxID_ANY, "links", wxPoint(0, 0), wxSize(400, 200));
        panel_ = new wxPanel(frame_);
        wxHyperLink::SetOpenHandler([this](const wxString& target) {
            opened_.push_back(target);
            return true;
        });
        wxHyperLink::SetClock([this] { return now_; });
    }
    void TearDown() override {
        wxHyperLink::SetOpenHandler({});
        wxHyperLink::SetClock({});
        frame_->Destroy();
        SettleUntil([] { return false; }, 50);
    }
    static void Mouse(wxHyperLink& link, wxEventType type) {
        wxMouseEvent event(type);
        event.SetEventObject(&link);
        event.SetId(link.GetId());
        link.GetEventHandler()->ProcessEvent(event);
    }
    wxFrame* frame_ = nullptr;
    wxPanel* panel_ = nullptr;
    std::vector<wxString> opened_;
    wxLongLong now_ = 1000000;
};

TEST_F(HyperLinkTest, HoverColourRule) {
    const struct {
        wxColour normal, hover;
    } cases[] = {
        {wxColour(0, 0, 255), wxColour(0, 0, 155)},
        {wxColour(200, 0, 60), wxColour(100, 0, 160)},
        {wxColour(127, 128, 1), wxColour(227, 28, 101)},
        {wxColour(255, 255, 255), wxColour(155, 155, 155)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wxHyperLink::DeriveHoverColour(c.normal), c.hover) << c.normal.GetAsString();
        auto* link = new wxHyperLink(panel_, wxID_ANY, "https://example.org/", "x", wxDefaultPosition,
                                     wxDefaultSize, 0, "HyperLink", c.normal);
        EXPECT_EQ(link->NormalColour(), c.normal);
        EXPECT_EQ(link->HoverColour(), c.hover);
        EXPECT_EQ(link->GetForegroundColour(), c.normal);
    }
    // No colour: blue.
    wxHyperLink plain(panel_, wxID_ANY, "https://example.org/");
    EXPECT_EQ(plain.NormalColour(), wxColour(0, 0, 255));
    EXPECT_EQ(plain.HoverColour(), wxColour(0, 0, 155));
    plain.SetForegroundColour(wxColour(200, 0, 60));
    EXPECT_EQ(plain.HoverColour(), wxColour(100, 0, 160));
    // A given hover colour is kept as given.
    wxHyperLink given(panel_, wxID_ANY, "t", "l", wxDefaultPosition, wxDefaultSize, 0, "HyperLink",
                      wxColour(10, 20, 30), wxColour(1, 2, 3));
    EXPECT_EQ(given.HoverColour(), wxColour(1, 2, 3));
    EXPECT_EQ(given.GetForegroundColour(), wxColour(10, 20, 30));
}

TEST_F(HyperLinkTest, IdentityAndLabel) {
    wxHyperLink empty(panel_, wxID_ANY, "https://example.org/help");
    EXPECT_EQ(empty.GetLabel(), "https://example.org/help");
    EXPECT_EQ(empty.GetName(), "HyperLink");
    wxHyperLink labelled(panel_, wxID_ANY, "https://example.org/", "Example");
    EXPECT_EQ(labelled.GetLabel(), "Example");
    EXPECT_EQ(labelled.Target(), "https://example.org/");

    const wxClassInfo* info = wxClassInfo::FindClass("wxHyperLink");
    ASSERT_NE(info, nullptr);
    EXPECT_STREQ(info->GetBaseClassName1(), L"wxStaticText");
    std::unique_ptr<wxObject> made(info->CreateObject());
    EXPECT_NE(dynamic_cast<wxHyperLink*>(made.get()), nullptr);
}

TEST_F(HyperLinkTest, HoverUnderlinesAndRecolours) {
    const struct {
        bool value, always;
        bool underlinedOutside, underlinedHovering;
    } cases[] = {
        {true, false, false, true},
        {false, false, false, false},
        {true, true, true, true},
        {false, true, false, false},
    };
    for (const auto& c : cases) {
        wxHyperLink link(panel_, wxID_ANY, "t", "link", wxDefaultPosition, wxDefaultSize, 0,
                         "HyperLink", wxColour(200, 0, 60));
        link.SetUnderline(c.value, c.always);
        EXPECT_EQ(link.GetFont().GetUnderlined(), c.underlinedOutside) << c.value << c.always;
        Mouse(link, wxEVT_ENTER_WINDOW);
        EXPECT_TRUE(link.IsHovering());
        EXPECT_EQ(link.GetForegroundColour(), wxColour(100, 0, 160));
        EXPECT_EQ(link.GetFont().GetUnderlined(), c.underlinedHovering) << c.value << c.always;
        Mouse(link, wxEVT_LEAVE_WINDOW);
        EXPECT_FALSE(link.IsHovering());
        EXPECT_EQ(link.GetForegroundColour(), wxColour(200, 0, 60));
        EXPECT_EQ(link.GetFont().GetUnderlined(), c.underlinedOutside) << c.value << c.always;
    }
}

TEST_F(HyperLinkTest, ClickOpensOnlyAQuickReleaseOnTheSameLink) {
    auto* first = new wxHyperLink(panel_, wxID_ANY, "first");
    auto* second = new wxHyperLink(panel_, wxID_ANY, "second");
    const struct {
        wxHyperLink* press;
        wxHyperLink* release;
        long heldMs;
        bool opens;
    } cases[] = {
        {first, first, 100, true},
        {first, first, 1249, true},
        {first, first, 1250, false},
        {first, first, 2000, false},
        {first, second, 100, false},
        {second, second, 0, true},
        {nullptr, first, 10, false}, // a release without a press on a link
    };
    for (const auto& c : cases) {
        opened_.clear();
        if (c.press) Mouse(*c.press, wxEVT_LEFT_DOWN);
        now_ += c.heldMs;
        Mouse(*c.release, wxEVT_LEFT_UP);
        if (c.opens) {
            ASSERT_EQ(opened_.size(), 1u) << c.heldMs;
            EXPECT_EQ(opened_[0], c.release->Target());
        } else {
            EXPECT_TRUE(opened_.empty()) << c.heldMs;
        }
    }
}

TEST_F(HyperLinkTest, RealPointerStartsAndEndsTheHover) {
    auto* link = new wxHyperLink(panel_, wxID_ANY, "target", "a link to somewhere", wxPoint(40, 40));
    frame_->Show();
    ASSERT_TRUE(SettleUntil([&] { return link->IsShownOnScreen(); }));
    SettleUntil([] { return false; }, 200);
    wxUIActionSimulator pointer;
    const wxRect rect = link->GetScreenRect();
    pointer.MouseMove(rect.GetBottomRight() + wxPoint(60, 60));
    SettleUntil([] { return false; }, 100);
    pointer.MouseMove(rect.GetLeft() + 4, rect.GetTop() + rect.GetHeight() / 2);
    EXPECT_TRUE(SettleUntil([&] { return link->IsHovering(); })) << "no hover over the link";
    EXPECT_TRUE(link->GetFont().GetUnderlined());
    // A real click reaches the label too.
    pointer.MouseClick();
    EXPECT_TRUE(SettleUntil([&] { return !opened_.empty(); })) << "the click opened nothing";
    EXPECT_EQ(opened_, std::vector<wxString>{"target"});
    pointer.MouseMove(rect.GetBottomRight() + wxPoint(60, 60));
    EXPECT_TRUE(SettleUntil([&] { return !link->IsHovering(); })) << "hover did not end";
    EXPECT_FALSE(link->GetFont().GetUnderlined());
    EXPECT_EQ(link->GetForegroundColour(), link->NormalColour());
}

} // namespace

// With the help book next to the program the help warning must not appear, so
// it stays live here.
int main(int argc, char** argv) {
    GuiTestOptions options;
    options.helpWarning = true;
    return RunGuiTests(argc, argv, options);
}
