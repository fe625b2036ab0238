#pragma once
// What the four pages of the conditions window share: their notebook's copy
// of the values, the enable box of a condition page, applying a page.

#include "windows/ConditionsDialog.h"
#include "windows/NotebookPage.h"

class wxCheckBox;

namespace vdx::gui {

class ConditionPage : public NotebookPage {
public:
    ConditionPage(ConditionsNotebook* book, int page);

    ConditionsNotebook* Conditions() const { return conditions_; }
    ConditionValues& Shown() const { return conditions_->Shown(); }
    const ConditionContext& Context() const { return conditions_->Context(); }
    wxCheckBox* EnableBox() const { return enable_; }

    bool ApplyPage() override;
    // "&Enable the conditions of this panel"; switching it reads the page.
    wxCheckBox* BuildEnableBox(wxSizer* sizer) override;
    void ResetToDefaults() override;

protected:
    // The shown values into the controls.
    virtual void ShowValues() = 0;
    // After reading the controls: apply marked when the page differs from the stored values.
    void CompareWithStored();
    // Controls events while the page fills them are not the user's changes.
    bool filling_ = false;

private:
    ConditionsNotebook* conditions_;
    wxCheckBox* enable_ = nullptr;
};

} // namespace vdx::gui
