#include "physics/Ripple.h"

#include <cmath>
#include <numbers>

#include "physics/Constants.h"

namespace coilsmith::physics {

double peakCurrentA(double dcCurrentA, double ripplePeakToPeakA) {
    return ripplePeakToPeakA / 2 + dcCurrentA;
}

double rmsCurrentA(double dcCurrentA, double ripplePeakToPeakA) {
    const double rippleRms = (ripplePeakToPeakA / 2) / std::numbers::sqrt3;
    return std::sqrt(rippleRms * rippleRms + dcCurrentA * dcCurrentA);
}

double rippleHarmonicRmsA(double ripplePeakToPeakA, int harmonic) {
    if (harmonic < 1 || harmonic % 2 == 0)
        return 0;
    const double n = harmonic;
    return 4 * ripplePeakToPeakA / (kPi * kPi * n * n * std::numbers::sqrt2);
}

}  // namespace coilsmith::physics
