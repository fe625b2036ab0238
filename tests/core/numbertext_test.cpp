#include "text/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

using namespace vdx;

namespace {

// Size of an 'X' on a ticket: 1.00 to 5.00 mm stored in hundredths.
const NumericField kSizeOfX{100, 500, 5, 20, 2, 100};

} // namespace

TEST(ParseNumber, ReadsEitherSeparator) {
    const std::vector<std::pair<std::string, double>> cases = {
        {"1,85", 1.85}, {"1.85", 1.85}, {"2,5", 2.5},   {"-3,5", -3.5}, {"12", 12},
        {"0", 0},       {" 7", 7},      {"+4", 4},      {",5", 0.5},    {"5.", 5},
        {"1,234", 1.234}, {"1e2", 100}, {"-0,001", -0.001},
    };
    for (const auto& [text, expected] : cases) {
        const std::optional<double> v = ParseNumber(text);
        ASSERT_TRUE(v.has_value()) << '"' << text << '"';
        EXPECT_DOUBLE_EQ(*v, expected) << '"' << text << '"';
    }
}

TEST(ParseNumber, RefusesJunkAndUnroundableValues) {
    const std::vector<std::string> cases = {
        "", " ", "abc", "12abc", "1.2.3", "1,2.3", "5 ", "--5", "+-5", "-", ".", "0x10",
        "inf", "-inf", "nan", "1e999", "1 000",
    };
    for (const std::string& text : cases) EXPECT_FALSE(ParseNumber(text).has_value()) << '"' << text << '"';
}

TEST(RoundNumber, HalfAwayFromZeroAndSaturates) {
    const std::vector<std::pair<double, int32_t>> cases = {
        {2.5, 3},         {-2.5, -3},  {2.4999, 2}, {-2.4999, -2}, {0.5, 1},   {-0.5, -1},
        {-0.4, 0},        {0, 0},      {500.1, 500}, {500.6, 501}, {-500.6, -501},
        {1e12, std::numeric_limits<int32_t>::max()}, {-1e12, std::numeric_limits<int32_t>::min()},
        {std::nan(""), 0},
    };
    for (const auto& [x, expected] : cases) EXPECT_EQ(RoundNumber(x), expected) << x;
}

TEST(GroupDigits, GroupsOfThreeWithSignInFirstGroup) {
    struct Case {
        int64_t n;
        bool dot;
        std::string text;
    };
    const std::vector<Case> cases = {
        {1234567, true, "1.234.567"}, {-1234, false, "-1,234"}, {-123, false, "-123"},
        {0, false, "0"},              {12, true, "12"},          {123, true, "123"},
        {1000, false, "1,000"},       {-12345, true, "-12.345"}, {-123456, false, "-123,456"},
        {-1, false, "-1"},            {1000000, true, "1.000.000"},
        {std::numeric_limits<int64_t>::min(), false, "-9,223,372,036,854,775,808"},
    };
    for (const Case& c : cases) EXPECT_EQ(GroupDigits(c.n, c.dot), c.text) << c.n;
}

TEST(NumberFormats, FieldTextsLabelsAndMessage) {
    const NumericField ratio{10, 200, 1, 10, 0, 1};
    const NumericField matches{2, 14, 1, 1, 0, 1};
    EXPECT_EQ(RangeLabel("Output R&atio", ratio, "%"), "Output R&atio (10% - 200%)");
    EXPECT_EQ(RangeLabel("Matches", matches, ""), "Matches (2 - 14)");
    EXPECT_EQ(RangeLabel("Size", kSizeOfX, " mm"), "Size (1.00 mm - 5.00 mm)");
    EXPECT_EQ(FieldText(kSizeOfX, 250), "2.50");
    EXPECT_EQ(FieldText(kSizeOfX, 5), "0.05");
    EXPECT_EQ(FieldText(ratio, 100), "100");
    EXPECT_EQ(ScaledNumberText(1234, 10, 1), "123.4");
    EXPECT_EQ(ScaledNumberText(-250, 100, 2), "-2.50");
    EXPECT_EQ(InvalidFieldMessage("Size of '&X'", kSizeOfX),
              "Entry of \"Size of 'X'\" is invalid!\nValid entries are numbers from 1.00 to 5.00");
    // Only the first mnemonic marker goes.
    EXPECT_EQ(StripMnemonic("A&b&c"), "Ab&c");
}

TEST(NumericField, ValueOfTextIsRoundedAndRangeChecked) {
    const std::vector<std::pair<std::string, std::optional<int32_t>>> cases = {
        {"2,5", 250}, {"2.5", 250},          {"5.001", 500}, {"5.006", std::nullopt}, {"1", 100},
        {"0.995", 100}, {"0.99", std::nullopt}, {"abc", std::nullopt}, {"", std::nullopt},
        {"-2", std::nullopt}, {"99999999999", std::nullopt},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(FieldValue(kSizeOfX, text), expected) << text;
}

TEST(NumericField, StepsFromTextOrSpinValue) {
    struct Case {
        std::string text;
        int32_t spin;
        int direction;
        bool large;
        bool warn, changed;
        int32_t value;
        std::string newText;
    };
    const std::vector<Case> cases = {
        {"4.90", 490, +1, true, false, true, 500, "5.00"},   // clamped to the maximum
        {"5.00", 500, +1, true, false, false, 500, ""},      // at the bound the text stays
        {"5", 500, +1, false, false, false, 500, ""},        // as typed, not reformatted
        {"1,00", 100, -1, false, false, false, 100, ""},
        {"1,5", 150, -1, true, false, true, 130, "1.30"},
        {"2.5", 400, +1, false, false, true, 255, "2.55"},   // the text wins over the spin value
        {"9.99", 500, -1, false, false, true, 500, "5.00"},  // out of range: moved into it
        {"abc", 250, +1, false, true, true, 255, "2.55"},
        {"abc", 500, +1, false, true, true, 500, "5.00"},    // invalid text is always replaced
        {"", 100, -1, true, true, true, 100, "1.00"},
    };
    for (const Case& c : cases) {
        const FieldStep s = StepField(kSizeOfX, c.text, c.spin, c.direction, c.large);
        EXPECT_EQ(s.warn, c.warn) << c.text;
        EXPECT_EQ(s.changed, c.changed) << c.text;
        EXPECT_EQ(s.value, c.value) << c.text;
        if (c.changed) {
            EXPECT_EQ(s.text, c.newText) << c.text;
        }
    }
}

TEST(NumericField, StepNearIntegerLimitsDoesNotOverflow) {
    const NumericField wide{std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), 1000, 1000,
                            0, 1};
    EXPECT_EQ(StepField(wide, "2147483647", 0, +1, true).value, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(StepField(wide, "-2147483648", 0, -1, true).value, std::numeric_limits<int32_t>::min());
}

TEST(NumericField, AcceptedCharacters) {
    const NumericField whole{2, 14, 1, 1, 0, 1};
    const std::vector<std::tuple<char32_t, bool, bool>> cases = {
        {U'0', true, true}, {U'9', true, true}, {U'.', false, true}, {U',', false, true},
        {U'-', false, false}, {U'a', false, false}, {U' ', false, false}, {U'\u00B2', false, false},
    };
    for (const auto& [c, inWhole, inDecimal] : cases) {
        EXPECT_EQ(FieldAcceptsChar(whole, c), inWhole) << static_cast<uint32_t>(c);
        EXPECT_EQ(FieldAcceptsChar(kSizeOfX, c), inDecimal) << static_cast<uint32_t>(c);
    }
}
