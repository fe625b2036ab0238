#include "frame/CommandRouting.h"

#include "app/Messages.h"
#include "app/MyDocManager.h"
#include "document/VdxDocument.h"
#include "frame/CommandIds.h"
#include "view/TicketPaging.h"
#include "view/VdxView.h"

#include <wx/intl.h>

namespace vdx::gui {

namespace {

wxString WhatCommandOpens(int id) {
    switch (id) {
    case kIdInput: return _("The input window");
    case kIdOptions: return _("The options dialog");
    case kIdCalculate: return _("The calculation window");
    case kIdStatistics: return _("The statistics window");
    case kIdConditions: return _("The conditions dialog");
    case kIdCharts: return _("The charts window");
    case kIdSaveAsText: return _("The text export");
    case kIdPrintTickets: return _("Ticket printing");
    case wxID_PRINT: return _("Printing");
    case wxID_PRINT_SETUP: return _("The print setup");
    case wxID_PREVIEW: return _("The print preview");
    default: return _("Paging and highlighting in the ticket view");
    }
}

} // namespace

void ShowNotAvailable(const wxString& what, wxWindow* parent) {
    ShowMessage(wxString::Format(_("%s is not available yet."), what), wxOK | wxICON_INFORMATION,
                ProgramTitle(), parent);
}

bool RouteDocumentCommand(VdxDocument* doc, int id) {
    if (!doc) return false;
    if (doc->Data().calculationRunning) {
        PlayWarningSound();
        return true;
    }
    ShowNotAvailable(WhatCommandOpens(id), doc->GetDocumentWindow());
    return true;
}

std::optional<bool> DocumentCommandEnabled(const VdxDocument* doc, int id) {
    if (!doc) return false;
    switch (id) {
    case kIdCalculate: return !doc->Data().calculationRunning;
    case kIdCharts: return doc->Data().hasTips;
    default: return std::nullopt;
    }
}

bool RouteViewCommand(VdxView* view, int id) {
    if (!view) return false;
    ShowNotAvailable(WhatCommandOpens(id), view->GetFrame());
    return true;
}

std::optional<bool> ViewCommandEnabled(const VdxView* view, int id) {
    const VdxDocument* doc = view ? view->Document() : nullptr;
    if (!doc) return false;
    // Taken afresh from the document: the view keeps no position yet.
    TicketPaging paging;
    paging.recount(doc->Data());
    switch (id) {
    case kIdNextTicket:
    case kIdPreviousTicket:
    case kIdLastTicket:
    case kIdFirstTicket: return paging.canPageTickets();
    case kIdNextLine:
    case kIdPreviousLine: return paging.canMoveHighlight();
    case kIdStopHighlighting: return paging.canStopHighlighting();
    case kIdSaveAsText: return paging.lineTotal > 0;
    default: return std::nullopt;
    }
}

bool RoutePrintCommand(MyDocManager* manager, int id) {
    if (!manager) return false;
    ShowNotAvailable(WhatCommandOpens(id));
    return true;
}

} // namespace vdx::gui
