#include "check/DesignCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace coilsmith {
namespace {

using enum Verdict;

const BiasCurve kCurve2{0.01, 1.83247e-07, 1.46197}, kCurve8{0.01, 3.49426e-06, 1.42524};
const BiasCurve kCurve18{0.01, 4.71819e-06, 1.65134}, kCurve40{0.01, 8.93341e-06, 1.61408};
const BiasCurve kCurve45{0.01, 2.43767e-05, 1.60697};

// Turns, AWG, wire row, material, initial permeability, bias curve, core loss, temperature rise.
using Winding = std::tuple<long, int, WireRow, const char*, double, BiasCurve, double, double>;

// Window area and surface of a toroid as the design takes them from OD, ID, HT (inches).
DesignCheckInput toroid(double ac, double lc, double od, double id, double ht) {
    DesignCheckInput in;
    std::tie(in.shape, in.acCm2, in.lcCm) = std::tuple(CoreShape::Toroid, ac, lc);
    in.outline = {od, id, ht};
    const double scale = 2.54 * 2.54 * std::numbers::pi;
    in.windowAreaCm2 = static_cast<float>(scale * id * id / 4);
    in.surfaceAreaCm2 = scale * ((od * od - id * id) / 2 + (od + id) * ht);
    return in;
}

DesignCheckInput wound(DesignCheckInput in, double l, double idc, double iac, double f,
                       const Winding& w) {
    std::tie(in.requiredInductanceH, in.idcA, in.iacPeakToPeakA, in.frequencyHz) =
        std::tuple(l, idc, iac, f);
    in.irmsA = std::sqrt(idc * idc + iac * iac / 12);
    std::tie(in.turns, in.awg, in.wire, in.material, in.muInitial, in.biasCurve, in.coreLossW,
             in.designTempRiseC) = w;
    return in;
}

DesignCheckInput eCore450() {  // a = 4.5, b = 3.636, c = 1.031 inches outside
    DesignCheckInput in = toroid(8.165, 21.56, 0, 0, 0);
    std::tie(in.shape, in.windowAreaCm2) = std::tuple(CoreShape::ECore, 15.25);
    in.outline = {0, 0, 0, 1.031, 3.13, 1.031, 2.252};
    in.surfaceAreaCm2 = 2 * 2.54 * 2.54 * (4.5 * 3.636 + 4.5 * 1.031 + 3.636 * 1.031);
    return in;
}

// The six designs the core adviser ranks first (0.5 T, Ku 0.4, 400 A/cm²) on T184, T106, T200,
// T94, T80 and E450; the turns, gauge, core loss and rise are the design method's own output.
const DesignCheckInput kDesigns[] = {
    wound(toroid(1.996, 11.13, 1.84, 0.95, 0.71), 25e-6, 25, 5, 50e3,
          {19, 9, {2.9064, 2.9876, 2.59881}, "-8", 35, kCurve8, 0.50923, 19.6218}),
    wound(toroid(0.6417, 6.503, 1.06, 0.57, 0.437), 100e-6, 5, 1, 100e3,
          {49, 16, {1.2908, 1.3645, 13.1742}, "-8", 35, kCurve8, 0.178355, 18.1538}),
    wound(toroid(1.266, 12.97, 2.0, 1.25, 0.55), 10e-6, 40, 10, 200e3,
          {29, 7, {3.6649, 3.7512, 1.63441}, "-2", 10, kCurve2, 0.549727, 33.9146}),
    wound(toroid(0.3815, 5.993, 0.942, 0.56, 0.312), 470e-6, 2, 0.4, 50e3,
          {111, 20, {0.81182, 0.87024, 33.3083}, "-18", 55, kCurve18, 0.139151, 18.5081}),
    wound(toroid(0.2512, 5.147, 0.795, 0.495, 0.25), 1e-3, 1, 0.3, 20e3,
          {124, 23, {0.57332, 0.62412, 66.7841}, "-45", 100, kCurve45, 0.151556, 16.7336}),
    wound(eCore450(), 5e-3, 10, 2, 60,
          {172, 13, {1.8278, 1.8989, 6.57056}, "-40", 60, kCurve40, 0.0473327, 25.9832})};

DesignCheckInput design(int n) {
    return kDesigns[n - 1];
}

// A verdict as "check: verdict, reason"; the first five verdicts' levels.
std::string said(const CheckVerdict& v) {
    return v.check + ": " + verdictName(v.verdict) + ", " + v.reason;
}

std::string levels(const DesignCheck& check) {
    std::string out;
    for (std::size_t i = 0; i < 5; ++i)
        out += std::string(i ? " " : "") + verdictName(check.verdicts[i].verdict);
    return out;
}

struct SixDesignsRow {
    int design;
    double l0uH, lIdcPercent, lIpkPercent;
    long turnsNeeded;
    std::vector<long> layers;
    double fill, meanTurnCm, rdc20mOhm, fundamentalFr, riseC;
};

// Derived apart from the program (a small script of the same formulas; by hand), e.g. design 2:
//   H(Idc) = 0.4π·49·5/6.503 = 47.344 Oe; %µ = 1/(0.01 + 3.49426e-6·47.344^1.42524) = 92.14;
//   L(Idc) = µ0·35·0.9214·49²·0.6417e-4/0.06503 = 96.01 uH (96.01 %); L(0) = 104.205 uH.
//   do = 0.13645 cm, ID = 1.4478 cm: layer 1 holds floor(π·(1.4478 − 0.13645)/0.13645) = 30,
//   so 49 turns lie as 30 + 19. MLT = (30·(2·(0.245 + 0.437)·2.54 + 4·do) + 19·(… + 12·do))/49
//   = 4.4336 cm; Rdc20 = 4.4336·49·13.1742e-5 = 28.62 mOhm. At 46.9 C δ(100 kHz) = 0.2197 mm,
//   Δ = (π/4)^0.75·(1.2908/0.2197)·√(1.2908/1.3645) = 4.766, Fr(Δ, 2 layers) = 14.45;
//   ΔT = ((0.7912 + 0.0386 + 0.1784)·1e3/(1.1·22.53))^0.833 = 21.9 C.
// Design 6 (E-core): floor(2.252·2.54/0.18989) = 30 turns per layer, 172 turns in 6 layers.
// clang-format off
const SixDesignsRow kSixDesigns[] = {
    {1, 28.4741, 103.364, 101.991, 19, {19}, 0.291262, 7.06244, 3.48725, 7.69031, 22.298},
    {2, 104.205, 96.0139, 94.9282, 51, {30, 19}, 0.435237, 4.43363, 28.6207, 14.4502, 21.905},
    {3, 10.3157, 101.309, 100.969, 29, {23, 6}, 0.40481, 6.82037, 3.23271, 54.8789, 58.614},
    {4, 542.087, 90.9629, 87.8001, 118, {48, 41, 22}, 0.415487, 3.43646, 127.053, 11.746, 22.982},
    {5, 943.015, 59.503, 54.4439, 187, {60, 53, 11}, 0.305548, 2.58364, 213.957, 1.7347, 18.769},
    {6, 8447.45, 67.1278, 61.0127, 269, {30, 30, 30, 30, 30, 22}, 0.319413, 14.8557, 167.889,
     1.00295, 27.858}};
// clang-format on

TEST(DesignCheck, SixDesignsMatchTheIndependentDerivation) {
    for (const SixDesignsRow& row : kSixDesigns) {
        SCOPED_TRACE(row.l0uH);
        const DesignCheckInput in = design(row.design);
        const DesignCheck check = checkDesign(in);
        ASSERT_TRUE(check.inductance.available() && check.winding.available() &&
                    check.copper.available());
        const auto& l = *check.inductance.figures;
        const auto& w = *check.winding.figures;
        const auto& cu = *check.copper.figures;
        const auto near = [](double expected) { return std::fabs(expected) * 1e-4; };
        EXPECT_NEAR(l.atZeroH * 1e6, row.l0uH, near(row.l0uH));
        EXPECT_NEAR(l.atIdcPercent, row.lIdcPercent, near(row.lIdcPercent));
        EXPECT_NEAR(l.atIpkPercent, row.lIpkPercent, near(row.lIpkPercent));
        EXPECT_NEAR(l.swing, row.l0uH / row.lIdcPercent / (in.requiredInductanceH * 1e4), 1e-4);
        EXPECT_EQ(l.turnsNeeded, row.turnsNeeded);
        EXPECT_EQ(w.turnsPerLayer, row.layers);
        EXPECT_NEAR(w.fill, row.fill, near(row.fill));
        EXPECT_NEAR(cu.meanTurnCm, row.meanTurnCm, near(row.meanTurnCm));
        EXPECT_NEAR(cu.rdc20Ohm * 1e3, row.rdc20mOhm, near(row.rdc20mOhm));
        EXPECT_NEAR(cu.racOverRdcFundamental, row.fundamentalFr, near(row.fundamentalFr));
        EXPECT_NEAR(cu.temperatureRiseC, row.riseC, 0.02);
        // Copper at 25 °C + rise: R = Rdc20·(1 + 0.00393·(T − 20)); Irms²·R without Fr.
        const double rhot = row.rdc20mOhm * 1e-3 * (1 + 0.00393 * (5 + row.riseC));
        EXPECT_NEAR(cu.rhotOhm / rhot, 1, 1e-4);
        EXPECT_NEAR(cu.rmsLossAtRdcW / (in.irmsA * in.irmsA * rhot), 1, 1e-4);
        EXPECT_NEAR(cu.copperLossDcW / (in.idcA * in.idcA * rhot), 1, 1e-4);
        EXPECT_DOUBLE_EQ(cu.copperLossW, cu.copperLossDcW + cu.copperLossAcW);
        EXPECT_NEAR(l.atZeroPercent / (row.l0uH / (in.requiredInductanceH * 1e4)), 1, 1e-4);
        EXPECT_DOUBLE_EQ(w.insulatedDiameterCm, in.wire->overallDiameterMm / 10);
    }
    // A 0.5 mm gap in series with design 2's path: H = 47.3437 Oe, µ = 35·0.921395 = 32.2488,
    // L = µ0·32.2488·49²·0.6417e-4/(0.5e-3·32.2488 + 0.06503) = 76.937 µH.
    DesignCheckInput gapped = design(2);
    gapped.gapMm = 0.5;
    EXPECT_NEAR(checkDesign(gapped).inductance.figures->atIdcH, 76.93708e-6, 1e-11);
}

// T106 with AWG 16: the layers hold 30, 23, 17, 11, 5 turns (floor(π·(1.4478 − (2k − 1)·
// 0.13645)/0.13645)); the sixth would hold none, so 86 turns close the hole.
// E450 with AWG 13: 30 turns a layer, 14 layers across (3.13 − 1.031)/2·2.54 = 2.666 cm.
TEST(DesignCheck, LayersAndFitAtTheBoundaries) {
    const std::tuple<int, long, int, bool> rows[] = {
        {2, 86, 5, true}, {2, 87, 5, false}, {6, 420, 14, true}, {6, 421, 15, false}};
    for (const auto& [n, turns, layers, fits] : rows) {
        SCOPED_TRACE(turns);
        DesignCheckInput in = design(n);
        in.turns = turns;
        const DesignCheck check = checkDesign(in);
        ASSERT_TRUE(check.winding.available());
        EXPECT_EQ(check.winding.figures->layers, layers);
        EXPECT_EQ(check.winding.figures->fits, fits);
        EXPECT_EQ(check.winding.figures->doesNotFitReason.empty(), fits);
        EXPECT_EQ(check.copper.available(), fits);
        EXPECT_EQ(check.verdicts[2].verdict, fits ? Pass : Fail);
        EXPECT_EQ(check.verdicts[4].verdict, fits ? Pass : Unavailable);
    }
}

// Heat that feeds itself is thermal runaway: (~1 W·1e3/1.1)^0.833 = 290 C from 1 cm².
TEST(DesignCheck, ThermalRunawayFails) {
    EXPECT_NEAR(checkDesign(design(2)).copper.figures->copperLossAcW, 0.0386, 1e-4);  // see above
    DesignCheckInput in = design(2);
    in.surfaceAreaCm2 = 1;
    const DesignCheck check = checkDesign(in);
    ASSERT_TRUE(check.copper.available());
    EXPECT_TRUE(check.copper.figures->runaway);
    EXPECT_EQ(said(check.verdicts[4]), "Hot temperature: fail, thermal runaway");
}

TEST(DesignCheck, MissingReferenceRowsMakeOnlyTheirChecksUnavailable) {
    DesignCheckInput noCurve = design(2);
    noCurve.biasCurve.reset();
    const DesignCheck a = checkDesign(noCurve);
    EXPECT_EQ(a.inductance.unavailableReason, "no published bias curve for material -8");
    EXPECT_TRUE(a.verdicts[0].verdict == Unavailable && a.verdicts[1].verdict == Unavailable);
    EXPECT_TRUE(a.winding.available() && a.copper.available() && !a.inductance.available());
    DesignCheckInput noWire = design(2);
    noWire.awg = 45;
    noWire.wire.reset();
    const DesignCheck b = checkDesign(noWire);
    EXPECT_TRUE(b.inductance.available() && !b.winding.available() && !b.copper.available());
    EXPECT_EQ(b.copper.unavailableReason, "AWG 45 is outside the wire table");
    for (std::size_t i = 2; i < b.verdicts.size(); ++i)
        EXPECT_EQ(b.verdicts[i].verdict, Unavailable) << b.verdicts[i].check;
}

// L at Ipk may fall below the required L by its own margin (pass at 90 %, warning at 70 %)
// but is never judged better than L at Idc: design 2 (96.0 % at Idc, 94.9 % at Ipk) warns on
// both; design 4 has 91.0 % and 87.8 %, fill 0.415; with a required L 2 % higher 89.2 % at
// Idc fails and takes 86.1 % at Ipk with it. Design 5 has 59.5 % and 54.4 %; design 3 runs
// at 83.6 C.
TEST(DesignCheck, EachCheckHasItsVerdict) {
    const std::tuple<int, double, const char*> rows[] = {
        {1, 125, "pass pass pass pass pass"},
        {2, 125, "warning warning pass warning pass"},  // fill 0.435
        {4, 125, "warning warning pass warning pass"},
        {5, 125, "fail fail pass pass pass"},
        {3, 80, "pass pass pass warning fail"}};
    for (const auto& [n, limitC, expected] : rows) {
        DesignCheckInput in = design(n);
        in.temperatureLimitC = limitC;
        EXPECT_EQ(levels(checkDesign(in)), expected) << n;
    }
    const auto two = checkDesign(design(2)).verdicts;
    ASSERT_EQ(two.size(), 7u);  // then the method's limits
    EXPECT_EQ(said(two[0]),
              "L at Idc: warning, L(Idc) = 96.01 µH, 96.0 % of the required L, below 100 %");
    EXPECT_EQ(said(two[1]),
              "L at Ipk: warning, L(Ipk) = 94.93 µH, 94.9 % of the required L, and L "
              "at Idc is below 100 %");
    EXPECT_EQ(two[2].check + ", " + two[3].check, "Winding fits, Fill");
    EXPECT_EQ(said(two[4]), "Hot temperature: pass, 46.9 °C, within the 125 °C limit");
    EXPECT_EQ(checkDesign(design(1)).verdicts[1].reason.find(", and"), std::string::npos);
    DesignCheckInput higher = design(4);
    higher.requiredInductanceH *= 1.02;
    EXPECT_EQ(said(checkDesign(higher).verdicts[1]),
              "L at Ipk: fail, L(Ipk) = 412.66 µH, 86.1 % of the required L, below 90 %, and L at "
              "Idc is below 90 %");
}

// The method's own limits are warnings, which pass: the core's AP against the minimum AP
// (as the core page shows both), Bmax against the specified flux density.
TEST(DesignCheck, AreaProductAndFluxDensityWarnBeyondTheMethodsLimits) {
    const std::tuple<std::optional<double>, double, double, double, const char*, const char*>
        rows[] = {
            {2.363, 4.876, 0.5, 0.31, "pass, core AP 4.876 cm^4, above the minimum 2.363 cm^4",
             "pass, Bmax 0.310 T, within the specified 0.500 T"},
            {2.363, 2.363, 0.5, 0.5, "pass, core AP 2.363 cm^4, at the minimum 2.363 cm^4",
             "pass, Bmax 0.500 T, within the specified 0.500 T"},
            {126253.125, 4.876, 0.5, 18.7,
             "warning, core AP 4.876 cm^4, below the minimum 126253.125 cm^4",
             "warning, Bmax 18.700 T, above the specified 0.500 T"},
            {std::nullopt, 4.876, 0, 0.3, "unavailable, the area products are not known",
             "unavailable, no specified flux density"}};
    for (const auto& [minimumAP, coreAP, specifiedT, peakT, areaProduct, fluxDensity] : rows) {
        DesignCheckInput in = design(1);  // passes every other check
        in.minimumAreaProductCm4 = minimumAP, in.coreAreaProductCm4 = coreAP;
        in.specifiedFluxDensityT = specifiedT, in.peakFluxDensityT = peakT;
        const DesignCheck check = checkDesign(in);
        EXPECT_EQ(said(check.verdicts[5]), std::string("Area product: ") + areaProduct);
        EXPECT_EQ(said(check.verdicts[6]), std::string("Flux density: ") + fluxDensity);
        EXPECT_EQ(checkPasses(check), minimumAP.has_value());
    }
}

TEST(DesignCheck, CurveRunsFromZeroToTwiceThePeakCurrent) {
    const DesignCheck check = checkDesign(design(5));
    const auto& f = *check.inductance.figures;
    EXPECT_DOUBLE_EQ(f.curve.front().inductanceH, f.atZeroH);
    EXPECT_DOUBLE_EQ(f.curve[50].currentA, 1.15);
    EXPECT_DOUBLE_EQ(f.curve[50].inductanceH, f.atIpkH);
    EXPECT_DOUBLE_EQ(f.curve.back().currentA, 2.3);
    for (std::size_t k = 1; k < f.curve.size(); ++k)
        EXPECT_LT(f.curve[k].inductanceH, f.curve[k - 1].inductanceH);
}

TEST(DesignCheck, UnusableValuesAndAbsurdTurnCountsMakeThePartUnavailable) {
    DesignCheckInput in = design(2);
    in.lcCm = 0;
    in.windowAreaCm2 = 0;
    const DesignCheck check = checkDesign(in);
    EXPECT_EQ(check.inductance.unavailableReason,
              "the magnetic path length is not a positive number");
    EXPECT_EQ(check.winding.unavailableReason, "the window area is not a positive number");
    EXPECT_FALSE(check.copper.available());
    in = design(2);
    in.idcA = 1e300;  // %µ = 1/(a + b·H^c) falls to 0 with H^c beyond a double
    EXPECT_EQ(checkDesign(in).inductance.unavailableReason,
              "the inductance at Idc is not positive");
    in = design(6);
    in.turns = 1;  // one turn is a winding too
    EXPECT_TRUE(checkDesign(in).winding.available() && checkDesign(in).inductance.available());
    in.turns = 2'000'000'000;
    EXPECT_EQ(checkDesign(in).winding.unavailableReason,
              "a winding of 2000000000 turns is not laid out (more than 1000000)");
}

}  // namespace
}  // namespace coilsmith
