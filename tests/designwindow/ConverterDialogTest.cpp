// The "Specification from Converter" dialog: the worst case as the figures are typed, the
// converter's refusals, and what it gives the design window.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

#include "designwindow/ConverterDialog.h"

namespace coilsmith {

class ConverterDialogTest : public QObject {
    Q_OBJECT

  private:
    static void type(ConverterDialog& dialog, const char* box, const QString& text) {
        dialog.findChild<QLineEdit*>(box)->setText(text);
    }
    static void typeConverter(ConverterDialog& dialog, const QStringList& figures) {
        const char* boxes[] = {"VinMin", "VinMax", "Vout", "Iout", "Fs"};
        for (int i = 0; i < figures.size(); ++i) {
            type(dialog, boxes[i], figures[i]);
        }
    }
    // "figure | value | where" for each row of the worst-case table.
    static QStringList rows(ConverterDialog& dialog) {
        auto* table = dialog.findChild<QTableWidget*>("WorstCase");
        QStringList out;
        for (int r = 0; r < table->rowCount(); ++r) {
            out << table->item(r, 0)->text() + " | " + table->item(r, 1)->text() + " | " +
                       table->item(r, 2)->text();
        }
        return out;
    }
    static QString refusal(ConverterDialog& dialog) {
        return dialog.findChild<QLabel*>("Refusal")->text();
    }
    static bool okEnabled(ConverterDialog& dialog) {
        return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
    }

  private slots:
    // Buck 18…36 V → 12 V, 5 A at 100 kHz, r = 0.3. D = 12/Vin: 0.667 … 0.333. ΔI/Idc ∝
    // (1 − 12/Vin) peaks at 36 V: L = (36 − 12)·(1/3)/(0.3·5 A·100 kHz) = 53.33 µH, ΔI = 1.5 A
    // there; Idc = Iout = 5 A everywhere (Vin min named on a tie).
    void buckShowsTheWorstCase() {
        ConverterDialog dialog({});
        QCOMPARE(refusal(dialog), QStringLiteral("Type Vin min."));
        QVERIFY(!okEnabled(dialog));
        typeConverter(dialog, {"18", "36", "12", "5", "100k"});
        QCOMPARE(
            rows(dialog),
            QStringList({"D | 0.667 to 0.333 | from Vin 18 V to 36 V",
                         "L | 53.33 \u00b5H | for the ripple ratio 0.3 at Vin 36 V (D = 0.333)",
                         "Idc | 5 A | largest at Vin 18 V (D = 0.667)",
                         "\u0394I | 1.5 A p-p | largest at Vin 36 V (D = 0.333)",
                         "\u0394I/Idc | 0.3 | largest at Vin 36 V (D = 0.333)"}));
        QVERIFY(refusal(dialog).isEmpty() && okEnabled(dialog));
        const auto entry = dialog.entry();  // its arithmetic is the converter's test
        QVERIFY(entry && qAbs(entry->inductanceH - 8.0 / 150e3) < 1e-15);
    }

    void refusalTakesOkAway() {
        ConverterDialog dialog({});
        typeConverter(dialog, {"18", "36", "40", "5", "100k"});
        QVERIFY(
            refusal(dialog).startsWith("A buck needs Vout below Vin: 40 V is not below the "
                                       "lowest input 18 V"));
        QVERIFY(rows(dialog).isEmpty() && !okEnabled(dialog) && !dialog.entry());
        type(dialog, "Fs", "100q");
        QVERIFY(refusal(dialog).startsWith("the switching frequency: \"100q\" is not a number"));
    }

    // Boost 5…9 V → 12 V, 1 A at 200 kHz, η = 0.9 (typed with a decimal comma), L = 22 µH
    // given. D = 1 − 0.9·Vin/12 = 0.625 at 5 V; Idc = 12·1 A/(0.9·Vin) peaks there: 2.667 A.
    void boostWithAGivenInductance() {
        ConverterDialog dialog({",", "."});
        dialog.findChild<QComboBox*>("Topology")->setCurrentIndex(1);
        typeConverter(dialog, {"5", "9", "12", "1", "200k"});
        type(dialog, "Efficiency", "0,9");
        QVERIFY(!dialog.findChild<QLineEdit*>("GivenInductance")->isEnabled());
        dialog.findChild<QRadioButton*>("ByInductance")->setChecked(true);
        QVERIFY(!dialog.findChild<QLineEdit*>("RippleRatio")->isEnabled());
        QCOMPARE(refusal(dialog), QStringLiteral("Type the inductance."));
        type(dialog, "GivenInductance", "22u");
        const QStringList shown = rows(dialog);
        QCOMPARE(shown.value(1), QStringLiteral("L | 22 \u00b5H | as given"));
        QCOMPARE(shown.value(2), QStringLiteral("Idc | 2.667 A | largest at Vin 5 V (D = 0.625)"));
    }
};

}  // namespace coilsmith

QTEST_MAIN(coilsmith::ConverterDialogTest)
#include "ConverterDialogTest.moc"
