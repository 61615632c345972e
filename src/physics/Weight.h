#pragma once

namespace coilsmith::physics {

// Copper weight = wound mean turn · N · bare area · density of copper.
double copperWeightKg(double woundMeanTurnM, long turns, double bareAreaM2);

// Core weight = density · volume.
double coreWeightKg(double densityKgPerM3, double volumeM3);

}  // namespace coilsmith::physics
