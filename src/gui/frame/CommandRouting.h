#pragma once
// Where the frames send the commands of the windows and views that belong to a
// pools document: one function per group, so that each group's owner decides
// what its commands do and when they are enabled.

#include <optional>

#include <wx/string.h>

class MyDocManager;
class VdxDocument;
class VdxView;
class wxWindow;

namespace vdx::gui {

// Input (7177), options (7178), calculate (7174), statistics (7180),
// conditions (7179) and charts (7175) of doc. True when handled.
bool RouteDocumentCommand(VdxDocument* doc, int id);
// Whether such a command is enabled; nullopt: enabled.
std::optional<bool> DocumentCommandEnabled(const VdxDocument* doc, int id);

// The ticket view's commands: paging and highlighting (7187-7192, 7176), save
// as text (7173) and print tickets (7195). True when handled.
bool RouteViewCommand(VdxView* view, int id);
// Whether a paging, highlighting or export command is enabled (print tickets is
// decided by the frame); nullopt: enabled.
std::optional<bool> ViewCommandEnabled(const VdxView* view, int id);

// Print, print setup and preview of the document manager. True when handled.
bool RoutePrintCommand(MyDocManager* manager, int id);

// Tells the user that what a command opens is not part of the program yet;
// message is the whole sentence ("The input window is not available yet.").
void ShowNotAvailable(const wxString& message, wxWindow* parent = nullptr);

} // namespace vdx::gui
