#include "ticketprint/FormatValueDialogs.h"

#include "controls/NumericEntry.h"
#include "frame/CommandIds.h"

#include <wx/choicdlg.h>
#include <wx/intl.h>

#include <memory>
#include <vector>

namespace vdx::gui {

namespace {

using vdx::FormatChange;

wxString Tr(const char* text) { return wxGetTranslation(text); }

wxString Title() { return Tr(vdx::kFormatEditorTitle); }

std::optional<vdx::FormatChangeValue> AskChoice(wxWindow* parent, FormatChange kind, const wxString& prompt,
                                                const wxArrayString& choices, int current) {
    wxSingleChoiceDialog dialog(parent, prompt, Title(), choices);
    dialog.SetSelection(current);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return vdx::FormatChangeValue{kind, -1, dialog.GetSelection(), {}};
}

// Fields in stored units; scale 100 shows millimetres with two decimals.
struct FieldRule {
    wxString label;
    int value, low, high, smallStep, largeStep, decimals, scale;
    bool showRange;
    wxString unit;
};

// The values of the fields after OK with at least one change.
std::optional<std::vector<int>> AskNumbers(wxWindow* parent, const wxString& prompt,
                                           const std::vector<FieldRule>& fields) {
    std::vector<std::unique_ptr<NumericEntry>> entries;
    std::vector<NumericEntry*> pointers;
    for (const FieldRule& s : fields) {
        entries.push_back(std::make_unique<NumericEntry>(s.value, s.label, s.low, s.high, s.smallStep, s.largeStep,
                                                         s.decimals, s.scale, s.showRange, s.unit));
        pointers.push_back(entries.back().get());
    }
    NumericEntryDialog dialog(parent, prompt, Title(), pointers);
    if (dialog.ShowModal() <= 0) return std::nullopt;
    std::vector<int> values;
    for (const auto& entry : entries) values.push_back(entry->ResultValue());
    return values;
}

std::optional<vdx::FormatChangeValue> AskOne(wxWindow* parent, FormatChange kind, const wxString& prompt,
                                             const FieldRule& field) {
    const auto values = AskNumbers(parent, prompt, {field});
    if (!values) return std::nullopt;
    return vdx::FormatChangeValue{kind, -1, values->front(), {}};
}

std::optional<vdx::FormatChangeValue> AskGaps(wxWindow* parent, const vdx::TicketFormatValues& v, bool matches) {
    const FormatChange kind = matches ? FormatChange::kAllMatchGaps : FormatChange::kAllLineGaps;
    const std::vector<int> gaps = vdx::FormatArray(v, kind);
    std::vector<FieldRule> fields;
    for (size_t k = 0; k < gaps.size(); ++k) {
        const int first = static_cast<int>(k) + 1;
        const wxString label = wxString::Format(matches ? _("Matches %d - %d") : _("Lines %d - %d"), first, first + 1);
        fields.push_back({label, gaps[k], v.sizeOfX, vdx::kSpaceMax, 5, 20, 2, 100, false, wxString()});
    }
    const wxString prompt =
        matches ? wxString::Format(_("%s,\nmeasured from the centres of the 'X'\n(in millimetre, %.2f - %.2f):"),
                                   _("Specify the spaces between the matches"), v.sizeOfX / 100.0, 10.0)
                : wxString::Format(_("%s,\nmeasured from the centres of the\nneighbouring 'X' (in mm, %.2f - %.2f):"),
                                   _("Specify the spaces between the lines"), v.sizeOfX / 100.0, 10.0);
    const auto values = AskNumbers(parent, prompt, fields);
    if (!values) return std::nullopt;
    return vdx::FormatChangeValue{kind, -1, 0, *values};
}

} // namespace

bool IsFormatValueCommand(int id) { return id >= kIdFormatInsertDirection && id <= kIdFormatLineGaps; }

vdx::FormatChange FormatCommandKind(int commandId) {
    switch (commandId) {
    case kIdFormatInsertDirection: return FormatChange::kInsertDirection;
    case kIdFormatJustification: return FormatChange::kJustification;
    case kIdFormatOutputRatio: return FormatChange::kOutputRatio;
    case kIdFormatMatches: return FormatChange::kMaxMatches;
    case kIdFormatLines: return FormatChange::kMaxLines;
    case kIdFormatTipsOrder: return FormatChange::kTipsOrder;
    case kIdFormatSizeOfX: return FormatChange::kSizeOfX;
    case kIdFormatSpaceBetweenXs: return FormatChange::kSpaceBetweenXs;
    case kIdFormatSides: return FormatChange::kAllSides;
    case kIdFormatMatchGaps: return FormatChange::kAllMatchGaps;
    default: return FormatChange::kAllLineGaps;
    }
}

std::optional<vdx::FormatChangeValue> AskFormatChange(wxWindow* parent, const vdx::TicketFormatValues& v,
                                                      int commandId) {
    switch (commandId) {
    case kIdFormatInsertDirection: {
        wxArrayString choices;
        for (int code = 0; code <= vdx::kInsertDirectionMax; ++code) choices.Add(Tr(vdx::InsertDirectionName(code)));
        return AskChoice(parent, FormatChange::kInsertDirection,
                         _("Specify with which side the ticket\nis inserted into the printer"), choices,
                         v.insertDirection);
    }
    case kIdFormatJustification: {
        wxArrayString choices;
        for (int code = 0; code <= vdx::kJustificationMax; ++code) choices.Add(Tr(vdx::JustificationName(code)));
        return AskChoice(parent, FormatChange::kJustification,
                         _("Specify if the ticket is inserted on\nthe left, middle or right of the printer"), choices,
                         v.justification);
    }
    case kIdFormatTipsOrder: {
        wxArrayString choices;
        for (int code = 0; code <= vdx::kTipsOrderMax; ++code) choices.Add(vdx::TipsOrderText(code));
        return AskChoice(parent, FormatChange::kTipsOrder, _("Specify how the tips are arranged\non the ticket"),
                         choices, v.tipsOrder);
    }
    case kIdFormatOutputRatio:
        return AskOne(parent, FormatChange::kOutputRatio,
                      // xgettext:no-c-format
                      _("The output ratio adapts all space values specified\nby the ticket format. A value of 100% "
                        "changes nothing,\na higher value will increase all spaces, a lower one\nwill decrease "
                        "them. This ratio shall correct\na disproportion between the set values and the\n"
                        "actual output."),
                      {Tr(vdx::FormatChangeLabel(FormatChange::kOutputRatio)), v.outputRatio, vdx::kOutputRatioMin,
                       vdx::kOutputRatioMax, 1, 10, 0, 1, true, "%"});
    case kIdFormatMatches:
        return AskOne(parent, FormatChange::kMaxMatches,
                      _("Specify the maximum number of matches that\ncan be printed on a ticket"),
                      {_("Matches"), v.maxMatches, vdx::kFormatMatchesMin, vdx::kFormatMatchesMax, 1, 1, 0, 1, true,
                       wxString()});
    case kIdFormatLines:
        return AskOne(parent, FormatChange::kMaxLines,
                      _("Specify the maximum number of lines that\ncan be printed on a ticket"),
                      {_("Lines"), v.maxLines, vdx::kFormatLinesMin, vdx::kFormatLinesMax, 1, 1, 0, 1, true,
                       wxString()});
    case kIdFormatSizeOfX:
        return AskOne(parent, FormatChange::kSizeOfX,
                      wxString::Format(_("Specify the size of an 'X', measured from\none edge to the next edge "
                                         "horizontally\nand vertically, i.e. not diagonally\n(in millimetre, %.2f - "
                                         "%.2f):"),
                                       1.0, 5.0),
                      {Tr(vdx::FormatChangeLabel(FormatChange::kSizeOfX)), v.sizeOfX, vdx::kSizeOfXMin,
                       vdx::kSizeOfXMax, 5, 20, 2, 100, false, wxString()});
    case kIdFormatSpaceBetweenXs:
        return AskOne(parent, FormatChange::kSpaceBetweenXs,
                      wxString::Format(_("%s\n(in millimetre, %.2f - %.2f):"),
                                       _("Specify the space from the centre of an 'X'\nto the centre of the next 'X' "
                                         "within a line"),
                                       v.sizeOfX / 100.0, 10.0),
                      {Tr(vdx::FormatChangeLabel(FormatChange::kSpaceBetweenXs)), v.spaceBetweenXs, v.sizeOfX,
                       vdx::kSpaceMax, 5, 20, 2, 100, false, wxString()});
    case kIdFormatSides: {
        std::vector<FieldRule> fields;
        for (int side = 0; side < 4; ++side)
            fields.push_back({Tr(vdx::FormatChangeLabel(FormatChange::kSide, side)), v.spacesToSides[side],
                             vdx::MinSideSpace(v.sizeOfX), vdx::kSideSpaceMax, 10, 50, 2, 100, false, wxString()});
        const auto values = AskNumbers(
            parent,
            wxString::Format(_("Specify the spaces between the sides\nof the ticket and the centre of the\nnext 'X' "
                               "(in millimetre, %.2f - %.2f):"),
                             v.sizeOfX * 0.005, 200.0),
            fields);
        if (!values) return std::nullopt;
        return vdx::FormatChangeValue{FormatChange::kAllSides, -1, 0, *values};
    }
    case kIdFormatMatchGaps: return AskGaps(parent, v, true);
    case kIdFormatLineGaps: return AskGaps(parent, v, false);
    default: return std::nullopt;
    }
}

} // namespace vdx::gui
