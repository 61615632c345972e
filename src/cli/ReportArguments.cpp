#include "cli/ReportArguments.h"

namespace coilsmith::cli {

std::unique_ptr<CLI::App> reportParser(ReportArguments& arguments) {
    auto app = commandParser(
        "report", "report FILE -o OUT.pdf [--catalogue PATH] [--decimal-point C]",
        "Runs the design of the 40-line design file FILE as the design command does and\n"
        "writes its two-page printed report to the PDF file OUT.pdf: the design on page 1, its\n"
        "design check (as the check command gives it, at 25 deg. C ambient) on page 2. The\n"
        "title names FILE by its full path, as the program's Print does. No display is needed.",
        "Messages the design window would show go to standard error. Exit status: 0 when the\n"
        "report was written, 1 when the design ended on a message (no report then), 2 for bad\n"
        "arguments, an unreadable design file or catalogue, or a PDF that cannot be written.\n");
    addDesignFile(*app, arguments.inputPath);
    addFileName(*app, "-o", "OUT.pdf", arguments.outputPath,
                "the PDF file to write (required; not FILE nor the catalogue)")
        ->required();
    addCatalogue(*app, arguments.cataloguePath);
    addDecimalPoint(*app, arguments.decimalPoint,
                    "the decimal separator of the numbers in the file (default '.')");
    return app;
}

}  // namespace coilsmith::cli
