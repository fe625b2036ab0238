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
#include <wx/display.h>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/sizer.h>

#include <algorithm>

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

// File, Edit, the window menu and Help; the recent files follow in the File menu.
const MenuTable& EditorMenus() {
    static const MenuTable table = {
        {wxTRANSLATE("&File"),
         {
             MenuItem(wxID_NEW, wxTRANSLATE("&New"), "Ctrl+N", wxTRANSLATE("creates a new document (Ctrl+N)"), "",
                      "new"),
             MenuItem(wxID_OPEN, wxTRANSLATE("&Open..."), "Ctrl+O", wxTRANSLATE("opens an existing document"),
                      "(Ctrl+O, Ctrl+F12)", "open"),
             MenuItem(wxID_CLOSE, wxTRANSLATE("&Close File"), "Ctrl+F4",
                      wxTRANSLATE("prompts you to save changes and closes the active document"), "(Ctrl+F4)"),
             MenuItem(wxID_SAVE, wxTRANSLATE("&Save"), "Ctrl+S",
                      wxTRANSLATE("saves the active document using the same filename"), "(Ctrl+S, Shift+F12)",
                      "save"),
             MenuItem(wxID_SAVEAS, wxTRANSLATE("Save &As..."), "Ctrl+U",
                      wxTRANSLATE("saves the active document to a specified file name"), "(Ctrl+U, F12)"),
             MenuSeparator(),
             MenuItem(wxID_EXIT, wxTRANSLATE("E&xit"), "Alt+F4",
                      wxTRANSLATE("prompts you to save changes and quits the Format Editor"), "(Alt+F4)",
                      "redcenter", true),
         }},
        {wxTRANSLATE("&Edit"),
         {
             MenuItem(wxID_UNDO, wxTRANSLATE("&Undo"), "Ctrl+Z", wxTRANSLATE("Undo the last action (Ctrl+Z)"), "",
                      "undo", true),
             MenuItem(wxID_REDO, wxTRANSLATE("&Redo"), "Ctrl+Y", wxTRANSLATE("Redo the previously undone action"),
                      "(Ctrl+Y)", "redo"),
             MenuSeparator(),
             MenuItem(kIdFormatInsertDirection, wxTRANSLATE("Insert Directi&on"), "Ctrl+R",
                      wxTRANSLATE("Specify with which side the ticket\nis inserted into the printer"), "(Ctrl+R)",
                      "wupdowngreen", true),
             MenuItem(kIdFormatJustification, wxTRANSLATE("&Justification"), "Ctrl+F",
                      wxTRANSLATE("Specify if the ticket is inserted on\nthe left, middle or right of the printer"),
                      "(Ctrl+F)", "insert"),
             MenuItem(kIdFormatOutputRatio, wxTRANSLATE("Output R&atio"), "Ctrl+A",
                      wxTRANSLATE("Specify the output ratio (Ctrl+A)"), "", "prozent"),
             MenuSeparator(),
             MenuItem(kIdFormatMatches, wxTRANSLATE("&Matches"), "Ctrl+G",
                      wxTRANSLATE("Specify the maximum number of matches that\ncan be printed on a ticket"),
                      "(Ctrl+G)", "disthorgreenhorizontal", true),
             MenuItem(kIdFormatLines, wxTRANSLATE("&Lines"), "Ctrl+L",
                      wxTRANSLATE("Specify the maximum number of lines that\ncan be printed on a ticket"),
                      "(Ctrl+L)", "disthorgreen"),
             MenuItem(kIdFormatTipsOrder, wxTRANSLATE("Tips Ord&er"), "Ctrl+E",
                      wxTRANSLATE("Specify how the tips are arranged\non the ticket"), "(Ctrl+E)", "x2i"),
             MenuSeparator(),
             MenuItem(kIdFormatSizeOfX, wxTRANSLATE("Size of '&X'"), "Ctrl+X",
                      wxTRANSLATE("Specify the size of the 'X' (Ctrl+X)"), "", "x", true),
             MenuItem(kIdFormatSpaceBetweenXs, wxTRANSLATE("Space &between 'X's"), "Ctrl+B",
                      wxTRANSLATE("Specify the space from the centre of an 'X'\nto the centre of the next 'X' "
                                  "within a line"),
                      "(Ctrl+B)", "xx"),
             MenuItem(kIdFormatSides, wxTRANSLATE("Spaces to Si&des"), "Ctrl+D",
                      wxTRANSLATE("Specify the spaces between the sides and the tips (Ctrl+D)"), "", "sides"),
             MenuItem(kIdFormatMatchGaps, wxTRANSLATE("Spaces between Ma&tches"), "Ctrl+T",
                      wxTRANSLATE("Specify the spaces between the matches"), "(Ctrl+T)", "spacematches"),
             MenuItem(kIdFormatLineGaps, wxTRANSLATE("Spaces between L&ines"), "Ctrl+I",
                      wxTRANSLATE("Specify the spaces between the lines"), "(Ctrl+I)", "spacelines"),
         }},
        WindowMenuDef(),
        {wxTRANSLATE("&Help"),
         {
             MenuItem(kIdFormatEditorHelp, wxTRANSLATE("Format Editor &Help"), "F1",
                      wxTRANSLATE("displays help on the format editor"), "(F1)"),
         }},
    };
    return table;
}

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

void FormatEditorFrame::GrowToShow(const wxSize& content) {
    if (IsMaximized() || IsIconized()) return;
    // The canvas fills the client area and always shows its scroll bars.
    const wxSize scrollBars(wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this),
                            wxSystemSettings::GetMetric(wxSYS_HSCROLL_Y, this));
    const wxSize outside = GetSize() - GetClientSize() + scrollBars;
    wxSize wanted = GetSize();
    wanted.IncTo(content + outside);
    const wxRect screen = wxDisplay(this).GetClientArea();
    wanted.DecTo(screen.GetSize());
    if (wanted == GetSize()) return;
    SetSize(wanted);
    // Keep it on the screen: it may have grown past the right or bottom edge.
    wxPoint place = GetPosition();
    place.x = std::max(screen.x, std::min(place.x, screen.GetRight() + 1 - wanted.x));
    place.y = std::max(screen.y, std::min(place.y, screen.GetBottom() + 1 - wanted.y));
    Move(place);
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

    BuildWindowMenusAndTools(this, EditorMenus(), CurrentMenuOptions());
    wxMenuBar* bar = GetMenuBar();
    if (wxConfigBase* config = Settings()) {
        const wxString path = config->GetPath();
        config->SetPath(kHistoryGroup);
        manager_->FileHistoryLoad(*config);
        config->SetPath(path);
    }
    if (wxMenu* file = bar->GetMenu(0)) manager_->FileHistoryUseMenu(file);
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
