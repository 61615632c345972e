// coilsmith-cli-report: the Qt half of "coilsmith-cli report", run by coilsmith-cli.
#include <unistd.h>
#include <QString>
#include <QtGlobal>

#include <csignal>
#include <iostream>
#include <ostream>
#include <string>
#include <vector>

#include "cli/ReportCommand.h"
#include "cli/StandardOutput.h"
#include "coilsmith/Version.h"
#include "platform/ProgramDir.h"

namespace {

// Qt's start-up remarks ("QStandardPaths: XDG_RUNTIME_DIR not set ...") are no message of
// the design: standard error keeps one line per message the window would show.
void dropQtRemarks(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
        std::cerr << "coilsmith-cli report: " << text.simplified().toStdString() << "\n";
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace coilsmith::cli;
    // Past a file-size limit the PDF's write then fails and is reported.
    std::signal(SIGXFSZ, SIG_IGN);
    holdClosedStandardStreams();
    qInstallMessageHandler(&dropQtRemarks);
    const std::vector<std::string> args(argv + 1, argv + argc);
    DescriptorOutput standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    CommandContext context{programDirectory(argc > 0 ? argv[0] : nullptr), out, std::cerr,
                           [&standardOutput] { return standardOutput.failure(); }};
    if (!args.empty() && args.front() == "--version") {
        out << coilsmith::versionOptionText("coilsmith-cli-report");
        return finishOutput("coilsmith-cli report", kExitDone, context);
    }
    try {
        return finishOutput("coilsmith-cli report", reportCommand().run(args, context), context);
    } catch (const std::exception& e) {
        std::cerr << "coilsmith-cli report: " << e.what() << "\n";
        return kExitUsage;
    }
}
