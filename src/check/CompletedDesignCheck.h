#pragma once

#include <memory>
#include <string>

#include "check/DesignCheck.h"
#include "check/ReferenceTables.h"
#include "method/DesignComputation.h"
#include "method/DesignState.h"

namespace coilsmith {

// The catalogue's reference tables as a design check sees them: loaded (each table with
// its own complaint when it could not be read), or, with no tables, why not.
struct CheckReferences {
    std::shared_ptr<const ReferenceTables> tables;
    std::string problem;  // set when tables is null

    // Both tables of `catalogueFile`.
    static CheckReferences load(const std::string& catalogueFile);
};

// The check's input for a completed design: the state the run left (specification,
// core, material; outline dimensions in inches as the catalogue stores them), the run's
// turns, gauge, core loss, temperature rise and Bmax, and the reference rows of its material
// and gauge. A catalogue value that a part of the check needs and that is empty or out
// of range makes that part unavailable, naming the field ("d_dim is empty or not a
// number"); so does a reference table that could not be read, or a reference row that is
// not physically sensible: the bias curve for the inductance, the wire row for the
// winding (and the copper, which needs the winding). The area products are not in
// the state: the caller adds them.
DesignCheckInput designCheckInput(const DesignState& state, const DesignNumbers& numbers,
                                  const CheckReferences& references, double ambientC);

}  // namespace coilsmith
