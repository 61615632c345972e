#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string_view>
#include <vector>

#include "adviser/AdviserEngine.h"

namespace coilsmith::adviser {

enum class OutputFormat { Table, Csv, Json };
std::optional<OutputFormat> outputFormatFromName(std::string_view name) noexcept;

struct OutputOptions {
    std::size_t top = 0;  // at most this many feasible candidates; 0 for all of them
    bool all = false;     // the candidates that are not feasible too, after the others
};

// The candidates to write, in ranking order.
std::vector<const Candidate*> selectCandidates(const Ranking& ranking,
                                               const OutputOptions& options);

// An aligned table for people; numbers as the results page shows them.
void writeTable(std::ostream& out, const Ranking& ranking, const OutputOptions& options);
// One header line of the JSON keys, then one line per candidate; numbers in full
// precision with a full stop, an empty field for a missing value.
void writeCsv(std::ostream& out, const Ranking& ranking, const OutputOptions& options);
// One object: the limits and the candidates; a missing value is null.
void writeJson(std::ostream& out, const Ranking& ranking, const OutputOptions& options);

void writeRanking(std::ostream& out, const Ranking& ranking, OutputFormat format,
                  const OutputOptions& options);

// The keys of the JSON (and the columns of the CSV), for the command's help.
extern const std::string_view kRankingKeysHelp;

}  // namespace coilsmith::adviser
