#pragma once
// Texts of the core that the user sees. N_ and NP_ translate nothing: they
// mark a text for tools/update-po.sh, which reads them into po/vdx.pot. The
// core knows no translation library; the program installs a translator at
// start (SetTranslator) and every function that makes a sentence translates
// its format string with Translate / TranslatePlural before the values go in.
// A text that takes values is one whole sentence with placeholders,
// positional ("%1$s ... %2$d") where a language may need to swap them.
//
//   const char* kTitle = N_("Correct Tips");
//   constexpr PluralText kLines = NP_("%d line", "%d lines");
//   TrFormat(N_("File %s opened"), name.c_str());

#include <functional>
#include <string>

namespace vdx {

// Both English forms of a text whose noun follows a number.
struct PluralText {
    const char* singular;
    const char* plural;
};

using Translator = std::function<std::string(const char* msgid)>;
using PluralTranslator = std::function<std::string(const char* singular, const char* plural, long n)>;

// Installs the program's translation; empty functions restore English.
void SetTranslator(Translator translate, PluralTranslator translatePlural);

// The text in the user's language; the English text when no translator is set.
std::string Translate(const char* msgid);
// The form for n in the user's language; English picks the singular for n == 1.
std::string TranslatePlural(PluralText text, long n);

// The translated format string with the values put in by the rules of printf,
// positional placeholders included.
std::string TrFormat(const char* msgid, ...);
// The same with the form for n.
std::string TrFormatPlural(PluralText text, long n, ...);

} // namespace vdx

// wxWidgets defines the same marker when its headers come first.
#ifndef N_
#define N_(text) text
#endif
#define NP_(singular, plural) (::vdx::PluralText{singular, plural})
