#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "spice/FluxTable.h"

namespace coilsmith::spice {
namespace {

// ψ(i) = ∫₀ⁱ L dx by hand, for a constant and a falling L (Simpson is exact on both):
//   L = 50 µH:                   ψ = 50e-6·i;
//   L = 80 µH·(1 − |x|/40 A):    ψ = 80e-6·(i − i·|i|/80) for the table end 12 A (30 steps
//                                of 0.4 A), e.g. ψ(12 A) = 80e-6·(12 − 1.8) = 816 µV·s.
TEST(FluxLinkageTable, IntegratesTheCurveAndContinuesAtTheAirCoreSlope) {
    struct Row {
        InductanceCurve curve;
        double (*psi)(double);
    };
    const Row rows[] = {{[](double) { return 50e-6; }, [](double i) { return 50e-6 * i; }},
                        {[](double x) { return 80e-6 * (1 - std::fabs(x) / 40); },
                         [](double i) { return 80e-6 * (i - i * std::fabs(i) / 80); }}};
    for (const Row& row : rows) {
        const FluxTable table = fluxLinkageTable(row.curve, 12, 2e-6, 30);
        ASSERT_EQ(table.currentA.size(), 2u * 30 + 1 + 2);
        for (std::size_t k = 1; k + 1 < table.currentA.size(); ++k)
            EXPECT_NEAR(table.fluxLinkageWb[k], row.psi(table.currentA[k]), 1e-15) << k;
        // One step of 0.4 A past each end at 2 µH.
        EXPECT_DOUBLE_EQ(table.currentA.front(), -12.4);
        EXPECT_NEAR(table.fluxLinkageWb.back(), row.psi(12) + 0.8e-6, 1e-15);
    }
}

TEST(FluxLinkageTable, RefusesWhatMakesNoRisingTable) {
    const InductanceCurve constant = [](double) { return 50e-6; };
    // 100 µH − 9 µH/A·I turns negative past 11.11 A; the integration looks at every 1/16 A
    // (steps of 0.5 A in 8 parts): first at 11.125 A, where L = 100 − 100.125 = −0.125 µH.
    const InductanceCurve falling = [](double i) { return 100e-6 - 9e-6 * i; };
    const auto message = [](auto build) {
        try {
            build();
        } catch (const SpiceModelError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(message([&] { fluxLinkageTable(falling, 15, 1e-6, 30); }),
              "The inductance curve gives -125 nH at 11.12 A; a flux table needs a positive "
              "inductance at every current");
    EXPECT_EQ(message([&] { fluxLinkageTable(constant, 0, 1e-6, 30); }),
              "The flux table needs a positive peak current, not 0 A");
    EXPECT_EQ(message([&] { fluxLinkageTable(constant, 10, 0, 30); }),
              "The air-core inductance must be above zero, not 0 H");
    EXPECT_EQ(message([&] { fluxLinkageTable(constant, 10, 1e-6, 29); }),
              "The flux table takes 30 to 2000 points on each side, not 29");
    EXPECT_EQ(message([] { fluxLinkageTable([](double) { return 1e10; }, 1e300, 1e-6, 30); }),
              "The flux linkage at 1e+300 A is out of range; check the units of the current and "
              "inductance");
    EXPECT_EQ(message([] { inductanceFromTable({}); }),
              "An inductance table needs at least one point");
    EXPECT_EQ(message([] {
                  inductanceFromTable({{0, 1e-4}, {2, 9e-5}, {2, 8e-5}});
              }),
              "The currents of an inductance table must rise: 2 A follows 2 A");
}

TEST(InductanceFromTable, InterpolatesAndHoldsTheEnds) {
    // 100 µH at 0, 60 µH at 10 A, 20 µH at 20 A: 80 µH at 5 A, 40 µH at 15 A.
    const InductanceCurve curve = inductanceFromTable({{0, 100e-6}, {10, 60e-6}, {20, 20e-6}});
    EXPECT_DOUBLE_EQ(curve(5), 80e-6);
    EXPECT_DOUBLE_EQ(curve(15), 40e-6);
    EXPECT_DOUBLE_EQ(curve(30), 20e-6);
    EXPECT_DOUBLE_EQ(inductanceFromTable({{1, 5e-5}})(0), 5e-5);
}

}  // namespace
}  // namespace coilsmith::spice
