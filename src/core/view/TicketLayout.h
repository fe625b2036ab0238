#pragma once
// The drawing of the ticket view as plain data: every text with its position,
// style and colour, for the screen (one ticket) or a printed page (three).
// A renderer only has to draw the items in order.

#include "document/PoolsDocument.h"
#include "view/TicketPaging.h"

#include <array>
#include <string>
#include <vector>

namespace vdx {

struct TextStyle {
    bool bold = false;
    bool italic = false;
    int sizeDelta = 0; // points added to the font's size
    bool operator==(const TextStyle& o) const {
        return bold == o.bold && italic == o.italic && sizeDelta == o.sizeDelta;
    }
};

// Colours by role; Default is the device's normal text colour.
enum class Ink { Default, Red, Blue };

struct Rgb {
    unsigned char r = 0, g = 0, b = 0;
};
Rgb InkColour(Ink ink);

// What an item shows, so callers can find and test items.
enum class TicketPart {
    Title,           // ticket title
    StaleMark,       // "Tips are not up-to-date!"
    ColumnTitle,     // "Matches", "Res."
    Number,          // "3:" before a match
    Name,            // match name
    Result,          // result of a match
    Tip,             // tip of one line in one match
    LineNumber,      // number above a column
    CorrectTipsLabel,
    CorrectTips,     // correct tips of a line
    ConditionLabel,
    ConditionCount,  // "(-5)" or "(+)"
    ConditionMark,   // "-" or "+" per line
};

// One text; (x, y) is its top-left corner in device units.
struct TicketItem {
    TicketPart part;
    std::string text;
    int x = 0;
    int y = 0;
    TextStyle style;
    Ink ink = Ink::Default;
    int ticket = 0;  // index of the ticket the item belongs to
    int row = -1;    // match row or condition row, -1 when none
    int line = -1;   // line index, -1 when none
};

// Text measuring of the font the view draws with.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // Width in device units of the text drawn in the given style.
    virtual int textWidth(const std::string& text, const TextStyle& style) const = 0;
    // Height of a line of text in the normal style.
    virtual int textHeight() const = 0;
};

// Fixed geometry of the screen and of the printer.
struct TicketGeometry {
    int xOffset;        // P, in units
    int titleY;
    int rowHeight;      // H
    int groupGap;       // G, after every third row
    int columnTitleY;
    int firstRowY;
    int ticketDistance; // between tickets of a printed page
};
TicketGeometry ScreenGeometry();
TicketGeometry PrinterGeometry();

constexpr int kTicketsPerPage = 3;
constexpr int kMatchNameWidth = 160;   // units
constexpr int kTicketViewWidth = 538;  // units

// The scale in percent that the view's font needs: the current one unless the
// title template grows beyond what the layout holds.
int AdjustedTicketScale(int scale, const TextMeasure& measure);

// Removes characters from the end until the text is at most width wide.
std::string ShortenToWidth(const std::string& text, int width, const TextMeasure& measure,
                           const TextStyle& style = TextStyle());

struct TicketLayoutRequest {
    bool printing = false;
    int page = 0;          // printed page index
    int scale = 100;       // S, percent
    int clientWidth = 0;   // screen: width of the window's client area
};

struct TicketLayout {
    std::vector<TicketItem> items;
    int scale = 100;
    int nameShift = 0;     // D
    int rowGap = 0;        // E
    int ticketCount = 1;   // T
    int conditionRows = 0; // condition rows under each ticket
    // Screen: the client size the drawing needs (enlarge the window when smaller).
    int neededWidth = 0;
    int neededHeight = 0;
    // Printing: the vertical distance from one ticket of a page to the next
    // (the geometry's, or more when a tall font makes a ticket taller), and
    // the bottom of the first ticket's last text.
    int ticketDistance = 0;
    int ticketBottom = 0;
    // Match names as drawn on the last ticket (for printing onto tickets).
    std::array<std::string, kMaxMatches> shownNames;
};

// The ticket(s) of the document as positioned texts. paging must have been
// recounted from the document.
TicketLayout LayoutTickets(const PoolsDocument& doc, const TicketPaging& paging, const TicketLayoutRequest& request,
                           const TextMeasure& measure);

// Number of printed pages (three tickets each, at least one).
int PrintedPageCount(const TicketPaging& paging);

} // namespace vdx
