// The "Design Check" page of the design window on the shipped catalogue.
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "designwindow/CheckPage.h"
#include "designwindow/DesignWindow.h"
#include "fakes/FakePrompter.h"

namespace coilsmith {

class CheckPageTest : public QObject {
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

    // The figure table's value as designed (column 1) or delivered (column 2) and unit of a
    // row, "" when the row is missing.
    QString figure(const QString& label, int column = 1) const {
        auto* table = choke_->findChild<QTableWidget*>("CheckFigures");
        const auto found = table->findItems(label, Qt::MatchExactly);
        const int row = found.isEmpty() ? -1 : found.front()->row();
        return row < 0 ? "" : table->item(row, column)->text() + " " + table->item(row, 3)->text();
    }
    QString delivered(const QString& label) const { return figure(label, 2); }
    QComboBox* stack() const { return choke_->findChild<QComboBox*>("DeliveredStack"); }

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

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName("CoilsmithTest");
        QSettings().clear();
    }
    // The page follows the Runs; the ambient and the delivered design's stack chosen on it
    // check again (what changes is the model's test) and are remembered for the next window.
    void pageFollowsTheRunsAndItsChoices() {
        QSettings().clear();
        choke_ = makeChoke();
        QVERIFY(!tabs()->isTabEnabled(kCheckPage));
        QCOMPARE(stack()->currentText(), QString("smallest that passes"));
        runDesign("100");
        QVERIFY(tabs()->isTabEnabled(kCheckPage) && figure("Required L") == "100.0 µH" &&
                !figure("L at Idc").isEmpty());
        QCOMPARE(choke_->findChild<QTableWidget*>("CheckVerdicts")->rowCount(), 7);
        const physics::DeliveredDesign& smallest = *choke_->model().lastDelivered()->design;
        QCOMPARE(delivered("Cores stacked"), QString::number(smallest.stackCount) + " ");
        QVERIFY(!choke_->findChild<QLabel*>("DeliveredSummary")->text().isEmpty());

        // The page stays shown over a second Run and shows its design.
        tabs()->setCurrentIndex(kCheckPage);
        runDesign("200");
        QCOMPARE(tabs()->currentIndex(), kCheckPage);
        QCOMPARE(figure("Required L"), QString("200.0 µH"));
        ambient()->setValue(60);
        QCOMPARE(figure("Ambient"), QString("60.0 °C"));
        stack()->setCurrentText("3");
        QCOMPARE(delivered("Cores stacked"), QString("3 "));
        QCOMPARE(delivered("Turns"),
                 QString::number(choke_->model().lastDelivered()->design->inductance->turns) + " ");

        // A Run that ends on its message leaves no check: the page goes out of reach.
        choke_->run([](ChokeModel& m) { m.setTextRaw("CoreMat", ""), m.runDesign(); });
        QVERIFY(!tabs()->isTabEnabled(kCheckPage));
        QCOMPARE(tabs()->currentIndex(), choke_->model().selectedPage());

        choke_ = makeChoke();
        QCOMPARE(ambient()->value(), 60);
        QCOMPARE(choke_->model().deliveredStack().count, std::optional<int>(3));
        QCOMPARE(stack()->currentText(), QString("3"));
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
            auto* edit = qobject_cast<QComboBox*>(typedInto)
                             ? qobject_cast<QComboBox*>(typedInto)->lineEdit()
                             : qobject_cast<QLineEdit*>(typedInto);
            QVERIFY(edit != nullptr);
            QTest::keyClick(edit, Qt::Key_0);
            QVERIFY2(!tabs()->isTabEnabled(kCheckPage), box);
            QVERIFY(!choke_->model().lastCheck() && !choke_->model().lastDelivered());
            QCOMPARE(delivered("Turns"), QString());
        }
    }
};

}  // namespace coilsmith

QTEST_MAIN(coilsmith::CheckPageTest)
#include "CheckPageTest.moc"
