// Feeds arbitrary bytes to the document reader. Whatever it accepts must write
// and read back to the same bytes, and hold only tips the rest of the program
// can index with.
#include "document/VdxFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "vdx reader fuzz check failed: %s\n", what);
    std::abort();
}

void CheckConsistent(const vdx::PoolsDocument& doc) {
    if (doc.tipLineCount != -1 && (doc.tipLineCount < 1 || doc.tipLineCount > vdx::kMaxLines))
        Fail("tipLineCount out of range");
    const size_t places = static_cast<size_t>(std::max(doc.lineCount, doc.tipLineCount));
    for (const vdx::MatchEntry& m : doc.matches) {
        if (m.tips.size() < places) Fail("tips array shorter than the lines");
        if (!m.hasTips) continue;
        if (doc.tipLineCount < 1) Fail("match with tips in a document without lines");
        for (int l = 0; l < doc.tipLineCount; ++l)
            if (m.tips[l] > 2) Fail("match with tips holds a tip beyond 2");
    }
}

std::string Write(const vdx::PoolsDocument& doc) {
    std::ostringstream out;
    const vdx::WriteResult w = vdx::WriteVdx(out, doc);
    if (!w.ok) Fail("writing an accepted document failed");
    return out.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    vdx::PoolsDocument doc;
    const int result = vdx::ReadVdx(in, doc);
    if (result != vdx::kReadOk && result != vdx::kReadBadData && result != vdx::kReadNotVdx)
        Fail("unexpected result code");
    if (result != vdx::kReadOk) return 0;
    CheckConsistent(doc);

    const std::string first = Write(doc);
    std::istringstream again(first);
    vdx::PoolsDocument doc2;
    if (vdx::ReadVdx(again, doc2) != vdx::kReadOk) Fail("a written document does not read back");
    CheckConsistent(doc2);
    if (Write(doc2) != first) Fail("write, read, write is not byte-identical");
    return 0;
}
