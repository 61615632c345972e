#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "magnetics/Value.h"

namespace coilsmith {

// A catalogue that cannot be used: missing or unreadable file, not a database, a missing
// table, field or index. The message names the file and what is missing.
class CatalogueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The rows of one catalogue table, loaded into memory on Refresh, with a cursor and a
// current index chosen by name. Reading a field with no current record throws
// Fault(NoCurrentRecord), which the skip-and-continue callers catch like any fault.
class Recordset {
public:
    Recordset(std::string table, std::vector<std::string> fields,
              std::vector<std::vector<Value>> rows,
              std::vector<std::pair<std::string, std::vector<std::string>>> indexes);

    // Chooses the current index by its name ("PrimaryKey", "CoreNo"); the record order
    // becomes that index's order. CatalogueError for an unknown index.
    void setIndex(std::string_view name);
    const std::string& index() const noexcept { return indexName_; }

    void MoveFirst();  // Fault(NoCurrentRecord) on an empty table
    void MoveLast();   // Fault(NoCurrentRecord) on an empty table
    void MoveNext();   // past the last record: EOF, no current record
    bool Eof() const noexcept;  // true past the last record (EOF is a C macro)
    std::int64_t RecordCount() const noexcept { return static_cast<std::int64_t>(order_.size()); }

    // Positions on the first record, in current-index order, whose key equals `key`
    // (text compared case-insensitively). Without a match there is no current record.
    void Seek(std::string_view comparison, const Value& key);
    bool NoMatch() const noexcept { return noMatch_; }
    bool hasCurrent() const noexcept;

    // The named field of the current record (null for an empty cell).
    Value Fields(std::string_view name) const;

    const std::string& table() const noexcept { return table_; }
    const std::vector<std::string>& fieldNames() const noexcept { return fields_; }

private:
    std::string table_;
    std::vector<std::string> fields_;
    std::vector<std::vector<Value>> rows_;  // in table (rowid) order
    std::vector<std::pair<std::string, std::vector<std::string>>> indexes_;  // name, key fields
    std::string indexName_;
    std::vector<std::size_t> order_;  // row numbers in current-index order
    std::size_t cursor_ = 0;          // position in order_; order_.size() means past the end
    bool noMatch_ = false;
};

// A data source: a database file and one table. Refresh re-reads the table from the
// file, read-only and shared, and makes a fresh Recordset.
class DataSource {
public:
    DataSource() = default;
    explicit DataSource(std::string table) : table_(std::move(table)) {}

    void setDatabaseName(std::string path) { databaseName_ = std::move(path); }
    const std::string& DatabaseName() const noexcept { return databaseName_; }
    const std::string& RecordSource() const noexcept { return table_; }

    void Refresh();  // CatalogueError naming the file and what is wrong
    bool isOpen() const noexcept { return recordset_ != nullptr; }
    Recordset& recordset();  // CatalogueError when not refreshed yet

private:
    std::string databaseName_;
    std::string table_;
    std::unique_ptr<Recordset> recordset_;
};

// The five data sources of a design window.
struct CatalogueSources {
    DataSource Data1{"E-Cores"};
    DataSource Data2{"Core_Materials"};
    DataSource Data3{"Materials"};
    DataSource Data4{"Toroids"};
    DataSource Data5{"Toroid_Materials"};

    // Opens all five the design window's way: path = folder + separator + "Cores.csx",
    // the separator always inserted; DatabaseName on each, Refresh each, then the current
    // indexes PrimaryKey, CoreNo, PrimaryKey, PrimaryKey, CoreNo. CatalogueError on failure.
    void open(const std::string& appDir);
    // The same on an explicit database file.
    void openFile(const std::string& path);
};

// The path the window opens: folder, the separator, "Cores.csx".
std::string cataloguePath(const std::string& appDir);

// The separator the program joins its folder and file names with.
char pathSeparator() noexcept;

}  // namespace coilsmith
