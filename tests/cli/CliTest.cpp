// coilsmith-cli run as a process on the shipped catalogue: each command's wiring, exit
// statuses and messages. The numbers behind them are the window model's and the check's own
// tests' (tests/windowmodel, tests/check).
#include <gtest/gtest.h>

#include "DesignFiles.h"

#include <nlohmann/json.hpp>

#include "coilsmith/Version.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace coilsmith::test;

class CliTest : public DesignFileTest {
  protected:
    std::string t184(const char* material, const char* name = "in.txt") {
        return design({{kToroid, "True"}, {kCore, "T184"}, {kCoreMat, material}}, name);
    }
};

// The starting specification completes on T184 (Ap 2.363 cm^4), and the completed design
// is a fixed point: designing it again changes nothing. A decimal comma is read and written.
TEST_F(CliTest, DesignCompletesTheFileAndKeepsItsDecimalPoint) {
    const CliRun run = cli("design " + t184("-26"));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto out = lines(run.out);
    ASSERT_EQ(out.size(), 40u);
    EXPECT_EQ(out[kFCore - 1] + " " + out[kAPR - 1], "T184-26 2.363");
    std::ofstream(dir / "out.txt", std::ios::binary) << run.out;
    cli("design '" + (dir / "out.txt").string() + "' -o '" + (dir / "again.txt").string() + "'");
    EXPECT_EQ(readAll(dir / "again.txt"), run.out);

    const CliRun comma = cli(
        "design --decimal-point , " +
        design({{kToroid, "True"}, {kCore, "T184"}, {kCoreMat, "-26"}, {30, "0,5"}}, "comma.txt"));
    ASSERT_EQ(comma.exitCode, 0) << comma.err;
    EXPECT_EQ(lines(comma.out).at(kAPR - 1), "2,363");
}

// Each format once, each with its options. JSON: the check's figures under their keys (T184
// in -8: tests/check/DesignCheckTest.cpp), --ambient warming the copper only, and null for
// what a delivered design that does not wind cannot have. The table's and CSV's delivered
// columns on the stack --stack chooses (T184 in -26: 10 turns on two cores, 8 on three).
TEST_F(CliTest, CheckWritesEachFormatWithItsOptions) {
    const CliRun run = cli("check --format json " + t184("-8", "t184.txt"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_NEAR(json["l_idc_percent"].get<double>(), 103.364, 0.001);
    EXPECT_EQ(json["turns_per_layer"], nlohmann::json::array({19}));
    const auto warm = nlohmann::json::parse(
        cli("check --ambient 60 --format json '" + (dir / "t184.txt").string() + "'").out);
    EXPECT_GT(warm["trise_hot_c"].get<double>(), json["trise_hot_c"].get<double>());
    EXPECT_EQ(warm["l_idc_h"], json["l_idc_h"]);
    // 25 uH at 25 A on T80 in -26: 139 turns on the largest stack, which do not go on.
    const auto t80 = nlohmann::json::parse(
        cli("check --format json " +
            design({{kToroid, "True"}, {kCore, "T80"}, {kCoreMat, "-26"}}, "t80.txt"))
            .out)["delivered"];
    EXPECT_EQ(t80["turns"], 139);
    EXPECT_EQ(t80["fits"], false);
    EXPECT_TRUE(t80["rdc20_ohm"].is_null() && t80["problem"].is_null()) << t80;

    const std::string input = t184("-26");
    const CliRun table = cli("check --stack 2 " + input);
    ASSERT_EQ(table.exitCode, 0) << table.err;
    EXPECT_NE(table.out.find("As designed  Delivered  Unit\n"), std::string::npos);
    EXPECT_TRUE(std::regex_search(table.out, std::regex("\nTurns  +[0-9]+  +10\n"))) << table.out;
    const std::string csv = cli("check --stack 3 --format csv " + input).out;
    EXPECT_NE(csv.find(",delivered_stack,delivered_turns,"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",3,8,9,1,"), std::string::npos) << csv;
}

// The report as a PDF: nothing said, also where the system gives no runtime folder (Qt's
// start-up remarks are no message of the design). Its pages are tests/report's.
TEST_F(CliTest, ReportWritesAPdfSilently) {
    ::unsetenv("XDG_RUNTIME_DIR");
    const CliRun run = cli("report " + t184("-26") + " -o '" + (dir / "r.pdf").string() + "'");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_TRUE(readAll(dir / "r.pdf").starts_with("%PDF-")) << run.err;
}

// The files of a folder, less the captured output of coilsmith-cli and the runtime folder
// Qt makes in the temporary folder when the system gives it none.
std::vector<std::string> folderListing(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name != "stdout" && name != "stderr" && !name.starts_with("runtime-")) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Every one of these targets holds also for a user who may write anywhere: the mode of a
// read-only file is honoured, a folder is no file, and /dev/full refuses every write.
TEST_F(CliTest, FailedWriteSaysWhyAndKeepsTheOldFile) {
    const std::string input = t184("-26"), old = "the old file\n";
    for (const std::string command : {"design", "report"}) {
        const fs::path readOnly = dir / (command + ".old"), folder = dir / (command + ".dir");
        std::ofstream(readOnly, std::ios::binary) << old;
        fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
        fs::create_directory(folder);
        for (const auto& [target, reason] :
             {std::pair<fs::path, const char*>{readOnly, "read-only"},
              {folder, "Is a directory"},
              {"/dev/full", "No space left"}}) {
            SCOPED_TRACE(command + " " + target.string());
            // A device's bytes are gathered in the temporary folder: that is this test's folder.
            ::setenv("TMPDIR", dir.c_str(), 1);
            const auto before = folderListing(dir);
            const CliRun run = cli(command + " " + input + " -o '" + target.string() + "'");
            ::unsetenv("TMPDIR");
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_NE(run.err.find(target.string()), std::string::npos) << run.err;
            EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
            EXPECT_EQ(folderListing(dir), before) << "a temporary file was left behind";
        }
        EXPECT_EQ(readAll(readOnly), old);
    }
}

// Every error goes to standard error with its exit code, and nothing to standard output. A
// message ending in a newline begins standard error (a usage error's usage follows it) and
// is all of it for the design's messages; otherwise it is a part of it.
TEST_F(CliTest, ErrorsAreReportedWithTheirExitCodes) {
    const struct {
        std::string args;
        int exitCode;
        std::string err;
        std::string redirection = {};  // of standard output, when not to a file
    } rows[] = {
        {"", 2, "Usage"},
        {"frobnicate", 2, "coilsmith-cli: unknown command 'frobnicate'\n"},
        // Usage errors: what is wrong, then the command's usage.
        {"design", 2, "coilsmith-cli design: FILE is required\nUsage: coilsmith-cli design FILE"},
        {"spice x.txt --stack 2", 2, "coilsmith-cli spice: --stack requires --delivered\n"},
        // An empty name is neither standard output nor the default catalogue.
        {"design " + t184("-26") + " -o ''", 2,
         "coilsmith-cli design: the file name after -o is empty\n"},
        {"design /nonexistent/in.txt", 2, "/nonexistent/in.txt"},
        // Open says what it could not choose, after the others; Run says what it says.
        {"check " + design({{kToroid, "True"}, {kCore, "T157"}, {kCoreMat, "-99"}}, "m99.txt"), 1,
         "The material -99 of this design is not listed for the core T157\n"
         "Select a core from the database\n"},
        // A file written with full stops, read with commas: said once, as a bad argument.
        {"design --decimal-point , " + t184("-26", "dots.txt"), 2,
         "The numbers of " + (dir / "dots.txt").string() +
             " are written with the decimal point '.', not ',': give --decimal-point .\n"},
        // An endless device is refused by what it is, before a byte is read or written.
        {"design /dev/zero -o '" + (dir / "out.txt").string() + "'", 2,
         "/dev/zero is not a Coilsmith design file\n"},
        {"design " + design({}, "in.txt") + " --catalogue /nonexistent/Cores.csx", 2,
         "/nonexistent/Cores.csx"},
        // Output that standard output does not take is no silent exit 2: the reason is said.
        {"check " + t184("-26") + " --format json", 2,
         "coilsmith-cli check: cannot write to standard output: No space left on device\n",
         "> /dev/full"},
        {"design " + t184("-26"), 2,
         "coilsmith-cli design: cannot write to standard output: it is closed\n", ">&-"},
    };
    for (const auto& [args, exitCode, err, redirection] : rows) {
        const CliRun run = redirection.empty() ? cli(args) : cliWithOutput(args, redirection);
        EXPECT_EQ(run.exitCode, exitCode) << args;
        EXPECT_EQ(run.out, "") << args;
        if (err.ends_with('\n')) {
            EXPECT_TRUE(exitCode == 1 ? run.err == err : run.err.starts_with(err))
                << args << ": " << run.err;
        } else {
            EXPECT_NE(run.err.find(err), std::string::npos) << args << ": " << run.err;
        }
    }
    EXPECT_FALSE(fs::exists(dir / "out.txt"));
}

// A PDF written over the design it reports, or a design over the catalogue it was designed
// from, would destroy them: the output is refused by whatever name (a hard link, a symbolic
// link) it reaches the same file.
TEST_F(CliTest, OutputThatIsAnInputIsRefused) {
    const std::string input = t184("-26");
    const std::string design = readAll(dir / "in.txt");
    const fs::path catalogue = dir / "my.csx";
    fs::copy_file(fs::path(COILSMITH_CLI).parent_path() / "Cores.csx", catalogue);
    const std::string catalogueBytes = readAll(catalogue);
    fs::create_hard_link(dir / "in.txt", dir / "hard.txt");
    fs::create_symlink("my.csx", dir / "catalogue-link.csx");
    const std::string other = " --catalogue '" + catalogue.string() + "'";
    const std::tuple<std::string, fs::path, std::string> rows[] = {
        {"report " + input, dir / "hard.txt", "the design file"},
        {"report " + input + other, catalogue, "the catalogue"},
        {"design " + input + other, dir / "catalogue-link.csx", "the catalogue"},
    };
    for (const auto& [command, output, what] : rows) {
        const CliRun run = cli(command + " -o '" + output.string() + "'");
        SCOPED_TRACE(output.string());
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find("the output file " + output.string() + " is " + what),
                  std::string::npos)
            << run.err;
    }
    EXPECT_EQ(readAll(dir / "in.txt"), design);
    EXPECT_EQ(readAll(catalogue), catalogueBytes);

    // The design file itself may take its completed design.
    EXPECT_EQ(cli("design " + input + " -o " + input).exitCode, 0);
    EXPECT_EQ(lines(readAll(dir / "in.txt")).at(kFCore - 1), "T184-26");
}

TEST_F(CliTest, HelpExplainsTheCommands) {
    const CliRun help = cli("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Commands:\n  new     "), std::string::npos);
    EXPECT_TRUE(cli("--version")
                    .out.starts_with("coilsmith-cli " + std::string(coilsmith::kVersionText) +
                                     "\nCopyright"));
}

}  // namespace
