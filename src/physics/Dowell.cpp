#include "physics/Dowell.h"

#include <cmath>

#include "physics/Constants.h"

namespace coilsmith::physics {

namespace {

// Below this Δ the series' first neglected term (order Δ⁸) is under 1e-16.
constexpr double kSeriesBelow = 1e-2;
// Above this Δ both hyperbolic ratios equal 1 to within e^-40.
constexpr double kLimitAbove = 20;
// Δ = (π/4)^¾ · …: a round wire as the square of equal area.
constexpr double kSquareOfEqualAreaExponent = 0.75;
// The series Fr = 1 + (5m² − 1)/45·Δ⁴.
constexpr double kSeriesSquareFactor = 5;
constexpr double kSeriesDivisor = 45;
// The proximity term's weight 2(m² − 1)/3.
constexpr double kProximityDivisor = 3;

Result<double> finite(double value, const char* what) {
    if (!std::isfinite(value))
        return problem(std::string("the ") + what + " is not a finite number");
    return value;
}

}  // namespace

Result<double> skinDepthM(double resistivityOhmM, double frequencyHz) {
    if (!(frequencyHz > 0))
        return problem("no skin depth at a frequency that is not positive");
    if (!(resistivityOhmM > 0))
        return problem("no skin depth for a resistivity that is not positive");
    return finite(std::sqrt(resistivityOhmM / (kPi * frequencyHz * kMu0HPerM)), "skin depth");
}

Result<double> dowellPenetration(double bareDiameterM, double insulatedDiameterM,
                                 double skinDepthM) {
    if (!(skinDepthM > 0) || !(insulatedDiameterM > 0) || !(bareDiameterM >= 0))
        return problem("no penetration ratio without a positive skin depth and wire diameters");
    return finite(std::pow(kPi / 4, kSquareOfEqualAreaExponent) * (bareDiameterM / skinDepthM) *
                      std::sqrt(bareDiameterM / insulatedDiameterM),
                  "penetration ratio");
}

Result<double> dowellFactor(double penetration, long layers) {
    if (!(penetration >= 0) || layers < 1)
        return problem("no Dowell factor without a penetration and at least one layer");
    const double x = penetration;
    const double m2 = static_cast<double>(layers) * static_cast<double>(layers);
    if (x < kSeriesBelow)
        return 1 + (kSeriesSquareFactor * m2 - 1) / kSeriesDivisor * x * x * x * x;
    if (x > kLimitAbove)
        return finite(x * (1 + 2 * (m2 - 1) / kProximityDivisor), "Dowell factor");
    // One expm1 and one sincos give every term: with the double angles written out,
    // (sinh 2Δ + sin 2Δ)/(cosh 2Δ − cos 2Δ) = (sinh Δ·cosh Δ + sin Δ·cos Δ)/(sinh² Δ + sin² Δ),
    // whose denominator does not cancel.
    const double expm1X = std::expm1(x);
    const double sinhX = (expm1X + expm1X / (expm1X + 1)) / 2;
    const double coshX = sinhX + 1 / (expm1X + 1);
    const double sinX = std::sin(x);
    const double cosX = std::cos(x);
    const double skin = (sinhX * coshX + sinX * cosX) / (sinhX * sinhX + sinX * sinX);
    const double proximity = (sinhX - sinX) / (coshX + cosX);
    return finite(x * (skin + 2 * (m2 - 1) / kProximityDivisor * proximity), "Dowell factor");
}

}  // namespace coilsmith::physics
