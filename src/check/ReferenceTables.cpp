#include "check/ReferenceTables.h"

#include <cmath>
#include <cstdint>

#include "catalogue/CatalogueSchema.h"
#include "numeric/Fault.h"

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
    records.findByIndex("=", key);
    if (records.lastFindFailed() || !records.hasCurrent()) {
        return std::nullopt;
    }
    return records;
}

// The row of `key` when it is physically sensible, or nothing.
std::optional<Recordset> soundRowOf(const Recordset& table, const Value& key) {
    auto row = rowOf(table, key);
    return row && row->rowProblem().empty() ? row : std::nullopt;
}

std::optional<std::string> problemOfRow(const Recordset& table, const Value& key) {
    const auto row = rowOf(table, key);
    if (!row || row->rowProblem().empty()) {
        return std::nullopt;
    }
    return std::string(row->rowProblem());
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

Value materialKey(std::string_view material) {
    return Value(std::string(material));
}

Value gaugeKey(int awg) {
    return Value(std::int64_t{awg});
}

std::optional<BiasCurve> curveIn(const Recordset& table, std::string_view material) {
    const auto row = soundRowOf(table, materialKey(material));
    if (!row) {
        return std::nullopt;
    }
    const auto a = positiveField(*row, "a");
    const auto b = positiveField(*row, "b");
    const auto c = positiveField(*row, "c");
    if (!a || !b || !c) {
        return std::nullopt;
    }
    return BiasCurve{*a, *b, *c};
}

std::optional<WireRow> wireIn(const Recordset& table, int awg) {
    const auto row = soundRowOf(table, gaugeKey(awg));
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
    const auto loaded = [&](std::string_view table) {
        try {
            return Loaded{loadedTable(catalogueFile, table), {}};
        } catch (const CatalogueError& error) {
            return Loaded{std::nullopt, error.what()};
        }
    };
    return ReferenceTables(loaded(schema::kBiasCurves), loaded(schema::kWires));
}

std::optional<BiasCurve> ReferenceTables::biasCurve(std::string_view material) const {
    return biasCurves_.records ? curveIn(*biasCurves_.records, material) : std::nullopt;
}

std::optional<WireRow> ReferenceTables::wire(int awg) const {
    return wires_.records ? wireIn(*wires_.records, awg) : std::nullopt;
}

std::optional<std::string> ReferenceTables::biasCurveProblem(std::string_view material) const {
    if (!biasCurves_.records) {
        return biasCurves_.problem;
    }
    return problemOfRow(*biasCurves_.records, materialKey(material));
}

std::optional<std::string> ReferenceTables::wireProblem(int awg) const {
    if (!wires_.records) {
        return wires_.problem;
    }
    return problemOfRow(*wires_.records, gaugeKey(awg));
}

}  // namespace coilsmith
