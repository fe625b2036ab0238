#include "text/Tr.h"

#include <cstdarg>
#include <cstdio>
#include <utility>
#include <vector>

namespace vdx {
namespace {

// The program sets these once at start, before any window exists.
Translator& CurrentTranslator() {
    static Translator translate;
    return translate;
}

PluralTranslator& CurrentPluralTranslator() {
    static PluralTranslator translatePlural;
    return translatePlural;
}

std::string FormatList(const std::string& format, va_list args) {
    va_list again;
    va_copy(again, args);
    char small[256];
    const int size = std::vsnprintf(small, sizeof small, format.c_str(), args);
    std::string text;
    if (size < 0) {
        text = format; // a broken translation shows as written rather than not at all
    } else if (static_cast<size_t>(size) < sizeof small) {
        text.assign(small, static_cast<size_t>(size));
    } else {
        std::vector<char> big(static_cast<size_t>(size) + 1);
        std::vsnprintf(big.data(), big.size(), format.c_str(), again);
        text.assign(big.data(), static_cast<size_t>(size));
    }
    va_end(again);
    return text;
}

} // namespace

void SetTranslator(Translator translate, PluralTranslator translatePlural) {
    CurrentTranslator() = std::move(translate);
    CurrentPluralTranslator() = std::move(translatePlural);
}

std::string Translate(const char* msgid) {
    if (msgid == nullptr) return {};
    const Translator& translate = CurrentTranslator();
    return translate ? translate(msgid) : std::string(msgid);
}

std::string TranslatePlural(PluralText text, long n) {
    const PluralTranslator& translatePlural = CurrentPluralTranslator();
    if (translatePlural) return translatePlural(text.singular, text.plural, n);
    return n == 1 ? text.singular : text.plural;
}

std::string TrFormat(const char* msgid, ...) {
    va_list args;
    va_start(args, msgid);
    std::string text = FormatList(Translate(msgid), args);
    va_end(args);
    return text;
}

std::string TrFormatPlural(PluralText plural, long n, ...) {
    va_list args;
    va_start(args, n);
    std::string text = FormatList(TranslatePlural(plural, n), args);
    va_end(args);
    return text;
}

} // namespace vdx
