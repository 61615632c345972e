// "coilsmith-cli rank" as a process: the three formats say the same, the exit statuses.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "AdviserCatalogues.h"
#include "CliProcess.h"
#include "model/DesignFile.h"

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
    EXPECT_DOUBLE_EQ(root["minimum_ap_cm4"].toDouble(), 2.363);
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
    const std::string bad = "'" + writeDesign({.Ldes = "abc"}, "bad.txt").string() + "'";
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

// Only designs whose check passes remain, ranked among themselves; fewer than all.
TEST_F(RankCommand, CheckedKeepsOnlyPassingChecks) {
    const CliRun all = cli("rank " + file() + " --all --format json");
    const CliRun checked = cli("rank " + file() + " --all --checked --format json");
    ASSERT_EQ(checked.exitCode, 0) << checked.err;
    const QJsonObject root = jsonOf(checked);
    EXPECT_TRUE(root["checked_only"].toBool());
    const QJsonArray candidates = root["candidates"].toArray();
    ASSERT_FALSE(candidates.isEmpty());
    EXPECT_LT(candidates.size(), jsonOf(all)["candidates"].toArray().size());
    int rank = 0;
    for (const auto& value : candidates) {
        const QJsonObject c = value.toObject();
        // L(Idc) a warning at worst, the winding fits, a hot rise computed.
        EXPECT_TRUE(c["checked"].toBool() && c["l_idc_percent"].toDouble() >= 90 &&
                    c["fill_wound"].toDouble() <= 1 && c["trise_hot_c"].isDouble());
        if (c["feasible"].toBool()) {
            EXPECT_EQ(c["rank"].toInt(), ++rank);
        }
    }
}

TEST_F(RankCommand, TopKeepsTheBestFeasibleOnes) {
    const auto lines = split(cli("rank " + file() + " --top 3 --format csv").out, '\n');
    ASSERT_EQ(lines.size(), 4u);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_EQ(split(lines[i], ',')[0], std::to_string(i));
    }
}

}  // namespace
}  // namespace coilsmith::adviser
