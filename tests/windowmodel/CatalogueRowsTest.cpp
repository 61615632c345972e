// Catalogue rows that make no physical sense, met through the design window: the design
// refuses the core or material, the check makes the part that needs the row unavailable,
// and each says which table, row and field.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <string>

#include "TestCatalogue.h"
#include "check/CompletedDesignCheck.h"

namespace coilsmith::test {
namespace {

class CatalogueRowsTest : public WorkedTablesTest {
  protected:
    // The worked example run on the worked tables with `from` replaced by `to` in one table.
    const ChokeModel& runDamaged(const std::string& table, const std::string& from,
                                 const std::string& to) {
        csx::CsvTables tables = workedTables();
        tables[table].replace(tables[table].find(from), from.size(), to);
        own.emplace(tables);
        recreate({}, own->path());
        pickWorkedExample();
        m().runDesign();
        return m();
    }
    std::optional<TempCatalogue> own;
};

// By hand: al, a coefficient of the loss's B³ term, lies beyond 1e13; d_dim 1e19 inches
// beyond 100 (the check's window width (d − f)/2 came from it).
TEST_F(CatalogueRowsTest, TheDesignRefusesACoreOrMaterialRowNamingItsField) {
    const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
        {"E-Cores", "ED,1,10,10,1.5,1.0,0.5,0.25,1.0,", "ED,1,10,10,1.5,1.0,0.5,0.25,1e19,",
         "field \"d_dim\" of ED in table \"E-Cores\" is 1e+19, outside 0.001 to 100"},
        {"Materials", "M60,60,7.0,10000,0,0,0,0,10000,0,0,0,0,1e9,",
         "M60,60,7.0,10000,0,0,0,0,10000,0,0,0,0,1e300,",
         "field \"al\" of M60 in table \"Materials\" is 1e+300, outside 1e+05 to 1e+13"}};
    for (const auto& [table, from, to, reason] : rows) {
        SCOPED_TRACE(reason);
        const ChokeModel& m = runDamaged(table, from, to);
        ASSERT_TRUE(m.lastDesign());
        EXPECT_EQ(m.lastDesign()->message, kComputationalError);
        EXPECT_EQ(m.lastDesign()->unusableValue, reason);
        EXPECT_FALSE(m.lastCheck());
    }
}

// A negative b made L rise with current, so a design short of its inductance passed.
TEST_F(CatalogueRowsTest, AReferenceRowThatMakesNoSenseMakesOnlyItsPartUnavailable) {
    const std::tuple<const char*, const char*, const char*, bool, std::string> rows[] = {
        {"Bias_Curves", "M60,0.01,1e-4,1", "M60,0.01,-1e-4,1", true,
         "field \"b\" of M60 in table \"Bias_Curves\" is not positive: -1e-04"},
        {"Wires", "16,1.2908,1.3645,", "16,1.2908,1.0,", false,
         "field \"OverallDiameter\" of 16 in table \"Wires\" is 1, below BareDiameter = 1.2908"}};
    for (const auto& [table, from, to, inductance, reason] : rows) {
        SCOPED_TRACE(reason);
        const ChokeModel& m = runDamaged(table, from, to);
        ASSERT_TRUE(m.lastDesign() && m.lastDesign()->completed() && m.lastCheck());
        const DesignCheck& check = *m.lastCheck();
        const std::string& unavailable =
            inductance ? check.inductance.unavailableReason : check.winding.unavailableReason;
        EXPECT_EQ(unavailable, reason);
        EXPECT_EQ(check.inductance.available(), !inductance);
        EXPECT_EQ(check.winding.available() && check.copper.available(), inductance);
        EXPECT_FALSE(checkPasses(check));
    }
}

// The winding and the copper need the wire table only.
TEST_F(CatalogueRowsTest, WithoutTheBiasCurveTableTheWindingAndCopperAreStillChecked) {
    own.emplace(workedTables());
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(own->path().c_str(), &raw), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(raw, "DROP TABLE \"Bias_Curves\"", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);
    recreate({}, own->path());
    runWorkedExample();
    ASSERT_TRUE(m().lastCheck());
    const DesignCheck& check = *m().lastCheck();
    EXPECT_NE(check.inductance.unavailableReason.find("the table \"Bias_Curves\" is missing"),
              std::string::npos)
        << check.inductance.unavailableReason;
    EXPECT_TRUE(check.winding.available() && check.copper.available());
    EXPECT_EQ(check.winding.figures->layers, 5);  // 9, 9, 9, 9, 1 turns
}

}  // namespace
}  // namespace coilsmith::test
