#include "document/SafeSave.h"

#include "document/VdxFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vdx {
namespace {

namespace fs = std::filesystem;

class SafeSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/vdx-safesave-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir_ = name;
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, ec);
        fs::remove_all(dir_, ec);
    }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    static std::string Contents(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void Put(const std::string& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }
    // Names in the folder: a leftover temporary file shows up here.
    std::vector<std::string> Listing() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::function<bool(std::ostream&)> Text(const std::string& text) {
        return [text](std::ostream& out) { return static_cast<bool>(out << text); };
    }

    fs::path dir_;
};

TEST_F(SafeSaveTest, CreatesNewFileWithUsualPermissions) {
    const mode_t old = ::umask(022);
    const SafeSaveResult r = SafeSave(path("new.vdx"), Text("contents"));
    ::umask(old);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(r.error.empty());
    EXPECT_EQ(Contents(path("new.vdx")), "contents");
    EXPECT_EQ(Listing(), std::vector<std::string>{"new.vdx"});
    struct stat st;
    ASSERT_EQ(::stat(path("new.vdx").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST_F(SafeSaveTest, ReplacesExistingFileAndKeepsItsPermissions) {
    Put(path("doc.vdx"), "a much longer old content than the new one");
    ASSERT_EQ(::chmod(path("doc.vdx").c_str(), 0640), 0);
    const SafeSaveResult r = SafeSave(path("doc.vdx"), Text("new"));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(Contents(path("doc.vdx")), "new");
    EXPECT_EQ(Listing(), std::vector<std::string>{"doc.vdx"});
    struct stat st;
    ASSERT_EQ(::stat(path("doc.vdx").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(SafeSaveTest, FailingSerializerLeavesOldFileAndNoTemporary) {
    const std::function<bool(std::ostream&)> failures[] = {
        [](std::ostream& out) { out << "partial"; return false; },
        [](std::ostream& out) {
            out << "partial";
            out.setstate(std::ios::badbit);
            return true;
        },
    };
    for (const auto& write : failures) {
        Put(path("doc.vdx"), "old");
        const SafeSaveResult r = SafeSave(path("doc.vdx"), write);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.error.empty());
        EXPECT_EQ(Contents(path("doc.vdx")), "old");
        EXPECT_EQ(Listing(), std::vector<std::string>{"doc.vdx"});
    }
}

TEST_F(SafeSaveTest, MissingFolderFails) {
    const SafeSaveResult r = SafeSave(path("no/such/folder/doc.vdx"), Text("x"));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
    EXPECT_TRUE(Listing().empty());
}

TEST_F(SafeSaveTest, ReadOnlyFolderFails) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    Put(path("doc.vdx"), "old");
    ASSERT_EQ(::chmod(dir_.c_str(), 0500), 0);
    const SafeSaveResult r = SafeSave(path("doc.vdx"), Text("new"));
    ::chmod(dir_.c_str(), 0700);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(Contents(path("doc.vdx")), "old");
    EXPECT_EQ(Listing(), std::vector<std::string>{"doc.vdx"});
}

TEST_F(SafeSaveTest, DiskFullInTheMiddleLeavesOldFileAndNoTemporary) {
    // A file size limit makes write() fail part way, like a full disk.
    Put(path("doc.vdx"), "old");
    struct rlimit saved;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const SafeSaveResult r = SafeSave(path("doc.vdx"), Text(std::string(5000, 'n')));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("write"), std::string::npos) << r.error;
    EXPECT_EQ(Contents(path("doc.vdx")), "old");
    EXPECT_EQ(Listing(), std::vector<std::string>{"doc.vdx"});
}

TEST_F(SafeSaveTest, RenameOntoFolderFailsAndCleansUp) {
    fs::create_directory(path("doc.vdx"));
    const SafeSaveResult r = SafeSave(path("doc.vdx"), Text("new"));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(fs::is_directory(path("doc.vdx")));
    EXPECT_EQ(Listing(), std::vector<std::string>{"doc.vdx"});
}

TEST_F(SafeSaveTest, SavingThroughSymbolicLinkUpdatesItsTarget) {
    Put(path("real.vdx"), "old");
    fs::create_symlink(path("real.vdx"), path("link.vdx"));
    const SafeSaveResult r = SafeSave(path("link.vdx"), Text("new"));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(fs::is_symlink(path("link.vdx")));
    EXPECT_EQ(Contents(path("real.vdx")), "new");
    EXPECT_EQ(Listing(), (std::vector<std::string>{"link.vdx", "real.vdx"}));
}

TEST_F(SafeSaveTest, SaveVdxFileWritesTheDocument) {
    PoolsDocument doc;
    doc.matches[0].name = "Köln – Łódź";
    std::ostringstream expected;
    ASSERT_TRUE(WriteVdx(expected, doc).ok);

    const WriteResult r = SaveVdxFile(path("round.vdx"), doc);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(r.replacedCharacters);
    EXPECT_EQ(Contents(path("round.vdx")), expected.str());

    Put(path("round.vdx"), "old");
    const WriteResult failed = SaveVdxFile(path("missing/round.vdx"), doc);
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.error.empty());
    EXPECT_EQ(Contents(path("round.vdx")), "old");
}

// Renaming over a read-only file would replace it although it is read-only;
// the mode bits refuse it for root as well.
TEST_F(SafeSaveTest, ReadOnlyFileIsNotReplaced) {
    Put(path("doc.vdx"), "old");
    ASSERT_EQ(::chmod(path("doc.vdx").c_str(), 0444), 0);
    const SafeSaveResult r = SafeSave(path("doc.vdx"), Text("new"));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.problem.kind == FileProblemKind::kReadOnlyFile);
    EXPECT_EQ(FileProblemText(r.problem), "The file is read-only.");
    EXPECT_EQ(Contents(path("doc.vdx")), "old");
    EXPECT_EQ(Listing(), std::vector<std::string>{"doc.vdx"});
    // With a write bit back it is replaced as usual.
    ASSERT_EQ(::chmod(path("doc.vdx").c_str(), 0644), 0);
    EXPECT_TRUE(SafeSave(path("doc.vdx"), Text("new")).ok);
    EXPECT_EQ(Contents(path("doc.vdx")), "new");
}

TEST_F(SafeSaveTest, FailuresCarryTheSystemsReason) {
    const SafeSaveResult missing = SafeSave(path("no/such/doc.vdx"), Text("x"));
    EXPECT_TRUE(missing.problem.kind == FileProblemKind::kFolderNotWritable);
    EXPECT_EQ(FileProblemText(missing.problem), "No file can be made in this folder: No such file or directory.");
    fs::create_directory(path("folder.vdx"));
    const SafeSaveResult folder = SafeSave(path("folder.vdx"), Text("x"));
    EXPECT_TRUE(folder.problem.kind == FileProblemKind::kSystem);
    EXPECT_EQ(FileProblemText(folder.problem), "Is a directory.");
}

TEST_F(SafeSaveTest, CheckSaveTargetTellsBeforeAnyWork) {
    Put(path("writable.vdx"), "w");
    Put(path("readonly.vdx"), "r");
    ASSERT_EQ(::chmod(path("readonly.vdx").c_str(), 0444), 0);
    fs::create_directory(path("folder.vdx"));
    fs::create_symlink(path("readonly.vdx"), path("link.vdx"));
    const struct {
        const char* name;
        FileProblemKind kind;
    } cases[] = {
        {"new.vdx", FileProblemKind::kNone},
        {"writable.vdx", FileProblemKind::kNone},
        {"readonly.vdx", FileProblemKind::kReadOnlyFile},
        {"link.vdx", FileProblemKind::kReadOnlyFile}, // the file behind the link counts
        {"folder.vdx", FileProblemKind::kSystem},
        {"missing/new.vdx", FileProblemKind::kFolderNotWritable},
    };
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<int>(CheckSaveTarget(path(c.name)).kind), static_cast<int>(c.kind)) << c.name;
    // The check leaves nothing behind and changes nothing.
    EXPECT_EQ(Listing(), (std::vector<std::string>{"folder.vdx", "link.vdx", "readonly.vdx", "writable.vdx"}));
    EXPECT_EQ(Contents(path("writable.vdx")), "w");

    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(dir_.c_str(), 0500), 0);
        const FileProblem p = CheckSaveTarget(path("new.vdx"));
        ::chmod(dir_.c_str(), 0700);
        EXPECT_TRUE(p.kind == FileProblemKind::kFolderNotWritable);
        EXPECT_EQ(FileProblemText(p), "No file can be made in this folder: Permission denied.");
    }
}

} // namespace
} // namespace vdx
