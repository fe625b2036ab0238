#pragma once
// The "About" box: product name with major version, and the full version.

#include <wx/dialog.h>

class AboutDialog : public wxDialog {
public:
    explicit AboutDialog(wxWindow* parent);

    static wxString ProductText() { return "VendrixPlanner 2"; }
    static wxString VersionText() { return "Version 2.11e"; }
};
