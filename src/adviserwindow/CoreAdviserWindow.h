#pragma once

#include <QFutureWatcher>
#include <QWidget>

#include <functional>
#include <optional>
#include <stop_token>

#include "adviser/AdviserEngine.h"
#include "adviser/RankingFilter.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
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
// which picks it in the design window and runs the design there. The rank key and the
// filters (core type, maximum temperature rise, checked designs only) are remembered in the
// application's settings when it has an organisation name.
class CoreAdviserWindow : public QWidget {
    Q_OBJECT

  public:
    using Apply = std::function<void(const adviser::Candidate&)>;

    CoreAdviserWindow(Apply apply, QWidget* parent = nullptr);
    ~CoreAdviserWindow() override;

    // Ranks anew for the specification of `window` (copied; the window is not touched).
    void rank(const ChokeModel& window);
    bool isRanking() const { return watcher_.isRunning(); }
    // The ranking as shown: filtered and ordered by the window's choices.
    const adviser::Ranking& ranking() const noexcept { return ranking_; }
    // Hands the candidate at `index` of ranking().candidates to the design window.
    void applyCandidate(int index);

  signals:
    void rankingFinished();

  private:
    void build();
    void showRanking();
    void showProgress(std::size_t done, std::size_t total);
    QLayout* buildChoices();
    void restoreChoices();
    void rememberChoices() const;
    adviser::RankKey chosenKey() const;
    adviser::RankingFilter chosenFilter() const;
    // Orders and filters the last ranking anew for the window's choices; nothing is designed.
    void showChoices();

    Apply apply_;
    std::stop_source stop_;
    QFutureWatcher<adviser::Ranking> watcher_;
    std::optional<adviser::Ranking> all_;  // every candidate, no temperature limit
    adviser::Ranking ranking_;
    CandidateTable* table_ = nullptr;
    FeasibleFirstProxy* proxy_ = nullptr;
    QTableView* view_ = nullptr;
    LossWeightChart* chart_ = nullptr;
    QComboBox* rankBy_ = nullptr;
    QComboBox* coreType_ = nullptr;
    QDoubleSpinBox* maxTempRise_ = nullptr;
    QCheckBox* checkedOnly_ = nullptr;
    QLabel* summary_ = nullptr;
    QProgressBar* progress_ = nullptr;
};

}  // namespace coilsmith
