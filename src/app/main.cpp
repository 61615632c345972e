#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QMessageBox>

#include <memory>

#include "ScreenshotScript.h"
#include "frame/Main.h"
#include "platform/QtClipboard.h"
#include "platform/QtFileDialogs.h"
#include "platform/QtPrompter.h"

namespace {

using namespace coilsmith;

// The seams the frame works through, alive as long as the program.
struct Platform {
    QtPrompter prompter;
    QtFileDialogs fileDialogs;
    QtClipboard clipboard;
};

void notAvailableYet() {
    QMessageBox::information(QApplication::activeWindow(), QStringLiteral("Coilsmith"),
                             QStringLiteral("not available yet"));
}

// The data files lie beside the program.
FrameServices frameServices(Platform& platform) {
    const QLocale locale;
    FrameServices services{platform.prompter, platform.fileDialogs, platform.clipboard};
    services.appDir =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
    services.cataloguePath = QDir(QCoreApplication::applicationDirPath())
                                 .filePath(QStringLiteral("Cores.csx"))
                                 .toStdString();
    services.locale = {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
    // Placeholders until the help and about windows are part of the program.
    services.showHelp = notAvailableYet;
    services.showAbout = notAvailableYet;
    return services;
}

// Creates and shows the frame; the start-up window goes in front of this.
std::unique_ptr<Main> showFrame(Platform& platform) {
    auto frame = std::make_unique<Main>(frameServices(platform));
    Main* window = frame.get();
    platform.prompter.setParent(window);
    platform.fileDialogs.setParent(window);
    // exit(), not quit(): quit() would first try to close the frame again.
    QObject::connect(
        window, &Main::frameClosed, qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    window->show();
    return frame;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Coilsmith"));
    QApplication::setQuitOnLastWindowClosed(false);
    Platform platform;
    const auto frame = showFrame(platform);
    runScreenshotScriptIfAsked(*frame);
    return QApplication::exec();
}
