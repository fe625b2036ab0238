#include "app/CommandLine.h"

#include "text/Tr.h"

#include <array>
#include <cctype>

namespace vdx {

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::string LowerText(std::string text) {
    for (char& c : text) c = Lower(c);
    return text;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

// Position of the dot that starts the extension of the last path component,
// or npos when it has none (a leading dot marks a hidden file, not an extension).
size_t ExtensionDot(const std::string& path) {
    const size_t slash = path.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= nameStart) return std::string::npos;
    return dot;
}

const std::array<const char*, 6> kLanguages = {"en", "de", "fr", "it", "nl", "sv"};

bool IsKnownLanguage(const std::string& code) {
    for (const char* l : kLanguages)
        if (code == l) return true;
    return false;
}

} // namespace

CommandLineOptions ParseCommandLine(const std::vector<std::string>& args,
                                    const std::function<bool(const std::string&)>& fileExists) {
    CommandLineOptions opts;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (i == 0 && !arg.empty() && fileExists && fileExists(arg)) {
            opts.filePath = arg;
            continue;
        }
        if (arg.empty() || arg[0] != '-' || arg.size() == 1 || arg.size() == 3) {
            opts.usageError = true;
        } else if (arg.size() == 2) {
            if (Lower(arg[1]) == 'c')
                opts.deleteConfig = true;
            else
                opts.usageError = true;
        } else if (arg[2] == '=') {
            const char letter = Lower(arg[1]);
            if (letter == 'f')
                opts.filePath = arg.substr(3);
            else if (letter == 'l')
                opts.language = arg.substr(3);
            else
                opts.usageError = true;
        } else {
            opts.usageError = true;
        }
    }
    return opts;
}

std::string UsageText(const std::string& programFileName) {
    return TrFormat(N_("%s [-h] [-f=xxx] ...\n"
                       "\n"
                       "-h\tHelp = this message\n"
                       "-c\tDelete the configuration file and quit the application.\n"
                       "-f=xxx  File xxx.vdx is opened.\n"
                       "-l=xx\tLanguage (en, de, ...)"),
                    programFileName.c_str());
}

StartFile ResolveStartFile(const std::string& path, const std::string& currentDir,
                           const std::function<bool(const std::string&)>& fileExists) {
    StartFile result;
    if (path.empty()) return result;
    result.path = path[0] == '/' ? path : JoinPath(currentDir, path);
    size_t dot = ExtensionDot(result.path);
    if (dot == std::string::npos) {
        dot = result.path.size();
        result.path += ".vdx";
    }
    const std::string ext = LowerText(result.path.substr(dot + 1));
    StartFileKind kind = StartFileKind::None;
    if (ext == "vdx")
        kind = StartFileKind::Vdx;
    else if (ext == "txt")
        kind = StartFileKind::Txt;
    else if (ext == "vdf")
        kind = StartFileKind::Vdf;
    if (kind == StartFileKind::None || !fileExists || !fileExists(result.path)) {
        result.usageError = true;
        return result;
    }
    result.kind = kind;
    return result;
}

LanguageChoice ChooseLanguage(const std::string& code, const std::string& systemLanguage,
                              const std::string& programDir) {
    LanguageChoice choice;
    choice.code = code;
    if (!IsKnownLanguage(choice.code)) {
        // "de_DE.UTF-8" and "de" both name German.
        const std::string system = LowerText(systemLanguage.substr(0, 2));
        choice.code = IsKnownLanguage(system) ? system : "en";
    }
    if (choice.code == "en") {
        choice.helpFile = JoinPath(programDir, "VdxHelp");
        return choice;
    }
    choice.catalogDir = programDir;
    // There is no Dutch help; the English one serves.
    if (choice.code == "nl")
        choice.helpFile = JoinPath(programDir, "VdxHelp");
    else
        choice.helpFile = JoinPath(JoinPath(programDir, choice.code), "VdxHelp_" + choice.code);
    return choice;
}

} // namespace vdx
