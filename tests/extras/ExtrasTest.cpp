// The splash, the about box and the help window (that they fit a small screen is the frame's
// test).
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "extras/AboutBox.h"
#include "extras/HelpWindow.h"
#include "extras/SplashScreen.h"
#include "fakes/FakePrompter.h"

using namespace coilsmith;

class ExtrasTest : public QObject {
    Q_OBJECT

  private slots:
    // The timer, a key or a click on the frame hands over once; any later trigger does nothing.
    void splashHandsOverOnce_data() {
        QTest::addColumn<int>("trigger");
        QTest::newRow("timer") << 0;
        QTest::newRow("key press") << 1;
        QTest::newRow("click on the frame") << 2;
    }
    void splashHandsOverOnce() {
        QFETCH(int, trigger);
        int handOvers = 0;
        QPointer<SplashScreen> splash = new SplashScreen([&handOvers] { ++handOvers; });
        splash->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        auto* timer = splash->findChild<QTimer*>(QStringLiteral("Timer1"));
        timer->start(trigger == 0 ? 30 : 60);
        if (trigger == 1)
            QTest::keyClick(splash, Qt::Key_Space);
        if (trigger == 2)
            QTest::mouseClick(splash->findChild<QWidget*>(QStringLiteral("Frame1")), Qt::LeftButton,
                              {}, QPoint(3, 3));
        QTRY_COMPARE(handOvers, 1);
        QTest::qWait(150);  // the timer has run out by now
        QCOMPARE(handOvers, 1);
        QTRY_VERIFY(splash.isNull());
    }

    // "System Info..." shows the program's own information; OK closes the box.
    void aboutShowsSystemInformation() {
        int shown = 0;
        AboutBox about(nullptr, [&shown] { ++shown; });
        QTest::mouseClick(about.findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(shown, 1);
        about.show();
        QTest::mouseClick(about.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        QVERIFY(about.result() == QDialog::Accepted && !about.isVisible());
    }

    // A help file is shown as written, line breaks of any system as line breaks, and Escape
    // closes it; a missing one, or a folder of that name, is reported. The program's own loads.
    void helpShowsTheFileOrItsProblem() {
        QTemporaryDir dir;
        FakePrompter prompter;
        QVERIFY(HelpWindow::open(dir.path(), prompter) == nullptr);
        QVERIFY(QString::fromStdString(prompter.messages.at(0))
                    .contains(HelpWindow::helpPath(dir.path())));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("help.csx")));
        QVERIFY(HelpWindow::open(dir.path(), prompter) == nullptr);
        QCOMPARE(prompter.messages.size(), std::size_t{2});
        QVERIFY(QDir(dir.path()).rmdir(QStringLiteral("help.csx")));
        QFile file(HelpWindow::helpPath(dir.path()));
        QVERIFY(file.open(QIODevice::WriteOnly) &&
                file.write("One  line\n\tIndented\r\n\xc2\xb5H"));
        file.close();
        QPointer<HelpWindow> form = HelpWindow::open(dir.path(), prompter);
        QVERIFY(form && prompter.messages.size() == 2);
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
