#pragma once

#include <optional>
#include <string>
#include <string_view>

// The reference tables of the catalogue that design checks read: the maker's published
// DC-bias curve of each mix and the round magnet-wire gauges.
namespace coilsmith {

// Percent of initial permeability at a DC field of H oersted: 1 / (a + b * H^c).
struct BiasCurve {
    double a = 0;
    double b = 0;
    double c = 0;
};

struct WireGauge {
    int awg = 0;            // -3 stands for 0000
    double bare_mm = 0;     // copper diameter
    double heavy_mm = 0;    // diameter over heavy-build insulation
    double ohm_per_km = 0;  // at 20 deg C
};

// The curve of `material` ("-26") from "Bias_Curves" of the catalogue file, or nothing
// when the table has no such row or a coefficient is not a finite number.
// CatalogueError when the file or table cannot be read.
std::optional<BiasCurve> loadBiasCurve(const std::string& catalogueFile, std::string_view material);

// The row of gauge `awg` from "Wires", or nothing when there is none or a diameter or the
// resistance is not a positive number. CatalogueError when the file or table cannot be read.
std::optional<WireGauge> loadWire(const std::string& catalogueFile, int awg);

}  // namespace coilsmith
