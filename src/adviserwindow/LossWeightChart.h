#pragma once

#include <QChartView>

#include <utility>
#include <vector>

#include "adviser/Candidate.h"

class QScatterSeries;
class QLabel;

namespace coilsmith {

// Total loss against total weight of the feasible candidates, the Pareto set highlighted;
// the point under the mouse is named in a label and a tooltip, a double click chooses it.
// Weights of one ranking span decades (a few grams to kilograms), so the weight axis is
// logarithmic. With no feasible candidate the chart gives way to a plain message.
class LossWeightChart : public QChartView {
    Q_OBJECT

  public:
    explicit LossWeightChart(QWidget* parent = nullptr);

    void setCandidates(const std::vector<adviser::Candidate>& candidates);
    // The text naming a candidate as hovering shows it.
    static QString describe(const adviser::Candidate& candidate);
    QLabel* hoverLabel() const noexcept { return hoverLabel_; }
    // The candidate index (into the list given) at a series point, -1 for none.
    int candidateAt(const QPointF& point) const;
    QLabel* noDesignLabel() const noexcept { return noDesign_; }

    // The decades that enclose [low, high] (both positive): the powers of ten at or below
    // `low` and at or above `high`, one decade apart at least.
    static std::pair<double, double> decadeBounds(double low, double high);

  signals:
    void candidateChosen(int index);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void showPlot(bool visible);
    void addSeries(QScatterSeries* series);
    void showHovered(const QPointF& point, bool entered);

    QScatterSeries* others_ = nullptr;
    QScatterSeries* front_ = nullptr;
    QLabel* hoverLabel_ = nullptr;
    QLabel* noDesign_ = nullptr;
    std::vector<std::pair<QPointF, int>> points_;
    std::vector<QString> descriptions_;
};

}  // namespace coilsmith
