#include "windows/SettingsDialog.h"

#include "app/AppLog.h"
#include "app/MyDocManager.h"
#include "app/SettingsChange.h"
#include "app/VdxApp.h"
#include "controls/Help.h"
#include "document/VdxDocument.h"
#include "windows/MyNotebook.h"

#include <wx/checkbox.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/weakref.h>

namespace vdx::gui {

namespace {

constexpr int kIdSettingsFrame = 7232;

wxWeakRef<SettingsFrame> g_settings;

class SettingsNotebook : public MyNotebook {
public:
    using MyNotebook::MyNotebook;
    void WriteChangeLog() override { AppLog(wxGetTranslation(kTextSettingsChanged)); }
};

// Documents sorted by probability follow the sorting setting at once.
void ResortDocuments(bool sortUnlikelyFirst) {
    VdxApp* app = VdxApp::Get();
    if (!app || !app->DocManager()) return;
    for (wxObject* object : app->DocManager()->GetDocuments()) {
        auto* doc = dynamic_cast<VdxDocument*>(object);
        if (doc && ResortForSetting(doc->Data(), sortUnlikelyFirst)) doc->UpdateAllViews();
    }
}

} // namespace

SettingsPage::SettingsPage(MyNotebook* book, int page)
    : NotebookPage(book, wxGetTranslation(SettingsPageLabel(page))), page_(page) {
    const wxString intro = *SettingsPageIntro(page) ? wxGetTranslation(SettingsPageIntro(page)) : wxString();
    if (!intro.empty()) Content()->Add(new wxStaticText(this, wxID_ANY, intro), 0, wxBOTTOM, FromDIP(8));
    for (const SettingBox& setting : SettingsPageBoxes(page)) {
        auto* box = new wxCheckBox(this, setting.id, wxGetTranslation(setting.label));
        box->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { ReadControls(); });
        Content()->Add(box, 0, wxBOTTOM, FromDIP(6));
        boxes_.push_back(box);
    }
    Content()->AddStretchSpacer();
    Content()->Add(new wxStaticText(this, wxID_ANY, wxGetTranslation(kTextRestartNote)), 0, wxTOP, FromDIP(8));
}

std::vector<bool> SettingsPage::BoxValues() const {
    std::vector<bool> values;
    for (wxCheckBox* box : boxes_) values.push_back(box->GetValue());
    return values;
}

void SettingsPage::ShowBoxes(const std::vector<bool>& values) {
    for (size_t i = 0; i < boxes_.size() && i < values.size(); ++i) boxes_[i]->SetValue(values[i]);
}

void SettingsPage::RefreshFromData() { ShowBoxes(ShownSettings(CurrentAppConfig().settings, page_)); }

void SettingsPage::ReadControls() {
    if (BoxValues() != ShownSettings(CurrentAppConfig().settings, page_)) ValuesChanged();
}

void SettingsPage::ResetToDefaults() { ShowBoxes(DefaultSettingBoxes(page_)); }

bool SettingsPage::ApplyPage() {
    VdxApp* app = VdxApp::Get();
    if (!app) return false;
    const SettingsApplied applied = ApplySettingsPage(app->Config().settings, page_, BoxValues());
    if (applied.sortingChanged) ResortDocuments(app->Config().settings.sortUnlikelyFirst);
    return applied.changed;
}

SettingsFrame::SettingsFrame()
    : MyNotebookFrame(nullptr, wxGetTranslation(kTitleSettings), wxPoint(120, 70), wxSize(500, 330),
                      kIdSettingsFrame) {}

int SettingsFrame::HelpSectionNumber() const { return HelpSection::Settings; }

void SettingsFrame::ForgetInOwner() {
    if (g_settings.get() == this) g_settings = nullptr;
}

SettingsFrame* FindSettings() {
    SettingsFrame* frame = g_settings.get();
    return frame && !frame->IsBeingDeleted() ? frame : nullptr;
}

SettingsFrame* ShowSettings() {
    if (SettingsFrame* open = FindSettings()) {
        RaiseNotebookFrame(open);
        return open;
    }
    auto* frame = new SettingsFrame;
    auto* book = new SettingsNotebook(frame);
    for (int page = 0; page < kSettingsPageCount; ++page) new SettingsPage(book, page);
    g_settings = frame;
    frame->Open();
    return frame;
}

} // namespace vdx::gui
