#include "conditions/ConditionValues.h"

#include "calc/Conditions.h"
#include "calc/LineScoring.h"
#include "calc/Probabilities.h"
#include "text/Tr.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <utility>

namespace vdx {

const char* const kTextEnableConditions = N_("&Enable the conditions of this panel");
const char* const kTextCheckDuplicates = N_("Check the matches that should have no duplicate tips.");
const char* const kTextMinimum = N_("Minimum:");
const char* const kTextMaximum = N_("Maximum:");
const char* const kTextAverage = N_("Average:");
const char* const kTextLimitExplanation =
    N_("Using strict conditions in the calculation can result in a distribution with equal or almost equal "
       "lines.\nTo avoid this effect, the conditions are used in the calculation only if a distribution has\na "
       "maximum amount of equals. Specify the amount of equals as the limit for the use of conditions:");
const char* const kTextLimitLabel = N_("&Limit for Conditions:");

namespace {

// Every text of the dialog that takes values is made here; translation of
// the format goes in at this one place.
std::string Sentence(const char* format, ...) {
    const std::string translated = Translate(format);
    char buffer[512];
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

const char* DrawSymbol(bool zeroForDraw) { return zeroForDraw ? "0" : "X"; }

void CopyRanges(RangeSettings& to, const int from[2][3][2]) {
    for (int g = 0; g < 2; ++g)
        for (int k = 0; k < 3; ++k)
            for (int b = 0; b < 2; ++b) to[g][k][b] = from[g][k][b];
}

void CopyRanges(int to[2][3][2], const RangeSettings& from) {
    for (int g = 0; g < 2; ++g)
        for (int k = 0; k < 3; ++k)
            for (int b = 0; b < 2; ++b) to[g][k][b] = from[g][k][b];
}

// The widest setting of a range in the given unit.
std::array<int, 2> WidestRange(bool absolute) { return absolute ? std::array<int, 2>{0, 0} : std::array<int, 2>{100, 100}; }

} // namespace

bool ConditionValues::operator==(const ConditionValues& o) const {
    return enabled == o.enabled && useInCalc == o.useInCalc && noDuplicates == o.noDuplicates &&
           ranges == o.ranges && limit == o.limit;
}

bool ConditionContext::operator==(const ConditionContext& o) const {
    return defaults == o.defaults && matchCount == o.matchCount && matchesWithData == o.matchesWithData &&
           lineCount == o.lineCount && absolute == o.absolute && zeroForDraw == o.zeroForDraw &&
           expected == o.expected && matchNames == o.matchNames;
}

ConditionContext ContextOf(const PoolsDocument& doc) {
    ConditionContext c;
    c.defaults = false;
    c.matchCount = std::clamp(doc.matchCount, kMinMatches, kMaxMatches);
    c.matchesWithData = CountMatchesWithData(doc);
    c.lineCount = doc.lineCount;
    c.absolute = doc.env.rangesAbsolute;
    c.zeroForDraw = doc.zeroForDraw;
    const TipTotals totals = TotalsForConditions(doc);
    c.expected[0] = ExpectedTips(totals.perTip, c.matchCount);
    c.expected[1] = ExpectedTips(totals.perPosition, c.matchCount);
    for (int m = 0; m < kMaxMatches; ++m) c.matchNames[m] = doc.matches[m].name;
    return c;
}

ConditionContext DefaultsContext(const AppConfig& config) {
    ConditionContext c;
    c.defaults = true;
    c.matchCount = std::clamp(config.options.matchCount, kMinMatches, kMaxMatches);
    c.matchesWithData = c.matchCount;
    c.lineCount = config.options.lineCount;
    c.absolute = config.settings.rangesAbsolute;
    c.zeroForDraw = config.options.zeroForDraw;
    c.expected[0] = c.expected[1] = ExpectedTips({0, 0, 0}, c.matchCount);
    return c;
}

ConditionValues ConditionsOf(const PoolsDocument& doc) {
    ConditionValues v;
    v.enabled = doc.conditionEnabled;
    v.useInCalc = doc.conditionUseInCalc;
    for (int m = 0; m < kMaxMatches; ++m) v.noDuplicates[m] = doc.matches[m].noDuplicates;
    int ranges[2][3][2];
    for (int g = 0; g < 2; ++g)
        for (int k = 0; k < 3; ++k)
            for (int b = 0; b < 2; ++b) ranges[g][k][b] = doc.conditionRanges[g][k][b];
    if (doc.conditionRangesAbsolute != doc.env.rangesAbsolute) {
        const ConditionContext c = ContextOf(doc);
        for (int g = 0; g < 2; ++g)
            ConvertRangesUnit(ranges[g], c.matchCount, c.expected[g].data(), doc.env.rangesAbsolute);
    }
    CopyRanges(v.ranges, ranges);
    v.limit = doc.conditionLimit;
    return v;
}

ConditionValues ConditionsOf(const DefaultConditions& d) {
    ConditionValues v;
    v.enabled = d.enabled;
    v.useInCalc = d.useInCalc;
    v.noDuplicates = d.noDuplicates;
    CopyRanges(v.ranges, d.ranges);
    v.limit = d.limit;
    return v;
}

KindBounds ShownBounds(const ConditionValues& values, const ConditionContext& context, int group) {
    int ranges[3][2];
    for (int k = 0; k < 3; ++k)
        for (int b = 0; b < 2; ++b) ranges[k][b] = values.ranges[group][k][b];
    int bounds[3][2];
    BoundsFromRanges(ranges, context.matchCount, context.expected[group].data(), context.absolute, bounds);
    KindBounds out{};
    for (int k = 0; k < 3; ++k) out[k] = {bounds[k][0], bounds[k][1]};
    return out;
}

std::string NumberOfTipsHeader(const ConditionContext& c) {
    if (c.defaults) return Sentence(N_("-> Number of Tips (Average)"));
    if (c.matchesWithData != c.matchCount)
        return Sentence(N_("-> Number of Tips (%d/%d Matches)"), c.matchesWithData, c.matchCount);
    return Sentence(N_("-> Number of Tips"));
}

std::string BoundMinimumText(int minimum) { return Plain("%d -", minimum); }

std::string BoundMaximumText(int maximum) { return Plain("%d", maximum); }

std::string ConditionPageLabel(int page, bool zeroForDraw) {
    switch (page) {
    case kPageDuplicates: return Sentence(N_("Conditions for Duplicates"));
    case kPageTips1X2: return Sentence(N_("Conditions for 1, %s and 2"), DrawSymbol(zeroForDraw));
    case kPageFavourites: return Sentence(N_("Conditions for Favourites "));
    default: return Sentence(N_("Limit for Conditions"));
    }
}

std::string RangeHeaderText(int group, bool absolute, bool zeroForDraw) {
    if (group == 0)
        return absolute ? Sentence(N_("Specify the maximal and minimal numbers of 1, %s and 2."), DrawSymbol(zeroForDraw))
                        : Sentence(N_("Set the allowed range for tips 1, %s and 2."), DrawSymbol(zeroForDraw));
    return absolute ? Sentence(N_("Specify the maximal and minimal numbers of likely and unlikely tips."))
                    : Sentence(N_("Set the allowed range for likely and unlikely tips."));
}

std::string RangeRowLabel(int group, int kind, bool zeroForDraw) {
    if (group == 0) {
        switch (kind) {
        case 0: return Sentence(N_("Tip &1:"));
        case 1: return Sentence(N_("Tip &%s:"), DrawSymbol(zeroForDraw));
        default: return Sentence(N_("Tip &2:"));
        }
    }
    switch (kind) {
    case 0: return Sentence(N_("&Favourites:"));
    case 1: return Sentence(N_("&Neutrals:"));
    default: return Sentence(N_("&Outsiders:"));
    }
}

std::string DuplicateMatchLabel(const ConditionContext& c, int match) {
    if (!c.defaults && match >= 0 && match < kMaxMatches && !c.matchNames[match].empty())
        return c.matchNames[match];
    return Sentence(N_("Match %d"), match + 1);
}

std::string DuplicateRowNumber(int match) { return Plain("%d:", match + 1); }

std::string ConditionsFrameTitle(const std::string& documentTitle, bool defaults) {
    if (defaults) return Sentence(N_("+++ Default Conditions +++"));
    return Sentence(N_("%s: Conditions"), documentTitle.c_str());
}

std::string ConditionsChangedLogLine(const std::string& documentTitle, bool defaults) {
    if (defaults) return Sentence(N_("Default Conditions changed"));
    return Sentence(N_("%s: Conditions changed"), documentTitle.c_str());
}

std::vector<std::string> MinimumListEntries(int matchCount) {
    std::vector<std::string> entries;
    for (int i = 0; i <= matchCount; ++i) entries.push_back(std::to_string(i));
    return entries;
}

std::vector<std::string> MaximumListEntries(int matchCount) {
    std::vector<std::string> entries;
    for (int i = matchCount; i >= 0; --i) entries.push_back(std::to_string(i));
    return entries;
}

int RangeListIndex(int stored, int matchCount) { return std::clamp(stored, 0, std::max(0, matchCount)); }

std::string SliderLabel(int value) { return Plain("(%d)", value); }

int SliderKeyStep(int value, int direction) {
    return std::clamp(value + (direction < 0 ? -1 : 1), 0, kSliderMaximum);
}

std::vector<std::string> LimitListEntries(int matchCount) { return MaximumListEntries(matchCount); }

int LimitListIndex(int limit, int matchCount) {
    return limit < 0 || limit > matchCount ? std::max(0, matchCount) : limit;
}

int DuplicateFirstColumnRows(int matchCount) { return std::max(6, 3 * ((matchCount + 3) / 6)); }

std::vector<DuplicateRow> DuplicateRows(int matchCount, int rowPitch) {
    const int firstColumn = DuplicateFirstColumnRows(matchCount);
    std::vector<DuplicateRow> rows(kMaxMatches);
    for (int m = 0; m < kMaxMatches; ++m) {
        DuplicateRow& r = rows[m];
        r.match = m;
        r.column = m < firstColumn ? 0 : 1;
        r.row = r.column == 0 ? m : m - firstColumn;
        r.labelX = r.column == 0 ? 5 : 215;
        r.boxX = r.column == 0 ? 45 : 255;
        r.y = 74 + r.row * rowPitch + (r.row / 3) * 4;
        r.shown = m < matchCount;
    }
    return rows;
}

bool PageDiffers(const ConditionValues& a, const ConditionValues& b, int page) {
    switch (page) {
    case kPageDuplicates:
        return a.enabled[0] != b.enabled[0] || a.useInCalc[0] != b.useInCalc[0] || a.noDuplicates != b.noDuplicates;
    case kPageTips1X2:
    case kPageFavourites:
        return a.enabled[page] != b.enabled[page] || a.useInCalc[page] != b.useInCalc[page] ||
               a.ranges[page - 1] != b.ranges[page - 1];
    case kPageLimit: return a.limit != b.limit;
    default: return false;
    }
}

void TakePage(ConditionValues& to, const ConditionValues& from, int page) {
    switch (page) {
    case kPageDuplicates:
        to.enabled[0] = from.enabled[0];
        to.useInCalc[0] = from.useInCalc[0];
        to.noDuplicates = from.noDuplicates;
        break;
    case kPageTips1X2:
    case kPageFavourites:
        to.enabled[page] = from.enabled[page];
        to.useInCalc[page] = from.useInCalc[page];
        to.ranges[page - 1] = from.ranges[page - 1];
        break;
    case kPageLimit: to.limit = from.limit; break;
    default: break;
    }
}

void ReadPage(ConditionValues& shown, int page, const ConditionContext& context) {
    const int N = context.matchCount;
    if (page == kPageLimit) {
        shown.limit = std::clamp(shown.limit, 0, N);
        return;
    }
    if (page < kPageDuplicates || page > kPageFavourites) return;
    // Applying a condition page always puts its condition into the calculation.
    shown.useInCalc[page] = true;
    if (page == kPageDuplicates) return;
    for (auto& kind : shown.ranges[page - 1])
        for (int& setting : kind) setting = std::clamp(setting, 0, context.absolute ? N : kSliderMaximum);
}

void ResetPage(ConditionValues& shown, int page, const ConditionContext& context, const DefaultConditions& defaults) {
    switch (page) {
    case kPageDuplicates:
        shown.enabled[0] = context.defaults ? false : defaults.enabled[0];
        if (context.defaults)
            shown.noDuplicates.fill(true);
        else
            shown.noDuplicates = defaults.noDuplicates;
        break;
    case kPageTips1X2:
    case kPageFavourites: {
        const int g = page - 1;
        shown.enabled[page] = context.defaults ? false : defaults.enabled[page];
        for (int k = 0; k < 3; ++k)
            shown.ranges[g][k] = context.defaults ? WidestRange(context.absolute)
                                                  : std::array<int, 2>{defaults.ranges[g][k][0], defaults.ranges[g][k][1]};
        break;
    }
    case kPageLimit: shown.limit = context.defaults ? 2 : defaults.limit; break;
    default: return;
    }
    ReadPage(shown, page, context);
}

namespace {

ConditionsApplied Compare(const ConditionValues& before, const ConditionValues& after) {
    ConditionsApplied applied;
    for (int p = 0; p < kConditionPageCount; ++p) {
        applied.pages[p] = PageDiffers(before, after, p);
        applied.changed = applied.changed || applied.pages[p];
    }
    return applied;
}

} // namespace

ConditionsApplied ApplyConditions(PoolsDocument& doc, const ConditionValues& values) {
    ConditionValues v = values;
    v.limit = std::clamp(v.limit, 0, doc.matchCount);
    const ConditionValues before = ConditionsOf(doc);
    const ConditionsApplied applied = Compare(before, v);
    if (!applied.changed) return applied;

    doc.conditionEnabled = v.enabled;
    doc.conditionUseInCalc = v.useInCalc;
    for (int m = 0; m < kMaxMatches; ++m) doc.matches[m].noDuplicates = v.noDuplicates[m];
    CopyRanges(doc.conditionRanges, v.ranges);
    doc.conditionRangesAbsolute = doc.env.rangesAbsolute;
    doc.conditionLimit = v.limit;

    DeriveEffectiveBounds(doc);
    UpdateConditionState(doc);
    doc.modified = true;
    return applied;
}

ConditionsApplied ApplyDefaultConditions(AppConfig& config, const ConditionValues& values) {
    ConditionValues v = values;
    v.limit = std::clamp(v.limit, 0, std::clamp(config.options.matchCount, kMinMatches, kMaxMatches));
    const ConditionsApplied applied = Compare(ConditionsOf(config.conditions), v);
    if (!applied.changed) return applied;
    DefaultConditions& d = config.conditions;
    d.enabled = v.enabled;
    d.useInCalc = v.useInCalc;
    d.noDuplicates = v.noDuplicates;
    CopyRanges(d.ranges, v.ranges);
    d.limit = v.limit;
    return applied;
}

} // namespace vdx
