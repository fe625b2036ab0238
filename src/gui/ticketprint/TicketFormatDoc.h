#pragma once
// The ticket format of the format editor: a thin document shell around
// vdx::TicketFormat that reads and writes ".vdf" files.

#include "ticketprint/FormatChange.h"
#include "ticketprint/TicketFormat.h"

#include <wx/docview.h>

#include <vector>

class TicketFormatDoc : public wxDocument {
public:
    TicketFormatDoc() = default;

    const vdx::TicketFormat& Format() const { return format_; }
    const vdx::TicketFormatValues& Values() const { return format_.values(); }
    bool SavedSinceOpen() const { return format_.savedSinceOpen(); }

    // Every change goes through these: a value the format refuses plays the
    // warning sound and changes nothing (false). After a change the modified
    // flag follows the values and the views are repainted.
    bool SetValue(vdx::FormatChange kind, int index, int value);
    bool SetArray(vdx::FormatChange kind, const std::vector<int>& values);

    bool OnNewDocument() override;
    bool OnSaveDocument(const wxString& file) override;
    bool OnSaveModified() override;
    bool Close() override;
    bool SaveAs() override;

protected:
    bool DoOpenDocument(const wxString& file) override;
    bool DoSaveDocument(const wxString& file) override;

private:
    void Changed();

    vdx::TicketFormat format_;
    // The framework closes a document once for itself and once through its
    // view: the second one is the one worth a log line.
    bool closedOnce_ = false;

    wxDECLARE_DYNAMIC_CLASS(TicketFormatDoc);
};
