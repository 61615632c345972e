#pragma once

#include <optional>
#include <string>

#include "magnetics/DesignState.h"
#include "magnetics/NumberText.h"

namespace coilsmith {

// The five typed inputs of the specification page, as the user typed them.
struct SpecificationTexts {
    std::string Ldes, FD, DCC, ACC, Freq;
};

struct SizingOutcome {
    // Set when an input failed to read: the message to show ("Re-Enter Inductance Value"
    // ...). Nothing else changed then, except the fields of the inputs read before it.
    std::optional<std::string> message;
    std::string apText;  // "#0.000" text of the area product, when no message
    float ap = 0;        // the area product in cm^4, single precision
};

// "Calculate AP": reads and scales the inputs into `state` in a fixed order, stops at the
// first bad input (not a number, too large, an inductance or flux density not above zero,
// a negative current or frequency), then sizes (peak and rms current, stored energy, area
// product) under the skip rule: a failing sizing step leaves its target as it was.
SizingOutcome sizeAreaProduct(DesignState& state, const SpecificationTexts& texts,
                              const NumberLocale& locale = {});

}  // namespace coilsmith
