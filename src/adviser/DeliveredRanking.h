#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "adviser/Ranking.h"
#include "catalogue/Records.h"
#include "physics/DeliveredDesign.h"

// The adviser over delivered designs: every core of the catalogue, in every material it is
// offered in, on stacks of 1 … K identical cores, designed to really deliver the required
// inductance at full current (physics::deliverDesign), judged and ranked. The method's
// minimum area product does not apply: whether the winding goes on is the real gate.
namespace coilsmith::adviser {

struct DeliveredRankingRequest {
    physics::ChokeSpecification specification;
    double ambientC = physics::kRoomAmbientC;
    std::optional<double> maxTemperatureRiseC;      // hot rise, no limit when empty
    int maxStackCount = physics::kMaxStackedCores;  // K: stacks of 1 … K cores (K 1 … 3)
};

struct DeliveredCandidate {
    catalogue::CoreShape shape = catalogue::CoreShape::Toroid;
    std::string core;
    std::string material;
    int stackCount = 1;

    bool feasible = false;
    bool pareto = false;  // no feasible candidate is both lighter and less lossy
    int rank = 0;         // 1 for the best feasible candidate; 0 when not feasible
    std::string reason;   // why it is not feasible; empty when it is

    std::optional<double> stackedVolumeM3;  // the stack's core volume, when the core is usable
    std::optional<double> stackedCost;      // the material's relative cost × the stack
    // Empty when the catalogue records could not be made into a core and material (the
    // reason names the field).
    std::optional<physics::DeliveredDesign> design;
};

struct DeliveredRanking {
    std::optional<std::string> problem;  // why nothing could be ranked
    RankKey key = RankKey::Loss;
    std::vector<DeliveredCandidate> candidates;  // feasible in rank order, then the others
    std::size_t feasibleCount = 0;
};

// Delivers, judges and ranks every candidate of the catalogue by `key`; the Pareto set is
// marked among the feasible ones. A problem, and no candidates, when the request cannot be
// ranked: a stack count outside 1 … 3, an ambient or rise limit that is not a number, or no
// usable wire for the specification's gauge (every design needs it).
DeliveredRanking rankDelivered(const catalogue::CatalogueRecords& records,
                               const DeliveredRankingRequest& request, RankKey key);

// The steps of a ranking, for ranking the same candidates again without delivering them:

// Feasible when the design is there, reaches L at Idc, fits (layers and fill within Ku), no
// verdict fails or is unavailable and the hot rise is within the limit; otherwise the reason.
void judgeDelivered(DeliveredCandidate& candidate, std::optional<double> maxTemperatureRiseC);

// Feasible candidates first, ascending by `key` (loss: hot total; trise: hot rise; weight:
// true total; volume: stacked core; cost: relative cost × stack, a missing one last), ties
// by core, material and stack; then the others in that order. Ranks numbered 1 … over the
// feasible ones.
void orderDelivered(std::vector<DeliveredCandidate>& candidates, RankKey key);

// Marks, afresh, the feasible candidates that no other feasible one beats on both hot total
// loss and true total weight (lower or equal on both and lower on one).
void markDeliveredPareto(std::vector<DeliveredCandidate>& candidates);

}  // namespace coilsmith::adviser
