// vdxtool calc: calculates the lines of a pools document without the window.

#include "Commands.h"

#include "calc/CalcFigures.h"
#include "calc/CalculationRun.h"
#include "calc/Conditions.h"
#include "calc/DistributionState.h"
#include "document/SafeSave.h"
#include "document/VdxFile.h"
#include "options/OptionLimits.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const char kUsage[] =
    "Usage: vdxtool calc IN.vdx [-o OUT.vdx] [--rounds N] [--tries N] [--extra N]\n"
    "                    [--difference N] [--threads N] [--search S] [--repeatable] [--answer-no]\n"
    "Calculates the distribution of the tips of the pools document IN.vdx with\n"
    "its own options and prints the figures of the best distribution.\n"
    "\n"
    "  -o OUT.vdx       write the document with the new lines to OUT.vdx\n"
    "                   (without -o nothing is written)\n"
    "  --rounds N       rounds, %d..%d\n"
    "  --tries N        unsuccessful tries, %d..%d\n"
    "  --extra N        extra tries, %d..%d\n"
    "  --difference N   extra tries up to this difference, %d..%d\n"
    "                   (these four replace the document's options for this run;\n"
    "                   the options stored in the document stay as they are)\n"
    "  --threads N      run the rounds on N threads, 1..64 (default: one per\n"
    "                   processor); with --repeatable the lines are the same\n"
    "                   for every N\n"
    "  --search S       search further for S seconds after the rounds, 0..3600\n"
    "                   (0, the default, keeps the classic calculation); with\n"
    "                   --repeatable the search counts steps instead of time\n"
    "  --repeatable     reset the random generator for every round, so that\n"
    "                   the same document always gives the same lines\n"
    "  --answer-no      answer No to the questions the program asks before a\n"
    "                   calculation (partly specified matches, unsaved lines):\n"
    "                   nothing is calculated and the exit status is 1.\n"
    "                   Without it they are answered Yes, with a note on stderr.\n"
    "\n"
    "Ctrl+C stops the calculation; the best distribution found so far is kept\n"
    "and written as after a full run.\n"
    "Exit status: 0 done, 1 failure or refusal, 2 wrong arguments.\n";

volatile std::sig_atomic_t gStopRequested = 0;

long long MonotonicMilliseconds() {
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Only the handler touches this; SIGINT is blocked while it runs.
long long gFirstInterruptMs = 0;

// Ctrl+C once asks the calculation to stop; a second one ends the program as
// usual. The same interrupt often arrives twice at once (sent to the process
// and to its process group, e.g. by timeout(1)), so a repeat within a second
// counts as the first one.
extern "C" void OnInterrupt(int) {
    const long long now = MonotonicMilliseconds();
    if (!gStopRequested) {
        gFirstInterruptMs = now;
        gStopRequested = 1;
        return;
    }
    if (now - gFirstInterruptMs < 1000) return;
    std::signal(SIGINT, SIG_DFL);
    std::raise(SIGINT);
}

class InterruptGuard {
public:
    InterruptGuard() {
        gStopRequested = 0;
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        installed_ = sigaction(SIGINT, &action, &previous_) == 0;
    }
    ~InterruptGuard() {
        if (installed_) sigaction(SIGINT, &previous_, nullptr);
    }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    struct sigaction previous_ {};
    bool installed_ = false;
};

class TerminalProgress : public vdx::CalculationProgress {
public:
    TerminalProgress(int rounds, bool showLine) : rounds_(rounds), showLine_(showLine) {}
    ~TerminalProgress() override { EndLine(); }

    vdx::StopRequests Requests() const override {
        vdx::StopRequests requests;
        requests.stopCalculation = gStopRequested != 0;
        return requests;
    }
    void RoundStarting(int roundIndex) override {
        round_ = roundIndex;
        Show(true);
    }
    void TriesPassed(const vdx::DistributionState&, long) override { Show(false); }
    void RoundEnded(int roundIndex, const vdx::DistributionState& best) override {
        passed_ = roundIndex + 1;
        round_ = passed_; // the next one, if any
        bestRound_ = best.roundIndex;
        bestTop_ = vdx::TopEntry(best.equalsHistogram);
        bestTopPairs_ = bestTop_ >= 0 ? best.equalsHistogram[bestTop_] : 0;
        Show(true);
    }
    void Searching(const vdx::SearchReport& report, const vdx::DistributionState& best) override {
        if (!showLine_) return;
        const int top = vdx::TopEntry(best.equalsHistogram);
        char line[120];
        if (report.epochsPlanned > 0)
            std::snprintf(line, sizeof line, "deeper search: epoch %d of %d; top level %d equals: %d pairs",
                          report.epochsDone, report.epochsPlanned, top, top >= 0 ? best.equalsHistogram[top] : 0);
        else
            std::snprintf(line, sizeof line, "deeper search: %lld of %lld s; top level %d equals: %d pairs",
                          report.elapsedMilliseconds / 1000, report.plannedMilliseconds / 1000, top,
                          top >= 0 ? best.equalsHistogram[top] : 0);
        std::fprintf(stderr, "\r%-78s", line);
        std::fflush(stderr);
        lineShown_ = true;
    }
    void EndLine() {
        if (lineShown_) std::fputc('\n', stderr);
        lineShown_ = false;
    }

private:
    void Show(bool force) {
        if (!showLine_) return;
        const auto now = std::chrono::steady_clock::now();
        if (!force && now - lastShown_ < std::chrono::milliseconds(200)) return;
        lastShown_ = now;
        std::string line = vdx::RoundsPassedText(passed_, rounds_, passed_ > 0 ? bestRound_ : -2, false);
        if (passed_ > 0 && bestTop_ >= 0)
            line += "; top level " + std::to_string(bestTop_) + " equals: " + std::to_string(bestTopPairs_) + " pairs";
        if (passed_ < rounds_ && !gStopRequested) line += "; " + vdx::CurrentRoundText(round_);
        std::fprintf(stderr, "\r%-78s", line.c_str());
        std::fflush(stderr);
        lineShown_ = true;
    }

    int rounds_;
    bool showLine_;
    bool lineShown_ = false;
    int round_ = 0, passed_ = 0, bestRound_ = -2, bestTop_ = -1, bestTopPairs_ = 0;
    std::chrono::steady_clock::time_point lastShown_{};
};

struct CalcArguments {
    std::string input, output;
    vdx::CalcOptions options;
    bool answerNo = false;
};

// The flags' ranges are the options' own.
void PrintUsage(std::FILE* stream) {
    using namespace vdx::option;
    std::fprintf(stream, kUsage, kRounds.minimum, kRounds.maximum, kUnsuccessfulTries.minimum,
                 kUnsuccessfulTries.maximum, kExtraTries.minimum, kExtraTries.maximum, kDifference.minimum,
                 kDifference.maximum);
}

bool ParseNumber(const std::string& text, int low, int high, int& value) {
    if (text.empty() || text.size() > 6) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    value = std::atoi(text.c_str());
    return value >= low && value <= high;
}

// 0 parsed, 2 wrong arguments (message printed), -1 help printed.
int ParseArguments(const std::vector<std::string>& args, CalcArguments& parsed) {
    struct NumberOption {
        const char* name;
        int low, high;
        int* target;
    };
    const NumberOption numbers[] = {
        {"--rounds", vdx::option::kRounds.minimum, vdx::option::kRounds.maximum, &parsed.options.rounds},
        {"--tries", vdx::option::kUnsuccessfulTries.minimum, vdx::option::kUnsuccessfulTries.maximum,
         &parsed.options.unsuccessfulTries},
        {"--extra", vdx::option::kExtraTries.minimum, vdx::option::kExtraTries.maximum, &parsed.options.extraTries},
        {"--difference", vdx::option::kDifference.minimum, vdx::option::kDifference.maximum,
         &parsed.options.difference},
        {"--threads", 1, 64, &parsed.options.threads},
        {"--search", vdx::option::kSearchSeconds.minimum, vdx::option::kSearchSeconds.maximum,
         &parsed.options.searchSeconds},
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            PrintUsage(stdout);
            return -1;
        }
        if (a == "--repeatable") {
            parsed.options.resetRandom = true;
            continue;
        }
        if (a == "--answer-no") {
            parsed.answerNo = true;
            continue;
        }
        if (a == "-o") {
            if (i + 1 >= args.size() || !parsed.output.empty()) {
                std::fputs("vdxtool calc: -o needs one file name\n", stderr);
                return 2;
            }
            parsed.output = args[++i];
            continue;
        }
        const NumberOption* number = nullptr;
        for (const NumberOption& n : numbers)
            if (a == n.name) number = &n;
        if (number) {
            if (i + 1 >= args.size() || !ParseNumber(args[i + 1], number->low, number->high, *number->target)) {
                std::fprintf(stderr, "vdxtool calc: %s needs a number from %d to %d\n", number->name, number->low,
                             number->high);
                return 2;
            }
            ++i;
            continue;
        }
        if (!a.empty() && a[0] == '-') {
            std::fprintf(stderr, "vdxtool calc: unknown option '%s'\n", a.c_str());
            return 2;
        }
        if (!parsed.input.empty()) {
            std::fputs("vdxtool calc: only one input file\n", stderr);
            return 2;
        }
        parsed.input = a;
    }
    if (parsed.input.empty()) {
        PrintUsage(stderr);
        return 2;
    }
    return 0;
}

void PrintFigures(const vdx::PoolsDocument& doc, const vdx::CalcResult& r) {
    std::printf("Matches with data: %d, lines: %d, rounds passed: %d of %d, tries: %ld\n", r.matchesWithData,
                r.lineCount, r.roundsPassed, r.rounds, r.totalTries);
    std::printf("Equals  Pairs\n");
    for (int e = 0; e <= r.matchesWithData && e < vdx::kEqualsLevels; ++e)
        std::printf("%6d  %s\n", e, vdx::EqualsFigure(r.equalsHistogram[e]).c_str());
    const std::string summary = vdx::ConditionsSummary(doc);
    if (!summary.empty()) std::printf("Conditions: %s\n", summary.c_str());
    if (r.conditions[vdx::kSwitchDuplicates])
        std::printf("Duplicates: %s\n", vdx::DuplicateFigure(r.duplicatePairs).c_str());
    const char* const rangeNames[2] = {"1, X and 2", "Favourites"};
    for (int g = 0; g < 2; ++g)
        if (r.conditions[1 + g])
            std::printf("%s: %s\n", rangeNames[g], vdx::ViolationFigure(r.violations[g]).c_str());
    std::printf("%s\n", vdx::BestText(r.bestRound, true).c_str());
    if (!r.improved) std::printf("%s\n", vdx::kTextNoImprovement);
    std::printf("%s\n", r.timeSpentText.c_str());
}

} // namespace

int RunCalc(const std::vector<std::string>& args) {
    CalcArguments parsed;
    parsed.options.threads = 0; // one per processor unless told
    const int parseResult = ParseArguments(args, parsed);
    if (parseResult != 0) return parseResult < 0 ? 0 : parseResult;

    vdx::PoolsDocument doc;
    if (!ReadDocumentOrSay(parsed.input, doc)) return 1;
    // Found out now rather than after a calculation that may take minutes.
    if (!parsed.output.empty()) {
        const vdx::FileProblem target = vdx::CheckSaveTarget(parsed.output);
        if (target.known()) {
            std::fprintf(stderr, "Cannot write file %s\n%s\n", parsed.output.c_str(),
                         vdx::FileProblemText(target).c_str());
            return 1;
        }
    }

    const vdx::StartCheck check =
        vdx::CheckCalculationStart(doc, [&parsed](vdx::StartQuestion, const std::string& text) {
            std::fprintf(stderr, "%s\n%s\n", text.c_str(), parsed.answerNo ? "-> No" : "-> Yes");
            return !parsed.answerNo;
        });
    switch (check.verdict) {
    case vdx::StartVerdict::kCalculate: break;
    case vdx::StartVerdict::kRefused: std::fprintf(stderr, "%s\n", check.message.c_str()); return 1;
    default: return 1;
    }

    parsed.options.documentTitle = std::filesystem::path(parsed.input).filename().string();
    const int rounds = parsed.options.rounds > 0 ? parsed.options.rounds : doc.rounds;
    vdx::CalcResult result;
    {
        InterruptGuard interrupt;
        TerminalProgress progress(rounds, isatty(STDERR_FILENO) != 0);
        result = vdx::RunCalculation(doc, parsed.options, &progress);
        progress.EndLine();
    }
    if (!result.ran) {
        std::fprintf(stderr, "%s\n", result.message.empty() ? vdx::kTextTooFewMatches : result.message.c_str());
        return 1;
    }
    PrintFigures(doc, result);
    std::fflush(stdout);

    if (!parsed.output.empty()) {
        const vdx::WriteResult written = vdx::SaveVdxFile(parsed.output, doc);
        if (!written.ok) {
            std::fprintf(stderr, "Cannot write file %s\n", parsed.output.c_str());
            if (written.problem.known()) std::fprintf(stderr, "%s\n", vdx::FileProblemText(written.problem).c_str());
            return 1;
        }
        if (written.replacedCharacters)
            std::fprintf(stderr, "Some characters could not be saved in %s and were replaced by '?'.\n",
                         parsed.output.c_str());
    }
    return 0;
}
