#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The pieces of the command line's table and CSV output that every command shares. JSON
// is built with nlohmann-json (cli/JsonOutput.h).
namespace coilsmith::cli {

// Shortest text that reads back to the same double, always with a full stop.
std::string shortestNumber(double value);

// A value the design holds in single precision, as the double that prints as the float's
// shortest decimal: 0.4f gives 0.4, not 0.4000000059604645.
double singlePrecisionValue(float value);

// `text` with every byte sequence that is not UTF-8 replaced by U+FFFD.
std::string validUtf8(std::string_view text);

// A table cell that keeps the table a table: valid UTF-8, and every control character
// (a line break, a tab, an escape) replaced by U+FFFD, so that a row stays one line.
std::string tableCell(std::string_view text);

// Columns a valid UTF-8 text takes in a terminal: one per character.
std::size_t displayWidth(std::string_view utf8);

// A CSV field of valid UTF-8, quoted (with doubled quotes) only where a comma, quote or
// line break needs it.
std::string csvField(std::string_view text);

}  // namespace coilsmith::cli
