#include "app/InstallLayout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using vdx::CatalogDirectory;
using vdx::DataDirectory;

namespace {

struct LayoutCase {
    std::string programDir;
    std::set<std::string> folders; // what exists
    std::string data;
    std::string catalogs;
};

} // namespace

TEST(InstallLayout, DataAndCatalogsAreFoundBesideTheBinFolder) {
    const LayoutCase cases[] = {
        // an installation under any prefix
        {"/usr/bin", {"/usr/share/vendrixplanner"}, "/usr/share/vendrixplanner", "/usr/share/locale"},
        {"/opt/vp/bin", {"/opt/vp/share/vendrixplanner"}, "/opt/vp/share/vendrixplanner", "/opt/vp/share/locale"},
        {"/home/u/.local/bin/", {"/home/u/.local/share/vendrixplanner"}, "/home/u/.local/share/vendrixplanner",
         "/home/u/.local/share/locale"},
        // the build tree has the same shape
        {"/src/build/bin", {"/src/build/share/vendrixplanner"}, "/src/build/share/vendrixplanner",
         "/src/build/share/locale"},
        // a folder holding the program with its files beside it
        {"/tmp/copy", {}, "/tmp/copy", "/tmp/share/locale"},
        // another program's data folder is not ours
        {"/usr/bin", {"/usr/share/other"}, "/usr/bin", "/usr/share/locale"},
        {"/bin", {"/share/vendrixplanner"}, "/share/vendrixplanner", "/share/locale"},
        {"bin", {"./share/vendrixplanner"}, "./share/vendrixplanner", "./share/locale"},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.programDir);
        const auto exists = [&](const std::string& dir) { return c.folders.count(dir) > 0; };
        EXPECT_EQ(DataDirectory(c.programDir, exists), c.data);
        EXPECT_EQ(CatalogDirectory(c.programDir), c.catalogs);
    }
}

TEST(InstallLayout, NoProgramFolderMeansNoDataFolder) {
    EXPECT_EQ(DataDirectory("", [](const std::string&) { return true; }), "");
}
