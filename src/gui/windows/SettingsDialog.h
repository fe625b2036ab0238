#pragma once
// The settings window ("+++ Settings +++", "&More Options"): the program-wide
// settings as check boxes on the pages "General Settings" and "Calculation
// Settings". Some act at once, those marked "*)" at the next start.

#include "windows/MyNotebookFrame.h"
#include "windows/NotebookPage.h"

#include <vector>

class wxCheckBox;

namespace vdx::gui {

class SettingsPage : public NotebookPage {
public:
    SettingsPage(MyNotebook* book, int page);

    void RefreshFromData() override;
    bool ApplyPage() override;
    void ReadControls() override;
    void ResetToDefaults() override;

    wxCheckBox* Box(int index) const { return boxes_[static_cast<size_t>(index)]; }
    int BoxCount() const { return static_cast<int>(boxes_.size()); }

private:
    std::vector<bool> BoxValues() const;
    void ShowBoxes(const std::vector<bool>& values);

    int page_;
    std::vector<wxCheckBox*> boxes_;
};

class SettingsFrame : public MyNotebookFrame {
public:
    SettingsFrame();
    int HelpSectionNumber() const override;
    void ForgetInOwner() override;
};

// The settings window, created or raised.
SettingsFrame* ShowSettings();
SettingsFrame* FindSettings();

} // namespace vdx::gui
