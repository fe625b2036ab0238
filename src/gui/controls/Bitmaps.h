#pragma once
// The pictures of menus and toolbars and the window icons, by name.

#include <wx/bmpbndl.h>
#include <wx/iconbndl.h>

#include <string>
#include <vector>

namespace vdx::gui {

// The picture of a command ("playgreen", "southlightblue", "copy", ...); mono
// gives its greyed form (the "_mono" twin) for disabled tools. The common ones
// ("new", "open", "save", "print", "preview", "undo", "redo", "cut", "copy",
// "paste", "delete", "help", "quit") come from the desktop theme when it has
// them, otherwise from the program's own drawings. An unknown name gives an
// empty bundle.
wxBitmapBundle ProgramBitmap(const std::string& name, bool mono = false);

// A window icon ("fussball", "fussball2", "notepad") in the usual sizes;
// empty for an unknown name.
wxIconBundle ProgramIcon(const std::string& name);

// The program's own drawing of name (no theme), or an empty bundle. Also
// accepts the "_mono" names.
wxBitmapBundle OwnBitmap(const std::string& name);

// Every command picture the program's windows use (without the "_mono" forms).
const std::vector<std::string>& ProgramBitmapNames();

// The icon names.
const std::vector<std::string>& ProgramIconNames();

} // namespace vdx::gui
