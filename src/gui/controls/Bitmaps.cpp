#include "controls/Bitmaps.h"

#include "controls/BitmapData.h"

#include <wx/artprov.h>
#include <wx/bitmap.h>
#include <wx/icon.h>
#include <wx/log.h>

#include <map>

namespace vdx::gui {

namespace {

const wxSize kBitmapSize(16, 16);

const char* FindSvg(const std::string& name) {
    for (std::size_t i = 0; i < detail::kEmbeddedSvgCount; ++i)
        if (name == detail::kEmbeddedSvgs[i].name) return detail::kEmbeddedSvgs[i].text;
    return nullptr;
}

// Theme pictures for the common commands. On GTK an icon name of the desktop
// theme serves as an art id too.
wxArtID ThemeArt(const std::string& name) {
    static const std::map<std::string, wxArtID> art = {
        {"new", wxART_NEW},       {"open", wxART_FILE_OPEN}, {"save", wxART_FILE_SAVE},
        {"print", wxART_PRINT},   {"undo", wxART_UNDO},      {"redo", wxART_REDO},
        {"cut", wxART_CUT},       {"copy", wxART_COPY},      {"paste", wxART_PASTE},
        {"delete", wxART_DELETE}, {"help", wxART_HELP},      {"quit", wxART_QUIT},
#ifdef __WXGTK__
        {"preview", "document-print-preview"},
#endif
    };
    const auto it = art.find(name);
    return it == art.end() ? wxArtID() : it->second;
}

// The greyed form of a theme picture, made at the sizes a toolbar may ask for.
wxBitmapBundle Greyed(const wxBitmapBundle& bundle) {
    wxVector<wxBitmap> bitmaps;
    for (int scale : {1, 2, 3}) {
        const wxBitmap bitmap = bundle.GetBitmap(kBitmapSize * scale);
        if (bitmap.IsOk()) bitmaps.push_back(bitmap.ConvertToDisabled());
    }
    return bitmaps.empty() ? wxBitmapBundle() : wxBitmapBundle::FromBitmaps(bitmaps);
}

} // namespace

wxBitmapBundle OwnBitmap(const std::string& name) {
    // The greyed twin of the format editor's "Matches" picture goes by a shorter name too.
    const char* svg = FindSvg(name == "disthorgreenhor_mono" ? "disthorgreenhorizontal_mono" : name);
    if (!svg) return {};
    return wxBitmapBundle::FromSVG(svg, kBitmapSize);
}

wxBitmapBundle ProgramBitmap(const std::string& name, bool mono) {
    const wxArtID art = ThemeArt(name);
    if (!art.empty()) {
        wxLogNull quiet; // a theme without the picture is not worth a message
        const wxBitmapBundle themed = wxArtProvider::GetBitmapBundle(art, wxART_TOOLBAR, kBitmapSize);
        if (themed.IsOk()) {
            if (!mono) return themed;
            const wxBitmapBundle greyed = Greyed(themed);
            if (greyed.IsOk()) return greyed;
        }
    }
    return OwnBitmap(mono ? name + "_mono" : name);
}

wxIconBundle ProgramIcon(const std::string& name) {
    wxIconBundle icons;
    const wxBitmapBundle bundle = OwnBitmap(name);
    if (!bundle.IsOk()) return icons;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        const wxBitmap drawn = bundle.GetBitmap(wxSize(size, size));
        if (!drawn.IsOk()) continue;
        // An icon is measured in pixels: drop the scale the bundle gives to large bitmaps.
        const wxBitmap pixels(drawn.ConvertToImage());
        wxIcon icon;
        icon.CopyFromBitmap(pixels);
        if (icon.IsOk()) icons.AddIcon(icon);
    }
    return icons;
}

const std::vector<std::string>& ProgramBitmapNames() {
    static const std::vector<std::string> names = {
        // main frame
        "new", "open", "save", "print", "preview", "redcenter", "choice", "greencopywdth",
        "playgreen", "woptions", "southlightblue", "northlightblue", "southendlightblue",
        "northendlightblue", "wforwardblue", "wbackblue", "ticket",
        // calculation window
        "gauge", "pointsred", "stop", "redeast", "radio",
        // input window
        "copysize", "copyandquit", "cut", "copy", "paste", "wbkdel", "disthor",
        // format editor, with the pictures of its preview
        "undo", "redo", "wupdowngreen", "insert", "prozent", "disthorgreenhorizontal",
        "disthorgreen", "x2i", "x", "xx", "sides", "spacematches", "spacelines", "wupgreen",
        "wforwardgreen", "wdowngreen", "wbackgreen", "insertleft", "insertcentre", "insertright",
        // further common commands
        "delete", "help", "quit"};
    return names;
}

const std::vector<std::string>& ProgramIconNames() {
    static const std::vector<std::string> names = {"fussball", "fussball2", "notepad"};
    return names;
}

} // namespace vdx::gui
