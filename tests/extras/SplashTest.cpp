#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include "extras/frmSplash.h"

using coilsmith::frmSplash;

class SplashTest : public QObject {
    Q_OBJECT

  private:
    int handOvers_ = 0;
    QPointer<frmSplash> splash_;

    void makeSplash() {
        handOvers_ = 0;
        splash_ = new frmSplash([this] { ++handOvers_; });
        splash_->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash_));
    }
    QTimer* timer() const { return splash_->findChild<QTimer*>(QStringLiteral("Timer1")); }
    QWidget* frame() const { return splash_->findChild<QWidget*>(QStringLiteral("Frame1")); }
    // Lets the splash's deferred delete run.
    void settle() { QTest::qWait(20); }

  private slots:
    void cleanup() { delete splash_.data(); }

    void loadFillsTheControls() {
        makeSplash();
        const auto text = [this](const char* name) {
            return splash_->findChild<QLabel*>(QString::fromLatin1(name))->text();
        };
        QCOMPARE(text("lblCompanyProduct"), QStringLiteral("Coilsmith"));
        QVERIFY(QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+\\.\\d+$"))
                    .match(text("lblVersion"))
                    .hasMatch());
        // The platform by a name the system reports for itself.
        const QString platform = text("lblPlatform");
        const QStringList reported = {QSysInfo::kernelType(), QSysInfo::productType(),
                                      QSysInfo::prettyProductName()};
        QVERIFY2(!platform.isEmpty() && reported.contains(platform, Qt::CaseInsensitive),
                 qPrintable(platform));
        QVERIFY(!text("lblCompany").isEmpty());
        QVERIFY(splash_->findChild<QLabel*>(QStringLiteral("Picture1")) != nullptr);
        QVERIFY(splash_->findChild<QLabel*>(QStringLiteral("imgLogo")) != nullptr);
        QCOMPARE(timer()->interval(), 2000);
        QVERIFY(timer()->isActive());
        QCOMPARE(handOvers_, 0);
    }

    // The timer or a key hands over once; the other trigger afterwards does nothing.
    void handsOverOnce_data() {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("timer") << false;
        QTest::newRow("key press") << true;
    }
    void handsOverOnce() {
        QFETCH(bool, byKey);
        makeSplash();
        timer()->setInterval(byKey ? 60 : 30);
        timer()->start();
        if (byKey) {
            QTest::keyClick(splash_, Qt::Key_Space);
            QCOMPARE(handOvers_, 1);
        }
        QTRY_COMPARE(handOvers_, 1);
        QTest::qWait(150);
        QCOMPARE(handOvers_, 1);
        QTRY_VERIFY(splash_.isNull());
    }

    void secondTriggerBeforeTheDeleteIsIgnored() {
        makeSplash();
        QTest::keyClick(splash_, Qt::Key_A);
        splash_->Frame1_Click();
        splash_->Timer1_Timer();
        QCOMPARE(handOvers_, 1);
        settle();
    }

    void clickOnFrameHandsOver() {
        makeSplash();
        QWidget* f = frame();
        QVERIFY(f != nullptr);
        QCOMPARE(f->childAt(QPoint(3, 3)), nullptr);
        QTest::mouseClick(f, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(handOvers_, 1);
        QTRY_VERIFY(splash_.isNull());
    }

    void clickOnLabelOrPictureDoesNothing_data() {
        QTest::addColumn<QString>("control");
        for (const char* name : {"Picture1", "imgLogo", "lblCompanyProduct", "lblVersion",
                                 "lblPlatform", "lblCompany"}) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }
    void clickOnLabelOrPictureDoesNothing() {
        QFETCH(QString, control);
        makeSplash();
        auto* label = splash_->findChild<QLabel*>(control);
        QVERIFY(label != nullptr);
        QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
        settle();
        QCOMPARE(handOvers_, 0);
        QVERIFY(!splash_.isNull());
        QVERIFY(splash_->isVisible());
    }
};

int runSplashTests(int argc, char** argv) {
    SplashTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SplashTest.moc"
