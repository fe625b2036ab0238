// The program started in one language (the test's VDX_TEST_LANGUAGE: en, de,
// fr, it or sv): F1 opens that language's help book at the section of the
// window that has the keyboard.

#include "../core/TestLines.h"
#include "Desktop.h"
#include "GuiTestSupport.h"

#include "app/VdxApp.h"
#include "document/VdxFile.h"
#include "frame/CommandIds.h"
#include "frame/MainFrame.h"
#include "windows/ConditionsDialog.h"
#include "windows/InputWindow.h"
#include "windows/OptionsDialog.h"

#include <gtest/gtest.h>

#include <wx/filename.h>
#include <wx/grid.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpwnd.h>
#include <wx/html/htmlwin.h>
#include <wx/log.h>
#include <wx/uiaction.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using namespace vdx::gui;
using namespace vdx::guitest;

namespace {

std::string Language() {
    const char* code = std::getenv("VDX_TEST_LANGUAGE");
    return code && *code ? code : "en";
}

// Where a page of the book of the language in use lies below the data folder.
wxString BookPage(const std::string& page) {
    const std::string lang = Language();
    return wxString::FromUTF8(lang == "en" ? "/share/vendrixplanner/helppages/" + page
                                           : "/share/vendrixplanner/" + lang + "/helppages/" + page);
}

class HelpLanguageTest : public AppTest {
protected:
    void TearDown() override {
        if (wxHtmlHelpController* help = App().Help())
            if (help->GetFrame()) help->GetFrame()->Close(true);
        Settle(100);
        AppTest::TearDown();
    }

    VdxDocument* OpenDocument() {
        vdx::PoolsDocument data = vdx::testlines::WithLines({"11X", "1X1", "X21", "212"});
        data.setTipsUpToDate(-1);
        const fs::path path = dir_ / "help.vdx";
        EXPECT_TRUE(vdx::SaveVdxFile(path.string(), data).ok);
        return Open(path);
    }

    // Gives window the keyboard, presses F1 and waits for the help window's page.
    wxString PressF1In(wxWindow* window) {
        wxWindow* top = wxGetTopLevelParent(window);
        top->Show();
        top->Raise();
        window->SetFocus();
        EXPECT_TRUE(SettleUntil([&] { return wxWindow::FindFocus() && wxGetTopLevelParent(wxWindow::FindFocus()) == top; }))
            << "no focus in " << top->GetLabel();
        // Without a window manager the keyboard follows the pointer.
        wxUIActionSimulator keyboard;
        keyboard.MouseMove(window->GetScreenRect().GetPosition() + wxPoint(5, 5));
        Settle(100);
        keyboard.Char(WXK_F1);
        wxHtmlHelpController* help = App().Help();
        wxString page;
        SettleUntil([&] {
            wxHtmlHelpWindow* helpWindow = help ? help->GetHelpWindow() : nullptr;
            page = helpWindow && helpWindow->GetHtmlWindow() ? helpWindow->GetHtmlWindow()->GetOpenedPage() : wxString();
            return !page.empty();
        });
        Settle(300);
        SaveScreenshot(("help-" + Language() + "-" + wxFileName(page).GetName().utf8_string()).c_str());
        if (help && help->GetFrame()) help->GetFrame()->Close(true);
        Settle(100);
        return page;
    }
};

TEST_F(HelpLanguageTest, TheProgramSpeaksTheLanguageOfTheTest) {
    EXPECT_EQ(App().LanguageInUse(), wxString::FromUTF8(Language()));
    ASSERT_NE(App().Help(), nullptr) << "no help book loaded";
}

TEST_F(HelpLanguageTest, F1OpensTheBookOfTheLanguageAtTheSectionOfTheWindow) {
    ASSERT_NE(App().Help(), nullptr);
    VdxDocument* doc = OpenDocument();
    ASSERT_NE(doc, nullptr);

    wxWindow* canvas = Main().Canvas()->GetChildren().empty() ? Main().Canvas() : Main().Canvas()->GetChildren()[0];
    EXPECT_TRUE(PressF1In(canvas).EndsWith(BookPage("welcome.html"))) << "main window";

    SendCommand(App().Frame(), kIdInput);
    InputWindow* input = FindInputWindow(doc);
    ASSERT_NE(input, nullptr);
    LogRecorder log; // the page shows a picture of the window
    const wxString inputPage = PressF1In(input->Grid());
    EXPECT_TRUE(inputPage.EndsWith(BookPage("input.html"))) << inputPage;
    EXPECT_TRUE(log.messages.empty()) << "the help page logged: " << log.messages[0];
    input->Close(true);

    SendCommand(App().Frame(), kIdOptions);
    OptionsDialog* options = FindDocumentOptions(doc);
    ASSERT_NE(options, nullptr);
    const wxString optionsPage = PressF1In(options);
    EXPECT_TRUE(optionsPage.EndsWith(BookPage("options.html"))) << optionsPage;
    options->CloseWindow();

    SendCommand(App().Frame(), kIdConditions);
    ConditionsFrame* conditions = FindConditions(doc);
    ASSERT_NE(conditions, nullptr);
    const wxString conditionsPage = PressF1In(conditions);
    EXPECT_TRUE(conditionsPage.EndsWith(BookPage("conditions.html"))) << conditionsPage;
    conditions->Close(true);
    Settle(100);
}

} // namespace

int main(int argc, char** argv) {
    GuiTestOptions options;
    options.arguments = {"-l=" + Language()};
    return RunGuiTests(argc, argv, options);
}
