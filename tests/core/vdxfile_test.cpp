#include "document/VdxFile.h"

#include "document/CodePage.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <unistd.h>
#include <string>
#include <vector>

namespace vdx {
namespace {

// --- helpers ------------------------------------------------------------------

// Builds files by hand, in the byte order of the format.
struct Bytes {
    std::string s;
    Bytes& raw(const std::string& b) {
        s += b;
        return *this;
    }
    Bytes& w(int v) {
        s += static_cast<char>(v & 0xFF);
        s += static_cast<char>((v >> 8) & 0xFF);
        return *this;
    }
    Bytes& d(int v) {
        for (int i = 0; i < 4; ++i) s += static_cast<char>((static_cast<unsigned>(v) >> (8 * i)) & 0xFF);
        return *this;
    }
    Bytes& str(const std::string& text) {
        w(static_cast<int>(text.size() + 1));
        return raw(text);
    }
};

int WordAt(const std::string& file, size_t offset) {
    return static_cast<int16_t>(static_cast<uint8_t>(file.at(offset)) |
                                (static_cast<uint8_t>(file.at(offset + 1)) << 8));
}
unsigned UWordAt(const std::string& file, size_t offset) {
    return static_cast<uint16_t>(WordAt(file, offset));
}
void PatchWord(std::string& file, size_t offset, int v) {
    file.at(offset) = static_cast<char>(v & 0xFF);
    file.at(offset + 1) = static_cast<char>((v >> 8) & 0xFF);
}

// One word of a valid file replaced by value, and the read's result expected.
struct PatchCase {
    size_t offset;
    int value;
    int result;
};

std::string Write(const PoolsDocument& doc, WriteResult* result = nullptr) {
    std::ostringstream out;
    const WriteResult r = WriteVdx(out, doc);
    EXPECT_TRUE(r.ok);
    if (result) *result = r;
    return out.str();
}

int Read(const std::string& bytes, PoolsDocument& doc) {
    std::istringstream in(bytes);
    return ReadVdx(in, doc);
}

// A document with a distinct value in every header field, four match entries
// (tipMatchCount 4 > matchCount 3) and 23 lines of tips; as the match counts
// differ, the lines are not up to date.
PoolsDocument KnownDocument() {
    PoolsDocument d;
    d.matchCount = 3;
    d.lineCount = 23;
    d.tipsUpToDate = false;
    d.hasTips = true;
    d.tipLineCount = 23;
    d.tipMatchCount = 4;
    d.calcMatchCount = 3;
    d.sortMode = 2;
    d.decimalPoint = true;
    d.zeroForDraw = true;
    d.linesPerTicket = 7;
    d.rounds = 77;
    d.unsuccessfulTries = 555;
    d.upToDifference = 9;
    d.extraTries = 444;
    d.conditionEnabled = {true, false, true};
    d.conditionUseInCalc = {false, true, false};
    d.lastConditionState = {1, 2, -3};
    d.conditionRangesAbsolute = true;
    for (int g = 0; g < 2; ++g)
        for (int k = 0; k < 3; ++k)
            for (int b = 0; b < 2; ++b) {
                d.conditionRanges[g][k][b] = 20 + g * 6 + k * 2 + b;
                d.lastConditionBounds[g][k][b] = -(40 + g * 6 + k * 2 + b);
            }
    d.conditionLimit = 3;
    d.lastConditionLimit = 1;
    d.resizeTipArrays();

    const char* names[4] = {"Bayern München – 1. FC Köln", "B", "", "Reims - Nîmes"};
    for (int i = 0; i < 4; ++i) {
        MatchEntry& m = d.matches[i];
        m.name = names[i];
        m.notes = i == 0 ? "Schön, 5 €" : "";
        m.result = i == 0 ? 1 : i == 1 ? 2 : -1;
        m.noDuplicates = i % 2 == 0;
        m.lastNoDuplicates = i != 1;
        if (i == 2) continue; // no data, no tips
        m.probability = {400 + 10 * i, 300 - 10 * i};
        m.lastProbability = {410, 290 - i};
        m.chances = i == 1 ? std::array<int, 2>{-1, -1} : std::array<int, 2>{450, 250};
        m.targetCounts = {10, 7, 6};
        m.hasTips = true;
        if (i == 1) {
            m.odds.push_back(OddsEntry{{150, 330, 3200000}});
            m.odds.push_back(OddsEntry{{-1, -1, -1}});
        }
        for (int l = 0; l < 23; ++l) m.tips[l] = static_cast<uint8_t>((l * 7 + i) % 3);
        m.recomputeTipCounts(23);
    }
    return d;
}

void ExpectSameDocument(const PoolsDocument& a, const PoolsDocument& b) {
    EXPECT_EQ(a.matchCount, b.matchCount);
    EXPECT_EQ(a.lineCount, b.lineCount);
    EXPECT_EQ(a.linesPerTicket, b.linesPerTicket);
    EXPECT_EQ(a.rounds, b.rounds);
    EXPECT_EQ(a.unsuccessfulTries, b.unsuccessfulTries);
    EXPECT_EQ(a.upToDifference, b.upToDifference);
    EXPECT_EQ(a.extraTries, b.extraTries);
    EXPECT_EQ(a.sortMode, b.sortMode);
    EXPECT_EQ(a.decimalPoint, b.decimalPoint);
    EXPECT_EQ(a.zeroForDraw, b.zeroForDraw);
    EXPECT_EQ(a.tipsUpToDate, b.tipsUpToDate);
    EXPECT_EQ(a.hasTips, b.hasTips);
    EXPECT_EQ(a.tipLineCount, b.tipLineCount);
    EXPECT_EQ(a.tipMatchCount, b.tipMatchCount);
    EXPECT_EQ(a.calcMatchCount, b.calcMatchCount);
    EXPECT_EQ(a.conditionEnabled, b.conditionEnabled);
    EXPECT_EQ(a.lastConditionState, b.lastConditionState);
    EXPECT_EQ(a.conditionRangesAbsolute, b.conditionRangesAbsolute);
    for (int g = 0; g < 2; ++g)
        for (int k = 0; k < 3; ++k)
            for (int x = 0; x < 2; ++x) {
                EXPECT_EQ(a.conditionRanges[g][k][x], b.conditionRanges[g][k][x]);
                EXPECT_EQ(a.lastConditionBounds[g][k][x], b.lastConditionBounds[g][k][x]);
            }
    EXPECT_EQ(a.conditionLimit, b.conditionLimit);
    EXPECT_EQ(a.lastConditionLimit, b.lastConditionLimit);
    for (int i = 0; i < kMaxMatches; ++i) {
        SCOPED_TRACE("match " + std::to_string(i));
        const MatchEntry& x = a.matches[i];
        const MatchEntry& y = b.matches[i];
        EXPECT_EQ(x.name, y.name);
        EXPECT_EQ(x.notes, y.notes);
        EXPECT_EQ(x.result, y.result);
        EXPECT_EQ(x.chances, y.chances);
        EXPECT_EQ(x.probability, y.probability);
        EXPECT_EQ(x.lastProbability, y.lastProbability);
        EXPECT_EQ(x.odds, y.odds);
        EXPECT_EQ(x.hasTips, y.hasTips);
        EXPECT_EQ(x.targetCounts, y.targetCounts);
        EXPECT_EQ(x.tipCounts, y.tipCounts);
        EXPECT_EQ(x.noDuplicates, y.noDuplicates);
        EXPECT_EQ(x.lastNoDuplicates, y.lastNoDuplicates);
        for (int l = 0; l < std::max(a.tipLineCount, b.tipLineCount); ++l)
            EXPECT_EQ(a.tipOf(i, l), b.tipOf(i, l)) << "line " << l;
    }
}

// Accepts only the first `limit` bytes, then fails like a full disk.
class LimitedBuf : public std::streambuf {
public:
    explicit LimitedBuf(size_t limit) : limit_(limit) {}
    const std::string& data() const { return data_; }

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        if (data_.size() >= limit_) return traits_type::eof();
        data_ += traits_type::to_char_type(c);
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        const size_t k = std::min(static_cast<size_t>(n), limit_ - data_.size());
        data_.append(s, k);
        return static_cast<std::streamsize>(k);
    }

private:
    size_t limit_;
    std::string data_;
};

// Offsets of the first match entry of a document whose match 0 has an empty
// name and empty notes.
constexpr size_t kFirstEntry = 111;
constexpr size_t kProbOffset = kFirstEntry + 2;
constexpr size_t kLastProbOffset = kFirstEntry + 6;
constexpr size_t kChancesOffset = kFirstEntry + 10;
constexpr size_t kHasTipsOffset = kFirstEntry + 14;
constexpr size_t kTargetOffset = kFirstEntry + 16;
constexpr size_t kResultOffset = kFirstEntry + 22;
constexpr size_t kOddsCountOffset = kFirstEntry + 30;
constexpr size_t kOddsOffset = kFirstEntry + 32;

PoolsDocument PlainFirstMatch() {
    PoolsDocument d = KnownDocument();
    d.matches[0].name.clear();
    d.matches[0].notes.clear();
    return d;
}

template <size_t N>
void ExpectPatchedReads(const std::string& valid, const PatchCase (&cases)[N]) {
    for (const PatchCase& c : cases) {
        std::string f = valid;
        PatchWord(f, c.offset, c.value);
        PoolsDocument d;
        EXPECT_EQ(Read(f, d), c.result) << "offset " << c.offset << " value " << c.value;
    }
}

// --- writing --------------------------------------------------------------------

TEST(VdxWrite, HeaderFieldsAtTheirOffsets) {
    const std::string f = Write(KnownDocument());
    ASSERT_GT(f.size(), kFirstEntry);
    EXPECT_EQ(f.substr(0, 7), "Vendrix");
    const struct {
        size_t offset;
        int value;
    } fields[] = {
        {7, 211}, {9, 3}, {11, 23}, {13, 0}, {15, 1}, {17, 23}, {19, 4}, {21, 3}, {23, 2},
        {25, 1}, {27, 1}, {29, 7}, {31, 77}, {33, 555}, {35, 9}, {37, 444},
        {39, 1}, {41, 0}, {43, 1},   // conditionEnabled
        {45, 0}, {47, 1}, {49, 0},   // conditionUseInCalc
        {51, 1}, {53, 2}, {55, -3},  // lastConditionState
        {57, 1},
        {59, 20}, {61, 21}, {63, 22}, {65, 23}, {67, 24}, {69, 25},  // 1-X-2 ranges
        {71, 26}, {73, 27}, {75, 28}, {77, 29}, {79, 30}, {81, 31},  // favourite ranges
        {83, -40}, {93, -45}, {95, -46}, {105, -51},
        {107, 3}, {109, 1},
    };
    for (const auto& field : fields) EXPECT_EQ(WordAt(f, field.offset), field.value) << "offset " << field.offset;
    // The first entry starts with its name: "Bayern München – 1. FC Köln" is 27 bytes in
    // Windows-1252, with ü as 0xFC and the en dash as 0x96.
    EXPECT_EQ(WordAt(f, kFirstEntry), 28);
    EXPECT_EQ(f.substr(kFirstEntry + 2, 27), "Bayern M\xFCnchen \x96 1. FC K\xF6ln");
}

TEST(VdxWrite, NoDistributionMeansNoTipWords) {
    PoolsDocument d;
    d.matchCount = 2;
    d.tipMatchCount = -1;
    d.tipLineCount = -1;
    d.matches[0].name = "AB";
    d.matches[0].hasTips = true; // without lines there is nothing to store
    d.matches[1].odds.push_back(OddsEntry{{200, 300, 400}});
    const std::string f = Write(d);
    EXPECT_EQ(UWordAt(f, 17), 0xFFFFu);
    EXPECT_EQ(UWordAt(f, 19), 0xFFFFu);
    EXPECT_EQ(WordAt(f, kHasTipsOffset + 2), 0);
    // Two entries of 32 bytes plus the name and one odds entry; nothing else.
    EXPECT_EQ(f.size(), kFirstEntry + 32 + 2 + 32 + 12);
}

TEST(VdxWrite, PacksTwentyThreeLinesIntoThreeWords) {
    PoolsDocument d = PlainFirstMatch();
    MatchEntry& m = d.matches[0];
    std::fill(m.tips.begin(), m.tips.begin() + 23, 0);
    m.tips[0] = 2;   // first group: the first line is the most significant digit
    m.tips[19] = 1;  // second group: the last line is the least significant
    m.tips[20] = 1;  // third group of three: 1, 2, 0
    m.tips[21] = 2;
    const std::string f = Write(d);
    const size_t tips = kOddsOffset; // no odds in match 0
    EXPECT_EQ(WordAt(f, kHasTipsOffset), 1);
    EXPECT_EQ(UWordAt(f, tips), 39366u); // 2 * 3^9
    EXPECT_EQ(UWordAt(f, tips + 2), 1u);
    EXPECT_EQ(UWordAt(f, tips + 4), 15u); // 1 * 9 + 2 * 3 + 0
    // Match 1, named "B", follows right after the third word.
    EXPECT_EQ(WordAt(f, tips + 6), 2);
    EXPECT_EQ(f.at(tips + 8), 'B');
}

TEST(VdxWrite, OddsAreDwordsBeforeTheTips) {
    PoolsDocument d = PlainFirstMatch();
    const std::string withoutOdds = Write(d);
    d.matches[0].odds = {OddsEntry{{150, 330, 3200000}}, OddsEntry{{-1, -1, -1}}};
    const std::string f = Write(d);
    EXPECT_EQ(WordAt(f, kOddsCountOffset), 2);
    EXPECT_EQ(f.substr(kOddsOffset, 24), Bytes().d(150).d(330).d(3200000).d(-1).d(-1).d(-1).s);
    EXPECT_EQ(f.substr(kOddsOffset + 24), withoutOdds.substr(kOddsOffset));
}

TEST(VdxWrite, RoundTripIsByteIdenticalAndKeepsEveryField) {
    const PoolsDocument original = KnownDocument();
    const std::string first = Write(original);
    PoolsDocument back;
    back.env.rangesAbsolute = true; // same unit as the file: ranges are taken as they are
    ASSERT_EQ(Read(first, back), kReadOk);
    ExpectSameDocument(original, back);
    EXPECT_EQ(back.conditionUseInCalc, (std::array<bool, 3>{true, true, true}));
    EXPECT_EQ(back.fileVersion, 211);

    PoolsDocument withUse = back;
    withUse.conditionUseInCalc = original.conditionUseInCalc;
    EXPECT_EQ(Write(withUse), first);
}

TEST(VdxWrite, TextsRoundTripThroughWindows1252) {
    PoolsDocument d = KnownDocument();
    d.matches[3].name = "Äußere Öde – „Zürich“ ‰ Œ ž ÿ";
    WriteResult r;
    const std::string f = Write(d, &r);
    EXPECT_FALSE(r.replacedCharacters);
    PoolsDocument back;
    ASSERT_EQ(Read(f, back), kReadOk);
    EXPECT_EQ(back.matches[3].name, d.matches[3].name);
    EXPECT_EQ(back.matches[0].notes, "Schön, 5 €");
}

TEST(VdxWrite, UnmappableCharactersBecomeQuestionMarks) {
    const struct {
        const char* name;
        const char* stored;
    } cases[] = {
        {"Łódź", "?\xF3" "d?"},
        {"Goal \xF0\x9F\x98\x80!", "Goal ?!"},
        {"bad \xC3 byte", "bad ? byte"},
    };
    for (const auto& c : cases) {
        PoolsDocument d = PlainFirstMatch();
        d.matches[0].notes = c.name;
        WriteResult r;
        const std::string f = Write(d, &r);
        EXPECT_TRUE(r.replacedCharacters) << c.name;
        PoolsDocument back;
        ASSERT_EQ(Read(f, back), kReadOk);
        EXPECT_EQ(back.matches[0].notes, Cp1252ToUtf8(c.stored)) << c.name;
    }
}

TEST(VdxWrite, OverlongTextIsCutToWhatTheFileHolds) {
    PoolsDocument d = PlainFirstMatch();
    d.matches[0].notes.assign(70000, 'n');
    WriteResult r;
    const std::string f = Write(d, &r);
    EXPECT_TRUE(r.truncated);
    PoolsDocument back;
    ASSERT_EQ(Read(f, back), kReadOk);
    EXPECT_EQ(back.matches[0].notes, std::string(65534, 'n'));
    EXPECT_EQ(back.matches[1].name, "B");
}

TEST(VdxWrite, MatchWithoutRealTipsIsWrittenWithoutTips) {
    PoolsDocument d = KnownDocument();
    d.matches[1].tips[5] = kNoTip; // not a tip: cannot be packed
    const std::string f = Write(d);
    PoolsDocument back;
    ASSERT_EQ(Read(f, back), kReadOk);
    EXPECT_FALSE(back.matches[1].hasTips);
    EXPECT_TRUE(back.matches[0].hasTips);
    EXPECT_TRUE(back.matches[3].hasTips);
    EXPECT_EQ(back.tipOf(3, 22), d.tipOf(3, 22));
}

TEST(VdxWrite, StopsAtTheFirstFailedWrite) {
    const PoolsDocument d = KnownDocument();
    const std::string full = Write(d);
    for (size_t limit : {size_t{0}, size_t{5}, size_t{8}, kFirstEntry, full.size() - 1}) {
        LimitedBuf buf(limit);
        std::ostream out(&buf);
        const WriteResult r = WriteVdx(out, d);
        EXPECT_FALSE(r.ok) << limit;
        EXPECT_EQ(buf.data(), full.substr(0, limit)) << limit;
    }
    LimitedBuf exact(full.size());
    std::ostream out(&exact);
    EXPECT_TRUE(WriteVdx(out, d).ok);
}

// --- reading version 211 --------------------------------------------------------

TEST(VdxRead, RefusesForeignFilesWithResult2) {
    const std::string valid = Write(KnownDocument());
    std::string magic = valid;
    magic[6] = 'X';
    std::string lower = valid;
    lower[0] = 'v';
    const struct {
        std::string bytes;
        int result;
    } cases[] = {
        {magic, kReadNotVdx},
        {lower, kReadNotVdx},
        {"Vendrix" + Bytes().w(212).s + valid.substr(9), kReadNotVdx},
        {"Vendrix" + Bytes().w(0).s + valid.substr(9), kReadNotVdx},
        {"Vendrix" + Bytes().w(120).s + valid.substr(9), kReadNotVdx},
        {"", kReadBadData},
        {"Vendri", kReadBadData},
        {"Vendrix\xD3", kReadBadData},
    };
    for (const auto& c : cases) {
        PoolsDocument d;
        EXPECT_EQ(Read(c.bytes, d), c.result) << c.bytes.substr(0, 9);
    }
}

TEST(VdxRead, HeaderValuesOutsideTheirRangesGiveResult1) {
    const std::string valid = Write(PlainFirstMatch());
    const PatchCase cases[] = {
        {9, 1, kReadBadData},     {9, 15, kReadBadData},   {9, 2, kReadOk},
        {11, 0, kReadBadData},    {11, 1001, kReadBadData}, {11, 1000, kReadOk},
        {11, -1, kReadBadData},   {13, 7, kReadOk},         {15, 2, kReadBadData},
        {17, 0, kReadBadData},    {17, 1001, kReadBadData}, {17, -2, kReadBadData},
        {19, 1, kReadBadData},    {19, 15, kReadBadData},   {21, 15, kReadBadData},
        {21, -1, kReadBadData},   {21, 14, kReadOk},        {23, 3, kReadBadData},
        {25, 2, kReadBadData},    {27, -1, kReadBadData},   {29, 1, kReadBadData},
        {29, 13, kReadBadData},   {29, 12, kReadOk},        {31, 0, kReadBadData},
        {31, 1001, kReadBadData}, {33, 1, kReadBadData},    {33, 10001, kReadBadData},
        {35, 101, kReadBadData},  {35, -1, kReadBadData},   {37, 10001, kReadBadData},
        {37, 0, kReadOk},         {39, -5, kReadOk},        {107, -9, kReadOk},
    };
    ExpectPatchedReads(valid, cases);
}

TEST(VdxRead, MatchValuesAreChecked) {
    const std::string valid = Write(PlainFirstMatch());
    const PatchCase cases[] = {
        {kResultOffset, 3, kReadBadData},
        {kResultOffset, -2, kReadBadData},
        {kResultOffset, 2, kReadOk},
        {kResultOffset, -1, kReadOk},
        {kProbOffset, 1001, kReadBadData},
        {kProbOffset, 800, kReadBadData},      // 800 + 300 > 1000
        {kProbOffset + 2, -1, kReadBadData},   // P(2) missing beside P(1)
        {kProbOffset, -1, kReadOk},            // no data; P(2) means nothing
        {kLastProbOffset, -7, kReadBadData},
        {kChancesOffset, 751, kReadBadData},   // 751 + 250 > 1000
        {kChancesOffset, 750, kReadOk},
        {kTargetOffset + 4, 1001, kReadBadData},
        {kTargetOffset + 4, -1, kReadOk},
        {kOddsCountOffset, -1, kReadBadData},
    };
    ExpectPatchedReads(valid, cases);
}

TEST(VdxRead, OddsMustBeEmptyOrAtLeastOne) {
    const struct {
        int value;
        int result;
    } cases[] = {
        {99, kReadBadData}, {100, kReadOk},          {-1, kReadOk},     {3200000, kReadOk},
        {3200001, kReadBadData}, {0, kReadBadData}, {-2, kReadBadData}, {-100, kReadBadData},
    };
    for (const auto& c : cases) {
        for (int column = 0; column < 3; ++column) {
            PoolsDocument d = PlainFirstMatch();
            OddsEntry e{{250, 300, 280}};
            e.odds[column] = c.value;
            d.matches[0].odds = {e};
            const std::string f = Write(d);
            PoolsDocument back;
            ASSERT_EQ(Read(f, back), c.result) << c.value << " in column " << column;
            if (c.result == kReadOk) {
                EXPECT_EQ(back.matches[0].odds, d.matches[0].odds);
            }
        }
    }
}

TEST(VdxRead, PackedWordsBeyondTheGroupAreRefused) {
    PoolsDocument d = PlainFirstMatch();
    const std::string valid = Write(d);
    const struct {
        size_t word; // 0, 1: full groups of ten; 2: the group of three
        unsigned value;
        int result;
    } cases[] = {
        {0, 59048, kReadOk}, {0, 59049, kReadBadData}, {0, 65535, kReadBadData},
        {2, 26, kReadOk},    {2, 27, kReadBadData},    {2, 0, kReadOk},
    };
    for (const auto& c : cases) {
        std::string f = valid;
        PatchWord(f, kOddsOffset + 2 * c.word, static_cast<int>(c.value));
        PoolsDocument back;
        ASSERT_EQ(Read(f, back), c.result) << c.word << ": " << c.value;
        if (c.result != kReadOk) continue;
        const int first = static_cast<int>(c.word) * 10;
        const int all = c.value == 0 ? 0 : 2; // 3^n - 1 is all "2"
        for (int l = first; l < std::min(first + 10, 23); ++l) EXPECT_EQ(back.tipOf(0, l), all) << l;
    }
}

TEST(VdxRead, UnpacksTipsAndRecomputesCounts) {
    const PoolsDocument original = KnownDocument();
    PoolsDocument back;
    ASSERT_EQ(Read(Write(original), back), kReadOk);
    for (int i : {0, 1, 3}) {
        for (int l = 0; l < 23; ++l) EXPECT_EQ(back.tipOf(i, l), (l * 7 + i) % 3) << i << "/" << l;
        EXPECT_EQ(back.matches[i].tips.size(), 23u);
    }
    // Lines 0..22 of match 0: tip (7l) mod 3 cycles 0, 1, 2: eight "1", eight "X", seven "2".
    EXPECT_EQ(back.matches[0].tipCounts, (std::array<int, 3>{8, 8, 7}));
    EXPECT_EQ(back.matches[2].tipCounts, (std::array<int, 3>{-1, -1, -1}));
    // Correct tips: match 0 has result "X", match 1 result "2", match 3 none.
    for (int l = 0; l < 23; ++l) {
        const int expected = ((l * 7) % 3 == 1) + ((l * 7 + 1) % 3 == 2);
        EXPECT_EQ(back.correctTips[l], expected) << l;
    }
}

TEST(VdxRead, MatchClaimingTipsWithoutLinesReadsNoTips) {
    // Two matches, no distribution, the first flagged as having tips: it has no
    // words to read, and the second match must still be found right after it.
    PoolsDocument d;
    d.matchCount = 2;
    d.tipMatchCount = -1;
    d.tipLineCount = -1;
    d.matches[1].name = "second";
    std::string f = Write(d);
    PatchWord(f, kHasTipsOffset, 1);
    PoolsDocument back;
    ASSERT_EQ(Read(f, back), kReadOk);
    EXPECT_FALSE(back.matches[0].hasTips);
    EXPECT_EQ(back.matches[1].name, "second");
    EXPECT_EQ(back.tipOf(0, 0), -1);
}

TEST(VdxRead, SortsByProbabilityOnlyInThatSortMode) {
    PoolsDocument d;
    d.matchCount = d.tipMatchCount = 2;
    d.lineCount = d.tipLineCount = 3;
    d.hasTips = d.tipsUpToDate = true;
    d.resizeTipArrays();
    d.matches[0].probability = {600, 100};
    d.matches[1].probability = {200, 500};
    d.matches[0].result = 0;
    // Probability sums of the lines: 1100, 300, 600.
    const uint8_t tips[2][3] = {{0, 2, 1}, {2, 0, 1}};
    for (int m = 0; m < 2; ++m) {
        d.matches[m].hasTips = true;
        for (int l = 0; l < 3; ++l) d.matches[m].tips[l] = tips[m][l];
    }
    const struct {
        int sortMode;
        std::array<int, 3> match0, match1, correct;
    } cases[] = {
        {0, {0, 2, 1}, {2, 0, 1}, {1, 0, 0}},
        {2, {0, 2, 1}, {2, 0, 1}, {1, 0, 0}},
        {1, {2, 1, 0}, {0, 1, 2}, {0, 0, 1}}, // least likely line first
    };
    for (const auto& c : cases) {
        d.sortMode = c.sortMode;
        PoolsDocument back;
        ASSERT_EQ(Read(Write(d), back), kReadOk);
        for (int l = 0; l < 3; ++l) {
            EXPECT_EQ(back.tipOf(0, l), c.match0[l]) << c.sortMode << " line " << l;
            EXPECT_EQ(back.tipOf(1, l), c.match1[l]) << c.sortMode << " line " << l;
            EXPECT_EQ(back.correctTips[l], c.correct[l]) << c.sortMode << " line " << l;
        }
    }
}

// The known document as its own calculation leaves it: three matches, all
// their lines, up to date.
PoolsDocument FittingDocument() {
    PoolsDocument d = KnownDocument();
    d.tipMatchCount = 3;
    d.tipsUpToDate = true;
    return d;
}

// The calculation plans with the tip counts of lines marked up to date, so
// they must be the whole distribution of the current matches and lines; lines
// that are not are still read, marked as not up to date.
TEST(VdxRead, LinesAreUpToDateOnlyWhenTheyFitTheDocument) {
    const PoolsDocument fitting = FittingDocument();
    const std::string valid = Write(fitting);
    PoolsDocument gap = fitting;
    gap.matches[1].tips[5] = kNoTip; // match 1 has data but goes to the file without tips
    const std::string withGap = Write(gap);
    const struct {
        const char* what;
        const std::string& file;
        size_t offset; // 0: as written
        int value;
        bool upToDate;
    } cases[] = {
        {"as written", valid, 0, 0, true},
        {"any non-zero flag", valid, 13, 7, true},
        {"one line more", valid, 11, 24, false},
        {"one line fewer", valid, 11, 22, false},
        {"a match fewer", valid, 9, 2, false},
        {"lines of fewer matches", valid, 19, 2, false},
        {"no distribution", valid, 15, 0, false},
        {"a match with data but no tips", withGap, 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string f = c.file;
        if (c.offset) PatchWord(f, c.offset, c.value);
        PoolsDocument back;
        ASSERT_EQ(Read(f, back), kReadOk);
        EXPECT_EQ(back.tipsUpToDate, c.upToDate);
        // The lines themselves are kept either way.
        EXPECT_TRUE(back.matches[0].hasTips);
        for (int l = 0; l < 23; ++l) EXPECT_EQ(back.tipOf(0, l), fitting.tipOf(0, l)) << l;
        EXPECT_EQ(back.tipLineCount, 23);
    }
}

TEST(VdxRead, BadDataSaysWhatIsWrong) {
    const std::string valid = Write(PlainFirstMatch());
    const auto patched = [&valid](size_t offset, int value) {
        std::string f = valid;
        PatchWord(f, offset, value);
        return f;
    };
    PoolsDocument badOdds = PlainFirstMatch();
    badOdds.matches[0].odds = {OddsEntry{{250, 99, 280}}};
    const struct {
        const char* what;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"empty", "", "The file is empty."},
        {"cut in the magic", "Vendri", "The file ends after 6 of at least 7 bytes."},
        {"cut in a header word", valid.substr(0, 20), "The file ends after 20 of at least 21 bytes."},
        {"cut in the tips", valid.substr(0, kOddsOffset + 3), "The file ends after 146 of at least 147 bytes."},
        {"15 matches", patched(9, 15), "15 matches, at most 14."},
        {"one match", patched(9, 1), "1 match, at least 2."},
        {"1001 lines", patched(11, 1001), "1001 lines, at most 1000."},
        {"sort mode", patched(23, 3), "The value 3 at byte 23 is outside 0 to 2."},
        {"result", patched(kResultOffset, 3), "The value 3 at byte 133 is outside -1 to 2."},
        {"P(1) + P(2) above 1000", patched(kProbOffset, 800), "The value 300 at byte 115 is outside 0 to 200."},
        {"odds", Write(badOdds), "The value 99 at byte 147 is outside 100 to 3200000."},
        {"tips word", patched(kOddsOffset, 59049), "The tips at byte 143 hold 59049, at most 59048."},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.bytes);
        PoolsDocument d;
        FileProblem problem;
        EXPECT_EQ(ReadVdx(in, d, problem), kReadBadData) << c.what;
        EXPECT_EQ(FileProblemText(problem), c.reason) << c.what;
    }
    // A good read and a foreign file have no reason to give.
    for (const std::string& f : {valid, "Vendrax" + valid.substr(7)}) {
        std::istringstream in(f);
        PoolsDocument d;
        FileProblem problem;
        ReadVdx(in, d, problem);
        EXPECT_FALSE(problem.known());
    }
}

TEST(VdxRead, FilesThatCannotBeReadGiveTheSystemsReason) {
    char name[] = "/tmp/vdx-readfile-XXXXXX";
    ASSERT_NE(::mkdtemp(name), nullptr);
    const std::string dir = name;
    {
        std::ofstream(dir + "/good.vdx", std::ios::binary) << Write(PlainFirstMatch());
        std::ofstream(dir + "/empty.vdx", std::ios::binary);
    }
    const struct {
        std::string path;
        int result;
        const char* reason;
    } cases[] = {
        {dir + "/good.vdx", kReadOk, ""},
        {dir + "/missing.vdx", kReadBadData, "No such file or directory."},
        {dir, kReadBadData, "Is a directory."},
        {dir + "/empty.vdx", kReadBadData, "The file is empty."},
    };
    for (const auto& c : cases) {
        PoolsDocument d;
        FileProblem problem;
        EXPECT_EQ(ReadVdxFile(c.path, d, problem), c.result) << c.path;
        EXPECT_EQ(FileProblemText(problem), c.reason) << c.path;
    }
    PoolsDocument d;
    FileProblem problem;
    ASSERT_EQ(ReadVdxFile(dir + "/good.vdx", d, problem), kReadOk);
    EXPECT_EQ(d.matches[1].name, "B");
    std::remove((dir + "/good.vdx").c_str());
    std::remove((dir + "/empty.vdx").c_str());
    ::rmdir(dir.c_str());
}

TEST(VdxRead, TruncationAtEveryOffsetIsBadData) {
    const std::string f = Write(KnownDocument());
    for (size_t n = 0; n < f.size(); ++n) {
        PoolsDocument d;
        ASSERT_EQ(Read(f.substr(0, n), d), kReadBadData) << n;
    }
}

TEST(VdxRead, FailedReadLeavesTheDocumentAndFailsTheStream) {
    const PoolsDocument original = KnownDocument();
    PoolsDocument d = original;
    const std::string f = Write(PlainFirstMatch());
    std::istringstream in(f.substr(0, f.size() - 3));
    EXPECT_EQ(ReadVdx(in, d), kReadBadData);
    EXPECT_TRUE(in.fail());
    ExpectSameDocument(original, d);
    EXPECT_EQ(d.conditionUseInCalc, original.conditionUseInCalc);
}

TEST(VdxRead, ReplacesPreviousOddsInsteadOfAddingToThem) {
    PoolsDocument d = KnownDocument();
    const std::string f = Write(d);
    ASSERT_EQ(Read(f, d), kReadOk);
    EXPECT_EQ(d.matches[1].odds.size(), 2u);
}

// --- older versions -------------------------------------------------------------

// A configuration whose defaults differ from what old files must produce.
AppConfig ContraryConfig(bool rangesAbsolute) {
    AppConfig c;
    c.options.lineCount = 5;
    c.options.decimalPoint = true;
    c.options.zeroForDraw = true;
    c.conditions.enabled = {true, true, true};
    c.conditions.noDuplicates.fill(false);
    for (auto& g : c.conditions.ranges)
        for (auto& k : g) k[0] = k[1] = 33;
    c.settings.rangesAbsolute = rangesAbsolute;
    return c;
}

void ExpectConditionDefaults(const PoolsDocument& d, bool rangesAbsolute) {
    EXPECT_EQ(d.conditionEnabled, (std::array<bool, 3>{false, false, false}));
    EXPECT_EQ(d.conditionUseInCalc, (std::array<bool, 3>{true, true, true}));
    EXPECT_EQ(d.conditionRangesAbsolute, rangesAbsolute);
    for (auto& g : d.conditionRanges)
        for (auto& k : g) {
            EXPECT_EQ(k[0], rangesAbsolute ? 0 : 100);
            EXPECT_EQ(k[1], rangesAbsolute ? 0 : 100);
        }
}

// Version 121: three matches of which the second is absent, strings in code page 850.
std::string Version121(bool withTips) {
    Bytes b;
    b.raw("Vendrix").w(121).w(3).w(12).w(withTips ? 1 : 0).w(0).w(6).w(10).w(50).w(3).w(20);
    b.w(1).str("M\x81nchen - K\x94ln").w(500).w(200).w(0).str("sch\x94n\xE1");
    b.w(1).w(150).w(320).w(-1).str("Buchmacher \x84");
    if (withTips) b.w(19683).w(7); // lines 0..9: "X" then nine "1"; lines 10, 11: "2", "X"
    b.w(0);
    b.w(1).str("C - D").w(400).w(300).w(-1).w(0).w(0); // empty notes stored as n = 0
    if (withTips) b.w(59048).w(0);
    return b.s;
}

TEST(VdxReadOld, Version121WithTips) {
    for (bool absolute : {false, true}) {
        SCOPED_TRACE(absolute ? "absolute ranges" : "percent ranges");
        const AppConfig config = ContraryConfig(absolute);
        PoolsDocument d(config);
        ASSERT_EQ(Read(Version121(true), d), kReadOk);
        EXPECT_EQ(d.fileVersion, 121);
        EXPECT_EQ(d.matchCount, 3);
        EXPECT_EQ(d.lineCount, 12);
        EXPECT_EQ(d.linesPerTicket, 6);
        EXPECT_EQ(d.rounds, 10);
        EXPECT_EQ(d.unsuccessfulTries, 50);
        EXPECT_EQ(d.upToDifference, 3);
        EXPECT_EQ(d.extraTries, 20);
        EXPECT_FALSE(d.decimalPoint);
        EXPECT_FALSE(d.zeroForDraw);
        EXPECT_TRUE(d.hasTips);
        EXPECT_TRUE(d.tipsUpToDate);
        EXPECT_EQ(d.calcMatchCount, 3);
        EXPECT_EQ(d.tipMatchCount, 3);
        EXPECT_EQ(d.tipLineCount, 12);
        ExpectConditionDefaults(d, absolute);

        const MatchEntry& m0 = d.matches[0];
        EXPECT_EQ(m0.name, "München - Köln");
        EXPECT_EQ(m0.notes, "schönß");
        EXPECT_EQ(m0.probability, (std::array<int, 2>{500, 200}));
        EXPECT_EQ(m0.lastProbability, m0.probability);
        EXPECT_EQ(m0.chances, (std::array<int, 2>{-1, -1})); // has odds
        ASSERT_EQ(m0.odds.size(), 1u);
        EXPECT_EQ(m0.odds[0], (OddsEntry{{150, 320, -1}}));
        EXPECT_EQ(m0.result, 0);
        EXPECT_TRUE(m0.noDuplicates);
        EXPECT_TRUE(m0.lastNoDuplicates);
        const int tips0[12] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 1};
        for (int l = 0; l < 12; ++l) EXPECT_EQ(d.tipOf(0, l), tips0[l]) << l;
        EXPECT_EQ(m0.tipCounts, (std::array<int, 3>{9, 2, 1}));

        const MatchEntry& m1 = d.matches[1]; // absent: still the new entry
        EXPECT_EQ(m1.name, "");
        EXPECT_FALSE(m1.hasTips);
        EXPECT_FALSE(m1.noDuplicates);
        EXPECT_EQ(m1.probability[0], -1);

        const MatchEntry& m2 = d.matches[2];
        EXPECT_EQ(m2.name, "C - D");
        EXPECT_EQ(m2.notes, "");
        EXPECT_EQ(m2.chances, (std::array<int, 2>{400, 300})); // no odds: from probability
        for (int l = 0; l < 10; ++l) EXPECT_EQ(d.tipOf(2, l), 2) << l;
        EXPECT_EQ(d.tipOf(2, 10), 0);
        EXPECT_EQ(m2.tipCounts, (std::array<int, 3>{2, 0, 10}));

        // Only match 0 has a result ("1"): lines 1..9 have it right.
        for (int l = 0; l < 12; ++l) EXPECT_EQ(d.correctTips[l], l >= 1 && l <= 9 ? 1 : 0) << l;
    }
}

TEST(VdxReadOld, Version121WithoutTips) {
    PoolsDocument d(ContraryConfig(false));
    ASSERT_EQ(Read(Version121(false), d), kReadOk);
    EXPECT_FALSE(d.hasTips);
    EXPECT_EQ(d.tipLineCount, -1);
    EXPECT_EQ(d.tipMatchCount, -1);
    EXPECT_EQ(d.calcMatchCount, 3);
    EXPECT_FALSE(d.matches[0].hasTips);
    EXPECT_EQ(d.matches[2].name, "C - D");
    EXPECT_EQ(d.matches[0].tips.size(), 12u);
    // Saved again, it reads back the same.
    PoolsDocument back(ContraryConfig(false));
    ASSERT_EQ(Read(Write(d), back), kReadOk);
    ExpectSameDocument(d, back);
}

// Versions 200 and 210: matchCount 4, tipMatchCount 3; 200 stores three entries,
// 210 four. Strings in Windows-1252.
std::string Version2xx(int version) {
    Bytes b;
    b.raw("Vendrix").w(version).w(4).w(15).w(1).w(1).w(12).w(3).w(3).w(2).w(1).w(0);
    b.w(8).w(100).w(1000).w(5).w(1000);
    const int entries = version == 200 ? 3 : 4;
    for (int i = 0; i < entries; ++i) {
        b.str(i == 0 ? "Bayern \x96 K\xF6ln \x80" : "M" + std::to_string(i));
        b.w(450).w(250 + i);      // probability
        b.w(i == 1 ? -1 : 460).w(i == 1 ? -1 : 240); // chances
        b.w(i == 2 ? 0 : 1);      // hasTips
        b.w(i == 0 ? 1 : -1);     // result
        b.str(i == 0 ? "notes" : "");
        b.w(i == 1 ? 1 : 0);
        if (i == 1) b.d(190).d(340).d(410);
        if (i != 2) b.w(1).w(5); // lines 0..9: nine "1", then "X"; lines 10, 11: "X", "2"
    }
    return b.s;
}

TEST(VdxReadOld, Versions200And210) {
    for (int version : {200, 210}) {
        for (bool absolute : {false, true}) {
            SCOPED_TRACE(std::to_string(version) + (absolute ? " absolute" : " percent"));
            PoolsDocument d(ContraryConfig(absolute));
            ASSERT_EQ(Read(Version2xx(version), d), kReadOk);
            EXPECT_EQ(d.fileVersion, version);
            EXPECT_EQ(d.matchCount, 4);
            EXPECT_EQ(d.lineCount, 15);
            // Stored as up to date, but 12 lines of 3 matches do not fit 15 lines of 4.
            EXPECT_FALSE(d.tipsUpToDate);
            EXPECT_TRUE(d.hasTips);
            EXPECT_EQ(d.tipLineCount, 12);
            EXPECT_EQ(d.tipMatchCount, 3);
            EXPECT_EQ(d.calcMatchCount, 3);
            EXPECT_EQ(d.sortMode, 2);
            EXPECT_TRUE(d.decimalPoint);
            EXPECT_FALSE(d.zeroForDraw);
            EXPECT_EQ(d.linesPerTicket, 8);
            ExpectConditionDefaults(d, absolute);

            const MatchEntry& m0 = d.matches[0];
            EXPECT_EQ(m0.name, "Bayern – Köln €");
            EXPECT_EQ(m0.notes, "notes");
            EXPECT_EQ(m0.lastProbability, m0.probability);
            EXPECT_EQ(m0.chances, (std::array<int, 2>{460, 240}));
            EXPECT_EQ(m0.targetCounts, (std::array<int, 3>{-1, -1, -1}));
            EXPECT_TRUE(m0.noDuplicates);
            EXPECT_TRUE(m0.lastNoDuplicates);
            EXPECT_EQ(m0.tips.size(), 15u);
            EXPECT_EQ(d.tipOf(0, 9), 1);
            EXPECT_EQ(d.tipOf(0, 0), 0);
            EXPECT_EQ(d.tipOf(0, 10), 1);
            EXPECT_EQ(d.tipOf(0, 11), 2);
            EXPECT_EQ(d.tipOf(0, 12), -1); // beyond the distribution
            EXPECT_EQ(d.matches[1].odds, (std::vector<OddsEntry>{OddsEntry{{190, 340, 410}}}));
            EXPECT_EQ(d.matches[1].chances, (std::array<int, 2>{-1, -1}));
            EXPECT_FALSE(d.matches[2].hasTips);
            EXPECT_EQ(d.matches[3].name, version == 200 ? "" : "M3");
        }
    }
}

TEST(VdxReadOld, TruncationAtEveryOffsetIsBadData) {
    for (const std::string& f : {Version121(true), Version121(false), Version2xx(200), Version2xx(210)}) {
        const int version = WordAt(f, 7);
        PoolsDocument full;
        ASSERT_EQ(Read(f, full), kReadOk) << version;
        for (size_t n = 0; n < f.size(); ++n) {
            PoolsDocument d;
            ASSERT_EQ(Read(f.substr(0, n), d), kReadBadData) << version << " cut at " << n;
        }
    }
}

TEST(VdxReadOld, OldOddsAreCheckedLikeNewOnes) {
    std::string f = Version121(true);
    const size_t odds = f.find(Bytes().w(150).w(320).s);
    ASSERT_NE(odds, std::string::npos);
    PatchWord(f, odds, 99);
    PoolsDocument d;
    EXPECT_EQ(Read(f, d), kReadBadData);
}

// --- messages ---------------------------------------------------------------------

TEST(ReadResultMessage, TextsForEveryResult) {
    const struct {
        int result;
        int importKind;
        const char* text;
    } cases[] = {
        {0, 0, ""},
        {1, 0, "Error reading the file"},
        {2, 0, "File a.vdx is not a VendrixPlanner-File!"},
        {3, 1, "File a.vdx is not a suitable text file."},
        {3, 2, "File a.vdx is not a suitable reversed text file."},
        {3, 3, "File a.vdx is not a Totocalcio-File."},
        {4, 1, "File a.vdx has too many lines."},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadResultMessage(c.result, "a.vdx", c.importKind), c.text);
}

TEST(ReadResultMessage, FailureAddsNameAndReasonOnLinesOfTheirOwn) {
    FileProblem empty;
    empty.kind = FileProblemKind::kEmpty;
    FileProblem ends;
    ends.kind = FileProblemKind::kEndsEarly;
    ends.offset = 212;
    ends.needed = 1480;
    const struct {
        int result;
        FileProblem problem;
        const char* text;
    } cases[] = {
        {1, empty, "Error reading the file\na.vdx\nThe file is empty."},
        {1, ends, "Error reading the file\na.vdx\nThe file ends after 212 of at least 1480 bytes."},
        {1, SystemProblem(EACCES), "Error reading the file\na.vdx\nPermission denied."},
        {1, FileProblem(), "Error reading the file\na.vdx"},
        {2, FileProblem(), "File a.vdx is not a VendrixPlanner-File!"},
        {0, FileProblem(), ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadFailureMessage(c.result, "a.vdx", 0, c.problem), c.text);
}

} // namespace
} // namespace vdx
