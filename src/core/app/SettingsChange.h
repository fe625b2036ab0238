#pragma once
// The settings window's two pages of check boxes: what each box shows, what
// "&default" puts into them, and what applying a page does to the settings.

#include "app/AppConfig.h"
#include "document/PoolsDocument.h"

#include <array>
#include <vector>

namespace vdx {

enum SettingsPageIndex : int { kSettingsGeneral = 0, kSettingsCalculation = 1, kSettingsPageCount = 2 };

struct SettingBox {
    const char* label; // untranslated
    int id;            // command id of the check box
    SettingsBit bit;
};

// The boxes of a page, top to bottom.
const std::vector<SettingBox>& SettingsPageBoxes(int page);
const char* SettingsPageLabel(int page);
// Text above the boxes ("" for none) and the note under them.
const char* SettingsPageIntro(int page);
extern const char* const kTextRestartNote;
extern const char* const kTextSettingsChanged;
extern const char* const kTitleSettings;

// What the boxes of a page show: a setting for the next start shows the value
// chosen for it, one that acts at once the value in effect.
std::vector<bool> ShownSettings(const Settings& settings, int page);
// "&default": bitmaps on, unlikely lines first on, the rest off.
std::vector<bool> DefaultSettingBoxes(int page);

struct SettingsApplied {
    bool changed = false;          // "Settings changed" goes to the log
    bool sortingChanged = false;   // documents sorted by probability are sorted again
};
// Writes the boxes of a page into the settings.
SettingsApplied ApplySettingsPage(Settings& settings, int page, const std::vector<bool>& boxes);

// After the sorting setting changed: the document takes it, and when its lines
// are sorted by probability they are sorted again. True when they were.
bool ResortForSetting(PoolsDocument& doc, bool sortUnlikelyFirst);

} // namespace vdx
