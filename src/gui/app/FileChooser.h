#pragma once
// The question for a file name to save under goes through one function, so
// that one place decides how it is asked (and tests can answer it).

#include <wx/arrstr.h>
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
// saved): its own folder, else lastDir; but never one of the program's folders
// (its bin and data folders) or one below them, which an installed program
// cannot write: the user's documents folder (or home) instead.
wxString SaveAsFolder(const wxString& documentFile, const wxString& lastDir, const wxArrayString& programFolders);

// Answers the question instead of the file dialog (empty handler: the dialog
// again); returns the previous handler.
using SaveFileHandler = std::function<wxString(const wxString& defaultDir,
                                               const wxString& defaultName)>;
SaveFileHandler SetSaveFileHandler(SaveFileHandler handler);

// A file chosen in a dialog with several types, and the index of the type
// (the filter entry) the user picked; an empty path when cancelled.
struct ChosenFile {
    wxString path;
    int filterIndex = 0;
};

enum class FileDialogKind { Open, Save };

// Asks for a file of one of the filter's types: an existing one to open, or
// one to save (with a question before overwriting).
ChosenFile ChooseFileOfType(wxWindow* parent, FileDialogKind kind, const wxString& title,
                            const wxString& defaultDir, const wxString& defaultName, const wxString& filter);

// Answers ChooseFileOfType instead of the dialog (empty handler: the dialog
// again); returns the previous handler.
using FileOfTypeHandler =
    std::function<ChosenFile(FileDialogKind kind, const wxString& title, const wxString& filter)>;
FileOfTypeHandler SetFileOfTypeHandler(FileOfTypeHandler handler);

} // namespace vdx::gui
