#include <gtest/gtest.h>

#include <thread>

#include "TestCatalogues.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Table.h"
#include "magnetics/Fault.h"

namespace coilsmith {
namespace {

using testing::TempDir;

// Duplicate and case-variant keys, a null cell and an empty table, made without the
// build tool's checks.
csx::CsvTables hostileCsv() {
    auto csv = testing::goodCsv();
    csv["E-Cores"] =
        "CoreNo,AC\n"
        "E20,2\n"
        "e10,1.5\n"
        "E10,1\n"
        "E30,\n"
        "E10,9\n";
    csv["Toroids"] = "CoreNo,AC,VC,LC,OD,ID,HT\n";
    csv["Core_Materials"] = "Core,Mat\nE20,-2\nE10,-8\nE20,-26\nE10,-2\ne20,-18\n";
    return csv;
}

class StoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        csx::buildCatalogue(hostileCsv(), path, {.validate = false});
        sources.openFile(path);
    }

    TempDir dir;
    std::string path = dir.file("Cores.csx");
    CatalogueSources sources;
};

Value at(Recordset& records, const char* field) {
    return records.Fields(field);
}

bool equalsIgnoringCase(const Value& value, std::string_view text) {
    return value.isText() && catalogue::equalsNoCase(std::get<std::string>(value.storage()), text);
}

struct SeekCase {
    const char* key;
    Value expectedAC;
};

class SeekTest : public StoreTest, public ::testing::WithParamInterface<SeekCase> {};

// Keys compare without regard to case and the first row in index order (ties in table
// order) wins, so "E10" finds the "e10" row that comes before both "E10" rows.
TEST_P(SeekTest, LandsOnFirstMatchInIndexOrder) {
    Recordset& cores = sources.Data1.recordset();
    cores.Seek("=", Value(GetParam().key));
    ASSERT_FALSE(cores.NoMatch());
    EXPECT_EQ(at(cores, "AC"), GetParam().expectedAC);
}

INSTANTIATE_TEST_SUITE_P(Keys, SeekTest,
                         ::testing::Values(SeekCase{"E10", 1.5}, SeekCase{"e10", 1.5},
                                           SeekCase{"E20", 2.0}, SeekCase{"e20", 2.0},
                                           SeekCase{"E30", Value()}));

TEST_F(StoreTest, IndexOrderKeepsTableOrderAmongEqualKeys) {
    Recordset& cores = sources.Data1.recordset();
    std::vector<Value> seen;
    for (cores.MoveFirst(); !cores.Eof(); cores.MoveNext()) {
        seen.push_back(at(cores, "AC"));
    }
    EXPECT_EQ(seen, (std::vector<Value>{1.5, 1.0, 9.0, 2.0, Value()}));
}

TEST_F(StoreTest, RefreshDropsTheIndexAndWalksInTableOrder) {
    sources.Data1.Refresh();
    Recordset& cores = sources.Data1.recordset();
    EXPECT_EQ(cores.index(), "");
    std::vector<Value> seen;
    cores.MoveLast();
    cores.MoveFirst();
    for (std::int64_t i = 0; i < cores.RecordCount(); ++i) {
        seen.push_back(at(cores, "CoreNo"));
        cores.MoveNext();
    }
    EXPECT_EQ(seen, (std::vector<Value>{"E20", "e10", "E10", "E30", "E10"}));
    EXPECT_TRUE(cores.Eof());
}

TEST_F(StoreTest, LinkRowsOfOneCoreFollowTheSeekInTableOrder) {
    Recordset& links = sources.Data2.recordset();
    links.Seek("=", Value("E20"));
    std::vector<Value> mats;
    while (!links.Eof() && equalsIgnoringCase(at(links, "Core"), "E20")) {
        mats.push_back(at(links, "Mat"));
        links.MoveNext();
    }
    EXPECT_EQ(mats, (std::vector<Value>{"-2", "-26", "-18"}));
    EXPECT_TRUE(links.Eof());
}

TEST_F(StoreTest, WalkingPastTheLastRowSetsEof) {
    Recordset& links = sources.Data2.recordset();
    links.MoveLast();
    EXPECT_FALSE(links.Eof());
    links.MoveNext();
    EXPECT_TRUE(links.Eof());
    EXPECT_FALSE(links.hasCurrent());
    EXPECT_THROW(links.Fields("Mat"), Fault);
    EXPECT_THROW(links.MoveNext(), Fault);
}

TEST_F(StoreTest, SeekWithoutMatchLeavesNoCurrentRecord) {
    Recordset& materials = sources.Data3.recordset();
    materials.Seek("=", Value("-99"));
    EXPECT_TRUE(materials.NoMatch());
    EXPECT_FALSE(materials.hasCurrent());
    try {
        materials.Fields("MatNo");
        FAIL() << "a field was read without a current record";
    } catch (const Fault& fault) {
        EXPECT_EQ(fault.kind(), FaultKind::NoCurrentRecord);
    }
    EXPECT_THROW(materials.MoveNext(), Fault);
    materials.MoveFirst();
    EXPECT_EQ(at(materials, "MatNo"), Value("-2"));
}

TEST_F(StoreTest, NumberKeySeeksATextKeyAsTheDatabaseWould) {
    Recordset& materials = sources.Data3.recordset();
    materials.Seek("=", Value(std::int64_t{-26}));
    ASSERT_FALSE(materials.NoMatch());
    EXPECT_EQ(at(materials, "Permeab"), Value(std::int64_t{75}));
    EXPECT_EQ(at(materials, "density"), Value(7.0));  // field names ignore case
}

TEST_F(StoreTest, EmptyTableHasNoRecords) {
    Recordset& toroids = sources.Data4.recordset();
    EXPECT_EQ(toroids.RecordCount(), 0);
    EXPECT_TRUE(toroids.Eof());
    EXPECT_THROW(toroids.MoveLast(), Fault);
    EXPECT_THROW(toroids.MoveFirst(), Fault);
    EXPECT_THROW(toroids.Fields("CoreNo"), Fault);
    toroids.Seek("=", Value("T1"));
    EXPECT_TRUE(toroids.NoMatch());
}

TEST_F(StoreTest, UnknownFieldAndSeekWithoutIndexAreCatalogueErrors) {
    Recordset& cores = sources.Data1.recordset();
    EXPECT_THROW(cores.Fields("e_dim"), CatalogueError);
    sources.Data1.Refresh();
    EXPECT_THROW(sources.Data1.recordset().Seek("=", Value("E10")), CatalogueError);
    EXPECT_THROW(cores.setIndex("NoSuchIndex"), CatalogueError);
}

TEST_F(StoreTest, CopiesKeepTheirOwnCursor) {
    Recordset& cores = sources.Data1.recordset();
    cores.Seek("=", Value("E30"));
    Recordset copy = cores;
    copy.MoveFirst();
    EXPECT_EQ(at(cores, "CoreNo"), Value("E30"));
    EXPECT_EQ(at(copy, "CoreNo"), Value("e10"));
    const CatalogueSources sourcesCopy = sources;
    EXPECT_EQ(sourcesCopy.Data1.recordset().Fields("CoreNo"), Value("E30"));
}

TEST_F(StoreTest, RefreshReadsAChangedFile) {
    sources.Data4.Refresh();
    EXPECT_EQ(sources.Data4.recordset().RecordCount(), 0);
    auto csv = hostileCsv();
    csv["Toroids"] = testing::goodCsv()["Toroids"];
    csx::buildCatalogue(csv, path, {.validate = false});  // a new file under the same name
    sources.Data4.Refresh();
    EXPECT_EQ(sources.Data4.recordset().RecordCount(), 2);

    // Changed in place, as another program writing the catalogue would.
    ASSERT_TRUE(
        testing::execSql(path, "UPDATE \"Toroids\" SET \"AC\" = 7 WHERE \"CoreNo\" = 'T1'"));
    sources.Data4.Refresh();
    sources.Data4.recordset().MoveFirst();
    EXPECT_EQ(sources.Data4.recordset().Fields("AC"), Value(7.0));
}

TEST_F(StoreTest, SnapshotKeepsOneLoadWhileOthersSeeTheChangedFile) {
    DataSource kept = sources.Data1;
    ASSERT_TRUE(kept.keepSnapshot());
    kept.Refresh();
    const Recordset before = kept.recordset();
    const DataSource keptCopy = kept;
    ASSERT_TRUE(
        testing::execSql(path, "UPDATE \"E-Cores\" SET \"AC\" = 7 WHERE \"CoreNo\" = 'E10'"));

    kept.Refresh();
    EXPECT_TRUE(kept.recordset().sharesRowsWith(before));
    EXPECT_EQ(kept.recordset().index(), "");  // still a fresh record set
    DataSource fromCopy = keptCopy;
    fromCopy.Refresh();
    EXPECT_TRUE(fromCopy.recordset().sharesRowsWith(before));

    sources.Data1.Refresh();  // an ordinary source reads the file anew
    EXPECT_FALSE(sources.Data1.recordset().sharesRowsWith(before));
    ASSERT_TRUE(kept.keepSnapshot());  // a new snapshot takes the new version
    kept.Refresh();
    EXPECT_TRUE(kept.recordset().sharesRowsWith(sources.Data1.recordset()));
}

TEST(OpenError, ASnapshotOfAMissingFileKeepsNothing) {
    DataSource source("E-Cores");
    EXPECT_FALSE(source.keepSnapshot());
    source.setDatabaseName("/nonexistent/Cores.csx");
    EXPECT_FALSE(source.keepSnapshot());
    EXPECT_FALSE(source.keepsSnapshot());
    EXPECT_THROW(source.Refresh(), CatalogueError);
}

TEST_F(StoreTest, AbsolutePositionsFollowTheCurrentOrder) {
    Recordset& cores = sources.Data1.recordset();
    EXPECT_TRUE(cores.setAbsolutePosition(3));
    EXPECT_EQ(cores.AbsolutePosition(), 3);
    EXPECT_EQ(at(cores, "CoreNo"), Value("E20"));
    EXPECT_FALSE(cores.setAbsolutePosition(-1));
    EXPECT_FALSE(cores.setAbsolutePosition(6));
    EXPECT_EQ(at(cores, "CoreNo"), Value("E20"));  // nothing moved
    EXPECT_TRUE(cores.setAbsolutePosition(5));     // where a walk ends
    EXPECT_TRUE(cores.Eof());
    EXPECT_EQ(cores.AbsolutePosition(), -1);
    EXPECT_THROW(cores.Fields("CoreNo"), Fault);
}

TEST_F(StoreTest, RefreshOfAnUnchangedFileSharesTheLoadedRows) {
    const Recordset before = sources.Data1.recordset();
    sources.Data1.Refresh();
    EXPECT_TRUE(sources.Data1.recordset().sharesRowsWith(before));
    ASSERT_TRUE(testing::execSql(path, "DELETE FROM \"E-Cores\" WHERE \"CoreNo\" = 'E30'"));
    sources.Data1.Refresh();
    EXPECT_FALSE(sources.Data1.recordset().sharesRowsWith(before));
    EXPECT_EQ(sources.Data1.recordset().RecordCount(), 4);
}

TEST_F(StoreTest, RefreshFromSeveralThreadsSeesOneTable) {
    clearCatalogueCache();
    std::vector<std::int64_t> counts(4);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        threads.emplace_back([&, i] {
            DataSource source("Core_Materials");
            source.setDatabaseName(path);
            source.Refresh();
            counts[i] = source.recordset().RecordCount();
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(counts, std::vector<std::int64_t>(4, 5));
}

TEST(RecordsetInMemory, OrdersByItsIndexes) {
    Recordset records("T", {"Key", "N"},
                      {{"b", std::int64_t{1}}, {"A", std::int64_t{2}}, {"a", std::int64_t{3}}},
                      {{"ByKey", {"Key"}}});
    records.setIndex("ByKey");
    records.Seek("=", Value("a"));
    EXPECT_EQ(records.Fields("N"), Value(std::int64_t{2}));
    records.MoveLast();
    EXPECT_EQ(records.Fields("Key"), Value("b"));
}

TEST(CataloguePath, AlwaysInsertsTheSeparator) {
    const std::string sep(1, pathSeparator());
    EXPECT_EQ(cataloguePath("/opt/coilsmith"), "/opt/coilsmith" + sep + "Cores.csx");
    EXPECT_EQ(cataloguePath("/opt/coilsmith/"), "/opt/coilsmith/" + sep + "Cores.csx");
    EXPECT_EQ(cataloguePath(""), sep + "Cores.csx");
}

}  // namespace
}  // namespace coilsmith
