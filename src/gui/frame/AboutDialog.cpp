#include "frame/AboutDialog.h"

#include <wx/button.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

AboutDialog::AboutDialog(wxWindow* parent) : wxDialog(parent, wxID_ANY, _("About")) {
    auto* product = new wxStaticText(this, wxID_ANY, ProductText());
    product->SetFont(wxFontInfo(12).Bold());
    auto* version = new wxStaticText(this, wxID_ANY, VersionText());

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(product, 0, wxALIGN_CENTER | wxLEFT | wxRIGHT | wxTOP, 20);
    sizer->Add(version, 0, wxALIGN_CENTER | wxALL, 10);
    sizer->Add(new wxButton(this, wxID_OK, _("o&k")), 0, wxALIGN_CENTER | wxBOTTOM, 15);
    SetSizerAndFit(sizer);
    Centre();
}
