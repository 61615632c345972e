#include "adviser/AdviserEngine.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <set>
#include <thread>
#include <utility>

#include "adviser/CandidateDesigner.h"
#include "method/StateViews.h"

namespace coilsmith::adviser {

namespace {

// Cores are handed out in chunks of this many: big enough that threads rarely meet at
// the counter, small enough that two threads finish close together.
constexpr std::size_t kChunk = 32;

// Each core once: a name listed twice for one shape is the first row again.
std::vector<const catalogue::CoreRecord*> coresOnce(const catalogue::CatalogueRecords& records) {
    std::vector<const catalogue::CoreRecord*> cores;
    std::set<std::pair<catalogue::CoreShape, std::string_view>> seen;
    for (const catalogue::CoreRecord& core : records.cores()) {
        if (seen.emplace(core.shape(), core.name).second) {
            cores.push_back(&core);
        }
    }
    return cores;
}

class Batch {
  public:
    Batch(const DesignBasis& basis, const std::vector<const catalogue::CoreRecord*>& cores,
          const Limits& limits, const AdviserOptions& options)
        : basis_(basis),
          cores_(cores),
          limits_(limits),
          options_(options),
          results_((cores.size() + kChunk - 1) / kChunk) {}

    // One thread's share: chunks taken from a shared counter; every chunk's candidates go
    // to the chunk's own slot, so the outcome does not depend on who designed what. They
    // are judged here, while still in the cache.
    void work() {
        for (;;) {
            const std::size_t first = next_.fetch_add(kChunk);
            if (first >= cores_.size() || options_.stop.stop_requested()) {
                return;
            }
            const std::size_t last = std::min(first + kChunk, cores_.size());
            std::vector<Candidate>& results = results_[first / kChunk];
            for (std::size_t i = first; i < last; ++i) {
                designCore(basis_, *cores_[i], results);
            }
            for (Candidate& c : results) {
                judge(c, limits_);
            }
            const std::size_t done = done_.fetch_add(last - first) + (last - first);
            if (options_.progress) {
                options_.progress(done, cores_.size());
            }
        }
    }

    // The candidates of every chunk, in core order; the batch is spent afterwards.
    std::vector<std::vector<Candidate>>& chunks() { return results_; }

  private:
    const DesignBasis& basis_;
    const std::vector<const catalogue::CoreRecord*>& cores_;
    const Limits& limits_;
    const AdviserOptions& options_;
    std::vector<std::vector<Candidate>> results_;
    std::atomic<std::size_t> next_{0};
    std::atomic<std::size_t> done_{0};
};

unsigned threadCount(const AdviserOptions& options, std::size_t cores) {
    unsigned threads = options.threads;
    if (threads == 0) {
        threads = std::max(1u, std::thread::hardware_concurrency());
    }
    const std::size_t chunks = (cores + kChunk - 1) / kChunk;
    return static_cast<unsigned>(std::max<std::size_t>(1, std::min<std::size_t>(threads, chunks)));
}

}  // namespace

Ranking rankCores(const std::optional<SizedSpecification>& specification,
                  const std::string& cataloguePath, const AdviserOptions& options) {
    Ranking ranking;
    catalogue::CatalogueRecords records;
    try {
        records = catalogue::CatalogueRecords::load(cataloguePath);
    } catch (const std::exception&) {
        ranking.problem = "The catalogue " + cataloguePath + " cannot be opened.";
        return ranking;
    }
    if (!specification) {
        ranking.problem = "Calculate AP first: the minimum area product is not known.";
        return ranking;
    }
    const SpecificationView specified = specificationView(specification->state);
    ranking.limits = Limits{specification->minimumAreaProductCm4, specified.fluxDensityT,
                            specified.windowUtilisation, options.maxTempRise};
    ranking.key = options.key;

    // The reference tables are read once for the whole ranking, so every candidate is
    // checked against the same version of the catalogue.
    const CheckReferences references = CheckReferences::load(cataloguePath);
    const DesignBasis basis{*specification, records, references};
    const std::vector<const catalogue::CoreRecord*> cores = coresOnce(records);
    Batch batch(basis, cores, ranking.limits, options);
    const unsigned threads = threadCount(options, cores.size());
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

}  // namespace coilsmith::adviser
