#pragma once
// Builds the menu bars of the frames from one table of items.

#include <wx/string.h>

class wxMenuBar;

namespace vdx::gui {

enum class FrameKind { Main = 0, PoolsChild = 1, TextChild = 2 };

// single: one document at a time, drawn in the main frame.
wxMenuBar* BuildMenuBar(FrameKind kind, bool single);

// The status-bar help of an item: its help text and, when given, the shortcut hint.
wxString HelpWithHint(const wxString& help, const wxString& hint);

} // namespace vdx::gui
