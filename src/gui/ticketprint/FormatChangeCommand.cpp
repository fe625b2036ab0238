#include "ticketprint/FormatChangeCommand.h"

#include "ticketprint/TicketFormatDoc.h"

FormatChangeCommand::FormatChangeCommand(TicketFormatDoc* doc, vdx::FormatChange kind, int index, int value,
                                         const wxString& name)
    : wxCommand(true, name), doc_(doc), kind_(kind), index_(index), newValue_(value) {}

FormatChangeCommand::FormatChangeCommand(TicketFormatDoc* doc, vdx::FormatChange kind,
                                         const std::vector<int>& values, const wxString& name)
    : wxCommand(true, name), doc_(doc), kind_(kind), newValues_(values) {}

// A change that leaves the value as it was is not worth an entry in the
// history; a group is always recorded.
bool FormatChangeCommand::Do() {
    if (vdx::IsArrayChange(kind_)) {
        oldValues_ = vdx::FormatArray(doc_->Values(), kind_);
        doc_->SetArray(kind_, newValues_);
        return true;
    }
    oldValue_ = vdx::FormatValue(doc_->Values(), kind_, index_);
    if (newValue_ == oldValue_ && !vdx::IsArrayChange(kind_)) return false;
    if (!doc_->SetValue(kind_, index_, newValue_)) return false;
    return vdx::FormatValue(doc_->Values(), kind_, index_) != oldValue_;
}

bool FormatChangeCommand::Undo() {
    if (vdx::IsArrayChange(kind_)) {
        doc_->SetArray(kind_, oldValues_);
        return true;
    }
    return doc_->SetValue(kind_, index_, oldValue_);
}
