#include "cli/DesignCommand.h"

#include <ostream>

#include "cli/Arguments.h"
#include "cli/FileArguments.h"
#include "cli/StreamPrompter.h"
#include "platform/FileReplacement.h"
#include "platform/ProgramDir.h"
#include "windowmodel/ChokeModel.h"
#include "windowmodel/DesignFile.h"

namespace coilsmith::cli {

namespace {

struct DesignArguments {
    DesignRequest request;
    std::string outputPath;  // not given, or "-": standard output
};

std::unique_ptr<CLI::App> parser(DesignArguments& arguments) {
    auto app = commandParser(
        "design", "design FILE [-o OUT] [--catalogue PATH] [--decimal-point C]",
        "Reads the 40-line design file FILE into a new design window, does what Open does\n"
        "(Calculate AP, then the core type, core and material of the file), runs the design\n"
        "and writes the completed 40-line design: core page, area products and the sixteen\n"
        "results filled in.",
        "Every message the design window would show is printed to standard error, one line\n"
        "each, in order. Exit status: 0 when the design completed, 1 when it ended on a\n"
        "message (nothing is written then), 2 for bad arguments or a file that cannot be read,\n"
        "written or is not a complete design file, a file whose numbers are written with the\n"
        "other decimal point, or a catalogue that cannot be opened.\n");
    addDesignFile(*app, arguments.request.inputPath);
    addFileName(*app, "-o", "OUT", arguments.outputPath,
                "write the design to OUT instead of standard output");
    addCatalogue(*app, arguments.request.cataloguePath);
    addDecimalPoint(*app, arguments.request.decimalPoint,
                    "the decimal separator of the numbers in the file and the\n"
                    "results (default '.'; with ',' the grouping separator is '.')");
    return app;
}

int designMain(std::span<const std::string> args, CommandContext& context) {
    DesignArguments arguments;
    const auto app = parser(arguments);
    if (const auto status = parseCommandLine(*app, args, context)) {
        return *status;
    }
    const bool toStandardOutput = arguments.outputPath.empty() || arguments.outputPath == "-";
    // The design file itself may take its completed design; the catalogue may not.
    if (!toStandardOutput &&
        !outputReplacesNoInput(
            "design", arguments.outputPath,
            {{"catalogue", locateCatalogue(arguments.request.cataloguePath, context.programDir)}},
            context.err)) {
        return kExitUsage;
    }
    StreamPrompter prompter(context.err);
    const DesignRun run = runDesign(arguments.request, context.programDir, prompter);
    if (run.exitCode != kExitDone) {
        return run.exitCode;
    }
    if (toStandardOutput) {
        context.out << run.designText;
        return kExitDone;  // runCli says so when standard output fails
    }
    try {
        replaceFileContents(arguments.outputPath, run.designText);
    } catch (const FileWriteError& error) {
        context.err << "Cannot write the design file " << arguments.outputPath << ": "
                    << error.what() << "\n";
        return kExitUsage;
    }
    return kExitDone;
}

}  // namespace

DesignRun runDesign(const DesignRequest& request, const std::string& programDir,
                    Prompter& prompter) {
    auto model = openDesign(request, programDir, prompter);
    if (!model) {
        return {kExitUsage, {}};
    }
    model->runDesign();
    if (!model->lastDesign() || !model->lastDesign()->completed()) {
        return {kExitMessage, {}};
    }
    return {kExitDone, writeDesignFile(*model)};
}

Command designCommand() {
    return {"design", "completes a design file: Open's replay, Run, and the 40 lines written back",
            &helpOf<DesignArguments, parser>, &designMain};
}

}  // namespace coilsmith::cli
