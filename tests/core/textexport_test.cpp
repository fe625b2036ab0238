#include "document/TextExport.h"

#include "document/TextImport.h"
#include "document/VdxFile.h"
#include "TestLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vdx {
namespace {

using testlines::AllLines;
using testlines::WithLines;

std::string Fourteen(const std::string& seven) { return seven + seven; }

TEST(TextExport, BytesOfEachType) {
    const PoolsDocument small = WithLines({"1X2", "X21"});
    PoolsDocument zero = small;
    zero.zeroForDraw = true;
    // A match beyond those with tips is written as "-".
    PoolsDocument gap = small;
    gap.match(1).hasTips = false;
    const PoolsDocument toto = WithLines({Fourteen("1X21X21"), Fourteen("2222222"), Fourteen("XXXXXXX")});
    PoolsDocument totoZero = toto;
    totoZero.zeroForDraw = true;

    struct Case {
        const char* what;
        const PoolsDocument* doc;
        int type;
        std::string bytes;
    } cases[] = {
        {"PC/OS2", &small, kExportPcOs2, "1X2\r\nX21\r\n"},
        {"Unix", &small, kExportUnix, "1X2\nX21\n"},
        {"Mac", &small, kExportMac, "1X2\rX21\r"},
        {"zero for draw", &zero, kExportPcOs2, "102\r\n021\r\n"},
        {"missing tips", &gap, kExportUnix, "1-2\nX-1\n"},
        {"Totocalcio", &toto, kExportTotocalcio,
         "\r12412411241241\r44444444444444\r22222222222222\r             3\r0             "},
        {"Totocalcio special", &toto, kExportTotocalcioSpecial,
         "\x0e" "12412411241241\x0e" "44444444444444\x0e" "22222222222222\x0e" "             3\x0e"
         "0             "},
        {"Totocalcio ignores zero for draw", &totoZero, kExportTotocalcio,
         "\r12412411241241\r44444444444444\r22222222222222\r             3\r0             "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CheckExport(*c.doc, c.type), kExportOk);
        EXPECT_EQ(ExportText(*c.doc, c.type), c.bytes);
    }
}

TEST(TextExport, TotocalcioCountLineIsFourteenWide) {
    std::vector<std::string> lines(1000, std::string(14, '1'));
    const std::string text = ExportText(WithLines(lines), kExportTotocalcio);
    EXPECT_EQ(text.substr(text.size() - 30), "\r          1000\r0             ");
}

TEST(TextExport, TotocalcioNeedsFourteenMatchesWithTips) {
    const PoolsDocument thirteen = WithLines({std::string(13, '1'), std::string(13, 'X'), std::string(13, '2')});
    PoolsDocument missingTips = WithLines({std::string(14, '1')});
    missingTips.match(5).hasTips = false;
    const PoolsDocument& missing = missingTips;
    for (const PoolsDocument* doc : {&thirteen, &missing})
        for (int type : {kExportTotocalcio, kExportTotocalcioSpecial}) {
            EXPECT_EQ(CheckExport(*doc, type), kExportNeeds14Matches);
            EXPECT_EQ(ExportText(*doc, type), "");
        }
    EXPECT_EQ(CheckExport(thirteen, kExportUnix), kExportOk);
    ExportOutcome outcome;
    outcome.result = kExportNeeds14Matches;
    EXPECT_EQ(ExportResultMessage(outcome), "Sorry, cannot save this file with type 'Totocalcio' :\n"
                                            "Type 'Totocalcio' needs the tips of exactly 14 matches.");
    EXPECT_STREQ(ExportResultTitle(kExportNeeds14Matches), "Error");
    EXPECT_STREQ(ExportResultTitle(kExportWriteError), "VendrixPlanner");

    PoolsDocument none;
    EXPECT_EQ(CheckExport(none, kExportPcOs2), kExportNoLines);
}

TEST(TextExport, ExtensionQuestion) {
    struct Case {
        const char* path;
        int type;
        bool asks;
    } cases[] = {
        {"/home/u/lines.txt", kExportPcOs2, false},
        {"/home/u/lines.col", kExportUnix, true},
        {"/home/u/lines.COL", kExportMac, true},
        {"/home/u/lines.dat", kExportUnix, false},
        {"/home/u/lines", kExportUnix, false},
        {"/home/u/lines.col", kExportTotocalcio, false},
        {"/home/u/lines.Col", kExportTotocalcioSpecial, false},
        {"/home/u/lines.txt", kExportTotocalcio, true},
        {"/home/u/lines", kExportTotocalcioSpecial, true},
        {"/home/u.col/lines", kExportTotocalcio, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " " + ExportTypeName(c.type));
        EXPECT_EQ(ExportExtensionMismatch(c.path, c.type), c.asks);
        EXPECT_EQ(ExportExtensionQuestion(c.path, c.type).empty(), !c.asks);
    }
    EXPECT_EQ(ExportExtensionQuestion("/home/u/lines.col", kExportUnix),
              "File type and file extension do not correspond!\n"
              "lines.col will be saved with the format for Unix.\n"
              "Do you want to create the text file?");
    EXPECT_EQ(ExportExtensionQuestion("/home/u/my.lines.txt", kExportTotocalcioSpecial),
              "File type and file extension do not correspond!\n"
              "my.lines.txt will be saved with the format for Totocalcio special.\n"
              "Do you want to create the text file?");
    for (int type = 0; type < kExportTypeCount; ++type)
        EXPECT_FALSE(ExportExtensionMismatch(std::string("a.") + ExportExtension(type), type));
}

std::string TempPath(const char* name) {
    return testing::TempDir() + "/textexport_" + std::to_string(::getpid()) + "_" + name;
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(TextExport, Files) {
    const PoolsDocument doc = WithLines({"1X2", "X21"});
    const std::string path = TempPath("out.txt");
    ExportOutcome outcome = ExportTextFile(path, doc, kExportUnix);
    EXPECT_EQ(outcome.result, kExportOk);
    EXPECT_EQ(Contents(path), "1X2\nX21\n");

    // Refused and unwritable exports leave the old file as it was.
    outcome = ExportTextFile(path, doc, kExportTotocalcio);
    EXPECT_EQ(outcome.result, kExportNeeds14Matches);
    ::chmod(path.c_str(), 0444);
    outcome = ExportTextFile(path, doc, kExportPcOs2);
    EXPECT_EQ(outcome.result, kExportCannotOpen);
    EXPECT_EQ(ExportResultMessage(outcome), "Sorry, could not open this file for saving.\nThe file is read-only.");
    EXPECT_EQ(Contents(path), "1X2\nX21\n");
    std::remove(path.c_str());

    outcome = ExportTextFile(TempPath("missing/out.txt"), doc, kExportPcOs2);
    EXPECT_EQ(outcome.result, kExportCannotOpen);

    EXPECT_EQ(ExportLogLine(kExportUnix, "/tmp/a.txt", true), "Text File for Unix: File /tmp/a.txt saved");
    EXPECT_EQ(ExportLogLine(kExportTotocalcio, "/tmp/a.col", false),
              "Text File for Totocalcio: Error saving the file /tmp/a.col");
}

// Lines drawn from a small generator, so each size gets lines of its own.
PoolsDocument GeneratedDocument(int matches, int lines, uint32_t seed, bool zeroForDraw) {
    std::vector<std::string> text(static_cast<size_t>(lines), std::string(static_cast<size_t>(matches), '1'));
    uint32_t state = seed;
    for (std::string& line : text)
        for (char& c : line) {
            state = state * 1664525u + 1013904223u;
            c = "1X2"[(state >> 16) % 3];
        }
    PoolsDocument doc = WithLines(text);
    doc.zeroForDraw = zeroForDraw;
    return doc;
}

// Every type that can be read back gives the same lines, sorted by tips.
TEST(TextExport, ExportThenImportGivesTheSameLines) {
    const int lineCounts[] = {1, 2, 7, 100, 1000};
    for (int matches = 2; matches <= 14; ++matches)
        for (int lines : lineCounts)
            for (int type = 0; type < kExportTypeCount; ++type) {
                if (IsTotocalcioType(type) && matches != kTotocalcioMatches) continue;
                SCOPED_TRACE(std::to_string(matches) + " matches, " + std::to_string(lines) + " lines, " +
                             ExportTypeName(type));
                const PoolsDocument doc =
                    GeneratedDocument(matches, lines, static_cast<uint32_t>(matches * 7919 + lines), type == 0);
                std::vector<std::string> expected = AllLines(doc);
                std::sort(expected.begin(), expected.end(), [](const std::string& a, const std::string& b) {
                    // "1" before "X" before "2".
                    for (size_t i = 0; i < a.size(); ++i)
                        if (a[i] != b[i]) return std::string("1X2").find(a[i]) < std::string("1X2").find(b[i]);
                    return false;
                });

                std::istringstream in(ExportText(doc, type));
                PoolsDocument back;
                ASSERT_EQ(ImportText(in, IsTotocalcioType(type) ? kImportTotocalcio : kImportText, back), kReadOk);
                ASSERT_EQ(back.tipMatchCount, matches);
                ASSERT_EQ(back.tipLineCount, lines);
                ASSERT_EQ(AllLines(back), expected);
            }
}

} // namespace
} // namespace vdx
