// The "Design Check" page of the design window on the shipped catalogue.
#include <QCoreApplication>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "design/CheckPage.h"
#include "design/Choke.h"
#include "platform/fakes/FakePrompter.h"

namespace coilsmith {

class CheckPageTest : public QObject {
    Q_OBJECT

  private:
    FakePrompter prompter_;
    std::unique_ptr<Choke> choke_;

    std::unique_ptr<Choke> makeChoke() {
        return std::make_unique<Choke>(
            ChokeModel::Options{COILSMITH_BIN_DIR, COILSMITH_BIN_DIR "/Cores.csx", {}}, prompter_,
            nullptr);
    }
    QTabWidget* tabs() const { return choke_->findChild<QTabWidget*>("DsnTab"); }
    QSpinBox* ambient() const { return choke_->findChild<QSpinBox*>("Ambient"); }

    // The figure table's value and unit of a row, "" when the row is missing.
    QString figure(const QString& label) const {
        auto* table = choke_->findChild<QTableWidget*>("CheckFigures");
        for (int row = 0; row < table->rowCount(); ++row) {
            if (table->item(row, 0) && table->item(row, 0)->text() == label && table->item(row, 1))
                return table->item(row, 1)->text() + " " + table->item(row, 2)->text();
        }
        return {};
    }

    // Calculate AP, the toroid T106 in -26, and Run, each through the widget's run.
    void runDesign(const char* microhenries) {
        choke_->run([&](ChokeModel& m) {
            m.editText("Ldes", microhenries);
            m.editText("DCC", "5");
            m.editText("ACC", "1");
            m.editText("Freq", "100");
            m.CAP_Click();
        });
        choke_->run([](ChokeModel& m) { m.setOption("Toroid", true); });
        choke_->run([](ChokeModel& m) { QVERIFY(m.setListText("Core", "T106")); });
        choke_->run([](ChokeModel& m) { QVERIFY(m.setListText("CoreMat", "-26")); });
        choke_->run([](ChokeModel& m) { m.Design_Results(); });
        QVERIFY(choke_->model().lastCheck().has_value());
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName("CoilsmithTest");
        QSettings().clear();
    }
    void init() { choke_ = makeChoke(); }
    void cleanup() { choke_.reset(); }

    void pageFollowsTheRuns() {
        QCOMPARE(tabs()->count(), 4);
        QCOMPARE(tabs()->tabText(kCheckPage), QString("Design Check"));
        QVERIFY(!tabs()->isTabEnabled(kCheckPage));

        runDesign("100");
        QVERIFY(tabs()->isTabEnabled(kCheckPage));
        QCOMPARE(figure("Required L"), QString("100.0 µH"));
        QVERIFY(!figure("L at Idc").isEmpty());
        QCOMPARE(choke_->findChild<QTableWidget*>("CheckVerdicts")->rowCount(), 5);

        // The page stays shown over a second Run and shows its design.
        tabs()->setCurrentIndex(kCheckPage);
        runDesign("200");
        QCOMPARE(tabs()->currentIndex(), kCheckPage);
        QCOMPARE(figure("Required L"), QString("200.0 µH"));

        // A Run that ends on its message leaves no check: the page goes out of reach.
        choke_->run([](ChokeModel& m) {
            m.setTextRaw("CoreMat", "");
            m.Design_Results();
        });
        QVERIFY(!tabs()->isTabEnabled(kCheckPage));
        QCOMPARE(tabs()->currentIndex(), choke_->model().selectedPage());
    }

    void ambientChecksAgainAndIsRemembered() {
        runDesign("100");
        QVERIFY(choke_->model().lastCheck()->copper.available());
        const double hotAt25 = choke_->model().lastCheck()->copper.figures->hotTemperatureC;
        ambient()->setValue(60);
        QCOMPARE(choke_->model().ambientTemperature(), 60.0);
        QCOMPARE(figure("Ambient"), QString("60.0 °C"));
        // The copper settles 35 °C warmer or more (its resistance rises with it).
        QVERIFY(choke_->model().lastCheck()->copper.figures->hotTemperatureC >= hotAt25 + 35);

        choke_ = makeChoke();
        QCOMPARE(choke_->model().ambientTemperature(), 60.0);
        QCOMPARE(ambient()->value(), 60);
        QSettings().clear();
    }
};

}  // namespace coilsmith

QTEST_MAIN(coilsmith::CheckPageTest)
#include "CheckPageTest.moc"
