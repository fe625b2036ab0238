#pragma once
// Bitmaps and icons of the frames: the program's own pictures, with a plain
// stand-in where one is missing, so that a toolbar button never ends up
// without a picture.

#include <wx/bmpbndl.h>
#include <wx/iconbndl.h>

#include <string>

namespace vdx::gui {

// Never an empty bundle.
wxBitmapBundle FrameBitmap(const std::string& name, bool mono = false);
// "fussball", "fussball2" or "notepad"; never empty.
wxIconBundle FrameIcon(const std::string& name);

} // namespace vdx::gui
