#pragma once
// Access to the help book: finding it at start-up and showing the section of
// a window on request.

#include <wx/string.h>

#include <vector>

class wxHtmlHelpController;

namespace vdx::gui {

// Section numbers of the help book. Every window's help command shows one.
namespace HelpSection {
constexpr int Contents = 0;          // main frame, Help (Topics)
constexpr int TicketView = 400;      // the main window with its tickets
constexpr int DocumentOptions = 410; // options dialog of a document
constexpr int Input = 420;
constexpr int Calculation = 430;
constexpr int Statistics = 440;
constexpr int DocumentConditions = 470;
constexpr int Charts = 480;
constexpr int FormatEditor = 550;
constexpr int TicketPrinting = 560;
constexpr int Defaults = 630;        // default options and default conditions
constexpr int Settings = 635;
} // namespace HelpSection

// Every section number the book must hold.
const std::vector<int>& HelpSectionNumbers();

// Loads the book of basePath (a path without extension: the controller looks
// for ".zip", ".htb" and ".hhp"); when that fails and fallbackBase differs,
// the book of fallbackBase (the English one). Logs nothing.
bool InitializeHelp(wxHtmlHelpController& help, const wxString& basePath,
                    const wxString& fallbackBase);

// The English book of a program folder, without extension.
wxString EnglishHelpBase(const wxString& programDir);

// Shows section (0: the contents) in the application's help window. Without a
// help book only the warning sound is given.
void ShowHelpSection(int section);

} // namespace vdx::gui
