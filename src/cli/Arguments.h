#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "check/DeliveredChoke.h"
#include "cli/Command.h"

// The argument parsing every command shares: one CLI11 declaration per command, its --help
// laid out as the manual page shows it (usage, description, options in groups, the rest),
// and one wording of every usage error: "coilsmith-cli COMMAND: what is wrong".
namespace coilsmith::cli {

// A command's parser. `synopsis` follows "Usage: coilsmith-cli "; `description` stands above
// the options, `footer` below them. Options without a group are listed first, unheaded; an
// option group is headed by its name, or by the paragraph given to groupHeading().
std::unique_ptr<CLI::App> commandParser(std::string_view name, std::string synopsis,
                                        std::string description, std::string footer);

// The paragraph that heads the options of `group` in the help (a group's name is one line).
void groupHeading(CLI::App& app, const std::string& group, std::string heading);

// An option whose value `accept` takes; when it returns false the command line is refused
// with "'VALUE' is not a valid value for NAME".
CLI::Option* addValue(CLI::App& app, const std::string& name, const std::string& valueName,
                      std::function<bool(const std::string&)> accept,
                      const std::string& description);

// A file name after `name` (-o, --catalogue); an empty one is refused: it is neither
// standard output nor the default catalogue.
CLI::Option* addFileName(CLI::App& app, const std::string& name, const std::string& valueName,
                         std::string& path, const std::string& description);

// The options most commands share, with their help lines.
void addDesignFile(CLI::App& app, std::string& path);
void addCatalogue(CLI::App& app, std::string& path);
void addDecimalPoint(CLI::App& app, std::string& point, const std::string& description);
void addAmbient(CLI::App& app, std::optional<double>& celsius);
// --stack 1|2|3|auto: the cores stacked for the delivered design.
CLI::Option* addStack(CLI::App& app, StackChoice& stack, const std::string& description);

// Parses `args`. nullopt when the command goes on; otherwise its exit status, after the
// help was written to standard output (--help, -h) or the error, with the usage, to
// standard error.
std::optional<int> parseCommandLine(CLI::App& app, std::span<const std::string> args,
                                    CommandContext& context);

// kExitUsage, after saying on standard error what is wrong with the command line and the
// command's usage.
int usageError(const CLI::App& app, const std::string& what, CommandContext& context);

// The --help of a command whose parser `makeParser` declares into an `Arguments`.
template <class Arguments, std::unique_ptr<CLI::App> (*makeParser)(Arguments&)>
std::string helpOf() {
    Arguments arguments;
    return makeParser(arguments)->help();
}

}  // namespace coilsmith::cli
