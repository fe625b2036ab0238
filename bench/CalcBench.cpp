// vdxbench: how fast the engine builds and improves distributions.
//
// Three generated rounds with fixed seeds (12 x 20, 13 x 100, 14 x 1000 lines)
// are timed for the construction of one round, the improvement tries per
// second, and - for the two smaller ones - a whole calculation with the
// default options. Tries per second and the whole calculation are measured on
// one thread and on one thread per processor, side by side. The table compares
// each figure with its target.
//
//   vdxbench [--quick] [--seconds S]
//     --quick      skip the whole calculation of 13 x 100
//     --seconds S  time spent improving per case (default 3)

#include "calc/CalculationRun.h"
#include "calc/Engine.h"
#include "calc/Improvement.h"
#include "calc/RoundsRunner.h"
#include "calc/SampleRound.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Ends the improvement phase once its time is up.
class TimeBudget : public vdx::CalculationProgress {
public:
    explicit TimeBudget(double seconds) : seconds_(seconds) {}
    void Start() { start_ = Clock::now(); }
    vdx::StopRequests Requests() const override {
        vdx::StopRequests r;
        r.stopCalculation = SecondsSince(start_) >= seconds_;
        return r;
    }

private:
    double seconds_;
    Clock::time_point start_ = Clock::now();
};

struct Case {
    int matches, lines;
    uint32_t seed;
    double constructionTarget; // seconds, 0 = none
    double triesTarget;        // per second on one thread, 0 = none
    bool wholeCalculation;
    double wholeTarget;        // seconds on one thread, 0 = none
    double wholeTargetAll;     // seconds on every processor, 0 = none
};

struct Figures {
    double construction = 0;
    double triesPerSecond = 0;
    double triesPerSecondAll = 0;
    long tries = 0;
    double whole = -1, wholeAll = -1;
    int wholeRounds = 0;
    long wholeTries = 0;
    bool sameLines = true;
};

// A whole calculation with the default options; the lines for comparing.
double WholeCalculation(const vdx::PoolsDocument& doc, vdx::EngineRandom& random, int threads,
                        vdx::CalcResult& result, vdx::PoolsDocument& calc) {
    calc = doc;
    calc.rounds = 100;
    calc.unsuccessfulTries = 1000;
    calc.extraTries = 1000;
    calc.upToDifference = 5;
    vdx::CalcOptions options;
    options.resetRandom = true;
    options.random = &random;
    options.threads = threads;
    const auto start = Clock::now();
    result = vdx::RunCalculation(calc, options);
    return SecondsSince(start);
}

// Tries per second of rounds side by side on every processor: as many rounds
// as threads, improving until the time is up (their constructions included).
double TriesPerSecondAll(const vdx::PoolsDocument& doc, double seconds) {
    vdx::PoolsDocument calc = doc;
    const int threads = vdx::WorkerThreads(0);
    calc.rounds = threads;
    calc.unsuccessfulTries = 10000;
    calc.extraTries = 10000;
    calc.upToDifference = 100;
    vdx::CalcOptions options;
    options.resetRandom = true;
    options.threads = threads;
    options.keepCallerFree = true;
    TimeBudget budget(seconds);
    budget.Start();
    const auto start = Clock::now();
    const vdx::CalcResult result = vdx::RunCalculation(calc, options, &budget);
    const double elapsed = SecondsSince(start);
    return elapsed > 0 ? static_cast<double>(result.totalTries) / elapsed : 0;
}

vdx::StateOptions BenchOptions(const vdx::PoolsDocument& doc) {
    vdx::StateOptions o = vdx::StateOptionsFromDocument(doc, 0);
    // Never run out of tries: the time budget ends the phase.
    o.triesLimit = 1000000;
    o.extraTries = 0;
    return o;
}

Figures Measure(const Case& c, double improveSeconds, bool whole) {
    Figures f;
    const vdx::PoolsDocument doc = vdx::MakeSampleRound(c.matches, c.lines, c.seed);
    vdx::EngineRandom random;
    random.Seed(c.seed * 7919u + 1u);
    vdx::EngineContext ctx(random);
    ctx.verifyTables = false;
    auto state = std::make_unique<vdx::DistributionState>();

    // Construction: repeat until about half a second has passed, at least twice.
    int constructions = 0;
    double constructionTime = 0;
    while (constructions < 2 || (constructionTime < 0.5 && constructions < 1000)) {
        vdx::InitState(*state, BenchOptions(doc), nullptr);
        vdx::PrepareState(*state, doc);
        const auto start = Clock::now();
        vdx::ConstructDistribution(*state, ctx);
        constructionTime += SecondsSince(start);
        ++constructions;
    }
    f.construction = constructionTime / constructions;

    // Improvement of the last construction for a fixed time.
    TimeBudget budget(improveSeconds);
    ctx.progress = &budget;
    budget.Start();
    const auto start = Clock::now();
    vdx::ImproveDistribution(*state, ctx);
    const double improving = SecondsSince(start);
    ctx.progress = nullptr;
    f.tries = state->totalTries;
    f.triesPerSecond = improving > 0 ? static_cast<double>(f.tries) / improving : 0;

    f.triesPerSecondAll = TriesPerSecondAll(doc, improveSeconds);

    if (whole) {
        vdx::CalcResult one, all;
        vdx::PoolsDocument oneDoc, allDoc;
        f.whole = WholeCalculation(doc, random, 1, one, oneDoc);
        f.wholeAll = WholeCalculation(doc, random, 0, all, allDoc);
        f.wholeRounds = one.roundsPassed;
        f.wholeTries = one.totalTries;
        for (int m = 0; m < doc.matchCount; ++m)
            f.sameLines &= oneDoc.matches[m].tips == allDoc.matches[m].tips;
        f.sameLines &= one.totalTries == all.totalTries;
    }
    return f;
}

std::string Verdict(bool ok) { return ok ? "ok" : "MISSED"; }

} // namespace

int main(int argc, char** argv) {
    bool quick = false;
    double seconds = 3.0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            quick = true;
        } else if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
            seconds = std::max(0.1, std::atof(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: vdxbench [--quick] [--seconds S]\n");
            return 2;
        }
    }

    const Case cases[] = {
        {12, 20, 1201, 0, 0, true, 2.0, 1.2},
        {13, 100, 1301, 0, 5000, true, 0, 0},
        {14, 1000, 1401, 1.0, 250, false, 0, 0},
    };

    const int threads = vdx::WorkerThreads(0);
    std::printf("one thread and %d threads (one per processor), side by side\n", threads);
    std::printf("%-9s %13s %9s %9s %9s %12s %9s %9s %11s %9s\n", "round", "construction", "target", "tries/s 1",
                "target", "tries/s all", "whole 1", "target", "whole all", "target");
    bool allMet = true;
    for (const Case& c : cases) {
        const bool whole = c.wholeCalculation && !(quick && c.lines > 20);
        const Figures f = Measure(c, seconds, whole);
        const std::string name = std::to_string(c.matches) + "x" + std::to_string(c.lines);
        auto target = [&allMet](double limit, double value, bool below, char* out, size_t size) {
            if (limit <= 0 || value < 0) {
                std::snprintf(out, size, "-");
                return;
            }
            const bool ok = below ? value < limit : value >= limit;
            allMet &= ok;
            std::snprintf(out, size, below ? "<%.1f s %s" : ">=%.0f %s", limit, Verdict(ok).c_str());
        };
        char construction[32], constructionTarget[32], tries[32], triesTarget[32], triesAll[32], wholeText[32],
            wholeTarget[32], wholeAllText[32], wholeAllTarget[32];
        std::snprintf(construction, sizeof construction, "%.3f ms", f.construction * 1000);
        target(c.constructionTarget, f.construction, true, constructionTarget, sizeof constructionTarget);
        std::snprintf(tries, sizeof tries, "%.0f", f.triesPerSecond);
        target(c.triesTarget, f.triesPerSecond, false, triesTarget, sizeof triesTarget);
        std::snprintf(triesAll, sizeof triesAll, "%.0f", f.triesPerSecondAll);
        std::snprintf(wholeText, sizeof wholeText, f.whole >= 0 ? "%.2f s" : "-", f.whole);
        target(c.wholeTarget, f.whole, true, wholeTarget, sizeof wholeTarget);
        std::snprintf(wholeAllText, sizeof wholeAllText, f.wholeAll >= 0 ? "%.2f s" : "-", f.wholeAll);
        target(c.wholeTargetAll, f.wholeAll, true, wholeAllTarget, sizeof wholeAllTarget);
        std::printf("%-9s %13s %9s %9s %9s %12s %9s %9s %11s %9s\n", name.c_str(), construction, constructionTarget,
                    tries, triesTarget, triesAll, wholeText, wholeTarget, wholeAllText, wholeAllTarget);
        if (f.whole >= 0) {
            std::printf("%-9s whole calculation: %d rounds, %ld tries, %s lines on 1 and %d threads\n", "",
                        f.wholeRounds, f.wholeTries, f.sameLines ? "the same" : "DIFFERENT", threads);
            allMet &= f.sameLines;
        }
        std::fflush(stdout);
    }
    std::printf("%s\n", allMet ? "all targets met" : "some targets missed");
    return allMet ? 0 : 1;
}
