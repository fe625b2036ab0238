// The settings window's pages: what the boxes show, their defaults, what
// applying writes, and re-sorting documents sorted by probability.

#include "TestLines.h"

#include "app/SettingsChange.h"
#include "calc/LineScoring.h"

#include <gtest/gtest.h>

namespace vdx {
namespace {

TEST(SettingsTest, BoxesShowTheNextStartOrTheValueInEffect) {
    Settings s;
    s.bitmapsInMenus = true;
    s.nextBitmapsInMenus = false;     // chosen for the next start
    s.multiDocument = false;
    s.nextMultiDocument = true;
    s.rangesAbsolute = true;
    s.nextRangesAbsolute = false;
    s.sortUnlikelyFirst = false;
    s.resetRandom = true;
    s.nextResetRandom = false;
    s.startFrozen = true;
    EXPECT_EQ(ShownSettings(s, kSettingsGeneral), (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(ShownSettings(s, kSettingsCalculation), (std::vector<bool>{false, true}));
    EXPECT_EQ(SettingsPageBoxes(kSettingsGeneral)[1].id, 7302);
    EXPECT_EQ(SettingsPageBoxes(kSettingsCalculation)[0].id, 7300);
}

TEST(SettingsTest, Defaults) {
    EXPECT_EQ(DefaultSettingBoxes(kSettingsGeneral), (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(DefaultSettingBoxes(kSettingsCalculation), (std::vector<bool>{false, false}));
}

TEST(SettingsTest, ApplyingSetsNextStartValuesAndImmediateOnes) {
    struct Case {
        int page;
        std::vector<bool> boxes;
        bool changed, sorting;
    };
    const Case cases[] = {
        {kSettingsGeneral, {true, true, false, false}, false, false}, // as stored
        {kSettingsGeneral, {false, true, false, false}, true, false},
        {kSettingsGeneral, {true, false, false, false}, true, true},
        {kSettingsGeneral, {true, true, true, true}, true, false},
        {kSettingsCalculation, {false, false}, false, false},
        {kSettingsCalculation, {true, true}, true, false},
    };
    for (const Case& c : cases) {
        Settings s; // bitmaps on, unlikely first on, the rest off
        const SettingsApplied applied = ApplySettingsPage(s, c.page, c.boxes);
        EXPECT_EQ(applied.changed, c.changed) << c.page;
        EXPECT_EQ(applied.sortingChanged, c.sorting) << c.page;
        EXPECT_EQ(ShownSettings(s, c.page), c.boxes);
        // Settings for the next start leave the running program alone.
        EXPECT_TRUE(s.bitmapsInMenus);
        EXPECT_FALSE(s.multiDocument);
        EXPECT_FALSE(s.rangesAbsolute);
        EXPECT_FALSE(s.resetRandom);
    }
    Settings s;
    ApplySettingsPage(s, kSettingsCalculation, {true, true});
    EXPECT_TRUE(s.nextResetRandom);
    EXPECT_TRUE(s.startFrozen) << "acts at once";
}

TEST(SettingsTest, OnlyDocumentsSortedByProbabilityAreSortedAgain) {
    // Probabilities 400/300/300: "111" is the most likely line, "XX2" among the least.
    const std::vector<std::string> lines = {"111", "XX2", "1X1", "2X1"};
    PoolsDocument byProbability = testlines::WithLines(lines);
    byProbability.sortMode = static_cast<int>(SortMode::ByProbability);
    byProbability.env.sortUnlikelyFirst = false;
    SortLines(byProbability, byProbability.sortMode);
    ASSERT_EQ(testlines::LineText(byProbability, 0), "111");

    PoolsDocument byTips = testlines::WithLines(lines);
    byTips.sortMode = static_cast<int>(SortMode::ByTips);
    const std::vector<std::string> before = testlines::AllLines(byTips);

    EXPECT_TRUE(ResortForSetting(byProbability, true));
    EXPECT_NE(testlines::LineText(byProbability, 0), "111");
    EXPECT_EQ(testlines::LineText(byProbability, byProbability.tipLineCount - 1), "111");
    EXPECT_FALSE(ResortForSetting(byTips, true));
    EXPECT_EQ(testlines::AllLines(byTips), before);
    EXPECT_TRUE(byTips.env.sortUnlikelyFirst) << "takes the setting for a later sort";
}

} // namespace
} // namespace vdx
