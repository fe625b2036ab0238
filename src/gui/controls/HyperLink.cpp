#include "controls/HyperLink.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/utils.h>

wxIMPLEMENT_DYNAMIC_CLASS(wxHyperLink, wxStaticText);

namespace {

// Shared by all links: where and when the left button last went down.
wxLongLong g_pressTime = 0;
wxWindowID g_pressId = wxID_NONE;

wxHyperLink::OpenHandler& Opener() {
    static wxHyperLink::OpenHandler handler;
    return handler;
}

wxHyperLink::Clock& ClockHook() {
    static wxHyperLink::Clock clock;
    return clock;
}

wxLongLong Now() { return ClockHook() ? ClockHook()() : wxGetUTCTimeMillis(); }

unsigned char HoverComponent(unsigned char c) {
    if (c == 0) return 0;
    return static_cast<unsigned char>(c < 128 ? c + 100 : c - 100);
}

} // namespace

wxHyperLink::wxHyperLink() { Init(); }

wxHyperLink::wxHyperLink(wxWindow* parent, wxWindowID id, const wxString& target,
                         const wxString& label, const wxPoint& pos, const wxSize& size, long style,
                         const wxString& name, const wxColour& normalColour,
                         const wxColour& hoverColour) {
    Init();
    Create(parent, id, target, label, pos, size, style, name, normalColour, hoverColour);
}

wxHyperLink::~wxHyperLink() { hoverCheck_.Stop(); }

void wxHyperLink::Init() {
    hoverCheck_.SetOwner(this);
    Bind(wxEVT_TIMER, &wxHyperLink::OnHoverCheck, this);
}

bool wxHyperLink::Create(wxWindow* parent, wxWindowID id, const wxString& target,
                         const wxString& label, const wxPoint& pos, const wxSize& size, long style,
                         const wxString& name, const wxColour& normalColour,
                         const wxColour& hoverColour) {
    if (!wxStaticText::Create(parent, id, label.empty() ? target : label, pos, size, style, name))
        return false;
    target_ = target;
    SetCursor(wxCursor(wxCURSOR_HAND));
    if (!hoverColour.IsOk()) {
        SetForegroundColour(normalColour);
    } else {
        normalColour_ = normalColour.IsOk() ? normalColour : *wxBLUE;
        hoverColour_ = hoverColour;
        wxStaticText::SetForegroundColour(normalColour_);
    }
    hovering_ = false;

    Bind(wxEVT_ENTER_WINDOW, [this](wxMouseEvent& event) {
        StartHover();
        event.Skip();
    });
    Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent& event) {
        EndHover();
        event.Skip();
    });
    // Some toolkits give a label no window of its own and so no enter event;
    // the first movement over it starts the hover look instead.
    Bind(wxEVT_MOTION, [this](wxMouseEvent& event) {
        if (!hovering_) StartHover();
        event.Skip();
    });
    Bind(wxEVT_LEFT_DOWN, &wxHyperLink::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &wxHyperLink::OnLeftUp, this);
    return true;
}

wxColour wxHyperLink::DeriveHoverColour(const wxColour& normal) {
    return wxColour(HoverComponent(normal.Red()), HoverComponent(normal.Green()),
                    HoverComponent(normal.Blue()), normal.Alpha());
}

bool wxHyperLink::SetForegroundColour(const wxColour& colour) {
    normalColour_ = colour.IsOk() ? colour : *wxBLUE;
    hoverColour_ = DeriveHoverColour(normalColour_);
    return wxStaticText::SetForegroundColour(hovering_ ? hoverColour_ : normalColour_);
}

void wxHyperLink::SetUnderline(bool value, bool always) {
    underline_ = value;
    underlineAlways_ = always;
    ShowFont();
}

void wxHyperLink::ShowFont() {
    if (!GetHandle()) return; // not created yet
    const bool underlined = underlineAlways_ ? underline_ : (hovering_ && underline_);
    wxFont font = GetFont();
    if (font.GetUnderlined() == underlined) return;
    font.SetUnderlined(underlined);
    SetFont(font);
}

void wxHyperLink::StartHover() {
    if (hovering_) return;
    hovering_ = true;
    ShowFont();
    wxStaticText::SetForegroundColour(hoverColour_);
    Refresh();
#ifdef __WXGTK__
    // The label has no window of its own here: the hand is shown through the
    // parent, and the end of hovering is watched for.
    if (wxWindow* parent = GetParent()) {
        parentCursor_ = parent->GetCursor();
        parent->SetCursor(wxCursor(wxCURSOR_HAND));
    }
#endif
    hoverCheck_.Start(100);
}

void wxHyperLink::EndHover() {
    if (!hovering_) return;
    hovering_ = false;
    hoverCheck_.Stop();
    ShowFont();
    wxStaticText::SetForegroundColour(normalColour_);
    Refresh();
#ifdef __WXGTK__
    if (wxWindow* parent = GetParent()) parent->SetCursor(parentCursor_);
#endif
}

void wxHyperLink::OnHoverCheck(wxTimerEvent&) {
    if (!IsShownOnScreen() || !GetScreenRect().Contains(wxGetMousePosition())) EndHover();
}

void wxHyperLink::OnLeftDown(wxMouseEvent& event) {
    g_pressTime = Now();
    g_pressId = GetId();
    event.Skip();
}

void wxHyperLink::OnLeftUp(wxMouseEvent& event) {
    const bool sameLink = g_pressId == GetId();
    const bool quick = Now() - g_pressTime < ClickLimitMs;
    g_pressId = wxID_NONE;
    if (sameLink && quick) OpenLink();
    event.Skip();
}

bool wxHyperLink::OpenLink() {
    if (Opener()) return Opener()(target_);
    if (target_.empty()) return false;
    wxString url = target_;
    // A path of this machine becomes a file URL; anything else goes as written.
    if (!url.Contains("://") && !url.StartsWith("mailto:") &&
        (wxFileName::FileExists(url) || wxFileName::DirExists(url)))
        url = wxFileName::FileNameToURL(wxFileName(url));
    wxLogNull quiet; // a failed start opens nothing and says nothing
    return wxLaunchDefaultBrowser(url, wxBROWSER_NOBUSYCURSOR);
}

wxHyperLink::OpenHandler wxHyperLink::SetOpenHandler(OpenHandler handler) {
    OpenHandler previous = std::move(Opener());
    Opener() = std::move(handler);
    return previous;
}

wxHyperLink::Clock wxHyperLink::SetClock(Clock clock) {
    Clock previous = std::move(ClockHook());
    ClockHook() = std::move(clock);
    return previous;
}
