#include "app/FileChooser.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/intl.h>

namespace vdx::gui {

namespace {
SaveFileHandler& Handler() {
    static SaveFileHandler handler;
    return handler;
}
} // namespace

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

SaveFileHandler SetSaveFileHandler(SaveFileHandler handler) {
    SaveFileHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

} // namespace vdx::gui
