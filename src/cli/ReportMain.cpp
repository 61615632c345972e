// coilsmith-cli-report: the Qt half of "coilsmith-cli report", run by coilsmith-cli.
#include <QString>
#include <QtGlobal>
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/ProgramDir.h"
#include "cli/ReportCommand.h"

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
    qInstallMessageHandler(&dropQtRemarks);
    const std::vector<std::string> args(argv + 1, argv + argc);
    CommandContext context{programDirectory(argc > 0 ? argv[0] : nullptr), std::cout, std::cerr};
    const Command command = reportCommand();
    if (!args.empty() && (args.front() == "--help" || args.front() == "-h")) {
        std::cout << command.help;
        return kExitDone;
    }
    try {
        return command.run(args, context);
    } catch (const std::exception& e) {
        std::cerr << "coilsmith-cli report: " << e.what() << "\n";
        return kExitUsage;
    }
}
