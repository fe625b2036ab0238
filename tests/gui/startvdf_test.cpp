// The program started with a ticket format file on its command line: the
// format opens straight into the format editor.

#include "GuiTestSupport.h"

#include "ticketprint/FormatEditorFrame.h"
#include "ticketprint/TicketFormatDoc.h"
#include "ticketprint/VdfFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace vdx::guitest;

namespace {

fs::path g_format;

TEST(StartWithFormat, OpensInTheFormatEditor) {
    EXPECT_TRUE(g_startMessages.empty()) << g_startMessages.front().text;
    FormatEditorFrame* editor = FormatEditorFrame::Instance();
    ASSERT_NE(editor, nullptr) << "no format editor";
    EXPECT_TRUE(editor->IsShown());
    ASSERT_NE(editor->Document(), nullptr);
    EXPECT_EQ(editor->Document()->GetFilename(), wxString::FromUTF8(g_format.string()));
    EXPECT_EQ(editor->Document()->Values().maxLines, 8);
    EXPECT_TRUE(Manager().GetDocuments().empty()) << "opened as a pools document too";
    editor->Close(true);
}

} // namespace

int main(int argc, char** argv) {
    const fs::path dir = MakeTempDir("vdxstart");
    g_format = dir / "start slip.vdf";
    vdx::TicketFormat format;
    format.setMaxLines(8);
    if (!vdx::SaveVdfFile(g_format.string(), format).ok) return 2;
    GuiTestOptions options;
    options.arguments = {g_format.string()};
    const int result = RunGuiTests(argc, argv, options);
    RemoveTree(dir);
    return result;
}
