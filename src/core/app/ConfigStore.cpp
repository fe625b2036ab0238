#include "app/ConfigStore.h"

#include "calc/Conditions.h"
#include "document/PoolsDocument.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <set>
#include <sys/stat.h>

namespace vdx {

// --- MemoryConfigStore ---------------------------------------------------------

bool ParseConfigNumber(const std::string& text, long& value) {
    size_t i = 0;
    const auto blank = [&text](size_t at) { return text[at] == ' ' || text[at] == '\t'; };
    while (i < text.size() && blank(i)) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const size_t digits = i;
    long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int d = text[i] - '0';
        if (v > (LONG_MAX - d) / 10) return false; // beyond long
        v = v * 10 + d;
    }
    if (i == digits) return false;
    while (i < text.size() && blank(i)) ++i;
    if (i != text.size()) return false;
    value = negative ? -v : v;
    return true;
}

bool MemoryConfigStore::ReadInt(const std::string& key, long& value) const {
    auto it = entries.find(key);
    return it != entries.end() && ParseConfigNumber(it->second, value);
}

bool MemoryConfigStore::ReadString(const std::string& key, std::string& value) const {
    auto it = entries.find(key);
    if (it == entries.end()) return false;
    value = it->second;
    return true;
}

void MemoryConfigStore::WriteInt(const std::string& key, long value) {
    entries[key] = std::to_string(value);
}

void MemoryConfigStore::WriteString(const std::string& key, const std::string& value) {
    entries[key] = value;
}

bool MemoryConfigStore::DeleteAll() {
    entries.clear();
    return true;
}

// --- Settings bits ---------------------------------------------------------------

namespace {

bool Bit(long bits, int bit) { return (bits >> bit) & 1; }

} // namespace

Settings SettingsFromBits(long bits) {
    Settings s;
    s.bitmapsInMenus = s.nextBitmapsInMenus = Bit(bits, kSettingBitmapsInMenus);
    s.reservedBit1 = Bit(bits, kSettingReserved);
    s.resetRandom = s.nextResetRandom = Bit(bits, kSettingResetRandom);
    s.multiDocument = s.nextMultiDocument = Bit(bits, kSettingMultiDocument);
    s.sortUnlikelyFirst = Bit(bits, kSettingSortUnlikelyFirst);
    s.startFrozen = Bit(bits, kSettingStartFrozen);
    s.rangesAbsolute = s.nextRangesAbsolute = Bit(bits, kSettingRangesAbsolute);
    return s;
}

int SettingsToBits(const Settings& s) {
    int bits = 0;
    auto set = [&bits](bool on, int bit) {
        if (on) bits |= 1 << bit;
    };
    set(s.nextBitmapsInMenus, kSettingBitmapsInMenus);
    set(s.reservedBit1, kSettingReserved);
    set(s.nextResetRandom, kSettingResetRandom);
    set(s.nextMultiDocument, kSettingMultiDocument);
    set(s.sortUnlikelyFirst, kSettingSortUnlikelyFirst);
    set(s.startFrozen, kSettingStartFrozen);
    set(s.nextRangesAbsolute, kSettingRangesAbsolute);
    return bits;
}

// --- Range strings ---------------------------------------------------------------

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// One pair as written by "%2X": leading blanks, an optional sign, hex digits and
// nothing after them. False when it is no such number.
bool ParseHexPair(const std::string& pair, int& value) {
    size_t i = 0;
    while (i < pair.size() && pair[i] == ' ') ++i;
    bool negative = false;
    if (i < pair.size() && (pair[i] == '-' || pair[i] == '+')) negative = pair[i++] == '-';
    if (i == pair.size()) return false;
    int v = 0;
    for (; i < pair.size(); ++i) {
        const int d = HexDigit(pair[i]);
        if (d < 0) return false;
        v = v * 16 + d;
    }
    value = negative ? -v : v;
    return true;
}

} // namespace

std::string FormatRangeString(const int ranges[3][2]) {
    std::string text;
    for (int k = 0; k < 3; ++k)
        for (int b = 0; b < 2; ++b) {
            char pair[8];
            std::snprintf(pair, sizeof pair, "%2X", static_cast<unsigned>(std::clamp(ranges[k][b], 0, 100)));
            text += pair;
        }
    return text;
}

void ParseRangeString(const std::string& text, bool absolute, int games, int ranges[3][2]) {
    // In numbers of matches 0 is the widest setting, in percent 100 is.
    const int fallback = absolute ? 0 : 100;
    const int bound = absolute ? games : 100;
    for (int p = 0; p < 6; ++p) {
        const size_t at = static_cast<size_t>(p) * 2;
        int value = fallback;
        if (at < text.size() && ParseHexPair(text.substr(at, 2), value)) {
            if (value < 0 || value > bound) value = fallback;
        } else {
            value = fallback;
        }
        ranges[p / 2][p % 2] = value;
    }
}

void RangesForNextStart(const AppConfig& config, int out[2][3][2]) {
    for (int g = 0; g < 2; ++g)
        for (int k = 0; k < 3; ++k)
            for (int b = 0; b < 2; ++b) out[g][k][b] = config.conditions.ranges[g][k][b];
    const Settings& s = config.settings;
    if (s.nextRangesAbsolute == s.rangesAbsolute) return;
    const int n = config.options.matchCount;
    const float e = static_cast<float>(n) / 3.0f;
    const float expected[3] = {e, e, e};
    for (int g = 0; g < 2; ++g) ConvertRangesUnit(out[g], n, expected, s.nextRangesAbsolute);
}

// --- Reading and writing ---------------------------------------------------------------

namespace {

int ReadClamped(const ConfigStore& store, const char* name, long fallback, long lo, long hi) {
    long v = fallback;
    store.ReadInt(name, v);
    return static_cast<int>(std::clamp(v, lo, hi));
}

int ReadClamped(const ConfigStore& store, const OptionLimits& field) {
    return ReadClamped(store, field.configKey, field.byDefault, field.minimum, field.maximum);
}

bool ReadFlag(const ConfigStore& store, const char* name, long fallback) {
    long v = fallback;
    store.ReadInt(name, v);
    return v != 0;
}

std::string ReadText(const ConfigStore& store, const char* name, const std::string& fallback) {
    std::string v = fallback;
    store.ReadString(name, v);
    return v;
}

} // namespace

AppConfig ReadAppConfig(const ConfigStore& store) {
    AppConfig c;
    DefaultOptions& o = c.options;
    o.matchCount = ReadClamped(store, option::kMatches);
    o.lineCount = ReadClamped(store, option::kLines);
    o.linesPerTicket = ReadClamped(store, option::kLinesPerTicket);
    o.rounds = ReadClamped(store, option::kRounds);
    o.unsuccessfulTries = ReadClamped(store, option::kUnsuccessfulTries);
    o.upToDifference = ReadClamped(store, option::kDifference);
    o.extraTries = ReadClamped(store, option::kExtraTries);
    o.searchSeconds = ReadClamped(store, option::kSearchSeconds);
    o.sortMode = ReadClamped(store, option::kSortMode);
    // Any number but 0 is on.
    o.decimalPoint = ReadFlag(store, key::kSeparator, option::kDecimalPoint.byDefault);
    o.zeroForDraw = ReadFlag(store, key::kZeroForX, option::kZeroForDraw.byDefault);

    c.language = ReadText(store, key::kLanguage, "nx");
    c.ticketFormat = ReadText(store, key::kTicketformat, "");

    long settings = kDefaultSettingsBits;
    store.ReadInt(key::kSettings, settings);
    c.settings = SettingsFromBits(settings);
    c.settings.calculationThreads = ReadClamped(store, key::kThreads, 0, 0, kMaxCalculationThreads);

    DefaultConditions& d = c.conditions;
    const int enabled = ReadClamped(store, key::kConditionsEnabled, 0, 0, 8);
    for (int i = 0; i < 3; ++i) d.enabled[i] = Bit(enabled, i);
    d.useInCalc = {true, true, true};
    const int duplicate = ReadClamped(store, key::kConditionsDuplicate, 0x3FFF, 0, 0x3FFF);
    for (int i = 0; i < kMaxMatches; ++i) d.noDuplicates[i] = Bit(duplicate, i);
    d.limit = ReadClamped(store, key::kConditionsLimit, 2, 0, o.matchCount);

    // The bound of a range value depends on "Games" and on the unit bit, read above.
    ParseRangeString(ReadText(store, key::kConditions1X2, ""), c.settings.rangesAbsolute,
                     o.matchCount, d.ranges[0]);
    ParseRangeString(ReadText(store, key::kConditionsFavorites, ""), c.settings.rangesAbsolute,
                     o.matchCount, d.ranges[1]);
    return c;
}

void WriteAppConfig(ConfigStore& store, const AppConfig& c) {
    const DefaultOptions& o = c.options;
    store.WriteInt(key::kGames, o.matchCount);
    store.WriteInt(key::kTips, o.lineCount);
    store.WriteInt(key::kTipsPerPage, o.linesPerTicket);
    store.WriteInt(key::kTries, o.rounds);
    store.WriteInt(key::kTilts, o.unsuccessfulTries);
    store.WriteInt(key::kDiff, o.upToDifference);
    store.WriteInt(key::kExtraTilts, o.extraTries);
    store.WriteInt(key::kSearchSeconds, o.searchSeconds);
    store.WriteInt(key::kSort, o.sortMode);
    store.WriteInt(key::kSeparator, o.decimalPoint ? 1 : 0);
    store.WriteInt(key::kZeroForX, o.zeroForDraw ? 1 : 0);
    store.WriteString(key::kLanguage, c.language);
    store.WriteString(key::kTicketformat, c.ticketFormat);
    store.WriteInt(key::kSettings, SettingsToBits(c.settings));
    store.WriteInt(key::kThreads, c.settings.calculationThreads);

    const DefaultConditions& d = c.conditions;
    long enabled = 0, useInCalc = 0, duplicate = 0;
    for (int i = 0; i < 3; ++i) {
        if (d.enabled[i]) enabled |= 1L << i;
        if (d.useInCalc[i]) useInCalc |= 1L << i;
    }
    for (int i = 0; i < kMaxMatches; ++i)
        if (d.noDuplicates[i]) duplicate |= 1L << i;
    store.WriteInt(key::kConditionsEnabled, enabled);
    store.WriteInt(key::kConditionsUseInCalc, useInCalc);
    store.WriteInt(key::kConditionsDuplicate, duplicate);

    int ranges[2][3][2];
    RangesForNextStart(c, ranges);
    store.WriteString(key::kConditions1X2, FormatRangeString(ranges[0]));
    store.WriteString(key::kConditionsFavorites, FormatRangeString(ranges[1]));
    store.WriteInt(key::kConditionsLimit, d.limit);
}

// --- The configuration file ---------------------------------------------------------

namespace {

bool ValidUtf8(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        size_t follow;
        if (c < 0x80)
            follow = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            follow = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            follow = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            follow = 3;
        else
            return false;
        if (i + follow >= text.size() && follow > 0) return false;
        for (size_t k = 1; k <= follow; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += 1 + follow;
    }
    return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

} // namespace

bool ConfigTextParses(const std::string& text) {
    if (text.size() > kMaxConfigFileBytes) return false;
    if (text.find('\0') != std::string::npos || !ValidUtf8(text)) return false;
    std::set<std::string> keys; // "group\nkey" of the lines seen
    std::string group;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        size_t i = 0;
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i == line.size() || line[i] == ';' || line[i] == '#') continue;
        if (line[i] == '[') {
            const size_t close = line.find(']', i);
            if (close == std::string::npos) return false;
            size_t after = close + 1;
            while (after < line.size() && IsBlank(line[after])) ++after;
            if (after < line.size() && line[after] != ';' && line[after] != '#') return false;
            group = line.substr(i + 1, close - i - 1);
            continue;
        }
        size_t k = i;
        while (k < line.size() && line[k] != '=' && !IsBlank(line[k])) ++k;
        const std::string key = line.substr(i, k - i);
        while (k < line.size() && IsBlank(line[k])) ++k;
        if (key.empty() || k == line.size() || line[k] != '=') return false;
        if (!keys.insert(group + '\n' + key).second) return false;
    }
    return true;
}

namespace {

bool Exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

// A name beside path that is not taken yet.
std::string AsideName(const std::string& path) {
    const std::string bad = path + ".bad";
    if (!Exists(bad)) return bad;
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string name = bad + "-" + stamp;
    for (int n = 2; Exists(name); ++n) name = bad + "-" + stamp + "-" + std::to_string(n);
    return name;
}

} // namespace

ConfigFileCheck SetAsideBrokenConfigFile(const std::string& path) {
    ConfigFileCheck check;
    std::ifstream in(path, std::ios::binary);
    if (!in) return check; // missing: the defaults apply anyway
    std::string text(kMaxConfigFileBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    in.close();
    if (ConfigTextParses(text)) return check;
    check.broken = true;
    const std::string aside = AsideName(path);
    if (std::rename(path.c_str(), aside.c_str()) != 0) {
        check.error = std::strerror(errno);
        return check;
    }
    check.movedAside = true;
    check.movedTo = aside;
    return check;
}

} // namespace vdx
