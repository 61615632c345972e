#pragma once

#include <optional>

#include "physics/Result.h"

namespace coilsmith::physics {

// The permeability models of a powder mix. The makers publish their curve fits with H in
// oersted and B in gauss, so these functions take those units (named in the argument).

// The maker's published DC-bias curve: %µ(H) = 1 / (a + b·H^c), percent of the initial
// permeability, H in oersted. At H = 0 it gives 1/a (100 % for a = 0.01).
struct BiasCurve {
    double offset = 0;         // a
    double fieldFactor = 0;    // b, Oe^-c
    double fieldExponent = 0;  // c
};

// What makes a curve unusable: a must be positive, b not negative, c positive, all finite
// (so the percentage is finite and falls with the field).
std::optional<Problem> problemOf(const BiasCurve& curve);

// %µ at the field magnitude |H| (the curve is even in H). Only for a curve without a
// problem; the result is then finite and positive.
double biasPercent(const BiasCurve& curve, double fieldOe);

}  // namespace coilsmith::physics
