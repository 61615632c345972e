#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/ProgramDir.h"

int main(int argc, char** argv) {
    // Past a file-size limit a write then fails with a reason the tool reports, instead of
    // the signal ending the process with its temporary file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    coilsmith::cli::CommandContext context{
        coilsmith::cli::programDirectory(argc > 0 ? argv[0] : nullptr), std::cout, std::cerr};
    return coilsmith::cli::runCli(args, context);
}
