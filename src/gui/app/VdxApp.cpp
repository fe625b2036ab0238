#include "app/VdxApp.h"

#include "app/InstallLayout.h"

#include "app/AppLog.h"
#include "app/ConfigStore.h"
#include "app/Messages.h"
#include "app/MyDocManager.h"
#include "app/WxConfigStore.h"
#include "calc/EngineRandom.h"
#include "controls/Help.h"
#include "document/VdxDocument.h"
#include "frame/FrameCommands.h"
#include "frame/MainFrame.h"
#include "frame/WindowList.h"
#include "text/Tr.h"
#include "ticketprint/FormatEditorFrame.h"
#include "view/TextEditDocument.h"
#include "view/VdxView.h"

#include <wx/datetime.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/fs_arc.h>
#include <wx/generic/logg.h>
#include <wx/html/helpctrl.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include <clocale>
#include <string>
#include <vector>

using namespace vdx::gui;

namespace {

bool FileExists(const std::string& path) { return wxFileName::FileExists(wxString::FromUTF8(path)); }

// Two-letter code of the system's language, "en" when unknown.
std::string SystemLanguageCode() {
    const int language = wxLocale::GetSystemLanguage();
    if (language == wxLANGUAGE_UNKNOWN || language == wxLANGUAGE_DEFAULT) return "en";
    return wxLocale::GetLanguageCanonicalName(language).Left(2).Lower().utf8_string();
}

} // namespace

VdxApp::VdxApp() = default;
VdxApp::~VdxApp() = default;

VdxApp* VdxApp::Get() { return dynamic_cast<VdxApp*>(wxApp::GetInstance()); }

const vdx::AppConfig& CurrentAppConfig() {
    static const vdx::AppConfig builtIn;
    const VdxApp* app = VdxApp::Get();
    return app ? app->Config() : builtIn;
}

wxString VdxApp::DataDirFor(const wxString& programDir) {
    return wxString::FromUTF8(vdx::DataDirectory(
        programDir.utf8_string(), [](const std::string& path) { return wxFileName::DirExists(wxString::FromUTF8(path)); }));
}

void VdxApp::SetProgramDir(const wxString& dir) {
    programDir_ = dir;
    dataDir_ = DataDirFor(dir);
}

wxArrayString VdxApp::ProgramFolders() const {
    wxArrayString folders;
    folders.Add(programDir_);
    if (dataDir_ != programDir_) folders.Add(dataDir_);
    return folders;
}

bool VdxApp::OnInit() {
    // The base OnInit is not called: our command line has its own rules.
    SetAppName("VendrixPlanner");
    SetProgramDir(wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath());
    // The help books show pictures of the windows.
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    docManager_ = std::make_unique<MyDocManager>();

    ParseArguments();
    ReadConfiguration();
    docManager_->SetSingleDocument(!config_.settings.multiDocument);
    if (!config_.settings.resetRandom) SeedRandom();
    SelectLanguageAndHelp();
    RegisterTemplates();
    CreateMainFrame();
    CreateLogWindow();
    AppLog(_("Start of the application"));

    bool usage = options_.usageError;
    if (!options_.filePath.empty() && !OpenStartFile()) usage = true;
    if (usage) ShowUsage();

    if (options_.deleteConfig) {
        DeleteConfiguration();
        ReleaseAll(false);
        return false;
    }
    return true;
}

int VdxApp::OnExit() {
    ReleaseAll(!options_.deleteConfig);
    return wxApp::OnExit();
}

void VdxApp::ParseArguments() {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(argv[i].utf8_string());
    options_ = vdx::ParseCommandLine(args, FileExists);
}

void VdxApp::ReadConfiguration() {
    const wxString path = WxConfigStore::DefaultPath();
    const vdx::ConfigFileCheck check = vdx::SetAsideBrokenConfigFile(path.utf8_string());
    if (check.movedAside) {
        ShowMessage(wxString::Format(_("The configuration file %s cannot be read and was renamed to %s.\n"
                                       "The program starts with the default settings."),
                                     path, wxString::FromUTF8(check.movedTo)),
                    wxOK | wxICON_WARNING);
    } else if (check.broken) {
        ShowMessage(wxString::Format(_("The configuration file %s cannot be read (%s).\n"
                                       "The program starts with the default settings."),
                                     path, wxString::FromUTF8(check.error)),
                    wxOK | wxICON_WARNING);
    }
    if (check.broken && !check.movedAside) {
        // Left where it is: not read (no box per bad line) and not written over.
        wxLogNull quiet;
        store_ = std::make_unique<WxConfigStore>(path);
        configUnusable_ = true;
        config_ = vdx::ReadAppConfig(vdx::MemoryConfigStore());
        return;
    }
    store_ = std::make_unique<WxConfigStore>(path);
    config_ = vdx::ReadAppConfig(*store_);
    config_.conditions.useInCalc = {true, true, true};
}

void VdxApp::SeedRandom() {
    const wxDateTime now = wxDateTime::UNow();
    const auto seconds = static_cast<uint32_t>(now.GetTicks());
    vdx::GlobalRandom().Seed(seconds * 1024u + static_cast<uint32_t>(now.GetMillisecond()));
}

void VdxApp::SelectLanguageAndHelp() {
    if (!options_.language.empty()) config_.language = options_.language;
    const vdx::LanguageChoice choice = vdx::ChooseLanguage(
        config_.language, SystemLanguageCode(), dataDir_.utf8_string());
    languageInUse_ = wxString::FromUTF8(choice.code);

    {
        // A locale missing on this system is not worth a message: texts stay English.
        wxLogNull quiet;
        locale_ = std::make_unique<wxLocale>();
        if (choice.code == "en") {
            locale_->Init(wxLANGUAGE_ENGLISH, wxLOCALE_DONT_LOAD_DEFAULT);
        } else {
            wxLocale::AddCatalogLookupPathPrefix(wxString::FromUTF8(choice.catalogDir));
            wxLocale::AddCatalogLookupPathPrefix(
                wxString::FromUTF8(vdx::CatalogDirectory(programDir_.utf8_string())));
            const wxLanguageInfo* info = wxLocale::FindLanguageInfo(languageInUse_);
            locale_->Init(info ? info->Language : wxLANGUAGE_ENGLISH);
            locale_->AddCatalog("vdx");
        }
    }
    // Numbers in files and texts are formatted by our own rules, never by the locale's.
    std::setlocale(LC_NUMERIC, "C");
    // The core makes its sentences from format strings translated here.
    vdx::SetTranslator(
        [](const char* msgid) { return wxGetTranslation(wxString::FromUTF8(msgid)).utf8_string(); },
        [](const char* singular, const char* plural, long n) {
            return wxGetTranslation(wxString::FromUTF8(singular), wxString::FromUTF8(plural),
                                    static_cast<unsigned>(n < 0 ? -n : n))
                .utf8_string();
        });

    wxFileSystem::AddHandler(new wxArchiveFSHandler);
    help_ = std::make_unique<wxHtmlHelpController>();
    // A language without a book of its own gets the English one.
    const bool helpReady = InitializeHelp(*help_, wxString::FromUTF8(choice.helpFile),
                                          EnglishHelpBase(dataDir_));
    if (!helpReady) {
        help_.reset();
        if (!wxGetEnv("VDX_NO_HELP_WARNING", nullptr))
            ShowMessage(_("Cannot initialize the help system."), wxOK | wxICON_ERROR);
    }
}

void VdxApp::RegisterTemplates() {
    new wxDocTemplate(docManager_.get(), _("Ticket"), "*.vdx", wxEmptyString, "vdx", "Vdx Doc",
                      "Vdx View", CLASSINFO(VdxDocument), CLASSINFO(VdxView));
    // Several documents at once: plain text files can be edited too.
    if (config_.settings.multiDocument) RegisterTextTemplate(docManager_.get());
}

void VdxApp::CreateMainFrame() {
    frame_ = new MainFrame(docManager_.get(), config_.options.matchCount, CurrentMenuOptions());
    frame_->Centre();
    frame_->Show();
    SetTopWindow(frame_);
    docManager_->FileHistoryLoad(store_->Config());
    AppWindows().Register(frame_);
}

void VdxApp::CreateLogWindow() {
    logWindow_ = new wxLogWindow(frame_, _("Log"), false, true);
    SetAppLogWindow(logWindow_);
}

bool VdxApp::OpenStartFile() {
    const vdx::StartFile start = vdx::ResolveStartFile(
        options_.filePath, wxGetCwd().utf8_string(), FileExists);
    if (start.usageError) return false;
    const wxString path = wxString::FromUTF8(start.path);
    if (start.kind == vdx::StartFileKind::Vdf) {
        FormatEditorFrame::OpenFile(path);
        return true;
    }
    OpenFileSilently(path);
    return true;
}

void VdxApp::OpenFileSilently(const wxString& path) {
    // A file of a known kind goes to its template; any other one to the only
    // template there is (the framework asks only when there are several).
    const long flags = docManager_->FindTemplateForPath(path) ? wxDOC_SILENT : 0;
    docManager_->CreateDocument(path, flags);
}

void VdxApp::ShowUsage() {
    const wxString program = wxFileName(argv[0]).GetFullName();
    ShowMessage(wxString::FromUTF8(vdx::UsageText(program.utf8_string())),
                wxOK | wxICON_INFORMATION, _("Usage"));
}

void VdxApp::DeleteConfiguration() {
    if (store_->DeleteAll())
        ShowMessage(wxString::Format(_("Entries in the configuration file %s successfully deleted"), store_->Path()),
                    wxOK | wxICON_INFORMATION);
    else
        ShowMessage(wxString::Format(_("Error deleting entries in the configuration file %s"), store_->Path()),
                    wxOK | wxICON_ERROR);
}

void VdxApp::OpenExample() {
    if (docManager_->AnyCalculationRunning()) {
        PlayWarningSound();
        return;
    }
    const wxString path = wxFileName(dataDir_, "example.vdx").GetFullPath();
    // Marked also when it was open already: the example itself stays as shipped.
    if (auto* doc = dynamic_cast<VdxDocument*>(docManager_->CreateDocument(path, wxDOC_SILENT)))
        doc->Data().saveAsOnSave = true;
}

void VdxApp::ShowLog() {
    if (docManager_->AnyCalculationRunning()) {
        PlayWarningSound();
        return;
    }
    if (!logWindow_) return;
    wxFrame* logFrame = logWindow_->GetFrame();
    if (logFrame && !AppWindows().Contains(logFrame)) AppWindows().Register(logFrame);
    logWindow_->Show();
    if (logFrame) logFrame->Raise();
}

wxConfigBase* VdxApp::SettingsConfig() const {
    return store_ && !configUnusable_ ? &store_->Config() : nullptr;
}

void VdxApp::SetFormatEditor(wxFrame* editor, std::function<bool()> modified) {
    formatEditor_ = editor;
    formatEditorModified_ = editor ? std::move(modified) : std::function<bool()>();
}

bool VdxApp::FormatEditorModified() const {
    return formatEditor_ && formatEditorModified_ && formatEditorModified_();
}

void VdxApp::SetTicketFormatFile(const wxString& path) {
    config_.ticketFormat = path.utf8_string();
    RefreshPrintTicketsLabels();
}

// Ends the run in order: documents, frames, then the configuration with the file history.
void VdxApp::ReleaseAll(bool writeConfig) {
    if (docManager_) docManager_->CloseDocuments(true);
    // Normally already gone (closing it ends the run); after a failed start not.
    if (frame_) frame_->Destroy();
    SetAppLogWindow(nullptr);
    if (store_ && configUnusable_) {
        store_.reset();
    } else if (store_) {
        if (writeConfig) {
            vdx::WriteAppConfig(*store_, config_);
            docManager_->FileHistorySave(store_->Config());
        }
        if (!store_->Flush()) wxLogError(_("The settings could not be written to %s."), store_->Path());
        store_.reset();
    }
    docManager_.reset();
    help_.reset();
}
