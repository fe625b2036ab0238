#include "ticketprint/VdfFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vdx {
namespace {

namespace fs = std::filesystem;

// A file built word by word.
std::string Words(const std::vector<int>& words, const std::string& magic = "Vdf") {
    std::string s = magic;
    for (int w : words) {
        s += static_cast<char>(w & 0xFF);
        s += static_cast<char>((w >> 8) & 0xFF);
    }
    return s;
}

std::string Written(const TicketFormatValues& v) {
    std::ostringstream out;
    EXPECT_TRUE(WriteVdf(out, v));
    return out.str();
}

int Read(const std::string& bytes, TicketFormatValues& v, FileProblem& problem) {
    std::istringstream in(bytes);
    return ReadVdf(in, v, problem);
}

// A format with a different value in every place, gaps beyond the counts included.
TicketFormatValues Distinct() {
    TicketFormatValues v;
    v.insertDirection = 3;
    v.justification = 2;
    v.outputRatio = 97;
    v.maxLines = 9;
    v.maxMatches = 13;
    v.sizeOfX = 230;
    v.tipsOrder = 4;
    v.spaceBetweenXs = 410;
    for (int k = 0; k < kFormatMatchGaps; ++k) v.spacesBetweenMatches[k] = 400 + k;
    for (int k = 0; k < kFormatLineGaps; ++k) v.spacesBetweenLines[k] = 600 + k;
    v.spacesToSides = {1900, 700, 4000, 650};
    return v;
}

TEST(VdfWrite, DefaultFormatIsTheSeventyThreeBytes) {
    const std::string bytes = Written(TicketFormatValues());
    std::vector<int> words = {210, 0, 1, 100, 12, 12, 0, 200, 380, 2079, 580, 4420, 520};
    words.insert(words.end(), 11, 391);
    words.insert(words.end(), 11, 380);
    EXPECT_EQ(bytes.size(), 73u);
    EXPECT_EQ(bytes, Words(words));
    EXPECT_EQ(VdfFileSize(12, 12), 73);
}

TEST(VdfWrite, MatchCountPrecedesLineCountAndOnlyGapsInUseAreWritten) {
    const std::string bytes = Written(Distinct());
    ASSERT_EQ(bytes.size(), static_cast<size_t>(VdfFileSize(13, 9)));
    EXPECT_EQ(bytes.substr(11, 4), Words({13, 9}, ""));
    EXPECT_EQ(bytes.substr(29, 2), Words({400}, ""));          // first match gap
    EXPECT_EQ(bytes.substr(29 + 2 * 12, 2), Words({600}, "")); // first line gap
    EXPECT_EQ(bytes.substr(bytes.size() - 2), Words({607}, ""));
}

TEST(VdfWrite, StopsAtAFailedStream) {
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    EXPECT_FALSE(WriteVdf(out, TicketFormatValues()));
}

TEST(VdfRead, RoundTripKeepsEveryValueInUse) {
    const TicketFormatValues v = Distinct();
    TicketFormatValues back; // defaults in the places the file does not hold
    FileProblem problem;
    ASSERT_EQ(Read(Written(v), back, problem), kFormatReadOk);
    TicketFormatValues expected = v;
    expected.spacesBetweenMatches[12] = 391;
    for (int k = 8; k < kFormatLineGaps; ++k) expected.spacesBetweenLines[k] = 380;
    EXPECT_EQ(back, expected);
    EXPECT_FALSE(problem.known());
}

TEST(VdfRead, TooManyMatchesReadAsFourteenWithThirteenGaps) {
    std::vector<int> words = {210, 0, 1, 100, 20, 3, 0, 200, 380, 2079, 580, 4420, 520};
    for (int k = 0; k < 19; ++k) words.push_back(500 + k);
    TicketFormatValues v;
    FileProblem problem;
    ASSERT_EQ(Read(Words(words), v, problem), kFormatReadOk);
    EXPECT_EQ(v.maxMatches, 14);
    EXPECT_EQ(v.maxLines, 3);
    EXPECT_EQ(v.spacesBetweenMatches[12], 512);
    // The two line gaps are the words after the thirteenth match gap.
    EXPECT_EQ(v.spacesBetweenLines[0], 513);
    EXPECT_EQ(v.spacesBetweenLines[1], 514);
    EXPECT_EQ(v.spacesBetweenLines[2], 380);
}

TEST(VdfRead, LargeCrossRaisesTheSpacesOnReading) {
    std::vector<int> words = {210, 0, 1, 100, 2, 2, 0, 500, 300, 100, 249, 250, 20000, 300, 300};
    TicketFormatValues v;
    FileProblem problem;
    ASSERT_EQ(Read(Words(words), v, problem), kFormatReadOk);
    EXPECT_EQ(v.sizeOfX, 500);
    EXPECT_EQ(v.spaceBetweenXs, 500);
    EXPECT_EQ(v.spacesBetweenMatches[0], 500);
    EXPECT_EQ(v.spacesBetweenLines[0], 500);
    EXPECT_EQ(v.spacesToSides, (std::array<int, 4>{250, 250, 250, 20000}));
}

TEST(VdfRead, EveryValueIsClampedIntoItsRange) {
    // Words after the version in file order, ending with the first match gap.
    std::vector<int> low = {-5, -1, 0, -3, 1, -9, 50, 10, -32768, 0, 1, 2, 5};
    std::vector<int> high = {9, 7, 999, 14, 99, 6, 32767, 32767, 32767, 25000, 21000, 2000};
    TicketFormatValues v;
    FileProblem problem;
    std::vector<int> words = {210};
    words.insert(words.end(), low.begin(), low.end());
    words.push_back(32767); // the line gap
    ASSERT_EQ(Read(Words(words), v, problem), kFormatReadOk);
    EXPECT_EQ(v.insertDirection, 0);
    EXPECT_EQ(v.justification, 0);
    EXPECT_EQ(v.outputRatio, 10);
    EXPECT_EQ(v.maxMatches, 2);
    EXPECT_EQ(v.maxLines, 2);
    EXPECT_EQ(v.tipsOrder, 0);
    EXPECT_EQ(v.sizeOfX, 100);
    EXPECT_EQ(v.spaceBetweenXs, 100);
    EXPECT_EQ(v.spacesToSides, (std::array<int, 4>{50, 50, 50, 50}));
    EXPECT_EQ(v.spacesBetweenMatches[0], 100);
    EXPECT_EQ(v.spacesBetweenLines[0], 1000);

    words = {210};
    words.insert(words.end(), high.begin(), high.end());
    for (int k = 0; k < 13 + 11; ++k) words.push_back(5000);
    ASSERT_EQ(Read(Words(words), v, problem), kFormatReadOk);
    EXPECT_EQ(v.insertDirection, 3);
    EXPECT_EQ(v.justification, 2);
    EXPECT_EQ(v.outputRatio, 200);
    EXPECT_EQ(v.maxMatches, 14);
    EXPECT_EQ(v.maxLines, 12);
    EXPECT_EQ(v.tipsOrder, 5);
    EXPECT_EQ(v.sizeOfX, 500);
    EXPECT_EQ(v.spaceBetweenXs, 1000);
    EXPECT_EQ(v.spacesToSides, (std::array<int, 4>{20000, 20000, 20000, 2000}));
    EXPECT_EQ(v.spacesBetweenMatches[12], 1000);
    EXPECT_EQ(v.spacesBetweenLines[10], 1000);
}

TEST(VdfRead, ForeignFilesAreNotFormats) {
    const std::string good = Written(TicketFormatValues());
    struct Case {
        const char* what;
        std::string bytes;
    };
    std::string version211 = good;
    version211[3] = static_cast<char>(211);
    const Case cases[] = {
        {"pools document", "Vendrix" + good.substr(7)},
        {"lower case magic", "vdf" + good.substr(3)},
        {"version 211", version211},
        {"magic alone is enough to refuse", "VDX"},
    };
    for (const Case& c : cases) {
        TicketFormatValues v = Distinct();
        FileProblem problem;
        std::istringstream in(c.bytes);
        EXPECT_EQ(ReadVdf(in, v, problem), kFormatNotFormat) << c.what;
        EXPECT_TRUE(in.fail()) << c.what;
        EXPECT_EQ(v, Distinct()) << c.what;
        EXPECT_EQ(FormatReadMessage(kFormatNotFormat, "slip.vdf", problem), "File slip.vdf is not a Ticketformat-File!");
    }
}

TEST(VdfRead, EveryTruncationIsRefusedAndChangesNothing) {
    const std::string good = Written(TicketFormatValues());
    for (size_t n = 0; n < good.size(); ++n) {
        TicketFormat f(Distinct());
        ASSERT_TRUE(f.setOutputRatio(55)); // modified: a failed read must keep that too
        const TicketFormatValues before = f.values();
        FileProblem problem;
        std::istringstream in(good.substr(0, n));
        ASSERT_EQ(ReadVdf(in, f, problem), kFormatReadError) << n << " bytes";
        EXPECT_EQ(f.values(), before) << n << " bytes";
        EXPECT_TRUE(f.modified());
        TicketFormatValues plain = Distinct();
        FileProblem plainProblem;
        ASSERT_EQ(Read(good.substr(0, n), plain, plainProblem), kFormatReadError);
        EXPECT_EQ(plain, Distinct()) << n << " bytes";
        if (n == 0) {
            EXPECT_EQ(problem.kind, FileProblemKind::kEmpty);
        } else {
            EXPECT_EQ(problem.kind, FileProblemKind::kEndsEarly) << n;
            EXPECT_EQ(problem.offset, static_cast<long long>(n));
            EXPECT_EQ(problem.needed, static_cast<long long>(n < 3 ? 3 : n + (n % 2 == 0 ? 1 : 2)));
        }
    }
    FileProblem problem;
    TicketFormatValues v;
    ASSERT_EQ(Read(good.substr(0, 40), v, problem), kFormatReadError);
    EXPECT_EQ(FormatReadMessage(kFormatReadError, "/tmp/slip.vdf", problem),
              "Error reading the file\n/tmp/slip.vdf\nThe file ends after 40 of at least 41 bytes.");
}

TEST(VdfRead, SuccessTakesTheSavedValues) {
    TicketFormat f;
    ASSERT_TRUE(f.setMaxLines(3));
    FileProblem problem;
    std::istringstream in(Written(Distinct()));
    ASSERT_EQ(ReadVdf(in, f, problem), kFormatReadOk);
    EXPECT_FALSE(f.modified());
    EXPECT_EQ(f.values().maxLines, 9);
    EXPECT_FALSE(f.savedSinceOpen());
}

class VdfFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/vdx-vdf-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir_ = name;
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, ec);
        fs::remove_all(dir_, ec);
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

TEST_F(VdfFileTest, SaveAndReadBack) {
    TicketFormat f;
    ASSERT_TRUE(f.setTipsOrder(3));
    const SafeSaveResult saved = SaveVdfFile(path("a.vdf"), f);
    ASSERT_TRUE(saved.ok) << saved.error;
    EXPECT_FALSE(f.modified());
    EXPECT_TRUE(f.savedSinceOpen());
    EXPECT_EQ(fs::file_size(path("a.vdf")), 73u);

    TicketFormat g;
    FileProblem problem;
    ASSERT_EQ(ReadVdfFile(path("a.vdf"), g, problem), kFormatReadOk);
    EXPECT_EQ(g.values(), f.values());
}

TEST_F(VdfFileTest, FailedSaveKeepsTheFormatModifiedAndTheOldFile) {
    TicketFormat f;
    ASSERT_TRUE(SaveVdfFile(path("a.vdf"), f).ok);
    ASSERT_TRUE(f.setOutputRatio(120));
    fs::permissions(path("a.vdf"), fs::perms::owner_read);
    const SafeSaveResult saved = SaveVdfFile(path("a.vdf"), f);
    EXPECT_FALSE(saved.ok);
    EXPECT_TRUE(f.modified());
    EXPECT_EQ(FormatSaveMessage("a.vdf", saved.problem), "Error saving the file a.vdf\nThe file is read-only.");
    TicketFormat g;
    FileProblem problem;
    ASSERT_EQ(ReadVdfFile(path("a.vdf"), g, problem), kFormatReadOk);
    EXPECT_EQ(g.values().outputRatio, 100);
}

TEST_F(VdfFileTest, MissingFileAndFolderGiveTheSystemsReason) {
    TicketFormat f;
    FileProblem problem;
    EXPECT_EQ(ReadVdfFile(path("none.vdf"), f, problem), kFormatReadError);
    EXPECT_EQ(FormatReadMessage(kFormatReadError, "none.vdf", problem),
              "Error reading the file\nnone.vdf\nNo such file or directory.");
    EXPECT_EQ(ReadVdfFile(dir_.string(), f, problem), kFormatReadError);
    EXPECT_EQ(problem.kind, FileProblemKind::kSystem);
    EXPECT_EQ(f.values(), TicketFormatValues());
}

} // namespace
} // namespace vdx
