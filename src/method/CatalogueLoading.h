#pragma once

#include <optional>
#include <string>

#include "catalogue/Records.h"
#include "method/DesignState.h"
#include "numeric/Value.h"

// "Load a core" and "load a material": a catalogue record into the method's state, with the
// rules the design window has always applied. Each step runs under the skip-and-continue
// rule: a step that faults leaves its field as it was (the previous core's or material's
// value). A value the catalogue leaves empty, or holds as a text that is not a number, is
// loaded as null, which the design refuses by name.
namespace coilsmith {

// Why the record's row is not physically sensible, naming its field and table as the
// catalogue reader does ("field \"HT\" of T16 in table \"Toroids\" is ..."); empty for a
// sound row.
std::string rowProblemOf(const catalogue::CoreRecord& core);
std::string rowProblemOf(const catalogue::MaterialRecord& material);

// The core's cross-section, volume, path length, outline and gap; its winding window (an
// E-core's from the catalogue, a toroid's hole in single precision, 0 when the hole cannot
// be had), mean turn length and outer surface; its row problem. A toroid has no gap; an
// E-core's outline leaves the toroid's sizes as they were, and the other way round.
void loadCore(DesignState& state, const catalogue::CoreRecord& core);

// The material's name, permeability (single precision, NaN when it cannot be had), density,
// fit and loss coefficients and its row problem.
void loadMaterial(DesignState& state, const catalogue::MaterialRecord& material);

// The material's relative cost as the results page shows it: null when the catalogue
// leaves it empty or holds no number.
Value relativeCostOf(const catalogue::MaterialRecord& material);

// The loaded core's area product Wa·Ac in cm^4; empty when either is null or the product
// is not finite.
std::optional<double> coreAreaProductCm4(const DesignState& state);

}  // namespace coilsmith
