#pragma once
// Plain text files for the text editor: the bytes of a file turned into
// UTF-8 text with "\n" line ends for editing, and back into the same kind of
// bytes for saving. A file that is not valid UTF-8 is read as Windows-1252
// (every byte keeps a character of its own) and written back so; a file the
// editor cannot hold (a zero byte, far too large) is refused with its reason.

#include <string>

namespace vdx {

enum class TextEncoding { Utf8, Windows1252 };
enum class LineEnd { Lf, CrLf, Cr };

// Larger files are no text to edit here.
constexpr long long kMaxPlainTextBytes = 16LL * 1024 * 1024;

struct PlainText {
    std::string text; // UTF-8, lines ended by "\n"
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false; // a UTF-8 file that began with EF BB BF
    LineEnd lineEnd = LineEnd::Lf;
};

enum class PlainTextProblem {
    kNone,
    kZeroByte, // offset: where; the editor cannot hold it
    kTooLarge, // offset: the size
};

struct PlainTextResult {
    PlainTextProblem problem = PlainTextProblem::kNone;
    long long offset = 0;
    bool ok() const { return problem == PlainTextProblem::kNone; }
};

// The file's bytes as text. Line ends are "\n" in text when the file uses one
// kind throughout; a file that mixes them keeps its "\r" as characters.
PlainTextResult DecodePlainText(const std::string& bytes, PlainText& out);

// The bytes to save: the text in its encoding and line ends. False when a
// character cannot be written in the encoding (Windows-1252 holds only 256);
// bad is then that character (UTF-8) and nothing else is filled in.
bool EncodePlainText(const PlainText& text, std::string& bytes, std::string* bad = nullptr);

// The user's sentences: why a file cannot be opened (with its name), that a
// file was read as Windows-1252, and that a character cannot be saved so.
std::string PlainTextProblemMessage(const PlainTextResult& result, const std::string& fileName);
std::string Windows1252Note(const std::string& fileName);
std::string UnsavableCharacterQuestion(const std::string& character);

} // namespace vdx
