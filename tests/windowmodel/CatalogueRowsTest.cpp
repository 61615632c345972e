// Catalogue rows that make no physical sense, met through the design window: the design
// refuses the core or material, the check makes the part that needs the row unavailable,
// and each says which table, row and field.
#include <gtest/gtest.h>

#include <string>

#include "TestCatalogue.h"
#include "check/CompletedDesignCheck.h"

namespace coilsmith::test {
namespace {

using CatalogueRowsTest = WorkedTablesTest;

// A row that makes no sense is named where it is used. A core or material row refuses the
// design: al, a coefficient of the loss's B³ term, lies beyond 1e13; d_dim 1e19 inches beyond
// 100 (the check's window width (d − f)/2 came from it). A reference row makes only its part of
// the check unavailable: a negative b made L rise with current, so a design short of L passed.
TEST_F(CatalogueRowsTest, ARowThatMakesNoSenseIsNamedWhereItIsUsed) {
    enum Part { Design, Inductance, Winding };
    const std::tuple<const char*, const char*, const char*, Part, std::string> rows[] = {
        {"E-Cores", "ED,1,10,10,1.5,1.0,0.5,0.25,1.0,", "ED,1,10,10,1.5,1.0,0.5,0.25,1e19,", Design,
         "field \"d_dim\" of ED in table \"E-Cores\" is 1e+19, outside 0.001 to 100"},
        {"Materials", "M60,60,7.0,10000,0,0,0,0,10000,0,0,0,0,1e9,",
         "M60,60,7.0,10000,0,0,0,0,10000,0,0,0,0,1e300,", Design,
         "field \"al\" of M60 in table \"Materials\" is 1e+300, outside 1e+05 to 1e+13"},
        {"Bias_Curves", "M60,0.01,1e-4,1", "M60,0.01,-1e-4,1", Inductance,
         "field \"b\" of M60 in table \"Bias_Curves\" is not positive: -1e-04"},
        {"Wires", "16,1.2908,1.3645,", "16,1.2908,1.0,", Winding,
         "field \"OverallDiameter\" of 16 in table \"Wires\" is 1, below BareDiameter = 1.2908"}};
    for (const auto& [table, from, to, part, reason] : rows) {
        SCOPED_TRACE(reason);
        csx::CsvTables tables = workedTables();  // the worked example, `from` replaced by `to`
        tables[table].replace(tables[table].find(from), std::string(from).size(), to);
        const TempCatalogue damaged(tables);
        recreate({}, damaged.path());
        pickWorkedExample();
        m().runDesign();
        ASSERT_TRUE(m().lastDesign());
        if (part == Design) {
            EXPECT_EQ(m().lastDesign()->message, kComputationalError);
            EXPECT_EQ(m().lastDesign()->unusableValue, reason);
            EXPECT_FALSE(m().lastCheck());
            continue;
        }
        ASSERT_TRUE(m().lastDesign()->completed() && m().lastCheck());
        const DesignCheck& check = *m().lastCheck();
        EXPECT_EQ(part == Inductance ? check.inductance.unavailableReason
                                     : check.winding.unavailableReason,
                  reason);
        EXPECT_EQ(check.inductance.available(), part != Inductance);
        EXPECT_EQ(check.winding.available() && check.copper.available(), part == Inductance);
        EXPECT_FALSE(checkPasses(check));
    }
}

}  // namespace
}  // namespace coilsmith::test
