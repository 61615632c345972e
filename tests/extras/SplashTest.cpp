#include <QPointer>
#include <QTimer>
#include <QtTest>

#include "extras/SplashScreen.h"

using coilsmith::SplashScreen;

class SplashTest : public QObject {
    Q_OBJECT

  private slots:
    // The timer, a key or a click on the frame hands over once; any later trigger does nothing.
    void handsOverOnce_data() {
        QTest::addColumn<int>("trigger");
        QTest::newRow("timer") << 0;
        QTest::newRow("key press") << 1;
        QTest::newRow("click on the frame") << 2;
    }
    void handsOverOnce() {
        QFETCH(int, trigger);
        int handOvers = 0;
        QPointer<SplashScreen> splash = new SplashScreen([&handOvers] { ++handOvers; });
        splash->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        auto* timer = splash->findChild<QTimer*>(QStringLiteral("Timer1"));
        QCOMPARE(timer->interval(), 2000);
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
};

int runSplashTests(int argc, char** argv) {
    SplashTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SplashTest.moc"
