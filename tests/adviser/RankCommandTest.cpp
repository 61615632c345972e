// "coilsmith-cli rank" as a process: the three formats say the same, the exit statuses.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

#include "AdviserCatalogues.h"
#include "CliProcess.h"
#include "windowmodel/DesignFile.h"

namespace coilsmith::adviser {
namespace {

namespace fs = std::filesystem;
using test::CliRun;

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        parts.push_back(part);
    }
    return parts;
}

class RankCommand : public test::CliProcessTest {
  protected:
    void SetUp() override {
        CliProcessTest::SetUp();
        design = writeDesign({});
    }

    fs::path writeDesign(const test::SpecTexts& spec, const std::string& name = "design.txt") {
        FakePrompter prompter;
        const ChokeModel window = test::specifiedWindow(test::shippedCatalogue(), prompter, spec);
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary) << writeDesignFile(window);
        return path;
    }

    std::string file() const { return "'" + design.string() + "'"; }

    fs::path design;
};

// Every candidate in the same order with the same figures; the table rounds them as the
// results page does. The DC field is 0.798 x Hdc[Oe], ampere-turns per cm; the key says so.
TEST_F(RankCommand, TableCsvAndJsonAgree) {
    const CliRun json = cli("rank " + file() + " --all --format json");
    const CliRun csv = cli("rank " + file() + " --all --format csv");
    const CliRun table = cli("rank " + file() + " --all");
    for (const CliRun* run : {&json, &csv, &table}) {
        ASSERT_EQ(run->exitCode, 0) << run->err;
    }
    const auto root = nlohmann::json::parse(json.out);
    EXPECT_EQ(root["rank_by"], "loss");
    EXPECT_NEAR(root["minimum_ap_cm4"].get<double>(), 2.363, 5e-4);  // shown as "2.363"
    const auto& items = root["candidates"];
    ASSERT_EQ(items.size(), root["candidate_count"]);
    ASSERT_GT(root["feasible_count"], 0);
    const auto csvLines = split(csv.out, '\n'), tableLines = split(table.out, '\n');
    ASSERT_EQ(csvLines.size(), items.size() + 1);
    ASSERT_EQ(tableLines.size(), items.size() + 2);
    const auto header = split(csvLines[0], ',');
    const auto column = [&](const char* key) {
        return static_cast<std::size_t>(std::find(header.begin(), header.end(), key) -
                                        header.begin());
    };
    ASSERT_LT(column("hdc_a_per_cm"), header.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const auto& item = items[i];
        const auto row = split(csvLines[i + 1], ',');
        SCOPED_TRACE(csvLines[i + 1]);
        const std::string name =
            item["core"].get<std::string>() + " " + item["material"].get<std::string>();
        EXPECT_EQ(row[column("core")] + " " + row[column("material")], name);
        EXPECT_EQ(row[column("feasible")], item["feasible"] ? "true" : "false");
        EXPECT_EQ(item["feasible"], !item["rank"].is_null());
        if (item["total_loss_w"].is_null()) {
            EXPECT_EQ(row[column("total_loss_w")], "");
            continue;
        }
        EXPECT_EQ(std::stod(row[column("total_loss_w")]), item["total_loss_w"]);
        EXPECT_EQ(std::stod(row[column("hdc_a_per_cm")]), item["hdc_a_per_cm"]);
        std::istringstream cells(tableLines[i + 2]);
        std::string rank, type, core, material, turns, awg, loss;
        cells >> rank >> type >> core >> material >> turns >> awg >> loss;
        EXPECT_EQ(core + " " + material + " " + turns + " " + loss,
                  name + " " + formatNumber(item["turns"].get<double>()) + " " +
                      formatFixed(item["total_loss_w"].get<double>(), 2));
        EXPECT_TRUE(!item["feasible"] || rank == std::to_string(item["rank"].get<int>()));
    }
}

// Usage errors exit 2 with CLI11's message and nothing on standard output; a specification
// that "Calculate AP" refuses exits 1 with its message.
TEST_F(RankCommand, ExitStatuses) {
    const std::string bad = "'" + writeDesign({.inductance = "abc"}, "bad.txt").string() + "'";
    const std::tuple<std::string, int, std::string> cases[] = {
        {file() + " --top 3 --by weight --max-trise 80", 0, ""},
        {file() + " --by price", 2, ""},
        {file() + " --top 0", 2, ""},
        {file() + " --max-trise hot", 2, ""},
        {file() + " --format xml", 2, ""},
        {file() + " --fast", 2, ""},
        {file() + " --top", 2, ""},
        {file() + " --catalogue /nonexistent/Cores.csx", 2, ""},
        {"", 2, ""},
        {"'" + (dir / "none.txt").string() + "'", 2, ""},
        {bad, 1, "Re-Enter Inductance Value"},
        {file() + " --delivered --stack-max 0", 2, "'0' is not a valid value for --stack-max"},
        {file() + " --delivered --stack-max 4", 2, "'4' is not a valid value for --stack-max"},
        {file() + " --delivered --stack-max two", 2, "'two' is not a valid value for --stack-max"},
        {file() + " --delivered --ambient 300", 2, "'300' is not a valid value for --ambient"},
        {file() + " --stack-max 2", 2, "--stack-max requires --delivered"},
        {file() + " --delivered --checked", 2, "--checked excludes --delivered"}};
    for (const auto& [args, exitCode, message] : cases) {
        const CliRun run = cli("rank " + args);
        EXPECT_EQ(run.exitCode, exitCode) << args;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_TRUE(exitCode == 0 || run.out.empty()) << args;
    }
    const CliRun help = cli("rank --help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("total_loss_w"), std::string::npos);
}

// --checked keeps the designs whose check passes (the engine's tests show which those are);
// Ku, a single-precision value, prints as its shortest decimal (0.4, not 0.4000000059604645).
TEST_F(RankCommand, CheckedTopJsonKeepsPassingChecks) {
    const CliRun run = cli("rank " + file() + " --checked --top 2 --format json");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto root = nlohmann::json::parse(run.out);
    EXPECT_TRUE(root["checked_only"]);
    ASSERT_EQ(root["candidates"].size(), 2u);
    for (const auto& c : root["candidates"])
        EXPECT_TRUE(c["checked"]);
    EXPECT_NE(run.out.find("\"window_utilisation\": 0.4,"), std::string::npos) << run.out;
}

// A core named with a byte that is not UTF-8, an escape sequence, a line break and a tab:
// the JSON still parses, the CSV is UTF-8 and the table keeps one line per candidate.
TEST_F(RankCommand, CatalogueNamesWithBadBytesKeepEveryFormat) {
    const std::string name = "T\xFF\x1B[7m\n\t184";
    csx::CsvTables tables;
    for (const char* table : {"E-Cores", "Toroids", "Materials", "Core_Materials",
                              "Toroid_Materials", "Bias_Curves", "Wires"}) {
        std::string text =
            test::readAll(fs::path(COILSMITH_CATALOGUE_DATA) / (table + std::string(".csv")));
        for (std::size_t at = 0; (at = text.find("\nT184,", at)) != std::string::npos;) {
            text.replace(at + 1, 4, "\"" + name + "\"");
            at += name.size();
        }
        tables[table] = text;
    }
    const test::TempCatalogue catalogue(tables);
    const std::string args = "rank " + file() + " --all --catalogue '" + catalogue.path() + "'";
    const CliRun json = cli(args + " --format json");
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const auto root = nlohmann::json::parse(json.out);  // throws on bytes that are not UTF-8
    std::size_t named = 0;
    for (const auto& candidate : root["candidates"]) {
        named += candidate["core"].get<std::string>().starts_with("T\xEF\xBF\xBD") ? 1 : 0;
    }
    EXPECT_GT(named, 0u);

    const CliRun csv = cli(args + " --format csv");
    EXPECT_EQ(csv.out.find('\xFF'), std::string::npos);
    const CliRun table = cli(args);
    EXPECT_EQ(split(table.out, '\n').size(), root["candidates"].size() + 2);
    EXPECT_EQ(table.out.find_first_of("\t\x1B\xFF"), std::string::npos);
}

// 100 uH / 5 A / 1 A p-p at 100 kHz, delivered on 1 to 3 cores and ranked by true weight:
// the command gives what DeliveredRankingTest derives independently (570 candidates, 311
// feasible, the lightest T80 in -52 on three cores).
TEST_F(RankCommand, DeliveredRankingMatchesTheIndependentDerivation) {
    const std::string spec =
        "rank '" +
        writeDesign(
            {.inductance = "100", .dcCurrent = "5", .rippleCurrent = "1", .frequency = "100"},
            "100uH.txt")
            .string() +
        "' --delivered ";
    const CliRun run = cli(spec + "--by weight --top 1 --format json");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(std::tuple(json["candidate_count"], json["feasible_count"], json["rank_by"]),
              std::tuple(570, 311, "weight"));
    ASSERT_EQ(json["candidates"].size(), 1u);
    const auto& c = json["candidates"][0];
    EXPECT_EQ(std::tuple(c["core"], c["material"], c["stack"], c["turns"], c["awg"]),
              std::tuple("T80", "-52", 3, 32, 16));
    EXPECT_NEAR(c["total_weight_g"].get<double>(), 47.09403693, 1e-4);
    EXPECT_EQ(c["verdicts"].size(), 5u);

    // One stack only: 190 candidates, every row as many fields as the header (commas outside
    // quotes), those that are not feasible without a rank.
    const auto rows = split(cli(spec + "--stack-max 1 --by weight --all --format csv").out, '\n');
    ASSERT_EQ(rows.size(), 191u);
    EXPECT_TRUE(
        rows[0].starts_with("rank,type,core,material,feasible,pareto,reason,volume_cm3,"
                            "cost,stack,turns,awg,"))
        << rows[0];
    EXPECT_TRUE(rows[1].starts_with("1,Toroid,")) << rows[1];
    EXPECT_TRUE(rows.back().starts_with(",Toroid,")) << rows.back();
    const auto fieldCount = [](const std::string& row) {
        std::size_t count = 1;
        bool quoted = false;
        for (const char character : row) {
            quoted = character == '"' ? !quoted : quoted;
            count += !quoted && character == ',' ? 1 : 0;
        }
        return count;
    };
    for (const std::string& row : rows) {
        EXPECT_EQ(fieldCount(row), fieldCount(rows[0])) << row;
    }
}

}  // namespace
}  // namespace coilsmith::adviser
