// The program started in German ("-l=de"): menus, the ticket view and the
// messages made by the core all come from the German catalog.

#include "../core/TestLines.h"
#include "GuiTestSupport.h"

#include "document/VdxFile.h"
#include "frame/CommandIds.h"
#include "view/VdxView.h"
#include "windows/OptionsDialog.h"

#include <gtest/gtest.h>

#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/textctrl.h>

#include <filesystem>
#include <set>
#include <string>

namespace fs = std::filesystem;
using namespace vdx::gui;
using namespace vdx::guitest;

namespace {

// The catalog as the program looks for it: share/locale beside its bin folder.
bool GermanCatalogBuilt() {
    wxFileName mo = wxFileName::DirName(App().ProgramDir());
    mo.RemoveLastDir();
    for (const char* dir : {"share", "locale", "de", "LC_MESSAGES"}) mo.AppendDir(dir);
    mo.SetFullName("vdx.mo");
    return mo.FileExists();
}

class GermanTest : public AppTest {
protected:
    void SetUp() override {
        if (!GermanCatalogBuilt())
            GTEST_SKIP() << "no German catalog in this build (po/de.po missing): nothing to check";
        AppTest::SetUp();
    }

    VdxDocument* OpenCalculated(const std::string& name) {
        vdx::PoolsDocument data = vdx::testlines::WithLines({"11X", "1X1", "X21", "212"});
        data.setTipsUpToDate(-1);
        const fs::path path = dir_ / name;
        EXPECT_TRUE(vdx::SaveVdxFile(path.string(), data).ok);
        return Open(path);
    }
};

TEST_F(GermanTest, MenuBarSpeaksGerman) {
    wxMenuBar* bar = Main().GetMenuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(App().LanguageInUse(), "de");
    EXPECT_EQ(bar->GetMenuLabel(0), "&Datei");
    EXPECT_NE(bar->FindMenu("&Hilfe"), wxNOT_FOUND);
}

TEST_F(GermanTest, TicketViewSpeaksGerman) {
    VdxDocument* doc = OpenCalculated("deutsch.vdx");
    ASSERT_NE(doc, nullptr);
    auto* view = dynamic_cast<VdxView*>(doc->GetFirstView());
    ASSERT_NE(view, nullptr);
    std::set<std::string> texts;
    for (const vdx::TicketItem& item : view->CurrentLayout().items) texts.insert(item.text);
    EXPECT_TRUE(texts.count("Spiele")) << "column title of the matches";
    EXPECT_TRUE(texts.count("Erg.")) << "column title of the results";
    EXPECT_FALSE(texts.count("Matches"));
}

// The core formats this message: the German format string and the German
// field name, with the numbers put in afterwards.
TEST_F(GermanTest, CoreMessageSpeaksGerman) {
    VdxDocument* doc = OpenCalculated("optionen.vdx");
    ASSERT_NE(doc, nullptr);
    SendCommand(App().Frame(), kIdOptions);
    OptionsDialog* dialog = FindDocumentOptions(doc);
    ASSERT_NE(dialog, nullptr);
    g_messages.clear();
    dialog->FieldText(vdx::kOptionLines)->SetValue("1001");
    dialog->PressOk();
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].text,
              wxString::FromUTF8("Die Eingabe bei \xE2\x80\x9EReihen\xE2\x80\x9C ist ung\xC3\xBCltig!\n"
                                 "G\xC3\xBCltig sind Zahlen von 1 bis 1000"));
    dialog->CloseWindow();
}

} // namespace

int main(int argc, char** argv) {
    GuiTestOptions options;
    options.arguments = {"-l=de"};
    return RunGuiTests(argc, argv, options);
}
