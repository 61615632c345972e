#pragma once

#include <optional>
#include <string>
#include <vector>

#include "check/CheckTexts.h"
#include "check/DeliveredTexts.h"
#include "check/DesignCheck.h"
#include "method/ResultFormat.h"

namespace coilsmith {

// The specification as it was entered: each number and the unit it was entered in.
struct EnteredSpecification {
    std::string dcCurrent, dcCurrentUnit;
    std::string rippleCurrent, rippleCurrentUnit;
    std::string frequency, frequencyUnit;
};

// What the report's second page shows of a design check: its texts, and the L(I) curve
// with the required L and the currents it is judged at.
struct CheckReport {
    CheckTexts texts;
    std::vector<CurvePoint> curve;  // empty when the inductance part could not run
    double requiredInductanceH = 0;
    double idcA = 0;
    double ipkA = 0;
    // The delivered design beside the check: a second value column, its verdicts and the
    // sentence that says what changed; empty when there is none.
    std::optional<DeliveredTexts> delivered;
    // L(I) of the delivered design on the same axes; empty when it does not reach L.
    std::vector<CurvePoint> deliveredCurve;
};

// Everything the printed report shows of a design, as typed texts: the report formats
// nothing itself. A result box that holds no text prints as its unit alone.
struct ReportContent {
    std::string fileName;  // the design file's full path; empty for a new design
    EnteredSpecification specification;
    DesignResultTexts results;
    // The limits of the method that the design exceeds, as the results page warns.
    std::vector<std::string> limitWarnings;
    std::optional<CheckReport> check;  // of the design printed; empty before it has run
};

}  // namespace coilsmith
