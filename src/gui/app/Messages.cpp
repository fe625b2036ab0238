#include "app/Messages.h"

#include "controls/Sound.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/dialog.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <algorithm>

namespace vdx::gui {

namespace {
MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}

// The picture of the box's kind; without one given, a question when the box
// asks Yes or No, else an information.
wxArtID IconOf(long style) {
    if (style & wxICON_ERROR) return wxART_ERROR;
    if (style & wxICON_WARNING) return wxART_WARNING;
    if (style & wxICON_QUESTION) return wxART_QUESTION;
    if (style & wxICON_INFORMATION) return wxART_INFORMATION;
    return (style & wxYES) ? wxART_QUESTION : wxART_INFORMATION;
}

// Our own box rather than the toolkit's: GTK's cuts the caption of a narrow
// box and leaves the picture of its kind to the theme.
class MessageBox : public wxDialog {
public:
    MessageBox(wxWindow* parent, const wxString& text, const wxString& title, long style)
        : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize,
                   wxDEFAULT_DIALOG_STYLE, "MessageBox") {
        auto* body = new wxBoxSizer(wxHORIZONTAL);
        body->Add(new wxStaticBitmap(this, wxID_ANY, wxArtProvider::GetBitmapBundle(IconOf(style), wxART_MESSAGE_BOX)),
                  0, wxALL | wxALIGN_TOP, FromDIP(10));
        auto* label = new wxStaticText(this, wxID_ANY, text);
        label->Wrap(FromDIP(480));
        body->Add(label, 1, wxTOP | wxBOTTOM | wxRIGHT | wxALIGN_CENTER_VERTICAL, FromDIP(10));

        long buttons = style & (wxOK | wxCANCEL | wxYES_NO | wxNO_DEFAULT | wxCANCEL_DEFAULT);
        if (!(buttons & (wxOK | wxYES_NO | wxCANCEL))) buttons |= wxOK;
        auto* top = new wxBoxSizer(wxVERTICAL);
        top->Add(body, 1, wxEXPAND | wxLEFT | wxRIGHT, FromDIP(6));
        if (wxSizer* row = CreateSeparatedButtonSizer(buttons & ~wxCANCEL_DEFAULT))
            top->Add(row, 0, wxEXPAND | wxALL, FromDIP(10));
        for (int id : {wxID_YES, wxID_NO})
            Bind(wxEVT_BUTTON, [this](wxCommandEvent& event) { EndModal(event.GetId()); }, id);
        // Escape and the close box answer as the safe button does.
        if (buttons & wxCANCEL)
            SetEscapeId(wxID_CANCEL);
        else if (buttons & wxNO)
            SetEscapeId(wxID_NO);
        else
            SetEscapeId(wxID_OK);
        if ((style & wxCANCEL_DEFAULT) && (buttons & wxCANCEL)) {
            if (auto* cancel = dynamic_cast<wxButton*>(FindWindow(wxID_CANCEL))) {
                cancel->SetDefault();
                cancel->SetFocus();
            }
        }

        SetSizerAndFit(top);
        // Wide enough for the whole caption: its text in bold, as window
        // managers draw it, and the icon and buttons of the title bar.
        wxClientDC dc(this);
        dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).Bold());
        const int titleWidth = dc.GetTextExtent(title).x + FromDIP(160);
        SetMinSize(wxSize(std::max(GetSize().x, titleWidth), GetSize().y));
        SetSize(GetMinSize());
        CentreOnParent();
    }
};

int Answer(int id) {
    switch (id) {
    case wxID_YES: return wxYES;
    case wxID_NO: return wxNO;
    case wxID_CANCEL: return wxCANCEL;
    default: return wxOK;
    }
}
} // namespace

wxString ProgramTitle() { return "VendrixPlanner"; }

int ShowMessage(const wxString& text, long style, const wxString& title, wxWindow* parent) {
    if (Handler()) return Handler()(text, title, style);
    MessageBox box(parent, text, title, style);
    return Answer(box.ShowModal());
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    MessageHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

void PlayWarningSound() { PlayBellsSound(); }

} // namespace vdx::gui
