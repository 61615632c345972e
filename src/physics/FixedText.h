#pragma once

#include <string>

namespace coilsmith::physics {

// A number as fixed-point text with `decimals` decimals and "." as the separator, for the
// reasons and verdicts the models give: the readable decimal (at most 15 significant digits)
// rounded half up, so 2.3625 shows as 2.363 although it is stored a hair below. A value that
// is not finite reads "not a number".
std::string fixedText(double value, int decimals);

}  // namespace coilsmith::physics
