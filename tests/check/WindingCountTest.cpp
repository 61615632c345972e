// Counts of turns and layers from outlines and wires far outside the catalogue's ranges: a
// winding is laid out turn for turn, or does not fit, and never overflows an integer.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>
#include <vector>

#include "check/DesignCheck.h"
#include "numeric/Num.h"

namespace coilsmith {
namespace {

// 49 turns of AWG 16 (1.3645 mm over the insulation) on a T106 (ID 0.57 in), and 172 turns
// of AWG 13 (1.8989 mm) on an E450 (c 1.031, d 3.13, f 1.031, g 2.252 in).
DesignCheckInput t106() {
    DesignCheckInput in;
    in.requiredInductanceH = 100e-6, in.idcA = 5, in.iacPeakToPeakA = 1, in.irmsA = 5.01;
    in.frequencyHz = 100e3, in.turns = 49, in.awg = 16, in.shape = CoreShape::Toroid;
    in.outline = {1.06, 0.57, 0.437};
    in.acCm2 = 0.6417, in.lcCm = 6.503, in.windowAreaCm2 = 1.6463, in.surfaceAreaCm2 = 22.53;
    in.material = "-8", in.muInitial = 35, in.coreLossW = 0.178, in.designTempRiseC = 18;
    in.biasCurve = BiasCurve{0.01, 3.49426e-06, 1.42524};
    in.wire = WireRow{1.2908, 1.3645, 13.1742};
    return in;
}

DesignCheckInput e450() {
    DesignCheckInput in = t106();
    in.requiredInductanceH = 5e-3, in.idcA = 10, in.iacPeakToPeakA = 2, in.irmsA = 10.02;
    in.frequencyHz = 60, in.turns = 172, in.awg = 13, in.shape = CoreShape::ECore;
    in.outline = {0, 0, 0, 1.031, 3.13, 1.031, 2.252};
    in.acCm2 = 8.165, in.lcCm = 21.56, in.windowAreaCm2 = 15.25, in.surfaceAreaCm2 = 337.5;
    in.wire = WireRow{1.8278, 1.8989, 6.57056};
    return in;
}

struct WindingRow {
    const char* what;
    DesignCheckInput in;
    std::vector<long> turnsPerLayer;
    bool fits;
};

DesignCheckInput with(DesignCheckInput in, double CoreOutline::*dimension, double inches) {
    in.outline.*dimension = inches;
    return in;
}

// A wire of this overall diameter with copper 90 % of it.
DesignCheckInput withWire(DesignCheckInput in, double overallMm) {
    in.wire->overallDiameterMm = overallMm;
    in.wire->bareDiameterMm = 0.9 * overallMm;
    return in;
}

// By hand: an E450 layer holds floor(2.252·2.54/0.18989) = 30 turns, so 172 turns lie as
// 5·30 + 22 in 6 layers, 6·0.18989 = 1.14 cm across a window of (3.13 − 1.031)/2·2.54 =
// 2.67 cm; a window height or wire that takes every turn in one layer gives one layer of
// all turns; a T106 layer of floor(π·(1.4478 − 0.13645)/0.13645) = 30 turns takes 30 + 19,
// and one of a vast room takes all 49.
const WindingRow kRows[] = {
    {"E450", e450(), {30, 30, 30, 30, 30, 22}, true},
    {"E450 d 1e19", with(e450(), &CoreOutline::d, 1e19), {30, 30, 30, 30, 30, 22}, true},
    {"E450 g 1e19", with(e450(), &CoreOutline::g, 1e19), {172}, true},
    {"E450 wire 1e-20 mm", withWire(e450(), 1e-20), {172}, true},
    {"E450 wire 1e-300 mm", withWire(e450(), 1e-300), {172}, true},
    {"T106", t106(), {30, 19}, true},
    {"T106 wire 1e-20 mm", withWire(t106(), 1e-20), {49}, true},
    {"T106 ID 1e19",
     with(with(t106(), &CoreOutline::od, 2e19), &CoreOutline::id, 1e19),
     {49},
     true},
};

TEST(WindingCount, EveryTurnIsLaidOutOrTheWindingDoesNotFit) {
    for (const WindingRow& row : kRows) {
        SCOPED_TRACE(row.what);
        const DesignCheck check = checkDesign(row.in);
        ASSERT_TRUE(check.winding.available()) << check.winding.unavailableReason;
        const WindingFigures& w = *check.winding.figures;
        EXPECT_EQ(w.turnsPerLayer, row.turnsPerLayer);
        EXPECT_EQ(w.fits, row.fits) << w.doesNotFitReason;
        if (w.fits) {
            EXPECT_EQ(std::accumulate(w.turnsPerLayer.begin(), w.turnsPerLayer.end(), 0L),
                      row.in.turns);
            EXPECT_EQ(w.layers, static_cast<int>(row.turnsPerLayer.size()));
            ASSERT_TRUE(check.copper.available()) << check.copper.unavailableReason;
            const CopperFigures& cu = *check.copper.figures;
            for (const double figure : {cu.meanTurnCm, cu.rdc20Ohm, cu.rhotOhm, cu.copperLossW,
                                        cu.totalLossW, cu.hotTemperatureC})
                EXPECT_TRUE(std::isfinite(figure) && figure > 0) << figure;
        } else {
            EXPECT_FALSE(check.copper.available());
        }
        EXPECT_TRUE(std::isfinite(w.fill));
    }
    // The window width does not enter the wound mean turn: as for the catalogue's d.
    EXPECT_DOUBLE_EQ(checkDesign(kRows[1].in).copper.figures->meanTurnCm,
                     checkDesign(kRows[0].in).copper.figures->meanTurnCm);
}

// The one conversion of a double to a count: rounded, and refused beyond its bounds or
// beyond what a long holds (2^63 and up).
TEST(WindingCount, RoundedCountRefusesWhatDoesNotFit) {
    constexpr long kMax = std::numeric_limits<long>::max();
    constexpr long kMin = std::numeric_limits<long>::min();
    const double inf = std::numeric_limits<double>::infinity();
    const std::tuple<double, long, long, std::optional<long>> rows[] = {
        {2.5, 0, 10, 3},
        {-2.5, -10, 10, -3},
        {10.4, 0, 10, 10},
        {10.5, 0, 10, std::nullopt},
        {-0.6, 0, 10, std::nullopt},
        {1e19, kMin, kMax, std::nullopt},
        {0x1p63, kMin, kMax, std::nullopt},
        {0x1p63 - 1024, kMin, kMax, 0x7FFFFFFFFFFFFC00L},
        {-0x1p63, kMin, kMax, kMin},
        {-1e30, kMin, kMax, std::nullopt},
        {std::nan(""), kMin, kMax, std::nullopt},
        {inf, kMin, kMax, std::nullopt},
        {-inf, kMin, kMax, std::nullopt}};
    for (const auto& [value, lowest, highest, expected] : rows)
        EXPECT_EQ(roundedCount(value, lowest, highest), expected) << value;
}

}  // namespace
}  // namespace coilsmith
