#pragma once
// The format editor's to-scale picture of a ticket format as plain drawing
// data (one pixel stands for 0.35 mm), with the places a click steps a value.
// The window only draws what it gets here and asks where a click landed.

#include "text/Tr.h"
#include "ticketprint/FormatChange.h"
#include "ticketprint/TicketFormat.h"

#include <functional>
#include <string>
#include <vector>

namespace vdx {

constexpr int kPreviewHundredthsPerPixel = 35;
constexpr int kPreviewBitmapSize = 16;
constexpr int kPreviewTicketLeft = 600 / kPreviewHundredthsPerPixel; // 6 mm from the canvas edge

enum class PreviewColour { kBlack, kBlue, kGreen, kRed };

// The colour of a tip's crosses: "1" black, "X" blue, "2" green.
PreviewColour TipColour(int tip);

struct PreviewRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
    int right() const { return x + width; }
    int bottom() const { return y + height; }
};

struct PreviewLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    PreviewColour colour = PreviewColour::kBlack;
    int extraWidth = 0; // pixels wider than the default pen (crosses: 2)
};

struct PreviewText {
    std::string text;
    int x = 0, y = 0;  // top left
    PreviewColour colour = PreviewColour::kBlack;
    int fontStep = 0;  // points relative to the preview font (which is the normal font + 2)
};

struct PreviewBitmap {
    std::string name; // "wupgreen", "insertcentre", ...; 16 x 16
    int x = 0, y = 0;
};

enum class PreviewTarget {
    kInsertDirection,
    kJustification,
    kOutputRatio,
    kMatches,
    kLines,
    kTipsOrder,
    kSizeOfX,
    kSpaceBetweenXs,
    kTotalLength,
    kTotalHeight,
    kSide,     // index: top, right, bottom, left
    kMatchGap, // index: gap
    kLineGap,  // index: gap
};

struct PreviewHit {
    PreviewTarget target;
    int index = -1;
    PreviewRect rect;
};

struct FormatPreview {
    std::vector<PreviewLine> lines;      // crosses, the gap lines, measurements with their end marks
    std::vector<PreviewRect> outlines;   // black: the ticket, the area of the crosses
    std::vector<PreviewText> texts;
    std::vector<PreviewBitmap> bitmaps;
    std::vector<PreviewHit> hits;        // one per clickable item
    PreviewRect ticket;
    int width = 0, height = 0;           // everything drawn lies inside
};

struct PreviewTextSize {
    int width = 0;
    int height = 0;
};
// Size of a text in the preview font changed by fontStep points.
using MeasureText = std::function<PreviewTextSize(const std::string& text, int fontStep)>;
// Translation of a program text (N_ marked); none keeps the English text.
using TranslateText = std::function<std::string(const char*)>;

FormatPreview BuildFormatPreview(const TicketFormatValues& values, const MeasureText& measure,
                                 const TranslateText& translate = {});

// The item under a point, or null.
const PreviewHit* PreviewHitAt(const FormatPreview& preview, int x, int y);

// What a click on an item does: the change to make (the left button steps
// up, the right one down), or, on a total, the message that totals cannot
// be set. The new value is not checked: the setter rejects a value beyond
// its range. A new size of X goes through the raising question first.
struct PreviewClick {
    bool showTotalsMessage = false;
    FormatChange kind = FormatChange::kOutputRatio;
    int index = -1;
    int value = 0;
    const char* label = ""; // the command's name, with its '&'
};
PreviewClick ClickOnPreview(const TicketFormatValues& values, const PreviewHit& hit, bool up);

constexpr const char* kTotalsMessage =
    N_("\"Total Height\" and \"Total Length\" display the current\ndimensions of the ticket. These values can't be "
       "changed\ndirectly, change their components instead.");

} // namespace vdx
