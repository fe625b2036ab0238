#pragma once
// The format editor: a top-level window of its own with its own document
// manager for ".vdf" files (one at a time), menus, toolbar, recent files and
// the canvas with the preview. At most one exists.

#include <wx/docview.h>

#include <memory>

class FormatCanvas;
class MyDocManager;
class TicketFormatDoc;

class FormatEditorFrame : public wxDocParentFrame {
public:
    // The editor while it exists, else nullptr.
    static FormatEditorFrame* Instance();
    // Raises the editor (restored when iconised), or creates, centres and
    // shows it.
    static FormatEditorFrame* Open();
    // Opens the editor and in it the format file, without a file selector.
    static void OpenFile(const wxString& path);

    FormatCanvas* Canvas() const { return canvas_; }
    MyDocManager* Manager() const { return manager_.get(); }
    // The open format, or nullptr.
    TicketFormatDoc* Document() const;

    // Makes the client area large enough for content (a format's preview), as
    // far as the screen allows; never smaller.
    void GrowToShow(const wxSize& content);

    // Closes the documents (forced: without questions that may keep them),
    // saves the recent files and lets the frame go.
    bool Destroy() override;

private:
    explicit FormatEditorFrame(std::unique_ptr<MyDocManager> manager);
    ~FormatEditorFrame() override;

    void OnClose(wxCloseEvent& event);
    void OnValueCommand(wxCommandEvent& event);
    void ReleaseManager();

    std::unique_ptr<MyDocManager> manager_;
    FormatCanvas* canvas_ = nullptr;
    bool released_ = false;
};
