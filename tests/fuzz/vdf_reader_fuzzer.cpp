// Feeds arbitrary bytes to the ticket format reader. A refused input must
// leave the values as they were; an accepted one must hold only values in
// their ranges and write and read back to the same bytes.
#include "ticketprint/VdfFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "vdf reader fuzz check failed: %s\n", what);
    std::abort();
}

void CheckInRange(const vdx::TicketFormatValues& v) {
    using namespace vdx;
    const auto in = [](int x, int lo, int hi) { return x >= lo && x <= hi; };
    if (!in(v.insertDirection, 0, kInsertDirectionMax) || !in(v.justification, 0, kJustificationMax) ||
        !in(v.tipsOrder, 0, kTipsOrderMax))
        Fail("code out of range");
    if (!in(v.outputRatio, kOutputRatioMin, kOutputRatioMax)) Fail("output ratio out of range");
    if (!in(v.maxMatches, kFormatMatchesMin, kFormatMatchesMax) || !in(v.maxLines, kFormatLinesMin, kFormatLinesMax))
        Fail("count out of range");
    if (!in(v.sizeOfX, kSizeOfXMin, kSizeOfXMax)) Fail("size of X out of range");
    if (!in(v.spaceBetweenXs, v.sizeOfX, kSpaceMax)) Fail("space between X's out of range");
    for (int s : v.spacesToSides)
        if (!in(s, MinSideSpace(v.sizeOfX), kSideSpaceMax)) Fail("side space out of range");
    for (int k = 0; k < v.maxMatches - 1; ++k)
        if (!in(v.spacesBetweenMatches[k], v.sizeOfX, kSpaceMax)) Fail("match gap out of range");
    for (int k = 0; k < v.maxLines - 1; ++k)
        if (!in(v.spacesBetweenLines[k], v.sizeOfX, kSpaceMax)) Fail("line gap out of range");
}

std::string Write(const vdx::TicketFormatValues& v) {
    std::ostringstream out;
    if (!vdx::WriteVdf(out, v)) Fail("writing an accepted format failed");
    return out.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    vdx::TicketFormat format;
    // Something other than the defaults, so that a partial read would show.
    format.setMaxMatches(3);
    format.setOutputRatio(57);
    const vdx::TicketFormatValues before = format.values();
    vdx::FileProblem problem;
    const int result = vdx::ReadVdf(in, format, problem);
    // The plain values take the same course.
    std::istringstream in2(std::string(reinterpret_cast<const char*>(data), size));
    vdx::TicketFormatValues plain = before;
    vdx::FileProblem problem2;
    if (vdx::ReadVdf(in2, plain, problem2) != result) Fail("the two readers disagree");
    if (plain != format.values()) Fail("the two readers read different values");
    if (result != vdx::kFormatReadOk) {
        if (result != vdx::kFormatReadError && result != vdx::kFormatNotFormat) Fail("unexpected result code");
        if (format.values() != before) Fail("a refused file changed the format");
        if (!format.modified()) Fail("a refused file took the saved values");
        if (result == vdx::kFormatReadError && !problem.known()) Fail("read error without a reason");
        return 0;
    }
    if (format.modified()) Fail("a read format is not the saved one");
    CheckInRange(format.values());

    const std::string first = Write(format.values());
    if (first.size() != static_cast<size_t>(vdx::VdfFileSize(format.values().maxMatches, format.values().maxLines)))
        Fail("written size does not follow the counts");
    std::istringstream again(first);
    vdx::TicketFormatValues back = format.values();
    if (vdx::ReadVdf(again, back, problem) != vdx::kFormatReadOk) Fail("a written format does not read back");
    if (back != format.values()) Fail("read back values differ");
    if (Write(back) != first) Fail("write, read, write is not byte-identical");
    return 0;
}
