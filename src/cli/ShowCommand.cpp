// vdxtool show FILE: the document as plain text on standard output.

#include "Commands.h"

#include "document/VdxFile.h"
#include "text/DocumentText.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

int RunShow(const std::vector<std::string>& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs("Usage: vdxtool show FILE\nPrints the pools document FILE as plain text.\n", stdout);
        return 0;
    }
    if (args.size() != 1) {
        std::fputs("Usage: vdxtool show FILE\n", stderr);
        return 2;
    }
    const std::string& path = args[0];
    std::error_code ec;
    std::ifstream in;
    if (!std::filesystem::is_directory(path, ec)) in.open(path, std::ios::binary);
    if (!in.is_open()) {
        std::fprintf(stderr, "Cannot open file %s\n", path.c_str());
        return 1;
    }
    vdx::PoolsDocument doc;
    const int result = vdx::ReadVdx(in, doc);
    if (result != vdx::kReadOk) {
        std::fprintf(stderr, "%s\n", vdx::ReadResultMessage(result, path, 0).c_str());
        return 1;
    }
    const std::string text = vdx::DocumentAsText(doc);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
