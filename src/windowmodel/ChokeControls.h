#pragma once

#include <vector>

#include "windowmodel/ChokeModel.h"

namespace coilsmith {

// The design window's text boxes, combo boxes and option buttons in control order (the
// order the design file lists them), with their texts, lists, flags and tooltips as the
// window starts.
std::vector<Control> makeDesignControls();

}  // namespace coilsmith
