#pragma once
// Program-wide defaults and settings as read from the configuration store.
// New documents take their options and conditions from here.

#include "options/OptionLimits.h"

#include <array>
#include <string>

namespace vdx {

// Longest deeper search after the rounds, in seconds.
constexpr int kMaxSearchSeconds = option::kSearchSeconds.maximum;

struct DefaultOptions {
    int matchCount = option::kMatches.byDefault;
    int lineCount = option::kLines.byDefault;
    int linesPerTicket = option::kLinesPerTicket.byDefault;
    int rounds = option::kRounds.byDefault;
    int unsuccessfulTries = option::kUnsuccessfulTries.byDefault;
    int upToDifference = option::kDifference.byDefault;
    int extraTries = option::kExtraTries.byDefault;
    int sortMode = option::kSortMode.byDefault;
    bool decimalPoint = option::kDecimalPoint.byDefault != 0;
    bool zeroForDraw = option::kZeroForDraw.byDefault != 0;
    int searchSeconds = option::kSearchSeconds.byDefault;
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
