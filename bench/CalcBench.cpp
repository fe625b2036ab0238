// vdxbench: how fast the engine builds and improves distributions.
//
// Three generated rounds with fixed seeds (12 x 20, 13 x 100, 14 x 1000 lines)
// are timed for the construction of one round, the improvement tries per
// second, and - for the two smaller ones - a whole calculation with the
// default options. The table compares each figure with its target.
//
//   vdxbench [--quick] [--seconds S]
//     --quick      skip the whole calculation of 13 x 100
//     --seconds S  time spent improving per case (default 3)

#include "calc/CalculationRun.h"
#include "calc/Engine.h"
#include "calc/Improvement.h"
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
    double triesTarget;        // per second, 0 = none
    bool wholeCalculation;
    double wholeTarget;        // seconds, 0 = none
};

struct Figures {
    double construction = 0;
    double triesPerSecond = 0;
    long tries = 0;
    double whole = -1;
    int wholeRounds = 0;
    long wholeTries = 0;
};

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

    if (whole) {
        vdx::PoolsDocument calc = doc;
        calc.rounds = 100;
        calc.unsuccessfulTries = 1000;
        calc.extraTries = 1000;
        calc.upToDifference = 5;
        vdx::CalcOptions options;
        options.resetRandom = true;
        options.random = &random;
        const auto wholeStart = Clock::now();
        const vdx::CalcResult result = vdx::RunCalculation(calc, options);
        f.whole = SecondsSince(wholeStart);
        f.wholeRounds = result.roundsPassed;
        f.wholeTries = result.totalTries;
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
        {12, 20, 1201, 0, 0, true, 3.0},
        {13, 100, 1301, 0, 5000, true, 0},
        {14, 1000, 1401, 1.0, 100, false, 0},
    };

    std::printf("%-9s %14s %10s %12s %10s %8s %14s %10s\n", "round", "construction", "target", "tries/s",
                "target", "tries", "whole calc", "target");
    bool allMet = true;
    for (const Case& c : cases) {
        const bool whole = c.wholeCalculation && !(quick && c.lines > 20);
        const Figures f = Measure(c, seconds, whole);
        const std::string name = std::to_string(c.matches) + "x" + std::to_string(c.lines);

        char construction[32], constructionTarget[32] = "-", tries[32], triesTarget[32] = "-", wholeText[48] = "-",
                                                         wholeTarget[32] = "-";
        std::snprintf(construction, sizeof construction, "%.3f ms", f.construction * 1000);
        if (c.constructionTarget > 0) {
            const bool ok = f.construction < c.constructionTarget;
            allMet &= ok;
            std::snprintf(constructionTarget, sizeof constructionTarget, "<%.0f s %s", c.constructionTarget,
                          Verdict(ok).c_str());
        }
        std::snprintf(tries, sizeof tries, "%.0f", f.triesPerSecond);
        if (c.triesTarget > 0) {
            const bool ok = f.triesPerSecond >= c.triesTarget;
            allMet &= ok;
            std::snprintf(triesTarget, sizeof triesTarget, ">=%.0f %s", c.triesTarget, Verdict(ok).c_str());
        }
        if (f.whole >= 0) {
            std::snprintf(wholeText, sizeof wholeText, "%.2f s", f.whole);
            if (c.wholeTarget > 0) {
                const bool ok = f.whole < c.wholeTarget;
                allMet &= ok;
                std::snprintf(wholeTarget, sizeof wholeTarget, "<%.0f s %s", c.wholeTarget, Verdict(ok).c_str());
            }
        }
        std::printf("%-9s %14s %10s %12s %10s %8ld %14s %10s\n", name.c_str(), construction, constructionTarget, tries,
                    triesTarget, f.tries, wholeText, wholeTarget);
        if (f.whole >= 0)
            std::printf("%-9s whole calculation: %d rounds, %ld tries\n", "", f.wholeRounds, f.wholeTries);
        std::fflush(stdout);
    }
    std::printf("%s\n", allMet ? "all targets met" : "some targets missed");
    return allMet ? 0 : 1;
}
