#include "cli/ReportForward.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "cli/ReportArguments.h"

extern char** environ;

namespace coilsmith::cli {

namespace {

int runReportExecutable(std::span<const std::string> args, CommandContext& context) {
    const std::string program = context.programDir + "/" + std::string(kReportExecutable);
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    // The child writes to the same standard streams: what we wrote must come first.
    context.out.flush();
    context.err.flush();
    pid_t child = 0;
    const int spawnError =
        posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
    if (spawnError != 0) {
        context.err << "coilsmith-cli report: cannot start " << program << ": "
                    << std::strerror(spawnError) << "\n";
        return kExitUsage;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            context.err << "coilsmith-cli report: lost " << program << ": " << std::strerror(errno)
                        << "\n";
            return kExitUsage;
        }
    }
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    context.err << "coilsmith-cli report: " << program << " ended abnormally\n";
    return kExitUsage;
}

}  // namespace

Command reportForwardCommand() {
    return {"report", kReportSummary, &helpOf<ReportArguments, reportParser>, &runReportExecutable};
}

}  // namespace coilsmith::cli
