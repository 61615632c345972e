// The design window as a model: creation, the specification page and "Calculate AP".
#include <gtest/gtest.h>

#include "TestCatalogue.h"
#include "method/StateViews.h"

namespace coilsmith::test {

using ChokeModelTest = WorkedTablesTest;

static std::vector<double> factors(const DesignState& s) {  // set by the unit and value lists
    return {s.Lfac, s.Ffac, s.Bfac, s.DCfac, s.ACfac, s.Jdes, s.Ku};
}
const std::vector<double> kStartFactors = {1e-6, 1000, 1, 1, 1, 4e6, 0.4f};

TEST_F(ChokeModelTest, CreationSetsUnitsDefaultsAndPages) {
    EXPECT_EQ(factors(m().state()), kStartFactors);
    EXPECT_TRUE(m().pageAvailable(kSpecPage) && m().selectedPage() == kSpecPage);
    EXPECT_FALSE(m().pageAvailable(kCorePage) || m().pageAvailable(kResultsPage));
    EXPECT_TRUE(m().catalogueOpen() && prompter.messages.empty());
    EXPECT_FALSE(m().control("Core").enabled || m().control("ECore").value);
    m().showCoreDatabase();
    EXPECT_TRUE(m().pageAvailable(kCorePage) && m().selectedPage() == kCorePage);
}

TEST(ChokeModelCatalogue, MissingCatalogueIsReportedOnceAndListsStayEmpty) {
    FakePrompter prompter;
    ChokeModel m({"/opt/coilsmith", "/nonexistent/folder/Cores.csx", {}}, prompter);
    EXPECT_NE(prompter.messages.at(0).find("/nonexistent/folder/Cores.csx"), std::string::npos);
    EXPECT_FALSE(m.catalogueOpen());
    m.setOption("ECore", true);
    m.setTextRaw("Core", "EW");
    m.selectCore();
    EXPECT_TRUE(m.control("Core").items.empty() && prompter.messages.size() == 1u);
    ChokeModel defaulted({"/nonexistent", "", {}}, prompter);
    EXPECT_EQ(defaulted.cataloguePath(), "/nonexistent/Cores.csx");  // beside the program
}

TEST_F(ChokeModelTest, ChoosingAnItemSetsItsFactorAndTheStartingItemResetsIt) {
    const std::tuple<const char*, const char*, std::size_t, double> rows[] = {
        {"Lunit", "mH", 0, 1e-3},   {"Lunit", "H", 0, 1},     {"Funit", "MHz", 1, 1e6},
        {"Funit", "Hz", 1, 1},      {"Bunit", "mT", 2, 1e-3}, {"DCunit", "mA", 3, 1e-3},
        {"ACunit", "mA", 4, 1e-3f}, {"CurD", "800", 5, 8e6},  {"CurD", "100", 5, 1e6},
        {"WU", "0.8", 6, 0.8f},     {"WU", "0.2", 6, 0.2f}};
    for (const auto& [control, item, factor, value] : rows) {  // factor: index into factors()
        const std::string start = m().text(control);
        EXPECT_TRUE(m().setListText(control, item));
        std::vector<double> expected = kStartFactors;
        expected[factor] = value;
        EXPECT_EQ(factors(m().state()), expected) << control << " " << item;
        m().setListText(control, start);
        EXPECT_EQ(factors(m().state()), kStartFactors) << control << " " << start;
    }
}

// The sizing's numbers are its own tests'; here what the window shows and reports.
TEST_F(ChokeModelTest, CalculateApWithTheStartingTexts) {
    m().calculateAreaProduct();
    EXPECT_EQ(m().text("APR") + " " + m().text("minAP"), "2.363 2.363");
    EXPECT_TRUE(m().pageAvailable(kCorePage) && m().selectedPage() == kSpecPage);
    m().setListText("Funit", "MHz");
    m().calculateAreaProduct();
    EXPECT_EQ(listener.calls, 2);  // not for the unit choice
    EXPECT_TRUE(prompter.messages.empty());
}

// The refused input is said and nothing is shown; which input is refused, and the ranges, are
// the sizing's: here each box reaches it.
TEST_F(ChokeModelTest, RefusedInputIsSaidAndNothingShown) {
    const std::tuple<const char*, const char*, std::string> rows[] = {
        {"Ldes", "", "Re-Enter Inductance Value"},
        {"CurD", "abc", "Re-Enter Current Density Value (50 to 2000 A/cm^2)"},
        {"WU", "0.4.0", "Re-Enter Window Utilization Value (0.05 to 0.9)"}};
    for (const auto& [box, text, message] : rows) {
        recreate();
        prompter.clear();
        m().editText(box, text);
        m().calculateAreaProduct();
        EXPECT_EQ(prompter.messages, std::vector<std::string>{message}) << box << " " << text;
        EXPECT_TRUE(m().text("APR").empty() && m().text("minAP").empty() && listener.calls == 0 &&
                    !m().pageAvailable(kCorePage));
        EXPECT_EQ(factors(m().state()), kStartFactors);
    }
}

TEST_F(ChokeModelTest, CommaLocaleReadsAndWritesCommas) {
    recreate(NumberLocale{",", "."});
    m().editText("FD", "0,5");
    m().calculateAreaProduct();
    EXPECT_EQ(m().text("APR"), "2,363");
    m().setListText("WU", "0.8");  // the list's own items keep their full stop
    m().calculateAreaProduct();
    EXPECT_EQ(specificationView(m().state()).windowUtilisation, 0.8f);
    m().editText("WU", "0,95");  // typed values are read in the locale (SpecificationEntryTest)
    m().calculateAreaProduct();
    EXPECT_EQ(prompter.messages.back(), "Re-Enter Window Utilization Value (0,05 to 0,9)");
    m().setOption("ECore", true);
    m().setListText("Core", "EW");
    EXPECT_EQ(m().text("ACORE") + " " + m().text("APROD"), "0,4 0,100");
}

}  // namespace coilsmith::test
