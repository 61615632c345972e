#include "adviser/CoreAdviserWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent>

#include "adviser/CandidateTable.h"
#include "adviser/LossWeightChart.h"
#include "design/ChokeModel.h"

namespace coilsmith {

namespace {

// A ranking that ends sooner than this shows no progress bar at all.
constexpr int kProgressDelayMs = 200;

const adviser::RankKey kKeys[] = {adviser::RankKey::Loss, adviser::RankKey::Trise,
                                  adviser::RankKey::Weight, adviser::RankKey::Cost,
                                  adviser::RankKey::Volume};

}  // namespace

CoreAdviser::CoreAdviser(Apply apply, QWidget* parent) : QWidget(parent), apply_(std::move(apply)) {
    setObjectName("CoreAdviser");
    setWindowTitle(tr("Core Adviser"));
    build();
    connect(&watcher_, &QFutureWatcher<adviser::Ranking>::finished, this,
            &CoreAdviser::showRanking);
}

CoreAdviser::~CoreAdviser() {
    stop_.request_stop();
    watcher_.waitForFinished();
}

void CoreAdviser::build() {
    summary_ = new QLabel(this);
    summary_->setObjectName("RankingSummary");
    rankBy_ = new QComboBox(this);
    rankBy_->setObjectName("RankBy");
    rankBy_->addItems({tr("Total Loss"), tr("Temperature Rise"), tr("Total Weight"),
                       tr("Relative Cost"), tr("Core Volume")});
    connect(rankBy_, &QComboBox::currentIndexChanged, this, &CoreAdviser::reorder);
    progress_ = new QProgressBar(this);
    progress_->setObjectName("RankProgress");
    progress_->hide();

    auto* top = new QHBoxLayout;
    top->addWidget(summary_, 1);
    top->addWidget(progress_);
    top->addWidget(new QLabel(tr("Rank by"), this));
    top->addWidget(rankBy_);

    table_ = new CandidateTable(this);
    proxy_ = new FeasibleFirstProxy(this);
    proxy_->setSourceModel(table_);
    proxy_->setSortRole(Qt::UserRole);
    view_ = new QTableView(this);
    view_->setObjectName("Candidates");
    view_->setModel(proxy_);
    view_->setSortingEnabled(true);
    view_->sortByColumn(0, Qt::AscendingOrder);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    view_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(view_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { applyCandidate(proxy_->mapToSource(index).row()); });

    chart_ = new LossWeightChart(this);
    connect(chart_, &LossWeightChart::candidateChosen, this, &CoreAdviser::applyCandidate);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(view_);
    split->addWidget(chart_);
    chart_->setMinimumHeight(260);
    split->setSizes({420, 340});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
}

void CoreAdviser::rank(const ChokeModel& window) {
    stop_.request_stop();
    watcher_.waitForFinished();
    stop_ = std::stop_source();

    adviser::AdviserOptions options;
    options.key = kKeys[std::max(0, rankBy_->currentIndex())];
    options.stop = stop_.get_token();
    options.progress = [this](std::size_t done, std::size_t total) {
        QMetaObject::invokeMethod(
            this, [this, done, total] { showProgress(done, total); }, Qt::QueuedConnection);
    };
    summary_->setText(tr("Designing every core of the catalogue..."));
    progress_->setRange(0, 0);
    QTimer::singleShot(kProgressDelayMs, this, [this] { progress_->setVisible(isRanking()); });
    watcher_.setFuture(QtConcurrent::run(
        [window = ChokeModel(window), options] { return adviser::rankCores(window, options); }));
}

void CoreAdviser::showProgress(std::size_t done, std::size_t total) {
    if (!isRanking()) {
        return;
    }
    progress_->setRange(0, static_cast<int>(total));
    progress_->setValue(static_cast<int>(done));
}

void CoreAdviser::showRanking() {
    progress_->hide();
    adviser::Ranking result = watcher_.result();
    if (result.stopped) {
        return;  // a newer ranking has taken over
    }
    ranking_ = std::move(result);
    if (ranking_.problem) {
        summary_->setText(QString::fromStdString(*ranking_.problem));
    } else {
        summary_->setText(tr("%1 of %2 designs meet the specification (minimum AP %3 cm^4)")
                              .arg(ranking_.feasibleCount)
                              .arg(ranking_.candidates.size())
                              .arg(QString::fromStdString(formatFixed(ranking_.limits.minAP, 3))));
    }
    table_->setCandidates(ranking_.candidates);
    chart_->setCandidates(ranking_.candidates);
    view_->sortByColumn(0, Qt::AscendingOrder);
    emit rankingFinished();
}

// A new key orders the same designs again; nothing is recomputed.
void CoreAdviser::reorder() {
    if (isRanking() || ranking_.candidates.empty()) {
        return;
    }
    ranking_.key = kKeys[std::max(0, rankBy_->currentIndex())];
    adviser::orderCandidates(ranking_.candidates, ranking_.key);
    table_->setCandidates(ranking_.candidates);
    chart_->setCandidates(ranking_.candidates);
    view_->sortByColumn(0, Qt::AscendingOrder);
}

void CoreAdviser::applyCandidate(int index) {
    if (index < 0 || index >= static_cast<int>(ranking_.candidates.size()) || !apply_) {
        return;
    }
    apply_(ranking_.candidates[static_cast<std::size_t>(index)]);
}

}  // namespace coilsmith
