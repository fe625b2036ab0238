#include "frame/CommandRouting.h"

#include "app/Messages.h"
#include "app/MyDocManager.h"
#include "calc/CalculateCommand.h"
#include "calc/StatisticsWindow.h"
#include "document/VdxDocument.h"
#include "frame/CommandIds.h"
#include "app/VdxApp.h"
#include "view/ExportCommand.h"
#include "view/PrintCommands.h"
#include "view/PrintPreviewFrame.h"
#include "ticketprint/TicketPrinting.h"
#include "view/TicketPaging.h"
#include "view/VdxView.h"
#include "windows/ConditionsDialog.h"
#include "windows/ChartsFrame.h"
#include "windows/InputWindow.h"
#include "windows/OptionsDialog.h"

#include <wx/app.h>
#include <wx/intl.h>

namespace vdx::gui {

namespace {

// One whole sentence per command: the subject decides the rest of the sentence in other languages.
wxString WhatCommandOpens(int id) {
    switch (id) {
    case kIdInput: return _("The input window is not available yet.");
    case kIdCalculate: return _("The calculation window is not available yet.");
    default: return _("Paging and highlighting in the ticket view is not available yet.");
    }
}

} // namespace

void ShowNotAvailable(const wxString& message, wxWindow* parent) {
    ShowMessage(message, wxOK | wxICON_INFORMATION, ProgramTitle(), parent);
}

bool RouteDocumentCommand(VdxDocument* doc, int id) {
    if (!doc) return false;
    if (doc->Data().calculationRunning) {
        PlayWarningSound();
        return true;
    }
    if (id == kIdInput) {
        OpenInputWindow(doc);
        return true;
    }
    if (id == kIdCalculate) {
        RunCalculateCommand(doc);
        return true;
    }
    if (id == kIdStatistics) {
        OpenStatisticsWindow(doc);
        return true;
    }
    if (id == kIdCharts) {
        if (doc->Data().hasTips) OpenChartsFrame(doc);
        return true;
    }
    if (id == kIdOptions) {
        ShowDocumentOptions(doc);
        return true;
    }
    if (id == kIdConditions) {
        ShowConditions(doc);
        return true;
    }
    ShowNotAvailable(WhatCommandOpens(id), doc->GetDocumentWindow());
    return true;
}

std::optional<bool> DocumentCommandEnabled(const VdxDocument* doc, int id) {
    if (!doc) return false;
    switch (id) {
    case kIdCalculate: return CalculateEnabled(doc);
    case kIdCharts: return doc->Data().hasTips;
    default: return std::nullopt;
    }
}

bool RouteViewCommand(VdxView* view, int id) {
    if (!view) return false;
    if (view->DoCommand(id)) return true; // paging and highlighting
    if (id == kIdSaveAsText) {
        RunExportCommand(view);
        return true;
    }
    if (id == kIdPrintTickets) {
        PrintTickets(view);
        return true;
    }
    ShowNotAvailable(WhatCommandOpens(id), view->GetFrame());
    return true;
}

std::optional<bool> ViewCommandEnabled(const VdxView* view, int id) {
    const VdxDocument* doc = view ? view->Document() : nullptr;
    if (!doc) return false;
    switch (id) {
    case kIdNextTicket:
    case kIdPreviousTicket:
    case kIdLastTicket:
    case kIdFirstTicket:
    case kIdNextLine:
    case kIdPreviousLine:
    case kIdStopHighlighting: return view->CanDoCommand(id);
    case kIdSaveAsText: return view->Paging().lineTotal > 0;
    default: return std::nullopt;
    }
}

bool RoutePrintCommand(MyDocManager* manager, int id) {
    if (!manager) return false;
    VdxDocument* doc = manager->CurrentVdxDocument();
    auto* view = doc ? dynamic_cast<VdxView*>(doc->GetFirstView()) : nullptr;
    if (id == wxID_PRINT_SETUP) {
        wxWindow* parent = doc ? doc->GetDocumentWindow() : wxTheApp->GetTopWindow();
        ShowPrintSetup(parent);
        return true;
    }
    if (!view) return true; // only pools documents go on paper
    if (doc->Data().calculationRunning) {
        PlayWarningSound();
        return true;
    }
    if (id == wxID_PRINT) {
        VdxApp* app = VdxApp::Get();
        PrintDocument(view, app && app->Frame() ? static_cast<wxWindow*>(app->Frame()) : view->GetFrame());
    } else {
        ShowPrintPreview(view);
    }
    return true;
}

} // namespace vdx::gui
