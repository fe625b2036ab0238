#pragma once
// The data of one pools round: matches, options, conditions and the lines.
// VdxDocument in the GUI is a thin shell around this class.

#include "app/AppConfig.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vdx {

constexpr int kMaxMatches = 14;
constexpr int kMinMatches = 2;
constexpr int kMaxLines = 1000;
constexpr int kMinLinesPerTicket = 2;
constexpr int kMaxLinesPerTicket = 12;
constexpr int kEqualsLevels = 15;
constexpr uint8_t kNoTip = 255;
constexpr int kMinOdds = 100;      // 1.00
constexpr int kMaxOdds = 3200000;  // 32000.00

// Tip and result codes.
enum Tip : int { kTipNone = -1, kTip1 = 0, kTipX = 1, kTip2 = 2 };

struct OddsEntry {
    std::array<int32_t, 3> odds{-1, -1, -1}; // times 100; -1 = empty cell
    bool empty() const { return odds[0] == -1; }
    bool operator==(const OddsEntry& o) const { return odds == o.odds; }
};

struct MatchEntry {
    std::string name;                 // UTF-8
    int result = kTipNone;
    std::array<int, 2> chances{-1, -1};        // per mille for "1" and "2"
    std::vector<OddsEntry> odds;
    std::array<int, 2> probability{-1, -1};    // per mille P(1), P(2)
    std::array<int, 2> lastProbability{-1, -1};
    std::string notes;                // UTF-8
    bool hasTips = false;
    std::vector<uint8_t> tips;        // one byte per line, kNoTip = none
    std::array<int, 3> tipCounts{-1, -1, -1};
    std::array<int, 3> targetCounts{-1, -1, -1};
    bool noDuplicates = true;
    bool lastNoDuplicates = true;
    // [0]: tip -> 1/X/2 category (identity); [1]: tip -> rank (favourite, neutral, outsider).
    std::array<std::array<int, 3>, 2> categoryMaps{{{0, 1, 2}, {0, 1, 2}}};
    std::array<std::array<int, 3>, 2> lastCategoryMaps{{{0, 1, 2}, {0, 1, 2}}};

    bool hasData() const { return probability[0] != -1; }
    int p1() const { return probability[0]; }
    int p2() const { return probability[1]; }
    int pX() const { return 1000 - probability[0] - probability[1]; }
    // Chance of "X" in per mille, or -1 without chances.
    int chanceX() const { return chances[0] == -1 ? -1 : 1000 - chances[0] - chances[1]; }
    // Recount tipCounts from the first lineCount tips (all -1 without data).
    void recomputeTipCounts(int tipLineCount);
};

// What a document needs to know of the program's settings in effect.
struct DocumentEnvironment {
    bool rangesAbsolute = false;    // unit of condition ranges: numbers of matches
    bool sortUnlikelyFirst = true;  // probability sort ascending
};

// Evaluation of the lines against the conditions; derived, never saved.
struct ConditionEvaluation {
    std::array<int, kEqualsLevels> equalsHistogram{};
    std::array<int, kEqualsLevels> duplicateHistogram{};
    int duplicateMatchCount = 0;
    // 1 duplicate, 2 outside the 1/X/2 ranges, 4 outside the favourites ranges;
    // -1 until the lines were first evaluated.
    std::vector<int> lineConditionFlags = std::vector<int>(kMaxLines, -1);
    std::array<int, 3> flaggedLineCounts{};
    // [line][condition][category]
    std::vector<std::array<std::array<uint8_t, 3>, 2>> lineCategoryCounts =
        std::vector<std::array<std::array<uint8_t, 3>, 2>>(kMaxLines);
    void clear() { *this = ConditionEvaluation(); }
};

enum class SortMode : int { ByTips = 0, ByProbability = 1, ByCorrectTips = 2 };

class PoolsDocument {
public:
    // A new document takes its options and conditions from the defaults.
    explicit PoolsDocument(const AppConfig& config = AppConfig());

    // --- saved fields -------------------------------------------------------
    int fileVersion = 211;
    int matchCount = option::kMatches.byDefault;
    int lineCount = option::kLines.byDefault;
    int linesPerTicket = option::kLinesPerTicket.byDefault;
    int rounds = option::kRounds.byDefault;
    int unsuccessfulTries = option::kUnsuccessfulTries.byDefault;
    int upToDifference = option::kDifference.byDefault;
    int extraTries = option::kExtraTries.byDefault;
    int sortMode = option::kSortMode.byDefault;
    bool decimalPoint = false;
    bool zeroForDraw = false;
    bool tipsUpToDate = false;
    bool hasTips = false;
    int tipLineCount = -1;
    int tipMatchCount = 12;
    int calcMatchCount = 0;
    std::array<bool, 3> conditionEnabled{};
    std::array<bool, 3> conditionUseInCalc{true, true, true};
    std::array<int, 3> lastConditionState{};
    bool conditionRangesAbsolute = false;
    int conditionRanges[2][3][2];
    int lastConditionBounds[2][3][2];
    int conditionLimit = 2;
    int lastConditionLimit = -1;
    std::array<MatchEntry, kMaxMatches> matches; // the ArrayOfTeams

    // --- derived and run-time fields -----------------------------------------
    std::vector<int> correctTips = std::vector<int>(kMaxLines, 0);
    std::vector<int> lineOrigin = std::vector<int>(kMaxLines, 0);
    // Seconds of the deeper search after the rounds (0: none). Not in the file:
    // a document takes it from the defaults.
    int searchSeconds = 0;
    std::array<int, 3> conditionState{};
    int effectiveBounds[2][3][2]; // [group][kind][min,max]
    bool calculationRunning = false;
    int importKind = 0;
    std::string importFileName;
    bool saveAsOnSave = false;
    bool calculatedNotSaved = false;
    int currentRound = 0;
    std::string lastCalculationText; // time the last calculation took, "h:mm:ss,hh"
    ConditionEvaluation evaluation;
    DocumentEnvironment env;
    bool modified = false;
    // Called after the lines were evaluated against the conditions or their correct
    // tips recounted; an open charts window follows the document through it.
    std::function<void()> onEvaluationChanged;

    // --- operations ------------------------------------------------------------
    MatchEntry& match(int i) { return matches.at(i); }
    const MatchEntry& match(int i) const { return matches.at(i); }

    // Option setters keep the invariants and mark the document modified.
    void setMatchCount(int n);
    void setLineCount(int n);
    void setLinesPerTicket(int n);

    int bookieColumnCount() const;
    void recomputeCorrectTips();
    void resizeTipArrays();
    // The tip byte of a line, or -1 when the match has no tips there.
    int tipOf(int match, int line) const;
    // flag 0/1 sets it; -1 works out whether the lines still fit the data.
    void setTipsUpToDate(int flag);
    int countMatchesWithData() const;
    // Tip or result as text; placeholder gives "-" for none instead of "".
    std::string tipText(int tip, bool placeholder = false) const;
};

// Tip or result as text with the given draw symbol convention.
std::string TipText(int tip, bool zeroForDraw, bool placeholder = false);

} // namespace vdx
