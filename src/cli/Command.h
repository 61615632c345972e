#pragma once

#include <functional>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace coilsmith::cli {

// Exit statuses shared by every command.
inline constexpr int kExitDone = 0;     // the command did what was asked
inline constexpr int kExitMessage = 1;  // it ended on a message the window would have shown
inline constexpr int kExitUsage = 2;    // bad arguments, or a file that cannot be used

struct CommandContext {
    std::string programDir;  // the folder of the executable, where Cores.csx lies
    std::ostream& out;
    std::ostream& err;
    // Why `out` went bad, in the system's words; not set where out cannot fail.
    std::function<std::string()> outputFailure = {};
};

// One sub-command of coilsmith-cli. `run` gets the arguments after the command's name.
struct Command {
    std::string_view name;
    std::string_view summary;  // one sentence for the overview
    std::string (*help)();     // the full text of "COMMAND --help"
    int (*run)(std::span<const std::string> args, CommandContext& context);
};

// The command table, in the order the overview lists it.
std::span<const Command> commands();

// Finds the command named by the first argument and runs it ("--help", "--help-all" and
// "--version" in its place answer without a command). Output that could not be written to
// `out` is reported on `err` and ends with kExitUsage.
int runCli(std::span<const std::string> args, CommandContext& context);

}  // namespace coilsmith::cli
