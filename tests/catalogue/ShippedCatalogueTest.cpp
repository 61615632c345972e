#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSchema.h"

namespace coilsmith {
namespace {

// The catalogue the build put beside the executables, against the CSV files it was built from.
TEST(ShippedCatalogue, HasEveryFieldIndexAndRowOfItsCsv) {
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
}

}  // namespace
}  // namespace coilsmith
