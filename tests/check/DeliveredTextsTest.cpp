// The delivered design's column beside the check and the sentence that says what changed.
#include <gtest/gtest.h>

#include <algorithm>

#include "check/DeliveredTexts.h"

namespace coilsmith {
namespace {

// 100 µH at 5 A DC with a 1 A ripple, designed with 37 turns of AWG 16 on one core.
DesignCheck designedCheck() {
    InductanceFigures l;
    l.atZeroH = 1.2e-3, l.atIdcH = 1.0417e-4, l.atIpkH = 9.6e-5;
    l.atIdcPercent = 104.17, l.atIpkPercent = 95.96, l.swing = 11.5196, l.turnsNeeded = 37;
    WindingFigures w;
    w.insulatedDiameterCm = 0.136452, w.turnsPerLayer = {20, 17}, w.layers = 2, w.fill = 0.3,
    w.fits = true;
    CopperFigures c;
    c.rdc20Ohm = 0.024731, c.rhotOhm = 0.03, c.copperLossW = 0.8, c.totalLossW = 1.2;
    DesignCheck check;
    check.inductance.figures = l, check.winding.figures = w, check.copper.figures = c;
    return check;
}

DesignCheckInput designedInput() {
    DesignCheckInput in;
    in.requiredInductanceH = 100e-6, in.idcA = 5, in.iacPeakToPeakA = 1, in.irmsA = 5;
    in.turns = 37, in.awg = 16, in.windowUtilisation = 0.4, in.ambientC = 25;
    in.coreLossW = 0.5;
    return in;
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
    const DesignCheck check = designedCheck();
    return deliveredTexts(checkTexts(check, designedInput()), designedInput(), delivered);
}

TEST(DeliveredTexts, ColumnInTheDesignedUnits) {
    const DeliveredTexts texts = textsOf(deliveredOnTwoCores());
    const std::pair<const char*, const char*> expected[] = {
        {"Required L", "100.0|100.0|µH"},
        {"L at 0 A", "1.200|0.2000|mH*"},  // 2.0e-4 H in the designed figure's mH
        {"L at Idc", "104.2|100.4|µH*"},
        {"L at Idc of required", "104.2|100.4|%*"},
        {"Swing L(0) / L(Idc)", "11.520|1.992|*"},  // 200 / 100.4
        {"Turns", "37|41|*"},
        {"Wire", "AWG 16|AWG 16|"},  // the same gauge is not emphasised
        {"Insulated wire diameter", "0.1365|0.1365|cm"},
        {"Turns per layer", "20, 17|30, 11|*"},
        {"Fill", "30.0|40.0|%*"},  // 0.3996 of the window
        {"Largest fill (Ku)", "40.0|40.0|%"},
        {"R at 20 °C", "24.73|30.10|mΩ*"},
        {"Copper loss", "0.8000|0.8923|W*"},  // 0.88 + 0.0123
        {"Total loss", "1.200|1.500|W*"},
        {"Hot temperature", "0.0|55.3|°C*"},  // 55.25, exact in binary, half away from zero
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

    const DeliveredCheck missing{std::nullopt, "the core T1 is not in the catalogue", {}};
    const DeliveredTexts none = textsOf(missing);
    EXPECT_EQ(none.summary, "No delivered design: the core T1 is not in the catalogue.");
    EXPECT_EQ(row(none, "Turns"), "37||");
    EXPECT_TRUE(none.verdicts.empty());
}

TEST(DeliveredTexts, StackChoiceTextsReadBack) {
    EXPECT_EQ(stackChoiceTexts(),
              (std::vector<std::string>{"1", "2", "3", "smallest that passes"}));
    for (const std::string& text : stackChoiceTexts())
        EXPECT_EQ(stackChoiceText(stackChoiceFromText(text)), text);
    EXPECT_FALSE(stackChoiceFromText("4").count);  // unknown: the smallest that passes
}

}  // namespace
}  // namespace coilsmith
