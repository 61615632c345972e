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

// A shipped file is beside the program (<prefix>/bin, the build tree), else in
// <prefix>/share/coilsmith (installed); missing everywhere, it is the place beside the
// program, which the message then names. The catalogue the user names comes first, even one
// that does not exist (opening it says what is wrong), then $COILSMITH_CATALOGUE unless empty.
TEST(CatalogueLookup, TakesTheFirstPlaceInOrder) {
    const fs::path prefix =
        fs::temp_directory_path() / ("coilsmith-lookup-" + std::to_string(::getpid()));
    const fs::path bin = prefix / "bin", share = prefix / "share" / "coilsmith";
    fs::create_directories(bin);
    fs::create_directories(share);
    ::unsetenv(kCatalogueVariable);
    EXPECT_EQ(locateCatalogue("", bin.string()), (bin / "Cores.csx").string());
    std::ofstream(share / "Cores.csx") << "x";
    std::ofstream(share / "help.csx") << "x";
    EXPECT_EQ(locateCatalogue("", bin.string()), (share / "Cores.csx").string());
    EXPECT_EQ(locateDataFile("help.csx", bin.string()), (share / "help.csx").string());
    std::ofstream(bin / "Cores.csx") << "x";
    ::setenv(kCatalogueVariable, "", 1);
    EXPECT_EQ(locateCatalogue("", bin.string()), (bin / "Cores.csx").string());
    ::setenv(kCatalogueVariable, "/env/Cores.csx", 1);
    EXPECT_EQ(locateCatalogue("", bin.string()), "/env/Cores.csx");
    EXPECT_EQ(locateCatalogue("/my/Cores.csx", bin.string()), "/my/Cores.csx");
    ::unsetenv(kCatalogueVariable);
    fs::remove_all(prefix);
}

}  // namespace
