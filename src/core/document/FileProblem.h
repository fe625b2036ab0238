#pragma once
// Why a file could not be read or written, as data: the reader and the saver
// fill it in, FileProblemText turns it into the sentence the user reads.

#include <string>

namespace vdx {

enum class FileProblemKind {
    kNone,
    kSystem,          // systemText: the system's own words (cannot open, no permission, ...)
    kEmpty,           // the file holds no byte at all
    kEndsEarly,       // offset: bytes the file has; needed: bytes it would at least need
    kMatchCount,      // value: matches stored; low..high: allowed
    kLineCount,       // value: lines stored; low..high: allowed
    kValueOutOfRange, // value at byte offset lies outside low..high
    kTipsWord,        // value: packed tips word at byte offset, high: largest for its group
    kReadOnlyFile,    // the file to be replaced is read-only
    kFolderNotWritable, // no file can be made in the folder; systemText says why
};

struct FileProblem {
    FileProblemKind kind = FileProblemKind::kNone;
    long long value = 0;
    long long low = 0, high = 0;
    long long offset = 0;
    long long needed = 0;
    std::string systemText;

    bool known() const { return kind != FileProblemKind::kNone; }
};

// The problem of an errno value.
FileProblem SystemProblem(int errorNumber);

// The user's sentence for the problem; empty for kNone. Every sentence is one
// format string, so it can be translated whole.
std::string FileProblemText(const FileProblem& problem);

// A message followed by the file name (when given) and the reason, each on a
// line of its own; the lines that are not known are left out.
std::string WithReason(const std::string& message, const std::string& fileName, const FileProblem& problem);

} // namespace vdx
