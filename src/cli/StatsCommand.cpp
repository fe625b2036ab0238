// vdxtool stats FILE: the statistics of a document as plain text.

#include "Commands.h"

#include "calc/Statistics.h"
#include "calc/StatisticsView.h"
#include "text/StatisticsText.h"

#include <cstdio>

int RunStats(const std::vector<std::string>& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs("Usage: vdxtool stats FILE\n"
                   "Prints the statistics of the pools document FILE: chances and tips per match,\n"
                   "totals, how probable the lines are and how many lines reached how many\n"
                   "correct tips. \"*\" marks the result of a match and the most correct tips.\n",
                   stdout);
        return 0;
    }
    if (args.size() != 1) {
        std::fputs("Usage: vdxtool stats FILE\n", stderr);
        return 2;
    }
    vdx::PoolsDocument doc;
    if (!ReadDocumentOrSay(args[0], doc)) return 1;
    const vdx::StatisticsView view = vdx::MakeStatisticsView(vdx::ComputeStatistics(doc), doc.zeroForDraw);
    const std::string text = vdx::StatisticsAsText(view);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
