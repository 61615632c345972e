// "spice": a design file designed as "check" does, then written as a SPICE subcircuit.
#include <ostream>

#include "cli/Arguments.h"
#include "cli/OpenDesign.h"
#include "cli/StreamPrompter.h"
#include "platform/FileReplacement.h"
#include "windowmodel/ChokeModel.h"
#include "windowmodel/DesignSubcircuit.h"

namespace coilsmith::cli {

namespace {

struct SpiceArguments {
    DesignSource source;
    std::optional<double> ambientC;
    std::string outputPath;  // empty: standard output
    bool delivered = false;
    StackChoice stack = StackChoice::smallestThatPasses();
};

std::unique_ptr<CLI::App> parser(SpiceArguments& arguments) {
    auto app = commandParser(
        "spice",
        "spice FILE [--delivered [--stack 1|2|3|auto]] [--ambient C] [-o OUT]\n"
        "       [--catalogue PATH] [--decimal-point C]",
        "Reads the 40-line design file FILE, runs its design and its check as the check\n"
        "command does, and writes the choke as designed (or, with --delivered, the delivered\n"
        "design the check shows beside it) as a two-pin SPICE subcircuit:\n"
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
        "The header comments name the design (as designed or delivered; core, material,\n"
        "stack, turns, AWG), L(0), L(Idc) and L(Ipk), Rdc, the check's verdicts and the\n"
        "program version. The subcircuit is named after the core and material (T106_8) and\n"
        "has the pins 1 and 2.",
        "The netlist is ngspice syntax, checked in ngspice (ngspice -b): resistors, a G source\n"
        "charging a 1 F capacitor with the winding voltage, and a B source whose current is a\n"
        "pwl() table of that capacitor's voltage. pwl() in a B source is ngspice's form; other\n"
        "simulators with behavioural sources may want the table in their own form (LTspice\n"
        "documents table()). Only ngspice is tested. With a current forced through the model,\n"
        "use .options method=gear.\n"
        "\n"
        "Exit status: 0 when the model was written; 1 when the design ended on a message,\n"
        "its inductance against current is unavailable (a material without a bias curve) or\n"
        "it has no delivered design; 2 for bad arguments, a file that cannot be read or\n"
        "written or a catalogue that cannot be opened.\n");
    addDesignFile(*app, arguments.source.inputPath);
    app->add_flag("--delivered", arguments.delivered,
                  "model the delivered design: on a stack of 1 to 3 identical\n"
                  "cores, the fewest turns that give the required L at Idc on\n"
                  "the published curve, with the design's gauge (check's Delivered)");
    addStack(*app, arguments.stack,
             "cores stacked for the delivered design: 1, 2, 3 or auto, the\n"
             "fewest that pass (the default; when none passes, 3)")
        ->needs("--delivered");
    addAmbient(*app, arguments.ambientC);
    addFileName(*app, "-o", "OUT", arguments.outputPath,
                "write the model to OUT instead of standard output");
    addCatalogue(*app, arguments.source.cataloguePath);
    addDecimalPoint(*app, arguments.source.decimalPoint,
                    "the decimal separator of the numbers in the design file");
    return app;
}

int spiceMain(std::span<const std::string> args, CommandContext& context) {
    SpiceArguments arguments;
    const auto app = parser(arguments);
    if (const auto status = parseCommandLine(*app, args, context)) {
        return *status;
    }
    StreamPrompter prompter(context.err);
    auto model = openDesign(arguments.source, context.programDir, prompter);
    if (!model) {
        return kExitUsage;
    }
    model->setAmbientTemperature(arguments.ambientC.value_or(physics::kRoomAmbientC));
    model->setDeliveredStack(arguments.stack);
    model->runDesign();
    if (!model->lastDesign() || !model->lastDesign()->completed()) {
        return kExitMessage;
    }
    std::string netlist;
    try {
        netlist = simulatorModel(
            *model, {arguments.delivered ? ModelledDesign::Delivered : ModelledDesign::AsDesigned,
                     arguments.source.inputPath});
    } catch (const spice::SpiceModelError& error) {
        context.err << "coilsmith-cli spice: " << error.what() << "\n";
        return kExitMessage;
    }
    if (arguments.outputPath.empty() || arguments.outputPath == "-") {
        context.out << netlist << std::flush;
        return context.out ? kExitDone : kExitUsage;
    }
    try {
        replaceFileContents(arguments.outputPath, netlist);
    } catch (const FileWriteError& error) {
        context.err << "Cannot write the simulator model " << arguments.outputPath << ": "
                    << error.what() << "\n";
        return kExitUsage;
    }
    return kExitDone;
}

}  // namespace

Command spiceCommand() {
    return {"spice",
            "runs a design file's design and check and writes the choke as designed or delivered "
            "as a SPICE subcircuit",
            &helpOf<SpiceArguments, parser>, &spiceMain};
}

}  // namespace coilsmith::cli
