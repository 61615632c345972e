#include <QFile>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "extras/Help_Form.h"
#include "platform/fakes/FakePrompter.h"

using namespace coilsmith;

class HelpTest : public QObject {
    Q_OBJECT

  private:
    static void writeHelp(const QTemporaryDir& dir, const QByteArray& content) {
        QFile file(dir.filePath(QStringLiteral("help.csx")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

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
        writeHelp(dir, content);
        FakePrompter prompter;
        QPointer<Help_Form> form = Help_Form::open(dir.path(), prompter);
        QVERIFY(!form.isNull());
        QVERIFY(prompter.messages.empty());
        QCOMPARE(form->windowTitle(), QStringLiteral("Help"));
        QVERIFY(!form->isModal());
        auto* text = form->findChild<QPlainTextEdit*>(QStringLiteral("Help_Text"));
        QVERIFY(text != nullptr);
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->toPlainText(), shown);
        QTest::keyClicks(text, QStringLiteral("typed"));
        QCOMPARE(text->toPlainText(), shown);
        form->close();
        QTRY_VERIFY(form.isNull());
    }

    void exitButtonCloses() {
        QTemporaryDir dir;
        writeHelp(dir, "x");
        FakePrompter prompter;
        QPointer<Help_Form> form = Help_Form::open(dir.path(), prompter);
        auto* exit = form->findChild<QPushButton*>(QStringLiteral("Nav_Bar"));
        QVERIFY(exit != nullptr);
        QCOMPARE(exit->text(), QStringLiteral("Exit"));
        QCOMPARE(exit->toolTip(), QStringLiteral("Exit Help"));
        QTest::mouseClick(exit, Qt::LeftButton);
        QTRY_VERIFY(form.isNull());
    }

    void missingFileIsReportedByName() {
        QTemporaryDir dir;
        FakePrompter prompter;
        Help_Form* form = Help_Form::open(dir.path(), prompter);
        QVERIFY(form == nullptr);
        QCOMPARE(prompter.messages.size(), std::size_t{1});
        QVERIFY(
            QString::fromStdString(prompter.messages[0]).contains(Help_Form::helpPath(dir.path())));
    }

    void unreadableFileIsReported() {
        QTemporaryDir dir;
        // A folder of that name cannot be read as a file.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("help.csx")));
        FakePrompter prompter;
        QVERIFY(Help_Form::open(dir.path(), prompter) == nullptr);
        QCOMPARE(prompter.messages.size(), std::size_t{1});
    }

    void programHelpFileLoads() {
        FakePrompter prompter;
        QPointer<Help_Form> form =
            Help_Form::open(QStringLiteral(COILSMITH_TEST_BIN_DIR), prompter);
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
