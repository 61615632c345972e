#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "numeric/Value.h"

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

// A stored cell in 16 bytes: the texts of a table live in one pool, so loading a large
// table makes no allocation per text.
class Cell {
  public:
    enum class Kind : std::uint8_t { Null, Integer, Real, Text };

    Cell() = default;
    static Cell integer(std::int64_t v) noexcept {
        return {Kind::Integer, std::bit_cast<std::uint64_t>(v), 0};
    }
    static Cell real(double v) noexcept { return {Kind::Real, std::bit_cast<std::uint64_t>(v), 0}; }
    static Cell text(std::size_t offset, std::uint32_t length) noexcept {
        return {Kind::Text, offset, length};
    }

    Kind kind() const noexcept { return kind_; }
    std::int64_t whole() const noexcept { return std::bit_cast<std::int64_t>(bits_); }
    double real() const noexcept { return std::bit_cast<double>(bits_); }
    std::size_t offset() const noexcept { return static_cast<std::size_t>(bits_); }
    std::uint32_t length() const noexcept { return length_; }

  private:
    Cell(Kind kind, std::uint64_t bits, std::uint32_t length) noexcept
        : bits_(bits), length_(length), kind_(kind) {}

    std::uint64_t bits_ = 0;
    std::uint32_t length_ = 0;
    Kind kind_ = Kind::Null;
};

// A value as an index compares it; the text is a view, into a table's pool or a Value.
struct Key {
    Cell::Kind kind = Cell::Kind::Null;
    std::int64_t whole = 0;
    double real = 0.0;
    std::string_view text;
};

// One catalogue table as loaded from the file. Immutable once built, so record sets over it
// share it freely, across threads too.
struct Table {
    std::string file;  // the database it came from, for messages
    std::string name;
    std::vector<std::string> fields;
    std::vector<Affinity> affinities;  // one per field
    std::vector<Cell> cells;           // row after row, in rowid order
    std::string texts;                 // the pool the text cells point into
    std::size_t rowCount = 0;
    std::vector<TableIndex> indexes;
    // Why a row is not physically sensible, by row number ("" for a sound row); empty when
    // every row is.
    std::vector<std::string> rowProblems;
    // What the reader has to say about the file although it could read it (a change left
    // unfinished); empty normally.
    std::string notice;

    const Cell& cell(std::size_t row, std::size_t field) const noexcept {
        return cells[row * fields.size() + field];
    }
    Key key(std::size_t row, std::size_t field) const noexcept;
    Value value(std::size_t row, std::size_t field) const;
    void appendText(std::string_view text);  // std::length_error beyond 4 GB
    void append(const Value& value);
    // Field and index names are matched without regard to letter case, as the database does.
    std::optional<std::size_t> fieldIndex(std::string_view fieldName) const noexcept;
    const TableIndex* findIndex(std::string_view indexName) const noexcept;
    // "<file>" or, for a table made in memory, its name: how messages refer to the source.
    std::string source() const;
};

bool equalsNoCase(std::string_view a, std::string_view b) noexcept;

// Fills table.rowProblems from the physical-sense rules of the catalogue's tables
// ("field \"VC\" of T157 in table \"Toroids\" is 1e+300, outside 1e-05 to 1e+06").
void markUnsoundRows(Table& table);

// SQLite's order of values: null, then numbers by value, then texts by the collation.
int compareKeys(const Key& a, const Key& b, Collation collation) noexcept;

// The key of a value; its text stays a view into `value`.
Key keyOf(const Value& value) noexcept;

// Fills index.order: rows sorted by the key columns, ties in rowid order.
void sortIndex(const Table& table, TableIndex& index);

// The seek key as the database would compare it with a column of this affinity.
Value withAffinity(const Value& key, Affinity affinity);

Affinity affinityOf(std::string_view declaredType) noexcept;
Collation collationOf(std::string_view name) noexcept;

}  // namespace coilsmith::catalogue
