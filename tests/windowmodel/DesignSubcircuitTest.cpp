// The simulator model of the window's design: the design of its last Run and its check.
#include <gtest/gtest.h>

#include <memory>

#include "TestCatalogue.h"
#include "windowmodel/DesignSubcircuit.h"

namespace coilsmith::test {
namespace {

using DesignSubcircuitTest = WorkedTablesTest;

// Only a completed Run is modelled, on the curve the check used.
// ED: Ac 1 cm^2, lc 10 cm, no gap; M60: mui 60, %mu = 1 / (0.01 + 1e-4 H[Oe]); N = 37.
//   air core  4 pi 1e-7 * 37^2 * 1e-4 / 0.1 = 1.72034 uH
//   L(0)      60 * 1.72034 = 103.220 uH
//   L(10 kA)  %mu = 0.214613, mu = 0.128768 < 1: held at the air core, 1.72034 uH
TEST_F(DesignSubcircuitTest, InductanceIsTheChecksOnThePublishedCurve) {
    EXPECT_THROW(simulatorModel(m(), {}), spice::SpiceModelError);  // its message: the frame's
    runWorkedExample();
    const spice::ChokeModelInput input = simulatorModelInput(m(), {});
    EXPECT_NEAR(input.airCoreInductanceH, 1.72034e-6, 0.00001e-6);
    EXPECT_NEAR(input.inductance(0), 103.220e-6, 0.001e-6);
    EXPECT_DOUBLE_EQ(input.inductance(1e4), input.airCoreInductanceH);
    const InductanceFigures& check = *m().lastCheck()->inductance.figures;
    EXPECT_NEAR(input.inductance(5.5), check.atIpkH, 1e-12);

    const CopperFigures& copper = *m().lastCheck()->copper.figures;
    EXPECT_EQ(input.windingResistanceOhm, copper.rhotOhm);
    EXPECT_EQ(input.coreLossW, m().lastDesign()->numbers.coreLossW);
    EXPECT_DOUBLE_EQ(input.rippleInductanceH, 100e-6);  // the volt-seconds the core loss is at
    DesignCheckInput withoutCurve = *m().lastCheckInput();
    withoutCurve.biasCurve.reset();
    EXPECT_THROW(designInductanceCurve(withoutCurve), spice::SpiceModelError);
}

TEST_F(DesignSubcircuitTest, HeaderNamesTheDesignAndTheChecksVerdicts) {
    runWorkedExample();
    m().setAmbientTemperature(40);
    const std::string netlist = simulatorModel(m(), {ModelledDesign::AsDesigned, "ed.txt"});
    for (const char* line :
         {"* Coilsmith design ed.txt, as designed\n",
          "* E-core ED in M60, 1 core, 37 turns of AWG 16\n",
          "* Specification: L = 100 uH at Idc = 5 A, ripple 1 A p-p at 50 kHz\n",
          "* Design check at 40.0 C ambient: L(0) = 103.2 uH (103.2 %), L(Idc) = 83.75 uH "
          "(83.8 %), L(Ipk) = ",
          "* Check L at Idc: Fail", "* Check Winding fits: Pass", ".subckt ED_M60 1 2\n"}) {
        EXPECT_NE(netlist.find(line), std::string::npos) << line << "\n" << netlist;
    }
}

}  // namespace
}  // namespace coilsmith::test
