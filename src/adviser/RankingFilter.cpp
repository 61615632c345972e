#include "adviser/RankingFilter.h"

#include <algorithm>
#include <array>
#include <utility>

namespace coilsmith::adviser {

namespace {

constexpr std::array<std::pair<CoreTypeFilter, std::string_view>, 3> kFilterNames{{
    {CoreTypeFilter::Both, "both"},
    {CoreTypeFilter::ECore, "ecore"},
    {CoreTypeFilter::Toroid, "toroid"},
}};

bool admits(CoreTypeFilter filter, CoreType type) {
    switch (filter) {
        case CoreTypeFilter::Both:
            return true;
        case CoreTypeFilter::ECore:
            return type == CoreType::ECore;
        case CoreTypeFilter::Toroid:
            return type == CoreType::Toroid;
    }
    return true;
}

}  // namespace

std::string_view coreTypeFilterName(CoreTypeFilter filter) noexcept {
    for (const auto& [f, name] : kFilterNames) {
        if (f == filter) {
            return name;
        }
    }
    return {};
}

std::optional<CoreTypeFilter> coreTypeFilterFromName(std::string_view name) noexcept {
    for (const auto& [filter, filterName] : kFilterNames) {
        if (filterName == name) {
            return filter;
        }
    }
    return std::nullopt;
}

Ranking filteredRanking(const Ranking& all, const RankingFilter& filter, RankKey key) {
    Ranking shown;
    shown.problem = all.problem;
    shown.stopped = all.stopped;
    shown.key = key;
    shown.limits = all.limits;
    shown.limits.maxTempRise = filter.maxTempRise;
    shown.checkedOnly = all.checkedOnly || filter.checkedOnly;
    for (const Candidate& c : all.candidates) {
        if (admits(filter.types, c.type) && (!filter.checkedOnly || c.checkPassed)) {
            shown.candidates.push_back(c);
            judge(shown.candidates.back(), shown.limits);
        }
    }
    orderCandidates(shown.candidates, key);
    markPareto(shown.candidates);
    shown.feasibleCount =
        static_cast<std::size_t>(std::count_if(shown.candidates.begin(), shown.candidates.end(),
                                               [](const Candidate& c) { return c.feasible; }));
    return shown;
}

}  // namespace coilsmith::adviser
