// Arbitrary text to the number parser; every number it accepts must format and read back.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "magnetics/NumberText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace coilsmith;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const NumberLocale& locale : {NumberLocale{}, NumberLocale{",", "."}}) {
        const auto value = parseNumber(text, locale);
        if (!value) {
            continue;
        }
        if (!std::isfinite(*value)) {
            __builtin_trap();  // the parser promises finite numbers or nothing
        }
        const auto again = parseNumber(formatNumber(*value, locale), locale);
        if (!again || *again != *value) {
            __builtin_trap();
        }
        for (int decimals = 0; decimals <= 4; ++decimals) {
            if (formatFixed(*value, decimals, locale).empty()) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
