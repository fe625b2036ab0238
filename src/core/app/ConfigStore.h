#pragma once
// Key/value access to the per-user configuration. The GUI backs it with
// wxFileConfig; tests use MemoryConfigStore.

#include "app/AppConfig.h"

#include <map>
#include <string>

namespace vdx {

class ConfigStore {
public:
    virtual ~ConfigStore() = default;
    // False when the key is missing or not a number (value untouched).
    virtual bool ReadInt(const std::string& key, long& value) const = 0;
    virtual bool ReadString(const std::string& key, std::string& value) const = 0;
    virtual void WriteInt(const std::string& key, long value) = 0;
    virtual void WriteString(const std::string& key, const std::string& value) = 0;
    // Removes every entry; false on failure.
    virtual bool DeleteAll() = 0;
};

// A whole decimal number as the store holds it: blanks, an optional sign, the
// digits, blanks. Anything else ("1e5", "0x10", "12abc", "", a value beyond
// long) is no number, and value is left as it was.
bool ParseConfigNumber(const std::string& text, long& value);

class MemoryConfigStore : public ConfigStore {
public:
    bool ReadInt(const std::string& key, long& value) const override;
    bool ReadString(const std::string& key, std::string& value) const override;
    void WriteInt(const std::string& key, long value) override;
    void WriteString(const std::string& key, const std::string& value) override;
    bool DeleteAll() override;

    std::map<std::string, std::string> entries;
};

// Configuration key names.
namespace key {
inline constexpr const char* kGames = option::kMatches.configKey;
inline constexpr const char* kTips = option::kLines.configKey;
inline constexpr const char* kTipsPerPage = option::kLinesPerTicket.configKey;
inline constexpr const char* kTries = option::kRounds.configKey;
inline constexpr const char* kTilts = option::kUnsuccessfulTries.configKey;
inline constexpr const char* kDiff = option::kDifference.configKey;
inline constexpr const char* kExtraTilts = option::kExtraTries.configKey;
inline constexpr const char* kSearchSeconds = option::kSearchSeconds.configKey;
inline constexpr const char* kSort = option::kSortMode.configKey;
inline constexpr const char* kSeparator = option::kDecimalPoint.configKey;
inline constexpr const char* kZeroForX = option::kZeroForDraw.configKey;
inline constexpr const char* kLanguage = "Language";
inline constexpr const char* kTicketformat = "Ticketformat";
inline constexpr const char* kSettings = "Settings";
inline constexpr const char* kConditionsEnabled = "ConditionsEnabled";
inline constexpr const char* kConditionsDuplicate = "ConditionsDuplicate";
inline constexpr const char* kConditions1X2 = "Conditions1X2";
inline constexpr const char* kConditionsFavorites = "ConditionsFavorites";
inline constexpr const char* kConditionsLimit = "ConditionsLimit";
inline constexpr const char* kConditionsUseInCalc = "ConditionsUseInCalc";
inline constexpr const char* kThreads = "Threads";
} // namespace key

constexpr int kDefaultSettingsBits = 19; // bits 0, 1 and 4

// The "Settings" bit set: read sets both values of each pair to the stored bit.
Settings SettingsFromBits(long bits);
// The value stored for the next start: the "next" half of each pair, bit 1 as read.
int SettingsToBits(const Settings& settings);

// Reads every key with its default, clamped into its range.
AppConfig ReadAppConfig(const ConfigStore& store);
// Writes every key back (ranges converted to the unit chosen for the next start).
void WriteAppConfig(ConfigStore& store, const AppConfig& config);

// Range strings: six "%2X" numbers (lower/upper for three kinds); values are
// clamped to 0..100 so that each always takes exactly two characters.
std::string FormatRangeString(const int ranges[3][2]);
// Fills ranges from text, per pair falling back as the unit asks; bound = games (absolute) or 100.
void ParseRangeString(const std::string& text, bool absolute, int games, int ranges[3][2]);

// The ranges of both groups in the unit chosen for the next start: converted
// when it differs from the unit in effect, with E = games / 3 for every kind.
void RangesForNextStart(const AppConfig& config, int out[2][3][2]);

// --- The configuration file -----------------------------------------------------

// Larger than any file the program writes by far; such a file is not ours.
constexpr size_t kMaxConfigFileBytes = 1024 * 1024;

// Whether text reads as a configuration file line by line without a line the
// store would complain about: blank lines, comments (";" or "#"), group headers
// "[...]" and "key=value" lines whose key holds no blank, each key once per
// group; valid UTF-8 without NUL bytes, at most kMaxConfigFileBytes.
bool ConfigTextParses(const std::string& text);

struct ConfigFileCheck {
    bool broken = false;  // the file could not be parsed
    bool movedAside = false;
    std::string movedTo;  // its new name, when moved
    std::string error;    // why it could not be moved, when not
};

// A configuration file at path that cannot be parsed is renamed beside itself
// ("NAME.bad", or "NAME.bad-<date and time>" when that exists), so that the
// program starts on its defaults and does not write the garbage back. A missing
// or good file is left alone.
ConfigFileCheck SetAsideBrokenConfigFile(const std::string& path);

} // namespace vdx
