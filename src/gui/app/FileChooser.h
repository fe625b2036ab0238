#pragma once
// The question for a file name to save under goes through one function, so
// that one place decides how it is asked (and tests can answer it).

#include <wx/string.h>

#include <functional>

class wxWindow;

namespace vdx::gui {

// Asks for the file to save to; empty when cancelled. A name without extension
// gets defaultExtension.
wxString ChooseFileToSave(wxWindow* parent, const wxString& defaultDir,
                          const wxString& defaultName, const wxString& defaultExtension,
                          const wxString& filter);

// The folder Save As starts in for a document at documentFile (empty: never
// saved): its own folder, else lastDir; but never the program's folder or one
// below it, which an installed program cannot write: the user's documents
// folder (or home) instead.
wxString SaveAsFolder(const wxString& documentFile, const wxString& lastDir, const wxString& programDir);

// Answers the question instead of the file dialog (empty handler: the dialog
// again); returns the previous handler.
using SaveFileHandler = std::function<wxString(const wxString& defaultDir,
                                               const wxString& defaultName)>;
SaveFileHandler SetSaveFileHandler(SaveFileHandler handler);

} // namespace vdx::gui
