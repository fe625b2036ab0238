#include "calc/Statistics.h"

#include "calc/LineScoring.h"
#include "calc/Probabilities.h"

#include <algorithm>
#include <cmath>

namespace vdx {

namespace {

constexpr double kSame = 0.0000001;

int Truncate(double x) { return static_cast<int>(x); }

int Lines(const PoolsDocument& doc) { return doc.hasTips ? std::clamp(doc.tipLineCount, 0, kMaxLines) : 0; }

int Matches(const PoolsDocument& doc) { return std::clamp(doc.matchCount, 0, kMaxMatches); }

} // namespace

double LineProbabilityFigure(const PoolsDocument& doc, const std::array<int, kMaxMatches>& tips) {
    // A file may hold lines without the number of matches they were calculated
    // with; while the lines fit, those are the matches with data.
    const int matches = doc.calcMatchCount > 0 ? doc.calcMatchCount : CountMatchesWithData(doc);
    const long long divisor = static_cast<long long>(doc.lineCount) * matches;
    if (divisor <= 0) return 0.0;
    long long agreeing = 0;
    for (int m = 0; m < Matches(doc); ++m) {
        const MatchEntry& e = doc.matches[m];
        if (!e.hasData() || tips[m] < 0 || tips[m] > 2) continue;
        const int count = TipCountsForCalculation(doc, e)[tips[m]];
        if (count > 0) agreeing += count;
    }
    return static_cast<double>(agreeing) * 100.0 / static_cast<double>(divisor);
}

int ProbabilityBucket(double figure, double minimum, double maximum) {
    if (maximum - minimum <= kSame) return 0;
    const int bucket = Truncate((figure - minimum) / ((maximum - minimum) * 0.04));
    return std::clamp(bucket, 0, kProbabilityBuckets - 1);
}

int ResultsLinePosition(double figure, double minimum, double maximum) {
    if (std::fabs(maximum - minimum) <= kSame) {
        if (figure > maximum) return kProbabilityBuckets;
        return figure >= minimum ? 0 : -1;
    }
    if (figure > maximum) return kProbabilityBuckets;
    if (figure < minimum) return -1;
    if (figure == maximum) return kProbabilityBuckets - 1;
    return std::clamp(Truncate((figure - minimum) / ((maximum - minimum) * 0.04)), -1, kProbabilityBuckets);
}

Statistics ComputeStatistics(const PoolsDocument& doc) {
    Statistics s;
    s.matchCount = Matches(doc);
    s.hasTips = doc.hasTips && Lines(doc) > 0;
    s.valid = s.hasTips && doc.tipsUpToDate;

    bool allResults = true;
    for (int m = 0; m < s.matchCount; ++m) {
        const MatchEntry& e = doc.matches[m];
        StatisticsMatch row;
        row.title = e.name;
        row.result = e.result >= 0 && e.result <= 2 ? e.result : kTipNone;
        if (row.result != kTipNone) ++s.knownResults;
        if (e.hasData()) {
            row.chance = {e.p1(), e.pX(), e.p2()};
            const std::array<int, 3>& counts = TipCountsForCalculation(doc, e);
            if (s.hasTips) row.tipCount = counts;
            for (int t = 0; t < 3; ++t) {
                const int c = std::max(0, counts[t]);
                s.sum.count[t] += c;
                if (row.result == t) {
                    ++s.results.count[t];
                    s.correct.count[t] += c;
                }
            }
            if (row.result == kTipNone) allResults = false;
        }
        s.matches.push_back(row);
    }
    s.results.available = s.correct.available = allResults;
    if (!s.valid) return s;

    // How probable each line is, and where the line of the results lies among them.
    const int lines = Lines(doc);
    s.lineFigures.resize(lines);
    for (int l = 0; l < lines; ++l) {
        std::array<int, kMaxMatches> tips{};
        for (int m = 0; m < kMaxMatches; ++m) tips[m] = doc.tipOf(m, l);
        s.lineFigures[l] = LineProbabilityFigure(doc, tips);
        s.minFigure = std::min(s.minFigure, s.lineFigures[l]);
        s.maxFigure = std::max(s.maxFigure, s.lineFigures[l]);
    }
    for (double f : s.lineFigures) ++s.buckets[ProbabilityBucket(f, s.minFigure, s.maxFigure)];
    s.largestBucket = *std::max_element(s.buckets.begin(), s.buckets.end());
    if (allResults) {
        std::array<int, kMaxMatches> tips{};
        for (int m = 0; m < kMaxMatches; ++m) tips[m] = doc.matches[m].result;
        s.resultsFigure = LineProbabilityFigure(doc, tips);
        s.resultsPosition = ResultsLinePosition(s.resultsFigure, s.minFigure, s.maxFigure);
    }

    s.correctHistogram.assign(s.matchCount + 1, 0);
    for (int l = 0; l < lines; ++l) {
        const int c = std::clamp(CorrectTips(doc, l), 0, s.matchCount);
        ++s.correctHistogram[c];
        s.highestCorrect = std::max(s.highestCorrect, c);
    }
    return s;
}

} // namespace vdx
