#include "calc/CalculationWindow.h"

#include "app/AppLog.h"
#include "app/Messages.h"
#include "app/VdxApp.h"
#include "calc/CalcFigures.h"
#include "calc/Conditions.h"
#include "calc/Improvement.h"
#include "calc/CalculateCommand.h"
#include "controls/Help.h"
#include "document/VdxDocument.h"
#include "frame/CommandIds.h"
#include "frame/FrameBitmaps.h"
#include "frame/FrameCommands.h"
#include "frame/MenuBuilder.h"
#include "frame/WindowList.h"
#include "windows/DocumentWindows.h"

#include <wx/app.h>
#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>
#include <wx/display.h>
#include <wx/evtloop.h>
#include <wx/gauge.h>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/scrolwin.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include <algorithm>
#include <chrono>

namespace vdx::gui {

namespace {

// Between two turns of the event loop at most this long passes; more often
// would cost the engine more than the display gains.
constexpr long long kYieldIntervalMs = 20;

// Runs expected to take at least this long show an estimate of the time left.
constexpr long long kTimeLeftFromMs = 5000;

long long SteadyMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

const MenuTable& CalcMenus() {
    static const MenuTable menus = {
        {wxTRANSLATE("&View"),
         {
             MenuItem(kIdCalcFreeze, wxTRANSLATE("&Freeze"), "Ctrl+F",
                      wxTRANSLATE("stops displaying the progress, for better performance"), "", "gauge"),
             MenuItem(kIdCalcThaw, wxTRANSLATE("&Thaw"), "Ctrl+T", wxTRANSLATE("starts displaying the progress again"),
                      "", "pointsred"),
             MenuItem(kIdCalcCloseWindow, wxTRANSLATE("&Close the Window"), "Alt+F4", wxTRANSLATE("closes the window"),
                      "", "redcenter"),
         }},
        {wxTRANSLATE("&Calculation"),
         {
             MenuItem(kIdCalculate, wxTRANSLATE("&Calculate"), "Ctrl+B",
                      wxTRANSLATE("calculates the optimal distribution of the tips (Ctrl+B)"), "", "playgreen", true),
             MenuItem(kIdCalcNoMoreRounds, wxTRANSLATE("&No more Rounds"), "Ctrl+K",
                      wxTRANSLATE("stops the calculation after the current round"), "", "stop"),
             MenuItem(kIdCalcStopRound, wxTRANSLATE("Sto&p current Round"), "Ctrl+A",
                      wxTRANSLATE("stops the current round"), "", "redeast"),
             MenuItem(kIdCalcStopCalculation, wxTRANSLATE("&Stop the Calculation"), "Ctrl+F4",
                      wxTRANSLATE("stops the calculation"), "", "radio"),
         }},
        {wxTRANSLATE("&Help"),
         {
             MenuItem(kIdCalcHelp, wxTRANSLATE("&Help (Calculate)"), "F1",
                      wxTRANSLATE("displays help on calculation (F1)")),
         }},
    };
    return menus;
}

wxString FromUtf8(const std::string& text) { return wxString::FromUTF8(text.c_str()); }

} // namespace

// ---------------------------------------------------------------------------
// The rows of the display, drawn as text and bars.

class ProgressPanel : public wxScrolled<wxPanel> {
public:
    ProgressPanel(wxWindow* parent, const ProgressDisplay& display)
        : wxScrolled<wxPanel>(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                              wxFULL_REPAINT_ON_RESIZE | wxVSCROLL),
          display_(display) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        // Scrolls only when the window is made smaller than its rows need.
        ShowScrollbars(wxSHOW_SB_NEVER, wxSHOW_SB_DEFAULT);
        SetScrollRate(0, 10);
        Bind(wxEVT_PAINT, &ProgressPanel::OnPaint, this);
    }

    // Where the last drawing put each text and bar, in the panel's virtual area.
    const std::vector<wxRect>& Items() const { return items_; }

    // The height the rows need, for the display as it is now.
    int ContentHeight() {
        // Measured on a bitmap: the panel need not be on the screen yet.
        wxBitmap bitmap(1, 1);
        wxMemoryDC dc(bitmap);
        dc.SetFont(GetFont());
        const std::vector<wxRect> drawn = items_;
        const int height = Draw(dc, false);
        items_ = drawn;
        return height;
    }

    void Relayout() {
        const int height = ContentHeight();
        if (height != GetVirtualSize().y) SetVirtualSize(-1, height);
        Refresh();
    }

private:
    void OnPaint(wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(this);
        DoPrepareDC(dc);
        dc.SetBackground(wxBrush(GetBackgroundColour()));
        dc.Clear();
        dc.SetFont(GetFont());
        dc.SetTextForeground(GetForegroundColour());
        Draw(dc, true);
    }

    // Lays the display out (and draws it when paint is set); returns the height used.
    int Draw(wxDC& dc, bool paint) {
        items_.clear();
        auto text = [&](const wxString& s, int x, int y) {
            if (s.empty()) return;
            const wxSize extent = dc.GetTextExtent(s);
            items_.emplace_back(x, y, extent.x, extent.y);
            if (paint) dc.DrawText(s, x, y);
        };

        const wxSize client = GetClientSize();
        const int charHeight = dc.GetCharHeight();
        const int lineHeight = charHeight + 2;
        const int margin = 10;
        int labelWidth = dc.GetTextExtent("Favourites").x;
        for (const ProgressRow& row : display_.rows)
            if (row.kind != ProgressRow::Kind::Limit)
                labelWidth = std::max(labelWidth, dc.GetTextExtent(FromUtf8(row.label)).x);
        labelWidth += margin;
        const int figureWidth = dc.GetTextExtent("00000000 *").x;
        const int columnWidth = std::max(40, (client.x - 2 * margin - labelWidth) / 2);
        const int barWidth = std::max(10, columnWidth - figureWidth - margin);
        const int bestX = margin + labelWidth;
        const int currentX = bestX + columnWidth;

        // The head of the best column, short when the long form does not fit.
        int y = 2;
        if (display_.bestRound >= -1) {
            wxString head = FromUtf8(vdx::BestText(display_.bestRound, display_.finished));
            if (dc.GetTextExtent(head).x > columnWidth - margin)
                head = FromUtf8(vdx::BestText(display_.bestRound, display_.finished, true));
            text(head, bestX, y);
        }
        text(FromUtf8(display_.roundText), currentX, y);
        y += lineHeight + 2;

        // Bars are scaled to the largest figure of their kind.
        long long maxCondition = 1, maxEquals = 1;
        for (const ProgressRow& row : display_.rows) {
            long long& target = row.kind == ProgressRow::Kind::Condition ? maxCondition : maxEquals;
            target = std::max({target, row.bestValue, row.currentValue});
        }
        const wxColour bestColour(0, 96, 192), currentColour(192, 48, 32);
        for (const ProgressRow& row : display_.rows) {
            if (row.kind == ProgressRow::Kind::Limit) {
                // The underscores sit on the line between two rows.
                text(FromUtf8(row.label), margin, y - charHeight + 2);
                y += 2;
                continue;
            }
            const long long scale = row.kind == ProgressRow::Kind::Condition ? maxCondition : maxEquals;
            text(FromUtf8(row.label), margin, y);
            auto bar = [&](int x, long long value, const wxColour& colour, const std::string& figure) {
                const int length = static_cast<int>(barWidth * std::min(value, scale) / scale);
                if (length > 0) {
                    const wxRect rect(x, y + 2, length, lineHeight - 4);
                    items_.push_back(rect);
                    if (paint) {
                        dc.SetPen(*wxTRANSPARENT_PEN);
                        dc.SetBrush(wxBrush(colour));
                        dc.DrawRectangle(rect);
                    }
                }
                text(FromUtf8(figure), x + barWidth + 4, y);
            };
            bar(bestX, row.bestValue, bestColour, row.bestFigure);
            bar(currentX, row.currentValue, currentColour, row.currentFigure);
            y += lineHeight;
        }
        y += 2;
        text(FromUtf8(display_.differenceText), currentX, y);
        y += lineHeight;
        text(FromUtf8(display_.runningText), margin, y);
        y += lineHeight;
        text(FromUtf8(display_.conditionsText), margin, y);
        y += lineHeight + 2;
        return y;
    }

    const ProgressDisplay& display_;
    std::vector<wxRect> items_;
};

// ---------------------------------------------------------------------------

CalculationWindow* FindCalculationWindow(const VdxDocument* doc) {
    return FindDocumentWindow<CalculationWindow>(doc, DocWindow::Calculation);
}

CalculationWindow::CalculationWindow(VdxDocument* doc, int rounds, int tries, int extraTries, int difference)
    : wxFrame(nullptr, wxID_ANY, DocumentWindowTitle(doc, DocWindow::Calculation), wxDefaultPosition,
              wxSize(768, 525)),
      doc_(doc),
      rounds_(std::max(1, rounds)),
      tries_(std::max(1, tries)),
      extraTries_(std::max(0, extraTries)),
      startedAt_(SteadyMilliseconds()) {
    SetIcons(FrameIcon("fussball2"));
    BuildWindowMenusAndTools(this, CalcMenus(), CurrentMenuOptions());
    CreateStatusBar(2);
    BuildControls(rounds, tries, extraTries, difference);
    ReserveRowsHeight();
    display_.roundText = CurrentRoundText(0);
    SetStatusText(_("Calculating..."), 1);
    EnableCommand(kIdCalcThaw, false);
    EnableCommand(kIdCalcCloseWindow, false);
    EnableCommand(kIdCalculate, false);

    BindWindowMenuCommands(this);
    Bind(wxEVT_CLOSE_WINDOW, &CalculationWindow::OnClose, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        if (GetClientSize().y < neededClientHeight_)
            CallAfter([window = wxWeakRef<CalculationWindow>(this)] {
                if (window) window->KeepRowsInSight();
            });
    });
    Bind(wxEVT_MENU, &CalculationWindow::OnCommand, this, kIdCalcFreeze, kIdCalcHelp);
    Bind(wxEVT_MENU, &CalculationWindow::OnCommand, this, kIdCalculate);
}

CalculationWindow::~CalculationWindow() = default;

void CalculationWindow::BuildControls(int rounds, int tries, int extraTries, int difference) {
    auto* top = top_ = new wxPanel(this);
    auto* grid = new wxFlexGridSizer(4, wxSize(10, 2));
    grid->AddGrowableCol(1);
    auto addRow = [&](const wxString& label, int range, wxGauge** gauge, wxStaticText** count,
                      const wxString& total) {
        grid->Add(new wxStaticText(top, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        *gauge = new wxGauge(top, wxID_ANY, std::max(1, range), wxDefaultPosition, wxSize(-1, 14));
        grid->Add(*gauge, 1, wxEXPAND | wxALIGN_CENTER_VERTICAL);
        auto* countText = new wxStaticText(top, wxID_ANY, "", wxDefaultPosition, wxSize(60, -1),
                                           wxALIGN_RIGHT | wxST_NO_AUTORESIZE);
        grid->Add(countText, 0, wxALIGN_CENTER_VERTICAL);
        if (count) *count = countText;
        grid->Add(new wxStaticText(top, wxID_ANY, total), 0, wxALIGN_CENTER_VERTICAL);
    };
    addRow(_("Rounds passed"), rounds, &roundsGauge_, &roundsText_, wxString::Format("%d", rounds));
    if (extraTries >= 1)
        addRow(_("Extra Tries"), extraTries, &extraGauge_, nullptr, wxString::Format("%d", extraTries));
    addRow(_("Unsuccessful Tries"), tries, &unsuccessfulGauge_, nullptr, wxString::Format("%d", tries));
    grid->Add(new wxStaticText(top, wxID_ANY, ""));
    grid->Add(new wxStaticText(top, wxID_ANY, wxString::Format(_("(up to Difference %d)"), difference)));
    grid->Add(new wxStaticText(top, wxID_ANY, ""));
    grid->Add(new wxStaticText(top, wxID_ANY, ""));
    addRow(_("Tries"), 100, &triesGauge_, &triesText_, "");

    auto* topSizer = new wxBoxSizer(wxVERTICAL);
    topSizer->Add(grid, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 8);
    message_ = new wxStaticText(top, wxID_ANY, "");
    topSizer->Add(message_, 0, wxALL, 6);
    top->SetSizer(topSizer);

    panel_ = new ProgressPanel(this, display_);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(top, 0, wxEXPAND);
    sizer->Add(panel_, 1, wxEXPAND);
    SetSizer(sizer);
}

// The window may not be shorter than its rows need (14 matches with conditions
// need more than the default height), as far as the screen allows; below that
// the rows scroll.
void CalculationWindow::ReserveRowsHeight() {
    VdxDocument* doc = doc_.get();
    if (!doc) return;
    const PoolsDocument& data = doc->Data();
    // The rows the run will show: the conditions taking part and the equals levels.
    StateFigures shape;
    shape.valid = true;
    shape.matchCount = std::clamp(data.calcMatchCount > 0 ? data.calcMatchCount : data.matchCount, 0,
                                  kEqualsLevels - 1);
    shape.equalsLimit = data.conditionLimit;
    for (int which = 0; which < 3; ++which) shape.conditions[which] = ConditionInCalculation(data, which) != 0;
    display_.rows = MakeProgressRows(shape, shape, 0, data.zeroForDraw);
    display_.bestRound = -1;
    display_.differenceText = DifferenceText(0);
    display_.runningText = "-";
    display_.conditionsText = "-";
    const int rowsHeight = panel_->ContentHeight();
    display_ = ProgressDisplay();

    const int screen = wxDisplay::GetFromWindow(this);
    const wxRect area = wxDisplay(screen == wxNOT_FOUND ? 0u : static_cast<unsigned>(screen)).GetClientArea();
    // Room for the frame's bars and decorations, which are not all known yet.
    const int bars = GetSize().y - GetClientSize().y + 40;
    neededClientHeight_ = std::min(top_->GetBestSize().y + rowsHeight, area.height - bars);
    KeepRowsInSight();
}

// Also after every change of size: the window manager's frame extents come
// after the first showing and take their height from the client area.
void CalculationWindow::KeepRowsInSight() {
    if (IsMaximized() || IsFullScreen() || GetClientSize().y >= neededClientHeight_) return;
    SetMinClientSize(wxSize(-1, neededClientHeight_));
    SetClientSize(GetClientSize().x, neededClientHeight_);
}

void CalculationWindow::EnableCommand(int id, bool enable) {
    if (wxMenuBar* bar = GetMenuBar())
        if (bar->FindItem(id)) bar->Enable(id, enable);
    if (wxToolBar* tools = GetToolBar())
        if (tools->FindById(id)) tools->EnableTool(id, enable);
}

bool CalculationWindow::CommandEnabled(int id) const {
    const wxMenuBar* bar = GetMenuBar();
    const wxMenuItem* item = bar ? bar->FindItem(id) : nullptr;
    return item && item->IsEnabled();
}

StopRequests CalculationWindow::Requests() const {
    StopRequests requests;
    requests.noMoreRounds = noMoreRounds_;
    requests.stopRound = stopRound_;
    requests.stopCalculation = stopCalculation_;
    return requests;
}

wxString CalculationWindow::StatusText(int field) const {
    const wxStatusBar* bar = GetStatusBar();
    return bar ? bar->GetStatusText(field) : wxString();
}

std::vector<wxRect> CalculationWindow::ProgressItemsOnScreen() const {
    std::vector<wxRect> items;
    for (const wxRect& item : panel_->Items())
        items.emplace_back(panel_->ClientToScreen(panel_->CalcScrolledPosition(item.GetPosition())), item.GetSize());
    return items;
}

wxWindow* CalculationWindow::ProgressArea() const { return panel_; }

wxString CalculationWindow::Message() const { return message_->GetLabel(); }

int CalculationWindow::RoundsGaugeValue() const { return roundsGauge_->GetValue(); }

// The stop commands are live while the run goes on and the display shows it.
void CalculationWindow::Freeze(bool frozen) {
    if (!running_) return;
    frozen_ = frozen;
    EnableCommand(kIdCalcFreeze, !frozen);
    EnableCommand(kIdCalcThaw, frozen);
    const bool stopping = stopCalculation_;
    EnableCommand(kIdCalcNoMoreRounds, !frozen && !stopping && !noMoreRounds_);
    EnableCommand(kIdCalcStopRound, !frozen && !stopping && !stopRound_);
    EnableCommand(kIdCalcStopCalculation, !frozen && !stopping);
    if (frozen) {
        SetStatusText(_(" (frozen window)"), 1);
        return;
    }
    SetStatusText(_("Calculating..."), 1);
    roundsGauge_->SetValue(std::min(roundsPassed_, roundsGauge_->GetRange()));
    roundsText_->SetLabel(wxString::Format("%d", roundsPassed_));
    UpdateDisplay();
}

void CalculationWindow::UpdateConditionsText() {
    // Read once the run has settled which conditions take part.
    if (VdxDocument* doc = doc_.get()) display_.conditionsText = ConditionsSummary(doc->Data());
}

void CalculationWindow::UpdateDisplay() {
    bool zeroForDraw = false;
    if (VdxDocument* doc = doc_.get()) zeroForDraw = doc->Data().zeroForDraw;
    display_.rows = MakeProgressRows(best_, current_, finished_ ? 0 : markedLevel_, zeroForDraw);
    display_.bestRound = bestRound_;
    display_.finished = finished_;
    display_.roundText = finished_ ? _("Calculation finished").utf8_string() : CurrentRoundText(currentRound_);
    panel_->Relayout();
}

void CalculationWindow::UpdateCounters(const DistributionState& state) {
    const int j = std::max(0, state.triesSinceImprovement);
    unsuccessfulGauge_->SetValue(std::min(j, unsuccessfulGauge_->GetRange()));
    if (extraGauge_) {
        // Tries beyond the ordinary limit use up the extra ones.
        const int used = state.extraTriesGiven ? j - (state.triesLimit - state.extraTries) : 0;
        extraGauge_->SetValue(std::clamp(used, 0, extraGauge_->GetRange()));
    }
    triesGauge_->SetValue(static_cast<int>(state.totalTries % (triesGauge_->GetRange() + 1)));
    triesText_->SetLabel(wxString::Format("%ld", state.totalTries));
}

void CalculationWindow::Finish(const wxString& elapsed) {
    running_ = false;
    stopCalculation_ = true; // lets the window close
    if (frozen_) {
        frozen_ = false;
        roundsGauge_->SetValue(std::min(roundsPassed_, roundsGauge_->GetRange()));
        roundsText_->SetLabel("");
    }
    finished_ = true;
    display_.runningText.clear();
    UpdateConditionsText();
    UpdateDisplay();
    for (wxGauge* gauge : {roundsGauge_, extraGauge_, unsuccessfulGauge_, triesGauge_})
        if (gauge) gauge->SetValue(0);
    for (int id : {int(kIdCalcFreeze), int(kIdCalcThaw), int(kIdCalcNoMoreRounds), int(kIdCalcStopRound),
                   int(kIdCalcStopCalculation)})
        EnableCommand(id, false);
    EnableCommand(kIdCalcCloseWindow, true);
    EnableCommand(kIdCalculate, true);
    message_->SetLabel(wxString::Format(_("Finished the calculation! time spent: %s"), elapsed));
    SetStatusText(wxString::Format(_("time spent: %s"), elapsed), 1);
    Layout();
    Refresh();
}

// From the pace of the rounds done; a few seconds' run needs no estimate.
void CalculationWindow::ShowTimeLeft(int roundsDone) {
    if (!running_) return;
    const long long elapsed = SteadyMilliseconds() - startedAt_;
    const long long left = RemainingMilliseconds(elapsed, roundsDone, rounds_);
    if (left < 0 || elapsed + left < kTimeLeftFromMs) return;
    message_->SetLabel(wxString::Format(_("Time left: about %s"), FromUtf8(DurationText(left))));
}

void CalculationWindow::OnCommand(wxCommandEvent& event) {
    switch (event.GetId()) {
    case kIdCalcFreeze:
        if (running_ && !frozen_) Freeze(true);
        break;
    case kIdCalcThaw:
        if (running_ && frozen_) Freeze(false);
        break;
    case kIdCalcCloseWindow:
        if (running_) {
            PlayWarningSound();
            break;
        }
        stopCalculation_ = true;
        Close();
        break;
    case kIdCalculate:
        if (running_) {
            PlayWarningSound();
            break;
        }
        // Run from outside this handler: the new run replaces this window.
        wxTheApp->CallAfter([doc = doc_] {
            if (doc) RunCalculateCommand(doc.get());
        });
        break;
    case kIdCalcNoMoreRounds:
        if (!running_ || frozen_) break;
        noMoreRounds_ = true;
        EnableCommand(kIdCalcNoMoreRounds, false);
        break;
    case kIdCalcStopRound:
        if (!running_ || frozen_) break;
        stopRound_ = true;
        EnableCommand(kIdCalcStopRound, false);
        break;
    case kIdCalcStopCalculation:
        if (!running_ || frozen_) break;
        stopCalculation_ = true;
        for (int id : {int(kIdCalcNoMoreRounds), int(kIdCalcStopRound), int(kIdCalcStopCalculation)})
            EnableCommand(id, false);
        break;
    case kIdCalcHelp: ShowHelpSection(HelpSection::Calculation); break;
    default: event.Skip();
    }
}

void CalculationWindow::OnClose(wxCloseEvent& event) {
    if (running_) {
        // Only the run itself may end; the user can ask it to stop.
        if (!frozen_ && !stopCalculation_ &&
            ShowMessage(_("Do you really want to stop the calculation?"), wxYES_NO | wxICON_QUESTION,
                        ProgramTitle(), this) == wxYES) {
            stopCalculation_ = true;
            for (int id : {int(kIdCalcNoMoreRounds), int(kIdCalcStopRound), int(kIdCalcStopCalculation)})
                EnableCommand(id, false);
        }
        if (event.CanVeto()) {
            event.Veto();
            return;
        }
        stopCalculation_ = true; // forced: the driver sees the window gone
    }
    Destroy();
}

void ForgetCalculationStatus(const VdxDocument* doc) {
    VdxApp* app = VdxApp::Get();
    wxFrame* frame = app ? app->Frame() : nullptr;
    if (!doc || !frame || !frame->GetStatusBar() || doc->Data().lastCalculationText.empty()) return;
    const wxString text = wxString::Format(_("Last calculation: time spent: %s"),
                                           wxString::FromUTF8(doc->Data().lastCalculationText.c_str()));
    // Another document's calculation may have written the field since.
    if (frame->GetStatusBar()->GetStatusText(0) == text) frame->SetStatusText(wxString(), 0);
}

// ---------------------------------------------------------------------------

CalculationDriver::CalculationDriver(CalculationWindow* window) : window_(window) {}

void CalculationDriver::Yield() {
    const long long now = SteadyMilliseconds();
    if (now - lastYield_ < kYieldIntervalMs) return;
    lastYield_ = now;
    // Yield(true) does nothing when the loop is already yielding, so a command
    // served here cannot nest another turn.
    if (wxTheApp) wxTheApp->Yield(true);
}

StopRequests CalculationDriver::Requests() const {
    if (CalculationWindow* w = window_.get()) return w->Requests();
    StopRequests gone;
    gone.stopCalculation = true;
    return gone;
}

void CalculationDriver::NoMoreRoundsTaken() {
    CalculationWindow* w = window_.get();
    if (!w) return;
    w->noMoreRounds_ = true;
    w->EnableCommand(kIdCalcNoMoreRounds, false);
}

void CalculationDriver::StopRoundServed() {
    CalculationWindow* w = window_.get();
    if (!w) return;
    w->stopRound_ = false;
    if (!w->frozen_ && !w->stopCalculation_) {
        w->EnableCommand(kIdCalcStopRound, true);
        w->EnableCommand(kIdCalcStopCalculation, true);
    }
}

void CalculationDriver::ConstructionEnded(const DistributionState& state) {
    CalculationWindow* w = window_.get();
    if (!w || w->frozen_) return;
    w->current_ = StateFigures::Of(state);
    w->markedLevel_ = 0;
    w->UpdateCounters(state);
    w->UpdateDisplay();
}

void CalculationDriver::Improved(const DistributionState& state, int level) {
    CalculationWindow* w = window_.get();
    if (!w || w->frozen_) return;
    w->current_ = StateFigures::Of(state);
    w->markedLevel_ = level;
    if (state.best) {
        w->display_.differenceText = DifferenceText(DifferenceToBest(state, *state.best));
        if (!w->best_.valid) w->best_ = StateFigures::Of(*state.best);
    }
    w->UpdateCounters(state);
    w->UpdateDisplay();
}

void CalculationDriver::TriesPassed(const DistributionState& state, long) {
    CalculationWindow* w = window_.get();
    if (!w || w->frozen_) return;
    w->UpdateCounters(state);
}

void CalculationDriver::RoundEnded(int roundIndex, const DistributionState& best) {
    CalculationWindow* w = window_.get();
    if (!w) return;
    w->roundsPassed_ = roundIndex + 1;
    w->best_ = StateFigures::Of(best);
    w->bestRound_ = best.roundIndex;
    w->SetStatusText(FromUtf8(RoundsPassedText(roundIndex + 1, w->rounds_, best.roundIndex, w->frozen_)), 1);
    w->ShowTimeLeft(roundIndex + 1);
    if (w->frozen_) return;
    w->roundsGauge_->SetValue(std::min(roundIndex + 1, w->roundsGauge_->GetRange()));
    w->roundsText_->SetLabel(wxString::Format("%d", roundIndex + 1));
    w->UpdateDisplay();
}

void CalculationDriver::RoundStarting(int roundIndex) {
    CalculationWindow* w = window_.get();
    if (!w) return;
    w->currentRound_ = roundIndex;
    w->markedLevel_ = 0;
    if (roundIndex == 0) w->UpdateConditionsText();
    if (w->frozen_) return;
    w->triesGauge_->SetValue(0);
    w->triesText_->SetLabel("0");
    w->UpdateDisplay();
}

void CalculationDriver::RoundsRunning(const std::vector<RunningRound>& rounds) {
    CalculationWindow* w = window_.get();
    if (!w || w->frozen_) return;
    std::string text = RunningRoundsText(rounds);
    if (text == w->display_.runningText) return;
    w->display_.runningText = std::move(text);
    w->panel_->Refresh();
}

void CalculationDriver::Log(const std::string& line) { AppLog(FromUtf8(line)); }

} // namespace vdx::gui
