#include "document/CodePage.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vdx {
namespace {

TEST(Cp1252, EveryByteSurvivesTheWayThroughUtf8) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        bool replaced = false;
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte), &replaced), byte) << b;
        EXPECT_FALSE(replaced) << b;
    }
}

TEST(Cp1252, KnownCharacters) {
    const struct {
        unsigned char byte;
        const char* utf8;
    } cases[] = {
        {0x41, "A"},          {0x80, "€"},          {0x82, "‚"},      {0x8A, "Š"},
        {0x8C, "Œ"},          {0x8E, "Ž"},          {0x93, "“"},      {0x96, "–"},
        {0x99, "™"},          {0x9F, "Ÿ"},          {0xA0, "\u00A0"}, {0xC4, "Ä"},
        {0xDF, "ß"},          {0xE4, "ä"},          {0xFC, "ü"},      {0xFF, "ÿ"},
        {0x81, "\u0081"},     {0x8D, "\u008D"},     {0x8F, "\u008F"}, {0x90, "\u0090"},
        {0x9D, "\u009D"},
    };
    for (const auto& c : cases) {
        const std::string byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(Cp1252ToUtf8(byte), c.utf8) << int(c.byte);
        EXPECT_EQ(Utf8ToCp1252(c.utf8), byte) << int(c.byte);
    }
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    const struct {
        const char* utf8;
        const char* bytes;
    } cases[] = {
        {"Łódź", "?\xF3" "d?"},
        {"\xF0\x9F\x98\x80 Tor", "? Tor"},       // emoji, four bytes
        {"\u0080", "?"},                          // a C1 control that 0x80 does not stand for
        {"\u20AD", "?"},                          // next to the euro sign
        {"Ä\u0301", "\xC4?"},                     // a combining mark
    };
    for (const auto& c : cases) {
        bool replaced = false;
        EXPECT_EQ(Utf8ToCp1252(c.utf8, &replaced), c.bytes) << c.utf8;
        EXPECT_TRUE(replaced) << c.utf8;
    }
}

TEST(Cp1252, MalformedUtf8IsReplacedWithoutLosingWhatFollows) {
    const struct {
        std::string utf8;
        std::string bytes;
    } cases[] = {
        {"a\x80z", "a?z"},                  // lone continuation byte
        {"a\xC3", "a?"},                    // cut at the end
        {"a\xE2\x82z", "a??z"},             // cut in the middle
        {"\xC0\xAF", "??"},                 // overlong "/"
        {"\xE0\x80\xAF", "???"},            // overlong, three bytes
        {"\xED\xA0\x80", "???"},            // surrogate
        {"\xF4\x90\x80\x80", "????"},       // beyond U+10FFFF
        {"\xFF\xFE", "??"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& c : cases) {
        bool replaced = false;
        EXPECT_EQ(Utf8ToCp1252(c.utf8, &replaced), c.bytes);
        EXPECT_EQ(replaced, c.bytes.find('?') != std::string::npos);
    }
}

TEST(Cp1252, ReplacementFlagIsNeverCleared) {
    bool replaced = true;
    EXPECT_EQ(Utf8ToCp1252("plain", &replaced), "plain");
    EXPECT_TRUE(replaced);
}

TEST(Cp850, KnownCharacters) {
    const struct {
        unsigned char byte;
        const char* utf8;
    } cases[] = {
        {0x41, "A"}, {0x80, "Ç"}, {0x81, "ü"}, {0x84, "ä"}, {0x8E, "Ä"}, {0x94, "ö"},
        {0x99, "Ö"}, {0x9A, "Ü"}, {0x9C, "£"}, {0x9F, "ƒ"}, {0xA4, "ñ"}, {0xB0, "░"},
        {0xC4, "─"}, {0xCF, "¤"}, {0xD5, "ı"}, {0xE1, "ß"}, {0xE6, "µ"}, {0xF2, "‗"},
        {0xFE, "■"}, {0xFF, "\u00A0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Cp850ToUtf8(std::string(1, static_cast<char>(c.byte))), c.utf8) << int(c.byte);
}

TEST(Cp850, UpperHalfIsOneToOneAndApartFromAscii) {
    std::set<char32_t> seen;
    for (int b = 0x80; b < 0x100; ++b) {
        const char32_t cp = Cp850ToCodePoint(static_cast<uint8_t>(b));
        EXPECT_GE(cp, 0xA0u) << b;
        EXPECT_TRUE(seen.insert(cp).second) << "byte " << b << " repeats U+" << std::hex << cp;
    }
}

TEST(Cp850, TextWithUmlautsBecomesTheSameTextAsWindows1252) {
    // "Müller Köln Straße" in both old and new files.
    EXPECT_EQ(Cp850ToUtf8("M\x81ller K\x94ln Stra\xE1" "e"), Cp1252ToUtf8("M\xFCller K\xF6ln Stra\xDF" "e"));
}

} // namespace
} // namespace vdx
