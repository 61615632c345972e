// Where the executables find the catalogue and the help text, in the build tree and installed.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/ProgramDir.h"

namespace {

namespace fs = std::filesystem;
using coilsmith::cli::kCatalogueVariable;
using coilsmith::cli::locateCatalogue;
using coilsmith::cli::locateDataFile;

// Which of the two shipped places hold a copy (<prefix>/bin, the build tree, and
// <prefix>/share/coilsmith, installed), what the caller chose, and where the lookup lands
// ("@/..." is relative to the prefix).
TEST(CatalogueLookup, TakesTheFirstPlaceInOrder) {
    const fs::path prefix =
        fs::temp_directory_path() / ("coilsmith-lookup-" + std::to_string(::getpid()));
    const struct {
        bool besideProgram, installed;
        const char* commandLine;
        const char* environment;  // nullptr: unset
        const char* expected;
    } rows[] = {
        // A path the user names is taken as it is, even when it does not exist: opening it
        // then says what is wrong with it.
        {true, true, "/my/Cores.csx", "/env/Cores.csx", "/my/Cores.csx"},
        {true, true, "", "/env/Cores.csx", "/env/Cores.csx"},
        {true, false, "", "", "@/bin/Cores.csx"},  // an empty variable is unset
        {true, true, "", nullptr, "@/bin/Cores.csx"},
        {false, true, "", nullptr, "@/share/coilsmith/Cores.csx"},
        // Missing everywhere: the message names the place beside the program.
        {false, false, "", nullptr, "@/bin/Cores.csx"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.commandLine) + " " + row.expected);
        fs::remove_all(prefix);
        fs::create_directories(prefix / "bin");
        fs::create_directories(prefix / "share" / "coilsmith");
        for (const auto& [present, file] :
             {std::pair{row.besideProgram, prefix / "bin" / "Cores.csx"},
              {row.installed, prefix / "share/coilsmith/Cores.csx"}}) {
            if (present)
                std::ofstream(file) << "x";
        }
        row.environment ? ::setenv(kCatalogueVariable, row.environment, 1)
                        : ::unsetenv(kCatalogueVariable);
        const std::string expected = row.expected;
        EXPECT_EQ(locateCatalogue(row.commandLine, (prefix / "bin").string()),
                  expected.starts_with("@/") ? (prefix / expected.substr(2)).string() : expected);
    }
    ::unsetenv(kCatalogueVariable);
    std::ofstream(prefix / "share" / "coilsmith" / "help.csx") << "x";
    EXPECT_EQ(locateDataFile("help.csx", (prefix / "bin").string()),
              (prefix / "share" / "coilsmith" / "help.csx").string());
    fs::remove_all(prefix);
}

}  // namespace
