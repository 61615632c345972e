#include "adviserwindow/CoreAdviserWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent>

#include <algorithm>
#include <iterator>
#include <optional>

#include "adviser/DeliveredCandidates.h"
#include "adviserwindow/CandidateTable.h"
#include "adviserwindow/LossWeightChart.h"
#include "check/DeliveredSpecification.h"
#include "platform/WindowFit.h"
#include "windowmodel/ChokeModel.h"
#include "windowmodel/SizedSpecificationOf.h"

namespace coilsmith {

namespace {

// A ranking that ends sooner than this shows no progress bar at all.
constexpr int kProgressDelayMs = 200;

const adviser::RankKey kKeys[] = {adviser::RankKey::Loss, adviser::RankKey::TemperatureRise,
                                  adviser::RankKey::Weight, adviser::RankKey::Cost,
                                  adviser::RankKey::Volume};
const adviser::CoreTypeFilter kTypeFilters[] = {
    adviser::CoreTypeFilter::Both, adviser::CoreTypeFilter::ECore, adviser::CoreTypeFilter::Toroid};

const QString kRankByKey = QStringLiteral("CoreAdviser/RankBy");
const QString kCoreTypeKey = QStringLiteral("CoreAdviser/CoreType");
const QString kMaxTempRiseKey = QStringLiteral("CoreAdviser/MaxTempRise");
const QString kCheckedOnlyKey = QStringLiteral("CoreAdviser/CheckedOnly");
const QString kDeliveredKey = QStringLiteral("CoreAdviser/Delivered");

// Without an organisation name QSettings has nowhere sensible to write (test programs,
// tools): such a program remembers nothing.
std::optional<QSettings> applicationSettings() {
    if (QCoreApplication::organizationName().isEmpty()) {
        return std::nullopt;
    }
    return std::make_optional<QSettings>();
}

template <typename T, std::size_t N>
int indexOf(const T (&list)[N], T value) {
    const auto at = std::find(std::begin(list), std::end(list), value);
    return at == std::end(list) ? -1 : static_cast<int>(at - std::begin(list));
}

}  // namespace

CoreAdviserWindow::CoreAdviserWindow(Apply apply, QWidget* parent)
    : QWidget(parent), apply_(std::move(apply)) {
    setObjectName("CoreAdviser");
    setWindowTitle(tr("Core Adviser"));
    build();
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    connect(&watcher_, &QFutureWatcher<adviser::Ranking>::finished, this,
            &CoreAdviserWindow::showRanking);
}

void CoreAdviserWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    fitToScreen(*this);
}

CoreAdviserWindow::~CoreAdviserWindow() {
    stop_.request_stop();
    watcher_.waitForFinished();
}

QLayout* CoreAdviserWindow::buildChoices() {
    rankBy_ = new QComboBox(this);
    rankBy_->setObjectName("RankBy");
    rankBy_->addItems({tr("Total Loss"), tr("Temperature Rise"), tr("Total Weight"),
                       tr("Relative Cost"), tr("Core Volume")});
    coreType_ = new QComboBox(this);
    coreType_->setObjectName("CoreTypeFilter");
    coreType_->addItems({tr("Both"), tr("E-core"), tr("Toroid")});
    maxTempRise_ = new QDoubleSpinBox(this);
    maxTempRise_->setObjectName("MaxTempRiseFilter");
    maxTempRise_->setRange(0, 999);
    maxTempRise_->setDecimals(1);
    maxTempRise_->setSuffix(tr(" deg. C"));
    maxTempRise_->setSpecialValueText(tr("No limit"));  // shown for 0
    // Filtering a large catalogue's ranking takes a moment: not on every keystroke.
    maxTempRise_->setKeyboardTracking(false);
    checkedOnly_ = new QCheckBox(tr("Checked only"), this);
    checkedOnly_->setObjectName("CheckedFilter");
    checkedOnly_->setToolTip(
        tr("Only the designs whose design check passes: no verdict fails or is unavailable"));
    delivered_ = new QCheckBox(tr("Delivered designs"), this);
    delivered_->setObjectName("DeliveredDesigns");
    delivered_->setChecked(true);
    delivered_->setToolTip(
        tr("Rank the designs that really deliver the inductance at full current, on 1 to 3 "
           "stacked cores at 25 °C"));
    restoreChoices();

    const auto changed = [this] {
        rememberChoices();
        showChoices();
    };
    connect(rankBy_, &QComboBox::currentIndexChanged, this, changed);
    connect(coreType_, &QComboBox::currentIndexChanged, this, changed);
    connect(maxTempRise_, &QDoubleSpinBox::valueChanged, this, changed);
    connect(checkedOnly_, &QCheckBox::toggled, this, changed);
    connect(delivered_, &QCheckBox::toggled, this, changed);

    auto* choices = new QHBoxLayout;
    choices->addWidget(new QLabel(tr("Core type"), this));
    choices->addWidget(coreType_);
    choices->addWidget(new QLabel(tr("Max. temperature rise"), this));
    choices->addWidget(maxTempRise_);
    choices->addWidget(checkedOnly_);
    choices->addWidget(new QLabel(tr("Rank by"), this));
    choices->addWidget(rankBy_);
    choices->addStretch(1);
    return choices;
}

QWidget* CoreAdviserWindow::buildOutOfDateBar() {
    auto* bar = new QWidget(this);
    bar->setObjectName("OutOfDate");
    auto* again = new QPushButton(tr("Rank Again"), bar);
    again->setObjectName("RankAgain");
    connect(again, &QPushButton::clicked, this, &CoreAdviserWindow::rankRequested);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(tr("The specification has changed since this ranking."), bar));
    row->addWidget(again);
    row->addStretch(1);
    bar->hide();
    return bar;
}

void CoreAdviserWindow::restoreChoices() {
    const auto settings = applicationSettings();
    if (!settings) {
        return;
    }
    const auto key = adviser::rankKeyFromName(settings->value(kRankByKey).toString().toStdString());
    rankBy_->setCurrentIndex(std::max(0, key ? indexOf(kKeys, *key) : 0));
    const auto types =
        adviser::coreTypeFilterFromName(settings->value(kCoreTypeKey).toString().toStdString());
    coreType_->setCurrentIndex(std::max(0, types ? indexOf(kTypeFilters, *types) : 0));
    maxTempRise_->setValue(settings->value(kMaxTempRiseKey, 0.0).toDouble());
    checkedOnly_->setChecked(settings->value(kCheckedOnlyKey, false).toBool());
    delivered_->setChecked(settings->value(kDeliveredKey, true).toBool());
}

void CoreAdviserWindow::rememberChoices() const {
    auto settings = applicationSettings();
    if (!settings) {
        return;
    }
    settings->setValue(kRankByKey, QString::fromUtf8(adviser::rankKeyName(chosenKey()).data()));
    settings->setValue(kCoreTypeKey,
                       QString::fromUtf8(adviser::coreTypeFilterName(chosenFilter().types).data()));
    settings->setValue(kMaxTempRiseKey, maxTempRise_->value());
    settings->setValue(kCheckedOnlyKey, checkedOnly_->isChecked());
    settings->setValue(kDeliveredKey, delivered_->isChecked());
}

bool CoreAdviserWindow::deliveredChosen() const {
    return delivered_->isChecked();
}

// The window's specification at 25 °C on stacks of 1 to 3 cores, by the window's key and
// rise limit, kept to the chosen core type.
adviser::Ranking CoreAdviserWindow::deliveredRanking() const {
    if (!records_ || !records_->records) {
        adviser::Ranking none;
        none.problem = records_ ? records_->problem : std::string("no catalogue");
        return none;
    }
    adviser::DeliveredRankingRequest request;
    request.specification = deliveredSpecification_;
    request.maxTemperatureRiseC = chosenFilter().maxTempRise;
    return adviser::deliveredWindowRanking(
        adviser::rankDelivered(*records_->records, request, chosenKey()), chosenFilter().types,
        chosenKey());
}

void CoreAdviserWindow::showColumns() {
    for (int column = 0; column < table_->columnCount(); ++column) {
        view_->setColumnHidden(column, deliveredChosen() ? CandidateTable::methodOnly(column)
                                                         : CandidateTable::deliveredOnly(column));
    }
    checkedOnly_->setEnabled(!deliveredChosen());  // every delivered design is checked
}

adviser::RankKey CoreAdviserWindow::chosenKey() const {
    return kKeys[std::max(0, rankBy_->currentIndex())];
}

adviser::RankingFilter CoreAdviserWindow::chosenFilter() const {
    adviser::RankingFilter filter;
    filter.types = kTypeFilters[std::max(0, coreType_->currentIndex())];
    if (maxTempRise_->value() > 0) {
        filter.maxTempRise = maxTempRise_->value();
    }
    filter.checkedOnly = checkedOnly_->isChecked();
    return filter;
}

void CoreAdviserWindow::build() {
    summary_ = new QLabel(this);
    summary_->setObjectName("RankingSummary");
    summary_->setWordWrap(true);  // a long summary must not widen the window
    progress_ = new QProgressBar(this);
    progress_->setObjectName("RankProgress");
    progress_->hide();

    auto* top = new QHBoxLayout;
    top->addWidget(summary_, 1);
    top->addWidget(progress_);
    outOfDateBar_ = buildOutOfDateBar();

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
    connect(chart_, &LossWeightChart::candidateChosen, this, &CoreAdviserWindow::applyCandidate);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(view_);
    split->addWidget(chart_);
    chart_->setMinimumHeight(260);
    split->setSizes({420, 340});

    auto* layout = new QVBoxLayout(this);
    QLayout* choices = buildChoices();
    top->addWidget(delivered_);  // beside the summary, which it changes: the choices are full
    layout->addLayout(top);
    layout->addLayout(choices);
    layout->addWidget(outOfDateBar_);
    layout->addWidget(split, 1);
}

void CoreAdviserWindow::rank(const ChokeModel& window) {
    stop_.request_stop();
    watcher_.waitForFinished();
    stop_ = std::stop_source();

    adviser::AdviserOptions options;
    options.key = chosenKey();  // the filters apply afterwards, without designing again
    options.stop = stop_.get_token();
    options.progress = [this](std::size_t done, std::size_t total) {
        QMetaObject::invokeMethod(
            this, [this, done, total] { showProgress(done, total); }, Qt::QueuedConnection);
    };
    summary_->setText(tr("Designing every core of the catalogue..."));
    progress_->setRange(0, 0);
    QTimer::singleShot(kProgressDelayMs, this, [this] { progress_->setVisible(isRanking()); });
    rankedFor_ = window.state().sizedSpecification;
    deliveredSpecification_ = deliveredSpecification(window.state());
    if (!records_ || records_->catalogueFile != window.cataloguePath())
        records_ = std::make_shared<const DeliveredRecords>(
            DeliveredRecords::load(window.cataloguePath()));
    watcher_.setFuture(QtConcurrent::run(
        [specification = sizedSpecificationOf(window), catalogue = window.cataloguePath(),
         options] { return adviser::rankCores(specification, catalogue, options); }));
    showOutOfDate(false);
}

void CoreAdviserWindow::follow(const ChokeModel& window) {
    const bool read = !window.specificationChangedSinceSizing();
    const auto& specification = window.state().sizedSpecification;
    if (read && specification == rankedFor_) {
        showOutOfDate(false);
    } else if (read && !specification.empty()) {
        rank(window);
    } else {
        showOutOfDate(true);
    }
}

void CoreAdviserWindow::showOutOfDate(bool outOfDate) {
    outOfDate_ = outOfDate;
    outOfDateBar_->setVisible(outOfDate);
    enableChoosing();
}

bool CoreAdviserWindow::choosable() const {
    return !outOfDate_ && !isRanking();
}

void CoreAdviserWindow::enableChoosing() {
    view_->setEnabled(choosable());
    chart_->setEnabled(choosable());
}

void CoreAdviserWindow::showProgress(std::size_t done, std::size_t total) {
    if (!isRanking()) {
        return;
    }
    progress_->setRange(0, static_cast<int>(total));
    progress_->setValue(static_cast<int>(done));
}

void CoreAdviserWindow::showRanking() {
    progress_->hide();
    adviser::Ranking result = watcher_.result();
    if (result.stopped) {
        return;  // a newer ranking has taken over
    }
    all_ = std::move(result);
    showChoices();
    enableChoosing();
    emit rankingFinished();
}

void CoreAdviserWindow::showChoices() {
    if (isRanking() || !all_) {
        return;  // the ranking on its way is shown with the choices of its end
    }
    showColumns();
    if (deliveredChosen()) {
        ranking_ = deliveredRanking();
        ranking_.limits = all_->limits;  // the specification's, whatever is ranked
    } else {
        ranking_ = adviser::filteredRanking(*all_, chosenFilter(), chosenKey());
    }
    if (ranking_.problem) {
        summary_->setText(QString::fromStdString(*ranking_.problem));
    } else if (deliveredChosen()) {
        summary_->setText(tr("%1 of %2 delivered designs on 1 to 3 stacked cores pass at 25 °C")
                              .arg(ranking_.feasibleCount)
                              .arg(ranking_.candidates.size()));
    } else {
        summary_->setText(tr("%1 of %2 designs meet the specification (minimum AP %3 cm^4)")
                              .arg(ranking_.feasibleCount)
                              .arg(ranking_.candidates.size())
                              .arg(QString::fromStdString(formatFixed(ranking_.limits.minAP, 3))));
    }
    table_->setCandidates(ranking_.candidates);
    chart_->setCandidates(ranking_.candidates);
    view_->sortByColumn(0, Qt::AscendingOrder);
}

void CoreAdviserWindow::applyCandidate(int index) {
    if (!choosable() || index < 0 || index >= static_cast<int>(ranking_.candidates.size()) ||
        !apply_) {
        return;
    }
    apply_(ranking_.candidates[static_cast<std::size_t>(index)]);
}

}  // namespace coilsmith
