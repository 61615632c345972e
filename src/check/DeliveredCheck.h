#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/Records.h"
#include "check/DeliveredChoke.h"
#include "physics/DeliveredDesign.h"
#include "physics/Inductance.h"

namespace coilsmith {

// The catalogue's typed records for the delivered design, loaded once per catalogue file;
// or, when the file could not be read, why not.
struct DeliveredRecords {
    std::string catalogueFile;
    std::shared_ptr<const catalogue::CatalogueRecords> records;
    std::string problem;  // set when records is null

    static DeliveredRecords load(const std::string& catalogueFile);
};

// The delivered design beside a completed design's check: the same specification, core
// and material, on the chosen stack, with its L(I) curve from 0 to twice Ipk.
struct DeliveredCheck {
    std::optional<physics::DeliveredDesign> design;
    std::string problem;  // why there is no design (set when design is empty)
    std::vector<physics::InductancePoint> curve;  // empty when L is not reached
};

// The points the delivered L(I) curve is drawn with.
inline constexpr int kDeliveredCurvePoints = 101;

// Delivers `core` in `material` of `records` for the specification at `ambientC`.
DeliveredCheck deliverCheckedDesign(const DeliveredRecords& records,
                                    const physics::ChokeSpecification& specification,
                                    double ambientC, catalogue::CoreShape shape,
                                    const std::string& core, const std::string& material,
                                    StackChoice stack);

}  // namespace coilsmith
