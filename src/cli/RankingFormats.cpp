#include "cli/RankingFormats.h"

#include "cli/JsonOutput.h"
#include "cli/TextFields.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <functional>
#include <ostream>
#include <string>
#include <variant>

namespace coilsmith::adviser {

namespace {

using FieldValue = std::variant<std::monostate, bool, int, double, std::string>;

struct Field {
    std::string_view key;
    std::function<FieldValue(const Candidate&)> value;
};

FieldValue optional(const std::optional<double>& v) {
    return v ? FieldValue(*v) : FieldValue();
}

// A result of the design; there is none when it did not complete.
template <class Member>
Field result(std::string_view key, Member member) {
    return {key, [member](const Candidate& c) {
                return c.completed ? FieldValue(c.*member) : FieldValue();
            }};
}

const std::vector<Field>& fields() {
    static const std::vector<Field> list = {
        {"rank", [](const Candidate& c) { return c.feasible ? FieldValue(c.rank) : FieldValue(); }},
        {"type", [](const Candidate& c) { return FieldValue(std::string(coreTypeName(c.type))); }},
        {"core", [](const Candidate& c) { return FieldValue(c.core); }},
        {"material", [](const Candidate& c) { return FieldValue(c.material); }},
        {"feasible", [](const Candidate& c) { return FieldValue(c.feasible); }},
        {"pareto", [](const Candidate& c) { return FieldValue(c.pareto); }},
        {"reason", [](const Candidate& c) { return FieldValue(c.reason); }},
        result("turns", &Candidate::turns),
        result("awg", &Candidate::awg),
        result("rdc_ohm", &Candidate::rdc),
        result("copper_loss_w", &Candidate::copperLoss),
        result("core_loss_w", &Candidate::coreLoss),
        result("total_loss_w", &Candidate::totalLoss),
        result("total_weight_g", &Candidate::totalWeight),
        result("temp_rise_c", &Candidate::tempRise),
        result("bmax_t", &Candidate::bmax),
        result("bac_t", &Candidate::bac),
        result("hdc_a_per_cm", &Candidate::hdc),
        result("j_a_cm2", &Candidate::currentDensity),
        // The design holds the effective permeability in single precision.
        {"mu_eff",
         [](const Candidate& c) {
             return c.completed ? FieldValue(cli::singlePrecisionValue(static_cast<float>(c.muEff)))
                                : FieldValue();
         }},
        {"cost", [](const Candidate& c) { return optional(c.cost); }},
        {"core_ap_cm4", [](const Candidate& c) { return optional(c.coreAP); }},
        {"ap_margin", [](const Candidate& c) { return optional(c.apMargin); }},
        {"volume_cm3", [](const Candidate& c) { return optional(c.volume); }},
        {"fill", [](const Candidate& c) { return optional(c.fill); }},
        {"l_idc_percent", [](const Candidate& c) { return optional(c.lIdcPercent); }},
        {"fill_wound", [](const Candidate& c) { return optional(c.woundFill); }},
        {"trise_hot_c", [](const Candidate& c) { return optional(c.hotRise); }},
        {"checked", [](const Candidate& c) { return FieldValue(c.checkPassed); }},
    };
    return list;
}

std::string csvValue(const FieldValue& v) {
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(bool b) const { return b ? "true" : "false"; }
        std::string operator()(int i) const { return std::to_string(i); }
        std::string operator()(double d) const { return cli::shortestNumber(d); }
        std::string operator()(const std::string& s) const { return cli::csvField(s); }
    };
    return std::visit(Visitor{}, v);
}

struct Column {
    std::string_view title;
    bool rightAligned;
    std::function<std::string(const Candidate&)> text;
};

std::string fixedOrDash(const std::optional<double>& v, int decimals) {
    return v ? formatFixed(*v, decimals) : std::string("-");
}

const std::vector<Column>& columns() {
    using C = const Candidate&;
    const auto shown = [](auto member) {
        return [member](C c) { return c.completed ? (c.texts.*member).value_or("") : ""; };
    };
    static const std::vector<Column> list = {
        {"#", true, [](C c) { return c.feasible ? std::to_string(c.rank) : std::string("-"); }},
        {"Type", false, [](C c) { return std::string(coreTypeName(c.type)); }},
        {"Core", false, [](C c) { return c.core; }},
        {"Material", false, [](C c) { return c.material; }},
        {"Turns", true, shown(&DesignResultTexts::turns)},
        {"AWG", true, shown(&DesignResultTexts::wireGauge)},
        {"Loss W", true, shown(&DesignResultTexts::totalLoss)},
        {"Weight g", true, shown(&DesignResultTexts::totalWeight)},
        {"Rise C", true, shown(&DesignResultTexts::temperatureRise)},
        {"Bmax T", true, shown(&DesignResultTexts::peakFluxDensity)},
        {"Cost", true, shown(&DesignResultTexts::relativeCost)},
        {"AP x", true, [](C c) { return c.completed ? fixedOrDash(c.apMargin, 2) : ""; }},
        {"Fill", true, [](C c) { return c.completed ? fixedOrDash(c.fill, 3) : ""; }},
        {"Volume", true, [](C c) { return c.completed ? fixedOrDash(c.volume, 3) : ""; }},
        {"L at Idc (%)", true,
         [](C c) { return c.completed ? fixedOrDash(c.lIdcPercent, 1) : ""; }},
        {"Wound fill", true, [](C c) { return c.completed ? fixedOrDash(c.woundFill, 3) : ""; }},
        {"Hot rise (C)", true, [](C c) { return c.completed ? fixedOrDash(c.hotRise, 1) : ""; }},
        {"Checked", false, [](C c) { return std::string(c.checkPassed ? "yes" : ""); }},
        {"Pareto", false, [](C c) { return std::string(c.pareto ? "*" : ""); }},
        {"Reason", false, [](C c) { return c.reason; }},
    };
    return list;
}

std::string padded(const std::string& text, std::size_t width, bool right) {
    const std::size_t columns = cli::displayWidth(text);
    const std::string fill(width > columns ? width - columns : 0, ' ');
    return right ? fill + text : text + fill;
}

}  // namespace

const std::string_view kRankingKeysHelp =
    "  rank            position among the feasible candidates (null when not feasible)\n"
    "  type            \"E-core\" or \"Toroid\"\n"
    "  core, material  the catalogue's core and material numbers\n"
    "  feasible        true when the design meets every limit\n"
    "  pareto          true when no feasible candidate has both less loss and less weight\n"
    "  reason          why it is not feasible: the design's message, \"AP too small\",\n"
    "                  \"Bmax above limit\", \"window overfull\" or \"too hot\"\n"
    "  turns, awg      number of turns and wire gauge\n"
    "  rdc_ohm         DC resistance in ohm\n"
    "  copper_loss_w, core_loss_w, total_loss_w   losses in W\n"
    "  total_weight_g  total weight in g\n"
    "  temp_rise_c     temperature rise in deg. C\n"
    "  bmax_t, bac_t   peak and AC flux density in T\n"
    "  hdc_a_per_cm    DC field in A/cm as the results page shows it (\"Hdc (A/cm)\")\n"
    "  j_a_cm2         actual current density in A/cm^2\n"
    "  mu_eff          effective permeability\n"
    "  cost            the material's relative cost\n"
    "  core_ap_cm4     the core's area product as the core page shows it\n"
    "  ap_margin       core AP divided by the minimum AP\n"
    "  volume_cm3      core volume\n"
    "  fill            turns times bare wire area over the window area\n"
    "  l_idc_percent   the design check's L at Idc on the material's published DC-bias\n"
    "                  curve, in % of the required L\n"
    "  fill_wound      the design check's fill: turns times insulated wire area over the\n"
    "                  window area\n"
    "  trise_hot_c     the design check's temperature rise of the hot copper in deg. C\n"
    "  checked         true when the design check passes: no verdict fails and none is\n"
    "                  unavailable (a warning passes)\n"
    "Values a design that did not complete cannot give, and figures of a part of the check\n"
    "that is unavailable, are null (empty in CSV).\n";

std::optional<OutputFormat> outputFormatFromName(std::string_view name) noexcept {
    if (name == "table") {
        return OutputFormat::Table;
    }
    if (name == "csv") {
        return OutputFormat::Csv;
    }
    if (name == "json") {
        return OutputFormat::Json;
    }
    return std::nullopt;
}

std::vector<const Candidate*> selectCandidates(const Ranking& ranking,
                                               const OutputOptions& options) {
    std::vector<const Candidate*> rows;
    std::size_t feasible = 0;
    for (const Candidate& c : ranking.candidates) {
        if (c.feasible) {
            if (options.top == 0 || feasible < options.top) {
                rows.push_back(&c);
            }
            ++feasible;
        } else if (options.all) {
            rows.push_back(&c);
        }
    }
    return rows;
}

void writeTable(std::ostream& out, const Ranking& ranking, const OutputOptions& options) {
    const auto rows = selectCandidates(ranking, options);
    const auto& cols = columns();
    std::vector<std::vector<std::string>> cells;
    std::vector<std::size_t> widths;
    for (const Column& col : cols) {
        widths.push_back(col.title.size());
    }
    for (const Candidate* c : rows) {
        auto& line = cells.emplace_back();
        for (std::size_t i = 0; i < cols.size(); ++i) {
            line.push_back(cli::tableCell(cols[i].text(*c)));
            widths[i] = std::max(widths[i], cli::displayWidth(line.back()));
        }
    }
    const auto writeLine = [&](const auto& textOf) {
        std::string line;
        for (std::size_t i = 0; i < cols.size(); ++i) {
            line += padded(textOf(i), widths[i], cols[i].rightAligned);
            line += i + 1 < cols.size() ? "  " : "";
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << "\n";
    };
    out << "Minimum AP " << formatFixed(ranking.limits.minAP, 3) << " cm^4, Bmax limit "
        << formatFixed(ranking.limits.bmax, 3) << " T, window utilisation "
        << formatFixed(ranking.limits.windowUtilisation, 2);
    if (ranking.limits.maxTempRise) {
        out << ", temperature rise limit " << formatFixed(*ranking.limits.maxTempRise, 1) << " C";
    }
    if (ranking.checkedOnly) {
        out << ", checked designs only";
    }
    out << "; ranked by " << rankKeyName(ranking.key) << ": " << ranking.feasibleCount << " of "
        << ranking.candidates.size() << " candidates feasible\n";
    writeLine([&](std::size_t i) { return std::string(cols[i].title); });
    for (const auto& line : cells) {
        writeLine([&](std::size_t i) { return line[i]; });
    }
}

void writeCsv(std::ostream& out, const Ranking& ranking, const OutputOptions& options) {
    const auto& list = fields();
    for (std::size_t i = 0; i < list.size(); ++i) {
        out << list[i].key << (i + 1 < list.size() ? "," : "\n");
    }
    for (const Candidate* c : selectCandidates(ranking, options)) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            out << csvValue(list[i].value(*c)) << (i + 1 < list.size() ? "," : "\n");
        }
    }
}

void writeJson(std::ostream& out, const Ranking& ranking, const OutputOptions& options) {
    const Limits& limits = ranking.limits;
    cli::Json document;
    document["rank_by"] = rankKeyName(ranking.key);
    document["minimum_ap_cm4"] = limits.minAP;
    document["bmax_limit_t"] = limits.bmax;
    // Ku is a single-precision value of the design.
    document["window_utilisation"] =
        cli::singlePrecisionValue(static_cast<float>(limits.windowUtilisation));
    document["max_temp_rise_c"] =
        limits.maxTempRise ? cli::Json(*limits.maxTempRise) : cli::Json(nullptr);
    document["checked_only"] = ranking.checkedOnly;
    document["candidate_count"] = ranking.candidates.size();
    document["feasible_count"] = ranking.feasibleCount;
    cli::Json candidates = cli::Json::array();
    for (const Candidate* candidate : selectCandidates(ranking, options)) {
        cli::Json item;
        for (const Field& field : fields()) {
            item[std::string(field.key)] = cli::jsonOf(field.value(*candidate));
        }
        candidates.push_back(std::move(item));
    }
    document["candidates"] = std::move(candidates);
    cli::writeJson(out, document);
}

void writeRanking(std::ostream& out, const Ranking& ranking, OutputFormat format,
                  const OutputOptions& options) {
    switch (format) {
        case OutputFormat::Table:
            writeTable(out, ranking, options);
            return;
        case OutputFormat::Csv:
            writeCsv(out, ranking, options);
            return;
        case OutputFormat::Json:
            writeJson(out, ranking, options);
            return;
    }
}

}  // namespace coilsmith::adviser
