#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "WorkedExample.h"
#include "method/DesignComputation.h"
#include "method/ResultFormat.h"

namespace coilsmith {
namespace {

using examples::workedExample;

DesignSelection selection() {
    DesignSelection sel;
    sel.materialText = "-26", sel.materialIndex = 0, sel.inductanceText = "100",
    sel.inductanceUnitText = "uH";
    sel.coreText = "EI-100 ", sel.cost = Value(1.0);
    return sel;
}

// Window area that makes the first estimate exactly `turns`.
double windowForTurns(const DesignState& s, double turns) {
    return turns * s.Ipk / (static_cast<double>(s.Ku) * s.Jdes * 1e-4);
}

// Hand calculation at N = 37, Irms = sqrt(25 + (0.5/sqrt 3)^2) = 5.0083264:
// Hdc = 0.4 pi 37 5 / 10 = 23.2478 Oe, 0.798 Hdc = 18.5517 A/m; Bac = 1e-4 1e8 / (2 37) =
// 135.135 G; Bmax = 1e-4 5.5 1e4 / 37 = 0.148649 T; AwReq = Irms / 400 = 0.0125208 cm^2,
// AWG = round(-9.922 log AwReq - 2.691) = round(16.18) = 16, d = 0.808507 10^-0.8 =
// 0.1281397 cm, Aw = pi d^2 / 4 = 0.01289607 cm^2, Jact = Irms / Aw = 388.36 A/cm^2,
// Rdc = 5 37 1.724e-6 / Aw = 24.7316 mOhm, Pcu = Rdc Irms^2 = 0.62035 W,
// Wcu = 5 37 Aw 8.89 = 21.2095 g; L(36) = 4 pi e-7 60 36^2 1e-4 / 0.1 = 97.716 uH.
TEST(DesignComputation, WorkedExample) {
    DesignState s = workedExample();
    const DesignOutcome out = computeDesign(s, selection());
    ASSERT_TRUE(out.completed()) << *out.message;
    EXPECT_EQ(out.page, 2);
    EXPECT_TRUE(out.skipped.empty());
    const DesignNumbers& n = out.numbers;
    EXPECT_EQ(n.iterations, 9);                             // 44 down to 36
    EXPECT_NEAR(n.searchedInductanceH, 97.7161e-6, 1e-10);  // the last turn count tried, 36
    EXPECT_NEAR(s.Hdc, 23.24779, 1e-5);
    EXPECT_NEAR(s.Bac, 135.13514, 1e-5);
    EXPECT_NEAR(n.peakFluxDensityT, 0.1486486, 1e-7);
    EXPECT_NEAR(n.requiredWireAreaCm2, 0.01252082, 1e-8);
    EXPECT_NEAR(n.wireDiameterCm, 0.1281397, 1e-7);
    EXPECT_NEAR(n.wireAreaCm2, 0.01289607, 1e-8);
    EXPECT_NEAR(n.currentDensityAPerCm2, 388.3606, 1e-4);
    EXPECT_NEAR(n.resistanceOhm, 0.02473156, 1e-8);
    EXPECT_NEAR(n.copperWeightG, 21.20952, 1e-5);
    EXPECT_NEAR(n.copperLossW, 0.6203500, 1e-7);
    EXPECT_EQ(n.coreWeightG, 70);  // density 7 times volume 10
    EXPECT_EQ(n.totalLossW, n.copperLossW + n.coreLossW);

    const DesignResultTexts t = resultTexts(out, selection());
    const std::pair<const std::optional<std::string>&, const char*> shown[] = {
        {t.inductance, "100  uH"},
        {t.turns, "37"},
        {t.wireGauge, "16"},
        {t.resistance, "24.73  mOhms"},
        {t.dcField, "18.55"},
        {t.acFluxDensity, "0.0135"},
        {t.peakFluxDensity, "0.149"},
        {t.currentDensity, "388"},
        {t.effectivePermeability, "60.0"},
        {t.copperLoss, "0.62"},
        {t.coreAndMaterial, "EI-100 -26"},
        {t.relativeCost, "1"},
        {t.totalWeight, "91.21"}};  // 21.21 g of copper and 70 g of core
    for (const auto& [text, expected] : shown)
        EXPECT_EQ(text, expected);
    EXPECT_TRUE(t.coreLoss && t.totalLoss && t.temperatureRise);
    DesignSelection noRecord = selection();
    noRecord.cost.reset();  // without a current record the price box keeps its previous text
    EXPECT_FALSE(resultTexts(out, noRecord).relativeCost);
    // The texts follow the locale.
    const DesignResultTexts comma = resultTexts(out, selection(), {",", "."});
    EXPECT_EQ(*comma.resistance + " " + *comma.effectivePermeability, "24,73  mOhms 60,0");
}

// The first estimate from the window area: the search walks up from 30 (eight iterations,
// stopping at the first turn count that exceeds) or stops at once on 37. An inductance equal
// to the requirement does not satisfy it.
TEST(DesignComputation, SearchFromTheFirstEstimate) {
    for (const auto& [estimate, iterations] : {std::pair{30.0, 8}, {37.0, 2}}) {
        DesignState s = workedExample();
        s.Wa = windowForTurns(s, estimate);
        const DesignOutcome out = computeDesign(s, selection());
        EXPECT_EQ(out.numbers.turns, 37) << estimate;
        EXPECT_EQ(out.numbers.iterations, iterations) << estimate;
        s.Lreq = out.numbers.searchedInductanceH;  // L(37) upwards, L(36) downwards
        EXPECT_EQ(computeDesign(s, selection()).numbers.turns, estimate == 30 ? 38 : 37);
    }
    DesignState down = workedExample();
    down.Lreq = std::nextafter(computeDesign(down, selection()).numbers.searchedInductanceH, 0.0);
    EXPECT_EQ(computeDesign(down, selection()).numbers.turns, 36);
}

DesignState eCoreExample() {
    DesignState s = workedExample();
    s.IsECore = true;
    s.a_dim = 1, s.b_dim = 0.5, s.c_dim = 0.25, s.f_dim = 0.25, s.g_dim = 0.5;
    return s;
}

constexpr float kNullSingle = std::numeric_limits<float>::quiet_NaN();

// A fault, or an unusable catalogue value (or result built from one), ends the run on the
// computational error, never on results; an unusable value is named.
TEST(DesignComputation, UnusableNumbersEndOnTheComputationalError) {
    using SetUp = void (*)(DesignState&);
    const std::pair<SetUp, const char*> rows[] = {
        {[](DesignState& s) { s.Wa = 0.001; }, ""},     // first estimate below half a turn
        {[](DesignState& s) { s.Lreq = 1e-12; }, ""},   // downward search reaching zero
        {[](DesignState& s) { s.MuInit = 0.0f; }, ""},  // never reaches the requirement
        {[](DesignState& s) { s.Wa = 1e7; }, ""},       // first estimate beyond the bound
        {[](DesignState& s) { s.Ac = Num::null(); }, ""},
        {[](DesignState& s) { s.Ipk = 0; }, ""},
        {[](DesignState& s) { s.ah = -1; }, ""},  // bias fit with a negative ratio
        {[](DesignState& s) { s.MuInit = 3e38f, s.ah = 40000; }, ""},  // MuEff 6e38 in a single
        {[](DesignState& s) { s.Gap = Num::null(); }, ""},             // caught after the search
        // A toroid whose height is empty: the winding and surface come out null.
        {[](DesignState& s) { s.HT = s.MLT = s.SurfArea = Num::null(); },
         "HT is empty or not a number"},
        // Each dimension positive, but ID above OD: MLT = 2.54 * (-0.7 + 0.2) * 1.1 < 0.
        {[](DesignState& s) { s.OD = 0.3, s.ID = 1.0, s.HT = 0.1, s.MLT = -1.397; },
         "mean turn length is not positive"},
        {[](DesignState& s) { s = eCoreExample(), s.Wa = Num::null(); },
         "WC is empty or not a number"},
        {[](DesignState& s) { s = eCoreExample(), s.b_dim = 0; }, "b_dim is not positive"},
        {[](DesignState& s) { s = eCoreExample(), s.Gap = -1; }, "GAP is negative"},
        {[](DesignState& s) { s.Vc = std::numeric_limits<double>::infinity(); },
         "VC is not finite"},
        {[](DesignState& s) { s.dl = kNullSingle; }, "dl is empty or not a number"},
        // At 135.1 G and 50 kHz: 5e4 / (405 + 1385 + 580) - 1e-12 * 2.5e9 * 18262 < 0.
        {[](DesignState& s) { s.dl = -1e-12f; }, "core loss is not positive"},
        // With AC flux a loss model of no terms is no zero loss, nor an earlier design's.
        {[](DesignState& s) { s.Pv = 0.75, s.al = s.bl = s.cl = 0; }, "core loss is not positive"},
    };
    for (std::size_t row = 0; row < std::size(rows); ++row) {
        const auto& [setUp, named] = rows[row];
        SCOPED_TRACE(row);
        DesignState s = workedExample();
        setUp(s);
        const DesignOutcome out = computeDesign(s, selection());
        ASSERT_FALSE(out.completed());
        EXPECT_EQ(*out.message, "Computational error.  Reverify your design parameters");
        EXPECT_EQ(out.page, 0);
        if (*named != 0) {
            EXPECT_EQ(out.unusableValue, named);
        }
        const DesignResultTexts texts = resultTexts(out, selection());
        EXPECT_FALSE(texts.turns || texts.resistance);
    }
}

TEST(DesignComputation, SearchIsBoundedAtTheMaximumTurns) {
    DesignState s = workedExample();
    s.ah = 0;  // a bias fit of 0: MuEff 0
    const DesignOutcome out = computeDesign(s, selection());
    EXPECT_FALSE(out.completed());
    // From 44 turns up to the bound, one iteration per turn.
    EXPECT_EQ(s.Hdc, 0.4 * 3.141592654 * kMaxTurns * 5 / 10);
}

// Without ripple there is no core loss, whatever an earlier design left in Pv; a loss fit
// without flux terms then has no loss density: that step is skipped and named.
TEST(DesignComputation, ZeroRippleShowsNoCoreLoss) {
    DesignState s = workedExample();
    s.Pv = 0.75, s.Iac = 0;
    const DesignOutcome out = computeDesign(s, selection());
    ASSERT_TRUE(out.completed() && out.skipped.empty());
    EXPECT_EQ(s.Pv, 0);
    EXPECT_EQ(resultTexts(out, selection()).coreLoss, "0.00");
    s.al = s.bl = s.cl = 0;
    const DesignOutcome noFit = computeDesign(s, selection());
    ASSERT_TRUE(noFit.completed() && noFit.skipped.size() == 1u);
    EXPECT_EQ(noFit.skipped[0].value, "Pv");
    EXPECT_EQ(resultTexts(noFit, selection()).coreLoss, "0.00");
}

TEST(DesignComputation, SelectionChecksComeFirst) {
    DesignState s = workedExample();
    const DesignState before = s;
    DesignSelection noText = selection(), noIndex = selection();
    noText.materialText.clear();
    noIndex.materialIndex = -1;
    for (const auto& [sel, message] : {std::pair{noText, "Select a core from the database"},
                                       {noIndex, "Select a core material"}}) {
        const DesignOutcome out = computeDesign(s, sel);
        EXPECT_EQ(out.message, message);
        EXPECT_EQ(out.page, 1);
    }
    EXPECT_EQ(s, before);
}

// A 1 mm gap at MuEff 60 adds 0.06 m to the 0.1 m path; with 2 cm^2 of core
// L(N) = 4 pi e-7 60 N^2 2e-4 / 0.16: L(33) = 102.64 uH fits, L(32) = 96.510 uH, the last
// count the downward walk from 44 tries, does not.
TEST(DesignComputation, GapAndCrossSectionSetTheTurns) {
    DesignState s = workedExample();
    s.Gap = 1, s.Ac = 2;
    const DesignOutcome out = computeDesign(s, selection());
    ASSERT_TRUE(out.completed());
    EXPECT_EQ(out.numbers.turns, 33);
    EXPECT_NEAR(out.numbers.searchedInductanceH, 96.50973e-6, 1e-11);
    // Bmax = 1e-4·5.5·1e4/(33·2) = 0.0833333 T; Bac = 1e-4·1·1e8/(2·33·2) = 75.7576 G.
    EXPECT_NEAR(out.numbers.peakFluxDensityT, 0.08333333, 1e-8);
    EXPECT_NEAR(out.numbers.acFluxDensityGauss, 75.757576, 1e-6);
}

}  // namespace
}  // namespace coilsmith
