#pragma once
// Number texts: decimal numbers typed with either separator, rounding to whole
// numbers, digit grouping, and the pure logic of a numeric entry field.

#include <cstdint>
#include <optional>
#include <string>

namespace vdx {

// Reads the whole text as a decimal number; "." and "," are both taken as the
// decimal separator (the text is tried as typed, then with the two exchanged).
// Leading blanks and a sign are allowed, trailing characters are not. Infinite
// and not-a-number results are refused, so callers can always round the value.
std::optional<double> ParseNumber(const std::string& text);

// Rounds half away from zero; values beyond the 32-bit range saturate.
int32_t RoundNumber(double x);

// Decimal text of n with a separator between groups of three digits:
// "." when dotSeparator is set, "," otherwise.
std::string GroupDigits(int64_t n, bool dotSeparator);

// value / scale with the given number of decimals, always with a ".".
std::string ScaledNumberText(int64_t value, int scale, int decimals);

// Label text without its first '&' (the mnemonic marker).
std::string StripMnemonic(const std::string& label);

// One field of a numeric entry dialog: the stored value is the shown number
// times scale.
struct NumericField {
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t smallStep = 1;
    int32_t largeStep = 10;
    int decimals = 0;
    int32_t scale = 1;
};

// "Label (min unit - max unit)" as shown beside a field with its range.
std::string RangeLabel(const std::string& label, const NumericField& field, const std::string& unit);

// Text of a stored value in the field's format.
std::string FieldText(const NumericField& field, int64_t value);

// Whether the field's text accepts a typed character.
bool FieldAcceptsChar(const NumericField& field, char32_t c);

// The stored value of a text, or nothing when the text is not a number or
// its rounded value lies outside the field's range.
std::optional<int32_t> FieldValue(const NumericField& field, const std::string& text);

// Message shown when a field's text is refused.
std::string InvalidFieldMessage(const std::string& label, const NumericField& field);

// Outcome of one step (arrow key, page key or spin click) in a field.
struct FieldStep {
    bool warn = false;        // the text was not a number: play the warning sound
    bool changed = false;     // replace the text and the spin value
    int32_t value = 0;        // the stored value after the step
    std::string text;         // the new text when changed
};

// direction is +1 or -1; largeStep chooses the page step. spinValue is the
// spin button's value, used when the text cannot be read.
FieldStep StepField(const NumericField& field, const std::string& text, int32_t spinValue,
                    int direction, bool largeStep);

} // namespace vdx
