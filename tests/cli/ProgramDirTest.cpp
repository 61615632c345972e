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

// Which of the two shipped places hold a copy, what the caller chose, and where the lookup
// should land (relative to the prefix folder, or as given).
struct LookupCase {
    const char* name;
    bool besideProgram;  // <prefix>/bin/Cores.csx, the build tree
    bool installed;      // <prefix>/share/coilsmith/Cores.csx
    const char* commandLine;
    const char* environment;  // nullptr: unset
    const char* expected;     // "@/..." is relative to the prefix
};

class CatalogueLookup : public ::testing::TestWithParam<LookupCase> {
  protected:
    void SetUp() override {
        prefix = fs::temp_directory_path() / ("coilsmith-lookup-" + std::to_string(::getpid()));
        fs::create_directories(prefix / "bin");
        fs::create_directories(prefix / "share" / "coilsmith");
    }
    void TearDown() override {
        ::unsetenv(kCatalogueVariable);
        fs::remove_all(prefix);
    }
    std::string expand(const std::string& expected) const {
        return expected.starts_with("@/") ? (prefix / expected.substr(2)).string() : expected;
    }
    fs::path prefix;
};

TEST_P(CatalogueLookup, TakesTheFirstPlaceInOrder) {
    const LookupCase& c = GetParam();
    for (const auto& [present, file] : {std::pair{c.besideProgram, prefix / "bin" / "Cores.csx"},
                                        {c.installed, prefix / "share/coilsmith/Cores.csx"}}) {
        if (present)
            std::ofstream(file) << "x";
    }
    c.environment ? ::setenv(kCatalogueVariable, c.environment, 1) : ::unsetenv(kCatalogueVariable);
    EXPECT_EQ(locateCatalogue(c.commandLine, (prefix / "bin").string()), expand(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Order, CatalogueLookup,
    ::testing::Values(
        // A path the user names is taken as it is, even when it does not exist: opening it
        // then says what is wrong with it.
        LookupCase{"CommandLineFirst", true, true, "/my/Cores.csx", "/env/Cores.csx",
                   "/my/Cores.csx"},
        LookupCase{"EnvironmentNext", true, true, "", "/env/Cores.csx", "/env/Cores.csx"},
        LookupCase{"EmptyEnvironmentIsUnset", true, false, "", "", "@/bin/Cores.csx"},
        LookupCase{"BuildTreeBeforeInstalled", true, true, "", nullptr, "@/bin/Cores.csx"},
        LookupCase{"InstalledTree", false, true, "", nullptr, "@/share/coilsmith/Cores.csx"},
        // Missing everywhere: the message names the place beside the program.
        LookupCase{"NowhereNamesBesideTheProgram", false, false, "", nullptr, "@/bin/Cores.csx"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CatalogueLookup, HelpTextIsFoundInstalled) {
    std::ofstream(prefix / "share" / "coilsmith" / "help.csx") << "x";
    EXPECT_EQ(locateDataFile("help.csx", (prefix / "bin").string()),
              (prefix / "share" / "coilsmith" / "help.csx").string());
}

}  // namespace
