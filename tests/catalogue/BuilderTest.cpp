#include <gtest/gtest.h>

#include <sys/stat.h>

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
    {"Core,Mat\nE20,-26\nE99,-2\n", "Core_Materials.csv:3:", "core 'E99' is not in"},
    {"Core,Mat\nt1,-2\n", "Toroid_Materials.csv:2:", "core 't1' is not in"},
    {"Core,Mat\nT1,-2\nT2,-99\n", "Toroid_Materials.csv:3:", "material '-99' is not in"},
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
    {"+T3,0.01,0.01,1.0,0.2,0.2,0.1\n", "Toroids.csv:4:", "field 'ID' is 0.2, not below OD = 0.2"},
    {"+E30,0.2,0.5,2.5,0.3,0.5,0.4,0.1,0.3,0.1,0.3,-1\n", "E-Cores.csv:4:", "field 'GAP' is negative: '-1'"},
    {"+-8,10,5.0,1,0,0,0,0,1,0,0,0,0,1,1,1,0,-1\n", "Materials.csv:4:", "field 'Cost' is negative: '-1'"},
    {"+20.5,0.81,0.87,33.3\n", "Wires.csv:4:", "field 'AWG' is not a whole number: '20.5'"},
    {"+,0.81,0.87,33.3\n", "Wires.csv:4:", "field 'AWG' is empty"},
    {"+16,1.29,1.36,13.2\n", "Wires.csv:4:", "duplicate AWG '16' (first on line 3)"},
    {"+-99,0.01,1e-7,1.5\n", "Bias_Curves.csv:4:", "material '-99' is not in"}};
// clang-format on

// One good row per table with a place for the bad cell: "{}" stands for it; the header is that
// of testing::goodCsv(). Checked fields must be positive numbers, present fields only present.
// clang-format off
const std::tuple<const char*, const char*, const char*> kCheckedFields[] = {
    {"E-Cores", "AC", "E30,{},0.5,2.5,0.3,0.5,0.4,0.1,0.3,0.1,0.3,0"}, {"Toroids", "AC", "T3,{},0.01,1.0,0.2,0.1,0.1"},
    {"E-Cores", "VC", "E30,0.2,{},2.5,0.3,0.5,0.4,0.1,0.3,0.1,0.3,0"}, {"Toroids", "VC", "T3,0.01,{},1.0,0.2,0.1,0.1"},
    {"E-Cores", "LC", "E30,0.2,0.5,{},0.3,0.5,0.4,0.1,0.3,0.1,0.3,0"}, {"Toroids", "LC", "T3,0.01,0.01,{},0.2,0.1,0.1"},
    {"E-Cores", "WC", "E30,0.2,0.5,2.5,{},0.5,0.4,0.1,0.3,0.1,0.3,0"}, {"Toroids", "OD", "T3,0.01,0.01,1.0,{},0.1,0.1"},
    {"E-Cores", "a_dim", "E30,0.2,0.5,2.5,0.3,{},0.4,0.1,0.3,0.1,0.3,0"}, {"Toroids", "ID", "T3,0.01,0.01,1.0,0.2,{},0.1"},
    {"E-Cores", "b_dim", "E30,0.2,0.5,2.5,0.3,0.5,{},0.1,0.3,0.1,0.3,0"}, {"Toroids", "HT", "T3,0.01,0.01,1.0,0.2,0.1,{}"},
    {"E-Cores", "c_dim", "E30,0.2,0.5,2.5,0.3,0.5,0.4,{},0.3,0.1,0.3,0"}, {"Wires", "BareDiameter", "20,{},0.87,33.3"},
    {"E-Cores", "d_dim", "E30,0.2,0.5,2.5,0.3,0.5,0.4,0.1,{},0.1,0.3,0"}, {"Bias_Curves", "a", "-2,{},1e-7,1.5"},
    {"Bias_Curves", "b", "-2,0.01,{},1.5"}, {"Bias_Curves", "c", "-2,0.01,1e-7,{}"},
    {"E-Cores", "f_dim", "E30,0.2,0.5,2.5,0.3,0.5,0.4,0.1,0.3,{},0.3,0"}, {"Wires", "OverallDiameter", "20,0.81,{},33.3"},
    {"E-Cores", "g_dim", "E30,0.2,0.5,2.5,0.3,0.5,0.4,0.1,0.3,0.1,{},0"}, {"Wires", "Resistance20C", "20,0.81,0.87,{}"},
    {"Materials", "Permeab", "-8,{},5.0,1,0,0,0,0,1,0,0,0,0,1,1,1,0,2.5"},
    {"Materials", "Density", "-8,10,{},1,0,0,0,0,1,0,0,0,0,1,1,1,0,2.5"}};
const std::tuple<const char*, const char*, const char*> kPresentFields[] = {
    {"Materials", "ah", "-8,10,5.0,{},0,0,0,0,1,0,0,0,0,1,1,1,0,2.5"},
    {"Materials", "eb", "-8,10,5.0,1,0,0,0,0,1,0,0,0,{},1,1,1,0,2.5"},
    {"Materials", "al", "-8,10,5.0,1,0,0,0,0,1,0,0,0,0,{},1,1,0,2.5"},
    {"Materials", "dl", "-8,10,5.0,1,0,0,0,0,1,0,0,0,0,1,1,1,{},2.5"}};
const std::pair<const char*, const char*> kBadCells[] = {{"", "is empty"},
    {"abc", "is not a number: 'abc'"}, {"0", "is not positive: '0'"}, {"-1.5", "is not positive: '-1.5'"}};
// clang-format on

// The good catalogue with the row appended to the table (Bias_Curves only its header: no two -2).
void expectRejected(const std::string& table, const std::string& row, const std::string& reason) {
    auto csv = testing::goodCsv();
    if (table == "Bias_Curves")
        csv[table] = csv[table].substr(0, csv[table].find('\n') + 1);
    const auto line = std::count(csv[table].begin(), csv[table].end(), '\n') + 1;
    csv[table] += row + "\n";
    TempDir dir;
    try {
        csx::buildCatalogue(csv, dir.file("Cores.csx"));
        ADD_FAILURE() << table << ": " << row << " was built";
    } catch (const csx::BuildError& error) {
        EXPECT_EQ(error.what(), table + ".csv:" + std::to_string(line) + ": " + reason);
    }
}

TEST(CsxBuilder, RejectsEveryUnusableCellWithFileLineAndField) {
    for (const auto& [table, field, row] : kCheckedFields)
        for (const auto& [cell, reason] : kBadCells)
            expectRejected(table, std::string(row).replace(std::string(row).find("{}"), 2, cell),
                           "field '" + std::string(field) + "' " + reason);
    for (const auto& [table, field, row] : kPresentFields)
        for (const auto& [cell, reason] : {kBadCells[0], kBadCells[1]})
            expectRejected(table, std::string(row).replace(std::string(row).find("{}"), 2, cell),
                           "field '" + std::string(field) + "' " + reason);
}

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

// A malformed table fails with file, line and reason and keeps the old catalogue; the tool
// says so and writes nothing.
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
        const auto [status, output] = runTool(csv, dir.file("New.csx"));
        const std::string folder = output.substr(0, output.find('|'));
        EXPECT_NE(status, 0);
        EXPECT_NE(output.find(folder + "/" + where), std::string::npos) << output;
        EXPECT_NE(output.find(reason), std::string::npos) << output;
        EXPECT_FALSE(std::filesystem::exists(dir.file("New.csx")));
    }
}

// Most fits may take either sign; a core without a gap entry and a material without a cost
// build.
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
    EXPECT_EQ(sources.eCoreMaterials.recordset().recordCount(), 3);
    sources.materials.recordset().findByIndex("=", Value("-8"));
    EXPECT_TRUE(sources.materials.recordset().field("Cost").isNull());
    csv.erase("Toroids");
    const auto [missing, output] = runTool(csv, dir.file("Other.csx"));
    EXPECT_NE(missing, 0);
    const std::string folder = output.substr(0, output.find('|'));
    EXPECT_NE(output.find(folder + "/Toroids.csv:1: cannot read"), std::string::npos) << output;
}

// The output is a catalogue file: anything else at its path is refused and left as it is; a
// link is followed, so the link stays and the file it points to becomes the catalogue.
TEST(CsxTool, WritesOnlyARegularFileAndThroughALink) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0644), 0);
    std::filesystem::create_directory(dir.file("folder"));
    for (const std::string& out :
         {std::string("/dev/full"), dir.file("fifo"), dir.file("folder")}) {
        const auto type = std::filesystem::status(out).type();
        const auto [status, output] = runTool(testing::goodCsv(), out);
        EXPECT_NE(status, 0) << out;
        EXPECT_NE(output.find(out + ": cannot write the catalogue there: it is not a regular file"),
                  std::string::npos)
            << output;
        EXPECT_EQ(std::filesystem::status(out).type(), type) << out;
    }
    testing::writeFile(dir.file("real.csx"), "old");
    std::filesystem::create_symlink("real.csx", dir.file("Cores.csx"));
    const auto [status, output] = runTool(testing::goodCsv(), dir.file("Cores.csx"));
    EXPECT_EQ(status, 0) << output;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("Cores.csx")));
    CatalogueSources sources;
    sources.openFile(dir.file("real.csx"));
    EXPECT_EQ(sources.eCores.recordset().recordCount(), 2);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 4);
}

TEST(CsxBuilder, StoresTypedCellsAndQuotedTextsAndWithoutChecksFillsTheRest) {
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
    EXPECT_EQ(cores.field("GAP"), Value(1e-3));
    sources.materials.recordset().findByIndex("=", Value("-2"));
    EXPECT_EQ(sources.materials.recordset().field("Permeab"), Value(std::int64_t{10}));
    // Without checks it fills missing tables and fields.
    csx::buildCatalogue({{"E-Cores", "CoreNo,AC\nE1,x\nE1,\n"}}, path, {.validate = false});
    sources.openFile(path);
    cores.findByIndex("=", Value("E1"));
    EXPECT_EQ(cores.field("AC"), Value("x"));  // kept as text for tests of bad data
    EXPECT_TRUE(cores.field("GAP").isNull());
    EXPECT_EQ(sources.materials.recordset().recordCount(), 0);
}

// The loaders read a curve and a wire by their keys; the tables loaded once answer the same.
TEST(ReferenceTables, LoadedOnceAnswerAsTheLoaders) {
    TempDir dir;
    const std::string path = dir.file("Cores.csx");
    csx::buildCatalogue(testing::goodCsv(), path);
    const ReferenceTables tables = ReferenceTables::load(path);
    for (const auto& curve : {loadBiasCurve(path, "-26"), tables.biasCurve("-26")}) {
        ASSERT_TRUE(curve);
        EXPECT_EQ(std::tuple(curve->a, curve->b, curve->c), std::tuple(0.01, 9.7e-06, 1.72));
    }
    for (const auto& thickest : {loadWire(path, -3), tables.wire(-3)}) {
        ASSERT_TRUE(thickest);
        EXPECT_EQ(std::tuple(thickest->bareDiameterMm, thickest->overallDiameterMm,
                             thickest->resistance20OhmPerKm),
                  std::tuple(11.684, 11.773, 0.160801));
    }
    EXPECT_FALSE(loadBiasCurve(path, "-18") || tables.biasCurve("-8") || loadWire(path, 17) ||
                 tables.wire(17));
}

TEST(ReferenceTables, TheShippedWireTableHoldsTheStandardGauges) {
    // The shipped AWG 16: d = 0.005 in * 92^((36 - 16) / 39) = 0.05082 in = 1.2908 mm, and
    // 0.017241 ohm mm^2/m over pi/4 * 1.2908^2 mm^2 = 13.175 ohm/km.
    const auto awg16 = loadWire(std::string(COILSMITH_BIN_DIR) + "/Cores.csx", 16);
    ASSERT_TRUE(awg16);
    EXPECT_NEAR(awg16->bareDiameterMm, 1.2908, 5e-5);
    EXPECT_NEAR(awg16->resistance20OhmPerKm, 13.175, 2e-3);
}

}  // namespace
}  // namespace coilsmith
