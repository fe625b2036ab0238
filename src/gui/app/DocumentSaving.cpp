#include "app/DocumentSaving.h"

#include "app/FileChooser.h"
#include "app/Messages.h"
#include "app/VdxApp.h"

#include <wx/docview.h>
#include <wx/filename.h>
#include <wx/intl.h>

namespace vdx::gui {

wxString ChooseSaveAsName(wxDocument& doc) {
    wxDocTemplate* docTemplate = doc.GetDocumentTemplate();
    if (!docTemplate) return {};
    const VdxApp* app = VdxApp::Get();
    const wxString dir = SaveAsFolder(doc.GetFilename(), doc.GetDocumentManager()->GetLastDirectory(),
                                      app ? app->ProgramFolders() : wxArrayString());
    const wxString filter =
        docTemplate->GetDescription() + " (" + docTemplate->GetFileFilter() + ")|" + docTemplate->GetFileFilter();
    return ChooseFileToSave(doc.GetDocumentWindow(), dir, wxFileNameFromPath(doc.GetFilename()),
                            docTemplate->GetDefaultExtension(), filter);
}

bool SaveModifiedAfterAsking(wxDocument& doc, const wxString& title) {
    if (!doc.IsModified()) return true;
    const int answer = ShowMessage(wxString::Format(_("Do you want to save changes to %s?"), doc.GetUserReadableName()),
                                   wxYES_NO | wxCANCEL | wxICON_QUESTION | wxCENTRE, title, doc.GetDocumentWindow());
    if (answer == wxYES) return doc.Save();
    if (answer != wxNO) return false;
    doc.Modify(false);
    return true;
}

} // namespace vdx::gui
