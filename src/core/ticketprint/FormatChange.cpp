#include "ticketprint/FormatChange.h"

namespace vdx {

bool IsArrayChange(FormatChange kind) {
    return kind == FormatChange::kAllSides || kind == FormatChange::kAllMatchGaps ||
           kind == FormatChange::kAllLineGaps;
}

const char* FormatChangeLabel(FormatChange kind, int index) {
    static const char* const kSides[] = {N_("Space to &Top"), N_("Space to &Right"), N_("Space to &Bottom"),
                                         N_("Space to &Left")};
    switch (kind) {
    case FormatChange::kInsertDirection: return N_("Insert Directi&on");
    case FormatChange::kJustification: return N_("&Justification");
    case FormatChange::kOutputRatio: return N_("Output R&atio");
    case FormatChange::kMaxMatches: return N_("&Matches");
    case FormatChange::kMaxLines: return N_("&Lines");
    case FormatChange::kTipsOrder: return N_("Tips Ord&er");
    case FormatChange::kSizeOfX: return N_("Size of '&X'");
    case FormatChange::kSpaceBetweenXs: return N_("Space &between 'X's");
    case FormatChange::kAllSides: return N_("Spaces to Si&des");
    case FormatChange::kSide: return kSides[index >= 0 && index < 4 ? index : 0];
    case FormatChange::kAllMatchGaps:
    case FormatChange::kMatchGap: return N_("Spaces between Ma&tches");
    case FormatChange::kAllLineGaps:
    case FormatChange::kLineGap: return N_("Spaces between L&ines");
    }
    return "";
}

const char* InsertDirectionName(int code) {
    static const char* const kNames[] = {N_("up"), N_("right"), N_("down"), N_("left")};
    return code >= 0 && code <= kInsertDirectionMax ? kNames[code] : "";
}

const char* JustificationName(int code) {
    static const char* const kNames[] = {N_("left justified"), N_("centred"), N_("right justified")};
    return code >= 0 && code <= kJustificationMax ? kNames[code] : "";
}

std::string WithoutFirstAmpersand(const std::string& label) {
    std::string s = label;
    const size_t at = s.find('&');
    if (at != std::string::npos) s.erase(at, 1);
    return s;
}

std::string WithoutAmpersands(const std::string& label) {
    std::string s;
    for (char c : label)
        if (c != '&') s += c;
    return s;
}

int FormatValue(const TicketFormatValues& v, FormatChange kind, int index) {
    switch (kind) {
    case FormatChange::kInsertDirection: return v.insertDirection;
    case FormatChange::kJustification: return v.justification;
    case FormatChange::kOutputRatio: return v.outputRatio;
    case FormatChange::kMaxMatches: return v.maxMatches;
    case FormatChange::kMaxLines: return v.maxLines;
    case FormatChange::kTipsOrder: return v.tipsOrder;
    case FormatChange::kSizeOfX: return v.sizeOfX;
    case FormatChange::kSpaceBetweenXs: return v.spaceBetweenXs;
    case FormatChange::kSide: return index >= 0 && index < 4 ? v.spacesToSides[index] : 0;
    case FormatChange::kMatchGap:
        return index >= 0 && index < kFormatMatchGaps ? v.spacesBetweenMatches[index] : 0;
    case FormatChange::kLineGap: return index >= 0 && index < kFormatLineGaps ? v.spacesBetweenLines[index] : 0;
    default: return 0;
    }
}

bool SetFormatValue(TicketFormat& f, FormatChange kind, int index, int value) {
    switch (kind) {
    case FormatChange::kInsertDirection: return f.setInsertDirection(value);
    case FormatChange::kJustification: return f.setJustification(value);
    case FormatChange::kOutputRatio: return f.setOutputRatio(value);
    case FormatChange::kMaxMatches: return f.setMaxMatches(value);
    case FormatChange::kMaxLines: return f.setMaxLines(value);
    case FormatChange::kTipsOrder: return f.setTipsOrder(value);
    case FormatChange::kSizeOfX: return f.setSizeOfX(value);
    case FormatChange::kSpaceBetweenXs: return f.setSpaceBetweenXs(value);
    case FormatChange::kSide: return f.setSideSpace(index, value);
    case FormatChange::kMatchGap: return f.setMatchGap(index, value);
    case FormatChange::kLineGap: return f.setLineGap(index, value);
    default: return false;
    }
}

std::vector<int> FormatArray(const TicketFormatValues& v, FormatChange kind) {
    switch (kind) {
    case FormatChange::kAllSides: return {v.spacesToSides.begin(), v.spacesToSides.end()};
    case FormatChange::kAllMatchGaps:
        return {v.spacesBetweenMatches.begin(), v.spacesBetweenMatches.begin() + (v.maxMatches - 1)};
    case FormatChange::kAllLineGaps:
        return {v.spacesBetweenLines.begin(), v.spacesBetweenLines.begin() + (v.maxLines - 1)};
    default: return {};
    }
}

bool SetFormatArray(TicketFormat& f, FormatChange kind, const std::vector<int>& values) {
    bool all = true;
    for (size_t k = 0; k < values.size(); ++k) {
        const int i = static_cast<int>(k);
        bool ok = false;
        switch (kind) {
        case FormatChange::kAllSides: ok = f.setSideSpace(i, values[k]); break;
        case FormatChange::kAllMatchGaps: ok = f.setMatchGap(i, values[k]); break;
        case FormatChange::kAllLineGaps: ok = f.setLineGap(i, values[k]); break;
        default: break;
        }
        all = all && ok;
    }
    return all;
}

ValueRange FormatValueRange(const TicketFormatValues& v, FormatChange kind) {
    switch (kind) {
    case FormatChange::kInsertDirection: return {0, kInsertDirectionMax};
    case FormatChange::kJustification: return {0, kJustificationMax};
    case FormatChange::kOutputRatio: return {kOutputRatioMin, kOutputRatioMax};
    case FormatChange::kMaxMatches: return {kFormatMatchesMin, kFormatMatchesMax};
    case FormatChange::kMaxLines: return {kFormatLinesMin, kFormatLinesMax};
    case FormatChange::kTipsOrder: return {0, kTipsOrderMax};
    case FormatChange::kSizeOfX: return {kSizeOfXMin, kSizeOfXMax};
    case FormatChange::kAllSides:
    case FormatChange::kSide: return {MinSideSpace(v.sizeOfX), kSideSpaceMax};
    default: return {v.sizeOfX, kSpaceMax}; // space between X's and the gaps
    }
}

FormatChangeValue AsFormatChange(const SizeRaise& raise) {
    switch (raise.kind) {
    case SizeRaise::kSpaceBetweenXs: return {FormatChange::kSpaceBetweenXs, -1, raise.value, {}};
    case SizeRaise::kSideSpace: return {FormatChange::kSide, raise.side, raise.value, {}};
    case SizeRaise::kMatchGaps: return {FormatChange::kAllMatchGaps, -1, 0, raise.gaps};
    case SizeRaise::kLineGaps: return {FormatChange::kAllLineGaps, -1, 0, raise.gaps};
    }
    return {FormatChange::kSpaceBetweenXs, -1, 0, {}};
}

std::string SizeRaiseMessage(const std::vector<SizeRaise>& raises) {
    std::string text = Translate(N_("The following value(s) will be increased\nto apply the new size of an 'X':\n\n"));
    for (const SizeRaise& r : raises) {
        const FormatChangeValue change = AsFormatChange(r);
        text += Translate(FormatChangeLabel(change.kind, change.index));
        text += '\n';
    }
    return WithoutAmpersands(text);
}

} // namespace vdx
