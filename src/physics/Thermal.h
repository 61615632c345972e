#pragma once

#include <functional>

#include "physics/CopperLoss.h"
#include "physics/Result.h"

namespace coilsmith::physics {

// Temperature rise of a wound core in still air by the design's surface law:
// ΔT = (P[mW] / (1.1·S[cm²]))^0.833, P the total loss and S the outer surface.
Result<double> temperatureRiseC(double lossW, double surfaceM2);

// The hot iteration: T = Ta + ΔT(P(T)) from a start point until a round moves T by less
// than kSettledWithinC, for at most kMaxThermalRounds rounds; no settling, or a
// temperature above kRunawayTemperatureC, is thermal runaway.
inline constexpr double kSettledWithinC = 0.01;
inline constexpr int kMaxThermalRounds = 100;
inline constexpr double kRunawayTemperatureC = 250;

struct HotPoint {
    double temperatureC = 0;
    double riseC = 0;  // above ambient
    double lossW = 0;  // the loss at temperatureC
    int rounds = 0;
    bool runaway = false;
};

// The total loss at a temperature (it grows with the copper's resistance).
using LossAtTemperature = std::function<Result<double>(double temperatureC)>;

Result<HotPoint> settleHotTemperature(double ambientC, double startC, double surfaceM2,
                                      const LossAtTemperature& lossAt);

// A wound choke settled at its hot temperature, with the breakdown of its copper loss there.
struct HotWinding {
    HotPoint hot;
    CopperLoss copper;
};

// The hot point of a winding's copper loss at each temperature plus a core loss that does
// not change with it, settled from startC.
Result<HotWinding> settleHotWinding(const WindingCopper& copper, const RippleCurrent& current,
                                    double coreLossW, double ambientC, double startC,
                                    double surfaceM2);

}  // namespace coilsmith::physics
