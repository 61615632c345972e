#pragma once

// The constants of the physics core, each named once with its unit and where it comes from.
// Inside the core everything is SI; the conversions below are for the laws and fits that
// were published in other units (oersted, gauss, mW/cm³, cm²).

namespace coilsmith::physics {

// π as the program has always used it. Kept (rather than the full-precision value) so that
// every figure agrees with the figures engineers have checked designs against.
inline constexpr double kPi = 3.141592654;

// Permeability of free space µ0 = 4π·1e-7 H/m (with the program's π).
inline constexpr double kMu0HPerM = 4 * kPi * 1e-7;

// Unit conversions.
inline constexpr double kMetresPerInch = 0.0254;
inline constexpr double kMetresPerCm = 0.01;
inline constexpr double kMetresPerMm = 0.001;
inline constexpr double kMetresPerKm = 1e3;
inline constexpr double kSquareCmPerSquareMetre = 1e4;
inline constexpr double kCubicCmPerCubicMetre = 1e6;
inline constexpr double kMilliwattsPerWatt = 1e3;
inline constexpr double kGaussPerTesla = 1e4;
inline constexpr double kFractionPerPercent = 0.01;
inline constexpr double kMicrohenriesPerHenry = 1e6;
// 1 A/m = 4π·1e-3 Oe (H[Oe] = 0.4π·N·I / l[cm]).
inline constexpr double kOerstedPerAmperePerMetre = 4e-3 * kPi;

// Annealed copper at 20 °C: ρ20 = 1/58 Ω·mm²/m = 1.7241e-8 Ω·m (the international
// annealed copper standard; the wire table's resistances come from it).
inline constexpr double kCopperResistivity20OhmM = 1.7241e-8;
inline constexpr double kCopperReferenceTemperatureC = 20;
// Temperature coefficient of annealed copper referred to 20 °C, for ρ and R alike.
inline constexpr double kCopperTemperatureCoefficientPerK = 0.00393;
// Copper density 8.89 g/cm³.
inline constexpr double kCopperDensityKgPerM3 = 8890;

// The wire table's gauge against the bare copper area: AWG = −9.922·log10(A[cm²]) − 2.691
// (a fit of the table).
inline constexpr double kAwgPerDecadeOfArea = -9.922;
inline constexpr double kAwgOfOneSquareCm = -2.691;

// Temperature rise of a wound core in still air, the design's own empirical law:
// ΔT[°C] = (P[mW] / (1.1·S[cm²]))^0.833, S the core's outer surface.
inline constexpr double kSurfaceLawMilliwattsPerSquareCm = 1.1;
inline constexpr double kSurfaceLawExponent = 0.833;

}  // namespace coilsmith::physics
