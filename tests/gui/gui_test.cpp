// Starts the real application (main frame, document manager, log window) under
// a virtual display and drives its documents through the framework.

#include "GuiTestSupport.h"

#include "app/FileChooser.h"
#include "app/ConfigStore.h"
#include "app/WxConfigStore.h"
#include "document/VdxFile.h"
#include "view/VdxView.h"

#include <gtest/gtest.h>

#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace vdx::guitest;

namespace {

// Answers the file question of Save As while it lives.
struct SaveAnswer {
    explicit SaveAnswer(const wxString& path) {
        vdx::gui::SetSaveFileHandler([this, path](const wxString&, const wxString&) {
            ++asked;
            return path;
        });
    }
    ~SaveAnswer() { vdx::gui::SetSaveFileHandler({}); }
    int asked = 0;
};

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// A document with two named matches, written by the core.
void WriteDocument(const fs::path& path, const std::string& first = "Alpha - Beta",
                   const std::string& second = "Gamma - Delta") {
    vdx::PoolsDocument doc;
    doc.match(0).name = first;
    doc.match(1).name = second;
    ASSERT_TRUE(vdx::SaveVdxFile(path.string(), doc).ok) << path;
}

vdx::PoolsDocument ReadDocument(const fs::path& path) {
    vdx::PoolsDocument doc;
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(vdx::ReadVdx(in, doc), vdx::kReadOk) << path;
    return doc;
}

wxString ViewText(VdxDocument* doc) {
    auto* view = dynamic_cast<VdxView*>(doc->GetFirstView());
    return view && view->TextControl() ? view->TextControl()->GetValue() : wxString();
}

bool HasMessage(const wxString& part, long icon) {
    for (const Message& m : g_messages)
        if (m.text.Contains(part) && (m.style & icon) && m.title == "VendrixPlanner") return true;
    return false;
}

class GuiTest : public AppTest {};

TEST_F(GuiTest, OpenedDocumentShowsItsMatchesInTheMainFrame) {
    const fs::path path = dir_ / "round.vdx";
    WriteDocument(path);
    VdxDocument* doc = Open(path);
    ASSERT_NE(doc, nullptr);

    EXPECT_TRUE(ViewText(doc).Contains("Alpha - Beta"));
    EXPECT_TRUE(ViewText(doc).Contains("Gamma - Delta"));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetFirstView()->GetFrame(), App().Frame());
    EXPECT_TRUE(App().Frame()->GetTitle().Contains("round.vdx"));
    EXPECT_EQ(Occurrences(LogText(), "File " + wxString(path.string()) + " opened"), 1);
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(GuiTest, SingleDocumentModeClosesTheCurrentDocumentOnceBeforeTheNext) {
    const fs::path first = dir_ / "first.vdx", second = dir_ / "second.vdx";
    WriteDocument(first, "First One - X");
    WriteDocument(second, "Second One - Y");

    ASSERT_NE(Open(first), nullptr);
    VdxDocument* doc = Open(second);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(Manager().GetDocuments().GetCount(), 1u);
    EXPECT_EQ(Manager().CurrentVdxDocument(), doc);
    EXPECT_EQ(Occurrences(LogText(), "File " + wxString(first.string()) + " closed"), 1);

    // The canvas shows the new document only.
    EXPECT_TRUE(ViewText(doc).Contains("Second One"));
    EXPECT_EQ(App().Frame()->Canvas()->GetChildren().GetCount(), 1u);

    wxDocument* created = Manager().CreateDocument(wxString(), wxDOC_NEW);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(Manager().GetDocuments().GetCount(), 1u);
    EXPECT_EQ(Occurrences(LogText(), "File " + wxString(second.string()) + " closed"), 1);
    EXPECT_TRUE(LogText().Contains("New document created"));

    Manager().CloseDocuments(true);
    EXPECT_EQ(App().Frame()->GetTitle(), "VendrixPlanner");
    EXPECT_EQ(App().Frame()->Canvas()->GetChildren().GetCount(), 0u);
}

TEST_F(GuiTest, SaveWritesTheEditedDocumentAndClearsItsMarks) {
    const fs::path path = dir_ / "round.vdx";
    WriteDocument(path);
    VdxDocument* doc = Open(path);
    ASSERT_NE(doc, nullptr);

    doc->Data().match(0).name = "Zeta - Eta";
    doc->Data().calculatedNotSaved = true;
    doc->MarkChanged();
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(ViewText(doc).Contains("Zeta - Eta"));

    ASSERT_TRUE(doc->Save());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(doc->Data().calculatedNotSaved);
    EXPECT_EQ(ReadDocument(path).match(0).name, "Zeta - Eta");
    EXPECT_EQ(ReadDocument(path).match(1).name, "Gamma - Delta");
    EXPECT_TRUE(LogText().Contains("File " + wxString(path.string()) + " saved"));
    EXPECT_TRUE(g_messages.empty());
    // Nothing but the document is left in its folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

// A save that cannot be written keeps the old file as it was and the document
// modified under its old name.
TEST_F(GuiTest, FailedSaveKeepsTheOldFileAndTheDocumentModified) {
    enum class Route { SaveAfterFolderMoved, SaveAsIntoMissingFolder };
    for (Route route : {Route::SaveAfterFolderMoved, Route::SaveAsIntoMissingFolder}) {
        SCOPED_TRACE(static_cast<int>(route));
        g_messages.clear();
        const fs::path folder = dir_ / "folder";
        const fs::path path = folder / "round.vdx";
        fs::remove_all(folder);
        fs::remove_all(dir_ / "moved");
        fs::create_directories(folder);
        WriteDocument(path);
        const std::string original = ReadBytes(path);
        VdxDocument* doc = Open(path);
        ASSERT_NE(doc, nullptr);
        doc->Data().match(0).name = "Changed - Name";
        doc->MarkChanged();

        fs::path kept = path, neverMade;
        wxString target;
        bool saved = true;
        if (route == Route::SaveAfterFolderMoved) {
            fs::rename(folder, dir_ / "moved");
            kept = dir_ / "moved" / "round.vdx";
            neverMade = folder;
            target = wxString(path.string());
            saved = doc->Save();
        } else {
            neverMade = dir_ / "missing";
            target = wxString((neverMade / "new.vdx").string());
            SaveAnswer answer(target);
            saved = doc->SaveAs();
        }

        EXPECT_FALSE(saved);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(doc->GetFilename(), wxString(path.string()));
        EXPECT_EQ(ReadBytes(kept), original);
        EXPECT_FALSE(fs::exists(neverMade));
        EXPECT_TRUE(HasMessage("Error saving the file " + target, wxICON_ERROR));
        EXPECT_TRUE(LogText().Contains("Error saving the file " + target));
        doc->Modify(false);
        Manager().CloseDocuments(true);
    }
}

TEST_F(GuiTest, UnreadableFilesAreRefusedWithTheirMessage) {
    struct Case {
        const char* name;
        std::string bytes; // empty: the file does not exist
        const char* message;
    };
    const std::vector<Case> cases = {
        {"foreign.vdx", std::string("Vendrax") + std::string(200, '\0'),
         "is not a VendrixPlanner-File!"},
        {"truncated.vdx", std::string("Vendrix\xd3\x00\x0c", 10), "Error reading the file"},
        {"missing.vdx", "", "Error reading the file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_messages.clear();
        const fs::path path = dir_ / c.name;
        if (!c.bytes.empty()) WriteBytes(path, c.bytes);

        EXPECT_EQ(Open(path), nullptr);
        EXPECT_EQ(Manager().GetDocuments().GetCount(), 0u);
        EXPECT_TRUE(HasMessage(c.message, wxICON_ERROR));
        EXPECT_EQ(g_messages.size(), 1u);
        EXPECT_FALSE(LogText().Contains("File " + wxString(path.string()) + " opened"));
    }
}

// Files that cannot be read say why, below the message and the file's name.
TEST_F(GuiTest, ReadErrorsGiveTheFileAndTheReason) {
    std::string fifteen;
    {
        vdx::PoolsDocument doc;
        std::ostringstream out;
        ASSERT_TRUE(vdx::WriteVdx(out, doc).ok);
        fifteen = out.str();
        fifteen[9] = 15; // the match count word
    }
    const struct {
        const char* name;
        std::string bytes; // nullopt-like: "-" for no file at all
        const char* reason;
    } cases[] = {
        {"truncated.vdx", std::string("Vendrix\xd3\x00\x0c", 10), "The file ends after 10 of at least 11 bytes."},
        {"empty.vdx", "", "The file is empty."},
        {"fifteen.vdx", fifteen, "15 matches, at most 14."},
        {"missing.vdx", "-", "No such file or directory."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_messages.clear();
        const fs::path path = dir_ / c.name;
        if (c.bytes != "-") WriteBytes(path, c.bytes);
        EXPECT_EQ(Open(path), nullptr);
        ASSERT_EQ(g_messages.size(), 1u);
        EXPECT_EQ(g_messages[0].text, "Error reading the file\n" + wxString(path.string()) + "\n" + c.reason);
        EXPECT_TRUE(g_messages[0].style & wxICON_ERROR);
    }
}

// In single-document mode the new file is read first: one that cannot be
// read leaves the open document as it was, modified or not, without a question.
TEST_F(GuiTest, FailedOpenKeepsTheOpenDocument) {
    ASSERT_TRUE(Manager().IsSingleDocument());
    const fs::path current = dir_ / "current.vdx", broken = dir_ / "broken.vdx";
    WriteDocument(current, "Kept - Match");
    std::string bytes = ReadBytes(current);
    WriteBytes(broken, bytes.substr(0, bytes.size() / 2));
    for (bool modified : {false, true}) {
        SCOPED_TRACE(modified ? "modified" : "unmodified");
        VdxDocument* doc = Open(current);
        ASSERT_NE(doc, nullptr);
        if (modified) {
            doc->Data().match(1).name = "Edited - Match";
            doc->MarkChanged();
        }
        g_messages.clear();
        g_answer = wxNO;
        const wxString closed = "File " + wxString(current.string()) + " closed";
        const int closedBefore = Occurrences(LogText(), closed);

        EXPECT_EQ(Open(broken), nullptr);
        ASSERT_EQ(Manager().GetDocuments().GetCount(), 1u);
        EXPECT_EQ(Manager().CurrentVdxDocument(), doc);
        EXPECT_EQ(doc->IsModified(), modified);
        EXPECT_EQ(doc->Data().match(1).name, modified ? "Edited - Match" : "Gamma - Delta");
        EXPECT_TRUE(ViewText(doc).Contains("Kept - Match"));
        EXPECT_EQ(App().Frame()->Canvas()->GetChildren().GetCount(), 1u);
        EXPECT_EQ(Occurrences(LogText(), closed), closedBefore);
        // Only the error: no question about saving.
        ASSERT_EQ(g_messages.size(), 1u);
        EXPECT_TRUE(g_messages[0].text.StartsWith("Error reading the file\n"));
        CloseAllDocuments();
    }
}

TEST_F(GuiTest, SaveOntoAReadOnlyFileIsRefused) {
    const fs::path path = dir_ / "readonly.vdx";
    WriteDocument(path);
    const std::string original = ReadBytes(path);
    VdxDocument* doc = Open(path);
    ASSERT_NE(doc, nullptr);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    doc->Data().match(0).name = "Changed - Name";
    doc->MarkChanged();

    EXPECT_FALSE(doc->Save());
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_TRUE(doc->IsModified());
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].text, "Error saving the file " + wxString(path.string()) + "\nThe file is read-only.");

    g_messages.clear();
    const fs::path missing = dir_ / "missing" / "new.vdx";
    SaveAnswer answer(wxString(missing.string()));
    EXPECT_FALSE(doc->SaveAs());
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].text, "Error saving the file " + wxString(missing.string()) +
                                      "\nNo file can be made in this folder: No such file or directory.");
}

// The example lives in the program's folder, which an installed program
// cannot write: Save As offers the user's own folders instead.
TEST_F(GuiTest, SaveAsNeverOffersTheProgramFolder) {
    const fs::path program = dir_ / "program", elsewhere = dir_ / "mine";
    fs::create_directories(program / "sub");
    fs::create_directories(elsewhere);
    WriteDocument(program / "example.vdx");
    WriteDocument(program / "sub" / "below.vdx");
    WriteDocument(elsewhere / "own.vdx");
    const wxString savedProgramDir = App().ProgramDir();
    App().SetProgramDir(wxString(program.string()));

    wxString offered;
    vdx::gui::SetSaveFileHandler([&offered](const wxString& dir, const wxString&) {
        offered = dir;
        return wxString();
    });
    const wxString home = wxFileName::GetHomeDir();
    for (const fs::path& file : {program / "example.vdx", program / "sub" / "below.vdx", elsewhere / "own.vdx"}) {
        SCOPED_TRACE(file.string());
        VdxDocument* doc = Open(file);
        ASSERT_NE(doc, nullptr);
        offered.clear();
        EXPECT_FALSE(doc->SaveAs()); // cancelled
        if (file.parent_path() == elsewhere) {
            EXPECT_EQ(offered, wxString(elsewhere.string()));
        } else {
            EXPECT_FALSE(offered.StartsWith(wxString(program.string()))) << offered;
            EXPECT_TRUE(offered.StartsWith(home)) << offered;
        }
        CloseAllDocuments();
    }
    // Through the Example command as the user meets it.
    App().OpenExample();
    VdxDocument* example = Manager().CurrentVdxDocument();
    ASSERT_NE(example, nullptr);
    offered.clear();
    example->Save();
    EXPECT_TRUE(offered.StartsWith(home)) << offered;
    vdx::gui::SetSaveFileHandler({});
    App().SetProgramDir(savedProgramDir);
}

TEST_F(GuiTest, DocumentMarkedSaveAsOnSaveIsSavedUnderANewName) {
    const fs::path example = dir_ / "example.vdx", copy = dir_ / "mine.vdx";
    WriteDocument(example);
    const std::string original = ReadBytes(example);
    VdxDocument* doc = Open(example);
    ASSERT_NE(doc, nullptr);
    doc->Data().saveAsOnSave = true;
    doc->Data().match(0).name = "Own - Match";
    doc->MarkChanged();

    bool saved = false;
    {
        SaveAnswer answer(wxString((dir_ / "mine").string())); // the extension is added
        saved = doc->Save();
        EXPECT_EQ(answer.asked, 1);
    }

    ASSERT_TRUE(saved);
    EXPECT_EQ(ReadBytes(example), original);
    EXPECT_EQ(ReadDocument(copy).match(0).name, "Own - Match");
    EXPECT_EQ(doc->GetFilename(), wxString(copy.string()));
    EXPECT_FALSE(doc->Data().saveAsOnSave);
    EXPECT_FALSE(doc->IsModified());

    // Cleared: the next save goes to the new name without asking.
    doc->Data().match(1).name = "Next - Save";
    doc->MarkChanged();
    SaveAnswer notExpected(wxString((dir_ / "other.vdx").string()));
    ASSERT_TRUE(doc->Save());
    EXPECT_EQ(notExpected.asked, 0);
    EXPECT_EQ(ReadDocument(copy).match(1).name, "Next - Save");
}

TEST_F(GuiTest, CharactersTheFileCannotHoldAreReportedOncePerDocument) {
    const fs::path path = dir_ / "round.vdx";
    WriteDocument(path);
    VdxDocument* doc = Open(path);
    ASSERT_NE(doc, nullptr);
    doc->Data().match(0).name = "\xe4\xb8\xad - Team"; // not in the file's code page

    for (int i = 0; i < 2; ++i) {
        doc->MarkChanged();
        ASSERT_TRUE(doc->Save());
    }
    int warnings = 0;
    for (const Message& m : g_messages)
        if (m.text.Contains("saved as '?'") && (m.style & wxICON_WARNING)) ++warnings;
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(ReadDocument(path).match(0).name, "? - Team");
}

TEST_F(GuiTest, RunningCalculationKeepsDocumentAndFrameOpen) {
    const fs::path path = dir_ / "round.vdx";
    WriteDocument(path);
    VdxDocument* doc = Open(path);
    ASSERT_NE(doc, nullptr);
    doc->Data().calculationRunning = true;

    EXPECT_FALSE(Manager().CloseDocument(doc));
    EXPECT_EQ(Manager().GetDocuments().GetCount(), 1u);
    EXPECT_FALSE(App().Frame()->Close());
    EXPECT_TRUE(App().Frame()->IsShown());
    EXPECT_TRUE(HasMessage("Please stop the calculation\nbefore you quit the application!",
                           wxICON_INFORMATION));
    EXPECT_FALSE(LogText().Contains("File " + wxString(path.string()) + " closed"));
}

TEST_F(GuiTest, RecentFilesStandInTheFileMenuAboveExit) {
    const fs::path path = dir_ / "recent.vdx";
    WriteDocument(path);
    ASSERT_NE(Open(path), nullptr);

    wxMenu* file = App().Frame()->GetMenuBar()->GetMenu(0);
    size_t recentPos = 0, exitPos = 0;
    ASSERT_NE(file->FindChildItem(wxID_FILE1, &recentPos), nullptr);
    ASSERT_NE(file->FindChildItem(wxID_EXIT, &exitPos), nullptr);
    EXPECT_EQ(file->GetLabel(wxID_FILE1), "&1 recent.vdx");
    EXPECT_LT(recentPos, exitPos);
    EXPECT_TRUE(file->FindItemByPosition(exitPos - 1)->IsSeparator());
    EXPECT_TRUE(file->FindItemByPosition(recentPos - 1)->IsSeparator());
}

TEST(WxConfigStoreTest, ValuesSurviveTheFileAsWritten) {
    const fs::path dir = MakeTempDir("vdxconf");
    ASSERT_FALSE(dir.empty());
    // The folder is made when missing.
    const wxString path((dir / "sub" / "VendrixPlanner.conf").string());
    {
        WxConfigStore store(path);
        store.WriteString("Ticketformat", "$HOME/formats/a b.vdf");
        store.WriteString("Conditions1X2", " 0 F64 1 2 3");
        store.WriteInt("Games", 13);
        ASSERT_TRUE(store.Flush());
    }
    ASSERT_TRUE(fs::exists(path.ToStdString()));
    {
        WxConfigStore store(path);
        std::string text;
        long number = 0;
        ASSERT_TRUE(store.ReadString("Ticketformat", text));
        EXPECT_EQ(text, "$HOME/formats/a b.vdf");
        ASSERT_TRUE(store.ReadString("Conditions1X2", text));
        EXPECT_EQ(text, " 0 F64 1 2 3");
        ASSERT_TRUE(store.ReadInt("Games", number));
        EXPECT_EQ(number, 13);
        EXPECT_FALSE(store.ReadInt("Ticketformat", number)); // not a number
        EXPECT_FALSE(store.ReadInt("Tips", number));

        ASSERT_TRUE(store.DeleteAll());
        EXPECT_FALSE(store.ReadInt("Games", number));
    }
    EXPECT_FALSE(fs::exists(path.ToStdString()));
    fs::remove_all(dir);
}

// Numbers are read whole or not at all: the library would keep the 1 of "1e5".
TEST(WxConfigStoreTest, NumbersThatDoNotParseWholeGetTheirDefaults) {
    const fs::path dir = MakeTempDir("vdxconf");
    ASSERT_FALSE(dir.empty());
    const fs::path path = dir / "VendrixPlanner.conf";
    WriteBytes(path, "Tips=1e5\nSettings=0xFFFF\nGames=12abc\nTries=7\nDiff= 9 \n");
    {
        WxConfigStore store(wxString(path.string()));
        const vdx::AppConfig config = vdx::ReadAppConfig(store);
        EXPECT_EQ(config.options.lineCount, 20);
        EXPECT_EQ(vdx::SettingsToBits(config.settings), vdx::kDefaultSettingsBits);
        EXPECT_EQ(config.options.matchCount, 12);
        EXPECT_EQ(config.options.rounds, 7);
        EXPECT_EQ(config.options.upToDifference, 9);
    }
    fs::remove_all(dir);
}

TEST(WxConfigStoreTest, FileLivesInTheUsersConfigurationFolder) {
    wxString savedXdg, home = wxFileName::GetHomeDir();
    const bool hadXdg = wxGetEnv("XDG_CONFIG_HOME", &savedXdg);
    struct Case {
        const char* xdg; // nullptr: unset
        wxString expected;
    };
    const std::vector<Case> cases = {
        {"/tmp/xdg-here", "/tmp/xdg-here/VendrixPlanner.conf"},
        {"relative/dir", home + "/.config/VendrixPlanner.conf"}, // not absolute: ignored
        {nullptr, home + "/.config/VendrixPlanner.conf"},
    };
    for (const Case& c : cases) {
        if (c.xdg)
            wxSetEnv("XDG_CONFIG_HOME", c.xdg);
        else
            wxUnsetEnv("XDG_CONFIG_HOME");
        EXPECT_EQ(WxConfigStore::DefaultPath(), c.expected) << (c.xdg ? c.xdg : "unset");
    }
    if (hadXdg)
        wxSetEnv("XDG_CONFIG_HOME", savedXdg);
    else
        wxUnsetEnv("XDG_CONFIG_HOME");
}

// Running the tests never reads, writes or deletes the settings of the user
// who starts them.
TEST(TestRunTest, SettingsLiveInAHomeOfTheRunsOwn) {
    const wxString home = wxFileName::GetHomeDir();
    EXPECT_TRUE(wxFileName(home).GetFullName().StartsWith("vdxhome-")) << home;
    EXPECT_EQ(WxConfigStore::DefaultPath(), home + "/.config/VendrixPlanner.conf");
}

} // namespace

int main(int argc, char** argv) { return RunGuiTests(argc, argv); }
