#include "view/TicketPaging.h"

#include "calc/Conditions.h"

#include <algorithm>

namespace vdx {

int TicketPaging::ticketCount() const { return hasLines() ? (lineTotal - 1) / perTicket + 1 : 1; }

int TicketPaging::currentTicket() const { return hasLines() && firstLine >= 0 ? firstLine / perTicket : 0; }

void TicketPaging::recount(const PoolsDocument& doc) {
    const bool lines = doc.hasTips && doc.tipLineCount > 0;
    recount(lines ? doc.tipLineCount : -1, doc.linesPerTicket, lines && ConditionsUnchanged(doc));
}

void TicketPaging::recount(int lines, int linesPerTicket, bool conditionsUnchanged) {
    needsRecount = false;
    if (lines <= 0 || linesPerTicket <= 0) {
        lineTotal = perTicket = firstLine = lastLine = -1;
        conditionsCurrent = -1;
        highlight = kHighlightOff;
        return;
    }
    lineTotal = lines;
    perTicket = linesPerTicket;
    conditionsCurrent = conditionsUnchanged ? 1 : 0;
    // Coming from no lines the first ticket is shown. With a new ticket size
    // the ticket holding the old first line is shown, so the position always
    // starts a ticket.
    if (firstLine < 0) firstLine = 0;
    firstLine -= firstLine % perTicket;
    normalise();
    needsRecount = false;
}

bool TicketPaging::canPageTickets() const { return hasLines() && (lineTotal - 1) / perTicket > 0; }

bool TicketPaging::canMoveHighlight() const { return hasLines() && lineTotal > 1; }

void TicketPaging::pageTo(int first) {
    // An active highlight follows to the first line of the new ticket.
    if (highlight != kHighlightOff) highlight = 0;
    firstLine = first;
    normalise();
}

void TicketPaging::nextTicket() {
    if (canPageTickets()) pageTo(firstLine + perTicket);
}

void TicketPaging::previousTicket() {
    if (canPageTickets()) pageTo(firstLine - perTicket);
}

void TicketPaging::firstTicket() {
    if (canPageTickets()) pageTo(0);
}

void TicketPaging::lastTicket() {
    if (canPageTickets()) pageTo(perTicket * ((lineTotal - 1) / perTicket));
}

void TicketPaging::nextLine() {
    if (!canMoveHighlight()) return;
    if (highlight == kHighlightOff) {
        highlight = firstLine;
    } else if (++highlight > lastLine) {
        firstLine += perTicket;
        highlight = 0;
    }
    normalise();
}

void TicketPaging::previousLine() {
    if (!canMoveHighlight()) return;
    if (highlight == kHighlightOff) {
        highlight = firstLine;
    } else if (--highlight < firstLine) {
        firstLine -= perTicket;
        highlight = kMaxLines; // clamped to the last line of that ticket
    }
    normalise();
}

void TicketPaging::stopHighlighting() {
    highlight = kHighlightOff;
    needsRecount = true;
}

void TicketPaging::normalise() {
    needsRecount = true;
    if (!hasLines()) {
        lastLine = -1;
        return;
    }
    if (firstLine >= lineTotal) firstLine = 0;
    if (firstLine < 0) firstLine = perTicket * ((lineTotal - 1) / perTicket);
    lastLine = std::min(firstLine + perTicket, lineTotal) - 1;
    if (highlight != kHighlightOff) {
        if (highlight < firstLine) highlight = firstLine;
        if (highlight >= lineTotal) highlight = lineTotal - 1;
        if (highlight > firstLine + perTicket - 1) highlight = firstLine + perTicket - 1;
    }
}

} // namespace vdx
