#include "adviser/Ranking.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "adviser/ParetoFront.h"

namespace coilsmith::adviser {

namespace {

constexpr std::array<std::pair<RankKey, std::string_view>, 5> kKeyNames{{
    {RankKey::Loss, "loss"},
    {RankKey::TemperatureRise, "trise"},
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
        case RankKey::TemperatureRise:
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

// The first eight bytes of a text, zero-padded, as a number that orders like the text
// itself (texts compare their bytes as unsigned): unequal prefixes decide, equal ones
// leave the decision to the whole texts.
std::uint64_t prefixOf(const std::string& text) {
    std::uint64_t prefix = 0;
    const std::size_t n = std::min<std::size_t>(text.size(), 8);
    for (std::size_t i = 0; i < 8; ++i) {
        prefix <<= 8;
        if (i < n) {
            prefix |= static_cast<unsigned char>(text[i]);
        }
    }
    return prefix;
}

// What the ordering looks at, packed small: sorting these keeps the candidates
// themselves (a few hundred bytes each, hundreds of thousands of them) out of the
// comparisons except for the rare tie of two prefixes.
struct SortKey {
    double value;
    std::uint64_t core;
    std::uint64_t material;
    std::uint32_t position;
    std::uint8_t coreSize;  // up to 9: longer texts count as 9
    bool feasible;
};

// The positions, in `candidates`, of the candidates in ranked order (only reads them).
std::vector<std::uint32_t> rankedOrder(const std::vector<Candidate*>& candidates, RankKey key) {
    if (candidates.size() >= std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("too many candidates to rank");
    }
    std::vector<SortKey> keys;
    keys.reserve(candidates.size());
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const Candidate& c = *candidates[i];
        keys.push_back({c.feasible ? sortValue(c, key) : 0.0, prefixOf(c.core),
                        prefixOf(c.material), static_cast<std::uint32_t>(i),
                        static_cast<std::uint8_t>(std::min<std::size_t>(c.core.size(), 9)),
                        c.feasible});
    }
    std::sort(keys.begin(), keys.end(), [&](const SortKey& a, const SortKey& b) {
        if (a.feasible != b.feasible) {
            return a.feasible;
        }
        if (a.feasible && a.value != b.value) {
            return a.value < b.value;
        }
        if (a.core != b.core) {
            return a.core < b.core;
        }
        // Equal prefixes of equal length up to eight bytes: the whole core texts are equal.
        if (a.coreSize == b.coreSize && a.coreSize <= 8 && a.material != b.material) {
            return a.material < b.material;
        }
        const auto ta = identity(*candidates[a.position]);
        const auto tb = identity(*candidates[b.position]);
        return ta != tb ? ta < tb : a.position < b.position;
    });
    std::vector<std::uint32_t> order(keys.size());
    std::transform(keys.begin(), keys.end(), order.begin(),
                   [](const SortKey& k) { return k.position; });
    return order;
}

void numberRanks(std::vector<Candidate>& candidates) {
    int rank = 0;
    for (Candidate& c : candidates) {
        c.rank = c.feasible ? ++rank : 0;
    }
}

// Puts every candidate at its place in `order` (order[k]: the candidate that goes to
// place k), moving each one once, without a second vector of candidates.
void permute(std::vector<Candidate>& candidates, std::vector<std::uint32_t>& order) {
    constexpr std::uint32_t placed = std::numeric_limits<std::uint32_t>::max();
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (order[start] == placed || order[start] == start) {
            continue;
        }
        Candidate first = std::move(candidates[start]);
        std::size_t hole = start;
        while (order[hole] != start) {
            const std::size_t from = order[hole];
            candidates[hole] = std::move(candidates[from]);
            order[hole] = placed;
            hole = from;
        }
        candidates[hole] = std::move(first);
        order[hole] = placed;
    }
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
    // An area product that could not be had is no proof.
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
    std::vector<Candidate*> refs;
    refs.reserve(candidates.size());
    for (Candidate& c : candidates) {
        refs.push_back(&c);
    }
    std::vector<std::uint32_t> order = rankedOrder(refs, key);
    refs = {};
    permute(candidates, order);
    numberRanks(candidates);
}

std::vector<Candidate> orderedCandidates(std::vector<std::vector<Candidate>>& parts, RankKey key) {
    std::vector<Candidate*> refs;
    for (auto& part : parts) {
        for (Candidate& c : part) {
            refs.push_back(&c);
        }
    }
    const std::vector<std::uint32_t> order = rankedOrder(refs, key);
    std::vector<Candidate> ordered;
    ordered.reserve(order.size());
    for (const std::uint32_t position : order) {
        ordered.push_back(std::move(*refs[position]));
    }
    parts.clear();
    numberRanks(ordered);
    return ordered;
}

void markPareto(std::vector<Candidate>& candidates) {
    markParetoFront(candidates,
                    [](const Candidate& c) { return std::pair(c.totalLoss, c.totalWeight); });
}

}  // namespace coilsmith::adviser
