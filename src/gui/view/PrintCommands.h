#pragma once
// Print, Print Setup and Print Preview of the pools document on paper.

#include <wx/cmndata.h>

class VdxView;
class wxWindow;

namespace vdx::gui {

// The program's one choice of printer, paper and orientation, kept by every
// print, print setup and preview.
wxPrintDialogData& ProgramPrintData();

// Prints the view's document with the print dialog; true when printed.
bool PrintDocument(VdxView* view, wxWindow* parent);

// The page setup dialog: paper, orientation, printer.
void ShowPrintSetup(wxWindow* parent);

} // namespace vdx::gui
