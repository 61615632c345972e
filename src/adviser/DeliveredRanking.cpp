#include "adviser/DeliveredRanking.h"

#include "check/DeliveredChoke.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

#include "adviser/ParetoFront.h"
#include "catalogue/PhysicsInputs.h"
#include "physics/FixedText.h"

namespace coilsmith::adviser {

namespace {

using catalogue::CatalogueRecords;

// The catalogue's materials made into physics inputs once, in the records' order.
std::vector<physics::Result<physics::Material>> physicsMaterials(const CatalogueRecords& records) {
    std::vector<physics::Result<physics::Material>> out;
    out.reserve(records.materials().size());
    for (const catalogue::MaterialRecord& m : records.materials())
        out.push_back(catalogue::physicsMaterial(m, records.findBiasCurve(m.name)));
    return out;
}

std::optional<std::string> requestProblem(const DeliveredRankingRequest& r) {
    if (r.maxStackCount < 1 || r.maxStackCount > physics::kMaxStackedCores)
        return "the largest stack must be 1 to " + std::to_string(physics::kMaxStackedCores) +
               " cores, not " + std::to_string(r.maxStackCount);
    if (!std::isfinite(r.ambientC))
        return "the ambient temperature is not a number";
    if (r.maxTemperatureRiseC && !std::isfinite(*r.maxTemperatureRiseC))
        return "the maximum temperature rise is not a number";
    return std::nullopt;
}

// One core in one material as the catalogue lists it; `material` null when the catalogue
// has no such material.
struct Pairing {
    const catalogue::CoreRecord& record;
    const physics::Result<physics::Core>& core;
    std::string materialName;
    const physics::Result<physics::Material>* material = nullptr;
    std::optional<double> unitCost;
};

// Every stack of one pairing.
void deliverStacks(const Pairing& p, const DeliveredRankingRequest& request,
                   const physics::WireTable& wire, std::vector<DeliveredCandidate>& out) {
    for (int k = 1; k <= request.maxStackCount; ++k) {
        DeliveredCandidate c;
        c.shape = p.record.shape();
        c.core = p.record.name;
        c.material = p.materialName;
        c.stackCount = k;
        if (p.unitCost)
            c.stackedCost = *p.unitCost * k;
        if (!p.material)
            c.reason = "material " + c.material + " is not in the catalogue";
        else if (!p.core)
            c.reason = p.core.reason();
        else if (!*p.material)
            c.reason = p.material->reason();
        else {
            c.stackedVolumeM3 = p.core->magnetic.volumeM3 * k;
            c.design = physics::deliverDesign(
                {request.specification, *p.core, p.material->value(), request.ambientC}, wire, k);
        }
        judgeDelivered(c, request.maxTemperatureRiseC);
        out.push_back(std::move(c));
    }
}

const physics::DeliveredCopper& copperOf(const DeliveredCandidate& c) {
    return *c.design->copper;
}

// A feasible candidate's value by a key; a missing cost sorts after every known one.
double sortValue(const DeliveredCandidate& c, RankKey key) {
    constexpr double missing = std::numeric_limits<double>::max();
    switch (key) {
        case RankKey::Loss:
            return copperOf(c).totalLossHotW;
        case RankKey::TemperatureRise:
            return copperOf(c).temperatureRiseHotC;
        case RankKey::Weight:
            return copperOf(c).totalWeightKg;
        case RankKey::Volume:
            return c.stackedVolumeM3.value_or(missing);
        case RankKey::Cost:
            return c.stackedCost.value_or(missing);
    }
    return missing;
}

auto identity(const DeliveredCandidate& c) {
    return std::tie(c.core, c.material, c.stackCount, c.shape);
}

}  // namespace

void judgeDelivered(DeliveredCandidate& c, std::optional<double> maxTemperatureRiseC) {
    c.feasible = false;
    if (!c.design)
        return;  // the reason names the unusable catalogue value
    const physics::DeliveredDesign& d = *c.design;
    const auto failed = std::find_if(d.verdicts.begin(), d.verdicts.end(), [](const auto& v) {
        return v.level == physics::VerdictLevel::Fail ||
               v.level == physics::VerdictLevel::Unavailable;
    });
    if (d.problem || !d.reachable)
        c.reason = d.problem.value_or("L at Idc is not reached");
    else if (!d.fits || !d.winding)
        c.reason = "does not fit: " + (d.winding ? d.winding->doesNotFitReason : std::string());
    else if (failed != d.verdicts.end())
        c.reason = failed->check + ": " + failed->reason;
    else if (!d.copper)
        c.reason = "the hot temperature is not known";
    else if (maxTemperatureRiseC && !(d.copper->temperatureRiseHotC <= *maxTemperatureRiseC))
        c.reason = "hot rise " + physics::fixedText(d.copper->temperatureRiseHotC, 1) +
                   " C above the " + physics::fixedText(*maxTemperatureRiseC, 1) + " C allowed";
    else {
        c.reason.clear();
        c.feasible = true;
    }
}

void orderDelivered(std::vector<DeliveredCandidate>& candidates, RankKey key) {
    std::vector<double> values(candidates.size());
    std::vector<std::size_t> order(candidates.size());
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        order[i] = i;
        values[i] = candidates[i].feasible ? sortValue(candidates[i], key) : 0;
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const DeliveredCandidate& left = candidates[a];
        const DeliveredCandidate& right = candidates[b];
        if (left.feasible != right.feasible)
            return left.feasible;
        if (values[a] != values[b])
            return values[a] < values[b];
        return identity(left) < identity(right);
    });
    std::vector<DeliveredCandidate> ordered;
    ordered.reserve(candidates.size());
    int rank = 0;
    for (const std::size_t i : order) {
        ordered.push_back(std::move(candidates[i]));
        ordered.back().rank = ordered.back().feasible ? ++rank : 0;
    }
    candidates = std::move(ordered);
}

void markDeliveredPareto(std::vector<DeliveredCandidate>& candidates) {
    markParetoFront(candidates, [](const DeliveredCandidate& c) {
        return std::pair(copperOf(c).totalLossHotW, copperOf(c).totalWeightKg);
    });
}

DeliveredRanking rankDelivered(const CatalogueRecords& records,
                               const DeliveredRankingRequest& request, RankKey key) {
    DeliveredRanking ranking;
    ranking.key = key;
    if ((ranking.problem = requestProblem(request)))
        return ranking;
    const physics::Result<physics::WireTable> wire =
        wireForSpecification(records, request.specification);
    if (!wire) {
        ranking.problem = wire.reason();
        return ranking;
    }
    const auto materials = physicsMaterials(records);
    for (const catalogue::CoreRecord& record : records.cores()) {
        const physics::Result<physics::Core> core = catalogue::physicsCore(record);
        for (const std::string& name : record.materials) {
            Pairing pairing{record, core, name, nullptr, std::nullopt};
            if (const catalogue::MaterialRecord* m = records.findMaterial(name)) {
                pairing.materialName = m->name;
                pairing.material =
                    &materials[static_cast<std::size_t>(m - records.materials().data())];
                if (m->relativeCost && std::isfinite(*m->relativeCost))
                    pairing.unitCost = *m->relativeCost;
            }
            deliverStacks(pairing, request, *wire, ranking.candidates);
        }
    }
    orderDelivered(ranking.candidates, key);
    markDeliveredPareto(ranking.candidates);
    ranking.feasibleCount = static_cast<std::size_t>(
        std::count_if(ranking.candidates.begin(), ranking.candidates.end(),
                      [](const DeliveredCandidate& c) { return c.feasible; }));
    return ranking;
}

}  // namespace coilsmith::adviser
