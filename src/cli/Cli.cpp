#include <exception>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/Command.h"
#include "cli/StandardOutput.h"
#include "coilsmith/Version.h"

namespace coilsmith::cli {

namespace {

void printOverview(std::ostream& out) {
    out << "usage: coilsmith-cli COMMAND [ARGUMENTS]\n"
           "       coilsmith-cli --help | --help-all | --version\n\n"
           "Runs Coilsmith's choke design without a display.\n\n"
           "Commands:\n";
    for (const Command& command : commands()) {
        out << "  " << command.synopsis << "\n      " << command.summary << "\n";
    }
    out << "\n'coilsmith-cli COMMAND --help' describes one command, 'coilsmith-cli --help-all'\n"
           "every command. Exit status: 0 done, 1 ended on a design message, 2 bad arguments\n"
           "or files.\n";
}

// The overview and every command's help, as the manual page coilsmith-cli(1) shows them.
void printAllHelp(std::ostream& out) {
    printOverview(out);
    for (const Command& command : commands()) {
        out << "\nThe " << command.name << " command:\n" << command.help;
    }
}

bool isHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

const Command* findCommand(std::string_view name) {
    for (const Command& command : commands()) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

int runCommand(std::span<const std::string> args, CommandContext& context) {
    if (args.empty()) {
        printOverview(context.err);
        return kExitUsage;
    }
    if (isHelp(args.front()) || args.front() == "help") {
        printOverview(context.out);
        return kExitDone;
    }
    if (args.front() == "--help-all") {
        printAllHelp(context.out);
        return kExitDone;
    }
    if (args.front() == "--version") {
        context.out << versionOptionText("coilsmith-cli");
        return kExitDone;
    }
    const Command* command = findCommand(args.front());
    if (command == nullptr) {
        context.err << "coilsmith-cli: unknown command '" << args.front() << "'\n";
        printOverview(context.err);
        return kExitUsage;
    }
    const auto rest = args.subspan(1);
    if (!rest.empty() && isHelp(rest.front())) {
        context.out << command->help;
        return kExitDone;
    }
    try {
        return command->run(rest, context);
    } catch (const std::exception& e) {
        context.err << "coilsmith-cli " << command->name << ": " << e.what() << "\n";
        return kExitUsage;
    }
}

}  // namespace

int runCli(std::span<const std::string> args, CommandContext& context) {
    const int status = runCommand(args, context);
    const Command* command = args.empty() ? nullptr : findCommand(args.front());
    return finishOutput(command ? "coilsmith-cli " + std::string(command->name) : "coilsmith-cli",
                        status, context);
}

}  // namespace coilsmith::cli
