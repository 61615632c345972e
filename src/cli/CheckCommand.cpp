// "check": a design file designed as "design" does, then checked independently.
#include <cmath>
#include <optional>
#include <ostream>

#include "catalogue/Catalogue.h"
#include "catalogue/Records.h"
#include "check/DeliveredChoke.h"
#include "check/DeliveredSpecification.h"
#include "cli/CheckFormats.h"
#include "cli/Command.h"
#include "cli/DeliveredFields.h"
#include "cli/FileArguments.h"
#include "cli/OpenDesign.h"
#include "cli/StreamPrompter.h"
#include "windowmodel/ChokeModel.h"

namespace coilsmith::cli {

namespace {

constexpr std::string_view kSynopsis =
    "check FILE [--stack 1|2|3|auto] [--ambient C] [--format table|csv|json]\n"
    "       [--catalogue PATH] [--decimal-point C]";

// An ambient the check can start its hot-copper iteration from: above absolute zero and
// below the temperature it calls runaway.
constexpr double kLowestAmbientC = -273.15;

struct CheckArguments {
    DesignSource source;
    double ambientC = 25;
    CheckFormat format = CheckFormat::Table;
    StackChoice stack = StackChoice::smallestThatPasses();
};

// "1" … "3", or "auto" for the smallest stack that passes.
std::optional<StackChoice> stackFromText(const std::string& text) {
    if (text == "auto") {
        return StackChoice::smallestThatPasses();
    }
    for (int cores = 1; cores <= physics::kMaxStackedCores; ++cores) {
        if (text == std::to_string(cores)) {
            return StackChoice::of(cores);
        }
    }
    return std::nullopt;
}

bool applyOption(const std::string& option, const std::string& value, CheckArguments& parsed,
                 std::ostream& err) {
    const auto bad = [&] {
        err << "coilsmith-cli check: '" << value << "' is not a valid value for " << option << "\n";
        return false;
    };
    if (option == "--ambient") {
        const auto celsius = parseNumber(value);
        if (!celsius || !std::isfinite(*celsius) || *celsius <= kLowestAmbientC ||
            *celsius >= kRunawayTemperatureC) {
            return bad();
        }
        parsed.ambientC = *celsius;
    } else if (option == "--stack") {
        const auto stack = stackFromText(value);
        if (!stack) {
            return bad();
        }
        parsed.stack = *stack;
    } else if (option == "--format") {
        const auto format = checkFormatFromName(value);
        if (!format) {
            return bad();
        }
        parsed.format = *format;
    } else if (option == "--catalogue") {
        if (!nonEmptyFileName("check", option, value, err)) {
            return false;
        }
        parsed.source.cataloguePath = value;
    } else if (option == "--decimal-point") {
        if (value.empty() || value.find_first_of("0123456789+-eE ") != std::string::npos) {
            return bad();
        }
        parsed.source.decimalPoint = value;
    }
    return true;
}

std::optional<CheckArguments> parseArguments(std::span<const std::string> args, std::ostream& err) {
    CheckArguments parsed;
    bool haveInput = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--ambient" || arg == "--stack" || arg == "--format" ||
                                arg == "--catalogue" || arg == "--decimal-point";
        if (takesValue) {
            if (i + 1 >= args.size()) {
                err << "coilsmith-cli check: " << arg << " needs a value\n";
                return std::nullopt;
            }
            if (!applyOption(arg, args[++i], parsed, err)) {
                return std::nullopt;
            }
        } else if (arg.size() > 1 && arg.front() == '-') {
            err << "coilsmith-cli check: unknown option " << arg << "\n";
            return std::nullopt;
        } else if (!haveInput) {
            parsed.source.inputPath = arg;
            haveInput = true;
        } else {
            err << "coilsmith-cli check: only one design file, not also " << arg << "\n";
            return std::nullopt;
        }
    }
    if (!haveInput) {
        err << "Usage: coilsmith-cli " << kSynopsis << "\n";
        return std::nullopt;
    }
    return parsed;
}

// The delivered design of the file's core and material, on the file's specification and at
// the check's ambient.
DeliveredColumn deliverFileDesign(ChokeModel& model, StackChoice stack, double ambientC) {
    try {
        const auto records = catalogue::CatalogueRecords::load(model.cataloguePath());
        const auto shape =
            model.state().IsECore ? catalogue::CoreShape::ECore : catalogue::CoreShape::Toroid;
        auto design =
            deliverCatalogueChoke(records, deliveredSpecification(model.state()), ambientC, shape,
                                  model.designSelection().coreText, model.state().MatNo, stack);
        if (!design) {
            return {std::nullopt, design.reason()};
        }
        return {*std::move(design), std::nullopt};
    } catch (const CatalogueError& error) {
        return {std::nullopt, std::string(error.what())};
    }
}

int checkMain(std::span<const std::string> args, CommandContext& context) {
    const auto parsed = parseArguments(args, context.err);
    if (!parsed) {
        return kExitUsage;
    }
    StreamPrompter prompter(context.err);
    auto model = openDesign(parsed->source, context.programDir, prompter);
    if (!model) {
        return kExitUsage;
    }
    model->setAmbientTemperature(parsed->ambientC);
    model->runDesign();
    if (!model->lastCheck() || !model->lastCheckInput()) {
        return kExitMessage;
    }
    const DeliveredColumn delivered = deliverFileDesign(*model, parsed->stack, parsed->ambientC);
    writeCheck(context.out, *model->lastCheck(), *model->lastCheckInput(), delivered,
               parsed->format);
    return kExitDone;  // runCli says so when standard output fails
}

const std::string& checkHelp() {
    static const std::string help =
        "Usage: coilsmith-cli " + std::string(kSynopsis) +
        "\n\n"
        "Reads the 40-line design file FILE and runs the design as the design command does,\n"
        "then checks the completed design independently of the design method: L against\n"
        "current on the maker's published DC-bias curve, the winding's real layer build on\n"
        "the core, the wound mean turn, Dowell's AC resistance over the ripple harmonics and\n"
        "the copper heated to where its temperature settles. The design is not changed.\n"
        "Beside it, the delivered design of the same core and material: on a stack of 1 to 3\n"
        "identical cores, the fewest turns that give the required L at Idc on the published\n"
        "curve, wound with the design's gauge, with its losses, hot rise, weights and the five\n"
        "verdicts (table: the Delivered column; CSV: delivered_* columns; JSON: \"delivered\").\n"
        "\n"
        "  --stack S           cores stacked for the delivered design: 1, 2, 3 or auto, the\n"
        "                      fewest that pass (the default; when none passes, 3)\n"
        "  --ambient C         the ambient temperature in deg. C (default 25; above -273.15\n"
        "                      and below 250)\n"
        "  --format FORMAT     table (aligned, units in their own column, then the verdicts;\n"
        "                      the default), csv (a header row and one row) or json (one\n"
        "                      object, with the curve)\n"
        "  --catalogue PATH    the core catalogue to use (default: Cores.csx beside the program)\n"
        "  --decimal-point C   the decimal separator of the numbers in the file (default '.');\n"
        "                      the output always uses a full stop\n"
        "\n"
        "A material without a bias curve, a gauge outside the wire table or an empty\n"
        "catalogue value makes only the figures that need it unavailable, with the reason.\n"
        "Verdicts: L at Idc passes at >= 100 % of the required L and warns at >= 90 %;\n"
        "L at Ipk passes at >= 90 % and warns at >= 70 % but is never judged better than\n"
        "L at Idc; below those they fail. The winding fits or fails; Fill warns above the\n"
        "window utilisation Ku. Hot temperature fails above 125 C or on thermal runaway.\n"
        "Area product warns when the core's AP is below the minimum AP, Flux density when\n"
        "Bmax is above the specified flux density: these are the design method's own limits.\n"
        "\n" +
        std::string(kCheckKeysHelp) + std::string(kDeliveredKeysHelp) +
        "\n"
        "Every message the design window would show is printed to standard error. Exit\n"
        "status: 0 when the check was written, 1 when the design ended on a message, 2 for\n"
        "bad arguments, a file that cannot be read or a catalogue that cannot be opened.\n";
    return help;
}

}  // namespace

Command checkCommand() {
    return {"check",
            "runs a design file's design and checks it: L on the bias curve, layers, AC copper "
            "loss, hot rise",
            checkHelp(), &checkMain};
}

}  // namespace coilsmith::cli
