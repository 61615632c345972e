// The splash and the help window (that they fit a small screen is the frame's test).
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "extras/HelpWindow.h"
#include "extras/SplashScreen.h"
#include "fakes/FakePrompter.h"

using namespace coilsmith;

class ExtrasTest : public QObject {
    Q_OBJECT

  private slots:
    // The timer hands over once; the splash then goes.
    void splashHandsOverOnce() {
        int handOvers = 0;
        QPointer<SplashScreen> splash = new SplashScreen([&handOvers] { ++handOvers; });
        splash->show();
        splash->findChild<QTimer*>(QStringLiteral("Timer1"))->start(30);
        QTRY_COMPARE(handOvers, 1);
        QTest::qWait(100);
        QCOMPARE(handOvers, 1);
        QTRY_VERIFY(splash.isNull());
    }

    // A help file is shown as written, line breaks of any system as line breaks, and Escape
    // closes it; a missing one is reported. The program's own loads.
    void helpShowsTheFileOrItsProblem() {
        QTemporaryDir dir;
        FakePrompter prompter;
        QVERIFY(HelpWindow::open(dir.path(), prompter) == nullptr);
        QVERIFY(QString::fromStdString(prompter.messages.at(0))
                    .contains(HelpWindow::helpPath(dir.path())));
        QFile file(HelpWindow::helpPath(dir.path()));
        QVERIFY(file.open(QIODevice::WriteOnly) &&
                file.write("One  line\n\tIndented\r\n\xc2\xb5H"));
        file.close();
        QPointer<HelpWindow> form = HelpWindow::open(dir.path(), prompter);
        QVERIFY(form && prompter.messages.size() == 1);
        QCOMPARE(form->text(), QStringLiteral("One  line\n\tIndented\n\u00b5H"));
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QTest::keyClick(form->findChild<QWidget*>(QStringLiteral("Help_Text")), Qt::Key_Escape);
        QTRY_VERIFY(form.isNull());  // closed and deleted
        const std::unique_ptr<HelpWindow> shipped(
            HelpWindow::open(QStringLiteral(COILSMITH_TEST_BIN_DIR), prompter));
        QVERIFY(shipped && shipped->text().contains(QStringLiteral("12. DESIGN CHECK")));
    }
};

QTEST_MAIN(ExtrasTest)
#include "ExtrasTest.moc"
