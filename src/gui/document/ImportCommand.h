#pragma once
// "Import Text File...": a new pools document whose lines come from a text,
// reversed text or Totocalcio file.

class VdxDocument;
class wxString;
class wxWindow;

namespace vdx::gui {

// Asks for the file and its kind, reads it, and on success opens it as a new
// document that has never been saved. A file that cannot be read is reported
// and no document is made. Returns the new document or nullptr.
VdxDocument* RunImportCommand(wxWindow* parent);

// The same without the dialog: path read as kind (1 text, 2 reversed text,
// 3 Totocalcio).
VdxDocument* ImportFileAsDocument(const wxString& path, int kind);

} // namespace vdx::gui
