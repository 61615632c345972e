// The design check of the model: made by every completed Run, from the run's own design.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "TestCatalogue.h"
#include "check/CheckTexts.h"
#include "windowmodel/DesignFile.h"
#include "windowmodel/ModelTexts.h"

namespace coilsmith::test {
namespace {

using DesignCheckModelTest = WorkedTablesTest;

// Checked at the ambient temperature chosen, again when it changes; gone when a Run fails.
// The check reads the Run's design as the rows of ED (a 1.0 b 0.5 c 0.25 d 1.0 f 0.25 g 0.5,
// surface 2 2.54^2 (ab + ac + bc) = 11.2903 cm^2), M60 and AWG 16 give it; Irms =
// sqrt(5^2 + 1^2 / 12) = 5.0083264 A.
TEST_F(DesignCheckModelTest, CompletedRunIsCheckedWithItsOwnDesign) {
    m().setAmbientTemperature(40);  // nothing to check yet
    EXPECT_FALSE(m().lastCheck().has_value());
    runWorkedExample();
    ASSERT_TRUE(m().lastCheck() && m().lastCheckInput() && m().lastCheck()->copper.available());
    // The rest (specification, ambient, turns, gauge, L(0) and L(Idc) from Ac, lc, mu, gap and
    // the curve) shows in the simulator model's header: DesignSubcircuitTest pins it.
    const DesignCheckInput& in = *m().lastCheckInput();
    EXPECT_EQ((std::vector<double>{in.windowUtilisation, in.windowAreaCm2, in.specifiedFluxDensityT,
                                   in.outline.c, in.outline.d, in.outline.f, in.outline.g}),
              (std::vector<double>{0.4f, 1.5, 0.5, 0.25, 1.0, 0.25, 0.5}));
    EXPECT_NEAR(in.irmsA, 5.0083264, 1e-7);
    EXPECT_NEAR(in.surfaceAreaCm2, 11.2903, 1e-9);
    const DesignNumbers& n = m().lastDesign()->numbers;
    EXPECT_TRUE(in.wire && in.wire->overallDiameterMm == 1.3645 && in.material == "M60" &&
                in.coreLossW == n.coreLossW && in.designTempRiseC == n.temperatureRiseC);

    const DesignState before = m().state();
    const double hot = m().lastCheck()->copper.figures->hotTemperatureC;
    m().setAmbientTemperature(60);
    EXPECT_EQ(m().lastCheckInput()->ambientC, 60);
    EXPECT_GT(m().lastCheck()->copper.figures->hotTemperatureC, hot + 19);
    EXPECT_EQ(m().state(), before);  // the design did not run again
    m().setAmbientTemperature(std::numeric_limits<double>::quiet_NaN());
    EXPECT_DOUBLE_EQ(m().ambientTemperature(), 60);

    m().setTextRaw("CoreMat", "");  // no material chosen: "Run" ends on its message
    m().runDesign();
    ASSERT_FALSE(m().lastDesign()->completed());
    EXPECT_FALSE(m().lastCheck().has_value() || m().lastCheckInput().has_value());
}

// A check belongs to the Run that made it: any change to what the design is made from, by
// whatever route, takes it away until the next completed Run; looking at other pages, a
// "Calculate AP" of the same specification and the ambient do not.
TEST_F(DesignCheckModelTest, CheckIsGoneOnceTheDesignShownChanges) {
    using Change = std::function<void(ChokeModel&)>;
    const std::pair<const char*, Change> changes[] = {
        {"typed inductance, even the same", [](ChokeModel& m) { m.editText("Ldes", "100"); }},
        {"inductance unit", [](ChokeModel& m) { m.chooseItem("Lunit", 1); }},
        {"core type", [](ChokeModel& m) { m.setOption("Toroid", true); }},
        {"core, picked again", [](ChokeModel& m) { m.setListText("Core", "ED"); }},
        {"material, picked again", [](ChokeModel& m) { m.setListText("CoreMat", "M60"); }},
        {"refused Calculate AP",
         [](ChokeModel& m) { m.setTextRaw("FD", "x"), m.calculateAreaProduct(); }},
        {"design file read, the same design", [](ChokeModel& m) {
             const auto file = parseDesignFile(writeDesignFile(m), "same.txt");
             loadDesignFile(m, std::get<DesignFileLines>(file));
         }}};
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        recreate();
        runWorkedExample();
        m().calculateAreaProduct();
        m().showSpecifications();
        m().setAmbientTemperature(30);
        ASSERT_TRUE(m().lastCheck().has_value());
        change(m());
        EXPECT_FALSE(m().lastCheck().has_value() || m().lastCheckInput().has_value());
        EXPECT_FALSE(checkTexts(m()).has_value());
    }
}

// The core page's sign, the results page's warning and the check judge the boxes as shown
// (and the flux density last read). The worked example keeps to the method's limits: core
// AP 1.500 above the minimum 0.378, Bmax = L Ipk / (N Ac) = 100e-6 5.5 / (37 1e-4)
// = 0.149 T within 0.5 T.
TEST_F(DesignCheckModelTest, MethodLimitsJudgeTheBoxesShown) {
    runWorkedExample();
    EXPECT_EQ(m().areaProductRelation().symbol, "<");
    EXPECT_TRUE(m().exceededLimits().empty());
    const auto& verdicts = m().lastCheck()->verdicts;
    ASSERT_EQ(verdicts.size(), 7u);
    EXPECT_EQ(verdicts[5].reason, "core AP 1.500 cm^4, above the minimum 0.378 cm^4");
    EXPECT_EQ(verdicts[6].reason, "Bmax 0.149 T, within the specified 0.500 T");

    const std::string ap = "core AP below the minimum AP";
    const std::string b = "Bmax above the specified flux density";
    const std::string rise = "temperature rise above 100 deg. C";
    const std::tuple<const char*, const char*, const char*, std::vector<std::string>> rows[] = {
        {"APROD", "0.378", "=", {}}, {"APROD", "0.377", ">", {ap}},   {"APROD", "", "<", {}},
        {"minAP", "", "<", {}},      {"FDmax", "0.500", "<", {}},     {"FDmax", "0.501", "<", {b}},
        {"TRISE", "100.0", "<", {}}, {"TRISE", "100.1", "<", {rise}}, {"TRISE", "many", "<", {}},
    };
    for (const auto& [box, text, symbol, exceeded] : rows) {
        SCOPED_TRACE(std::string(box) + " " + text);
        const std::string before = m().text(box);
        m().setTextRaw(box, text);
        EXPECT_EQ(m().areaProductRelation().symbol, symbol);
        EXPECT_EQ(m().exceededLimits(), exceeded);
        m().setTextRaw(box, before);
    }
}

// Catalogue values a part of the check cannot use, and turns or a gauge too large for any
// count, make just the parts that need them unavailable.
TEST(DesignCheckInputTest, UnusableValuesNameTheFieldOrTheCount) {
    DesignState s;
    s.IsECore = true, s.Ac = 1, s.Lc = 10, s.Gap = 0, s.Wa = 1.5, s.SurfArea = 11, s.MuInit = 60;
    s.c_dim = 0.25, s.d_dim = 1.0, s.f_dim = 0.25, s.g_dim = 0.5;
    const CheckReferences noTables{nullptr, "no tables"};
    DesignNumbers numbers;
    numbers.turns = 1e30, numbers.wireGauge = 16;
    const DesignCheckInput manyTurns = designCheckInput(s, numbers, noTables, 25);
    EXPECT_EQ(manyTurns.turns, 0);
    EXPECT_NE(manyTurns.inductanceDataProblem.value_or("").find("turns"), std::string::npos);
    EXPECT_NE(manyTurns.windingDataProblem.value_or("").find("turns"), std::string::npos);
    numbers.turns = 37, numbers.wireGauge = -1e30;
    const DesignCheckInput farGauge = designCheckInput(s, numbers, noTables, 25);
    EXPECT_EQ(farGauge.turns, 37);
    EXPECT_EQ(farGauge.inductanceDataProblem, "no tables");
    EXPECT_NE(farGauge.windingDataProblem.value_or("").find("gauge"), std::string::npos);

    s.d_dim = Num::null();  // an empty catalogue cell
    const DesignCheckInput in = designCheckInput(s, DesignNumbers{}, noTables, 25);
    EXPECT_EQ(in.windingDataProblem, "d_dim is empty or not a number");
    EXPECT_FALSE(in.copperDataProblem.has_value());
    s.Gap = -1, s.IsECore = false, s.OD = 1, s.ID = 0.5, s.HT = 0;
    const DesignCheckInput toroid = designCheckInput(s, DesignNumbers{}, noTables, 25);
    EXPECT_EQ(toroid.inductanceDataProblem, "GAP is negative");
    EXPECT_EQ(toroid.copperDataProblem, "HT is not positive");
}

}  // namespace
}  // namespace coilsmith::test
