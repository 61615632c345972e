#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "catalogue/Catalogue.h"
#include "check/DesignCheck.h"

// The reference tables of the catalogue that design checks read: the maker's published
// DC-bias curve of each mix and the round magnet-wire gauges.
namespace coilsmith {

// Both tables read once from one catalogue file; looking a row up then costs an index
// seek and no file or database work. Each table stands alone: one that cannot be read
// leaves the other usable. Copies share the loaded rows.
class ReferenceTables {
  public:
    // Never throws: a table that cannot be read is kept as the reason why.
    static ReferenceTables load(const std::string& catalogueFile);

    // The curve of `material` ("-26"), or nothing when the table has no usable row for it.
    std::optional<BiasCurve> biasCurve(std::string_view material) const;
    // The row of gauge `awg`, or nothing when the table has no usable row for it.
    std::optional<WireRow> wire(int awg) const;

    // Why the table, or the row it has for the key, cannot be used: the table's
    // CatalogueError, or the row's physical-sense problem naming the field. Nothing when
    // the row is usable or simply absent.
    std::optional<std::string> biasCurveProblem(std::string_view material) const;
    std::optional<std::string> wireProblem(int awg) const;

  private:
    // A loaded table, or why it could not be loaded.
    struct Loaded {
        std::optional<Recordset> records;
        std::string problem;
    };

    ReferenceTables(Loaded biasCurves, Loaded wires)
        : biasCurves_(std::move(biasCurves)), wires_(std::move(wires)) {}

    Loaded biasCurves_;
    Loaded wires_;
};

}  // namespace coilsmith
