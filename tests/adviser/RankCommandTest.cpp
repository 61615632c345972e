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
    const std::string args = "rank " + file() + " --all";
    const CliRun json = cli(args + " --format json"), csv = cli(args + " --format csv"),
                 table = cli(args);
    for (const CliRun* run : {&json, &csv, &table})
        ASSERT_EQ(run->exitCode, 0) << run->err;
    const auto root = nlohmann::json::parse(json.out);
    EXPECT_EQ(root["rank_by"], "loss");
    EXPECT_NEAR(root["minimum_ap_cm4"].get<double>(), 2.363, 5e-4);  // shown as "2.363"
    const auto& items = root["candidates"];
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
        std::string rank, type, core, material, turns, awg, loss;
        std::istringstream(tableLines[i + 2]) >> rank >> type >> core >> material >> turns >> awg >>
            loss;
        EXPECT_EQ(row[column("core")] + row[column("material")], core + material);
        EXPECT_EQ(item["core"].get<std::string>() + item["material"].get<std::string>(),
                  core + material);
        EXPECT_TRUE(!item["feasible"] || rank == std::to_string(item["rank"].get<int>()));
        if (item["total_loss_w"].is_null())
            continue;
        EXPECT_EQ(std::stod(row[column("hdc_a_per_cm")]), item["hdc_a_per_cm"]);
        EXPECT_EQ(turns + " " + loss, formatNumber(item["turns"].get<double>()) + " " +
                                          formatFixed(item["total_loss_w"].get<double>(), 2));
    }
}

// Usage errors exit 2 with their message and nothing on standard output (a missing file:
// CliTest); a specification that "Calculate AP" refuses exits 1 with its message.
TEST_F(RankCommand, ExitStatuses) {
    const std::string bad = "'" + writeDesign({.inductance = "abc"}, "bad.txt").string() + "'";
    const std::tuple<std::string, int, std::string> cases[] = {
        {file() + " --top 3 --by weight --max-trise 80", 0, ""},
        {file() + " --by price", 2, ""},
        {file() + " --top 0", 2, ""},
        {bad, 1, "Re-Enter Inductance Value"},
        {file() + " --delivered --stack-max 4", 2, "'4' is not a valid value for --stack-max"},
        {file() + " --delivered --ambient 300", 2, "'300' is not a valid value for --ambient"},
        {file() + " --stack-max 2", 2, "--stack-max requires --delivered"},
        {file() + " --delivered --checked", 2, "--checked excludes --delivered"}};
    for (const auto& [args, exitCode, message] : cases) {
        const CliRun run = cli("rank " + args);
        EXPECT_EQ(run.exitCode, exitCode) << args;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_TRUE(exitCode == 0 || run.out.empty()) << args;
    }
}

// --checked keeps the designs whose check passes (the engine's tests show which those are).
TEST_F(RankCommand, CheckedTopJsonKeepsPassingChecks) {
    const CliRun run = cli("rank " + file() + " --checked --top 2 --format json");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto root = nlohmann::json::parse(run.out);
    EXPECT_TRUE(root["checked_only"]);
    ASSERT_EQ(root["candidates"].size(), 2u);
    EXPECT_TRUE(root["candidates"][0]["checked"] && root["candidates"][1]["checked"]);
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
    EXPECT_TRUE(std::any_of(root["candidates"].begin(), root["candidates"].end(), [](auto& c) {
        return c["core"].template get<std::string>().starts_with("T\xEF\xBF\xBD");
    }));
    EXPECT_EQ(cli(args + " --format csv").out.find('\xFF'), std::string::npos);
    const CliRun table = cli(args);
    EXPECT_EQ(split(table.out, '\n').size(), root["candidates"].size() + 2);
    EXPECT_EQ(table.out.find_first_of("\t\x1B\xFF"), std::string::npos);
}

// --delivered reaches the delivered ranking (DeliveredRankingTest pins its numbers: 570
// candidates, 311 feasible, the lightest T80 in -52 on three cores) and --stack-max its
// largest stack: 190 candidates on one core, those not feasible without a rank.
TEST_F(RankCommand, DeliveredOptionsReachTheDeliveredRanking) {
    const fs::path spec = writeDesign(
        {.inductance = "100", .dcCurrent = "5", .rippleCurrent = "1", .frequency = "100"}, "d.txt");
    const std::string args = "rank '" + spec.string() + "' --delivered --by weight ";
    const CliRun run = cli(args + "--top 1 --format json");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    const auto& c = json["candidates"].at(0);
    EXPECT_EQ(std::tuple(json["candidate_count"], json["feasible_count"], c["core"], c["stack"]),
              std::tuple(570, 311, "T80", 3));
    const auto rows = split(cli(args + "--stack-max 1 --all --format csv").out, '\n');
    ASSERT_EQ(rows.size(), 191u);
    EXPECT_TRUE(rows[1].starts_with("1,Toroid,")) << rows[1];
    EXPECT_TRUE(rows.back().starts_with(",Toroid,")) << rows.back();
}

}  // namespace
}  // namespace coilsmith::adviser
