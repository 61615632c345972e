#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <functional>

#include "TestCatalogues.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Sqlite.h"

namespace coilsmith {
namespace {

using testing::TempDir;

struct OpenErrorCase {
    const char* name;
    std::function<void(const std::string& path)> spoil;  // makes the bad catalogue
    const char* expected;                                // what the message must name
    bool fileExists;
};

void buildGood(const std::string& path) {
    csx::buildCatalogue(testing::goodCsv(), path);
}

void buildThenRun(const std::string& path, const std::string& sql) {
    buildGood(path);
    ASSERT_TRUE(testing::execSql(path, sql)) << sql;
}

const OpenErrorCase kOpenErrors[] = {
    {"MissingFile", [](const std::string&) {}, "does not exist", false},
    {"EmptyFile", [](const std::string& path) { testing::writeFile(path, ""); }, "it is empty",
     true},
    {"NotADatabase",
     [](const std::string& path) { testing::writeFile(path, std::string(2048, 'x')); },
     "it is not a Coilsmith catalogue", true},
    {"OtherProgramsDatabase",
     [](const std::string& path) {
         buildThenRun(path,
                      "DROP TABLE \"Core_Materials\"; DROP TABLE \"Toroid_Materials\";"
                      "DROP TABLE \"E-Cores\"; DROP TABLE \"Toroids\"; DROP TABLE \"Materials\";"
                      "CREATE TABLE \"Invoices\" (\"No\" TEXT)");
     },
     "it is not a Coilsmith catalogue", true},
    {"MissingTable",
     [](const std::string& path) { buildThenRun(path, "DROP TABLE \"Materials\""); },
     "\"Materials\" is missing", true},
    {"MissingIndex",
     [](const std::string& path) { buildThenRun(path, "DROP INDEX \"Toroid_Materials.CoreNo\""); },
     "index \"CoreNo\" of table \"Toroid_Materials\" is missing", true},
    {"MissingField",
     [](const std::string& path) {
         buildThenRun(path, "ALTER TABLE \"E-Cores\" DROP COLUMN \"GAP\"");
     },
     "field \"GAP\" of table \"E-Cores\" is missing", true},
};

class OpenErrorTest : public ::testing::TestWithParam<OpenErrorCase> {};

TEST_P(OpenErrorTest, NamesTheFileAndWhatIsWrongAndCreatesNothing) {
    TempDir dir;
    const std::string path = cataloguePath(dir.path().string());
    GetParam().spoil(path);
    CatalogueSources sources;
    try {
        sources.open(dir.path().string());
        FAIL() << "the catalogue opened";
    } catch (const CatalogueError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(path), std::string::npos) << message;
        EXPECT_NE(message.find(GetParam().expected), std::string::npos) << message;
    }
    EXPECT_EQ(std::filesystem::exists(path), GetParam().fileExists);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}),
              GetParam().fileExists ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Catalogues, OpenErrorTest, ::testing::ValuesIn(kOpenErrors),
                         [](const auto& info) { return std::string(info.param.name); });

std::size_t filesIn(const std::filesystem::path& dir) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

// Another program's connection to the catalogue, left open with its SQL applied.
sqlite::Database openWriter(const std::string& path, const std::string& sql) {
    sqlite3* raw = nullptr;
    sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    sqlite::Database db(raw);
    EXPECT_EQ(sqlite3_exec(db.get(), sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    return db;
}

struct LockCase {
    const char* name;
    const char* writerSql;
    const char* expected;  // what the message must name; nullptr: the catalogue reads
    std::int64_t eCores;   // the rows read then
};

const LockCase kLocks[] = {
    // The file is read without locks, so a lock alone cannot block it; nothing has been
    // written yet, so the file is whole and the read is sound.
    {"ExclusiveLockOnly", "BEGIN EXCLUSIVE", nullptr, 2},
    // Committed changes still in the WAL file are not in the file itself: read with locking,
    // through the existing WAL, one of the two rows is gone.
    {"CommittedChangesInTheWal",
     "PRAGMA journal_mode = WAL; DELETE FROM \"E-Cores\" WHERE \"CoreNo\" = 'E10'", nullptr, 1},
    // A change under way (its rollback journal lies beside the file) is waited for with
    // locking, and the writer keeps its lock.
    {"WriteInProgress", "BEGIN EXCLUSIVE; UPDATE \"E-Cores\" SET \"AC\" = 7",
     "it is locked by another program", 0},
};

class LockedCatalogueTest : public ::testing::TestWithParam<LockCase> {};

TEST_P(LockedCatalogueTest, ReadsWhatIsWholeAndNamesAWriteUnderWay) {
    TempDir dir;
    const std::string path = cataloguePath(dir.path().string());
    buildGood(path);
    const sqlite::Database writer = openWriter(path, GetParam().writerSql);
    CatalogueSources sources;
    if (GetParam().expected == nullptr) {
        sources.open(dir.path().string());
        EXPECT_EQ(sources.Data1.recordset().RecordCount(), GetParam().eCores);
        return;
    }
    try {
        sources.open(dir.path().string());
        FAIL() << "the catalogue opened";
    } catch (const CatalogueError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(path), std::string::npos) << message;
        EXPECT_NE(message.find(GetParam().expected), std::string::npos) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogues, LockedCatalogueTest, ::testing::ValuesIn(kLocks),
                         [](const auto& info) { return std::string(info.param.name); });

// Opening a WAL-mode database normally creates -wal and -shm files beside it (as root even
// in a read-only folder; anyone else is refused there).
TEST(OpenCatalogue, WalModeCatalogueInAReadOnlyFolderOpensAndCreatesNothing) {
    TempDir dir;
    const std::string path = cataloguePath(dir.path().string());
    buildThenRun(path, "PRAGMA journal_mode = WAL");
    char header[20] = {};
    std::ifstream(path, std::ios::binary).read(header, sizeof header);
    ASSERT_EQ(header[18], 2) << "not in WAL mode";  // file format: write version 2 is WAL
    ASSERT_EQ(filesIn(dir.path()), 1u);

    ::chmod(dir.path().c_str(), 0555);
    CatalogueSources sources;
    EXPECT_NO_THROW(sources.open(dir.path().string()));
    const bool read = sources.Data4.isOpen() && sources.Data4.recordset().RecordCount() == 2;
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_TRUE(read);
    EXPECT_EQ(filesIn(dir.path()), 1u);
}

// The file is named to SQLite as a URI, where '?', '#' and '%' would end or change the path.
TEST(OpenCatalogue, FolderNamesWithUriCharactersOpen) {
    TempDir dir;
    const auto folder = dir.path() / "my cores?v=2#draft%41";
    std::filesystem::create_directory(folder);
    buildGood(cataloguePath(folder.string()));
    CatalogueSources sources;
    sources.open(folder.string());
    EXPECT_EQ(sources.Data1.recordset().RecordCount(), 2);
}

TEST(OpenError, ADataSourceWithoutFileOrRefreshSaysSo) {
    DataSource source("E-Cores");
    EXPECT_FALSE(source.isOpen());
    EXPECT_THROW(source.recordset(), CatalogueError);
    EXPECT_THROW(source.Refresh(), CatalogueError);
}

}  // namespace
}  // namespace coilsmith
