// The splash, the about box, the help window and the print dialog; windowsFitTheScreen
// alone on a screen 1000 pixels high at scale factor 2 (see CMakeLists.txt).
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "extras/AboutBox.h"
#include "extras/HelpWindow.h"
#include "extras/SplashScreen.h"
#include "extras/SystemInfoDialog.h"
#include "fakes/FakePrompter.h"
#include "platform/QtPrinterDialog.h"

using namespace coilsmith;

class ExtrasTest : public QObject {
    Q_OBJECT

    static void shownWithinTheScreen(QWidget& window) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.screen()->availableGeometry().contains(window.frameGeometry()));
    }

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
        QCOMPARE(handOvers, 0);
        timer->setInterval(trigger == 0 ? 30 : 60);
        timer->start();
        if (trigger == 1)
            QTest::keyClick(splash, Qt::Key_Space);
        if (trigger == 2)
            QTest::mouseClick(splash->findChild<QWidget*>(QStringLiteral("Frame1")), Qt::LeftButton,
                              {}, QPoint(3, 3));
        QTRY_COMPARE(handOvers, 1);
        if (!splash.isNull()) {  // before the deferred delete
            splash->dismissByClick();
            splash->dismissByTimer();
        }
        QTest::qWait(150);
        QCOMPARE(handOvers, 1);
        QTRY_VERIFY(splash.isNull());
    }

    // The version is set at load; "System Info..." shows the program's own information each
    // time it is pressed; OK closes the box.
    void aboutShowsVersionAndSystemInformation() {
        int shown = 0;
        AboutBox about(nullptr, [&shown] { ++shown; });
        QVERIFY(QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+\\.\\d+$"))
                    .match(about.findChild<QLabel*>("lblVersion")->text())
                    .hasMatch());
        auto* sysInfo = about.findChild<QPushButton*>("cmdSysInfo");
        QTest::mouseClick(sysInfo, Qt::LeftButton);
        QTest::mouseClick(sysInfo, Qt::LeftButton);
        QCOMPARE(shown, 2);
        about.show();
        QTest::mouseClick(about.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        QCOMPARE(about.result(), int(QDialog::Accepted));
        QVERIFY(!about.isVisible());
    }

    void helpShowsTheFileUnchanged_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("shown");
        QTest::newRow("lines, CR LF and UTF-8")
            << QByteArray("One  line\n\n\tIndented\r\nPermeability \xc2\xb5")
            << QStringLiteral("One  line\n\n\tIndented\nPermeability \u00b5");
        QTest::newRow("empty file") << QByteArray() << QString();
    }
    void helpShowsTheFileUnchanged() {
        QFETCH(QByteArray, content);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("help.csx")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        QVERIFY(file.flush());
        FakePrompter prompter;
        const std::unique_ptr<HelpWindow> form(HelpWindow::open(dir.path(), prompter));
        QVERIFY(form && prompter.messages.empty());
        QCOMPARE(form->text(), shown);
    }

    void missingOrUnreadableHelpIsReported() {  // a folder of that name cannot be read
        QTemporaryDir dir;
        FakePrompter prompter;
        QVERIFY(HelpWindow::open(dir.path(), prompter) == nullptr);
        QVERIFY(QString::fromStdString(prompter.messages.at(0))
                    .contains(HelpWindow::helpPath(dir.path())));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("help.csx")));
        QVERIFY(HelpWindow::open(dir.path(), prompter) == nullptr);
        QCOMPARE(prompter.messages.size(), std::size_t{2});
    }

    void programHelpFileLoadsAndEscapeClosesIt() {
        FakePrompter prompter;
        QPointer<HelpWindow> form =
            HelpWindow::open(QStringLiteral(COILSMITH_TEST_BIN_DIR), prompter);
        QVERIFY(!form.isNull());
        QVERIFY(form->text().contains(QStringLiteral("12. DESIGN CHECK")));
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QTest::keyClick(form->findChild<QWidget*>(QStringLiteral("Help_Text")), Qt::Key_Escape);
        QTRY_VERIFY(form.isNull());  // closed and deleted
    }

    void windowsFitTheScreen() {
        if (QGuiApplication::primaryScreen()->availableGeometry().height() >= 700) {
            QSKIP("the screen is large enough for any window");
        }
        SplashScreen splash([] {});
        shownWithinTheScreen(splash);
        AboutBox about;
        shownWithinTheScreen(about);
        SystemInfoDialog details(QStringLiteral("System: test\nQt: 6"));
        shownWithinTheScreen(details);
        FakePrompter prompter;
        const std::unique_ptr<HelpWindow> help(
            HelpWindow::open(QStringLiteral(COILSMITH_TEST_BIN_DIR), prompter));
        QVERIFY(help);
        shownWithinTheScreen(*help);
    }

    // The real print dialog, closed by a timer that waits for it to appear.
    void cancelledPrintDialogGivesNoPrinter() {
        QTimer closer;
        int ticks = 0;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
            else if (++ticks > 1000)
                closer.stop();
        });
        closer.start(10);
        const PrinterDialog::Result result = QtPrinterDialog().choose();
        QCOMPARE(result.outcome, PrinterDialog::Outcome::Cancelled);
        QVERIFY(result.printer == nullptr);
    }
};

QTEST_MAIN(ExtrasTest)
#include "ExtrasTest.moc"
