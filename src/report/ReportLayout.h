#pragma once

#include <optional>
#include <string>
#include <vector>

#include "check/ReportContent.h"
#include "platform/Printer.h"

namespace coilsmith {

inline constexpr int kReportLineCount = 19;
inline constexpr int kLabelColumn = 20;
inline constexpr int kValueColumn = 70;
inline constexpr float kReportTop = 50.0f;      // twips
inline constexpr float kTitleRuleGap = 100.0f;  // twips between title line and rule
inline constexpr const char* kReportFont = "Times";
inline constexpr float kReportFontSize = 12.0f;
inline constexpr const char* kReportHeading = "Resultant Design Data";

struct ReportLine {
    std::string label;
    std::string value;
};

// The nineteen body lines: label and value text, suffixes appended unconditionally (an
// empty result prints as its suffix alone); then a line "Warning: " and the limit,
// without a value, for each limit of the method that the design exceeds.
std::vector<ReportLine> reportLines(const ReportContent& content);

// "Coilsmith - " and the design file's full path; printed with a closing ".".
std::string reportTitle(const std::string& fileName);

// Lays the report out on the printer and ends the document: the design's page, then, when
// the design has a check, the check's. Texts are measured in the printer's font: labels at
// column 20 and values at column 70 where they fit, the columns moved and the texts wrapped
// where they do not, and a page that is full continues on the next. Any printer failure, or
// a measurement that is not a finite number, throws PrinterError before the document is
// ended.
void layoutReport(Printer& printer, const ReportContent& content);

}  // namespace coilsmith
