// "coilsmith-cli rank" as a process: the three formats say the same, the exit statuses.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <nlohmann/json.hpp>

#include <charconv>
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

QJsonObject jsonOf(const CliRun& run) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
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

TEST_F(RankCommand, TableCsvAndJsonAgree) {
    const CliRun json = cli("rank " + file() + " --all --format json");
    const CliRun csv = cli("rank " + file() + " --all --format csv");
    const CliRun table = cli("rank " + file() + " --all");
    for (const CliRun* run : {&json, &csv, &table}) {
        ASSERT_EQ(run->exitCode, 0) << run->err;
    }
    const QJsonObject root = jsonOf(json);
    EXPECT_EQ(root["rank_by"].toString(), "loss");
    EXPECT_NEAR(root["minimum_ap_cm4"].toDouble(), 2.363, 5e-4);  // shown as "2.363"
    const QJsonArray items = root["candidates"].toArray();
    ASSERT_EQ(items.size(), root["candidate_count"].toInt());
    ASSERT_GT(root["feasible_count"].toInt(), 0);

    const auto csvLines = split(csv.out, '\n');
    ASSERT_EQ(csvLines.size(), static_cast<std::size_t>(items.size()) + 1);
    const auto header = split(csvLines[0], ',');
    const auto column = [&](const char* key) {
        return std::find(header.begin(), header.end(), key) - header.begin();
    };
    // The DC field is 0.798 x Hdc[Oe], ampere-turns per cm; the key says so.
    ASSERT_LT(column("hdc_a_per_cm"), static_cast<std::ptrdiff_t>(header.size()));
    const auto tableLines = split(table.out, '\n');
    ASSERT_EQ(tableLines.size(), static_cast<std::size_t>(items.size()) + 2);

    for (int i = 0; i < items.size(); ++i) {
        const QJsonObject item = items[i].toObject();
        const auto row = split(csvLines[static_cast<std::size_t>(i) + 1], ',');
        SCOPED_TRACE(csvLines[static_cast<std::size_t>(i) + 1]);
        const std::string core = item["core"].toString().toStdString(),
                          material = item["material"].toString().toStdString();
        EXPECT_EQ(row[column("core")] + " " + row[column("material")], core + " " + material);
        const bool feasible = item["feasible"].toBool();
        EXPECT_EQ(row[column("feasible")], feasible ? "true" : "false");
        EXPECT_EQ(feasible, !item["rank"].isNull());
        if (item["total_loss_w"].isNull()) {
            EXPECT_EQ(row[column("total_loss_w")], "");
            continue;
        }
        const double loss = item["total_loss_w"].toDouble();
        EXPECT_EQ(std::stod(row[column("total_loss_w")]), loss);
        ASSERT_TRUE(item.contains("hdc_a_per_cm"));
        EXPECT_EQ(std::stod(row[column("hdc_a_per_cm")]), item["hdc_a_per_cm"].toDouble());
        // The table shows the results page's rounding of the same numbers.
        std::istringstream cells(tableLines[static_cast<std::size_t>(i) + 2]);
        std::string rank, type, cellCore, cellMaterial, turns, awg, lossText;
        cells >> rank >> type >> cellCore >> cellMaterial >> turns >> awg >> lossText;
        EXPECT_EQ(cellCore + " " + cellMaterial, core + " " + material);
        EXPECT_EQ(turns + " " + lossText,
                  formatNumber(item["turns"].toDouble()) + " " + formatFixed(loss, 2));
        if (feasible) {
            EXPECT_EQ(rank, std::to_string(item["rank"].toInt()));
        }
    }
}

TEST_F(RankCommand, ExitStatuses) {
    const std::string bad = "'" + writeDesign({.inductance = "abc"}, "bad.txt").string() + "'";
    const std::pair<std::string, int> cases[] = {
        {"rank " + file(), 0},
        {"rank " + file() + " --top 3 --by weight --max-trise 80", 0},
        {"rank " + file() + " --checked --top 3", 0},
        {"rank " + file() + " --by price", 2},
        {"rank " + file() + " --top 0", 2},
        {"rank " + file() + " --max-trise hot", 2},
        {"rank " + file() + " --format xml", 2},
        {"rank " + file() + " --fast", 2},
        {"rank " + file() + " --top", 2},
        {"rank " + file() + " --catalogue /nonexistent/Cores.csx", 2},
        {"rank", 2},
        {"rank '" + (dir / "none.txt").string() + "'", 2},
        {"rank " + bad, 1}};
    for (const auto& [args, exitCode] : cases) {
        EXPECT_EQ(cli(args).exitCode, exitCode) << args;
    }
    EXPECT_NE(cli("rank " + bad).err.find("Re-Enter Inductance Value"), std::string::npos);
    const CliRun help = cli("rank --help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("total_loss_w"), std::string::npos);
}

// --checked keeps the designs whose check passes (the engine's tests show which those are).
TEST_F(RankCommand, CheckedKeepsOnlyPassingChecks) {
    const CliRun checked = cli("rank " + file() + " --all --checked --format json");
    ASSERT_EQ(checked.exitCode, 0) << checked.err;
    const QJsonObject root = jsonOf(checked);
    const QJsonArray candidates = root["candidates"].toArray();
    EXPECT_TRUE(root["checked_only"].toBool() && !candidates.isEmpty());
    EXPECT_LT(
        candidates.size(),
        jsonOf(cli("rank " + file() + " --all --format json"))["candidates"].toArray().size());
    for (const auto& value : candidates) {
        EXPECT_TRUE(value.toObject()["checked"].toBool());
    }
}

TEST_F(RankCommand, TopKeepsTheBestFeasibleOnes) {
    const auto lines = split(cli("rank " + file() + " --top 3 --format csv").out, '\n');
    ASSERT_EQ(lines.size(), 4u);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_EQ(split(lines[i], ',')[0], std::to_string(i));
    }
}

// Ku and the effective permeability are single-precision values of the design: their JSON
// text is the float's shortest decimal (0.4, not 0.4000000059604645).
TEST_F(RankCommand, SinglePrecisionValuesPrintTheirMeaningfulDigits) {
    const CliRun run = cli("rank " + file() + " --top 1 --format json");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\"window_utilisation\": 0.4,"), std::string::npos) << run.out;
    const auto at = run.out.find("\"mu_eff\": ");
    ASSERT_NE(at, std::string::npos);
    const std::string text = run.out.substr(at + 10, run.out.find(',', at) - at - 10);
    float value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    char shortest[32] = {};
    const auto end = std::to_chars(shortest, shortest + sizeof shortest, value).ptr;
    EXPECT_EQ(text, std::string(shortest, end));
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
    const fs::path spec = writeDesign(
        {.inductance = "100", .dcCurrent = "5", .rippleCurrent = "1", .frequency = "100"},
        "100uH.txt");
    const CliRun run =
        cli("rank '" + spec.string() + "' --delivered --by weight --top 1 --format json");
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

    // The CSV has the same lightest candidate; one stack only leaves the triple stack out.
    const CliRun csv =
        cli("rank '" + spec.string() + "' --delivered --by weight --top 1 --format csv");
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    const auto rows = split(csv.out, '\n');
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(
        rows[0].starts_with("rank,type,core,material,feasible,pareto,reason,volume_cm3,"
                            "cost,stack,turns,awg,"))
        << rows[0];
    EXPECT_TRUE(rows[1].starts_with("1,Toroid,T80,-52,true,")) << rows[1];
    // A candidate that is not feasible has no rank: its row starts with an empty field.
    const CliRun all =
        cli("rank '" + spec.string() + "' --delivered --stack-max 1 --all --format csv");
    const auto allRows = split(all.out, '\n');
    ASSERT_EQ(allRows.size(), 191u);
    EXPECT_TRUE(allRows.back().starts_with(",Toroid,")) << allRows.back();
    // Fields of a CSV row: commas outside quotes, and one.
    const auto fieldCount = [](const std::string& row) {
        std::size_t count = 1;
        bool quoted = false;
        for (const char ch : row) {
            quoted = ch == '"' ? !quoted : quoted;
            count += !quoted && ch == ',' ? 1 : 0;
        }
        return count;
    };
    for (const std::string& row : allRows) {
        EXPECT_EQ(fieldCount(row), fieldCount(allRows[0])) << row;
    }
    const CliRun single =
        cli("rank '" + spec.string() + "' --delivered --stack-max 1 --by weight --format json");
    ASSERT_EQ(single.exitCode, 0) << single.err;
    const auto singleJson = nlohmann::json::parse(single.out);
    EXPECT_EQ(singleJson["candidate_count"], 190);
    for (const auto& c : singleJson["candidates"]) {
        EXPECT_EQ(c["stack"], 1);
    }
}

TEST_F(RankCommand, DeliveredOptionsRefuseBadValues) {
    const struct {
        std::string arguments;
        std::string message;
    } cases[] = {
        {"--delivered --stack-max 0", "'0' is not a valid value for --stack-max"},
        {"--delivered --stack-max 4", "'4' is not a valid value for --stack-max"},
        {"--delivered --stack-max two", "'two' is not a valid value for --stack-max"},
        {"--delivered --ambient 300", "'300' is not a valid value for --ambient"},
        {"--stack-max 2", "--stack-max requires --delivered"},
        {"--delivered --checked", "--checked excludes --delivered"},
    };
    for (const auto& c : cases) {
        const CliRun run = cli("rank " + file() + " " + c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

}  // namespace
}  // namespace coilsmith::adviser
