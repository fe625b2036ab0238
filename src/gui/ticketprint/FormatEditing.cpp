#include "ticketprint/FormatEditing.h"

#include "app/Messages.h"
#include "ticketprint/FormatChangeCommand.h"
#include "ticketprint/TicketFormatDoc.h"

#include <wx/cmdproc.h>
#include <wx/intl.h>

namespace vdx::gui {

namespace {

std::string Translate(const char* text) { return wxGetTranslation(text).utf8_string(); }

bool Record(TicketFormatDoc* doc, const vdx::FormatChangeValue& change, const wxString& name) {
    wxCommandProcessor* history = doc->GetCommandProcessor();
    if (!history) return false;
    auto* command = vdx::IsArrayChange(change.kind)
                        ? new FormatChangeCommand(doc, change.kind, change.array, name)
                        : new FormatChangeCommand(doc, change.kind, change.index, change.value, name);
    return history->Submit(command); // a failed command is deleted, not recorded
}

} // namespace

wxString FormatChangeName(vdx::FormatChange kind, int index) {
    return wxString::FromUTF8(vdx::WithoutFirstAmpersand(Translate(vdx::FormatChangeLabel(kind, index))));
}

bool SubmitFormatChange(TicketFormatDoc* doc, const vdx::FormatChangeValue& change, const wxString& name,
                        wxWindow* parent) {
    if (!doc) return false;
    if (change.kind == vdx::FormatChange::kSizeOfX) {
        const std::vector<vdx::SizeRaise> raises = doc->Format().sizeRaises(change.value);
        if (!raises.empty() && change.value >= vdx::kSizeOfXMin && change.value <= vdx::kSizeOfXMax) {
            const wxString text = wxString::FromUTF8(vdx::SizeRaiseMessage(raises));
            if (ShowMessage(text, wxOK | wxCANCEL | wxICON_INFORMATION, _(vdx::kFormatEditorTitle), parent) != wxOK)
                return false;
            for (const vdx::SizeRaise& raise : raises) {
                const vdx::FormatChangeValue raised = vdx::AsFormatChange(raise);
                Record(doc, raised, FormatChangeName(raised.kind, raised.index));
            }
        }
    }
    return Record(doc, change, name);
}

} // namespace vdx::gui
