#pragma once
// The option fields of a pools document in one place: configuration key,
// default and range. The configuration reader clamps into these ranges, the
// document file reader refuses values outside them, the options dialog checks
// its texts against them and vdxtool's flags take them.
//
// Written as plain numbers so that tests/cli/CMakeLists.txt can read them too.

#include <array>

namespace vdx {

struct OptionLimits {
    const char* configKey;
    int byDefault;
    int minimum;
    int maximum;

    constexpr int Clamp(int value) const { return value < minimum ? minimum : value > maximum ? maximum : value; }
    constexpr bool Contains(int value) const { return value >= minimum && value <= maximum; }
};

namespace option {
inline constexpr OptionLimits kMatches{"Games", 12, 2, 14};
inline constexpr OptionLimits kLines{"Tips", 20, 1, 1000};
inline constexpr OptionLimits kLinesPerTicket{"TipsPerPage", 12, 2, 12};
inline constexpr OptionLimits kRounds{"Tries", 100, 1, 1000};
inline constexpr OptionLimits kUnsuccessfulTries{"Tilts", 1000, 2, 10000};
inline constexpr OptionLimits kDifference{"Diff", 5, 0, 100};
inline constexpr OptionLimits kExtraTries{"ExtraTilts", 1000, 0, 10000};
// Seconds of the deeper search after the rounds; 0 keeps the classic calculation.
inline constexpr OptionLimits kSearchSeconds{"SearchSeconds", 0, 0, 3600};
inline constexpr OptionLimits kSortMode{"Sort", 0, 0, 2};
inline constexpr OptionLimits kDecimalPoint{"Separator", 0, 0, 1};
inline constexpr OptionLimits kZeroForDraw{"0forX", 0, 0, 1};

// Every field, for the checks that go through all of them.
inline constexpr std::array<const OptionLimits*, 11> kAll = {
    &kMatches, &kLines, &kLinesPerTicket, &kRounds, &kUnsuccessfulTries,
    &kDifference, &kExtraTries, &kSearchSeconds, &kSortMode, &kDecimalPoint, &kZeroForDraw};
} // namespace option

} // namespace vdx
