#pragma once

#include <optional>
#include <string>
#include <vector>

#include "check/DesignCheck.h"
#include "platform/Printer.h"
#include "windowmodel/CheckTexts.h"
#include "windowmodel/DeliveredTexts.h"

namespace coilsmith {

class ChokeModel;

inline constexpr const char* kCheckPageHeading = "Design Check";
inline constexpr float kCheckFontSize = 10.0f;
inline constexpr int kCheckPartColumn = 4;
inline constexpr int kCheckLabelColumn = 6;
inline constexpr int kCheckValueColumn = 36;
inline constexpr int kDeliveredValueColumn = 50;
inline constexpr int kVerdictColumn = 22;
inline constexpr int kVerdictReasonColumn = 32;

// What the report's second page shows of a design check: the same texts as the window,
// and the L(I) curve with the required L and the currents it is judged at.
struct CheckReport {
    CheckTexts texts;
    std::vector<CurvePoint> curve;  // empty when the inductance part could not run
    double requiredInductanceH = 0;
    double idcA = 0;
    double ipkA = 0;
    // The delivered design beside the check: a second value column, its verdicts and the
    // sentence that says what changed. Empty when the model holds none.
    std::optional<DeliveredTexts> delivered;
};

// The check of the model's last Run; empty when there is none.
std::optional<CheckReport> checkReport(const ChokeModel& model);

// Lays the check page out from the current page's top, continuing on the next page where
// the rows reach the foot of one; the caller starts the page and ends the document. Throws
// PrinterError on a printer failure or a measurement that is not a finite number.
void layoutCheckPage(Printer& printer, const CheckReport& check);

}  // namespace coilsmith
