#include "physics/Permeability.h"

#include <cmath>
#include <string>

namespace coilsmith::physics {

std::optional<Problem> problemOf(const BiasCurve& c) {
    if (!(std::isfinite(c.offset) && c.offset > 0))
        return problem("the bias curve's a is not a positive number");
    if (!(std::isfinite(c.fieldFactor) && c.fieldFactor >= 0))
        return problem("the bias curve's b is negative or not a number");
    if (!(std::isfinite(c.fieldExponent) && c.fieldExponent > 0))
        return problem("the bias curve's c is not a positive number");
    return std::nullopt;
}

double biasPercent(const BiasCurve& curve, double fieldOe) {
    return 1 /
           (curve.offset + curve.fieldFactor * std::pow(std::fabs(fieldOe), curve.fieldExponent));
}

}  // namespace coilsmith::physics
