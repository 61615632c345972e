#pragma once

#include <QFutureWatcher>
#include <QWidget>

#include <functional>
#include <stop_token>

#include "adviser/CoreAdviser.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QTableView;

namespace coilsmith {

class CandidateTable;
class FeasibleFirstProxy;
class LossWeightChart;

// The core adviser window: every core and material of the catalogue designed for the
// design window's specification, in a sortable table and a loss/weight chart. Ranking runs
// on worker threads; a double click on a row or a point hands the candidate to `apply`,
// which picks it in the design window and runs the design there.
class CoreAdviser : public QWidget {
    Q_OBJECT

  public:
    using Apply = std::function<void(const adviser::Candidate&)>;

    CoreAdviser(Apply apply, QWidget* parent = nullptr);
    ~CoreAdviser() override;

    // Ranks anew for the specification of `window` (copied; the window is not touched).
    void rank(const ChokeModel& window);
    bool isRanking() const { return watcher_.isRunning(); }
    const adviser::Ranking& ranking() const noexcept { return ranking_; }
    // Hands the candidate at `index` of ranking().candidates to the design window.
    void applyCandidate(int index);

  signals:
    void rankingFinished();

  private:
    void build();
    void showRanking();
    void showProgress(std::size_t done, std::size_t total);
    void reorder();

    Apply apply_;
    std::stop_source stop_;
    QFutureWatcher<adviser::Ranking> watcher_;
    adviser::Ranking ranking_;
    CandidateTable* table_ = nullptr;
    FeasibleFirstProxy* proxy_ = nullptr;
    QTableView* view_ = nullptr;
    LossWeightChart* chart_ = nullptr;
    QComboBox* rankBy_ = nullptr;
    QLabel* summary_ = nullptr;
    QProgressBar* progress_ = nullptr;
};

}  // namespace coilsmith
