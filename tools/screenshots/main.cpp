// Takes the documentation pictures (tools/screenshots.sh runs it under Xvfb):
//   coilsmith-screenshots design SCRIPT [coilsmith arguments]  plays SCRIPT on the program
//   coilsmith-screenshots windows DIR     splash.png, about.png and help.png into DIR
//   coilsmith-screenshots report PDF      the printed report of a completed design
//   coilsmith-screenshots adviser PNG     the core adviser for its default specification
// Exits with 1 and the reason on standard error when a picture cannot be taken, 2 on a
// wrong command line.
#include <QApplication>

#include <cstdio>

#include "Pictures.h"
#include "Program.h"
#include "ScreenshotScript.h"

namespace {

using namespace coilsmith;

constexpr const char* kUsage =
    "usage: coilsmith-screenshots design SCRIPT [coilsmith arguments]\n"
    "       coilsmith-screenshots windows DIR | report PDF | adviser PNG\n";

int report(const PictureProblem& problem) {
    if (!problem) {
        return 0;
    }
    std::fprintf(stderr, "coilsmith-screenshots: %s\n", qPrintable(*problem));
    return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    nameApplication();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const QString& command = arguments.at(1);
    const QString& target = arguments.at(2);
    if (command == QLatin1String("design")) {
        // The program sees its own name and the arguments after the script.
        const QStringList programArguments = QStringList{arguments.at(0)} + arguments.mid(3);
        return runProgram(programArguments,
                          [target](MainWindow& frame) { playScreenshotScript(frame, target); });
    }
    if (arguments.size() == 3 && command == QLatin1String("windows")) {
        return report(pictureWindows(target));
    }
    if (arguments.size() == 3 && command == QLatin1String("report")) {
        return report(pictureReport(target));
    }
    if (arguments.size() == 3 && command == QLatin1String("adviser")) {
        return report(pictureAdviser(target));
    }
    std::fputs(kUsage, stderr);
    return 2;
}
