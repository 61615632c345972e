#pragma once

#include <optional>
#include <string_view>

#include "catalogue/Records.h"
#include "physics/DeliveredDesign.h"
#include "physics/Result.h"

// The delivered design of one core and material of the catalogue: what the design check page,
// the report and `coilsmith-cli check` show beside the method's own design.
namespace coilsmith {

// The one wire every design of the specification is wound with (the method's gauge for its
// rms current and current density), as a table of that gauge; a problem when the gauge is not
// in the catalogue's wire table or its row is unusable.
physics::Result<physics::WireTable> wireForSpecification(
    const catalogue::CatalogueRecords& records, const physics::ChokeSpecification& specification);

// How many cores to stack: a count of 1 … 3, or the fewest that pass.
struct StackChoice {
    std::optional<int> count;  // empty: the smallest stack that passes
    static StackChoice smallestThatPasses() { return {}; }
    static StackChoice of(int cores) { return {cores}; }
};

// The core `core` (of `shape`) in `material`, delivered on the chosen stack. With the smallest
// stack that passes and none passing, the largest stack is given, so its verdicts say why.
// A problem naming what is missing when the catalogue has no such core or material, a value
// it needs is unusable, the stack count is outside 1 … 3, or the specification's gauge is not
// in the wire table.
physics::Result<physics::DeliveredDesign> deliverCatalogueChoke(
    const catalogue::CatalogueRecords& records, const physics::ChokeSpecification& specification,
    double ambientC, catalogue::CoreShape shape, std::string_view core, std::string_view material,
    StackChoice stack);

}  // namespace coilsmith
