#include "GuiTestSupport.h"

#include "app/AppLog.h"
#include "controls/Sound.h"
#include "document/VdxFile.h"
#include "view/PagePrintout.h"

#include <wx/cmndata.h>
#include <wx/dcps.h>
#include <wx/frame.h>
#include <wx/generic/logg.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace vdx::guitest {

VdxApp& App() { return *VdxApp::Get(); }
MyDocManager& Manager() { return *App().DocManager(); }
MainFrame& Main() { return *App().Frame(); }

wxString LogText() {
    wxFrame* frame = App().LogWindow()->GetFrame();
    for (wxWindow* child : frame->GetChildren())
        if (auto* text = dynamic_cast<wxTextCtrl*>(child)) return text->GetValue();
    return {};
}

int Occurrences(const wxString& text, const wxString& part) {
    int n = 0;
    for (size_t at = text.find(part); at != wxString::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

void SendCommand(wxWindow* window, int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(window);
    window->ProcessWindowEvent(event);
}

bool IsEnabledIn(wxWindow* frame, int id) {
    wxUpdateUIEvent event(id);
    event.SetEventObject(frame);
    frame->ProcessWindowEvent(event);
    return !event.GetSetEnabled() || event.GetEnabled();
}

wxKeyEvent CharEvent(int key, bool ctrl, bool alt) {
    wxKeyEvent event(wxEVT_CHAR);
    event.m_keyCode = key;
    event.m_uniChar = key < WXK_START ? key : 0;
    event.SetControlDown(ctrl);
    event.SetAltDown(alt);
    return event;
}

CommandRecorder::CommandRecorder(wxWindow* window) : window_(window) {
    Bind(wxEVT_MENU, [this](wxCommandEvent& event) { ids.push_back(event.GetId()); });
    window_->PushEventHandler(this);
}

CommandRecorder::~CommandRecorder() { window_->PopEventHandler(); }

SoundCounter::SoundCounter() {
    vdx::gui::SetWarningSoundHook([this] { ++count; });
}

SoundCounter::~SoundCounter() { vdx::gui::SetWarningSoundHook({}); }

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

VdxDocument* Open(const fs::path& path) {
    return dynamic_cast<VdxDocument*>(Manager().CreateDocument(wxString(path.string()), wxDOC_SILENT));
}

void CloseAllDocuments() {
    for (wxObject* object : Manager().GetDocuments()) {
        auto* doc = static_cast<wxDocument*>(object);
        if (auto* pools = dynamic_cast<VdxDocument*>(doc)) pools->Data().calculationRunning = false;
        doc->Modify(false); // no save question
    }
    Manager().CloseDocuments(true);
    wxTheApp->ProcessIdle(); // windows closed with the documents are deleted when idle
}

fs::path MakeTempDir(const std::string& prefix) {
    std::error_code error;
    fs::path base = fs::temp_directory_path(error);
    if (error) base = "/tmp";
    std::string pattern = (base / (prefix + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) return {};
    return pattern;
}

namespace {

void MakeWritable(const fs::path& folder) {
    std::error_code ignored, walking;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (fs::directory_iterator it(folder, walking), end; !walking && it != end; it.increment(walking))
        if (!it->is_symlink(ignored) && it->is_directory(ignored)) MakeWritable(it->path());
}

} // namespace

void RemoveTree(const fs::path& folder) {
    if (folder.empty()) return;
    MakeWritable(folder);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

void AppTest::SetUp() {
    CloseAllDocuments();
    g_messages.clear();
    g_answer = wxNO;
    dir_ = MakeTempDir("vdxgui");
    ASSERT_FALSE(dir_.empty()) << "no temporary folder";
}

void AppTest::TearDown() {
    CloseAllDocuments();
    RemoveTree(dir_);
}

std::filesystem::path WriteCalculatedRound(const std::filesystem::path& path, int lines, int perTicket) {
    vdx::PoolsDocument doc;
    doc.linesPerTicket = perTicket;
    doc.lineCount = std::max(lines, 1);
    if (lines > 0) {
        doc.hasTips = true;
        doc.tipsUpToDate = true;
        doc.tipLineCount = lines;
        doc.tipMatchCount = doc.matchCount;
    }
    for (int m = 0; m < doc.matchCount; ++m) {
        vdx::MatchEntry& match = doc.match(m);
        match.name = "Home " + std::to_string(m + 1) + " - Away " + std::to_string(m + 1);
        match.result = m < 3 ? vdx::kTip1 : vdx::kTipNone;
        if (lines <= 0) continue;
        match.hasTips = true;
        match.tips.assign(vdx::kMaxLines, vdx::kNoTip);
        for (int j = 0; j < lines; ++j) match.tips[j] = static_cast<uint8_t>((j + m) % 3);
    }
    doc.recomputeCorrectTips();
    EXPECT_TRUE(vdx::SaveVdxFile(path.string(), doc).ok) << path;
    return path;
}

std::string PrintFirstPageToPostScript(vdx::gui::PagePrintout& printout, const std::filesystem::path& file) {
    wxPrintData data;
    data.SetFilename(file.string());
    data.SetPrintMode(wxPRINT_MODE_FILE);
    data.SetPaperId(wxPAPER_A4);
    {
        wxPostScriptDC dc(data);
        const bool started = dc.IsOk() && dc.StartDoc("VendrixPlanner");
        EXPECT_TRUE(started) << "no PostScript file " << file;
        if (!started) return {};
        dc.StartPage();
        EXPECT_TRUE(vdx::gui::PrintPageOnto(printout, dc, 1, dc.GetPPI().x));
        dc.EndPage();
        dc.EndDoc();
    }
    return ReadBytes(file);
}

} // namespace vdx::guitest
