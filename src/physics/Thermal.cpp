#include "physics/Thermal.h"

#include <cmath>

#include "physics/Constants.h"

namespace coilsmith::physics {

Result<double> temperatureRiseC(double lossW, double surfaceM2) {
    if (!(std::isfinite(lossW) && lossW >= 0))
        return problem("the loss is negative or not a number");
    if (!(std::isfinite(surfaceM2) && surfaceM2 > 0))
        return problem("the outer surface is not a positive number");
    const double surfaceCm2 = surfaceM2 * kSquareCmPerSquareMetre;
    const double rise =
        std::pow(lossW * kMilliwattsPerWatt / (kSurfaceLawMilliwattsPerSquareCm * surfaceCm2),
                 kSurfaceLawExponent);
    if (!std::isfinite(rise))
        return problem("the temperature rise is not a finite number");
    return rise;
}

Result<HotPoint> settleHotTemperature(double ambientC, double startC, double surfaceM2,
                                      const LossAtTemperature& lossAt) {
    if (!std::isfinite(ambientC) || !std::isfinite(startC))
        return problem("the ambient or start temperature is not a number");
    HotPoint hot;
    double t = startC;
    bool settled = false;
    while (hot.rounds < kMaxThermalRounds && !settled) {
        ++hot.rounds;
        const Result<double> loss = lossAt(t);
        if (!loss)
            return loss.problem();
        const Result<double> rise = temperatureRiseC(*loss, surfaceM2);
        if (!rise)
            return rise.problem();
        const double next = ambientC + *rise;
        settled = std::fabs(next - t) < kSettledWithinC;
        t = next;
        if (t > kRunawayTemperatureC)
            break;
    }
    const Result<double> loss = lossAt(t);
    if (!loss)
        return loss.problem();
    hot.temperatureC = t;
    hot.riseC = t - ambientC;
    hot.lossW = *loss;
    hot.runaway = !settled || t > kRunawayTemperatureC;
    return hot;
}

Result<HotWinding> settleHotWinding(const WindingCopper& copper, const RippleCurrent& current,
                                    double coreLossW, double ambientC, double startC,
                                    double surfaceM2) {
    // The settling's last loss is the one at the hot temperature, so its breakdown is kept
    // rather than worked out once more.
    CopperLoss last;
    const auto lossAt = [&](double t) -> Result<double> {
        Result<CopperLoss> c = copperLossAt(copper, current, t);
        if (!c)
            return c.problem();
        last = *c;
        return last.totalW() + coreLossW;
    };
    const Result<HotPoint> hot = settleHotTemperature(ambientC, startC, surfaceM2, lossAt);
    if (!hot)
        return hot.problem();
    return HotWinding{*hot, last};
}

}  // namespace coilsmith::physics
