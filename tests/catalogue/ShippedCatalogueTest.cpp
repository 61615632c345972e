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
    DataSource* sources[] = {&s.Data1, &s.Data4, &s.Data3, &s.Data2, &s.Data5};  // as kTables
    for (std::size_t i = 0; i < schema::kTables.size(); ++i) {
        const schema::Table& table = schema::kTables[i];
        ASSERT_EQ(sources[i]->RecordSource(), table.name);
        Recordset& records = sources[i]->recordset();
        for (const auto& field : table.fields)
            EXPECT_EQ(std::ranges::count(records.fieldNames(), field.name), 1) << field.name;
        for (const auto& index : table.indexes)
            EXPECT_NO_THROW(records.setIndex(index.name)) << index.name;
        std::ifstream csv(std::string(CATALOGUE_CSV_DIR) + "/" + std::string(table.name) + ".csv");
        std::int64_t rows = -1;  // the header
        for (std::string line; std::getline(csv, line);)
            rows += line.empty() ? 0 : 1;
        EXPECT_EQ(records.RecordCount(), rows) << table.name;
    }
    // Every link row leads to a material; keys are text, dimensions real, permeabilities whole.
    Recordset materials = s.Data3.recordset();
    for (DataSource* links : {&s.Data2, &s.Data5}) {
        Recordset linkRows = links->recordset();
        for (linkRows.MoveFirst(); !linkRows.Eof(); linkRows.MoveNext()) {
            materials.Seek("=", linkRows.Fields("Mat"));
            EXPECT_FALSE(materials.NoMatch()) << linkRows.Fields("Mat").toText();
        }
    }
    Recordset cores = s.Data1.recordset();
    cores.Seek("=", Value("E50"));
    EXPECT_TRUE(cores.Fields("CoreNo").isText());
    EXPECT_EQ(cores.Fields("AC"), Value(0.1009));
    EXPECT_EQ(cores.Fields("GAP"), Value(0.0));
    materials.Seek("=", Value("-26"));
    EXPECT_EQ(materials.Fields("Permeab"), Value(std::int64_t{75}));
}

}  // namespace
}  // namespace coilsmith
