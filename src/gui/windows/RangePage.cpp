#include "windows/RangePage.h"

#include "windows/RangeBar.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/gbsizer.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/stattext.h>

#include <algorithm>

namespace vdx::gui {

namespace {

void SetTextIfChanged(wxStaticText* text, const wxString& label) {
    if (text->GetLabel() != label) text->SetLabel(label);
}

} // namespace

RangePage::RangePage(ConditionsNotebook* book, int group)
    : ConditionPage(book, group == 0 ? kPageTips1X2 : kPageFavourites), group_(group),
      absolute_(book->Context().absolute) {
    BuildEnableBox(Content());
    header_ = new wxStaticText(this, wxID_ANY, wxString());
    Content()->Add(header_, 0, wxBOTTOM, FromDIP(10));

    auto* grid = new wxGridBagSizer(FromDIP(6), FromDIP(8));
    grid->Add(new wxStaticText(this, wxID_ANY, wxGetTranslation(kTextMinimum)), wxGBPosition(0, 1), wxDefaultSpan,
              wxALIGN_CENTER_HORIZONTAL);
    grid->Add(new wxStaticText(this, wxID_ANY, wxGetTranslation(kTextMaximum)), wxGBPosition(0, 2), wxDefaultSpan,
              wxALIGN_CENTER_HORIZONTAL);
    resultHeader_ = new wxStaticText(this, wxID_ANY, wxString());
    grid->Add(resultHeader_, wxGBPosition(0, 3), wxGBSpan(1, 3));

    for (int k = 0; k < 3; ++k) {
        Row& row = rows_[k];
        row.label = new wxStaticText(this, wxID_ANY, wxString());
        grid->Add(row.label, wxGBPosition(k + 1, 0), wxDefaultSpan, wxALIGN_CENTER_VERTICAL);
        for (int side = 0; side < 2; ++side) {
            if (absolute_) {
                auto* list = new wxChoice(this, wxID_ANY);
                list->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
                    if (!filling_) ReadControls();
                });
                (side == 0 ? row.minList : row.maxList) = list;
                editors_.push_back(list);
                grid->Add(list, wxGBPosition(k + 1, side + 1), wxDefaultSpan, wxALIGN_CENTER_VERTICAL);
            } else {
                auto* slider = new wxSlider(this, wxID_ANY, kSliderMaximum, 0, kSliderMaximum, wxDefaultPosition,
                                            wxSize(FromDIP(110), -1));
                slider->SetLineSize(kSliderLineSize);
                auto* value = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(SliderLabel(kSliderMaximum)));
                value->SetMinSize(wxSize(GetTextExtent("(100)").x + FromDIP(4), -1));
                (side == 0 ? row.minSlider : row.maxSlider) = slider;
                (side == 0 ? row.minValue : row.maxValue) = value;
                slider->Bind(wxEVT_SLIDER, [this, slider](wxCommandEvent&) {
                    SetTextIfChanged(SliderValue(slider), wxString::FromUTF8(SliderLabel(slider->GetValue())));
                    if (!filling_) ReadControls();
                });
                slider->Bind(wxEVT_KEY_DOWN, [this, slider](wxKeyEvent& event) {
                    const bool plain = event.GetModifiers() == wxMOD_NONE;
                    if (plain && (event.GetKeyCode() == WXK_LEFT || event.GetKeyCode() == WXK_RIGHT))
                        StepSlider(slider, event.GetKeyCode() == WXK_LEFT ? -1 : +1);
                    else
                        event.Skip();
                });
                auto* box = new wxBoxSizer(wxHORIZONTAL);
                box->Add(slider, 0, wxALIGN_CENTER_VERTICAL);
                box->Add(value, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, FromDIP(2));
                editors_.push_back(slider);
                editors_.push_back(value);
                grid->Add(box, wxGBPosition(k + 1, side + 1), wxDefaultSpan, wxALIGN_CENTER_VERTICAL);
            }
        }
        row.resultMin = new wxStaticText(this, wxID_ANY, "0 -");
        row.resultMax = new wxStaticText(this, wxID_ANY, "0");
        grid->Add(row.resultMin, wxGBPosition(k + 1, 3), wxDefaultSpan, wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL);
        grid->Add(row.resultMax, wxGBPosition(k + 1, 4), wxDefaultSpan, wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL);
        bars_[k] = new RangeBar(this, k);
        grid->Add(bars_[k], wxGBPosition(k + 1, 5), wxDefaultSpan, wxALIGN_CENTER_VERTICAL | wxLEFT, FromDIP(8));
        editors_.push_back(row.label);
    }
    grid->Add(new wxStaticText(this, wxID_ANY, wxGetTranslation(kTextAverage)), wxGBPosition(4, 3), wxGBSpan(1, 2),
              wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL);
    bars_[3] = new RangeBar(this, 3);
    grid->Add(bars_[3], wxGBPosition(4, 5), wxDefaultSpan, wxALIGN_CENTER_VERTICAL | wxLEFT, FromDIP(8));
    Content()->Add(grid, 0);
}

wxStaticText* RangePage::SliderValue(wxSlider* slider) const {
    for (const Row& row : rows_) {
        if (slider == row.minSlider) return row.minValue;
        if (slider == row.maxSlider) return row.maxValue;
    }
    return nullptr;
}

void RangePage::StepSlider(wxSlider* slider, int direction) {
    const int value = SliderKeyStep(slider->GetValue(), direction);
    if (value == slider->GetValue()) return;
    slider->SetValue(value);
    SetTextIfChanged(SliderValue(slider), wxString::FromUTF8(SliderLabel(value)));
    ReadControls();
}

void RangePage::FillLists() {
    const int N = Context().matchCount;
    if (!absolute_ || N == listsFor_) return;
    listsFor_ = N;
    wxArrayString minimum, maximum;
    for (const std::string& entry : MinimumListEntries(N)) minimum.Add(wxString::FromUTF8(entry));
    for (const std::string& entry : MaximumListEntries(N)) maximum.Add(wxString::FromUTF8(entry));
    for (Row& row : rows_) {
        row.minList->Set(minimum);
        row.maxList->Set(maximum);
    }
}

void RangePage::RewriteTexts() {
    const ConditionContext& c = Context();
    SetTextIfChanged(header_, wxString::FromUTF8(RangeHeaderText(group_, absolute_, c.zeroForDraw)));
    SetTextIfChanged(resultHeader_, wxString::FromUTF8(NumberOfTipsHeader(c)));
    for (int k = 0; k < 3; ++k)
        SetTextIfChanged(rows_[k].label, wxString::FromUTF8(RangeRowLabel(group_, k, c.zeroForDraw)));
    const wxString tab = wxString::FromUTF8(ConditionPageLabel(Index(), c.zeroForDraw));
    if (Book()->GetPageText(static_cast<size_t>(Index())) != tab) Book()->SetPageText(static_cast<size_t>(Index()), tab);
}

void RangePage::ShowValues() {
    filling_ = true;
    const ConditionValues& v = Shown();
    EnableBox()->SetValue(v.enabled[Index()]);
    for (int k = 0; k < 3; ++k) {
        const auto& range = v.ranges[group_][k];
        Row& row = rows_[k];
        if (absolute_) {
            row.minList->SetSelection(RangeListIndex(range[0], Context().matchCount));
            row.maxList->SetSelection(RangeListIndex(range[1], Context().matchCount));
        } else {
            for (int side = 0; side < 2; ++side) {
                wxSlider* slider = side == 0 ? row.minSlider : row.maxSlider;
                const int value = std::clamp(range[side], 0, kSliderMaximum);
                slider->SetValue(value);
                SetTextIfChanged(SliderValue(slider), wxString::FromUTF8(SliderLabel(value)));
            }
        }
    }
    filling_ = false;
}

void RangePage::RefreshFromData() {
    FillLists();
    RewriteTexts();
    ShowValues();
    ReadControls();
    Layout();
}

void RangePage::UpdateResults() {
    const ConditionContext& c = Context();
    bounds_ = ShownBounds(Shown(), c, group_);
    for (int k = 0; k < 3; ++k) {
        SetTextIfChanged(rows_[k].resultMin, wxString::FromUTF8(BoundMinimumText(bounds_[k][0])));
        SetTextIfChanged(rows_[k].resultMax, wxString::FromUTF8(BoundMaximumText(bounds_[k][1])));
    }
    graphic_ = RangeGraphic(c.expected[group_], c.matchCount, bounds_, Shown().enabled[Index()], 0);
    for (RangeBar* bar : bars_) bar->ShowBoxes(graphic_);
}

void RangePage::ReadControls() {
    ConditionValues& v = Shown();
    const bool enabled = EnableBox()->GetValue();
    v.enabled[Index()] = enabled;
    if (enabled != enabledShown_) {
        enabledShown_ = enabled;
        for (wxWindow* editor : editors_) editor->Enable(enabled);
    }
    for (int k = 0; k < 3; ++k) {
        Row& row = rows_[k];
        if (absolute_) {
            if (row.minList->GetSelection() != wxNOT_FOUND) v.ranges[group_][k][0] = row.minList->GetSelection();
            if (row.maxList->GetSelection() != wxNOT_FOUND) v.ranges[group_][k][1] = row.maxList->GetSelection();
        } else {
            v.ranges[group_][k][0] = row.minSlider->GetValue();
            v.ranges[group_][k][1] = row.maxSlider->GetValue();
        }
    }
    ReadPage(v, Index(), Context());
    UpdateResults();
    CompareWithStored();
}

} // namespace vdx::gui
