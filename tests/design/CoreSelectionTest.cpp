// The core page: core type, core list, the E-core and toroid loaders, materials and Run.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

#include "TestCatalogue.h"

namespace coilsmith::test {
namespace {

using Items = std::vector<std::string>;

class CoreSelectionTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { catalogue = std::make_unique<TempCatalogue>(workedTables()); }
    static void TearDownTestSuite() { catalogue.reset(); }
    void SetUp() override { f.create(catalogue->path()); }

    ChokeModel& m() { return *f.model; }
    double num(const Num& n) { return n.value(); }

    // The design worked example: 100 uH, 5 A DC, 1 A ripple.
    void typeWorkedSpecification() {
        m().editText("Ldes", "100");
        m().editText("DCC", "5");
        m().editText("ACC", "1");
        m().CAP_Click();
    }
    void pick(const char* type, const char* core, const char* material) {
        m().setOption(type, true);
        ASSERT_TRUE(m().setListText("Core", core)) << core;
        ASSERT_TRUE(m().setListText("CoreMat", material)) << material;
    }

    static std::unique_ptr<TempCatalogue> catalogue;
    ModelFixture f;
};
std::unique_ptr<TempCatalogue> CoreSelectionTest::catalogue;

const Items kECores = {"EW", "ED", "EDUP", "EDUP", "EC", "E11", "EZ12", "ENOLINK", "EMISS"};

TEST_F(CoreSelectionTest, ChoosingECoreListsEveryECoreOnce) {
    m().setOption("ECore", true);
    m().ECore_Click();
    EXPECT_EQ(m().control("Core").items, kECores);
    EXPECT_TRUE(m().control("Core").enabled);
    EXPECT_TRUE(m().control("CoreMat").enabled);
    EXPECT_TRUE(m().control("CoreMat").items.empty());
    EXPECT_TRUE(m().state().IsECore);
    EXPECT_EQ(m().control("Core").selectedIndex, -1);
}

TEST_F(CoreSelectionTest, SwitchingTypeClearsTheCorePageButNotMinAp) {
    m().CAP_Click();
    pick("ECore", "EW", "M60");
    m().setOption("Toroid", true);
    EXPECT_FALSE(m().control("ECore").value);
    EXPECT_FALSE(m().state().IsECore);
    EXPECT_EQ(m().control("Core").items, (Items{"TW", "TNULL"}));
    EXPECT_TRUE(m().control("CoreMat").items.empty());
    for (const char* box : {"Mu", "APROD", "ACORE", "VCORE", "MPL", "WinArea"}) {
        EXPECT_EQ(m().text(box), "") << box;
    }
    EXPECT_EQ(m().text("minAP"), "2.363");
    EXPECT_DOUBLE_EQ(num(m().state().Ac), 0.4);  // DesignState keeps the last core
}

TEST_F(CoreSelectionTest, ClearingAnOptionRunsNoHandler) {
    m().setOption("ECore", true);
    m().setOption("ECore", false);
    EXPECT_FALSE(m().control("ECore").value);
    EXPECT_EQ(m().control("Core").items, kECores);
    EXPECT_TRUE(m().state().IsECore);
}

// EW: AC 0.4, VC 2, LC 5, WC 0.25, a 1.0, b 0.5, c 0.25, f 0.25, g 0.5 inches, no gap.
// MLT = 2.54 (2c + f/2 + 1.5g) = 2.54 1.375 = 3.4925; SurfArea = 2 2.54^2 (ab + ac + bc) =
// 12.9032 0.875 = 11.2903; AP = 0.4 0.25 = 0.100.
TEST_F(CoreSelectionTest, ECoreWorkedNumbers) {
    pick("ECore", "EW", "M60");
    const DesignState& s = m().state();
    EXPECT_EQ(m().text("ACORE"), "0.4");
    EXPECT_EQ(m().text("VCORE"), "2");
    EXPECT_EQ(m().text("MPL"), "5");
    EXPECT_EQ(m().text("WinArea"), "0.25");
    EXPECT_EQ(m().text("APROD"), "0.100");
    EXPECT_NEAR(num(s.MLT), 3.4925, 1e-12);
    EXPECT_NEAR(num(s.SurfArea), 11.2903, 1e-12);
    EXPECT_DOUBLE_EQ(num(s.Wa), 0.25);
    EXPECT_DOUBLE_EQ(num(s.Gap), 0.0);
    EXPECT_EQ(m().control("CoreMat").items, (Items{"M60"}));
}

// TW: OD 1.0, ID 0.5, HT 0.25 inches; pi is taken as 3.141592654. Window pi 2.54^2 0.5^2 / 4
// = 1.2667687 cm^2 as a single; MLT = 2.54 (OD - ID + 2 HT) 1.1f = 2.54 1.1000000238 =
// 2.7940000606; SurfArea = pi 2.54^2 ((OD^2 - ID^2)/2 + (OD + ID) HT) = pi 6.4516 0.75 =
// 15.2012243749.
TEST_F(CoreSelectionTest, ToroidWorkedNumbers) {
    pick("Toroid", "TW", "M60");
    const DesignState& s = m().state();
    EXPECT_EQ(m().text("WinArea"), "1.27");
    EXPECT_EQ(m().text("APROD"), "0.508");
    EXPECT_FLOAT_EQ(static_cast<float>(num(s.Wa)), 1.2667687f);
    EXPECT_NEAR(num(s.MLT), 2.7940000606, 1e-10);
    EXPECT_NEAR(num(s.SurfArea), 15.2012243749, 1e-9);
    EXPECT_EQ(num(s.Gap), 0.0);
    EXPECT_EQ(m().control("CoreMat").items, (Items{"M60", "M01"}));
}

struct LinkCase {
    const char* core;
    Items materials;
};

void PrintTo(const LinkCase& c, std::ostream* os) {
    *os << c.core;
}

class MaterialListing : public CoreSelectionTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(MaterialListing, ListsTheCoresLinkRows) {
    m().setOption("ECore", true);
    m().setListText("Core", GetParam().core);
    EXPECT_EQ(m().control("CoreMat").items, GetParam().materials);
    EXPECT_EQ(m().control("CoreMat").selectedIndex, -1);
    EXPECT_TRUE(f.prompter.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Links, MaterialListing,
    ::testing::Values(
        LinkCase{"E11",
                 {"M01", "M02", "M03", "M04", "M05", "M06", "M07", "M08", "M09", "M10", "M11"}},
        // twelve rows, the last core of the index: the first eleven
        LinkCase{"EZ12",
                 {"M01", "M02", "M03", "M04", "M05", "M06", "M07", "M08", "M09", "M10", "M11"}},
        LinkCase{"EC", {"M01"}},              // a row spelt "ec" ends the listing
        LinkCase{"ENOLINK", {}},              // no link rows: nothing listed
        LinkCase{"EMISS", {"M60", "M60"}}));  // missing material left out, repeat kept

TEST_F(CoreSelectionTest, DuplicateCoreNumbersLoadTheFirstRow) {
    m().setOption("ECore", true);
    m().chooseItem("Core", 3);  // the second "EDUP" entry
    EXPECT_EQ(m().text("ACORE"), "0.5");
}

TEST_F(CoreSelectionTest, CoreNumbersCompareExactly) {
    m().setOption("ECore", true);
    EXPECT_FALSE(m().setListText("Core", "ew"));
    EXPECT_EQ(m().text("ACORE"), "");
    EXPECT_TRUE(m().control("CoreMat").items.empty());
}

TEST_F(CoreSelectionTest, CoreMissingFromTheCatalogueIsReportedAndChangesNothing) {
    pick("ECore", "EW", "M60");
    const DesignState before = m().state();
    m().setTextRaw("Core", "E999");
    m().LoadCore();
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_NE(f.prompter.messages[0].find("E999"), std::string::npos);
    EXPECT_EQ(m().state(), before);
    EXPECT_EQ(m().text("ACORE"), "0.4");
    EXPECT_TRUE(m().control("CoreMat").items.empty());
}

TEST_F(CoreSelectionTest, PickingACoreOfTheOtherTypeUsesItsLoader) {
    m().setOption("Toroid", true);
    m().setTextRaw("Core", "EW");  // an E-core number in the toroid state
    m().Core_Click();
    EXPECT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_EQ(m().text("ACORE"), "");
}

TEST_F(CoreSelectionTest, MaterialLoadsItsCoefficients) {
    pick("ECore", "EW", "M60");
    const DesignState& s = m().state();
    EXPECT_EQ(m().text("Mu"), "60");
    EXPECT_EQ(s.MatNo, "M60");
    EXPECT_EQ(s.MuInit, 60.0f);
    EXPECT_DOUBLE_EQ(num(s.Density), 7.0);
    EXPECT_DOUBLE_EQ(num(s.ah), 10000.0);
    EXPECT_DOUBLE_EQ(num(s.al), 1e9);
    EXPECT_EQ(s.dl, 1e-15f);

    m().setOption("ECore", true);
    m().setListText("Core", "EMISS");
    EXPECT_EQ(m().text("Mu"), "");  // blanked by the core pick
    EXPECT_EQ(s.MatNo, "M60");      // the values stay until the next material
}

TEST_F(CoreSelectionTest, SinglePrecisionCoefficientsAreRounded) {
    m().setOption("ECore", true);
    m().setListText("Core", "EW");
    m().setTextRaw("CoreMat", "MEB");
    m().LoadMat();
    EXPECT_EQ(m().state().eb, static_cast<float>(0.1234567890123));
}

TEST_F(CoreSelectionTest, MissingMaterialIsReportedAndThePreviousStays) {
    pick("ECore", "EW", "M60");
    m().setTextRaw("CoreMat", "NOPE");
    m().CoreMat_Click();
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_NE(f.prompter.messages[0].find("NOPE"), std::string::npos);
    EXPECT_EQ(m().state().MatNo, "M60");
}

TEST_F(CoreSelectionTest, DesignRunWorkedExample) {
    typeWorkedSpecification();
    pick("ECore", "ED", "M60");
    m().Design_Results();
    ASSERT_TRUE(f.prompter.messages.empty()) << f.prompter.messages[0];
    EXPECT_TRUE(m().pageAvailable(kResultsPage));
    EXPECT_EQ(m().selectedPage(), kResultsPage);
    // The numbers themselves are the design computation's; here the window's own parts:
    // the typed inductance, the core and material names and the catalogue's cost.
    const std::pair<const char*, const char*> expected[] = {
        {"NTurns", "37"}, {"fCore", "EDM60"}, {"Inductance", "100  uH"}, {"Price", "2.5"}};
    for (const auto& [box, text] : expected) {
        EXPECT_EQ(m().text(box), text) << box;
    }
    EXPECT_NE(m().text("DCR").find("  mOhms"), std::string::npos);
    ASSERT_TRUE(m().lastDesign().has_value());
    EXPECT_EQ(m().lastDesign()->numbers.iterations, 9);
}

struct RunFailure {
    const char* name;
    std::function<void(ChokeModel&)> prepare;
    const char* message;
    int page;
};

void PrintTo(const RunFailure& c, std::ostream* os) {
    *os << c.name;
}

class DesignRunFailures : public CoreSelectionTest,
                          public ::testing::WithParamInterface<RunFailure> {};

TEST_P(DesignRunFailures, EndsOnTheMessageWithoutResults) {
    m().CAP_Click();
    GetParam().prepare(m());
    f.prompter.clear();
    m().Design_Results();
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_EQ(f.prompter.messages[0], GetParam().message);
    EXPECT_EQ(m().selectedPage(), GetParam().page);
    EXPECT_FALSE(m().pageAvailable(kResultsPage));
    EXPECT_EQ(m().text("NTurns"), "");
}

INSTANTIATE_TEST_SUITE_P(
    Failures, DesignRunFailures,
    ::testing::Values(RunFailure{"NoCore", [](ChokeModel&) {}, "Select a core from the database",
                                 kCorePage},
                      RunFailure{"NoMaterialChosen",
                                 [](ChokeModel& m) {
                                     m.setOption("ECore", true);
                                     m.setListText("Core", "EW");
                                     m.setTextRaw("CoreMat", "typed");
                                 },
                                 "Select a core material", kCorePage},
                      // an empty inner diameter: zero window, zero turns, MLT and SurfArea null
                      RunFailure{"NullDimension",
                                 [](ChokeModel& m) {
                                     m.setOption("Toroid", true);
                                     m.setListText("Core", "TNULL");
                                     m.setListText("CoreMat", "M60");
                                     EXPECT_TRUE(m.state().MLT.isNull());
                                     EXPECT_TRUE(m.state().SurfArea.isNull());
                                     EXPECT_EQ(m.text("WinArea"), "0.00");
                                 },
                                 kComputationalError, kSpecPage}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Run after the specification changed without "Calculate AP" ------------------------

struct CountingListener : ChokeListener {
    int calls = 0;
    void areaProductCalculated() override { ++calls; }
};

struct SpecificationChange {
    const char* name;
    std::function<void(ChokeModel&)> change;
    const char* message;  // nullptr: the run completes
    const char *inductance, *turns, *apr;
    int sizings;  // "Calculate AP" runs that reached the frame
};

void PrintTo(const SpecificationChange& c, std::ostream* os) {
    *os << c.name;
}

class RunAfterSpecificationChange : public CoreSelectionTest,
                                    public ::testing::WithParamInterface<SpecificationChange> {
  protected:
    CountingListener listener;
};

// The worked example (ED, M60: MuEff 60, Ac 1 cm^2, Lc 10 cm, no gap) designed at 100 uH,
// then changed. L(N) = 4 pi 1e-7 * 60 * N^2 * 1e-4 / 0.1 = 7.54e-8 H * N^2: 37 turns for
// 100 uH (36^2 < 1326 < 37^2), 73 for 400 uH (72^2 < 5305 < 73^2). AP = L Ipk^2 / (B J Ku)
// with Ipk 5.5 A and B J Ku = 8e5: 0.378 cm^4 for 100 uH, and for 400 uH 1.5125 less a
// hair (Ku is the single just above 0.4), shown 1.512.
TEST_P(RunAfterSpecificationChange, ResultsBelongToTheSpecificationShown) {
    const SpecificationChange& row = GetParam();
    f.create(catalogue->path(), {}, &listener);
    typeWorkedSpecification();
    pick("ECore", "ED", "M60");
    m().Design_Results();
    ASSERT_EQ(m().text("NTurns"), "37");
    ASSERT_EQ(m().text("APR"), "0.378");
    listener.calls = 0;
    f.prompter.clear();

    row.change(m());
    m().Design_Results();
    EXPECT_EQ(f.prompter.messages, row.message ? Items{row.message} : Items{});
    EXPECT_EQ(m().text("Inductance"), row.inductance);
    EXPECT_EQ(m().text("NTurns"), row.turns);
    EXPECT_EQ(m().text("APR"), row.apr);
    EXPECT_EQ(m().text("minAP"), row.apr);
    EXPECT_EQ(listener.calls, row.sizings);
    EXPECT_EQ(m().lastDesign()->completed(), row.message == nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, RunAfterSpecificationChange,
    ::testing::Values(
        SpecificationChange{"Unchanged", [](ChokeModel&) {}, nullptr, "100  uH", "37", "0.378", 0},
        SpecificationChange{"TypedInductance", [](ChokeModel& m) { m.editText("Ldes", "400"); },
                            nullptr, "400  uH", "73", "1.512", 1},
        SpecificationChange{"ChosenUnit",
                            [](ChokeModel& m) {
                                m.editText("Ldes", "0.4");
                                m.setListText("Lunit", "mH");
                            },
                            nullptr, "0.4  mH", "73", "1.512", 1},
        SpecificationChange{"RefusedInductance", [](ChokeModel& m) { m.editText("Ldes", "-5"); },
                            "Re-Enter Inductance Value", "100  uH", "37", "0.378", 0},
        SpecificationChange{"BadFluxDensity",
                            [](ChokeModel& m) {
                                m.editText("Ldes", "400");
                                m.editText("FD", "abc");
                            },
                            "Re-Enter Flux Density value Value", "100  uH", "37", "0.378", 0}),
    [](const auto& info) { return std::string(info.param.name); });

// A refused "Calculate AP" has stored the inputs read before the refused one (400 uH
// here); typing the sized texts back must not let Run design from that half-read state.
TEST_F(CoreSelectionTest, RunAfterARefusalReadsTheSpecificationAgain) {
    typeWorkedSpecification();
    pick("ECore", "ED", "M60");
    m().editText("Ldes", "400");
    m().editText("FD", "0");
    m().CAP_Click();
    ASSERT_EQ(f.prompter.messages, Items{"Re-Enter Flux Density value Value"});
    m().editText("Ldes", "100");
    m().editText("FD", "0.5");
    m().Design_Results();
    EXPECT_EQ(m().text("NTurns"), "37");
}

}  // namespace
}  // namespace coilsmith::test

namespace coilsmith::test {
namespace {

TEST(EmptyCoreTable, GivesAnEmptyEnabledList) {
    auto tables = workedTables();
    tables["Toroids"] = "CoreNo,AC,VC,LC,OD,ID,HT\n";
    TempCatalogue catalogue(tables);
    ModelFixture f;
    f.create(catalogue.path());
    f.model->setOption("Toroid", true);
    EXPECT_TRUE(f.model->control("Core").items.empty());
    EXPECT_TRUE(f.model->control("Core").enabled);
    f.model->setTextRaw("Core", "TW");
    f.model->Core_Click();
    EXPECT_EQ(f.prompter.messages.size(), 1u);  // not in the catalogue
}

}  // namespace
}  // namespace coilsmith::test
