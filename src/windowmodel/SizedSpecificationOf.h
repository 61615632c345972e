#pragma once

#include <optional>

#include "method/SizedSpecification.h"
#include "windowmodel/ChokeModel.h"

namespace coilsmith {

// The specification the window shows, sized as "Calculate AP" sized it, with the core and
// material the window holds: what the adviser designs every candidate from. Empty until a
// "Calculate AP" succeeded, and when the specification changed since.
std::optional<SizedSpecification> sizedSpecificationOf(const ChokeModel& window);

}  // namespace coilsmith
