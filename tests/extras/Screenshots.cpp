#include <QTemporaryDir>
#include <QtTest>

#include "extras/Help_Form.h"
#include "extras/frmAbout.h"
#include "extras/frmSplash.h"
#include "platform/fakes/FakeLauncher.h"
#include "platform/fakes/FakePrompter.h"
#include "platform/fakes/MemoryRegistry.h"

using namespace coilsmith;

// Pictures of the three windows for the documentation, taken only when
// COILSMITH_SCREENSHOT_DIR names a folder to put them in.
class Screenshots : public QObject {
    Q_OBJECT

  private slots:
    void windows() {
        const QString dir = qEnvironmentVariable("COILSMITH_SCREENSHOT_DIR");
        if (dir.isEmpty()) {
            QSKIP("COILSMITH_SCREENSHOT_DIR is not set");
        }
        QPointer<frmSplash> splash = new frmSplash({});
        splash->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        QVERIFY(splash->grab().save(dir + QStringLiteral("/splash.png")));
        delete splash.data();

        MemoryRegistry registry;
        FakeLauncher launcher;
        FakePrompter prompter;
        frmAbout about(registry, launcher, prompter, {});
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QVERIFY(about.grab().save(dir + QStringLiteral("/about.png")));

        QPointer<Help_Form> help =
            Help_Form::open(QStringLiteral(COILSMITH_TEST_BIN_DIR), prompter);
        QVERIFY(!help.isNull());
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QVERIFY(help->grab().save(dir + QStringLiteral("/help.png")));
        delete help.data();
    }
};

int runScreenshots(int argc, char** argv) {
    Screenshots test;
    return QTest::qExec(&test, argc, argv);
}

#include "Screenshots.moc"
