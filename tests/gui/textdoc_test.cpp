// Plain text documents in the multi-document mode: opening in the file's
// encoding and line ends, typing, saving safely, refusing what the editor
// cannot hold, and the question before closing.

#include "Desktop.h"
#include "GuiTestSupport.h"

#include "frame/TextChildFrame.h"
#include "view/TextEditDocument.h"
#include "view/TextEditView.h"

#include <gtest/gtest.h>

#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using namespace vdx::guitest;

namespace {

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class TextDocTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        App().Config().settings.multiDocument = true;
        Manager().SetSingleDocument(false);
        RegisterTextTemplate(&Manager());
    }
    void TearDown() override {
        AppTest::TearDown();
        App().Config().settings.multiDocument = false;
        Manager().SetSingleDocument(true);
    }
    TextEditDocument* OpenText(const fs::path& path) {
        return dynamic_cast<TextEditDocument*>(Manager().CreateDocument(wxString(path.string()), wxDOC_SILENT));
    }
    static wxTextCtrl* Control(TextEditDocument* doc) {
        return static_cast<TextEditView*>(doc->GetFirstView())->TextControl();
    }
    // Types text and a line end at the end of the document's text, as the user does.
    static void TypeAtEnd(TextEditDocument* doc, const char* text) {
        doc->GetFirstView()->GetFrame()->Raise();
        Control(doc)->SetFocus();
        Control(doc)->SetInsertionPointEnd();
        Settle(200);
        wxUIActionSimulator typing;
        typing.Text(text);
        typing.Char(WXK_RETURN);
        Settle(300);
    }
};

TEST_F(TextDocTest, TypedLinesAreSavedWithTheFilesLineEnds) {
    const fs::path file = dir_ / "lines.txt";
    WriteFile(file, "1X2\r\n0X1\r\n");
    TextEditDocument* doc = OpenText(file);
    ASSERT_NE(doc, nullptr);
    wxTextCtrl* text = Control(doc);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetName(), "text");
    EXPECT_EQ(text->GetValue(), "1X2\n0X1\n");
    EXPECT_FALSE(doc->IsModified());
    auto* frame = dynamic_cast<TextChildFrame*>(doc->GetFirstView()->GetFrame());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(Occurrences(LogText(), "File " + wxString(file.string()) + " opened"), 1);
    Settle(1500);
    SaveScreenshot("text-document");
    if (const char* dir = std::getenv("VDX_SCREENSHOT_DIR")) {
        const std::string grab = std::string("xwd -silent -id $(xdotool search --name 'lines.txt' | head -1)"
                                             " | convert xwd:- '") + dir + "/text-document-frame.png'";
        if (std::system(grab.c_str()) != 0) std::fprintf(stderr, "no picture of the frame\n");
    }

    // The user types a line at the end.
    TypeAtEnd(doc, "221");
    EXPECT_EQ(text->GetValue(), "1X2\n0X1\n221\n");
    EXPECT_TRUE(doc->IsModified());

    SendCommand(frame, wxID_SAVE);
    EXPECT_TRUE(g_messages.empty()) << g_messages.front().text;
    EXPECT_EQ(ReadBytes(file), "1X2\r\n0X1\r\n221\r\n");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(text->IsModified());
    EXPECT_EQ(Occurrences(LogText(), "File " + wxString(file.string()) + " saved"), 1);
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(TextDocTest, FileNotInUtf8KeepsEveryByteAndItsEncoding) {
    const fs::path file = dir_ / "latin.txt";
    WriteFile(file, "Z\xFCrich\x81\n");
    TextEditDocument* doc = OpenText(file);
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_TRUE(g_messages[0].text.Contains("Windows-1252")) << g_messages[0].text;
    EXPECT_EQ(doc->Format().encoding, vdx::TextEncoding::Windows1252);
    wxTextCtrl* text = Control(doc);
    EXPECT_EQ(text->GetValue().utf8_string(), "Z\xC3\xBCrich\xC2\x81\n");

    text->SetInsertionPointEnd();
    text->WriteText(wxString::FromUTF8("K\xC3\xB6ln \xE2\x82\xAC"));
    doc->Modify(true);
    g_messages.clear();
    ASSERT_TRUE(doc->Save());
    EXPECT_EQ(ReadBytes(file), "Z\xFCrich\x81\nK\xF6ln \x80");

    // A character the encoding cannot hold: the user is asked; No saves nothing.
    text->WriteText(wxString::FromUTF8("\xE4\xB8\xAD"));
    doc->Modify(true);
    g_answer = wxNO;
    EXPECT_FALSE(doc->Save());
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_TRUE(g_messages[0].text.Contains("UTF-8 instead")) << g_messages[0].text;
    EXPECT_EQ(ReadBytes(file), "Z\xFCrich\x81\nK\xF6ln \x80");
    EXPECT_TRUE(doc->IsModified());
    // Yes writes it in UTF-8.
    g_answer = wxYES;
    EXPECT_TRUE(doc->Save());
    EXPECT_EQ(ReadBytes(file), "Z\xC3\xBCrich\xC2\x81\nK\xC3\xB6ln \xE2\x82\xAC\xE4\xB8\xAD");
}

TEST_F(TextDocTest, FilesTheEditorCannotHoldAreRefusedWithTheReason) {
    const fs::path binary = dir_ / "binary.txt";
    WriteFile(binary, std::string("MZ\0\x01", 4));
    EXPECT_EQ(OpenText(binary), nullptr);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_TRUE(g_messages[0].text.Contains("zero byte")) << g_messages[0].text;
    EXPECT_TRUE(g_messages[0].text.Contains(wxString(binary.string()))) << g_messages[0].text;

    g_messages.clear();
    EXPECT_EQ(OpenText(dir_ / "missing.txt"), nullptr);
    ASSERT_FALSE(g_messages.empty());
    EXPECT_TRUE(g_messages.back().text.Contains("Error reading the file")) << g_messages.back().text;
    EXPECT_EQ(Manager().GetDocuments().GetCount(), 0u);
}

TEST_F(TextDocTest, FailedSaveKeepsTheOldFileAndTheEdits) {
    const fs::path file = dir_ / "kept.txt";
    WriteFile(file, "old\n");
    TextEditDocument* doc = OpenText(file);
    ASSERT_NE(doc, nullptr);
    Control(doc)->AppendText("new\n");
    doc->Modify(true);
    ::chmod(file.c_str(), 0444);
    EXPECT_FALSE(doc->Save());
    ::chmod(file.c_str(), 0644);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_TRUE(g_messages[0].text.Contains("Error saving the file")) << g_messages[0].text;
    EXPECT_EQ(ReadBytes(file), "old\n");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(Control(doc)->GetValue(), "old\nnew\n");
}

TEST_F(TextDocTest, ClosingAnEditedTextAsksToSave) {
    const fs::path file = dir_ / "asked.txt";
    WriteFile(file, "a\n");
    TextEditDocument* doc = OpenText(file);
    ASSERT_NE(doc, nullptr);
    TypeAtEnd(doc, "b");
    ASSERT_TRUE(doc->IsModified());
    g_answer = wxYES;
    EXPECT_TRUE(doc->Close());
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_TRUE(g_messages[0].text.StartsWith("Do you want to save changes to")) << g_messages[0].text;
    EXPECT_EQ(ReadBytes(file), "a\nb\n");
}

} // namespace

int main(int argc, char** argv) {
    const WindowManager manager;
    return RunGuiTests(argc, argv);
}
