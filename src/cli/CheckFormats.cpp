#include "cli/CheckFormats.h"

#include "cli/DeliveredFields.h"
#include "cli/JsonOutput.h"
#include "cli/TextFields.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace coilsmith::cli {

namespace {

using FieldValue = std::variant<std::monostate, bool, long, double, std::string, std::vector<long>>;

struct CheckData {
    const DesignCheck& check;
    const DesignCheckInput& input;
    const DeliveredColumn& delivered;
};

struct Field {
    std::string_view key;
    std::string_view label;  // the table's row caption
    std::string_view unit;   // the table's unit column
    std::function<FieldValue(const CheckData&)> value;
    double tableScale = 1;  // the table shows µH and mΩ where the key has H and Ω
};

// A figure of one part, empty when the part is unavailable.
template <class Part, class Get>
std::function<FieldValue(const CheckData&)> figure(Part part, Get get) {
    return [part, get](const CheckData& d) -> FieldValue {
        const auto& p = d.check.*part;
        return p.available() ? FieldValue(get(*p.figures)) : FieldValue();
    };
}

template <class Get>
auto inductance(Get get) {
    return figure(&DesignCheck::inductance, get);
}
template <class Get>
auto winding(Get get) {
    return figure(&DesignCheck::winding, get);
}
template <class Get>
auto copper(Get get) {
    return figure(&DesignCheck::copper, get);
}

template <class Part>
std::function<FieldValue(const CheckData&)> whyUnavailable(Part part) {
    return [part](const CheckData& d) -> FieldValue {
        const auto& p = d.check.*part;
        return p.available() ? FieldValue() : FieldValue(p.unavailableReason);
    };
}

const std::vector<Field>& fields() {
    using I = const InductanceFigures&;
    using W = const WindingFigures&;
    using C = const CopperFigures&;
    static const std::vector<Field> list = {
        {"ambient_c", "Ambient", "C",
         [](const CheckData& d) { return FieldValue(d.input.ambientC); }},
        {"l_required_h", "Required L", "uH",
         [](const CheckData& d) { return FieldValue(d.input.requiredInductanceH); }, 1e6},
        {"turns", "Turns", "", [](const CheckData& d) { return FieldValue(d.input.turns); }},
        {"awg", "AWG", "", [](const CheckData& d) { return FieldValue(long{d.input.awg}); }},
        {"l_0_h", "L at 0 A", "uH", inductance([](I f) { return f.atZeroH; }), 1e6},
        {"l_idc_h", "L at Idc", "uH", inductance([](I f) { return f.atIdcH; }), 1e6},
        {"l_ipk_h", "L at Ipk", "uH", inductance([](I f) { return f.atIpkH; }), 1e6},
        {"l_0_percent", "L at 0 A of required", "%",
         inductance([](I f) { return f.atZeroPercent; })},
        {"l_idc_percent", "L at Idc of required", "%",
         inductance([](I f) { return f.atIdcPercent; })},
        {"l_ipk_percent", "L at Ipk of required", "%",
         inductance([](I f) { return f.atIpkPercent; })},
        {"swing", "Swing L(0)/L(Idc)", "", inductance([](I f) { return f.swing; })},
        {"turns_for_l", "Turns for L at Idc", "",
         inductance([](I f) { return f.turnsNeeded ? FieldValue(*f.turnsNeeded) : FieldValue(); })},
        {"inductance_unavailable", "Inductance unavailable", "",
         whyUnavailable(&DesignCheck::inductance)},
        {"wire_diameter_mm", "Wire over insulation", "mm",
         winding([](W f) { return f.insulatedDiameterCm * 10; })},
        {"layers", "Layers", "", winding([](W f) { return long{f.layers}; })},
        {"turns_per_layer", "Turns per layer", "", winding([](W f) { return f.turnsPerLayer; })},
        {"fill", "Fill (insulated wire / Wa)", "", winding([](W f) { return f.fill; })},
        {"fits", "Fits", "", winding([](W f) { return f.fits; })},
        {"fit_problem", "Does not fit", "",
         winding([](W f) { return f.fits ? FieldValue() : FieldValue(f.doesNotFitReason); })},
        {"winding_unavailable", "Winding unavailable", "", whyUnavailable(&DesignCheck::winding)},
        {"mlt_wound_cm", "Wound mean turn", "cm", copper([](C f) { return f.meanTurnCm; })},
        {"rdc20_ohm", "Rdc at 20 C", "mOhm", copper([](C f) { return f.rdc20Ohm; }), 1e3},
        {"rhot_ohm", "Rdc hot", "mOhm", copper([](C f) { return f.rhotOhm; }), 1e3},
        {"fr_fundamental", "Rac/Rdc at the ripple frequency", "",
         copper([](C f) { return f.racOverRdcFundamental; })},
        {"pcu_dc_w", "Copper loss DC", "W", copper([](C f) { return f.copperLossDcW; })},
        {"pcu_ac_w", "Copper loss AC", "W", copper([](C f) { return f.copperLossAcW; })},
        {"pcu_w", "Copper loss", "W", copper([](C f) { return f.copperLossW; })},
        {"pcu_rms_rdc_w", "Irms^2 Rhot", "W", copper([](C f) { return f.rmsLossAtRdcW; })},
        {"core_loss_w", "Core loss (design)", "W",
         [](const CheckData& d) { return FieldValue(d.input.coreLossW); }},
        {"total_loss_hot_w", "Total loss hot", "W", copper([](C f) { return f.totalLossW; })},
        {"trise_design_c", "Rise (design)", "C",
         [](const CheckData& d) { return FieldValue(d.input.designTempRiseC); }},
        {"trise_hot_c", "Rise hot", "C", copper([](C f) { return f.temperatureRiseC; })},
        {"t_hot_c", "Hot temperature", "C", copper([](C f) { return f.hotTemperatureC; })},
        {"thermal_rounds", "Thermal rounds", "", copper([](C f) { return long{f.rounds}; })},
        {"runaway", "Thermal runaway", "", copper([](C f) { return f.runaway; })},
        {"copper_unavailable", "Copper unavailable", "", whyUnavailable(&DesignCheck::copper)},
    };
    return list;
}

// Five significant digits for the table.
std::string shortNumber(double v) {
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v,
                                            std::chars_format::general, 5);
    return error == std::errc() ? std::string(buffer.data(), end) : std::string("0");
}

// The text of a value in the table (`full` false: five digits, times `scale`) or the CSV.
std::string plainText(const FieldValue& value, bool full, double scale = 1) {
    struct Visit {
        bool full;
        double scale;
        std::string operator()(std::monostate) const { return ""; }
        std::string operator()(bool b) const { return b ? "yes" : "no"; }
        std::string operator()(long n) const { return std::to_string(n); }
        std::string operator()(double v) const {
            return full ? shortestNumber(v) : shortNumber(v * scale);
        }
        std::string operator()(const std::string& s) const { return s; }
        std::string operator()(const std::vector<long>& list) const {
            std::string text;
            for (const long n : list) {
                text += (text.empty() ? "" : " ") + std::to_string(n);
            }
            return text;
        }
    };
    return std::visit(Visit{full, scale}, value);
}

// "Winding fits" -> "winding_fits".
std::string verdictKey(std::string_view check) {
    std::string key;
    for (const char character : check) {
        key += character == ' '
                   ? '_'
                   : static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
    }
    return key;
}

// Spaces that fill `text` up to `width` columns.
std::string fillTo(std::size_t width, std::string_view text) {
    return std::string(width - std::min(width, displayWidth(text)), ' ');
}

// The delivered field a figure of the check is shown beside: the same key, or the wound
// fill the check calls "fill".
const DeliveredField* deliveredFieldFor(std::string_view key) {
    const std::string_view wanted = key == "fill" ? std::string_view("fill_wound") : key;
    for (const DeliveredField& f : deliveredFields()) {
        if (f.key == wanted) {
            return &f;
        }
    }
    return nullptr;
}

FieldValue deliveredValue(const DeliveredField& f, const CheckData& d) {
    if (!d.delivered.design) {
        return {};
    }
    return std::visit([](const auto& v) { return FieldValue(v); }, f.value(*d.delivered.design));
}

struct TableRow {
    std::string_view label;
    std::string designed;
    std::string delivered;
    std::string_view unit;
};

// The figures of the check, each with its delivered value, then the delivered design's
// own figures and its problem; a row neither column has a value for is left out.
std::vector<TableRow> tableRows(const CheckData& d) {
    std::vector<TableRow> rows;
    std::vector<std::string_view> shown;
    const auto text = [](const FieldValue& v, double scale) {
        return tableCell(plainText(v, false, scale));
    };
    for (const Field& f : fields()) {
        TableRow row{f.label, text(f.value(d), f.tableScale), "", f.unit};
        if (const DeliveredField* match = deliveredFieldFor(f.key)) {
            row.delivered = text(deliveredValue(*match, d), match->tableScale);
            shown.push_back(match->key);
        }
        rows.push_back(std::move(row));
    }
    for (const DeliveredField& f : deliveredFields()) {
        if (std::find(shown.begin(), shown.end(), f.key) == shown.end()) {
            rows.push_back({f.label, "", text(deliveredValue(f, d), f.tableScale), f.unit});
        }
    }
    const auto problem = deliveredProblem(d.delivered.design, d.delivered.failure);
    rows.push_back({"Delivered unavailable", "", problem ? tableCell(*problem) : "", ""});
    std::erase_if(rows,
                  [](const TableRow& r) { return r.designed.empty() && r.delivered.empty(); });
    return rows;
}

void writeVerdicts(std::ostream& out, std::string_view title,
                   const std::vector<std::pair<std::string, std::string>>& verdicts,
                   const std::vector<std::string>& reasons) {
    // The verdict column is as wide as its longest word, "unavailable", and two more.
    constexpr std::size_t kVerdictWidth = 13;
    std::size_t checkWidth = displayWidth("Check");
    for (const auto& v : verdicts) {
        checkWidth = std::max(checkWidth, displayWidth(v.first));
    }
    const auto verdictRow = [&](std::string_view check, std::string_view verdict,
                                std::string_view reason) {
        out << check << fillTo(checkWidth + 2, check) << verdict << fillTo(kVerdictWidth, verdict)
            << tableCell(reason) << "\n";
    };
    out << "\n";
    verdictRow("Check", title, "Reason");
    for (std::size_t i = 0; i < verdicts.size(); ++i) {
        verdictRow(verdicts[i].first, verdicts[i].second, reasons[i]);
    }
}

void writeTable(std::ostream& out, const CheckData& d) {
    const std::vector<TableRow> rows = tableRows(d);
    std::size_t labelWidth = displayWidth("Figure");
    std::size_t designedWidth = displayWidth("As designed");
    std::size_t deliveredWidth = displayWidth("Delivered");
    for (const TableRow& r : rows) {
        labelWidth = std::max(labelWidth, displayWidth(r.label));
        designedWidth = std::max(designedWidth, displayWidth(r.designed));
        deliveredWidth = std::max(deliveredWidth, displayWidth(r.delivered));
    }
    const auto row = [&](std::string_view label, const std::string& designed,
                         const std::string& delivered, std::string_view unit) {
        std::string line = std::string(label) + fillTo(labelWidth + 2, label) +
                           fillTo(designedWidth, designed) + designed + "  " +
                           fillTo(deliveredWidth, delivered) + delivered;
        if (!unit.empty()) {
            line += "  " + std::string(unit);
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << "\n";
    };
    row("Figure", "As designed", "Delivered", "Unit");
    for (const TableRow& r : rows) {
        row(r.label, r.designed, r.delivered, r.unit);
    }
    std::vector<std::pair<std::string, std::string>> verdicts;
    std::vector<std::string> reasons;
    for (const CheckVerdict& v : d.check.verdicts) {
        verdicts.emplace_back(v.check, verdictName(v.verdict));
        reasons.push_back(v.reason);
    }
    writeVerdicts(out, "As designed", verdicts, reasons);
    if (d.delivered.design && !d.delivered.design->verdicts.empty()) {
        verdicts.clear();
        reasons.clear();
        for (const physics::Verdict& v : d.delivered.design->verdicts) {
            verdicts.emplace_back(v.check, physics::verdictLevelName(v.level));
            reasons.push_back(v.reason);
        }
        writeVerdicts(out, "Delivered", verdicts, reasons);
    }
}

void writeCsv(std::ostream& out, const CheckData& d) {
    std::string header;
    std::string line;
    for (const Field& f : fields()) {
        header += std::string(header.empty() ? "" : ",") + std::string(f.key);
        line += std::string(line.empty() ? "" : ",") + csvField(plainText(f.value(d), true));
    }
    for (const CheckVerdict& v : d.check.verdicts) {
        const std::string key = verdictKey(v.check);
        header += "," + key + "_verdict," + key + "_reason";
        line += std::string(",") + verdictName(v.verdict) + "," + csvField(v.reason);
    }
    for (const DeliveredField& f : deliveredFields()) {
        header += ",delivered_" + std::string(f.key);
        line += "," + csvField(plainText(deliveredValue(f, d), true));
    }
    if (d.delivered.design) {
        for (const physics::Verdict& v : d.delivered.design->verdicts) {
            const std::string key = "delivered_" + verdictKey(v.check);
            header += "," + key + "_verdict," + key + "_reason";
            line +=
                std::string(",") + physics::verdictLevelName(v.level) + "," + csvField(v.reason);
        }
    }
    const auto problem = deliveredProblem(d.delivered.design, d.delivered.failure);
    header += ",delivered_problem";
    line += "," + csvField(problem.value_or(""));
    out << header << "\n" << line << "\n";
}

void writeJsonObject(std::ostream& out, const CheckData& d) {
    Json document;
    for (const Field& f : fields()) {
        document[std::string(f.key)] = jsonOf(f.value(d));
    }
    Json verdicts = Json::array();
    for (const CheckVerdict& v : d.check.verdicts) {
        verdicts.push_back(
            {{"check", v.check}, {"verdict", verdictName(v.verdict)}, {"reason", v.reason}});
    }
    document["verdicts"] = verdicts;
    Json curve = nullptr;
    if (d.check.inductance.available()) {
        curve = Json::array();
        for (const auto& point : d.check.inductance.figures->curve) {
            curve.push_back({{"i_a", point.currentA}, {"l_h", point.inductanceH}});
        }
    }
    document["curve"] = curve;
    document["delivered"] = deliveredJson(d.delivered.design, d.delivered.failure);
    writeJson(out, document);
}

}  // namespace

std::optional<CheckFormat> checkFormatFromName(std::string_view name) noexcept {
    if (name == "table")
        return CheckFormat::Table;
    if (name == "csv")
        return CheckFormat::Csv;
    if (name == "json")
        return CheckFormat::Json;
    return std::nullopt;
}

void writeCheck(std::ostream& out, const DesignCheck& check, const DesignCheckInput& input,
                const DeliveredColumn& delivered, CheckFormat format) {
    const CheckData data{check, input, delivered};
    switch (format) {
        case CheckFormat::Table:
            writeTable(out, data);
            break;
        case CheckFormat::Csv:
            writeCsv(out, data);
            break;
        case CheckFormat::Json:
            writeJsonObject(out, data);
            break;
    }
}

const std::string_view kCheckKeysHelp =
    "Keys (CSV columns, JSON keys); units are in the names: _h henry, _a ampere, _ohm ohm,\n"
    "_w watt, _c deg. C, _cm centimetre, _mm millimetre, _percent of the required L:\n"
    "  ambient_c             ambient temperature of the check\n"
    "  l_required_h          the specification's inductance\n"
    "  turns, awg            the design's turns and wire gauge\n"
    "  l_0_h, l_idc_h, l_ipk_h\n"
    "                        L on the maker's DC-bias curve at 0 A, Idc and Ipk = Idc + Iac/2\n"
    "  l_0_percent, l_idc_percent, l_ipk_percent   the same in % of the required L\n"
    "  swing                 L(0) / L(Idc)\n"
    "  turns_for_l           fewest turns from the design's up with L(Idc) >= the required L\n"
    "                        (null when none up to 100000)\n"
    "  inductance_unavailable  why the inductance figures are missing (null when present)\n"
    "  wire_diameter_mm      the wire over its insulation (the wire table's overall diameter)\n"
    "  layers                layers wound (an E-core that does not fit: the layers it needs)\n"
    "  turns_per_layer       turns of each layer, innermost first (CSV: space-separated)\n"
    "  fill                  insulated wire area of all turns / window area Wa\n"
    "  fits                  whether the winding fits; fit_problem says why not\n"
    "  winding_unavailable   why the winding figures are missing\n"
    "  mlt_wound_cm          mean turn of the layers as wound, turns-weighted\n"
    "  rdc20_ohm, rhot_ohm   copper resistance at 20 C and at the hot temperature\n"
    "  fr_fundamental        Dowell's Rac/Rdc at the ripple frequency\n"
    "  pcu_dc_w, pcu_ac_w, pcu_w   copper loss Idc^2 Rhot, of the ripple harmonics, and both\n"
    "  pcu_rms_rdc_w         Irms^2 Rhot, the copper loss without the AC factor\n"
    "  core_loss_w           the design's core loss\n"
    "  total_loss_hot_w      hot copper loss + core loss\n"
    "  trise_design_c        the design's temperature rise\n"
    "  trise_hot_c, t_hot_c  rise and temperature where the hot copper settles\n"
    "  thermal_rounds, runaway   rounds of that iteration; whether it ran away (> 250 C)\n"
    "  copper_unavailable    why the copper figures are missing\n"
    "  verdicts              CSV: <check>_verdict and <check>_reason for l_at_idc, l_at_ipk,\n"
    "                        winding_fits, fill, hot_temperature, area_product,\n"
    "                        flux_density; JSON: an array of {check, verdict, reason};\n"
    "                        verdict is pass, warning, fail or unavailable\n"
    "  curve                 JSON only: 101 points {i_a, l_h} of L from 0 to 2 Ipk\n"
    "  delivered             the delivered design of the same core and material (JSON: an\n"
    "                        object; CSV: columns delivered_<key>, its verdicts\n"
    "                        delivered_<check>_verdict and _reason); its keys:\n";

}  // namespace coilsmith::cli
