#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "cli/Arguments.h"

// The report command's arguments, declared once for both halves: coilsmith-cli lists its
// help, coilsmith-cli-report parses them.
namespace coilsmith::cli {

struct ReportArguments {
    std::string inputPath;
    std::string outputPath;
    std::string cataloguePath;
    std::string decimalPoint = ".";
};

std::unique_ptr<CLI::App> reportParser(ReportArguments& arguments);

inline constexpr std::string_view kReportSummary =
    "runs a design file and writes its printed report as a PDF";

// The report paints with Qt, and loading Qt's libraries costs tens of milliseconds at
// every start. coilsmith-cli stays free of Qt so that scripted designs start fast; its
// report command runs this executable, which lies beside it.
inline constexpr std::string_view kReportExecutable = "coilsmith-cli-report";

}  // namespace coilsmith::cli
