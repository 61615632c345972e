#include "cli/ReportCommand.h"
#include "cli/ReportCommandText.h"

#include <QGuiApplication>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

#include "cli/FileArguments.h"
#include "cli/OpenDesign.h"
#include "cli/StreamPrompter.h"
#include "platform/Printer.h"
#include "platform/ProgramDir.h"
#include "report/PrintReport.h"
#include "windowmodel/ChokeModel.h"
#include "windowmodel/ModelTexts.h"

namespace coilsmith::cli {

namespace {

struct ReportArguments {
    std::string inputPath;
    std::string outputPath;
    std::string cataloguePath;
    std::string decimalPoint = ".";
};

std::optional<ReportArguments> parseArguments(std::span<const std::string> args,
                                              std::ostream& err) {
    ReportArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "-o" || arg == "--catalogue" || arg == "--decimal-point";
        if (takesValue && i + 1 >= args.size()) {
            err << "coilsmith-cli report: " << arg << " needs a value\n";
            return std::nullopt;
        }
        if ((arg == "-o" || arg == "--catalogue") &&
            !nonEmptyFileName("report", arg, args[i + 1], err)) {
            return std::nullopt;
        }
        if (arg == "-o") {
            parsed.outputPath = args[++i];
        } else if (arg == "--catalogue") {
            parsed.cataloguePath = args[++i];
        } else if (arg == "--decimal-point") {
            parsed.decimalPoint = args[++i];
        } else if (arg.size() > 1 && arg.front() == '-') {
            err << "coilsmith-cli report: unknown option " << arg << "\n";
            return std::nullopt;
        } else if (parsed.inputPath.empty()) {
            parsed.inputPath = arg;
        } else {
            err << "coilsmith-cli report: only one design file, not also " << arg << "\n";
            return std::nullopt;
        }
    }
    if (parsed.inputPath.empty() || parsed.outputPath.empty()) {
        err << "Usage: coilsmith-cli " << kReportSynopsis << "\n";
        return std::nullopt;
    }
    const std::string& point = parsed.decimalPoint;
    if (point.empty() || point.find_first_of("0123456789+-eE ") != std::string::npos) {
        err << "coilsmith-cli report: '" << point << "' cannot be a decimal point\n";
        return std::nullopt;
    }
    return parsed;
}

// The report's fonts need a GUI application; without a display platform chosen, the
// offscreen one is enough and works on a machine without a display.
std::unique_ptr<QGuiApplication> fontApplication() {
    if (QGuiApplication::instance() != nullptr) {
        return nullptr;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "coilsmith-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

std::string fullPath(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

int reportMain(std::span<const std::string> args, CommandContext& context) {
    const auto parsed = parseArguments(args, context.err);
    if (!parsed) {
        return kExitUsage;
    }
    // A PDF written over the design it reports, or over the catalogue, would destroy it.
    if (!outputReplacesNoInput(
            "report", parsed->outputPath,
            {{"design file", parsed->inputPath},
             {"catalogue", locateCatalogue(parsed->cataloguePath, context.programDir)}},
            context.err)) {
        return kExitUsage;
    }
    StreamPrompter prompter(context.err);
    auto opened = openDesign({parsed->inputPath, parsed->cataloguePath, parsed->decimalPoint},
                             context.programDir, prompter);
    if (!opened) {
        return kExitUsage;
    }
    ChokeModel& model = *opened;
    model.runDesign();
    if (!model.lastDesign() || !model.lastDesign()->completed()) {
        return kExitMessage;
    }
    const auto application = fontApplication();
    try {
        writeReportPdf(reportContent(model, fullPath(parsed->inputPath)), parsed->outputPath);
    } catch (const PrinterError& error) {
        context.err << error.what() << "\n";
        return kExitUsage;
    }
    return kExitDone;
}

}  // namespace

Command reportCommand() {
    return {"report", kReportSummary, kReportHelp, &reportMain};
}

}  // namespace coilsmith::cli
