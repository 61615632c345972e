#pragma once

#include <string>
#include <vector>

#include "check/DesignCheck.h"

namespace coilsmith {

// One figure of the design check as the window, the report and the command line show it.
// `part` is the check part the row belongs to ("Inductance", "Winding", "Copper"); a part
// that could not run has one row whose value is its reason.
struct CheckFigureRow {
    std::string part;
    std::string label;
    std::string value;
    std::string unit;  // empty for a plain count or ratio
    friend bool operator==(const CheckFigureRow&, const CheckFigureRow&) = default;
};

struct CheckVerdictRow {
    std::string check;
    Verdict verdict = Verdict::Unavailable;
    std::string verdictText;  // "Pass", "Warning", "Fail", "Unavailable"
    std::string reason;
};

struct CheckTexts {
    std::vector<CheckFigureRow> figures;
    std::vector<CheckVerdictRow> verdicts;
};

// The texts of a check made from `input`. Inductances in µH below 1 mH and in mH above,
// resistances in mΩ below 1 Ω and in Ω above, losses in W, temperatures in °C, lengths
// in cm, each with four significant digits; percentages with one decimal.
CheckTexts checkTexts(const DesignCheck& check, const DesignCheckInput& input);

// The unit an inductance axis or figure is shown in, and the factor from henries to it.
struct InductanceUnit {
    double perHenry = 1e6;
    const char* name = "µH";
};
InductanceUnit inductanceUnit(double henries);

// A linear axis from 0 with round ticks (1, 2 or 5 times a power of ten) whose top is at
// or above `highest`, with about `ticks` intervals.
struct RoundAxis {
    double top = 1;
    double step = 1;
    int intervals() const;
};
RoundAxis roundAxis(double highest, int ticks = 5);

// Four significant digits in fixed notation: 104.17 → "104.2", 0.024731 → "0.02473".
std::string significantText(double value);

}  // namespace coilsmith
