#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace coilsmith::test {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A test with a folder of its own for files and for the captured output of
// coilsmith-cli, which it runs as a process through the shell.
class CliProcessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("coilsmith-cli-test-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    CliRun cli(const std::string& args) const {
        return cliWithOutput(args, "> '" + (dir / "stdout").string() + "'");
    }

    // coilsmith-cli with its standard output redirected as the shell text says ("> /dev/full",
    // ">&-" closes it); `out` of the result is then empty.
    CliRun cliWithOutput(const std::string& args, const std::string& redirection) const {
        const auto out = dir / "stdout", err = dir / "stderr";
        std::filesystem::remove(out);
        const std::string command = std::string("'") + COILSMITH_CLI + "' " + args + " " +
                                    redirection + " 2> '" + err.string() + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readAll(out), readAll(err)};
    }

    std::filesystem::path dir;
};

}  // namespace coilsmith::test
