#include "ticketprint/TicketFormat.h"

#include <algorithm>

namespace vdx {
namespace {

const char* const kTipsOrders[] = {"12X", "1X2", "21X", "2X1", "X12", "X21"};

// Codes step round in both directions, as the editor's clicks do.
int Wrapped(int v, int largest) {
    if (v < 0) return largest;
    if (v > largest) return 0;
    return v;
}

} // namespace

bool TicketFormatValues::operator==(const TicketFormatValues& o) const {
    return insertDirection == o.insertDirection && justification == o.justification &&
           outputRatio == o.outputRatio && maxLines == o.maxLines && maxMatches == o.maxMatches &&
           sizeOfX == o.sizeOfX && tipsOrder == o.tipsOrder && spaceBetweenXs == o.spaceBetweenXs &&
           spacesBetweenMatches == o.spacesBetweenMatches && spacesBetweenLines == o.spacesBetweenLines &&
           spacesToSides == o.spacesToSides;
}

const char* TipsOrderText(int tipsOrder) {
    return kTipsOrders[tipsOrder >= 0 && tipsOrder <= kTipsOrderMax ? tipsOrder : 0];
}

int TipSlot(int tipsOrder, int tip) {
    static const char kTipChars[] = {'1', 'X', '2'};
    const char* order = TipsOrderText(tipsOrder);
    for (int s = 0; s < 3; ++s)
        if (order[s] == kTipChars[tip]) return s;
    return 0;
}

int TipAtSlot(int tipsOrder, int slot) {
    switch (TipsOrderText(tipsOrder)[slot]) {
    case '1': return 0;
    case 'X': return 1;
    default: return 2;
    }
}

int MatchPosition(const TicketFormatValues& v, int match) {
    int y = v.spacesToSides[kSideTop];
    for (int k = 0; k < match && k < kFormatMatchGaps; ++k) y += v.spacesBetweenMatches[k];
    return y;
}

int LineBlockPosition(const TicketFormatValues& v, int line) {
    int x = v.spacesToSides[kSideLeft];
    for (int m = 0; m < line && m < kFormatLineGaps; ++m) x += 2 * v.spaceBetweenXs + v.spacesBetweenLines[m];
    return x;
}

int TotalLength(const TicketFormatValues& v) {
    return LineBlockPosition(v, v.maxLines - 1) + 2 * v.spaceBetweenXs + v.spacesToSides[kSideRight];
}

int TotalHeight(const TicketFormatValues& v) {
    return MatchPosition(v, v.maxMatches - 1) + v.spacesToSides[kSideBottom];
}

bool ClampOrReject(int current, int v, int lo, int hi, int& stored) {
    if (v < lo) {
        if (current <= lo) return false;
        stored = lo;
    } else if (v > hi) {
        if (current >= hi) return false;
        stored = hi;
    } else {
        stored = v;
    }
    return true;
}

void TicketFormat::loaded(const TicketFormatValues& values) {
    values_ = values;
    saved_ = values;
}

void TicketFormat::saved() {
    saved_ = values_;
    savedSinceOpen_ = true;
}

bool TicketFormat::setInsertDirection(int v) {
    values_.insertDirection = Wrapped(v, kInsertDirectionMax);
    return true;
}

bool TicketFormat::setJustification(int v) {
    values_.justification = Wrapped(v, kJustificationMax);
    return true;
}

bool TicketFormat::setTipsOrder(int v) {
    values_.tipsOrder = Wrapped(v, kTipsOrderMax);
    return true;
}

bool TicketFormat::setOutputRatio(int v) {
    if (v < kOutputRatioMin || v > kOutputRatioMax) return false;
    values_.outputRatio = v;
    return true;
}

bool TicketFormat::setMaxCount(int& count, int v, int lo, int hi, bool matches) {
    if (v < lo || v > hi) return false;
    // A newly used gap starts as the one before it, so the new rows and
    // columns continue the spacing of the last ones.
    for (int k = count - 1; k <= v - 2; ++k) {
        if (matches)
            setMatchGap(k, values_.spacesBetweenMatches[k - 1]);
        else
            setLineGap(k, values_.spacesBetweenLines[k - 1]);
    }
    count = v;
    return true;
}

bool TicketFormat::setMaxMatches(int v) {
    return setMaxCount(values_.maxMatches, v, kFormatMatchesMin, kFormatMatchesMax, true);
}

bool TicketFormat::setMaxLines(int v) {
    return setMaxCount(values_.maxLines, v, kFormatLinesMin, kFormatLinesMax, false);
}

std::vector<SizeRaise> TicketFormat::sizeRaises(int v) const {
    std::vector<SizeRaise> raises;
    if (values_.spaceBetweenXs < v) raises.push_back({SizeRaise::kSpaceBetweenXs, -1, v, {}});
    const int side = MinSideSpace(v);
    for (int s = 0; s < 4; ++s)
        if (values_.spacesToSides[s] < side) raises.push_back({SizeRaise::kSideSpace, s, side, {}});
    const auto raisedGaps = [v](const int* gaps, int inUse, SizeRaise::Kind kind, std::vector<SizeRaise>& out) {
        if (std::none_of(gaps, gaps + inUse, [v](int g) { return g < v; })) return;
        SizeRaise r{kind, -1, 0, {}};
        for (int k = 0; k < inUse; ++k) r.gaps.push_back(std::max(gaps[k], v));
        out.push_back(std::move(r));
    };
    raisedGaps(values_.spacesBetweenMatches.data(), values_.maxMatches - 1, SizeRaise::kMatchGaps, raises);
    raisedGaps(values_.spacesBetweenLines.data(), values_.maxLines - 1, SizeRaise::kLineGaps, raises);
    return raises;
}

bool TicketFormat::applyRaise(const SizeRaise& raise) {
    switch (raise.kind) {
    case SizeRaise::kSpaceBetweenXs: return setSpaceBetweenXs(raise.value);
    case SizeRaise::kSideSpace: return setSideSpace(raise.side, raise.value);
    case SizeRaise::kMatchGaps:
    case SizeRaise::kLineGaps: {
        bool all = true;
        for (size_t k = 0; k < raise.gaps.size(); ++k)
            all = (raise.kind == SizeRaise::kMatchGaps ? setMatchGap(static_cast<int>(k), raise.gaps[k])
                                                       : setLineGap(static_cast<int>(k), raise.gaps[k])) &&
                  all;
        return all;
    }
    }
    return false;
}

bool TicketFormat::setSizeOfX(int v) {
    if (v < kSizeOfXMin || v > kSizeOfXMax) return false;
    for (const SizeRaise& r : sizeRaises(v)) applyRaise(r);
    values_.sizeOfX = v;
    return true;
}

bool TicketFormat::setSpaceBetweenXs(int v) {
    if (v < values_.sizeOfX || v > kSpaceMax) return false;
    values_.spaceBetweenXs = v;
    return true;
}

bool TicketFormat::setSideSpace(int side, int v) {
    if (side < 0 || side > 3) return false;
    int& value = values_.spacesToSides[side];
    return ClampOrReject(value, v, MinSideSpace(values_.sizeOfX), kSideSpaceMax, value);
}

bool TicketFormat::setMatchGap(int index, int v) {
    if (index < 0 || index >= kFormatMatchGaps) return false;
    int& value = values_.spacesBetweenMatches[index];
    return ClampOrReject(value, v, values_.sizeOfX, kSpaceMax, value);
}

bool TicketFormat::setLineGap(int index, int v) {
    if (index < 0 || index >= kFormatLineGaps) return false;
    int& value = values_.spacesBetweenLines[index];
    return ClampOrReject(value, v, values_.sizeOfX, kSpaceMax, value);
}

} // namespace vdx
