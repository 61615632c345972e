#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace coilsmith::csx {

// One record of a CSV text and the line it starts on (1 = the header line).
struct CsvRecord {
    int line = 0;
    std::vector<std::string> cells;
};

// Splits comma-separated text into records: double-quoted cells may hold commas, quotes
// ("") and line breaks; CR LF line ends are accepted; blank lines are skipped. An
// unterminated quote throws CsvError naming the line it started on.
std::vector<CsvRecord> parseCsv(std::string_view text);

struct CsvError {
    int line;
    std::string reason;
};

}  // namespace coilsmith::csx
