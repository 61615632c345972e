#include <algorithm>
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
    out << "Usage: coilsmith-cli COMMAND [ARGUMENTS]\n"
           "  or:  coilsmith-cli --help | --help-all | --version\n\n"
           "Runs Coilsmith's choke design without a display.\n\n"
           "Commands:\n";
    std::size_t nameWidth = 0;
    for (const Command& command : commands()) {
        nameWidth = std::max(nameWidth, command.name.size());
    }
    for (const Command& command : commands()) {
        out << "  " << command.name << std::string(nameWidth - command.name.size() + 2, ' ')
            << command.summary << "\n";
    }
    out << "\n'coilsmith-cli COMMAND --help' describes one command, 'coilsmith-cli --help-all'\n"
           "all of them. Exit status: 0 done, 1 ended on a design message, 2 bad arguments\n"
           "or files.\n";
}

// The overview and every command's help, as the manual page coilsmith-cli(1) shows them.
// Each command's help goes under a heading "The design command:" with its usage lines
// indented below it, which help2man makes a subsection of the page.
void printAllHelp(std::ostream& out) {
    constexpr std::string_view kUsage = "Usage: ";
    printOverview(out);
    for (const Command& command : commands()) {
        const std::string text = command.help();
        const std::string_view help = text;
        const std::size_t usageEnd = std::min(help.find("\n\n"), help.size());
        out << "\nThe " << command.name << " command:\n";
        std::string_view usage = help.substr(0, usageEnd);
        while (!usage.empty()) {
            std::string_view line = usage.substr(0, usage.find('\n'));
            usage.remove_prefix(std::min(usage.size(), line.size() + 1));
            const bool first = line.starts_with(kUsage);
            line.remove_prefix(first ? kUsage.size() : line.find_first_not_of(' '));
            out << "  " << line << "\n";
        }
        out << help.substr(std::min(usageEnd + 1, help.size()));
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
    try {
        return command->run(args.subspan(1), context);
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
