#pragma once
// The application object: start-up, configuration, language, help, the
// document manager, the main frame and the log window.

#include "app/AppConfig.h"
#include "app/CommandLine.h"
#include "frame/MainFrame.h"

#include <wx/app.h>
#include <wx/weakref.h>

#include <functional>
#include <memory>

class MyDocManager;
class WxConfigStore;
class wxHtmlHelpController;
class wxLocale;
class wxLogWindow;
class wxConfigBase;

class VdxApp : public wxApp {
public:
    VdxApp();
    ~VdxApp() override;

    bool OnInit() override;
    int OnExit() override;

    // The running application when it is ours, else nullptr.
    static VdxApp* Get();

    vdx::AppConfig& Config() { return config_; }
    const vdx::AppConfig& Config() const { return config_; }
    MyDocManager* DocManager() const { return docManager_.get(); }
    MainFrame* Frame() const { return frame_; }
    wxLogWindow* LogWindow() const { return logWindow_; }
    // nullptr when no help book could be loaded.
    wxHtmlHelpController* Help() const { return help_.get(); }
    // The configuration for groups of their own (the format editor's recent
    // files); nullptr when the configuration file is not used.
    wxConfigBase* SettingsConfig() const;
    // The folder of the program file.
    const wxString& ProgramDir() const { return programDir_; }
    // The folder of the program's data: example, sample format, sound, help books.
    const wxString& DataDir() const { return dataDir_; }
    // The folders the program's own files live in, never offered for saving.
    wxArrayString ProgramFolders() const;
    // The language in use: "en", "de", "fr", "it", "nl" or "sv".
    const wxString& LanguageInUse() const { return languageInUse_; }

    // The data folder that belongs to a program folder.
    static wxString DataDirFor(const wxString& programDir);
    // Another folder for the program's files (tests run the program from elsewhere).
    void SetProgramDir(const wxString& dir);

    // Opens "example.vdx" of the program folder; Save then asks for a new name.
    void OpenExample();
    // Shows the log window and lists it in the window menu.
    void ShowLog();

    // The format editor's frame while it exists, and whether its format has
    // unsaved changes (asked before quitting). nullptr: there is none.
    void SetFormatEditor(wxFrame* editor, std::function<bool()> modified);
    wxFrame* FormatEditor() const { return formatEditor_; }
    bool FormatEditorModified() const;

    // Selects the ticket format file used for printing (empty: none) and
    // relabels Print Tickets.
    void SetTicketFormatFile(const wxString& path);

    // Opens a document file without asking for its type.
    void OpenFileSilently(const wxString& path);

private:
    void ParseArguments();
    void ReadConfiguration();
    void SeedRandom();
    void SelectLanguageAndHelp();
    void RegisterTemplates();
    void CreateMainFrame();
    void CreateLogWindow();
    bool OpenStartFile(); // false: usage error
    void ShowUsage();
    void DeleteConfiguration();
    void ReleaseAll(bool writeConfig);

    std::unique_ptr<MyDocManager> docManager_;
    std::unique_ptr<WxConfigStore> store_;
    // The configuration file cannot be parsed nor set aside: it is neither read nor written.
    bool configUnusable_ = false;
    std::unique_ptr<wxLocale> locale_;
    std::unique_ptr<wxHtmlHelpController> help_;
    vdx::AppConfig config_;
    vdx::CommandLineOptions options_;
    wxString programDir_;
    wxString dataDir_;
    wxString languageInUse_ = "en";
    wxWeakRef<MainFrame> frame_; // cleared when the frame is deleted
    wxLogWindow* logWindow_ = nullptr;
    wxWeakRef<wxFrame> formatEditor_;
    std::function<bool()> formatEditorModified_;
};

// The defaults that new documents take: the application's, or the built-in
// ones when no VdxApp runs.
const vdx::AppConfig& CurrentAppConfig();
