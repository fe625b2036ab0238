#pragma once
// Page 0 of the conditions window: the matches that must carry no duplicate tips.

#include "windows/ConditionPage.h"

#include <array>

class wxStaticText;

namespace vdx::gui {

class DuplicatesPage : public ConditionPage {
public:
    explicit DuplicatesPage(ConditionsNotebook* book);

    void RefreshFromData() override;
    void ReadControls() override;

    wxCheckBox* MatchBox(int match) const { return boxes_[match]; }
    wxStaticText* MatchNumber(int match) const { return numbers_[match]; }

protected:
    void ShowValues() override;

private:
    // Rows into two columns for the number of matches shown.
    void ArrangeRows();

    std::array<wxStaticText*, kMaxMatches> numbers_{};
    std::array<wxCheckBox*, kMaxMatches> boxes_{};
    wxSizer* columns_ = nullptr;
    int arrangedFor_ = -1;
};

} // namespace vdx::gui
