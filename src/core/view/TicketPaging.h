#pragma once
// Which ticket of a document's lines is shown and which line is highlighted,
// with the paging and highlighting commands of the ticket view.

#include "document/PoolsDocument.h"

namespace vdx {

constexpr int kHighlightOff = -2;

class TicketPaging {
public:
    // Geometry as last taken from the document; -1 while it has no lines.
    int lineTotal = -1;
    int perTicket = -1;
    int firstLine = 0;           // first line of the shown ticket
    int lastLine = -1;           // last line of the shown ticket
    int highlight = kHighlightOff;
    int conditionsCurrent = -1;  // 1/0: conditions as at the last calculation; -1 without lines
    bool needsRecount = true;    // take the geometry again before the next drawing

    bool hasLines() const { return lineTotal > 0 && perTicket > 0; }
    // Number of tickets: 1 without lines.
    int ticketCount() const;
    // Index of the shown ticket (0 without lines).
    int currentTicket() const;

    // Takes the geometry from the document and brings the position and the
    // highlight into range; clears needsRecount.
    void recount(const PoolsDocument& doc);
    // Same from plain numbers; lines <= 0 means the document has no lines.
    void recount(int lines, int linesPerTicket, bool conditionsUnchanged);

    // Which commands do something.
    bool canPageTickets() const;
    bool canMoveHighlight() const;
    bool canStopHighlighting() const { return highlight >= 0; }

    // Commands; each leaves needsRecount set (the view redraws at once).
    void nextTicket();
    void previousTicket();
    void firstTicket();
    void lastTicket();
    void nextLine();
    void previousLine();
    void stopHighlighting();

    // Wraps the first line into the lines and keeps an active highlight on the
    // shown ticket.
    void normalise();

private:
    void pageTo(int first);
};

} // namespace vdx
