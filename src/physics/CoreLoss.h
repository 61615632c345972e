#pragma once

#include "physics/Result.h"

namespace coilsmith::physics {

// The maker's core-loss fit of a powder mix, published in gauss, Hz and mW/cm³:
//   Pv = f / (al/B³ + bl/B^2.3 + cl/B^1.65) + dl·f²·B²,
// B the peak AC flux density. The first part is the hysteresis loss, the second the eddy
// current loss.
struct CoreLossFit {
    double cubeCoefficient = 0;       // al
    double power2_3Coefficient = 0;   // bl
    double power1_65Coefficient = 0;  // cl
    double eddyCoefficient = 0;       // dl
};

// The loss density in W/m³ at a peak AC flux density (T, not negative) and a frequency
// (Hz, not negative). No AC flux gives no loss, the limit of the fit, unless the fit has no
// flux-dependent term at all (a Problem).
Result<double> coreLossDensityWPerM3(const CoreLossFit& fit, double acFluxDensityT,
                                     double frequencyHz);

// The peak AC flux density of the ripple: Bac = L·ΔI / (2·N·Ac) (half the swing of N·Φ = L·I).
Result<double> acFluxDensityT(double inductanceH, double ripplePeakToPeakA, long turns,
                              double crossSectionM2);

}  // namespace coilsmith::physics
