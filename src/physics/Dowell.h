#pragma once

#include "physics/Result.h"

namespace coilsmith::physics {

// Dowell's AC resistance factor Fr = Rac/Rdc of a winding of m layers of round wire, the
// round conductor taken as a square of equal area and the layer's porosity d/do (bare over
// insulated diameter) folded into the penetration ratio:
//   Δ = (π/4)^¾ · (d/δ) · √(d/do),
//   Fr = Δ·[(sinh 2Δ + sin 2Δ)/(cosh 2Δ − cos 2Δ)
//           + (2(m² − 1)/3)·(sinh Δ − sin Δ)/(cosh Δ + cos Δ)].
// Near Δ = 0 both ratios lose every digit to cancellation, so small Δ takes the series
// Fr = 1 + (5m² − 1)/45·Δ⁴; large Δ takes the limit of both ratios (1), where cosh would
// overflow. Both switches are far inside the range where the neglected terms are below
// double precision.

// Skin depth δ = √(ρ/(π·f·µ0)) of a conductor of resistivity ρ at a frequency above 0.
Result<double> skinDepthM(double resistivityOhmM, double frequencyHz);

// Δ for bare diameter d and insulated diameter do at skin depth δ (all in metres).
Result<double> dowellPenetration(double bareDiameterM, double insulatedDiameterM,
                                 double skinDepthM);

// Fr for a penetration Δ ≥ 0 and at least one layer.
Result<double> dowellFactor(double penetration, long layers);

}  // namespace coilsmith::physics
