#include "catalogue/TableLoader.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSchema.h"
#include "catalogue/Sqlite.h"

namespace coilsmith::catalogue {
namespace {

class Reader {
  public:
    Reader(std::string file, std::string table)
        : file_(std::move(file)), table_(std::move(table)) {}

    std::shared_ptr<const Table> load() {
        open();
        requireTable();
        auto table = std::make_shared<Table>();
        table->file = file_;
        table->name = table_;
        readRows(*table);
        requireSchemaFields(*table);
        readIndexes(*table);
        return table;
    }

  private:
    [[noreturn]] void fail(const std::string& what) const {
        throw CatalogueError("The catalogue " + file_ + " cannot be used: " + what + ".");
    }

    void open() {
        std::error_code error;
        if (!std::filesystem::exists(file_, error)) {
            fail("the file does not exist");
        }
        if (!std::filesystem::is_regular_file(file_, error)) {
            fail("it is not a file");
        }
        sqlite3* raw = nullptr;
        // One connection per load, used by this thread only: no SQLite mutex needed.
        const int rc = sqlite3_open_v2(file_.c_str(), &raw,
                                       SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
        db_.reset(raw);
        if (rc != SQLITE_OK) {
            fail("the file cannot be opened (" + sqlite::lastError(db_.get()) + ")");
        }
        // Reading through a memory map saves a copy of every page.
        sqlite3_exec(db_.get(), "PRAGMA mmap_size = 268435456", nullptr, nullptr, nullptr);
    }

    sqlite::Statement prepare(const std::string& sql) const {
        sqlite3_stmt* raw = nullptr;
        const int rc = sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &raw, nullptr);
        sqlite::Statement statement(raw);
        if (rc == SQLITE_NOTADB) {
            fail("it is not a catalogue database");
        }
        if (rc != SQLITE_OK) {
            return nullptr;
        }
        return statement;
    }

    void requireTable() const {
        const auto query = prepare(
            "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE");
        if (!query) {
            fail("it is not a catalogue database (" + sqlite::lastError(db_.get()) + ")");
        }
        sqlite3_bind_text(query.get(), 1, table_.c_str(), -1, SQLITE_TRANSIENT);
        const int rc = sqlite3_step(query.get());
        if (rc == SQLITE_NOTADB) {
            fail("it is not a catalogue database");
        }
        if (rc != SQLITE_ROW) {
            fail("the table \"" + table_ + "\" is missing");
        }
    }

    void readRows(Table& table) const {
        auto select = prepare("SELECT * FROM " + sqlite::quoted(table_) + " ORDER BY rowid");
        if (!select) {
            select = prepare("SELECT * FROM " + sqlite::quoted(table_));
        }
        if (!select) {
            fail("the table \"" + table_ + "\" cannot be read (" + sqlite::lastError(db_.get()) +
                 ")");
        }
        const int columns = sqlite3_column_count(select.get());
        table.cells.reserve(countRows() * static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            table.fields.emplace_back(sqlite3_column_name(select.get(), c));
            const char* declared = sqlite3_column_decltype(select.get(), c);
            table.affinities.push_back(affinityOf(declared != nullptr ? declared : ""));
        }
        int rc = SQLITE_ROW;
        while ((rc = sqlite3_step(select.get())) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                appendCell(select.get(), c, table);
            }
            ++table.rowCount;
        }
        if (rc != SQLITE_DONE) {
            fail("the table \"" + table_ + "\" cannot be read (" + sqlite::lastError(db_.get()) +
                 ")");
        }
    }

    std::size_t countRows() const {
        const auto count = prepare("SELECT count(*) FROM " + sqlite::quoted(table_));
        if (!count || sqlite3_step(count.get()) != SQLITE_ROW) {
            return 0;  // only a hint: the read itself reports what is wrong
        }
        return static_cast<std::size_t>(
            std::max<sqlite3_int64>(0, sqlite3_column_int64(count.get(), 0)));
    }

    void appendCell(sqlite3_stmt* select, int c, Table& table) const {
        switch (sqlite3_column_type(select, c)) {
            case SQLITE_INTEGER:
                table.cells.push_back(Cell::integer(sqlite3_column_int64(select, c)));
                return;
            case SQLITE_FLOAT: {
                const double real = sqlite3_column_double(select, c);
                if (!std::isfinite(real)) {
                    fail("field \"" + table.fields[c] + "\" of row " +
                         std::to_string(table.rowCount + 1) + " of table \"" + table_ +
                         "\" is not a finite number");
                }
                table.cells.push_back(Cell::real(real));
                return;
            }
            case SQLITE_TEXT:
            case SQLITE_BLOB: {
                const auto* bytes = static_cast<const char*>(sqlite3_column_blob(select, c));
                const auto size = static_cast<std::size_t>(sqlite3_column_bytes(select, c));
                table.appendText(bytes != nullptr ? std::string_view(bytes, size) : "");
                return;
            }
            default:
                table.cells.emplace_back();
        }
    }

    void requireSchemaFields(const Table& table) const {
        const schema::Table* known = schema::findTable(table_);
        if (known == nullptr) {
            return;
        }
        for (const auto& field : known->fields) {
            if (!table.fieldIndex(field.name)) {
                fail("the field \"" + std::string(field.name) + "\" of table \"" + table_ +
                     "\" is missing");
            }
        }
    }

    // Every index "<table>.<name>" on plain columns becomes the named index <name>.
    void readIndexes(Table& table) const {
        const auto list = prepare("SELECT name FROM pragma_index_list(?1)");
        if (!list) {
            fail("the indexes of table \"" + table_ + "\" cannot be read");
        }
        sqlite3_bind_text(list.get(), 1, table_.c_str(), -1, SQLITE_TRANSIENT);
        const std::string prefix = table_ + ".";
        while (sqlite3_step(list.get()) == SQLITE_ROW) {
            const std::string sqlName =
                reinterpret_cast<const char*>(sqlite3_column_text(list.get(), 0));
            if (sqlName.size() <= prefix.size() ||
                !equalsNoCase(std::string_view(sqlName).substr(0, prefix.size()), prefix)) {
                continue;
            }
            TableIndex index{sqlName.substr(prefix.size()), {}, {}};
            if (readKeyColumns(sqlName, table, index.keys)) {
                sortIndex(table, index);
                table.indexes.push_back(std::move(index));
            }
        }
    }

    bool readKeyColumns(const std::string& sqlName, const Table& table,
                        std::vector<KeyColumn>& keys) const {
        const auto info = prepare(
            "SELECT name, desc, coll FROM pragma_index_xinfo(?1) WHERE key = 1 ORDER BY seqno");
        if (!info) {
            return false;
        }
        sqlite3_bind_text(info.get(), 1, sqlName.c_str(), -1, SQLITE_TRANSIENT);
        while (sqlite3_step(info.get()) == SQLITE_ROW) {
            const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 0));
            const auto* coll = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 2));
            const auto field = name != nullptr ? table.fieldIndex(name) : std::nullopt;
            if (!field) {
                return false;  // an expression index: nothing a record set can order by
            }
            keys.push_back({*field, collationOf(coll != nullptr ? coll : "BINARY"),
                            sqlite3_column_int(info.get(), 1) != 0});
        }
        return !keys.empty();
    }

    std::string file_;
    std::string table_;
    sqlite::Database db_;
};

}  // namespace

std::shared_ptr<const Table> loadTable(const std::string& file, const std::string& table) {
    return Reader(file, table).load();
}

}  // namespace coilsmith::catalogue
