#pragma once
// One undoable change of the format editor: a value, one side or gap, or a
// group of values set together, named after what it changes.

#include "ticketprint/FormatChange.h"

#include <wx/cmdproc.h>

#include <vector>

class TicketFormatDoc;

class FormatChangeCommand : public wxCommand {
public:
    // A single value (index for a side or a gap, else -1).
    FormatChangeCommand(TicketFormatDoc* doc, vdx::FormatChange kind, int index, int value, const wxString& name);
    // A group: the four sides or the gaps in use.
    FormatChangeCommand(TicketFormatDoc* doc, vdx::FormatChange kind, const std::vector<int>& values,
                        const wxString& name);

    bool Do() override;
    bool Undo() override;

    vdx::FormatChange Kind() const { return kind_; }

private:
    TicketFormatDoc* doc_;
    vdx::FormatChange kind_;
    int index_ = -1;
    int newValue_ = 0;
    int oldValue_ = 0;
    std::vector<int> newValues_;
    std::vector<int> oldValues_;
};
