// The Qt-free replacement of a file that the command-line tool writes its output with. A
// failed write keeps the old file and leaves no temporary: CliTest's FailedWrite and
// tests/frame's FailedSave.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "CliProcess.h"
#include "platform/FileReplacement.h"

namespace {

namespace fs = std::filesystem;
using coilsmith::replaceFileContents;
using coilsmith::test::readAll;

// A link keeps being a link and its target takes the bytes: here the end of a chain of
// links, each relative to its own folder, first missing, then existing.
TEST(FileReplacement, LinksAreWrittenThroughToTheirTarget) {
    const fs::path folder =
        fs::temp_directory_path() / ("coilsmith-links-" + std::to_string(::getpid()));
    fs::create_directories(folder / "sub");
    fs::create_symlink("sub/d2.lnk", folder / "d.lnk");
    fs::create_symlink("../d.txt", folder / "sub" / "d2.lnk");
    for (const std::string bytes : {"new", "newer"}) {
        replaceFileContents((folder / "d.lnk").string(), bytes);
        EXPECT_TRUE(fs::is_symlink(folder / "d.lnk") && fs::is_symlink(folder / "sub" / "d2.lnk"));
        EXPECT_EQ(readAll(folder / "d.txt"), bytes);
    }
    fs::remove_all(folder);
}

}  // namespace
