#pragma once

#include <optional>
#include <string_view>

#include "adviser/AdviserEngine.h"

namespace coilsmith::adviser {

enum class CoreTypeFilter { Both, ECore, Toroid };

// "both", "ecore", "toroid": how a filter is remembered.
std::string_view coreTypeFilterName(CoreTypeFilter filter) noexcept;
std::optional<CoreTypeFilter> coreTypeFilterFromName(std::string_view name) noexcept;

// What the adviser window narrows a ranking to.
struct RankingFilter {
    CoreTypeFilter types = CoreTypeFilter::Both;
    std::optional<double> maxTempRise;  // deg C, no limit when empty
    bool checkedOnly = false;           // only candidates whose design check passes
};

// `all` (ranked without a temperature limit) as if it had been ranked with the filter: only
// the candidates of the chosen type (and, when asked, whose design check passes), judged
// again with the temperature limit, ordered by `key` and the Pareto set marked among the
// feasible that remain. Nothing is designed again, and the outcome is what rankCores gives
// with the same maxTempRise and checkedOnly.
Ranking filteredRanking(const Ranking& all, const RankingFilter& filter, RankKey key);

}  // namespace coilsmith::adviser
