#pragma once

namespace coilsmith {

// Dowell's AC resistance factor Fr = Rac/Rdc of a winding of m layers of round wire,
// with the round conductor taken as a square of equal area and the layer's porosity
// d/do (bare over insulated diameter) folded into the penetration ratio:
//   Δ = (π/4)^¾ · (d/δ) · √(d/do),
//   Fr = Δ·[(sinh 2Δ + sin 2Δ)/(cosh 2Δ − cos 2Δ)
//           + (2(m² − 1)/3)·(sinh Δ − sin Δ)/(cosh Δ + cos Δ)].
// Near Δ = 0 both ratios lose every digit to cancellation, so small Δ takes the series
// Fr = 1 + (5m² − 1)/45·Δ⁴; large Δ takes the limit of both ratios (1), where cosh would
// overflow. Both switches are far inside the range where the neglected terms are below
// double precision.

// Skin depth in m of copper of resistivity rhoOhmM at frequencyHz (> 0).
double skinDepthM(double rhoOhmM, double frequencyHz);

// Δ for bare diameter d and insulated diameter dOver (same unit) at skin depth delta
// (the unit of d).
double dowellPenetration(double bareDiameter, double insulatedDiameter, double skinDepth);

// Fr for penetration delta >= 0 and layers >= 1.
double dowellFactor(double penetration, int layers);

}  // namespace coilsmith
