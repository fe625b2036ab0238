#pragma once
// The dialogs of the format editor's value commands: a choice for the codes,
// the numeric entry dialog for the numbers.

#include "ticketprint/FormatChange.h"
#include "ticketprint/TicketFormat.h"

#include <optional>

class wxWindow;

namespace vdx::gui {

// The value commands' ids (kIdFormatInsertDirection .. kIdFormatLineGaps).
bool IsFormatValueCommand(int id);

// Asks for the values of a command, starting from the current ones; the
// change to record, or nothing on Cancel, or when no number was changed.
std::optional<vdx::FormatChangeValue> AskFormatChange(wxWindow* parent, const vdx::TicketFormatValues& values,
                                                      int commandId);

// The change a command makes (for its name).
vdx::FormatChange FormatCommandKind(int commandId);

} // namespace vdx::gui
