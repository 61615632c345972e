#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "numeric/Value.h"

namespace coilsmith {

// A catalogue that cannot be used: missing or unreadable file, not a database, a missing
// table, field or index. The message names the file and what is missing.
class CatalogueError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

namespace catalogue {
struct Table;
struct TableIndex;
}  // namespace catalogue

// The rows of one catalogue table, loaded into memory on Refresh, with a cursor and a
// current index chosen by name. Reading a field with no current record throws
// Fault(NoCurrentRecord), which the skip-and-continue callers catch like any fault.
// Copies share the loaded rows (immutable) and keep their own cursor and index, so a
// copy costs a reference count and a few words.
class Recordset {
  public:
    // A table loaded from a catalogue file. No current index yet: records in table order,
    // the first one current.
    explicit Recordset(std::shared_ptr<const catalogue::Table> table);

    // Chooses the current index by its name ("PrimaryKey", "CoreNo"); the record order
    // becomes that index's order and the first record in it becomes current.
    // CatalogueError naming the file for an unknown index.
    void setIndex(std::string_view name);
    const std::string& index() const noexcept { return indexName_; }

    void goToFirst();  // Fault(NoCurrentRecord) on an empty table
    void goToLast();   // Fault(NoCurrentRecord) on an empty table
    // From the last record: past the end (EOF, no current record). Fault(NoCurrentRecord)
    // when there is no current record to move from (already past the end, or after a
    // find without a match).
    void goToNext();
    bool atEnd() const noexcept;  // true past the last record and on an empty table
    std::int64_t recordCount() const noexcept;

    // Positions on the first record, in current-index order, whose first key field equals
    // `key` (text compared by the index's collation: case-insensitively in the catalogue).
    // Without a match there is no current record and lastFindFailed() is true. Only "=" is
    // supported (std::invalid_argument otherwise); CatalogueError without a current index.
    void findByIndex(std::string_view comparison, const Value& key);
    bool lastFindFailed() const noexcept { return findFailed_; }
    bool hasCurrent() const noexcept;

    // The position of the current record in the current order, -1 when there is none.
    std::int64_t absolutePosition() const noexcept {
        return hasCurrent() ? static_cast<std::int64_t>(cursor_) : -1;
    }
    // Makes the record at `position` current; recordCount() puts the cursor past the last
    // record, where MoveNext leaves it. False, and nothing moved, for any other position.
    bool setAbsolutePosition(std::int64_t position) noexcept {
        if (position < 0 || position > recordCount()) {
            return false;
        }
        cursor_ = static_cast<std::size_t>(position);
        lost_ = false;
        return true;
    }
    // Whether both record sets read one and the same load of a table.
    bool sharesRowsWith(const Recordset& other) const noexcept { return table_ == other.table_; }

    // The named field of the current record (null for an empty cell). Field names match
    // without regard to case. CatalogueError for a field the table does not have.
    Value field(std::string_view name) const;

    // Why the current record is not physically sensible, naming its field, key and table
    // ("field \"VC\" of T157 in table \"Toroids\" is 1e+300, outside 1e-05 to 1e+06");
    // empty for a sound record and when there is no current record. Such a record reads
    // as any other; whoever uses its values refuses it with this reason.
    std::string_view rowProblem() const noexcept;
    // What the reader had to say about the file although it read it (a change that a
    // program stopped in the middle of, rolled back); empty normally.
    const std::string& notice() const noexcept;

    const std::string& table() const noexcept;
    const std::vector<std::string>& fieldNames() const noexcept;

  private:
    std::size_t rowAt(std::size_t position) const noexcept;
    std::size_t size() const noexcept;

    std::shared_ptr<const catalogue::Table> table_;
    const catalogue::TableIndex* index_ = nullptr;  // inside *table_; null: table order
    std::string indexName_;
    std::size_t cursor_ = 0;  // position in the current order; size() means past the end
    bool lost_ = false;       // no current record after a find without a match
    bool findFailed_ = false;
};

// A data source: a database file and one table. Refresh re-reads the table from the
// file, read-only and shared, and makes a fresh Recordset (no current index). An
// unchanged file is not read again: its tables come from a process-wide cache, and
// a file changed in the meantime is read anew.
class DataSource {
  public:
    DataSource() = default;
    explicit DataSource(std::string table) : table_(std::move(table)) {}

    void setDatabaseName(std::string path) { databaseName_ = std::move(path); }
    const std::string& databaseName() const noexcept { return databaseName_; }
    const std::string& recordSource() const noexcept { return table_; }

    void refresh();  // CatalogueError naming the file and what is wrong
    bool isOpen() const noexcept { return recordset_.has_value(); }
    Recordset& recordset();  // CatalogueError when not refreshed yet
    const Recordset& recordset() const;

  private:
    std::string databaseName_;
    std::string table_;
    std::optional<Recordset> recordset_;
};

// The five data sources of a design window.
struct CatalogueSources {
    DataSource eCores{"E-Cores"};
    DataSource eCoreMaterials{"Core_Materials"};
    DataSource materials{"Materials"};
    DataSource toroids{"Toroids"};
    DataSource toroidMaterials{"Toroid_Materials"};

    // Opens all five the design window's way: path = folder + separator + "Cores.csx",
    // the separator always inserted; DatabaseName on each, Refresh each, then the current
    // indexes PrimaryKey, CoreNo, PrimaryKey, PrimaryKey, CoreNo. CatalogueError on failure.
    void open(const std::string& appDir);
    // The same on an explicit database file.
    void openFile(const std::string& path);
    // The first notice of the five open tables (Recordset::notice), or "".
    std::string notice() const;
};

// The path the window opens: folder, the separator, "Cores.csx".
std::string cataloguePath(const std::string& appDir);

// The separator the program joins its folder and file names with.
char pathSeparator() noexcept;

// Forgets the cached catalogue tables, so the next Refresh reads the file.
void clearCatalogueCache();

}  // namespace coilsmith
