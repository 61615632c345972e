#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "catalogue/Catalogue.h"
#include "magnetics/DesignCheck.h"

// The reference tables of the catalogue that design checks read: the maker's published
// DC-bias curve of each mix and the round magnet-wire gauges.
namespace coilsmith {

// Both tables read once from one catalogue file; looking a row up then costs an index
// seek and no file or database work. Copies share the loaded rows.
class ReferenceTables {
  public:
    // CatalogueError when the file or either table cannot be read.
    static ReferenceTables load(const std::string& catalogueFile);

    // The curve of `material` ("-26"), or nothing when the table has no such row or a
    // coefficient is not a finite number.
    std::optional<BiasCurve> biasCurve(std::string_view material) const;
    // The row of gauge `awg`, or nothing when there is none or a diameter or the
    // resistance is not a positive number.
    std::optional<WireRow> wire(int awg) const;

  private:
    ReferenceTables(Recordset biasCurves, Recordset wires)
        : biasCurves_(std::move(biasCurves)), wires_(std::move(wires)) {}

    Recordset biasCurves_;
    Recordset wires_;
};

// One look-up each, reading the file (through the catalogue cache).
// CatalogueError when the file or table cannot be read.
std::optional<BiasCurve> loadBiasCurve(const std::string& catalogueFile, std::string_view material);
std::optional<WireRow> loadWire(const std::string& catalogueFile, int awg);

}  // namespace coilsmith
