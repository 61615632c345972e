#pragma once

#include <QChartView>

#include <vector>

#include "adviser/Candidate.h"

class QScatterSeries;
class QLabel;

namespace coilsmith {

// Total loss against total weight of the feasible candidates, the Pareto set highlighted;
// the point under the mouse is named in a label and a tooltip, a double click chooses it.
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

  signals:
    void candidateChosen(int index);

  private:
    void addSeries(QScatterSeries* series);
    void showHovered(const QPointF& point, bool entered);

    QScatterSeries* others_ = nullptr;
    QScatterSeries* front_ = nullptr;
    QLabel* hoverLabel_ = nullptr;
    std::vector<std::pair<QPointF, int>> points_;
    std::vector<QString> descriptions_;
};

}  // namespace coilsmith
