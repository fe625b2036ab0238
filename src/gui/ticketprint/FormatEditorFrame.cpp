#include "ticketprint/FormatEditorFrame.h"

#include "app/MyDocManager.h"
#include "app/VdxApp.h"
#include "controls/Help.h"
#include "frame/CommandIds.h"
#include "frame/FrameBitmaps.h"
#include "frame/FrameCommands.h"
#include "frame/MenuBuilder.h"
#include "frame/WindowList.h"
#include "ticketprint/FormatCanvas.h"
#include "ticketprint/FormatEditing.h"
#include "ticketprint/FormatValueDialogs.h"
#include "ticketprint/TicketFormatDoc.h"
#include "ticketprint/TicketFormatView.h"

#include <wx/config.h>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/sizer.h>

using namespace vdx::gui;

namespace {

FormatEditorFrame* g_editor = nullptr;

// A second document manager would make itself the framework's global one;
// the program's main manager stays that.
class FormatDocManager : public MyDocManager {
public:
    explicit FormatDocManager(wxDocManager* main) {
        if (main) sm_docManager = main;
        SetSingleDocument(true);
    }
};

constexpr const char* kHistoryGroup = "/FormatEditor";

wxConfigBase* Settings() {
    VdxApp* app = VdxApp::Get();
    return app ? app->SettingsConfig() : nullptr;
}

} // namespace

FormatEditorFrame* FormatEditorFrame::Instance() { return g_editor; }

FormatEditorFrame* FormatEditorFrame::Open() {
    if (g_editor) {
        if (g_editor->IsIconized()) g_editor->Iconize(false);
        g_editor->Raise();
        return g_editor;
    }
    VdxApp* app = VdxApp::Get();
    auto manager = std::make_unique<FormatDocManager>(app ? app->DocManager() : nullptr);
    new wxDocTemplate(manager.get(), _("Ticketformat"), "*.vdf", wxEmptyString, "vdf", "Vdf Doc", "Vdf View",
                      CLASSINFO(TicketFormatDoc), CLASSINFO(TicketFormatView));
    auto* frame = new FormatEditorFrame(std::move(manager));
    frame->Centre();
    frame->Show();
    return frame;
}

void FormatEditorFrame::OpenFile(const wxString& path) {
    FormatEditorFrame* editor = Open();
    editor->Manager()->CreateDocument(path, wxDOC_SILENT);
}

FormatEditorFrame::FormatEditorFrame(std::unique_ptr<MyDocManager> manager)
    : wxDocParentFrame(manager.get(), nullptr, kIdFormatEditorFrame, _("VendrixPlanner Format Editor"),
                       wxDefaultPosition, wxSize(760, 550), wxDEFAULT_FRAME_STYLE, "frame"),
      manager_(std::move(manager)) {
    g_editor = this;
    SetIcons(FrameIcon("fussball"));

    const MenuOptions options = CurrentMenuOptions();
    wxMenuBar* bar = BuildMenuBar(FrameKind::FormatEditor, options);
    SetMenuBar(bar);
    if (wxConfigBase* config = Settings()) {
        const wxString path = config->GetPath();
        config->SetPath(kHistoryGroup);
        manager_->FileHistoryLoad(*config);
        config->SetPath(path);
    }
    if (wxMenu* file = bar->GetMenu(0)) manager_->FileHistoryUseMenu(file);
    BuildToolBar(this, FrameKind::FormatEditor, options);
    CreateStatusBar();

    canvas_ = new FormatCanvas(this);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(canvas_, 1, wxEXPAND);
    SetSizer(sizer);

    for (int id = kIdFormatInsertDirection; id <= kIdFormatLineGaps; ++id) {
        Bind(wxEVT_MENU, &FormatEditorFrame::OnValueCommand, this, id);
        Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(Document() != nullptr); }, id);
    }
    Bind(wxEVT_MENU, [](wxCommandEvent&) { ShowHelpSection(HelpSection::FormatEditor); }, kIdFormatEditorHelp);
    Bind(wxEVT_CLOSE_WINDOW, &FormatEditorFrame::OnClose, this);
    BindWindowMenuCommands(this);
    AppWindows().Register(this);

    if (VdxApp* app = VdxApp::Get()) app->SetFormatEditor(this, [this] {
        const TicketFormatDoc* doc = Document();
        return doc && doc->IsModified();
    });
}

FormatEditorFrame::~FormatEditorFrame() {
    ReleaseManager();
    if (g_editor == this) g_editor = nullptr;
    // The windows that go after this no longer reach the manager.
    m_docManager = nullptr;
    manager_.reset();
}

TicketFormatDoc* FormatEditorFrame::Document() const {
    return manager_ ? dynamic_cast<TicketFormatDoc*>(manager_->GetCurrentDocument()) : nullptr;
}

void FormatEditorFrame::OnValueCommand(wxCommandEvent& event) {
    TicketFormatDoc* doc = Document();
    if (!doc) return;
    const auto change = AskFormatChange(this, doc->Values(), event.GetId());
    if (!change) return;
    const vdx::FormatChange kind = FormatCommandKind(event.GetId());
    SubmitFormatChange(doc, *change, FormatChangeName(kind), this);
}

void FormatEditorFrame::OnClose(wxCloseEvent& event) {
    if (!manager_->Clear(!event.CanVeto())) {
        event.Veto();
        return;
    }
    Destroy();
}

void FormatEditorFrame::ReleaseManager() {
    if (released_) return;
    released_ = true;
    manager_->Clear(true);
    if (wxConfigBase* config = Settings()) {
        const wxString path = config->GetPath();
        config->SetPath(kHistoryGroup);
        manager_->FileHistorySave(*config);
        config->SetPath(path);
    }
    if (VdxApp* app = VdxApp::Get(); app && app->FormatEditor() == this) app->SetFormatEditor(nullptr, {});
    if (g_editor == this) g_editor = nullptr;
    AppWindows().Unregister(this);
}

bool FormatEditorFrame::Destroy() {
    ReleaseManager();
    return wxDocParentFrame::Destroy();
}
