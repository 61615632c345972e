// The core adviser window offscreen: the table and chart of a ranking, and a candidate
// applied to the design window lands on its results with the table's numbers.
#include <QComboBox>
#include <QLabel>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

#include <optional>

#include "AdviserCatalogues.h"
#include "adviser/CandidateTable.h"
#include "adviser/CoreAdviserWindow.h"
#include "adviser/LossWeightChart.h"

namespace coilsmith {

class CoreAdviserTest : public QObject {
    Q_OBJECT

  private:
    FakePrompter prompter_;
    std::optional<ChokeModel> design_;  // the design window the adviser applies to
    std::optional<CoreAdviser> adviser_;
    std::vector<adviser::Candidate> applied_;

    QTableView* view() { return adviser_->findChild<QTableView*>("Candidates"); }
    QString cell(int row, const QString& title) {
        QAbstractItemModel* model = view()->model();
        for (int column = 0; column < model->columnCount(); ++column) {
            if (model->headerData(column, Qt::Horizontal).toString() == title) {
                return model->index(row, column).data().toString();
            }
        }
        return "no column " + title;
    }

  private slots:
    void init() {
        design_.emplace(test::specifiedWindow(test::shippedCatalogue(), prompter_));
        applied_.clear();
        adviser_.emplace([this](const adviser::Candidate& c) {
            applied_.push_back(c);
            adviser::applyCandidate(*design_, c);
        });
        adviser_->resize(1000, 700);
        adviser_->show();
        QSignalSpy finished(&*adviser_, &CoreAdviser::rankingFinished);
        adviser_->rank(*design_);
        QVERIFY(finished.wait(60000));
    }
    void cleanup() { adviser_.reset(); }

    void tableListsFeasibleFirstAndGreysTheOthers() {
        const auto& candidates = adviser_->ranking().candidates;
        QAbstractItemModel* model = view()->model();
        QCOMPARE(model->rowCount(), static_cast<int>(candidates.size()));
        QVERIFY(adviser_->ranking().feasibleCount > 0);
        bool seenInfeasible = false;
        for (int row = 0; row < model->rowCount(); ++row) {
            const bool feasible = !cell(row, "Rank").isEmpty();
            QVERIFY(feasible || row >= static_cast<int>(adviser_->ranking().feasibleCount));
            QVERIFY(!(feasible && seenInfeasible));
            seenInfeasible |= !feasible;
            const QModelIndex index = model->index(row, 0);
            QCOMPARE(index.data(Qt::ForegroundRole).isValid(), !feasible);
            QCOMPARE(index.data(Qt::ToolTipRole).toString().isEmpty(), feasible);
        }
        QVERIFY(seenInfeasible);
        QCOMPARE(cell(0, "Rank"), QString("1"));
    }

    void doubleClickingARowRunsTheDesignOnTheResultsPage() {
        const int row = 2;
        QTableView* table = view();
        emit table->doubleClicked(table->model()->index(row, 2));
        QCOMPARE(applied_.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(applied_.front().core), cell(row, "Core"));
        QCOMPARE(design_->selectedPage(), kResultsPage);
        QCOMPARE(QString::fromStdString(design_->text("PTOT")), cell(row, "Total Loss (W)"));
        QCOMPARE(QString::fromStdString(design_->text("TWT")), cell(row, "Total Weight (g)"));
        QCOMPARE(QString::fromStdString(design_->text("NTurns")), cell(row, "Turns"));
        QCOMPARE(QString::fromStdString(design_->text("FDmax")), cell(row, "Bmax (T)"));
        QCOMPARE(QString::fromStdString(design_->text("fCore")),
                 cell(row, "Core") + cell(row, "Material"));
    }

    void hoveringAndDoubleClickingAPointNameAndApplyIt() {
        auto* chart = adviser_->findChild<LossWeightChart*>("LossWeightChart");
        QVERIFY(chart);
        const auto& candidates = adviser_->ranking().candidates;
        const auto series = chart->chart()->series();
        QCOMPARE(series.size(), 2);
        auto* front = static_cast<QScatterSeries*>(series[1]);
        QVERIFY(front->count() > 0);
        const QPointF point = front->at(0);
        const int index = chart->candidateAt(point);
        QVERIFY(index >= 0);
        QVERIFY(candidates[static_cast<std::size_t>(index)].pareto);

        emit front->hovered(point, true);
        QVERIFY(chart->hoverLabel()->isVisible());
        QCOMPARE(chart->hoverLabel()->text(),
                 LossWeightChart::describe(candidates[static_cast<std::size_t>(index)]));
        emit front->doubleClicked(point);
        QCOMPARE(applied_.size(), std::size_t{1});
        QCOMPARE(applied_.front(), candidates[static_cast<std::size_t>(index)]);
        QCOMPARE(design_->selectedPage(), kResultsPage);
    }

    void anotherKeyReordersWithoutRecomputing() {
        auto* rankBy = adviser_->findChild<QComboBox*>("RankBy");
        QVERIFY(rankBy);
        rankBy->setCurrentIndex(2);  // total weight
        const auto& candidates = adviser_->ranking().candidates;
        for (std::size_t i = 0; i + 1 < adviser_->ranking().feasibleCount; ++i) {
            QVERIFY(candidates[i].totalWeight <= candidates[i + 1].totalWeight);
        }
        QCOMPARE(cell(0, "Rank"), QString("1"));
    }
};

}  // namespace coilsmith

QTEST_MAIN(coilsmith::CoreAdviserTest)
#include "CoreAdviserTest.moc"
