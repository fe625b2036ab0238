#include "ticketprint/FormatPreview.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace vdx {
namespace {

// A font of fixed width: 7 pixels a character, 14 high, one pixel less a step down.
PreviewTextSize Fixed(const std::string& s, int step) {
    return {static_cast<int>(s.size()) * 7, 14 + step};
}

const PreviewHit& HitOf(const FormatPreview& p, PreviewTarget target, int index = -1) {
    for (const PreviewHit& h : p.hits)
        if (h.target == target && h.index == index) return h;
    ADD_FAILURE() << "no hit item " << static_cast<int>(target) << " " << index;
    return p.hits.front();
}

const PreviewText* TextStarting(const FormatPreview& p, const std::string& start) {
    for (const PreviewText& t : p.texts)
        if (t.text.rfind(start, 0) == 0) return &t;
    return nullptr;
}

TEST(FormatPreview, TicketIsDrawnToScale) {
    const FormatPreview p = BuildFormatPreview(TicketFormatValues(), Fixed);
    EXPECT_EQ(p.ticket.x, 17); // 6.00 mm
    EXPECT_EQ(p.ticket.width, 14400 / 35);
    EXPECT_EQ(p.ticket.height, 10800 / 35);
    EXPECT_GT(p.ticket.y, 42 + 14); // below the header's second row
    EXPECT_GE(p.width, p.ticket.right());
    EXPECT_GE(p.height, p.ticket.bottom());
    // The outline of the crosses: 0.55 mm around the squares.
    ASSERT_EQ(p.outlines.size(), 2u);
    EXPECT_EQ(p.outlines[1].x, p.ticket.x + (520 - 100 - 55) / 35);
    EXPECT_EQ(p.outlines[1].y, p.ticket.y + (2079 - 100 - 55) / 35);
}

TEST(FormatPreview, EveryPlaceHasThreeCrossesInTheTipColours) {
    TicketFormatValues v;
    v.tipsOrder = 4; // "X12"
    v.maxMatches = 3;
    v.maxLines = 2;
    const FormatPreview p = BuildFormatPreview(v, Fixed);
    std::vector<PreviewLine> crosses;
    for (const PreviewLine& l : p.lines)
        if (l.extraWidth == 2) crosses.push_back(l);
    // Three sample crosses in the header, then 3 matches x 2 lines x 3 tips.
    ASSERT_EQ(crosses.size(), 2u * (3 + 3 * 2 * 3));
    const PreviewColour kOrder[] = {PreviewColour::kBlue, PreviewColour::kBlack, PreviewColour::kGreen};
    for (int s = 0; s < 3; ++s) EXPECT_EQ(crosses[2 * s].colour, kOrder[s]) << "sample " << s;
    // The first cross of the ticket: the "X" of match 1, line 1, a 2 mm square.
    const PreviewLine& first = crosses[6];
    EXPECT_EQ(first.colour, PreviewColour::kBlue);
    EXPECT_EQ(first.x1, p.ticket.x + (520 - 100) / 35);
    EXPECT_EQ(first.y1, p.ticket.y + (2079 - 100) / 35);
    EXPECT_EQ(first.x2, p.ticket.x + (520 + 100) / 35);
    EXPECT_EQ(first.y2, p.ticket.y + (2079 + 100) / 35);
    // The "2" of match 3 in line 2 sits in slot 2 of the second block.
    const PreviewLine& last = crosses.back();
    EXPECT_EQ(last.colour, PreviewColour::kGreen);
    EXPECT_EQ(last.x2, p.ticket.x + (520 + 4 * 380 + 380 + 100) / 35);
    EXPECT_EQ(last.y1, p.ticket.y + (2079 + 2 * 391 + 100) / 35);
}

TEST(FormatPreview, HeaderItemsFollowEachOther) {
    const FormatPreview p = BuildFormatPreview(TicketFormatValues(), Fixed);
    const PreviewHit& direction = HitOf(p, PreviewTarget::kInsertDirection);
    EXPECT_EQ(direction.rect.x, 20);
    EXPECT_EQ(direction.rect.y, 20);
    EXPECT_EQ(direction.rect.height, 16);
    EXPECT_EQ(direction.rect.width, Fixed("Insert Direction: ", 0).width + 16);
    const PreviewHit& justification = HitOf(p, PreviewTarget::kJustification);
    EXPECT_EQ(justification.rect.x, direction.rect.right() - 1 + 12);
    const PreviewHit& ratio = HitOf(p, PreviewTarget::kOutputRatio);
    EXPECT_EQ(ratio.rect.x, justification.rect.right() - 1 + 12);
    const PreviewHit& order = HitOf(p, PreviewTarget::kTipsOrder);
    EXPECT_EQ(order.rect.x, ratio.rect.x);
    EXPECT_EQ(order.rect.y, 42);
    ASSERT_EQ(p.bitmaps.size(), 2u);
    EXPECT_EQ(p.bitmaps[0].name, "wupgreen");
    EXPECT_EQ(p.bitmaps[1].name, "insertcentre");
    for (const char* text : {"Output Ratio: 100%", "Matches: 12", "Lines: 12", "Tips Order: 12X ->",
                             "Size of 'X': 2.00 mm", "Space between 'X's: 3.80 mm", "Space to Top: 20.79 mm",
                             "Space to Right: 5.80 mm", "Space to Bottom: 44.20 mm", "Space to Left: 5.20 mm",
                             "Matches 1 - 2: 3.91 mm", "Matches 11 - 12: 3.91 mm", "Total Length: 144.00 mm",
                             "Total Height: 108.00 mm"})
        EXPECT_NE(TextStarting(p, text), nullptr) << text;
}

TEST(FormatPreview, EveryItemIsFoundWhereItIsDrawn) {
    TicketFormatValues v;
    v.maxMatches = 14;
    const FormatPreview p = BuildFormatPreview(v, Fixed);
    // Six header items, size and space of X, two totals, four sides, 13 + 11 gaps.
    EXPECT_EQ(p.hits.size(), 6u + 2 + 2 + 4 + 13 + 11);
    for (const PreviewHit& h : p.hits) {
        const int x = h.rect.x + h.rect.width / 2, y = h.rect.y + h.rect.height / 2;
        const PreviewHit* found = PreviewHitAt(p, x, y);
        ASSERT_NE(found, nullptr);
        EXPECT_TRUE(found->target == h.target && found->index == h.index)
            << "item " << static_cast<int>(h.target) << "/" << h.index << " hidden by "
            << static_cast<int>(found->target) << "/" << found->index;
    }
    EXPECT_EQ(PreviewHitAt(p, 0, 0), nullptr);
    EXPECT_EQ(PreviewHitAt(p, p.ticket.x + p.ticket.width / 2, p.ticket.y + p.ticket.height / 2), nullptr);
}

TEST(FormatPreview, GapTextsShrinkAndShowTheUnitWhenItFits) {
    TicketFormatValues v;
    v.maxMatches = 3;
    v.maxLines = 3;
    v.spacesBetweenMatches[1] = 1000;
    v.spacesBetweenLines[1] = 1000;
    // 3 pixels a character: "3.00 mm" takes 21 pixels.
    const auto narrow = [](const std::string& s, int step) {
        return PreviewTextSize{static_cast<int>(s.size()) * 3, 14 + step};
    };
    const FormatPreview p = BuildFormatPreview(v, narrow);
    const PreviewText* small = TextStarting(p, "Matches 1 - 2");
    const PreviewText* large = TextStarting(p, "Matches 2 - 3");
    ASSERT_TRUE(small && large);
    EXPECT_LT(small->fontStep, 0);
    EXPECT_LE(14 + small->fontStep, 391 / 35 + 1);
    EXPECT_EQ(large->fontStep, 0);
    EXPECT_NE(TextStarting(p, "3.80"), nullptr);
    EXPECT_EQ(TextStarting(p, "3.80 mm"), nullptr); // 10 pixels: no room for the unit
    EXPECT_NE(TextStarting(p, "10.00 mm"), nullptr); // 28 pixels
}

// With a font wider than a line block the values of neighbouring line gaps
// shrink instead of running into each other (and into each other's clicks).
TEST(FormatPreview, LineGapValuesDoNotOverlap) {
    const auto wide = [](const std::string& s, int step) {
        return PreviewTextSize{static_cast<int>(s.size()) * (10 + step), 14 + step};
    };
    const FormatPreview p = BuildFormatPreview(TicketFormatValues(), wide);
    std::vector<PreviewRect> boxes;
    for (const PreviewText& t : p.texts)
        if (t.text.rfind("3.80", 0) == 0 && t.y > p.ticket.bottom())
            boxes.push_back({t.x, t.y, wide(t.text, t.fontStep).width, 14 + t.fontStep});
    ASSERT_EQ(boxes.size(), 11u);
    for (size_t k = 0; k + 1 < boxes.size(); ++k)
        EXPECT_LT(boxes[k].right(), boxes[k + 1].x) << "gap texts " << k << " and " << k + 1 << " overlap";
    for (int k = 0; k < 11; ++k) {
        const PreviewHit& h = HitOf(p, PreviewTarget::kLineGap, k);
        const PreviewHit* found = PreviewHitAt(p, h.rect.x + h.rect.width - 1, boxes[k].y + 2);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->index, k) << "the right end of gap " << k << " text clicks another gap";
    }
}

// Below the ticket every text keeps clear of its neighbours: values of line
// gaps by half a line, the sides' names by moving the right one a row down
// when both do not fit side by side (long translations, a narrow ticket).
TEST(FormatPreview, TextsBelowTheTicketStandApart) {
    // Narrower by a pixel a character for each step down.
    const auto shrinking = [](const std::string& s, int step) {
        return PreviewTextSize{static_cast<int>(s.size()) * (7 + step), 14 + step};
    };
    struct Case {
        const char* what;
        bool longNames;
    };
    for (const Case& c : {Case{"short names", false}, Case{"long names", true}}) {
        SCOPED_TRACE(c.what);
        const TicketFormatValues v;
        const auto translate = [&](const char* text) -> std::string {
            if (!c.longNames) return text;
            const std::string t = text;
            if (t == "Space to &Left") return "A much longer name of the space to the left side of the ticket";
            if (t == "Space to &Right") return "A much longer name of the space to the right side of the ticket";
            return t;
        };
        const FormatPreview p = BuildFormatPreview(v, shrinking, translate);
        std::vector<PreviewRect> boxes;
        std::vector<std::string> names;
        for (const PreviewText& t : p.texts)
            if (t.y > p.ticket.bottom()) {
                boxes.push_back({t.x, t.y, shrinking(t.text, t.fontStep).width, 14 + t.fontStep});
                names.push_back(t.text);
            }
        ASSERT_GE(boxes.size(), 15u);
        for (size_t i = 0; i < boxes.size(); ++i)
            for (size_t j = i + 1; j < boxes.size(); ++j) {
                const PreviewRect& a = boxes[i];
                const PreviewRect& b = boxes[j];
                const bool apart = a.right() + 7 <= b.x || b.right() + 7 <= a.x || a.bottom() <= b.y ||
                                   b.bottom() <= a.y;
                EXPECT_TRUE(apart) << names[i] << " / " << names[j];
            }
    }
}

TEST(FormatPreview, TextsGoThroughTheTranslation) {
    const std::map<std::string, std::string> german = {{"%s: %.2f mm", "%s = %.2f mm"},
                                                       {"Total Length", "Gesamtlänge"},
                                                       {"Space to &Top", "Abstand &oben"}};
    const FormatPreview p = BuildFormatPreview(TicketFormatValues(), Fixed, [&](const char* s) {
        const auto it = german.find(s);
        return it == german.end() ? std::string(s) : it->second;
    });
    EXPECT_NE(TextStarting(p, "Gesamtlänge = 144.00 mm"), nullptr);
    EXPECT_NE(TextStarting(p, "Abstand oben = 20.79 mm"), nullptr);
}

TEST(FormatPreview, ClicksStepTheValueUnderThePointer) {
    TicketFormatValues v;
    v.maxMatches = 14;
    struct Case {
        PreviewTarget target;
        int index;
        bool up;
        FormatChange kind;
        int value;
        const char* label;
    };
    const Case cases[] = {
        {PreviewTarget::kInsertDirection, -1, false, FormatChange::kInsertDirection, 3, "Insert Directi&on"},
        {PreviewTarget::kJustification, -1, true, FormatChange::kJustification, 2, "&Justification"},
        {PreviewTarget::kTipsOrder, -1, false, FormatChange::kTipsOrder, 5, "Tips Ord&er"},
        {PreviewTarget::kOutputRatio, -1, true, FormatChange::kOutputRatio, 101, "Output R&atio"},
        {PreviewTarget::kMatches, -1, true, FormatChange::kMaxMatches, 15, "&Matches"},
        {PreviewTarget::kLines, -1, false, FormatChange::kMaxLines, 11, "&Lines"},
        {PreviewTarget::kSizeOfX, -1, true, FormatChange::kSizeOfX, 205, "Size of '&X'"},
        {PreviewTarget::kSpaceBetweenXs, -1, false, FormatChange::kSpaceBetweenXs, 375, "Space &between 'X's"},
        {PreviewTarget::kSide, kSideBottom, true, FormatChange::kSide, 4430, "Space to &Bottom"},
        {PreviewTarget::kMatchGap, 12, false, FormatChange::kMatchGap, 386, "Spaces between Ma&tches"},
        {PreviewTarget::kLineGap, 3, true, FormatChange::kLineGap, 385, "Spaces between L&ines"},
    };
    const FormatPreview p = BuildFormatPreview(v, Fixed);
    for (const Case& c : cases) {
        const PreviewHit& h = HitOf(p, c.target, c.index);
        const PreviewClick click = ClickOnPreview(v, h, c.up);
        EXPECT_FALSE(click.showTotalsMessage);
        EXPECT_EQ(click.kind, c.kind) << c.label;
        EXPECT_EQ(click.index, c.index) << c.label;
        EXPECT_EQ(click.value, c.value) << c.label;
        EXPECT_STREQ(click.label, c.label);
    }
    // Matches at 14 stepped up: the setter refuses, nothing changes.
    TicketFormat f(v);
    const PreviewClick more = ClickOnPreview(v, HitOf(p, PreviewTarget::kMatches), true);
    EXPECT_FALSE(SetFormatValue(f, more.kind, more.index, more.value));
    EXPECT_EQ(f.values(), v);
    for (PreviewTarget total : {PreviewTarget::kTotalLength, PreviewTarget::kTotalHeight})
        EXPECT_TRUE(ClickOnPreview(v, HitOf(p, total), true).showTotalsMessage);
}

} // namespace
} // namespace vdx
