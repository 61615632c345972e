// The Qt-free replacement of a file that the command-line tool writes its output with.
#include <gtest/gtest.h>

#include "FileSizeLimit.h"

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>

#include "CliProcess.h"
#include "platform/FileReplacement.h"

namespace {

namespace fs = std::filesystem;
using coilsmith::FileWriteError;
using coilsmith::replaceFileContents;
using coilsmith::test::FileSizeLimit;
using coilsmith::test::readAll;

TEST(FileReplacement, WriteCutShortKeepsTheOldFileAndLeavesNoTemporary) {
    const fs::path folder =
        fs::temp_directory_path() / ("coilsmith-replace-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path target = folder / "design.txt";
    std::ofstream(target, std::ios::binary) << "old design\r\n";
    std::string reason;
    {
        const FileSizeLimit limit(16);
        try {
            replaceFileContents(target.string(), std::string(100, 'x'));
        } catch (const FileWriteError& error) {
            reason = error.what();
        }
    }
    EXPECT_EQ(reason, "File too large");
    EXPECT_EQ(readAll(target), "old design\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

    replaceFileContents(target.string(), "new design\r\n");
    EXPECT_EQ(readAll(target), "new design\r\n");
    fs::remove_all(folder);
}

}  // namespace
