// Text import and export through the menu commands of the running program:
// the file dialog's type, the new document, the questions, the messages, the
// files written and the log.

#include "Desktop.h"
#include "GuiTestSupport.h"

#include "app/FileChooser.h"
#include "document/TextExport.h"
#include "document/VdxFile.h"
#include "frame/CommandIds.h"
#include "view/VdxView.h"

#include <gtest/gtest.h>

#include <wx/timer.h>
#include <wx/uiaction.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace vdx::gui;
using namespace vdx::guitest;

namespace {

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// Answers the file dialogs with path and the type at index, and remembers what was asked.
class DialogAnswer {
public:
    DialogAnswer(const fs::path& path, int index) {
        SetFileOfTypeHandler([this, path, index](FileDialogKind kind, const wxString& title, const wxString& filter) {
            asked.push_back({kind, title, filter});
            return ChosenFile{wxString(path.string()), index};
        });
    }
    ~DialogAnswer() { SetFileOfTypeHandler({}); }
    struct Asked {
        FileDialogKind kind;
        wxString title, filter;
    };
    std::vector<Asked> asked;
};

// A calculated round of lines x matches written by the core, tips cycling
// through 1, X, 2; with zeroForDraw the draws read "0".
fs::path WriteRound(const fs::path& path, int lines, int matches, bool zeroForDraw = false) {
    vdx::PoolsDocument doc;
    doc.matchCount = matches;
    doc.lineCount = lines;
    doc.hasTips = true;
    doc.tipsUpToDate = true;
    doc.tipLineCount = lines;
    doc.tipMatchCount = matches;
    doc.zeroForDraw = zeroForDraw;
    for (int m = 0; m < matches; ++m) {
        vdx::MatchEntry& match = doc.match(m);
        match.hasTips = true;
        match.tips.assign(vdx::kMaxLines, vdx::kNoTip);
        for (int j = 0; j < lines; ++j) match.tips[j] = static_cast<uint8_t>((j + m) % 3);
    }
    doc.recomputeCorrectTips();
    EXPECT_TRUE(vdx::SaveVdxFile(path.string(), doc).ok) << path;
    return path;
}

std::string LineOf(const vdx::PoolsDocument& doc, int line) {
    std::string text;
    for (int m = 0; m < doc.tipMatchCount; ++m) text += "1X2"[doc.tipOf(m, line)];
    return text;
}

bool AnyMessageContains(const wxString& part) {
    for (const Message& m : g_messages)
        if (m.text.Contains(part)) return true;
    return false;
}

using TextIoTest = AppTest;

TEST_F(TextIoTest, ImportMakesANewUnsavedDocumentOfTheChosenKind) {
    const fs::path file = dir_ / "lines.txt";
    // Blanks between the tips and an empty line are no part of the lines.
    WriteFile(file, "1 X 2\r\n\r\n0x1\r\n");
    struct Case {
        int index;
        int lines, matches;
        std::vector<std::string> sorted;
    };
    const std::vector<Case> cases = {
        {0, 2, 3, {"1X2", "XX1"}},     // text: one line of tips per line
        {1, 3, 2, {"1X", "XX", "21"}}, // reversed: one match per line
    };
    for (const Case& c : cases) {
        CloseAllDocuments();
        g_messages.clear();
        DialogAnswer answer(file, c.index);
        SendCommand(&Main(), kIdImportText);
        ASSERT_EQ(answer.asked.size(), 1u);
        EXPECT_EQ(answer.asked[0].kind, FileDialogKind::Open);
        EXPECT_EQ(answer.asked[0].title, "Import Text File");
        EXPECT_EQ(answer.asked[0].filter,
                  "Text File (*.txt)|*.txt|Reversed Text File (*.txt)|*.txt|Totocalcio (*.col)|*.col");
        EXPECT_TRUE(g_messages.empty()) << g_messages.front().text;

        VdxDocument* doc = Manager().CurrentVdxDocument();
        ASSERT_NE(doc, nullptr) << "kind index " << c.index;
        const vdx::PoolsDocument& data = doc->Data();
        EXPECT_EQ(data.importKind, c.index + 1);
        EXPECT_EQ(data.tipLineCount, c.lines);
        EXPECT_EQ(data.tipMatchCount, c.matches);
        for (int l = 0; l < c.lines; ++l) EXPECT_EQ(LineOf(data, l), c.sorted[l]) << "line " << l;
        // Save must ask for a name; closing must not lose the lines silently.
        EXPECT_FALSE(doc->GetDocumentSaved());
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(Occurrences(LogText(), "Imported data of " + wxString(file.string())), c.index + 1);
    }

    // Save goes to Save As: the name is asked, the file is written.
    const fs::path saved = dir_ / "imported.vdx";
    int askedForName = 0;
    SetSaveFileHandler([&](const wxString&, const wxString&) {
        ++askedForName;
        return wxString(saved.string());
    });
    SendCommand(&Main(), wxID_SAVE);
    SetSaveFileHandler({});
    EXPECT_EQ(askedForName, 1);
    EXPECT_TRUE(fs::exists(saved));
}

TEST_F(TextIoTest, RefusedImportShowsWhyAndKeepsTheOpenDocument) {
    std::string thousandAndOne;
    for (int i = 0; i < 1001; ++i) thousandAndOne += "1X2\n";
    struct Case {
        std::string name, bytes;
        int index;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"uneven.txt", "12\n1X2\n", 0, "is not a suitable text file."},
        {"uneven2.txt", "12\n1X2\n", 1, "is not a suitable reversed text file."},
        {"long.txt", thousandAndOne, 0, "has too many lines."},
        {"letters.col", "no tips here\n", 2, "is not a Totocalcio-File."},
        {"short.col", "1\n3\n", 2, "is not a Totocalcio-File."}, // records of one match
        {"missing.txt", "", 0, "Error reading the file"},
    };
    const fs::path kept = WriteRound(dir_ / "kept.vdx", 5, 12);
    VdxDocument* open = Open(kept);
    ASSERT_NE(open, nullptr);
    const int importsBefore = Occurrences(LogText(), "Imported data of");
    for (const Case& c : cases) {
        const fs::path file = dir_ / c.name;
        if (c.name != "missing.txt") WriteFile(file, c.bytes);
        g_messages.clear();
        DialogAnswer answer(file, c.index);
        SendCommand(&Main(), kIdImportText);
        ASSERT_EQ(g_messages.size(), 1u) << c.name;
        EXPECT_TRUE(g_messages[0].text.Contains(wxString(file.string()))) << g_messages[0].text;
        EXPECT_TRUE(g_messages[0].text.Contains(c.message)) << g_messages[0].text;
        EXPECT_EQ(Manager().GetDocuments().GetCount(), 1u) << c.name;
        EXPECT_EQ(Manager().CurrentVdxDocument(), open) << c.name;
        EXPECT_EQ(open->Data().tipLineCount, 5);
    }
    EXPECT_EQ(Occurrences(LogText(), "Imported data of"), importsBefore);
}

TEST_F(TextIoTest, ImportOfTheThousandthLineAfterBlanksIsKept) {
    // Far beyond the first 17034 characters, and still a valid file.
    std::string text;
    for (int i = 0; i < 1000; ++i) text += (i == 999 ? "2   2   2" : "1   X   1") + std::string("\r\n");
    const fs::path file = dir_ / "spaced.txt";
    WriteFile(file, text);
    DialogAnswer answer(file, 0);
    SendCommand(&Main(), kIdImportText);
    VdxDocument* doc = Manager().CurrentVdxDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->Data().tipLineCount, 1000);
    EXPECT_EQ(LineOf(doc->Data(), 999), "222");
}

TEST_F(TextIoTest, ExportWritesTheTypeAsksOnAMismatchAndRefusesWhatCannotBeWritten) {
    VdxDocument* twelve = Open(WriteRound(dir_ / "twelve.vdx", 3, 12, true));
    ASSERT_NE(twelve, nullptr);
    const fs::path readOnly = dir_ / "locked.txt";
    WriteFile(readOnly, "old");
    ::chmod(readOnly.c_str(), 0444);

    struct Case {
        std::string file;
        int index;
        int answer;           // to the extension question
        bool asked;           // whether the question came
        std::string message;  // the error box, empty for none
        std::string title;
        std::string written;  // file name written, empty for none
    };
    const std::vector<Case> cases = {
        {"pc.txt", 0, wxNO, false, "", "", "pc.txt"},
        {"unix", 1, wxNO, false, "", "", "unix.txt"}, // the type's extension is added
        {"lines.col", 1, wxNO, true, "", "", ""},
        {"lines2.col", 1, wxYES, true, "", "", "lines2.col"},
        {"toto.col", 3, wxNO, false, "needs the tips of exactly 14 matches.", "Error", ""},
        {"locked.txt", 0, wxNO, false, "Sorry, could not open this file for saving.", "VendrixPlanner", ""},
    };
    for (const Case& c : cases) {
        g_messages.clear();
        g_answer = c.answer;
        DialogAnswer dialog(dir_ / c.file, c.index);
        SendCommand(&Main(), kIdSaveAsText);
        ASSERT_EQ(dialog.asked.size(), 1u) << c.file;
        EXPECT_EQ(dialog.asked[0].kind, FileDialogKind::Save);
        EXPECT_EQ(dialog.asked[0].title, "Create a Text File");
        EXPECT_EQ(dialog.asked[0].filter,
                  "Text File (*.txt) PC/OS2|*.txt|Text File (*.txt) Unix|*.txt|Text File (*.txt) Mac|*.txt|"
                  "Totocalcio (*.col)|*.col|Totocalcio special (*.col)|*.col");

        std::vector<Message> questions, errors;
        for (const Message& m : g_messages) ((m.style & wxYES_NO) ? questions : errors).push_back(m);
        ASSERT_EQ(questions.size(), c.asked ? 1u : 0u) << c.file;
        if (c.asked) {
            EXPECT_EQ(questions[0].title, "Confirmation");
            EXPECT_TRUE(questions[0].text.Contains(
                wxString(fs::path(c.file).stem().string() + ".col will be saved with the format for Unix.")))
                << questions[0].text;
        }
        ASSERT_EQ(errors.size(), c.message.empty() ? 0u : 1u) << c.file;
        if (!c.message.empty()) {
            EXPECT_TRUE(errors[0].text.Contains(c.message)) << errors[0].text;
            EXPECT_EQ(errors[0].title, c.title);
        }
        if (!c.written.empty()) {
            const std::string expected = vdx::ExportText(twelve->Data(), c.index);
            EXPECT_EQ(ReadBytes(dir_ / c.written), expected) << c.file;
            const char* type = c.index == 0 ? "PC/OS2" : "Unix";
            EXPECT_EQ(Occurrences(LogText(), wxString::Format("Text File for %s: File %s saved", type,
                                                              (dir_ / c.written).string())),
                      1);
        } else {
            EXPECT_TRUE(!fs::exists(dir_ / c.file) || c.file == "locked.txt") << c.file;
        }
    }
    EXPECT_EQ(ReadBytes(readOnly), "old");
    // Draws are written as the document shows them; the document itself is untouched.
    EXPECT_EQ(ReadBytes(dir_ / "pc.txt").substr(0, 14), "102102102102\r\n");
    EXPECT_FALSE(twelve->IsModified());
    EXPECT_FALSE(AnyMessageContains("not available"));
}

TEST_F(TextIoTest, TotocalcioExportOfFourteenMatchesReadsBackAsTheSameLines) {
    VdxDocument* doc = Open(WriteRound(dir_ / "full.vdx", 3, 14));
    ASSERT_NE(doc, nullptr);
    const fs::path col = dir_ / "full.col";
    {
        DialogAnswer dialog(col, 3);
        SendCommand(&Main(), kIdSaveAsText);
    }
    EXPECT_TRUE(g_messages.empty()) << g_messages.front().text;
    const std::string bytes = ReadBytes(col);
    ASSERT_EQ(bytes.size(), 1 + 3 * 15 + 15 + 14u);
    EXPECT_EQ(bytes.substr(bytes.size() - 29), "             3\r0             ");

    std::vector<std::string> exported;
    for (int l = 0; l < 3; ++l) exported.push_back(LineOf(doc->Data(), l));
    DialogAnswer dialog(col, 2);
    SendCommand(&Main(), kIdImportText);
    VdxDocument* imported = Manager().CurrentVdxDocument();
    ASSERT_NE(imported, nullptr);
    ASSERT_EQ(imported->Data().tipLineCount, 3);
    std::vector<std::string> read;
    for (int l = 0; l < 3; ++l) read.push_back(LineOf(imported->Data(), l));
    std::sort(exported.begin(), exported.end());
    std::sort(read.begin(), read.end());
    EXPECT_EQ(read, exported);
}

// The real dialogs: titled as they should be, with the types to choose from;
// Escape leaves them without a document or a file.
TEST_F(TextIoTest, RealDialogsOpenWithTheirTitlesAndCancelCleanly) {
    VdxDocument* doc = Open(WriteRound(dir_ / "round.vdx", 3, 12));
    ASSERT_NE(doc, nullptr);
    struct Case {
        int id;
        const char* title;
    };
    for (const Case& c : {Case{kIdImportText, "Import Text File"}, Case{kIdSaveAsText, "Create a Text File"}}) {
        g_messages.clear();
        bool found = false;
        Later look(2500, [&] {
            const std::string name = std::string("'") + c.title + "'";
            found = std::system(("xdotool search --name " + name + " >/dev/null").c_str()) == 0;
            if (const char* dir = std::getenv("VDX_SCREENSHOT_DIR")) {
                const std::string grab = "xwd -silent -id $(xdotool search --name " + name + " | head -1) | "
                                         "convert xwd:- '" + dir + "/" + std::to_string(c.id) + "-dialog.png'";
                if (std::system(grab.c_str()) != 0) std::fprintf(stderr, "no picture of %s\n", c.title);
            }
            wxUIActionSimulator().Char(WXK_ESCAPE);
        });
        SendCommand(&Main(), c.id);
        EXPECT_TRUE(look.done) << c.title; // the dialog was open meanwhile
        EXPECT_TRUE(found) << c.title;
        EXPECT_TRUE(g_messages.empty()) << g_messages.front().text;
        EXPECT_EQ(Manager().GetDocuments().GetCount(), 1u);
        EXPECT_EQ(Manager().CurrentVdxDocument(), doc);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

} // namespace

int main(int argc, char** argv) {
    const WindowManager manager;
    return RunGuiTests(argc, argv);
}
