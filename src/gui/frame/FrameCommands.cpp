#include "frame/FrameCommands.h"

#include "app/Messages.h"
#include "app/MyDocManager.h"
#include "app/VdxApp.h"
#include "controls/Help.h"
#include "document/ImportCommand.h"
#include "document/VdxDocument.h"
#include "frame/AboutDialog.h"
#include "frame/CommandIds.h"
#include "frame/CommandRouting.h"
#include "frame/LanguageDialog.h"
#include "frame/WindowList.h"
#include "ticketprint/FormatEditorFrame.h"
#include "ticketprint/TicketPrinting.h"
#include "view/VdxView.h"
#include "windows/ConditionsDialog.h"
#include "windows/OptionsDialog.h"
#include "windows/SettingsDialog.h"

#include <wx/docview.h>
#include <wx/intl.h>
#include <wx/menu.h>

namespace vdx::gui {

namespace {

bool CalculationRunning() {
    VdxApp* app = VdxApp::Get();
    return app && app->DocManager() && app->DocManager()->AnyCalculationRunning();
}

bool SingleDocumentMode() {
    VdxApp* app = VdxApp::Get();
    return !app || !app->Config().settings.multiDocument;
}

void ShowHelpContents() {
    if (CalculationRunning()) {
        PlayWarningSound();
        return;
    }
    ShowHelpSection(HelpSection::Contents);
}

} // namespace

MenuOptions CurrentMenuOptions() {
    MenuOptions options;
    if (VdxApp* app = VdxApp::Get()) {
        options.single = !app->Config().settings.multiDocument;
        options.bitmapsInMenus = app->Config().settings.bitmapsInMenus;
        options.ticketFormatFile = wxString::FromUTF8(app->Config().ticketFormat);
    }
    return options;
}

VdxDocument* FrameDocument(wxFrame* frame) {
    if (auto* child = dynamic_cast<wxDocChildFrame*>(frame))
        return dynamic_cast<VdxDocument*>(child->GetDocument());
    VdxApp* app = VdxApp::Get();
    return app && app->DocManager() ? app->DocManager()->CurrentVdxDocument() : nullptr;
}

VdxView* FrameView(wxFrame* frame) {
    if (auto* child = dynamic_cast<wxDocChildFrame*>(frame))
        return dynamic_cast<VdxView*>(child->GetView());
    VdxDocument* doc = FrameDocument(frame);
    return doc ? dynamic_cast<VdxView*>(doc->GetFirstView()) : nullptr;
}

void UpdateCommandState(wxFrame* frame, FrameKind kind, wxUpdateUIEvent& event) {
    const int id = event.GetId();
    if (id == kIdWindowClose) {
        event.Enable(kind != FrameKind::Main);
        return;
    }
    if (id >= kIdSaveAsText && id <= kIdPreviousLine) {
        VdxDocument* doc = FrameDocument(frame);
        if (!doc) {
            event.Enable(false);
        } else if (id >= kIdInput && id < kIdNextTicket) {
            event.Enable(true);
        } else if (id == kIdCalculate || id == kIdCharts) {
            event.Enable(DocumentCommandEnabled(doc, id).value_or(true));
        } else {
            event.Enable(ViewCommandEnabled(FrameView(frame), id).value_or(true));
        }
        return;
    }
    if (id == kIdPrintTickets) {
        VdxApp* app = VdxApp::Get();
        const VdxDocument* doc = FrameDocument(frame);
        const bool formatSelected = app && !app->Config().ticketFormat.empty();
        event.Enable(formatSelected && (doc ? doc->Data().hasTips : !SingleDocumentMode()));
        return;
    }
    event.Skip(); // the rest are always enabled or decided elsewhere
}

void BindFrameCommands(wxFrame* frame, FrameKind kind) {
    frame->Bind(wxEVT_MENU, [](wxCommandEvent&) {
        if (VdxApp* app = VdxApp::Get()) app->OpenExample();
    }, kIdExample);
    frame->Bind(wxEVT_MENU, [](wxCommandEvent&) {
        if (VdxApp* app = VdxApp::Get()) app->ShowLog();
    }, kIdShowLog);
    frame->Bind(wxEVT_MENU, [](wxCommandEvent&) { ShowHelpContents(); }, wxID_HELP_CONTENTS);
    frame->Bind(wxEVT_MENU, [frame](wxCommandEvent&) {
        AboutDialog about(frame);
        about.ShowModal();
    }, wxID_ABOUT);
    frame->Bind(wxEVT_MENU, [frame](wxCommandEvent&) { RunLanguageDialog(frame); }, kIdLanguage);
    frame->Bind(wxEVT_MENU, [](wxCommandEvent&) { ShowDefaultOptions(); }, kIdDefaultOptions);
    frame->Bind(wxEVT_MENU, [](wxCommandEvent&) { ShowDefaultConditions(); }, kIdDefaultConditions);
    frame->Bind(wxEVT_MENU, [](wxCommandEvent&) { ShowSettings(); }, kIdMoreOptions);
    frame->Bind(wxEVT_MENU, [](wxCommandEvent&) { FormatEditorFrame::Open(); }, kIdFormatEditor);
    frame->Bind(wxEVT_MENU, [frame](wxCommandEvent&) { RunImportCommand(frame); }, kIdImportText);
    frame->Bind(wxEVT_MENU, [frame](wxCommandEvent&) { SelectTicketFormat(frame); }, kIdSelectFormat);
    for (int id : {kIdCalculate, kIdCharts, kIdInput, kIdOptions, kIdConditions, kIdStatistics}) {
        frame->Bind(wxEVT_MENU, [frame](wxCommandEvent& event) {
            if (!RouteDocumentCommand(FrameDocument(frame), event.GetId())) event.Skip();
        }, id);
    }
    for (int id : {kIdSaveAsText, kIdStopHighlighting, kIdNextTicket, kIdPreviousTicket,
                   kIdLastTicket, kIdFirstTicket, kIdNextLine, kIdPreviousLine, kIdPrintTickets}) {
        frame->Bind(wxEVT_MENU, [frame](wxCommandEvent& event) {
            if (!RouteViewCommand(FrameView(frame), event.GetId())) event.Skip();
        }, id);
    }
    BindWindowMenuCommands(frame);
    frame->Bind(wxEVT_UPDATE_UI, [frame, kind](wxUpdateUIEvent& event) {
        UpdateCommandState(frame, kind, event);
    }, kIdWindowMinimize, kIdTextChildFrame);
}

void RefreshPrintTicketsLabels(wxFrame* only) {
    VdxApp* app = VdxApp::Get();
    if (!app) return;
    DropPrintFormat(); // the next print reads the selected file again
    const wxString label = PrintTicketsLabel(wxString::FromUTF8(app->Config().ticketFormat));
    auto relabel = [&label](wxFrame* frame) {
        wxMenuBar* bar = frame ? frame->GetMenuBar() : nullptr;
        if (bar && bar->FindItem(kIdPrintTickets)) bar->SetLabel(kIdPrintTickets, label);
    };
    if (only) {
        relabel(only);
        return;
    }
    if (SingleDocumentMode()) {
        relabel(app->Frame());
        return;
    }
    if (!app->DocManager()) return;
    for (wxObject* object : app->DocManager()->GetDocuments()) {
        auto* doc = dynamic_cast<wxDocument*>(object);
        if (!doc || !doc->GetDocumentTemplate() ||
            doc->GetDocumentTemplate()->GetDocumentName() != "Vdx Doc")
            continue;
        for (wxObject* viewObject : doc->GetViews())
            if (auto* view = dynamic_cast<wxView*>(viewObject)) relabel(dynamic_cast<wxFrame*>(view->GetFrame()));
    }
}

} // namespace vdx::gui
