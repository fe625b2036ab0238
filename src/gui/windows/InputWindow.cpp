#include "windows/InputWindow.h"

#include "app/AppLog.h"
#include "app/Messages.h"
#include "calc/EngineRandom.h"
#include "controls/Help.h"
#include "document/VdxDocument.h"
#include "frame/FrameBitmaps.h"
#include "frame/FrameCommands.h"
#include "frame/MenuBuilder.h"
#include "frame/WindowList.h"
#include "view/TicketRender.h"
#include "windows/DocumentWindows.h"

#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/grid.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/time.h>
#include <wx/toolbar.h>

#include <algorithm>

namespace vdx::gui {

namespace {

const MenuTable& InputMenus() {
    static const MenuTable menus = {
        {wxTRANSLATE("&Data"),
         {
             MenuItem(kIdInputApply, wxTRANSLATE("&Apply"), "Ctrl+S", wxTRANSLATE("checks and applies the changes"),
                      "(Ctrl+S, Shift+F12)", "copysize"),
             MenuItem(kIdInputApplyAndClose, wxTRANSLATE("A&pply and Close"), "Ctrl+A",
                      wxTRANSLATE("checks and applies the changes, closes the window"), "(Ctrl+A, F12)",
                      "copyandquit"),
             MenuItem(kIdInputClose, wxTRANSLATE("&Close "), "Alt+F4",
                      wxTRANSLATE("suggests to apply the changes and closes the window"), "(Alt+F4)", "redcenter"),
         }},
        {wxTRANSLATE("&Edit Cells"),
         {
             MenuItem(kIdInputCut, wxTRANSLATE("Cu&t"), "Ctrl+X",
                      wxTRANSLATE("deletes the currently selected cells and moves it to the clipboard"),
                      "(Ctrl+X, Shift+Del)", "cut", true),
             MenuItem(kIdInputCopy, wxTRANSLATE("&Copy"), "Ctrl+C",
                      wxTRANSLATE("copies the currently selected cells to the clipboard"), "(Ctrl+C, Ctrl+Select)",
                      "copy"),
             MenuItem(kIdInputPaste, wxTRANSLATE("&Paste"), "Ctrl+V",
                      wxTRANSLATE("pastes cells from the clipboard into the selected cells and replaces the "
                                  "current text"),
                      "(Ctrl+V, Shift+Select)", "paste"),
             MenuItem(kIdInputDelete, wxTRANSLATE("&Delete"), "Del", wxTRANSLATE("deletes the currently selected cells"),
                      "(Del)", "wbkdel"),
             MenuSeparator(),
             MenuItem(kIdInputBookies, wxTRANSLATE("Additional &Bookies"), "Ctrl+B",
                      wxTRANSLATE("adds three columns for the quotes of an additional book-maker"), "(Ctrl+B)",
                      "disthor", true),
         }},
        WindowMenuDef(),
        {wxTRANSLATE("&Help"),
         {
             MenuItem(kIdInputHelp, wxTRANSLATE("&Help (Input)"), "F1",
                      wxTRANSLATE("displays help on the input-window (F1)")),
         }},
    };
    return menus;
}

// Fixed floors of the column widths, by column kind.
constexpr int kMinWidthFloor[kInputColumnKinds] = {120, 30, 60, 60, 60, 60, 60, 60, 200};

constexpr long long kPasteCheckIntervalMs = 500;

wxString FromUtf8(const std::string& text) { return wxString::FromUTF8(text.c_str()); }

// Background colours of the bands of three rows: [odd band, even band].
struct BandColours {
    wxColour odd, even;
};
const BandColours kTextColumns{wxColour(143, 188, 143), wxColour(163, 208, 163)};
const BandColours kChanceColumns{wxColour(107, 35, 142), wxColour(127, 55, 162)};
const BandColours kEvenGroupOdds{wxColour(216, 191, 216), wxColour(226, 201, 226)};
const BandColours kOddGroupOdds{wxColour(182, 182, 182), wxColour(192, 192, 192)};

// The clipboard is opened here unless it already is, and closed again if so.
class ClipboardAccess {
public:
    ClipboardAccess() : wasOpen_(wxTheClipboard->IsOpened()) { open_ = wasOpen_ || wxTheClipboard->Open(); }
    ~ClipboardAccess() {
        if (open_ && !wasOpen_) wxTheClipboard->Close();
    }
    bool Open() const { return open_; }

private:
    bool wasOpen_;
    bool open_ = false;
};

bool ReadClipboardText(wxString& text) {
    ClipboardAccess clipboard;
    if (!clipboard.Open() || !wxTheClipboard->IsSupported(wxDF_UNICODETEXT)) return false;
    wxTextDataObject data;
    if (!wxTheClipboard->GetData(data)) return false;
    text = data.GetText();
    return true;
}

} // namespace

// ---------------------------------------------------------------------------

InputWindow* FindInputWindow(const VdxDocument* doc) {
    return FindDocumentWindow<InputWindow>(doc, DocWindow::Input);
}

InputWindow* OpenInputWindow(VdxDocument* doc) {
    return OpenDocumentWindow<InputWindow>(doc, DocWindow::Input, [doc] { return new InputWindow(doc); });
}

InputWindow::InputWindow(VdxDocument* doc)
    : wxFrame(nullptr, wxID_ANY, DocumentWindowTitle(doc, DocWindow::Input), wxDefaultPosition,
              wxSize(770, 19 * doc->Data().matchCount + 140)),
      doc_(doc) {
    SetIcons(FrameIcon("fussball2"));
    BuildWindowMenusAndTools(this, InputMenus(), CurrentMenuOptions());
    CreateStatusBar();

    const PoolsDocument& data = doc->Data();
    bookieGroups_ = std::max(1, data.bookieColumnCount());
    grid_ = new wxGrid(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS);
    grid_->CreateGrid(data.matchCount, InputColumnCount(bookieGroups_), wxGrid::wxGridSelectCells);
    MeasureLabels();
    FillFromDocument();
    FormatGrid();

    BindWindowMenuCommands(this);
    Bind(wxEVT_MENU, &InputWindow::OnCommand, this, kIdInputApply, kIdInputHelp);
    Bind(wxEVT_UPDATE_UI, &InputWindow::OnUpdateUI, this, kIdInputApply, kIdInputHelp);
    Bind(wxEVT_CHAR_HOOK, &InputWindow::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &InputWindow::OnClose, this);
    doc->Subscribe(this, [this](DocumentChange change) {
        if (change == DocumentChange::MatchCount) MatchCountChanged();
    });
}

InputWindow::~InputWindow() = default;

void InputWindow::MeasureLabels() {
    const wxString draw = doc_ && doc_->Data().zeroForDraw ? "0" : "X";
    columnLabels_ = {_("Matches"),
                     _("Res."),
                     _("Chance 1"),
                     wxString::Format(_("Chance %s"), draw),
                     _("Chance 2"),
                     _("Odds 1"),
                     wxString::Format(_("Odds %s"), draw),
                     _("Odds 2"),
                     _("Notes")};
    wxClientDC dc(grid_->GetGridColLabelWindow());
    dc.SetFont(grid_->GetLabelFont());
    const int scale = TicketScale();
    for (int k = 0; k < kInputColumnKinds; ++k) {
        const int width = dc.GetTextExtent(columnLabels_[k]).x * scale / 100;
        columnMinWidths_[k] = std::max(width, kMinWidthFloor[k]);
    }
}

CellTexts InputWindow::GridTexts() const {
    CellTexts cells(grid_->GetNumberRows(), std::vector<std::string>(grid_->GetNumberCols()));
    for (int r = 0; r < grid_->GetNumberRows(); ++r)
        for (int c = 0; c < grid_->GetNumberCols(); ++c) cells[r][c] = grid_->GetCellValue(r, c).utf8_string();
    return cells;
}

void InputWindow::SetGridTexts(const CellTexts& cells) {
    const int rows = std::min(grid_->GetNumberRows(), static_cast<int>(cells.size()));
    for (int r = 0; r < rows; ++r) {
        const int columns = std::min(grid_->GetNumberCols(), static_cast<int>(cells[r].size()));
        for (int c = 0; c < columns; ++c) {
            const wxString text = FromUtf8(cells[r][c]);
            if (grid_->GetCellValue(r, c) != text) grid_->SetCellValue(r, c, text);
        }
    }
}

void InputWindow::FillFromDocument() {
    if (!doc_) return;
    CellTexts cells = GridTexts();
    FillInputTexts(doc_->Data(), cells, bookieGroups_);
    SetGridTexts(cells);

    const int columns = grid_->GetNumberCols();
    if (columns != snapshotColumns_) {
        snapshot_.assign(kMaxMatches, std::vector<std::string>(columns));
        snapshotColumns_ = columns;
    }
    for (size_t r = 0; r < cells.size() && r < snapshot_.size(); ++r) snapshot_[r] = cells[r];
    closeConfirmed_ = false;
}

void InputWindow::FormatGrid() {
    grid_->BeginBatch();
    const int columns = grid_->GetNumberCols();
    const int rows = grid_->GetNumberRows();

    // Labels and widths: the odds kinds repeat once per bookmaker group.
    int kind = 0, group = 1;
    for (int c = 0; c < columns; ++c, ++kind) {
        if (kind == static_cast<int>(InputColumn::Notes) && group < bookieGroups_) {
            ++group;
            kind -= 3;
        }
        kind = std::min(kind, kInputColumnKinds - 1);
        grid_->SetColLabelValue(c, columnLabels_[kind]);
        grid_->SetColSize(c, columnMinWidths_[kind]);
        grid_->AutoSizeColumn(c, false);
        if (grid_->GetColSize(c) < columnMinWidths_[kind]) grid_->SetColSize(c, columnMinWidths_[kind]);
    }

    grid_->SetRowLabelSize(22);
    grid_->SetColLabelSize(22);
    grid_->SetRowLabelAlignment(wxALIGN_RIGHT, wxALIGN_CENTRE);
    grid_->SetColLabelAlignment(wxALIGN_CENTRE, wxALIGN_CENTRE);
    grid_->SetDefaultCellAlignment(wxALIGN_CENTRE, wxALIGN_CENTRE);

    wxFont resultFont = grid_->GetDefaultCellFont();
    resultFont.SetPointSize(resultFont.GetPointSize() + 1);
    resultFont.MakeBold();
    const wxColour defaultText = grid_->GetDefaultCellTextColour();

    for (int r = 0; r < rows; ++r) {
        const bool oddBand = (r / 3) % 2 == 1;
        for (int c = 0; c < columns; ++c) {
            const InputColumn kindAt = InputColumnAt(c, bookieGroups_);
            const BandColours* colours = &kTextColumns;
            wxColour text = defaultText;
            switch (kindAt) {
            case InputColumn::Chance1:
            case InputColumn::ChanceX:
            case InputColumn::Chance2:
                colours = &kChanceColumns;
                text = *wxWHITE;
                break;
            case InputColumn::Odds1:
            case InputColumn::OddsX:
            case InputColumn::Odds2:
                colours = OddsGroupOf(c) % 2 == 0 ? &kEvenGroupOdds : &kOddGroupOdds;
                break;
            default: break;
            }
            grid_->SetCellBackgroundColour(r, c, oddBand ? colours->odd : colours->even);
            grid_->SetCellTextColour(r, c, text);
            if (kindAt == InputColumn::Matches || kindAt == InputColumn::Notes)
                grid_->SetCellAlignment(r, c, wxALIGN_LEFT, wxALIGN_CENTRE);
            else
                grid_->SetCellAlignment(r, c, wxALIGN_CENTRE, wxALIGN_CENTRE);
            grid_->SetCellFont(r, c, kindAt == InputColumn::Result ? resultFont : grid_->GetDefaultCellFont());
            grid_->SetReadOnly(r, c, false);
        }
        grid_->AutoSizeRow(r, false);
    }

    int width = grid_->GetRowLabelSize() + 20, height = grid_->GetColLabelSize() + 20;
    for (int c = 0; c < columns; ++c) width += grid_->GetColSize(c);
    for (int r = 0; r < rows; ++r) height += grid_->GetRowSize(r);
    if (firstLayout_) {
        firstLayout_ = false;
        SetClientSize(width, height);
    } else if (width > GetClientSize().x && !IsMaximized()) {
        // Wider columns (a long name, more bookmakers) keep the last column in
        // sight: the window grows as far as the screen allows, then the grid scrolls.
        const int screen = wxDisplay::GetFromWindow(this);
        const wxRect area = wxDisplay(screen == wxNOT_FOUND ? 0u : static_cast<unsigned>(screen)).GetClientArea();
        const int frame = GetSize().x - GetClientSize().x;
        const int grown = std::min(width, area.width - frame);
        if (grown > GetClientSize().x) {
            SetClientSize(grown, GetClientSize().y);
            const wxRect rect = GetRect();
            if (rect.GetRight() > area.GetRight()) Move(std::max(area.x, area.GetRight() + 1 - rect.width), rect.y);
        }
    }
    grid_->EndBatch();
}

void InputWindow::MatchCountChanged() {
    if (!doc_) return;
    CommitEditor();
    const int wanted = std::clamp(doc_->Data().matchCount, kMinMatches, kMaxMatches);
    const int rows = grid_->GetNumberRows();
    if (rows > wanted) {
        grid_->DeleteRows(wanted, rows - wanted);
    } else if (rows < wanted) {
        grid_->AppendRows(wanted - rows);
        const int columns = std::min(grid_->GetNumberCols(), snapshotColumns_);
        for (int r = rows; r < wanted; ++r)
            for (int c = 0; c < columns; ++c) grid_->SetCellValue(r, c, FromUtf8(snapshot_[r][c]));
        FormatGrid();
    }
}

void InputWindow::CommitEditor() {
    if (grid_->IsCellEditControlEnabled()) grid_->DisableCellEditControl();
}

bool InputWindow::EditorOpen() const { return grid_->IsCellEditControlEnabled(); }

bool InputWindow::ClipboardHasText() const {
    const long long now = wxGetLocalTimeMillis().GetValue();
    if (pasteCheckedAt_ >= 0 && now - pasteCheckedAt_ < kPasteCheckIntervalMs) return pasteEnabled_;
    pasteCheckedAt_ = now;
    wxString text;
    pasteEnabled_ = ReadClipboardText(text) && !text.empty();
    return pasteEnabled_;
}

bool InputWindow::CommandEnabled(int id) const {
    switch (id) {
    case kIdInputCut:
    case kIdInputCopy:
    case kIdInputDelete:
    case kIdInputBookies: return !EditorOpen();
    case kIdInputPaste: return !EditorOpen() && ClipboardHasText();
    default: return true;
    }
}

bool InputWindow::HasUnappliedChanges() const {
    if (grid_->GetNumberCols() != snapshotColumns_) return true;
    return DiffersFromSnapshot(GridTexts(), snapshot_);
}

std::optional<CellBlock> InputWindow::SelectedBlock() {
    std::optional<CellBlock> block;
    if (!grid_->IsSelection()) {
        const int r = std::max(0, grid_->GetGridCursorRow()), c = std::max(0, grid_->GetGridCursorCol());
        block = CellBlock{r, c, r, c};
    } else {
        block = SelectionBlock(grid_->GetNumberRows(), grid_->GetNumberCols(),
                               [this](int r, int c) { return grid_->IsInSelection(r, c); });
    }
    if (!block)
        ShowMessage(_("Error: Command cannot be executed\non separated cells."), wxOK | wxICON_ERROR, ProgramTitle(),
                    this);
    return block;
}

bool InputWindow::CopyToClipboard() {
    CommitEditor();
    const std::optional<CellBlock> block = SelectedBlock();
    if (!block) return false;
    const wxString text = FromUtf8(BlockToClipboardText(GridTexts(), *block));
    ClipboardAccess clipboard;
    if (!clipboard.Open()) {
        wxLogError(_("Failed to open the clipboard!"));
        return false;
    }
    wxTheClipboard->SetData(new wxTextDataObject(text));
    pasteCheckedAt_ = -1;
    return true;
}

void InputWindow::Copy() { CopyToClipboard(); }

void InputWindow::Cut() {
    // The cells are emptied only once their texts are safe on the clipboard.
    if (CopyToClipboard()) DeleteCells();
}

void InputWindow::DeleteCells() {
    CommitEditor();
    if (grid_->IsSelection()) {
        for (int r = 0; r < grid_->GetNumberRows(); ++r)
            for (int c = 0; c < grid_->GetNumberCols(); ++c)
                if (grid_->IsInSelection(r, c)) grid_->SetCellValue(r, c, wxString());
    } else if (grid_->GetGridCursorRow() >= 0 && grid_->GetGridCursorCol() >= 0) {
        grid_->SetCellValue(grid_->GetGridCursorRow(), grid_->GetGridCursorCol(), wxString());
    }
    grid_->ForceRefresh();
}

void InputWindow::Paste() {
    if (EditorOpen()) return;
    wxString text;
    if (!ReadClipboardText(text) || text.empty()) {
        PlayWarningSound();
        return;
    }
    const ClipboardCells clip = ParseClipboardText(text.utf8_string());
    const std::optional<CellBlock> block = SelectedBlock();
    if (!block) return;
    const PasteTarget target =
        PlacePaste(*block, clip.width, clip.height(), grid_->GetNumberRows(), grid_->GetNumberCols());
    if (target.fit == PasteFit::NoSpace) {
        ShowMessage(_("Failed to paste: not enough space"), wxOK | wxICON_ERROR, ProgramTitle(), this);
        return;
    }
    if (target.fit == PasteFit::DifferentDimensions) {
        ShowMessage(_("Failed to paste: The cells in the clipboard and the\nselected cells have different "
                      "dimensions."),
                    wxOK | wxICON_ERROR, ProgramTitle(), this);
        return;
    }
    CellTexts cells = GridTexts();
    WritePaste(cells, clip, target.area);
    grid_->BeginBatch();
    SetGridTexts(cells);
    for (int i = 0; i < clip.height(); ++i) {
        const int r = target.area.top + i;
        const int right = target.area.left + static_cast<int>(clip.rows[i].size()) - 1;
        grid_->SelectBlock(r, target.area.left, r, right, i > 0);
    }
    grid_->EndBatch();
    grid_->ForceRefresh();
}

void InputWindow::AddBookies() {
    CommitEditor();
    grid_->InsertCols(NotesColumn(bookieGroups_), 3);
    ++bookieGroups_;
    FormatGrid();
}

void InputWindow::ShowInputError(const InputError& error) {
    Raise();
    const CellBlock& cells = error.cells;
    grid_->SetGridCursor(cells.top, cells.left);
    grid_->MakeCellVisible(cells.top, cells.left);
    grid_->ClearSelection();
    grid_->SelectBlock(cells.top, cells.left, cells.bottom, cells.right);
    ShowMessage(FromUtf8(InputErrorMessage(error.kind)), wxOK | wxICON_ERROR, ProgramTitle(),
                this);
}

bool InputWindow::Apply() {
    VdxDocument* doc = doc_.get();
    if (!doc) return false;
    CommitEditor();
    // The running calculation owns the document's data until it ends.
    if (doc->Data().calculationRunning) {
        PlayWarningSound();
        return false;
    }

    CellTexts cells = GridTexts();
    const InputReading reading = ReadInputGrid(cells, bookieGroups_);
    SetGridTexts(cells); // trimmed
    if (reading.error) {
        ShowInputError(*reading.error);
        return false;
    }

    if (!reading.removedGroups.empty()) {
        grid_->BeginBatch();
        for (int group : reading.removedGroups) grid_->DeleteCols(OddsColumn(group, 0), 3);
        grid_->EndBatch();
        bookieGroups_ = reading.bookieGroups;
    }

    const InputChanges changes = StoreInput(doc->Data(), reading, GlobalRandom());
    if (changes.any()) {
        doc->MarkChanged();
        if (!inputLogged_) {
            inputLogged_ = true;
            AppLog(wxString::Format(_("%s: Input changed"), doc->GetUserReadableName()));
        }
    }
    FillFromDocument();
    FormatGrid();
    return true;
}

int InputWindow::AskToApply() {
    int answer = wxNO;
    if (HasUnappliedChanges()) {
        Raise();
        answer = ShowMessage(_("Data were changed!\nApply the changes?"), wxYES_NO | wxCANCEL | wxICON_QUESTION,
                             GetTitle(), this);
    }
    if (answer == wxNO) closeConfirmed_ = true;
    return answer;
}

bool InputWindow::CloseCommand() {
    CommitEditor();
    switch (AskToApply()) {
    case wxYES:
        if (!Apply()) return false;
        closeConfirmed_ = true;
        Close(true);
        return true;
    case wxNO: Close(true); return true;
    default: return false;
    }
}

void InputWindow::OnCommand(wxCommandEvent& event) {
    switch (event.GetId()) {
    case kIdInputApply: Apply(); break;
    case kIdInputApplyAndClose:
        if (Apply()) {
            closeConfirmed_ = true;
            Close(true);
        }
        break;
    case kIdInputClose: CloseCommand(); break;
    case kIdInputCut: Cut(); break;
    case kIdInputCopy: Copy(); break;
    case kIdInputPaste: Paste(); break;
    case kIdInputDelete: DeleteCells(); break;
    case kIdInputBookies: AddBookies(); break;
    case kIdInputHelp: ShowHelpSection(HelpSection::Input); break;
    default: event.Skip();
    }
}

void InputWindow::OnUpdateUI(wxUpdateUIEvent& event) { event.Enable(CommandEnabled(event.GetId())); }

void InputWindow::OnCharHook(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    const int modifiers = event.GetModifiers();
    int id = 0;
    if ((key == WXK_DELETE || key == WXK_NUMPAD_DELETE) && modifiers == wxMOD_SHIFT)
        id = kIdInputCut;
    else if ((key == WXK_INSERT || key == WXK_NUMPAD_INSERT) && modifiers == wxMOD_CONTROL)
        id = kIdInputCopy;
    else if ((key == WXK_INSERT || key == WXK_NUMPAD_INSERT) && modifiers == wxMOD_SHIFT)
        id = kIdInputPaste;
    else if ((key == WXK_DELETE || key == WXK_NUMPAD_DELETE) && modifiers == wxMOD_NONE)
        id = kIdInputDelete;
    else if (key == WXK_F12 && modifiers == wxMOD_SHIFT)
        id = kIdInputApply;
    else if (key == WXK_F12 && modifiers == wxMOD_NONE)
        id = kIdInputApplyAndClose;
    else if (key == WXK_ESCAPE && modifiers == wxMOD_NONE && !grid_->IsCellEditControlShown())
        id = kIdInputClose; // while a cell is edited, Escape only ends the edit
    if (id == 0 || !CommandEnabled(id)) {
        event.Skip();
        return;
    }
    wxCommandEvent command(wxEVT_MENU, id);
    command.SetEventObject(this);
    ProcessWindowEvent(command);
}

void InputWindow::OnClose(wxCloseEvent& event) {
    if (doc_ && !closeConfirmed_) {
        CommitEditor();
        const int answer = AskToApply();
        const bool stay = (answer == wxYES && !Apply()) || answer == wxCANCEL;
        if (stay && event.CanVeto()) {
            event.Veto();
            return;
        }
    }
    closeConfirmed_ = true;
    AppWindows().Unregister(this);
    Destroy();
}

} // namespace vdx::gui
