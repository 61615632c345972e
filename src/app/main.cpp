#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLocale>

#include <memory>

#include "ScreenshotScript.h"
#include "extras/Help_Form.h"
#include "extras/SystemInfo.h"
#include "extras/frmAbout.h"
#include "extras/frmSplash.h"
#include "frame/CommandLine.h"
#include "frame/MainWindow.h"
#include "platform/QtClipboard.h"
#include "platform/QtFileDialogs.h"
#include "platform/QtPrinterDialog.h"
#include "platform/QtPrompter.h"
#include "report/PrintReport.h"

namespace {

using namespace coilsmith;

// The seams the frame works through, alive as long as the program.
struct Platform {
    QtPrompter prompter;
    QtFileDialogs fileDialogs;
    QtClipboard clipboard;
    QtPrinterDialog printerDialog;
    QWidget* frame = nullptr;
};

// The data files lie beside the program.
FrameServices frameServices(Platform& platform) {
    const QLocale locale;
    const QString appDir = QCoreApplication::applicationDirPath();
    FrameServices services{platform.prompter, platform.fileDialogs, platform.clipboard};
    services.appDir = QDir::toNativeSeparators(appDir).toStdString();
    services.cataloguePath = QDir(appDir).filePath(QStringLiteral("Cores.csx")).toStdString();
    const QString cataloguePath = QString::fromStdString(services.cataloguePath);
    if (const auto catalogue = catalogueSummary(cataloguePath); !catalogue.readable) {
        services.startupNotice = catalogue.text.toStdString();
    }
    services.locale = {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
    services.showHelp = [&platform, appDir] {
        Help_Form::open(appDir, platform.prompter, platform.frame);
    };
    services.showAbout = [&platform, cataloguePath] {
        auto* about = new frmAbout(platform.prompter, platform.frame);
        about->showCatalogue(catalogueSummary(cataloguePath).text);
        about->setAttribute(Qt::WA_DeleteOnClose);
        about->show();
    };
    services.print = [&platform](const ChokeModel& model, const std::string& fileName,
                                 const std::string& pdfName) {
        platform.printerDialog.suggestOutputFile(QString::fromStdString(pdfName));
        printReport(model, fileName, platform.printerDialog, platform.prompter);
    };
    return services;
}

// Creates and shows the frame.
std::unique_ptr<MainWindow> showFrame(Platform& platform) {
    auto frame = std::make_unique<MainWindow>(frameServices(platform));
    MainWindow* window = frame.get();
    platform.frame = window;
    platform.prompter.setParent(window);
    platform.fileDialogs.setParent(window);
    platform.printerDialog = QtPrinterDialog(window);
    // exit(), not quit(): quit() would first try to close the frame again.
    QObject::connect(
        window, &MainWindow::frameClosed, qApp, [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);
    window->show();
    return frame;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Coilsmith"));
    // Where windows remember their choices (QSettings): ~/.config/Coilsmith/Coilsmith.conf.
    QApplication::setOrganizationName(QStringLiteral("Coilsmith"));
    QApplication::setQuitOnLastWindowClosed(false);
    QCommandLineParser arguments;
    const std::vector<std::string> designFiles = designFilesOf(arguments, app.arguments());
    Platform platform;
    std::unique_ptr<MainWindow> frame;
    // The splash comes first and hands over to the frame.
    auto* splash = new frmSplash([&] {
        frame = showFrame(platform);
        frame->controller().openAtStart(designFiles);
        runScreenshotScriptIfAsked(*frame);
    });
    splash->show();
    return QApplication::exec();
}
