#pragma once

#include <iosfwd>
#include <string_view>

#include "adviser/DeliveredRanking.h"
#include "cli/RankingFormats.h"

// `rank --delivered` output: the delivered designs of the catalogue, ranked.
namespace coilsmith::cli {

// What the ranking was asked for, for the heading and the JSON's limits.
struct DeliveredRankingHeading {
    int maxStackCount = 3;
    double ambientC = 25;
    std::optional<double> maxTemperatureRiseC;
};

// Table: a heading line, then aligned columns of the main figures. CSV: one header line of
// the keys, one line per candidate. JSON: the request's limits and the candidates, each
// with every key of the check's "delivered" object. `options` chooses the rows as the
// method's ranking does (--top, --all).
void writeDeliveredRanking(std::ostream& out, const adviser::DeliveredRanking& ranking,
                           const DeliveredRankingHeading& heading, adviser::OutputFormat format,
                           const adviser::OutputOptions& options);

// The keys beyond the delivered design's own, for the command's help.
extern const std::string_view kDeliveredRankingKeysHelp;

}  // namespace coilsmith::cli
