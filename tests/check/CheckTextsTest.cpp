// The design check's texts, one formatter for the window, the report and the command line,
// and the delivered design's column beside them with the sentence that says what changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "check/CheckTexts.h"
#include "check/DeliveredTexts.h"

namespace coilsmith {
namespace {

// A check written out by hand: 100 µH asked for at 5 A DC with a 1 A ripple (Ipk 5.5 A),
// 37 turns of AWG 16 on one core.
DesignCheck handCheck() {
    InductanceFigures l;
    l.atZeroH = 1.2e-3, l.atIdcH = 1.0417e-4, l.atIpkH = 9.6e-5;
    l.atIdcPercent = 104.17, l.atIpkPercent = 95.96, l.swing = 11.5196, l.turnsNeeded = 37;
    WindingFigures w;
    w.insulatedDiameterCm = 0.136452, w.turnsPerLayer = {9, 9, 9, 9, 1};
    w.layers = 5, w.fill = 0.36070, w.fits = true;
    CopperFigures c;
    c.rdc20Ohm = 0.024731, c.rhotOhm = 1.5, c.hotTemperatureC = 96.04, c.meanTurnCm = 4.4336;
    c.copperLossW = 0.8, c.totalLossW = 1.2;
    DesignCheck check;
    check.inductance.figures = l, check.winding.figures = w, check.copper.figures = c;
    check.verdicts = {{"L at Idc", Verdict::Pass, "fine"}, {"Fill", Verdict::Warning, "full"}};
    return check;
}

DesignCheckInput handInput() {
    DesignCheckInput in;
    in.requiredInductanceH = 100e-6, in.idcA = 5, in.iacPeakToPeakA = 1, in.irmsA = 5;
    in.turns = 37, in.awg = 16, in.windowUtilisation = 0.4, in.ambientC = 40;
    in.coreLossW = 0.5;
    return in;
}

// The row of a figure as part|value|unit.
std::string figure(const CheckTexts& texts, const std::string& label) {
    const auto r = std::ranges::find(texts.figures, label, &CheckFigureRow::label);
    return r == texts.figures.end() ? "no row " + label : r->part + "|" + r->value + "|" + r->unit;
}

TEST(CheckTexts, FiguresWithTheirUnits) {
    const CheckTexts texts = checkTexts(handCheck(), handInput());
    // The rows DeliveredTexts.ColumnInTheDesignedUnits does not show in its designed column:
    // four significant digits in µH below 1 mH, percentages to 0.1, ohms from one ohm up.
    const std::pair<const char*, const char*> expected[] = {
        {"Ipk", "Inductance|5.500|A"},  // 5 + 1 / 2
        {"L at Ipk", "Inductance|96.00|µH"},
        {"L at Ipk of required", "Inductance|96.0|%"},  // 95.96 to one decimal
        {"Ambient", "Copper|40.0|°C"},
        {"R hot", "Copper|1.500|Ω"}};
    for (const auto& [label, row] : expected) {
        EXPECT_EQ(figure(texts, label), row) << label;
    }
    ASSERT_EQ(texts.verdicts.size(), 2u);
    const CheckVerdictRow& fill = texts.verdicts[1];
    EXPECT_EQ(fill.check + "|" + fill.verdictText + "|" + fill.reason, "Fill|Warning|full");

    // A part that could not run has no figures but its reason.
    DesignCheck check = handCheck();
    check.inductance = {std::nullopt, "no published bias curve for material -8"};
    check.winding = {std::nullopt, "AWG 16 is outside the wire table"};
    check.copper = {std::nullopt, "no wire row for AWG 16"};
    std::string rows;
    for (const CheckFigureRow& r : checkTexts(check, handInput()).figures)
        rows += r.label + "|" + r.value + "; ";
    EXPECT_EQ(rows,
              "Required L|100.0; Idc|5.000; Ipk|5.500; Not available|no published bias curve for "
              "material -8; Turns|37; Wire|AWG 16; Not available|AWG 16 is outside the wire "
              "table; Ambient|40.0; Not available|no wire row for AWG 16; ");
}

TEST(CheckTexts, SignificantDigitsAndRoundAxes) {
    EXPECT_EQ(significantText(99.996), "100.0");  // rounds into the next decade
    EXPECT_EQ(significantText(0.00123456), "0.001235");
    EXPECT_EQ(inductanceUnit(1e-3).name, std::string("mH"));  // 1 mH reads 1.000 mH
    // 103.2 in about five: steps 10, 20, 50, 100 give 11, 6, 3, 2 intervals; 20 is nearest.
    const RoundAxis axis = roundAxis(103.2);
    EXPECT_EQ(std::tuple(axis.step, axis.top, axis.intervals()), std::tuple(20.0, 120.0, 6));
    // 11 A: steps 1, 2, 5, 10 give 11, 6, 3, 2; 10 exactly five steps of 2.
    EXPECT_DOUBLE_EQ(roundAxis(11).top, 12);
    EXPECT_DOUBLE_EQ(roundAxis(10).step, 2);
}

// Worked by hand: 41 turns on two cores reach 100.4 µH at 5 A (100.4 % of 100 µH); they
// lie 30 + 11 in two layers of 1.3645 mm wire, 39.96 % of the window.
DeliveredCheck deliveredOnTwoCores() {
    physics::DeliveredDesign d;
    d.stackCount = 2, d.reachable = true, d.fits = true;
    d.inductance = physics::DeliveredInductance{41, 2.0e-4, 1.004e-4, 9.8e-5, 200.0, 100.4, 98.0};
    physics::DeliveredWinding w;
    w.awg = 16, w.wire.insulatedDiameterM = 1.36452e-3, w.fill = 0.3996, w.fits = true;
    w.layout.turnsPerLayer = {30, 11}, w.layout.layers = 2, w.layout.fits = true;
    d.winding = w;
    d.core = physics::DeliveredCore{0.05, 0.6077, 0.2};
    physics::DeliveredCopper c;
    c.woundMeanTurnM = 0.0523, c.resistance20Ohm = 0.0301, c.resistanceHotOhm = 0.0352;
    c.fundamentalFr = 1.2344, c.copperLossDcW = 0.88, c.copperLossAcW = 0.0123;
    c.totalLossHotW = 1.5, c.temperatureRiseHotC = 30.25, c.hotTemperatureC = 55.25;
    c.copperWeightKg = 0.0456, c.totalWeightKg = 0.2456;
    d.copper = c;
    d.verdicts = {{"L at Idc", physics::VerdictLevel::Pass, "100.4 % of the required L"},
                  {"Fill", physics::VerdictLevel::Warning, "near Ku"}};
    return {d, {}, {}};
}

// The row as designed|delivered|unit, with a star when the delivered figure changed.
std::string row(const DeliveredTexts& texts, const std::string& label) {
    const auto r = std::ranges::find(texts.figures, label, &ComparedFigureRow::label);
    if (r == texts.figures.end())
        return "no row " + label;
    return r->designed + "|" + r->delivered + "|" + r->unit + (r->changed ? "*" : "");
}

DeliveredTexts textsOf(const DeliveredCheck& delivered) {
    return deliveredTexts(checkTexts(handCheck(), handInput()), handInput(), delivered);
}

TEST(DeliveredTexts, ColumnInTheDesignedUnits) {
    const DeliveredTexts texts = textsOf(deliveredOnTwoCores());
    const std::pair<const char*, const char*> expected[] = {
        {"L at 0 A", "1.200|0.2000|mH*"},  // 2.0e-4 H in the designed figure's mH
        {"L at Idc of required", "104.2|100.4|%*"},
        {"Swing L(0) / L(Idc)", "11.520|1.992|*"},  // 200 / 100.4
        {"Turns", "37|41|*"},
        {"Wire", "AWG 16|AWG 16|"},  // the same gauge is not emphasised
        {"Turns per layer", "9, 9, 9, 9, 1|30, 11|*"},
        {"Fill", "36.1|40.0|%*"},  // 0.3996 of the window
        {"Largest fill (Ku)", "40.0|40.0|%"},
        {"Mean turn", "4.434|5.230|cm*"},
        {"R at 20 °C", "24.73|30.10|mΩ*"},
        {"Rac / Rdc at the ripple frequency", "0.000|1.234|*"},
        {"Copper loss", "0.8000|0.8923|W*"},   // 0.88 + 0.0123
        {"Hot temperature", "96.0|55.3|°C*"},  // 55.25, exact in binary, half away from zero
        {"Cores stacked", "1|2|*"},
        {"Core loss", "0.5000|0.6077|W*"},
        {"Total weight", "|245.6|g*"},
    };
    for (const auto& [label, text] : expected)
        EXPECT_EQ(row(texts, label), text) << label;
    ASSERT_EQ(texts.verdicts.size(), 2u);
    EXPECT_EQ(texts.verdicts[1].check + "|" + texts.verdicts[1].verdictText, "Fill|Warning");
}

TEST(DeliveredTexts, SentenceSaysWhatChanged) {
    EXPECT_EQ(textsOf(deliveredOnTwoCores()).summary,
              "On 2 stacked cores, 41 turns instead of 37 reach 100.4 µH at 5 A; the winding "
              "still fits in 2 layers.");

    DeliveredCheck sameTurns = deliveredOnTwoCores();
    physics::DeliveredDesign& d = *sameTurns.design;
    d.stackCount = 1, d.inductance->turns = 37, d.inductance->atIdcH = 1.0417e-4;
    d.winding->fits = false, d.winding->doesNotFitReason = "the fill 45.0 % exceeds Ku";
    EXPECT_EQ(textsOf(sameTurns).summary,
              "37 turns, as designed, reach 104.2 µH at 5 A; the winding does not fit: the fill "
              "45.0 % exceeds Ku.");
    d.copper.reset();  // no hot copper: no weights
    EXPECT_EQ(row(textsOf(sameTurns), "Total weight"), "||g");

    const DeliveredCheck missing{std::nullopt, "the core T1 is not in the catalogue", {}};
    const DeliveredTexts none = textsOf(missing);
    EXPECT_EQ(none.summary, "No delivered design: the core T1 is not in the catalogue.");
    EXPECT_EQ(row(none, "Turns"), "37||");
    EXPECT_TRUE(none.verdicts.empty());
}

TEST(DeliveredTexts, StackChoiceTextsReadBack) {
    for (const std::string& text : stackChoiceTexts())
        EXPECT_EQ(stackChoiceText(stackChoiceFromText(text)), text);
    EXPECT_FALSE(stackChoiceFromText("4").count);  // unknown: the smallest that passes
}

}  // namespace
}  // namespace coilsmith
