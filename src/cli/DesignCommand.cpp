#include "cli/DesignCommand.h"

#include <optional>
#include <ostream>

#include "cli/FileArguments.h"
#include "cli/StreamPrompter.h"
#include "platform/FileReplacement.h"
#include "platform/ProgramDir.h"
#include "windowmodel/ChokeModel.h"
#include "windowmodel/DesignFile.h"

namespace coilsmith::cli {

namespace {

constexpr std::string_view kSynopsis =
    "design FILE [-o OUT] [--catalogue PATH] [--decimal-point C]";

constexpr std::string_view kHelp =
    "Usage: coilsmith-cli design FILE [-o OUT] [--catalogue PATH] [--decimal-point C]\n"
    "\n"
    "Reads the 40-line design file FILE into a new design window, does what Open does\n"
    "(Calculate AP, then the core type, core and material of the file), runs the design\n"
    "and writes the completed 40-line design: core page, area products and the sixteen\n"
    "results filled in.\n"
    "\n"
    "  -o OUT              write the design to OUT instead of standard output\n"
    "  --catalogue PATH    the core catalogue to use (default: Cores.csx beside the program)\n"
    "  --decimal-point C   the decimal separator of the numbers in the file and the\n"
    "                      results (default '.'; with ',' the grouping separator is '.')\n"
    "\n"
    "Every message the design window would show is printed to standard error, one line\n"
    "each, in order. Exit status: 0 when the design completed, 1 when it ended on a\n"
    "message (nothing is written then), 2 for bad arguments or a file that cannot be read,\n"
    "written or is not a complete design file, a file whose numbers are written with the\n"
    "other decimal point, or a catalogue that cannot be opened.\n";

struct DesignArguments {
    DesignRequest request;
    std::string outputPath;  // not given, or "-": standard output
};

// Returns nullopt after reporting the problem on `err`.
std::optional<DesignArguments> parseArguments(std::span<const std::string> args,
                                              std::ostream& err) {
    DesignArguments parsed;
    bool haveInput = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "-o" || arg == "--catalogue" || arg == "--decimal-point";
        if (takesValue && i + 1 >= args.size()) {
            err << "coilsmith-cli design: " << arg << " needs a value\n";
            return std::nullopt;
        }
        if ((arg == "-o" || arg == "--catalogue") &&
            !nonEmptyFileName("design", arg, args[i + 1], err)) {
            return std::nullopt;
        }
        if (arg == "-o") {
            parsed.outputPath = args[++i];
        } else if (arg == "--catalogue") {
            parsed.request.cataloguePath = args[++i];
        } else if (arg == "--decimal-point") {
            parsed.request.decimalPoint = args[++i];
        } else if (arg.size() > 1 && arg.front() == '-') {
            err << "coilsmith-cli design: unknown option " << arg << "\n";
            return std::nullopt;
        } else if (!haveInput) {
            parsed.request.inputPath = arg;
            haveInput = true;
        } else {
            err << "coilsmith-cli design: only one design file, not also " << arg << "\n";
            return std::nullopt;
        }
    }
    if (!haveInput) {
        err << "Usage: coilsmith-cli " << kSynopsis << "\n";
        return std::nullopt;
    }
    const std::string& point = parsed.request.decimalPoint;
    if (point.empty() || point.find_first_of("0123456789+-eE ") != std::string::npos) {
        err << "coilsmith-cli design: '" << point << "' cannot be a decimal point\n";
        return std::nullopt;
    }
    return parsed;
}

int designMain(std::span<const std::string> args, CommandContext& context) {
    const auto parsed = parseArguments(args, context.err);
    if (!parsed) {
        return kExitUsage;
    }
    const bool toStandardOutput = parsed->outputPath.empty() || parsed->outputPath == "-";
    // The design file itself may take its completed design; the catalogue may not.
    if (!toStandardOutput &&
        !outputReplacesNoInput(
            "design", parsed->outputPath,
            {{"catalogue", locateCatalogue(parsed->request.cataloguePath, context.programDir)}},
            context.err)) {
        return kExitUsage;
    }
    StreamPrompter prompter(context.err);
    const DesignRun run = runDesign(parsed->request, context.programDir, prompter);
    if (run.exitCode != kExitDone) {
        return run.exitCode;
    }
    if (toStandardOutput) {
        context.out << run.designText;
        return kExitDone;  // runCli says so when standard output fails
    }
    try {
        replaceFileContents(parsed->outputPath, run.designText);
    } catch (const FileWriteError& error) {
        context.err << "Cannot write the design file " << parsed->outputPath << ": " << error.what()
                    << "\n";
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
            kHelp, &designMain};
}

}  // namespace coilsmith::cli
