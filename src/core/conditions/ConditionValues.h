#pragma once
// The conditions of a document (or the defaults of new documents) as the
// conditions dialog edits them: one record, the context its pages show it in,
// the "-> Number of Tips" results, the controls' entries, and the rules of
// reading, resetting and applying a page.

#include "app/AppConfig.h"
#include "document/PoolsDocument.h"

#include <array>
#include <string>
#include <vector>

namespace vdx {

// Pages of the dialog, in notebook order.
enum ConditionPage : int {
    kPageDuplicates = 0,
    kPageTips1X2 = 1,
    kPageFavourites = 2,
    kPageLimit = 3,
    kConditionPageCount = 4
};

// [group][kind][lower, upper] in the unit of the ranges in effect.
using RangeSettings = std::array<std::array<std::array<int, 2>, 3>, 2>;
// [kind][minimum, maximum] number of tips.
using KindBounds = std::array<std::array<int, 2>, 3>;

struct ConditionValues {
    std::array<bool, 3> enabled{};
    std::array<bool, 3> useInCalc{true, true, true};
    std::array<bool, kMaxMatches> noDuplicates{};
    RangeSettings ranges{};
    int limit = 2;

    bool operator==(const ConditionValues& o) const;
    bool operator!=(const ConditionValues& o) const { return !(*this == o); }
};

// What the pages show the values against. A window refills its lists when
// matchCount changes and rewrites its texts when anything else does.
struct ConditionContext {
    bool defaults = false;     // the "Default Conditions" variant
    int matchCount = 12;       // N
    int matchesWithData = 12;
    int lineCount = 20;
    bool absolute = false;     // ranges in numbers of matches, else percent
    bool zeroForDraw = false;
    std::array<std::array<float, 3>, 2> expected{}; // E per group and kind
    std::array<std::string, kMaxMatches> matchNames;

    bool operator==(const ConditionContext& o) const;
    bool operator!=(const ConditionContext& o) const { return !(*this == o); }
};

ConditionContext ContextOf(const PoolsDocument& doc);
// N is the default number of matches and every E is N/3.
ConditionContext DefaultsContext(const AppConfig& config);

// A document's conditions; ranges still stored in the other unit are shown
// converted, as the document itself converts them when it derives its bounds.
ConditionValues ConditionsOf(const PoolsDocument& doc);
ConditionValues ConditionsOf(const DefaultConditions& defaults);

// Effective (minimum, maximum) of the three kinds of a group for the shown
// values, computed as the document computes its own bounds.
KindBounds ShownBounds(const ConditionValues& values, const ConditionContext& context, int group);

// --- texts of the pages ----------------------------------------------------------


// "-> Number of Tips", with " (%d/%d Matches)" when not all matches have data,
// or " (Average)" in the defaults variant.
std::string NumberOfTipsHeader(const ConditionContext& context);
// "%d -" and "%d" of one result row.
std::string BoundMinimumText(int minimum);
std::string BoundMaximumText(int maximum);
// Tab label of a page, with the draw symbol on the 1/X/2 page.
std::string ConditionPageLabel(int page, bool zeroForDraw);
// Header text of a range page (group 0 or 1) in the unit shown.
std::string RangeHeaderText(int group, bool absolute, bool zeroForDraw);
// Row label of kind 0..2 of a range group ("Tip &1:", "&Favourites:", ...).
std::string RangeRowLabel(int group, int kind, bool zeroForDraw);
// Label of the check box of a match: its name, or "Match %d" when it has none
// (always in the defaults variant).
std::string DuplicateMatchLabel(const ConditionContext& context, int match);
// "%d:" with the match number from 1.
std::string DuplicateRowNumber(int match);
// "%s: Conditions" for a document window, "+++ Default Conditions +++" otherwise.
std::string ConditionsFrameTitle(const std::string& documentTitle, bool defaults);
// The line written to the application log the first time a window applies a
// change: "%s: Conditions changed" or "Default Conditions changed".
std::string ConditionsChangedLogLine(const std::string& documentTitle, bool defaults);

// Texts without values; the GUI translates them as they are.
extern const char* const kTextEnableConditions;   // "&Enable the conditions of this panel"
extern const char* const kTextCheckDuplicates;    // "Check the matches that should have no duplicate tips."
extern const char* const kTextMinimum;            // "Minimum:"
extern const char* const kTextMaximum;            // "Maximum:"
extern const char* const kTextAverage;            // "Average:"
extern const char* const kTextLimitExplanation;
extern const char* const kTextLimitLabel;         // "&Limit for Conditions:"

// --- controls ----------------------------------------------------------------------

// Entries of the minimum list (0..N) and the maximum list (N..0) of the
// numbers-of-matches unit; the selected index is the stored value.
std::vector<std::string> MinimumListEntries(int matchCount);
std::vector<std::string> MaximumListEntries(int matchCount);
// A stored value as a list index, clamped to 0..N.
int RangeListIndex(int stored, int matchCount);

// Sliders of the percent unit: 0..100, line size 10, 100 the widest.
constexpr int kSliderMaximum = 100;
constexpr int kSliderLineSize = 10;
// "(%d)" beside a slider.
std::string SliderLabel(int value);
// Left (-1) or Right (+1): one lower or higher, within 0..100.
int SliderKeyStep(int value, int direction);

// Entries of the limit list (N down to 0); the selected index is the stored
// limit, and a limit of -1 or above N selects the last entry.
std::vector<std::string> LimitListEntries(int matchCount);
int LimitListIndex(int limit, int matchCount);

// --- the duplicates page's rows -----------------------------------------------------

// Rows of the first column: 3 x ((N + 3) / 6), at least 6.
int DuplicateFirstColumnRows(int matchCount);
struct DuplicateRow {
    int match = 0;    // 0-based
    int column = 0;   // 0 or 1
    int row = 0;      // within the column
    int labelX = 0, boxX = 0, y = 0;
    bool shown = false; // only the first N rows
};
// All 14 rows; y steps by rowPitch, with 4 more pixels after every third row.
std::vector<DuplicateRow> DuplicateRows(int matchCount, int rowPitch);

// --- reading, resetting, applying ------------------------------------------------------

// Whether the page's part of two records differs.
bool PageDiffers(const ConditionValues& a, const ConditionValues& b, int page);
// Copies the page's part of from into to (what applying that page writes).
void TakePage(ConditionValues& to, const ConditionValues& from, int page);
// After the controls of a page changed: a condition page is marked for use in
// the calculation, lists are clamped to 0..N, sliders to 0..100.
void ReadPage(ConditionValues& shown, int page, const ConditionContext& context);
// The "&default" button: the page's values reset (document variant: the
// default conditions; defaults variant: off, all marks on, widest ranges,
// limit 2), then read as a user change.
void ResetPage(ConditionValues& shown, int page, const ConditionContext& context,
               const DefaultConditions& defaults);

struct ConditionsApplied {
    bool changed = false;                       // the notebook's changed flag
    std::array<bool, kConditionPageCount> pages{}; // which pages wrote a change
};
// Writes every page into the document. When anything changed the document
// derives its effective bounds and condition state again and is marked modified.
ConditionsApplied ApplyConditions(PoolsDocument& doc, const ConditionValues& values);
// Writes every page into the defaults; the limit is kept within the default
// number of matches.
ConditionsApplied ApplyDefaultConditions(AppConfig& config, const ConditionValues& values);

} // namespace vdx
