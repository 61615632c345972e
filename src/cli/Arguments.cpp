#include "cli/Arguments.h"

#include <cmath>
#include <map>
#include <ostream>
#include <sstream>
#include <vector>

#include "numeric/NumberText.h"
#include "physics/Thermal.h"

namespace coilsmith::cli {

namespace {

constexpr std::string_view kUsage = "Usage: coilsmith-cli ";
// The group CLI11 puts an option in unless it is given another.
constexpr std::string_view kUngrouped = "Options";
// Option names are padded to this column, descriptions continue under it.
constexpr std::size_t kDescriptionColumn = 22;
// An ambient the check can start its hot-copper iteration from: above absolute zero and
// below the temperature it calls runaway.
constexpr double kLowestAmbientC = -273.15;

// --help as the manual page shows it: usage, description, options, then the rest.
class CommandHelp final : public CLI::Formatter {
  public:
    explicit CommandHelp(std::string synopsis) : synopsis_(std::move(synopsis)) {
        column_width(kDescriptionColumn);
    }
    const std::string& synopsis() const noexcept { return synopsis_; }
    void heading(const std::string& group, std::string text) { headings_[group] = std::move(text); }

    std::string make_help(const CLI::App* app, std::string, CLI::AppFormatMode) const override {
        std::ostringstream out;
        out << kUsage << synopsis_ << "\n\n" << app->get_description() << "\n";
        for (const std::string& group : app->get_groups()) {
            const auto options = app->get_options([&](const CLI::Option* option) {
                return option->get_group() == group && option->nonpositional() &&
                       option != app->get_help_ptr();
            });
            if (options.empty()) {
                continue;
            }
            const auto heading = headings_.find(group);
            out << "\n"
                << (group == kUngrouped          ? ""
                    : heading == headings_.end() ? group + ":\n"
                                                 : heading->second + ":\n");
            for (const CLI::Option* option : options) {
                out << make_option(option, false);
            }
        }
        out << "\n" << app->get_footer();
        return out.str();
    }

    // The value's name only ("--stack S"): what an option needs or excludes is said in words.
    std::string make_option_opts(const CLI::Option* option) const override {
        const std::string& value = option->get_option_text();
        return value.empty() ? std::string() : " " + value;
    }

  private:
    std::string synopsis_;
    std::map<std::string, std::string> headings_;
};

bool isDecimalPoint(const std::string& text) {
    return !text.empty() && text.find_first_of("0123456789+-eE ") == std::string::npos;
}

}  // namespace

std::unique_ptr<CLI::App> commandParser(std::string_view name, std::string synopsis,
                                        std::string description, std::string footer) {
    auto app = std::make_unique<CLI::App>(std::move(description), std::string(name));
    app->formatter(std::make_shared<CommandHelp>(std::move(synopsis)));
    app->footer(std::move(footer));
    app->set_help_flag("-h,--help", "show this help");
    return app;
}

void groupHeading(CLI::App& app, const std::string& group, std::string heading) {
    if (const auto help = std::dynamic_pointer_cast<CommandHelp>(app.get_formatter())) {
        help->heading(group, std::move(heading));
    }
}

CLI::Option* addValue(CLI::App& app, const std::string& name, const std::string& valueName,
                      std::function<bool(const std::string&)> accept,
                      const std::string& description) {
    return app
        .add_option_function<std::string>(
            name,
            [name, accept = std::move(accept)](const std::string& value) {
                if (!accept(value)) {
                    throw CLI::ValidationError("'" + value + "' is not a valid value for " + name,
                                               CLI::ExitCodes::ValidationError);
                }
            },
            description)
        ->option_text(valueName);
}

CLI::Option* addFileName(CLI::App& app, const std::string& name, const std::string& valueName,
                         std::string& path, const std::string& description) {
    return app
        .add_option_function<std::string>(
            name,
            [name, &path](const std::string& value) {
                if (value.empty()) {
                    throw CLI::ValidationError("the file name after " + name + " is empty",
                                               CLI::ExitCodes::ValidationError);
                }
                path = value;
            },
            description)
        ->option_text(valueName);
}

void addDesignFile(CLI::App& app, std::string& path) {
    app.add_option("FILE", path, "the 40-line design file")->required();
}

void addCatalogue(CLI::App& app, std::string& path) {
    addFileName(app, "--catalogue", "PATH", path,
                "the core catalogue to use (default: Cores.csx beside the program)");
}

void addDecimalPoint(CLI::App& app, std::string& point, const std::string& description) {
    addValue(
        app, "--decimal-point", "C",
        [&point](const std::string& text) {
            point = text;
            return isDecimalPoint(text);
        },
        description);
}

void addAmbient(CLI::App& app, std::optional<double>& celsius) {
    addValue(
        app, "--ambient", "C",
        [&celsius](const std::string& text) {
            celsius = parseNumber(text);
            return celsius && std::isfinite(*celsius) && *celsius > kLowestAmbientC &&
                   *celsius < physics::kRunawayTemperatureC;
        },
        "the ambient temperature in deg. C (default 25; above -273.15\nand below 250)");
}

CLI::Option* addStack(CLI::App& app, StackChoice& stack, const std::string& description) {
    return addValue(
        app, "--stack", "S",
        [&stack](const std::string& text) {
            for (int cores = 1; cores <= physics::kMaxStackedCores; ++cores) {
                if (text == std::to_string(cores)) {
                    stack = StackChoice::of(cores);
                    return true;
                }
            }
            stack = StackChoice::smallestThatPasses();
            return text == "auto";
        },
        description);
}

std::optional<int> parseCommandLine(CLI::App& app, std::span<const std::string> args,
                                    CommandContext& context) {
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
        return std::nullopt;
    } catch (const CLI::CallForHelp&) {
        context.out << app.help();
        return kExitDone;
    } catch (const CLI::ParseError& error) {
        return usageError(app, error.what(), context);
    }
}

int usageError(const CLI::App& app, const std::string& what, CommandContext& context) {
    context.err << "coilsmith-cli " << app.get_name() << ": " << what << "\n";
    if (const auto help = std::dynamic_pointer_cast<const CommandHelp>(app.get_formatter())) {
        context.err << kUsage << help->synopsis() << "\n";
    }
    return kExitUsage;
}

}  // namespace coilsmith::cli
