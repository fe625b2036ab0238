#pragma once
// The ticket format file ".vdf": "Vdf", version 210 and the values as 16-bit
// little-endian words, 25 + 2 x (matches + lines) bytes.

#include "document/FileProblem.h"
#include "document/SafeSave.h"
#include "ticketprint/TicketFormat.h"

#include <iosfwd>
#include <string>

namespace vdx {

enum FormatReadResult : int {
    kFormatReadOk = 0,
    kFormatReadError = 1, // empty, short or unreadable
    kFormatNotFormat = 2, // another magic or version
};

constexpr int kVdfVersion = 210;
constexpr char kVdfMagic[] = "Vdf"; // the first three bytes, no terminator in the file

// Bytes of the file of a format with these counts.
constexpr int VdfFileSize(int maxMatches, int maxLines) { return 25 + 2 * (maxMatches + maxLines); }

// Reads a format. Values out of their ranges are clamped (the counts first,
// then the size of X, then the lengths against it); gaps beyond the counts
// keep the values they had. Only a complete read changes values; on any
// other result they stay as they were, the stream is left failed and problem
// says why (kNone for a file of another kind). Bytes after the last gap are
// not looked at.
int ReadVdf(std::istream& in, TicketFormatValues& values, FileProblem& problem);
// The same on a format: a successful read also makes the values the saved ones.
int ReadVdf(std::istream& in, TicketFormat& format, FileProblem& problem);
// Reads the file at path; a file that cannot be opened gives kFormatReadError
// with the system's reason.
int ReadVdfFile(const std::string& path, TicketFormat& format, FileProblem& problem);

// Writes the file; false at the first failed write.
bool WriteVdf(std::ostream& out, const TicketFormatValues& values);
// Replaces the file at path safely; on success the format takes its saved
// values and notes that it was saved.
SafeSaveResult SaveVdfFile(const std::string& path, TicketFormat& format);

// The user's message for a failed read ("Error reading the file" with the file
// name and the reason, or "File ... is not a Ticketformat-File!"); empty for kFormatReadOk.
std::string FormatReadMessage(int result, const std::string& fileName, const FileProblem& problem);
// The user's message for a failed save, with the reason.
std::string FormatSaveMessage(const std::string& fileName, const FileProblem& problem);

} // namespace vdx
