#include "catalogue/ReferenceTables.h"

#include <cmath>
#include <cstdint>

#include "catalogue/CatalogueSchema.h"
#include "magnetics/Fault.h"

namespace coilsmith {

namespace {

Recordset loadedTable(const std::string& catalogueFile, std::string_view table) {
    DataSource source{std::string(table)};
    source.setDatabaseName(catalogueFile);
    source.refresh();
    Recordset records = source.recordset();
    records.setIndex("PrimaryKey");
    return records;
}

// A copy of the table's record set positioned on the row of `key`, or nothing.
std::optional<Recordset> rowOf(const Recordset& table, const Value& key) {
    Recordset records = table;
    records.seek("=", key);
    if (records.noMatch() || !records.hasCurrent()) {
        return std::nullopt;
    }
    return records;
}

// A field as a finite number, or nothing for an empty or non-numeric cell.
std::optional<double> finiteField(const Recordset& records, std::string_view field) {
    try {
        const double value = records.field(field).toDouble();
        return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
    } catch (const Fault&) {
        return std::nullopt;
    }
}

std::optional<double> positiveField(const Recordset& records, std::string_view field) {
    const auto value = finiteField(records, field);
    return value && *value > 0 ? value : std::nullopt;
}

std::optional<BiasCurve> curveIn(const Recordset& table, std::string_view material) {
    const auto row = rowOf(table, Value(std::string(material)));
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

std::optional<WireRow> wireIn(const Recordset& table, int awg) {
    const auto row = rowOf(table, Value(std::int64_t{awg}));
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

}  // namespace

ReferenceTables ReferenceTables::load(const std::string& catalogueFile) {
    return ReferenceTables(loadedTable(catalogueFile, schema::kBiasCurves),
                           loadedTable(catalogueFile, schema::kWires));
}

std::optional<BiasCurve> ReferenceTables::biasCurve(std::string_view material) const {
    return curveIn(biasCurves_, material);
}

std::optional<WireRow> ReferenceTables::wire(int awg) const {
    return wireIn(wires_, awg);
}

std::optional<BiasCurve> loadBiasCurve(const std::string& catalogueFile,
                                       std::string_view material) {
    return curveIn(loadedTable(catalogueFile, schema::kBiasCurves), material);
}

std::optional<WireRow> loadWire(const std::string& catalogueFile, int awg) {
    return wireIn(loadedTable(catalogueFile, schema::kWires), awg);
}

}  // namespace coilsmith
