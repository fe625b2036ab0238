#pragma once
// The changes the format editor makes to a format, one kind per value or
// group of values; each undoable command of the editor carries one of them.

#include "text/Tr.h"
#include "ticketprint/TicketFormat.h"

#include <string>
#include <vector>

namespace vdx {

enum class FormatChange : int {
    kInsertDirection = 1,
    kJustification = 2,
    kOutputRatio = 3,
    kMaxMatches = 4,
    kMaxLines = 5,
    kTipsOrder = 6,
    kSizeOfX = 7,
    kSpaceBetweenXs = 8,
    kAllSides = 9,     // the four side spaces as one change
    kSide = 10,        // one side space (index)
    kAllMatchGaps = 11, // the match gaps in use
    kMatchGap = 12,    // one match gap (index)
    kAllLineGaps = 13, // the line gaps in use
    kLineGap = 14,     // one line gap (index)
};

// Kinds that change several values at once, given as an array.
bool IsArrayChange(FormatChange kind);

// The label the change is named after, with its '&' (menu label or value
// label): "Insert Directi&on", "Space to &Top", "Spaces between Ma&tches", ...
// index picks the side for kSide.
const char* FormatChangeLabel(FormatChange kind, int index = -1);
// A label without its first '&', as a command name or a name in a text.
std::string WithoutFirstAmpersand(const std::string& label);
std::string WithoutAmpersands(const std::string& label);

// The choices of the insert direction ("up", "right", "down", "left") and of
// the justification ("left justified", "centred", "right justified").
const char* InsertDirectionName(int code);
const char* JustificationName(int code);

// The current value of a single-value kind (index for kSide, kMatchGap, kLineGap).
int FormatValue(const TicketFormatValues& v, FormatChange kind, int index = -1);
// Sets it through the format's setter; false when the setter rejects it.
bool SetFormatValue(TicketFormat& format, FormatChange kind, int index, int value);

// The values of an array kind: 4 sides, maxMatches-1 or maxLines-1 gaps in use.
std::vector<int> FormatArray(const TicketFormatValues& v, FormatChange kind);
// Sets each through its setter (one rejected entry does not stop the others);
// false when some entry was rejected.
bool SetFormatArray(TicketFormat& format, FormatChange kind, const std::vector<int>& values);

// The range a value may take in a dialog (stored units), given the other values.
struct ValueRange {
    int low;
    int high;
};
ValueRange FormatValueRange(const TicketFormatValues& v, FormatChange kind);

// One raising change of a new size of X as a change of the editor: kind
// kSpaceBetweenXs, kSide (index, value) or kAllMatchGaps / kAllLineGaps (array).
struct FormatChangeValue {
    FormatChange kind;
    int index = -1;
    int value = 0;
    std::vector<int> array;
};
FormatChangeValue AsFormatChange(const SizeRaise& raise);

// The question before a new size of X raises other values; the names of the
// raised values follow the lead text, one a line, and every '&' is removed.
constexpr const char* kFormatEditorTitle = N_("Format Editor");
std::string SizeRaiseMessage(const std::vector<SizeRaise>& raises);

} // namespace vdx
