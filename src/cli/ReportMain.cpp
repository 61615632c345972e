// coilsmith-cli-report: the Qt half of "coilsmith-cli report", run by coilsmith-cli.
#include <iostream>
#include <string>
#include <vector>

#include "cli/ProgramDir.h"
#include "cli/ReportCommand.h"

int main(int argc, char** argv) {
    using namespace coilsmith::cli;
    const std::vector<std::string> args(argv + 1, argv + argc);
    CommandContext context{programDirectory(argc > 0 ? argv[0] : nullptr), std::cout, std::cerr};
    const Command command = reportCommand();
    if (!args.empty() && (args.front() == "--help" || args.front() == "-h")) {
        std::cout << command.help;
        return kExitDone;
    }
    try {
        return command.run(args, context);
    } catch (const std::exception& e) {
        std::cerr << "coilsmith-cli report: " << e.what() << "\n";
        return kExitUsage;
    }
}
