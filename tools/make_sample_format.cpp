// Writes the sample ticket format shipped beside the program: a slip of 12
// matches and 12 lines, which takes the example document's tickets, so a new
// user can print a test sheet at once.
// Usage: make_sample_format OUT.vdf

#include "ticketprint/VdfFile.h"

#include <cstdio>

using namespace vdx;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("Usage: make_sample_format OUT.vdf\n", stderr);
        return 2;
    }
    TicketFormat f;
    bool ok = f.setMaxMatches(12) && f.setMaxLines(12) && f.setTipsOrder(1) && // "1X2"
              f.setSizeOfX(250) && f.setSpaceBetweenXs(400) && f.setSideSpace(kSideTop, 2500) &&
              f.setSideSpace(kSideRight, 800) && f.setSideSpace(kSideBottom, 3000) &&
              f.setSideSpace(kSideLeft, 900);
    for (int k = 0; k < 11; ++k) ok = ok && f.setMatchGap(k, 423);
    for (int k = 0; k < 11; ++k) ok = ok && f.setLineGap(k, 420);
    if (!ok) {
        std::fputs("make_sample_format: a value was refused\n", stderr);
        return 1;
    }
    const SafeSaveResult saved = SaveVdfFile(argv[1], f);
    if (!saved.ok) {
        std::fprintf(stderr, "%s\n", FormatSaveMessage(argv[1], saved.problem).c_str());
        return 1;
    }
    return 0;
}
