// vdxtool: pools documents from the command line.

#include "Commands.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

void PrintUsage(std::FILE* out) {
    std::fputs("Usage: vdxtool COMMAND [ARGUMENTS]\n"
               "\n"
               "Commands:\n"
               "  show FILE   print a pools document (.vdx) as plain text\n"
               "  calc ...    calculate the lines of a pools document (see vdxtool calc --help)\n"
               "  format ...  show a ticket format (.vdf) or write the default one (see vdxtool format --help)\n"
               "  stats FILE  print the statistics of a pools document\n"
               "  import ...  make a pools document of a text file (see vdxtool import --help)\n"
               "  export ...  write the lines of a pools document as text (see vdxtool export --help)\n"
               "  --help      print this message\n",
               out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(stderr);
        return 2;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h" || command == "help") {
        PrintUsage(stdout);
        return 0;
    }
    if (command == "show") return RunShow(args);
    if (command == "calc") return RunCalc(args);
    if (command == "format") return RunFormat(args);
    if (command == "stats") return RunStats(args);
    if (command == "import") return RunImport(args);
    if (command == "export") return RunExport(args);
    std::fprintf(stderr, "vdxtool: unknown command '%s'\n\n", command.c_str());
    PrintUsage(stderr);
    return 2;
}
