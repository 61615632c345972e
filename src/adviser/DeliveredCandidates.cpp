#include "adviser/DeliveredCandidates.h"

#include <algorithm>

#include "numeric/NumberText.h"

namespace coilsmith::adviser {

namespace {

constexpr double kGramsPerKg = 1000;
constexpr double kCm3PerM3 = 1e6;

bool keeps(CoreTypeFilter types, catalogue::CoreShape shape) {
    switch (types) {
        case CoreTypeFilter::ECore:
            return shape == catalogue::CoreShape::ECore;
        case CoreTypeFilter::Toroid:
            return shape == catalogue::CoreShape::Toroid;
        case CoreTypeFilter::Both:
            break;
    }
    return true;
}

}  // namespace

Candidate windowCandidate(const DeliveredCandidate& d) {
    Candidate c;
    c.type = d.shape == catalogue::CoreShape::ECore ? CoreType::ECore : CoreType::Toroid;
    c.core = d.core;
    c.material = d.material;
    c.stackCount = d.stackCount;
    c.feasible = d.feasible;
    c.pareto = d.pareto;
    c.rank = d.rank;
    c.reason = d.reason;
    c.cost = d.stackedCost;
    if (d.stackedVolumeM3)
        c.volume = *d.stackedVolumeM3 * kCm3PerM3;
    if (!d.design)
        return c;
    const physics::DeliveredDesign& design = *d.design;
    c.checkPassed = design.passes();
    if (design.inductance) {
        c.turns = static_cast<double>(design.inductance->turns);
        c.lIdcPercent = design.inductance->atIdcPercent;
        c.texts.turns = std::to_string(design.inductance->turns);
    }
    if (design.winding) {
        c.awg = design.winding->awg;
        c.woundFill = design.winding->fill;
        c.texts.wireGauge = std::to_string(design.winding->awg);
    }
    if (design.core) {
        c.coreLoss = design.core->lossW;
        c.bac = design.core->acFluxDensityT;
    }
    if (design.copper) {
        const physics::DeliveredCopper& copper = *design.copper;
        c.completed = true;
        c.rdc = copper.resistanceHotOhm;
        c.copperLoss = copper.copperLossDcW + copper.copperLossAcW;
        c.totalLoss = copper.totalLossHotW;
        c.totalWeight = copper.totalWeightKg * kGramsPerKg;
        c.tempRise = copper.temperatureRiseHotC;
        c.hotRise = copper.temperatureRiseHotC;
        c.texts.totalLoss = formatFixed(c.totalLoss, 3);
        c.texts.totalWeight = formatFixed(c.totalWeight, 1);
        c.texts.temperatureRise = formatFixed(c.tempRise, 1);
    }
    return c;
}

Ranking deliveredWindowRanking(DeliveredRanking delivered, CoreTypeFilter types, RankKey key) {
    Ranking ranking;
    ranking.key = key;
    ranking.problem = delivered.problem;
    std::erase_if(delivered.candidates,
                  [types](const DeliveredCandidate& c) { return !keeps(types, c.shape); });
    orderDelivered(delivered.candidates, key);
    markDeliveredPareto(delivered.candidates);
    for (const DeliveredCandidate& c : delivered.candidates) {
        ranking.candidates.push_back(windowCandidate(c));
        ranking.feasibleCount += c.feasible ? 1 : 0;
    }
    return ranking;
}

}  // namespace coilsmith::adviser
