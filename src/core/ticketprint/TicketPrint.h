#pragma once
// Printing the lines of a pools document as crosses onto betting tickets:
// the checks before printing, the pages, and where every cross goes.

#include "document/PoolsDocument.h"
#include "text/Tr.h"
#include "ticketprint/TicketFormat.h"

#include <array>
#include <string>
#include <vector>

namespace vdx {

constexpr int kPrinterFeedWidth = 21000; // 210 mm across the printer
constexpr int kPrintShiftAcross = 330;   // the printer's own margins
constexpr int kPrintShiftAlong = 60;
constexpr int kCrossPenWidth = 2;

// Texts of ticket printing.
constexpr const char* kChooseFormatPrompt = N_("Choose a Ticketformat file");
constexpr const char* kFormatSelectedLog = N_("Format file %s selected");
constexpr const char* kFormatOpenedForPrintingLog = N_("Format file %s opened for printing");
constexpr const char* kTicketTooLargeTitle = N_("Message");
constexpr const char* kTicketTooLargeMessage =
    N_("The ticket can't be printed:\nThe number of matches or the number of lines\nexceeds the maximum values "
       "of the Ticketformat.\nPlease adapt the options of the document!");
constexpr const char* kFormatChangedTitle = N_("VendrixPlanner Format Editor");

// The question before printing when the selected format has unsaved changes
// in the format editor; the file name goes into both places.
std::string FormatChangedQuestion(const std::string& fileName);

// Whether two names are the same format file (case is not looked at).
bool SameFormatFile(const std::string& a, const std::string& b);

// Whether "Print Tickets" can be chosen.
bool PrintTicketsEnabled(bool formatSelected, bool haveDocument, bool documentHasTips, bool singleDocumentMode);

// Whether the document's tickets fit the format: the lines per ticket (or
// all lines, when fewer) and the matches must not exceed the format's counts.
// The lines and matches of the calculated distribution, which are the ones
// printed, are held to the same limits.
bool TicketFitsFormat(const PoolsDocument& doc, const TicketFormatValues& format);

// Pages of the printout: one ticket each; 0 without calculated lines.
int TicketPageCount(const PoolsDocument& doc);
// The lines [first, end) printed on ticket t.
struct TicketLineRange {
    int first = 0;
    int end = 0;
};
TicketLineRange TicketLines(const PoolsDocument& doc, int ticket);

struct PrintPoint {
    int x = 0; // across the printer
    int y = 0; // along the feed
    bool operator==(const PrintPoint& o) const { return x == o.x && y == o.y; }
};
struct PrintLine {
    PrintPoint from, to;
};

// Where a point of the ticket (line axis x, match axis y, from the ticket's
// top left) comes on the printer: turned by the insert direction, moved by the
// justification and the printer's margins; hundredths of a millimetre.
PrintPoint PlaceOnPrinter(const TicketFormatValues& format, int x, int y);
// The justification offset across the printer.
int JustificationOffset(const TicketFormatValues& format);
// Hundredths of a millimetre as the printout's logical units (0.265 mm at
// 100 %), truncated toward zero.
int ToLogicalUnits(int hundredths, int outputRatio);

struct PrintedCross {
    int match = 0;
    int line = 0;      // line of the document
    int tip = 0;       // 0 "1", 1 "X", 2 "2"
    PrintPoint centre; // on the printer, hundredths of a millimetre
    std::array<PrintLine, 2> strokes; // in logical units, ready to draw
};

struct TicketPrintout {
    int totalLength = 0; // of the format, whatever the ticket holds
    int totalHeight = 0;
    int halfSize = 0;    // half the side of a cross
    int penWidth = kCrossPenWidth;
    std::vector<PrintedCross> crosses; // match by match, line by line
};

// The crosses of ticket t; a match without a tip in a line gets no cross.
TicketPrintout TicketCrosses(const PoolsDocument& doc, const TicketFormatValues& format, int ticket);

} // namespace vdx
