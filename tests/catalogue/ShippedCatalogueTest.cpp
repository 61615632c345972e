#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSchema.h"

namespace coilsmith {
namespace {

// The catalogue the build put beside the executables, against the CSV files it was built from.
TEST(ShippedCatalogue, HasEveryFieldIndexAndRowOfItsCsvAndTypedFields) {
    CatalogueSources s;
    s.open(COILSMITH_BIN_DIR);
    DataSource* sources[] = {&s.eCores, &s.toroids, &s.materials, &s.eCoreMaterials,
                             &s.toroidMaterials};  // as kTables
    for (std::size_t i = 0; i < schema::kTables.size(); ++i) {
        const schema::Table& table = schema::kTables[i];
        ASSERT_EQ(sources[i]->recordSource(), table.name);
        Recordset& records = sources[i]->recordset();
        for (const auto& field : table.fields)
            EXPECT_EQ(std::ranges::count(records.fieldNames(), field.name), 1) << field.name;
        for (const auto& index : table.indexes)
            EXPECT_NO_THROW(records.setIndex(index.name)) << index.name;
        std::ifstream csv(std::string(CATALOGUE_CSV_DIR) + "/" + std::string(table.name) + ".csv");
        std::int64_t rows = -1;  // the header
        for (std::string line; std::getline(csv, line);)
            rows += line.empty() ? 0 : 1;
        EXPECT_EQ(records.recordCount(), rows) << table.name;
    }
    // Every link row leads to a material; keys are text, dimensions real, permeabilities whole.
    Recordset materials = s.materials.recordset();
    for (DataSource* links : {&s.eCoreMaterials, &s.toroidMaterials}) {
        Recordset linkRows = links->recordset();
        for (linkRows.goToFirst(); !linkRows.atEnd(); linkRows.goToNext()) {
            materials.findByIndex("=", linkRows.field("Mat"));
            EXPECT_FALSE(materials.lastFindFailed()) << linkRows.field("Mat").toText();
        }
    }
    Recordset cores = s.eCores.recordset();
    cores.findByIndex("=", Value("E50"));
    EXPECT_TRUE(cores.field("CoreNo").isText());
    EXPECT_EQ(cores.field("AC"), Value(0.1009));
    EXPECT_EQ(cores.field("GAP"), Value(0.0));
    materials.findByIndex("=", Value("-26"));
    EXPECT_EQ(materials.field("Permeab"), Value(std::int64_t{75}));
}

}  // namespace
}  // namespace coilsmith
