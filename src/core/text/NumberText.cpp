#include "text/NumberText.h"

#include "text/Tr.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace vdx {

namespace {

// Locale-independent reading: the GUI may switch the C locale's decimal
// separator, and the text must be read the same whatever the language.
std::optional<double> ReadDecimal(const std::string& text) {
    const char* p = text.data();
    const char* end = p + text.size();
    while (p != end && (*p == ' ' || *p == '\t')) ++p;
    if (p != end && *p == '+') {
        ++p;
        if (p != end && (*p == '+' || *p == '-')) return std::nullopt;
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(p, end, value, std::chars_format::general);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

int NumberOfDecimals(int decimals) { return std::clamp(decimals, 0, 9); }

} // namespace

std::optional<double> ParseNumber(const std::string& text) {
    if (auto v = ReadDecimal(text)) return v;
    std::string swapped = text;
    for (char& c : swapped) {
        if (c == '.')
            c = ',';
        else if (c == ',')
            c = '.';
    }
    return ReadDecimal(swapped);
}

int32_t RoundNumber(double x) {
    if (std::isnan(x)) return 0;
    const double r = x >= 0 ? std::floor(x + 0.5) : std::ceil(x - 0.5);
    if (r >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    if (r <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

std::string GroupDigits(int64_t n, bool dotSeparator) {
    const std::string digits = std::to_string(n);
    const char separator = dotSeparator ? '.' : ',';
    const size_t length = digits.size();
    size_t g = length % 3;
    // The sign rides with the first group, so "-123" stays one group.
    if (g == 0 || (g == 1 && n < 0)) g += 3;
    std::string out = digits.substr(0, std::min(g, length));
    for (size_t i = g; i < length; i += 3) {
        out += separator;
        out += digits.substr(i, 3);
    }
    return out;
}

std::string ScaledNumberText(int64_t value, int scale, int decimals) {
    const double number = static_cast<double>(value) / (scale == 0 ? 1 : scale);
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, number, std::chars_format::fixed,
                                      NumberOfDecimals(decimals));
    return std::string(buf, result.ptr);
}

std::string StripMnemonic(const std::string& label) {
    std::string out = label;
    const size_t amp = out.find('&');
    if (amp != std::string::npos) out.erase(amp, 1);
    return out;
}

std::string RangeLabel(const std::string& label, const NumericField& field, const std::string& unit) {
    return label + " (" + ScaledNumberText(field.minimum, field.scale, field.decimals) + unit + " - " +
           ScaledNumberText(field.maximum, field.scale, field.decimals) + unit + ")";
}

std::string FieldText(const NumericField& field, int64_t value) {
    return ScaledNumberText(value, field.scale, field.decimals);
}

bool FieldAcceptsChar(const NumericField& field, char32_t c) {
    if (c >= U'0' && c <= U'9') return true;
    return field.decimals > 0 && (c == U'.' || c == U',');
}

std::optional<int32_t> FieldValue(const NumericField& field, const std::string& text) {
    const std::optional<double> number = ParseNumber(text);
    if (!number) return std::nullopt;
    const int32_t v = RoundNumber(*number * field.scale);
    if (v < field.minimum || v > field.maximum) return std::nullopt;
    return v;
}

std::string InvalidFieldMessage(const std::string& label, const NumericField& field) {
    return TrFormat(N_("Entry of \"%s\" is invalid!\nValid entries are numbers from %s to %s"),
                    StripMnemonic(label).c_str(), FieldText(field, field.minimum).c_str(),
                    FieldText(field, field.maximum).c_str());
}

FieldStep StepField(const NumericField& field, const std::string& text, int32_t spinValue, int direction,
                    bool largeStep) {
    FieldStep step;
    const std::optional<double> parsed = ParseNumber(text);
    int32_t start;
    if (parsed) {
        start = RoundNumber(*parsed * field.scale);
    } else {
        step.warn = true;
        start = RoundNumber(static_cast<double>(spinValue) / (field.scale == 0 ? 1 : field.scale) * field.scale);
    }
    const int64_t size = largeStep ? field.largeStep : field.smallStep;
    const int64_t sign = (direction > 0) - (direction < 0);
    const int64_t moved =
        std::max<int64_t>(field.minimum, std::min<int64_t>(field.maximum, int64_t{start} + sign * size));
    step.value = static_cast<int32_t>(moved);
    // At a bound a valid text is left as typed.
    if (parsed && step.value == start) return step;
    step.changed = true;
    step.text = FieldText(field, step.value);
    return step;
}

} // namespace vdx
