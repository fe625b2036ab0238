#pragma once
// The "Calculate" command without its window: the checks before a calculation,
// the loop over the rounds that keeps the best distribution, and the write-back
// of the best into the document. The GUI's calculation window and vdxtool both
// drive it; they see the run through CalculationProgress.

#include "calc/DeepSearch.h"
#include "calc/DistributionState.h"
#include "calc/EngineRandom.h"
#include "calc/Progress.h"
#include "document/PoolsDocument.h"

#include <array>
#include <functional>
#include <string>

namespace vdx {

// Texts of the start checks (English; the check functions return them translated).
extern const char* const kTextTooFewMatches;
extern const char* const kTextUnsavedWillBeLost;
extern const char* const kTextUnsavedNewConditions;
extern const char* const kTextNoImprovement;
extern const char* const kTextEngineFault;
// "Chances or odds of only %d of %d matches\nare specified. Calculate nevertheless?"
std::string PartialDataQuestion(int matchesWithData, int matchCount);

// Why a calculation does not start from a document, beyond the questions.
enum class CalcRefusal {
    kNone,
    kTooFewMatches,    // fewer than two matches with chances or odds
    kBadSize,          // matches or lines outside 2..14 and 1..1000
    kBadProbability,   // a probability outside 0..1000, or P(1) + P(2) above 1000
    kLinesDoNotFit,    // lines marked as current that do not fit the counts they claim
    kEngineFault,      // the engine could not place the planned tips (never for a checked document)
};

struct InputCheck {
    CalcRefusal refusal = CalcRefusal::kNone;
    std::string message; // one sentence (or two) for the user; empty for kNone
};

// Everything the engine relies on in the document it starts from: sizes,
// probabilities and, while the lines count as current, lines that fit their
// counts. The engine would loop or index past its tables otherwise.
InputCheck CheckCalculationInput(const PoolsDocument& doc);

enum class StartQuestion {
    kPartialData,          // titled with the document window's title
    kUnsavedWillBeLost,
    kUnsavedNewConditions,
};

enum class StartVerdict {
    kAlreadyRunning, // a calculation of this document runs: do nothing
    kRefused,        // show message (information box) and stop
    kDeclined,       // the user answered a question with No
    kCalculate,
};

struct StartCheck {
    StartVerdict verdict = StartVerdict::kCalculate;
    std::string message; // for kRefused
};

// Answers one question with Yes (true) or No.
using StartQuestionHandler = std::function<bool(StartQuestion, const std::string& text)>;

// The checks before a calculation, asking the questions in order through ask.
// A document that fails CheckCalculationInput is refused before any question.
// On kCalculate calcMatchCount holds the number of matches with data.
StartCheck CheckCalculationStart(PoolsDocument& doc, const StartQuestionHandler& ask);

struct CalcOptions {
    // Overrides of the document's options for this run; -1 keeps the document's.
    // Values out of range are clamped (rounds 1..1000, tries 2..10000,
    // extra tries 0..10000, difference 0..100).
    int rounds = -1;
    int unsuccessfulTries = -1;
    int extraTries = -1;
    int difference = -1;
    // Seconds of the deeper search after the rounds; -1 keeps the document's.
    int searchSeconds = -1;
    // Seed every round with its index + 7 instead of seeding once from the clock.
    bool resetRandom = false;
    // Named in the log lines.
    std::string documentTitle;
    // The generator to draw from; null means the program's one generator.
    EngineRandom* random = nullptr;
    // Rounds side by side on this many worker threads; 0: one per processor.
    // One thread runs the rounds in the calling thread unless keepCallerFree is
    // set. With resetRandom the lines are the same for every number.
    int threads = 1;
    // The calling thread only shows the progress and passes the requests on
    // (the GUI thread, which must stay responsive).
    bool keepCallerFree = false;
};

struct CalcResult {
    bool ran = false;          // false: already calculating or refused
    CalcRefusal refusal = CalcRefusal::kNone; // why it did not run (kNone: already calculating)
    std::string message;       // the refusal for the user
    bool improved = false;     // false: the old distribution stayed
    int bestRound = -1;        // round index of the best, -1 for the old distribution
    int roundsPassed = 0;
    int rounds = 0;            // rounds planned
    int threads = 1;           // worker threads used (1 also for the calling thread)
    long totalTries = 0;       // over all rounds
    long long elapsedMilliseconds = 0;
    SearchOutcome search;      // the deeper search after the rounds
    std::string timeSpentText; // also in doc.lastCalculationText
    // The best's recorded figures, as the window shows them at the end.
    int matchesWithData = 0;   // M: the equals histogram has levels 0..M
    int lineCount = 0;
    int duplicateMatchCount = 0; // K
    std::array<bool, 3> conditions{}; // which conditions took part
    Histogram equalsHistogram{};
    int duplicatePairs = 0;
    std::array<Histogram, 2> violations{};
};

// Runs a calculation of doc and writes the best distribution back; a stop
// request at any moment leaves the best found so far written back exactly as
// after a full run. Does not ask questions: run CheckCalculationStart first.
// A document that fails CheckCalculationInput is refused unchanged.
CalcResult RunCalculation(PoolsDocument& doc, const CalcOptions& options = CalcOptions(),
                          CalculationProgress* progress = nullptr);

// Seed of a calculation started at the given wall-clock time:
// seconds since 1970 times 1024 plus the millisecond, modulo 2^32.
uint32_t ClockSeed(long long millisecondsSinceEpoch);

} // namespace vdx
