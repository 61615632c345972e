#include "catalogue/TableLoader.h"

#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>
#include <utility>

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSchema.h"
#include "catalogue/FileStamp.h"
#include "catalogue/Sqlite.h"

namespace coilsmith::catalogue {
namespace {

constexpr int kBusyWaitMs = 250;

// "file:" URI of a path for SQLite: every byte but unreserved ones, '/' and ':' (a drive) is
// percent-encoded, so '?', '#', '%' and spaces in a folder name stay part of the path.
std::string fileUri(const std::filesystem::path& file) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(file, error);
    const std::string path = (error ? file : absolute).generic_string();
    std::string uri = path.starts_with('/') ? "file://" : "file:///";
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
            (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
            c == '/' || c == ':') {
            uri += c;
        } else {
            uri += '%';
            uri += kHex[byte >> 4];
            uri += kHex[byte & 0x0F];
        }
    }
    return uri;
}

bool nonEmptyFile(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return !error && size > 0;
}

// How a read opens a file. Immutable: no locks, no journal or WAL look-up, nothing created
// beside the file (a WAL-mode file would otherwise get -wal and -shm files, and fail in a
// read-only folder). Locking: SQLite's ordinary read-only access, which waits for a writer.
// Writable: for a private copy only, where SQLite may roll back a journal or read a WAL.
enum class Access { Immutable, Locking, Writable };

constexpr std::string_view kJournal = "-journal";
constexpr std::string_view kWal = "-wal";
constexpr int kCopyAttempts = 3;

// The read-only connection met a change that a program stopped in the middle of: its
// rollback journal lies beside the file, and only a writer may roll it back.
struct UnfinishedChange {};

// A private copy of a catalogue and its journal or WAL file, in a fresh folder of the
// system's temporary folder, removed with the copy. Reading the copy leaves the catalogue's
// own folder as it was, and works where that folder is read-only.
class PrivateCopy {
  public:
    // std::filesystem::filesystem_error when the copy cannot be made.
    PrivateCopy(const std::string& file, std::string_view companion) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "coilsmith-catalogue-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::filesystem::filesystem_error(
                "mkdtemp", pattern, std::error_code(errno, std::generic_category()));
        }
        folder_ = pattern;
        path_ = (folder_ / "Cores.csx").string();
        try {
            copyWritable(file, path_);
            std::error_code missing;
            const std::string companionFile = file + std::string(companion);
            if (std::filesystem::exists(companionFile, missing)) {
                copyWritable(companionFile, path_ + std::string(companion));
            }
        } catch (...) {
            removeFolder();
            throw;
        }
    }
    ~PrivateCopy() { removeFolder(); }
    PrivateCopy(const PrivateCopy&) = delete;
    PrivateCopy& operator=(const PrivateCopy&) = delete;

    const std::string& path() const noexcept { return path_; }

  private:
    // SQLite writes to the copy while it rolls back or reads a WAL, whatever the mode of
    // the catalogue it came from.
    static void copyWritable(const std::string& from, const std::string& to) {
        std::filesystem::copy_file(from, to);
        std::filesystem::permissions(
            to, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
            std::filesystem::perm_options::add);
    }

    void removeFolder() noexcept {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::filesystem::path folder_;
    std::string path_;
};

class Reader {
  public:
    Reader(std::string file, std::string table)
        : file_(std::move(file)), table_(std::move(table)) {}

    // A lock cannot stop an immutable read, and while nothing writes the file none is
    // needed. A rewrite by rename (the build tool's way) leaves the open file as it was. A
    // file written in place, now or during the read, is read with locking instead, where a
    // writer that keeps its lock makes the catalogue "locked by another program". Changes
    // waiting in a WAL file, and a change left unfinished in a rollback journal, are read
    // from a private copy, since a read-only connection could do neither without creating
    // files beside the catalogue or writing to it.
    std::shared_ptr<const Table> load() {
        requireSqliteFile();
        if (!beingWritten()) {
            const auto before = stampOf(file_);
            try {
                auto table = read(Access::Immutable, file_);
                if (unchangedSince(before)) {
                    return table;
                }
            } catch (const CatalogueError&) {
                if (unchangedSince(before)) {
                    throw;
                }
            }
        }
        if (walMode_ || nonEmptyFile(file_ + std::string(kWal))) {
            return readPrivateCopy(kWal);
        }
        try {
            return read(Access::Locking, file_);
        } catch (const UnfinishedChange&) {
            auto table = readPrivateCopy(kJournal);
            table->notice = "The catalogue " + file_ +
                            " holds a change that a program stopped in the middle of (" + file_ +
                            std::string(kJournal) +
                            "): the catalogue is read as it was before that change.";
            return table;
        }
    }

  private:
    [[noreturn]] void fail(const std::string& what) const {
        throw CatalogueError("The catalogue " + file_ + " cannot be used: " + what + ".");
    }

    void requireSqliteFile() {
        std::error_code error;
        if (!std::filesystem::exists(file_, error)) {
            fail("the file does not exist");
        }
        if (!std::filesystem::is_regular_file(file_, error)) {
            fail("it is not a file");
        }
        if (!nonEmptyFile(file_)) {
            fail("it is empty");  // SQLite would take it for a database without tables
        }
        static constexpr std::string_view kMagic{"SQLite format 3\0", 16};
        // The file header: the magic text, then at offset 18 the write version, 2 for WAL.
        constexpr std::size_t kWriteVersionAt = 18;
        constexpr char kWalWriteVersion = 2;
        std::string header(kWriteVersionAt + 1, '\0');
        std::ifstream in(file_, std::ios::binary);
        if (!in) {
            fail("the file cannot be opened (" + std::string(std::strerror(errno)) + ")");
        }
        if (!in.read(header.data(), static_cast<std::streamsize>(header.size())) ||
            header.substr(0, kMagic.size()) != kMagic) {
            fail("it is not a Coilsmith catalogue");
        }
        walMode_ = header[kWriteVersionAt] == kWalWriteVersion;
    }

    // A non-empty rollback journal is a write in progress (or one cut short); a non-empty
    // WAL file holds changes the file itself does not have yet.
    bool beingWritten() const {
        return nonEmptyFile(file_ + std::string(kJournal)) ||
               nonEmptyFile(file_ + std::string(kWal));
    }

    bool unchangedSince(const std::optional<FileStamp>& before) const {
        return before && stampOf(file_) == before && !beingWritten();
    }

    // The file and its companion as they are now, to tell whether a copy caught a writer
    // half-way.
    std::pair<std::optional<FileStamp>, std::optional<FileStamp>> stampsWith(
        std::string_view companion) const {
        return {stampOf(file_), stampOf(file_ + std::string(companion))};
    }

    std::shared_ptr<Table> readPrivateCopy(std::string_view companion) {
        for (int attempt = 0; attempt < kCopyAttempts; ++attempt) {
            const auto before = stampsWith(companion);
            std::optional<PrivateCopy> copy;
            try {
                copy.emplace(file_, companion);
            } catch (const std::filesystem::filesystem_error& error) {
                fail("what " + file_ + std::string(companion) +
                     " holds can only be read from a copy, and none could be made in " +
                     std::filesystem::temp_directory_path().string() + " (" +
                     error.code().message() + ")");
            }
            auto table = read(Access::Writable, copy->path());
            if (stampsWith(companion) == before) {
                return table;
            }
        }
        fail("it is being changed by another program");
    }

    std::shared_ptr<Table> read(Access access, const std::string& path) {
        open(access, path);
        // One read transaction: every query below sees the same version of the file.
        sqlite3_exec(db_.get(), "BEGIN", nullptr, nullptr, nullptr);
        requireTable();
        auto table = std::make_shared<Table>();
        table->file = file_;
        table->name = table_;
        readRows(*table);
        requireSchemaFields(*table);
        markUnsoundRows(*table);
        readIndexes(*table);
        db_.reset();
        return table;
    }

    void open(Access access, const std::string& path) {
        static constexpr const char* kModes[] = {"?mode=ro&immutable=1", "?mode=ro", "?mode=rw"};
        const std::string uri = fileUri(path) + kModes[static_cast<int>(access)];
        const int flags = access == Access::Writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY;
        sqlite3* raw = nullptr;
        // One connection per read, used by this thread only: no SQLite mutex needed.
        const int rc = sqlite3_open_v2(uri.c_str(), &raw,
                                       flags | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
        db_.reset(raw);
        if (rc != SQLITE_OK) {
            fail("the file cannot be opened (" + sqlite::lastError(db_.get()) + ")");
        }
        sqlite3_extended_result_codes(db_.get(), 1);
        // A writer's transaction takes milliseconds: wait that long before calling it locked.
        sqlite3_busy_timeout(db_.get(), kBusyWaitMs);
        // Reading through a memory map saves a copy of every page.
        sqlite3_exec(db_.get(), "PRAGMA mmap_size = 268435456", nullptr, nullptr, nullptr);
    }

    // Fails for the results that say something about the whole file rather than one query.
    void failForFile(int rc) const {
        if (rc == SQLITE_READONLY_ROLLBACK) {
            throw UnfinishedChange{};
        }
        if ((rc & 0xFF) == SQLITE_BUSY || (rc & 0xFF) == SQLITE_LOCKED) {
            fail("it is locked by another program");
        }
        if ((rc & 0xFF) == SQLITE_NOTADB) {
            fail("it is not a Coilsmith catalogue");
        }
    }

    sqlite::Statement prepare(const std::string& sql) const {
        sqlite3_stmt* raw = nullptr;
        const int rc = sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &raw, nullptr);
        sqlite::Statement statement(raw);
        if (rc != SQLITE_OK) {
            failForFile(rc);
            return nullptr;
        }
        return statement;
    }

    void requireTable() const {
        if (hasTable(table_)) {
            return;
        }
        const bool anyKnownTable = std::any_of(
            schema::kTables.begin(), schema::kTables.end(),
            [this](const schema::Table& known) { return hasTable(std::string(known.name)); });
        if (!anyKnownTable) {
            fail("it is not a Coilsmith catalogue");  // some other program's database
        }
        fail("the table \"" + table_ + "\" is missing");
    }

    bool hasTable(const std::string& name) const {
        const auto query = prepare(
            "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE");
        if (!query) {
            fail("it cannot be read (" + sqlite::lastError(db_.get()) + ")");
        }
        sqlite3_bind_text(query.get(), 1, name.c_str(), -1, SQLITE_TRANSIENT);
        const int rc = sqlite3_step(query.get());
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
            failForFile(rc);
            fail("it cannot be read (" + sqlite::lastError(db_.get()) + ")");
        }
        return rc == SQLITE_ROW;
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
            failForFile(rc);
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
    bool walMode_ = false;
    sqlite::Database db_;
};

}  // namespace

std::shared_ptr<const Table> loadTable(const std::string& file, const std::string& table) {
    return Reader(file, table).load();
}

}  // namespace coilsmith::catalogue
