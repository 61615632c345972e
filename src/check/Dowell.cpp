#include "check/Dowell.h"

#include <cmath>

#include "method/PhysicalConstants.h"
#include "numeric/Fault.h"
#include "numeric/Num.h"

namespace coilsmith {

namespace {

// Below this Δ the series' first neglected term (order Δ⁸) is under 1e-16.
constexpr double kSeriesBelow = 1e-2;
// Above this Δ both hyperbolic ratios equal 1 to within e^-40.
constexpr double kLimitAbove = 20;

}  // namespace

double skinDepthM(double rhoOhmM, double frequencyHz) {
    if (!(frequencyHz > 0))
        throw Fault(FaultKind::DivisionByZero, "skin depth at zero frequency");
    return checkedSqrt(rhoOhmM / (kPi * frequencyHz * kMu0));
}

double dowellPenetration(double bareDiameter, double insulatedDiameter, double skinDepth) {
    if (!(skinDepth > 0) || !(insulatedDiameter > 0))
        throw Fault(FaultKind::DivisionByZero, "penetration ratio");
    return checkedFinite(std::pow(kPi / 4, 0.75) * (bareDiameter / skinDepth) *
                         checkedSqrt(bareDiameter / insulatedDiameter));
}

double dowellFactor(double penetration, int layers) {
    const double x = penetration;
    const double m2 = static_cast<double>(layers) * layers;
    if (x < kSeriesBelow)
        return 1 + (5 * m2 - 1) / 45 * x * x * x * x;
    if (x > kLimitAbove)
        return checkedFinite(x * (1 + 2 * (m2 - 1) / 3));
    const double skin = (std::sinh(2 * x) + std::sin(2 * x)) / (std::cosh(2 * x) - std::cos(2 * x));
    const double proximity = (std::sinh(x) - std::sin(x)) / (std::cosh(x) + std::cos(x));
    return checkedFinite(x * (skin + 2 * (m2 - 1) / 3 * proximity));
}

}  // namespace coilsmith
