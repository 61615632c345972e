#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <string_view>

#include "TestCatalogues.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ReferenceTables.h"

namespace coilsmith {
namespace {

using testing::TempDir;

struct MalformedCase {
    const char* name;
    const char* table;  // whose CSV is replaced
    const char* csv;
    const char* where;   // "<table>.csv:<line>:"
    const char* reason;  // part of the message after it
};

const MalformedCase kMalformed[] = {
    {"WrongColumnCount", "Toroids", "CoreNo,AC,VC,LC,OD,ID,HT\nT1,1,1,1,1,1,1\nT2,1,1,1,1,1\n",
     "Toroids.csv:3:", "6 cells, the header has 7"},
    {"NotANumber", "E-Cores",
     "CoreNo,AC,VC,LC,WC,a_dim,b_dim,c_dim,d_dim,f_dim,g_dim,GAP\n"
     "E20,0.2,0.5,2.5,0.3,0.5,0.4,0.1,0.3,0.1,0.3,0\n"
     "E10,0.1,0.3,2.0,0.2,0.4,abc,0.1,0.2,0.1,0.2,0\n",
     "E-Cores.csv:3:", "field 'b_dim' is not a number: 'abc'"},
    {"InfinityIsNotANumber", "Materials",
     "MatNo,Permeab,Density,ah,bh,ch,dh,eh,ab,bb,cb,db,eb,al,bl,cl,dl,Cost\n"
     "-2,10,5.0,1,0,0,0,0,1,0,0,0,0,1,1,1,0,inf\n"
     "-26,75,7.0,1,0,0,0,0,1,0,0,0,0,1,1,1,0,1.0\n",
     "Materials.csv:2:", "field 'Cost' is not a number"},
    {"LinkToMissingCore", "Core_Materials", "Core,Mat\nE20,-26\nE99,-2\n",
     "Core_Materials.csv:3:", "core 'E99' is not in"},
    {"LinkCoreDiffersInCase", "Toroid_Materials", "Core,Mat\nt1,-2\n",
     "Toroid_Materials.csv:2:", "core 't1' is not in"},
    {"LinkToMissingMaterial", "Toroid_Materials", "Core,Mat\nT1,-2\nT2,-99\n",
     "Toroid_Materials.csv:3:", "material '-99' is not in"},
    {"DuplicateMaterial", "Materials",
     "MatNo,Permeab,Density,ah,bh,ch,dh,eh,ab,bb,cb,db,eb,al,bl,cl,dl,Cost\n"
     "-2,10,5.0,1,0,0,0,0,1,0,0,0,0,1,1,1,0,2.5\n"
     "-26,75,7.0,1,0,0,0,0,1,0,0,0,0,1,1,1,0,1.0\n"
     "-2,10,5.0,1,0,0,0,0,1,0,0,0,0,1,1,1,0,2.5\n",
     "Materials.csv:4:", "duplicate MatNo '-2' (first on line 2)"},
    {"DuplicateCore", "Toroids",
     "CoreNo,AC,VC,LC,OD,ID,HT\nT1,1,1,1,1,1,1\nT2,1,1,1,1,1,1\nt2,1,1,1,1,1,1\n",
     "Toroids.csv:4:", "duplicate CoreNo 't2'"},
    {"UnknownHeader", "E-Cores",
     "CoreNo,AC,VC,LC,WC,a_dim,b_dim,c_dim,d_dim,e_dim,f_dim,g_dim,GAP\n",
     "E-Cores.csv:1:", "unknown field 'e_dim'"},
    {"MissingHeaderField", "Toroids", "CoreNo,AC,VC,LC,OD,ID\n",
     "Toroids.csv:1:", "missing field 'HT'"},
    {"UnterminatedQuote", "Core_Materials", "Core,Mat\nE20,-26\n\"E10,-2\n",
     "Core_Materials.csv:3:", "unterminated quoted cell"},
    {"EmptyFile", "Materials", "", "Materials.csv:1:", "no header line"},
};

// One good row per table with a place for the bad cell: "{}" stands for it.
struct BadCellField {
    const char* table;
    const char* field;
    const char* row;  // the header is that of testing::goodCsv()
};

const BadCellField kCheckedFields[] = {
    {"E-Cores", "AC", "E30,{},0.5,2.5,0.3,0.5,0.4,0.1,0.3,0.1,0.3,0"},
    {"E-Cores", "VC", "E30,0.2,{},2.5,0.3,0.5,0.4,0.1,0.3,0.1,0.3,0"},
    {"E-Cores", "LC", "E30,0.2,0.5,{},0.3,0.5,0.4,0.1,0.3,0.1,0.3,0"},
    {"E-Cores", "WC", "E30,0.2,0.5,2.5,{},0.5,0.4,0.1,0.3,0.1,0.3,0"},
    {"E-Cores", "a_dim", "E30,0.2,0.5,2.5,0.3,{},0.4,0.1,0.3,0.1,0.3,0"},
    {"E-Cores", "b_dim", "E30,0.2,0.5,2.5,0.3,0.5,{},0.1,0.3,0.1,0.3,0"},
    {"E-Cores", "c_dim", "E30,0.2,0.5,2.5,0.3,0.5,0.4,{},0.3,0.1,0.3,0"},
    {"E-Cores", "f_dim", "E30,0.2,0.5,2.5,0.3,0.5,0.4,0.1,0.3,{},0.3,0"},
    {"E-Cores", "g_dim", "E30,0.2,0.5,2.5,0.3,0.5,0.4,0.1,0.3,0.1,{},0"},
    {"Toroids", "AC", "T3,{},0.01,1.0,0.2,0.1,0.1"},
    {"Toroids", "VC", "T3,0.01,{},1.0,0.2,0.1,0.1"},
    {"Toroids", "LC", "T3,0.01,0.01,{},0.2,0.1,0.1"},
    {"Toroids", "OD", "T3,0.01,0.01,1.0,{},0.1,0.1"},
    {"Toroids", "ID", "T3,0.01,0.01,1.0,0.2,{},0.1"},
    {"Toroids", "HT", "T3,0.01,0.01,1.0,0.2,0.1,{}"},
    {"Materials", "Permeab", "-8,{},5.0,1,0,0,0,0,1,0,0,0,0,1,1,1,0,2.5"},
    {"Materials", "Density", "-8,10,{},1,0,0,0,0,1,0,0,0,0,1,1,1,0,2.5"},
    {"Wires", "BareDiameter", "20,{},0.87,33.3"},
    {"Wires", "OverallDiameter", "20,0.81,{},33.3"},
    {"Wires", "Resistance20C", "20,0.81,0.87,{}"},
};

// Fields that may be negative or zero but must be present.
const BadCellField kPresentFields[] = {
    {"Materials", "ah", "-8,10,5.0,{},0,0,0,0,1,0,0,0,0,1,1,1,0,2.5"},
    {"Materials", "eb", "-8,10,5.0,1,0,0,0,0,1,0,0,0,{},1,1,1,0,2.5"},
    {"Materials", "al", "-8,10,5.0,1,0,0,0,0,1,0,0,0,0,{},1,1,0,2.5"},
    {"Materials", "dl", "-8,10,5.0,1,0,0,0,0,1,0,0,0,0,1,1,1,{},2.5"},
    {"Bias_Curves", "a", "-2,{},1e-7,1.5"},
    {"Bias_Curves", "c", "-2,0.01,1e-7,{}"},
};

struct BadCell {
    const char* kind;
    const char* cell;
    const char* reason;  // after "field '<name>' "
};

const BadCell kBadCells[] = {
    {"Empty", "", "is empty"},
    {"Text", "abc", "is not a number: 'abc'"},
    {"Zero", "0", "is not positive: '0'"},
    {"Negative", "-1.5", "is not positive: '-1.5'"},
};

std::string withCell(std::string row, const std::string& cell) {
    return row.replace(row.find("{}"), 2, cell);
}

// The good table with the row appended as its last line.
std::string tableWithRow(const char* table, const std::string& row, int& line) {
    std::string csv = testing::goodCsv().at(table);
    line = static_cast<int>(std::count(csv.begin(), csv.end(), '\n')) + 1;
    if (std::string_view(table) == "Bias_Curves") {
        csv = csv.substr(0, csv.find('\n') + 1);  // -2 is then not there twice
        line = 2;
    }
    return csv + row + "\n";
}

void expectRejected(const char* table, const std::string& row, const std::string& reason) {
    int line = 0;
    auto csv = testing::goodCsv();
    csv[table] = tableWithRow(table, row, line);
    TempDir dir;
    try {
        csx::buildCatalogue(csv, dir.file("Cores.csx"));
        ADD_FAILURE() << table << ": " << row << " was built";
    } catch (const csx::BuildError& error) {
        EXPECT_EQ(std::string(error.what()),
                  std::string(table) + ".csv:" + std::to_string(line) + ": " + reason);
    }
}

TEST(CsxBuilder, RejectsEveryUnusableCellWithFileLineAndField) {
    for (const BadCellField& f : kCheckedFields) {
        for (const BadCell& bad : kBadCells) {
            SCOPED_TRACE(std::string(f.field) + " " + bad.kind);
            expectRejected(f.table, withCell(f.row, bad.cell),
                           "field '" + std::string(f.field) + "' " + bad.reason);
        }
    }
    for (const BadCellField& f : kPresentFields) {
        for (const BadCell& bad : {kBadCells[0], kBadCells[1]}) {
            SCOPED_TRACE(std::string(f.field) + " " + bad.kind);
            expectRejected(f.table, withCell(f.row, bad.cell),
                           "field '" + std::string(f.field) + "' " + bad.reason);
        }
    }
}

TEST(CsxBuilder, RejectsRowsTheDesignCannotUse) {
    expectRejected("Toroids", "T3,0.01,0.01,1.0,0.2,0.25,0.1",
                   "field 'ID' is not below field 'OD'");
    expectRejected("Toroids", "T3,0.01,0.01,1.0,0.2,0.2,0.1", "field 'ID' is not below field 'OD'");
    expectRejected("E-Cores", "E30,0.2,0.5,2.5,0.3,0.5,0.4,0.1,0.3,0.1,0.3,-1",
                   "field 'GAP' is negative: '-1'");
    expectRejected("Materials", "-8,10,5.0,1,0,0,0,0,1,0,0,0,0,1,1,1,0,-1",
                   "field 'Cost' is negative: '-1'");
    expectRejected("Wires", "20.5,0.81,0.87,33.3", "field 'AWG' is not a whole number: '20.5'");
    expectRejected("Wires", ",0.81,0.87,33.3", "field 'AWG' is empty");
    expectRejected("Wires", "16,1.29,1.36,13.2", "duplicate AWG '16' (first on line 3)");
    expectRejected("Bias_Curves", "-99,0.01,1e-7,1.5", "material '-99' is not in Materials.csv");
}

// Fits may take any sign; a core without a gap entry and a material without a cost build.
TEST(CsxBuilder, AcceptsSignedFitsAndAnEmptyGapOrCost) {
    auto csv = testing::goodCsv();
    csv["Materials"] += "-8,10,5.0,1,-0.5,0,-1e-6,0,1,0,-2,0,0,-1,1,1,0,\n";
    csv["E-Cores"] += "E30,0.2,0.5,2.5,0.3,0.5,0.4,0.1,-0.3,0.1,0.3,\n";
    csv["Bias_Curves"] += "-8,-0.01,0,-1.5\n";
    TempDir dir;
    EXPECT_NO_THROW(csx::buildCatalogue(csv, dir.file("Cores.csx")));
}

csx::CsvTables withMalformed(const MalformedCase& c) {
    auto csv = testing::goodCsv();
    csv[c.table] = c.csv;
    return csv;
}

class MalformedCsvTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedCsvTest, FailsWithFileLineAndReasonAndKeepsTheOldCatalogue) {
    TempDir dir;
    const std::string path = dir.file("Cores.csx");
    csx::buildCatalogue(testing::goodCsv(), path);
    const auto before = std::filesystem::last_write_time(path);
    try {
        csx::buildCatalogue(withMalformed(GetParam()), path);
        FAIL() << "the malformed catalogue was built";
    } catch (const csx::BuildError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind(GetParam().where, 0), 0U) << message;
        EXPECT_NE(message.find(GetParam().reason), std::string::npos) << message;
    }
    EXPECT_EQ(std::filesystem::last_write_time(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// csx-build as the build runs it: exit status and "file:line: reason" on stderr.
struct ToolRun {
    int status = -1;
    std::string output;
};

ToolRun runTool(const std::string& csvFolder, const std::string& out) {
    const std::string command = "'" CSX_BUILD_PATH "' '" + csvFolder + "' '" + out + "' 2>&1";
    struct Closer {
        void operator()(FILE* f) const noexcept { pclose(f); }
    };
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 512> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) {
        run.output += buffer.data();
    }
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

void writeCsvFolder(const TempDir& dir, const csx::CsvTables& csv) {
    for (const auto& [table, text] : csv) {
        testing::writeFile(dir.file(table + ".csv"), text);
    }
}

TEST_P(MalformedCsvTest, ToolFailsWithFileAndLine) {
    TempDir dir;
    writeCsvFolder(dir, withMalformed(GetParam()));
    const std::string out = dir.file("Cores.csx");
    const ToolRun run = runTool(dir.path().string(), out);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find(dir.file(GetParam().where)), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(GetParam().reason), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(out));
}

INSTANTIATE_TEST_SUITE_P(Kinds, MalformedCsvTest, ::testing::ValuesIn(kMalformed),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CsxTool, BuildsAGoodSetAndAMissingFileFails) {
    TempDir dir;
    writeCsvFolder(dir, testing::goodCsv());
    const std::string out = dir.file("Cores.csx");
    const ToolRun good = runTool(dir.path().string(), out);
    EXPECT_EQ(good.status, 0) << good.output;
    CatalogueSources sources;
    sources.openFile(out);
    EXPECT_EQ(sources.Data2.recordset().RecordCount(), 3);

    std::filesystem::remove(dir.file("Toroids.csv"));
    const ToolRun missing = runTool(dir.path().string(), dir.file("Other.csx"));
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.output.find(dir.file("Toroids.csv") + ":1: cannot read"), std::string::npos)
        << missing.output;
}

TEST(CsxBuilder, StoresTypedCellsAndQuotedTexts) {
    TempDir dir;
    auto csv = testing::goodCsv();
    csv["E-Cores"] =
        "\xEF\xBB\xBF"
        "CoreNo,AC,VC,LC,WC,a_dim,b_dim,c_dim,d_dim,f_dim,g_dim,GAP\r\n"
        "\"E,20\",2,0.5,2.5,0.3,0.5,0.4,0.1,,0.1,0.3,1e-3\r\n"
        "\r\n";
    csv["Core_Materials"] = "Core,Mat\n\"E,20\",-26\n";
    const std::string path = dir.file("Cores.csx");
    csx::buildCatalogue(csv, path);
    CatalogueSources sources;
    sources.openFile(path);
    Recordset& cores = sources.Data1.recordset();
    ASSERT_EQ(cores.RecordCount(), 1);
    EXPECT_EQ(cores.Fields("CoreNo"), Value("E,20"));
    EXPECT_EQ(cores.Fields("AC"), Value(2.0));  // a real column stores reals
    EXPECT_TRUE(cores.Fields("d_dim").isNull());
    EXPECT_EQ(cores.Fields("GAP"), Value(1e-3));
    sources.Data3.recordset().Seek("=", Value("-2"));
    EXPECT_EQ(sources.Data3.recordset().Fields("Permeab"), Value(std::int64_t{10}));
}

TEST(CsxBuilder, WithoutChecksFillsMissingTablesAndFields) {
    TempDir dir;
    const std::string path = dir.file("Cores.csx");
    csx::buildCatalogue({{"E-Cores", "CoreNo,AC\nE1,x\nE1,\n"}}, path, {.validate = false});
    CatalogueSources sources;
    sources.openFile(path);
    Recordset& cores = sources.Data1.recordset();
    cores.Seek("=", Value("E1"));
    EXPECT_EQ(cores.Fields("AC"), Value("x"));  // kept as text for tests of bad data
    EXPECT_TRUE(cores.Fields("GAP").isNull());
    EXPECT_EQ(sources.Data3.recordset().RecordCount(), 0);
}

TEST(ReferenceTables, LoadACurveAndAWireByTheirKeys) {
    TempDir dir;
    const std::string path = dir.file("Cores.csx");
    csx::buildCatalogue(testing::goodCsv(), path);
    const auto curve = loadBiasCurve(path, "-26");
    ASSERT_TRUE(curve);
    EXPECT_EQ(curve->a, 0.01);
    EXPECT_EQ(curve->b, 9.7e-06);
    EXPECT_EQ(curve->c, 1.72);
    EXPECT_FALSE(loadBiasCurve(path, "-8"));
    const auto thickest = loadWire(path, -3);
    ASSERT_TRUE(thickest);
    EXPECT_EQ(thickest->bareDiameterMm, 11.684);
    EXPECT_EQ(thickest->overallDiameterMm, 11.773);
    EXPECT_EQ(thickest->resistance20OhmPerKm, 0.160801);
    EXPECT_FALSE(loadWire(path, 17));
    // Both tables loaded once answer the same.
    const ReferenceTables tables = ReferenceTables::load(path);
    EXPECT_EQ(tables.biasCurve("-26")->c, 1.72);
    EXPECT_EQ(tables.wire(-3)->overallDiameterMm, 11.773);
    EXPECT_FALSE(tables.wire(17));

    // The shipped AWG 16: d = 0.005 in * 92^((36 - 16) / 39) = 0.05082 in = 1.2908 mm, and
    // 0.017241 ohm mm^2/m over pi/4 * 1.2908^2 mm^2 = 13.175 ohm/km.
    const auto awg16 = loadWire(std::string(COILSMITH_BIN_DIR) + "/Cores.csx", 16);
    ASSERT_TRUE(awg16);
    EXPECT_NEAR(awg16->bareDiameterMm, 1.2908, 5e-5);
    EXPECT_NEAR(awg16->resistance20OhmPerKm, 13.175, 2e-3);
}

}  // namespace
}  // namespace coilsmith
