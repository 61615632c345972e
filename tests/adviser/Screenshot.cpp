// Writes a picture of the core adviser on the shipped catalogue for the window's default
// specification: adviser_screenshot OUT.png
#include <QApplication>
#include <QSignalSpy>

#include "AdviserCatalogues.h"
#include "adviser/CoreAdviserWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        return 2;
    }
    coilsmith::FakePrompter prompter;
    const coilsmith::ChokeModel design =
        coilsmith::test::specifiedWindow(coilsmith::test::shippedCatalogue(), prompter);
    coilsmith::CoreAdviser adviser([](const coilsmith::adviser::Candidate&) {});
    adviser.resize(1200, 800);
    adviser.show();
    QSignalSpy finished(&adviser, &coilsmith::CoreAdviser::rankingFinished);
    adviser.rank(design);
    if (!finished.wait(60000)) {
        return 1;
    }
    QApplication::processEvents();
    return adviser.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
