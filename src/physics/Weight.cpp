#include "physics/Weight.h"

#include "physics/Constants.h"

namespace coilsmith::physics {

double copperWeightKg(double woundMeanTurnM, long turns, double bareAreaM2) {
    return woundMeanTurnM * static_cast<double>(turns) * bareAreaM2 * kCopperDensityKgPerM3;
}

double coreWeightKg(double densityKgPerM3, double volumeM3) {
    return densityKgPerM3 * volumeM3;
}

}  // namespace coilsmith::physics
