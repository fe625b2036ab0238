#pragma once
// Page 3 of the conditions window: the amount of equals up to which the
// conditions are used in the calculation.

#include "windows/ConditionPage.h"

class wxChoice;

namespace vdx::gui {

class LimitPage : public ConditionPage {
public:
    explicit LimitPage(ConditionsNotebook* book);

    void RefreshFromData() override;
    void ReadControls() override;

    wxChoice* LimitList() const { return list_; }

protected:
    void ShowValues() override;

private:
    wxChoice* list_ = nullptr;
    int listFor_ = -1;
};

} // namespace vdx::gui
