#pragma once
// The program's icons, drawn at run time until proper artwork exists.

#include <wx/icon.h>

namespace vdx::gui {

// A football: the main frame's icon ("fussball").
wxIcon MakeFootballIcon();

} // namespace vdx::gui
