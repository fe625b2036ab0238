// Every consumer of the option fields takes its limits from the one table:
// the configuration reader clamps into the range, the document file reader
// refuses values outside it, the options dialog's check accepts exactly the
// range. Each is fed the bounds and the values just outside them.

#include "app/ConfigStore.h"
#include "document/VdxFile.h"
#include "options/OptionLimits.h"
#include "options/Options.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace vdx {
namespace {

struct FieldCase {
    const char* name;
    const OptionLimits* limits;
    int DefaultOptions::*config;
    int PoolsDocument::*document;
    std::optional<OptionField> dialogField; // a text field of the options dialog
    bool inFile = true;                      // also a word of the document file
};

const std::vector<FieldCase>& Cases() {
    static const std::vector<FieldCase> cases = {
        {"Matches", &option::kMatches, &DefaultOptions::matchCount, &PoolsDocument::matchCount, std::nullopt},
        {"Lines", &option::kLines, &DefaultOptions::lineCount, &PoolsDocument::lineCount, kOptionLines},
        {"LinesPerTicket", &option::kLinesPerTicket, &DefaultOptions::linesPerTicket, &PoolsDocument::linesPerTicket,
         std::nullopt},
        {"Rounds", &option::kRounds, &DefaultOptions::rounds, &PoolsDocument::rounds, kOptionRounds},
        {"UnsuccessfulTries", &option::kUnsuccessfulTries, &DefaultOptions::unsuccessfulTries,
         &PoolsDocument::unsuccessfulTries, kOptionUnsuccessfulTries},
        {"Difference", &option::kDifference, &DefaultOptions::upToDifference, &PoolsDocument::upToDifference,
         kOptionDifference},
        {"ExtraTries", &option::kExtraTries, &DefaultOptions::extraTries, &PoolsDocument::extraTries,
         kOptionExtraTries},
        {"SearchSeconds", &option::kSearchSeconds, &DefaultOptions::searchSeconds, &PoolsDocument::searchSeconds,
         kOptionSearchSeconds, false},
        {"SortMode", &option::kSortMode, &DefaultOptions::sortMode, &PoolsDocument::sortMode, std::nullopt},
    };
    return cases;
}

class OptionLimitsTest : public ::testing::TestWithParam<FieldCase> {};

TEST(OptionLimitsTable, EveryFieldIsTestedAndItsDefaultLiesInItsRange) {
    EXPECT_EQ(Cases().size() + 2, option::kAll.size()); // and the two switches
    for (const OptionLimits* field : option::kAll) {
        SCOPED_TRACE(field->configKey);
        EXPECT_LE(field->minimum, field->byDefault);
        EXPECT_LE(field->byDefault, field->maximum);
    }
    EXPECT_EQ(DefaultOptions().decimalPoint, option::kDecimalPoint.byDefault != 0);
    EXPECT_EQ(DefaultOptions().zeroForDraw, option::kZeroForDraw.byDefault != 0);
}

TEST_P(OptionLimitsTest, TheConfigurationReaderClampsIntoTheRangeAndDefaultsToTheTable) {
    const FieldCase& c = GetParam();
    const OptionLimits& l = *c.limits;
    EXPECT_EQ(ReadAppConfig(MemoryConfigStore()).options.*c.config, l.byDefault);
    EXPECT_EQ(DefaultOptions().*c.config, l.byDefault);
    EXPECT_EQ(PoolsDocument().*c.document, l.byDefault);
    const std::vector<std::pair<int, int>> stored = {
        {l.minimum - 1, l.minimum}, {l.minimum, l.minimum}, {l.maximum, l.maximum}, {l.maximum + 1, l.maximum}};
    for (const auto& [value, expected] : stored) {
        MemoryConfigStore store;
        store.WriteInt(l.configKey, value);
        EXPECT_EQ(ReadAppConfig(store).options.*c.config, expected) << l.configKey << "=" << value;
    }
}

// The position of the field's word in a written document: where two documents
// that differ only in it first differ.
size_t HeaderOffset(const FieldCase& c) {
    PoolsDocument a, b;
    const OptionLimits& l = *c.limits;
    b.*c.document = l.byDefault != l.minimum ? l.minimum : l.minimum + 1;
    std::ostringstream outA, outB;
    WriteVdx(outA, a);
    WriteVdx(outB, b);
    const std::string x = outA.str(), y = outB.str();
    size_t i = 0;
    while (i < x.size() && i < y.size() && x[i] == y[i]) ++i;
    return i;
}

int ReadBack(const std::string& bytes) {
    PoolsDocument doc;
    std::istringstream in(bytes);
    return ReadVdx(in, doc);
}

const std::vector<FieldCase>& FileCases() {
    static const std::vector<FieldCase> cases = [] {
        std::vector<FieldCase> inFile;
        for (const FieldCase& c : Cases())
            if (c.inFile) inFile.push_back(c);
        return inFile;
    }();
    return cases;
}

class OptionFileLimitsTest : public OptionLimitsTest {};

TEST_P(OptionFileLimitsTest, TheFileReaderTakesTheRangeAndRefusesWhatLiesOutside) {
    const FieldCase& c = GetParam();
    const OptionLimits& l = *c.limits;
    for (int value : {l.minimum, l.maximum}) {
        PoolsDocument doc;
        doc.*c.document = value;
        std::ostringstream out;
        ASSERT_TRUE(WriteVdx(out, doc).ok);
        PoolsDocument read;
        std::istringstream in(out.str());
        EXPECT_EQ(ReadVdx(in, read), kReadOk) << value;
        EXPECT_EQ(read.*c.document, value);
    }
    const size_t at = HeaderOffset(c);
    std::ostringstream out;
    ASSERT_TRUE(WriteVdx(out, PoolsDocument()).ok);
    for (int value : {l.minimum - 1, l.maximum + 1}) {
        std::string bytes = out.str();
        ASSERT_LT(at + 1, bytes.size());
        const auto word = static_cast<unsigned>(value) & 0xFFFF; // 16 bits, little-endian
        bytes[at] = static_cast<char>(word & 0xFF);
        bytes[at + 1] = static_cast<char>(word >> 8);
        EXPECT_NE(ReadBack(bytes), kReadOk) << value;
    }
}

// The typed fields; the others are chosen from lists.
TEST(OptionLimitsTable, TheOptionsDialogAcceptsExactlyTheRange) {
    int typed = 0;
    for (const FieldCase& c : Cases()) {
        if (!c.dialogField) continue;
        ++typed;
        SCOPED_TRACE(c.name);
        const OptionLimits& l = *c.limits;
        const OptionFieldRule rule = RuleOf(*c.dialogField, option::kLinesPerTicket.maximum);
        EXPECT_TRUE(OptionFieldValue(rule, std::to_string(l.minimum)).has_value());
        EXPECT_TRUE(OptionFieldValue(rule, std::to_string(l.maximum)).has_value());
        EXPECT_FALSE(OptionFieldValue(rule, std::to_string(l.minimum - 1)).has_value());
        EXPECT_FALSE(OptionFieldValue(rule, std::to_string(l.maximum + 1)).has_value());
    }
    EXPECT_EQ(typed, kOptionFieldCount);
}

INSTANTIATE_TEST_SUITE_P(Fields, OptionLimitsTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });
INSTANTIATE_TEST_SUITE_P(Fields, OptionFileLimitsTest, ::testing::ValuesIn(FileCases()),
                         [](const ::testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace vdx
