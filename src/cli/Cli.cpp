#include <exception>
#include <ostream>

#include "cli/Command.h"

namespace coilsmith::cli {

namespace {

void printOverview(std::ostream& out) {
    out << "usage: coilsmith-cli COMMAND [ARGUMENTS]\n\n"
           "Runs Coilsmith's choke design without a display.\n\n"
           "Commands:\n";
    for (const Command& command : commands()) {
        out << "  " << command.synopsis << "\n      " << command.summary << "\n";
    }
    out << "\n'coilsmith-cli COMMAND --help' describes one command.\n"
           "Exit status: 0 done, 1 ended on a design message, 2 bad arguments or files.\n";
}

bool isHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

}  // namespace

int runCli(std::span<const std::string> args, CommandContext& context) {
    if (args.empty()) {
        printOverview(context.err);
        return kExitUsage;
    }
    if (isHelp(args.front()) || args.front() == "help") {
        printOverview(context.out);
        return kExitDone;
    }
    for (const Command& command : commands()) {
        if (command.name != args.front()) {
            continue;
        }
        const auto rest = args.subspan(1);
        if (!rest.empty() && isHelp(rest.front())) {
            context.out << command.help;
            return kExitDone;
        }
        try {
            return command.run(rest, context);
        } catch (const std::exception& e) {
            context.err << "coilsmith-cli " << command.name << ": " << e.what() << "\n";
            return kExitUsage;
        }
    }
    context.err << "coilsmith-cli: unknown command '" << args.front() << "'\n";
    printOverview(context.err);
    return kExitUsage;
}

}  // namespace coilsmith::cli
