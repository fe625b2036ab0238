#include "text/StatisticsText.h"

#include <algorithm>
#include <vector>

namespace vdx {

namespace {

// Characters, not bytes: match titles are UTF-8.
size_t Width(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string Pad(const std::string& s, size_t width, bool right) {
    const std::string fill(width > Width(s) ? width - Width(s) : 0, ' ');
    return right ? fill + s : s + fill;
}

std::string TrimRight(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

std::string CellText(const StatisticsCell& cell) { return cell.highlighted ? cell.text + "*" : cell.text + " "; }

std::string TableText(const StatisticsView& v) {
    std::array<size_t, kStatColumnCount> width{};
    for (const StatisticsRow& row : v.table)
        for (int c = 0; c < kStatColumnCount; ++c) {
            // The heading's first text runs over the number and title columns.
            if (row.kind == StatisticsRow::kHeading && c == kStatNumber) continue;
            width[c] = std::max(width[c], Width(CellText(row.cells[c])));
        }
    const size_t lead = width[kStatNumber] + 1 + width[kStatTitle];
    std::string out;
    for (const StatisticsRow& row : v.table) {
        std::string line;
        if (row.kind == StatisticsRow::kHeading) {
            line = Pad(row.cells[kStatNumber].text, lead, false);
        } else {
            line = Pad(row.cells[kStatNumber].text, width[kStatNumber], true) + " " +
                   Pad(row.cells[kStatTitle].text, width[kStatTitle], false);
        }
        for (int c = kStatChance1; c < kStatColumnCount; ++c) {
            line += c == kStatTips1 ? "    " : "  ";
            line += Pad(CellText(row.cells[c]), width[c], true);
        }
        out += TrimRight(line) + "\n";
    }
    return out;
}

std::string ProbabilitiesText(const StatisticsView& v) {
    std::string out = "\n" + v.probabilitiesHeading + "\n";
    out += "  from " + v.minimumText + " to " + v.maximumText + ", lines per bucket:\n  ";
    for (int b = 0; b < kProbabilityBuckets; ++b) out += (b ? " " : "") + std::to_string(v.bars[b]);
    out += "\n";
    if (v.markerPosition != kNoResultsLine) {
        std::string where;
        if (v.markerPosition < 0)
            where = "left of the first bucket";
        else if (v.markerPosition >= kProbabilityBuckets)
            where = "right of the last bucket";
        else
            where = "bucket " + std::to_string(v.markerPosition + 1);
        out += "  line of the results: " + v.markerText + " (" + where + ")\n";
    }
    return out;
}

std::string CorrectTipsText(const StatisticsView& v) {
    std::string out = "\n" + TrimRight(v.correctTipsHeading) + "\n";
    size_t numberWidth = 0, linesWidth = 0;
    for (const CorrectTipsEntry& e : v.correctTips) {
        numberWidth = std::max(numberWidth, Width(e.number));
        linesWidth = std::max(linesWidth, Width(e.lines) + 1);
    }
    std::vector<std::string> lines(v.correctTipsRows);
    for (const CorrectTipsEntry& e : v.correctTips) {
        if (e.row < 0 || e.row >= v.correctTipsRows) continue;
        std::string& line = lines[e.row];
        line += (e.column ? "      " : "  ") + Pad(e.number, numberWidth, true) + " " +
                Pad(e.lines + (e.highlighted ? "*" : " "), linesWidth, true);
    }
    for (const std::string& line : lines) out += TrimRight(line) + "\n";
    return out;
}

} // namespace

std::string StatisticsAsText(const StatisticsView& v) {
    std::string out = TableText(v);
    if (v.showProbabilities) out += ProbabilitiesText(v);
    if (v.showCorrectTips) out += CorrectTipsText(v);
    return out;
}

} // namespace vdx
