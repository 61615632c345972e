// The Qt-free replacement of a file that the command-line tool writes its output with.
#include <gtest/gtest.h>

#include "FileSizeLimit.h"

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

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

// A link keeps being a link and its target takes the bytes, also a target that does not
// exist yet, at the end of a chain of links, absolute or relative to the link's folder.
TEST(FileReplacement, LinksAreWrittenThroughToTheirTarget) {
    const fs::path folder =
        fs::temp_directory_path() / ("coilsmith-links-" + std::to_string(::getpid()));
    fs::create_directories(folder / "sub");
    struct Row {
        const char* name;
        std::vector<std::pair<fs::path, fs::path>> links;  // link, where it points
        fs::path target;
    };
    const Row rows[] = {
        {"existing target", {{"a.lnk", folder / "a.txt"}}, folder / "a.txt"},
        {"missing target", {{"b.lnk", folder / "b.txt"}}, folder / "b.txt"},
        {"relative into a folder", {{"c.lnk", "sub/c.txt"}}, folder / "sub" / "c.txt"},
        {"chain", {{"d.lnk", "sub/d2.lnk"}, {"sub/d2.lnk", "../d.txt"}}, folder / "d.txt"},
    };
    std::ofstream(folder / "a.txt") << "old";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (const auto& [link, pointsTo] : row.links) {
            fs::create_symlink(pointsTo, folder / link);
        }
        const fs::path first = folder / row.links.front().first;
        replaceFileContents(first.string(), "new");
        EXPECT_TRUE(fs::is_symlink(first));
        EXPECT_EQ(readAll(row.target), "new");
    }
    fs::remove_all(folder);
}

}  // namespace
