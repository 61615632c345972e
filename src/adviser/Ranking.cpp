#include "adviser/Ranking.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <tuple>
#include <utility>

namespace coilsmith::adviser {

namespace {

constexpr std::array<std::pair<RankKey, std::string_view>, 5> kKeyNames{{
    {RankKey::Loss, "loss"},
    {RankKey::Trise, "trise"},
    {RankKey::Weight, "weight"},
    {RankKey::Cost, "cost"},
    {RankKey::Volume, "volume"},
}};

// A missing cost or volume sorts after every known one.
double sortValue(const Candidate& c, RankKey key) {
    constexpr double missing = std::numeric_limits<double>::max();
    switch (key) {
        case RankKey::Loss:
            return c.totalLoss;
        case RankKey::Trise:
            return c.tempRise;
        case RankKey::Weight:
            return c.totalWeight;
        case RankKey::Cost:
            return c.cost.value_or(missing);
        case RankKey::Volume:
            return c.volume.value_or(missing);
    }
    return missing;
}

auto identity(const Candidate& c) {
    return std::tie(c.core, c.material, c.type);
}

}  // namespace

std::string_view rankKeyName(RankKey key) noexcept {
    for (const auto& [k, name] : kKeyNames) {
        if (k == key) {
            return name;
        }
    }
    return {};
}

std::optional<RankKey> rankKeyFromName(std::string_view name) noexcept {
    for (const auto& [key, keyName] : kKeyNames) {
        if (keyName == name) {
            return key;
        }
    }
    return std::nullopt;
}

void judge(Candidate& c, const Limits& limits) {
    c.feasible = false;
    if (!c.completed) {
        return;  // the reason is the window's message
    }
    // Areas as the core page shows them; an area product it could not show is no proof.
    if (!c.coreAP || *c.coreAP < limits.minAP) {
        c.reason = kApTooSmall;
    } else if (!(c.bmax <= limits.bmax)) {
        c.reason = kBmaxAboveLimit;
    } else if (!c.fill || !(*c.fill <= limits.windowUtilisation)) {
        c.reason = kWindowOverfull;
    } else if (limits.maxTempRise && !(c.tempRise <= *limits.maxTempRise)) {
        c.reason = kTooHot;
    } else {
        c.reason.clear();
        c.feasible = true;
    }
}

// Sorts positions rather than the candidates themselves: a candidate is a few hundred
// bytes, and a ranking of a large catalogue holds hundreds of thousands.
void orderCandidates(std::vector<Candidate>& candidates, RankKey key) {
    std::vector<std::size_t> order(candidates.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::vector<double> values(candidates.size());
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        values[i] = sortValue(candidates[i], key);
    }
    std::sort(order.begin(), order.end(), [&](std::size_t ia, std::size_t ib) {
        const Candidate& a = candidates[ia];
        const Candidate& b = candidates[ib];
        if (a.feasible != b.feasible) {
            return a.feasible;
        }
        if (a.feasible && values[ia] != values[ib]) {
            return values[ia] < values[ib];
        }
        const auto ta = identity(a);
        const auto tb = identity(b);
        return ta != tb ? ta < tb : ia < ib;
    });
    std::vector<Candidate> sorted;
    sorted.reserve(candidates.size());
    int rank = 0;
    for (const std::size_t i : order) {
        Candidate& c = sorted.emplace_back(std::move(candidates[i]));
        c.rank = c.feasible ? ++rank : 0;
    }
    candidates = std::move(sorted);
}

void markPareto(std::vector<Candidate>& candidates) {
    std::vector<Candidate*> feasible;
    for (Candidate& c : candidates) {
        c.pareto = false;
        if (c.feasible) {
            feasible.push_back(&c);
        }
    }
    std::sort(feasible.begin(), feasible.end(), [](const Candidate* a, const Candidate* b) {
        return std::tie(a->totalLoss, a->totalWeight) < std::tie(b->totalLoss, b->totalWeight);
    });
    // Sweeping up in loss, a candidate is beaten unless it is lighter than every one before
    // it; equal twins beat neither each other.
    double lightest = std::numeric_limits<double>::infinity();
    const Candidate* lastOnFront = nullptr;
    for (Candidate* c : feasible) {
        const bool twin = lastOnFront != nullptr && c->totalLoss == lastOnFront->totalLoss &&
                          c->totalWeight == lastOnFront->totalWeight;
        if (c->totalWeight < lightest || twin) {
            c->pareto = true;
            lastOnFront = c;
            lightest = std::min(lightest, c->totalWeight);
        }
    }
}

}  // namespace coilsmith::adviser
