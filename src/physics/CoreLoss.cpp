#include "physics/CoreLoss.h"

#include <cmath>

#include "physics/Constants.h"

namespace coilsmith::physics {

namespace {

// The exponents of the fit.
constexpr double kCube = 3;
constexpr double kPower2_3 = 2.3;
constexpr double kPower1_65 = 1.65;
// mW/cm³ to W/m³.
constexpr double kWattsPerM3PerMilliwattPerCm3 = kCubicCmPerCubicMetre / kMilliwattsPerWatt;

}  // namespace

Result<double> coreLossDensityWPerM3(const CoreLossFit& fit, double acFluxDensityT,
                                     double frequencyHz) {
    if (!(std::isfinite(acFluxDensityT) && acFluxDensityT >= 0))
        return problem("the AC flux density is negative or not a number");
    if (!(std::isfinite(frequencyHz) && frequencyHz >= 0))
        return problem("the frequency is negative or not a number");
    const bool fluxTerms =
        fit.cubeCoefficient != 0 || fit.power2_3Coefficient != 0 || fit.power1_65Coefficient != 0;
    if (!fluxTerms)
        return problem("the material's loss fit has no flux-dependent term");
    if (acFluxDensityT == 0)
        return 0.0;
    const double b = acFluxDensityT * kGaussPerTesla;
    const double hysteresis = frequencyHz / (fit.cubeCoefficient / std::pow(b, kCube) +
                                             fit.power2_3Coefficient / std::pow(b, kPower2_3) +
                                             fit.power1_65Coefficient / std::pow(b, kPower1_65));
    const double eddy = fit.eddyCoefficient * frequencyHz * frequencyHz * b * b;
    const double density = (hysteresis + eddy) * kWattsPerM3PerMilliwattPerCm3;
    if (!std::isfinite(density))
        return problem("the core loss is not a finite number at this flux density");
    return density;
}

Result<double> acFluxDensityT(double inductanceH, double ripplePeakToPeakA, long turns,
                              double crossSectionM2) {
    if (turns < 1)
        return problem("no flux density without turns");
    if (!(std::isfinite(crossSectionM2) && crossSectionM2 > 0))
        return problem("the cross-section is not a positive number");
    const double b =
        inductanceH * ripplePeakToPeakA / (2 * static_cast<double>(turns) * crossSectionM2);
    if (!(std::isfinite(b) && b >= 0))
        return problem("the AC flux density is negative or not a number");
    return b;
}

}  // namespace coilsmith::physics
