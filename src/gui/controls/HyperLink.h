#pragma once
// A static text that looks and behaves like a link of a web page: coloured,
// underlined while the pointer is over it, and opening its target with the
// system's browser when clicked.

#include <wx/colour.h>
#include <wx/longlong.h>
#include <wx/stattext.h>
#include <wx/timer.h>

#include <functional>

class wxHyperLink : public wxStaticText {
public:
    // A click opens the link only when the button comes up within this time.
    static constexpr long ClickLimitMs = 1250;

    wxHyperLink(); // for the class-info factory
    // An empty label shows the target. Without a hover colour the hover colour
    // is derived from the normal one (see SetForegroundColour); an invalid
    // normal colour means blue.
    wxHyperLink(wxWindow* parent, wxWindowID id, const wxString& target,
                const wxString& label = wxString(), const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = 0,
                const wxString& name = "HyperLink", const wxColour& normalColour = wxNullColour,
                const wxColour& hoverColour = wxNullColour);
    ~wxHyperLink() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& target,
                const wxString& label = wxString(), const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = 0,
                const wxString& name = "HyperLink", const wxColour& normalColour = wxNullColour,
                const wxColour& hoverColour = wxNullColour);

    // Sets the normal colour (blue when invalid) and derives the hover colour
    // from it.
    bool SetForegroundColour(const wxColour& colour) override;
    // always: the font's underline is value permanently; otherwise the link
    // is underlined only while hovering, and only when value is set.
    void SetUnderline(bool value, bool always);

    // Opens the target; false when that failed. Never shows an error.
    bool OpenLink();

    const wxString& Target() const { return target_; }
    void SetTarget(const wxString& target) { target_ = target; }
    const wxColour& NormalColour() const { return normalColour_; }
    const wxColour& HoverColour() const { return hoverColour_; }
    bool IsHovering() const { return hovering_; }
    bool UnderlineValue() const { return underline_; }
    bool UnderlineAlways() const { return underlineAlways_; }

    // The hover colour of a normal colour, component by component: 0 stays 0,
    // below 128 gains 100, 128 or more loses 100.
    static wxColour DeriveHoverColour(const wxColour& normal);

    // Replaces the opening of targets (empty: the browser again); returns the
    // previous handler.
    using OpenHandler = std::function<bool(const wxString& target)>;
    static OpenHandler SetOpenHandler(OpenHandler handler);
    // Replaces the millisecond clock of the click timing (empty: the real one).
    using Clock = std::function<wxLongLong()>;
    static Clock SetClock(Clock clock);

    // Pointer entering and leaving; public so that the hover look can be driven directly.
    void StartHover();
    void EndHover();

private:
    void Init();
    void ShowFont();
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnHoverCheck(wxTimerEvent& event);

    wxString target_;
    wxColour normalColour_;
    wxColour hoverColour_;
    bool underline_ = true;
    bool underlineAlways_ = false;
    bool hovering_ = false;
    wxTimer hoverCheck_;
    wxCursor parentCursor_;

    wxDECLARE_DYNAMIC_CLASS(wxHyperLink);
};
