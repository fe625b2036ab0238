#include "windows/ConditionsDialog.h"

#include "app/AppLog.h"
#include "app/Messages.h"
#include "app/VdxApp.h"
#include "controls/Help.h"
#include "document/VdxDocument.h"
#include "windows/ConditionPages.h"
#include "windows/DocumentWindows.h"

#include <wx/intl.h>
#include <wx/weakref.h>

namespace vdx::gui {

namespace {

wxWeakRef<ConditionsFrame> g_defaultConditions;

ConditionsFrame* Build(VdxDocument* doc) {
    const bool defaults = doc == nullptr;
    const wxString title = defaults ? wxString::FromUTF8(ConditionsFrameTitle("", true))
                                    : DocumentWindowTitle(doc, DocWindow::Conditions);
    auto* frame = new ConditionsFrame(doc, title);
    auto* book = new ConditionsNotebook(frame, defaults);
    new DuplicatesPage(book);
    new RangePage(book, 0);
    new RangePage(book, 1);
    new LimitPage(book);
    frame->Prepare();
    if (doc) doc->Subscribe(frame, [book](DocumentChange) { book->Follow(); });
    return frame;
}

} // namespace

// ---------------------------------------------------------------------------

ConditionsNotebook::ConditionsNotebook(MyNotebookFrame* frame, bool defaults)
    : MyNotebook(frame), defaults_(defaults) {
    context_ = CurrentContext();
    shown_ = lastStored_ = Stored();
    loaded_ = true;
    // The defaults send no notices: the window looks at them when the program is idle.
    if (defaults_)
        Bind(wxEVT_IDLE, [this](wxIdleEvent& event) {
            event.Skip();
            Follow();
        });
}

ConditionValues ConditionsNotebook::Stored() const {
    if (defaults_) return ConditionsOf(CurrentAppConfig().conditions);
    VdxDocument* doc = Frame()->Document();
    return doc ? ConditionsOf(doc->Data()) : shown_;
}

ConditionContext ConditionsNotebook::CurrentContext() const {
    if (defaults_) return DefaultsContext(CurrentAppConfig());
    VdxDocument* doc = Frame()->Document();
    return doc ? ContextOf(doc->Data()) : context_;
}

const DefaultConditions& ConditionsNotebook::DefaultsForReset() const { return CurrentAppConfig().conditions; }

bool ConditionsNotebook::WritePage(int page) {
    if (defaults_) {
        VdxApp* app = VdxApp::Get();
        if (!app) return false;
        ConditionValues target = ConditionsOf(app->Config().conditions);
        TakePage(target, shown_, page);
        return ApplyDefaultConditions(app->Config(), target).pages[page];
    }
    VdxDocument* doc = Frame()->Document();
    if (!doc) return false;
    if (doc->Data().calculationRunning) {
        if (page == kPageDuplicates) PlayWarningSound(); // once for all pages
        return false;
    }
    ConditionValues target = ConditionsOf(doc->Data());
    TakePage(target, shown_, page);
    return ApplyConditions(doc->Data(), target).pages[page];
}

void ConditionsNotebook::Reload() {
    const ConditionValues stored = Stored();
    if (!loaded_ || !Pending()) shown_ = stored;
    lastStored_ = stored;
    context_ = CurrentContext();
    loaded_ = true;
    RefreshAllFromData();
}

void ConditionsNotebook::Follow() {
    if (!loaded_) return;
    if (Stored() != lastStored_ || CurrentContext() != context_) Reload();
}

void ConditionsNotebook::RecomputeAfterChange() {
    if (VdxDocument* doc = Frame()->Document()) {
        // ApplyConditions derived the bounds and the condition state already.
        doc->Modify(true);
        doc->UpdateAllViews();
    }
    Reload();
}

void ConditionsNotebook::WriteChangeLog() {
    VdxDocument* doc = Frame()->Document();
    const std::string title = doc ? doc->GetUserReadableName().utf8_string() : std::string();
    AppLog(wxString::FromUTF8(ConditionsChangedLogLine(title, defaults_)));
}

// ---------------------------------------------------------------------------

ConditionsFrame::ConditionsFrame(VdxDocument* doc, const wxString& title)
    : MyNotebookFrame(doc, title, wxPoint(100, 50), wxSize(692, 332)) {}

int ConditionsFrame::HelpSectionNumber() const {
    return Document() ? HelpSection::DocumentConditions : HelpSection::Defaults;
}

void ConditionsFrame::ForgetInOwner() {
    if (g_defaultConditions.get() == this) g_defaultConditions = nullptr;
}

ConditionsNotebook* ConditionsFrame::Conditions() const { return dynamic_cast<ConditionsNotebook*>(Book()); }

ConditionsFrame* FindConditions(const VdxDocument* doc) {
    return FindDocumentWindow<ConditionsFrame>(doc, DocWindow::Conditions);
}

ConditionsFrame* ShowConditions(VdxDocument* doc) {
    return OpenDocumentWindow<ConditionsFrame>(doc, DocWindow::Conditions, [doc] { return Build(doc); });
}

ConditionsFrame* FindDefaultConditions() {
    ConditionsFrame* frame = g_defaultConditions.get();
    return frame && !frame->IsBeingDeleted() ? frame : nullptr;
}

ConditionsFrame* ShowDefaultConditions() {
    if (ConditionsFrame* open = FindDefaultConditions()) {
        RaiseNotebookFrame(open);
        return open;
    }
    g_defaultConditions = Build(nullptr);
    g_defaultConditions->Open();
    return g_defaultConditions.get();
}

} // namespace vdx::gui
