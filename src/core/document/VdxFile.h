#pragma once
// The binary ".vdx" pools document: writes version 211, reads 121, 200, 210 and 211.

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

// Reads a document; on any result but kReadOk the document is to be discarded.
int ReadVdx(std::istream& in, PoolsDocument& doc);

struct WriteResult {
    bool ok = false;
    // Some text could not be held by the file's code page and was written as '?'.
    bool replacedCharacters = false;
};

WriteResult WriteVdx(std::ostream& out, const PoolsDocument& doc);

// Writes to a temporary file in the same folder and renames it over path only
// when every byte was written and flushed; on failure the old file stays as it was.
WriteResult SaveVdxFile(const std::string& path, const PoolsDocument& doc);

// The user's message for a read result (format already filled in).
std::string ReadResultMessage(int result, const std::string& fileName, int importKind);

} // namespace vdx
