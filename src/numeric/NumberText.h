#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace coilsmith {

// The separators of the user's locale. The GUI passes the user's, the command-line tool
// the one it is given; everything else is locale-independent.
struct NumberLocale {
    std::string decimalPoint = ".";
    std::string groupSeparator = ",";
};

// Fixed patterns "#0" ("decimals" 0) to "#0.0000" (4): at least one digit before the
// separator, exactly `decimals` after it, no grouping, half away from zero, a leading
// minus for negative values; a value that rounds to zero prints without a minus.
std::string formatFixed(double value, int decimals, const NumberLocale& locale = {});

// The ordinary text form of a catalogue value: the shortest text that reads back to the
// same double, at most 15 significant digits, no exponent between 1e-5 and 1e15
// ("2", not "2.0"; "0.25"; "1E-06" style outside that range).
std::string formatNumber(double value, const NumberLocale& locale = {});

// Typed text to number: blanks around, an optional sign, digits with optional grouping
// separators, an optional decimal part and exponent. Empty, non-numeric and overflowing
// text gives nullopt.
std::optional<double> parseNumber(std::string_view text, const NumberLocale& locale = {});

}  // namespace coilsmith
