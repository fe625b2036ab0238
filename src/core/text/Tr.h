#pragma once
// Markers for texts of the core that the user sees. They translate nothing:
// the core knows no translation library. tools/update-po.sh reads them into
// the template po/vdx.pot, and the GUI translates the text when it shows it
// (wxGetTranslation). A text that takes values is one whole sentence with
// placeholders, positional ("%1$s ... %2$d") where a language may need to
// swap them; file names and numbers go in after the translation.
//
//   const char* kTitle = N_("Correct Tips");
//   constexpr PluralText kLines = NP_("%d line", "%d lines");

namespace vdx {

// Both English forms of a text whose noun follows a number; the GUI picks the
// form with wxGetTranslation(singular, plural, n).
struct PluralText {
    const char* singular;
    const char* plural;
};

} // namespace vdx

// wx defines N_ as well when its headers come first; ours is the same marker.
#undef N_
#define N_(text) text
#define NP_(singular, plural) (::vdx::PluralText{singular, plural})
