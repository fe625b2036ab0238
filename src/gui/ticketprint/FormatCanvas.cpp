#include "ticketprint/FormatCanvas.h"

#include "app/Messages.h"
#include "controls/Bitmaps.h"
#include "frame/FrameBitmaps.h"
#include "ticketprint/FormatEditing.h"
#include "ticketprint/TicketFormatDoc.h"
#include "ticketprint/TicketFormatView.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/intl.h>
#include <wx/settings.h>

namespace {

wxColour Colour(vdx::PreviewColour colour) {
    switch (colour) {
    case vdx::PreviewColour::kBlue: return *wxBLUE;
    case vdx::PreviewColour::kGreen: return wxColour(0, 128, 0);
    case vdx::PreviewColour::kRed: return *wxRED;
    default: return *wxBLACK;
    }
}

wxFont StepFont(const wxFont& base, int step) {
    wxFont font = base;
    if (step != 0) font.SetFractionalPointSize(std::max(1.0, base.GetFractionalPointSize() + step));
    return font;
}

} // namespace

void RenderFormatPreview(wxDC& dc, const vdx::FormatPreview& preview, const wxFont& font) {
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.SetPen(*wxBLACK_PEN);
    for (const vdx::PreviewRect& r : preview.outlines) dc.DrawRectangle(r.x, r.y, r.width, r.height);
    for (const vdx::PreviewLine& l : preview.lines) {
        dc.SetPen(wxPen(Colour(l.colour), 1 + l.extraWidth));
        dc.DrawLine(l.x1, l.y1, l.x2, l.y2);
    }
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    for (const vdx::PreviewText& t : preview.texts) {
        dc.SetFont(StepFont(font, t.fontStep));
        dc.SetTextForeground(Colour(t.colour));
        dc.DrawText(wxString::FromUTF8(t.text), t.x, t.y);
    }
    for (const vdx::PreviewBitmap& b : preview.bitmaps) {
        const wxBitmap bitmap = vdx::gui::FrameBitmap(b.name).GetBitmap(
            wxSize(vdx::kPreviewBitmapSize, vdx::kPreviewBitmapSize));
        dc.DrawBitmap(bitmap, b.x, b.y, true);
    }
}

FormatCanvas::FormatCanvas(wxWindow* parent)
    : wxScrolledWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxHSCROLL | wxVSCROLL, "panel") {
    SetBackgroundColour(*wxWHITE);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetScrollbars(20, 20, 175, 110);
    Bind(wxEVT_PAINT, &FormatCanvas::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &FormatCanvas::OnMouse, this);
    Bind(wxEVT_RIGHT_DOWN, &FormatCanvas::OnMouse, this);
    // Quick clicks step as often as slow ones.
    Bind(wxEVT_LEFT_DCLICK, &FormatCanvas::OnMouse, this);
    Bind(wxEVT_RIGHT_DCLICK, &FormatCanvas::OnMouse, this);
    Bind(wxEVT_KEY_DOWN, &FormatCanvas::OnKey, this);
}

wxFont FormatCanvas::PreviewFont(int step) const {
    wxFont base = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    return StepFont(base, 2 + step);
}

void FormatCanvas::Rebuild() {
    preview_ = vdx::FormatPreview();
    auto* doc = view_ ? dynamic_cast<TicketFormatDoc*>(view_->GetDocument()) : nullptr;
    if (!doc) return;
    wxClientDC dc(this);
    const auto measure = [this, &dc](const std::string& text, int step) {
        dc.SetFont(PreviewFont(step));
        const wxSize size = dc.GetTextExtent(wxString::FromUTF8(text));
        return vdx::PreviewTextSize{size.x, size.y};
    };
    const auto translate = [](const char* text) { return wxGetTranslation(text).utf8_string(); };
    preview_ = vdx::BuildFormatPreview(doc->Values(), measure, translate);
}

void FormatCanvas::Render(wxDC& dc) const { RenderFormatPreview(dc, preview_, PreviewFont()); }

void FormatCanvas::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    DoPrepareDC(dc);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    Rebuild();
    Render(dc);
}

void FormatCanvas::OnMouse(wxMouseEvent& event) {
    SetFocus();
    ClickAt(CalcUnscrolledPosition(event.GetPosition()), event.LeftDown() || event.LeftDClick());
}

void FormatCanvas::ClickAt(const wxPoint& point, bool up) {
    auto* doc = view_ ? dynamic_cast<TicketFormatDoc*>(view_->GetDocument()) : nullptr;
    if (!doc) return;
    Rebuild();
    const vdx::PreviewHit* hit = vdx::PreviewHitAt(preview_, point.x, point.y);
    if (!hit) return;
    const vdx::PreviewClick click = vdx::ClickOnPreview(doc->Values(), *hit, up);
    if (click.showTotalsMessage) {
        vdx::gui::ShowMessage(wxGetTranslation(vdx::kTotalsMessage), wxOK | wxICON_INFORMATION,
                              wxGetTranslation(vdx::kFormatEditorTitle), this);
        return;
    }
    const wxString name =
        wxString::FromUTF8(vdx::WithoutFirstAmpersand(wxGetTranslation(click.label).utf8_string()));
    vdx::gui::SubmitFormatChange(doc, {click.kind, click.index, click.value, {}}, name, this);
}

// The file keys of the canvas go to the frame as its own commands.
void FormatCanvas::OnKey(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_F12) {
        int id = wxID_NONE;
        if (event.GetModifiers() == wxMOD_CONTROL) id = wxID_OPEN;
        else if (event.GetModifiers() == wxMOD_SHIFT) id = wxID_SAVE;
        else if (event.GetModifiers() == wxMOD_NONE) id = wxID_SAVEAS;
        if (id != wxID_NONE) {
            wxCommandEvent command(wxEVT_MENU, id);
            wxWindow* frame = wxGetTopLevelParent(this);
            command.SetEventObject(frame);
            frame->GetEventHandler()->ProcessEvent(command);
            return;
        }
    }
    event.Skip();
}
