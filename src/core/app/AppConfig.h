#pragma once
// Program-wide defaults and settings as read from the configuration store.
// New documents take their options and conditions from here.

#include <array>
#include <string>

namespace vdx {

struct DefaultOptions {
    int matchCount = 12;          // "Games"
    int lineCount = 20;           // "Tips"
    int linesPerTicket = 12;      // "TipsPerPage"
    int rounds = 100;             // "Tries"
    int unsuccessfulTries = 1000; // "Tilts"
    int upToDifference = 5;       // "Diff"
    int extraTries = 1000;        // "ExtraTilts"
    int sortMode = 0;             // "Sort"
    bool decimalPoint = false;    // "Separator"
    bool zeroForDraw = false;     // "0forX"
};

struct DefaultConditions {
    std::array<bool, 3> enabled{};                 // "ConditionsEnabled"
    std::array<bool, 3> useInCalc{true, true, true}; // written at exit, never read
    std::array<bool, 14> noDuplicates;             // "ConditionsDuplicate"
    int ranges[2][3][2];                           // "Conditions1X2", "ConditionsFavorites"
    int limit = 2;                                 // "ConditionsLimit"

    DefaultConditions() {
        noDuplicates.fill(true);
        for (auto& g : ranges)
            for (auto& k : g) k[0] = k[1] = 100;
    }
};

constexpr int kMaxCalculationThreads = 64;

// Settings bits of the "Settings" key.
enum SettingsBit {
    kSettingBitmapsInMenus = 0,
    kSettingReserved = 1,
    kSettingResetRandom = 2,
    kSettingMultiDocument = 3,
    kSettingSortUnlikelyFirst = 4,
    kSettingStartFrozen = 5,
    kSettingRangesAbsolute = 6,
};

// Bits 0, 2, 3 and 6 take effect at the next start: we keep the value in effect
// for this run and the value to store for the next one. Bits 4 and 5 act at once.
struct Settings {
    bool bitmapsInMenus = true, nextBitmapsInMenus = true;
    bool reservedBit1 = true;   // bit 1 is not ours to interpret: kept as read
    bool resetRandom = false, nextResetRandom = false;
    bool multiDocument = false, nextMultiDocument = false;
    bool sortUnlikelyFirst = true;
    bool startFrozen = false;
    bool rangesAbsolute = false, nextRangesAbsolute = false;
    // Threads the calculation runs its rounds on ("Threads"); 0: one per processor.
    int calculationThreads = 0;
};

struct AppConfig {
    DefaultOptions options;
    DefaultConditions conditions;
    Settings settings;
    std::string language = "nx";
    std::string ticketFormat;
};

} // namespace vdx
