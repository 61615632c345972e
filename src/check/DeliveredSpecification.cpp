#include "check/DeliveredSpecification.h"

#include "method/StateViews.h"
namespace coilsmith {

physics::ChokeSpecification deliveredSpecification(const DesignState& state) {
    const SpecificationView s = specificationView(state);
    return {s.requiredInductanceH, s.dcCurrentA,           s.ripplePeakToPeakA, s.rmsCurrentA,
            s.frequencyHz,         s.currentDensityAPerM2, s.windowUtilisation};
}

}  // namespace coilsmith
