#include "app/ConfigStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

using namespace vdx;

namespace {

using Six = std::array<int, 6>;

Six Flatten(const int r[3][2]) { return {r[0][0], r[0][1], r[1][0], r[1][1], r[2][0], r[2][1]}; }

void Fill(int r[3][2], const Six& v) {
    for (int i = 0; i < 6; ++i) r[i / 2][i % 2] = v[i];
}

AppConfig ReadWith(std::initializer_list<std::pair<const std::string, std::string>> entries) {
    MemoryConfigStore store;
    store.entries = entries;
    return ReadAppConfig(store);
}

} // namespace

TEST(ConfigRead, EmptyStoreGivesDefaults) {
    const AppConfig c = ReadWith({});
    EXPECT_EQ(c.options.matchCount, 12);
    EXPECT_EQ(c.options.lineCount, 20);
    EXPECT_EQ(c.options.linesPerTicket, 12);
    EXPECT_EQ(c.options.rounds, 100);
    EXPECT_EQ(c.options.unsuccessfulTries, 1000);
    EXPECT_EQ(c.options.upToDifference, 5);
    EXPECT_EQ(c.options.extraTries, 1000);
    EXPECT_EQ(c.options.searchSeconds, 0); // off: the classic calculation
    EXPECT_EQ(c.options.sortMode, 0);
    EXPECT_FALSE(c.options.decimalPoint);
    EXPECT_FALSE(c.options.zeroForDraw);
    EXPECT_EQ(c.language, "nx");
    EXPECT_EQ(c.ticketFormat, "");
    // 19: bits 0, 1 and 4.
    EXPECT_TRUE(c.settings.bitmapsInMenus);
    EXPECT_TRUE(c.settings.reservedBit1);
    EXPECT_FALSE(c.settings.resetRandom);
    EXPECT_FALSE(c.settings.multiDocument);
    EXPECT_TRUE(c.settings.sortUnlikelyFirst);
    EXPECT_FALSE(c.settings.startFrozen);
    EXPECT_FALSE(c.settings.rangesAbsolute);
    EXPECT_EQ(c.conditions.enabled, (std::array<bool, 3>{false, false, false}));
    EXPECT_EQ(c.conditions.useInCalc, (std::array<bool, 3>{true, true, true}));
    for (bool d : c.conditions.noDuplicates) EXPECT_TRUE(d);
    EXPECT_EQ(c.conditions.limit, 2);
    EXPECT_EQ(Flatten(c.conditions.ranges[0]), (Six{100, 100, 100, 100, 100, 100}));
    EXPECT_EQ(Flatten(c.conditions.ranges[1]), (Six{100, 100, 100, 100, 100, 100}));
}

TEST(ConfigRead, IntegersAreClampedIntoTheirRanges) {
    struct Case {
        const char* key;
        const char* stored;
        int expected;
        std::function<int(const AppConfig&)> get;
    };
    auto games = [](const AppConfig& c) { return c.options.matchCount; };
    auto tips = [](const AppConfig& c) { return c.options.lineCount; };
    auto perPage = [](const AppConfig& c) { return c.options.linesPerTicket; };
    auto tries = [](const AppConfig& c) { return c.options.rounds; };
    auto tilts = [](const AppConfig& c) { return c.options.unsuccessfulTries; };
    auto diff = [](const AppConfig& c) { return c.options.upToDifference; };
    auto extra = [](const AppConfig& c) { return c.options.extraTries; };
    auto sort = [](const AppConfig& c) { return c.options.sortMode; };
    auto search = [](const AppConfig& c) { return c.options.searchSeconds; };
    const std::vector<Case> cases = {
        {"Games", "20", 14, games},         {"Games", "1", 2, games},
        {"Games", "7", 7, games},           {"Games", "oops", 12, games},
        {"Tips", "0", 1, tips},             {"Tips", "1001", 1000, tips},
        {"Tips", "333", 333, tips},         {"TipsPerPage", "1", 2, perPage},
        {"TipsPerPage", "13", 12, perPage}, {"TipsPerPage", "5", 5, perPage},
        {"Tries", "0", 1, tries},           {"Tries", "5000", 1000, tries},
        {"Tilts", "1", 2, tilts},           {"Tilts", "10001", 10000, tilts},
        {"Diff", "-1", 0, diff},            {"Diff", "101", 100, diff},
        {"ExtraTilts", "-5", 0, extra},     {"ExtraTilts", "20000", 10000, extra},
        {"ExtraTilts", "0", 0, extra},      {"Sort", "3", 2, sort},
        {"Sort", "-1", 0, sort},            {"Sort", "1", 1, sort},
        {"SearchSeconds", "-1", 0, search}, {"SearchSeconds", "3601", 3600, search},
        {"SearchSeconds", "30", 30, search}, {"SearchSeconds", "x", 0, search},
        // Far outside the range of int.
        {"Tips", "99999999999", 1000, tips}, {"Tips", "-99999999999", 1, tips},
    };
    for (const Case& k : cases) {
        const AppConfig c = ReadWith({{k.key, k.stored}});
        EXPECT_EQ(k.get(c), k.expected) << k.key << " = " << k.stored;
    }
}

TEST(ConfigRead, FlagsAreTrueWhenNotZero) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"0", false}, {"1", true}, {"2", true}, {"-1", true}};
    for (const auto& [stored, expected] : cases) {
        const AppConfig c = ReadWith({{"Separator", stored}, {"0forX", stored}});
        EXPECT_EQ(c.options.decimalPoint, expected) << stored;
        EXPECT_EQ(c.options.zeroForDraw, expected) << stored;
    }
}

TEST(ConfigRead, LimitIsBoundByTheGamesRead) {
    struct Case {
        const char* games;
        const char* limit;
        int expected;
    };
    const std::vector<Case> cases = {
        {"5", "9", 5}, {"20", "14", 14}, {"20", "15", 14}, {"12", "-1", 0}, {nullptr, "13", 12}};
    for (const Case& k : cases) {
        MemoryConfigStore store;
        if (k.games) store.entries["Games"] = k.games;
        store.entries["ConditionsLimit"] = k.limit;
        EXPECT_EQ(ReadAppConfig(store).conditions.limit, k.expected)
            << (k.games ? k.games : "-") << " " << k.limit;
    }
}

TEST(ConfigRead, ConditionBitSets) {
    struct Case {
        const char* enabled;
        std::array<bool, 3> expected;
    };
    // Clamped to 0..8 before the bits are taken: 9 becomes 8, which has none of bits 0-2.
    const std::vector<Case> cases = {{"5", {true, false, true}},
                                     {"7", {true, true, true}},
                                     {"9", {false, false, false}},
                                     {"-3", {false, false, false}}};
    for (const Case& k : cases)
        EXPECT_EQ(ReadWith({{"ConditionsEnabled", k.enabled}}).conditions.enabled, k.expected) << k.enabled;

    const AppConfig some = ReadWith({{"ConditionsDuplicate", "8197"}}); // bits 0, 2, 13
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(some.conditions.noDuplicates[i], i == 0 || i == 2 || i == 13) << i;
    for (bool d : ReadWith({{"ConditionsDuplicate", "20000"}}).conditions.noDuplicates) EXPECT_TRUE(d);
    for (bool d : ReadWith({{"ConditionsDuplicate", "-1"}}).conditions.noDuplicates) EXPECT_FALSE(d);

    // Only written: whatever is stored, the calculation flags start true.
    EXPECT_EQ(ReadWith({{"ConditionsUseInCalc", "0"}}).conditions.useInCalc,
              (std::array<bool, 3>{true, true, true}));
}

TEST(ConfigRead, SettingsBits) {
    struct Case {
        long bits;
        bool bitmaps, reserved, reset, multi, unlikelyFirst, frozen, absolute;
    };
    const std::vector<Case> cases = {
        {19, true, true, false, false, true, false, false},
        {0, false, false, false, false, false, false, false},
        {2, false, true, false, false, false, false, false},
        {4, false, false, true, false, false, false, false},
        {8, false, false, false, true, false, false, false},
        {32, false, false, false, false, false, true, false},
        {64, false, false, false, false, false, false, true},
        {127, true, true, true, true, true, true, true},
    };
    for (const Case& k : cases) {
        const Settings s = ReadWith({{"Settings", std::to_string(k.bits)}}).settings;
        EXPECT_EQ(s.bitmapsInMenus, k.bitmaps) << k.bits;
        EXPECT_EQ(s.nextBitmapsInMenus, k.bitmaps) << k.bits;
        EXPECT_EQ(s.reservedBit1, k.reserved) << k.bits;
        EXPECT_EQ(s.resetRandom, k.reset) << k.bits;
        EXPECT_EQ(s.nextResetRandom, k.reset) << k.bits;
        EXPECT_EQ(s.multiDocument, k.multi) << k.bits;
        EXPECT_EQ(s.nextMultiDocument, k.multi) << k.bits;
        EXPECT_EQ(s.sortUnlikelyFirst, k.unlikelyFirst) << k.bits;
        EXPECT_EQ(s.startFrozen, k.frozen) << k.bits;
        EXPECT_EQ(s.rangesAbsolute, k.absolute) << k.bits;
        EXPECT_EQ(s.nextRangesAbsolute, k.absolute) << k.bits;
    }
}

TEST(ConfigWrite, SettingsStoreTheNextStartValuesAndBit1AsRead) {
    MemoryConfigStore store;
    store.entries["Settings"] = "17"; // bits 0 and 4; bit 1 clear
    AppConfig c = ReadAppConfig(store);
    c.settings.nextBitmapsInMenus = false;
    c.settings.nextResetRandom = true;
    c.settings.nextMultiDocument = true;
    c.settings.sortUnlikelyFirst = false;
    c.settings.startFrozen = true;
    // The values in effect must not leak into what is stored.
    c.settings.bitmapsInMenus = true;
    c.settings.resetRandom = false;
    WriteAppConfig(store, c);
    EXPECT_EQ(store.entries["Settings"], std::to_string(4 + 8 + 32));

    store.entries["Settings"] = "2";
    c = ReadAppConfig(store);
    WriteAppConfig(store, c);
    EXPECT_EQ(store.entries["Settings"], "2");
}

TEST(RangeString, ParsesPairsWithFallbackPerPair) {
    struct Case {
        std::string text;
        bool absolute;
        int games;
        Six expected;
    };
    const std::vector<Case> cases = {
        {"", false, 12, {100, 100, 100, 100, 100, 100}},
        {"", true, 12, {0, 0, 0, 0, 0, 0}},
        // Chars 6, 4, blank, 0: tip 1 gets 100 and 0, X and 2 are missing.
        {"64 0", false, 12, {100, 0, 100, 100, 100, 100}},
        {"64 0", true, 14, {0, 0, 0, 0, 0, 0}}, // 100 is above 14 matches
        {"64 0 510 F 1", false, 12, {100, 0, 5, 16, 15, 1}},
        {" a0b 0 0 0 0", false, 12, {10, 11, 0, 0, 0, 0}},
        // 0x65 = 101 is above 100; "ZZ" and "-1" are no valid numbers.
        {"65ZZ-1 5 5 5", false, 12, {100, 100, 100, 5, 5, 5}},
        {"65ZZ-1 5 5 5", true, 12, {0, 0, 0, 5, 5, 5}},
        // Absolute bound is the number of games: 0F = 15 never fits, 0E fits 14 only.
        {"0F0E 3 3 3 3", true, 14, {0, 14, 3, 3, 3, 3}},
        {"0F0E 3 3 3 3", true, 13, {0, 0, 3, 3, 3, 3}},
        {"     2 2 2 2", false, 12, {100, 100, 2, 2, 2, 2}},
        {" 1 2 3 4 5 6 7 8", false, 12, {1, 2, 3, 4, 5, 6}},
    };
    for (const Case& k : cases) {
        int r[3][2];
        Fill(r, {-7, -7, -7, -7, -7, -7});
        ParseRangeString(k.text, k.absolute, k.games, r);
        EXPECT_EQ(Flatten(r), k.expected) << '"' << k.text << "\" absolute=" << k.absolute;
    }
}

TEST(RangeString, FormatsSixTwoCharacterNumbers) {
    int r[3][2];
    Fill(r, {100, 0, 5, 16, 15, 1});
    EXPECT_EQ(FormatRangeString(r), "64 0 510 F 1");
    // Out of range values still take two characters each, so the pairs stay in place.
    Fill(r, {-3, 300, 0, 0, 0, 0});
    EXPECT_EQ(FormatRangeString(r), " 064 0 0 0 0");
}

TEST(ConfigWrite, EveryKeyRoundTrips) {
    AppConfig c;
    c.options = {9, 250, 8, 40, 500, 17, 0, 2, true, true, 90};
    c.language = "de";
    c.ticketFormat = "/home/u/Lotto Tickets/a.vdf";
    c.settings = SettingsFromBits(1 + 8 + 32);
    c.conditions.enabled = {false, true, true};
    c.conditions.noDuplicates.fill(false);
    c.conditions.noDuplicates[3] = c.conditions.noDuplicates[13] = true;
    c.conditions.limit = 7;
    c.settings.calculationThreads = 3;
    Fill(c.conditions.ranges[0], {0, 100, 50, 16, 15, 1});
    Fill(c.conditions.ranges[1], {99, 98, 97, 3, 2, 1});

    MemoryConfigStore store;
    WriteAppConfig(store, c);
    const AppConfig r = ReadAppConfig(store);
    EXPECT_EQ(r.options.matchCount, 9);
    EXPECT_EQ(r.options.lineCount, 250);
    EXPECT_EQ(r.options.linesPerTicket, 8);
    EXPECT_EQ(r.options.rounds, 40);
    EXPECT_EQ(r.options.unsuccessfulTries, 500);
    EXPECT_EQ(r.options.upToDifference, 17);
    EXPECT_EQ(r.options.extraTries, 0);
    EXPECT_EQ(r.options.sortMode, 2);
    EXPECT_TRUE(r.options.decimalPoint);
    EXPECT_TRUE(r.options.zeroForDraw);
    EXPECT_EQ(r.options.searchSeconds, 90);
    EXPECT_EQ(store.entries["SearchSeconds"], "90");
    EXPECT_EQ(r.language, "de");
    EXPECT_EQ(r.ticketFormat, "/home/u/Lotto Tickets/a.vdf");
    EXPECT_EQ(SettingsToBits(r.settings), 1 + 8 + 32);
    EXPECT_EQ(r.settings.calculationThreads, 3);
    EXPECT_EQ(r.conditions.enabled, (std::array<bool, 3>{false, true, true}));
    for (int i = 0; i < 14; ++i) EXPECT_EQ(r.conditions.noDuplicates[i], i == 3 || i == 13) << i;
    EXPECT_EQ(r.conditions.limit, 7);
    EXPECT_EQ(Flatten(r.conditions.ranges[0]), (Six{0, 100, 50, 16, 15, 1}));
    EXPECT_EQ(Flatten(r.conditions.ranges[1]), (Six{99, 98, 97, 3, 2, 1}));
    EXPECT_EQ(store.entries["Separator"], "1");
    EXPECT_EQ(store.entries["ConditionsEnabled"], "6");
    EXPECT_EQ(store.entries["ConditionsDuplicate"], std::to_string((1 << 3) | (1 << 13)));
}

TEST(ConfigWrite, UseInCalcIsWrittenAsBitSet) {
    AppConfig c;
    c.conditions.useInCalc = {true, false, true};
    MemoryConfigStore store;
    WriteAppConfig(store, c);
    EXPECT_EQ(store.entries["ConditionsUseInCalc"], "5");
}

TEST(ConfigWrite, RangesAreConvertedWhenTheUnitChangesForTheNextStart) {
    struct Case {
        int games;
        bool absoluteNow, absoluteNext;
        Six ranges, written;
    };
    const std::vector<Case> cases = {
        // Percent to numbers with E = 4, N - E = 8.
        {12, false, true, {50, 25, 100, 100, 0, 0}, {2, 6, 0, 0, 4, 8}},
        // Numbers to percent; above E or N the result clamps to 0.
        {12, true, false, {2, 6, 0, 0, 4, 8}, {50, 25, 100, 100, 0, 0}},
        {12, true, false, {6, 20, 1, 7, 3, 3}, {0, 0, 75, 13, 25, 63}},
        // E = 14/3: (E - 1) / E = 78.6 %, (N - E - 2) / (N - E) = 78.6 %.
        {14, true, false, {1, 2, 1, 2, 1, 2}, {79, 79, 79, 79, 79, 79}},
        // Same unit: written as held.
        {12, true, true, {2, 6, 0, 0, 4, 8}, {2, 6, 0, 0, 4, 8}},
        {12, false, false, {50, 25, 100, 100, 0, 0}, {50, 25, 100, 100, 0, 0}},
    };
    for (const Case& k : cases) {
        AppConfig c;
        c.options.matchCount = k.games;
        c.settings.rangesAbsolute = k.absoluteNow;
        c.settings.nextRangesAbsolute = k.absoluteNext;
        Fill(c.conditions.ranges[0], k.ranges);
        Fill(c.conditions.ranges[1], k.ranges);
        MemoryConfigStore store;
        WriteAppConfig(store, c);
        // The next start reads them in the new unit.
        const AppConfig r = ReadAppConfig(store);
        ASSERT_EQ(r.settings.rangesAbsolute, k.absoluteNext);
        EXPECT_EQ(Flatten(r.conditions.ranges[0]), k.written) << "games " << k.games << " to " << k.absoluteNext;
        EXPECT_EQ(Flatten(r.conditions.ranges[1]), k.written) << "games " << k.games << " to " << k.absoluteNext;
        // The held defaults are left alone; only the stored text changes.
        EXPECT_EQ(Flatten(c.conditions.ranges[0]), k.ranges);
    }
}

// A number that does not parse whole is no number: the key gets its default.
TEST(ConfigNumber, OnlyWholeDecimalNumbersParse) {
    const struct {
        const char* text;
        bool parses;
        long value;
    } cases[] = {
        {"12", true, 12},     {"-7", true, -7},      {"+3", true, 3},        {" 42 ", true, 42},
        {"0", true, 0},       {"1e5", false, 0},     {"0xFFFF", false, 0},   {"12abc", false, 0},
        {"", false, 0},       {" ", false, 0},       {"-", false, 0},        {"1 2", false, 0},
        {"3.5", false, 0},    {"99999999999999999999", false, 0},            {"abc", false, 0},
    };
    for (const auto& c : cases) {
        long value = -12345;
        EXPECT_EQ(ParseConfigNumber(c.text, value), c.parses) << c.text;
        EXPECT_EQ(value, c.parses ? c.value : -12345) << c.text; // untouched on failure
    }
    const AppConfig config = ReadWith({{"Tips", "1e5"}, {"Settings", "0xFFFF"}, {"Games", "12abc"}, {"Tries", "7"}});
    EXPECT_EQ(config.options.lineCount, 20);
    EXPECT_EQ(config.settings.bitmapsInMenus, true); // default 19: bits 0, 1 and 4
    EXPECT_EQ(config.settings.sortUnlikelyFirst, true);
    EXPECT_EQ(config.settings.multiDocument, false);
    EXPECT_EQ(config.options.matchCount, 12);
    EXPECT_EQ(config.options.rounds, 7);
}

TEST(ConfigFile, TextThatTheStoreCannotParse) {
    const std::string good = "Games=13\nTips = 40\n; comment\n# other\n\n[RecentFiles]\nfile1=/a b/c.vdx\n";
    const struct {
        const char* what;
        std::string text;
        bool parses;
    } cases[] = {
        {"as written by the program", good, true},
        {"empty", "", true},
        {"umlauts", "Ticketformat=/home/jürgen/ä.vdf\n", true},
        {"windows line ends", "Games=13\r\nTips=4\r\n", true},
        {"same key in two groups", "file1=a\n[RecentFiles]\nfile1=b\n", true},
        {"line without =", good + "garbage\n", false},
        {"blank inside a key", "Ga mes=1\n", false},
        {"key twice", "Games=1\nGames=2\n", false},
        {"unclosed group", "[Recent\n", false},
        {"text after a group", "[Recent] x\n", false},
        {"NUL byte", std::string("Games=1\n\0\n", 10), false},
        {"not UTF-8", "Ticketformat=\xFF\xFE\n", false},
        {"cut UTF-8", "Ticketformat=\xC3", false},
        {"huge", "x=" + std::string(kMaxConfigFileBytes, 'y') + "\n", false},
    };
    for (const auto& c : cases) EXPECT_EQ(ConfigTextParses(c.text), c.parses) << c.what;
}

class ConfigFileAside : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/vdx-configfile-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir_ = name;
        path_ = dir_ + "/VendrixPlanner.conf";
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    void Put(const std::string& file, const std::string& text) const {
        std::ofstream(file, std::ios::binary) << text;
    }
    std::vector<std::string> Listing() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir_)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string dir_, path_;
};

TEST_F(ConfigFileAside, GoodOrMissingFileStaysWhereItIs) {
    ConfigFileCheck check = SetAsideBrokenConfigFile(path_);
    EXPECT_FALSE(check.broken);
    EXPECT_TRUE(Listing().empty());
    Put(path_, "Games=3\n");
    check = SetAsideBrokenConfigFile(path_);
    EXPECT_FALSE(check.broken);
    EXPECT_EQ(Listing(), std::vector<std::string>{"VendrixPlanner.conf"});
}

TEST_F(ConfigFileAside, BrokenFileIsMovedAsideOnceKeepingEarlierOnes) {
    const std::string binary("\x7f" "ELF\0\0\x01garbage", 13);
    Put(path_, binary);
    const ConfigFileCheck first = SetAsideBrokenConfigFile(path_);
    EXPECT_TRUE(first.broken);
    ASSERT_TRUE(first.movedAside) << first.error;
    EXPECT_EQ(first.movedTo, path_ + ".bad");
    EXPECT_EQ(Listing(), std::vector<std::string>{"VendrixPlanner.conf.bad"});
    std::ifstream moved(first.movedTo, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(moved), std::istreambuf_iterator<char>()), binary);
    // The next start finds no file and has nothing to move.
    EXPECT_FALSE(SetAsideBrokenConfigFile(path_).broken);

    // Broken again later: the first bad file is kept.
    Put(path_, "no equals sign here\n");
    const ConfigFileCheck second = SetAsideBrokenConfigFile(path_);
    ASSERT_TRUE(second.movedAside);
    EXPECT_NE(second.movedTo, first.movedTo);
    EXPECT_EQ(second.movedTo.rfind(path_ + ".bad-", 0), 0u) << second.movedTo;
    EXPECT_EQ(Listing().size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST(ConfigRead, ThreadsAreClampedAndZeroMeansEveryProcessor) {
    const struct {
        const char* stored;
        int expected;
    } cases[] = {{nullptr, 0}, {"2", 2}, {"-4", 0}, {"500", kMaxCalculationThreads}, {"x", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(none)");
        const AppConfig config = c.stored ? ReadWith({{"Threads", c.stored}}) : ReadWith({});
        EXPECT_EQ(config.settings.calculationThreads, c.expected);
    }
}
