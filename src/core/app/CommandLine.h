#pragma once
// Command-line rules and the choice of language and help file; pure functions.

#include <functional>
#include <string>
#include <vector>

namespace vdx {

struct CommandLineOptions {
    std::string filePath;     // from the first argument or "-f="
    std::string language;     // from "-l=", empty when not given
    bool deleteConfig = false; // "-c"
    bool usageError = false;
};

// args excludes the program name; fileExists decides rule 1.
CommandLineOptions ParseCommandLine(const std::vector<std::string>& args,
                                    const std::function<bool(const std::string&)>& fileExists);

// The text of the "Usage" box for the given program file name.
std::string UsageText(const std::string& programFileName);

enum class StartFileKind { None, Vdx, Txt, Vdf };
struct StartFile {
    std::string path;  // absolute, with extension
    StartFileKind kind = StartFileKind::None;
    bool usageError = false;
};
// Makes the command-line file absolute, adds ".vdx" when it has no extension,
// and checks that it exists and has a known extension.
StartFile ResolveStartFile(const std::string& path, const std::string& currentDir,
                           const std::function<bool(const std::string&)>& fileExists);

struct LanguageChoice {
    std::string code;        // "en", "de", "fr", "it", "nl", "sv"
    std::string helpFile;    // without extension
    std::string catalogDir;  // empty for English
};
// code: configured or "-l=" code; systemLanguage: two-letter code of the system.
LanguageChoice ChooseLanguage(const std::string& code, const std::string& systemLanguage,
                              const std::string& programDir);

} // namespace vdx
