#pragma once
// Lines of tips read from plain text: a text file (one line of the distribution
// per line), a reversed text file (one match per line) or a Totocalcio system
// file (one column per line, a digit per match that stands for up to three tips).

#include "document/FileProblem.h"
#include "document/PoolsDocument.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace vdx {

// The kinds in the order of the import dialog's filter (filter index + 1);
// the values are the document's importKind.
enum ImportKind : int { kImportText = 1, kImportReversedText = 2, kImportTotocalcio = 3 };
constexpr int kImportKindCount = 3;

// A valid file holds at most 1000 lines of 14 tips; anything this large is not
// one, whatever blanks it may hold, and is refused before it is read whole.
constexpr long long kMaxImportBytes = 1024 * 1024;

// The import dialog's filter, entry by entry: the description is a text for
// the user (marked for translation), the pattern is not.
struct ImportFilterEntry {
    const char* description; // "Text File (*.txt)"
    const char* pattern;     // "*.txt"
};
ImportFilterEntry ImportFilter(int kind);
extern const char* const kImportDialogTitle; // "Import Text File"
extern const char* const kImportedLogFormat; // "Imported data of %s", with the path

// The lines as the file gives them, before they go into a document: tips[m][l]
// is the tip (0, 1, 2) of match m in line l, in the file's order (for
// Totocalcio, as the records expand: the first match varies fastest).
struct ImportedLines {
    int matches = 0;
    int lines = 0;
    std::array<std::vector<uint8_t>, kMaxMatches> tips;
};

// Reads the whole stream as a file of the kind. Result codes of the document
// reader: kReadOk, kReadBadData (the stream failed), kReadNotText (not a file of
// this kind, also one of more than kMaxImportBytes, which is not read beyond
// that), kReadTooManyLines (more than 1000 lines).
int ReadImportedLines(std::istream& in, int kind, ImportedLines& out);

// Puts imported lines into the document as its distribution: counts of matches
// and lines, the tips, chances and probabilities from the shares of the tips,
// all conditions off with the widest ranges, sorted by tips; importKind set.
void ApplyImportedLines(const ImportedLines& lines, int kind, PoolsDocument& doc);

// Read and apply; the document changes only when the result is kReadOk.
int ImportText(std::istream& in, int kind, PoolsDocument& doc);
// The same for the file at path (stored as importFileName); a file that cannot
// be opened or read gives kReadBadData with the system's reason in problem.
int ImportTextFile(const std::string& path, int kind, PoolsDocument& doc, FileProblem& problem);

// The user's message for a failed import (empty for kReadOk): the sentence of
// the result with the file's name, for kReadBadData followed by the name and
// the reason each on a line of their own.
std::string ImportResultMessage(int result, const std::string& fileName, int kind, const FileProblem& problem);

} // namespace vdx
