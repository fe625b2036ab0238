#pragma once
// The binary ".vdx" pools document: writes version 211, reads 121, 200, 210 and 211.

#include "document/FileProblem.h"
#include "document/PoolsDocument.h"

#include <iosfwd>
#include <string>

namespace vdx {

enum ReadResult : int {
    kReadOk = 0,
    kReadBadData = 1,      // bad or truncated data
    kReadNotVdx = 2,       // not a document of this kind
    kReadNotText = 3,      // not a text file of the chosen kind (import)
    kReadTooManyLines = 4, // import
};

constexpr int kVdxVersion = 211;
constexpr char kVdxMagic[] = "Vendrix"; // the first seven bytes of every document

// Reads a document from the stream. Texts of the file (DOS code page 850 before
// version 200, Windows-1252 after) arrive in the document as UTF-8. Versions
// before 211 get the default conditions for doc.env.rangesAbsolute. Afterwards the
// lines are sorted when sortMode is 1, the correct tips recomputed, and, whatever
// the result, RecomputeConditionBookkeeping(doc, result == kReadOk) is run.
//
// The document is only changed by a successful read; on any other result it keeps
// its previous contents (and the caller discards it) and the stream is put into
// the fail state. No input, however malformed or short, is read beyond its end.
//
// Besides the checks of the header, match values that would make the calculation
// go wrong are refused as bad data: a result other than -1..2; probability,
// last probability or chances outside -1..1000 or, when the first of a pair is
// given, a second one that is missing or makes the pair exceed 1000; target counts
// outside -1..1000; a negative odds count; odds other than -1 or 100..3200000; a
// packed tips word that holds a digit beyond the group.
// A match that claims tips while the document has no lines (tipLineCount -1) has
// none to read; its hasTips is cleared.
//
// Lines stored as up to date that are not the whole distribution of the
// document's matches and lines (counts that differ, a match with data but no
// tips) are kept, marked as not up to date.
int ReadVdx(std::istream& in, PoolsDocument& doc);
// The same, telling in problem why a read gave kReadBadData (kNone otherwise).
int ReadVdx(std::istream& in, PoolsDocument& doc, FileProblem& problem);
// Reads the file at path; a file that cannot be opened or read gives
// kReadBadData with the system's reason.
int ReadVdxFile(const std::string& path, PoolsDocument& doc, FileProblem& problem);

struct WriteResult {
    bool ok = false;
    // Some text could not be held by the file's code page and was written as '?'.
    bool replacedCharacters = false;
    // A text longer than 65534 bytes or a list of more than 32767 odds entries
    // was cut to what the file can hold.
    bool truncated = false;
    std::string error; // for the log, when !ok and the cause is known
    FileProblem problem; // for the user, when !ok
};

// Writes version 211 and stops at the first failed write. A match's tips are
// written only when all of its lines 0..tipLineCount-1 hold a tip 0..2; otherwise
// its hasTips goes to the file as 0, so the file always reads back.
WriteResult WriteVdx(std::ostream& out, const PoolsDocument& doc);

// Writes to a temporary file in the same folder and renames it over path only
// when every byte was written and flushed; on failure the old file stays as it was
// and no temporary file is left behind.
WriteResult SaveVdxFile(const std::string& path, const PoolsDocument& doc);

// The user's message for a read result 1..4 (format already filled in); empty for 0.
std::string ReadResultMessage(int result, const std::string& fileName, int importKind);
// The same message with the reason of a failed read added: for result 1 the
// file's name and the problem each on a line of their own.
std::string ReadFailureMessage(int result, const std::string& fileName, int importKind,
                               const FileProblem& problem);

} // namespace vdx
