#include "adviserwindow/CandidateTable.h"

#include <QBrush>
#include <QPalette>

#include <array>
#include <functional>
#include <string_view>

namespace coilsmith {

namespace {

using adviser::Candidate;

struct Column {
    const char* title;
    std::function<QString(const Candidate&)> text;
    std::function<QVariant(const Candidate&)> sortValue;
};

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

QVariant numberOr(const std::optional<double>& value) {
    return value ? QVariant(*value) : QVariant(std::numeric_limits<double>::max());
}

QString fixedOr(const std::optional<double>& value, int decimals) {
    return value ? q(formatFixed(*value, decimals)) : QString();
}

const std::vector<Column>& columns() {
    using C = const Candidate&;
    const auto result = [](auto member) {
        return
            [member](C c) { return c.completed ? q((c.texts.*member).value_or("")) : QString(); };
    };
    static const std::vector<Column> list = {
        {"Rank", [](C c) { return c.feasible ? QString::number(c.rank) : QString(); },
         [](C c) { return QVariant(c.feasible ? c.rank : 1 << 30); }},
        {"Type", [](C c) { return q(std::string(adviser::coreTypeName(c.type))); },
         [](C c) { return QVariant(static_cast<int>(c.type)); }},
        {"Core", [](C c) { return q(c.core); }, [](C c) { return QVariant(q(c.core)); }},
        {"Material", [](C c) { return q(c.material); },
         [](C c) { return QVariant(q(c.material)); }},
        {"Stack", [](C c) { return c.stackCount ? QString::number(*c.stackCount) : QString(); },
         [](C c) { return QVariant(c.stackCount.value_or(0)); }},
        {"Turns", result(&DesignResultTexts::turns), [](C c) { return QVariant(c.turns); }},
        {"AWG", result(&DesignResultTexts::wireGauge), [](C c) { return QVariant(c.awg); }},
        {"Total Loss (W)", result(&DesignResultTexts::totalLoss),
         [](C c) { return QVariant(c.totalLoss); }},
        {"Total Weight (g)", result(&DesignResultTexts::totalWeight),
         [](C c) { return QVariant(c.totalWeight); }},
        {"Temperature Rise (deg. C)", result(&DesignResultTexts::temperatureRise),
         [](C c) { return QVariant(c.tempRise); }},
        {"Bmax (T)", result(&DesignResultTexts::peakFluxDensity),
         [](C c) { return QVariant(c.bmax); }},
        {"Relative Cost", result(&DesignResultTexts::relativeCost),
         [](C c) { return numberOr(c.cost); }},
        {"Core AP (cm^4)", [](C c) { return fixedOr(c.coreAP, 3); },
         [](C c) { return numberOr(c.coreAP); }},
        {"AP Margin", [](C c) { return fixedOr(c.apMargin, 2); },
         [](C c) { return numberOr(c.apMargin); }},
        {"Vc (cm^3)", [](C c) { return fixedOr(c.volume, 3); },
         [](C c) { return numberOr(c.volume); }},
        {"Window Fill", [](C c) { return c.completed ? fixedOr(c.fill, 3) : QString(); },
         [](C c) { return numberOr(c.fill); }},
        {"L at Idc (%)", [](C c) { return c.completed ? fixedOr(c.lIdcPercent, 1) : QString(); },
         [](C c) { return numberOr(c.lIdcPercent); }},
        {"Wound fill", [](C c) { return c.completed ? fixedOr(c.woundFill, 3) : QString(); },
         [](C c) { return numberOr(c.woundFill); }},
        {"Hot rise (C)", [](C c) { return c.completed ? fixedOr(c.hotRise, 1) : QString(); },
         [](C c) { return numberOr(c.hotRise); }},
        {"Pareto", [](C c) { return c.pareto ? QStringLiteral("yes") : QString(); },
         [](C c) { return QVariant(c.pareto ? 0 : 1); }},
        {"Reason", [](C c) { return q(c.reason); }, [](C c) { return QVariant(q(c.reason)); }},
    };
    return list;
}

}  // namespace

bool CandidateTable::methodOnly(int column) {
    static const QStringList titles = {"Bmax (T)", "Core AP (cm^4)", "AP Margin", "Window Fill"};
    return column >= 0 && column < static_cast<int>(columns().size()) &&
           titles.contains(QString::fromUtf8(columns()[static_cast<std::size_t>(column)].title));
}

bool CandidateTable::deliveredOnly(int column) {
    return column >= 0 && column < static_cast<int>(columns().size()) &&
           std::string_view(columns()[static_cast<std::size_t>(column)].title) == "Stack";
}

void CandidateTable::setCandidates(std::vector<adviser::Candidate> candidates) {
    beginResetModel();
    candidates_ = std::move(candidates);
    endResetModel();
}

int CandidateTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(candidates_.size());
}

int CandidateTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns().size());
}

QVariant CandidateTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const Candidate& c = candidates_[static_cast<std::size_t>(index.row())];
    const Column& column = columns()[static_cast<std::size_t>(index.column())];
    switch (role) {
        case Qt::DisplayRole:
            return column.text(c);
        case Qt::UserRole:
            return column.sortValue(c);
        case Qt::ForegroundRole:
            return c.feasible ? QVariant() : QVariant(QBrush(Qt::gray));
        case Qt::ToolTipRole:
            return c.feasible ? QVariant() : QVariant(q(c.reason));
        case Qt::TextAlignmentRole:
            return index.column() >= 4 && index.column() <= 18
                       ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter))
                       : QVariant();
        default:
            return {};
    }
}

QVariant CandidateTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= columnCount()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return QString::fromUtf8(columns()[static_cast<std::size_t>(section)].title);
}

bool FeasibleFirstProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const auto* table = static_cast<const CandidateTable*>(sourceModel());
    const auto& a = table->candidates()[static_cast<std::size_t>(left.row())];
    const auto& b = table->candidates()[static_cast<std::size_t>(right.row())];
    if (a.feasible != b.feasible) {
        // Qt reverses the comparison for a descending sort; the feasible stay on top.
        return sortOrder() == Qt::AscendingOrder ? a.feasible : b.feasible;
    }
    const QVariant va = left.data(Qt::UserRole);
    const QVariant vb = right.data(Qt::UserRole);
    const int order = QVariant::compare(va, vb) == QPartialOrdering::Less      ? -1
                      : QVariant::compare(va, vb) == QPartialOrdering::Greater ? 1
                                                                               : 0;
    if (order != 0) {
        return order < 0;
    }
    return left.row() < right.row();  // the ranking's own order
}

}  // namespace coilsmith
