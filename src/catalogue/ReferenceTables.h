#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "magnetics/DesignCheck.h"

// The reference tables of the catalogue that design checks read: the maker's published
// DC-bias curve of each mix and the round magnet-wire gauges.
namespace coilsmith {

// The curve of `material` ("-26") from "Bias_Curves" of the catalogue file, or nothing
// when the table has no such row or a coefficient is not a finite number.
// CatalogueError when the file or table cannot be read.
std::optional<BiasCurve> loadBiasCurve(const std::string& catalogueFile, std::string_view material);

// The row of gauge `awg` from "Wires", or nothing when there is none or a diameter or the
// resistance is not a positive number. CatalogueError when the file or table cannot be read.
std::optional<WireRow> loadWire(const std::string& catalogueFile, int awg);

}  // namespace coilsmith
