#pragma once
// The input window of a pools document: a grid where the user types the
// matches, results, chances, bookmakers' odds and notes. Nothing is checked
// while typing; Apply reads, checks and stores everything at once.

#include "input/InputGrid.h"
#include "windows/DocumentWindows.h"

#include <wx/frame.h>
#include <wx/weakref.h>

#include <array>

class VdxDocument;
class wxGrid;

namespace vdx::gui {

// The window's own command ids.
enum InputCommandId : int {
    kIdInputApply = 7250,
    kIdInputApplyAndClose,
    kIdInputClose,
    kIdInputCut,
    kIdInputCopy,
    kIdInputPaste,
    kIdInputDelete,
    kIdInputBookies,
    kIdInputHelp,
};

class InputWindow : public wxFrame, public DocumentCloseGuard {
public:
    explicit InputWindow(VdxDocument* doc);
    ~InputWindow() override;

    VdxDocument* Document() const { return doc_.get(); }
    wxGrid* Grid() const { return grid_; }
    int BookieGroups() const { return bookieGroups_; }

    // The document's matchCount changed: rows follow it, texts shown earlier
    // in returning rows reappear. The document is not changed.
    void MatchCountChanged();

    // Checks the grid and stores it in the document; false (with the error
    // shown and its cells selected) when something cannot be read.
    bool Apply();
    // The Close command: asks about unapplied changes, applies or drops them
    // and closes. False when the window stays open (Cancel, or Apply failed).
    bool CloseCommand();
    // Before the document closes: the Close command's question.
    bool AllowDocumentClose() override { return CloseCommand(); }
    // The grid differs from what the document filled in last.
    bool HasUnappliedChanges() const;

    // Puts the selected block on the clipboard; false (with a message) when it cannot.
    bool CopyToClipboard();
    void Copy();
    void Cut();
    void Paste();
    void DeleteCells();
    void AddBookies();

    // Whether a command of the window is enabled now.
    bool CommandEnabled(int id) const;

private:
    void MeasureLabels();
    void FillFromDocument();
    void FormatGrid();
    CellTexts GridTexts() const;
    void SetGridTexts(const CellTexts& cells);
    void CommitEditor();
    bool EditorOpen() const;
    bool ClipboardHasText() const;
    // The selected rectangle (the cursor cell without a selection); shows the
    // error and gives nothing when the selected cells are separated.
    std::optional<CellBlock> SelectedBlock();
    void ShowInputError(const InputError& error);
    // The close question; No sets closeConfirmed_.
    int AskToApply();

    void OnCommand(wxCommandEvent& event);
    void OnUpdateUI(wxUpdateUIEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnClose(wxCloseEvent& event);

    wxWeakRef<VdxDocument> doc_;
    wxGrid* grid_ = nullptr;
    int bookieGroups_ = 1;
    std::array<wxString, kInputColumnKinds> columnLabels_;
    std::array<int, kInputColumnKinds> columnMinWidths_{};
    CellTexts snapshot_;
    int snapshotColumns_ = 0;
    bool closeConfirmed_ = false;
    bool inputLogged_ = false;
    bool firstLayout_ = true;
    // Paste enabling asks the clipboard; not more often than this.
    mutable long long pasteCheckedAt_ = -1;
    mutable bool pasteEnabled_ = false;
};

// The document's input window, or nullptr.
InputWindow* FindInputWindow(const VdxDocument* doc);

// Opens the input window of doc, or raises (and restores) the one it has.
InputWindow* OpenInputWindow(VdxDocument* doc);

} // namespace vdx::gui
