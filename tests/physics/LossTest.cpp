#include <gtest/gtest.h>

#include <cmath>

#include "physics/CopperLoss.h"
#include "physics/CoreLoss.h"
#include "physics/Dowell.h"
#include "physics/Thermal.h"

namespace coilsmith::physics {
namespace {

const Wire kAwg13{1.8278e-3, 1.8989e-3, 6.57056e-3};

TEST(CopperLoss, HotResistanceAndSkinDepthByHand) {
    // 1 + 0.00393·(100 − 20) = 1.3144; zero resistance near −234.5 °C.
    EXPECT_DOUBLE_EQ(*hotResistanceFactor(100), 1.3144);
    EXPECT_FALSE(hotResistanceFactor(-235));
    // δ = √(1.7241e-8/(π·1e5·4π·1e-7)) = 0.20897838 mm at 100 kHz.
    EXPECT_NEAR(*skinDepthM(1.7241e-8, 1e5), 0.208978379666e-3, 1e-15);
    EXPECT_FALSE(skinDepthM(1.7241e-8, 0));
    // AWG 13 at 100 kHz: Δ = (π/4)^¾·(1.8278/0.20897838)·√(1.8278/1.8989) = 7.1590932.
    EXPECT_NEAR(*dowellPenetration(1.8278e-3, 1.8989e-3, 0.20897837966649536e-3), 7.15909319203,
                1e-9);
}

TEST(CopperLoss, DowellByHand) {
    // Δ = 1, one layer: (sinh 2 + sin 2)/(cosh 2 − cos 2) = 4.5361573/4.1783433 = 1.0856357;
    // two layers add 2·(sinh 1 − sin 1)/(cosh 1 + cos 1) = 2·0.3337300/2.0833832 = 0.3203734.
    EXPECT_NEAR(*dowellFactor(1, 1), 1.08563570475, 1e-10);
    EXPECT_NEAR(*dowellFactor(1, 2), 1.40600907665, 1e-10);
    // Both sides of the series switch at Δ = 0.01 (m = 3): 1 + 44/45·Δ⁴, which the closed
    // form agrees with there to 1e-16 (checked in 30-digit arithmetic).
    EXPECT_NEAR(*dowellFactor(0.0099, 3), 1.0000000093925, 1e-13);
    EXPECT_NEAR(*dowellFactor(0.0101, 3), 1.0000000101747948, 1e-14);
    // Both sides of the limit at Δ = 20 (m = 2): Δ·(1 + 2) where the ratios are 1.
    EXPECT_NEAR(*dowellFactor(19.9, 2), 59.7, 1e-6);
    EXPECT_DOUBLE_EQ(*dowellFactor(30, 2), 90);
    EXPECT_FALSE(dowellFactor(-1, 1));
    EXPECT_FALSE(dowellFactor(1, 0));
}

// The ripple harmonics' loss (1 … 19 with their Dowell factors) at the hot point is in
// DeliveredDesignTest's rows (PcuAc, Fr); without a ripple frequency only the DC loss is left.
TEST(CopperLoss, NoRippleFrequencyNoAcLoss) {
    const WindingCopper copper{0.2191777614, kAwg13, 4};
    const CopperLoss at100 = *copperLossAt(copper, {10, 2, 0}, 100);
    EXPECT_EQ(at100.acLossW, 0);
    EXPECT_NEAR(at100.resistanceOhm, 0.2191777614 * 1.3144, 1e-12);
}

TEST(CoreLoss, LossFitByHand) {
    // -26 at 500 G and 100 kHz: al/B³ = 8, bl/B^2.3 = 68.1964, cl/B^1.65 = 66.9042, sum
    // 143.1006; 1e5/143.1006 = 698.8091 plus dl·f²·B² = 1.9e-13·1e10·2.5e5 = 475:
    // 1173.8091 mW/cm³ = 1.1738091e6 W/m³.
    const CoreLossFit mix26{1e9, 1.1e8, 1.9e6, 1.9e-13};
    EXPECT_NEAR(*coreLossDensityWPerM3(mix26, 0.05, 1e5), 1.1738091332637e6, 1e-3);
    EXPECT_EQ(*coreLossDensityWPerM3(mix26, 0, 1e5), 0);
    EXPECT_EQ(coreLossDensityWPerM3(CoreLossFit{0, 0, 0, 1e-13}, 0.05, 1e5).reason(),
              "the material's loss fit has no flux-dependent term");
    EXPECT_FALSE(coreLossDensityWPerM3(mix26, -0.05, 1e5));
    // 5 mH, 2 A p-p, 253 turns on three T300 (3·1.753 cm²): 0.01/(2·253·5.259e-4) = 0.0375791 T.
    EXPECT_NEAR(*acFluxDensityT(5e-3, 2, 253, 3 * 1.753e-4), 0.037579094599, 1e-12);
    EXPECT_FALSE(acFluxDensityT(5e-3, 2, 0, 1e-4));
}

TEST(Thermal, SurfaceLawByHand) {
    // 1 W from 22.531457 cm²: (1000/(1.1·22.531457))^0.833 = 40.3475^0.833 = 21.759375 °C.
    EXPECT_NEAR(*temperatureRiseC(1, 22.531457e-4), 21.7593754614, 1e-9);
    EXPECT_EQ(*temperatureRiseC(0, 1e-3), 0);
    EXPECT_FALSE(temperatureRiseC(-1, 1e-3));
    EXPECT_FALSE(temperatureRiseC(1, 0));
}

TEST(Thermal, HotIterationSettlesOrRunsAway) {
    // A loss that does not depend on temperature settles in the second round.
    const auto constant = [](double) -> Result<double> { return 1.0; };
    const HotPoint settled = *settleHotTemperature(25, 25, 22.531457e-4, constant);
    EXPECT_EQ(settled.rounds, 2);
    EXPECT_NEAR(settled.temperatureC, 25 + 21.7593754614, 1e-9);
    EXPECT_FALSE(settled.runaway);
    // A loss that doubles every 10 °C passes 250 °C: runaway.
    const auto doubling = [](double t) -> Result<double> { return std::exp2(t / 10); };
    EXPECT_TRUE(settleHotTemperature(25, 25, 22.531457e-4, doubling)->runaway);
    const auto failing = [](double) -> Result<double> { return problem("no loss"); };
    EXPECT_EQ(settleHotTemperature(25, 25, 1e-3, failing).reason(), "no loss");
}

}  // namespace
}  // namespace coilsmith::physics
