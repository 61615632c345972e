#pragma once

namespace coilsmith::physics {

// A DC current with a symmetric triangular ripple, ΔI peak to peak.

// Ipk = Idc + ΔI/2.
double peakCurrentA(double dcCurrentA, double ripplePeakToPeakA);

// Irms = √(Idc² + (ΔI/2/√3)²): the triangle's rms is its amplitude over √3.
double rmsCurrentA(double dcCurrentA, double ripplePeakToPeakA);

// The rms current of the ripple's harmonic n: 4·ΔI/(π²·n²·√2) for odd n, 0 for even n
// (a symmetric triangle has only odd harmonics) and for n < 1.
double rippleHarmonicRmsA(double ripplePeakToPeakA, int harmonic);

// The ripple's odd harmonics carried into the AC copper loss: 1, 3, … 19 (the 21st carries
// 1/21² = 0.23 % of the fundamental's current).
inline constexpr int kHighestRippleHarmonic = 19;

}  // namespace coilsmith::physics
