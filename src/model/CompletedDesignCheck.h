#pragma once

#include <memory>
#include <string>

#include "catalogue/ReferenceTables.h"
#include "magnetics/DesignCheck.h"
#include "magnetics/DesignComputation.h"
#include "magnetics/DesignState.h"

namespace coilsmith {

// The catalogue's reference tables as a design check sees them: loaded, or why not.
struct CheckReferences {
    std::shared_ptr<const ReferenceTables> tables;
    std::string problem;  // set when tables is null

    // Both tables of `catalogueFile`, or the catalogue's complaint.
    static CheckReferences load(const std::string& catalogueFile);
};

// The check's input for a completed design: the state the run left (specification,
// core, material; outline dimensions in inches as the catalogue stores them), the run's
// turns, gauge, core loss, temperature rise and Bmax, and the reference rows of its material
// and gauge. A catalogue value that a part of the check needs and that is empty or out
// of range makes that part unavailable, naming the field ("d_dim is empty or not a
// number"); so do reference tables that could not be read. The area products are not in
// the state: the caller adds them.
DesignCheckInput designCheckInput(const DesignState& state, const DesignNumbers& numbers,
                                  const CheckReferences& references, double ambientC);

}  // namespace coilsmith
