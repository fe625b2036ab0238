#pragma once
// The options of a document (or the defaults of new documents) as one record,
// the rules of their number fields, and writing them to a document or to
// the defaults.

#include "app/AppConfig.h"
#include "document/PoolsDocument.h"

#include <array>
#include <optional>
#include <string>

namespace vdx {

struct OptionValues {
    int matchCount = 12;
    int lineCount = 20;
    int linesPerTicket = 12;
    int rounds = 100;
    int unsuccessfulTries = 1000;
    int upToDifference = 5;
    int extraTries = 1000;
    int sortMode = 0;
    bool useComma = true;      // the negation of decimalPoint
    bool zeroForDraw = false;
    int searchSeconds = 0;     // deeper search after the rounds, 0..kMaxSearchSeconds

    bool operator==(const OptionValues& o) const;
    bool operator!=(const OptionValues& o) const { return !(*this == o); }
};

OptionValues OptionsOf(const PoolsDocument& doc);
OptionValues OptionsOf(const DefaultOptions& defaults);

// What "&default" puts into a document's dialog: the configured defaults,
// except that comma and draw symbol always go back to comma on, "X".
OptionValues DocumentResetValues(const DefaultOptions& defaults);
// What "&default" puts into the default-options dialog: the built-in values.
OptionValues BuiltInOptionValues();

// The number fields, in the order they are checked.
enum OptionField : int {
    kOptionLines = 0,
    kOptionRounds,
    kOptionUnsuccessfulTries,
    kOptionDifference,
    kOptionExtraTries,
    kOptionSearchSeconds,
    kOptionFieldCount
};

struct OptionFieldRule {
    const char* name;   // as named in the message of an invalid entry
    int minimum;
    int maximum;
    int step;           // Up and Down step to multiples of it
    int smallStep;      // Down at or below one step
};

// linesPerTicket is the Lines field's step.
OptionFieldRule RuleOf(OptionField field, int linesPerTicket);

int FieldOf(const OptionValues& values, OptionField field);
void SetField(OptionValues& values, OptionField field, int value);

// One Up (direction +1) or Down (-1) of a field. An unreadable text steps
// from the step size.
struct OptionStep {
    bool changed = false; // false: the text already holds the value
    int value = 0;
    std::string text;     // "%d" of value
};
OptionStep StepOptionField(const OptionFieldRule& rule, const std::string& text, int direction);

// The whole number of a text that reads as a number within the rule's range
// (checked before rounding), else nothing.
std::optional<int> OptionFieldValue(const OptionFieldRule& rule, const std::string& text);

// "Entry of %s is invalid!\nValid entries are numbers from %d to %d".
std::string InvalidOptionMessage(const OptionFieldRule& rule);

// Checks the texts in field order. Every text before the first invalid
// one is rewritten as its whole number; firstInvalid is kOptionFieldCount
// when all are valid, and values then carries the numbers.
struct OptionTextCheck {
    std::array<std::string, kOptionFieldCount> texts;
    int firstInvalid = kOptionFieldCount;
    OptionValues values;
    bool ok() const { return firstInvalid == kOptionFieldCount; }
};
OptionTextCheck CheckOptionTexts(const std::array<std::string, kOptionFieldCount>& texts,
                                 const OptionValues& base);

// What writing options into a document did, for the windows to follow.
struct OptionsApplied {
    bool changed = false;          // anything at all; nothing else is set otherwise
    bool matchCountChanged = false;
    bool lineCountChanged = false;
    bool sortModeChanged = false;
    bool drawSymbolChanged = false;
    bool fitViewToContent = false; // matches changed on a document without lines
};

// Writes the options into doc: re-sorts the lines when the sort mode changed;
// after a change of matches or lines re-checks whether the lines are up to
// date, recomputes the favourite order and the condition bounds, and lowers
// the limit for conditions to the number of matches. The lines stay.
OptionsApplied ApplyOptions(PoolsDocument& doc, const OptionValues& values);

// Copies the options into the defaults; a default limit for conditions above
// the new number of matches comes down to it.
void ApplyDefaultOptions(AppConfig& config, const OptionValues& values);

} // namespace vdx
