#pragma once
// The "&Calculate" command of a pools document: the start checks with their
// messages, the calculation window, the run and the write-back.

class VdxDocument;

namespace vdx::gui {

// Runs the command for doc and returns when the calculation is over (the event
// loop is served meanwhile). False when no calculation ran: doc is null, a
// calculation is running already, or a start check refused or was declined.
bool RunCalculateCommand(VdxDocument* doc);

// Whether "&Calculate" of doc can be given now: no calculation runs anywhere.
bool CalculateEnabled(const VdxDocument* doc);

} // namespace vdx::gui
