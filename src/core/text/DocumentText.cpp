#include "text/DocumentText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace vdx {

namespace {

// Display width of UTF-8 text: one column per code point.
size_t TextWidth(const std::string& text) {
    size_t n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string Format(const char* format, int a) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, a);
    return buf;
}

// Whole and hundredths (or tenths) of a scaled integer with the chosen separator.
std::string ScaledText(int value, int scale, int decimals, bool decimalPoint) {
    const long v = value;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%ld%c%0*ld", v < 0 ? "-" : "", std::labs(v) / scale,
                  decimalPoint ? '.' : ',', decimals, std::labs(v) % scale);
    return buf;
}

// A text table: columns as wide as their widest cell, two blanks between them.
class Table {
public:
    explicit Table(std::vector<bool> rightAligned) : right_(std::move(rightAligned)) {}
    void add(std::vector<std::string> row) {
        row.resize(right_.size());
        rows_.push_back(std::move(row));
    }
    std::string render(const std::string& indent) const {
        std::vector<size_t> width(right_.size(), 0);
        for (const auto& row : rows_)
            for (size_t c = 0; c < row.size(); ++c) width[c] = std::max(width[c], TextWidth(row[c]));
        std::string out;
        for (const auto& row : rows_) {
            std::string line = indent;
            for (size_t c = 0; c < row.size(); ++c) {
                if (c > 0) line += "  ";
                const std::string pad(width[c] - TextWidth(row[c]), ' ');
                line += right_[c] ? pad + row[c] : row[c] + pad;
            }
            line.erase(line.find_last_not_of(' ') + 1);
            out += line + "\n";
        }
        return out;
    }

private:
    std::vector<bool> right_;
    std::vector<std::vector<std::string>> rows_;
};

const char* OnOff(bool on) { return on ? "on" : "off"; }

std::string SortText(const PoolsDocument& doc) {
    switch (doc.sortMode) {
    case 0: return "1 before " + doc.tipText(kTipX) + " before 2";
    case 1: return "Probability";
    case 2: return "Correct Tips";
    default: return Format("%d", doc.sortMode);
    }
}

std::string MatchName(const PoolsDocument& doc, int m) {
    const std::string& name = doc.match(m).name;
    return name.empty() ? Format("Match %d", m + 1) : name;
}

std::string OptionsText(const PoolsDocument& doc) {
    const std::string draw = doc.tipText(kTipX);
    Table t({false, false});
    t.add({"Matches:", Format("%d", doc.matchCount)});
    t.add({"Lines:", Format("%d", doc.lineCount)});
    t.add({"Lines per ticket:", Format("%d", doc.linesPerTicket)});
    t.add({"Rounds:", Format("%d", doc.rounds)});
    t.add({"Unsuccessful tries:", Format("%d", doc.unsuccessfulTries)});
    t.add({"Up to difference:", Format("%d", doc.upToDifference)});
    t.add({"Extra tries:", Format("%d", doc.extraTries)});
    t.add({"Sorting of the lines:", SortText(doc)});
    t.add({"Decimal separator:", doc.decimalPoint ? "point" : "comma"});
    t.add({"Draw symbol:", draw});
    t.add({"Conditions for Duplicates:", OnOff(doc.conditionEnabled[0])});
    t.add({"Conditions for 1, " + draw + " and 2:", OnOff(doc.conditionEnabled[1])});
    t.add({"Conditions for Favourites:", OnOff(doc.conditionEnabled[2])});
    t.add({"Limit for Conditions:", Format("%d", doc.conditionLimit)});
    return "Options\n" + t.render("  ");
}

bool HasLines(const PoolsDocument& doc) { return doc.hasTips && doc.tipLineCount > 0; }

int TipMatches(const PoolsDocument& doc) { return std::clamp(doc.tipMatchCount, 0, kMaxMatches); }

std::string DistributionText(const PoolsDocument& doc) {
    if (!HasLines(doc)) return "Distribution: none (no tips calculated yet)\n";
    char buf[128];
    std::snprintf(buf, sizeof buf, "Distribution: %s (%d lines of %d matches)\n",
                  doc.tipsUpToDate ? "up to date" : "not up to date", doc.tipLineCount,
                  TipMatches(doc));
    return buf;
}

std::string MatchesText(const PoolsDocument& doc) {
    const int used = std::clamp(doc.matchCount, 0, kMaxMatches);
    const bool point = doc.decimalPoint;
    const std::string draw = doc.tipText(kTipX);
    size_t bookies = 0;
    bool anyNotes = false;
    for (int m = 0; m < used; ++m) {
        bookies = std::max(bookies, doc.match(m).odds.size());
        anyNotes = anyNotes || !doc.match(m).notes.empty();
    }

    std::vector<bool> right = {true, false, false, true, true, true};
    std::vector<std::string> head = {"No.", "Match", "Res.", "Chance 1", "Chance " + draw, "Chance 2"};
    for (size_t b = 0; b < bookies; ++b) {
        right.insert(right.end(), {true, true, true});
        head.insert(head.end(), {"Odds 1", "Odds " + draw, "Odds 2"});
    }
    if (anyNotes) {
        right.push_back(false);
        head.push_back("Notes");
    }
    Table t(right);
    t.add(head);
    for (int m = 0; m < used; ++m) {
        const MatchEntry& e = doc.match(m);
        const bool chances = e.chances[0] != -1;
        std::vector<std::string> row = {Format("%d:", m + 1), MatchName(doc, m),
                                        doc.tipText(e.result, true),
                                        PerMilleText(chances ? e.chances[0] : -1, point),
                                        PerMilleText(chances ? e.chanceX() : -1, point),
                                        PerMilleText(chances ? e.chances[1] : -1, point)};
        for (size_t b = 0; b < bookies; ++b)
            for (int k = 0; k < 3; ++k)
                row.push_back(b < e.odds.size() ? OddsText(e.odds[b].odds[k], point) : "");
        if (anyNotes) row.push_back(e.notes);
        t.add(std::move(row));
    }
    return "Matches\n" + t.render("  ");
}

// Tips of one row, in groups of three matches like the rows of a ticket.
std::string TipRow(const std::vector<std::string>& cells) {
    std::string s;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) s += i % 3 == 0 ? "  " : " ";
        s += cells[i];
    }
    return s;
}

std::string TicketsText(const PoolsDocument& doc) {
    const int lines = doc.tipLineCount;
    const int matches = TipMatches(doc);
    const int perTicket = std::max(1, doc.linesPerTicket);
    const int tickets = (lines - 1) / perTicket + 1;

    bool anyResult = false;
    std::vector<std::string> results;
    for (int m = 0; m < matches; ++m) {
        const int r = doc.match(m).result;
        anyResult = anyResult || (r >= 0 && r <= 2);
        results.push_back(doc.tipText(r, true));
    }

    std::string out;
    for (int t = 0; t < tickets; ++t) {
        const int first = t * perTicket;
        const int last = std::min(first + perTicket, lines) - 1;
        char title[128];
        std::snprintf(title, sizeof title, "Ticket No. %d of %d (Line %d to %d of %d)\n", t + 1,
                      tickets, first + 1, last + 1, lines);
        out += "\n";
        out += title;
        Table table({false, false, true});
        if (anyResult) table.add({"Result:", TipRow(results), "Correct Tips"});
        for (int l = first; l <= last; ++l) {
            std::vector<std::string> tips;
            int correct = 0;
            for (int m = 0; m < matches; ++m) {
                const int tip = doc.tipOf(m, l);
                tips.push_back(doc.tipText(tip, true));
                if (tip != -1 && tip == doc.match(m).result) ++correct;
            }
            table.add({Format("Line %d:", l + 1), TipRow(tips), anyResult ? Format("%d", correct) : ""});
        }
        out += table.render("  ");
    }
    return out;
}

} // namespace

std::string OddsText(int oddsTimes100, bool decimalPoint) {
    if (oddsTimes100 == -1) return "-";
    return ScaledText(oddsTimes100, 100, 2, decimalPoint);
}

std::string PerMilleText(int perMille, bool decimalPoint) {
    if (perMille == -1) return "-";
    return ScaledText(perMille, 10, 1, decimalPoint);
}

std::string DocumentAsText(const PoolsDocument& doc) {
    std::string out = OptionsText(doc);
    out += "\n" + DistributionText(doc);
    out += "\n" + MatchesText(doc);
    if (HasLines(doc)) out += TicketsText(doc);
    return out;
}

} // namespace vdx
