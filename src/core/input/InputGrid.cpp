#include "input/InputGrid.h"

#include "calc/Conditions.h"
#include "calc/LineScoring.h"
#include "calc/Probabilities.h"
#include "text/NumberText.h"
#include "text/Tr.h"

#include <algorithm>
#include <cstdio>

namespace vdx {

namespace {

constexpr double kMaxChance = 100.0;
constexpr double kMinOddsValue = 1.0;
constexpr double kMaxOddsValue = 32000.0;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::optional<int> ReadResult(const std::string& text) {
    if (text.empty()) return kTipNone;
    if (text == "1") return kTip1;
    if (text == "2") return kTip2;
    if (text == "X" || text == "x" || text == "0") return kTipX;
    return std::nullopt;
}

CellBlock Cell(int row, int column) { return {row, column, row, column}; }

// The group's odds cells of a row are all empty.
bool GroupEmpty(const std::vector<std::string>& row, int group) {
    for (int t = 0; t < 3; ++t)
        if (!row[OddsColumn(group, t)].empty()) return false;
    return true;
}

// Position of the last non-empty entry, -1 when there is none.
int LastUsed(const std::vector<OddsEntry>& list) {
    for (int i = static_cast<int>(list.size()) - 1; i >= 0; --i)
        if (!list[i].empty()) return i;
    return -1;
}

std::string Formatted(const char* format, double value, bool decimalPoint) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    std::string text = buffer;
    if (!decimalPoint)
        for (char& c : text) {
            if (c == '.')
                c = ',';
            else if (c == ',')
                c = '.';
        }
    return text;
}

} // namespace

InputColumn InputColumnAt(int column, int bookieGroups) {
    if (column <= 4) return static_cast<InputColumn>(std::max(column, 0));
    if (column >= NotesColumn(bookieGroups)) return InputColumn::Notes;
    return static_cast<InputColumn>(static_cast<int>(InputColumn::Odds1) + (column - 5) % 3);
}

std::string InputErrorMessage(InputErrorKind kind) {
    switch (kind) {
    case InputErrorKind::ResultUnreadable:
        return Translate(N_("'Result' is unreadable!\nValid entries are '1', 'X' (or also: 'x' and '0') and '2'."));
    case InputErrorKind::ChancesUnreadable:
        return Translate(N_("'Chances' are unreadable!\nValid entries are numbers from 0.0 to 100.0"));
    case InputErrorKind::OddsUnreadable:
        return Translate(N_("'Odds' are unreadable!\nValid entries are numbers from 1.00 to 32000.00"));
    case InputErrorKind::ChancesSum: return Translate(N_("Invalid 'Chances': The sum is not 100.0"));
    case InputErrorKind::OddsIncomplete: return Translate(N_("'Odds' incomplete: need three entries"));
    }
    return {};
}

std::string TrimCell(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::optional<double> ReadInputNumber(const std::string& text) { return ParseNumber(text); }

InputReading ReadInputGrid(CellTexts& cells, int bookieGroups) {
    InputReading out;
    bookieGroups = std::max(bookieGroups, 1);
    const int columns = InputColumnCount(bookieGroups);
    const int rows = static_cast<int>(cells.size());
    for (auto& row : cells)
        if (static_cast<int>(row.size()) < columns) row.resize(columns);

    // Per row: chance values in tenths (empty as 0), which were empty, odds in hundredths.
    struct Raw {
        std::array<int, 3> chance{};
        std::array<bool, 3> chanceEmpty{};
        std::vector<std::array<int, 3>> odds;
    };
    std::vector<Raw> raw(rows);
    out.rows.resize(rows);

    // Reading pass.
    for (int r = 0; r < rows; ++r) {
        raw[r].odds.assign(bookieGroups, {-1, -1, -1});
        for (int c = 0; c < columns; ++c) {
            std::string& text = cells[r][c];
            text = TrimCell(text);
            const InputColumn kind = InputColumnAt(c, bookieGroups);
            switch (kind) {
            case InputColumn::Matches: out.rows[r].name = text; break;
            case InputColumn::Notes: out.rows[r].notes = text; break;
            case InputColumn::Result: {
                const std::optional<int> result = ReadResult(text);
                if (!result) {
                    out.error = InputError{InputErrorKind::ResultUnreadable, Cell(r, c)};
                    return out;
                }
                out.rows[r].result = *result;
                break;
            }
            case InputColumn::Chance1:
            case InputColumn::ChanceX:
            case InputColumn::Chance2: {
                const int t = c - static_cast<int>(InputColumn::Chance1);
                if (text.empty()) {
                    raw[r].chanceEmpty[t] = true;
                    break;
                }
                const std::optional<double> v = ReadInputNumber(text);
                if (!v || *v < 0.0 || *v > kMaxChance) {
                    out.error = InputError{InputErrorKind::ChancesUnreadable, Cell(r, c)};
                    return out;
                }
                raw[r].chance[t] = RoundNumber(*v * 10.0);
                break;
            }
            default: { // odds
                if (text.empty()) break;
                const std::optional<double> v = ReadInputNumber(text);
                if (!v || *v < kMinOddsValue || *v > kMaxOddsValue) {
                    out.error = InputError{InputErrorKind::OddsUnreadable, Cell(r, c)};
                    return out;
                }
                raw[r].odds[OddsGroupOf(c)][(c - 5) % 3] = RoundNumber(*v * 100.0);
                break;
            }
            }
        }
    }

    // Chances and completeness of the odds.
    const int chance1 = static_cast<int>(InputColumn::Chance1);
    for (int r = 0; r < rows; ++r) {
        const Raw& row = raw[r];
        const int sum = row.chance[0] + row.chance[1] + row.chance[2];
        const int empty = static_cast<int>(std::count(row.chanceEmpty.begin(), row.chanceEmpty.end(), true));
        if (sum > 1000 || ((empty == 0 || empty == 2) && sum != 1000)) {
            out.error = InputError{InputErrorKind::ChancesSum, {r, chance1, r, chance1 + 2}};
            return out;
        }
        std::array<int, 3> values = row.chance;
        if (sum == 0) {
            out.rows[r].chances = {-1, -1};
        } else {
            if (empty == 1)
                for (int t = 0; t < 3; ++t)
                    if (row.chanceEmpty[t]) values[t] = 1000 - sum;
            out.rows[r].chances = {values[0], values[2]};
        }
    }
    for (int r = 0; r < rows; ++r) {
        for (int g = 0; g < bookieGroups; ++g) {
            int emptyOdds = 0;
            for (int t = 0; t < 3; ++t)
                if (cells[r][OddsColumn(g, t)].empty()) ++emptyOdds;
            if (emptyOdds == 1 || emptyOdds == 2) {
                out.error = InputError{InputErrorKind::OddsIncomplete,
                                       {r, OddsColumn(g, 0), r, OddsColumn(g, 2)}};
                return out;
            }
        }
    }

    // Groups empty in every row go, while more than one is left.
    std::vector<int> kept;
    for (int g = 0; g < bookieGroups; ++g) kept.push_back(g);
    for (size_t position = 0; position < kept.size() && kept.size() > 1;) {
        const int g = kept[position];
        const bool allEmpty = std::all_of(cells.begin(), cells.end(),
                                          [g](const std::vector<std::string>& row) { return GroupEmpty(row, g); });
        if (allEmpty) {
            out.removedGroups.push_back(static_cast<int>(position));
            kept.erase(kept.begin() + position);
        } else {
            ++position;
        }
    }
    out.bookieGroups = static_cast<int>(kept.size());
    for (int r = 0; r < rows; ++r)
        for (int g : kept) {
            OddsEntry entry;
            entry.odds = {raw[r].odds[g][0], raw[r].odds[g][1], raw[r].odds[g][2]};
            out.rows[r].odds.push_back(entry);
        }
    return out;
}

bool ReplaceOdds(MatchEntry& match, std::vector<OddsEntry> fresh) {
    const int lastOld = LastUsed(match.odds);
    const int lastNew = LastUsed(fresh);
    bool changed = lastOld != lastNew;
    for (int i = 0; !changed && i <= lastNew; ++i) changed = !(match.odds[i] == fresh[i]);
    fresh.resize(static_cast<size_t>(lastNew + 1));
    match.odds = std::move(fresh);
    return changed;
}

InputChanges StoreInput(PoolsDocument& doc, const InputReading& reading, EngineRandom& rng) {
    InputChanges changes;
    if (reading.error) return changes;
    const int rows = std::min(static_cast<int>(reading.rows.size()), kMaxMatches);
    for (int i = 0; i < rows; ++i) {
        MatchEntry& m = doc.matches[i];
        const InputRow& row = reading.rows[i];
        if (m.name != row.name) {
            m.name = row.name;
            changes.names = true;
        }
        if (m.notes != row.notes) {
            m.notes = row.notes;
            changes.notes = true;
        }
        if (m.result != row.result) {
            m.result = row.result;
            changes.results = true;
        }
    }
    for (int i = 0; i < rows; ++i) {
        MatchEntry& m = doc.matches[i];
        if (m.chances != reading.rows[i].chances) {
            m.chances = reading.rows[i].chances;
            changes.chances = true;
        }
    }
    for (int i = 0; i < rows; ++i)
        if (ReplaceOdds(doc.matches[i], reading.rows[i].odds)) changes.odds = true;

    if (changes.chances || changes.odds)
        for (int i = 0; i < rows; ++i)
            if (UpdateProbabilities(doc.matches[i])) changes.probabilities = true;

    if (changes.probabilities) {
        for (int i = 0; i < doc.matchCount; ++i) PlanTipCounts(doc.matches[i], doc.lineCount, rng);
        doc.setTipsUpToDate(-1);
        UpdateCategoryMaps(doc);
        DeriveEffectiveBounds(doc);
        UpdateConditionState(doc);
    } else if (changes.names) {
        DeriveEffectiveBounds(doc);
    }
    if (changes.results) {
        doc.recomputeCorrectTips();
        SortLines(doc, doc.sortMode);
    }
    if (changes.any()) doc.modified = true;
    return changes;
}

void FillInputTexts(const PoolsDocument& doc, CellTexts& cells, int bookieGroups) {
    bookieGroups = std::max(bookieGroups, 1);
    const int columns = InputColumnCount(bookieGroups);
    const int rows = std::min(static_cast<int>(cells.size()), kMaxMatches);
    const int chance1 = static_cast<int>(InputColumn::Chance1);
    for (int r = 0; r < rows; ++r) {
        std::vector<std::string>& row = cells[r];
        row.resize(columns);
        const MatchEntry& m = doc.matches[r];
        row[0] = m.name;
        row[NotesColumn(bookieGroups)] = m.notes;
        row[1] = TipText(m.result, doc.zeroForDraw);
        if (m.chances[0] == -1) {
            for (int t = 0; t < 3; ++t) row[chance1 + t].clear();
        } else {
            const int values[3] = {m.chances[0], m.chanceX(), m.chances[1]};
            for (int t = 0; t < 3; ++t) row[chance1 + t] = Formatted("%.1f", values[t] / 10.0, doc.decimalPoint);
        }
        for (int g = 0; g < bookieGroups && g < static_cast<int>(m.odds.size()); ++g) {
            if (m.odds[g].empty()) continue;
            for (int t = 0; t < 3; ++t)
                row[OddsColumn(g, t)] = Formatted("%.2f", m.odds[g].odds[t] / 100.0, doc.decimalPoint);
        }
    }
}

std::optional<CellBlock> SelectionBlock(int rows, int columns,
                                        const std::function<bool(int, int)>& selected) {
    std::optional<CellBlock> block;
    for (int r = 0; r < rows; ++r) {
        int left = -1, right = -1;
        bool closed = false;
        for (int c = 0; c < columns; ++c) {
            const bool on = selected(r, c);
            if (on && closed) return std::nullopt; // a second run in the row
            if (on && left < 0) left = c;
            if (!on && left >= 0 && !closed) {
                right = c - 1;
                closed = true;
            }
        }
        if (left < 0) continue;
        if (!closed) right = columns - 1;
        if (!block) {
            block = CellBlock{r, left, r, right};
        } else {
            if (r != block->bottom + 1 || left != block->left || right != block->right) return std::nullopt;
            block->bottom = r;
        }
    }
    return block;
}

std::string BlockToClipboardText(const CellTexts& cells, const CellBlock& block) {
    std::string text;
    for (int r = block.top; r <= block.bottom; ++r) {
        for (int c = block.left; c <= block.right; ++c) {
            if (c > block.left) text += '\t';
            if (r < static_cast<int>(cells.size()) && c < static_cast<int>(cells[r].size())) text += cells[r][c];
        }
        text += "\r\n";
    }
    return text;
}

ClipboardCells ParseClipboardText(const std::string& source) {
    std::string text = source;
    if (text.empty() || (text.back() != '\r' && text.back() != '\n')) text += "\r\n";
    ClipboardCells out;
    std::vector<std::string> row(1);
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\t') {
            row.emplace_back();
        } else if (ch == '\r' || ch == '\n') {
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out.width = std::max(out.width, static_cast<int>(row.size()));
            out.rows.push_back(std::move(row));
            row.assign(1, std::string());
        } else {
            row.back() += ch;
        }
    }
    return out;
}

PasteTarget PlacePaste(const CellBlock& selection, int width, int height, int gridRows, int gridColumns) {
    PasteTarget target;
    if (selection.single()) {
        target.area = {selection.top, selection.left, selection.top + height - 1, selection.left + width - 1};
        if (target.area.bottom >= gridRows || target.area.right >= gridColumns) target.fit = PasteFit::NoSpace;
        return target;
    }
    if (selection.height() != height || selection.width() != width) {
        target.fit = PasteFit::DifferentDimensions;
        return target;
    }
    target.area = selection;
    return target;
}

void WritePaste(CellTexts& cells, const ClipboardCells& clip, const CellBlock& area) {
    for (int i = 0; i < clip.height(); ++i) {
        const int r = area.top + i;
        if (r >= static_cast<int>(cells.size())) break;
        const std::vector<std::string>& source = clip.rows[i];
        for (size_t j = 0; j < source.size(); ++j) {
            const int c = area.left + static_cast<int>(j);
            if (c >= static_cast<int>(cells[r].size())) break;
            cells[r][c] = source[j];
        }
    }
}

bool DiffersFromSnapshot(const CellTexts& grid, const CellTexts& snapshot) {
    if (grid.size() > snapshot.size()) return true;
    for (size_t r = 0; r < grid.size(); ++r) {
        if (grid[r].size() != snapshot[r].size()) return true;
        for (size_t c = 0; c < grid[r].size(); ++c)
            if (grid[r][c] != snapshot[r][c]) return true;
    }
    return false;
}

} // namespace vdx
