#include <gtest/gtest.h>

#include <functional>

#include "TestCatalogues.h"
#include "catalogue/Catalogue.h"

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
    {"NotADatabase",
     [](const std::string& path) { testing::writeFile(path, std::string(2048, 'x')); },
     "not a catalogue database", true},
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

TEST(OpenError, ADataSourceWithoutFileOrRefreshSaysSo) {
    DataSource source("E-Cores");
    EXPECT_FALSE(source.isOpen());
    EXPECT_THROW(source.recordset(), CatalogueError);
    EXPECT_THROW(source.Refresh(), CatalogueError);
}

}  // namespace
}  // namespace coilsmith
