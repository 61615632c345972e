#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "magnetics/Value.h"

namespace coilsmith::catalogue {

// How a key column's texts compare: SQLite's built-in collations.
enum class Collation { Binary, NoCase, RTrim };

// A column's type affinity, from its declared type by SQLite's rules; a seek key is
// converted by it as SQLite converts the operand of "column = key".
enum class Affinity { Text, Numeric, Integer, Real, Blob };

struct KeyColumn {
    std::size_t field = 0;
    Collation collation = Collation::Binary;
    bool descending = false;
};

// A named index: its key columns and the row numbers in its order (key, then rowid).
struct TableIndex {
    std::string name;
    std::vector<KeyColumn> keys;
    std::vector<std::size_t> order;
};

// One catalogue table as loaded from the file. Immutable once built, so record sets over it
// share it freely, across threads too.
struct Table {
    std::string file;  // the database it came from, for messages
    std::string name;
    std::vector<std::string> fields;
    std::vector<Affinity> affinities;  // one per field
    std::vector<Value> cells;          // row after row, in rowid order
    std::size_t rowCount = 0;
    std::vector<TableIndex> indexes;

    const Value& cell(std::size_t row, std::size_t field) const noexcept {
        return cells[row * fields.size() + field];
    }
    // Field and index names are matched without regard to letter case, as the database does.
    std::optional<std::size_t> fieldIndex(std::string_view fieldName) const noexcept;
    const TableIndex* findIndex(std::string_view indexName) const noexcept;
    // "<file>" or, for a table made in memory, its name: how messages refer to the source.
    std::string source() const;
};

bool equalsNoCase(std::string_view a, std::string_view b) noexcept;

// SQLite's order of values: null, then numbers by value, then texts by the collation.
int compareValues(const Value& a, const Value& b, Collation collation) noexcept;

// Fills index.order: rows sorted by the key columns, ties in rowid order.
void sortIndex(const Table& table, TableIndex& index);

// The seek key as the database would compare it with a column of this affinity.
Value withAffinity(const Value& key, Affinity affinity);

Affinity affinityOf(std::string_view declaredType) noexcept;
Collation collationOf(std::string_view name) noexcept;

}  // namespace coilsmith::catalogue
