// vdxtool show FILE: the document as plain text on standard output.

#include "Commands.h"

#include "document/VdxFile.h"
#include "text/DocumentText.h"

#include <cstdio>

int RunShow(const std::vector<std::string>& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs("Usage: vdxtool show FILE\nPrints the pools document FILE as plain text.\n", stdout);
        return 0;
    }
    if (args.size() != 1) {
        std::fputs("Usage: vdxtool show FILE\n", stderr);
        return 2;
    }
    vdx::PoolsDocument doc;
    if (!ReadDocumentOrSay(args[0], doc)) return 1;
    const std::string text = vdx::DocumentAsText(doc);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
