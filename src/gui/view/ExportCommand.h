#pragma once
// "Save as Text File...": the lines of a pools document written as text or
// as a Totocalcio file.

class VdxView;

namespace vdx::gui {

// Asks for the file and its type, checks that they go together and that the
// document can be written in the type, then writes it. The document does not
// change. Returns true when a file was written.
bool RunExportCommand(VdxView* view);

} // namespace vdx::gui
