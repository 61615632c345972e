// "rank": every core and material of the catalogue designed for a design file's
// specification and ranked.
#include <charconv>
#include <cmath>
#include <optional>
#include <ostream>

#include "adviser/AdviserEngine.h"
#include "adviser/DeliveredRanking.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Records.h"
#include "cli/Command.h"
#include "cli/DeliveredFields.h"
#include "cli/DeliveredRankingFormats.h"
#include "cli/FileArguments.h"
#include "cli/OpenDesign.h"
#include "cli/RankingFormats.h"
#include "cli/StreamPrompter.h"
#include "windowmodel/ChokeModel.h"
#include "windowmodel/DeliveredSpecification.h"
#include "windowmodel/SizedSpecificationOf.h"

namespace coilsmith::cli {

namespace {

using adviser::OutputFormat;
using adviser::RankKey;

constexpr std::string_view kSynopsis =
    "rank FILE [--by loss|trise|weight|cost|volume] [--top N] [--max-trise DEG] [--all]\n"
    "       [--checked] [--format table|csv|json] [--catalogue PATH] [--decimal-point C]\n"
    "       rank FILE --delivered [--stack-max K] [--ambient C] [--by KEY] [--top N]\n"
    "       [--max-trise DEG] [--all] [--format table|csv|json] [--catalogue PATH]\n"
    "       [--decimal-point C]";

// An ambient the hot-copper iteration can start from: above absolute zero and below the
// temperature it calls runaway.
constexpr double kLowestAmbientC = -273.15;

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

// Applies one option that takes a value; false after reporting a bad value.
bool applyOption(const std::string& option, const std::string& value, RankArguments& parsed,
                 std::ostream& err) {
    const auto bad = [&] {
        err << "coilsmith-cli rank: '" << value << "' is not a valid value for " << option << "\n";
        return false;
    };
    if (option == "--by") {
        const auto key = adviser::rankKeyFromName(value);
        if (!key) {
            return bad();
        }
        parsed.adviser.key = *key;
    } else if (option == "--top") {
        const auto top = wholeNumber(value);
        if (!top || *top == 0) {
            return bad();
        }
        parsed.output.top = *top;
    } else if (option == "--max-trise") {
        const auto limit = parseNumber(value);
        if (!limit) {
            return bad();
        }
        parsed.adviser.maxTempRise = *limit;
    } else if (option == "--stack-max") {
        const auto stacks = wholeNumber(value);
        if (!stacks || *stacks < 1 || *stacks > physics::kMaxStackedCores) {
            return bad();
        }
        parsed.maxStackCount = static_cast<int>(*stacks);
    } else if (option == "--ambient") {
        const auto celsius = parseNumber(value);
        if (!celsius || !std::isfinite(*celsius) || *celsius <= kLowestAmbientC ||
            *celsius >= kRunawayTemperatureC) {
            return bad();
        }
        parsed.ambientC = *celsius;
    } else if (option == "--format") {
        const auto format = adviser::outputFormatFromName(value);
        if (!format) {
            return bad();
        }
        parsed.format = *format;
    } else if (option == "--catalogue") {
        if (!nonEmptyFileName("rank", option, value, err)) {
            return false;
        }
        parsed.cataloguePath = value;
    } else if (option == "--decimal-point") {
        if (value.empty() || value.find_first_of("0123456789+-eE ") != std::string::npos) {
            return bad();
        }
        parsed.decimalPoint = value;
    }
    return true;
}

std::optional<RankArguments> parseArguments(std::span<const std::string> args, std::ostream& err) {
    RankArguments parsed;
    bool haveInput = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--by" || arg == "--top" || arg == "--max-trise" ||
                                arg == "--stack-max" || arg == "--ambient" || arg == "--format" ||
                                arg == "--catalogue" || arg == "--decimal-point";
        if (takesValue) {
            if (i + 1 >= args.size()) {
                err << "coilsmith-cli rank: " << arg << " needs a value\n";
                return std::nullopt;
            }
            if (!applyOption(arg, args[++i], parsed, err)) {
                return std::nullopt;
            }
        } else if (arg == "--all") {
            parsed.output.all = true;
        } else if (arg == "--checked") {
            parsed.adviser.checkedOnly = true;
        } else if (arg == "--delivered") {
            parsed.delivered = true;
        } else if (arg.size() > 1 && arg.front() == '-') {
            err << "coilsmith-cli rank: unknown option " << arg << "\n";
            return std::nullopt;
        } else if (!haveInput) {
            parsed.inputPath = arg;
            haveInput = true;
        } else {
            err << "coilsmith-cli rank: only one design file, not also " << arg << "\n";
            return std::nullopt;
        }
    }
    if (!haveInput) {
        err << "Usage: coilsmith-cli " << kSynopsis << "\n";
        return std::nullopt;
    }
    if (!parsed.delivered && (parsed.maxStackCount || parsed.ambientC)) {
        err << "coilsmith-cli rank: --stack-max and --ambient rank delivered designs: add "
               "--delivered\n";
        return std::nullopt;
    }
    if (parsed.delivered && parsed.adviser.checkedOnly) {
        err << "coilsmith-cli rank: --checked ranks the method's designs, not with --delivered\n";
        return std::nullopt;
    }
    return parsed;
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
    auto parsed = parseArguments(args, context.err);
    if (!parsed) {
        return kExitUsage;
    }
    StreamPrompter prompter(context.err);
    auto opened = openDesign({parsed->inputPath, parsed->cataloguePath, parsed->decimalPoint},
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
    if (parsed->delivered) {
        return rankDeliveredDesigns(model, *parsed, context);
    }
    const adviser::Ranking ranking =
        adviser::rankCores(sizedSpecificationOf(model), model.cataloguePath(), parsed->adviser);
    if (ranking.problem) {
        context.err << *ranking.problem << "\n";
        return kExitMessage;
    }
    adviser::writeRanking(context.out, ranking, parsed->format, parsed->output);
    return kExitDone;  // runCli says so when standard output fails
}

const std::string& rankHelp() {
    static const std::string help =
        "Usage: coilsmith-cli " + std::string(kSynopsis) +
        "\n\n"
        "Reads the 40-line design file FILE as the design command does, runs \"Calculate AP\"\n"
        "on its specification, then designs every E-core and toroid of the catalogue in every\n"
        "material listed for it, exactly as the design window does when that core and\n"
        "material are picked by hand, and ranks the feasible designs. A design is feasible\n"
        "when it completes, the core's AP is at least the minimum AP, Bmax does not exceed\n"
        "the maximum flux density, the winding fits the window utilisation and, with\n"
        "--max-trise, the temperature rise is within the limit.\n"
        "\n"
        "  --by KEY            rank by total loss (loss, the default), temperature rise\n"
        "                      (trise), total weight (weight), relative cost (cost) or core\n"
        "                      volume (volume); ties by core, then material\n"
        "  --top N             show only the N best feasible candidates\n"
        "  --max-trise DEG     a limit on the temperature rise in deg. C\n"
        "  --all               also show the candidates that are not feasible, with the reason\n"
        "  --checked           keep only the candidates whose design check passes (as\n"
        "                      'coilsmith-cli check' does it, at 25 deg. C ambient): no verdict\n"
        "                      fails and none is unavailable; a warning passes (L at Idc 90 %\n"
        "                      to 100 % of the required L, L at Ipk 70 % to 90 % or with L\n"
        "                      at Idc warning, a fill above Ku that still winds). Ranks,\n"
        "                      counts and the Pareto set are then among those candidates\n"
        "  --format FORMAT     table (aligned, the default), csv or json\n"
        "  --catalogue PATH    the core catalogue to use (default: Cores.csx beside the program)\n"
        "  --decimal-point C   the decimal separator of the numbers in the file (default '.')\n"
        "\n"
        "CSV has one column and JSON one key per value below; JSON wraps the candidates in an\n"
        "object with rank_by, minimum_ap_cm4, bmax_limit_t, window_utilisation,\n"
        "max_temp_rise_c, checked_only, candidate_count, feasible_count and candidates.\n"
        "Every candidate is checked as 'coilsmith-cli check' does. Numbers use a full\n"
        "stop whatever --decimal-point says.\n" +
        std::string(adviser::kRankingKeysHelp) +
        "\n"
        "Exit status: 0 when the ranking was written (even with no feasible candidate), 1 when\n"
        "the specification itself fails (the message of \"Calculate AP\" on standard error),\n"
        "2 for bad arguments, a file that cannot be read or a catalogue that cannot be opened.\n"
        "\n"
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
        "ties by core, material and stack.\n"
        "  --delivered         rank delivered designs\n"
        "  --stack-max K       stack 1 to K cores (K 1, 2 or 3; default 3)\n"
        "  --ambient C         the ambient temperature in deg. C (default 25; above -273.15\n"
        "                      and below 250)\n"
        "\n" +
        std::string(kDeliveredRankingKeysHelp) + std::string(kDeliveredKeysHelp);
    return help;
}

}  // namespace

Command rankCommand() {
    return {"rank", "designs every core and material for a design's specification and ranks them",
            rankHelp(), &rankMain};
}

}  // namespace coilsmith::cli
