#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <vector>

#include "adviser/Candidate.h"

namespace coilsmith {

// The candidates as table rows: texts as the results page shows them, numbers for sorting
// (Qt::UserRole), infeasible rows greyed with their reason as tooltip.
class CandidateTable : public QAbstractTableModel {
    Q_OBJECT

  public:
    using QAbstractTableModel::QAbstractTableModel;

    void setCandidates(std::vector<adviser::Candidate> candidates);
    const std::vector<adviser::Candidate>& candidates() const noexcept { return candidates_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Columns that only the method's designs fill (Bmax, area products, the bare fill), and
    // the one only delivered designs fill (the stack).
    static bool methodOnly(int column);
    static bool deliveredOnly(int column);

  private:
    std::vector<adviser::Candidate> candidates_;
};

// Sorting that keeps the feasible candidates above the others in either direction.
class FeasibleFirstProxy : public QSortFilterProxyModel {
    Q_OBJECT

  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

  protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

}  // namespace coilsmith
