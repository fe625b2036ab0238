// Feeds arbitrary bytes to the document reader. Whatever it accepts must write
// and read back to the same bytes, and hold only tips the rest of the program
// can index with. Then a short calculation (1 round, 2 tries, no extra tries)
// must either refuse with a message or leave lines that keep the engine's rules.
#include "calc/CalculationRun.h"
#include "calc/EngineRandom.h"
#include "calc/Probabilities.h"
#include "document/VdxFile.h"

#include <algorithm>
#include <array>
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

// The sanitizers make a calculation of many lines take seconds; the libFuzzer
// build keeps its pace by calculating only the smaller documents. The corpus
// replay of the normal build calculates every one.
#ifndef VDX_FUZZ_CALC_MAX_LINES
#define VDX_FUZZ_CALC_MAX_LINES 1000
#endif

void CheckCalculation(vdx::PoolsDocument& doc) {
    if (doc.lineCount > VDX_FUZZ_CALC_MAX_LINES) {
        vdx::CheckCalculationInput(doc);
        return;
    }
    const vdx::StartCheck start = vdx::CheckCalculationStart(doc, [](vdx::StartQuestion, const std::string&) { return true; });
    const vdx::InputCheck input = vdx::CheckCalculationInput(doc);
    if (start.verdict == vdx::StartVerdict::kRefused) {
        if (start.message.empty()) Fail("a refused calculation gives no message");
        if (input.refusal == vdx::CalcRefusal::kNone) Fail("refused at the start, accepted by the input check");
        return;
    }
    if (start.verdict != vdx::StartVerdict::kCalculate) Fail("questions answered yes, yet no calculation");
    if (input.refusal != vdx::CalcRefusal::kNone) Fail("input check refuses what the start accepted");

    // Lines that count as current keep their counts; otherwise the calculation plans them.
    const bool upToDate = doc.tipsUpToDate;
    std::array<std::array<int, 3>, vdx::kMaxMatches> oldCounts{};
    for (int i = 0; i < vdx::kMaxMatches; ++i) oldCounts[i] = doc.matches[i].tipCounts;

    vdx::EngineRandom random;
    vdx::CalcOptions options;
    options.rounds = 1;
    options.unsuccessfulTries = 2;
    options.extraTries = 0;
    options.resetRandom = true;
    options.random = &random;
    const vdx::CalcResult result = vdx::RunCalculation(doc, options);
    if (!result.ran) Fail("a checked document was not calculated");
    if (doc.calculationRunning) Fail("calculating flag left set");
    if (!doc.hasTips || !doc.tipsUpToDate) Fail("no current lines after a calculation");
    if (doc.tipLineCount != doc.lineCount || doc.tipMatchCount != doc.matchCount)
        Fail("lines and matches of the distribution differ from the document's");
    const int lines = doc.lineCount;
    int withData = 0;
    for (int i = 0; i < doc.matchCount; ++i) {
        const vdx::MatchEntry& m = doc.matches[i];
        if (!m.hasData()) {
            if (m.hasTips) Fail("a match without data has tips");
            continue;
        }
        ++withData;
        if (!m.hasTips) Fail("a match with data has no tips");
        std::array<int, 3> counted{0, 0, 0};
        for (int l = 0; l < lines; ++l) {
            if (m.tips[l] > 2) Fail("a line lacks the tip of a match");
            ++counted[m.tips[l]];
        }
        if (counted != m.tipCounts) Fail("tip counts differ from the tips");
        if (counted != (upToDate ? oldCounts[i] : m.targetCounts)) Fail("tip counts differ from the planned counts");
        if (!upToDate && !vdx::IsApportionment(counted, lines, m.p1(), m.p2()))
            Fail("planned counts do not fit the probabilities");
    }
    if (withData != result.matchesWithData) Fail("matches with data miscounted");
    long long pairs = 0;
    for (int e = 0; e < vdx::kEqualsLevels; ++e) {
        if (result.equalsHistogram[e] < 0) Fail("negative entry in the equals histogram");
        if (e > withData && result.equalsHistogram[e] != 0) Fail("pairs with more equals than matches");
        pairs += result.equalsHistogram[e];
    }
    if (pairs != static_cast<long long>(lines) * (lines - 1) / 2) Fail("equals histogram misses pairs");
    // What the calculation wrote must be a document again.
    Write(doc);
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
    CheckCalculation(doc);
    return 0;
}
