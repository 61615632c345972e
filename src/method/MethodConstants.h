#pragma once

// The method's own unit factors and fitted values. Physical constants (π, µ0, copper's
// density, the surface law) are the physics core's, named once in physics/Constants.h.

#include "physics/Constants.h"

namespace coilsmith {

using physics::kPi;

// Field of one ampere-turn per cm of path, in oersted: H[Oe] = 0.4π·N·I / l[cm].
inline constexpr double kOerstedPerAmpereTurnPerCm = 0.4 * kPi;
// The results page shows H in A/cm as 0.798·H[Oe] (1 Oe is 0.7958 A/cm; 0.798 is kept).
inline constexpr double kAmperesPerCmPerOersted = 0.798;
// Gauss per tesla: the page shows Bac in T as 1e-4·Bac[G].
inline constexpr double kTeslaPerGauss = 1e-4;
// Ohm to milliohm, for the resistance shown.
inline constexpr double kMilliohmsPerOhm = 1000;
// Square metres per square centimetre: Ac[cm²] to m², and Jdes[A/m²] to A/cm².
inline constexpr double kSquareMetresPerSquareCm = 1e-4;
// Square centimetres per square metre: a current density in A/cm² to Jdes[A/m²].
inline constexpr double kSquareCmPerSquareMetre = physics::kSquareCmPerSquareMetre;
// Flux density of one weber per cm², in tesla (Bmax) and in gauss (Bac).
inline constexpr double kTeslaPerWeberPerSquareCm = 1e4;
inline constexpr double kGaussPerWeberPerSquareCm = 1e8;
// Micro-ohm (of the resistivity in µΩ·cm) to ohm.
inline constexpr double kOhmsPerMicroOhm = 1e-6;

// AWG diameter approximation d[cm] = 0.808507·10^(−AWG/20): 0.808507 cm is its AWG 0.
inline constexpr double kAwgZeroDiameterCm = 0.808507;
inline constexpr double kAwgDiameterDecadeGauges = 20;

// The method's copper resistivity: physics::kCopperResistivity20OhmM (1.7241e-8 Ω·m) rounded
// to 1.724 µΩ·cm. Kept rounded: the resistance and copper loss are printed from it.
inline constexpr double kCopperResistivityMicroOhmCm = 1.724;
// Copper's density in g/cm³ (8.89), the physics core's kg/m³ figure in the method's units.
inline constexpr double kCopperDensityGramsPerCm3 = physics::kCopperDensityKgPerM3 / 1000;
static_assert(kCopperDensityGramsPerCm3 == 8.89);

}  // namespace coilsmith
