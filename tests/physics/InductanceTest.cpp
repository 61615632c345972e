#include "physics/Inductance.h"

#include <gtest/gtest.h>

#include "physics/Ripple.h"

namespace coilsmith::physics {
namespace {

// T106 (Ac 0.6417 cm², lc 6.503 cm, no gap) in -26 (µi 75, published curve a 0.01,
// b 9.7048e-6, c 1.71977).
const MagneticCore kT106{0.6417e-4, 0.06503, 4.173e-6, 1.6463e-4, 0};
const BiasedMaterial kMix26{75, {0.01, 9.7048e-06, 1.71977}};

InductanceModel model(const MagneticCore& core, const BiasedMaterial& material) {
    return *InductanceModel::make(core, material);
}

TEST(Ripple, PeakRmsAndHarmonicsByHand) {
    // 10 A DC with 2 A p-p: Ipk 11 A; Irms = √(100 + (1/√3)²) = √100.3333 = 10.0166528 A.
    EXPECT_DOUBLE_EQ(peakCurrentA(10, 2), 11);
    EXPECT_NEAR(rmsCurrentA(10, 2), 10.0166528009, 1e-9);
    // Harmonic n: 4·2/(π²·n²·√2) = 0.5731592 A at n = 1, a ninth of it at n = 3; even: none.
    EXPECT_NEAR(rippleHarmonicRmsA(2, 3), 0.0636843520, 1e-9);
    EXPECT_EQ(rippleHarmonicRmsA(2, 2), 0);
}

TEST(Inductance, T106In26ByHand) {
    // N = 41, I = 5 A: H = 0.4π·205/6.503 = 39.614116 Oe, H^c = 559.67311, %µ = 1/(0.01 +
    // 9.7048e-6·559.67311) = 64.802449 %, µ = 48.601836; L = 4π·1e-7·48.601836·41²·0.6417e-4
    // /0.06503 = 101.30912 µH. At no current µ = 75: L(0) = 156.33533 µH. With a 0.5 mm gap
    // in series: L = µ0·µ·N²·Ac/(0.5e-3·µ + 0.06503) = 73.749741 µH.
    const InductanceModel l = model(kT106, kMix26);
    EXPECT_NEAR(l.inductanceH(41, 5), 101.30911996e-6, 1e-13);
    EXPECT_NEAR(l.inductanceH(41, -5), 101.30911996e-6, 1e-13);  // the curve is even in H
    EXPECT_NEAR(l.inductanceH(41, 0), 156.33532694e-6, 1e-13);
    MagneticCore gapped = kT106;
    gapped.gapM = 0.5e-3;
    EXPECT_NEAR(model(gapped, kMix26).inductanceH(41, 5), 73.749740858e-6, 1e-13);
    const auto points = *l.curve(41, 10, 5);  // 0, 2.5, 5, 7.5, 10 A
    EXPECT_EQ(points.back().currentA, 10);
    EXPECT_NEAR(points[2].inductanceH, 101.30911996e-6, 1e-13);
    EXPECT_FALSE(l.curve(41, 10, 1));
}

TEST(Inductance, FewestTurnsReachingTheTarget) {
    // L(40 turns, 5 A) = 97.85955 µH < 100 µH <= L(41) = 101.30912 µH.
    const InductanceModel l = model(kT106, kMix26);
    EXPECT_EQ(*fewestTurnsWalkingUp(l, 5, 100e-6), 41);
    EXPECT_EQ(*fewestTurnsFrom(l, 5, 100e-6, 45), 45);  // the search starts at the design's N
    EXPECT_EQ(*fewestTurnsWalkingUp(l, 5, 97.8595e-6), 40);
    // A T106 cannot carry 1 H at 5 A within 100,000 turns (L grows only as N^0.28).
    EXPECT_EQ(fewestTurnsWalkingUp(l, 5, 1).reason(),
              "L at Idc cannot be reached on this core: 1000000.00 uH at 5.00 A within 100000 "
              "turns");
    EXPECT_FALSE(fewestTurnsWalkingUp(l, 5, 0));
}

TEST(Inductance, UnusableCoreOrCurveIsAProblem) {
    const struct {
        MagneticCore core;
        BiasedMaterial material;
        const char* reason;
    } rows[] = {
        {kT106, {75, {0, 1e-5, 1.7}}, "the bias curve's a is not a positive number"},
        {kT106, {75, {0.01, 1e-5, 0}}, "the bias curve's c is not a positive number"},
        {kT106, {0, kMix26.curve}, "the initial permeability is not a positive number"},
        {{0, 0.06, 1e-6, 1e-4, 0}, kMix26, "the cross-section is not a positive number"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(InductanceModel::make(row.core, row.material).reason(), row.reason);
}

}  // namespace
}  // namespace coilsmith::physics
