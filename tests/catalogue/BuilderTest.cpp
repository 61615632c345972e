#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string_view>

#include "TestCatalogues.h"
#include "catalogue/Catalogue.h"
#include "check/ReferenceTables.h"

namespace coilsmith {
namespace {

using testing::TempDir;

// The CSV of a table ("+": a row appended to the good one), where it fails and why.
// clang-format off
const std::tuple<const char*, const char*, const char*> kMalformed[] = {
    {"CoreNo,AC,VC,LC,OD,ID,HT\nT1,0.01,0.012,1.2,0.2,0.1,0.1\nT2,1,1,1,1,1\n", "Toroids.csv:3:", "6 cells, the header has 7"},
    {"+E30,0.1,0.3,2.0,0.2,0.4,abc,0.1,0.2,0.1,0.2,0\n", "E-Cores.csv:4:",
     "field 'b_dim' is not a number: 'abc'"},
    {"+-8,10,5.0,1,0,0,0,0,1,0,0,0,0,1,1,1,0,inf\n", "Materials.csv:4:", "field 'Cost' is not a number"},
    {"Core,Mat\nt1,-2\n", "Toroid_Materials.csv:2:", "core 't1' is not in"},
    {"+-2,10,5.0,10000,0,0,0,0,10000,0,0,0,0,1e9,1e8,1e6,0,2.5\n", "Materials.csv:4:",
     "duplicate MatNo '-2' (first on line 2)"},
    {"+t2,0.01,0.012,1.2,0.2,0.1,0.1\n", "Toroids.csv:4:",
     "duplicate CoreNo 't2'"},
    {"CoreNo,AC,VC,LC,WC,a_dim,b_dim,c_dim,d_dim,e_dim,f_dim,g_dim,GAP\n", "E-Cores.csv:1:",
     "unknown field 'e_dim'"},
    {"CoreNo,AC,VC,LC,OD,ID\n", "Toroids.csv:1:", "missing field 'HT'"},
    {"Core,Mat\nE20,-26\n\"E10,-2\n", "Core_Materials.csv:3:", "unterminated quoted cell"},
    {"", "Materials.csv:1:", "no header line"},
    // Rows the design cannot use.
    {"+-8,10,5.0,1,0,0,0,0,1,0,0,0,0,1,1,1,0,-1\n", "Materials.csv:4:", "field 'Cost' is negative: '-1'"},
    {"+20.5,0.81,0.87,33.3\n", "Wires.csv:4:", "field 'AWG' is not a whole number: '20.5'"},
    {"+-99,0.01,1e-7,1.5\n", "Bias_Curves.csv:4:", "material '-99' is not in"},
    // Checked fields must be positive numbers, present fields only present.
    {"+E30,,0.5,2.5,0.3,0.5,0.4,0.1,0.3,0.1,0.3,0\n", "E-Cores.csv:4:", "field 'AC' is empty"},
    {"+20,0.81,0.87,0\n", "Wires.csv:4:", "field 'Resistance20C' is not positive: '0'"}};
// clang-format on

// csx-build as the build runs it: exit status and "file:line: reason" in its output, after
// the folder it read and a '|'.
std::pair<int, std::string> runTool(const csx::CsvTables& csv, const std::string& out) {
    TempDir folder, logs;
    for (const auto& [table, text] : csv)
        testing::writeFile(folder.file(table + ".csv"), text);
    const std::string command = "'" CSX_BUILD_PATH "' '" + folder.path().string() + "' '" + out +
                                "' > '" + logs.file("log") + "' 2>&1";
    const int raw = std::system(command.c_str());
    std::stringstream output;
    output << std::ifstream(logs.file("log")).rdbuf();
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, folder.path().string() + "|" + output.str()};
}

// A malformed table fails with file, line and reason and keeps the old catalogue.
TEST(CsxBuilder, MalformedCsvFailsWithFileLineAndReasonAndKeepsTheOldCatalogue) {
    for (const auto& [tableCsv, where, reason] : kMalformed) {
        SCOPED_TRACE(where);
        const std::string table = std::string(where).substr(0, std::string(where).find(".csv"));
        TempDir dir;
        const std::string path = dir.file("Cores.csx");
        csx::buildCatalogue(testing::goodCsv(), path);
        const auto before = std::filesystem::last_write_time(path);
        auto csv = testing::goodCsv();
        csv[table] = tableCsv[0] == '+' ? csv[table] + (tableCsv + 1) : tableCsv;
        try {
            csx::buildCatalogue(csv, path);
            ADD_FAILURE() << "the malformed catalogue was built";
        } catch (const csx::BuildError& error) {
            const std::string message = error.what();
            EXPECT_EQ(message.rfind(where, 0), 0U) << message;
            EXPECT_NE(message.find(reason), std::string::npos) << message;
        }
        EXPECT_EQ(std::filesystem::last_write_time(path), before);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    }
}

// Most fits may take either sign; a core without a gap entry and a material without a cost
// build. A table that fails (here a missing one) is named with its folder and nothing is written.
TEST(CsxTool, BuildsAGoodSetAndAMissingFileFails) {
    TempDir dir;
    auto csv = testing::goodCsv();
    csv["Materials"] += "-8,10,5.0,10000,-0.5,-40,-1e-6,0,10000,0,-2,-4e-6,0,1e9,1e8,1e6,0,\n";
    csv["E-Cores"] += "E30,0.2,0.5,2.5,0.3,0.5,0.4,0.1,0.3,0.1,0.3,\n";
    csv["Bias_Curves"] += "-8,0.0101,3.5e-6,1.43\n";
    const std::string path = dir.file("Cores.csx");
    const auto [good, goodOutput] = runTool(csv, path);
    EXPECT_EQ(good, 0) << goodOutput;
    CatalogueSources sources;
    sources.openFile(path);
    sources.materials.recordset().findByIndex("=", Value("-8"));
    EXPECT_TRUE(sources.materials.recordset().field("Cost").isNull());
    csv.erase("Toroids");
    const auto [missing, output] = runTool(csv, dir.file("Other.csx"));
    EXPECT_NE(missing, 0);
    const std::string folder = output.substr(0, output.find('|'));
    EXPECT_NE(output.find(folder + "/Toroids.csv:1: cannot read"), std::string::npos) << output;
    EXPECT_FALSE(std::filesystem::exists(dir.file("Other.csx")));
}

TEST(CsxBuilder, StoresTypedCellsAndQuotedTexts) {
    TempDir dir;
    auto csv = testing::goodCsv();
    csv["E-Cores"] =
        "\xEF\xBB\xBF"
        "CoreNo,AC,VC,LC,WC,a_dim,b_dim,c_dim,d_dim,f_dim,g_dim,GAP\r\n"
        "\"E,20\",2,5.0,2.5,0.3,0.5,0.4,0.1,0.3,0.1,0.3,1e-3\r\n"
        "\r\n";
    csv["Core_Materials"] = "Core,Mat\n\"E,20\",-26\n";
    const std::string path = dir.file("Cores.csx");
    csx::buildCatalogue(csv, path);
    CatalogueSources sources;
    sources.openFile(path);
    Recordset& cores = sources.eCores.recordset();
    ASSERT_EQ(cores.recordCount(), 1);
    EXPECT_EQ(cores.field("CoreNo"), Value("E,20"));
    EXPECT_EQ(cores.field("AC"), Value(2.0));  // a real column stores reals
}

// The tables loaded once from the shipped catalogue. AWG 16: d = 0.005 in * 92^((36 - 16) / 39)
// = 0.05082 in = 1.2908 mm, and 0.017241 ohm mm^2/m over pi/4 * 1.2908^2 mm^2 = 13.175 ohm/km.
TEST(ReferenceTables, AnswerFromTheShippedCatalogue) {
    const ReferenceTables tables =
        ReferenceTables::load(std::string(COILSMITH_BIN_DIR) + "/Cores.csx");
    const auto curve = tables.biasCurve("-26");
    ASSERT_TRUE(curve);
    EXPECT_EQ(std::tuple(curve->a, curve->b, curve->c), std::tuple(0.01, 9.7048e-06, 1.71977));
    const auto awg16 = tables.wire(16);
    ASSERT_TRUE(awg16);
    EXPECT_NEAR(awg16->bareDiameterMm, 1.2908, 5e-5);
    EXPECT_NEAR(awg16->resistance20OhmPerKm, 13.175, 2e-3);
    EXPECT_FALSE(tables.biasCurve("-28") || tables.wire(45));
}

}  // namespace
}  // namespace coilsmith
