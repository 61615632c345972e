// The design window as a model: creation, the specification page and "Calculate AP".
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "TestCatalogue.h"

namespace coilsmith::test {
namespace {

struct CountingListener final : ChokeListener {
    int calls = 0;
    void areaProductCalculated() override { ++calls; }
};

class ChokeModelTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { catalogue = std::make_unique<TempCatalogue>(workedTables()); }
    static void TearDownTestSuite() { catalogue.reset(); }
    void SetUp() override { f.create(catalogue->path(), {}, &listener); }

    ChokeModel& m() { return *f.model; }

    static std::unique_ptr<TempCatalogue> catalogue;
    CountingListener listener;
    ModelFixture f;
};
std::unique_ptr<TempCatalogue> ChokeModelTest::catalogue;

TEST_F(ChokeModelTest, ControlsFollowTheDesignFileOrder) {
    const std::vector<std::string> expected = {
        "ECore", "Toroid", "Core",   "Price",      "fCore",   "CoreMat", "CDact", "FIdc",
        "FDac",  "FDmax",  "TRISE",  "TWT",        "PTOT",    "COL",     "CUL",   "DCR",
        "WAWG",  "NTurns", "EffMu",  "Inductance", "WinArea", "MPL",     "VCORE", "ACORE",
        "Mu",    "APROD",  "minAP",  "APR",        "Bunit",   "FD",      "WU",    "CurD",
        "Funit", "Freq",   "ACunit", "ACC",        "DCunit",  "DCC",     "Ldes",  "Lunit"};
    std::vector<std::string> names;
    for (const Control& c : m().controls()) {
        names.push_back(c.name);
    }
    EXPECT_EQ(names, expected);
}

TEST_F(ChokeModelTest, CreationSetsUnitsDefaultsAndPages) {
    const DesignState& s = m().state();
    EXPECT_EQ(s.Lfac, 1e-6);
    EXPECT_EQ(s.Bfac, 1.0);
    EXPECT_EQ(s.DCfac, 1.0);
    EXPECT_EQ(s.ACfac, 1.0f);
    EXPECT_EQ(s.Ffac, 1000.0);
    EXPECT_EQ(s.Jdes, 4000000.0);
    EXPECT_EQ(s.Ku, 0.4f);
    EXPECT_FALSE(s.IsECore);
    EXPECT_EQ(s.AppDir, "/opt/coilsmith");

    EXPECT_TRUE(m().pageAvailable(kSpecPage));
    EXPECT_FALSE(m().pageAvailable(kCorePage));
    EXPECT_FALSE(m().pageAvailable(kResultsPage));
    EXPECT_EQ(m().selectedPage(), kSpecPage);
    EXPECT_TRUE(m().catalogueOpen());
    EXPECT_TRUE(f.prompter.messages.empty());

    for (const char* list : {"Core", "CoreMat"}) {
        EXPECT_FALSE(m().control(list).enabled) << list;
        EXPECT_TRUE(m().control(list).items.empty()) << list;
    }
    EXPECT_FALSE(m().control("ECore").value);
    EXPECT_FALSE(m().control("Toroid").value);
    EXPECT_EQ(m().text("APR"), "");
}

TEST_F(ChokeModelTest, CreationTextsFlagsAndTooltips) {
    struct Expect {
        const char* name;
        const char* text;
        bool readOnly;
        const char* toolTip;
    };
    for (const Expect& e : std::initializer_list<Expect>{
             {"Ldes", "25", false, "Inductance"},
             {"DCC", "25", false, ""},
             {"ACC", "5", false, ""},
             {"Freq", "50", false, ""},
             {"FD", "0.5", false, "Flux Density"},
             {"CurD", "400", false, ""},
             {"WU", "0.4", false, ""},
             {"Lunit", "uH", false, ""},
             {"Bunit", "T", false, ""},
             {"DCunit", "A", false, ""},
             {"ACunit", "A", false, ""},
             {"Funit", "kHz", false, ""},
             {"Price", "", false, ""},
             {"fCore", "", false, ""},
             {"APROD", "", true, "Core AP"},
             {"minAP", "", true, "Minimum Required AP"},
             {"Mu", "", true, "Relative Permeability"},
             {"WinArea", "", true, "Window Area"},
             {"TRISE", "", true, "Temperature Rise"},
             {"Inductance", "", true, "Desired Inductance Value"},
         }) {
        const Control& c = m().control(e.name);
        EXPECT_EQ(c.text, e.text) << e.name;
        EXPECT_EQ(c.readOnly, e.readOnly) << e.name;
        EXPECT_EQ(c.toolTip, e.toolTip) << e.name;
    }
    EXPECT_EQ(m().control("CurD").selectedIndex, 3);
    EXPECT_EQ(m().control("Funit").selectedIndex, 1);
    EXPECT_TRUE(m().control("CurD").editable);
    EXPECT_FALSE(m().control("Lunit").editable);
    EXPECT_THROW(m().control("NoSuchBox"), std::out_of_range);
}

TEST(ChokeModelCatalogue, MissingCatalogueIsReportedOnceAndListsStayEmpty) {
    ModelFixture f;
    f.create("/nonexistent/folder/Cores.csx");
    ChokeModel& m = *f.model;
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_NE(f.prompter.messages[0].find("/nonexistent/folder/Cores.csx"), std::string::npos);
    EXPECT_FALSE(m.catalogueOpen());

    m.setOption("ECore", true);
    EXPECT_TRUE(m.control("Core").enabled);
    EXPECT_TRUE(m.control("Core").items.empty());
    m.setTextRaw("Core", "EW");
    m.Core_Click();
    m.setTextRaw("CoreMat", "M60");
    m.CoreMat_Click();
    EXPECT_TRUE(m.control("CoreMat").items.empty());
    EXPECT_EQ(f.prompter.messages.size(), 1u);

    m.Design_Results();
    ASSERT_EQ(f.prompter.messages.size(), 2u);
    EXPECT_EQ(f.prompter.messages[1], "Select a core material");
}

TEST(ChokeModelCatalogue, DefaultPathJoinsTheProgramFolder) {
    FakePrompter prompter;
    ChokeModel m({"/nonexistent", "", {}}, prompter);
    EXPECT_EQ(m.cataloguePath(), "/nonexistent/Cores.csx");
    EXPECT_EQ(prompter.messages.size(), 1u);
}

// --- Unit selectors and value lists ---------------------------------------------------

struct UnitCase {
    const char* control;
    const char* item;
    std::function<double(const DesignState&)> field;
    double expected;
};

void PrintTo(const UnitCase& c, std::ostream* os) {
    *os << c.control << " " << c.item;
}

class UnitSelectors : public ChokeModelTest, public ::testing::WithParamInterface<UnitCase> {};

TEST_P(UnitSelectors, ChoosingAnItemSetsItsFactor) {
    const UnitCase& c = GetParam();
    EXPECT_TRUE(m().setListText(c.control, c.item));
    EXPECT_EQ(c.field(m().state()), c.expected);
    EXPECT_EQ(m().text(c.control), c.item);
}

INSTANTIATE_TEST_SUITE_P(
    Units, UnitSelectors,
    ::testing::Values(
        UnitCase{"Lunit", "mH", [](const DesignState& s) { return s.Lfac; }, 1e-3},
        UnitCase{"Lunit", "H", [](const DesignState& s) { return s.Lfac; }, 1.0},
        UnitCase{"Funit", "MHz", [](const DesignState& s) { return s.Ffac; }, 1e6},
        UnitCase{"Funit", "Hz", [](const DesignState& s) { return s.Ffac; }, 1.0},
        UnitCase{"Bunit", "mT", [](const DesignState& s) { return s.Bfac; }, 1e-3},
        UnitCase{"DCunit", "mA", [](const DesignState& s) { return s.DCfac; }, 1e-3},
        UnitCase{"ACunit", "mA", [](const DesignState& s) { return double(s.ACfac); },
                 double(1e-3f)},
        UnitCase{"CurD", "800", [](const DesignState& s) { return s.Jdes; }, 8e6},
        UnitCase{"CurD", "100", [](const DesignState& s) { return s.Jdes; }, 1e6},
        UnitCase{"WU", "0.8", [](const DesignState& s) { return double(s.Ku); }, double(0.8f)},
        UnitCase{"WU", "0.2", [](const DesignState& s) { return double(s.Ku); }, double(0.2f)}));

TEST_F(ChokeModelTest, UnitChoicesAreUndoneByTheNextChoice) {
    m().setListText("Lunit", "mH");
    m().setListText("Lunit", "uH");
    EXPECT_EQ(m().state().Lfac, 1e-6);
}

TEST_F(ChokeModelTest, TextOutsideAListChangesNothingOrOnlyTheEditableText) {
    EXPECT_FALSE(m().setListText("Lunit", "nH"));
    EXPECT_EQ(m().text("Lunit"), "uH");
    EXPECT_EQ(m().state().Lfac, 1e-6);

    EXPECT_TRUE(m().setListText("CurD", "450"));
    EXPECT_EQ(m().text("CurD"), "450");
    EXPECT_EQ(m().control("CurD").selectedIndex, -1);
    EXPECT_EQ(m().state().Jdes, 4e6);  // only a chosen item counts

    m().editText("WU", "0.9");
    EXPECT_EQ(m().state().Ku, 0.4f);
    m().editText("Lunit", "H");  // a fixed list cannot be typed into
    EXPECT_EQ(m().text("Lunit"), "uH");
}

TEST_F(ChokeModelTest, ChangingAUnitDoesNotRecomputeTheAreaProduct) {
    m().CAP_Click();
    m().setListText("Funit", "MHz");
    EXPECT_EQ(m().text("APR"), "2.363");
}

// --- Calculate AP ---------------------------------------------------------------------

TEST_F(ChokeModelTest, CalculateApWithTheStartingTexts) {
    m().CAP_Click();
    EXPECT_EQ(m().text("APR"), "2.363");
    EXPECT_EQ(m().text("minAP"), "2.363");
    EXPECT_TRUE(m().pageAvailable(kCorePage));
    EXPECT_EQ(m().selectedPage(), kSpecPage);
    EXPECT_EQ(listener.calls, 1);
    EXPECT_DOUBLE_EQ(m().state().Ipk, 27.5);
    EXPECT_EQ(m().state().Fexc, 50000.0f);

    m().ClickCAP();
    EXPECT_EQ(m().text("APR"), "2.363");
    EXPECT_EQ(listener.calls, 2);
    EXPECT_TRUE(f.prompter.messages.empty());
}

TEST_F(ChokeModelTest, CalculateApWithAnotherSpecification) {
    m().setListText("Lunit", "mH");
    m().setListText("CurD", "300");
    m().setListText("WU", "0.3");
    m().editText("Ldes", "1");
    m().editText("DCC", "2");
    m().editText("ACC", "0.5");
    m().editText("FD", "0.3");
    m().CAP_Click();
    EXPECT_EQ(m().text("APR"), "1.875");
}

struct BadInput {
    const char* box;
    const char* text;
    const char* message;
};

void PrintTo(const BadInput& c, std::ostream* os) {
    *os << c.box << " \"" << c.text << "\"";
}

class CalculateApInputs : public ChokeModelTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(CalculateApInputs, FirstBadInputIsReportedAndNothingShown) {
    m().editText(GetParam().box, GetParam().text);
    m().CAP_Click();
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_EQ(f.prompter.messages[0], GetParam().message);
    EXPECT_EQ(m().text("APR"), "");
    EXPECT_EQ(m().text("minAP"), "");
    EXPECT_FALSE(m().pageAvailable(kCorePage));
    EXPECT_EQ(listener.calls, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CalculateApInputs,
    ::testing::Values(BadInput{"Ldes", "", "Re-Enter Inductance Value"},
                      BadInput{"FD", "abc", "Re-Enter Flux Density value Value"},
                      BadInput{"DCC", "1e999", "Re-Enter DC Current Value"},
                      BadInput{"ACC", "five", "Re-Enter AC Current Value"},
                      BadInput{"Freq", " ", "Re-Enter Excitation Frequency"},
                      BadInput{"Ldes", "-5", "Re-Enter Inductance Value"},
                      BadInput{"FD", "0", "Re-Enter Flux Density value Value"},
                      BadInput{"Freq", "-25", "Re-Enter Excitation Frequency"}));

TEST(ChokeModelLocale, CommaLocaleReadsAndWritesCommas) {
    TempCatalogue catalogue(workedTables());
    ModelFixture f;
    f.create(catalogue.path(), NumberLocale{",", "."});
    ChokeModel& m = *f.model;
    m.editText("FD", "0,5");
    m.CAP_Click();
    EXPECT_EQ(m.text("APR"), "2,363");
    m.setListText("WU", "0.8");  // the list's own items keep their full stop
    EXPECT_EQ(m.state().Ku, 0.8f);

    m.setOption("ECore", true);
    m.setListText("Core", "EW");
    EXPECT_EQ(m.text("ACORE"), "0,4");
    EXPECT_EQ(m.text("APROD"), "0,100");
}

TEST_F(ChokeModelTest, PageNavigation) {
    m().Core_DB();
    EXPECT_TRUE(m().pageAvailable(kCorePage));
    EXPECT_EQ(m().selectedPage(), kCorePage);
    m().Set_Specs();
    EXPECT_EQ(m().selectedPage(), kSpecPage);
    m().selectPage(7);
    EXPECT_EQ(m().selectedPage(), kSpecPage);
    EXPECT_FALSE(m().pageAvailable(-1));
}

}  // namespace
}  // namespace coilsmith::test
