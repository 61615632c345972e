#include "cli/ReportCommand.h"
#include "cli/ReportArguments.h"

#include <QGuiApplication>
#include <filesystem>
#include <memory>
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
    ReportArguments arguments;
    const auto app = reportParser(arguments);
    if (const auto status = parseCommandLine(*app, args, context)) {
        return *status;
    }
    // A PDF written over the design it reports, or over the catalogue, would destroy it.
    if (!outputReplacesNoInput(
            "report", arguments.outputPath,
            {{"design file", arguments.inputPath},
             {"catalogue", locateCatalogue(arguments.cataloguePath, context.programDir)}},
            context.err)) {
        return kExitUsage;
    }
    StreamPrompter prompter(context.err);
    auto opened = openDesign({arguments.inputPath, arguments.cataloguePath, arguments.decimalPoint},
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
        writeReportPdf(reportContent(model, fullPath(arguments.inputPath)), arguments.outputPath);
    } catch (const PrinterError& error) {
        context.err << error.what() << "\n";
        return kExitUsage;
    }
    return kExitDone;
}

}  // namespace

Command reportCommand() {
    return {"report", kReportSummary, &helpOf<ReportArguments, reportParser>, &reportMain};
}

}  // namespace coilsmith::cli
