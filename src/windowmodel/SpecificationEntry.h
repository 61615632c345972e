#pragma once

#include <optional>
#include <string>

#include "windowmodel/ChokeModel.h"

namespace coilsmith {

// A choke specification in SI units, to be typed into the design window.
struct SpecificationEntry {
    double inductanceH = 0;
    double dcCurrentA = 0;
    double ripplePeakToPeakA = 0;  // peak to peak
    double frequencyHz = 0;
    // Empty: the box or list keeps what it shows.
    std::optional<double> fluxDensityT;
    std::optional<double> currentDensityAPerCm2;  // one of the CurD items
    std::optional<double> windowUtilisation;      // one of the WU items
};

// The significant digits a number is typed with: more than any catalogue or converter
// figure needs, few enough to read.
inline constexpr int kTypedSignificantDigits = 6;

// Types the entry into the window as an engineer would: each quantity in the unit of its
// selector that puts the number at 1 or above with the fewest digits (100 uH, 300 mA,
// 100 kHz; below the smallest unit, that one), the unit chosen from the list first so its
// handler sets the factor, the number with kTypedSignificantDigits significant digits in
// the window's decimal separator; current density and window utilisation chosen from
// their lists. Calculate AP is left to the caller. Returns why the entry cannot be typed
// (a value that is not a finite number, or that is none of its list's items), leaving the
// window unchanged; nothing when it was typed.
std::optional<std::string> enterSpecification(ChokeModel& model, const SpecificationEntry& entry);

// A number as typed into a box: `significantDigits` significant digits, no exponent
// within 1e-6 … 1e15, no grouping, `decimalPoint` as separator ("33.3333", "0.25").
std::string typedNumber(double value, const std::string& decimalPoint,
                        int significantDigits = kTypedSignificantDigits);

}  // namespace coilsmith
