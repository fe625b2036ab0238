#pragma once
// Conversions between the program's UTF-8 strings and the single-byte code pages of
// document files: Windows-1252 for current files, DOS code page 850 for old ones.

#include <cstdint>
#include <string>
#include <string_view>

namespace vdx {

// Every byte has a character: the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 controls of the same number, so
// converting back gives the original bytes.
std::string Cp1252ToUtf8(std::string_view bytes);

// Characters Windows-1252 cannot hold, and bytes that are not valid UTF-8, become '?'
// and set *replaced (when given); it is never cleared here.
std::string Utf8ToCp1252(std::string_view utf8, bool* replaced = nullptr);

std::string Cp850ToUtf8(std::string_view bytes);

// The code point of one byte; for tests and callers that build text themselves.
char32_t Cp1252ToCodePoint(uint8_t byte);
char32_t Cp850ToCodePoint(uint8_t byte);

} // namespace vdx
