// The splash, the about box, its system information and the help window on a screen
// 1000 pixels high at scale factor 2 (see CMakeLists.txt): each lies within the screen.
#include <QScreen>
#include <QtTest>

#include <memory>

#include "extras/AboutBox.h"
#include "extras/HelpWindow.h"
#include "extras/SplashScreen.h"
#include "extras/SystemInfoDialog.h"
#include "fakes/FakePrompter.h"

using namespace coilsmith;

class ScreenFitTest : public QObject {
    Q_OBJECT

    static void shownWithinTheScreen(QWidget& window) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect available = window.screen()->availableGeometry();
        QVERIFY2(available.contains(window.frameGeometry()),
                 qPrintable(QStringLiteral("%1 x %2 on %3 x %4")
                                .arg(window.frameGeometry().width())
                                .arg(window.frameGeometry().height())
                                .arg(available.width())
                                .arg(available.height())));
    }

  private slots:
    void init() {
        if (QGuiApplication::primaryScreen()->availableGeometry().height() >= 700) {
            QSKIP("the screen is large enough for any window");
        }
    }

    void splashFitsTheScreen() {
        SplashScreen splash([] {});
        shownWithinTheScreen(splash);
    }

    void aboutBoxFitsTheScreen() {
        AboutBox about;
        shownWithinTheScreen(about);
        SystemInfoDialog details(QStringLiteral("System: test\nQt: 6"));
        shownWithinTheScreen(details);
    }

    void helpWindowFitsTheScreen() {
        FakePrompter prompter;
        const std::unique_ptr<HelpWindow> help(
            HelpWindow::open(QStringLiteral(COILSMITH_TEST_BIN_DIR), prompter));
        QVERIFY(help);
        shownWithinTheScreen(*help);
    }
};

QTEST_MAIN(ScreenFitTest)
#include "ScreenFitTest.moc"
