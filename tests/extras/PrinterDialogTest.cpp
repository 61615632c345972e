#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QtTest>

#include "platform/QtPrinterDialog.h"

using namespace coilsmith;

// The real print dialog, closed by a timer that waits for it to appear.
class PrinterDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void cancelGivesNoPrinter() {
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

int runPrinterDialogTests(int argc, char** argv) {
    PrinterDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PrinterDialogTest.moc"
