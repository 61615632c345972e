// The design check's texts: one formatter for the window, the report and the command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "check/CheckTexts.h"

namespace coilsmith {
namespace {

// A check written out by hand: 100 µH asked for at 5 A DC with a 1 A ripple (Ipk 5.5 A).
DesignCheck handCheck() {
    InductanceFigures l;
    l.atZeroH = 1.2e-3, l.atIdcH = 1.0417e-4, l.atIpkH = 9.6e-5;
    l.atIdcPercent = 104.17, l.atIpkPercent = 95.96, l.swing = 11.5196, l.turnsNeeded = 37;
    WindingFigures w;
    w.insulatedDiameterCm = 0.136452, w.turnsPerLayer = {9, 9, 9, 9, 1};
    w.layers = 5, w.fill = 0.36070, w.fits = true;
    DesignCheck check;
    check.inductance.figures = l, check.winding.figures = w;
    check.copper.unavailableReason = "no wire row for AWG 16";
    check.verdicts = {{"L at Idc", Verdict::Pass, "fine"}, {"Fill", Verdict::Warning, "full"}};
    return check;
}

DesignCheckInput handInput() {
    DesignCheckInput in;
    in.requiredInductanceH = 100e-6, in.idcA = 5, in.iacPeakToPeakA = 1;
    in.turns = 37, in.awg = 16, in.windowUtilisation = 0.4, in.ambientC = 40;
    return in;
}

// The row of a figure as part|value|unit.
std::string figure(const CheckTexts& texts, const std::string& label) {
    const auto r = std::ranges::find(texts.figures, label, &CheckFigureRow::label);
    return r == texts.figures.end() ? "no row " + label : r->part + "|" + r->value + "|" + r->unit;
}

TEST(CheckTexts, FiguresWithTheirUnits) {
    const CheckTexts texts = checkTexts(handCheck(), handInput());
    // Four significant digits in µH below 1 mH and in mH above; percentages to 0.1.
    const std::pair<const char*, const char*> expected[] = {
        {"Required L", "Inductance|100.0|µH"},
        {"Ipk", "Inductance|5.500|A"},  // 5 + 1 / 2
        {"L at 0 A", "Inductance|1.200|mH"},
        {"L at Idc", "Inductance|104.2|µH"},  // 1.0417e-4 H
        {"L at Ipk", "Inductance|96.00|µH"},
        {"L at Ipk of required", "Inductance|96.0|%"},  // 95.96 to one decimal
        {"Swing L(0) / L(Idc)", "Inductance|11.520|"},
        {"Insulated wire diameter", "Winding|0.1365|cm"},
        {"Turns per layer", "Winding|9, 9, 9, 9, 1|"},
        {"Fill", "Winding|36.1|%"},  // 0.36070 of the window
        {"Largest fill (Ku)", "Winding|40.0|%"},
        {"Ambient", "Copper|40.0|°C"},
        {"Not available", "Copper|no wire row for AWG 16|"}};
    for (const auto& [label, row] : expected) {
        EXPECT_EQ(figure(texts, label), row) << label;
    }
    // The copper part that could not run has no figures but its reason.
    EXPECT_EQ(std::count_if(texts.figures.begin(), texts.figures.end(),
                            [](const CheckFigureRow& r) { return r.part == "Copper"; }),
              2);
    ASSERT_EQ(texts.verdicts.size(), 2u);
    const CheckVerdictRow& fill = texts.verdicts[1];
    EXPECT_EQ(fill.check + "|" + fill.verdictText + "|" + fill.reason, "Fill|Warning|full");

    // Resistance in milliohms below one ohm.
    DesignCheck check = handCheck();
    CopperFigures copper;
    copper.rdc20Ohm = 0.024731, copper.rhotOhm = 1.5, copper.hotTemperatureC = 96.04;
    check.copper = {copper, {}};
    const CheckTexts withCopper = checkTexts(check, handInput());
    EXPECT_EQ(figure(withCopper, "R at 20 °C"), "Copper|24.73|mΩ");
    EXPECT_EQ(figure(withCopper, "R hot"), "Copper|1.500|Ω");
    EXPECT_EQ(figure(withCopper, "Hot temperature"), "Copper|96.0|°C");
}

TEST(CheckTexts, SignificantDigitsAndRoundAxes) {
    EXPECT_EQ(significantText(99.996), "100.0");  // rounds into the next decade
    EXPECT_EQ(significantText(0.00123456), "0.001235");
    // 103.2 in about five: steps 10, 20, 50, 100 give 11, 6, 3, 2 intervals; 20 is nearest.
    const RoundAxis axis = roundAxis(103.2);
    EXPECT_EQ(std::tuple(axis.step, axis.top, axis.intervals()), std::tuple(20.0, 120.0, 6));
    // 11 A: steps 1, 2, 5, 10 give 11, 6, 3, 2; 10 exactly five steps of 2.
    EXPECT_DOUBLE_EQ(roundAxis(11).top, 12);
    EXPECT_DOUBLE_EQ(roundAxis(10).step, 2);
}

}  // namespace
}  // namespace coilsmith
