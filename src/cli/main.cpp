#include <iostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/ProgramDir.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    coilsmith::cli::CommandContext context{
        coilsmith::cli::programDirectory(argc > 0 ? argv[0] : nullptr), std::cout, std::cerr};
    return coilsmith::cli::runCli(args, context);
}
