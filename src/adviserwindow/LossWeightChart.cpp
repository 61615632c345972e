#include "adviserwindow/LossWeightChart.h"

#include <QChart>
#include <QCursor>
#include <QLabel>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

#include "numeric/NumberText.h"

namespace coilsmith {

// The view owns the chart it is constructed with; one given later by setChart would leave
// the view's own first chart behind.
LossWeightChart::LossWeightChart(QWidget* parent) : QChartView(new QChart, parent) {
    setObjectName("LossWeightChart");
    setRenderHint(QPainter::Antialiasing);
    QChart* chart = this->chart();
    chart->legend()->setAlignment(Qt::AlignBottom);

    others_ = new QScatterSeries(chart);
    others_->setName(tr("Feasible"));
    others_->setMarkerSize(7);
    others_->setColor(QColor(90, 130, 190));
    front_ = new QScatterSeries(chart);
    front_->setName(tr("Pareto set"));
    front_->setMarkerSize(11);
    front_->setColor(QColor(220, 80, 30));
    addSeries(others_);
    addSeries(front_);

    auto* x = new QLogValueAxis(chart);
    // Short axis titles keep their units on a small screen; the chart's title says "total".
    x->setTitleText(tr("Weight (g)"));
    x->setBase(10);
    x->setLabelFormat(QStringLiteral("%g"));
    x->setMinorTickCount(-1);  // 2 to 9 times each power of ten
    auto* y = new QValueAxis(chart);
    y->setTitleText(tr("Loss (W)"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QScatterSeries* series : {others_, front_}) {
        series->attachAxis(x);
        series->attachAxis(y);
    }

    hoverLabel_ = new QLabel(this);
    hoverLabel_->setObjectName("HoveredCandidate");
    hoverLabel_->move(8, 4);
    hoverLabel_->hide();

    noDesign_ = new QLabel(tr("No design meets the limits"), this);
    noDesign_->setObjectName("NoFeasibleDesign");
    noDesign_->setAlignment(Qt::AlignCenter);
    noDesign_->setAttribute(Qt::WA_TransparentForMouseEvents);
    noDesign_->hide();
    // Until a ranking arrives there is nothing to plot and nothing to say.
    showPlot(false);
}

void LossWeightChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    noDesign_->setGeometry(rect());
}

// Axes, legend and title only around points; otherwise the area stays plain.
void LossWeightChart::showPlot(bool visible) {
    QChart* chart = this->chart();
    const auto axes = chart->axes();
    for (QAbstractAxis* axis : axes) {
        axis->setVisible(visible);
    }
    chart->legend()->setVisible(visible);
    chart->setTitle(visible ? tr("Total loss against total weight") : QString());
}

std::pair<double, double> LossWeightChart::decadeBounds(double low, double high) {
    // The small tolerance keeps 1000 (read back as 999.9999...) in its own decade.
    const double lowExponent = std::floor(std::log10(low) + 1e-9);
    double highExponent = std::ceil(std::log10(high) - 1e-9);
    highExponent = std::max(highExponent, lowExponent + 1);
    return {std::pow(10.0, lowExponent), std::pow(10.0, highExponent)};
}

void LossWeightChart::addSeries(QScatterSeries* series) {
    chart()->addSeries(series);
    connect(series, &QScatterSeries::hovered, this, &LossWeightChart::showHovered);
    connect(series, &QScatterSeries::doubleClicked, this, [this](const QPointF& point) {
        if (const int index = candidateAt(point); index >= 0) {
            emit candidateChosen(index);
        }
    });
}

QString LossWeightChart::describe(const adviser::Candidate& c) {
    return QStringLiteral("%1 %2 %3: %4 W, %5 g%6")
        .arg(QString::fromUtf8(adviser::coreTypeName(c.type).data()),
             QString::fromStdString(c.core), QString::fromStdString(c.material),
             QString::fromStdString(formatFixed(c.totalLoss, 2)),
             QString::fromStdString(formatFixed(c.totalWeight, 2)),
             c.pareto ? tr(" (Pareto set)") : QString());
}

void LossWeightChart::setCandidates(const std::vector<adviser::Candidate>& candidates) {
    QList<QPointF> others, front;
    points_.clear();
    descriptions_.assign(candidates.size(), QString());
    double maxLoss = 0;
    double minWeight = std::numeric_limits<double>::infinity();
    double maxWeight = 0;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const adviser::Candidate& c = candidates[i];
        // A logarithmic axis has no place for a weight that is not positive.
        if (!c.feasible || !(c.totalWeight > 0) || !std::isfinite(c.totalWeight) ||
            !std::isfinite(c.totalLoss)) {
            continue;
        }
        const QPointF point(c.totalWeight, c.totalLoss);
        (c.pareto ? front : others).append(point);
        points_.emplace_back(point, static_cast<int>(i));
        descriptions_[i] = describe(c);
        maxLoss = std::max(maxLoss, c.totalLoss);
        minWeight = std::min(minWeight, c.totalWeight);
        maxWeight = std::max(maxWeight, c.totalWeight);
    }
    others_->replace(others);
    front_->replace(front);
    hoverLabel_->hide();
    const bool any = !points_.empty();
    noDesign_->setVisible(!any);
    showPlot(any);
    if (!any) {
        return;
    }
    const auto [weightLow, weightHigh] = decadeBounds(minWeight, maxWeight);
    for (QAbstractAxis* axis : chart()->axes(Qt::Horizontal)) {
        axis->setRange(weightLow, weightHigh);
    }
    for (QAbstractAxis* axis : chart()->axes(Qt::Vertical)) {
        auto* loss = static_cast<QValueAxis*>(axis);
        loss->setRange(0, maxLoss > 0 ? maxLoss * 1.08 : 1.0);
        loss->applyNiceNumbers();
    }
}

int LossWeightChart::candidateAt(const QPointF& point) const {
    for (const auto& [p, index] : points_) {
        if (p == point) {
            return index;
        }
    }
    return -1;
}

void LossWeightChart::showHovered(const QPointF& point, bool entered) {
    const int index = candidateAt(point);
    if (!entered || index < 0) {
        hoverLabel_->hide();
        QToolTip::hideText();
        return;
    }
    const QString& text = descriptions_[static_cast<std::size_t>(index)];
    hoverLabel_->setText(text);
    hoverLabel_->adjustSize();
    hoverLabel_->show();
    QToolTip::showText(QCursor::pos(), text, this);
}

}  // namespace coilsmith
