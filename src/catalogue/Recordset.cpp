#include <algorithm>
#include <stdexcept>

#include "catalogue/Catalogue.h"
#include "catalogue/Table.h"
#include "numeric/Fault.h"

namespace coilsmith {
namespace {

using catalogue::Table;
using catalogue::TableIndex;

}  // namespace

Recordset::Recordset(std::shared_ptr<const Table> table) : table_(std::move(table)) {}

std::size_t Recordset::size() const noexcept {
    return table_->rowCount;
}

std::size_t Recordset::rowAt(std::size_t position) const noexcept {
    return index_ != nullptr ? index_->order[position] : position;
}

void Recordset::setIndex(std::string_view name) {
    const TableIndex* index = table_->findIndex(name);
    if (index == nullptr) {
        throw CatalogueError("The catalogue " + table_->source() + " cannot be used: the index \"" +
                             std::string(name) + "\" of table \"" + table_->name +
                             "\" is missing.");
    }
    index_ = index;
    indexName_ = index->name;
    cursor_ = 0;
    lost_ = false;
}

void Recordset::goToFirst() {
    if (size() == 0) {
        throw Fault(FaultKind::NoCurrentRecord, table_->name + ": no records");
    }
    cursor_ = 0;
    lost_ = false;
}

void Recordset::goToLast() {
    if (size() == 0) {
        throw Fault(FaultKind::NoCurrentRecord, table_->name + ": no records");
    }
    cursor_ = size() - 1;
    lost_ = false;
}

void Recordset::goToNext() {
    if (!hasCurrent()) {
        throw Fault(FaultKind::NoCurrentRecord, table_->name + ": no record to move from");
    }
    ++cursor_;
}

bool Recordset::atEnd() const noexcept {
    return size() == 0 || (!lost_ && cursor_ >= size());
}

bool Recordset::hasCurrent() const noexcept {
    return !lost_ && cursor_ < size();
}

std::int64_t Recordset::recordCount() const noexcept {
    return static_cast<std::int64_t>(size());
}

void Recordset::findByIndex(std::string_view comparison, const Value& key) {
    if (comparison != "=") {
        throw std::invalid_argument("Seek supports only \"=\", not \"" + std::string(comparison) +
                                    "\"");
    }
    if (index_ == nullptr) {
        throw CatalogueError("The catalogue " + table_->source() + ": a seek in table \"" +
                             table_->name + "\" needs a current index.");
    }
    const catalogue::KeyColumn& column = index_->keys.front();
    const Value converted = catalogue::withAffinity(key, table_->affinities[column.field]);
    const catalogue::Key wanted = catalogue::keyOf(converted);
    const auto compare = [&](std::size_t row) {
        const int c =
            catalogue::compareKeys(table_->key(row, column.field), wanted, column.collation);
        return column.descending ? -c : c;
    };
    const auto first = std::partition_point(index_->order.begin(), index_->order.end(),
                                            [&](std::size_t row) { return compare(row) < 0; });
    findFailed_ = first == index_->order.end() || compare(*first) != 0;
    lost_ = findFailed_;
    if (!findFailed_) {
        cursor_ = static_cast<std::size_t>(first - index_->order.begin());
    }
}

Value Recordset::field(std::string_view name) const {
    const auto field = table_->fieldIndex(name);
    if (!field) {
        throw CatalogueError("The catalogue " + table_->source() + " cannot be used: the field \"" +
                             std::string(name) + "\" of table \"" + table_->name +
                             "\" is missing.");
    }
    if (!hasCurrent()) {
        throw Fault(FaultKind::NoCurrentRecord, table_->name + "." + std::string(name));
    }
    return table_->value(rowAt(cursor_), *field);
}

std::string_view Recordset::rowProblem() const noexcept {
    if (!hasCurrent() || table_->rowProblems.empty()) {
        return {};
    }
    return table_->rowProblems[rowAt(cursor_)];
}

const std::string& Recordset::notice() const noexcept {
    return table_->notice;
}

const std::string& Recordset::table() const noexcept {
    return table_->name;
}

const std::vector<std::string>& Recordset::fieldNames() const noexcept {
    return table_->fields;
}

}  // namespace coilsmith
