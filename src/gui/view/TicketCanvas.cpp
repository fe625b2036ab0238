#include "view/TicketCanvas.h"

#include "frame/CommandIds.h"
#include "view/VdxView.h"

#include <wx/dcbuffer.h>
#include <wx/toplevel.h>

TicketCanvas::TicketCanvas(wxWindow* parent, VdxView* view)
    // WANTS_CHARS: the arrow keys move the highlight instead of the focus.
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
               wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE | wxBORDER_NONE, "VdxCanvas"),
      view_(view) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(*wxWHITE);
    Bind(wxEVT_PAINT, &TicketCanvas::OnPaint, this);
    Bind(wxEVT_LEFT_DCLICK, &TicketCanvas::OnDoubleClick, this);
}

wxString TicketCanvas::GetValue() const {
    wxString text;
    if (!view_) return text;
    for (const vdx::TicketItem& item : view_->CurrentLayout().items) {
        text += wxString::FromUTF8(item.text);
        text += '\n';
    }
    return text;
}

void TicketCanvas::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    if (view_) view_->Draw(dc, false, 0);
}

void TicketCanvas::OnDoubleClick(wxMouseEvent& event) {
    wxWindow* frame = view_ ? view_->GetFrame() : nullptr;
    if (!frame) frame = wxGetTopLevelParent(this);
    if (!frame) {
        event.Skip();
        return;
    }
    // As the menu item would: a disabled command does nothing.
    wxUpdateUIEvent state(vdx::gui::kIdInput);
    state.SetEventObject(frame);
    frame->ProcessWindowEvent(state);
    if (state.GetSetEnabled() && !state.GetEnabled()) return;
    wxCommandEvent command(wxEVT_MENU, vdx::gui::kIdInput);
    command.SetEventObject(frame);
    frame->ProcessWindowEvent(command);
}
