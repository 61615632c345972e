#pragma once

#include <string_view>

namespace coilsmith::cli {

inline constexpr std::string_view kReportSynopsis =
    "report FILE -o OUT.pdf [--catalogue PATH] [--decimal-point C]";

inline constexpr std::string_view kReportSummary =
    "runs a design file and writes its printed report as a PDF";

inline constexpr std::string_view kReportHelp =
    "Usage: coilsmith-cli report FILE -o OUT.pdf [--catalogue PATH] [--decimal-point C]\n"
    "\n"
    "Runs the design of the 40-line design file FILE as the design command does and\n"
    "writes its two-page printed report to the PDF file OUT.pdf: the design on page 1, its\n"
    "design check (as the check command gives it, at 25 deg. C ambient) on page 2. The\n"
    "title names FILE by its full path, as the program's Print does. No display is needed.\n"
    "\n"
    "  -o OUT.pdf          the PDF file to write (required; not FILE nor the catalogue)\n"
    "  --catalogue PATH    the core catalogue to use (default: Cores.csx beside the program)\n"
    "  --decimal-point C   the decimal separator of the numbers in the file (default '.')\n"
    "\n"
    "Messages the design window would show go to standard error. Exit status: 0 when the\n"
    "report was written, 1 when the design ended on a message (no report then), 2 for bad\n"
    "arguments, an unreadable design file or catalogue, or a PDF that cannot be written.\n";

// The report paints with Qt, and loading Qt's libraries costs tens of milliseconds at
// every start. coilsmith-cli stays free of Qt so that scripted designs start fast; its
// report command runs this executable, which lies beside it.
inline constexpr std::string_view kReportExecutable = "coilsmith-cli-report";

}  // namespace coilsmith::cli
