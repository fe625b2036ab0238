// vdxtool import: a new pools document from the lines of a text file.

#include "Commands.h"

#include "document/SafeSave.h"
#include "document/TextImport.h"
#include "document/VdxFile.h"

#include <cstdio>
#include <string>

namespace {

const char kUsage[] =
    "Usage: vdxtool import text|reversed|totocalcio FILE -o OUT.vdx\n"
    "Makes a new pools document of the lines in FILE and writes it to OUT.vdx.\n"
    "\n"
    "  text        one line of tips per line, one character per match\n"
    "              (1, X, x or 0, 2; other characters are ignored)\n"
    "  reversed    one match per line, one character per line of tips\n"
    "  totocalcio  a Totocalcio system file (.col): a digit 1..7 per match,\n"
    "              each standing for up to three tips\n"
    "\n"
    "Nothing is written when FILE cannot be imported.\n"
    "Exit status: 0 done, 1 failure, 2 wrong arguments.\n";

int KindOf(const std::string& name) {
    if (name == "text") return vdx::kImportText;
    if (name == "reversed") return vdx::kImportReversedText;
    if (name == "totocalcio") return vdx::kImportTotocalcio;
    return 0;
}

} // namespace

int RunImport(const std::vector<std::string>& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    std::vector<std::string> words;
    std::string output;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size() && output.empty())
            output = args[++i];
        else
            words.push_back(args[i]);
    }
    if (words.size() != 2 || output.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const int kind = KindOf(words[0]);
    if (kind == 0) {
        std::fprintf(stderr, "vdxtool import: unknown kind '%s'\n", words[0].c_str());
        return 2;
    }
    const std::string& input = words[1];
    const vdx::FileProblem target = vdx::CheckSaveTarget(output);
    if (target.known()) {
        std::fprintf(stderr, "Cannot write file %s\n%s\n", output.c_str(), vdx::FileProblemText(target).c_str());
        return 1;
    }

    vdx::PoolsDocument doc;
    vdx::FileProblem problem;
    const int result = vdx::ImportTextFile(input, kind, doc, problem);
    if (result != vdx::kReadOk) {
        std::fprintf(stderr, "%s\n", vdx::ImportResultMessage(result, input, kind, problem).c_str());
        return 1;
    }
    const vdx::WriteResult written = vdx::SaveVdxFile(output, doc);
    if (!written.ok) {
        std::fprintf(stderr, "Cannot write file %s\n", output.c_str());
        if (written.problem.known()) std::fprintf(stderr, "%s\n", vdx::FileProblemText(written.problem).c_str());
        return 1;
    }
    std::printf(vdx::kImportedLogFormat, input.c_str());
    std::printf("\nMatches: %d, lines: %d\n", doc.tipMatchCount, doc.tipLineCount);
    return 0;
}
