#include "adviser/AdviserEngine.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <unordered_set>

#include "adviser/CandidateDesigner.h"
#include "windowmodel/ChokeModel.h"

namespace coilsmith::adviser {

namespace {

// Cores are handed out in chunks of this many: big enough that threads rarely meet at
// the counter, small enough that two threads finish close together.
constexpr std::size_t kChunk = 32;

struct CorePick {
    std::size_t type;  // index into the type starts
    int coreIndex;
};

std::vector<TypeStart> typeStarts(const ChokeModel& window, CollectingPrompter& prompter) {
    ChokeModel base = window;
    base.setPrompter(prompter);
    base.setListener(nullptr);
    // Every pick refreshes the core table; one look at the file for the whole ranking is
    // enough, and keeps every candidate on the same version of the catalogue.
    base.sources().keepSnapshot();
    base.indexCoreRows();
    base.keepCheckReferences();
    std::vector<TypeStart> starts;
    for (const CoreType type : {CoreType::ECore, CoreType::Toroid}) {
        TypeStart start{type, base};
        start.window.setOption(coreTypeOption(type), true);
        starts.push_back(std::move(start));
    }
    return starts;
}

// Each core number once, in list order: a number listed twice loads the same row.
std::vector<CorePick> corePicks(const std::vector<TypeStart>& starts) {
    std::vector<CorePick> picks;
    for (std::size_t t = 0; t < starts.size(); ++t) {
        const auto& items = starts[t].window.control("Core").items;
        std::unordered_set<std::string> seen;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (seen.insert(items[i]).second) {
                picks.push_back({t, static_cast<int>(i)});
            }
        }
    }
    return picks;
}

class Batch {
  public:
    Batch(const std::vector<TypeStart>& starts, const std::vector<CorePick>& picks,
          const Limits& limits, const AdviserOptions& options)
        : starts_(starts),
          picks_(picks),
          limits_(limits),
          options_(options),
          results_((picks.size() + kChunk - 1) / kChunk) {}

    // One thread's share: chunks taken from a shared counter; every chunk's candidates go
    // to the chunk's own slot, so the outcome does not depend on who designed what. They
    // are judged here, while still in the cache.
    void work() {
        std::vector<std::unique_ptr<CandidateDesigner>> designers(starts_.size());
        for (;;) {
            const std::size_t first = next_.fetch_add(kChunk);
            if (first >= picks_.size() || options_.stop.stop_requested()) {
                return;
            }
            const std::size_t last = std::min(first + kChunk, picks_.size());
            std::vector<Candidate>& results = results_[first / kChunk];
            for (std::size_t i = first; i < last; ++i) {
                const CorePick& pick = picks_[i];
                auto& designer = designers[pick.type];
                if (!designer) {
                    designer = std::make_unique<CandidateDesigner>(starts_[pick.type]);
                }
                designer->designCore(pick.coreIndex, results);
            }
            for (Candidate& c : results) {
                judge(c, limits_);
            }
            const std::size_t done = done_.fetch_add(last - first) + (last - first);
            if (options_.progress) {
                options_.progress(done, picks_.size());
            }
        }
    }

    // The candidates of every chunk, in pick order; the batch is spent afterwards.
    std::vector<std::vector<Candidate>>& chunks() { return results_; }

  private:
    const std::vector<TypeStart>& starts_;
    const std::vector<CorePick>& picks_;
    const Limits& limits_;
    const AdviserOptions& options_;
    std::vector<std::vector<Candidate>> results_;
    std::atomic<std::size_t> next_{0};
    std::atomic<std::size_t> done_{0};
};

unsigned threadCount(const AdviserOptions& options, std::size_t picks) {
    unsigned threads = options.threads;
    if (threads == 0) {
        threads = std::max(1u, std::thread::hardware_concurrency());
    }
    const std::size_t chunks = (picks + kChunk - 1) / kChunk;
    return static_cast<unsigned>(std::max<std::size_t>(1, std::min<std::size_t>(threads, chunks)));
}

std::optional<Limits> limitsOf(const ChokeModel& window, const AdviserOptions& options) {
    const auto minAP = parseNumber(window.text("minAP"), window.locale());
    if (!minAP) {
        return std::nullopt;
    }
    return Limits{*minAP, window.state().Bdes, static_cast<double>(window.state().Ku),
                  options.maxTempRise};
}

}  // namespace

Ranking rankCores(const ChokeModel& window, const AdviserOptions& options) {
    Ranking ranking;
    if (!window.catalogueOpen()) {
        ranking.problem = "The catalogue " + window.cataloguePath() + " cannot be opened.";
        return ranking;
    }
    const auto limits = limitsOf(window, options);
    if (!limits) {
        ranking.problem = "Calculate AP first: the minimum area product is not known.";
        return ranking;
    }
    ranking.limits = *limits;
    ranking.key = options.key;

    CollectingPrompter prompter;
    const std::vector<TypeStart> starts = typeStarts(window, prompter);
    const std::vector<CorePick> picks = corePicks(starts);
    Batch batch(starts, picks, ranking.limits, options);
    const unsigned threads = threadCount(options, picks.size());
    {
        std::vector<std::jthread> helpers;
        for (unsigned i = 1; i < threads; ++i) {
            helpers.emplace_back([&batch] { batch.work(); });
        }
        batch.work();
    }
    if (options.stop.stop_requested()) {
        ranking.stopped = true;
        return ranking;
    }

    if (options.checkedOnly) {
        for (auto& chunk : batch.chunks()) {
            std::erase_if(chunk, [](const Candidate& c) { return !c.checkPassed; });
        }
    }
    ranking.checkedOnly = options.checkedOnly;
    ranking.candidates = orderedCandidates(batch.chunks(), options.key);
    markPareto(ranking.candidates);
    ranking.feasibleCount =
        static_cast<std::size_t>(std::count_if(ranking.candidates.begin(), ranking.candidates.end(),
                                               [](const Candidate& c) { return c.feasible; }));
    return ranking;
}

void applyCandidate(ChokeModel& window, const Candidate& candidate) {
    window.setOption(coreTypeOption(candidate.type), true);
    window.setListText("Core", candidate.core);
    window.setListText("CoreMat", candidate.material);
    if (candidate.stackCount)
        window.setDeliveredStack(StackChoice::of(*candidate.stackCount));
    window.runDesign();
}

}  // namespace coilsmith::adviser
