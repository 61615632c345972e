#pragma once

#include <string>

#include "catalogue/Catalogue.h"
#include "numeric/Fault.h"

namespace coilsmith {

// Catalogue access inside a skip-and-continue step: a data source that cannot be
// refreshed or has no record set fails the step like any other fault instead of ending
// the whole procedure.

inline void refreshStep(DataSource& source) {
    try {
        source.refresh();
    } catch (const CatalogueError& e) {
        throw Fault(FaultKind::NoCurrentRecord, e.what());
    }
}

inline Recordset& records(DataSource& source) {
    try {
        return source.recordset();
    } catch (const CatalogueError& e) {
        throw Fault(FaultKind::NoCurrentRecord, e.what());
    }
}

}  // namespace coilsmith
