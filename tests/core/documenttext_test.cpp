#include "text/DocumentText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vdx;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The first line that starts with prefix (after indentation), or "".
std::string LineStarting(const std::string& text, const std::string& prefix) {
    for (const std::string& l : Lines(text)) {
        const size_t first = l.find_first_not_of(' ');
        if (first != std::string::npos && l.compare(first, prefix.size(), prefix) == 0) return l;
    }
    return "";
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Three matches, five lines, two per ticket: three tickets, the last with one line.
PoolsDocument SmallDocument() {
    PoolsDocument doc;
    doc.matchCount = 3;
    doc.lineCount = 5;
    doc.linesPerTicket = 2;
    doc.resizeTipArrays();
    MatchEntry& a = doc.match(0);
    a.name = "Köln - Mainz";
    a.chances = {450, 250};
    a.odds = {OddsEntry{{185, 340, 420}}, OddsEntry{{190, 325, 1000}}};
    a.notes = "derby";
    a.result = kTip1;
    MatchEntry& b = doc.match(1);
    b.odds = {OddsEntry{{250, 300, 280}}};
    b.result = kTipX;
    MatchEntry& c = doc.match(2);
    c.name = "Ajax - PSV";
    const uint8_t tips[3][5] = {{0, 0, 1, 2, 0}, {1, 2, 1, 1, 0}, {2, 2, 0, 1, 1}};
    for (int m = 0; m < 3; ++m) {
        doc.match(m).hasTips = true;
        doc.match(m).probability = {400, 300};
        for (int l = 0; l < 5; ++l) doc.match(m).tips[l] = tips[m][l];
    }
    doc.hasTips = true;
    doc.tipsUpToDate = true;
    doc.tipLineCount = 5;
    doc.tipMatchCount = 3;
    return doc;
}

} // namespace

TEST(OddsAndChancesText, SeparatorAndPlaces) {
    struct Case {
        int value;
        bool point;
        std::string odds, chance;
    };
    const std::vector<Case> cases = {
        {185, false, "1,85", "18,5"}, {185, true, "1.85", "18.5"}, {100, false, "1,00", "10,0"},
        {3200000, true, "32000.00", "320000.0"}, {5, false, "0,05", "0,5"}, {-1, false, "-", "-"},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(OddsText(k.value, k.point), k.odds) << k.value;
        EXPECT_EQ(PerMilleText(k.value, k.point), k.chance) << k.value;
    }
}

TEST(DocumentAsText, OptionsAndState) {
    PoolsDocument doc = SmallDocument();
    doc.rounds = 77;
    doc.conditionEnabled = {false, true, false};
    std::string text = DocumentAsText(doc);
    EXPECT_NE(LineStarting(text, "Matches:").find(" 3"), std::string::npos) << text;
    EXPECT_NE(LineStarting(text, "Lines per ticket:").find(" 2"), std::string::npos);
    EXPECT_NE(LineStarting(text, "Rounds:").find("77"), std::string::npos);
    EXPECT_NE(LineStarting(text, "Sorting of the lines:").find("1 before X before 2"), std::string::npos);
    EXPECT_NE(LineStarting(text, "Conditions for Duplicates:").find("off"), std::string::npos);
    EXPECT_NE(LineStarting(text, "Conditions for 1, X and 2:").find("on"), std::string::npos);
    EXPECT_EQ(LineStarting(text, "Distribution:"), "Distribution: up to date (5 lines of 3 matches)");

    doc.tipsUpToDate = false;
    EXPECT_EQ(LineStarting(DocumentAsText(doc), "Distribution:"),
              "Distribution: not up to date (5 lines of 3 matches)");

    PoolsDocument empty;
    text = DocumentAsText(empty);
    EXPECT_EQ(LineStarting(text, "Distribution:"), "Distribution: none (no tips calculated yet)");
    EXPECT_FALSE(Contains(text, "Ticket No.")) << text;
    // Twelve matches in use, each shown by number.
    EXPECT_NE(LineStarting(text, "12:"), "") << text;
    EXPECT_EQ(LineStarting(text, "13:"), "");
}

TEST(DocumentAsText, MatchesTableIsAligned) {
    const PoolsDocument doc = SmallDocument();
    const std::string text = DocumentAsText(doc);
    const std::string header = LineStarting(text, "No.");
    const std::string first = LineStarting(text, "1:");
    const std::string second = LineStarting(text, "2:");
    ASSERT_NE(header, "") << text;
    // Chances with one decimal and comma; X is 1000 minus both.
    EXPECT_TRUE(Contains(first, "45,0") && Contains(first, "30,0") && Contains(first, "25,0")) << first;
    // Both bookmakers' odds, and the notes.
    EXPECT_TRUE(Contains(first, "1,85") && Contains(first, "3,40") && Contains(first, "10,00")) << first;
    EXPECT_TRUE(Contains(first, "derby")) << first;
    // Unnamed match, known result, no chances.
    EXPECT_TRUE(Contains(second, "Match 2")) << second;
    EXPECT_TRUE(Contains(second, "2,50")) << second;
    // Right-aligned numbers end in the same column as their header, counted in characters.
    auto column = [](const std::string& line, const std::string& part) {
        const size_t at = line.find(part);
        if (at == std::string::npos) return std::string::npos;
        size_t chars = 0;
        for (size_t i = 0; i < at + part.size(); ++i)
            if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80) ++chars;
        return chars;
    };
    EXPECT_EQ(column(header, "Chance 1"), column(first, "45,0")) << header << "\n" << first;
    EXPECT_EQ(column(first, "1,85"), column(second, "2,50")) << first << "\n" << second;

    PoolsDocument point = SmallDocument();
    point.decimalPoint = true;
    point.zeroForDraw = true;
    const std::string alt = DocumentAsText(point);
    EXPECT_TRUE(Contains(LineStarting(alt, "1:"), "1.85")) << alt;
    EXPECT_TRUE(Contains(LineStarting(alt, "No."), "Chance 0")) << alt;
}

TEST(DocumentAsText, LinesTicketByTicket) {
    PoolsDocument doc = SmallDocument();
    doc.zeroForDraw = true;
    const std::string text = DocumentAsText(doc);
    EXPECT_TRUE(Contains(text, "Ticket No. 1 of 3 (Line 1 to 2 of 5)")) << text;
    EXPECT_TRUE(Contains(text, "Ticket No. 3 of 3 (Line 5 to 5 of 5)")) << text;
    EXPECT_FALSE(Contains(text, "Ticket No. 4")) << text;
    // Results are 1 and X for the first two matches.
    const std::string line3 = LineStarting(text, "Line 3:");
    const std::string line1 = LineStarting(text, "Line 1:");
    EXPECT_TRUE(Contains(line3, "0 0 1")) << line3;
    EXPECT_TRUE(Contains(line1, "1 0 2")) << line1;
    EXPECT_EQ(line3.back(), '1') << line3; // X misses, X hits
    EXPECT_EQ(line1.back(), '2') << line1; // 1 and X both hit
    EXPECT_TRUE(Contains(LineStarting(text, "Result:"), "1 0 -")) << text;
}

TEST(DocumentAsText, MissingTipsArePlaceholders) {
    PoolsDocument doc = SmallDocument();
    doc.match(1).hasTips = false;
    doc.match(0).result = kTipNone;
    doc.match(1).result = kTipNone;
    const std::string text = DocumentAsText(doc);
    EXPECT_TRUE(Contains(LineStarting(text, "Line 1:"), "1 - 2")) << text;
    // Without any result there is no result row and no count of correct tips.
    EXPECT_EQ(LineStarting(text, "Result:"), "");
    EXPECT_EQ(LineStarting(text, "Line 1:").back(), '2');
}
