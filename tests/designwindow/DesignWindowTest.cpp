// The design window's "Design Check" page and limit flags on the shipped catalogue, and the
// "Specification from Converter" dialog's wiring: its figures are the converter's tests.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "designwindow/CheckPage.h"
#include "designwindow/ConverterDialog.h"
#include "designwindow/DesignWindow.h"
#include "fakes/FakePrompter.h"

namespace coilsmith {

class DesignWindowTest : public QObject {
    Q_OBJECT

  private:
    FakePrompter prompter_;
    std::unique_ptr<DesignWindow> choke_;

    std::unique_ptr<DesignWindow> makeChoke() {
        return std::make_unique<DesignWindow>(
            ChokeModel::Options{COILSMITH_BIN_DIR, COILSMITH_BIN_DIR "/Cores.csx", {}}, prompter_,
            nullptr);
    }
    QTabWidget* tabs() const { return choke_->findChild<QTabWidget*>("DsnTab"); }
    QSpinBox* ambient() const { return choke_->findChild<QSpinBox*>("Ambient"); }

    // A row's value as designed (column 1) or delivered (2) and unit; "" for no such row.
    QString figure(const QString& label, int column = 1) const {
        auto* table = choke_->findChild<QTableWidget*>("CheckFigures");
        const auto found = table->findItems(label, Qt::MatchExactly);
        const int row = found.isEmpty() ? -1 : found.front()->row();
        return row < 0 ? "" : table->item(row, column)->text() + " " + table->item(row, 3)->text();
    }
    QString delivered(const QString& label) const { return figure(label, 2); }
    QComboBox* stack() const { return choke_->findChild<QComboBox*>("DeliveredStack"); }
    QLabel* relation() const { return choke_->findChild<QLabel*>("APRelation"); }
    bool warned() const { return !choke_->findChild<QLabel*>("LimitWarning")->isHidden(); }

    // Calculate AP, the toroid T106 in -26, and Run, through the widget's run.
    void runDesign(const char* microhenries) {
        choke_->run([&](ChokeModel& m) {
            for (const auto& [box, text] :
                 {std::pair{"Ldes", microhenries}, {"DCC", "5"}, {"ACC", "1"}, {"Freq", "100"}}) {
                m.editText(box, text);
            }
            m.calculateAreaProduct();
            m.setOption("Toroid", true);
            QVERIFY(m.setListText("Core", "T106") && m.setListText("CoreMat", "-26"));
            m.runDesign();
        });
        QVERIFY(choke_->model().lastCheck().has_value());
    }

    // Types "box=text" into each box named.
    static void type(ConverterDialog& dialog, const QStringList& entries) {
        for (const QString& entry : entries) {
            dialog.findChild<QLineEdit*>(entry.section('=', 0, 0))->setText(entry.section('=', 1));
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
    // The refusal shown; OK is enabled exactly when there is none.
    static QString refusal(ConverterDialog& dialog) {
        auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        const QString text = dialog.findChild<QLabel*>("Refusal")->text();
        return ok->isEnabled() == text.isEmpty() ? text : "OK and the refusal disagree: " + text;
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName("CoilsmithTest");
        QSettings().clear();
    }
    // The page follows the Runs; the ambient and stack chosen on it check again and are
    // remembered. The AP sign, its tip and the limit warning: 100 uH on T106 keeps to the
    // method's limits, 100 mH is far beyond them.
    void pageFollowsTheRunsAndItsChoices() {
        choke_ = makeChoke();
        QVERIFY(!tabs()->isTabEnabled(kCheckPage));
        runDesign("100");
        QVERIFY(tabs()->isTabEnabled(kCheckPage) && figure("Required L") == "100.0 µH");
        QCOMPARE(choke_->findChild<QTableWidget*>("CheckVerdicts")->rowCount(), 7);
        QCOMPARE(delivered("Cores stacked"),
                 QString::number(choke_->model().lastDelivered()->design->stackCount) + " ");
        QVERIFY(relation()->text() == "<" && !warned());

        // The page stays shown over a second Run and shows its design.
        tabs()->setCurrentIndex(kCheckPage);
        runDesign("200");
        QCOMPARE(tabs()->currentIndex(), kCheckPage);
        QCOMPARE(figure("Required L"), QString("200.0 µH"));
        ambient()->setValue(60);
        QCOMPARE(figure("Ambient"), QString("60.0 °C"));
        stack()->setCurrentText("3");
        QCOMPARE(delivered("Cores stacked"), QString("3 "));

        // A Run that ends on its message leaves no check: the page goes out of reach.
        choke_->run([](ChokeModel& m) { m.setTextRaw("CoreMat", ""), m.runDesign(); });
        QVERIFY(!tabs()->isTabEnabled(kCheckPage));

        choke_ = makeChoke();
        QCOMPARE(ambient()->value(), 60);
        runDesign("100000");
        QCOMPARE(relation()->text(), QString(">"));
        QVERIFY(tabs()->currentIndex() == kResultsPage && warned());
        QSettings().clear();
    }
    // A key typed into the specification, or into an editable list, takes the check and its
    // delivered design away at once: they were made for the design before the key.
    void typingTakesTheCheckAway() {
        for (const char* box : {"Ldes", "CurD"}) {
            choke_ = makeChoke();
            choke_->show();
            QVERIFY(QTest::qWaitForWindowExposed(choke_.get()));
            runDesign("100");
            tabs()->setCurrentIndex(kSpecPage);
            QVERIFY(tabs()->isTabEnabled(kCheckPage) && !delivered("Turns").trimmed().isEmpty());
            auto* typedInto = choke_->findChild<QWidget*>(box);
            auto* combo = qobject_cast<QComboBox*>(typedInto);
            QTest::keyClick(combo ? combo->lineEdit() : typedInto, Qt::Key_0);
            QVERIFY2(!tabs()->isTabEnabled(kCheckPage), box);
            QVERIFY(!choke_->model().lastCheck() && !choke_->model().lastDelivered());
            QCOMPARE(delivered("Turns"), QString());
        }
    }

    // Boost 5…9 V → 12 V, 1 A at 200 kHz, η = 0.9 (typed with a decimal comma), L = 22 µH
    // given. D = 1 − 0.9·Vin/12 = 0.625 at 5 V; Idc = 12·1 A/(0.9·Vin) peaks there: 2.667 A.
    // What cannot be read or designed is refused, and takes the table and OK away.
    void converterShowsTheWorstCaseOrItsRefusal() {
        ConverterDialog dialog({",", "."});
        QCOMPARE(refusal(dialog), QStringLiteral("Type Vin min."));
        dialog.findChild<QComboBox*>("Topology")->setCurrentIndex(1);
        type(dialog, {"VinMin=5", "VinMax=9", "Vout=12", "Iout=1", "Fs=200k", "Efficiency=0,9"});
        dialog.findChild<QRadioButton*>("ByInductance")->setChecked(true);
        QCOMPARE(refusal(dialog), QStringLiteral("Type the inductance."));
        type(dialog, {"GivenInductance=22u"});
        QCOMPARE(rows(dialog).mid(1, 2),
                 QStringList({"L | 22 \u00b5H | as given",
                              "Idc | 2.667 A | largest at Vin 5 V (D = 0.625)"}));
        const auto entry = dialog.entry();
        QVERIFY(entry && refusal(dialog).isEmpty() && qAbs(entry->inductanceH - 22e-6) < 1e-15);
        type(dialog, {"Vout=4"});
        QVERIFY(refusal(dialog).startsWith("A boost needs Vout above Vin"));
        QVERIFY(rows(dialog).isEmpty() && !dialog.entry());
    }
};

}  // namespace coilsmith

QTEST_MAIN(coilsmith::DesignWindowTest)
#include "DesignWindowTest.moc"
