// "rank": every core and material of the catalogue designed for a design file's
// specification and ranked.
#include <charconv>
#include <optional>
#include <ostream>

#include "adviser/AdviserEngine.h"
#include "adviser/DeliveredRanking.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Records.h"
#include "check/DeliveredSpecification.h"
#include "cli/Arguments.h"
#include "cli/DeliveredFields.h"
#include "cli/DeliveredRankingFormats.h"
#include "cli/OpenDesign.h"
#include "cli/RankingFormats.h"
#include "cli/StreamPrompter.h"
#include "windowmodel/ChokeModel.h"
#include "windowmodel/SizedSpecificationOf.h"

namespace coilsmith::cli {

namespace {

using adviser::OutputFormat;
using adviser::RankKey;

struct RankArguments {
    std::string inputPath;
    std::string cataloguePath;
    std::string decimalPoint = ".";
    adviser::AdviserOptions adviser;
    adviser::OutputOptions output;
    OutputFormat format = OutputFormat::Table;
    bool delivered = false;
    std::optional<int> maxStackCount;  // --stack-max
    std::optional<double> ambientC;    // --ambient
};

std::optional<std::size_t> wholeNumber(const std::string& text) {
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::unique_ptr<CLI::App> parser(RankArguments& arguments) {
    auto app = commandParser(
        "rank",
        "rank FILE [--by loss|trise|weight|cost|volume] [--top N] [--max-trise DEG] [--all]\n"
        "       [--checked] [--format table|csv|json] [--catalogue PATH] [--decimal-point C]\n"
        "       rank FILE --delivered [--stack-max K] [--ambient C] [--by KEY] [--top N]\n"
        "       [--max-trise DEG] [--all] [--format table|csv|json] [--catalogue PATH]\n"
        "       [--decimal-point C]",
        "Reads the 40-line design file FILE as the design command does, runs \"Calculate AP\"\n"
        "on its specification, then designs every E-core and toroid of the catalogue in every\n"
        "material listed for it, exactly as the design window does when that core and\n"
        "material are picked by hand, and ranks the feasible designs. A design is feasible\n"
        "when it completes, the core's AP is at least the minimum AP, Bmax does not exceed\n"
        "the maximum flux density, the winding fits the window utilisation and, with\n"
        "--max-trise, the temperature rise is within the limit.",
        "CSV has one column and JSON one key per value below; JSON wraps the candidates in an\n"
        "object with rank_by, minimum_ap_cm4, bmax_limit_t, window_utilisation,\n"
        "max_temp_rise_c, checked_only, candidate_count, feasible_count and candidates.\n"
        "Every candidate is checked as 'coilsmith-cli check' does. Numbers use a full\n"
        "stop whatever --decimal-point says.\n" +
            std::string(adviser::kRankingKeysHelp) +
            "\n"
            "Exit status: 0 when the ranking was written (even with no feasible candidate), 1 "
            "when\n"
            "the specification itself fails (the message of \"Calculate AP\" on standard error),\n"
            "2 for bad arguments, a file that cannot be read or a catalogue that cannot be "
            "opened.\n"
            "\n" +
            std::string(kDeliveredRankingKeysHelp) + std::string(kDeliveredKeysHelp));
    addDesignFile(*app, arguments.inputPath);
    addValue(
        *app, "--by", "KEY",
        [&arguments](const std::string& text) {
            const auto key = adviser::rankKeyFromName(text);
            arguments.adviser.key = key.value_or(arguments.adviser.key);
            return key.has_value();
        },
        "rank by total loss (loss, the default), temperature rise\n"
        "(trise), total weight (weight), relative cost (cost) or core\n"
        "volume (volume); ties by core, then material");
    addValue(
        *app, "--top", "N",
        [&arguments](const std::string& text) {
            arguments.output.top = wholeNumber(text).value_or(0);
            return arguments.output.top > 0;
        },
        "show only the N best feasible candidates");
    addValue(
        *app, "--max-trise", "DEG",
        [&arguments](const std::string& text) {
            const auto limit = parseNumber(text);
            arguments.adviser.maxTempRise = limit;
            return limit.has_value();
        },
        "a limit on the temperature rise in deg. C");
    app->add_flag("--all", arguments.output.all,
                  "also show the candidates that are not feasible, with the reason");
    CLI::Option* checked =
        app->add_flag("--checked", arguments.adviser.checkedOnly,
                      "keep only the candidates whose design check passes (as\n"
                      "'coilsmith-cli check' does it, at 25 deg. C ambient): no verdict\n"
                      "fails and none is unavailable; a warning passes (L at Idc 90 %\n"
                      "to 100 % of the required L, L at Ipk 70 % to 90 % or with L\n"
                      "at Idc warning, a fill above Ku that still winds). Ranks,\n"
                      "counts and the Pareto set are then among those candidates");
    addValue(
        *app, "--format", "FORMAT",
        [&arguments](const std::string& text) {
            const auto format = adviser::outputFormatFromName(text);
            arguments.format = format.value_or(OutputFormat::Table);
            return format.has_value();
        },
        "table (aligned, the default), csv or json");
    addCatalogue(*app, arguments.cataloguePath);
    addDecimalPoint(*app, arguments.decimalPoint,
                    "the decimal separator of the numbers in the file (default '.')");

    const std::string delivered = "Delivered designs";
    groupHeading(
        *app, delivered,
        "With --delivered, every core in every material it is listed in is designed to\n"
        "deliver instead, on stacks of 1 to K identical cores: the fewest turns that give the\n"
        "required L at Idc on the maker's published curve, the method's gauge, the real\n"
        "layer build, Dowell's AC loss, the core loss and the copper settled hot (as check\n"
        "shows it in its Delivered column). A candidate is feasible when it reaches L at Idc,\n"
        "fits (layers and a fill within Ku), none of the verdicts L at Idc, L at Ipk, Winding\n"
        "fits, Fill and Hot temperature fails or is unavailable, and the hot rise is within\n"
        "--max-trise. The minimum AP does not apply: whether the winding goes on is the gate.\n"
        "--by then ranks by hot total loss (loss), hot rise (trise), true total weight\n"
        "(weight), the stack's core volume (volume) or relative cost times the stack (cost);\n"
        "ties by core, material and stack");
    CLI::Option* deliveredFlag =
        app->add_flag("--delivered", arguments.delivered, "rank delivered designs")
            ->group(delivered)
            ->excludes(checked);
    addValue(
        *app, "--stack-max", "K",
        [&arguments](const std::string& text) {
            const auto stacks = wholeNumber(text);
            const bool valid = stacks && *stacks >= 1 && *stacks <= physics::kMaxStackedCores;
            arguments.maxStackCount =
                valid ? std::optional(static_cast<int>(*stacks)) : std::nullopt;
            return valid;
        },
        "stack 1 to K cores (K 1, 2 or 3; default 3)")
        ->group(delivered)
        ->needs(deliveredFlag);
    addAmbient(*app, arguments.ambientC);
    app->get_option("--ambient")->group(delivered)->needs(deliveredFlag);
    return app;
}

// Messages of the ranking's own run of "Calculate AP", kept apart from the file's replay.
class Collector final : public Prompter {
  public:
    void message(const std::string& text) override {
        if (!first) {
            first = text;
        }
    }
    bool askYesNo(const std::string&) override { return false; }
    std::optional<std::string> first;
};

// Ranks the delivered designs of every core and material for the sized specification.
int rankDeliveredDesigns(ChokeModel& model, const RankArguments& parsed, CommandContext& context) {
    adviser::DeliveredRankingRequest request;
    request.specification = deliveredSpecification(model.state());
    request.ambientC = parsed.ambientC.value_or(physics::kRoomAmbientC);
    request.maxTemperatureRiseC = parsed.adviser.maxTempRise;
    request.maxStackCount = parsed.maxStackCount.value_or(physics::kMaxStackedCores);
    try {
        const auto records = catalogue::CatalogueRecords::load(model.cataloguePath());
        const adviser::DeliveredRanking ranking =
            adviser::rankDelivered(records, request, parsed.adviser.key);
        if (ranking.problem) {
            context.err << *ranking.problem << "\n";
            return kExitMessage;
        }
        writeDeliveredRanking(
            context.out, ranking,
            {request.maxStackCount, request.ambientC, request.maxTemperatureRiseC}, parsed.format,
            parsed.output);
    } catch (const CatalogueError& error) {
        context.err << error.what() << "\n";
        return kExitUsage;
    }
    return kExitDone;
}

int rankMain(std::span<const std::string> args, CommandContext& context) {
    RankArguments arguments;
    const auto app = parser(arguments);
    if (const auto status = parseCommandLine(*app, args, context)) {
        return *status;
    }
    StreamPrompter prompter(context.err);
    auto opened = openDesign({arguments.inputPath, arguments.cataloguePath, arguments.decimalPoint},
                             context.programDir, prompter);
    if (!opened) {
        return kExitUsage;
    }
    ChokeModel& model = *opened;

    // The specification is what "Calculate AP" makes of the file's texts.
    Collector sizing;
    model.setPrompter(sizing);
    model.calculateAreaProduct();
    if (sizing.first) {
        context.err << *sizing.first << "\n";
        return kExitMessage;
    }
    if (arguments.delivered) {
        return rankDeliveredDesigns(model, arguments, context);
    }
    const adviser::Ranking ranking =
        adviser::rankCores(sizedSpecificationOf(model), model.cataloguePath(), arguments.adviser);
    if (ranking.problem) {
        context.err << *ranking.problem << "\n";
        return kExitMessage;
    }
    adviser::writeRanking(context.out, ranking, arguments.format, arguments.output);
    return kExitDone;  // runCli says so when standard output fails
}

}  // namespace

Command rankCommand() {
    return {"rank", "designs every core and material for a design's specification and ranks them",
            &helpOf<RankArguments, parser>, &rankMain};
}

}  // namespace coilsmith::cli
