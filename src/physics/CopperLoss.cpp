#include "physics/CopperLoss.h"

#include <cmath>

#include "physics/Constants.h"
#include "physics/Dowell.h"
#include "physics/Ripple.h"

namespace coilsmith::physics {

double dcResistanceOhm(double lengthM, double resistanceOhmPerM) {
    return lengthM * resistanceOhmPerM;
}

Result<double> hotResistanceFactor(double temperatureC) {
    const double factor =
        1 + kCopperTemperatureCoefficientPerK * (temperatureC - kCopperReferenceTemperatureC);
    if (!(std::isfinite(factor) && factor > 0))
        return problem("copper has no resistance at this temperature");
    return factor;
}

Result<double> copperResistivityOhmM(double temperatureC) {
    const Result<double> factor = hotResistanceFactor(temperatureC);
    if (!factor)
        return factor.problem();
    return kCopperResistivity20OhmM * *factor;
}

Result<CopperLoss> copperLossAt(const WindingCopper& copper, const RippleCurrent& current,
                                double temperatureC) {
    const Result<double> factor = hotResistanceFactor(temperatureC);
    if (!factor)
        return factor.problem();
    CopperLoss loss;
    loss.resistanceOhm = copper.resistance20Ohm * *factor;
    loss.dcLossW = current.dcCurrentA * current.dcCurrentA * loss.resistanceOhm;
    if (current.frequencyHz > 0) {
        const double rho = *copperResistivityOhmM(temperatureC);  // as the factor, no problem
        for (int n = 1; n <= kHighestRippleHarmonic; n += 2) {
            const Result<double> depth = skinDepthM(rho, n * current.frequencyHz);
            if (!depth)
                return depth.problem();
            const Result<double> penetration = dowellPenetration(
                copper.wire.bareDiameterM, copper.wire.insulatedDiameterM, *depth);
            if (!penetration)
                return penetration.problem();
            const Result<double> fr = dowellFactor(*penetration, copper.layers);
            if (!fr)
                return fr.problem();
            if (n == 1)
                loss.fundamentalFr = *fr;
            const double irms = rippleHarmonicRmsA(current.ripplePeakToPeakA, n);
            loss.acLossW += irms * irms * loss.resistanceOhm * *fr;
        }
    }
    if (!(std::isfinite(loss.dcLossW) && std::isfinite(loss.acLossW)))
        return problem("the copper loss is not a finite number");
    return loss;
}

}  // namespace coilsmith::physics
