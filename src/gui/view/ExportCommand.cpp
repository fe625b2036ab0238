#include "view/ExportCommand.h"

#include "app/AppLog.h"
#include "app/FileChooser.h"
#include "app/Messages.h"
#include "app/MyDocManager.h"
#include "app/VdxApp.h"
#include "document/TextExport.h"
#include "document/VdxDocument.h"
#include "frame/MainFrame.h"
#include "view/VdxView.h"

#include <wx/filename.h>
#include <wx/intl.h>

#include <string>

namespace vdx::gui {

namespace {

wxString Translated(const char* text) { return wxGetTranslation(wxString::FromUTF8(text)); }

wxString ExportFilterText() {
    wxString filter;
    for (int type = 0; type < kExportTypeCount; ++type) {
        const ExportFilterEntry entry = ExportFilter(type);
        if (!filter.empty()) filter << '|';
        filter << Translated(entry.description) << '|' << entry.pattern;
    }
    return filter;
}

} // namespace

bool RunExportCommand(VdxView* view) {
    VdxDocument* doc = view ? view->Document() : nullptr;
    if (!doc) return false;
    wxWindow* parent = view->GetFrame();
    const VdxApp* app = VdxApp::Get();
    const wxString dir = SaveAsFolder(doc->GetFilename(), doc->GetDocumentManager()->GetLastDirectory(),
                                      app ? app->ProgramFolders() : wxArrayString());
    const ChosenFile chosen = ChooseFileOfType(parent, FileDialogKind::Save, Translated(kExportDialogTitle), dir,
                                               wxFileName(doc->GetUserReadableName()).GetName(), ExportFilterText());
    if (chosen.path.empty()) return false;
    const int type = chosen.filterIndex;
    wxString path = chosen.path;
    if (!wxFileName(path).HasExt()) path << '.' << ExportExtension(type);
    const std::string filePath(static_cast<const char*>(path.fn_str()));

    const std::string question = ExportExtensionQuestion(filePath, type);
    if (!question.empty() &&
        ShowMessage(wxString::FromUTF8(question), wxYES_NO | wxICON_QUESTION, Translated(kExportQuestionTitle),
                    parent) != wxYES)
        return false;

    ExportOutcome outcome;
    outcome.result = CheckExport(doc->Data(), type);
    if (outcome.result == kExportOk) {
        FrameBusyScope busy;
        outcome = ExportTextFile(filePath, doc->Data(), type);
        AppLog(wxString::FromUTF8(ExportLogLine(type, path.utf8_string(), outcome.result == kExportOk)));
    }
    if (outcome.result == kExportOk) return true;
    const long icon = outcome.result == kExportNeeds14Matches ? wxICON_ERROR : wxICON_EXCLAMATION;
    ShowMessage(wxString::FromUTF8(ExportResultMessage(outcome)), wxOK | icon,
                Translated(ExportResultTitle(outcome.result)), parent);
    return false;
}

} // namespace vdx::gui
