#pragma once

#include <string>
#include <string_view>

// The pieces of the command line's CSV and JSON output that every table shares.
namespace coilsmith::cli {

// Shortest text that reads back to the same double, always with a full stop.
std::string shortestNumber(double value);

// A JSON string literal: quotes, backslashes and control characters escaped.
std::string jsonString(std::string_view text);

// A CSV field, quoted (with doubled quotes) only where a comma, quote or line break needs it.
std::string csvField(std::string_view text);

}  // namespace coilsmith::cli
