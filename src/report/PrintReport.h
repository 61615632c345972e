#pragma once

#include <string>

#include "check/ReportContent.h"
#include "platform/PrinterDialog.h"
#include "platform/Prompter.h"

namespace coilsmith {

inline constexpr const char* kPrintProblemMessage = "There was a problem printing to your printer.";

// The Print command: the printer-selection dialog, then the report. A cancel ends
// silently; any other failure shows the printing message and leaves the document unended.
void printReport(const ReportContent& content, PrinterDialog& dialog, Prompter& prompter);

// Writes the report to a PDF file without any dialog. Needs a running QGuiApplication
// (for the fonts). Throws PrinterError, naming the file and the reason, when it cannot be
// written; an existing file is then left as it was and no partial file is left behind.
void writeReportPdf(const ReportContent& content, const std::string& pdfPath);

}  // namespace coilsmith
