#pragma once
// The calculation window of a pools document: shows the progress of a running
// calculation and takes the user's requests to freeze the display and to stop.
// The run itself is RunCalculateCommand's; the window serves it through
// Progress().

#include "calc/ProgressRows.h"
#include "calc/Progress.h"

#include <wx/frame.h>
#include <wx/gdicmn.h>
#include <wx/weakref.h>

#include <string>
#include <vector>

class VdxDocument;
class wxGauge;
class wxPanel;
class wxStaticText;

namespace vdx::gui {

class ProgressPanel;
class CalculationWindow;

// What the progress panel draws besides the gauges.
struct ProgressDisplay {
    std::vector<ProgressRow> rows;
    int bestRound = -2;   // below -1: no best yet
    bool finished = false;
    std::string roundText;      // "Current Round: %d" or "Calculation finished"
    std::string differenceText;
    std::string runningText;    // the rounds running side by side
    std::string conditionsText;
};

// Serves a running calculation for the window: passes the engine's progress
// on and gives the event loop its turns. Outlives the window safely: without
// a window it asks the run to stop.
class CalculationDriver : public CalculationProgress {
public:
    explicit CalculationDriver(CalculationWindow* window);

    void Yield() override;
    StopRequests Requests() const override;
    void NoMoreRoundsTaken() override;
    void StopRoundServed() override;
    void ConstructionEnded(const DistributionState& state) override;
    void Improved(const DistributionState& state, int level) override;
    void TriesPassed(const DistributionState& state, long tries) override;
    void RoundEnded(int roundIndex, const DistributionState& best) override;
    void RoundStarting(int roundIndex) override;
    void RoundsRunning(const std::vector<RunningRound>& rounds) override;
    void Log(const std::string& line) override;

private:
    wxWeakRef<CalculationWindow> window_;
    long long lastYield_ = 0; // steady clock, milliseconds
};

// The window's own command ids (the calculate command keeps the document's).
enum CalculationCommandId : int {
    kIdCalcFreeze = 7230,
    kIdCalcThaw,
    kIdCalcCloseWindow,
    kIdCalcNoMoreRounds,
    kIdCalcStopRound,
    kIdCalcStopCalculation,
    kIdCalcHelp,
};

class CalculationWindow : public wxFrame {
public:
    // rounds, tries, extraTries, difference: the options of the coming run.
    CalculationWindow(VdxDocument* doc, int rounds, int tries, int extraTries, int difference);
    ~CalculationWindow() override;

    VdxDocument* Document() const { return doc_.get(); }

    // The run is over: commands for the finished state, the message line and status;
    // elapsed is the time the run took, "h:mm:ss,hh".
    void Finish(const wxString& elapsed);

    bool Running() const { return running_; }
    bool Frozen() const { return frozen_; }
    StopRequests Requests() const;
    void Freeze(bool frozen);

    // Whether a command of the window is enabled now (menu and toolbar agree).
    bool CommandEnabled(int id) const;

    // For tests and the status line: what the display shows now.
    const ProgressDisplay& Display() const { return display_; }
    wxString StatusText(int field) const;
    wxString Message() const;
    // Every text and bar the progress area drew last, in screen coordinates.
    std::vector<wxRect> ProgressItemsOnScreen() const;
    wxWindow* ProgressArea() const;
    int RoundsGaugeValue() const;

private:
    friend class CalculationDriver;

    void BuildControls(int rounds, int tries, int extraTries, int difference);
    void EnableCommand(int id, bool enable);
    void UpdateDisplay(); // the rows and texts from the figures kept
    void UpdateConditionsText();
    void ReserveRowsHeight();
    void KeepRowsInSight();
    void UpdateCounters(const DistributionState& state);
    void ShowRoundsPassed(int passed);
    void ShowTimeLeft(int roundsDone);

    void OnClose(wxCloseEvent& event);
    void OnCommand(wxCommandEvent& event);

    wxWeakRef<VdxDocument> doc_;

    // The requests: each 0 or 1.
    bool noMoreRounds_ = false;
    bool stopRound_ = false;
    bool stopCalculation_ = false;
    bool frozen_ = false;
    bool running_ = true;
    bool finished_ = false;

    int neededClientHeight_ = 0; // the gauges and every row
    int rounds_ = 1;
    int tries_ = 1;
    int extraTries_ = 0;
    long long startedAt_ = 0; // steady clock, milliseconds
    int roundsPassed_ = 0;
    int currentRound_ = 0;   // from 0
    int bestRound_ = -2;     // below -1: no best yet
    int markedLevel_ = 0;
    StateFigures best_;
    StateFigures current_;
    ProgressDisplay display_;

    wxGauge* roundsGauge_ = nullptr;
    wxStaticText* roundsText_ = nullptr;
    wxGauge* extraGauge_ = nullptr;
    wxGauge* unsuccessfulGauge_ = nullptr;
    wxGauge* triesGauge_ = nullptr;
    wxStaticText* triesText_ = nullptr;
    wxStaticText* message_ = nullptr;
    wxPanel* top_ = nullptr; // the gauges above the rows
    ProgressPanel* panel_ = nullptr;
};

// The document closes: the main frame's status no longer tells of its last calculation.
void ForgetCalculationStatus(const VdxDocument* doc);

// The document's calculation window, or nullptr.
CalculationWindow* FindCalculationWindow(const VdxDocument* doc);

} // namespace vdx::gui
