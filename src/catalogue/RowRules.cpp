#include "catalogue/RowRules.h"

#include <charconv>
#include <cmath>

namespace coilsmith::rowrules {

namespace {

constexpr double kCmPerInch = 2.54;
constexpr double kPi = 3.141592654;  // the program's own value
// A catalogue volume or path length may differ this much from its geometry (edge radii,
// coating, a published figure rounded).
constexpr double kGeometryTolerance = 0.10;
// The published bias curve gives 100 % of the initial permeability at H = 0.
constexpr double kCurveAtZeroPercent = 100;
constexpr double kCurveAtZeroTolerancePercent = 5;

// Shipped data in brackets; each range leaves it a wide margin on both sides.
// clang-format off
constexpr FieldRange kRanges[] = {
    // Cores: cm², cm³, cm; outline in inches; gap in mm.
    {"E-Cores", "AC", 1e-4, 1e4},        // [0.10, 8.2]
    {"E-Cores", "VC", 1e-5, 1e6},        // [0.27, 176]
    {"E-Cores", "LC", 1e-2, 1e4},        // [2.7, 22]
    {"E-Cores", "WC", 1e-4, 1e4},        // [0.25, 15]
    {"E-Cores", "a_dim", 1e-3, 100},     // [0.50, 4.5]
    {"E-Cores", "b_dim", 1e-3, 100},     // [0.44, 3.6]
    {"E-Cores", "c_dim", 1e-3, 100},     // [0.12, 1.0]
    {"E-Cores", "d_dim", 1e-3, 100},     // [0.37, 3.1]
    {"E-Cores", "f_dim", 1e-3, 100},     // [0.12, 1.0]
    {"E-Cores", "g_dim", 1e-3, 100},     // [0.31, 2.3]
    {"E-Cores", "GAP", 0, 100},          // [0, 0]
    {"Toroids", "AC", 1e-4, 1e4},        // [0.015, 5.2]
    {"Toroids", "VC", 1e-5, 1e6},        // [0.014, 173]
    {"Toroids", "LC", 1e-2, 1e4},        // [0.95, 33]
    {"Toroids", "OD", 1e-3, 100},        // [0.16, 5.2]
    {"Toroids", "ID", 1e-3, 100},        // [0.078, 3.1]
    {"Toroids", "HT", 1e-3, 100},        // [0.06, 1.0]
    // Materials: the fits' coefficients (H in oersted, B in gauss), loss in mW/cm³.
    {"Materials", "Permeab", 1, 1e5},    // [10, 100]
    {"Materials", "Density", 0.5, 25},   // [5.0, 7.2] g/cm³
    {"Materials", "ah", 1, 1e8},         // [1e4, 1e4]
    {"Materials", "bh", -1, 1},          // [0, 0.0023]
    {"Materials", "ch", -1e4, 1e4},      // [-51, 2.1]
    {"Materials", "dh", -1, 1},          // [1.1e-6, 0.0014]
    {"Materials", "eh", -100, 100},      // [1.9e-7, 0.079]
    {"Materials", "ab", 1, 1e8},         // [93, 1.0e4]
    {"Materials", "bb", -1e3, 1e3},      // [1.3e-4, 0.24]
    {"Materials", "cb", -1e6, 1e6},      // [2.4, 2490]
    {"Materials", "db", -1, 1},          // [-4.2e-6, 7.6e-5]
    {"Materials", "eb", -1e4, 1e4},      // [0, 11]
    {"Materials", "al", 1e5, 1e13},      // [3.3e8, 4.0e9]
    {"Materials", "bl", 1e4, 1e12},      // [2.0e7, 3.0e8]
    {"Materials", "cl", 1e3, 1e10},      // [9.0e5, 2.7e6]
    {"Materials", "dl", 0, 1e-9},        // [9.6e-16, 3.2e-13]
    {"Materials", "Cost", 0, 1000},      // [1.0, 4.0]
    // The published curve %µ(H) = 1/(a + b·H^c); a by the %µ(0) rule.
    {"Bias_Curves", "b", 1e-12, 1},      // [1.8e-7, 2.4e-5]
    {"Bias_Curves", "c", 0.1, 10},       // [1.3, 1.8]
    // Wires: mm and Ω/km.
    {"Wires", "AWG", -10, 60},                // [-3, 44]
    {"Wires", "BareDiameter", 1e-3, 100},     // [0.050, 12]
    {"Wires", "OverallDiameter", 1e-3, 100},  // [0.065, 12]
    {"Wires", "Resistance20C", 1e-4, 1e8},    // [0.16, 8700]
};
// clang-format on

std::optional<RowProblem> problem(std::string_view field, std::string reason) {
    return RowProblem{std::string(field), std::move(reason)};
}

std::optional<RowProblem> outsideRange(std::string_view table, const CellNumber& number) {
    for (const FieldRange& range : kRanges) {
        if (range.table != table) {
            continue;
        }
        const auto value = number(range.field);
        if (!value) {
            continue;
        }
        if (!std::isfinite(*value)) {
            return problem(range.field, "is not a finite number");
        }
        if (range.lowest > 0 && !(*value > 0)) {
            return problem(range.field, "is not positive: " + numberText(*value));
        }
        if (*value < range.lowest || *value > range.highest) {
            return problem(range.field, "is " + numberText(*value) + ", outside " +
                                            numberText(range.lowest) + " to " +
                                            numberText(range.highest));
        }
    }
    return std::nullopt;
}

// `field` against the value its geometry gives (`expression` names it).
std::optional<RowProblem> awayFrom(std::string_view field, double value, const char* expression,
                                   double expected) {
    if (std::fabs(value - expected) <= kGeometryTolerance * expected) {
        return std::nullopt;
    }
    return problem(field, "is " + numberText(value) + ", not within 10 % of " + expression + " = " +
                              numberText(expected));
}

std::optional<RowProblem> volumeAwayFromSection(const CellNumber& number) {
    const auto ac = number("AC");
    const auto vc = number("VC");
    const auto lc = number("LC");
    if (!ac || !vc || !lc) {
        return std::nullopt;
    }
    return awayFrom("VC", *vc, "AC·LC", *ac * *lc);
}

// `inner` must lie below `outer` (or reach it, when `mayReach`).
std::optional<RowProblem> notInside(const CellNumber& number, std::string_view inner,
                                    std::string_view outer, bool mayReach) {
    const auto in = number(inner);
    const auto out = number(outer);
    if (!in || !out || *in < *out || (mayReach && *in == *out)) {
        return std::nullopt;
    }
    return problem(inner, "is " + numberText(*in) + ", not " + (mayReach ? "within " : "below ") +
                              std::string(outer) + " = " + numberText(*out));
}

std::optional<RowProblem> eCoreProblem(const CellNumber& number) {
    if (auto p = volumeAwayFromSection(number)) {
        return p;
    }
    if (auto p = notInside(number, "f_dim", "d_dim", false)) {
        return p;
    }
    if (auto p = notInside(number, "d_dim", "a_dim", true)) {
        return p;
    }
    return notInside(number, "g_dim", "b_dim", true);
}

std::optional<RowProblem> toroidProblem(const CellNumber& number) {
    if (auto p = notInside(number, "ID", "OD", false)) {
        return p;
    }
    if (auto p = volumeAwayFromSection(number)) {
        return p;
    }
    const auto od = number("OD");
    const auto id = number("ID");
    const auto lc = number("LC");
    if (!od || !id || !lc) {
        return std::nullopt;
    }
    return awayFrom("LC", *lc, "π·(OD + ID)/2·2.54", kPi * (*od + *id) / 2 * kCmPerInch);
}

std::optional<RowProblem> biasCurveProblem(const CellNumber& number) {
    const auto a = number("a");
    if (!a) {
        return std::nullopt;
    }
    if (!std::isfinite(*a)) {
        return problem("a", "is not a finite number");
    }
    if (!(*a > 0)) {
        return problem("a", "is not positive: " + numberText(*a));
    }
    const double atZeroPercent = 1 / *a;
    if (std::fabs(atZeroPercent - kCurveAtZeroPercent) > kCurveAtZeroTolerancePercent) {
        return problem("a", "is " + numberText(*a) + ": %µ(0) = 1/a = " +
                                numberText(atZeroPercent) + " %, not 100 ± 5 %");
    }
    return std::nullopt;
}

std::optional<RowProblem> wireProblem(const CellNumber& number) {
    const auto bare = number("BareDiameter");
    const auto overall = number("OverallDiameter");
    if (!bare || !overall || *overall >= *bare) {
        return std::nullopt;
    }
    return problem("OverallDiameter",
                   "is " + numberText(*overall) + ", below BareDiameter = " + numberText(*bare));
}

}  // namespace

std::span<const FieldRange> fieldRanges() noexcept {
    return kRanges;
}

std::optional<RowProblem> checkRow(std::string_view table, const CellNumber& number) {
    if (table == "Bias_Curves") {
        if (auto p = biasCurveProblem(number)) {
            return p;
        }
    }
    if (auto p = outsideRange(table, number)) {
        return p;
    }
    if (table == "E-Cores") {
        return eCoreProblem(number);
    }
    if (table == "Toroids") {
        return toroidProblem(number);
    }
    if (table == "Wires") {
        return wireProblem(number);
    }
    return std::nullopt;
}

std::string_view keyField(std::string_view table) noexcept {
    if (table == "E-Cores" || table == "Toroids") {
        return "CoreNo";
    }
    if (table == "Materials" || table == "Bias_Curves") {
        return "MatNo";
    }
    if (table == "Wires") {
        return "AWG";
    }
    return {};
}

std::string numberText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace coilsmith::rowrules
