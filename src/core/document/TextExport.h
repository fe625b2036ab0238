#pragma once
// The lines of a pools document written as plain text: text with the line ends
// of PC/OS2, Unix or Mac, or a Totocalcio system file in its two variants.

#include "document/FileProblem.h"
#include "document/PoolsDocument.h"

#include <string>

namespace vdx {

// The types in the order of the export dialog's filter.
enum ExportType : int {
    kExportPcOs2 = 0,
    kExportUnix = 1,
    kExportMac = 2,
    kExportTotocalcio = 3,
    kExportTotocalcioSpecial = 4,
};
constexpr int kExportTypeCount = 5;
// The Totocalcio types hold every match of the ticket.
constexpr int kTotocalcioMatches = 14;

bool IsTotocalcioType(int type);
// "PC/OS2", "Unix", "Mac", "Totocalcio", "Totocalcio special" (marked for translation).
const char* ExportTypeName(int type);
// The export dialog's filter, entry by entry: "Text File (*.txt) PC/OS2" and "*.txt", ...
struct ExportFilterEntry {
    const char* description; // for the user, marked for translation
    const char* pattern;
};
ExportFilterEntry ExportFilter(int type);
// The extension a type's files take, without the dot: "txt" or "col".
const char* ExportExtension(int type);
extern const char* const kExportDialogTitle;   // "Create a Text File"
extern const char* const kExportQuestionTitle; // "Confirmation"

// Whether the name's extension contradicts the type: "col" (in any case) for a
// text type, anything but "col" for a Totocalcio type. The user is then asked.
bool ExportExtensionMismatch(const std::string& path, int type);
// The question for a mismatch, with the file's name without folder and
// extension, its extension and the type's name filled in; empty without one.
std::string ExportExtensionQuestion(const std::string& path, int type);

enum ExportResult : int {
    kExportOk = 0,
    kExportNoLines = 1,        // the document has no distribution
    kExportNeeds14Matches = 2, // a Totocalcio type for other than 14 matches with tips
    kExportCannotOpen = 3,     // the file cannot be made; nothing written
    kExportWriteError = 4,     // writing failed; an existing file stays as it was
};

// Whether the document's lines can be written in the type (kExportOk,
// kExportNoLines or kExportNeeds14Matches).
int CheckExport(const PoolsDocument& doc, int type);
// The bytes of the file; empty when CheckExport refuses.
std::string ExportText(const PoolsDocument& doc, int type);

struct ExportOutcome {
    int result = kExportOk;
    FileProblem problem; // why, for kExportCannotOpen and kExportWriteError
};
// Checks, then writes through a temporary file renamed over path, so a failure
// leaves an existing file untouched. The document is not changed.
ExportOutcome ExportTextFile(const std::string& path, const PoolsDocument& doc, int type);

// The user's message for a failed export (empty for kExportOk), with the
// reason on a line of its own when it is known, and the title of its box.
std::string ExportResultMessage(const ExportOutcome& outcome);
const char* ExportResultTitle(int result);
// The log line of an export: "Text File for <type>: File <path> saved", or
// "... Error saving the file <path>" when it failed.
std::string ExportLogLine(int type, const std::string& path, bool saved);

} // namespace vdx
