#include "document/TextImport.h"

#include "document/VdxFile.h"
#include "TestLines.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <string>
#include <unistd.h>
#include <vector>

namespace vdx {
namespace {

using testlines::AllLines;

// Lines of imported tips in the file's order, one string per line.
std::vector<std::string> LinesOf(const ImportedLines& imported) {
    std::vector<std::string> out;
    for (int l = 0; l < imported.lines; ++l) {
        std::string s;
        for (int m = 0; m < imported.matches; ++m) s += "1X2"[imported.tips[m][l]];
        out.push_back(s);
    }
    return out;
}

int Read(const std::string& bytes, int kind, ImportedLines& out) {
    std::istringstream in(bytes);
    return ReadImportedLines(in, kind, out);
}

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

struct ReadCase {
    const char* what;
    std::string bytes;
    int kind;
    int result;
    std::vector<std::string> lines; // in the file's order, when read
};

TEST(TextImport, ReadsTheLinesOfEachKind) {
    const std::string fourteenOnes(14, '1');
    const ReadCase cases[] = {
        {"empty line vanishes", "1X2\r\n\r\n0x1\r\n", kImportText, kReadOk, {"1X2", "XX1"}},
        {"same file reversed", "1X2\r\n\r\n0x1\r\n", kImportReversedText, kReadOk, {"1X", "XX", "21"}},
        {"blanks, tabs, letters and 0x0E dropped", " 1 X\t2a\x0e\n\n\nX 2 1 \n", kImportText, kReadOk,
         {"1X2", "X21"}},
        {"leading line ends, no final line end", "\r\n\n12\n21", kImportText, kReadOk, {"12", "21"}},
        {"Mac line ends", "12\r21\r", kImportText, kReadOk, {"12", "21"}},
        {"different lengths", "12\r\n1X2\r\n", kImportText, kReadNotText, {}},
        {"two short lines do not make a long one", "1X2\n1\n1\n", kImportText, kReadNotText, {}},
        {"nothing kept", "abc \r\n", kImportText, kReadNotText, {}},
        {"one match", "1\n2\nX\n", kImportText, kReadNotText, {}},
        {"fifteen matches", std::string(15, '1') + "\n", kImportText, kReadNotText, {}},
        {"reversed: one line per match", "1\n2\n", kImportReversedText, kReadOk, {"12"}},
        {"reversed: one match", "12X\n", kImportReversedText, kReadNotText, {}},
        {"reversed: 1001 lines", std::string(1001, '1') + "\n" + std::string(1001, '2'), kImportReversedText,
         kReadTooManyLines, {}},
        // 3 = {1, X}, 7 = {1, X, 2}: the first match varies fastest.
        {"Totocalcio expansion", "37" + std::string(12, '1') + "\r\n", kImportTotocalcio, kReadOk,
         {"11" + std::string(12, '1'), "X1" + std::string(12, '1'), "1X" + std::string(12, '1'),
          "XX" + std::string(12, '1'), "12" + std::string(12, '1'), "X2" + std::string(12, '1')}},
        {"Totocalcio, later records after earlier", "124\n561\n", kImportTotocalcio, kReadOk,
         {"1X2", "1X1", "2X1", "121", "221"}},
        {"Totocalcio without line breaks", fourteenOnes + std::string(14, '4'), kImportTotocalcio, kReadOk,
         {fourteenOnes, std::string(14, '2')}},
        {"Totocalcio, last record without line end", "12\n24", kImportTotocalcio, kReadOk, {"1X", "X2"}},
        // What our own export writes after the records: the count and "0".
        {"Totocalcio trailer ignored", "\r" + fourteenOnes + "\r            1\r0             ",
         kImportTotocalcio, kReadOk, {fourteenOnes}},
        {"Totocalcio, digit 8 and 0 dropped", "1802\n", kImportTotocalcio, kReadOk, {"1X"}},
        {"Totocalcio, records of one digit", "1\n2\n4\n", kImportTotocalcio, kReadNotText, {}},
        {"Totocalcio, line of another length", "11\n1111\n", kImportTotocalcio, kReadNotText, {}},
        {"Totocalcio, no digits", "abc\n", kImportTotocalcio, kReadNotText, {}},
        {"Totocalcio, 3^7 lines", "7777777" + std::string(7, '1'), kImportTotocalcio, kReadTooManyLines, {}},
        {"Totocalcio, too many lines but a bad record", "7777777\n1111\n11\n", kImportTotocalcio, kReadNotText, {}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        ImportedLines imported;
        EXPECT_EQ(Read(c.bytes, c.kind, imported), c.result);
        if (c.result == kReadOk) {
            EXPECT_EQ(LinesOf(imported), c.lines);
        }
    }
}

// Reading once stopped after 17034 characters, so a valid file of 1000 lines
// with blanks between its tips lost its last lines without a word.
TEST(TextImport, ReadsTheWholeFile) {
    std::string file;
    for (int l = 0; l < 999; ++l) file += "1 X 2 1 X 2 1 X 2 1 X 2 1 X\r\n";
    file += "2 2 2 2 2 2 2 2 2 2 2 2 2 2\r\n";
    ASSERT_GT(file.size(), 17034u);
    ImportedLines imported;
    ASSERT_EQ(Read(file, kImportText, imported), kReadOk);
    EXPECT_EQ(imported.lines, 1000);
    EXPECT_EQ(LinesOf(imported).back(), std::string(14, '2'));

    ASSERT_EQ(Read(file + "1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\n", kImportText, imported), kReadTooManyLines);
}

TEST(TextImport, TextLineLimit) {
    ImportedLines imported;
    EXPECT_EQ(Read(Repeat("1X2\r\n", 1000), kImportText, imported), kReadOk);
    EXPECT_EQ(imported.lines, 1000);
    EXPECT_EQ(Read(Repeat("1X2\r\n", 1001), kImportText, imported), kReadTooManyLines);
    // Too many lines is said before the width is judged.
    EXPECT_EQ(Read(Repeat("1\r\n", 1001), kImportText, imported), kReadTooManyLines);
    EXPECT_EQ(Read(Repeat("1X\r\n", 1000) + "1\r\n", kImportText, imported), kReadNotText);
}

// An endless source of blanks; counts what it handed out.
class EndlessBlanks : public std::streambuf {
public:
    long long given = 0;

protected:
    int_type underflow() override {
        std::fill(std::begin(chunk_), std::end(chunk_), ' ');
        setg(chunk_, chunk_, chunk_ + sizeof chunk_);
        given += sizeof chunk_;
        return traits_type::to_int_type(' ');
    }

private:
    char chunk_[4096];
};

TEST(TextImport, RefusesAFileFarLargerThanAnyValidOneWithoutReadingItAll) {
    EndlessBlanks source;
    std::istream in(&source);
    ImportedLines imported;
    EXPECT_EQ(ReadImportedLines(in, kImportText, imported), kReadNotText);
    EXPECT_LT(source.given, kMaxImportBytes + 65536);

    // A file just below the limit is read and judged by its lines.
    std::string file = "12\n21\n";
    file += std::string(static_cast<size_t>(kMaxImportBytes) - file.size(), ' ');
    EXPECT_EQ(Read(file, kImportText, imported), kReadOk);
    EXPECT_EQ(Read(file + " ", kImportText, imported), kReadNotText);
}

class FailingSource : public std::streambuf {
protected:
    int_type underflow() override { throw std::ios_base::failure("device gone"); }
};

TEST(TextImport, ReadErrorOfTheStream) {
    FailingSource source;
    std::istream in(&source);
    PoolsDocument doc;
    EXPECT_EQ(ImportText(in, kImportText, doc), kReadBadData);
}

TEST(TextImport, DocumentFromTheLines) {
    AppConfig config;
    config.conditions.enabled = {true, true, true};
    for (auto& g : config.conditions.ranges)
        for (auto& k : g) k[0] = k[1] = 30;
    config.options.sortMode = 1;
    config.settings.rangesAbsolute = true;
    PoolsDocument doc(config);
    doc.lineCount = 40; // tips arrays longer than the import

    // As expanded: "11", "X1", "1X", "XX", "12", "X2" (and twelve "1" each).
    std::istringstream in("37" + std::string(12, '1') + "\r\n");
    ASSERT_EQ(ImportText(in, kImportTotocalcio, doc), kReadOk);

    EXPECT_EQ(doc.matchCount, 14);
    EXPECT_EQ(doc.tipMatchCount, 14);
    EXPECT_EQ(doc.calcMatchCount, 14);
    EXPECT_EQ(doc.lineCount, 6);
    EXPECT_EQ(doc.tipLineCount, 6);
    EXPECT_TRUE(doc.hasTips);
    EXPECT_TRUE(doc.tipsUpToDate);
    EXPECT_EQ(doc.importKind, kImportTotocalcio);
    EXPECT_EQ(doc.sortMode, 0);
    // Sorted by tips.
    const std::string ones(12, '1');
    EXPECT_EQ(AllLines(doc), (std::vector<std::string>{"11" + ones, "1X" + ones, "12" + ones, "X1" + ones,
                                                       "XX" + ones, "X2" + ones}));
    for (int l = 0; l < 6; ++l) EXPECT_EQ(doc.lineOrigin[l], l);

    // Chances from the shares of the tips, truncated.
    EXPECT_EQ(doc.match(0).tipCounts, (std::array<int, 3>{3, 3, 0}));
    EXPECT_EQ(doc.match(0).chances, (std::array<int, 2>{500, 0}));
    EXPECT_EQ(doc.match(1).chances, (std::array<int, 2>{333, 333}));
    EXPECT_EQ(doc.match(1).probability, doc.match(1).chances);
    EXPECT_EQ(doc.match(1).lastProbability, doc.match(1).chances);
    EXPECT_EQ(doc.match(2).chances, (std::array<int, 2>{1000, 0}));
    for (int m = 0; m < 14; ++m) EXPECT_TRUE(doc.match(m).hasTips);
    // Places beyond the imported lines hold no tip.
    EXPECT_EQ(doc.match(0).tips.at(6), kNoTip);

    // Conditions off, widest ranges in the unit in effect (numbers of matches: 0).
    EXPECT_EQ(doc.conditionEnabled, (std::array<bool, 3>{false, false, false}));
    EXPECT_EQ(doc.conditionUseInCalc, (std::array<bool, 3>{true, true, true}));
    EXPECT_TRUE(doc.conditionRangesAbsolute);
    for (auto& g : doc.conditionRanges)
        for (auto& k : g) EXPECT_EQ(k[0] + k[1], 0);
}

TEST(TextImport, WidestRangesInPercent) {
    PoolsDocument doc;
    doc.conditionRanges[0][0][0] = 5;
    std::istringstream in("12\n");
    ASSERT_EQ(ImportText(in, kImportText, doc), kReadOk);
    for (auto& g : doc.conditionRanges)
        for (auto& k : g) EXPECT_EQ(k[0] + k[1], 200);
    // Matches beyond the imported ones have no tips.
    EXPECT_FALSE(doc.match(2).hasTips);
    EXPECT_EQ(doc.match(0).chances, (std::array<int, 2>{1000, 0}));
    EXPECT_EQ(doc.match(1).chances, (std::array<int, 2>{0, 1000}));
}

TEST(TextImport, FailedImportLeavesTheDocumentAsItWas) {
    PoolsDocument doc = testlines::WithLines({"1X", "2X"});
    const std::vector<std::string> before = AllLines(doc);
    for (const char* bytes : {"12\n1X2\n", "1\n"}) {
        std::istringstream in(bytes);
        EXPECT_EQ(ImportText(in, kImportText, doc), kReadNotText);
        EXPECT_EQ(AllLines(doc), before);
        EXPECT_EQ(doc.importKind, 0);
        EXPECT_EQ(doc.tipLineCount, 2);
    }
}

std::string TempPath(const char* name) {
    return (testing::TempDir() + "/textimport_" + std::to_string(::getpid()) + "_" + name);
}

TEST(TextImport, Files) {
    const std::string path = TempPath("lines.txt");
    {
        std::ofstream out(path, std::ios::binary);
        out << "2X\r\n1X\r\n";
    }
    PoolsDocument doc;
    FileProblem problem;
    ASSERT_EQ(ImportTextFile(path, kImportText, doc, problem), kReadOk);
    EXPECT_EQ(AllLines(doc), (std::vector<std::string>{"1X", "2X"}));
    EXPECT_EQ(doc.importFileName, path);

    // Far too large: refused by its size.
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << "12\n" << std::string(static_cast<size_t>(kMaxImportBytes), ' ');
    }
    EXPECT_EQ(ImportTextFile(path, kImportText, doc, problem), kReadNotText);
    std::remove(path.c_str());

    EXPECT_EQ(ImportTextFile(path, kImportText, doc, problem), kReadBadData);
    EXPECT_EQ(FileProblemText(problem), "No such file or directory.");
    EXPECT_EQ(ImportTextFile(testing::TempDir(), kImportText, doc, problem), kReadBadData);
    EXPECT_EQ(FileProblemText(problem), "Is a directory.");
    EXPECT_EQ(AllLines(doc), (std::vector<std::string>{"1X", "2X"}));
}

TEST(TextImport, Messages) {
    FileProblem none;
    struct Case {
        int result, kind;
        const char* message;
    } cases[] = {
        {kReadOk, kImportText, ""},
        {kReadNotText, kImportText, "File a.txt is not a suitable text file."},
        {kReadNotText, kImportReversedText, "File a.txt is not a suitable reversed text file."},
        {kReadNotText, kImportTotocalcio, "File a.txt is not a Totocalcio-File."},
        {kReadTooManyLines, kImportTotocalcio, "File a.txt has too many lines."},
        {kReadBadData, kImportText, "Error reading the file\na.txt"},
    };
    for (const Case& c : cases) EXPECT_EQ(ImportResultMessage(c.result, "a.txt", c.kind, none), c.message);
    EXPECT_EQ(ImportResultMessage(kReadBadData, "a.txt", kImportText, SystemProblem(EACCES)),
              "Error reading the file\na.txt\nPermission denied.");
    // The name is put in as it is, percent signs and all.
    EXPECT_EQ(ImportResultMessage(kReadTooManyLines, "100%s.txt", kImportText, none),
              "File 100%s.txt has too many lines.");
}

} // namespace
} // namespace vdx
