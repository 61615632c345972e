// Writes a picture of the core adviser for the window's default specification, on the
// catalogue shipped beside this program: adviser_screenshot OUT.png
// Exits non-zero, saying why and writing nothing, when the window would show a problem or
// no feasible design: such a picture documents nothing.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QSignalSpy>

#include <cstdio>

#include "AdviserCatalogues.h"
#include "adviser/CoreAdviserWindow.h"

namespace {

int fail(const QString& why) {
    std::fprintf(stderr, "adviser_screenshot: %s\n", qPrintable(why));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        return fail(QStringLiteral("usage: adviser_screenshot OUT.png"));
    }
    const QString catalogue =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Cores.csx"));
    if (!QFileInfo::exists(catalogue)) {
        return fail(QStringLiteral("no catalogue beside the program (build catalogue_db)"));
    }
    coilsmith::FakePrompter prompter;
    const coilsmith::ChokeModel design =
        coilsmith::test::specifiedWindow(catalogue.toStdString(), prompter);
    if (!prompter.messages.empty()) {
        return fail(QString::fromStdString(prompter.messages.front()));
    }
    coilsmith::CoreAdviser adviser([](const coilsmith::adviser::Candidate&) {});
    adviser.resize(1200, 800);
    adviser.show();
    QSignalSpy finished(&adviser, &coilsmith::CoreAdviser::rankingFinished);
    adviser.rank(design);
    if (!finished.wait(60000)) {
        return fail(QStringLiteral("the ranking did not finish within a minute"));
    }
    QApplication::processEvents();
    const coilsmith::adviser::Ranking& ranking = adviser.ranking();
    if (ranking.problem) {
        return fail(QString::fromStdString(*ranking.problem));
    }
    const auto* noDesign = adviser.findChild<QLabel*>(QStringLiteral("NoFeasibleDesign"));
    if (ranking.feasibleCount == 0 || (noDesign && noDesign->isVisible())) {
        return fail(QStringLiteral("no feasible design to picture"));
    }
    if (!adviser.grab().save(QString::fromLocal8Bit(argv[1]))) {
        return fail(QStringLiteral("cannot write ") + QString::fromLocal8Bit(argv[1]));
    }
    return 0;
}
