#include "view/TicketLayout.h"

#include "text/Tr.h"

#include <algorithm>
#include <cstdio>

namespace vdx {

namespace {

const char* const kTitleTemplate = N_("Ticket No. %1$d of %2$d (Line %3$d to %4$d of %5$d)");
// Units kept free between a moved title's end and the ticket's right edge.
constexpr int kTitleMargin = 10;
// Least room between the last text of a printed ticket and the next title.
constexpr int kTicketGap = 20;

// The template as wide as its plain "%d" form: "%1$d" counts as "%d".
std::string WithoutPositions(std::string format) {
    for (size_t i = format.find('%'); i != std::string::npos; i = format.find('%', i + 1)) {
        size_t j = i + 1;
        while (j < format.size() && format[j] >= '0' && format[j] <= '9') ++j;
        if (j > i + 1 && j < format.size() && format[j] == '$') format.erase(i + 1, j - i);
    }
    return format;
}

int Digits(int n) {
    int d = 1;
    for (n = n < 0 ? -n : n; n >= 10; n /= 10) ++d;
    return d;
}

std::string Number(const char* format, int n) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, n);
    return buf;
}

size_t CodePoints(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

// Removes the last count code points, never splitting a UTF-8 sequence.
void DropLastCodePoints(std::string& s, size_t count) {
    size_t end = s.size();
    while (count > 0 && end > 0) {
        --end;
        if ((static_cast<unsigned char>(s[end]) & 0xC0) != 0x80) --count;
    }
    s.erase(end);
}

// Places the texts of one document into device coordinates.
class Builder {
public:
    Builder(const PoolsDocument& doc, const TicketPaging& paging, const TicketLayoutRequest& request,
            const TextMeasure& measure, TicketLayout& out)
        : doc_(doc), paging_(paging), printing_(request.printing), measure_(measure), out_(out),
          geo_(request.printing ? PrinterGeometry() : ScreenGeometry()), scale_(request.scale) {
        withTips_ = paging.hasLines();
        rowCount_ = std::clamp(withTips_ ? doc.tipMatchCount : doc.matchCount, 0, kMaxMatches);
        out_.scale = scale_;
        out_.ticketCount = paging.ticketCount();
        const int textHeight = measure.textHeight();
        rowGap_ = textHeight + 3 > geo_.rowHeight ? textHeight - geo_.rowHeight + 3 : 0;
        out_.rowGap = rowGap_;
        if (!printing_) shift_ = NameShift(request.clientWidth);
        out_.nameShift = shift_;
    }

    void build(int page) {
        if (!printing_) {
            const int first = withTips_ ? paging_.firstLine : -1;
            ticket(withTips_ ? paging_.currentTicket() : 0, first, 0);
            const int rows = conditionRows();
            out_.conditionRows = rows;
            out_.neededWidth = x(kTicketViewWidth);
            out_.neededHeight = (rowGap_ + 14) * rows + correctTipsY(0) + 2 * rowGap_ + 30;
            return;
        }
        const int rows = conditionRows();
        out_.conditionRows = rows;
        // A font taller than the rows were made for moves every row down; the
        // next ticket then starts further down, never on top of this one.
        const int lastRowY = withTips_ ? (rows > 0 ? (rowGap_ + 14) * (rows - 1) + correctTipsY(0) + rowGap_ + 20
                                                   : correctTipsY(0))
                                       : rowY(std::max(rowCount_ - 1, 0), 0);
        out_.ticketBottom = lastRowY + measure_.textHeight();
        out_.ticketDistance = std::max(geo_.ticketDistance, out_.ticketBottom - geo_.titleY + kTicketGap);
        for (int k = 0; k < kTicketsPerPage; ++k) {
            const int t = kTicketsPerPage * page + k;
            if (page < 0 || t >= out_.ticketCount) break;
            ticket(t, withTips_ ? paging_.perTicket * t : -1, out_.ticketDistance * k);
        }
    }

private:
    int x(int units) const { return units * scale_ / 100; }

    Ink screenInk(Ink ink) const { return printing_ ? Ink::Default : ink; }

    int NameShift(int clientWidth) const {
        if (clientWidth <= x(kTicketViewWidth)) return 0;
        int widest = 0;
        for (int m = 0; m < rowCount_; ++m)
            widest = std::max(widest, measure_.textWidth(doc_.match(m).name, TextStyle()));
        if (widest <= kMatchNameWidth) return 0;
        return std::min(widest - kMatchNameWidth, clientWidth - x(kTicketViewWidth));
    }

    int rowY(int m, int v) const {
        return (m / 3) * geo_.groupGap + (geo_.rowHeight + rowGap_) * m + geo_.firstRowY + rowGap_ + v;
    }

    int correctTipsY(int v) const { return rowY(std::max(rowCount_ - 1, 0), v) + geo_.rowHeight + geo_.groupGap; }

    // Units of the column of the q-th line of a ticket.
    int columnUnits(int q) const { return 250 + 18 * q + 12 * (q / 2) + geo_.xOffset; }

    bool conditionRowShown(int i) const {
        if (!withTips_ || doc_.lastConditionState[i] == 0) return false;
        if (i > 0 && doc_.matchCount != doc_.tipMatchCount) return false;
        return doc_.evaluation.lineConditionFlags.at(0) != -1;
    }

    int conditionRows() const {
        int n = 0;
        for (int i = 0; i < 3; ++i) n += conditionRowShown(i) ? 1 : 0;
        return n;
    }

    void add(TicketPart part, std::string text, int px, int py, TextStyle style, Ink ink, int ticket,
             int row = -1, int line = -1) {
        out_.items.push_back(TicketItem{part, std::move(text), px, py, style, ink, ticket, row, line});
    }

    void ticket(int t, int first, int v) {
        const int P = geo_.xOffset;
        const int D = shift_;
        const int E = rowGap_;
        const int last = withTips_ ? std::min(first + paging_.perTicket, paging_.lineTotal) - 1 : -1;
        TextStyle bold;
        bold.bold = true;

        // Title, shifted left and followed by a warning when the lines no longer fit the data.
        const bool stale = withTips_ && (!doc_.tipsUpToDate || paging_.conditionsCurrent != 1);
        const std::string title =
            withTips_ ? TrFormat(kTitleTemplate, t + 1, out_.ticketCount, first + 1, last + 1, paging_.lineTotal)
                      : Translate(N_("Ticket (no tips calculated yet)"));
        const int titleWidth = measure_.textWidth(title, bold);
        int titleX = x(P + (stale ? 25 : 250)) + D;
        // A long title (four-digit line numbers, a large font) moves left so that
        // it still ends inside the ticket.
        const int titleEnd = x(P + kTicketViewWidth - kTitleMargin) + D;
        if (!stale && titleX + titleWidth > titleEnd) titleX = std::max(titleEnd - titleWidth, x(P + 25) + D);
        add(TicketPart::Title, title, titleX, geo_.titleY + v, bold, Ink::Default, t);
        if (stale)
            add(TicketPart::StaleMark, Translate(N_("Tips are not up-to-date!")), x(P + 35) + titleWidth + D, geo_.titleY + v,
                TextStyle(), screenInk(Ink::Red), t);

        const int columnTitleY = geo_.columnTitleY + v + E;
        add(TicketPart::ColumnTitle, Translate(N_("Matches")), x(P + 35), columnTitleY, TextStyle(), Ink::Default, t);
        add(TicketPart::ColumnTitle, Translate(N_("Res.")), x(P + 205) + D, columnTitleY, TextStyle(), Ink::Default, t);

        for (int m = 0; m < rowCount_; ++m) {
            const int y = rowY(m, v);
            const MatchEntry& entry = doc_.match(m);
            add(TicketPart::Number, Number("%d:", m + 1), x(P + 27 - 6 * Digits(m + 1)), y, TextStyle(),
                Ink::Default, t, m);

            TextStyle nameStyle;
            std::string name;
            if (entry.name.empty()) {
                name = TrFormat(N_("Match %d"), m + 1);
                nameStyle.italic = true;
            } else {
                name = ShortenToWidth(entry.name, x(kMatchNameWidth) + D, measure_);
            }
            out_.shownNames[m] = name;
            add(TicketPart::Name, name, x(P + 35), y, nameStyle, Ink::Default, t, m);

            const int result = entry.result >= 0 && entry.result <= 2 ? entry.result : kTipNone;
            add(TicketPart::Result, doc_.tipText(result, true), x(P + 208) + D, y, bold, screenInk(Ink::Red), t, m);

            for (int j = first; withTips_ && j <= last; ++j) {
                const int q = j - first;
                const int tip = doc_.tipOf(m, j);
                TextStyle style;
                Ink ink = Ink::Default;
                int units = columnUnits(q);
                int ty = y;
                if (tip != kTipNone && tip == result) {
                    if (printing_)
                        style.bold = true;
                    else
                        ink = Ink::Red;
                }
                if (!printing_ && j == paging_.highlight) {
                    style.bold = true;
                    style.sizeDelta = 4;
                    ty -= 4;
                    units -= 2;
                }
                add(TicketPart::Tip, doc_.tipText(tip, true), x(units) + D, ty, style, ink, t, m, j);
            }
        }
        if (!withTips_) return;

        const int y0 = correctTipsY(v);
        for (int j = first; j <= last; ++j) {
            const int q = j - first;
            add(TicketPart::LineNumber, Number("%d", q + 1), x(columnUnits(q) - ((q + 1) / 10) * 5) + D,
                columnTitleY, TextStyle(), Ink::Default, t, -1, j);
            const int correct = doc_.correctTips.at(j);
            add(TicketPart::CorrectTips, Number("%d", correct), x(columnUnits(q) - (correct / 10) * 5) + D, y0,
                bold, screenInk(Ink::Red), t, -1, j);
        }
        add(TicketPart::CorrectTipsLabel, Translate(N_("Correct Tips")), x(P + 35), y0, TextStyle(), screenInk(Ink::Red), t);

        static const char* const labels[3] = {N_("Conditions for Duplicates"), nullptr, N_("Conditions for Favourites")};
        int n = 0;
        for (int i = 0; i < 3; ++i) {
            if (!conditionRowShown(i)) continue;
            const int y = (E + 14) * n + y0 + E + 20;
            const Ink blue = screenInk(Ink::Blue);
            const std::string label = labels[i] ? Translate(labels[i])
                                                : TrFormat(N_("Conditions for 1, %s and 2"), doc_.tipText(kTipX).c_str());
            add(TicketPart::ConditionLabel, label, x(P + 35), y, TextStyle(), blue, t, i);
            const int failing = doc_.evaluation.flaggedLineCounts[i];
            add(TicketPart::ConditionCount, failing > 0 ? Number("(-%d)", failing) : "(+)",
                x(P + 212 - 3 * Digits(failing)) + D, y, TextStyle(), blue, t, i);
            for (int j = first; j <= last; ++j) {
                const int q = j - first;
                const int correct = doc_.correctTips.at(j);
                const bool fails = (doc_.evaluation.lineConditionFlags.at(j) & (1 << i)) != 0;
                add(TicketPart::ConditionMark, fails ? "-" : "+", x(columnUnits(q) - (correct / 10) * 5) + D, y,
                    TextStyle(), blue, t, i, j);
            }
            ++n;
        }
    }

    const PoolsDocument& doc_;
    const TicketPaging& paging_;
    const bool printing_;
    const TextMeasure& measure_;
    TicketLayout& out_;
    const TicketGeometry geo_;
    const int scale_;
    bool withTips_ = false;
    int rowCount_ = 0;
    int rowGap_ = 0;
    int shift_ = 0;
};

} // namespace

Rgb InkColour(Ink ink) {
    switch (ink) {
    case Ink::Red: return Rgb{255, 0, 0};
    case Ink::Blue: return Rgb{0, 0, 255};
    case Ink::Default: break;
    }
    return Rgb{0, 0, 0};
}

TicketGeometry ScreenGeometry() { return TicketGeometry{0, 25, 17, 10, 52, 79, 330}; }

TicketGeometry PrinterGeometry() { return TicketGeometry{27, 45, 13, 8, 66, 87, 330}; }

int AdjustedTicketScale(int scale, const TextMeasure& measure) {
    const int width = measure.textWidth(WithoutPositions(Translate(kTitleTemplate)), TextStyle());
    return width > 293 ? width * 100 / 267 : scale;
}

std::string ShortenToWidth(const std::string& text, int width, const TextMeasure& measure, const TextStyle& style) {
    std::string s = text;
    int w = measure.textWidth(s, style);
    while (w > width && !s.empty()) {
        size_t count = static_cast<size_t>((w - width) / 12);
        if (count == 0 || count > CodePoints(s)) count = 1;
        DropLastCodePoints(s, count);
        w = measure.textWidth(s, style);
    }
    return s;
}

TicketLayout LayoutTickets(const PoolsDocument& doc, const TicketPaging& paging, const TicketLayoutRequest& request,
                           const TextMeasure& measure) {
    TicketLayout out;
    Builder(doc, paging, request, measure, out).build(request.page);
    return out;
}

int PrintedPageCount(const TicketPaging& paging) {
    return (paging.ticketCount() + kTicketsPerPage - 1) / kTicketsPerPage;
}

} // namespace vdx
