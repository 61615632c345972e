#pragma once

// The constants of the design's physics, each named once. Their values are the program's
// own: results must match the figures engineers have been checking designs against.

namespace coilsmith {

// π as the program has always used it, not the full-precision value.
inline constexpr double kPi = 3.141592654;
// Permeability of free space µ0 = 4π·1e-7 H/m (with the program's π).
inline constexpr double kMu0 = 4 * kPi * 1e-7;
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
inline constexpr double kSquareCmPerSquareMetre = 1e4;
// Flux density of one weber per cm², in tesla (Bmax) and in gauss (Bac).
inline constexpr double kTeslaPerWeberPerSquareCm = 1e4;
inline constexpr double kGaussPerWeberPerSquareCm = 1e8;
// Micro-ohm (of the resistivity in µΩ·cm) to ohm.
inline constexpr double kOhmsPerMicroOhm = 1e-6;

// AWG diameter approximation d[cm] = 0.808507·10^(−AWG/20): 0.808507 cm is its AWG 0.
inline constexpr double kAwgZeroDiameterCm = 0.808507;
inline constexpr double kAwgDiameterDecadeGauges = 20;
// Gauge from the required bare area A[cm²]: AWG = −9.922·log10(A) − 2.691 (a fit).
inline constexpr double kAwgPerDecadeOfArea = -9.922;
inline constexpr double kAwgOfOneSquareCm = -2.691;

// Copper resistivity 1.724 µΩ·cm (annealed copper at 20 °C), and density 8.89 g/cm³.
inline constexpr double kCopperResistivityMicroOhmCm = 1.724;
inline constexpr double kCopperDensityGramsPerCm3 = 8.89;

// Temperature rise of a wound core in still air: ΔT[°C] = (P[mW] / (1.1·S[cm²]))^0.833.
inline constexpr double kTempRiseSurfaceFactor = 1.1;
inline constexpr double kTempRiseExponent = 0.833;

}  // namespace coilsmith
