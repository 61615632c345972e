#pragma once

#include "adviser/Candidate.h"
#include "windowmodel/ChokeModel.h"

namespace coilsmith::adviser {

// Picks the candidate's core type, core and material in `window` through its handlers and
// runs the design, as the engineer would by hand; the window lands on "Design Results". A
// delivered candidate first sets the window's delivered stack to its own.
void applyCandidate(ChokeModel& window, const Candidate& candidate);

}  // namespace coilsmith::adviser
