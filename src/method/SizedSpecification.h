#pragma once

#include <string>

#include "method/DesignState.h"
#include "numeric/NumberText.h"

namespace coilsmith {

// A specification sized by "Calculate AP" (sizeAreaProduct), as a value: what designing a
// core and material for it needs besides the catalogue.
struct SizedSpecification {
    // The specification fields as the sizing left them, with the core and material loaded
    // before: a design starts from this state, as a design window does.
    DesignState state;
    float minimumAreaProductCm4 = 0;  // the sizing's area product
    // The inductance and its unit as typed, for the results' "Inductance" text.
    std::string inductanceText;
    std::string inductanceUnitText;
    NumberLocale locale;   // the results' "Relative Cost" text is written in it
    double ambientC = 25;  // the design check's ambient temperature
};

}  // namespace coilsmith
