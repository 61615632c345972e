#include "adviser/Ranking.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
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

void orderCandidates(std::vector<Candidate>& candidates, RankKey key) {
    std::stable_sort(candidates.begin(), candidates.end(),
                     [key](const Candidate& a, const Candidate& b) {
                         if (a.feasible != b.feasible) {
                             return a.feasible;
                         }
                         if (a.feasible) {
                             const double va = sortValue(a, key);
                             const double vb = sortValue(b, key);
                             if (va != vb) {
                                 return va < vb;
                             }
                         }
                         return identity(a) < identity(b);
                     });
    int rank = 0;
    for (Candidate& c : candidates) {
        c.rank = c.feasible ? ++rank : 0;
    }
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
