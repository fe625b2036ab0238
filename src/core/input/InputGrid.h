#pragma once
// The input grid's texts without the grid: column layout, reading and checking
// what the user typed, storing it into a document, the texts a document fills
// back in, rectangular cell blocks and the clipboard's text format.

#include "calc/EngineRandom.h"
#include "document/PoolsDocument.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vdx {

// Cell texts by row, then column (UTF-8).
using CellTexts = std::vector<std::vector<std::string>>;

enum class InputColumn : int {
    Matches = 0,
    Result,
    Chance1,
    ChanceX,
    Chance2,
    Odds1,
    OddsX,
    Odds2,
    Notes,
};
constexpr int kInputColumnKinds = 9;

// 3 per bookmaker group plus the six fixed columns.
inline int InputColumnCount(int bookieGroups) { return 3 * bookieGroups + 6; }
inline int NotesColumn(int bookieGroups) { return 3 * bookieGroups + 5; }
inline int OddsColumn(int group, int tip) { return 5 + 3 * group + tip; }
InputColumn InputColumnAt(int column, int bookieGroups);
// Bookmaker group of an odds column.
inline int OddsGroupOf(int column) { return (column - 5) / 3; }

// Inclusive rectangle of cells.
struct CellBlock {
    int top = 0, left = 0, bottom = 0, right = 0;
    int height() const { return bottom - top + 1; }
    int width() const { return right - left + 1; }
    bool single() const { return top == bottom && left == right; }
    bool operator==(const CellBlock& o) const {
        return top == o.top && left == o.left && bottom == o.bottom && right == o.right;
    }
};

enum class InputErrorKind {
    ResultUnreadable,
    ChancesUnreadable,
    OddsUnreadable,
    ChancesSum,
    OddsIncomplete,
};

struct InputError {
    InputErrorKind kind;
    CellBlock cells; // the offending cells, to be selected
};

// The message the user sees for an error kind.
std::string InputErrorMessage(InputErrorKind kind);

// One row of the grid as values.
struct InputRow {
    std::string name;
    std::string notes;
    int result = kTipNone;
    std::array<int, 2> chances{-1, -1};   // per mille, -1 = none
    std::vector<OddsEntry> odds;          // one per bookmaker group kept
};

struct InputReading {
    std::optional<InputError> error;
    std::vector<InputRow> rows;
    // Bookmaker groups deleted because they are empty in every row, each as the
    // group's position at the time it was deleted, in the order of deletion.
    std::vector<int> removedGroups;
    int bookieGroups = 1; // groups left
};

// Reads and checks the texts of the grid (one row per match, the columns of
// bookieGroups groups). Each visited cell is trimmed in place; reading stops
// at the first error, later cells stay as they were.
InputReading ReadInputGrid(CellTexts& cells, int bookieGroups);

// A number of a chance or odds cell: "." and "," both serve as decimal point.
std::optional<double> ReadInputNumber(const std::string& text);
std::string TrimCell(const std::string& text);

// What storing the rows changed in the document.
struct InputChanges {
    bool names = false;
    bool notes = false;
    bool results = false;
    bool chances = false;
    bool odds = false;
    bool probabilities = false; // at least one match's working probabilities
    bool any() const { return names || notes || results || chances || odds; }
};

// Replaces the match's odds list by fresh, dropping trailing empty entries;
// true when that changes the list as far as its last non-empty entry.
bool ReplaceOdds(MatchEntry& match, std::vector<OddsEntry> fresh);

// Writes a successful reading into the first rows.size() matches and keeps the
// derived data in step: probabilities, planned tip counts, whether the lines
// are up to date, favourite order, condition bounds and state, correct tips
// and the order of the lines. Marks the document modified when anything changed.
InputChanges StoreInput(PoolsDocument& doc, const InputReading& reading, EngineRandom& rng);

// Writes the document's values in their canonical texts into cells (one row per
// match, as many as cells has). Odds cells of a missing or empty entry are left
// as they are.
void FillInputTexts(const PoolsDocument& doc, CellTexts& cells, int bookieGroups);

// The rectangle of the selected cells, or nothing when they do not form one.
// selected(row, column) tells whether a cell is selected; at least one must be.
std::optional<CellBlock> SelectionBlock(int rows, int columns,
                                        const std::function<bool(int, int)>& selected);

// Tab between cells, CR LF after every row (the last too).
std::string BlockToClipboardText(const CellTexts& cells, const CellBlock& block);

// A pasted text cut into rows (CR, LF or CR LF end a row) and cells (tabs).
struct ClipboardCells {
    std::vector<std::vector<std::string>> rows;
    int width = 0;  // cells of the widest row
    int height() const { return static_cast<int>(rows.size()); }
};
ClipboardCells ParseClipboardText(const std::string& text);

enum class PasteFit { Ok, NoSpace, DifferentDimensions };
struct PasteTarget {
    PasteFit fit = PasteFit::Ok;
    CellBlock area; // where the cells go when fit is Ok
};
// Where a pasted block of width x height goes: from a single selected cell as
// far as it reaches, or exactly into a larger selected block of its size.
PasteTarget PlacePaste(const CellBlock& selection, int width, int height, int gridRows,
                       int gridColumns);
// Writes the pasted cells into cells from area's top left; a short row leaves
// the rest of its cells as they were.
void WritePaste(CellTexts& cells, const ClipboardCells& clip, const CellBlock& area);

// Whether the grid's texts differ from the snapshot taken at the last fill;
// the snapshot may hold more rows than the grid.
bool DiffersFromSnapshot(const CellTexts& grid, const CellTexts& snapshot);

} // namespace vdx
