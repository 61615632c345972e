#include "catalogue/ReferenceTables.h"

#include <cmath>
#include <cstdint>

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSchema.h"
#include "magnetics/Fault.h"

namespace coilsmith {

namespace {

// The table's record set on its primary key, positioned on the row of `key`, or nothing.
std::optional<Recordset> rowOf(const std::string& catalogueFile, std::string_view table,
                               const Value& key) {
    DataSource source{std::string(table)};
    source.setDatabaseName(catalogueFile);
    source.Refresh();
    Recordset records = source.recordset();
    records.setIndex("PrimaryKey");
    records.Seek("=", key);
    if (records.NoMatch() || !records.hasCurrent()) {
        return std::nullopt;
    }
    return records;
}

// A field as a finite number, or nothing for an empty or non-numeric cell.
std::optional<double> finiteField(const Recordset& records, std::string_view field) {
    try {
        const double value = records.Fields(field).toDouble();
        return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
    } catch (const Fault&) {
        return std::nullopt;
    }
}

std::optional<double> positiveField(const Recordset& records, std::string_view field) {
    const auto value = finiteField(records, field);
    return value && *value > 0 ? value : std::nullopt;
}

}  // namespace

std::optional<BiasCurve> loadBiasCurve(const std::string& catalogueFile,
                                       std::string_view material) {
    const auto row = rowOf(catalogueFile, schema::kBiasCurves, Value(std::string(material)));
    if (!row) {
        return std::nullopt;
    }
    const auto a = finiteField(*row, "a");
    const auto b = finiteField(*row, "b");
    const auto c = finiteField(*row, "c");
    if (!a || !b || !c) {
        return std::nullopt;
    }
    return BiasCurve{*a, *b, *c};
}

std::optional<WireRow> loadWire(const std::string& catalogueFile, int awg) {
    const auto row = rowOf(catalogueFile, schema::kWires, Value(std::int64_t{awg}));
    if (!row) {
        return std::nullopt;
    }
    const auto bare = positiveField(*row, "BareDiameter");
    const auto heavy = positiveField(*row, "OverallDiameter");
    const auto ohms = positiveField(*row, "Resistance20C");
    if (!bare || !heavy || !ohms) {
        return std::nullopt;
    }
    return WireRow{*bare, *heavy, *ohms};
}

}  // namespace coilsmith
