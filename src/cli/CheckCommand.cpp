// "check": a design file designed as "design" does, then checked independently.
#include <optional>
#include <ostream>

#include "catalogue/Catalogue.h"
#include "catalogue/Records.h"
#include "check/DeliveredChoke.h"
#include "check/DeliveredSpecification.h"
#include "cli/Arguments.h"
#include "cli/CheckFormats.h"
#include "cli/Command.h"
#include "cli/DeliveredFields.h"
#include "cli/OpenDesign.h"
#include "cli/StreamPrompter.h"
#include "method/StateViews.h"
#include "windowmodel/ChokeModel.h"

namespace coilsmith::cli {

namespace {

struct CheckArguments {
    DesignSource source;
    std::optional<double> ambientC;
    CheckFormat format = CheckFormat::Table;
    StackChoice stack = StackChoice::smallestThatPasses();
};

std::unique_ptr<CLI::App> parser(CheckArguments& arguments) {
    auto app = commandParser(
        "check",
        "check FILE [--stack 1|2|3|auto] [--ambient C] [--format table|csv|json]\n"
        "       [--catalogue PATH] [--decimal-point C]",
        "Reads the 40-line design file FILE and runs the design as the design command does,\n"
        "then checks the completed design independently of the design method: L against\n"
        "current on the maker's published DC-bias curve, the winding's real layer build on\n"
        "the core, the wound mean turn, Dowell's AC resistance over the ripple harmonics and\n"
        "the copper heated to where its temperature settles. The design is not changed.\n"
        "Beside it, the delivered design of the same core and material: on a stack of 1 to 3\n"
        "identical cores, the fewest turns that give the required L at Idc on the published\n"
        "curve, wound with the design's gauge, with its losses, hot rise, weights and the five\n"
        "verdicts (table: the Delivered column; CSV: delivered_* columns; JSON: \"delivered\").",
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
            "bad arguments, a file that cannot be read or a catalogue that cannot be opened.\n");
    addDesignFile(*app, arguments.source.inputPath);
    addStack(*app, arguments.stack,
             "cores stacked for the delivered design: 1, 2, 3 or auto, the\n"
             "fewest that pass (the default; when none passes, 3)");
    addAmbient(*app, arguments.ambientC);
    addValue(
        *app, "--format", "FORMAT",
        [&arguments](const std::string& text) {
            const auto format = checkFormatFromName(text);
            arguments.format = format.value_or(CheckFormat::Table);
            return format.has_value();
        },
        "table (aligned, units in their own column, then the verdicts;\n"
        "the default), csv (a header row and one row) or json (one\n"
        "object, with the curve)");
    addCatalogue(*app, arguments.source.cataloguePath);
    addDecimalPoint(*app, arguments.source.decimalPoint,
                    "the decimal separator of the numbers in the file (default '.');\n"
                    "the output always uses a full stop");
    return app;
}

// The delivered design of the file's core and material, on the file's specification and at
// the check's ambient.
DeliveredColumn deliverFileDesign(ChokeModel& model, StackChoice stack, double ambientC) {
    try {
        const auto records = catalogue::CatalogueRecords::load(model.cataloguePath());
        const auto shape = coreView(model.state()).isECore ? catalogue::CoreShape::ECore
                                                           : catalogue::CoreShape::Toroid;
        auto design = deliverCatalogueChoke(records, deliveredSpecification(model.state()),
                                            ambientC, shape, model.designSelection().coreText,
                                            materialView(model.state()).name, stack);
        if (!design) {
            return {std::nullopt, design.reason()};
        }
        return {*std::move(design), std::nullopt};
    } catch (const CatalogueError& error) {
        return {std::nullopt, std::string(error.what())};
    }
}

int checkMain(std::span<const std::string> args, CommandContext& context) {
    CheckArguments arguments;
    const auto app = parser(arguments);
    if (const auto status = parseCommandLine(*app, args, context)) {
        return *status;
    }
    const double ambientC = arguments.ambientC.value_or(physics::kRoomAmbientC);
    StreamPrompter prompter(context.err);
    auto model = openDesign(arguments.source, context.programDir, prompter);
    if (!model) {
        return kExitUsage;
    }
    model->setAmbientTemperature(ambientC);
    model->runDesign();
    if (!model->lastCheck() || !model->lastCheckInput()) {
        return kExitMessage;
    }
    const DeliveredColumn delivered = deliverFileDesign(*model, arguments.stack, ambientC);
    writeCheck(context.out, *model->lastCheck(), *model->lastCheckInput(), delivered,
               arguments.format);
    return kExitDone;  // runCli says so when standard output fails
}

}  // namespace

Command checkCommand() {
    return {"check",
            "runs a design file's design and checks it: L on the bias curve, layers, AC copper "
            "loss, hot rise",
            &helpOf<CheckArguments, parser>, &checkMain};
}

}  // namespace coilsmith::cli
