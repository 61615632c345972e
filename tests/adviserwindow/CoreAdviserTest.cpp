// The core adviser window offscreen: its table, chart and choices wired to a ranking.
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableView>
#include <QtTest>

#include <algorithm>
#include <optional>
#include <tuple>

#include "AdviserCatalogues.h"
#include "adviser/DeliveredRanking.h"
#include "adviserwindow/CoreAdviserWindow.h"
#include "adviserwindow/LossWeightChart.h"
#include "check/DeliveredSpecification.h"

namespace coilsmith {

class CoreAdviserTest : public QObject {
    Q_OBJECT

  private:
    FakePrompter prompter_;
    std::optional<ChokeModel> design_;  // the design window the adviser applies to
    std::optional<CoreAdviserWindow> adviser_;
    std::vector<adviser::Candidate> applied_;

    QTableView* view() { return find<QTableView>("Candidates"); }
    QString cell(int row, const QString& title) {
        QAbstractItemModel* model = view()->model();
        for (int column = 0; column < model->columnCount(); ++column) {
            if (model->headerData(column, Qt::Horizontal).toString() == title) {
                return model->index(row, column).data().toString();
            }
        }
        return "no column " + title;
    }

    template <class T>
    T* find(const char* name) {
        return adviser_->findChild<T*>(name);
    }
    int rowCount() { return view()->model()->rowCount(); }

  private slots:
    // The window's choices go to a settings file of the tests' own, never the user's.
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName("CoilsmithTests");
        QCoreApplication::setApplicationName("adviser_ui_tests");
    }

    // The method's designs unless a test asks for the delivered ones.
    void init() {
        QSettings().clear();
        design_.emplace(test::specifiedWindow(test::shippedCatalogue(), prompter_));
        applied_.clear();
        adviser_.emplace([this](const adviser::Candidate& c) {
            applied_.push_back(c);
            adviser::applyCandidate(*design_, c);
        });
        find<QCheckBox>("DeliveredDesigns")->setChecked(false);
        adviser_->resize(1000, 700);
        adviser_->show();
        QSignalSpy finished(&*adviser_, &CoreAdviserWindow::rankingFinished);
        adviser_->rank(*design_);
        QVERIFY(finished.wait(60000));
    }
    void cleanup() { adviser_.reset(); }

    // A specification only typed shows the ranking out of date: nothing can be chosen from
    // it, and Rank Again asks for a ranking. 25 uH at 20 A DC, 5 A ripple:
    // AP = 2 (0.5 25e-6 22.5^2) 1e8 / (0.5 4e6 0.4) = 1.58203125 cm^4 (shown as 1.582).
    void rankingFollowsTheSpecification() {
        auto* again = find<QPushButton>("RankAgain");
        QVERIFY(again && !again->isVisible());
        QSignalSpy finished(&*adviser_, &CoreAdviserWindow::rankingFinished);
        design_->editText("DCC", "20");
        adviser_->follow(*design_);
        QVERIFY(adviser_->outOfDate() && again->isVisible() && !view()->isEnabled());
        emit view()->doubleClicked(view()->model()->index(0, 2));
        QVERIFY(applied_.empty());
        QSignalSpy requested(&*adviser_, &CoreAdviserWindow::rankRequested);
        again->click();
        QCOMPARE(requested.count(), 1);
        QVERIFY(design_->sizeChangedSpecification());  // what the frame does on the request
        adviser_->follow(*design_);
        QVERIFY(finished.wait(60000));
        QVERIFY(!adviser_->outOfDate() && !again->isVisible() && view()->isEnabled());
        QCOMPARE(adviser_->ranking().limits.minAP, 1.58203125);
        QVERIFY(find<QLabel>("RankingSummary")->text().contains("minimum AP 1.582"));
    }

    // The table shows the engine's order and gives what is infeasible no rank and a tip. A row or a
    // point of the chart double-clicked runs its design on the results page.
    void tableAndChartApplyTheirCandidates() {
        const adviser::Ranking& ranking = adviser_->ranking();
        QCOMPARE(rowCount(), static_cast<int>(ranking.candidates.size()));
        QVERIFY(ranking.feasibleCount > 0 && ranking.feasibleCount < ranking.candidates.size());
        for (int row = 0; row < rowCount(); ++row) {
            const bool feasible = row < static_cast<int>(ranking.feasibleCount);
            const QModelIndex index = view()->model()->index(row, 0);
            QCOMPARE(cell(row, "Rank").isEmpty(), !feasible);
            QCOMPARE(index.data(Qt::ToolTipRole).toString().isEmpty(), feasible);
        }
        const int row = 2;
        emit view()->doubleClicked(view()->model()->index(row, 2));
        QCOMPARE(design_->selectedPage(), kResultsPage);
        QCOMPARE(QString::fromStdString(design_->text("PTOT")), cell(row, "Total Loss (W)"));
        QCOMPARE(QString::fromStdString(design_->text("fCore")),
                 cell(row, "Core") + cell(row, "Material"));

        auto* chart = find<LossWeightChart>("LossWeightChart");
        auto* front = static_cast<QScatterSeries*>(chart->chart()->series().value(1));
        QVERIFY(front && front->count() > 0);  // the Pareto front over all designs
        const QPointF point = front->at(0);
        const int index = chart->candidateAt(point);
        QVERIFY(index >= 0 && ranking.candidates[index].pareto);
        emit front->doubleClicked(point);
        QCOMPARE(applied_.back(), ranking.candidates[index]);
    }

    // "Delivered designs" ranks as rankDelivered does for the window's specification and key;
    // a double click opens the candidate with the design window's stack set to its own.
    void deliveredDesignsRankAsRankDelivered() {
        find<QCheckBox>("DeliveredDesigns")->setChecked(true);
        find<QComboBox>("RankBy")->setCurrentIndex(2);  // total weight
        adviser::DeliveredRankingRequest request;
        request.specification = deliveredSpecification(design_->state());
        const adviser::DeliveredRanking expected =
            adviser::rankDelivered(catalogue::CatalogueRecords::load(test::shippedCatalogue()),
                                   request, adviser::RankKey::Weight);
        const adviser::Ranking& shown = adviser_->ranking();
        QCOMPARE(shown.feasibleCount, expected.feasibleCount);
        const adviser::Candidate& best = shown.candidates[0];
        const adviser::DeliveredCandidate& e = expected.candidates[0];
        QCOMPARE(std::tuple(best.core, best.material, best.stackCount),
                 std::tuple(e.core, e.material, std::optional<int>(e.stackCount)));
        QCOMPARE(cell(0, "Stack"), QString::number(*best.stackCount));
        const auto stacked =  // the best candidate on more than one core
            std::ranges::find_if(shown.candidates, [](const auto& c) { return c.stackCount > 1; });
        QVERIFY(stacked != shown.candidates.end() && stacked->feasible);
        emit view()->doubleClicked(view()->model()->index(stacked - shown.candidates.begin(), 2));
        QCOMPARE(design_->lastDelivered()->design->stackCount, *stacked->stackCount);
    }

    // With no feasible design the chart says so plainly. The key, checked filter, core type
    // and temperature limit give the engine filter's ranking, and are remembered.
    void choicesFilterAsTheEngineAndAreRemembered() {
        const adviser::Ranking all = adviser_->ranking();
        auto* chart = find<LossWeightChart>("LossWeightChart");
        auto* message = chart->findChild<QLabel*>("NoFeasibleDesign");
        auto* maxTempRise = find<QDoubleSpinBox>("MaxTempRiseFilter");
        QVERIFY(message && message->isHidden());
        maxTempRise->setValue(0.1);  // every design warms its core by degrees
        QCOMPARE(adviser_->ranking().feasibleCount, std::size_t{0});
        QVERIFY(message->isVisible() && !chart->chart()->axes().first()->isVisible());
        QCOMPARE(message->text(), QString("No design meets the limits"));
        find<QComboBox>("RankBy")->setCurrentIndex(2);  // total weight
        find<QCheckBox>("CheckedFilter")->setChecked(true);
        find<QComboBox>("CoreTypeFilter")->setCurrentIndex(2);
        maxTempRise->setValue(45);
        QVERIFY(message->isHidden() && chart->chart()->axes().first()->isVisible());
        const auto expected = adviser::filteredRanking(
            all, {adviser::CoreTypeFilter::Toroid, 45.0, true}, adviser::RankKey::Weight);
        QVERIFY(expected.feasibleCount > 0 && expected.candidates.size() < all.candidates.size());
        QVERIFY(adviser_->ranking().candidates == expected.candidates);
        QCOMPARE(rowCount(), static_cast<int>(expected.candidates.size()));
        adviser_.emplace([](const adviser::Candidate&) {});  // the choices are remembered
        QCOMPARE(find<QComboBox>("RankBy")->currentText(), QString("Total Weight"));
    }
};

}  // namespace coilsmith

QTEST_MAIN(coilsmith::CoreAdviserTest)
#include "CoreAdviserTest.moc"
