#include "calc/CalculateCommand.h"

#include "app/Messages.h"
#include "app/MyDocManager.h"
#include "app/VdxApp.h"
#include "calc/CalculationRun.h"
#include "calc/CalculationWindow.h"
#include "document/VdxDocument.h"
#include "view/VdxView.h"
#include "windows/DocumentWindows.h"

#include <wx/intl.h>
#include <wx/weakref.h>

#include <algorithm>

namespace vdx::gui {

namespace {

bool AnyCalculationRunning() {
    VdxApp* app = VdxApp::Get();
    return app && app->DocManager() && app->DocManager()->AnyCalculationRunning();
}

wxString DocumentWindowTitle(VdxDocument* doc) {
    wxWindow* window = doc->GetDocumentWindow();
    if (window && !window->GetLabel().empty()) return window->GetLabel();
    return doc->GetUserReadableName();
}

void SetMainStatus(const wxString& text) {
    VdxApp* app = VdxApp::Get();
    MainFrame* frame = app ? app->Frame() : nullptr;
    if (frame && frame->GetStatusBar()) frame->SetStatusText(text, 0);
}

// The lines of a calculation may bring condition rows the ticket had no room
// for; the ticket views check their window size at their next drawing.
void FitTicketViews(VdxDocument* doc) {
    for (wxObject* view : doc->GetViews())
        if (auto* ticketView = dynamic_cast<VdxView*>(view)) ticketView->RequestLayout();
}

} // namespace

bool CalculateEnabled(const VdxDocument* doc) {
    if (!doc || doc->Data().calculationRunning) return false;
    return !AnyCalculationRunning();
}

bool RunCalculateCommand(VdxDocument* doc) {
    if (!doc) return false;
    PoolsDocument& data = doc->Data();
    if (data.calculationRunning) return false;
    // One calculation at a time: another one would run inside this one's turns
    // of the event loop and hold it up until it ends.
    if (AnyCalculationRunning()) {
        PlayWarningSound();
        return false;
    }

    const wxString title = DocumentWindowTitle(doc);
    wxWindow* parent = doc->GetDocumentWindow();
    const StartCheck check = CheckCalculationStart(data, [&](StartQuestion question, const std::string& text) {
        const wxString boxTitle = question == StartQuestion::kPartialData ? title : ProgramTitle();
        return ShowMessage(wxString::FromUTF8(text.c_str()), wxYES_NO | wxICON_QUESTION, boxTitle, parent) == wxYES;
    });
    if (check.verdict == StartVerdict::kRefused) {
        ShowMessage(wxString::FromUTF8(check.message.c_str()), wxOK | wxICON_INFORMATION, ProgramTitle(), parent);
        return false;
    }
    if (check.verdict != StartVerdict::kCalculate) return false;

    data.lastCalculationText.clear();
    FitTicketViews(doc);
    SetMainStatus(_("Calculating, please wait ..."));

    const int rounds = vdx::option::kRounds.Clamp(data.rounds);
    const int tries = vdx::option::kUnsuccessfulTries.Clamp(data.unsuccessfulTries);
    const int extraTries = vdx::option::kExtraTries.Clamp(data.extraTries);
    const int difference = vdx::option::kDifference.Clamp(data.upToDifference);
    // Takes the place of the document's earlier calculation window.
    auto* window = new CalculationWindow(doc, rounds, tries, extraTries, difference);
    AttachDocumentWindow(doc, DocWindow::Calculation, window);
    window->Show();

    const VdxApp* app = VdxApp::Get();
    const Settings settings = app ? app->Config().settings : Settings();
    if (settings.startFrozen) window->Freeze(true);

    CalcOptions options;
    options.resetRandom = settings.resetRandom;
    // The rounds run on worker threads; this thread only shows them and takes the requests.
    options.threads = settings.calculationThreads;
    options.keepCallerFree = true;
    options.documentTitle = doc->GetUserReadableName().utf8_string();
    wxWeakRef<CalculationWindow> live(window);
    CalculationDriver driver(window);
    const CalcResult result = RunCalculation(data, options, &driver);

    // The write-back changed the lines (or at least the recorded conditions).
    if (data.modified) doc->Modify(true);
    // Again: a repaint while the run served the event loop used up the first request.
    FitTicketViews(doc);
    doc->NotifyChange(DocumentChange::Tips);

    const wxString elapsed = wxString::FromUTF8(data.lastCalculationText.c_str());
    SetMainStatus(wxString::Format(_("Last calculation: time spent: %s"), elapsed));
    if (live) live->Finish(elapsed);
    // The start checks refuse a document the engine cannot take; this is the engine's own refusal.
    if (!result.ran && !result.message.empty())
        ShowMessage(wxString::FromUTF8(result.message.c_str()), wxOK | wxICON_ERROR, ProgramTitle(), parent);
    return result.ran;
}

} // namespace vdx::gui
