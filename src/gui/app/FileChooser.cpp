#include "app/FileChooser.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/stdpaths.h>

#include <climits>
#include <cstdlib>

namespace vdx::gui {

namespace {
SaveFileHandler& Handler() {
    static SaveFileHandler handler;
    return handler;
}
FileOfTypeHandler& TypeHandler() {
    static FileOfTypeHandler handler;
    return handler;
}
// The folder as an absolute path with links resolved and a final separator.
wxString CanonicalFolder(const wxString& dir) {
    wxString path = dir;
    char resolved[PATH_MAX];
    if (::realpath(static_cast<const char*>(dir.fn_str()), resolved)) path = wxString(resolved, wxConvFile);
    wxFileName name = wxFileName::DirName(path);
    name.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE | wxPATH_NORM_TILDE);
    return name.GetPath(wxPATH_GET_VOLUME | wxPATH_GET_SEPARATOR);
}

} // namespace

static bool InProgramFolder(const wxString& dir, const wxArrayString& programFolders) {
    if (dir.empty()) return false;
    const wxString canonical = CanonicalFolder(dir);
    for (const wxString& folder : programFolders)
        if (!folder.empty() && canonical.StartsWith(CanonicalFolder(folder))) return true;
    return false;
}

wxString SaveAsFolder(const wxString& documentFile, const wxString& lastDir, const wxArrayString& programFolders) {
    wxString dir = wxPathOnly(documentFile);
    if (dir.empty()) dir = lastDir;
    if (!dir.empty() && !InProgramFolder(dir, programFolders)) return dir;
    const wxString documents = wxStandardPaths::Get().GetDocumentsDir();
    if (!documents.empty() && wxFileName::DirExists(documents) && !InProgramFolder(documents, programFolders))
        return documents;
    return wxFileName::GetHomeDir();
}

wxString ChooseFileToSave(wxWindow* parent, const wxString& defaultDir,
                          const wxString& defaultName, const wxString& defaultExtension,
                          const wxString& filter) {
    wxString path;
    if (Handler()) {
        path = Handler()(defaultDir, defaultName);
    } else {
        wxFileDialog dialog(parent, _("Save As"), defaultDir, defaultName, filter,
                            wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        if (dialog.ShowModal() == wxID_OK) path = dialog.GetPath();
    }
    if (!path.empty() && !defaultExtension.empty() && !wxFileName(path).HasExt())
        path << "." << defaultExtension;
    return path;
}

ChosenFile ChooseFileOfType(wxWindow* parent, FileDialogKind kind, const wxString& title,
                            const wxString& defaultDir, const wxString& defaultName, const wxString& filter) {
    if (TypeHandler()) return TypeHandler()(kind, title, filter);
    const long style = kind == FileDialogKind::Open ? wxFD_OPEN | wxFD_FILE_MUST_EXIST
                                                    : wxFD_SAVE | wxFD_OVERWRITE_PROMPT;
    wxFileDialog dialog(parent, title, defaultDir, defaultName, filter, style);
    ChosenFile chosen;
    if (dialog.ShowModal() == wxID_OK) {
        chosen.path = dialog.GetPath();
        chosen.filterIndex = dialog.GetFilterIndex();
    }
    return chosen;
}

FileOfTypeHandler SetFileOfTypeHandler(FileOfTypeHandler handler) {
    FileOfTypeHandler previous = std::move(TypeHandler());
    TypeHandler() = std::move(handler);
    return previous;
}

SaveFileHandler SetSaveFileHandler(SaveFileHandler handler) {
    SaveFileHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

} // namespace vdx::gui
