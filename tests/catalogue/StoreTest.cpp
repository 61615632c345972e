#include <gtest/gtest.h>

#include <future>

#include "TestCatalogues.h"
#include "catalogue/Catalogue.h"
#include "numeric/Fault.h"

namespace coilsmith {
namespace {

using Values = std::vector<Value>;

// Duplicate and case-variant keys, a null cell and an empty table, without the build's checks.
csx::CsvTables hostileCsv() {
    auto csv = testing::goodCsv();
    csv["E-Cores"] = "CoreNo,AC\nE20,2\ne10,1.5\nE10,1\nE30,\nE10,9\n";
    csv["Toroids"] = "CoreNo,AC,VC,LC,OD,ID,HT\n";
    csv["Core_Materials"] = "Core,Mat\nE20,-2\nE10,-8\nE20,-26\nE10,-2\ne20,-18\n";
    return csv;
}

struct StoreTest : ::testing::Test {
    void SetUp() override {
        csx::buildCatalogue(hostileCsv(), path, {.validate = false});
        sources.openFile(path);
    }

    testing::TempDir dir;
    std::string path = dir.file("Cores.csx");
    CatalogueSources sources;
};

Values walk(Recordset& records, const char* field) {
    Values seen;
    for (records.goToFirst(); !records.atEnd(); records.goToNext())
        seen.push_back(records.field(field));
    return seen;
}

// Keys ignore case; the first row in index order (ties in table order) wins: "E10" finds "e10".
TEST_F(StoreTest, SeeksAndWalksFollowTheIndexOrderWithTiesInTableOrder) {
    Recordset& cores = sources.eCores.recordset();
    const std::pair<const char*, Value> seeks[] = {
        {"E10", 1.5}, {"e10", 1.5}, {"E20", 2.0}, {"e20", 2.0}, {"E30", Value()}};
    for (const auto& [key, ac] : seeks) {
        cores.findByIndex("=", Value(key));
        EXPECT_EQ(std::pair(cores.lastFindFailed(), cores.field("AC")), std::pair(false, ac))
            << key;
    }
    EXPECT_EQ(walk(cores, "AC"), (Values{1.5, 1.0, 9.0, 2.0, Value()}));
    sources.eCores.refresh();  // drops the index: table order
    Recordset& fresh = sources.eCores.recordset();
    EXPECT_EQ(walk(fresh, "CoreNo"), (Values{"E20", "e10", "E10", "E30", "E10"}));
    EXPECT_THROW(fresh.findByIndex("=", Value("E10")), CatalogueError);  // no index
    EXPECT_THROW(fresh.field("e_dim"), CatalogueError);
    Recordset& links = sources.eCoreMaterials.recordset();
    links.findByIndex("=", Value("E20"));  // one core's link rows follow; the E20 rows come last
    Values mats;
    for (; !links.atEnd(); links.goToNext())
        mats.push_back(links.field("Mat"));
    EXPECT_EQ(mats, (Values{"-2", "-26", "-18"}));
    EXPECT_TRUE(links.atEnd() && !links.hasCurrent());
    EXPECT_THROW(links.goToNext(), Fault);
    Recordset& materials = sources.materials.recordset();
    materials.findByIndex("=", Value("-99"));  // without a match, no current record
    EXPECT_TRUE(materials.lastFindFailed() && !materials.hasCurrent());
    EXPECT_THROW(materials.field("MatNo"), Fault);
    materials.findByIndex("=", Value(std::int64_t{-26}));  // a number key finds the text key
    EXPECT_EQ(materials.field("Permeab"), Value(std::int64_t{75}));
    EXPECT_EQ(materials.field("density"), Value(7.0));  // field names ignore case
    materials.findByIndex("=", Value(-2.0));  // a real key reads "-2.0", as the database writes it
    EXPECT_TRUE(materials.lastFindFailed());
    Recordset& toroids = sources.toroids.recordset();
    EXPECT_TRUE(toroids.recordCount() == 0 && toroids.atEnd());
    EXPECT_THROW(toroids.goToFirst(), Fault);
}

TEST_F(StoreTest, RefreshReadsChangedFilesFromAnyThread) {
    const Recordset before = sources.eCores.recordset();
    sources.eCores.refresh();
    EXPECT_TRUE(sources.eCores.recordset().sharesRowsWith(before));
    ASSERT_TRUE(testing::execSql(path, "DELETE FROM \"E-Cores\" WHERE \"CoreNo\" = 'E30'"));
    sources.eCores.refresh();
    EXPECT_FALSE(sources.eCores.recordset().sharesRowsWith(before));
    EXPECT_EQ(sources.eCores.recordset().recordCount(), 4);
    ASSERT_TRUE(testing::execSql(path, "CREATE INDEX \"E-Cores.Down\" ON \"E-Cores\" (AC DESC)"));
    sources.eCores.refresh();  // a catalogue edited by hand may key an index downwards
    Recordset& down = sources.eCores.recordset();
    down.setIndex("Down");
    EXPECT_EQ(walk(down, "AC"), (Values{9.0, 2.0, 1.5, 1.0}));
    down.findByIndex("=", Value(1.5));
    EXPECT_EQ(down.field("CoreNo"), Value("e10"));
    auto csv = hostileCsv();  // a new file under the same name, then one changed in place
    csv["Toroids"] = testing::goodCsv()["Toroids"];
    csx::buildCatalogue(csv, path, {.validate = false});
    sources.toroids.refresh();
    EXPECT_EQ(sources.toroids.recordset().recordCount(), 2);
    ASSERT_TRUE(testing::execSql(path, "UPDATE Toroids SET AC = 7 WHERE CoreNo = 'T1'"));
    sources.toroids.refresh();
    sources.toroids.recordset().goToFirst();
    EXPECT_EQ(sources.toroids.recordset().field("AC"), Value(7.0));
    clearCatalogueCache();
    std::vector<std::future<std::int64_t>> counts;
    for (int i = 0; i < 4; ++i)
        counts.push_back(std::async(std::launch::async, [this] {
            DataSource source("Core_Materials");
            source.setDatabaseName(path);
            source.refresh();
            return source.recordset().recordCount();
        }));
    for (auto& count : counts)
        EXPECT_EQ(count.get(), 5);
    DataSource source("E-Cores");  // without a file, or with a missing one, nothing is read
    EXPECT_THROW(source.recordset(), CatalogueError);
    EXPECT_THROW(source.refresh(), CatalogueError);
    source.setDatabaseName("/nonexistent/Cores.csx");
    EXPECT_THROW(source.refresh(), CatalogueError);
}

}  // namespace
}  // namespace coilsmith
