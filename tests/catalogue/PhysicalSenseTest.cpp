// Rows that make no physical sense: the build tool refuses them naming file, line and field,
// and the reader marks them naming table, row and field when another tool put them there.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "TestCatalogues.h"
#include "catalogue/Catalogue.h"

namespace coilsmith {
namespace {

using testing::TempDir;

struct DamagedRow {
    const char* table;
    const char* key;
    const char* row;  // appended to the good table
    const char* field;
    const char* reason;  // what both messages say after the field
};

// The good tables hold E20 and E10 (VC = AC·LC), T1 and T2 (LC = π·(OD + ID)/2·2.54),
// materials -2 and -26; a damaged row is added as E30, T3, -8, the curve of -2 (alone) or
// AWG 20. By hand: T3's LC = π·(0.2 + 0.1)/2·2.54 = 1.19695; AC·LC = 0.01·1.2 = 0.012.
// clang-format off
const DamagedRow kDamagedRows[] = {
    {"Bias_Curves", "-2", "-2,-0.01,1.8e-07,1.46", "a", "is not positive"},
    {"Bias_Curves", "-2", "-2,0.02,1.8e-07,1.46", "a", "is 0.02: %µ(0) = 1/a = 50 %, not 100 ± 5 %"},
    {"Bias_Curves", "-2", "-2,0.01,1.8e-07,1e300", "c", "is 1e+300, outside 0.1 to 10"},
    {"Materials", "-8", "-8,35,6.5,10000,0,0,0,0,10000,0,0,0,0,1.9e9,2e8,9e5,-1,4", "dl", "is -1, outside 0 to 1e-09"},
    {"Materials", "-8", "-8,35,6.5e6,10000,0,0,0,0,10000,0,0,0,0,1.9e9,2e8,9e5,5e-15,4", "Density", "is 6500000, outside 0.5 to 25"},
    {"Materials", "-8", "-8,0,6.5,10000,0,0,0,0,10000,0,0,0,0,1.9e9,2e8,9e5,5e-15,4", "Permeab", "is not positive"},
    {"Toroids", "T3", "T3,0.01,0.02,1.2,0.2,0.1,0.1", "VC", "is 0.02, not within 10 % of AC·LC = 0.012"},
    {"Toroids", "T3", "T3,0.01,0.01,1.0,0.2,0.1,0.1", "LC", "is 1, not within 10 % of π·(OD + ID)/2·2.54 = 1.19"},
    {"Toroids", "T3", "T3,0.01,0.012,1.2,0.2,0.2,0.1", "ID", "is 0.2, not below OD = 0.2"},
    {"E-Cores", "E30", "E30,0.2,0.5,2.5,0.3,0.5,0.4,0.1,1e19,0.1,0.3,0", "d_dim", "is 1e+19, outside 0.001 to 100"},
    {"E-Cores", "E30", "E30,0.2,0.5,2.5,0.3,0.5,0.4,0.1,0.3,0.1,0.45,0", "g_dim", "is 0.45, not within b_dim = 0.4"},
    {"E-Cores", "E30", "E30,0.2,0.5,2.5,0.3,0.5,0.4,0.1,0.6,0.1,0.3,0", "d_dim", "is 0.6, not within a_dim = 0.5"},
    {"E-Cores", "E30", "E30,0.2,0.5,2.5,0.3,0.5,0.4,0.1,0.3,0.3,0.3,0", "f_dim", "is 0.3, not below d_dim = 0.3"},
    {"E-Cores", "E30", "E30,0.2,0.5,2.5,0.3,0.5,0.4,0.1,0.3,0.1,0.3,500", "GAP", "is 500, outside 0 to 100"},
    {"Wires", "20", "20,0.81,0.70,33.3", "OverallDiameter", "is 0.7, below BareDiameter = 0.81"},
    {"Wires", "99", "99,0.81,0.87,33.3", "AWG", "is 99, outside -10 to 60"},
};
// clang-format on

csx::CsvTables withRow(const DamagedRow& damaged) {
    auto csv = testing::goodCsv();
    std::string& table = csv[damaged.table];
    if (std::string_view(damaged.table) == "Bias_Curves")
        table = table.substr(0, table.find('\n') + 1);  // the curve of -2 alone
    table += std::string(damaged.row) + "\n";
    return csv;
}

TEST(PhysicalSense, TheBuildToolAndTheReaderRefuseTheSameRowsNamingTheField) {
    for (const DamagedRow& damaged : kDamagedRows) {
        SCOPED_TRACE(damaged.row);
        const csx::CsvTables csv = withRow(damaged);
        const std::string& table = csv.at(damaged.table);
        const auto line = std::count(table.begin(), table.end(), '\n');
        TempDir dir;
        const std::string path = dir.file("Cores.csx");
        try {
            csx::buildCatalogue(csv, path);
            ADD_FAILURE() << "built";
        } catch (const csx::BuildError& error) {
            const std::string message = error.what();
            EXPECT_EQ(message.rfind(std::string(damaged.table) + ".csv:" + std::to_string(line) +
                                        ": field '" + damaged.field + "' ",
                                    0),
                      0U)
                << message;
            EXPECT_NE(message.find(damaged.reason), std::string::npos) << message;
        }
        csx::buildCatalogue(csv, path, {.validate = false});
        DataSource source{damaged.table};
        source.setDatabaseName(path);
        source.refresh();
        Recordset& records = source.recordset();
        records.setIndex("PrimaryKey");
        records.findByIndex("=", Value(damaged.key));
        ASSERT_TRUE(records.hasCurrent());
        const std::string problem(records.rowProblem());
        EXPECT_EQ(problem.rfind(std::string("field \"") + damaged.field + "\" of " + damaged.key +
                                    " in table \"" + damaged.table + "\" ",
                                0),
                  0U)
            << problem;
        EXPECT_NE(problem.find(damaged.reason), std::string::npos) << problem;
        int marked = 0;  // the good rows stay sound
        for (records.goToFirst(); !records.atEnd(); records.goToNext())
            marked += records.rowProblem().empty() ? 0 : 1;
        EXPECT_EQ(marked, 1);
    }
}

}  // namespace
}  // namespace coilsmith
