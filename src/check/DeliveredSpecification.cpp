#include "check/DeliveredSpecification.h"

namespace coilsmith {

physics::ChokeSpecification deliveredSpecification(const DesignState& state) {
    physics::ChokeSpecification spec;
    spec.requiredInductanceH = state.Lreq;
    spec.dcCurrentA = state.Idc;
    spec.ripplePeakToPeakA = state.Iac;
    spec.rmsCurrentA = state.Irms;
    spec.frequencyHz = static_cast<double>(state.Fexc);
    spec.currentDensityAPerM2 = state.Jdes;
    spec.windowUtilisation = static_cast<double>(state.Ku);
    return spec;
}

}  // namespace coilsmith
