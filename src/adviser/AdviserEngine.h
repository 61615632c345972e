#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "adviser/Candidate.h"
#include "adviser/Ranking.h"

namespace coilsmith {
class ChokeModel;
}

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

// Designs every E-core and toroid of the catalogue in every material listed for it, each
// on a copy of `window` (a design window after a successful "Calculate AP") through the
// window's own procedures, then judges, orders and marks the Pareto set. The result is
// the same whatever the number of threads.
Ranking rankCores(const ChokeModel& window, const AdviserOptions& options = {});

// Picks the candidate's core type, core and material in `window` through its handlers and
// runs the design, as the engineer would by hand; the window lands on "Design Results". A
// delivered candidate first sets the window's delivered stack to its own.
void applyCandidate(ChokeModel& window, const Candidate& candidate);

}  // namespace coilsmith::adviser
