#pragma once
// The frame of a page dialog: a modeless top-level window (named
// "MyNotebookFrame") filled by its notebook of pages, with the common
// "&Window" menu and a "&Help" menu, and the keys that every page dialog
// shares. Closing it, however it happens, applies nothing.

#include <wx/frame.h>
#include <wx/weakref.h>

class VdxDocument;
class wxKeyEvent;

namespace vdx::gui {

class MyNotebook;

class MyNotebookFrame : public wxFrame {
public:
    // doc: the document shown, nullptr for a window of the application (a
    // default variant, the settings). A document closes its windows itself.
    MyNotebookFrame(VdxDocument* doc, const wxString& title, const wxPoint& position, const wxSize& size,
                    wxWindowID id = wxID_ANY);

    VdxDocument* Document() const { return doc_.get(); }
    MyNotebook* Book() const { return book_; }

    // --- the operations a dialog fills in --------------------------------------
    virtual int HelpSectionNumber() const = 0;
    // The owner (document or application) no longer refers to this window.
    virtual void ForgetInOwner() {}

    // After the pages were added: fills every page from the data and lays
    // them out (the frame grows to show the pages, never below its first size).
    // A document's window is then attached and shown by OpenDocumentWindow.
    void Prepare();
    // Prepare, then list the window in the window menu and show it (a window
    // of the application).
    void Open();
    // The frame's key handling; true when the key was used up.
    bool HandleKey(int keyCode, int modifiers, wxWindow* focus);

private:
    friend class MyNotebook;
    void OnKey(wxKeyEvent& event);

    wxWeakRef<VdxDocument> doc_;
    bool prepared_ = false;
    wxSize grownFrom_;
    MyNotebook* book_ = nullptr;
};

// Shows, restores and raises a window that already exists.
void RaiseNotebookFrame(MyNotebookFrame* frame);

} // namespace vdx::gui
