#pragma once

#include "method/DesignState.h"
#include "physics/DeliveredDesign.h"

namespace coilsmith {

// The specification the design state was sized for, in SI, as the delivered design takes it:
// the required inductance, DC current, ripple, the rms current that chooses the gauge, the
// frequency, the allowed current density and the window utilisation.
physics::ChokeSpecification deliveredSpecification(const DesignState& state);

}  // namespace coilsmith
