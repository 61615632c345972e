#pragma once

#include "adviser/AdviserEngine.h"
#include "adviser/DeliveredRanking.h"
#include "adviser/RankingFilter.h"

// The delivered ranking in the adviser window's rows: each delivered design as a candidate
// with its stack, turns, gauge, L at Idc, hot loss, hot rise and true weight, so that the
// window's table, chart and double click take it as they take the method's designs.
namespace coilsmith::adviser {

// One delivered candidate as a row: loss, rise and weight hot and true, weight in grams,
// volume in cm³; the texts the table shows for turns, gauge, loss, weight and rise.
Candidate windowCandidate(const DeliveredCandidate& delivered);

// `ranking` (ranked by `key`) kept to the core types of `types`, ordered again with the
// ranks and the Pareto set marked among the candidates that remain, as rows.
Ranking deliveredWindowRanking(DeliveredRanking ranking, CoreTypeFilter types, RankKey key);

}  // namespace coilsmith::adviser
