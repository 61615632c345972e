#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "adviser/Candidate.h"
#include "adviser/Ranking.h"
#include "method/SizedSpecification.h"

namespace coilsmith::adviser {

struct AdviserOptions {
    RankKey key = RankKey::Loss;
    std::optional<double> maxTempRise;  // deg C
    unsigned threads = 0;               // 0: one per hardware thread
    // Cores designed so far out of all cores; called from the worker threads.
    std::function<void(std::size_t done, std::size_t total)> progress;
    bool checkedOnly = false;  // keep only the candidates whose design check passes
    std::stop_token stop;      // a stop request ends the ranking early, with no candidates
};

struct Ranking {
    std::optional<std::string> problem;  // why nothing could be ranked
    bool stopped = false;
    bool checkedOnly = false;  // only candidates whose design check passes were kept
    RankKey key = RankKey::Loss;
    Limits limits;
    std::vector<Candidate> candidates;  // feasible in rank order, then the others
    std::size_t feasibleCount = 0;
};

// Designs every E-core and toroid of the catalogue at `cataloguePath` in every material
// listed for it, from `specification` through the method and the functions that load the
// design window's core and material, then judges, orders and marks the Pareto set. The
// result is the same whatever the number of threads. A problem, and no candidates, when the
// catalogue cannot be read or no specification was sized.
Ranking rankCores(const std::optional<SizedSpecification>& specification,
                  const std::string& cataloguePath, const AdviserOptions& options = {});

}  // namespace coilsmith::adviser
