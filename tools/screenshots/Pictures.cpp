#include "Pictures.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <string>

#include "adviserwindow/CoreAdviserWindow.h"
#include "extras/AboutBox.h"
#include "extras/HelpWindow.h"
#include "extras/SplashScreen.h"
#include "fakes/FakePrompter.h"
#include "platform/Printer.h"
#include "report/PrintReport.h"
#include "windowmodel/ChokeModel.h"
#include "windowmodel/ModelTexts.h"

namespace coilsmith {

namespace {

QString programDir() {
    return QCoreApplication::applicationDirPath();
}

std::string catalogueBesideProgram() {
    return QDir(programDir()).filePath(QStringLiteral("Cores.csx")).toStdString();
}

PictureProblem firstMessage(const FakePrompter& prompter) {
    if (prompter.messages.empty()) {
        return std::nullopt;
    }
    return QString::fromStdString(prompter.messages.front());
}

// Shows `window`, waits until it is painted and saves its picture as `png`.
PictureProblem grabShown(QWidget& window, const QString& png) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return QStringLiteral("the window for %1 never showed").arg(png);
    }
    if (!window.grab().save(png)) {
        return QStringLiteral("cannot write ") + png;
    }
    return std::nullopt;
}

}  // namespace

PictureProblem pictureWindows(const QString& dir) {
    const QDir folder(dir);
    {
        SplashScreen* splash = new SplashScreen({});
        const QPointer<SplashScreen> alive(splash);
        const PictureProblem problem = grabShown(*splash, folder.filePath("splash.png"));
        delete alive.data();  // the splash may have closed itself meanwhile
        if (problem) {
            return problem;
        }
    }
    FakePrompter prompter;
    {
        AboutBox about(nullptr, [] {});
        if (const PictureProblem problem = grabShown(about, folder.filePath("about.png"))) {
            return problem;
        }
    }
    const QPointer<HelpWindow> help = HelpWindow::open(programDir(), prompter);
    if (help.isNull()) {
        return firstMessage(prompter).value_or(QStringLiteral("the help window did not open"));
    }
    const PictureProblem problem = grabShown(*help, folder.filePath("help.png"));
    delete help.data();
    return problem ? problem : firstMessage(prompter);
}

PictureProblem pictureReport(const QString& pdf) {
    FakePrompter prompter;
    ChokeModel model({programDir().toStdString(), catalogueBesideProgram(), NumberLocale{}},
                     prompter);
    model.calculateAreaProduct();
    model.setOption("Toroid", true);
    const int cores = static_cast<int>(model.control("Core").items.size());
    if (cores == 0) {
        return firstMessage(prompter).value_or(QStringLiteral("the catalogue has no toroid"));
    }
    // The largest toroid, in the first material.
    model.chooseItem("Core", cores - 1);
    model.chooseItem("CoreMat", 0);
    model.runDesign();
    if (const PictureProblem problem = firstMessage(prompter)) {
        return problem;
    }
    try {
        writeReportPdf(reportContent(model, "/home/engineer/designs/buck-choke.txt"),
                       pdf.toStdString());
    } catch (const PrinterError& error) {
        return QString::fromStdString(error.what());
    }
    return std::nullopt;
}

PictureProblem pictureAdviser(const QString& png) {
    const std::string catalogue = catalogueBesideProgram();
    if (!QFileInfo::exists(QString::fromStdString(catalogue))) {
        return QStringLiteral("no catalogue beside the program (build catalogue_db)");
    }
    // The adviser window's own default specification, with "Calculate AP" done.
    FakePrompter prompter;
    ChokeModel design({"/opt/coilsmith", catalogue, {}}, prompter);
    design.editText("Ldes", "25");
    design.setListText("Lunit", "uH");
    design.editText("DCC", "25");
    design.editText("ACC", "5");
    design.editText("Freq", "50");
    design.editText("FD", "0.5");
    design.setListText("CurD", "400");
    design.setListText("WU", "0.4");
    design.calculateAreaProduct();
    if (const PictureProblem problem = firstMessage(prompter)) {
        return problem;
    }
    CoreAdviserWindow adviser([](const adviser::Candidate&) {});
    adviser.resize(1200, 800);
    adviser.show();
    QSignalSpy finished(&adviser, &CoreAdviserWindow::rankingFinished);
    adviser.rank(design);
    if (!finished.wait(60000)) {
        return QStringLiteral("the ranking did not finish within a minute");
    }
    QApplication::processEvents();
    const adviser::Ranking& ranking = adviser.ranking();
    if (ranking.problem) {
        return QString::fromStdString(*ranking.problem);
    }
    const auto* noDesign = adviser.findChild<QLabel*>(QStringLiteral("NoFeasibleDesign"));
    if (ranking.feasibleCount == 0 || (noDesign && noDesign->isVisible())) {
        return QStringLiteral("no feasible design to picture");
    }
    if (!adviser.grab().save(png)) {
        return QStringLiteral("cannot write ") + png;
    }
    return std::nullopt;
}

}  // namespace coilsmith
