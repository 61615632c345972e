#include "check/DeliveredSpecification.h"

#include "method/StateViews.h"
namespace coilsmith {

physics::ChokeSpecification deliveredSpecification(const DesignState& state) {
    const SpecificationView s = specificationView(state);
    return {.requiredInductanceH = s.requiredInductanceH,
            .dcCurrentA = s.dcCurrentA,
            .ripplePeakToPeakA = s.ripplePeakToPeakA,
            .rmsCurrentA = s.rmsCurrentA,
            .frequencyHz = s.frequencyHz,
            .currentDensityAPerM2 = s.currentDensityAPerM2,
            .windowUtilisation = s.windowUtilisation};
}

}  // namespace coilsmith
