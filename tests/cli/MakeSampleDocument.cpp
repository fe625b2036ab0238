// Writes a generated pools document for the tests of vdxtool calc:
//   vdx_make_sample OUT.vdx MATCHES LINES SEED [WITH_DATA]
// WITH_DATA keeps chances on only that many matches (the others have none).

#include "calc/Conditions.h"
#include "calc/Probabilities.h"
#include "calc/SampleRound.h"
#include "document/VdxFile.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        std::fputs("usage: vdx_make_sample OUT.vdx MATCHES LINES SEED [WITH_DATA]\n", stderr);
        return 2;
    }
    vdx::PoolsDocument doc = vdx::MakeSampleRound(std::atoi(argv[2]), std::atoi(argv[3]),
                                                  static_cast<uint32_t>(std::strtoul(argv[4], nullptr, 10)));
    if (argc == 6) {
        for (int i = std::atoi(argv[5]); i < doc.matchCount; ++i) {
            vdx::MatchEntry& m = doc.match(i);
            m.chances = {-1, -1};
            vdx::UpdateProbabilities(m);
            vdx::PlanTipCounts(m, doc.lineCount, vdx::GlobalRandom());
        }
        vdx::RecomputeConditionBookkeeping(doc, true);
    }
    if (!vdx::SaveVdxFile(argv[1], doc).ok) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
