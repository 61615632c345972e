#include "cli/DeliveredRankingFormats.h"

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/DeliveredFields.h"
#include "cli/JsonOutput.h"
#include "cli/TextFields.h"
#include "numeric/NumberText.h"

namespace coilsmith::cli {

namespace {

using adviser::DeliveredCandidate;

constexpr double kCubicCentimetresPerCubicMetre = 1e6;

std::string_view shapeName(catalogue::CoreShape shape) {
    return adviser::coreTypeName(shape == catalogue::CoreShape::ECore ? adviser::CoreType::ECore
                                                                      : adviser::CoreType::Toroid);
}

// The candidates to write: the best `top` feasible ones, then with --all the others.
std::vector<const DeliveredCandidate*> selectRows(const adviser::DeliveredRanking& ranking,
                                                  const adviser::OutputOptions& options) {
    std::vector<const DeliveredCandidate*> rows;
    std::size_t feasible = 0;
    for (const DeliveredCandidate& c : ranking.candidates) {
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

DeliveredValue optionalValue(const std::optional<double>& v, double scale = 1) {
    return v ? DeliveredValue(*v * scale) : DeliveredValue();
}

// The candidate's own keys, before the design's.
struct CandidateField {
    std::string_view key;
    std::function<DeliveredValue(const DeliveredCandidate&)> value;
};

const std::vector<CandidateField>& candidateFields() {
    using C = const DeliveredCandidate&;
    static const std::vector<CandidateField> list = {
        {"rank", [](C c) { return c.feasible ? DeliveredValue(long{c.rank}) : DeliveredValue(); }},
        {"type", [](C c) { return DeliveredValue(std::string(shapeName(c.shape))); }},
        {"core", [](C c) { return DeliveredValue(c.core); }},
        {"material", [](C c) { return DeliveredValue(c.material); }},
        {"feasible", [](C c) { return DeliveredValue(c.feasible); }},
        {"pareto", [](C c) { return DeliveredValue(c.pareto); }},
        {"reason", [](C c) { return DeliveredValue(c.reason); }},
        {"volume_cm3",
         [](C c) { return optionalValue(c.stackedVolumeM3, kCubicCentimetresPerCubicMetre); }},
        {"cost", [](C c) { return optionalValue(c.stackedCost); }},
    };
    return list;
}

DeliveredValue designValue(const DeliveredField& f, const DeliveredCandidate& c) {
    return c.design ? f.value(*c.design) : DeliveredValue();
}

std::string csvText(const DeliveredValue& v) {
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(bool b) const { return b ? "true" : "false"; }
        std::string operator()(long n) const { return std::to_string(n); }
        std::string operator()(double d) const { return shortestNumber(d); }
        std::string operator()(const std::string& s) const { return csvField(s); }
    };
    return std::visit(Visitor{}, v);
}

std::string problemOf(const DeliveredCandidate& c) {
    return c.design && c.design->problem ? *c.design->problem : std::string();
}

struct Column {
    std::string_view title;
    bool rightAligned;
    std::function<std::string(const DeliveredCandidate&)> text;
};

// A figure of the design with `decimals` decimals, times `scale`; empty when missing.
std::function<std::string(const DeliveredCandidate&)> fixed(std::string_view key, int decimals,
                                                            double scale = 1) {
    const auto& fields = deliveredFields();
    const auto field = std::find_if(fields.begin(), fields.end(),
                                    [key](const DeliveredField& f) { return f.key == key; });
    return [field, decimals, scale](const DeliveredCandidate& c) -> std::string {
        const DeliveredValue v = designValue(*field, c);
        if (const auto* n = std::get_if<long>(&v)) {
            return std::to_string(*n);
        }
        if (const auto* d = std::get_if<double>(&v)) {
            return formatFixed(*d * scale, decimals);
        }
        return {};
    };
}

const std::vector<Column>& columns() {
    using C = const DeliveredCandidate&;
    static const std::vector<Column> list = {
        {"#", true, [](C c) { return c.feasible ? std::to_string(c.rank) : std::string("-"); }},
        {"Type", false, [](C c) { return std::string(shapeName(c.shape)); }},
        {"Core", false, [](C c) { return c.core; }},
        {"Material", false, [](C c) { return c.material; }},
        {"Stack", true, [](C c) { return std::to_string(c.stackCount); }},
        {"Turns", true, fixed("turns", 0)},
        {"AWG", true, fixed("awg", 0)},
        {"Layers", true, fixed("layers", 0)},
        {"Fill", true, fixed("fill_wound", 3)},
        {"L at Idc (%)", true, fixed("l_idc_percent", 1)},
        {"L at Ipk (%)", true, fixed("l_ipk_percent", 1)},
        {"Rhot mOhm", true, fixed("rhot_ohm", 2, 1e3)},
        {"Loss W", true, fixed("total_loss_hot_w", 3)},
        {"Rise C", true, fixed("trise_hot_c", 1)},
        {"Weight g", true, fixed("total_weight_g", 1)},
        {"Volume", true,
         [](C c) {
             return c.stackedVolumeM3
                        ? formatFixed(*c.stackedVolumeM3 * kCubicCentimetresPerCubicMetre, 3)
                        : std::string();
         }},
        {"Pareto", false, [](C c) { return std::string(c.pareto ? "*" : ""); }},
        {"Reason", false, [](C c) { return c.reason; }},
    };
    return list;
}

std::string padded(const std::string& text, std::size_t width, bool right) {
    const std::size_t used = displayWidth(text);
    const std::string fill(width > used ? width - used : 0, ' ');
    return right ? fill + text : text + fill;
}

void writeTable(std::ostream& out, const adviser::DeliveredRanking& ranking,
                const DeliveredRankingHeading& heading,
                const std::vector<const DeliveredCandidate*>& rows) {
    const auto& cols = columns();
    std::vector<std::size_t> widths;
    for (const Column& col : cols) {
        widths.push_back(col.title.size());
    }
    std::vector<std::vector<std::string>> cells;
    for (const DeliveredCandidate* c : rows) {
        auto& line = cells.emplace_back();
        for (std::size_t i = 0; i < cols.size(); ++i) {
            line.push_back(tableCell(cols[i].text(*c)));
            widths[i] = std::max(widths[i], displayWidth(line.back()));
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
    out << "Delivered designs on 1 to " << heading.maxStackCount << " stacked cores, ambient "
        << formatFixed(heading.ambientC, 1) << " C";
    if (heading.maxTemperatureRiseC) {
        out << ", temperature rise limit " << formatFixed(*heading.maxTemperatureRiseC, 1) << " C";
    }
    out << "; ranked by " << adviser::rankKeyName(ranking.key) << ": " << ranking.feasibleCount
        << " of " << ranking.candidates.size() << " candidates feasible\n";
    writeLine([&](std::size_t i) { return std::string(cols[i].title); });
    for (const auto& line : cells) {
        writeLine([&](std::size_t i) { return line[i]; });
    }
}

void writeCsv(std::ostream& out, const std::vector<const DeliveredCandidate*>& rows) {
    std::string header;
    for (const CandidateField& f : candidateFields()) {
        header += std::string(header.empty() ? "" : ",") + std::string(f.key);
    }
    for (const DeliveredField& f : deliveredFields()) {
        header += "," + std::string(f.key);
    }
    out << header << ",problem\n";
    for (const DeliveredCandidate* c : rows) {
        std::string line;
        for (const CandidateField& f : candidateFields()) {
            line += (&f == &candidateFields().front() ? "" : ",") + csvText(f.value(*c));
        }
        for (const DeliveredField& f : deliveredFields()) {
            line += "," + csvText(designValue(f, *c));
        }
        out << line << "," << csvField(problemOf(*c)) << "\n";
    }
}

void writeJsonDocument(std::ostream& out, const adviser::DeliveredRanking& ranking,
                       const DeliveredRankingHeading& heading,
                       const std::vector<const DeliveredCandidate*>& rows) {
    Json document;
    document["rank_by"] = adviser::rankKeyName(ranking.key);
    document["delivered"] = true;
    document["stack_max"] = heading.maxStackCount;
    document["ambient_c"] = heading.ambientC;
    document["max_temp_rise_c"] =
        heading.maxTemperatureRiseC ? Json(*heading.maxTemperatureRiseC) : Json(nullptr);
    document["candidate_count"] = ranking.candidates.size();
    document["feasible_count"] = ranking.feasibleCount;
    Json candidates = Json::array();
    for (const DeliveredCandidate* c : rows) {
        Json item;
        for (const CandidateField& f : candidateFields()) {
            item[std::string(f.key)] = jsonOf(f.value(*c));
        }
        const Json design = deliveredJson(c->design, std::nullopt);
        for (const auto& [key, value] : design.items()) {
            item[key] = value;
        }
        candidates.push_back(std::move(item));
    }
    document["candidates"] = std::move(candidates);
    writeJson(out, document);
}

}  // namespace

void writeDeliveredRanking(std::ostream& out, const adviser::DeliveredRanking& ranking,
                           const DeliveredRankingHeading& heading, adviser::OutputFormat format,
                           const adviser::OutputOptions& options) {
    const auto rows = selectRows(ranking, options);
    switch (format) {
        case adviser::OutputFormat::Table:
            writeTable(out, ranking, heading, rows);
            return;
        case adviser::OutputFormat::Csv:
            writeCsv(out, rows);
            return;
        case adviser::OutputFormat::Json:
            writeJsonDocument(out, ranking, heading, rows);
            return;
    }
}

const std::string_view kDeliveredRankingKeysHelp =
    "With --delivered, JSON wraps the candidates in an object with rank_by, delivered\n"
    "(true), stack_max, ambient_c, max_temp_rise_c, candidate_count, feasible_count and\n"
    "candidates; each candidate (and CSV column) has:\n"
    "  rank            position among the feasible candidates (null when not feasible)\n"
    "  type            \"E-core\" or \"Toroid\"\n"
    "  core, material  the catalogue's core and material numbers\n"
    "  feasible        true when it reaches L at Idc, fits, no verdict fails or is\n"
    "                  unavailable and the hot rise is within --max-trise\n"
    "  pareto          true when no feasible candidate has both less hot loss and less weight\n"
    "  reason          why it is not feasible (empty when it is)\n"
    "  volume_cm3      core volume of the stack in cm^3\n"
    "  cost            the material's relative cost times the stack\n"
    "and the keys of check's delivered design:\n";

}  // namespace coilsmith::cli
