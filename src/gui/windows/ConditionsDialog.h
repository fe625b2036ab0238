#pragma once
// The conditions window of a document ("%s: Conditions") and the window of
// the default conditions that new documents take ("+++ Default Conditions +++"):
// a page dialog with the duplicates, the two range pages and the limit.

#include "conditions/ConditionValues.h"
#include "windows/MyNotebook.h"
#include "windows/MyNotebookFrame.h"

class VdxDocument;

namespace vdx::gui {

class ConditionsNotebook : public MyNotebook {
public:
    ConditionsNotebook(MyNotebookFrame* frame, bool defaults);

    bool Defaults() const { return defaults_; }
    // What the pages show (their copies, with changes not yet applied).
    ConditionValues& Shown() { return shown_; }
    const ConditionContext& Context() const { return context_; }
    // The values as stored in the document or the defaults.
    ConditionValues Stored() const;
    const DefaultConditions& DefaultsForReset() const;

    // Writes one page's part; true when that changed anything stored.
    bool WritePage(int page);
    // Takes the data afresh when the document or the defaults changed (the
    // pages keep changes not yet applied) and refreshes the pages.
    void Reload();
    // On a change notice of the document (the defaults: when the program is
    // idle): Reload when the stored data or its context changed since.
    void Follow();

    void RecomputeAfterChange() override;
    void WriteChangeLog() override;

private:
    ConditionContext CurrentContext() const;

    bool defaults_;
    ConditionValues shown_;
    ConditionValues lastStored_;
    ConditionContext context_;
    bool loaded_ = false;
};

class ConditionsFrame : public MyNotebookFrame {
public:
    ConditionsFrame(VdxDocument* doc, const wxString& title);
    int HelpSectionNumber() const override;
    void ForgetInOwner() override;
    ConditionsNotebook* Conditions() const;
};

// The conditions window of doc, created or raised.
ConditionsFrame* ShowConditions(VdxDocument* doc);
ConditionsFrame* FindConditions(const VdxDocument* doc);
// The default-conditions window, created or raised.
ConditionsFrame* ShowDefaultConditions();
ConditionsFrame* FindDefaultConditions();

} // namespace vdx::gui
