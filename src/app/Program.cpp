#include "Program.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <iostream>
#include <memory>

#include "extras/AboutBox.h"
#include "extras/HelpWindow.h"
#include "extras/SplashScreen.h"
#include "extras/SystemInfoText.h"
#include "frame/CommandLine.h"
#include "frame/MainWindow.h"
#include "platform/ProgramDir.h"
#include "platform/QtClipboard.h"
#include "platform/QtFileDialogs.h"
#include "platform/QtPrinterDialog.h"
#include "platform/QtPrompter.h"
#include "report/PrintReport.h"
#include "windowmodel/ModelTexts.h"

namespace coilsmith {

namespace {

// The seams the frame works through, alive as long as the program.
struct Platform {
    QtPrompter prompter;
    QtFileDialogs fileDialogs;
    QtClipboard clipboard;
    QtPrinterDialog printerDialog;
    QWidget* frame = nullptr;
};

// "--catalogue PATH" chooses the catalogue for the whole process, windows started from it
// included, the same way $COILSMITH_CATALOGUE does.
void takeCatalogueArgument(const QString& path) {
    if (!path.isEmpty()) {
        qputenv(cli::kCatalogueVariable, QFile::encodeName(path));
    }
}

// The data files lie beside the program in the build tree, in ../share/coilsmith installed.
FrameServices frameServices(Platform& platform) {
    const QLocale locale;
    const QString appDir = QCoreApplication::applicationDirPath();
    const std::string programDir = QFile::encodeName(appDir).toStdString();
    FrameServices services{platform.prompter, platform.fileDialogs, platform.clipboard};
    services.appDir = QDir::toNativeSeparators(appDir).toStdString();
    services.cataloguePath = cli::locateCatalogue({}, programDir);
    const QString cataloguePath = QFile::decodeName(services.cataloguePath.c_str());
    if (const auto catalogue = catalogueSummary(cataloguePath); !catalogue.readable) {
        services.startupNotice = catalogue.text.toStdString();
    }
    services.locale = {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
    const QString helpDir =
        QFileInfo(QFile::decodeName(cli::locateDataFile(kHelpFileName, programDir).c_str()))
            .absolutePath();
    services.showHelp = [&platform, helpDir] {
        HelpWindow::open(helpDir, platform.prompter, platform.frame);
    };
    services.showAbout = [&platform, cataloguePath] {
        auto* about = new AboutBox(platform.frame);
        about->showCatalogue(catalogueSummary(cataloguePath).text);
        about->setAttribute(Qt::WA_DeleteOnClose);
        about->show();
    };
    services.print = [&platform](const ChokeModel& model, const std::string& fileName,
                                 const std::string& pdfName) {
        platform.printerDialog.suggestOutputFile(QString::fromStdString(pdfName));
        printReport(reportContent(model, fileName), platform.printerDialog, platform.prompter);
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

void nameApplication() {
    QApplication::setApplicationName(QStringLiteral("Coilsmith"));
    QApplication::setOrganizationName(QStringLiteral("Coilsmith"));
}

int runProgram(const QStringList& arguments, const FrameShown& frameShown) {
    QApplication::setQuitOnLastWindowClosed(false);
    QCommandLineParser parser;
    const QCommandLineOption catalogueOption(QStringLiteral("catalogue"),
                                             QStringLiteral("The catalogue to design from."),
                                             QStringLiteral("path"));
    parser.addOption(catalogueOption);
    const std::vector<std::string> designFiles = designFilesOf(parser, arguments);
    if (parser.isSet(catalogueOption) && parser.value(catalogueOption).isEmpty()) {
        std::cerr << "coilsmith: the file name after --catalogue is empty\n";
        return 2;
    }
    takeCatalogueArgument(parser.value(catalogueOption));
    Platform platform;
    std::unique_ptr<MainWindow> frame;
    // The splash comes first and hands over to the frame.
    auto* splash = new SplashScreen([&] {
        frame = showFrame(platform);
        frame->controller().openAtStart(designFiles);
        if (frameShown) {
            frameShown(*frame);
        }
    });
    splash->show();
    return QApplication::exec();
}

}  // namespace coilsmith
