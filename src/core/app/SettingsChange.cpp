#include "app/SettingsChange.h"

#include "calc/LineScoring.h"
#include "text/Tr.h"

namespace vdx {

const char* const kTextRestartNote = N_("*) Please restart the application to apply the selected options!");
const char* const kTextSettingsChanged = N_("Settings changed");
const char* const kTitleSettings = N_("+++ Settings +++");

namespace {

// The value a box stands for: the next start's one where the setting waits for it.
bool* Target(Settings& s, SettingsBit bit) {
    switch (bit) {
    case kSettingBitmapsInMenus: return &s.nextBitmapsInMenus;
    case kSettingResetRandom: return &s.nextResetRandom;
    case kSettingMultiDocument: return &s.nextMultiDocument;
    case kSettingSortUnlikelyFirst: return &s.sortUnlikelyFirst;
    case kSettingStartFrozen: return &s.startFrozen;
    case kSettingRangesAbsolute: return &s.nextRangesAbsolute;
    default: return nullptr;
    }
}

} // namespace

const std::vector<SettingBox>& SettingsPageBoxes(int page) {
    static const std::vector<SettingBox> general = {
        {N_("Show bitmaps in menus. *)"), 7298, kSettingBitmapsInMenus},
        {N_("Sorting by probability displays the line with the most unlikely tips as first line."), 7302,
         kSettingSortUnlikelyFirst},
        {N_("Allow to open more than one document at the same time and to edit plain text files. *)"), 7301,
         kSettingMultiDocument},
        {N_("Conditions: Specify the number of matches instead of the range. *)"), 7304, kSettingRangesAbsolute},
    };
    static const std::vector<SettingBox> calculation = {
        {N_("Reset the random generator to the same value whenever the calculation is started. *)"), 7300,
         kSettingResetRandom},
        {N_("Show no progress in the Calculate Window from the beginning."), 7303, kSettingStartFrozen},
    };
    return page == kSettingsGeneral ? general : calculation;
}

const char* SettingsPageLabel(int page) {
    return page == kSettingsGeneral ? N_("General Settings") : N_("Calculation Settings");
}

const char* SettingsPageIntro(int page) {
    return page == kSettingsGeneral ? "" : N_("Options useful only for testing purposes:");
}

std::vector<bool> ShownSettings(const Settings& settings, int page) {
    Settings copy = settings;
    std::vector<bool> shown;
    for (const SettingBox& box : SettingsPageBoxes(page)) shown.push_back(*Target(copy, box.bit));
    return shown;
}

std::vector<bool> DefaultSettingBoxes(int page) {
    if (page != kSettingsGeneral) return {false, false};
    return {true, true, false, false};
}

SettingsApplied ApplySettingsPage(Settings& settings, int page, const std::vector<bool>& boxes) {
    SettingsApplied applied;
    const std::vector<SettingBox>& all = SettingsPageBoxes(page);
    for (size_t i = 0; i < all.size() && i < boxes.size(); ++i) {
        bool* target = Target(settings, all[i].bit);
        if (*target == boxes[i]) continue;
        *target = boxes[i];
        applied.changed = true;
        if (all[i].bit == kSettingSortUnlikelyFirst) applied.sortingChanged = true;
    }
    return applied;
}

bool ResortForSetting(PoolsDocument& doc, bool sortUnlikelyFirst) {
    doc.env.sortUnlikelyFirst = sortUnlikelyFirst;
    if (doc.sortMode != static_cast<int>(SortMode::ByProbability) || !doc.hasTips) return false;
    SortLines(doc, doc.sortMode);
    return true;
}

} // namespace vdx
