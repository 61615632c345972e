#pragma once

#include "physics/Result.h"
#include "physics/Winding.h"

namespace coilsmith::physics {

// DC resistance of a length of wire: length · Ω/m.
double dcResistanceOhm(double lengthM, double resistanceOhmPerM);

// R(T)/R(20 °C) = 1 + α·(T − 20 °C) for copper; a Problem at or below the temperature
// where it would reach zero (−234 °C).
Result<double> hotResistanceFactor(double temperatureC);

// Copper's resistivity at a temperature: ρ20 · (1 + α·(T − 20 °C)).
Result<double> copperResistivityOhmM(double temperatureC);

// The copper of a wound choke: its DC resistance at 20 °C, its wire and its layers.
struct WindingCopper {
    double resistance20Ohm = 0;
    Wire wire;
    long layers = 1;
};

// The current through it: DC with a triangular ripple.
struct RippleCurrent {
    double dcCurrentA = 0;
    double ripplePeakToPeakA = 0;
    double frequencyHz = 0;
};

struct CopperLoss {
    double resistanceOhm = 0;  // DC resistance at the temperature
    double fundamentalFr = 1;  // Dowell's Rac/Rdc at the ripple frequency
    double dcLossW = 0;        // Idc²·R
    double acLossW = 0;        // the ripple's odd harmonics 1 … 19, each with its Fr
    double totalW() const { return dcLossW + acLossW; }
};

// The copper loss at a temperature. Without a ripple frequency the ripple adds nothing.
Result<CopperLoss> copperLossAt(const WindingCopper& copper, const RippleCurrent& current,
                                double temperatureC);

}  // namespace coilsmith::physics
