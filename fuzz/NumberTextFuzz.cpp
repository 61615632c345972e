// Arbitrary text to the number parser. Every number it accepts must format to the text the
// formatter promises (the shortest exact text, or the value rounded to 15 significant
// digits when the exact one is longer), that text must read back, and formatting again
// must give the same text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "numeric/NumberText.h"

namespace {

// The double nearest to the value rounded to `digits` significant digits, worked out by the
// C library rather than by the formatter.
double roundedToSignificant(double value, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", digits - 1, value);
    return std::strtod(text, nullptr);
}

void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace coilsmith;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const NumberLocale& locale : {NumberLocale{}, NumberLocale{",", "."}}) {
        const auto value = parseNumber(text, locale);
        if (!value) {
            continue;
        }
        require(std::isfinite(*value));  // the parser promises finite numbers or nothing

        const std::string shown = formatNumber(*value, locale);
        const auto again = parseNumber(shown, locale);
        const double expected = roundedToSignificant(*value, 15);
        if (!std::isfinite(expected)) {
            // Within half a 15-digit step of the largest double: the rounded text lies
            // beyond it and reads as an overflow.
            require(!again);
            continue;
        }
        // When 15 digits hold the value exactly, `expected` is the value itself.
        require(again && *again == expected);
        // The text shown is stable: reading and showing it again changes nothing.
        require(formatNumber(*again, locale) == shown);

        for (int decimals = 0; decimals <= 4; ++decimals) {
            const std::string fixed = formatFixed(*value, decimals, locale);
            const auto fixedValue = parseNumber(fixed, locale);
            require(fixedValue.has_value());
            // Off by at most half the last shown decimal, plus the 15-digit rounding.
            const double step = std::pow(10.0, -decimals);
            require(std::fabs(*fixedValue - *value) <= 0.5 * step + 1e-14 * std::fabs(*value));
        }
    }
    return 0;
}
