#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "extras/AboutBox.h"

using namespace coilsmith;

class AboutTest : public QObject {
    Q_OBJECT

  private slots:
    // The caption and version are set at load; "System Info..." shows the program's own
    // information each time it is pressed; OK closes the box.
    void showsNameVersionAndSystemInformation() {
        int shown = 0;
        AboutBox about(nullptr, [&shown] { ++shown; });
        QCOMPARE(about.windowTitle(), QStringLiteral("About Coilsmith"));
        QVERIFY(QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+\\.\\d+$"))
                    .match(about.findChild<QLabel*>("lblVersion")->text())
                    .hasMatch());
        auto* sysInfo = about.findChild<QPushButton*>("cmdSysInfo");
        QCOMPARE(sysInfo->text(), QStringLiteral("&System Info..."));
        QTest::mouseClick(sysInfo, Qt::LeftButton);
        QTest::mouseClick(sysInfo, Qt::LeftButton);
        QCOMPARE(shown, 2);
        about.show();
        QTest::mouseClick(about.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        QCOMPARE(about.result(), int(QDialog::Accepted));
        QVERIFY(!about.isVisible());
    }
};

int runAboutTests(int argc, char** argv) {
    AboutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AboutTest.moc"
