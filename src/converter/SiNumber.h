#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// Numbers as an engineer types them on the command line: "100u", "100µ", "4.7m", "100k",
// "2M", "10n", plain "0.3" or "1e-4", and input ranges "18:36". Locale-independent: the
// decimal separator is always a full stop.
namespace coilsmith::converter {

// A text that is not a number (or range); the message names the text and what is wrong.
class SiTextError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

// A decimal number with an optional sign and exponent, followed directly by at most one
// prefix: n (1e-9), u or µ (1e-6), m (1e-3), k (1e3), M (1e6). Blanks around are allowed.
// "4.7m" reads exactly as "4.7e-3" does. Infinite, NaN and out-of-range texts are refused.
double parseSiNumber(std::string_view text);

struct SiRange {
    double low = 0;
    double high = 0;
};

// "LOW:HIGH", each side a number as above ("18:36", "9:13.5", "100m:2"), or a single number
// for a range of one value. The order is not checked here.
SiRange parseSiRange(std::string_view text);

// The value with the prefix that puts 1 to 999 before the unit and `significantDigits`
// significant digits at most, trailing zeros dropped: "12 V", "33.3 µH", "892 mA",
// "100 kHz", "0 A". Outside the prefixes p…G it falls back to an exponent ("1e-15 H");
// infinite or NaN values read "out of range".
std::string formatSi(double value, std::string_view unit, int significantDigits = 4);

// A plain number with `significantDigits` significant digits at most: "0.97", "2.5", "1e-05".
std::string formatSignificant(double value, int significantDigits = 4);

}  // namespace coilsmith::converter
