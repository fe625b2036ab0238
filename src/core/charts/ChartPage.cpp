#include "charts/ChartPage.h"

#include "text/NumberText.h"
#include "text/Tr.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace vdx {

const char* const kTextChartsClose = N_("&Close");
const char* const kTextChartsCloseTip = N_("closes the window");
const char* const kTextChartsDescription = N_("displays how the current tips comply with the conditions");

namespace {

// Every text of the charts that takes values is made here; translation of the
// format goes in at this one place.
std::string Sentence(const char* format, ...) {
    const std::string translated = Translate(format);
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, translated.c_str(), args);
    va_end(args);
    return buffer;
}

const char* DrawSymbol(bool zeroForDraw) { return zeroForDraw ? "0" : "X"; }

std::string TabLabel(int page, bool zeroForDraw) {
    switch (page) {
    case kChartDuplicates: return Sentence(N_("Conditions for Duplicates"));
    case kChartTips1X2: return Sentence(N_("Conditions for 1, %s and 2"), DrawSymbol(zeroForDraw));
    default: return Sentence(N_("Conditions for Favourites "));
    }
}

std::string ColumnHeader(int page, int column, bool zeroForDraw) {
    if (page == kChartDuplicates)
        return column == 0 ? Sentence(N_("All matches")) : Sentence(N_("Conditions for Duplicates"));
    if (page == kChartTips1X2) {
        switch (column) {
        case 0: return Sentence(N_("Tip 1"));
        case 1: return Sentence(N_("Tip %s"), DrawSymbol(zeroForDraw));
        default: return Sentence(N_("Tip 2"));
        }
    }
    switch (column) {
    case 0: return Sentence(N_("Favourites"));
    case 1: return Sentence(N_("Neutrals"));
    default: return Sentence(N_("Outsiders"));
    }
}

int Lines(const PoolsDocument& doc) { return doc.hasTips ? std::clamp(doc.tipLineCount, 0, kMaxLines) : 0; }

// Rows k outside low..high are out of range; the bracket spans the visible part.
void MarkRange(ChartColumn& c, int low, int high) {
    for (int k = 0; k < kChartRows; ++k) c.outOfRange[k] = k < low || k > high;
    c.rangeLow = std::max(low, 0);
    c.rangeHigh = std::min(high, c.topRow);
    if (c.rangeLow > c.rangeHigh) c.rangeLow = c.rangeHigh = -1;
}

// The number of calculated matches whose result is of each kind, when every
// calculated match has a result; nothing otherwise.
bool ResultCounts(const PoolsDocument& doc, int group, std::array<int, 3>& counts) {
    counts = {};
    if (Lines(doc) == 0) return false;
    bool any = false;
    for (int m = 0; m < std::clamp(doc.tipMatchCount, 0, kMaxMatches); ++m) {
        const MatchEntry& e = doc.matches[m];
        if (!e.hasTips) continue;
        if (e.result < 0 || e.result > 2) return false;
        ++counts[e.lastCategoryMaps[group][e.result]];
        any = true;
    }
    return any;
}

} // namespace

bool ChartColumn::operator==(const ChartColumn& o) const {
    return shown == o.shown && header == o.header && topRow == o.topRow && count == o.count &&
           valueText == o.valueText && outOfRange == o.outOfRange && barLength == o.barLength &&
           rangeLow == o.rangeLow && rangeHigh == o.rangeHigh && resultCount == o.resultCount;
}

bool ChartPage::operator==(const ChartPage& o) const {
    return page == o.page && tabLabel == o.tabLabel && shownMatches == o.shownMatches &&
           shownLines == o.shownLines && markedMatches == o.markedMatches &&
           duplicatesActive == o.duplicatesActive && columns == o.columns;
}

int ChartBarLength(int count, int largest) {
    if (count <= 0 || largest <= 0) return 0;
    const int length = static_cast<int>(100.0 * std::sin(1.5707963269 * count / largest));
    return std::clamp(length, 4, kChartBarWidth);
}

std::string ChartValueText(int count, bool decimalComma) {
    return count == 0 ? std::string("-") : GroupDigits(count, decimalComma);
}

std::string ChartsFrameTitle(const std::string& documentTitle) {
    return Sentence(N_("%s: Charts"), documentTitle.c_str());
}

std::string WidestValueText(const ChartPage& page) {
    std::string widest;
    for (const ChartColumn& c : page.columns)
        for (int k = 0; k < kChartRows; ++k)
            if (c.rowShown(k) && c.valueText[k].size() > widest.size()) widest = c.valueText[k];
    return widest;
}

ChartPage ComputeChartPage(const PoolsDocument& doc, int pageIndex) {
    ChartPage page;
    page.page = std::clamp(pageIndex, 0, kChartPageCount - 1);
    page.tabLabel = TabLabel(page.page, doc.zeroForDraw);
    page.shownMatches = std::clamp(doc.calcMatchCount, 0, kMaxMatches);
    page.shownLines = Lines(doc);
    const ConditionEvaluation& ev = doc.evaluation;

    for (int c = 0; c < 3; ++c) {
        ChartColumn& col = page.columns[c];
        col.header = ColumnHeader(page.page, c, doc.zeroForDraw);
        col.shown = page.page != kChartDuplicates || c == 0;
        col.topRow = page.shownMatches;
    }

    if (page.page == kChartDuplicates) {
        page.markedMatches = ev.duplicateMatchCount;
        page.duplicatesActive = doc.lastConditionState[0] != 0;
        ChartColumn& all = page.columns[0];
        ChartColumn& dup = page.columns[1];
        for (int k = 0; k < kChartRows; ++k) {
            all.count[k] = ev.equalsHistogram[k];
            dup.count[k] = ev.duplicateHistogram[k];
        }
        dup.shown = page.duplicatesActive;
        dup.topRow = std::min(page.markedMatches, page.shownMatches);
        // Pairs equal in all K marked matches are the duplicates.
        if (page.duplicatesActive && page.markedMatches > 0) MarkRange(dup, 0, page.markedMatches - 1);
        page.columns[2].topRow = -1;
    } else {
        const int g = page.page - 1;
        for (int l = 0; l < page.shownLines; ++l)
            for (int c = 0; c < 3; ++c) {
                const int k = ev.lineCategoryCounts[l][g][c];
                if (k < kChartRows) ++page.columns[c].count[k];
            }
        if (doc.lastConditionState[g + 1] != 0)
            for (int c = 0; c < 3; ++c)
                MarkRange(page.columns[c], doc.lastConditionBounds[g][c][0], doc.lastConditionBounds[g][c][1]);
        std::array<int, 3> results{};
        if (ResultCounts(doc, g, results))
            for (int c = 0; c < 3; ++c) page.columns[c].resultCount = results[c];
    }

    // Hidden rows and columns neither show a count nor set the scale.
    int largest = 0;
    for (ChartColumn& col : page.columns)
        for (int k = 0; k < kChartRows; ++k) {
            if (!col.rowShown(k)) {
                col.count[k] = 0;
                col.outOfRange[k] = false;
            }
            largest = std::max(largest, col.count[k]);
        }
    const bool decimalComma = !doc.decimalPoint;
    for (ChartColumn& col : page.columns)
        for (int k = 0; k < kChartRows; ++k) {
            col.valueText[k] = ChartValueText(col.count[k], decimalComma);
            col.barLength[k] = ChartBarLength(col.count[k], largest);
        }
    return page;
}

} // namespace vdx
