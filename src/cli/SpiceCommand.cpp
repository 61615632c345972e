// "spice": a design file designed as "check" does, then written as a SPICE subcircuit.
#include <cmath>
#include <optional>
#include <ostream>

#include "cli/Command.h"
#include "cli/OpenDesign.h"
#include "cli/StreamPrompter.h"
#include "platform/FileReplacement.h"
#include "windowmodel/ChokeModel.h"
#include "windowmodel/DesignSubcircuit.h"

namespace coilsmith::cli {

namespace {

constexpr std::string_view kSynopsis =
    "spice FILE [--ambient C] [-o OUT] [--catalogue PATH] [--decimal-point C]";

constexpr std::string_view kHelp =
    "Usage: coilsmith-cli spice FILE [--ambient C] [-o OUT] [--catalogue PATH]\n"
    "                           [--decimal-point C]\n"
    "\n"
    "Reads the 40-line design file FILE, runs its design and its check as the check\n"
    "command does, and writes the choke as designed as a two-pin SPICE subcircuit:\n"
    "\n"
    "  L(I)    the check's inductance against current: the maker's published DC-bias\n"
    "          curve on the design's core and turns, mu0 mu N^2 Ac/(gap mu + lc), never\n"
    "          below the air-core inductance mu0 N^2 Ac/(lc + gap); carried as a flux\n"
    "          table psi(i), the integral of L, from -3 Ipk to 3 Ipk, continued at the\n"
    "          air-core slope beyond\n"
    "  Rw      the winding resistance in series: hot, at the temperature where the\n"
    "          check's copper settles (the 20 C Rdc when that is unavailable, said in\n"
    "          the header)\n"
    "  Rcore   the design's core loss as a parallel resistance V^2/P at the design's\n"
    "          ripple and frequency (an approximation, right near that ripple only)\n"
    "\n"
    "The header comments name the design (core, material, turns, AWG), L(0), L(Idc) and\n"
    "L(Ipk), Rdc, the check's verdicts and the program version. The subcircuit is named\n"
    "after the core and material (T106_8) and has the pins 1 and 2.\n"
    "\n"
    "  --ambient C         the ambient temperature of the check, deg. C (default 25)\n"
    "  -o OUT              write the model to OUT instead of standard output\n"
    "  --catalogue PATH    the core catalogue to use (default: Cores.csx beside the program)\n"
    "  --decimal-point C   the decimal separator of the numbers in the design file\n"
    "\n"
    "The netlist is ngspice syntax, checked in ngspice (ngspice -b): resistors, a G source\n"
    "charging a 1 F capacitor with the winding voltage, and a B source whose current is a\n"
    "pwl() table of that capacitor's voltage. pwl() in a B source is ngspice's form; other\n"
    "simulators with behavioural sources may want the table in their own form (LTspice\n"
    "documents table()). Only ngspice is tested. With a current forced through the model,\n"
    "use .options method=gear.\n"
    "\n"
    "Exit status: 0 when the model was written; 1 when the design ended on a message or\n"
    "its inductance against current is unavailable (a material without a bias curve);\n"
    "2 for bad arguments, a file that cannot be read or written or a catalogue that\n"
    "cannot be opened.\n";

// An ambient the check can start its hot-copper iteration from.
constexpr double kLowestAmbientC = -273.15;

struct SpiceArguments {
    DesignSource source;
    double ambientC = 25;
    std::string outputPath;  // empty: standard output
    // The design the model describes. "--delivered [--stack 1|2|3|auto]" selects the
    // delivered design here once it exists (SimulatorModelRequest::design).
    ModelledDesign design = ModelledDesign::AsDesigned;
};

bool applyOption(const std::string& option, const std::string& value, SpiceArguments& parsed,
                 std::ostream& err) {
    if (option == "--ambient") {
        const auto celsius = parseNumber(value);
        if (!celsius || !std::isfinite(*celsius) || *celsius <= kLowestAmbientC ||
            *celsius >= kRunawayTemperatureC) {
            err << "coilsmith-cli spice: '" << value << "' is not a valid value for " << option
                << "\n";
            return false;
        }
        parsed.ambientC = *celsius;
    } else if (option == "-o") {
        parsed.outputPath = value;
    } else if (option == "--catalogue") {
        parsed.source.cataloguePath = value;
    } else if (option == "--decimal-point") {
        if (value.empty() || value.find_first_of("0123456789+-eE ") != std::string::npos) {
            err << "coilsmith-cli spice: '" << value << "' cannot be a decimal point\n";
            return false;
        }
        parsed.source.decimalPoint = value;
    }
    return true;
}

std::optional<SpiceArguments> parseArguments(std::span<const std::string> args, std::ostream& err) {
    SpiceArguments parsed;
    bool haveInput = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue =
            arg == "--ambient" || arg == "-o" || arg == "--catalogue" || arg == "--decimal-point";
        if (takesValue) {
            if (i + 1 >= args.size()) {
                err << "coilsmith-cli spice: " << arg << " needs a value\n";
                return std::nullopt;
            }
            if (!applyOption(arg, args[++i], parsed, err)) {
                return std::nullopt;
            }
        } else if (arg.size() > 1 && arg.front() == '-') {
            err << "coilsmith-cli spice: unknown option " << arg << "\n";
            return std::nullopt;
        } else if (!haveInput) {
            parsed.source.inputPath = arg;
            haveInput = true;
        } else {
            err << "coilsmith-cli spice: only one design file, not also " << arg << "\n";
            return std::nullopt;
        }
    }
    if (!haveInput) {
        err << "Usage: coilsmith-cli " << kSynopsis << "\n";
        return std::nullopt;
    }
    return parsed;
}

int spiceMain(std::span<const std::string> args, CommandContext& context) {
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
    if (!model->lastDesign() || !model->lastDesign()->completed()) {
        return kExitMessage;
    }
    std::string netlist;
    try {
        netlist = simulatorModel(*model, {parsed->design, parsed->source.inputPath});
    } catch (const spice::SpiceModelError& error) {
        context.err << "coilsmith-cli spice: " << error.what() << "\n";
        return kExitMessage;
    }
    if (parsed->outputPath.empty() || parsed->outputPath == "-") {
        context.out << netlist << std::flush;
        return context.out ? kExitDone : kExitUsage;
    }
    try {
        replaceFileContents(parsed->outputPath, netlist);
    } catch (const FileWriteError& error) {
        context.err << "Cannot write the simulator model " << parsed->outputPath << ": "
                    << error.what() << "\n";
        return kExitUsage;
    }
    return kExitDone;
}

}  // namespace

Command spiceCommand() {
    return {"spice",
            "runs a design file's design and check and writes the choke as a SPICE subcircuit",
            kHelp, &spiceMain};
}

}  // namespace coilsmith::cli
