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
    // False when the key is missing (value untouched).
    virtual bool ReadInt(const std::string& key, long& value) const = 0;
    virtual bool ReadString(const std::string& key, std::string& value) const = 0;
    virtual void WriteInt(const std::string& key, long value) = 0;
    virtual void WriteString(const std::string& key, const std::string& value) = 0;
    // Removes every entry; false on failure.
    virtual bool DeleteAll() = 0;
};

class MemoryConfigStore : public ConfigStore {
public:
    bool ReadInt(const std::string& key, long& value) const override;
    bool ReadString(const std::string& key, std::string& value) const override;
    void WriteInt(const std::string& key, long value) override;
    void WriteString(const std::string& key, const std::string& value) override;
    bool DeleteAll() override;

    std::map<std::string, std::string> entries;
};

// Reads every key with its default, clamped into its range.
AppConfig ReadAppConfig(const ConfigStore& store);
// Writes every key back (ranges converted to the unit chosen for the next start).
void WriteAppConfig(ConfigStore& store, const AppConfig& config);

// Range strings: six "%2X" numbers (lower/upper for three kinds).
std::string FormatRangeString(const int ranges[3][2]);
// Fills ranges from text, per pair falling back as the unit asks; bound = games (absolute) or 100.
void ParseRangeString(const std::string& text, bool absolute, int games, int ranges[3][2]);

} // namespace vdx
