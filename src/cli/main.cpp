#include <unistd.h>

#include <csignal>
#include <iostream>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/StandardOutput.h"
#include "platform/ProgramDir.h"

int main(int argc, char** argv) {
    using namespace coilsmith::cli;
    // Past a file-size limit a write then fails with a reason the tool reports, instead of
    // the signal ending the process with its temporary file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    holdClosedStandardStreams();
    const std::vector<std::string> args(argv + 1, argv + argc);
    DescriptorOutput standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    CommandContext context{programDirectory(argc > 0 ? argv[0] : nullptr), out, std::cerr,
                           [&standardOutput] { return standardOutput.failure(); }};
    return runCli(args, context);
}
