#pragma once
// What the calculation window draws, as plain data: the figures of a state
// copied out of the engine (its states are reused and released), and the rows
// of the progress display made from them. No wxWidgets here.

#include "calc/DistributionState.h"

#include <array>
#include <string>
#include <vector>

namespace vdx::gui {

// The recorded evaluation of one distribution state.
struct StateFigures {
    bool valid = false;
    int roundIndex = 0; // -1: the document's old distribution
    int matchCount = 0; // M: equals levels 0..M
    int equalsLimit = 0;
    std::array<bool, 3> conditions{}; // duplicates, 1/X/2, favourites take part
    Histogram equals{};
    int duplicatePairs = 0;
    std::array<Histogram, 2> violations{};

    static StateFigures Of(const DistributionState& state);
};

struct ProgressRow {
    enum class Kind { Condition, Limit, Equals };
    Kind kind = Kind::Equals;
    std::string label;
    // Bar lengths are proportional to these.
    long long bestValue = 0;
    long long currentValue = 0;
    std::string bestFigure;
    std::string currentFigure; // with the improvement mark when it was just recorded
};

// Improvement levels as the engine reports them: 1 duplicates, 2 1/X/2,
// 3 favourites, e + 4 equals level e; 0 marks nothing.
// The rows, top to bottom: the conditions that take part, then the equals
// levels 0..M with the limit line after the level up to which conditions count.
std::vector<ProgressRow> MakeProgressRows(const StateFigures& best, const StateFigures& current,
                                          int markedLevel, bool zeroForDraw);

} // namespace vdx::gui
