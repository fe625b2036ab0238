// Line scores (probability sum, correct tips), the line sort and the tip totals
// that weigh the range conditions.

#include "calc/Conditions.h"
#include "calc/EngineRandom.h"
#include "calc/LineScoring.h"
#include "document/PoolsDocument.h"
#include "TestLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace vdx {
namespace {

using testlines::AllLines;
using testlines::WithLines;
using Counts = std::array<int, 3>;

TEST(LineScoringTest, ProbabilitySumOverMatchesWithData) {
    PoolsDocument doc = WithLines({"1X2", "222", "1-1"});
    doc.match(0).probability = {500, 200}; // X 300
    doc.match(1).probability = {100, 600}; // X 300
    doc.match(2).probability = {-1, -1};   // no data: skipped
    EXPECT_EQ(LineProbabilitySum(doc, 0), 500 + 300);
    EXPECT_EQ(LineProbabilitySum(doc, 1), 200 + 600);
    EXPECT_EQ(LineProbabilitySum(doc, 2), 500); // no tip in match 1
}

TEST(LineScoringTest, CorrectTipsAgreeWithTheDocumentCount) {
    PoolsDocument doc = WithLines({"1X21", "1111", "2X2X", "XXXX"});
    doc.match(0).result = 0;
    doc.match(1).result = 1;
    doc.match(2).result = kTipNone;
    doc.match(3).result = 1;
    doc.recomputeCorrectTips();
    const int expected[] = {2, 1, 2, 2};
    for (int l = 0; l < 4; ++l) {
        EXPECT_EQ(CorrectTips(doc, l), expected[l]) << l;
        EXPECT_EQ(doc.correctTips[l], expected[l]) << l;
    }
}

TEST(LineScoringTest, CorrectTipsIgnoreMatchesBeyondTheDistribution) {
    PoolsDocument doc = WithLines({"11", "22"});
    doc.matchCount = 3;
    doc.match(2).hasTips = true;
    doc.match(2).tips[0] = 0;
    doc.match(2).result = 0;
    doc.match(0).result = 0;
    EXPECT_EQ(CorrectTips(doc, 0), 1);
    EXPECT_EQ(CorrectTips(doc, 1), 0);
}

// The sort written out literally: whole lines exchanged across all 14 entries.
void ReferenceSort(PoolsDocument& doc, int criterion) {
    const int n = doc.tipLineCount;
    auto swapLines = [&doc](int a, int b) {
        for (MatchEntry& m : doc.matches) std::swap(m.tips[a], m.tips[b]);
        std::swap(doc.lineOrigin[a], doc.lineOrigin[b]);
    };
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            for (int m = 0; m < doc.tipMatchCount; ++m) {
                const int ti = doc.tipOf(m, i), tj = doc.tipOf(m, j);
                if (ti == tj) continue;
                if (tj < ti) swapLines(i, j);
                break;
            }
    for (int l = 0; l < n; ++l) doc.lineOrigin[l] = l;
    if (criterion == 0) return;
    auto key = [&](int l) {
        if (criterion == 1) return LineProbabilitySum(doc, l);
        int wrong = 0;
        for (int m = 0; m < doc.tipMatchCount; ++m)
            if (doc.match(m).result < 0 || doc.tipOf(m, l) != doc.match(m).result) ++wrong;
        return wrong;
    };
    const bool descending = criterion == 1 && !doc.env.sortUnlikelyFirst;
    for (int k = 0; k < n; ++k)
        for (int l = k + 1; l < n; ++l) {
            const int a = key(k), b = key(l);
            if (descending ? b > a : b < a) swapLines(k, l);
        }
}

TEST(SortLinesTest, ByTipsIsLexicographicAndSetsTheOrigin) {
    PoolsDocument doc = WithLines({"2X1", "1X2", "X11", "1X1", "111", "2X1"});
    std::fill(doc.lineOrigin.begin(), doc.lineOrigin.end(), 99);
    SortLines(doc, 0);
    EXPECT_EQ(AllLines(doc), (std::vector<std::string>{"111", "1X1", "1X2", "X11", "2X1", "2X1"}));
    for (int l = 0; l < 6; ++l) EXPECT_EQ(doc.lineOrigin[l], l);
}

TEST(SortLinesTest, EveryEntryMovesWithItsLine) {
    // Match 4 lies beyond the distribution; its row must still follow the lines.
    PoolsDocument doc = WithLines({"2X", "1X", "X1"});
    for (int l = 0; l < 3; ++l) doc.match(4).tips[l] = static_cast<uint8_t>(l);
    SortLines(doc, 0);
    EXPECT_EQ(AllLines(doc), (std::vector<std::string>{"1X", "X1", "2X"}));
    EXPECT_EQ(doc.match(4).tips[0], 1);
    EXPECT_EQ(doc.match(4).tips[1], 2);
    EXPECT_EQ(doc.match(4).tips[2], 0);
}

TEST(SortLinesTest, ByCorrectTipsPutsTheAllCorrectLineFirst) {
    PoolsDocument doc = WithLines({"1111", "X2X2", "12X2", "2222", "1X21"});
    const int results[] = {0, 1, 2, 0}; // the line "1X21"
    for (int m = 0; m < 4; ++m) doc.match(m).result = results[m];
    SortLines(doc, 2);
    const std::vector<std::string> lines = AllLines(doc);
    EXPECT_EQ(lines.front(), "1X21");
    EXPECT_EQ(doc.correctTips[0], 4);
    for (int l = 1; l < 5; ++l) EXPECT_LE(doc.correctTips[l], doc.correctTips[l - 1]) << l;
    // lineOrigin: position in the order by tips (1111, 1X21, 12X2, X2X2, 2222).
    EXPECT_EQ(doc.lineOrigin[0], 1);
}

TEST(SortLinesTest, EqualKeysFollowTheExchangeProcedure) {
    // Results 2, 2, X. After the order by tips A=111, B=112, C=222 the keys
    // (differing results) are 3, 3, 1. Exchanging positions 0 and 2 leaves
    // C, B, A, where a stable sort would give C, A, B.
    PoolsDocument doc = WithLines({"222", "112", "111"});
    doc.match(0).result = 2;
    doc.match(1).result = 2;
    doc.match(2).result = 1;
    SortLines(doc, 2);
    EXPECT_EQ(AllLines(doc), (std::vector<std::string>{"222", "112", "111"}));
    EXPECT_EQ(doc.lineOrigin[0], 2);
    EXPECT_EQ(doc.lineOrigin[1], 1);
    EXPECT_EQ(doc.lineOrigin[2], 0);
}

TEST(SortLinesTest, ProbabilityDirectionFollowsTheSetting) {
    // Sums with 400 / 300 / 300 everywhere: 111 = 1200, 1X1 = 1100, XX2 = 900.
    for (bool unlikelyFirst : {true, false}) {
        PoolsDocument doc = WithLines({"1X1", "XX2", "111"});
        doc.env.sortUnlikelyFirst = unlikelyFirst;
        SortLines(doc, 1);
        const std::vector<std::string> expected =
            unlikelyFirst ? std::vector<std::string>{"XX2", "1X1", "111"}
                          : std::vector<std::string>{"111", "1X1", "XX2"};
        EXPECT_EQ(AllLines(doc), expected) << unlikelyFirst;
    }
}

TEST(SortLinesTest, MatchesTheLiteralProcedureOnRandomLines) {
    EngineRandom rng;
    rng.Seed(2024);
    for (int trial = 0; trial < 12; ++trial) {
        const int matches = 2 + rng.RandomUpTo(12);
        const int lines = 1 + rng.RandomUpTo(trial < 10 ? 60 : 999);
        std::vector<std::string> text(lines, std::string(matches, '1'));
        for (std::string& line : text)
            for (char& c : line) c = "1X2"[rng.RandomUpTo(2)];
        PoolsDocument doc = WithLines(text);
        for (int m = 0; m < matches; ++m) {
            doc.match(m).result = rng.RandomUpTo(3) - 1;
            const int p1 = rng.RandomUpTo(600);
            doc.match(m).probability = {p1, rng.RandomUpTo(400)};
        }
        doc.env.sortUnlikelyFirst = trial % 2 == 0;
        const int criterion = trial % 3;
        PoolsDocument expected = doc;
        ReferenceSort(expected, criterion);
        SortLines(doc, criterion);
        ASSERT_EQ(AllLines(doc), AllLines(expected)) << "trial " << trial;
        ASSERT_EQ(std::vector<int>(doc.lineOrigin.begin(), doc.lineOrigin.begin() + lines),
                  std::vector<int>(expected.lineOrigin.begin(), expected.lineOrigin.begin() + lines))
            << "trial " << trial;
    }
}

TEST(SortLinesTest, ReevaluatesConditionsAndCorrectTips) {
    PoolsDocument doc = WithLines({"22", "11", "11"});
    doc.match(0).result = 0;
    int notified = 0;
    doc.onEvaluationChanged = [&notified] { ++notified; };
    SortLines(doc, 0);
    EXPECT_EQ(doc.correctTips[0], 1);
    EXPECT_EQ(doc.correctTips[2], 0);
    // Lines 0 and 1 (both "11") are the only equal pair.
    EXPECT_EQ(doc.evaluation.equalsHistogram[2], 1);
    EXPECT_NE(doc.evaluation.lineConditionFlags[0], -1);
    EXPECT_GE(notified, 1);
}

TEST(SortLinesTest, NoLinesNoChange) {
    PoolsDocument doc;
    doc.match(0).tips.assign(20, 2);
    SortLines(doc, 0);
    EXPECT_EQ(doc.match(0).tips[0], 2);
    EXPECT_EQ(doc.evaluation.lineConditionFlags[0], -1);
}

TEST(TotalsForConditionsTest, PerTipAndPerPosition) {
    PoolsDocument doc;
    doc.matchCount = 4;
    doc.match(0).probability = {500, 200};
    doc.match(0).targetCounts = {5, 3, 2};
    doc.match(0).tipCounts = {4, 4, 2};
    doc.match(1).probability = {100, 700};
    doc.match(1).targetCounts = {1, 2, 7};
    doc.match(1).tipCounts = {1, 2, 7};
    doc.match(2).targetCounts = {9, 9, 9}; // no data
    doc.match(3).probability = {300, 300};
    doc.match(3).targetCounts = {3, 4, 3};
    doc.match(3).tipCounts = {3, 4, 3};
    doc.match(5).probability = {300, 300}; // beyond matchCount
    doc.match(5).targetCounts = {50, 0, 0};

    doc.tipsUpToDate = false;
    TipTotals t = TotalsForConditions(doc);
    EXPECT_EQ(t.perTip, (Counts{9, 9, 12}));
    EXPECT_EQ(t.perPosition, (Counts{5 + 7 + 4, 3 + 2 + 3, 2 + 1 + 3}));

    doc.tipsUpToDate = true;
    t = TotalsForConditions(doc);
    EXPECT_EQ(t.perTip, (Counts{8, 10, 12}));
    EXPECT_EQ(t.perPosition, (Counts{4 + 7 + 4, 4 + 2 + 3, 2 + 1 + 3}));
}

} // namespace
} // namespace vdx
