#pragma once

#include <cmath>

#include "spice/ChokeSubcircuit.h"

namespace coilsmith::spice::test {

// A made-up powder-core choke: L0 = 100 µH rolling off as %µ = 100/(1 + (I/8 A)^1.5) above
// an air-core 1 µH, so L(I) = 1 µH + 99 µH/(1 + (I/8 A)^1.5):
//   L(0) = 100 µH; L(5 A) = 1 + 99/(1 + 0.625^1.5 = 1.494106) = 67.260 µH.
inline double syntheticInductanceH(double currentA) {
    return 1e-6 + 99e-6 / (1 + std::pow(std::fabs(currentA) / 8, 1.5));
}

// The choke in a 24 V → 12 V buck at 100 kHz, D = 0.5, Idc = 5 A:
//   ΔI = (24 − 12)·0.5/(67.260 µH·100 kHz) = 0.89206 A, Ipk = 5.44603 A;
//   core loss 50 mW at V rms = 2·L·ΔI·f = 12.000 V: Rcore = 144/0.05 = 2880 Ω.
inline ChokeModelInput syntheticChoke() {
    ChokeModelInput input;
    input.name = "CHOKE";
    input.inductance = syntheticInductanceH;
    input.airCoreInductanceH = 1e-6;
    input.dcCurrentA = 5;
    input.ripplePeakToPeakA = 12 * 0.5 / (syntheticInductanceH(5) * 100e3);
    input.frequencyHz = 100e3;
    input.windingResistanceOhm = 0.02;
    input.coreLossW = 0.05;
    return input;
}

}  // namespace coilsmith::spice::test
