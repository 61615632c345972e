#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "extras/HelpWindow.h"
#include "fakes/FakePrompter.h"

using namespace coilsmith;

class HelpTest : public QObject {
    Q_OBJECT

  private slots:
    void showsTheFileUnchanged_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("shown");
        QTest::newRow("several lines")
            << QByteArray("First line\nSecond  line\n\n\tIndented\n")
            << QStringLiteral("First line\nSecond  line\n\n\tIndented\n");
        QTest::newRow("CR LF lines")
            << QByteArray("One\r\nTwo\r\n") << QStringLiteral("One\nTwo\n");
        QTest::newRow("UTF-8") << QByteArray("Permeability \xc2\xb5")
                               << QStringLiteral("Permeability \u00b5");
        QTest::newRow("empty file") << QByteArray() << QString();
    }
    void showsTheFileUnchanged() {
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

    void missingOrUnreadableFileIsReported() {  // a folder of that name cannot be read
        QTemporaryDir dir;
        FakePrompter prompter;
        QVERIFY(HelpWindow::open(dir.path(), prompter) == nullptr);
        QVERIFY(QString::fromStdString(prompter.messages.at(0))
                    .contains(HelpWindow::helpPath(dir.path())));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("help.csx")));
        QVERIFY(HelpWindow::open(dir.path(), prompter) == nullptr);
        QCOMPARE(prompter.messages.size(), std::size_t{2});
    }

    void escapeClosesTheWindow() {
        FakePrompter prompter;
        QPointer<HelpWindow> form =
            HelpWindow::open(QStringLiteral(COILSMITH_TEST_BIN_DIR), prompter);
        QVERIFY(!form.isNull());
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QTest::keyClick(form->findChild<QWidget*>(QStringLiteral("Help_Text")), Qt::Key_Escape);
        QTRY_VERIFY(form.isNull());  // closed and deleted
    }

    void programHelpFileLoads() {
        FakePrompter prompter;
        QPointer<HelpWindow> form =
            HelpWindow::open(QStringLiteral(COILSMITH_TEST_BIN_DIR), prompter);
        QVERIFY(!form.isNull());
        QVERIFY(form->text().contains(QStringLiteral("coilsmith-cli")));
        QVERIFY(form->text().contains(QStringLiteral("12. DESIGN CHECK")));
        delete form.data();
    }
};

int runHelpTests(int argc, char** argv) {
    HelpTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "HelpTest.moc"
