#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "adviser/Candidate.h"

namespace coilsmith::adviser {

enum class RankKey { Loss, TemperatureRise, Weight, Cost, Volume };

// "loss", "trise", "weight", "cost", "volume".
std::string_view rankKeyName(RankKey key) noexcept;
std::optional<RankKey> rankKeyFromName(std::string_view name) noexcept;

// What a feasible design must keep to, from the specification.
struct Limits {
    double minAP = 0;                   // cm^4, the sizing's area product
    double bmax = 0;                    // T, the specified maximum flux density
    double windowUtilisation = 0;       // Ku
    std::optional<double> maxTempRise;  // deg C, no limit when empty
};

// Sets feasible and reason: a design that did not complete keeps its message; then, in
// this order, "AP too small", "Bmax above limit", "window overfull", "too hot".
void judge(Candidate& candidate, const Limits& limits);

// Feasible candidates first, best first by `key` (ascending; a missing cost or volume
// last), ties by core, then material, then core type; then the others in core, material
// and type order. Ranks are numbered 1.. over the feasible ones.
void orderCandidates(std::vector<Candidate>& candidates, RankKey key);
// The same order for candidates held in several vectors, taken in turn as one sequence:
// moves them into one vector in that order, numbers the ranks and empties `parts`.
std::vector<Candidate> orderedCandidates(std::vector<std::vector<Candidate>>& parts, RankKey key);

// Marks the feasible candidates that no other feasible one beats on both total loss and
// total weight (lower or equal on both and lower on one).
void markPareto(std::vector<Candidate>& candidates);

}  // namespace coilsmith::adviser
