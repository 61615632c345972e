#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSchema.h"

namespace coilsmith {
namespace {

// The catalogue the build put beside the executables, next to this test.
class ShippedCatalogue : public ::testing::TestWithParam<schema::Table> {
  protected:
    static void SetUpTestSuite() { sources().open(COILSMITH_BIN_DIR); }
    static CatalogueSources& sources() {
        static CatalogueSources shipped;
        return shipped;
    }
    static DataSource& sourceOf(std::string_view table) {
        for (DataSource* source : {&sources().Data1, &sources().Data2, &sources().Data3,
                                   &sources().Data4, &sources().Data5}) {
            if (source->RecordSource() == table) {
                return *source;
            }
        }
        throw std::logic_error("no data source for " + std::string(table));
    }
};

std::int64_t csvRows(std::string_view table) {
    std::ifstream in(std::string(CATALOGUE_CSV_DIR) + "/" + std::string(table) + ".csv");
    std::int64_t lines = 0;
    for (std::string line; std::getline(in, line);) {
        lines += line.empty() ? 0 : 1;
    }
    return lines - 1;
}

TEST_P(ShippedCatalogue, HasEveryFieldIndexAndRow) {
    Recordset records = sourceOf(GetParam().name).recordset();
    for (const auto& field : GetParam().fields) {
        const auto& names = records.fieldNames();
        EXPECT_NE(std::find(names.begin(), names.end(), field.name), names.end()) << field.name;
    }
    for (const auto& index : GetParam().indexes) {
        EXPECT_NO_THROW(records.setIndex(index.name)) << index.name;
    }
    EXPECT_EQ(records.RecordCount(), csvRows(GetParam().name));
    EXPECT_GT(records.RecordCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Tables, ShippedCatalogue, ::testing::ValuesIn(schema::kTables),
                         [](const auto& info) {
                             std::string name(info.param.name);
                             std::erase(name, '-');
                             return name;
                         });

// Every link row leads to a material; its core is found by walking the core table.
TEST_F(ShippedCatalogue, LinkRowsNameExistingMaterials) {
    for (DataSource* links : {&sources().Data2, &sources().Data5}) {
        Recordset linkRows = links->recordset();
        Recordset materials = sources().Data3.recordset();
        for (linkRows.MoveFirst(); !linkRows.Eof(); linkRows.MoveNext()) {
            materials.Seek("=", linkRows.Fields("Mat"));
            EXPECT_FALSE(materials.NoMatch()) << linkRows.Fields("Mat").toText();
        }
    }
}

TEST_F(ShippedCatalogue, KeysAreTextAndDimensionsReal) {
    Recordset cores = sources().Data1.recordset();
    cores.Seek("=", Value("E50"));
    ASSERT_FALSE(cores.NoMatch());
    EXPECT_TRUE(cores.Fields("CoreNo").isText());
    EXPECT_EQ(cores.Fields("AC"), Value(0.1009));
    EXPECT_EQ(cores.Fields("GAP"), Value(0.0));
    Recordset materials = sources().Data3.recordset();
    materials.Seek("=", Value("-26"));
    ASSERT_FALSE(materials.NoMatch());
    EXPECT_EQ(materials.Fields("Permeab"), Value(std::int64_t{75}));
}

}  // namespace
}  // namespace coilsmith
