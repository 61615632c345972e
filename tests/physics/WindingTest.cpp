#include "physics/Winding.h"

#include <gtest/gtest.h>

#include <limits>

namespace coilsmith::physics {
namespace {

constexpr double kInch = 0.0254;
constexpr double kAwg13InsulatedM = 1.8989e-3;
const Wire kAwg13{1.8278e-3, kAwg13InsulatedM, 6.57056e-3};

TEST(Winding, GaugeOfTheMethod) {
    const struct {
        double rmsA, densityAPerCm2;
        int awg;
    } rows[] = {
        // −9.922·log10(area in cm²) − 2.691 rounded (AWG 13 and 16 in DeliveredDesignTest):
        // at 100 A/cm² the areas 0.02951 and 0.02937 cm² give 12.49 and 12.51: 12 and 13.
        {2.9509763756, 100, 12},
        {2.9373115302, 100, 13},
    };
    for (const auto& row : rows)
        EXPECT_EQ(*wireGaugeFor(row.rmsA, row.densityAPerCm2 * 1e4), row.awg) << row.rmsA;
    EXPECT_FALSE(wireGaugeFor(0, 4e6));
    EXPECT_FALSE(wireGaugeFor(10, 0));
    EXPECT_EQ(wireGaugeFor(1e-300, 4e6).reason(),
              "the wire for 0.000 A at this current density would be AWG 3000, no wire");
    EXPECT_FALSE(problemOf(kAwg13));
    EXPECT_TRUE(problemOf(Wire{2e-3, 1e-3, 1e-3}));  // bare above insulated
}

// AWG 13 (do 1.8989 mm) in a T300's hole (ID 1.925" = 48.895 mm, ID/do = 25.7486): layer k
// holds floor(π·(25.7486 − (2k − 1))) = 77, 71, 65, 58, 52, 46, 40, 33, 27, 21, 14, 8, 2
// turns; the 14th would hold π·(−1.25) < 1, so the hole closes with 514 turns on.
TEST(Winding, ToroidLayersByHand) {
    const double id = 1.925 * kInch;
    const WindingLayout full = *windToroid(514, id, kAwg13InsulatedM);
    EXPECT_TRUE(full.fits);
    EXPECT_EQ(full.turnsPerLayer,
              (std::vector<long>{77, 71, 65, 58, 52, 46, 40, 33, 27, 21, 14, 8, 2}));
    const WindingLayout over = *windToroid(515, id, kAwg13InsulatedM);
    EXPECT_FALSE(over.fits);
    EXPECT_EQ(over.doesNotFitReason,
              "the winding closes the hole after 13 layers with 514 of 515 turns");
}

// AWG 13 in the E450's window, g 2.252" = 57.2008 mm high and (3.13 − 1.031)/2" = 26.6573 mm
// wide: floor(57.2008/1.8989) = 30 turns a layer, floor(26.6573/1.8989) = 14 layers, 420 turns.
TEST(Winding, ECoreLayersByHand) {
    const double width = 1.0495 * kInch;
    const double height = 2.252 * kInch;
    const WindingLayout full = *windECore(420, width, height, kAwg13InsulatedM);
    EXPECT_TRUE(full.fits);
    EXPECT_EQ(full.layers, 14);
    const WindingLayout over = *windECore(421, width, height, kAwg13InsulatedM);
    EXPECT_FALSE(over.fits);
    EXPECT_EQ(over.turnsPerLayer.back(), 1);
    // 15 layers build 15·1.8989 = 28.4835 mm.
    EXPECT_EQ(over.doesNotFitReason, "15 layers build 28.48 mm, the window is 26.66 mm wide");
    EXPECT_EQ(windECore(10, width, 1e-3, kAwg13InsulatedM)->doesNotFitReason,
              "the wire is thicker than the window height");
}

// Absurd sizes must give a layout that was really laid out, or a clear Problem; never a
// count converted out of range.
TEST(Winding, IntegerCountsStayInRange) {
    const double huge = 1e19 * kInch;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // A hole of 1e19 inches takes every turn in the first layer.
    EXPECT_EQ(windToroid(60, huge, 1e-3)->turnsPerLayer, std::vector<long>{60});
    // An inner span of 1e19 inches: 50 turns a layer, two layers.
    const WindingLayout wide = *windECore(60, huge, 0.05, 1e-3);
    EXPECT_TRUE(wide.fits);
    EXPECT_EQ(wide.turnsPerLayer, (std::vector<long>{50, 10}));
    // A million one-turn layers are needed but only the two the window takes (+1) laid out.
    const WindingLayout deep = *windECore(kMaxWoundTurns, 1e-3, 1e-3, 1e-3);
    EXPECT_EQ(deep.layers, kMaxWoundTurns);
    EXPECT_EQ(deep.turnsPerLayer.size(), 2u);

    const struct {
        Result<WindingLayout> layout;
        const char* reason;
    } problems[] = {
        {windToroid(0, 0.01, 1e-3), "the winding has no turns"},
        {windToroid(kMaxWoundTurns + 1, 0.01, 1e-3),
         "a winding of 1000001 turns is not laid out (more than 1000000)"},
        {windToroid(60, 0.01, 0), "the wire's insulated diameter is not a positive number"},
        {windToroid(60, 0.01, nan), "the wire's insulated diameter is not a positive number"},
        {windToroid(60, nan, 1e-3), "the inner diameter is not a positive number"},
        {windECore(60, -1, 0.05, 1e-3), "the window's width or height is not a positive number"},
    };
    for (const auto& p : problems)
        EXPECT_EQ(p.layout.reason(), p.reason);
}

TEST(Winding, FillAndWoundMeanTurnNeedAWindingThatFits) {
    // The values are in DeliveredDesignTest's three-T300 row: fill 0.3815889669 and the
    // mean turn 131.848 mm behind Rdc20 and the copper weight.
    EXPECT_FALSE(windingFill(253, kAwg13InsulatedM, 0));
    const ToroidOutline t300{3.058 * kInch, 1.925 * kInch, 1.5 * kInch};
    const WindingLayout over = *windToroid(600, t300.innerDiameterM, kAwg13InsulatedM);
    EXPECT_EQ(woundMeanTurnM(over, innermostTurnM(t300), kAwg13InsulatedM).reason(),
              "the winding does not fit: the winding closes the hole after 13 layers with 514 of "
              "600 turns");
}

}  // namespace
}  // namespace coilsmith::physics
