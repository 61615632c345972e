#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// What makes a catalogue row physically sensible. The build tool refuses a CSV row that
// breaks a rule; the catalogue reader marks such a row unusable, so a catalogue edited with
// another tool is caught too. Plain C++ without other dependencies: the build tool links
// it alone.
namespace coilsmith::rowrules {

// The range a numeric field must lie in, in its catalogue unit (inch, cm, cm², cm³, mm,
// g/cm³, Ω/km). The shipped catalogue lies well inside every range; its README lists them.
struct FieldRange {
    std::string_view table;
    std::string_view field;
    double lowest;
    double highest;
};

std::span<const FieldRange> fieldRanges() noexcept;

// A broken rule: the field it is laid at, and why ("is 1e+300, outside 1e-05 to 1e+06").
struct RowProblem {
    std::string field;
    std::string reason;
};

// A numeric cell of the row by field name; nothing for an empty cell or one that holds no
// number (those are judged where the value is needed, naming the field).
using CellNumber = std::function<std::optional<double>(std::string_view field)>;

// The first rule the row of `table` breaks, or nothing. Tables without rules pass.
//   every numeric field: finite and within its range;
//   E-Cores: VC within 10 % of AC·LC; the window inside the outline: f_dim < d_dim <=
//     a_dim (the centre leg inside the inner span, which lies within the overall width) and
//     g_dim <= b_dim;
//   Toroids: ID < OD, VC within 10 % of AC·LC, LC within 10 % of π·(OD + ID)/2·2.54;
//   Bias_Curves: a, b, c > 0 and %µ(0) = 1/a within 100 ± 5 %;
//   Wires: OverallDiameter >= BareDiameter.
std::optional<RowProblem> checkRow(std::string_view table, const CellNumber& number);

// The field whose value names a row of `table` ("CoreNo", "MatNo", "AWG"); empty for a
// table without one.
std::string_view keyField(std::string_view table) noexcept;

// A number as the rules write it: the shortest text that reads back as the same value.
std::string numberText(double value);

}  // namespace coilsmith::rowrules
