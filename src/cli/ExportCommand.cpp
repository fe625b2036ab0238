// vdxtool export: the lines of a pools document as a text or Totocalcio file.

#include "Commands.h"

#include "document/TextExport.h"

#include <cstdio>
#include <string>

namespace {

const char kUsage[] =
    "Usage: vdxtool export TYPE IN.vdx OUT [--answer-no]\n"
    "Writes the lines of the pools document IN.vdx to OUT in the format TYPE:\n"
    "\n"
    "  pc          text, lines ending in CR LF (PC/OS2)\n"
    "  unix        text, lines ending in LF\n"
    "  mac         text, lines ending in CR\n"
    "  totocalcio  Totocalcio system file (.col), needs 14 matches\n"
    "  totocalcio-special\n"
    "              the same with the byte 0x0E as line end\n"
    "\n"
    "When the extension of OUT does not fit TYPE (.col for a Totocalcio type\n"
    "only) the question is printed and answered Yes, or No with --answer-no:\n"
    "then nothing is written and the exit status is 1.\n"
    "An existing OUT stays as it was when the export fails.\n"
    "Exit status: 0 done, 1 failure or refusal, 2 wrong arguments.\n";

int TypeOf(const std::string& name) {
    const char* const names[vdx::kExportTypeCount] = {"pc", "unix", "mac", "totocalcio", "totocalcio-special"};
    for (int t = 0; t < vdx::kExportTypeCount; ++t)
        if (name == names[t]) return t;
    return -1;
}

} // namespace

int RunExport(const std::vector<std::string>& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    std::vector<std::string> words;
    bool answerNo = false;
    for (const std::string& a : args) {
        if (a == "--answer-no")
            answerNo = true;
        else
            words.push_back(a);
    }
    if (words.size() != 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const int type = TypeOf(words[0]);
    if (type < 0) {
        std::fprintf(stderr, "vdxtool export: unknown type '%s'\n", words[0].c_str());
        return 2;
    }
    const std::string& input = words[1];
    const std::string& output = words[2];

    vdx::PoolsDocument doc;
    if (!ReadDocumentOrSay(input, doc)) return 1;
    vdx::ExportOutcome outcome;
    outcome.result = vdx::CheckExport(doc, type);
    if (outcome.result == vdx::kExportOk) {
        const std::string question = vdx::ExportExtensionQuestion(output, type);
        if (!question.empty()) {
            std::fprintf(stderr, "%s\n%s\n", question.c_str(), answerNo ? "-> No" : "-> Yes");
            if (answerNo) return 1;
        }
        outcome = vdx::ExportTextFile(output, doc, type);
    }
    if (outcome.result != vdx::kExportOk) {
        std::fprintf(stderr, "%s\n", vdx::ExportResultMessage(outcome).c_str());
        return 1;
    }
    std::printf("%s\n", vdx::ExportLogLine(type, output, true).c_str());
    return 0;
}
