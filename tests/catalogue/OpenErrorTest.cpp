#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "TestCatalogues.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Sqlite.h"

namespace coilsmith {
namespace {

using testing::TempDir;
using Spoil = std::function<sqlite::Database(const std::string& path)>;

// A good catalogue, then another program's connection to it, left open with its SQL applied.
Spoil writer(const std::string& sql) {
    return [sql](const std::string& path) {
        csx::buildCatalogue(testing::goodCsv(), path);
        sqlite3* raw = nullptr;
        sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
        sqlite::Database connection(raw);
        EXPECT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
        return connection;
    };
}

Spoil fileOf(const std::string& text) {
    return [text](const std::string& path) {
        testing::writeFile(path, text);
        return sqlite::Database();
    };
}

std::ptrdiff_t filesIn(const std::filesystem::path& dir) {
    return std::distance(std::filesystem::directory_iterator(dir), {});
}

struct OpenCase {
    Spoil spoil;
    const char* expected;  // what the message must name; nullptr: the catalogue reads
    std::int64_t eCores;   // the rows read then
};

// The file is read without locks, so a lock alone cannot block it; nothing has been written
// yet, so the file is whole. Committed changes still in the WAL are not in the file itself:
// read with locking, through the existing WAL, one row is gone. A change under way (its
// rollback journal beside the file) is waited for with locking; the writer keeps its lock.
const OpenCase kOpenCases[] = {
    {[](const std::string&) { return sqlite::Database(); }, "does not exist", 0},
    {fileOf(""), "it is empty", 0},
    {fileOf(std::string(2048, 'x')), "it is not a Coilsmith catalogue", 0},
    {[](const std::string& path) {  // the first page alone: the tables' pages are gone
         csx::buildCatalogue(testing::goodCsv(), path);
         std::filesystem::resize_file(path, 4096);
         return sqlite::Database();
     },
     "it cannot be read (database disk image is malformed)", 0},
    {writer("DROP TABLE \"Core_Materials\"; DROP TABLE \"Toroid_Materials\"; DROP TABLE "
            "\"E-Cores\"; DROP TABLE Toroids; DROP TABLE Materials; CREATE TABLE Invoices (No)"),
     "it is not a Coilsmith catalogue", 0},
    {writer("DROP TABLE \"Materials\""), "\"Materials\" is missing", 0},
    {writer("DROP INDEX \"Toroid_Materials.CoreNo\""),
     "index \"CoreNo\" of table \"Toroid_Materials\" is missing", 0},
    {writer("ALTER TABLE \"E-Cores\" DROP COLUMN \"GAP\""),
     "field \"GAP\" of table \"E-Cores\" is missing", 0},
    {writer("BEGIN EXCLUSIVE"), nullptr, 2},
    {writer("ALTER TABLE \"Toroid_Materials\" RENAME TO Old; CREATE TABLE \"Toroid_Materials\" "
            "(Core TEXT COLLATE NOCASE, Mat TEXT COLLATE NOCASE, PRIMARY KEY (Core, Mat)) WITHOUT "
            "ROWID; INSERT INTO \"Toroid_Materials\" SELECT * FROM Old; DROP TABLE Old; CREATE "
            "INDEX \"Toroid_Materials.CoreNo\" ON \"Toroid_Materials\" (Core)"),
     nullptr, 2},  // a table without row ids, as another tool may write it
    {writer("PRAGMA journal_mode = WAL; DELETE FROM \"E-Cores\" WHERE CoreNo = 'E10'"), nullptr, 1},
    {writer("BEGIN EXCLUSIVE; UPDATE \"E-Cores\" SET AC = 7"), "it is locked by another program",
     0},
};

// A failed open names the file and what is wrong and creates nothing.
TEST(OpenCatalogue, ReadsWhatIsWholeOrNamesTheFileAndWhatIsWrong) {
    for (const OpenCase& row : kOpenCases) {
        TempDir dir;
        const std::string path = cataloguePath(dir.path().string());
        const sqlite::Database connection = row.spoil(path);
        const auto files = filesIn(dir.path());
        CatalogueSources sources;
        try {
            sources.open(dir.path().string());
            EXPECT_FALSE(row.expected) << "the catalogue opened despite " << row.expected;
            EXPECT_EQ(sources.eCores.recordset().recordCount(), row.eCores);
        } catch (const CatalogueError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(path), std::string::npos) << message;
            EXPECT_NE(message.find(row.expected ? row.expected : "?"), std::string::npos)
                << message;
        }
        EXPECT_EQ(filesIn(dir.path()), files) << (row.expected ? row.expected : "");
    }
}

// The size and a hash of the bytes of every file in the folder, by name.
std::map<std::string, std::pair<std::size_t, std::size_t>> contentsOf(
    const std::filesystem::path& dir) {
    std::map<std::string, std::pair<std::size_t, std::size_t>> contents;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ostringstream bytes;
        bytes << std::ifstream(entry.path(), std::ios::binary).rdbuf();
        contents[entry.path().filename().string()] = {bytes.str().size(),
                                                      std::hash<std::string>()(bytes.str())};
    }
    return contents;
}

// What a writer that stopped leaves behind: a copy of the file and of its companion (the
// rollback journal or the WAL file) made while the writer is still in its change.
std::string leftBehind(const std::string& sql, const char* companion, const TempDir& dir) {
    TempDir writerDir;
    const std::string original = cataloguePath(writerDir.path().string());
    const sqlite::Database connection = writer(sql)(original);
    const std::string path = cataloguePath(dir.path().string());
    std::filesystem::copy_file(original, path);
    std::filesystem::copy_file(original + companion, path + companion);
    return path;
}

// A rollback journal whose writer stopped: the change is left out, the catalogue read as it
// was committed, and the notice says so. Nothing beside the file is created or changed.
TEST(OpenCatalogue, AChangeLeftUnfinishedIsLeftOutAndSaid) {
    TempDir dir;
    // So large a change spills into the file itself before the commit.
    const std::string path = leftBehind(
        "PRAGMA cache_size = 10; BEGIN; INSERT INTO \"E-Cores\" (CoreNo) WITH RECURSIVE n(x) AS "
        "(SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 20000) SELECT 'X' || x FROM n",
        "-journal", dir);
    const auto before = contentsOf(dir.path());
    CatalogueSources sources;
    sources.open(dir.path().string());
    EXPECT_EQ(sources.eCores.recordset().recordCount(), 2);
    EXPECT_EQ(sources.notice(), "The catalogue " + path +
                                    " holds a change that a program stopped in the middle of (" +
                                    path +
                                    "-journal): the catalogue is read as it was before "
                                    "that change.");
    EXPECT_EQ(contentsOf(dir.path()), before);
}

// Opening a WAL-mode database normally creates -wal and -shm files beside it (as root even in
// a read-only folder; anyone else is refused there). Closed cleanly or with committed changes
// still waiting in the WAL (one row gone), it is read, in a read-only folder too, and nothing
// beside it is created or changed.
TEST(OpenCatalogue, WalModeCataloguesAreReadAndNothingIsCreated) {
    for (const bool waiting : {false, true})
        for (const bool readOnly : {false, true}) {
            SCOPED_TRACE(std::to_string(waiting) + std::to_string(readOnly));
            TempDir dir;
            const std::string sql =
                "PRAGMA journal_mode = WAL; DELETE FROM \"E-Cores\" WHERE "
                "CoreNo = 'E10'";
            if (waiting)
                leftBehind(sql, "-wal", dir);
            else
                writer(sql)(cataloguePath(dir.path().string()));  // the connection closes here
            const auto before = contentsOf(dir.path());
            ::chmod(dir.path().c_str(), readOnly ? 0555 : 0755);
            CatalogueSources sources;
            try {
                sources.open(dir.path().string());
                EXPECT_EQ(sources.eCores.recordset().recordCount(), 1);
                EXPECT_EQ(sources.notice(), "");
            } catch (const CatalogueError& error) {
                ADD_FAILURE() << error.what();
            }
            ::chmod(dir.path().c_str(), 0755);
            EXPECT_EQ(contentsOf(dir.path()), before);
        }
}

// The file is named to SQLite as a URI, where '?', '#' and '%' would end or change the path.
TEST(OpenCatalogue, FolderNamesWithUriCharactersOpen) {
    TempDir dir;
    const auto folder = dir.path() / "my cores?v=2#draft%41";
    std::filesystem::create_directory(folder);
    csx::buildCatalogue(testing::goodCsv(), cataloguePath(folder.string()));
    CatalogueSources sources;
    sources.open(folder.string());
    EXPECT_EQ(sources.eCores.recordset().recordCount(), 2);
}

}  // namespace
}  // namespace coilsmith
