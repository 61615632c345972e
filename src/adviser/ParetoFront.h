#pragma once

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace coilsmith::adviser {

// Marks, afresh, the feasible candidates that no other feasible one beats on both loss and
// weight (lower or equal on both and lower on one). `lossAndWeight(candidate)` gives the
// pair to compare; Candidate has `feasible` and `pareto`. Shared by the window's ranking and
// the delivered one, which weigh different figures.
template <class Candidate, class LossAndWeight>
void markParetoFront(std::vector<Candidate>& candidates, LossAndWeight lossAndWeight) {
    std::vector<std::pair<std::pair<double, double>, Candidate*>> feasible;
    for (Candidate& c : candidates) {
        c.pareto = false;
        if (c.feasible)
            feasible.emplace_back(lossAndWeight(c), &c);
    }
    std::sort(feasible.begin(), feasible.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    // Sweeping up in loss, a candidate is beaten unless it is lighter than every one before
    // it; equal twins beat neither each other.
    double lightest = std::numeric_limits<double>::infinity();
    const std::pair<double, double>* lastOnFront = nullptr;
    for (const auto& [figures, c] : feasible) {
        const bool twin = lastOnFront != nullptr && figures == *lastOnFront;
        if (figures.second < lightest || twin) {
            c->pareto = true;
            lastOnFront = &figures;
            lightest = std::min(lightest, figures.second);
        }
    }
}

}  // namespace coilsmith::adviser
