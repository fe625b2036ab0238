#include "calc/RoundsRunner.h"

#include "calc/Engine.h"
#include "calc/Improvement.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace vdx {

int WorkerThreads(int requested) {
    if (requested > 0) return std::min(requested, 64);
    const unsigned cores = std::thread::hardware_concurrency();
    return std::clamp(static_cast<int>(cores), 1, 64);
}

namespace {

// Keeps the best: a round replaces it when there is none or it compares better.
// Returns whether it did.
bool Commit(DistributionState& best, bool& haveBest, const DistributionState& state) {
    if (haveBest && CompareDistributions(best, state) <= 0) return false;
    best = state;
    best.best = &best;
    haveBest = true;
    return true;
}

// --- in the calling thread ---------------------------------------------------------

RoundsOutcome RunInLine(const RoundsJob& job, DistributionState& best, bool haveOld) {
    RoundsOutcome out;
    out.haveBest = haveOld;
    out.improved = !haveOld;
    EngineContext ctx(*job.random);
    ctx.resetRandom = job.resetRandom;
    ctx.progress = job.progress;
    CalculationProgress* progress = job.progress;
    auto state = std::make_unique<DistributionState>();
    int last = 0;
    for (int r = 0; r < job.rounds && last != 3; ++r) {
        if (progress) {
            const StopRequests requests = progress->Requests();
            // With a best in hand a stop between rounds ends the calculation at once;
            // without one the first round still runs so that there is a result.
            if (out.haveBest && (requests.stopCalculation || requests.noMoreRounds)) break;
            if (requests.stopRound) progress->StopRoundServed();
            progress->RoundStarting(r);
        }
        InitState(*state, job.options(r), out.haveBest ? &best : nullptr);
        PrepareStateFromBest(*state, *job.prepared);
        last = RunRound(*state, ctx);
        // Stopped while being built (only with a best in hand), or not buildable.
        if (last == kRoundNotBuilt) break;
        if (last == kRoundFailed) {
            out.faulty = true;
            break;
        }
        out.totalTries += state->totalTries;
        if (Commit(best, out.haveBest, *state)) out.improved = true;
        out.roundsPassed = r + 1;
        if (job.roundsPassed) *job.roundsPassed = out.roundsPassed;
        if (progress) progress->RoundEnded(r, best);
    }
    return out;
}

// --- side by side ---------------------------------------------------------------------
//
// Workers take the rounds in order; the calling thread commits them in order,
// so the best each round is compared with is the one the loop above would
// have. The only thing a round reads from the best while it runs is the rule
// for its extra tries: when the rounds before it are not all committed yet it
// goes on as if it got them and keeps a copy of itself as it ends without
// them (see ExtraTriesJudge); the commit takes the one the rule picks.

using Verdict = ExtraTriesJudge::Verdict;

constexpr int kCodeEndedAtCopy = 100;

// What the display takes from a running round.
struct Figures {
    Histogram equals{}, duplicates{};
    std::array<Histogram, 2> violations{};
    long totalTries = 0;
    int triesSinceImprovement = 0, triesLimit = 0, lastImprovementLevel = 0;
    bool extraTriesGiven = false, conditionsActive = false;

    static Figures Of(const DistributionState& s) {
        Figures f;
        f.equals = s.equalsHistogram;
        f.duplicates = s.duplicateHistogram;
        f.violations = s.violations;
        f.totalTries = s.totalTries;
        f.triesSinceImprovement = s.triesSinceImprovement;
        f.triesLimit = s.triesLimit;
        f.lastImprovementLevel = s.lastImprovementLevel;
        f.extraTriesGiven = s.extraTriesGiven;
        f.conditionsActive = s.conditionsActive;
        return f;
    }
    void Into(DistributionState& s) const {
        s.equalsHistogram = equals;
        s.duplicateHistogram = duplicates;
        s.violations = violations;
        s.totalTries = totalTries;
        s.triesSinceImprovement = triesSinceImprovement;
        s.triesLimit = triesLimit;
        s.lastImprovementLevel = lastImprovementLevel;
        s.extraTriesGiven = extraTriesGiven;
        s.conditionsActive = conditionsActive;
    }
};

struct Slot {
    int round = 0;
    uint32_t seed = 0;
    bool finished = false;
    int code = 0; // as RunRound, or kCodeEndedAtCopy
    std::unique_ptr<DistributionState> state;
    // An open extra-tries decision: the state at it, the round as it ends there.
    std::unique_ptr<DistributionState> atDecision;
    std::unique_ptr<DistributionState> ended;
    int endedFlags = 0;
    bool open = false;
    bool settled = false;
    Verdict verdict = Verdict::kGive;
    std::atomic<bool> stopRound{false};

    // For the display, written by the worker under figuresLock.
    std::mutex figuresLock;
    Figures figures;
    bool constructed = false, newConstruction = false;
    int improvedLevel = 0;
    long triesShown = -1;
};

struct Shared {
    const RoundsJob& job;
    std::mutex lock;
    std::condition_variable finished;
    std::map<int, std::unique_ptr<Slot>> slots; // dispatched, not yet committed
    int nextRound = 0;
    std::atomic<int> committed{0}; // rounds below are committed
    bool dispatchClosed = false;
    bool haveOld = false;
    DistributionState* best = nullptr;
    bool haveBest = false;
    std::atomic<bool> stopCalculation{false}, noMoreRounds{false}, abandon{false}, noMoreTaken{false};

    explicit Shared(const RoundsJob& j) : job(j) {}

    // Under lock, with every round before slot's committed.
    Verdict Decide(Slot& slot) {
        if (!slot.settled) {
            slot.verdict = DeservesExtraTries(*slot.atDecision, haveBest ? best : nullptr) ? Verdict::kGive : Verdict::kEnd;
            slot.settled = true;
        }
        return slot.verdict;
    }
};

// What a worker's round tells and asks, kept for the calling thread.
class WorkerLink : public CalculationProgress, public ExtraTriesJudge {
public:
    explicit WorkerLink(Shared& shared) : shared_(shared) {}
    void Attach(Slot* slot) { slot_ = slot; }

    StopRequests Requests() const override {
        StopRequests r;
        r.stopCalculation = shared_.stopCalculation.load(std::memory_order_relaxed) ||
                            shared_.abandon.load(std::memory_order_relaxed);
        r.noMoreRounds = shared_.noMoreRounds.load(std::memory_order_relaxed);
        r.stopRound = slot_->stopRound.load(std::memory_order_relaxed);
        return r;
    }
    void NoMoreRoundsTaken() override { shared_.noMoreTaken = true; }
    void ConstructionEnded(const DistributionState& s) override { Note(s, 0, true); }
    void Improved(const DistributionState& s, int level) override { Note(s, level, false); }
    void TriesPassed(const DistributionState& s, long) override { Note(s, 0, false); }

    Verdict Judge(const DistributionState& s) override {
        std::lock_guard<std::mutex> hold(shared_.lock);
        if (shared_.committed.load() >= slot_->round)
            return DeservesExtraTries(s, shared_.haveBest ? shared_.best : nullptr) ? Verdict::kGive : Verdict::kEnd;
        slot_->atDecision = std::make_unique<DistributionState>(s);
        slot_->atDecision->best = nullptr;
        slot_->open = true;
        return Verdict::kOpen;
    }
    void KeepEnded(const DistributionState& ended, int flags) override {
        auto copy = std::make_unique<DistributionState>(ended);
        copy->best = nullptr;
        std::lock_guard<std::mutex> hold(shared_.lock);
        slot_->ended = std::move(copy);
        slot_->endedFlags = flags;
    }
    Verdict Settled() override {
        if (shared_.committed.load() < slot_->round) return Verdict::kOpen;
        std::lock_guard<std::mutex> hold(shared_.lock);
        return shared_.Decide(*slot_);
    }

private:
    void Note(const DistributionState& s, int level, bool construction) {
        Slot& slot = *slot_;
        const Figures figures = Figures::Of(s);
        std::lock_guard<std::mutex> hold(slot.figuresLock);
        slot.figures = figures;
        slot.constructed = true;
        if (construction) slot.newConstruction = true;
        if (level > 0) slot.improvedLevel = level;
    }

    Shared& shared_;
    Slot* slot_ = nullptr;
};

void Work(Shared& shared) {
    const RoundsJob& job = shared.job;
    EngineRandom random;
    EngineContext ctx(random);
    WorkerLink link(shared);
    ctx.progress = &link;
    ctx.judge = &link;
    for (;;) {
        Slot* slot = nullptr;
        {
            std::lock_guard<std::mutex> hold(shared.lock);
            const int r = shared.nextRound;
            // Without a best the first round runs whatever comes, so that there is a result.
            if (r >= job.rounds || shared.abandon || (shared.dispatchClosed && (r > 0 || shared.haveOld))) return;
            ++shared.nextRound;
            auto made = std::make_unique<Slot>();
            made->round = r;
            if (job.resetRandom) {
                made->seed = static_cast<uint32_t>(r + 7);
            } else {
                // Drawn in round order: a calculation is one sequence of seeds.
                uint32_t seed = 0;
                for (int k = 0; k < 3; ++k) seed = seed * 32767u + static_cast<uint32_t>(job.random->Next());
                made->seed = seed;
            }
            slot = made.get();
            shared.slots[r] = std::move(made);
        }
        const int r = slot->round;
        link.Attach(slot);
        auto state = std::make_unique<DistributionState>();
        InitState(*state, job.options(r), nullptr);
        PrepareStateFromBest(*state, *job.prepared);
        random.Seed(slot->seed);
        ctx.earlierRoundGivesResult = r > 0 || shared.haveOld;
        int code = ConstructDistribution(*state, ctx);
        if (code == 1) {
            const int flags = ImproveDistribution(*state, ctx);
            code = (flags & kRoundEndedAtCopy) ? kCodeEndedAtCopy : (flags & kNoFurtherRounds) ? 3 : 1;
        }
        {
            std::lock_guard<std::mutex> hold(shared.lock);
            slot->state = std::move(state);
            slot->code = code;
            slot->finished = true;
        }
        shared.finished.notify_all();
    }
}

// The view of the oldest running round that the progress is shown.
struct Relay {
    int shownRound = -1;
    std::unique_ptr<DistributionState> view = std::make_unique<DistributionState>();
};

RoundsOutcome RunSideBySide(const RoundsJob& job, DistributionState& best, bool haveOld) {
    RoundsOutcome out;
    out.haveBest = haveOld;
    out.improved = !haveOld;
    Shared shared(job);
    shared.haveOld = haveOld;
    shared.best = &best;
    shared.haveBest = haveOld;
    CalculationProgress* progress = job.progress;
    Relay relay;

    const int threads = std::max(1, std::min(job.threads, job.rounds));
    std::vector<std::thread> workers;
    workers.reserve(threads);
    for (int t = 0; t < threads; ++t) workers.emplace_back(Work, std::ref(shared));

    bool noMoreRelayed = false;
    bool stopRoundRelayed = false;
    std::unique_lock<std::mutex> hold(shared.lock);
    for (;;) {
        // Commit what is finished, in round order.
        for (;;) {
            auto it = shared.slots.find(shared.committed.load());
            if (it == shared.slots.end() || !it->second->finished) break;
            Slot& slot = *it->second;
            const int r = slot.round;
            const DistributionState* result = slot.state.get();
            int code = slot.code;
            if (code == kCodeEndedAtCopy || (slot.open && shared.Decide(slot) == Verdict::kEnd)) {
                result = slot.ended.get();
                code = (slot.endedFlags & kNoFurtherRounds) ? 3 : 1;
            }
            if (code == kRoundFailed) {
                out.faulty = true;
                shared.abandon = true;
            } else if (code != kRoundNotBuilt) {
                out.totalTries += result->totalTries;
                if (Commit(best, shared.haveBest, *result)) out.improved = true;
                out.roundsPassed = r + 1;
                if (job.roundsPassed) *job.roundsPassed = out.roundsPassed;
                // Without requests only the last round ends the calculation.
                if (code == 3 && !shared.stopCalculation && !shared.noMoreRounds) shared.dispatchClosed = true;
            }
            shared.slots.erase(it);
            shared.committed.store(r + 1);
            if (progress && code != kRoundFailed && code != kRoundNotBuilt) {
                hold.unlock();
                progress->RoundEnded(r, best);
                hold.lock();
            }
        }
        if (shared.abandon) shared.dispatchClosed = true;
        const bool dispatching = !shared.dispatchClosed && shared.nextRound < job.rounds;
        if (shared.slots.empty() && !dispatching) break;

        // Show the oldest running round and take the requests.
        if (progress) {
            Slot* oldest = nullptr;
            std::vector<RunningRound> running;
            for (auto& [r, slot] : shared.slots) {
                if (slot->finished) continue;
                if (!oldest) oldest = slot.get();
                std::lock_guard<std::mutex> figures(slot->figuresLock);
                RunningRound rr;
                rr.roundIndex = r;
                rr.tries = slot->figures.totalTries;
                if (slot->constructed) {
                    rr.topLevel = TopEntry(slot->figures.equals);
                    rr.topPairs = rr.topLevel >= 0 ? slot->figures.equals[rr.topLevel] : 0;
                }
                running.push_back(rr);
            }
            const bool newRound = oldest && oldest->round != relay.shownRound;
            bool construction = false;
            int level = 0;
            long tries = -1;
            Figures figures;
            if (oldest) {
                std::lock_guard<std::mutex> lockFigures(oldest->figuresLock);
                construction = oldest->constructed && (oldest->newConstruction || newRound);
                level = oldest->improvedLevel;
                oldest->newConstruction = false;
                oldest->improvedLevel = 0;
                if (oldest->figures.totalTries != oldest->triesShown) tries = oldest->triesShown = oldest->figures.totalTries;
                figures = oldest->figures;
            }
            hold.unlock();
            DistributionState& view = *relay.view;
            if (newRound) {
                relay.shownRound = oldest->round;
                InitState(view, job.options(oldest->round), nullptr);
                PrepareStateFromBest(view, *job.prepared);
                progress->RoundStarting(oldest->round);
            }
            if (oldest) {
                figures.Into(view);
                // Only this thread writes the best.
                view.best = shared.haveBest ? &best : nullptr;
                if (construction) progress->ConstructionEnded(view);
                if (level > 0) progress->Improved(view, level);
                else if (tries >= 0) progress->TriesPassed(view, tries);
            }
            progress->RoundsRunning(running);
            progress->Yield();
            const StopRequests requests = progress->Requests();
            if (shared.noMoreTaken && !noMoreRelayed) {
                noMoreRelayed = true;
                progress->NoMoreRoundsTaken();
            }
            hold.lock();
            if (requests.stopCalculation) shared.stopCalculation = true;
            if (requests.noMoreRounds) shared.noMoreRounds = true;
            if (requests.stopCalculation || requests.noMoreRounds) shared.dispatchClosed = true;
            if (requests.stopRound && !stopRoundRelayed) {
                for (auto& [r, slot] : shared.slots) slot->stopRound = true;
                stopRoundRelayed = true;
                hold.unlock();
                progress->StopRoundServed();
                hold.lock();
            } else if (!requests.stopRound) {
                stopRoundRelayed = false;
            }
        }
        shared.finished.wait_for(hold, std::chrono::milliseconds(10));
    }
    hold.unlock();
    shared.abandon = true;
    for (std::thread& t : workers) t.join();
    out.haveBest = shared.haveBest;
    return out;
}

} // namespace

RoundsOutcome RunRounds(const RoundsJob& job, DistributionState& best, bool haveOld) {
    if (job.threads <= 0) return RunInLine(job, best, haveOld);
    return RunSideBySide(job, best, haveOld);
}

} // namespace vdx
