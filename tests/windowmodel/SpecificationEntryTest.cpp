// A specification typed into the window by the program, as an engineer would type it.
#include <gtest/gtest.h>

#include <limits>

#include "TestCatalogue.h"
#include "method/StateViews.h"
#include "windowmodel/SpecificationEntry.h"

namespace coilsmith::test {
namespace {

using SpecificationEntryTest = WorkedTablesTest;

// Each number in the unit that puts it at 1 or above with the fewest digits, with the
// window's decimal separator; "Calculate AP" reads all of it back.
TEST_F(SpecificationEntryTest, TypesEachNumberInItsNaturalUnit) {
    // Ldes Lunit DCC DCunit ACC ACunit Freq Funit FD Bunit, as shown.
    const std::tuple<SpecificationEntry, const char*, const char*> cases[] = {
        {{100e-6, 5, 1, 100e3, 0.5, {}, {}}, ".", "100|uH|5|A|1|A|100|kHz|500|mT"},
        {{1.5e-3, 0.25, 0.3, 2e6, 1.2, {}, {}}, ".", "1.5|mH|250|mA|300|mA|2|MHz|1.2|T"},
        {{2.2e-3, 1.5, 0.45, 20e3, 1.2, {}, {}}, ",", "2,2|mH|1,5|A|450|mA|20|kHz|1,2|T"},
        // Below the smallest unit and above the largest: the end units.
        {{0.47e-6, 2500, 0, 50, {}, {}, {}}, ".", "0.47|uH|2500|A|0|mA|50|Hz|0.5|T"}};
    for (const auto& [entry, decimalPoint, shown] : cases) {
        recreate(NumberLocale{decimalPoint, *decimalPoint == ',' ? "." : ","});
        ASSERT_EQ(enterSpecification(m(), entry), std::nullopt);
        EXPECT_EQ(texts({"Ldes", "Lunit", "DCC", "DCunit", "ACC", "ACunit", "Freq", "Funit", "FD",
                         "Bunit"}),
                  shown);
        m().calculateAreaProduct();
        EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front();
        EXPECT_DOUBLE_EQ(specificationView(m().state()).requiredInductanceH, entry.inductanceH);
    }
}

// What the program types is what "Calculate AP" reads: a current density the list holds is
// chosen, a window utilisation it does not hold typed into it. 0.5 L Ipk^2 = 0.5 * 330e-6 *
// 2.8^2 = 1.2936e-3 J; AP = 2 W 1e8 / (B J Ku) = 2.5872e5 / (0.3 * 3e6 * 0.45) = 0.639 cm^4.
// Only a number that is not finite is refused here, and leaves the window as it was.
TEST_F(SpecificationEntryTest, SizesAsTypedAndRefusesWhatTheWindowCannotTake) {
    SpecificationEntry entry{330e-6, 2.5, 0.6, 50e3, 0.3, 300, 0.45};
    ASSERT_EQ(enterSpecification(m(), entry), std::nullopt);
    EXPECT_EQ(texts({"ACC", "ACunit", "CurD", "WU"}), "600|mA|300|0.45");
    EXPECT_EQ(m().control("WU").selectedIndex, -1);
    m().calculateAreaProduct();
    EXPECT_EQ(m().text("APR"), "0.639");
    const ChokeModel before = m();
    entry.dcCurrentA = std::numeric_limits<double>::infinity();
    EXPECT_EQ(enterSpecification(m(), entry), "The DC current is not a finite number");
    for (const Control& control : m().controls()) {
        EXPECT_EQ(control.text, before.text(control.name)) << control.name;
    }
}

}  // namespace
}  // namespace coilsmith::test
