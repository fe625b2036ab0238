#include "calc/StatisticsView.h"

#include "text/Tr.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>

namespace vdx {

namespace {

// Every text of the statistics that takes values is made here; translation
// of the format goes in at this one place.
std::string Sentence(const char* format, ...) {
    const std::string translated = Translate(format);
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, translated.c_str(), args);
    va_end(args);
    return buffer;
}

// A number with its punctuation; nothing to translate.
std::string Plain(const char* format, ...) {
    char buffer[64];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

// One decimal with a ".", whatever the C locale says.
std::string OneDecimal(double x) {
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, 1);
    return std::string(buffer, r.ptr);
}

std::array<std::string, 3> TipHeads(bool zeroForDraw) { return {"1", zeroForDraw ? "0" : "X", "2"}; }

StatisticsRow TotalRow(const char* label, const StatisticsTotal& total) {
    StatisticsRow row;
    row.kind = StatisticsRow::kTotal;
    row.cells[kStatTitle].text = Sentence(label);
    const int sum = total.count[0] + total.count[1] + total.count[2];
    for (int t = 0; t < 3; ++t) {
        row.cells[kStatChance1 + t].text = total.available ? ShareText(total.count[t], sum) : Sentence(N_("n.a.%%"));
        row.cells[kStatTips1 + t].text = total.available ? Plain("%d", total.count[t]) : Sentence(N_("n.a."));
    }
    return row;
}

} // namespace

bool StatisticsColumnRightAligned(int column) { return column != kStatTitle; }

std::string PercentText(double percent) { return Plain("%s%%", OneDecimal(percent).c_str()); }

std::string ShareText(int count, int total) {
    return PercentText(total == 0 ? 0.0 : static_cast<double>(count) * 100.0 / total);
}

std::string CorrectTipsHeading(int knownResults, int matchCount) {
    if (knownResults >= matchCount) return Sentence(N_("Correct Tips"));
    return Sentence(N_("Correct Tips (known Results: %d of %d) "), knownResults, matchCount);
}

std::string StatisticsFrameTitle(const std::string& documentTitle) {
    return Sentence(N_("%s: Statistics"), documentTitle.c_str());
}

StatisticsView MakeStatisticsView(const Statistics& s, bool zeroForDraw) {
    StatisticsView v;
    const std::array<std::string, 3> heads = TipHeads(zeroForDraw);

    StatisticsRow heading;
    heading.kind = StatisticsRow::kHeading;
    heading.cells[kStatNumber].text = Sentence(N_("Chances and Tips "));
    for (int t = 0; t < 3; ++t) heading.cells[kStatChance1 + t].text = heading.cells[kStatTips1 + t].text = heads[t];
    v.table.push_back(heading);

    for (int m = 0; m < static_cast<int>(s.matches.size()); ++m) {
        const StatisticsMatch& match = s.matches[m];
        StatisticsRow row;
        row.cells[kStatNumber].text = Plain("%d:", m + 1);
        row.cells[kStatTitle].text = match.title;
        for (int t = 0; t < 3; ++t) {
            StatisticsCell& chance = row.cells[kStatChance1 + t];
            StatisticsCell& tips = row.cells[kStatTips1 + t];
            chance.text = match.chance[t] < 0 ? Sentence(N_("n.a.%%")) : PercentText(match.chance[t] * 0.1);
            tips.text = match.tipCount[t] < 0 ? std::string("-") : Plain("%d", match.tipCount[t]);
            chance.highlighted = tips.highlighted = match.result == t;
        }
        v.table.push_back(row);
    }

    if (s.hasTips) v.table.push_back(TotalRow(N_("Sum"), s.sum));
    if (s.valid) {
        v.table.push_back(TotalRow(N_("Results"), s.results));
        v.table.push_back(TotalRow(N_("Correct Tips"), s.correct));
    }
    if (!s.valid) return v;

    v.showProbabilities = true;
    v.probabilitiesHeading = Sentence(N_("Probabilities"));
    v.bars = s.buckets;
    v.largestBar = s.largestBucket;
    v.minimumText = PercentText(s.minFigure);
    v.maximumText = PercentText(s.maxFigure);
    v.markerPosition = s.resultsPosition;
    if (s.resultsPosition != kNoResultsLine) v.markerText = PercentText(s.resultsFigure);

    v.showCorrectTips = true;
    v.correctTipsHeading = CorrectTipsHeading(s.knownResults, s.matchCount);
    v.correctTipsRows = (s.matchCount + 2) / 2;
    for (int c = 0; c < static_cast<int>(s.correctHistogram.size()); ++c) {
        CorrectTipsEntry e;
        e.column = c / v.correctTipsRows;
        e.row = c % v.correctTipsRows;
        e.number = Plain("%d:", c);
        e.lines = Plain("%d", s.correctHistogram[c]);
        e.highlighted = c == s.highestCorrect;
        v.correctTips.push_back(e);
    }
    return v;
}

} // namespace vdx
