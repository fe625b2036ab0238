#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace vdx;

namespace {

// Files that exist, relative to the current directory or absolute.
std::function<bool(const std::string&)> Existing(std::set<std::string> files) {
    return [files](const std::string& p) { return files.count(p) > 0; };
}

std::string Join(const std::vector<std::string>& args) {
    std::string s;
    for (const auto& a : args) s += "[" + a + "]";
    return s;
}

} // namespace

TEST(ParseCommandLine, Rules) {
    struct Case {
        std::vector<std::string> args;
        std::string file, language;
        bool deleteConfig, usageError;
    };
    const auto exists = Existing({"match.vdx", "-c", "notes"});
    const std::vector<Case> cases = {
        {{}, "", "", false, false},
        // A first argument naming an existing file is the file, whatever it looks like.
        {{"match.vdx"}, "match.vdx", "", false, false},
        {{"-c"}, "-c", "", false, false},
        {{"notes", "-l=de"}, "notes", "de", false, false},
        // Only the first argument may name the file plainly.
        {{"-l=de", "match.vdx"}, "", "de", false, true},
        {{"other.vdx"}, "", "", false, true},
        {{"-f=match"}, "match", "", false, false},
        {{"-F=x/y.txt"}, "x/y.txt", "", false, false},
        {{"-fmatch.vdx"}, "", "", false, true},
        {{"-l=fr"}, "", "fr", false, false},
        {{"-L=sv"}, "", "sv", false, false},
        {{"-l=german"}, "", "german", false, false},
        {{"-C"}, "", "", true, false},
        {{"-h"}, "", "", false, true},
        {{"-x"}, "", "", false, true},
        {{"-"}, "", "", false, true},
        {{"-f="}, "", "", false, true}, // length 3
        {{"-ab"}, "", "", false, true},
        {{"-x=1"}, "", "", false, true},
        {{""}, "", "", false, true},
        {{"--help"}, "", "", false, true},
        // Later arguments of the same kind win; an error does not stop the rest.
        {{"-f=a", "-l=de", "-f=b", "-l=it"}, "b", "it", false, false},
        {{"-h", "-c", "-f=a"}, "a", "", true, true},
    };
    for (const Case& k : cases) {
        const CommandLineOptions o = ParseCommandLine(k.args, exists);
        EXPECT_EQ(o.filePath, k.file) << Join(k.args);
        EXPECT_EQ(o.language, k.language) << Join(k.args);
        EXPECT_EQ(o.deleteConfig, k.deleteConfig) << Join(k.args);
        EXPECT_EQ(o.usageError, k.usageError) << Join(k.args);
    }
}

TEST(UsageText, Lines) {
    EXPECT_EQ(UsageText("vendrixplanner"),
              "vendrixplanner [-h] [-f=xxx] ...\n"
              "\n"
              "-h\tHelp = this message\n"
              "-c\tDelete the configuration file and quit the application.\n"
              "-f=xxx  File xxx.vdx is opened.\n"
              "-l=xx\tLanguage (en, de, ...)");
}

TEST(ResolveStartFile, PathsExtensionsAndExistence) {
    struct Case {
        std::string path, cwd;
        std::string resolved;
        StartFileKind kind;
        bool usageError;
    };
    const auto exists = Existing({"/home/u/match.vdx", "/home/u/LINES.TXT", "/fmt/a.Vdf",
                                  "/home/u/data.csv", "/home/u/.vdx", "/home/u/v1.2/x.vdx"});
    const std::vector<Case> cases = {
        {"", "/home/u", "", StartFileKind::None, false},
        {"match", "/home/u", "/home/u/match.vdx", StartFileKind::Vdx, false},
        {"match.vdx", "/home/u/", "/home/u/match.vdx", StartFileKind::Vdx, false},
        {"/home/u/match.vdx", "/elsewhere", "/home/u/match.vdx", StartFileKind::Vdx, false},
        {"LINES.TXT", "/home/u", "/home/u/LINES.TXT", StartFileKind::Txt, false},
        {"/fmt/a.Vdf", "/", "/fmt/a.Vdf", StartFileKind::Vdf, false},
        // The dot of a folder name is no extension.
        {"v1.2/x", "/home/u", "/home/u/v1.2/x.vdx", StartFileKind::Vdx, false},
        // A leading dot marks a hidden name, not an extension.
        {".vdx", "/home/u", "/home/u/.vdx.vdx", StartFileKind::None, true},
        // Foreign extension, even when the file exists.
        {"data.csv", "/home/u", "/home/u/data.csv", StartFileKind::None, true},
        // Missing file.
        {"nothere", "/home/u", "/home/u/nothere.vdx", StartFileKind::None, true},
        {"nothere.txt", "/home/u", "/home/u/nothere.txt", StartFileKind::None, true},
    };
    for (const Case& k : cases) {
        const StartFile f = ResolveStartFile(k.path, k.cwd, exists);
        EXPECT_EQ(f.path, k.resolved) << k.path;
        EXPECT_EQ(f.kind, k.kind) << k.path;
        EXPECT_EQ(f.usageError, k.usageError) << k.path;
    }
}

TEST(ChooseLanguage, CodesHelpFilesAndCatalogs) {
    struct Case {
        std::string code, system;
        std::string chosen, help, catalog;
    };
    const std::string d = "/opt/vdx";
    const std::vector<Case> cases = {
        {"en", "de", "en", d + "/VdxHelp", ""},
        {"de", "en", "de", d + "/de/VdxHelp_de", d},
        {"fr", "en", "fr", d + "/fr/VdxHelp_fr", d},
        {"it", "en", "it", d + "/it/VdxHelp_it", d},
        {"sv", "en", "sv", d + "/sv/VdxHelp_sv", d},
        // Dutch has a catalog but uses the English help.
        {"nl", "en", "nl", d + "/VdxHelp", d},
        // Unknown codes take the system language.
        {"xx", "de", "de", d + "/de/VdxHelp_de", d},
        {"nx", "de_DE.UTF-8", "de", d + "/de/VdxHelp_de", d},
        {"nx", "sv_SE", "sv", d + "/sv/VdxHelp_sv", d},
        {"nx", "FR", "fr", d + "/fr/VdxHelp_fr", d},
        {"nx", "es", "en", d + "/VdxHelp", ""},
        {"nx", "", "en", d + "/VdxHelp", ""},
        {"", "it", "it", d + "/it/VdxHelp_it", d},
        {"DE", "en", "en", d + "/VdxHelp", ""},
    };
    for (const Case& k : cases) {
        const LanguageChoice c = ChooseLanguage(k.code, k.system, d);
        EXPECT_EQ(c.code, k.chosen) << k.code << "/" << k.system;
        EXPECT_EQ(c.helpFile, k.help) << k.code << "/" << k.system;
        EXPECT_EQ(c.catalogDir, k.catalog) << k.code << "/" << k.system;
    }
    EXPECT_EQ(ChooseLanguage("de", "en", "/opt/vdx/").helpFile, "/opt/vdx/de/VdxHelp_de");
}
