#pragma once

#include <optional>
#include <string>

#include "method/DesignState.h"
#include "numeric/NumberText.h"

namespace coilsmith {

// The values the two editable lists accept, typed or chosen: a current density in A/cm²
// and the share of the window that copper may fill.
inline constexpr double kLowestCurrentDensityAPerCm2 = 50;
inline constexpr double kHighestCurrentDensityAPerCm2 = 2000;
inline constexpr double kLowestWindowUtilisation = 0.05;
inline constexpr double kHighestWindowUtilisation = 0.9;

// The typed inputs of the specification page, as the user typed them. CurD and WU are the
// texts of the two editable lists; without them Jdes and Ku are taken as they stand.
struct TypedSpecification {
    // Ldes, FD, DCC, ACC, Freq; CurD and WU.
    std::string inductance, fluxDensity, dcCurrent, rippleCurrent, frequency;
    std::optional<std::string> currentDensity{}, windowUtilisation{};
};

struct SizingOutcome {
    // Set when an input failed to read: the message to show ("Re-Enter Inductance Value"
    // ...). Nothing else changed then, except the fields of the inputs read before it.
    std::optional<std::string> message;
    std::string apText;  // "#0.000" text of the area product, when no message
    float ap = 0;        // the area product in cm^4, single precision
};

// "Calculate AP": reads and scales the inputs into `state` in a fixed order, stops at the
// first bad input (not a number, too large, an inductance, flux density or frequency not
// above zero, a negative current, a current density or window utilisation outside its
// range), then sizes (peak and rms current, stored energy, area product) under the skip
// rule: a failing sizing step leaves its target as it was.
SizingOutcome sizeAreaProduct(DesignState& state, const TypedSpecification& texts,
                              const NumberLocale& locale = {});

}  // namespace coilsmith
