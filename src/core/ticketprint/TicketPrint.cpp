#include "ticketprint/TicketPrint.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace vdx {

std::string FormatChangedQuestion(const std::string& fileName) {
    return TrFormat(N_("\"%1$s\" was changed with the Format Editor.\nThe changes are applied only after "
                       "saving the file.\nShall \"%1$s\" be saved now?"),
                    fileName.c_str());
}

bool SameFormatFile(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool PrintTicketsEnabled(bool formatSelected, bool haveDocument, bool documentHasTips, bool singleDocumentMode) {
    if (!formatSelected) return false;
    if (!haveDocument) return !singleDocumentMode;
    return documentHasTips;
}

bool TicketFitsFormat(const PoolsDocument& doc, const TicketFormatValues& f) {
    const bool linesFit = doc.linesPerTicket <= f.maxLines || doc.lineCount <= f.maxLines;
    const bool matchesFit = doc.matchCount <= f.maxMatches;
    // The document's counts may have changed since the calculation; the
    // printed lines and matches are those of the calculation.
    const int printedPerTicket = std::min(doc.linesPerTicket, doc.tipLineCount);
    const bool printedFit = printedPerTicket <= f.maxLines && doc.tipMatchCount <= f.maxMatches;
    return linesFit && matchesFit && printedFit;
}

int TicketPageCount(const PoolsDocument& doc) {
    if (doc.tipLineCount < 1 || doc.linesPerTicket < 1) return 0;
    return (doc.tipLineCount - 1) / doc.linesPerTicket + 1;
}

TicketLineRange TicketLines(const PoolsDocument& doc, int ticket) {
    TicketLineRange r;
    if (ticket < 0 || ticket >= TicketPageCount(doc)) return r;
    r.first = ticket * doc.linesPerTicket;
    r.end = std::min((ticket + 1) * doc.linesPerTicket, doc.tipLineCount);
    return r;
}

int JustificationOffset(const TicketFormatValues& f) {
    const int width = (f.insertDirection == 1 || f.insertDirection == 3) ? TotalHeight(f) : TotalLength(f);
    switch (f.justification) {
    case 1: return (kPrinterFeedWidth - width) / 2;
    case 2: return kPrinterFeedWidth - width;
    default: return 0;
    }
}

PrintPoint PlaceOnPrinter(const TicketFormatValues& f, int x, int y) {
    const int w = TotalLength(f);
    const int h = TotalHeight(f);
    PrintPoint p{x, y};
    switch (f.insertDirection) {
    case 1: p = {y, w - x}; break;
    case 2: p = {w - x, h - y}; break;
    case 3: p = {h - y, x}; break;
    default: break;
    }
    p.x += JustificationOffset(f) - kPrintShiftAcross;
    p.y -= kPrintShiftAlong;
    return p;
}

int ToLogicalUnits(int hundredths, int outputRatio) {
    return static_cast<int>(static_cast<double>(hundredths) * outputRatio / 2650.0);
}

TicketPrintout TicketCrosses(const PoolsDocument& doc, const TicketFormatValues& f, int ticket) {
    TicketPrintout out;
    out.totalLength = TotalLength(f);
    out.totalHeight = TotalHeight(f);
    out.halfSize = f.sizeOfX / 2;
    const TicketLineRange lines = TicketLines(doc, ticket);
    const int matches = std::min(doc.tipMatchCount, kMaxMatches);
    const int h = out.halfSize;
    const auto logical = [&f](int x, int y) {
        return PrintPoint{ToLogicalUnits(x, f.outputRatio), ToLogicalUnits(y, f.outputRatio)};
    };
    for (int j = 0; j < matches; ++j) {
        const int y = MatchPosition(f, j);
        for (int line = lines.first; line < lines.end; ++line) {
            const int tip = doc.tipOf(j, line);
            if (tip < 0) continue;
            const int x = LineBlockPosition(f, line - lines.first) + TipSlot(f.tipsOrder, tip) * f.spaceBetweenXs;
            PrintedCross c;
            c.match = j;
            c.line = line;
            c.tip = tip;
            c.centre = PlaceOnPrinter(f, x, y);
            const PrintPoint m = c.centre;
            c.strokes[0] = {logical(m.x - h, m.y - h), logical(m.x + h, m.y + h)};
            c.strokes[1] = {logical(m.x - h, m.y + h), logical(m.x + h, m.y - h)};
            out.crosses.push_back(c);
        }
    }
    return out;
}

} // namespace vdx
