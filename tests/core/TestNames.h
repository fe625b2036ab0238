#pragma once
// Readable, stable names for parameterised cases: CTest lists them, so they
// must not depend on addresses or byte dumps.

#include <cctype>
#include <string>

namespace testnames {

// A cell text as part of a test name: "" -> "empty", "1,85" -> "1c85",
// "3.40" -> "3p40", "-1" -> "m1", blanks -> "w".
inline std::string Part(const std::string& text) {
    if (text.empty()) return "empty";
    std::string name;
    for (const unsigned char c : text) {
        if (std::isalnum(c)) name += static_cast<char>(c);
        else if (c == ',') name += 'c';
        else if (c == '.') name += 'p';
        else if (c == '-') name += 'm';
        else if (std::isspace(c)) name += 'w';
        else name += '_';
    }
    return name;
}

} // namespace testnames
