#include "options/Options.h"

#include "calc/Conditions.h"
#include "calc/LineScoring.h"
#include "text/NumberText.h"
#include "text/Tr.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace vdx {

bool OptionValues::operator==(const OptionValues& o) const {
    return matchCount == o.matchCount && lineCount == o.lineCount &&
           linesPerTicket == o.linesPerTicket && rounds == o.rounds &&
           unsuccessfulTries == o.unsuccessfulTries && upToDifference == o.upToDifference &&
           extraTries == o.extraTries && searchSeconds == o.searchSeconds && sortMode == o.sortMode && useComma == o.useComma &&
           zeroForDraw == o.zeroForDraw;
}

namespace {

// Documents and the default options name these fields alike.
template <typename Source>
OptionValues OptionsFrom(const Source& o) {
    OptionValues v;
    v.matchCount = o.matchCount;
    v.lineCount = o.lineCount;
    v.linesPerTicket = o.linesPerTicket;
    v.rounds = o.rounds;
    v.unsuccessfulTries = o.unsuccessfulTries;
    v.upToDifference = o.upToDifference;
    v.extraTries = o.extraTries;
    v.searchSeconds = o.searchSeconds;
    v.sortMode = o.sortMode;
    v.useComma = !o.decimalPoint;
    v.zeroForDraw = o.zeroForDraw;
    return v;
}

} // namespace

OptionValues OptionsOf(const PoolsDocument& doc) { return OptionsFrom(doc); }

OptionValues OptionsOf(const DefaultOptions& d) { return OptionsFrom(d); }

OptionValues DocumentResetValues(const DefaultOptions& defaults) {
    OptionValues v = OptionsOf(defaults);
    v.useComma = true;
    v.zeroForDraw = false;
    return v;
}

OptionValues BuiltInOptionValues() { return OptionsOf(DefaultOptions()); }

// The document's fixed sizes are the ends of the option ranges.
static_assert(option::kMatches.minimum == kMinMatches && option::kMatches.maximum == kMaxMatches);
static_assert(option::kLines.maximum == kMaxLines);
static_assert(option::kLinesPerTicket.minimum == kMinLinesPerTicket &&
              option::kLinesPerTicket.maximum == kMaxLinesPerTicket);

OptionFieldRule RuleOf(OptionField field, int linesPerTicket) {
    const auto rule = [](const char* name, const OptionLimits& limits, int step, int smallStep) {
        return OptionFieldRule{name, limits.minimum, limits.maximum, step, smallStep};
    };
    switch (field) {
    case kOptionLines: return rule(N_("Lines"), option::kLines, option::kLinesPerTicket.Clamp(linesPerTicket), 1);
    case kOptionRounds: return rule(N_("Rounds"), option::kRounds, 25, 5);
    case kOptionUnsuccessfulTries: return rule(N_("Unsuccessful Tries"), option::kUnsuccessfulTries, 25, 5);
    case kOptionDifference: return rule(N_("Difference"), option::kDifference, 1, 1);
    case kOptionSearchSeconds: return rule(N_("Search Further"), option::kSearchSeconds, 15, 5);
    case kOptionExtraTries:
    default: return rule(N_("Extra Tries"), option::kExtraTries, 25, 5);
    }
}

int FieldOf(const OptionValues& v, OptionField field) {
    switch (field) {
    case kOptionLines: return v.lineCount;
    case kOptionRounds: return v.rounds;
    case kOptionUnsuccessfulTries: return v.unsuccessfulTries;
    case kOptionDifference: return v.upToDifference;
    case kOptionSearchSeconds: return v.searchSeconds;
    case kOptionExtraTries:
    default: return v.extraTries;
    }
}

void SetField(OptionValues& v, OptionField field, int value) {
    switch (field) {
    case kOptionLines: v.lineCount = value; break;
    case kOptionRounds: v.rounds = value; break;
    case kOptionUnsuccessfulTries: v.unsuccessfulTries = value; break;
    case kOptionDifference: v.upToDifference = value; break;
    case kOptionSearchSeconds: v.searchSeconds = value; break;
    case kOptionExtraTries:
    default: v.extraTries = value; break;
    }
}

OptionStep StepOptionField(const OptionFieldRule& rule, const std::string& text, int direction) {
    const std::optional<double> read = ParseNumber(text);
    // 64 bits: a text of many digits saturates at the 32-bit limit, and one step
    // more must not wrap around.
    const int64_t s = std::max(1, rule.step);
    const int64_t g = read ? RoundNumber(*read) : s;
    int64_t next;
    if (direction > 0) {
        next = g - g % s + s;
    } else if (g > s) {
        next = g % s == 0 ? g - s : g - g % s;
    } else {
        next = g - rule.smallStep;
    }
    next = std::clamp<int64_t>(next, rule.minimum, rule.maximum);

    OptionStep step;
    step.value = static_cast<int>(next);
    step.text = std::to_string(step.value);
    step.changed = !read || next != g;
    return step;
}

std::optional<int> OptionFieldValue(const OptionFieldRule& rule, const std::string& text) {
    const std::optional<double> read = ParseNumber(text);
    if (!read || *read < rule.minimum || *read > rule.maximum) return std::nullopt;
    return static_cast<int>(RoundNumber(*read));
}

std::string InvalidOptionMessage(const OptionFieldRule& rule) {
    return TrFormat(N_("Entry of %s is invalid!\nValid entries are numbers from %d to %d"),
                    Translate(rule.name).c_str(), rule.minimum, rule.maximum);
}

OptionTextCheck CheckOptionTexts(const std::array<std::string, kOptionFieldCount>& texts,
                                 const OptionValues& base) {
    OptionTextCheck check;
    check.texts = texts;
    check.values = base;
    for (int f = 0; f < kOptionFieldCount; ++f) {
        const auto field = static_cast<OptionField>(f);
        const std::optional<int> value = OptionFieldValue(RuleOf(field, base.linesPerTicket), texts[f]);
        if (!value) {
            check.firstInvalid = f;
            return check;
        }
        SetField(check.values, field, *value);
        check.texts[f] = std::to_string(*value);
    }
    return check;
}

OptionsApplied ApplyOptions(PoolsDocument& doc, const OptionValues& values) {
    OptionsApplied applied;
    const OptionValues old = OptionsOf(doc);
    if (old == values) return applied;
    applied.changed = true;
    applied.matchCountChanged = old.matchCount != values.matchCount;
    applied.lineCountChanged = old.lineCount != values.lineCount;
    applied.sortModeChanged = old.sortMode != values.sortMode;
    applied.drawSymbolChanged = old.zeroForDraw != values.zeroForDraw;
    applied.fitViewToContent = applied.matchCountChanged && !doc.hasTips;

    doc.setMatchCount(values.matchCount);
    doc.setLineCount(values.lineCount);
    doc.setLinesPerTicket(values.linesPerTicket);
    doc.rounds = std::clamp(values.rounds, 1, 1000);
    doc.unsuccessfulTries = std::clamp(values.unsuccessfulTries, 2, 10000);
    doc.upToDifference = std::clamp(values.upToDifference, 0, 100);
    doc.extraTries = std::clamp(values.extraTries, 0, 10000);
    doc.searchSeconds = std::clamp(values.searchSeconds, 0, kMaxSearchSeconds);
    doc.sortMode = std::clamp(values.sortMode, 0, 2);
    doc.decimalPoint = !values.useComma;
    doc.zeroForDraw = values.zeroForDraw;

    if (applied.sortModeChanged) SortLines(doc, doc.sortMode);
    if (applied.matchCountChanged || applied.lineCountChanged) {
        doc.setTipsUpToDate(-1);
        UpdateCategoryMaps(doc);
        DeriveEffectiveBounds(doc);
        UpdateConditionState(doc);
        doc.conditionLimit = std::min(doc.conditionLimit, doc.matchCount);
    }
    doc.modified = true;
    return applied;
}

void ApplyDefaultOptions(AppConfig& config, const OptionValues& v) {
    DefaultOptions& d = config.options;
    d.matchCount = std::clamp(v.matchCount, kMinMatches, kMaxMatches);
    d.lineCount = std::clamp(v.lineCount, 1, kMaxLines);
    d.linesPerTicket = std::clamp(v.linesPerTicket, kMinLinesPerTicket, kMaxLinesPerTicket);
    d.rounds = std::clamp(v.rounds, 1, 1000);
    d.unsuccessfulTries = std::clamp(v.unsuccessfulTries, 2, 10000);
    d.upToDifference = std::clamp(v.upToDifference, 0, 100);
    d.extraTries = std::clamp(v.extraTries, 0, 10000);
    d.searchSeconds = std::clamp(v.searchSeconds, 0, kMaxSearchSeconds);
    d.sortMode = std::clamp(v.sortMode, 0, 2);
    d.decimalPoint = !v.useComma;
    d.zeroForDraw = v.zeroForDraw;
    // A new document must not start with a limit above its number of matches.
    config.conditions.limit = std::min(config.conditions.limit, d.matchCount);
}

} // namespace vdx
