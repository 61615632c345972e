#pragma once

#include <QFutureWatcher>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "adviser/AdviserEngine.h"
#include "adviser/RankingFilter.h"
#include "adviserwindow/CandidateInWindow.h"
#include "check/DeliveredCheck.h"

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
// which picks it in the design window and runs the design there. The ranking follows the
// design window's specification (see follow()); nothing can be chosen from a ranking of
// another specification, nor while a ranking runs. The rank key and the filters (core
// type, maximum temperature rise, checked designs only, delivered designs) are remembered in
// the application's settings when it has an organisation name. Escape closes the window.
// With "Delivered designs" (the default) the window ranks what each core really delivers
// on stacks of 1 to 3 cores at 25 °C, as `rank --delivered` does; a double click then also
// sets the design window's stack to the candidate's.
class CoreAdviserWindow : public QWidget {
    Q_OBJECT

  public:
    using Apply = std::function<void(const adviser::Candidate&)>;

    CoreAdviserWindow(Apply apply, QWidget* parent = nullptr);
    ~CoreAdviserWindow() override;

    // Ranks anew for the specification of `window` (copied; the window is not touched).
    void rank(const ChokeModel& window);
    // The design window changed. A ranking of another specification than the one it shows
    // is out of date: when that specification has been read ("Calculate AP", Run) it is
    // ranked at once; while it is only typed, the window says the ranking is out of date
    // and its "Rank Again" button asks for a ranking with rankRequested().
    void follow(const ChokeModel& window);
    bool outOfDate() const noexcept { return outOfDate_; }
    bool isRanking() const { return watcher_.isRunning(); }
    // The ranking as shown: filtered and ordered by the window's choices.
    const adviser::Ranking& ranking() const noexcept { return ranking_; }
    // Hands the candidate at `index` of ranking().candidates to the design window.
    void applyCandidate(int index);

  protected:
    void showEvent(QShowEvent* event) override;

  signals:
    void rankingFinished();
    // "Rank Again": the design window's specification should be read and ranked.
    void rankRequested();

  private:
    void build();
    void showRanking();
    void showProgress(std::size_t done, std::size_t total);
    QLayout* buildChoices();
    void restoreChoices();
    void rememberChoices() const;
    adviser::RankKey chosenKey() const;
    adviser::RankingFilter chosenFilter() const;
    QWidget* buildOutOfDateBar();
    // Orders and filters the last ranking anew for the window's choices; nothing is designed.
    void showChoices();
    void showOutOfDate(bool outOfDate);
    // Rows and points can be chosen only from a finished ranking that is not out of date.
    bool choosable() const;
    void enableChoosing();
    bool deliveredChosen() const;
    adviser::Ranking deliveredRanking() const;
    void showColumns();

    Apply apply_;
    std::stop_source stop_;
    QFutureWatcher<adviser::Ranking> watcher_;
    std::optional<adviser::Ranking> all_;  // every candidate, no temperature limit
    // The specification texts of the last ranking (ChokeModel::specificationTexts).
    std::vector<std::string> rankedFor_;
    bool outOfDate_ = false;
    // What the delivered ranking takes of the last ranked specification.
    physics::ChokeSpecification deliveredSpecification_;
    std::shared_ptr<const DeliveredRecords> records_;
    QWidget* outOfDateBar_ = nullptr;
    adviser::Ranking ranking_;
    CandidateTable* table_ = nullptr;
    FeasibleFirstProxy* proxy_ = nullptr;
    QTableView* view_ = nullptr;
    LossWeightChart* chart_ = nullptr;
    QComboBox* rankBy_ = nullptr;
    QComboBox* coreType_ = nullptr;
    QDoubleSpinBox* maxTempRise_ = nullptr;
    QCheckBox* checkedOnly_ = nullptr;
    QCheckBox* delivered_ = nullptr;
    QLabel* summary_ = nullptr;
    QProgressBar* progress_ = nullptr;
};

}  // namespace coilsmith
