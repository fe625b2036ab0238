#pragma once
// Pages 1 and 2 of the conditions window: the allowed numbers of 1, X and 2
// tips, or of favourites, neutrals and outsiders, per line, either as numbers
// of matches (two lists per row) or as percent (two sliders per row), with
// the resulting numbers of tips and the range graphic.

#include "conditions/RangeGraphic.h"
#include "windows/ConditionPage.h"

#include <array>
#include <vector>

class wxChoice;
class wxSlider;
class wxStaticText;

namespace vdx::gui {

class RangeBar;

class RangePage : public ConditionPage {
public:
    // group 0: tips 1, X, 2; group 1: favourites, neutrals, outsiders.
    RangePage(ConditionsNotebook* book, int group);

    void RefreshFromData() override;
    void ReadControls() override;

    int Group() const { return group_; }
    // The boxes of the graphic as drawn now (page coordinates of the graphic).
    const std::vector<ColouredBox>& Graphic() const { return graphic_; }
    const KindBounds& Bounds() const { return bounds_; }

    // Numbers of matches: the lists of row kind (nullptr in percent).
    wxChoice* MinimumList(int kind) const { return rows_[kind].minList; }
    wxChoice* MaximumList(int kind) const { return rows_[kind].maxList; }
    // Percent: the sliders and their "(%d)" labels (nullptr in numbers).
    wxSlider* MinimumSlider(int kind) const { return rows_[kind].minSlider; }
    wxSlider* MaximumSlider(int kind) const { return rows_[kind].maxSlider; }
    wxStaticText* SliderValue(wxSlider* slider) const;
    wxStaticText* ResultMinimum(int kind) const { return rows_[kind].resultMin; }
    wxStaticText* ResultMaximum(int kind) const { return rows_[kind].resultMax; }
    wxStaticText* ResultHeader() const { return resultHeader_; }
    wxStaticText* HeaderText() const { return header_; }
    wxStaticText* RowLabel(int kind) const { return rows_[kind].label; }
    // The bar window of row 0..2, or 3 for the average line.
    RangeBar* Bar(int row) const { return bars_[row]; }
    // Left (-1) or Right (+1) on a slider: one step, the label follows.
    void StepSlider(wxSlider* slider, int direction);

protected:
    void ShowValues() override;

private:
    struct Row {
        wxStaticText* label = nullptr;
        wxChoice* minList = nullptr;
        wxChoice* maxList = nullptr;
        wxSlider* minSlider = nullptr;
        wxSlider* maxSlider = nullptr;
        wxStaticText* minValue = nullptr;
        wxStaticText* maxValue = nullptr;
        wxStaticText* resultMin = nullptr;
        wxStaticText* resultMax = nullptr;
    };

    wxSlider* MakeSlider(wxWindow** valueLabel);
    void FillLists();
    void RewriteTexts();
    void UpdateResults();

    int group_;
    bool absolute_;
    std::array<Row, 3> rows_{};
    std::array<RangeBar*, 4> bars_{};
    wxStaticText* header_ = nullptr;
    wxStaticText* resultHeader_ = nullptr;
    std::vector<wxWindow*> editors_; // greyed with the enable box
    std::vector<ColouredBox> graphic_;
    KindBounds bounds_{};
    int listsFor_ = -1;
    bool enabledShown_ = true;
};

} // namespace vdx::gui
