#pragma once

#include <vector>

#include "adviser/Candidate.h"
#include "catalogue/Records.h"
#include "check/CompletedDesignCheck.h"
#include "method/SizedSpecification.h"

namespace coilsmith::adviser {

// What every candidate of one ranking is designed against.
struct DesignBasis {
    const SizedSpecification& specification;
    const catalogue::CatalogueRecords& records;
    const CheckReferences& references;
};

// The materials of "Materials" a core is offered in, as the design window lists them: the
// core's first eleven links, each material once, a link to a material that is not in the
// catalogue left out.
std::vector<const catalogue::MaterialRecord*> listedMaterials(
    const catalogue::CoreRecord& core, const catalogue::CatalogueRecords& records);

// Designs `core` in each of its listed materials through the method, loaded by the
// functions the design window loads them with, and checks each completed design: the
// numbers the engineer gets by picking that core and material by hand. Appends one
// candidate per material.
void designCore(const DesignBasis& basis, const catalogue::CoreRecord& core,
                std::vector<Candidate>& out);

}  // namespace coilsmith::adviser
