#pragma once

#include "check/ReportContent.h"
#include "platform/Printer.h"

namespace coilsmith {

inline constexpr const char* kCheckPageHeading = "Design Check";
inline constexpr float kCheckFontSize = 10.0f;
inline constexpr int kCheckPartColumn = 4;
inline constexpr int kCheckLabelColumn = 6;
inline constexpr int kCheckValueColumn = 36;
inline constexpr int kDeliveredValueColumn = 50;
inline constexpr int kVerdictColumn = 22;
inline constexpr int kVerdictReasonColumn = 32;

// Lays the check page out from the current page's top, continuing on the next page where
// the rows reach the foot of one; the caller starts the page and ends the document. Throws
// PrinterError on a printer failure or a measurement that is not a finite number.
void layoutCheckPage(Printer& printer, const CheckReport& check);

}  // namespace coilsmith
